#include "refhost/SplitCommands.h"

#include <climits>
#include <utility>

namespace refhost {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// The last non-blank byte of [begin, end), or end when there is none.
std::size_t lastNonBlank(const std::string& text, std::size_t begin, std::size_t end) {
    for (std::size_t i = end; i > begin; --i) {
        if (!isBlank(text[i - 1])) {
            return i - 1;
        }
    }
    return end;
}

void finish(CommandText& command, std::vector<CommandText>& commands) {
    const std::size_t last = lastNonBlank(command.text, 0, command.text.size());
    if (last != command.text.size()) {
        const bool onlyTheDot =
            command.text[last] == '.' && lastNonBlank(command.text, 0, last) == last;
        if (!onlyTheDot) {
            commands.push_back(std::move(command));
        }
    }
    command.text.clear();
}

}  // namespace

std::vector<CommandText> SplitCommands(const std::string& text) {
    std::vector<CommandText> commands;
    CommandText command{std::string(), 0};
    long line = 0;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) {
            end = text.size();
        }
        if (line < LONG_MAX) {
            ++line;
        }
        const std::size_t last = lastNonBlank(text, begin, end);
        if (last == end) {
            finish(command, commands);
        } else {
            std::size_t keep = end;
            if (keep > begin && text[keep - 1] == '\r') {
                --keep;
            }
            if (command.text.empty()) {
                command.firstLine = line;
            } else {
                command.text.push_back('\n');
            }
            command.text.append(text, begin, keep - begin);
            if (text[last] == '.') {
                finish(command, commands);
            }
        }
        begin = next;
    }
    finish(command, commands);
    return commands;
}

}  // namespace refhost
