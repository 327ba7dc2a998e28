// A token of printable ASCII goes over as it is after a check eight bytes at a time; a byte
// that needs an escape must be found in whichever lane, or in the tail, it stands.
#include <gtest/gtest.h>

#include <string>

#include "tools/uparse/Printable.h"

namespace {

TEST(UparsePrintable, EscapesABadByteInEveryLaneAndKeepsThePrintableEdges) {
    const struct {
        char byte;
        const char* escape;
    } bad[] = {{'\x00', "\\x00"}, {'\x1f', "\\x1F"}, {'\x7f', "\\x7F"}, {'\x80', "\\x80"},
               {'\xff', "\\xFF"}};
    constexpr std::size_t kLength = 19;  // two blocks of eight and a tail
    for (std::size_t at = 0; at < kLength; ++at) {
        for (const auto& each : bad) {
            std::string text(kLength, ' ');
            text[at] = each.byte;
            std::string out = "<";
            uparse::AppendPrintableToken(out, text);
            EXPECT_EQ(out, "<" + std::string(at, ' ') + each.escape +
                               std::string(kLength - at - 1, ' '))
                << "byte " << static_cast<int>(static_cast<unsigned char>(each.byte))
                << " at " << at;
        }
        std::string edges(kLength, '~');
        edges[at] = ' ';
        std::string out;
        uparse::AppendPrintableToken(out, edges);
        EXPECT_EQ(out, edges);
    }
}

}  // namespace
