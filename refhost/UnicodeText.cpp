#include "refhost/UnicodeText.h"

#include <utf8proc.h>

#include <cstdio>
#include <cstdlib>

namespace refhost {

namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isLetter(utf8proc_category_t category) {
    return category >= UTF8PROC_CATEGORY_LU && category <= UTF8PROC_CATEGORY_LO;
}

// The capital of a folded character, where it folds back to the character: otherwise two
// names that folding keeps apart ("ı" and "i") would meet in upper case.
utf8proc_int32_t capitalOf(utf8proc_int32_t code, void* /*unused*/) {
    const utf8proc_int32_t upper = utf8proc_toupper(code);
    return (upper != code && utf8proc_tolower(upper) == code) ? upper : code;
}

void appendUtf8(std::string& out, char32_t code) {
    utf8proc_uint8_t bytes[4];
    const utf8proc_ssize_t length =
        utf8proc_encode_char(static_cast<utf8proc_int32_t>(code), bytes);
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
}

// Takes over a string that utf8proc allocated.
bool takeMapped(utf8proc_ssize_t length, utf8proc_uint8_t* mapped, std::string& out) {
    if (length < 0) {
        return false;
    }
    out.assign(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(length));
    std::free(mapped);
    return true;
}

bool fold(std::string_view run, std::string& out) {
    utf8proc_uint8_t* mapped = nullptr;
    const utf8proc_ssize_t length = utf8proc_map(
        reinterpret_cast<const utf8proc_uint8_t*>(run.data()),
        static_cast<utf8proc_ssize_t>(run.size()), &mapped,
        static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD));
    return takeMapped(length, mapped, out);
}

bool upper(std::string_view run, std::string& out) {
    std::string folded;
    if (!fold(run, folded)) {
        return false;
    }
    utf8proc_uint8_t* mapped = nullptr;
    const utf8proc_ssize_t length = utf8proc_map_custom(
        reinterpret_cast<const utf8proc_uint8_t*>(folded.data()),
        static_cast<utf8proc_ssize_t>(folded.size()), &mapped,
        static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE), capitalOf, nullptr);
    return takeMapped(length, mapped, out);
}

// Applies map to every run of valid UTF-8 and keeps ill-formed bytes; ASCII runs only need
// their letters changed, which asciiMap does without utf8proc.
template <typename Map, typename AsciiMap>
std::string mapValidRuns(std::string_view text, Map map, AsciiMap asciiMap) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size()) {
            const Utf8Char c = ReadUtf8(text, end);
            if (!c.valid) {
                break;
            }
            end += c.length;
        }
        const std::string_view run = text.substr(at, end - at);
        std::string mapped;
        if (IsAscii(run)) {
            for (char c : run) {
                out.push_back(asciiMap(c));
            }
        } else if (map(run, mapped)) {
            out += mapped;
        } else {
            out.append(run);  // utf8proc's memory ran out: the text as it is
        }
        if (end < text.size()) {
            const Utf8Char bad = ReadUtf8(text, end);
            out.append(text.substr(end, bad.length));
            end += bad.length;
        }
        at = end;
    }
    return out;
}

}  // namespace

Utf8Char ReadUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    // The well-formed sequences: the second byte's range depends on the lead byte, which
    // shuts out overlong forms, surrogates and code points above U+10FFFF.
    std::size_t trailing = 0;
    char32_t code = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        code = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        code = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {0xFFFD, 1, false};
    }
    for (std::size_t k = 1; k <= trailing; ++k) {
        if (at + k >= text.size()) {
            return {0xFFFD, k, false};
        }
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (next < low || next > high) {
            return {0xFFFD, k, false};
        }
        code = (code << 6) | (next & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {code, trailing + 1, true};
}

std::size_t FindInvalidUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const Utf8Char c = ReadUtf8(text, at);
        if (!c.valid) {
            return at;
        }
        at += c.length;
    }
    return std::string_view::npos;
}

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        at += static_cast<unsigned char>(text[at]) < 0x80 ? 1 : ReadUtf8(text, at).length;
        ++count;
    }
    return count;
}

TextPosition PositionOf(std::string_view text, std::size_t at) {
    long line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    const auto column = static_cast<long>(CountCharacters(text.substr(lineStart, at - lineStart)));
    return {line, column + 1};
}

std::string DescribeInvalidUtf8(std::string_view text, std::size_t at) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(text[at])));
    return std::string("invalid UTF-8 byte ") + hex;
}

bool IsNameStart(char32_t code) {
    if (code < 0x80) {
        return IsAsciiNameStart(static_cast<unsigned char>(code));
    }
    return isLetter(utf8proc_category(static_cast<utf8proc_int32_t>(code)));
}

bool IsNameContinuation(char32_t code) {
    if (code < 0x80) {
        return IsAsciiNameContinuation(static_cast<unsigned char>(code));
    }
    const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(code));
    return isLetter(category) ||
           (category >= UTF8PROC_CATEGORY_MN && category <= UTF8PROC_CATEGORY_ND);
}

bool IsBlank(char32_t code) {
    if (code < 0x80) {
        return code == ' ' || code == '\t' || code == '\n' || code == '\r' || code == '\f' ||
               code == '\v';
    }
    const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(code));
    return code == 0x85 ||
           (category >= UTF8PROC_CATEGORY_ZS && category <= UTF8PROC_CATEGORY_ZP);
}

std::string UpperCase(std::string_view text) {
    return mapValidRuns(text, upper, upperAscii);
}

std::string FoldCase(std::string_view text) {
    return mapValidRuns(text, fold, [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
}

std::u32string Characters(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = ReadUtf8(text, at);
        out.push_back(c.code);
        at += c.length;
    }
    return out;
}

std::string UpperCaseInPlaceForm(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = ReadUtf8(text, at);
        const std::size_t before = out.size();
        if (c.valid) {
            appendUtf8(out, static_cast<char32_t>(
                                capitalOf(static_cast<utf8proc_int32_t>(c.code), nullptr)));
        }
        if (!c.valid || out.size() - before > c.length) {
            out.resize(before);
            out.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return out;
}

}  // namespace refhost
