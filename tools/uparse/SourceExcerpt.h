#ifndef TOOLS_UPARSE_SOURCEEXCERPT_H
#define TOOLS_UPARSE_SOURCEEXCERPT_H

#include <string>
#include <string_view>

namespace uparse {

// The source line of a diagnostic and, below it, a caret under the first character of the
// range and tildes under the rest of it, as compilers print them; both lines indented by one
// blank and ended by a newline. Columns count characters from 1 with an exclusive end; an
// empty range (the end of a command) gets the caret alone. The line is escaped as uparse
// escapes every text, and the marks follow what the terminal shows: an escape is as wide as
// its text (a tab shows as \t, two columns), an East Asian wide character two, a combining
// mark none.
std::string SourceExcerpt(std::string_view line, int column, int endColumn);

// Line number line of text whose first line is firstLine, without its line end; empty when
// text has no such line.
std::string_view LineOf(std::string_view text, long firstLine, long line);

}  // namespace uparse

#endif
