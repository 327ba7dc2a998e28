#ifndef TESTS_SUPPORT_VARLISTS_H
#define TESTS_SUPPORT_VARLISTS_H

#include "uparser/VarSpecObj.h"

namespace testsupport {

// The flags of the list object agree with its list at every index of the dictionary and
// outside it; without mayRepeat no index is listed twice; with checkNumeric a numeric list
// holds numeric variables only.
void ExpectConsistent(const VarSpecObj& spec, const TAVO_DataSource& dict, bool mayRepeat = true,
                      bool checkNumeric = true);

}  // namespace testsupport

#endif
