#include "support/VarLists.h"

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

void ExpectConsistent(const VarSpecObj& spec, const TAVO_DataSource& dict, bool mayRepeat,
                      bool checkNumeric) {
    const int columns = static_cast<int>(dict.ColumnCount());
    std::vector<int> count(static_cast<std::size_t>(columns), 0);
    for (const int index : spec.GetValidVarList()) {
        ASSERT_GE(index, 0);
        ASSERT_LT(index, columns);
        ++count[static_cast<std::size_t>(index)];
        if (checkNumeric && spec.GetNumericVars()) {
            EXPECT_EQ(dict.GetVariable(index).GetType(), 0) << index;
        }
    }
    for (int index = 0; index < columns; ++index) {
        const int n = count[static_cast<std::size_t>(index)];
        ASSERT_EQ(spec.IsValidVariable(index), n > 0) << index;
        if (!mayRepeat) {
            ASSERT_LE(n, 1) << index;
        }
    }
    EXPECT_FALSE(spec.IsValidVariable(-1));
    EXPECT_FALSE(spec.IsValidVariable(columns));
}

}  // namespace testsupport
