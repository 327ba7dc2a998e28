#ifndef TESTS_SUPPORT_PARSECOMMAND_H
#define TESTS_SUPPORT_PARSECOMMAND_H

#include <string>
#include <vector>

#include "refhost/MessageLog.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"

namespace testsupport {

// What one parse of a command text left behind.
struct ParseOutcome {
    int code = -1;
    CommandSpec spec;
    std::vector<refhost::Emitted> messages;

    // The message texts in emission order.
    std::vector<std::string> texts() const;
};

// Tokenizes text (its first word is the command name) with the reference tokenizer and parses
// it once; a null grammar parses without one.
ParseOutcome ParseCommand(const std::string& text, const CommandDescriptor* grammar);

}  // namespace testsupport

#endif
