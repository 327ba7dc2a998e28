#ifndef UPARSER_DETAIL_TOKENLIST_H
#define UPARSER_DETAIL_TOKENLIST_H

#include "uparser/TokenInfoObj.h"
#include "uparser/detail/InlineList.h"

namespace uparser_detail {

// The tokens of one parameter value: nearly always one, held inside the parameter.
using TokenList = InlineList<TokenInfoObj>;

}  // namespace uparser_detail

#endif
