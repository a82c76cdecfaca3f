// A counter that every change to a live scene advances, so that cached transforms and pipeline
// results know when they are stale.
#pragma once

#include <cstdint>

namespace pellucid::standalone {

class SceneRevision {
  public:
    std::uint64_t Value() const { return value_; }
    void Bump() { ++value_; }

  private:
    std::uint64_t value_ = 1;
};

}  // namespace pellucid::standalone
