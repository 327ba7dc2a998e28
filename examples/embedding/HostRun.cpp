#include "HostRun.h"

#include <cstdio>
#include <string>

#include "Host.h"

namespace embedding {

namespace {

int failures = 0;

void expect(bool condition, const std::string& what) {
    if (!condition) {
        std::printf("embedding: failed: %s\n", what.c_str());
        ++failures;
    }
}

}  // namespace

int RunRankCommands(RankEntry rank) {
    DataSet data;
    data.addNumeric("age", TAVO_Variable_Enumerations::Scale);
    data.addNumeric("income", TAVO_Variable_Enumerations::Scale);
    data.addString("city", 12);

    TokenList correct({Word("RANK"), Operator("/", TokenSequenceBase::Slash), Word("VARIABLES"),
                       Word("age"), Word("Income"), Operator("/", TokenSequenceBase::Slash),
                       Word("groups"), Number("5")});
    RankSettings settings;
    expect(rank(correct, data, settings) == 0, "the correct command is accepted");
    expect(settings.groups == 5, "GROUPS reads 5");
    expect(settings.variables.size() == 2 && settings.variables[1] == "income",
           "the variables are age and income, named as the data set names them");
    expect(Messages().empty(), "the correct command draws no message");

    TokenList wrong({Word("RANK"), Operator("/", TokenSequenceBase::Slash), Word("VARIABLES"),
                     Word("age"), Operator("/", TokenSequenceBase::Slash), Word("GROUPS"),
                     Number("40")});
    RankSettings ignored;
    expect(rank(wrong, data, ignored) != 0, "the wrong command is rejected");
    expect(Messages().size() == 1, "the host's error service got one message");
    if (Messages().size() == 1) {
        const Message& message = Messages().front();
        expect(message.level == 3, "the message is an error");
        expect(message.text ==
                   "Value 40 breaks included lower boundary 2 or included upper "
                   "boundary 10 for parameter subcommand GROUPS......",
               "the message reads as the library words it: " + message.text);
    }
    expect(StringTableLookUps() > 0, "the host's string table served the library");

    for (const Message& message : Messages()) {
        std::printf("embedding: message %d: %s\n", message.level, message.text.c_str());
    }
    std::printf("embedding: 2 commands, %zu message, %d failures\n", Messages().size(), failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace embedding
