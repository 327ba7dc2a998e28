#ifndef EXAMPLES_GENERIC_FILEPROCEDURE_H
#define EXAMPLES_GENERIC_FILEPROCEDURE_H

#include <memory>
#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "grammar/GrammarFile.h"

namespace examples {

// A procedure that knows its command from a grammar file alone: it parses with the file's
// grammar and checks every value that names variables as the file declares, and reads nothing
// else. The command's Model list, if any, is checked first, as the lists that must name its
// factors or covariates depend on it; every other list in the order of the command.
class FileProcedure : public Procedure {
  public:
    explicit FileProcedure(upgrammar::CommandGrammar grammar);

    const upgrammar::CommandGrammar& fileGrammar() const { return mFile; }

  protected:
    bool validate(const CommandSpec& spec, Validation& check) const override;

  private:
    upgrammar::CommandGrammar mFile;
};

// One procedure for each command of the files, in their order.
std::vector<std::unique_ptr<FileProcedure>> FileProcedures(
    std::vector<upgrammar::GrammarFile> files);

}  // namespace examples

#endif
