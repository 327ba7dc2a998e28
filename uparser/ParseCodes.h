#ifndef UPARSER_PARSECODES_H
#define UPARSER_PARSECODES_H

// What UniversalParser::getCommandSpecifications answers: 0, or the code of the first rule that
// failed, after the parser has reported it once. The numbers are part of the interface: hosts
// store and compare them as plain integers, which the enumeration converts to.
namespace ParseCodes {

enum ParseCode : int {
    Parsed = 0,               // the command was parsed; the result tree holds all of it
    UnnamedFailure = 1,       // no rule names the failure: the tokens ran out inside a value,
                              // a host gave an empty token, memory ran out
    GroupNotAllowed = 2,      // a group may not begin here: unknown separator, or a final group
                              // came before
    // 3 is never answered.
    GroupRepeated = 4,        // a group that is not repeatable occurs a second time
    GroupMissing = 5,         // a required group is missing
    UnknownSubCom = 6,        // a subcommand name the grammar does not know, or "/" without a name
    SubComOfOtherGroup = 7,   // the subcommand belongs to another group than the current one
    SubComRepeated = 8,       // a subcommand that is not repeatable occurs again in its group
    SubComMissing = 9,        // a required subcommand of the group is missing
    SubComEmpty = 10,         // a subcommand has no content and may not be empty
    InvalidParam = 11,        // a token cannot start a parameter
    WrongValue = 12,          // a value does not have the expected form or type
    ParamRepeated = 13,       // a parameter occurs twice in its subcommand
    ParamMissing = 14,        // a required parameter is missing, or parameters come before a
                              // required leading value
    ParenNotAllowed = 15,     // parentheses where the grammar forbids them
    ParenRequired = 16,       // no parentheses where the grammar requires them
    BracketsRequired = 17     // no square brackets where the grammar requires them
};

}  // namespace ParseCodes

#endif
