#include "grammar/GrammarError.h"

namespace upgrammar {

std::string GrammarError::text() const {
    std::string where = file;
    if (line > 0) {
        where += ":" + std::to_string(line) + ":" + std::to_string(column);
    }
    return where + ": error: " + message;
}

}  // namespace upgrammar
