#include "refhost/CommandSplitter.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace refhost {

namespace {

// Room for a command of a few lines at its first line: a command's text otherwise regrows
// with nearly every line it gains. Eight times the first line, so that a text of tiny
// commands does not hold a block of this size for each.
constexpr std::size_t kCommandBytes = 256;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// The index of the last non-blank byte of text before end, or end when there is none.
std::size_t lastNonBlank(std::string_view text, std::size_t end) {
    for (std::size_t i = end; i > 0; --i) {
        if (!isBlank(text[i - 1])) {
            return i - 1;
        }
    }
    return end;
}

}  // namespace

bool CommandSplitter::addLine(std::string_view line, CommandText& command) {
    if (mLine < LONG_MAX) {
        ++mLine;
    }
    const std::size_t last = lastNonBlank(line, line.size());
    if (last == line.size()) {
        return close(command);
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (mOpen.text.empty()) {
        mOpen.firstLine = mLine;
        mOpen.text.reserve(std::min(kCommandBytes, 8 * line.size()));
    } else {
        mOpen.text.push_back('\n');
    }
    mOpen.text.append(line);
    return line[last] == '.' && close(command);
}

bool CommandSplitter::finish(CommandText& command) {
    const bool closed = close(command);
    mLine = 0;
    return closed;
}

bool CommandSplitter::close(CommandText& command) {
    const std::string_view text = mOpen.text;
    const std::size_t last = lastNonBlank(text, text.size());
    const bool keep =
        last != text.size() && !(text[last] == '.' && lastNonBlank(text, last) == last);
    if (keep) {
        command = std::move(mOpen);
    }
    mOpen.text.clear();
    return keep;
}

}  // namespace refhost
