#include "support/ParseCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
    refhost::TextTokenSequence stream(text);
    ParseOutcome outcome = ParseStream(stream, grammar);
    outcome.text = text;
    return outcome;
}

ParseOutcome ParseStream(TAVO_TokenSequence& stream, const CommandDescriptor* grammar) {
    ParseOutcome outcome;
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

void ExpectFailure(const ParseOutcome& out, ParseCodes::ParseCode code,
                   const std::string& message) {
    EXPECT_EQ(out.code, code) << out.text;
    EXPECT_THAT(out.texts(), ::testing::ElementsAre(message)) << out.text;
}

std::string Joined(const ParamObj* param) {
    std::string joined;
    for (unsigned i = 0; param != nullptr && i < param->getTokenListSize(); ++i) {
        joined += (i > 0 ? " " : "") + std::string(param->getTokenObj(i)->getString());
    }
    return joined;
}

std::string Joined(const SubComObj* subCom) {
    return Joined(subCom != nullptr ? subCom->exportParamObj() : nullptr);
}

}  // namespace testsupport
