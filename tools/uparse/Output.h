#ifndef TOOLS_UPARSE_OUTPUT_H
#define TOOLS_UPARSE_OUTPUT_H

#include <memory>
#include <ostream>
#include <string>

#include "examples/procedures/Procedure.h"
#include "tools/uparse/CommandReport.h"

namespace uparse {

// Where uparse's results go: text for people, or JSON lines for tools. Each form is one class;
// a new kind of result is a new member here. The program's own errors are no results: they go
// to standard error through ReportProgramError in every form.
class Output {
  public:
    // A command's output, made ready to be written: its text for the results and its text
    // for the findings (empty where it has none).
    struct Rendered {
        std::string results;
        std::string findings;
    };

    virtual ~Output() = default;

    // One checked command: rendered, then emitted.
    void command(const CommandReport& report);
    // Makes the command's output ready without writing it; it touches nothing but rendered,
    // so that commands may be rendered on several threads at once.
    virtual void render(const CommandReport& report, Rendered& rendered) const = 0;
    // Writes a rendered command, in the order the commands are to appear.
    virtual void emit(const Rendered& rendered) = 0;
    // The grammar of one procedure (--list).
    virtual void grammar(const examples::Procedure& procedure) = 0;
};

// The JSON form writes everything to out; the text form writes trees and charts to out and
// the findings about commands to diagnostics.
std::unique_ptr<Output> MakeOutput(bool json, std::ostream& out, std::ostream& diagnostics,
                                   bool source = true);

}  // namespace uparse

#endif
