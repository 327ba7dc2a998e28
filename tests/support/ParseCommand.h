#ifndef TESTS_SUPPORT_PARSECOMMAND_H
#define TESTS_SUPPORT_PARSECOMMAND_H

#include <string>
#include <vector>

#include "refhost/MessageLog.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/ParseCodes.h"
#include "uparser/host/TokenSequence.h"

namespace testsupport {

// What one parse of a command text left behind.
struct ParseOutcome {
    std::string text;  // the command parsed
    int code = -1;
    CommandSpec spec;
    std::vector<refhost::Emitted> messages;

    // The message texts in emission order.
    std::vector<std::string> texts() const;
};

// Tokenizes text (its first word is the command name) with the reference tokenizer and parses
// it once; a null grammar parses without one.
ParseOutcome ParseCommand(const std::string& text, const CommandDescriptor* grammar);
// The same over a host's token stream.
ParseOutcome ParseStream(TAVO_TokenSequence& stream, const CommandDescriptor* grammar);

// The parse ended with that code and that one diagnostic; a failure names the command.
void ExpectFailure(const ParseOutcome& out, ParseCodes::ParseCode code, const std::string& message);

// The token texts of a value, blank-separated; "" for none.
std::string Joined(const ParamObj* param);
// The token texts of a subcommand's leading value.
std::string Joined(const SubComObj* subCom);

}  // namespace testsupport

#endif
