// Uses the installed headers and libraries the way a host's procedure would: tokenize a
// command, check its name, and keep its tokens as snapshots.
#include <cstdio>
#include <cstring>
#include <vector>

#include "refhost/refhost.h"
#include "uparser/uparser.h"

namespace {

int failures = 0;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "consumer: failed: %s\n", what);
        ++failures;
    }
}

}  // namespace

int main() {
    refhost::TextTokenSequence stream("COUNTVALUES VARIABLES = age income\n  /FORMAT = QUIETLY.",
                                      3);
    check(CheckCommandName("count", stream), "the command name matches its abbreviation");
    check(!CheckCommandName("SUMMARYSTATS", stream), "another command name does not match");

    const std::vector<TokenInfoObj> tokens = refhost::Snapshots(stream);
    check(tokens.size() == 9, "nine tokens");
    if (tokens.size() == 9) {
        check(std::strcmp(tokens[0].getString(), "COUNTVALUES") == 0,
              "the stream was back at its start after the name check");
        check(tokens[2].getOperatorCode() == TokenSequenceBase::EqualSign, "= is an equal sign");
        check(tokens[3].IsVarName(), "age is a variable name");
        check(std::strcmp(tokens[4].getUpperString(), "INCOME") == 0, "upper text");
        check(tokens[5].getOperatorCode() == TokenSequenceBase::Slash, "/ opens a subcommand");
        check(tokens[5].getLineNumber() == 4 && tokens[5].getColumn() == 3, "line and column");
    }
    std::printf("consumer: %zu tokens, %d failures\n", tokens.size(), failures);
    return failures == 0 ? 0 : 1;
}
