#include "RandomGrammar.h"

#include <string>
#include <vector>

#include "uparser/GroupComDescriptor.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"

namespace fuzzsupport {
namespace {

using namespace UPSpecTypes;

const std::vector<std::string> kSubComNames = {"", "A", "B", "KEY", "VALUE", "CUT", "MEAN", "FLAG"};
const std::vector<const char*> kGroupTexts = {
    nullptr, "", "In group ^1:", "Group ^2 ^1:", "^", "^1^1 ^^1"};

SubComDescriptor ReadSubCom(ByteReader& in) {
    SubComDescriptor sub(kSubComNames[in.pick(static_cast<unsigned>(kSubComNames.size()))],
                         static_cast<SubComSpec>(in.pick(4)), in.chance(15), in.chance(30));
    sub.allowSubComEmpty(in.chance(30));
    for (unsigned n = in.pick(4); n > 0; --n) {
        sub.addParamDesc(ReadDescriptor(in, 2));
    }
    const unsigned leading = in.pick(4);
    if (leading == 1) {
        sub.setExportParamDesc(static_cast<ParamSpec>(in.pick(ParamSysFileOut + 1)), in.chance(30));
    } else if (leading == 2) {
        ParamDescriptor value = ReadDescriptor(in, 2);
        value.setParamName(std::string());
        sub.setExportParamDesc(value);
    }
    return sub;
}

std::size_t DescriptorSize(const ParamDescriptor& desc) {
    std::size_t size = 1;
    std::vector<std::string> names;
    desc.getQualifNames(names);
    for (const std::string& name : names) {
        if (const ParamDescriptor* qualifier = desc.getQualifDesc(name)) {
            size += DescriptorSize(*qualifier);
        }
    }
    if (desc.getMainDesc() != nullptr) {
        size += DescriptorSize(*desc.getMainDesc());
    }
    if (desc.getQualifDesc() != nullptr) {
        size += DescriptorSize(*desc.getQualifDesc());
    }
    return size;
}

}  // namespace

CommandDescriptor ReadGrammar(ByteReader& in) {
    CommandDescriptor grammar(in.pick(16) == 0 ? "" : "CMD", "Fuzzed");
    grammar.setSubComArbitrary(in.chance(10));
    if (in.chance(40)) {
        for (unsigned n = in.pick(6); n > 0; --n) {
            grammar.addSubComDesc(ReadSubCom(in));
        }
        return grammar;
    }
    for (unsigned groups = in.pick(5); groups > 0; --groups) {
        GroupComDescriptor group(static_cast<GroupSpec>(in.pick(5)), in.chance(25));
        group.setMessageText(kGroupTexts[in.pick(static_cast<unsigned>(kGroupTexts.size()))]);
        for (unsigned n = in.pick(5); n > 0; --n) {
            group.addSubComDesc(ReadSubCom(in), in.chance(40));
        }
        grammar.addGroupDesc(group);
    }
    return grammar;
}

std::size_t GrammarSize(const CommandDescriptor& grammar) {
    std::size_t size = 0;
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor* group = grammar.getGroupDesc(g);
        for (int s = 0; s < group->getSubComDescListSize(); ++s) {
            const SubComDescriptor* sub = group->getSubComDesc(s);
            size += 1;
            if (sub->getExportParamDesc() != nullptr) {
                size += DescriptorSize(*sub->getExportParamDesc());
            }
            for (int p = 0; p < sub->getParamDescListSize(); ++p) {
                size += DescriptorSize(*sub->getParamDesc(p));
            }
        }
    }
    return size;
}

}  // namespace fuzzsupport
