#ifndef TOOLS_UPARSE_JSONOUTPUT_H
#define TOOLS_UPARSE_JSONOUTPUT_H

#include <ostream>

#include "tools/uparse/Output.h"

namespace uparse {

// For tools: one JSON object per line. A command's object has file, line, command, procedure,
// code, validated, ok, stage, tree, variables and diagnostics; a grammar's is GrammarJson.
class JsonOutput : public Output {
  public:
    explicit JsonOutput(std::ostream& out) : mOut(out) {}

    void render(const CommandReport& report, Rendered& rendered) const override;
    void emit(const Rendered& rendered) override;
    void grammar(const examples::Procedure& procedure) override;

  private:
    std::ostream& mOut;
};

}  // namespace uparse

#endif
