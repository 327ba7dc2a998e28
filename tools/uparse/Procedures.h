#ifndef TOOLS_UPARSE_PROCEDURES_H
#define TOOLS_UPARSE_PROCEDURES_H

#include <memory>
#include <string>
#include <vector>

#include "examples/generic/FileProcedure.h"
#include "examples/procedures/Procedure.h"
#include "uparser/host/TokenSequence.h"

namespace uparse {

// The procedures uparse knows: the commands of the grammar files it was given, then the
// sample procedures. A command of a grammar file takes the place of a sample of the same name.
class Procedures {
  public:
    // Reads the grammar files, each FILE and every *.json of each DIR in name order. False,
    // with error saying which file and where, at the first file that cannot be read, and when
    // two files declare the same command.
    bool load(const std::vector<std::string>& files, const std::vector<std::string>& dirs,
              std::string& error);

    // The procedure whose name the command's first token begins with, or null; the stream
    // is left at its start.
    const examples::Procedure* find(TAVO_TokenSequence& tokens) const;
    // The commands of the grammar files, or the samples when no file was given.
    std::vector<const examples::Procedure*> listed() const;
    // Every command name uparse knows.
    std::vector<std::string> names() const;

  private:
    std::vector<std::unique_ptr<examples::FileProcedure>> mFromFiles;
    std::vector<std::string> mSources;  // the file of each, for messages
};

}  // namespace uparse

#endif
