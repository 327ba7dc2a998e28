#ifndef TOOLS_UPARSE_TEXTOUTPUT_H
#define TOOLS_UPARSE_TEXTOUTPUT_H

#include <ostream>
#include <string>

#include "tools/uparse/Output.h"

namespace uparse {

// For people: the command's tree and validated variables on out, its diagnostics on
// diagnostics in the compiler convention FILE:LINE:COLUMN: LEVEL: TEXT; syntax charts on out.
class TextOutput : public Output {
  public:
    // With source, each diagnostic is followed by its source line, marked under its range.
    TextOutput(std::ostream& out, std::ostream& diagnostics, bool source = true)
        : mOut(out), mDiagnostics(diagnostics), mSource(source) {}

    void command(const CommandReport& report) override;
    void grammar(const examples::Procedure& procedure) override;

  private:
    std::ostream& mOut;
    std::ostream& mDiagnostics;
    bool mSource;
    std::string mText;  // the command at hand's output, its capacity kept for the next
};

}  // namespace uparse

#endif
