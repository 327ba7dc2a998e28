#include "tools/uparse/Printable.h"

#include <utf8proc.h>

#include <cstdio>
#include <string>

namespace uparse {

namespace {

constexpr std::size_t kLongest = 100;  // characters shown whole
constexpr std::size_t kKept = 80;      // characters shown of a longer text

// The character at text[at]: its code point (-1 for a byte that begins no UTF-8 sequence) and
// its length in bytes.
utf8proc_ssize_t Next(std::string_view text, std::size_t at, utf8proc_int32_t& code) {
    const utf8proc_ssize_t length =
        utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(text.data() + at),
                         static_cast<utf8proc_ssize_t>(text.size() - at), &code);
    if (length <= 0) {
        code = -1;
        return 1;
    }
    return length;
}

bool NeedsEscape(utf8proc_int32_t code) {
    if (code < 0) {
        return true;
    }
    // The bidirectional embeddings, overrides, isolates and marks reorder what follows them.
    const bool bidi = code == 0x061C || code == 0x200E || code == 0x200F ||
                      (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
    const utf8proc_category_t category = utf8proc_category(code);
    return bidi || category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_ZL ||
           category == UTF8PROC_CATEGORY_ZP;
}

void AppendEscape(std::string& out, utf8proc_int32_t code, unsigned char byte) {
    char buffer[12];
    switch (code) {
        case '\t':
            out += "\\t";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        default:
            break;
    }
    if (code < 0x80) {
        std::snprintf(buffer, sizeof buffer, "\\x%02X",
                      static_cast<unsigned>(code < 0 ? byte : code));
    } else {
        std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(code));
    }
    out += buffer;
}

bool PlainAscii(char c) {
    return c >= 0x20 && c < 0x7f;
}

// Escapes text into out, at most limit characters of it; answers how many bytes it took.
std::size_t AppendEscaped(std::string& out, std::string_view text, std::size_t limit) {
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < limit; ++count) {
        // Printable ASCII, nearly all of any syntax, goes over as it is, a run at a time.
        std::size_t end = at;
        while (end < text.size() && end - at < limit - count && PlainAscii(text[end])) {
            ++end;
        }
        if (end > at) {
            out.append(text.data() + at, end - at);
            count += end - at - 1;
            at = end;
            continue;
        }
        utf8proc_int32_t code = 0;
        const utf8proc_ssize_t length = Next(text, at, code);
        if (NeedsEscape(code)) {
            AppendEscape(out, code, static_cast<unsigned char>(text[at]));
        } else {
            out.append(text.data() + at, static_cast<std::size_t>(length));
        }
        at += static_cast<std::size_t>(length);
    }
    return at;
}

bool LongerThan(std::string_view text, std::size_t characters) {
    if (text.size() <= characters) {
        return false;  // no character is shorter than a byte
    }
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size() && count <= characters; ++count) {
        utf8proc_int32_t code = 0;
        at += static_cast<std::size_t>(Next(text, at, code));
    }
    return count > characters;
}

void AppendShortened(std::string& out, std::string_view text) {
    if (!LongerThan(text, kLongest)) {
        AppendEscaped(out, text, text.size());
        return;
    }
    AppendEscaped(out, text, kKept);
    out += "...[" + std::to_string(text.size()) + " bytes]";
}

}  // namespace

std::string Escaped(std::string_view text) {
    std::string out;
    AppendEscaped(out, text, text.size());
    return out;
}

std::string Printable(std::string_view text) {
    std::string out;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find(' ', begin);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        AppendShortened(out, text.substr(begin, end - begin));
        if (end < text.size()) {
            out += ' ';
        }
        begin = end + 1;
    }
    return out;
}

std::string PrintableToken(std::string_view text) {
    std::string out;
    AppendShortened(out, text);
    return out;
}

}  // namespace uparse
