#ifndef TOOLS_UPARSE_OPTIONS_H
#define TOOLS_UPARSE_OPTIONS_H

#include <string>
#include <vector>

namespace uparse {

struct Options {
    std::vector<std::string> files;        // "-" is standard input; none means standard input
    std::string dataPath;                  // CSV data file; empty: the built-in sample
    std::vector<std::string> grammars;     // grammar files
    std::vector<std::string> grammarDirs;  // directories of grammar files
    std::string messages;                  // catalog file, "none", or empty: the English catalog
    bool json = false;
    bool raw = false;
    bool list = false;
};

// Reads the command line. Answers -1 when the program should go on, else the exit status:
// 0 after --help or --version (printed), 2 after a usage error (reported on standard error).
int ParseOptions(int argc, char** argv, Options& options);

}  // namespace uparse

#endif
