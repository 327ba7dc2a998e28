#include "FuzzGrammars.h"

#include "uparser/GroupComDescriptor.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"

namespace fuzzsupport {

namespace {

using namespace UPSpecTypes;

ParamDescriptor Param(const char* name, ParamSpec type, bool required = false,
                      bool valueRequired = true, BracketOptions bracket = BracketNone) {
    return ParamDescriptor(name, type, required, valueRequired, bracket);
}

ParamDescriptor Block(const char* name, ParamSpec type, BlockOptions block) {
    ParamDescriptor param(name, type);
    param.setBlockOption(block);
    return param;
}

// A command whose groups are all global: a leading variable list and one subcommand of each
// kind.
CommandDescriptor Describe() {
    CommandDescriptor command("DESCRIBE", "Describe");

    SubComDescriptor leading("", SubComByEqual, true);
    leading.setExportParamDesc(ParamVarList, true);
    command.addSubComDesc(leading);

    SubComDescriptor indicators("INDICATORS", SubComByEqual);
    indicators.addParamDesc(Param("MEAN", ParamKeyWord));
    indicators.addParamDesc(Param("STDDEV", ParamKeyWord));
    ParamDescriptor all = Param("ALL", ParamKeyWord);
    indicators.addParamDesc(all);
    command.addSubComDesc(indicators);

    SubComDescriptor format("FORMAT", SubComByBlock);
    format.addParamDesc(Block("QUIETLY", ParamKeyWord, BlockNoValue));
    ParamDescriptor limit = Block("LIMIT", ParamInteger, BlockByParen);
    limit.setLowerBoundary(1, LowerIncluded);
    format.addParamDesc(limit);
    ParamDescriptor sort = Block("SORT", ParamString, BlockOptEqual);
    sort.addStringValue("ASCVAL");
    sort.addStringValue("DESVAL");
    format.addParamDesc(sort);
    format.addParamDesc(Block("ORDER", ParamStringList, BlockByEqual));
    command.addSubComDesc(format);

    SubComDescriptor quantpoints("QUANTPOINTS", SubComByEqual);
    ParamDescriptor cuts(std::string(), ParamNumberList);
    cuts.setLowerBoundary(0, LowerIncluded);
    cuts.setUpperBoundary(100, UpperExcluded);
    quantpoints.setExportParamDesc(cuts);
    command.addSubComDesc(quantpoints);

    SubComDescriptor missing("MISSING", SubComByEqual);
    missing.addParamDesc(Param("INCLUDE", ParamKeyWord));
    ParamDescriptor report = Param("REPORT", ParamString, false, false);
    report.addStringValue("YES");
    report.addStringValue("NO");
    missing.addParamDesc(report);
    missing.allowSubComEmpty(true);
    command.addSubComDesc(missing);

    SubComDescriptor tuning("SETTINGS", SubComByParen);
    tuning.addParamDesc(Param("CIN", ParamNumber));
    ParamDescriptor repeats = Param("REPEATS", ParamInteger, true);
    repeats.setUpperBoundary(1000, UpperIncluded);
    tuning.addParamDesc(repeats);
    ParamDescriptor cut = Param("CUT", ParamNumber);
    cut.addStringValue("DEFAULT");
    tuning.addParamDesc(cut);
    command.addSubComDesc(tuning);

    SubComDescriptor title("TITLE", SubComArbitrary);
    command.addSubComDesc(title);

    // Arbitrary subcommands whose value is a list, checked token by token.
    SubComDescriptor names("NAMES", SubComArbitrary);
    names.setExportParamDesc(ParamVarList, false);
    command.addSubComDesc(names);
    SubComDescriptor cutsList("CUTS", SubComArbitrary, false, true);
    ParamDescriptor bounded(std::string(), ParamIntegerList);
    bounded.setLowerBoundary(0, LowerIncluded);
    bounded.setUpperBoundary(10, UpperIncluded);
    cutsList.setExportParamDesc(bounded);
    command.addSubComDesc(cutsList);

    SubComDescriptor outfile("OUTFILE", SubComByEqual);
    outfile.addParamDesc(Param("FILE", ParamNewFileSpec));
    outfile.addParamDesc(Param("LOG", ParamAnyFileSpec));
    outfile.addParamDesc(Param("FROM", ParamFileSpec));
    command.addSubComDesc(outfile);

    SubComDescriptor set("SET", SubComByEqual, false, true);
    set.addParamDesc(Param("LIST", ParamNumberList, false, true, BracketForList));
    set.addParamDesc(Param("NAMES", ParamStringList, false, true, BracketRequired));
    set.addParamDesc(Param("LABEL", ParamLiteral));
    set.addParamDesc(Param("LABELS", ParamLiteralList));
    set.addParamDesc(Param("INTS", ParamIntegerList));
    set.addParamDesc(Param("VAR", ParamVarName));
    set.addParamDesc(Param("ANY", ParamTokenList, false, false));
    ParamDescriptor formula = Param("FORMULA", ParamTokenList);
    formula.allowSlash(true);
    set.addParamDesc(formula);
    command.addSubComDesc(set);

    SubComDescriptor tables("TABLES", SubComByEqual, false, true);
    tables.addParamDesc(Param("CROSS", ParamCrossVarList));
    tables.addParamDesc(Param("CATS", ParamVarCatList));
    ParamDescriptor test = Param("TEST", ParamKeyWordValue);
    ParamDescriptor kind = Param("KIND", ParamStringList);
    kind.addStringValue("SQDEV");
    kind.addStringValue("EXACT");
    ParamDescriptor testValue = Param("VALUE", ParamString);
    testValue.addStringValue("ONE");
    testValue.addStringValue("TWO");
    test.setMainQualDesc(&kind, &testValue);
    tables.addParamDesc(test);
    ParamDescriptor contrast = Param("CONTRAST", ParamTokenQual);
    ParamDescriptor contrastName = Param("", ParamVarName);
    ParamDescriptor contrastKind = Param("", ParamString);
    contrast.setMainQualDesc(&contrastName, &contrastKind);
    contrast.setQualifOption(QualifByParen);
    tables.addParamDesc(contrast);
    ParamDescriptor options = Param("OPTIONS", ParamStringQualList);
    options.addQualifDesc(Param("LEVEL", ParamNumber, true));
    options.addQualifDesc(Param("Q", ParamString));
    options.addQualifDesc(Param("FLAG", ParamKeyWord));
    options.setQualifOption(QualifByEqual);
    tables.addParamDesc(options);
    ParamDescriptor one = Param("ONE", ParamStringQual);
    one.addQualifDesc(Block("WIDTH", ParamInteger, BlockByParen));
    one.addQualifDesc(Block("PLAIN", ParamKeyWord, BlockNoValue));
    one.setQualifOption(QualifByBlock);
    tables.addParamDesc(one);
    command.addSubComDesc(tables);
    return command;
}

// A command of separated groups: a global part, a repeatable group, a single one and a final
// one, with required subcommands and a required group.
CommandDescriptor Groups() {
    CommandDescriptor command("GROUPS", "Grouped procedure");

    GroupComDescriptor global(GroupGlobal, false);
    SubComDescriptor leading("", SubComByEqual, true);
    leading.setExportParamDesc(ParamVarList, true);
    global.addSubComDesc(leading, false);
    SubComDescriptor method("SCHEME", SubComByEqual);
    method.addParamDesc(Param("FORCE", ParamKeyWord));
    method.addParamDesc(Param("STEP", ParamNumber));
    global.addSubComDesc(method, false);
    command.addGroupDesc(global);

    GroupComDescriptor design(GroupRepeatable, false);
    design.setMessageText("In design ^1:");
    SubComDescriptor designSub("MODELS", SubComByEqual);
    designSub.setExportParamDesc(ParamCrossVarList, false);
    designSub.allowSubComEmpty(true);
    design.addSubComDesc(designSub, true);
    SubComDescriptor contrast("CONTRAST", SubComByParen, true);
    contrast.addParamDesc(Param("POLY", ParamKeyWord));
    contrast.addParamDesc(Param("BESPOKE", ParamNumberList));
    design.addSubComDesc(contrast, false);
    SubComDescriptor method2("SCHEME", SubComByEqual);
    method2.addParamDesc(Param("SQTYPE", ParamInteger));
    design.addSubComDesc(method2, false);
    command.addGroupDesc(design);

    GroupComDescriptor print(GroupSingle, true);
    print.setMessageText("Printing");
    SubComDescriptor printSub("PRINT", SubComByBlock);
    printSub.addParamDesc(Block("CELLS", ParamStringList, BlockByEqual));
    printSub.addParamDesc(Block("HEADER", ParamKeyWord, BlockNoValue));
    printSub.setExportParamDesc(ParamString, false);
    print.addSubComDesc(printSub, true);
    SubComDescriptor plot("PLOT", SubComByEqual, false, true);
    plot.addParamDesc(Param("TYPE", ParamString));
    print.addSubComDesc(plot, true);
    command.addGroupDesc(print);

    GroupComDescriptor finish(GroupFinal, false);
    SubComDescriptor save("SAVE", SubComArbitrary);
    finish.addSubComDesc(save, true);
    command.addGroupDesc(finish);
    return command;
}

// Every subcommand takes any tokens; a command without a grammar beyond its name.
CommandDescriptor Arbitrary() {
    CommandDescriptor command("ANYTHING");
    command.setSubComArbitrary(true);
    return command;
}

}  // namespace

const std::vector<CommandDescriptor>& FuzzGrammars() {
    static const std::vector<CommandDescriptor> grammars = {Describe(), Groups(), Arbitrary()};
    return grammars;
}

}  // namespace fuzzsupport
