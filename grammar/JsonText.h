#ifndef GRAMMAR_JSONTEXT_H
#define GRAMMAR_JSONTEXT_H

#include <cstddef>
#include <string>
#include <vector>

// Where things stand in the text of a JSON document. The JSON library keeps no positions of
// the values it reads, so an error found in the parsed document is placed by walking the text
// once more, only when there is an error to place. The text must be JSON the library accepted.
namespace upgrammar {

struct TextPosition {
    long line = 0;    // from 1
    long column = 0;  // from 1, in characters (UTF-8 code points)
};

// The line and column of a byte offset (clamped to the text).
TextPosition PositionAt(const std::string& text, std::size_t offset);

// The byte offset of the value that `path` leads to (object keys and array indices in
// decimal, from the root), or of its key when atKey is true and the value is a member of an
// object; npos when there is no such value.
std::size_t FindValue(const std::string& text, const std::vector<std::string>& path, bool atKey);

// The offset of the first key that repeats a key of the same object, with the key; npos when
// no key repeats.
std::size_t FindRepeatedKey(const std::string& text, std::string& key);

// The offset of the first object or array nested deeper than maxDepth; npos when none is.
std::size_t FindTooDeep(const std::string& text, std::size_t maxDepth);

}  // namespace upgrammar

#endif
