// "Did you mean ...?" for names that a user types: commands, checks, views, nodes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellucid::cli {

// The candidate closest to `word` (letter case ignored) when it is close enough to be a likely
// slip: at most a third of its letters differ. "" when none is.
std::string ClosestName(std::string_view word, const std::vector<std::string>& candidates);

// " (did you mean \"NAME\"?)" for the closest candidate, or "".
std::string DidYouMean(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace pellucid::cli
