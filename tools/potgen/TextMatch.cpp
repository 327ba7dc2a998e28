#include "tools/potgen/TextMatch.h"

#include <cstddef>
#include <vector>

namespace potgen {

namespace {

// A pattern is literal text between placeholders.
struct Piece {
    std::string literal;  // when number is 0
    int number = 0;       // the placeholder's k
    bool list = false;    // a list group [P:Q:]k
};

// The list group "[P:Q:]k" that starts at pattern[start]; its end and k, or false.
bool listGroup(const std::string& pattern, std::size_t start, std::size_t& end, int& number) {
    const std::size_t close = pattern.find(":]", start);
    if (close == std::string::npos || pattern.find(':', start) >= close) {
        return false;
    }
    end = close + 2;
    number = 0;
    while (end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9') {
        number = number * 10 + (pattern[end] - '0');
        ++end;
    }
    return number > 0;
}

std::vector<Piece> piecesOf(const std::string& pattern) {
    std::vector<Piece> pieces(1);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        std::size_t end = 0;
        int number = 0;
        Piece placeholder;
        if (pattern[i] == '^' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            placeholder.number = pattern[i + 1] - '0';
            end = i + 2;
        } else if (pattern[i] == '[' && listGroup(pattern, i, end, number)) {
            placeholder.number = number;
            placeholder.list = true;
        } else {
            pieces.back().literal += pattern[i];
            continue;
        }
        pieces.push_back(placeholder);
        pieces.emplace_back();
        i = end - 1;
    }
    return pieces;
}

class Matcher {
  public:
    Matcher(const std::string& text, const Explain& explain, Fillings& fillings)
        : mText(text), mExplain(explain), mFillings(fillings) {}

    bool from(const std::vector<Piece>& pieces, std::size_t index, std::size_t pos) {
        if (index == pieces.size()) {
            return pos == mText.size();
        }
        const Piece& piece = pieces[index];
        if (piece.number == 0) {
            return mText.compare(pos, piece.literal.size(), piece.literal) == 0 &&
                   from(pieces, index + 1, pos + piece.literal.size());
        }
        const auto known = mFillings.find(piece.number);
        if (known != mFillings.end()) {
            const std::string& value = known->second.value;
            return mText.compare(pos, value.size(), value) == 0 &&
                   from(pieces, index + 1, pos + value.size());
        }
        // The literal after the placeholder must follow the piece, which prunes most tries.
        const std::string& next = index + 1 < pieces.size() ? pieces[index + 1].literal : "";
        for (std::size_t end = piece.list ? pos : pos + 1; end <= mText.size(); ++end) {
            if (mText.compare(end, next.size(), next) != 0) {
                continue;
            }
            Filling filling{mText.substr(pos, end - pos), std::string(), piece.list};
            if (!mExplain(filling.value, piece.list, filling.meaning)) {
                continue;
            }
            mFillings[piece.number] = filling;
            if (from(pieces, index + 1, end)) {
                return true;
            }
            mFillings.erase(piece.number);
        }
        return false;
    }

  private:
    const std::string& mText;
    const Explain& mExplain;
    Fillings& mFillings;
};

}  // namespace

bool MatchFilling(const std::string& pattern, const std::string& text, const Explain& explain,
                  Fillings& fillings) {
    fillings.clear();
    Matcher matcher(text, explain, fillings);
    return matcher.from(piecesOf(pattern), 0, 0);
}

}  // namespace potgen
