#ifndef UPARSER_PARSECODES_H
#define UPARSER_PARSECODES_H

// What UniversalParser::getCommandSpecifications answers: 0, or the code of the first rule that
// failed, after the parser has reported it once. The numbers are part of the interface: hosts
// store and compare them as plain integers, to which the enumeration converts.
namespace ParseCodes {

enum ParseCode : int {
    // The command was parsed; the result tree holds all of it.
    Parsed = 0,
    // No rule names the failure: the tokens ran out inside a value, an empty token, no memory.
    UnnamedFailure = 1,
    // A group may not begin here: its separator opens no group, or a final group came before.
    GroupNotAllowed = 2,
    // (3 is never answered.)
    // A group that is not repeatable occurs a second time.
    GroupRepeated = 4,
    // A required group is missing.
    GroupMissing = 5,
    // A subcommand name the grammar does not know, or a "/" not followed by a name.
    UnknownSubCom = 6,
    // The subcommand belongs to another group than the one being parsed.
    SubComOfOtherGroup = 7,
    // A subcommand that is not repeatable occurs again in its group.
    SubComRepeated = 8,
    // A required subcommand of the group is missing.
    SubComMissing = 9,
    // A subcommand has no content and may not be empty.
    SubComEmpty = 10,
    // A token cannot start a parameter.
    InvalidParam = 11,
    // A value does not have the expected form or type.
    WrongValue = 12,
    // A parameter occurs twice in its subcommand.
    ParamRepeated = 13,
    // A required parameter is missing, or parameters come before a required leading value.
    ParamMissing = 14,
    // Parentheses where the grammar forbids them.
    ParenNotAllowed = 15,
    // No parentheses where the grammar requires them.
    ParenRequired = 16,
    // No square brackets where the grammar requires them.
    BracketsRequired = 17
};

}  // namespace ParseCodes

#endif
