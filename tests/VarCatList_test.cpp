#include "uparser/VarCatList.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "refhost/Dictionary.h"

namespace {

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

VarCatList TwoVariables() {
    return VarCatList(std::vector<TavoVarName>{"A", "B"});
}

TEST(VarCatList, RowsMustHoldOneTextPerVariable) {
    VarCatList list = TwoVariables();
    EXPECT_FALSE(list.addCatList({"1"}, 5));
    EXPECT_FALSE(list.addCatList({"1", "2", "3"}, 5));
    EXPECT_EQ(list.getMapSize(), 0U);
    EXPECT_TRUE(list.addCatList({"1", "2"}, 5));

    // The same row again replaces its number instead of adding a row.
    EXPECT_TRUE(list.addCatList({"1", "2"}, 7));
    EXPECT_EQ(list.getMapSize(), 1U);
    ASSERT_NE(list.getCatValue({"1", "2"}), nullptr);
    EXPECT_EQ(*list.getCatValue({"1", "2"}), 7);
    EXPECT_EQ(list.getCatValue({"2", "1"}), nullptr);
}

TEST(VarCatList, VariablesCanOnlyBeAddedBeforeTheFirstRow) {
    VarCatList list(TavoVarName("A"));
    EXPECT_TRUE(list.addVarName("B"));
    EXPECT_TRUE(list.addVarName("A"));  // a repeated name is kept; look-ups find the first
    EXPECT_EQ(list.getVarListSize(), 3U);
    EXPECT_EQ(list.getVarNameIndex("A"), 0);
    EXPECT_EQ(list.getVarNameIndex("a"), -1);  // names compare exactly

    ASSERT_TRUE(list.addCatList({"x", "y", "z"}, 1));
    EXPECT_FALSE(list.addVarName("C"));
    EXPECT_EQ(list.getVarListSize(), 3U);
}

TEST(VarCatList, RowsAreAssembledUpToTheVariableCount) {
    const VarCatList list = TwoVariables();
    Row row;
    EXPECT_TRUE(list.addStringToCatList(row, "1"));
    EXPECT_FALSE(list.isCatListOK(row));
    EXPECT_TRUE(list.addStringToCatList(row, "2"));
    EXPECT_TRUE(list.isCatListOK(row));
    EXPECT_FALSE(list.addStringToCatList(row, "3"));
    EXPECT_EQ(row, (Row{"1", "2"}));

    Row orphan;
    EXPECT_FALSE(VarCatList().addStringToCatList(orphan, "1"));
    EXPECT_TRUE(orphan.empty());
}

TEST(VarCatList, IntegerRowsRefuseFractions) {
    VarCatList list = TwoVariables();
    EXPECT_FALSE(list.addCatListInt({"1", "2"}, 2.5));
    EXPECT_EQ(list.getMapSize(), 0U);
    EXPECT_TRUE(list.addCatListInt({"1", "2"}, 3));
    EXPECT_TRUE(list.findCatList({"1", "2"}));
}

TEST(VarCatList, NamesAndTextsByPosition) {
    VarCatList list = TwoVariables();
    ASSERT_TRUE(list.addCatList({"1", "2"}, 0));
    const Row row{"1", "2"};
    const Row absent{"1", "3"};

    ASSERT_NE(list.getCatString("B", row), nullptr);
    EXPECT_STREQ(list.getCatString("B", row), "2");
    EXPECT_EQ(list.getCatString("B", row), row[1].c_str());  // points into the row given
    EXPECT_EQ(list.getCatString("B", absent), nullptr);
    EXPECT_EQ(list.getCatString("C", row), nullptr);
    EXPECT_STREQ(list.getCatStringByIndex(0, row), "1");
    EXPECT_EQ(list.getCatStringByIndex(2, row), nullptr);
    EXPECT_EQ(list.getCatStringByIndex(-1, row), nullptr);

    ASSERT_NE(list.getVarNameByIndex(1), nullptr);
    EXPECT_EQ(list.getVarNameByIndex(1)->str(), "B");
    EXPECT_EQ(list.getVarNameByIndex(2), nullptr);
    EXPECT_EQ(list.getVarNameByIndex(-1), nullptr);
    EXPECT_TRUE(list.findVarName("A"));
    EXPECT_FALSE(list.findVarName("C"));

    std::vector<TavoVarName> names{"stale"};
    list.copyVarList(names);
    EXPECT_EQ(names, (std::vector<TavoVarName>{"A", "B"}));
}

TEST(VarCatList, SummaryIsRecomputedOnRequestOnly) {
    VarCatList list(TavoVarName("A"));
    EXPECT_EQ(list.getMinValue(), 0);
    EXPECT_EQ(list.getMaxValue(), 0);
    EXPECT_TRUE(list.areAllValuesInt());

    double minValue = 99;
    double maxValue = 99;
    bool allInt = false;
    EXPECT_FALSE(list.getValueInfo(minValue, maxValue, allInt));
    EXPECT_EQ(minValue, 99);
    EXPECT_FALSE(allInt);

    list.addCatList({"a"}, 3);
    list.addCatList({"b"}, -1);
    list.addCatList({"c"}, 7.5);
    EXPECT_EQ(list.getMinValue(), 0);  // not refreshed yet
    list.updateValueInfo();
    EXPECT_EQ(list.getMinValue(), -1);
    EXPECT_EQ(list.getMaxValue(), 7.5);
    EXPECT_FALSE(list.areAllValuesInt());

    list.addCatList({"c"}, 8);
    ASSERT_TRUE(list.getValueInfo(minValue, maxValue, allInt));
    EXPECT_EQ(minValue, -1);
    EXPECT_EQ(maxValue, 8);
    EXPECT_TRUE(allInt);
}

// Without a dictionary the rows come in table order, with one in value order; either way the
// rows given must be as many as the table's.
TEST(VarCatList, CopiesInTableOrValueOrderNeedRowsOfTheTableSize) {
    refhost::Dictionary dictionary;
    dictionary.addNumeric("v");
    dictionary.addString("s", 4);
    VarCatList numeric(TavoVarName("V"));
    numeric.addCatList({"10"}, 1);
    numeric.addCatList({"9"}, 2);
    numeric.addCatList({"9.5"}, 3);

    Rows rows(2);
    std::vector<double> values{42};
    EXPECT_FALSE(numeric.copyMapKeyVal(rows, values));
    EXPECT_FALSE(numeric.copyMapKeyVal(rows, values, &dictionary));
    EXPECT_EQ(values, std::vector<double>{42});
    rows.resize(3);
    ASSERT_TRUE(numeric.copyMapKeyVal(rows, values));
    EXPECT_EQ(rows, (Rows{{"10"}, {"9"}, {"9.5"}}));  // texts compared as bytes
    EXPECT_EQ(values, (std::vector<double>{1, 2, 3}));

    // Numeric categories sort by the numbers they denote.
    ASSERT_TRUE(numeric.copyMapKeyVal(rows, values, &dictionary));
    EXPECT_EQ(rows, (Rows{{"9"}, {"9.5"}, {"10"}}));
    EXPECT_EQ(values, (std::vector<double>{2, 3, 1}));

    // Texts of a string variable, and of a name the dictionary lacks, sort as bytes.
    for (const char* name : {"S", "missing"}) {
        VarCatList text(std::vector<TavoVarName>{name});
        text.addCatList({"b"}, 1);
        text.addCatList({"B"}, 2);
        text.addCatList({"a"}, 3);
        Rows textRows(3);
        ASSERT_TRUE(text.copyMapKeyVal(textRows, values, &dictionary)) << name;
        EXPECT_EQ(textRows, (Rows{{"B"}, {"a"}, {"b"}})) << name;
        EXPECT_EQ(values, (std::vector<double>{2, 3, 1})) << name;
    }
}

TEST(VarCatList, DisplayWritesNamesThenRows) {
    VarCatList list = TwoVariables();
    list.addCatList({"1", "x"}, 2.5);
    list.addCatList({"0", "y"}, 10);
    std::ostringstream out;
    list.display(out);
    EXPECT_EQ(out.str(), "A B \n     0 y 10\n     1 x 2.5\n");
}

TEST(VarCatList, CopiesAreIndependent) {
    VarCatList original = TwoVariables();
    original.addCatList({"1", "2"}, 5);
    VarCatList copy(original);
    copy.addCatList({"3", "4"}, 6);
    EXPECT_EQ(original.getMapSize(), 1U);
    EXPECT_EQ(copy.getMapSize(), 2U);

    VarCatList& alias = copy;
    copy = alias;
    EXPECT_EQ(copy.getMapSize(), 2U);
    original = copy;
    EXPECT_EQ(original.getMapSize(), 2U);
}

}  // namespace
