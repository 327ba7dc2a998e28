#include "grammar/JsonDocument.h"

#include <utility>

#include <nlohmann/json.hpp>

#include "grammar/JsonText.h"

namespace upgrammar {

using Json = nlohmann::json;

// Appends a node for every value the parser reports and links it to its container.
class JsonDocument::Builder {
  public:
    Builder(JsonDocument& document, std::size_t maxDepth)
        : mNodes(document.mNodes), mNames(document.mNames), mMaxDepth(maxDepth) {}

    bool null() { return add(JsonNode::Kind::Null) >= 0; }
    bool boolean(bool value) {
        mNodes[add(JsonNode::Kind::Boolean)].boolean = value;
        return true;
    }
    bool number_integer(Json::number_integer_t value) { return number(double(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return number(double(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return number(value); }
    bool string(Json::string_t& value) {
        mNodes[add(JsonNode::Kind::String)].text = std::move(value);
        return true;
    }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(JsonNode::Kind::Object); }
    bool start_array(std::size_t) { return open(JsonNode::Kind::Array); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool key(Json::string_t& name) {
        mKey = KeyOf(name);
        mName = 0;
        if (mKey == kKeyCount) {
            mNames.push_back(std::move(name));
            mName = static_cast<std::uint32_t>(mNames.size());
        } else if (Contains(mSeen.back(), mKey)) {
            mRepeatedKey = true;
            return false;
        } else {
            mSeen.back() |= KeySet(1) << mKey;
        }
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const Json::exception& error) {
        mErrorOffset = position > 0 ? position - 1 : 0;
        mErrorMessage = error.what();
        return false;
    }

    bool tooDeep() const { return mTooDeep; }
    bool repeatedKey() const { return mRepeatedKey; }
    std::size_t errorOffset() const { return mErrorOffset; }
    const std::string& errorMessage() const { return mErrorMessage; }

  private:
    int add(JsonNode::Kind kind) {
        const auto index = static_cast<std::uint32_t>(mNodes.size());
        mNodes.emplace_back();
        JsonNode& node = mNodes.back();
        node.kind = kind;
        if (!mOpen.empty()) {
            JsonNode& parent = mNodes[mOpen.back()];
            if (parent.kind == JsonNode::Kind::Object) {
                node.key = mKey;
                node.mName = mName;
            }
            if (parent.size++ == 0) {
                parent.mFirst = index;
            } else {
                mNodes[parent.mLast].mNext = index;
            }
            parent.mLast = index;
        }
        return static_cast<int>(index);
    }
    bool number(double value) {
        mNodes[add(JsonNode::Kind::Number)].number = value;
        return true;
    }
    bool open(JsonNode::Kind kind) {
        if (mOpen.size() >= mMaxDepth) {
            mTooDeep = true;
            return false;
        }
        mOpen.push_back(static_cast<std::uint32_t>(add(kind)));
        if (kind == JsonNode::Kind::Object) {
            mSeen.push_back(0);
        }
        return true;
    }
    bool close() {
        if (mNodes[mOpen.back()].kind == JsonNode::Kind::Object) {
            mSeen.pop_back();
        }
        mOpen.pop_back();
        return true;
    }

    std::vector<JsonNode>& mNodes;
    std::vector<std::string>& mNames;
    std::size_t mMaxDepth;
    std::vector<std::uint32_t> mOpen;
    std::vector<KeySet> mSeen;  // the keys each open object has so far
    Key mKey = kKeyCount;
    std::uint32_t mName = 0;
    bool mTooDeep = false;
    bool mRepeatedKey = false;
    std::size_t mErrorOffset = 0;
    std::string mErrorMessage;
};

namespace {

// "[json.exception.parse_error.101] parse error at line 1, column 2: what" says just "what".
std::string WhatWentWrong(std::string message) {
    if (message.rfind("[json.exception.", 0) == 0 && message.find("] ") != std::string::npos) {
        message.erase(0, message.find("] ") + 2);
    }
    const std::size_t column = message.find(", column ");
    const std::size_t colon = message.find(": ", column == std::string::npos ? 0 : column);
    if (column != std::string::npos && colon != std::string::npos) {
        message.erase(0, colon + 2);
    }
    return message;
}

}  // namespace

bool JsonDocument::parse(const std::string& text, std::size_t maxDepth, JsonProblem& problem) {
    mNodes.clear();
    mNames.clear();
    // A guess that spares most regrowth: grammar files hold a value for every 16 bytes or so.
    mNodes.reserve(text.size() / 16 + 1);
    Builder builder(*this, maxDepth);
    if (!Json::sax_parse(text, &builder)) {
        if (builder.tooDeep()) {
            problem = {FindTooDeep(text, maxDepth),
                       "nested deeper than " + std::to_string(maxDepth) + " levels"};
        } else if (builder.repeatedKey()) {
            std::string key;
            const std::size_t at = FindRepeatedKey(text, key);
            problem = {at, "key \"" + key + "\" given twice in one object"};
        } else {
            problem = {builder.errorOffset(),
                       "invalid JSON: " + WhatWentWrong(builder.errorMessage())};
        }
        mNodes.clear();
        return false;
    }
    // The array is complete: the links can become pointers.
    for (JsonNode& node : mNodes) {
        node.first = node.size > 0 ? &mNodes[node.mFirst] : nullptr;
        node.next = node.mNext > 0 ? &mNodes[node.mNext] : nullptr;
    }
    return true;
}

std::string JsonDocument::nameOf(const JsonNode& member) const {
    return member.mName > 0 ? mNames[member.mName - 1] : NameOf(member.key);
}

}  // namespace upgrammar
