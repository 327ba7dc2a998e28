#include "uparser/host/VarName.h"

#include <cstring>
#include <utility>

#include "refhost/ReservedWords.h"

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

bool isNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80 || c == '@' ||
           c == '#' || c == '$';
}

bool isNameByte(unsigned char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

}  // namespace

int ValidateTAVOName(char const* name) {
    if (name == nullptr) {
        return 1;
    }
    const std::size_t length = std::strlen(name);
    if (length == 0 || length > kMaxNameBytes) {
        return 1;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(name);
    if (!isNameStart(bytes[0])) {
        return 2;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!isNameByte(bytes[i])) {
            return 3;
        }
    }
    if (bytes[length - 1] == '.') {
        return 4;
    }
    if (refhost::ReservedWordCode(name, length) != 0) {
        return 5;
    }
    return 0;
}
