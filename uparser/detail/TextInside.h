#ifndef UPARSER_DETAIL_TEXTINSIDE_H
#define UPARSER_DETAIL_TEXTINSIDE_H

#include <functional>
#include <string>

namespace text_inside {

// Whether the text is kept inside the string object (no heap block), told without a guess
// about the library's inline capacity. std::less orders pointers into different objects too.
inline bool TextInside(const std::string& text) {
    const char* const object = reinterpret_cast<const char*>(&text);
    const std::less<const char*> before;
    return !before(text.data(), object) && before(text.data(), object + sizeof text);
}

}  // namespace text_inside

#endif
