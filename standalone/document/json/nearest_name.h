// "Did you mean" for a name that a document gets wrong: the known name nearest to it, when one is
// near enough to be a likely typo.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pellucid::standalone {

// Edit distance between two names (insertions, deletions, substitutions and swaps of neighbours,
// each costing one; letters that differ only in case cost nothing).
std::size_t NameDistance(std::string_view a, std::string_view b);

// Collects candidates and keeps the nearest one to `wrong` within a distance that grows with the
// name's length (one edit for short names, about a third of the letters for long ones). Ties keep
// the first candidate offered.
class NearestName {
  public:
    explicit NearestName(std::string_view wrong) : wrong_(wrong) {}

    void Offer(std::string_view candidate);
    void OfferAll(std::span<const std::string_view> candidates) {
        for (std::string_view candidate : candidates) {
            Offer(candidate);
        }
    }

    // The nearest candidate, or empty when none is near enough.
    std::string_view Best() const { return best_; }
    // " (did you mean \"name\"?)", or nothing when no candidate is near enough.
    std::string Hint() const;

  private:
    std::string_view wrong_;
    std::string_view best_;
    std::size_t bestDistance_ = static_cast<std::size_t>(-1);
};

}  // namespace pellucid::standalone
