#include "tools/uparse/JsonText.h"

#include <charconv>
#include <cmath>

#include <nlohmann/json.hpp>

namespace uparse {

namespace {

using Json = nlohmann::ordered_json;

// Printable ASCII but the quote and the backslash stands in a JSON string as it is.
bool Verbatim(std::string_view text) {
    for (const char c : text) {
        if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
            return false;
        }
    }
    return true;
}

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
    appendString(name);
    mOut += ':';
    mAfterKey = true;
    return *this;
}

void JsonText::appendString(std::string_view text) {
    if (Verbatim(text)) {
        mOut += '"';
        mOut.append(text.data(), text.size());
        mOut += '"';
        return;
    }
    // Escapes and the replacement of invalid UTF-8 are left to the library whose output this
    // must match; such texts are rare.
    mOut += Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
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
