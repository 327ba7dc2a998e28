// uparse's JSON writer against the library whose output it must match byte for byte: strings
// judged a word at a time must escape exactly where a byte needs it, wherever it stands.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "tools/uparse/JsonText.h"

namespace {

using Json = nlohmann::ordered_json;

std::string Written(const std::string& text) {
    std::string out;
    uparse::JsonText(out).string(text);
    return out;
}

std::string Expected(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Every byte that needs escaping or replacing, and neighbours that do not, at every place of
// texts from empty to longer than two words, as a string and as a key.
TEST(JsonText, StringsMatchTheLibraryWhereverAByteNeedsEscaping) {
    const std::string special = {'"', '\\', '\x00', '\x1f', ' ', '\x7f', '~', '\x80', '\xff',
                                 '\n', '!', '#', '[', ']'};
    for (std::size_t length = 0; length <= 20; ++length) {
        const std::string plain(length, 'a');
        ASSERT_EQ(Written(plain), Expected(plain));
        for (std::size_t at = 0; at < length; ++at) {
            for (const char c : special) {
                std::string text = plain;
                text[at] = c;
                ASSERT_EQ(Written(text), Expected(text)) << length << " " << at << " " << int(c);
                std::string keyed;
                uparse::JsonText(keyed).beginObject().key(text).null().endObject();
                ASSERT_EQ(keyed, "{" + Expected(text) + ":null}");
            }
        }
    }
    // Valid UTF-8 and stray bytes mixed, long and short.
    std::mt19937 random(21);
    for (int i = 0; i < 2000; ++i) {
        std::string text(random() % 40, ' ');
        for (char& c : text) {
            c = static_cast<char>(random() % 3 == 0 ? random() % 256 : 'a' + random() % 26);
        }
        text += i % 2 == 0 ? "\xc3\xa9" : "";
        ASSERT_EQ(Written(text), Expected(text));
    }
}

}  // namespace
