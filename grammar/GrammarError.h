#ifndef GRAMMAR_GRAMMARERROR_H
#define GRAMMAR_GRAMMARERROR_H

#include <string>

#include "grammar/GrammarExport.h"

namespace upgrammar {

// The one thing wrong with a grammar file, where it stands and what was expected there.
struct UPGRAMMAR_API GrammarError {
    std::string file;
    long line = 0;    // from 1; 0 when the error concerns the file as a whole
    long column = 0;  // from 1, in characters
    std::string message;

    // "FILE:LINE:COLUMN: error: MESSAGE", as compilers write it.
    std::string text() const;
};

}  // namespace upgrammar

#endif
