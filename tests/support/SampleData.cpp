#include "support/SampleData.h"

#include <cstdlib>
#include <string>

const refhost::Dictionary& SampleData() {
    static const refhost::Dictionary data = [] {
        const char* source = std::getenv("UPARSER_SOURCE_DIR");
        return refhost::Dictionary::fromCsv(std::string(source != nullptr ? source : "..") +
                                            "/examples/data/sample.csv");
    }();
    return data;
}
