// A resizable set of bits, as the host's face and vertex selections.
#pragma once

#include <cstddef>
#include <vector>

class BitArray {
  public:
    BitArray() = default;
    explicit BitArray(int n) { SetSize(n); }

    int GetSize() const { return static_cast<int>(bits_.size()); }
    void SetSize(int n, bool keep = false) {
        if (!keep) {
            bits_.assign(static_cast<size_t>(n > 0 ? n : 0), false);
        } else {
            bits_.resize(static_cast<size_t>(n > 0 ? n : 0), false);
        }
    }
    void ClearAll() { bits_.assign(bits_.size(), false); }
    void SetAll() { bits_.assign(bits_.size(), true); }
    // Out-of-range indices are ignored (set) or read as clear.
    void Set(int i, bool value = true) {
        if (i >= 0 && i < GetSize()) {
            bits_[static_cast<size_t>(i)] = value;
        }
    }
    void Clear(int i) { Set(i, false); }
    bool operator[](int i) const {
        return i >= 0 && i < GetSize() && bits_[static_cast<size_t>(i)];
    }
    int NumberSet() const {
        int n = 0;
        for (bool b : bits_) {
            n += b ? 1 : 0;
        }
        return n;
    }
    bool operator==(const BitArray&) const = default;

  private:
    std::vector<bool> bits_;
};
