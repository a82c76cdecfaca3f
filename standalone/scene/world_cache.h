// The world transforms of one node that have been computed, by time: an open-addressing hash
// table, so that an exporter asking for thousands of times of every node in any order finds each
// one computed once.
#pragma once

#include <cstdint>
#include <vector>

#include "host/matrix3.h"
#include "host/max_types.h"

namespace pellucid::standalone {

class WorldCache {
  public:
    // Whether the cache holds transforms of this scene revision.
    bool IsFor(std::uint64_t revision) const { return revision_ == revision; }
    // Empties the cache, keeping its memory, for transforms of `revision`.
    void Reset(std::uint64_t revision);
    // Empties the cache and gives its memory back; it then holds no revision.
    void Release();

    bool Find(TimeValue t, Matrix3& out) const;
    // Adds the transform at t, which must not be in the cache yet.
    void Insert(TimeValue t, const Matrix3& world);
    size_t Size() const { return times_.size(); }

  private:
    size_t SlotOf(TimeValue t) const;
    // The slot probed after `slot`, wrapping at the end.
    size_t NextSlot(size_t slot) const { return (slot + 1) & (slots_.size() - 1); }
    // Puts entry `entry` into the first empty slot from its time's own.
    void Place(size_t entry);
    void Grow();

    std::uint64_t revision_ = 0;  // scene revisions start at 1
    // Entry index + 1 per slot, 0 for an empty slot; the slot count is a power of two (or zero).
    std::vector<std::uint32_t> slots_;
    std::vector<TimeValue> times_;
    std::vector<Matrix3> worlds_;
};

}  // namespace pellucid::standalone
