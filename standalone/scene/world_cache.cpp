#include "standalone/scene/world_cache.h"

#include <algorithm>

namespace pellucid::standalone {

namespace {

constexpr size_t kFirstSlotCount = 16;

}  // namespace

void WorldCache::Reset(std::uint64_t revision) {
    revision_ = revision;
    std::fill(slots_.begin(), slots_.end(), 0u);
    times_.clear();
    worlds_.clear();
}

void WorldCache::Release() {
    revision_ = 0;
    slots_ = {};
    times_ = {};
    worlds_ = {};
}

// Fibonacci hashing: key times are often evenly spaced, which a plain mask would cluster.
size_t WorldCache::SlotOf(TimeValue t) const {
    const std::uint64_t h = static_cast<std::uint32_t>(t) * 0x9e3779b97f4a7c15ull;
    return static_cast<size_t>(h >> 32) & (slots_.size() - 1);
}

bool WorldCache::Find(TimeValue t, Matrix3& out) const {
    if (slots_.empty()) {
        return false;
    }
    for (size_t slot = SlotOf(t);; slot = NextSlot(slot)) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0) {
            return false;
        }
        if (times_[entry - 1] == t) {
            out = worlds_[entry - 1];
            return true;
        }
    }
}

void WorldCache::Insert(TimeValue t, const Matrix3& world) {
    // At most half the slots are used, so probes stay short and always meet an empty slot.
    if ((times_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    times_.push_back(t);
    worlds_.push_back(world);
    Place(times_.size() - 1);
}

void WorldCache::Grow() {
    slots_.assign(slots_.empty() ? kFirstSlotCount : slots_.size() * 2, 0u);
    for (size_t i = 0; i < times_.size(); ++i) {
        Place(i);
    }
}

void WorldCache::Place(size_t entry) {
    size_t slot = SlotOf(times_[entry]);
    while (slots_[slot] != 0) {
        slot = NextSlot(slot);
    }
    slots_[slot] = static_cast<std::uint32_t>(entry + 1);
}

}  // namespace pellucid::standalone
