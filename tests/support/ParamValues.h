#ifndef TESTS_SUPPORT_PARAMVALUES_H
#define TESTS_SUPPORT_PARAMVALUES_H

#include <string>

#include "uparser/ParamObj.h"

namespace testsupport {

// Parameter KEY of subcommand SUB with the tokens of text as its value; "" is the keyword alone.
ParamObj Value(const std::string& text);

// A value part, its protected reader opened.
class Part : public ParamObj {
  public:
    using ParamObj::ParamObj;
    using ParamObj::parseTokenList;
};

}  // namespace testsupport

#endif
