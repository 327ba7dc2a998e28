#ifndef GRAMMAR_JSONLAYOUT_H
#define GRAMMAR_JSONLAYOUT_H

#include <string>

#include <nlohmann/json.hpp>

namespace upgrammar {

// The document as text for people to read and diff: two blanks of indentation per level, and
// an array or object that holds only numbers, strings and booleans on one line when that line
// stays within 100 columns. The same document always gives the same bytes, ending in a line
// end.
std::string LayOut(const nlohmann::ordered_json& document);

}  // namespace upgrammar

#endif
