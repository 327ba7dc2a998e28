#include "refhost/SplitCommands.h"

#include <string_view>
#include <utility>

namespace refhost {

std::vector<CommandText> SplitCommands(const std::string& text) {
    std::vector<CommandText> commands;
    CommandSplitter splitter;
    CommandText command{std::string(), 0};
    const std::string_view all = text;
    std::size_t begin = 0;
    while (begin < all.size()) {
        std::size_t end = all.find('\n', begin);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        if (splitter.addLine(all.substr(begin, end - begin), command)) {
            commands.push_back(std::move(command));
        }
        begin = end + 1;
    }
    if (splitter.finish(command)) {
        commands.push_back(std::move(command));
    }
    return commands;
}

}  // namespace refhost
