#include "standalone/document/json/nearest_name.h"

#include <algorithm>
#include <vector>

#include <fmt/format.h>

namespace pellucid::standalone {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// How far a candidate may be from the wrong name and still be offered.
std::size_t Tolerance(std::string_view wrong) {
    return std::max<std::size_t>(1, wrong.size() / 3);
}

}  // namespace

std::size_t NameDistance(std::string_view a, std::string_view b) {
    // Three rows of the optimal-string-alignment table: two rows back for swaps.
    const std::size_t width = b.size() + 1;
    std::vector<std::size_t> before(width), previous(width), current(width);
    for (std::size_t j = 0; j < width; ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j < width; ++j) {
            const bool same = Lower(a[i - 1]) == Lower(b[j - 1]);
            std::size_t best =
                std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
                Lower(a[i - 2]) == Lower(b[j - 1])) {
                best = std::min(best, before[j - 2] + 1);
            }
            current[j] = best;
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[b.size()];
}

void NearestName::Offer(std::string_view candidate) {
    if (candidate == wrong_) {
        return;
    }
    // Names far apart in length cannot be near; skip the table for them.
    const std::size_t gap = candidate.size() > wrong_.size() ? candidate.size() - wrong_.size()
                                                             : wrong_.size() - candidate.size();
    if (gap > Tolerance(wrong_) || gap >= bestDistance_) {
        return;
    }
    const std::size_t distance = NameDistance(wrong_, candidate);
    if (distance <= Tolerance(wrong_) && distance < bestDistance_) {
        best_ = candidate;
        bestDistance_ = distance;
    }
}

std::string NearestName::Hint() const {
    if (best_.empty()) {
        return {};
    }
    return fmt::format(" (did you mean \"{}\"?)", best_);
}

}  // namespace pellucid::standalone
