#include "examples/generic/SampleGrammars.h"

#include <cctype>

#include "examples/procedures/GrammarLookup.h"

namespace examples {

const char* const kSampleSchemaReference = "../../grammar/uparser-grammar.schema.json";

namespace {

using upgrammar::CommandGrammar;
using upgrammar::ValueNotes;
using upgrammar::VariableCheck;
using upgrammar::VariableKind;
using upgrammar::VariableRegistry;
using upgrammar::VariableScope;

// Attaches notes to the parts of a grammar, found by the names of subcommand and parameter.
class Annotator {
  public:
    explicit Annotator(CommandGrammar& grammar) : mGrammar(grammar) {}

    // The subcommand's notes, or, with a parameter name, the parameter's ("" for the
    // subcommand's own value).
    void help(const char* sub, const char* text) { subNotes(sub).help = text; }
    void help(const char* sub, const char* param, const char* text) {
        value(sub, param).help = text;
    }
    void helpQualifiers(const char* sub, const char* param,
                        std::initializer_list<const char*> texts) {
        ValueNotes& notes = value(sub, param);
        notes.qualifiers.clear();
        for (const char* text : texts) {
            notes.qualifiers.emplace_back();
            notes.qualifiers.back().help = text;
        }
    }
    ValueNotes& value(const char* sub, const char* param) {
        upgrammar::SubComNotes& notes = subNotes(sub);
        if (*param == '\0') {
            return notes.value;
        }
        const SubComDescriptor* desc = FindAnySubComDesc(mGrammar.descriptor, sub);
        notes.parameters.resize(desc->getParamDescListSize());
        return notes.parameters[desc->getParamDescIndex(param)];
    }
    void variables(ValueNotes& notes, const VariableCheck& check) {
        notes.checksVariables = true;
        notes.variables = check;
    }

  private:
    upgrammar::SubComNotes& subNotes(const char* sub) {
        const CommandDescriptor& desc = mGrammar.descriptor;
        for (int g = 0; g < desc.getGroupDescListSize(); ++g) {
            const int s = desc.getGroupDesc(g)->getSubComDescIndex(sub);
            if (s >= 0) {
                return mGrammar.notesAt(g, s);
            }
        }
        return mGrammar.notesAt(0, 0);
    }

    CommandGrammar& mGrammar;
};

VariableCheck Check(VariableKind kind, const char* role) {
    VariableCheck check;
    check.kind = kind;
    check.role = role;
    return check;
}

VariableCheck Numeric(const char* role) {
    VariableCheck check = Check(VariableKind::Existing, role);
    check.numeric = true;
    return check;
}

void AnnotateSketch(Annotator& a) {
    a.help("", "The variables to summarise");
    a.variables(a.value("", ""), Check(VariableKind::Existing, "summarised"));
    a.help("STATS", "The figures to show");
    a.help("STATS", "CENTER", "Mean and median");
    a.help("STATS", "SPREAD", "Standard deviation and quartiles");
    a.help("STATS", "RANGE", "Smallest and largest value");
    a.help("STATS", "SHAPE", "Skewness and tails");
    a.help("STATS", "TRIM", "Percent of cases trimmed at each end for the trimmed mean");
    a.help("FORMAT", "How the figures are printed");
    a.help("FORMAT", "DIGITS", "Decimal places");
    a.help("FORMAT", "WIDTH", "Width of the output in characters");
    a.help("FORMAT", "ORDER", "Order of the variables in the output");
    a.help("TITLE", "The title of the output");
    a.help("PARTITION", "A variable whose values split the cases into groups");
    a.variables(a.value("PARTITION", ""), Check(VariableKind::Existing, "groups"));
    a.help("NOTE", "Free text printed under the output");
}

void AnnotateWeave(Annotator& a) {
    a.help("MISSING", "Whether cases with a missing value are skipped or kept");
    a.help("ROWWEIGHTS", "A numeric variable that weights the cases");
    a.variables(a.value("ROWWEIGHTS", ""), Numeric("weight"));
    a.help("PANEL", "The variables crossed in one panel; each PANEL opens a new panel");
    VariableCheck crossed = Check(VariableKind::Existing, "panel");
    crossed.registry = VariableRegistry::Check;
    a.variables(a.value("PANEL", ""), crossed);
    a.help("CELLS", "What each cell of the panel shows");
    a.help("LAYOUT", "How the tables are laid out");
    a.help("LAYOUT", "LABELS", "Whether variables show their names, their values or both");
    a.help("LAYOUT", "WIDTH", "Column width in characters");
    a.help("LAYOUT", "DECIMALS", "Decimal places of the shares");
    a.help("SAVE", "The file that receives the tables; nothing may follow it");
    a.help("SAVE", "OUTFILE", "The file to write");
    a.help("SAVE", "STYLE", "Plain text or comma-separated values");
}

void AnnotateSprout(Annotator& a) {
    a.help("", "Dependents, BY the categorical factors, WITH the numeric covariates");
    a.variables(a.value("", ""), Check(VariableKind::Model, ""));
    a.help("SETTINGS", "How the model is grown");
    a.help("SETTINGS", "REPEATS", "Most iterations");
    a.help("SETTINGS", "DELTAMIN", "Smallest change that counts as progress");
    a.help("SETTINGS", "LEVEL", "Confidence level in percent");
    a.help("CODING", "How the levels of factors are coded; each factor at most once");
    ValueNotes& coding = a.value("CODING", "");
    coding.mainPart.resize(1);
    coding.mainPart.front().help = "Factors of the model";
    VariableCheck factors = Check(VariableKind::Existing, "coded factors");
    factors.within = VariableScope::Factors;
    factors.registry = VariableRegistry::Own;
    a.variables(coding.mainPart.front(), factors);
    coding.valuePart.resize(1);
    coding.valuePart.front().help = "The coding scheme";
    a.help("SELECT", "How terms enter the model");
    a.help("SELECT", "RULE", "The rule, with the limit of the rules that test terms");
    a.help("SAVE", "New variables for the results");
    a.help("SAVE", "FITVALUES", "A new variable for the fitted values");
    a.variables(a.value("SAVE", "FITVALUES"), Check(VariableKind::New, ""));
    a.help("SAVE", "LEFTOVER", "A new variable for the residuals");
    a.variables(a.value("SAVE", "LEFTOVER"), Check(VariableKind::New, ""));
    a.help("WEIGHTBY", "A numeric variable that weights the cases; not part of the model");
    a.variables(a.value("WEIGHTBY", ""), Numeric("weight"));
}

void AnnotateBucket(Annotator& a) {
    a.help("", "The new variable");
    a.variables(a.value("", ""), Check(VariableKind::New, ""));
    a.help("MAP", "Source variables, then after each \";\" one value per variable and the code");
    a.variables(a.value("MAP", ""), Check(VariableKind::Existing, "sources"));
    a.help("OTHERWISE", "The code of every other combination: a VALUE, or COPY, not both");
    a.help("OTHERWISE", "VALUE", "The code");
    a.help("OTHERWISE", "COPY", "Copy the value of the first source variable");
    a.help("LABELS", "One label per code, in the order of the map");
    a.help("WRITE", "A file that receives the map");
    a.help("WRITE", "FILE", "The file to write");
    a.help("WRITE", "SEPARATOR", "What separates the columns");
}

void AnnotateTrace(Annotator& a) {
    a.help("", "Numeric variables to draw, each list with its own style");
    ValueNotes& lines = a.value("", "");
    a.helpQualifiers("", "", {"How the line is drawn", "Line width"});
    VariableCheck blocks = Check(VariableKind::Blocks, "lines");
    blocks.numeric = true;
    blocks.qualifiers = true;
    blocks.registry = VariableRegistry::None;
    a.variables(lines, blocks);
    a.help("AXIS", "The horizontal axis");
    a.help("AXIS", "TICKS", "Where the tick marks stand");
    a.help("AXIS", "LABELS", "The labels of the tick marks");
    a.help("AXIS", "STEP", "Distance between tick marks");
    a.help("HIGHLIGHT", "Case numbers to mark");
    a.help("RANGE", "The values shown: HIGH may not be below LOW");
    a.help("RANGE", "LOW", "Lowest value shown");
    a.help("RANGE", "HIGH", "Highest value shown");
    a.help("LEGEND", "Where the legend stands and how it is lettered");
    a.help("LEGEND", "PLACE", "Inside or outside the plot, and on which side");
    a.help("LEGEND", "FONT", "Letter size in points and typeface");
}

}  // namespace

upgrammar::GrammarFile SampleGrammar(const Procedure& procedure) {
    upgrammar::GrammarFile file;
    file.schema = kSampleSchemaReference;
    file.commands.push_back({procedure.grammar(), procedure.summary(), {}});
    Annotator annotator(file.commands.front());
    const std::string& name = procedure.name();
    if (name == "SKETCH") {
        AnnotateSketch(annotator);
    } else if (name == "WEAVE") {
        AnnotateWeave(annotator);
    } else if (name == "SPROUT") {
        AnnotateSprout(annotator);
    } else if (name == "BUCKET") {
        AnnotateBucket(annotator);
    } else if (name == "TRACE") {
        AnnotateTrace(annotator);
    }
    return file;
}

std::string SampleGrammarPath(const Procedure& procedure) {
    std::string name = procedure.name();
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return "examples/grammars/" + name + ".json";
}

}  // namespace examples
