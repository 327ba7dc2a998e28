#ifndef EXAMPLES_PROCEDURES_SKETCH_H
#define EXAMPLES_PROCEDURES_SKETCH_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"

namespace examples {

// SKETCH variables [/STATS ...] [/FORMAT ...] [/TITLE 'text'] [/PARTITION variable] [/NOTE ...]
//
// A short summary of each variable named in the leading list (names, TO ranges or ALL): the
// figures chosen with STATS, laid out as FORMAT says, under a TITLE, and once per group of
// the PARTITION variable, which may not be one of the variables summarised. NOTE takes free
// text and may be given any number of times.
struct SketchSettings {
    std::vector<std::string> figures;  // CENTER, SPREAD, RANGE, SHAPE as written
    double trim = 0;                   // percent cut from each end before CENTER
    int digits = 2;
    int width = 80;
    std::string order = "ASLISTED";
    std::string title;
    std::vector<std::string> notes;  // one per NOTE, its tokens joined by blanks
};

class Sketch : public Procedure {
  public:
    Sketch();

    // The values of a parsed command, read through the typed getters; defaults where a
    // subcommand or parameter was not given.
    SketchSettings settings(const CommandSpec& spec) const;

  protected:
    bool validate(const CommandSpec& spec, Validation& check) const override;
};

}  // namespace examples

#endif
