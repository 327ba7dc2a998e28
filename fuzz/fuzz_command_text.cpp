// A syntax text of any bytes cut into commands, and the command name checked against the first
// token of each, through the reference tokenizer and through a host stream whose first token
// may have no text. The cut keeps the order of the lines, never puts a blank line inside a
// command and copies the text a bounded number of times; the name check answers as the name and
// the token say and leaves the stream at its start.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AllocationCounter.h"
#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "refhost/SplitCommands.h"
#include "refhost/TextTokenSequence.h"
#include "support/HostFaults.h"
#include "uparser/ParserUtility.h"

namespace {

using testsupport::HostTokenStream;

// Bytes allocated while cutting: per byte of the text, as the text is copied into its commands
// once; and per command, as their vector grows geometrically (four times the final size at
// most). A text of tiny commands ("a.\n" over and over) costs more per byte in the vector than
// in the copies.
constexpr long kBytesPerByte = 16;
constexpr long kBytesPerCommand = 4 * static_cast<long>(sizeof(refhost::CommandText));
constexpr long kBytesAtLeast = 4096;

bool IsBlankLine(const std::string& text, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        if (std::string_view(" \t\r\f\v").find(text[i]) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

void CheckCommands(const std::string& text, const std::vector<refhost::CommandText>& commands) {
    long lastLine = 0;
    for (const refhost::CommandText& command : commands) {
        FUZZ_CHECK(command.firstLine > lastLine);
        FUZZ_CHECK(!command.text.empty());
        std::size_t begin = 0;
        long line = command.firstLine;
        while (begin <= command.text.size()) {
            std::size_t end = command.text.find('\n', begin);
            if (end == std::string::npos) {
                end = command.text.size();
            }
            FUZZ_CHECK(!IsBlankLine(command.text, begin, end));
            begin = end + 1;
            lastLine = line++;
        }
    }
    FUZZ_CHECK(commands.empty() ||
               lastLine <= 1 + static_cast<long>(std::count(text.begin(), text.end(), '\n')));
}

// The first token matches when its upper text begins with the name's; the stream is back at its
// start afterwards, whatever the answer.
void CheckName(const std::string& name, TAVO_TokenSequence& stream) {
    const bool matches = CheckCommandName(name, stream);
    const bool hasToken = stream.next();
    const char* upper = nullptr;
    unsigned length = 0;
    if (hasToken) {
        stream.getUpperString(&upper, &length);
    }
    stream.setPosition(0);
    const std::string token = upper != nullptr ? std::string(upper, length) : std::string();
    // The name's length counts, even where the host's upper text of it is shorter.
    const std::string wanted = GetUpperString(name);
    if (!hasToken || token.size() < name.size()) {
        FUZZ_CHECK(!matches);
    } else if (name.empty() ||
               (wanted.size() == name.size() && token.compare(0, wanted.size(), wanted) == 0)) {
        FUZZ_CHECK(matches);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<refhost::CommandText> commands;
    {
        const fuzzsupport::AllocationCounter allocations;
        commands = refhost::SplitCommands(text);
        FUZZ_CHECK(allocations.bytes() <=
                   kBytesAtLeast + kBytesPerByte * static_cast<long>(size) +
                       kBytesPerCommand * static_cast<long>(commands.size()));
    }
    CheckCommands(text, commands);

    // Names taken from the text itself: the first bytes of a command, cut anywhere.
    fuzzsupport::ByteReader in(data, size);
    for (std::size_t c = 0; c < commands.size() && c < 8; ++c) {
        const refhost::CommandText& command = commands[c];
        const std::string name = command.text.substr(0, in.pick(12));
        refhost::TextTokenSequence tokens(command.text, command.firstLine);
        CheckName(name, tokens);
        CheckName(std::string(), tokens);

        HostTokenStream odd(command.text);
        if (!odd.tokens().empty() && in.chance(50)) {
            odd.tokens()[0].upper.reset();
        }
        CheckName(name, odd);
        FUZZ_CHECK(odd.nextCallsAfterEnd() == 0);
    }
    return 0;
}
