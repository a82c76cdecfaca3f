#include "cli/suggestions.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>

namespace pellucid::cli {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Edits (insertions, deletions, substitutions and swaps of neighbours) that turn a into b.
size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
                Lower(a[i - 2]) == Lower(b[j - 1])) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::string ClosestName(std::string_view word, const std::vector<std::string>& candidates) {
    std::string best;
    size_t bestDistance = std::max<size_t>(1, (word.size() + 2) / 3) + 1;
    for (const std::string& candidate : candidates) {
        // Names that differ from the word by much more than their length differences cannot win.
        const size_t lengthGap = candidate.size() > word.size() ? candidate.size() - word.size()
                                                                : word.size() - candidate.size();
        if (lengthGap >= bestDistance) {
            continue;
        }
        const size_t distance = EditDistance(word, candidate);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string>& candidates) {
    const std::string best = ClosestName(word, candidates);
    return best.empty() ? "" : fmt::format(" (did you mean \"{}\"?)", best);
}

}  // namespace pellucid::cli
