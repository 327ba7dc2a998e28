#include "tools/uparse/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <nlohmann/json.hpp>

namespace uparse {

namespace {

using Json = nlohmann::ordered_json;

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

// Whether any byte of word is below n (n at most 128), or equal to b: the high bit of some
// byte is set then, and of none otherwise.
constexpr uint64_t AnyBelow(uint64_t word, uint8_t n) {
    return (word - kOnes * n) & ~word & kHighBits;
}
constexpr uint64_t AnyEqual(uint64_t word, uint8_t b) {
    return AnyBelow(word ^ (kOnes * b), 1);
}

// A byte's high bit for every byte of word that cannot stand in a JSON string as it is:
// one beyond ASCII, a control character, DEL, the quote or the backslash.
constexpr uint64_t Unfit(uint64_t word) {
    return ((word & kHighBits) | AnyBelow(word, 0x20) | AnyEqual(word, 0x7f) |
            AnyEqual(word, '"') | AnyEqual(word, '\\')) &
           kHighBits;
}

uint64_t Load8(const char* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

uint64_t Load4(const char* at) {
    uint32_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

bool VerbatimByte(char c) {
    return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
}

// Printable ASCII but the quote and the backslash stands in a JSON string as it is. Nearly
// every text is such ASCII, so bytes are judged eight at a time; a short text, or the end of
// a long one, is read in overlapping words rather than byte by byte.
bool Verbatim(std::string_view text) {
    const char* bytes = text.data();
    const std::size_t size = text.size();
    if (size >= 8) {
        uint64_t unfit = Unfit(Load8(bytes + size - 8));
        for (std::size_t at = 0; at + 8 <= size; at += 8) {
            unfit |= Unfit(Load8(bytes + at));
        }
        return unfit == 0;
    }
    if (size >= 4) {
        return Unfit(Load4(bytes) | Load4(bytes + size - 4) << 32) == 0;
    }
    for (std::size_t at = 0; at < size; ++at) {
        if (!VerbatimByte(bytes[at])) {
            return false;
        }
    }
    return true;
}

// Texts up to this long are quoted in a buffer and appended in one piece.
constexpr std::size_t kShortText = 64;

}  // namespace

void JsonText::separate() {
    if (mAfterKey) {
        mAfterKey = false;
        return;
    }
    if (!mFilled.empty()) {
        if (mFilled.back()) {
            mOut += ',';
        }
        mFilled.back() = true;
    }
}

JsonText& JsonText::open(char bracket) {
    separate();
    mOut += bracket;
    mFilled.push_back(false);
    return *this;
}

JsonText& JsonText::close(char bracket) {
    mFilled.pop_back();
    mOut += bracket;
    return *this;
}

JsonText& JsonText::key(std::string_view name) {
    separate();
    appendString(name, ':');
    mAfterKey = true;
    return *this;
}

void JsonText::appendString(std::string_view text, char after) {
    if (!Verbatim(text)) {
        // Escapes and the replacement of invalid UTF-8 are left to the library whose output
        // this must match; such texts are rare.
        mOut += Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
        if (after != '\0') {
            mOut += after;
        }
        return;
    }
    if (text.size() <= kShortText) {
        char quoted[kShortText + 3];
        quoted[0] = '"';
        std::memcpy(quoted + 1, text.data(), text.size());
        std::size_t length = text.size() + 1;
        quoted[length++] = '"';
        if (after != '\0') {
            quoted[length++] = after;
        }
        mOut.append(quoted, length);
        return;
    }
    mOut += '"';
    mOut.append(text.data(), text.size());
    mOut += '"';
    if (after != '\0') {
        mOut += after;
    }
}

JsonText& JsonText::string(std::string_view text) {
    separate();
    appendString(text);
    return *this;
}

JsonText& JsonText::number(double value) {
    separate();
    // A whole number below 1e15 is written with its digits and ".0"; every other one, as
    // the library writes it.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value &&
        !(value == 0 && std::signbit(value))) {
        char buffer[24];
        const std::to_chars_result written =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
        mOut.append(buffer, written.ptr);
        mOut += ".0";
        return *this;
    }
    mOut += Json(value).dump();
    return *this;
}

JsonText& JsonText::integer(long long value) {
    separate();
    char buffer[24];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
    mOut.append(buffer, written.ptr);
    return *this;
}

JsonText& JsonText::boolean(bool value) {
    separate();
    mOut += value ? "true" : "false";
    return *this;
}

JsonText& JsonText::null() {
    separate();
    mOut += "null";
    return *this;
}

JsonText& JsonText::strings(const std::vector<std::string>& texts) {
    beginArray();
    for (const std::string& text : texts) {
        string(text);
    }
    return endArray();
}

JsonText& JsonText::numbers(const std::vector<double>& values) {
    beginArray();
    for (const double value : values) {
        number(value);
    }
    return endArray();
}

}  // namespace uparse
