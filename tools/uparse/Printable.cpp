#include "tools/uparse/Printable.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "refhost/UnicodeText.h"

namespace uparse {

namespace {

constexpr std::size_t kLongest = 100;  // characters shown whole
constexpr std::size_t kKept = 80;      // characters shown of a longer text

// The control characters (C0, DEL, C1), the line and paragraph separators, and the
// bidirectional embeddings, overrides, isolates and marks, which reorder what follows them.
bool NeedsEscape(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
           code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

void AppendEscape(std::string& out, char32_t code) {
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
    std::snprintf(buffer, sizeof buffer, code < 0x80 ? "\\x%02X" : "\\u%04X",
                  static_cast<unsigned>(code));
    out += buffer;
}

// Each byte of a sequence that is not UTF-8, as \xHH.
void AppendBytes(std::string& out, std::string_view bytes) {
    char buffer[8];
    for (char byte : bytes) {
        std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(byte));
        out += buffer;
    }
}

bool PlainAscii(char c) {
    return c >= 0x20 && c < 0x7f;
}

// Whether text is printable ASCII throughout, eight bytes at a time: a byte below 0x20, or
// above 0x7E, sets the high bit of its lane in one of the two tests.
bool AllPlainAscii(std::string_view text) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHigh = kOnes * 0x80;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        uint64_t lanes = 0;
        std::memcpy(&lanes, text.data() + at, sizeof lanes);
        const uint64_t below = (lanes - kOnes * 0x20) & ~lanes;
        const uint64_t above = (lanes + kOnes * (0x7F - 0x7E)) | lanes;
        if (((below | above) & kHigh) != 0) {
            return false;
        }
    }
    for (; at < text.size(); ++at) {
        if (!PlainAscii(text[at])) {
            return false;
        }
    }
    return true;
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
        const refhost::Utf8Char character = refhost::ReadUtf8(text, at);
        if (!character.valid) {
            AppendBytes(out, text.substr(at, character.length));
        } else if (NeedsEscape(character.code)) {
            AppendEscape(out, character.code);
        } else {
            out.append(text.data() + at, character.length);
        }
        at += character.length;
    }
    return at;
}

bool LongerThan(std::string_view text, std::size_t characters) {
    if (text.size() <= characters) {
        return false;  // no character is shorter than a byte
    }
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size() && count <= characters; ++count) {
        at += refhost::ReadUtf8(text, at).length;
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

void AppendEscapedText(std::string& out, std::string_view text) {
    AppendEscaped(out, text, text.size());
}

std::string Printable(std::string_view text) {
    // A message of printable ASCII whose words are all short, as nearly every one is, stays
    // as it is.
    std::size_t run = 0;
    bool plain = true;
    for (std::size_t i = 0; i < text.size() && plain; ++i) {
        plain = PlainAscii(text[i]);
        run = text[i] == ' ' ? 0 : run + 1;
        plain = plain && run <= kLongest;
    }
    if (plain) {
        return std::string(text);
    }
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

void AppendPrintableToken(std::string& out, std::string_view text) {
    // Nearly every token is short printable ASCII, which goes over as it is.
    if (text.size() <= kLongest && AllPlainAscii(text)) {
        out.append(text.data(), text.size());
        return;
    }
    AppendShortened(out, text);
}

}  // namespace uparse
