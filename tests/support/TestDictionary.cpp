#include "support/TestDictionary.h"

namespace testsupport {

refhost::Dictionary TestDictionary() {
    using namespace TAVO_Variable_Enumerations;
    refhost::Dictionary dictionary;
    dictionary.addNumeric("id", Scale, 0);
    dictionary.addNumeric("age", Scale, 0);
    dictionary.addNumeric("income", Scale, 2);
    dictionary.addNumeric("gender", Nominal, 0);
    dictionary.addNumeric("region", Nominal, 0);
    dictionary.addNumeric("educ", Ordinal, 0);
    dictionary.addNumeric("v1", Scale, 2);
    dictionary.addNumeric("v2", Scale, 2);
    dictionary.addNumeric("v3", Scale, 2);
    dictionary.addNumeric("v4", Scale, 2);
    dictionary.addString("name", 20, Nominal);
    dictionary.addString("city", 12, Nominal);
    dictionary.addNumeric("weight", Unknown, 2);
    dictionary.addString("remark", 8, Unknown);
    return dictionary;
}

}  // namespace testsupport
