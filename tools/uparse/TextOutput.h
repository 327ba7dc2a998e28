#ifndef TOOLS_UPARSE_TEXTOUTPUT_H
#define TOOLS_UPARSE_TEXTOUTPUT_H

#include <ostream>

#include "tools/uparse/Output.h"

namespace uparse {

// For people: the command's tree and validated variables on out, its diagnostics on
// diagnostics in the compiler convention FILE:LINE:COLUMN: LEVEL: TEXT; syntax charts on out.
class TextOutput : public Output {
  public:
    // With source, each diagnostic is followed by its source line, marked under its range.
    TextOutput(std::ostream& out, std::ostream& diagnostics, bool source = true)
        : mOut(out), mDiagnostics(diagnostics), mSource(source) {}

    void render(const CommandReport& report, Rendered& rendered) const override;
    void emit(const Rendered& rendered) override;
    void grammar(const examples::Procedure& procedure) override;

  private:
    std::ostream& mOut;
    std::ostream& mDiagnostics;
    bool mSource;
};

}  // namespace uparse

#endif
