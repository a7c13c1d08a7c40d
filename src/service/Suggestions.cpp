#include "Suggestions.h"

#include <algorithm>
#include <cctype>

namespace pelmora::service {

namespace {

// Options are compared without their dashes, names without letter case.
std::string Bare(std::string text) {
    text.erase(0, text.find_first_not_of('-'));
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Edits from one to the other: insertions, deletions, substitutions, and swaps of
// neighbouring letters, the commonest slip of the fingers.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

std::vector<std::string> Similar(const std::string& word, const std::vector<std::string>& names) {
    const std::string typed = Bare(word);
    // One slip in a short word, two in a long one: more would offer unrelated names.
    const size_t allowed = typed.size() < 7 ? 1 : 2;
    size_t best = allowed + 1;
    std::vector<std::string> closest;
    for (const std::string& name : names) {
        const std::string candidate = Bare(name);
        // A single letter stands for the names it begins, as a short option does.
        const bool begins = (typed.size() == 1 || typed.size() >= 3) && !typed.empty() &&
                            candidate.starts_with(typed);
        const size_t distance = begins ? 0 : Distance(typed, candidate);
        if (distance > allowed)
            continue;
        if (distance < best) {
            best = distance;
            closest.clear();
        }
        if (distance == best && std::find(closest.begin(), closest.end(), name) == closest.end())
            closest.push_back(name);
    }
    return closest;
}

std::string NoSuch(const std::string& what, const std::string& word,
                   const std::vector<std::string>& names) {
    const std::vector<std::string> meant = Similar(word, names);
    std::string told = "no " + what + " " + word;
    for (size_t i = 0; i < meant.size(); ++i)
        told += (i == 0 ? "; did you mean " : i + 1 == meant.size() ? " or " : ", ") + meant[i];
    return meant.empty() ? told : told + "?";
}

} // namespace pelmora::service
