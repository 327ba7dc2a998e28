#ifndef TOOLS_UPARSE_JSONTEXT_H
#define TOOLS_UPARSE_JSONTEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace uparse {

// JSON text written straight into a string, byte for byte as nlohmann::json's compact dump
// with invalid UTF-8 replaced would write the same document, without building the document
// first. Commas are placed by the writer; keys are written with key() before their value.
class JsonText {
  public:
    explicit JsonText(std::string& out) : mOut(out) {}

    JsonText& beginObject() { return open('{'); }
    JsonText& endObject() { return close('}'); }
    JsonText& beginArray() { return open('['); }
    JsonText& endArray() { return close(']'); }
    JsonText& key(std::string_view name);

    JsonText& string(std::string_view text);
    JsonText& number(double value);
    JsonText& integer(long long value);
    JsonText& boolean(bool value);
    JsonText& null();
    JsonText& strings(const std::vector<std::string>& texts);
    JsonText& numbers(const std::vector<double>& values);

  private:
    void separate();
    JsonText& open(char bracket);
    JsonText& close(char bracket);
    // The text quoted, then after unless it is NUL.
    void appendString(std::string_view text, char after = '\0');

    std::string& mOut;
    // Whether the innermost open object or array already has an element.
    std::vector<char> mFilled;
    bool mAfterKey = false;
};

}  // namespace uparse

#endif
