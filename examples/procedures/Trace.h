#ifndef EXAMPLES_PROCEDURES_TRACE_H
#define EXAMPLES_PROCEDURES_TRACE_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"

namespace examples {

// TRACE variables [(STYLE = word WIDTH = integer)] [variables [(...)]] ...
//       [/AXIS TICKS = numbers LABELS = 'text' ... STEP = number]
//       [/HIGHLIGHT integers]
//       [/RANGE LOW(number) HIGH(number)]
//       [/LEGEND PLACE = INSIDE(word) | OUTSIDE(word) | NONE  FONT = SIZE(integer) FACE(word)]
//
// Draws one line per numeric variable over the cases. The variables come in blocks, each
// block ended by its own line qualifiers; a variable named in two blocks is drawn as the
// later block says. HIGHLIGHT marks case numbers; RANGE limits the vertical axis.
struct TraceSettings {
    std::vector<double> ticks;
    std::vector<std::string> tickLabels;
    double step = 0;  // 0: chosen from the data
    std::vector<int> highlight;
    bool hasLow = false;
    double low = 0;
    bool hasHigh = false;
    double high = 0;
    std::string place = "OUTSIDE";
    std::string side = "RIGHT";  // empty for NONE
    int fontSize = 10;
    std::string fontFace = "SANS";
};

class Trace : public Procedure {
  public:
    Trace();

    // The values of a parsed command, read through the typed getters; defaults where a
    // subcommand or parameter was not given. The variable blocks and their qualifiers are
    // read by the validation (RunResult::variables).
    TraceSettings settings(const CommandSpec& spec) const;

  protected:
    bool validate(const CommandSpec& spec, Validation& check) const override;
};

}  // namespace examples

#endif
