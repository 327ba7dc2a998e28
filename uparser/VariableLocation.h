#ifndef UPARSER_VARIABLELOCATION_H
#define UPARSER_VARIABLELOCATION_H

#include <string>

// Where a variable was named in a command; an empty name means "none".
struct VariableLocation {
    std::string paramName;
    std::string subComName;
};

#endif
