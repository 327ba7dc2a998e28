#include "uparser/host/VarName.h"

#include <string_view>
#include <utility>

#include "refhost/ReservedWords.h"
#include "refhost/UnicodeText.h"

TavoVarName::TavoVarName() = default;

TavoVarName::TavoVarName(char const* text) : mText(text != nullptr ? text : "") {}

TavoVarName::TavoVarName(std::string text) : mText(std::move(text)) {}

const std::string& TavoVarName::str() const { return mText; }

TavoVarName::operator const std::string&() const { return mText; }

char const* TavoVarName::c_str() const { return mText.c_str(); }

bool TavoVarName::empty() const { return mText.empty(); }

bool TavoVarName::operator==(const TavoVarName& other) const { return mText == other.mText; }

bool TavoVarName::operator!=(const TavoVarName& other) const { return mText != other.mText; }

bool TavoVarName::operator<(const TavoVarName& other) const { return mText < other.mText; }

namespace {

constexpr std::size_t kMaxNameBytes = 64;

}  // namespace

// 1: empty or too long; 2: a bad first character; 3: a bad later character; 4: ends in ".";
// 5: a reserved word; 6: not valid UTF-8. The library asks on every token, so ASCII
// characters are judged on the spot.
int ValidateTAVOName(char const* name) {
    if (name == nullptr) {
        return 1;
    }
    const std::string_view text(name);
    if (text.empty() || text.size() > kMaxNameBytes) {
        return 1;
    }
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        bool accepted = false;
        std::size_t length = 1;
        if (c < 0x80) {
            accepted = at == 0 ? refhost::IsAsciiNameStart(c) : refhost::IsAsciiNameContinuation(c);
        } else {
            const refhost::Utf8Char character = refhost::ReadUtf8(text, at);
            if (!character.valid) {
                return 6;
            }
            accepted = at == 0 ? refhost::IsNameStart(character.code)
                               : refhost::IsNameContinuation(character.code);
            length = character.length;
        }
        if (!accepted) {
            return at == 0 ? 2 : 3;
        }
        at += length;
    }
    if (text.back() == '.') {
        return 4;
    }
    if (refhost::ReservedWordCode(name, text.size()) != 0) {
        return 5;
    }
    return 0;
}
