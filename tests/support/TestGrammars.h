#ifndef TESTS_SUPPORT_TESTGRAMMARS_H
#define TESTS_SUPPORT_TESTGRAMMARS_H

#include <initializer_list>
#include <string>

#include "uparser/CommandDescriptor.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/UPSpecTypes.h"

// Grammars shared by the parser's end-to-end and randomized suites.
namespace testsupport {

// COUNTVALUES [variables] /FORMAT LIMIT=n QUIETLY /QUANTPOINTS numbers (repeatable)
// /TABLE TITLE='text' (repeatable, TITLE required) /MISSING anything /ORDER (may be empty)
// /SORT variable ORDER=ASC|DESC; all in the global group.
CommandDescriptor CountValues();

// A by-equal subcommand that may be empty, with one number parameter N.
SubComDescriptor EmptyAllowedSubCom(const std::string& name);

// A group of that kind: the separators, then the other subcommands, all EmptyAllowedSubCom.
GroupComDescriptor GroupOf(UPSpecTypes::GroupSpec type, bool required,
                           std::initializer_list<const char*> separators,
                           std::initializer_list<const char*> others = {});

// LAYOUTS [vars] /TITLE, then groups opened by TABLE (of the given kind, required, with CELLS and
// the given message text), CHART (once, with CELLS), SAVE or EXPORT (final, with OUTFILE). Every
// subcommand is EmptyAllowedSubCom.
CommandDescriptor Tables(UPSpecTypes::GroupSpec tableKind = UPSpecTypes::GroupRepeatable,
                         const char* tableText = nullptr);

// Every subcommand in the global group:
//   (unnamed) and EQ  by "=":  KEY, OTHER, FLAG (keyword), LIST (numbers in brackets), FORLIST
//                              (words, brackets for two or more), PATH (may hold "/"), SQ
//                              (qualifiers A and B written with "=")
//   PAREN             in parentheses: KEY, OTHER, FLAG
//   BLOCK             by block: NOVAL, BYEQ, OPTEQ (value optional), BYPAREN
//   LEADEQ, LEADPAREN, LEADOPT  by block, with a leading value of that block option, and NAME
CommandDescriptor Params();

}  // namespace testsupport

#endif
