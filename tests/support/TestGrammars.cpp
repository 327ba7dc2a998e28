#include "support/TestGrammars.h"

#include "uparser/GroupComDescriptor.h"
#include "uparser/ParamDescriptor.h"

namespace testsupport {

using namespace UPSpecTypes;

namespace {

ParamDescriptor Block(const std::string& name, BlockOptions option,
                      ParamSpec type = ParamTokenList) {
    ParamDescriptor param(name, type);
    param.setBlockOption(option);
    return param;
}

SubComDescriptor Leading(const std::string& name, BlockOptions option) {
    SubComDescriptor sub(name, SubComByBlock);
    sub.setExportParamDesc(Block("", option));
    sub.addParamDesc(Block("NAME", BlockByEqual));
    return sub;
}

}  // namespace

CommandDescriptor CountValues() {
    CommandDescriptor grammar("COUNTVALUES", "CountValues");
    SubComDescriptor variables("");
    variables.setExportParamDesc(ParamVarList, false);
    SubComDescriptor format("FORMAT");
    format.addParamDesc("LIMIT", ParamInteger, false, true, BracketNone);
    format.addParamDesc("QUIETLY", ParamKeyWord, false, false, BracketNone);
    SubComDescriptor quantpoints("QUANTPOINTS", SubComByEqual, false, true);
    quantpoints.setExportParamDesc(ParamNumberList, true);
    SubComDescriptor table("TABLE", SubComByEqual, false, true);
    table.addParamDesc("TITLE", ParamLiteral, true, true, BracketNone);
    SubComDescriptor missing("MISSING", SubComArbitrary);
    SubComDescriptor order("ORDER");
    order.allowSubComEmpty(true);
    SubComDescriptor sort("SORT");
    sort.setExportParamDesc(ParamVarName, true);
    ParamDescriptor direction("ORDER", ParamString);
    direction.addStringValue("ASC");
    direction.addStringValue("DESC");
    sort.addParamDesc(direction);
    for (const SubComDescriptor& sub :
         {variables, format, quantpoints, table, missing, order, sort}) {
        grammar.addSubComDesc(sub);
    }
    return grammar;
}

SubComDescriptor EmptyAllowedSubCom(const std::string& name) {
    SubComDescriptor sub(name);
    sub.allowSubComEmpty(true);
    sub.addParamDesc("N", ParamNumber, false, true, BracketNone);
    return sub;
}

GroupComDescriptor GroupOf(GroupSpec type, bool required,
                           std::initializer_list<const char*> separators,
                           std::initializer_list<const char*> others) {
    GroupComDescriptor group(type, required);
    for (const char* name : separators) {
        group.addSubComDesc(EmptyAllowedSubCom(name), true);
    }
    for (const char* name : others) {
        group.addSubComDesc(EmptyAllowedSubCom(name), false);
    }
    return group;
}

CommandDescriptor Tables(GroupSpec tableKind, const char* tableText) {
    CommandDescriptor grammar("LAYOUTS", "Table Layouts");
    GroupComDescriptor global(GroupGlobal);
    SubComDescriptor lead("");
    lead.setExportParamDesc(ParamVarList, false);
    global.addSubComDesc(lead, false);
    global.addSubComDesc(EmptyAllowedSubCom("TITLE"), false);

    GroupComDescriptor table = GroupOf(tableKind, true, {"TABLE"}, {"CELLS"});
    table.setMessageText(tableText);

    grammar.addGroupDesc(global);
    grammar.addGroupDesc(table);
    grammar.addGroupDesc(GroupOf(GroupSingle, false, {"CHART"}, {"CELLS"}));
    grammar.addGroupDesc(GroupOf(GroupFinal, false, {"SAVE", "EXPORT"}, {"OUTFILE"}));
    return grammar;
}

CommandDescriptor Params() {
    CommandDescriptor grammar("PARAMS");
    SubComDescriptor eq("EQ");
    eq.addParamDesc("KEY", ParamTokenList, false, true, BracketNone);
    eq.addParamDesc("OTHER", ParamTokenList, false, true, BracketNone);
    eq.addParamDesc("FLAG", ParamKeyWord, false, false, BracketNone);
    eq.addParamDesc("LIST", ParamNumberList, false, true, BracketRequired);
    eq.addParamDesc("FORLIST", ParamStringList, false, true, BracketForList);
    ParamDescriptor path("PATH");
    path.allowSlash(true);
    eq.addParamDesc(path);
    ParamDescriptor qualifiers("SQ", ParamStringQualList);
    qualifiers.setQualifOption(QualifByEqual);
    qualifiers.addQualifDesc(ParamDescriptor("A", ParamNumber));
    qualifiers.addQualifDesc(ParamDescriptor("B", ParamNumber));
    eq.addParamDesc(qualifiers);
    SubComDescriptor lead(eq);
    lead.setSubComName("");
    lead.allowSubComEmpty(true);

    SubComDescriptor paren("PAREN", SubComByParen);
    paren.addParamDesc("KEY", ParamTokenList, false, true, BracketNone);
    paren.addParamDesc("OTHER", ParamTokenList, false, true, BracketNone);
    paren.addParamDesc("FLAG", ParamKeyWord, false, false, BracketNone);

    SubComDescriptor block("BLOCK", SubComByBlock);
    block.addParamDesc(Block("NOVAL", BlockNoValue, ParamKeyWord));
    block.addParamDesc(Block("BYEQ", BlockByEqual));
    ParamDescriptor optional = Block("OPTEQ", BlockOptEqual);
    optional.setValueRequired(false);
    block.addParamDesc(optional);
    block.addParamDesc(Block("BYPAREN", BlockByParen));

    for (const SubComDescriptor& sub :
         {lead, eq, paren, block, Leading("LEADEQ", BlockByEqual),
          Leading("LEADPAREN", BlockByParen), Leading("LEADOPT", BlockOptEqual)}) {
        grammar.addSubComDesc(sub);
    }
    return grammar;
}

}  // namespace testsupport
