#ifndef TESTS_SUPPORT_TESTDICTIONARY_H
#define TESTS_SUPPORT_TESTDICTIONARY_H

#include <gtest/gtest.h>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"

namespace testsupport {

// A small dictionary for tests, always built the same way. Names are lower case; look-ups
// ignore case. Ranges such as "age TO income" or "v1 TO v4" follow the index order.
//
//   index  name     type  format  level
//   0      id       num   F8.0    Scale
//   1      age      num   F8.0    Scale
//   2      income   num   F8.2    Scale
//   3      gender   num   F8.0    Nominal
//   4      region   num   F8.0    Nominal
//   5      educ     num   F8.0    Ordinal
//   6      v1       num   F8.2    Scale
//   7      v2       num   F8.2    Scale
//   8      v3       num   F8.2    Scale
//   9      v4       num   F8.2    Scale
//   10     name     A20   A20     Nominal
//   11     city     A12   A12     Nominal
//   12     weight   num   F8.2    Unknown (no level set)
//   13     remark   A8    A8      Unknown (no level set)
refhost::Dictionary TestDictionary();

// The indices above, by name.
namespace vars {
constexpr int kId = 0, kAge = 1, kIncome = 2, kGender = 3, kRegion = 4, kEduc = 5, kV1 = 6, kV2 = 7,
              kV3 = 8, kV4 = 9, kName = 10, kCity = 11, kWeight = 12, kRemark = 13;
}  // namespace vars

// A fresh test dictionary, and a log of the messages emitted while the test runs.
class DictionaryTest : public ::testing::Test {
  protected:
    refhost::Dictionary mDict = TestDictionary();
    refhost::MessageLog mLog;
};

}  // namespace testsupport

#endif
