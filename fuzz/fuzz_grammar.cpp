// A grammar built from the input, and a host token stream from the rest of it that bends the
// stream's contract as far as it goes: any type and operator code, texts that are null, empty
// or hold NUL bytes, upper texts unlike their texts, and now and then a stream that throws.
// The parse must end in one of its codes with as many messages as the code promises, read no
// token after the stream's end, answer the same twice, leave a tree that can be copied and read,
// and do work that grows linearly with the command.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "RandomGrammar.h"
#include "refhost/MessageLog.h"
#include "support/HostFaults.h"
#include "uparser/CommandSpec.h"
#include "uparser/ParserUtility.h"
#include "uparser/UniversalParser.h"

namespace {

using testsupport::HostFault;
using testsupport::HostTokenStream;

// A 64 KiB input reads as about 20,000 tokens.
constexpr std::size_t kMaxTokens = 40000;

// Host calls and allocations of a parse, per token and per descriptor of the grammar, far above
// what the parser needs (about 20 on the corpus) and far below what a loop that rescans the
// command or copies what it built would cost on a long command.
constexpr long kWorkPerTokenAndDescriptor = 200;

struct Outcome {
    int code = -1;
    bool threw = false;
    long work = 0;  // host calls and allocations
    std::vector<refhost::Emitted> messages;
};

Outcome Parse(HostTokenStream& stream, const CommandDescriptor& grammar, CommandSpec& spec,
              long throwAt) {
    refhost::MessageLog log;
    Outcome outcome;
    const long callsBefore = stream.calls();
    const fuzzsupport::AllocationCounter allocations;
    stream.throwAt(throwAt);
    UniversalParser parser(stream, spec, grammar);
    try {
        outcome.code = parser.getCommandSpecifications();
    } catch (const HostFault&) {
        outcome.threw = true;
    }
    stream.throwAt(0);
    outcome.work = stream.calls() - callsBefore + allocations.count();
    const long calls = stream.calls();
    // One parser parses one command: asking again neither reads nor says anything.
    const int again = parser.getCommandSpecifications();
    FUZZ_CHECK(outcome.threw ? again != 0 : again == outcome.code);
    FUZZ_CHECK(stream.calls() == calls);
    outcome.messages = log.messages();
    return outcome;
}

// Look-ups upper-case the name asked for; a name the host upper-cased otherwise (its upper
// text need not be the text's) cannot be found by itself.
bool IsOwnUpper(const std::string& name) {
    return GetUpperString(name) == name;
}

// Everything in the tree can be found by its name and read.
void Walk(const CommandSpec& spec) {
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj* group = spec.getGroupObj(g);
        FUZZ_CHECK(group != nullptr);
        for (unsigned s = 0; s < group->getSubComListSize(); ++s) {
            const SubComObj* sub = group->getSubComObj(s);
            FUZZ_CHECK(sub != nullptr);
            FUZZ_CHECK(!IsOwnUpper(sub->getSubComName()) ||
                       group->getSubComObj(sub->getSubComName()) != nullptr);
            std::vector<TokenInfoObj> tokens;
            sub->exportParamObj()->getTokenList(tokens);
            for (unsigned p = 0; p < sub->getParamListSize(); ++p) {
                const ParamObj* param = sub->getParamObj(p);
                FUZZ_CHECK(param != nullptr);
                FUZZ_CHECK(!IsOwnUpper(param->getParamName()) ||
                           sub->getParamObj(param->getParamName()) != nullptr);
                param->getTokenList(tokens);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzsupport::ByteReader in(data, size);
    const CommandDescriptor grammar = fuzzsupport::ReadGrammar(in);
    const long throwAt = in.pick(16) == 0 ? 1 + in.pick(200) : 0;
    HostTokenStream stream("");
    stream.tokens() = fuzzsupport::ReadHostTokens(in, kMaxTokens);
    const long tokens = static_cast<long>(stream.tokens().size());

    CommandSpec spec;
    const Outcome first = Parse(stream, grammar, spec, throwAt);
    FUZZ_CHECK(stream.nextCallsAfterEnd() == 0);
    const long descriptors = static_cast<long>(fuzzsupport::GrammarSize(grammar));
    FUZZ_CHECK(first.work <= kWorkPerTokenAndDescriptor * (tokens + 1) * (descriptors + 1));
    for (const refhost::Emitted& message : first.messages) {
        FUZZ_CHECK((message.level == 2 || message.level == 3) && message.show == 2);
    }
    {
        refhost::MessageLog quiet;
        const CommandSpec copy = spec;
        Walk(copy);
    }
    if (first.threw) {
        return 0;
    }
    const int code = first.code;
    fuzzsupport::CheckParseAnswer(code, first.messages);

    stream.setPosition(0);
    CommandSpec again;
    const Outcome second = Parse(stream, grammar, again, 0);
    FUZZ_CHECK(second.code == code);
    FUZZ_CHECK(fuzzsupport::SameMessages(first.messages, second.messages));
    FUZZ_CHECK(again.getGroupListSize() == spec.getGroupListSize());
    return 0;
}
