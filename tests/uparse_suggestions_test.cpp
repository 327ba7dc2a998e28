// "Did you mean": the nearest candidate, against its definition through EditDistance, on
// random words close to and far from each other, so that cutting a distance short where no
// candidate can win anymore never changes the choice.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "refhost/UnicodeText.h"
#include "tools/uparse/Suggestions.h"

namespace {

std::string ByDefinition(const std::string& word, const std::vector<std::string>& candidates) {
    std::string best;
    int bestDistance = 3;
    for (const std::string& candidate : candidates) {
        const int distance = uparse::EditDistance(word, candidate);
        if (distance == 0) {
            return "";
        }
        if (distance < bestDistance &&
            distance < static_cast<int>(refhost::CountCharacters(word))) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

TEST(Suggestions, ClosestIsTheFirstNearestCandidateWithinTwoEdits) {
    std::mt19937 random(5);
    const auto word = [&random](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            text += static_cast<char>("abcAB"[random() % 5]);
        }
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::string asked = word(random() % 9);
        std::vector<std::string> candidates;
        for (int i = 0; i < 6; ++i) {
            // Some differ by an edit or two, some not at all alike.
            std::string candidate = random() % 2 == 0 ? asked : word(random() % 9);
            if (!candidate.empty() && random() % 3 != 0) {
                candidate[random() % candidate.size()] = 'c';
            }
            if (random() % 4 == 0) {
                candidate += word(random() % 3);
            }
            candidates.push_back(candidate);
        }
        ASSERT_EQ(uparse::Closest(asked, candidates), ByDefinition(asked, candidates))
            << asked;
    }
    EXPECT_EQ(uparse::EditDistance("STATS", "sttas"), 1);
    EXPECT_EQ(uparse::EditDistance("", "abc"), 3);
}

}  // namespace
