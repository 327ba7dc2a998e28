#ifndef EXAMPLES_PROCEDURES_WEAVE_H
#define EXAMPLES_PROCEDURES_WEAVE_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"

namespace examples {

// WEAVE [/MISSING word] [/ROWWEIGHTS variable]
//       /PANEL variable BY variable [BY variable ...] [/CELLS word ...]  (one or more panels)
//       [/LAYOUT LABELS(word) WIDTH(integer) DECIMALS(integer)]          (at most once)
//       [/SAVE OUTFILE = 'file' [STYLE = word]]                          (last, if given)
//
// Counts the cases in every combination of categories of the variables crossed in a PANEL,
// each panel a table of its own. The options that hold for every panel come first; the
// weight variable may not be crossed in any panel.
struct WeavePanel {
    std::vector<std::string> variables;  // as written
    std::vector<std::string> cells;      // upper case; COUNT when none given
};

struct WeaveSettings {
    std::string missing = "SKIP";
    std::string weight;
    std::vector<WeavePanel> panels;
    std::string labels = "NAMES";
    int width = 10;
    int decimals = 1;
    std::string outfile;  // resolved path; empty when not saved
    std::string style = "TEXT";
};

class Weave : public Procedure {
  public:
    Weave();

    // The values of a parsed command, read through the typed getters; defaults where a
    // subcommand or parameter was not given.
    WeaveSettings settings(const CommandSpec& spec) const;

  protected:
    bool validate(const CommandSpec& spec, Validation& check) const override;
};

}  // namespace examples

#endif
