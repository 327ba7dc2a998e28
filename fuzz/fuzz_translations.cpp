// String tables whose translations are made of placeholders (^1 to ^5, ^0, ^9, a lone or
// doubled caret, bracket groups of lists) and any bytes, for the procedure, for all procedures
// or for another one; group texts and arguments of the same stuff. Every message must come out
// as one error or warning, the same twice, and a long translation must cost memory in
// proportion to its length.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "refhost/MessageLog.h"
#include "refhost/Translations.h"
#include "uparser/ParserMessage.h"
#include "uparser/ParserUtility.h"

namespace {

using fuzzsupport::ByteReader;

// Keys the messages below look up, and group texts.
const std::vector<std::string> kKeys = {
    "Subcommand ^1 has already been called...",
    "^1 is not a valid subcommand name...",
    "No subcommand at the command start...",
    "One of the subcommands is required [%1:, ^1:]1...",
    "The command cannot have more than ^1 subcommand groups...",
    "Dependent ^1 specified for ^2 must be binomial, split [%1 = %2:,^1 = ^2:]3...",
    "Parameter ^1 of subcommand ^2 does not have a proper value type...",
    "Variable ^1 for parameter ^2 is not found in dictionary...",
    "^1 block ^2...",
    "parameter ^1 of subcommand ^2...",
    "subcommand ^1...",
    "command line of ^1 command...",
    "In group ^1:",
    "Group ^2:",
};

const std::vector<std::string> kPieces = {"^1",
                                          "^2",
                                          "^3",
                                          "^4",
                                          "^5",
                                          "^0",
                                          "^9",
                                          "^",
                                          "^^1",
                                          "[%1:, ^1:]1",
                                          "[%1 = %2:,^1 = ^2:]3",
                                          "[",
                                          ":]",
                                          "]9",
                                          "%1",
                                          "%",
                                          " ",
                                          "...",
                                          "x",
                                          "\xc3\x9c",
                                          "\xff"};

const std::vector<std::string> kProcedures = {"", "Fuzzed", "Other"};

// Up to maxPieces placeholders and texts.
std::string ReadPattern(ByteReader& in, std::size_t maxPieces) {
    std::string text;
    for (std::size_t n = 0; n < maxPieces && !in.empty(); ++n) {
        if (in.chance(85)) {
            text += kPieces[in.pick(static_cast<unsigned>(kPieces.size()))];
        } else {
            text += in.bytes(4);
        }
    }
    return text;
}

// An argument: absent, empty, or a pattern of its own.
struct Argument {
    bool given = false;
    std::string text;
    const char* get() const { return given ? text.c_str() : nullptr; }
};

Argument ReadArgument(ByteReader& in) {
    Argument argument;
    argument.given = in.chance(85);
    if (argument.given) {
        argument.text = ReadPattern(in, in.pick(4));
    }
    return argument;
}

// What HasBpCompArg answers, stated on its own.
int PlaceholderKind(const std::string& text) {
    bool one = false;
    bool other = false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '^') {
            (text[i + 1] == '1' ? one : other) = true;
        }
    }
    return other ? -1 : one ? 1 : 0;
}

struct Reports {
    ParserMessage message;
    Argument args[5];
    std::string groupText;
    std::string text;  // for the general forms
};

// Every form of report once; the number of messages each form must leave.
std::size_t ReportAll(const Reports& r) {
    const ParserMessage& m = r.message;
    m.SubComRepeated(r.args[0].get());
    m.InvalidSubComName(r.args[0].get());
    m.SubComRequired(std::vector<std::string>{r.args[0].text, r.args[1].text});
    m.TooManyGroups(static_cast<int>(r.args[1].text.size()) - 2);
    m.NeedDepVarCatBinomSplits(TavoVarName(r.args[0].text), r.args[1].get(), r.args[2].get());
    m.WrongValueType(r.args[0].get(), r.args[1].get());
    m.VariableNotInDict(TavoVarName(r.args[2].text), r.args[3].get(), r.args[4].get());
    m.GenericMessage(r.text.c_str(), r.args[4].given, r.args[0].get(), r.args[1].get(),
                     r.args[2].get(), r.args[3].get(), r.args[4].get());
    m.SimpleMessage(r.text.c_str(), !r.args[4].given, r.args[0].get(), r.args[1].get(),
                    r.args[2].get(), r.args[3].get(), r.args[4].get());
    return 9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    refhost::ClearTranslations();
    for (unsigned n = in.pick(8); n > 0; --n) {
        const std::string& procedure = kProcedures[in.pick(3)];
        const std::string& key = kKeys[in.pick(static_cast<unsigned>(kKeys.size()))];
        refhost::SetTranslation(procedure, key, ReadPattern(in, in.pick(16)));
    }
    // One translation as long as the rest of the input makes it.
    const std::string& longKey = kKeys[in.pick(static_cast<unsigned>(kKeys.size()))];
    const std::string longTranslation = ReadPattern(in, 1 + in.pick(4) * 1000);

    Reports r;
    r.message.SetCommandName(in.chance(80) ? "CMD" : "");
    r.message.SetProcedureTitle(kProcedures[in.pick(3)].c_str());
    r.message.SetGroupIndex(static_cast<int>(in.pick(5)) - 1);
    r.groupText = in.chance(50) ? kKeys[12 + in.pick(2)] : ReadPattern(in, in.pick(6));
    r.message.SetGroupMsgText(r.groupText.c_str());
    r.message.SetGroupSepName(in.chance(50) ? "SEP" : "");
    for (Argument& argument : r.args) {
        argument = ReadArgument(in);
    }
    r.text = in.chance(50) ? longKey : ReadPattern(in, in.pick(8));

    // The group text as the object holds it: up to its first NUL.
    const std::string held = r.message.GetGroupMsgText();
    FUZZ_CHECK(HasBpCompArg(r.groupText.c_str()) == PlaceholderKind(held));
    if (r.message.GetGroupIndex() < 0) {
        FUZZ_CHECK(r.message.TranslateGroupMsgText().empty());
    } else if (!held.empty() && PlaceholderKind(held) < 0) {
        FUZZ_CHECK(r.message.TranslateGroupMsgText() ==
                   "This group info message has invalid format an cannot be displayed...");
    }

    std::vector<refhost::Emitted> first;
    {
        refhost::MessageLog log;
        const std::size_t expected = ReportAll(r);
        first = log.messages();
        FUZZ_CHECK(first.size() == expected);
    }
    for (const refhost::Emitted& emitted : first) {
        FUZZ_CHECK((emitted.level == 2 || emitted.level == 3) && emitted.show == 2);
    }

    // The long translation: the work of every message grows with its length, no faster.
    refhost::SetTranslation(kProcedures[in.pick(3)], longKey, longTranslation);
    {
        refhost::MessageLog log;
        const fuzzsupport::AllocationCounter allocations;
        ReportAll(r);
        // Each placeholder of the translation may stand for an argument or a location phrase.
        std::size_t longest = 200;
        for (const Argument& argument : r.args) {
            longest += argument.text.size();
        }
        const long perByte = 64 * static_cast<long>(longest);
        FUZZ_CHECK(allocations.bytes() <=
                   (1L << 20) + perByte * static_cast<long>(longTranslation.size()));
    }

    // Translating is a function of the table and the object: the same calls say the same.
    refhost::ClearTranslations();
    {
        refhost::MessageLog log;
        ReportAll(r);
        const std::vector<refhost::Emitted> english = log.messages();
        log.clear();
        ReportAll(r);
        FUZZ_CHECK(english.size() == log.messages().size());
        for (std::size_t i = 0; i < english.size(); ++i) {
            FUZZ_CHECK(english[i].text == log.messages()[i].text);
        }
    }
    return 0;
}
