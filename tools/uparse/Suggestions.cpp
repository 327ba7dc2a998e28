#include "tools/uparse/Suggestions.h"

#include <algorithm>
#include <limits>

#include "refhost/UnicodeText.h"

namespace uparse {

namespace {

// The word's characters, case-folded, into folded. ASCII, which nearly every name is, folds to
// its lower case without a trip through Unicode's tables.
void FoldInto(const std::string& text, std::u32string& folded) {
    if (!refhost::IsAscii(text)) {
        folded = refhost::Characters(refhost::FoldCase(text));
        return;
    }
    folded.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        folded[i] = static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
}

// rows holds the three rows of the optimal-string-alignment table; a search reuses it for
// every candidate. Once two rows in a row reach bound, no later row comes below it (a cell
// takes from the two rows before it, adding nothing or one), and bound is the answer.
int Distance(const std::u32string& left, const std::u32string& right, std::vector<int>& rows,
             int bound = std::numeric_limits<int>::max()) {
    const std::size_t n = left.size();
    const std::size_t m = right.size();
    rows.assign(3 * (m + 1), 0);
    int* before = rows.data();
    int* previous = before + m + 1;
    int* current = previous + m + 1;
    for (std::size_t j = 0; j <= m; ++j) {
        previous[j] = static_cast<int>(j);
    }
    int previousLeast = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = static_cast<int>(i);
        int least = current[0];
        for (std::size_t j = 1; j <= m; ++j) {
            const bool same = left[i - 1] == right[j - 1];
            current[j] =
                std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && left[i - 1] == right[j - 2] && left[i - 2] == right[j - 1]) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
            least = std::min(least, current[j]);
        }
        if (least >= bound && previousLeast >= bound) {
            return bound;
        }
        previousLeast = least;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

}  // namespace

int EditDistance(const std::string& left, const std::string& right) {
    std::u32string one;
    std::u32string other;
    FoldInto(left, one);
    FoldInto(right, other);
    std::vector<int> rows;
    return Distance(one, other, rows);
}

std::string Closest(const std::string& word, const std::vector<std::string>& candidates) {
    const auto characters = static_cast<int>(refhost::CountCharacters(word));
    std::u32string folded;
    FoldInto(word, folded);
    std::u32string other;
    std::vector<int> rows;
    std::string best;
    int bestDistance = 3;
    for (const std::string& candidate : candidates) {
        FoldInto(candidate, other);
        // Words whose lengths differ by as much as the best distance cannot come closer, nor
        // be the word itself.
        const std::size_t apart = folded.size() > other.size() ? folded.size() - other.size()
                                                                : other.size() - folded.size();
        if (apart >= static_cast<std::size_t>(bestDistance)) {
            continue;
        }
        const int distance = Distance(folded, other, rows, bestDistance);
        if (distance == 0) {
            return "";
        }
        if (distance < bestDistance && distance < characters) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<std::string> VariableNames(const TAVO_DataSource& data, bool numericOnly) {
    std::vector<std::string> names;
    for (unsigned i = 0; i < data.ColumnCount(); ++i) {
        const TAVO_Variable& variable = data.GetVariable(static_cast<int>(i));
        if (!numericOnly || variable.GetType() == 0) {
            names.emplace_back(variable.GetName());
        }
    }
    return names;
}

bool SuggestName(const examples::RunResult& result, const TAVO_DataSource& data,
                 Suggestion& suggestion) {
    const TokenInfoObj& at = result.stopToken;
    if (!at.IsString()) {
        return false;
    }
    std::vector<std::string> candidates = result.expected.names;
    if (result.expected.variable != examples::Expected::Variable::None) {
        const std::vector<std::string> variables =
            VariableNames(data, result.expected.variable == examples::Expected::Variable::Numeric);
        candidates.insert(candidates.end(), variables.begin(), variables.end());
    }
    suggestion = {Closest(at.getString(), candidates), at};
    return !suggestion.name.empty();
}

}  // namespace uparse
