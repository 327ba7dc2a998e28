#ifndef EXAMPLES_PROCEDURES_VALUEREADING_H
#define EXAMPLES_PROCEDURES_VALUEREADING_H

#include <string>
#include <vector>

#include "uparser/ParamObj.h"
#include "uparser/SubComObj.h"
#include "uparser/TokenInfoObj.h"

// Small readers shared by the sample procedures.
namespace examples {

// The raw tokens of a value (empty unless it is still a token list).
std::vector<TokenInfoObj> ValueTokens(const ParamObj& value);

// The tokens of a subcommand's leading value.
std::vector<TokenInfoObj> LeadingTokens(const SubComObj& sub);

// The token texts joined by single blanks, literals in quotes.
std::string JoinTexts(const std::vector<TokenInfoObj>& tokens);

}  // namespace examples

#endif
