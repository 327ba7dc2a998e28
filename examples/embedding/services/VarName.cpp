// Variable names: the host's name type and its naming rule (a letter, then letters, digits or
// "_", at most 64 bytes; this host knows ASCII names only).
#include "uparser/host/VarName.h"

#include <cctype>
#include <cstring>
#include <utility>

TavoVarName::TavoVarName() = default;
TavoVarName::TavoVarName(char const* text) : mText(text == nullptr ? "" : text) {}
TavoVarName::TavoVarName(std::string text) : mText(std::move(text)) {}

const std::string& TavoVarName::str() const {
    return mText;
}
char const* TavoVarName::c_str() const {
    return mText.c_str();
}
bool TavoVarName::empty() const {
    return mText.empty();
}
bool TavoVarName::operator==(const TavoVarName& other) const {
    return mText == other.mText;
}
bool TavoVarName::operator<(const TavoVarName& other) const {
    return mText < other.mText;
}

int ValidateTAVOName(char const* name) {
    const std::size_t length = name == nullptr ? 0 : std::strlen(name);
    if (length == 0 || length > 64 || !std::isalpha(static_cast<unsigned char>(name[0]))) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i])) && name[i] != '_') {
            return 1;
        }
    }
    return 0;
}
