#include "tools/uparse/Suggestions.h"

#include <algorithm>

#include "examples/procedures/GrammarLookup.h"
#include "refhost/UnicodeText.h"
#include "uparser/ParserUtility.h"

namespace uparse {

namespace {

// Scans the value of the parameter that failed for a word that is near a known one.
bool SuggestInValue(const examples::RunResult& result, const CommandDescriptor& grammar,
                    Suggestion& suggestion) {
    const unsigned groups = result.spec.getGroupListSize();
    if (groups == 0) {
        return false;
    }
    const GroupComObj& group = *result.spec.getGroupObj(groups - 1);
    const unsigned subs = group.getSubComListSize();
    if (subs == 0) {
        return false;
    }
    const SubComObj& sub = *group.getSubComObj(subs - 1);
    const SubComDescriptor* subDesc = examples::FindSubComDesc(grammar, group, sub.getSubComName());
    if (subDesc == nullptr) {
        return false;
    }
    const unsigned params = sub.getParamListSize();
    const ParamObj& value = params > 0 ? *sub.getParamObj(params - 1) : *sub.exportParamObj();
    const ParamDescriptor* desc =
        params > 0 ? subDesc->getParamDesc(value.getParamName()) : subDesc->getExportParamDesc();
    std::vector<std::string> known = examples::ParamNames(*subDesc);
    if (desc != nullptr) {
        const std::vector<std::string> words = examples::KnownWords(*desc);
        known.insert(known.end(), words.begin(), words.end());
    }
    for (unsigned i = 0; i < value.getTokenListSize(); ++i) {
        const TokenInfoObj& token = *value.getTokenObj(i);
        if (!token.IsPlainString()) {
            continue;
        }
        const std::string name = Closest(token.getString(), known);
        if (!name.empty()) {
            suggestion = {name, token};
            return true;
        }
    }
    return false;
}

}  // namespace

int EditDistance(const std::string& leftText, const std::string& rightText) {
    const std::u32string left = refhost::Characters(refhost::FoldCase(leftText));
    const std::u32string right = refhost::Characters(refhost::FoldCase(rightText));
    const std::size_t n = left.size();
    const std::size_t m = right.size();
    // Three rows of the optimal-string-alignment table.
    std::vector<int> before(m + 1);
    std::vector<int> previous(m + 1);
    std::vector<int> current(m + 1);
    for (std::size_t j = 0; j <= m; ++j) {
        previous[j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= m; ++j) {
            const bool same = left[i - 1] == right[j - 1];
            current[j] =
                std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && left[i - 1] == right[j - 2] && left[i - 2] == right[j - 1]) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

std::string Closest(const std::string& word, const std::vector<std::string>& candidates) {
    const auto characters = static_cast<int>(refhost::CountCharacters(word));
    std::string best;
    int bestDistance = 3;
    for (const std::string& candidate : candidates) {
        const int distance = EditDistance(word, candidate);
        if (distance == 0) {
            return "";
        }
        if (distance < bestDistance && distance < characters) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

bool SuggestName(const examples::RunResult& result, const CommandDescriptor& grammar,
                 const TAVO_DataSource& data, Suggestion& suggestion) {
    const TokenInfoObj& at = result.stopToken;
    if (result.stage == examples::Stage::Validation) {
        if (!result.unknownVariable) {
            return false;
        }
        std::vector<std::string> names;
        for (unsigned i = 0; i < data.ColumnCount(); ++i) {
            names.emplace_back(data.GetVariable(static_cast<int>(i)).GetName());
        }
        suggestion = {Closest(at.getString(), names), at};
        return !suggestion.name.empty();
    }
    if (result.stage != examples::Stage::Parse) {
        return false;
    }
    std::vector<std::string> known;
    if (result.parseCode == 6) {
        known = examples::SubComNames(grammar);
    } else if (result.parseCode == 11) {
        const unsigned groups = result.spec.getGroupListSize();
        const SubComDescriptor* subDesc =
            groups == 0 ? nullptr
                        : examples::FindSubComDesc(grammar, *result.spec.getGroupObj(groups - 1),
                                                   result.stopSubCommand);
        if (subDesc != nullptr) {
            known = examples::ParamNames(*subDesc);
            if (const ParamDescriptor* leading = subDesc->getExportParamDesc()) {
                const std::vector<std::string> words = examples::KnownWords(*leading);
                known.insert(known.end(), words.begin(), words.end());
            }
        }
    } else if (result.parseCode == 12) {
        return SuggestInValue(result, grammar, suggestion);
    }
    if (!at.IsString() || known.empty()) {
        return false;
    }
    suggestion = {Closest(at.getString(), known), at};
    return !suggestion.name.empty();
}

std::string SuggestCommand(const std::string& name) {
    std::vector<std::string> names;
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        names.push_back(procedure->name());
    }
    return Closest(name, names);
}

}  // namespace uparse
