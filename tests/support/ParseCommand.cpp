#include "support/ParseCommand.h"

#include "refhost/TextTokenSequence.h"
#include "uparser/UniversalParser.h"

namespace testsupport {

std::vector<std::string> ParseOutcome::texts() const {
    std::vector<std::string> result;
    result.reserve(messages.size());
    for (const refhost::Emitted& message : messages) {
        result.push_back(message.text);
    }
    return result;
}

ParseOutcome ParseCommand(const std::string& text, const CommandDescriptor* grammar) {
    ParseOutcome outcome;
    refhost::TextTokenSequence stream(text);
    refhost::MessageLog log;
    if (grammar != nullptr) {
        UniversalParser parser(stream, outcome.spec, *grammar);
        outcome.code = parser.getCommandSpecifications();
    } else {
        UniversalParser parser(stream, outcome.spec);
        outcome.code = parser.getCommandSpecifications();
    }
    outcome.messages = log.messages();
    return outcome;
}

}  // namespace testsupport
