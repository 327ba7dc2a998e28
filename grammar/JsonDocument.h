#ifndef GRAMMAR_JSONDOCUMENT_H
#define GRAMMAR_JSONDOCUMENT_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grammar/GrammarKeys.h"

namespace upgrammar {

// What is wrong with a JSON text, and the byte offset where it stands.
struct JsonProblem {
    std::size_t offset = 0;
    std::string message;
};

// One value of a parsed document. The members of an object and the elements of an array are
// its children, in the order written; a member knows its key.
struct JsonNode {
    enum class Kind : std::uint8_t { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    Key key = kKeyCount;  // a member's key; kKeyCount for an element or a key of no grammar
    bool boolean = false;
    double number = 0;
    std::string text;  // a string's value
    std::size_t size = 0;
    const JsonNode* first = nullptr;
    const JsonNode* next = nullptr;

    bool isObject() const { return kind == Kind::Object; }
    bool isArray() const { return kind == Kind::Array; }
    bool isString() const { return kind == Kind::String; }
    bool empty() const { return size == 0; }

  private:
    friend class JsonDocument;
    std::uint32_t mFirst = 0;  // while building: indices, as the node array still grows
    std::uint32_t mLast = 0;
    std::uint32_t mNext = 0;
    std::uint32_t mName = 0;  // 1 + index of a key of no grammar in the document's names
};

// An object's members by key; null where the object has none.
struct Members {
    std::array<const JsonNode*, kKeyCount> member{};

    const JsonNode* operator[](Key key) const { return member[key]; }
};

// A JSON text parsed by the JSON library into one array of nodes, with the member names
// resolved to grammar keys as they are read. Much lighter than the library's own document,
// which allocates every object and string on its own: a large grammar is read several times
// faster. Stricter than JSON in two ways a grammar file needs: a key given twice in one object
// (which would silently replace the first) and nesting deeper than maxDepth are refused.
class JsonDocument {
  public:
    // Never throws on bad input.
    bool parse(const std::string& text, std::size_t maxDepth, JsonProblem& problem);

    // Valid after a successful parse, until the next.
    const JsonNode& root() const { return mNodes.front(); }
    // The key of a member as written.
    std::string nameOf(const JsonNode& member) const;

  private:
    class Builder;
    std::vector<JsonNode> mNodes;
    std::vector<std::string> mNames;
};

}  // namespace upgrammar

#endif
