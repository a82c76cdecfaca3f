// A closed range of host times, used for validity.
#pragma once

#include "host/max_types.h"

class Interval {
  public:
    constexpr Interval() = default;
    constexpr Interval(TimeValue s, TimeValue e) : start_(s), end_(e) {}
    constexpr TimeValue Start() const { return start_; }
    constexpr TimeValue End() const { return end_; }
    constexpr bool Empty() const { return start_ > end_; }
    constexpr bool InInterval(TimeValue t) const { return t >= start_ && t <= end_; }
    void SetEmpty() { *this = Interval(TIME_PosInfinity, TIME_NegInfinity); }
    void SetInfinite() { *this = Interval(TIME_NegInfinity, TIME_PosInfinity); }
    // Intersection.
    Interval& operator&=(const Interval& i) {
        start_ = start_ > i.start_ ? start_ : i.start_;
        end_ = end_ < i.end_ ? end_ : i.end_;
        return *this;
    }
    constexpr bool operator==(const Interval&) const = default;

  private:
    TimeValue start_ = TIME_PosInfinity;
    TimeValue end_ = TIME_NegInfinity;
};

constexpr Interval FOREVER(TIME_NegInfinity, TIME_PosInfinity);
constexpr Interval NEVER(TIME_PosInfinity, TIME_NegInfinity);
