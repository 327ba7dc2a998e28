#ifndef EXAMPLES_PROCEDURES_SPROUT_H
#define EXAMPLES_PROCEDURES_SPROUT_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"

namespace examples {

// SPROUT dependents [BY factors] [WITH covariates]
//        [/SETTINGS REPEATS(integer) DELTAMIN(number) LEVEL(number)]
//        [/CODING factors (word)] ...
//        [/SELECT RULE = word[(number)]]
//        [/SAVE FITVALUES(name) LEFTOVER(name)]
//        [/WEIGHTBY variable]
//
// Grows a model of the dependents from categorical factors and numeric covariates. CODING
// says how the levels of some factors are coded (each factor at most once); SELECT how terms
// enter the model; SAVE names new variables for the fitted values and the residuals; the
// WEIGHTBY variable may not be part of the model.
struct SproutCoding {
    std::vector<std::string> factors;  // as written
    std::string scheme;                // upper case
};

struct SproutSettings {
    int repeats = 20;
    double deltaMin = 1e-6;
    double level = 95;
    std::vector<SproutCoding> codings;
    std::string rule = "ALLIN";
    double ruleLimit = 0.05;
    std::string fitValues;
    std::string leftover;
    std::string weight;
};

class Sprout : public Procedure {
  public:
    Sprout();

    // The values of a parsed command, read through the typed getters; defaults where a
    // subcommand or parameter was not given.
    SproutSettings settings(const CommandSpec& spec) const;

  protected:
    bool validate(const CommandSpec& spec, Validation& check) const override;
};

}  // namespace examples

#endif
