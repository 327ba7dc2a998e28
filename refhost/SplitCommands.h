#ifndef REFHOST_SPLITCOMMANDS_H
#define REFHOST_SPLITCOMMANDS_H

#include <string>
#include <vector>

#include "refhost/CommandSplitter.h"

namespace refhost {

// Cuts a whole syntax text into commands, by the rules of CommandSplitter.
std::vector<CommandText> SplitCommands(const std::string& text);

}  // namespace refhost

#endif
