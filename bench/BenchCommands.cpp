#include "BenchCommands.h"

#include <cstdio>

#include "uparser/GroupComDescriptor.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"

namespace bench {

namespace {

using namespace UPSpecTypes;

constexpr int kParameters = 64;

std::string ParamName(int index) {
    char name[8];
    std::snprintf(name, sizeof name, "P%02d", index);
    return name;
}

// The value types the parameters of the Parameters shape cycle through, and a value of each.
struct Kind {
    ParamSpec type;
    const char* value;
};
const Kind kKinds[] = {{ParamNumber, "2.5"},      {ParamInteger, "12"},
                       {ParamString, "mean"},     {ParamVarName, "age"},
                       {ParamNumberList, "1 2 3"}, {ParamLiteral, "'a label'"}};
constexpr int kKindCount = sizeof kKinds / sizeof kKinds[0];

}  // namespace

const char* ShapeName(Shape shape) {
    switch (shape) {
        case Shape::VarList:
            return "varlist";
        case Shape::SubCommands:
            return "subcommands";
        case Shape::Parameters:
            return "parameters";
        case Shape::Arbitrary:
            return "arbitrary";
    }
    return "?";
}

std::string CommandText(Shape shape, std::size_t tokens) {
    std::string text = "BENCH";
    std::size_t count = 1;
    char buffer[32];
    switch (shape) {
        case Shape::VarList:
            for (; count < tokens; ++count) {
                std::snprintf(buffer, sizeof buffer, " v%zu", count);
                text += buffer;
            }
            break;
        case Shape::Arbitrary:
            text += " /NOTE";
            for (count += 2; count < tokens; ++count) {
                std::snprintf(buffer, sizeof buffer, " v%zu", count);
                text += buffer;
            }
            break;
        case Shape::SubCommands:
            for (std::size_t n = 1; count + 5 <= tokens; ++n, count += 5) {
                std::snprintf(buffer, sizeof buffer, "\n /SUB K = %zu", n);
                text += buffer;
            }
            break;
        case Shape::Parameters:
            while (count < tokens) {
                text += "\n /CELL";
                count += 2;
                for (int p = 0; p < kParameters; ++p) {
                    const Kind& kind = kKinds[p % kKindCount];
                    text += ' ' + ParamName(p) + " = " + kind.value;
                    count += kind.type == ParamNumberList ? 5 : 3;
                }
            }
            break;
    }
    return text;
}

CommandDescriptor Grammar(Shape shape) {
    CommandDescriptor command("BENCH", "Benchmark");
    switch (shape) {
        case Shape::VarList: {
            SubComDescriptor leading("", SubComByEqual, true);
            leading.setExportParamDesc(ParamVarList, true);
            command.addSubComDesc(leading);
            break;
        }
        case Shape::SubCommands: {
            SubComDescriptor sub("SUB", SubComByEqual, false, true);
            sub.addParamDesc(ParamDescriptor("K", ParamNumber, true));
            command.addSubComDesc(sub);
            break;
        }
        case Shape::Arbitrary: {
            SubComDescriptor note("NOTE", SubComArbitrary);
            note.setExportParamDesc(ParamVarList, false);
            command.addSubComDesc(note);
            break;
        }
        case Shape::Parameters: {
            SubComDescriptor cell("CELL", SubComByEqual, false, true);
            for (int p = 0; p < kParameters; ++p) {
                cell.addParamDesc(ParamDescriptor(ParamName(p), kKinds[p % kKindCount].type));
            }
            command.addSubComDesc(cell);
            break;
        }
    }
    return command;
}

}  // namespace bench
