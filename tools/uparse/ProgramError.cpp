#include "tools/uparse/ProgramError.h"

#include <iostream>

#include "tools/uparse/Printable.h"

namespace uparse {

void ReportProgramError(const std::string& what, const std::string& reason) {
    std::cout.flush();
    std::cerr << "uparse: " << Escaped(what);
    if (!reason.empty()) {
        std::cerr << ": " << Escaped(reason);
    }
    std::cerr << std::endl;
}

std::string LowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

}  // namespace uparse
