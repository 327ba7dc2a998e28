#include "examples/procedures/Validation.h"

#include <algorithm>
#include <utility>

#include "uparser/ParamObj.h"
#include "uparser/ParserUtility.h"

namespace examples {

namespace {

// The value cells a category check allocates, given back however the check ends: the host's
// conversion may throw.
struct ValueCell {
    ValueCell() = default;
    ValueCell(const ValueCell&) = delete;
    ValueCell& operator=(const ValueCell&) = delete;
    ~ValueCell() { VarSpecObj::ReleaseOBS(obs); }

    OBS* obs = nullptr;
};

// Whether a qualifier value fits its descriptor, without a message.
bool QualifierFits(const TokenInfoObj& value, const ParamDescriptor& desc) {
    ParamObj one(TokenInfoObj(), UPSpecTypes::ParamTokenList);
    one.addTokenObj(value);
    return one.canGetValue(&desc, nullptr);
}

}  // namespace

SourceRange RangeOf(const std::vector<TokenInfoObj>& tokens) {
    return tokens.empty() ? WholeCommand() : TokenRange(tokens.front(), tokens.back());
}

SourceRange RangeOfName(const std::vector<TokenInfoObj>& tokens, const std::string& name) {
    for (const TokenInfoObj& token : tokens) {
        if (token.IsVarName() && AreStringsEqualCase(token.getString(), name.c_str())) {
            return TokenRange(token);
        }
    }
    return RangeOf(tokens);
}

std::vector<TokenInfoObj> CrossedNameTokens(const std::vector<TokenInfoObj>& tokens) {
    std::vector<TokenInfoObj> names;
    if (tokens.size() % 2 == 0) {
        return names;
    }
    names.reserve(tokens.size() / 2 + 1);
    for (std::size_t i = 0; i < tokens.size(); i += 2) {
        names.push_back(tokens[i]);
    }
    return names;
}

std::vector<TokenInfoObj> TableNameTokens(const std::vector<TokenInfoObj>& tokens,
                                          std::size_t count) {
    const auto end = tokens.begin() + static_cast<std::ptrdiff_t>(std::min(count, tokens.size()));
    return std::vector<TokenInfoObj>(tokens.begin(), end);
}

Validation::Validation(const CommandDescriptor& grammar, const TAVO_DataSource& data,
                       RunResult& result, DiagnosticObserver* observer)
    : mGrammar(grammar), mData(data), mResult(result), mObserver(observer), mRegistry(grammar, &data) {
    // A command names a few lists: room for them once rather than regrowth as each comes.
    mResult.variables.reserve(4);
    mRegistry.SetDiagnosticObserver(observer);
    mMessage.SetDiagnosticObserver(observer);
    mMessage.SetCommandName(grammar.getCommandName().c_str());
    mMessage.SetProcedureTitle(grammar.getProcedureTitle().c_str());
}

VarSpecObj Validation::newList(const std::string& subCom, const std::string& param,
                               bool numericOnly) const {
    VarSpecObj list(param, subCom, mGrammar, &mData, numericOnly);
    list.SetDiagnosticObserver(mObserver);
    return list;
}

void Validation::accept(const std::string& subCom, const std::string& param,
                        const std::string& role, const std::vector<int>& indices,
                        std::vector<std::pair<std::string, std::string>> qualifiers) {
    VariableList list{subCom, param, role, indices, {}, std::move(qualifiers)};
    list.names.reserve(indices.size());
    for (int index : indices) {
        list.names.emplace_back(mData.GetVariable(index).GetName());
    }
    mResult.variables.push_back(std::move(list));
}

bool Validation::stopAt(const std::string& subCom, const std::string& param,
                        const TokenInfoObj& token) {
    mResult.stopSubCommand = subCom;
    mResult.stopParameter = param;
    mResult.stopToken = token;
    mResult.expected = Expected();
    return false;
}

bool Validation::stopInList(const std::string& subCom, const std::string& param,
                            const TokenInfoObj& token, bool numericOnly) {
    stopAt(subCom, param, token);
    if (token.IsPlainString() && mData.FindVarIndex(token.getString()) < 0) {
        mResult.expected.variable =
            numericOnly ? Expected::Variable::Numeric : Expected::Variable::Any;
    }
    return false;
}

bool Validation::stopIn(const std::string& subCom, const std::string& param,
                        const std::vector<TokenInfoObj>& tokens, int hint, bool numericOnly) {
    if (hint >= 0 && static_cast<std::size_t>(hint) < tokens.size()) {
        return stopInList(subCom, param, tokens[hint], numericOnly);
    }
    for (const TokenInfoObj& token : tokens) {
        if (token.IsPlainString() && mData.FindVarIndex(token.getString()) < 0) {
            return stopInList(subCom, param, token, numericOnly);
        }
    }
    for (const TokenInfoObj& token : tokens) {
        const int index = token.IsPlainString() ? mData.FindVarIndex(token.getString()) : -1;
        if (numericOnly && index >= 0 && mData.GetVariable(index).GetType() != 0) {
            return stopInList(subCom, param, token, numericOnly);
        }
    }
    return stopInList(subCom, param, tokens.empty() ? TokenInfoObj() : tokens.front(), numericOnly);
}

bool Validation::stopAtName(const std::string& subCom, const std::string& param,
                            const std::vector<TokenInfoObj>& tokens, const std::string& name) {
    for (const TokenInfoObj& token : tokens) {
        if (token.IsString() && AreStringsEqualCase(token.getString(), name)) {
            return stopInList(subCom, param, token, false);
        }
    }
    return stopIn(subCom, param, tokens);
}

bool Validation::registerEach(ParserValidator& registry, const VarSpecObj& list,
                              const std::vector<TokenInfoObj>& tokens, const std::string& subCom,
                              const std::string& param, std::vector<int>& found,
                              bool asNew) const {
    found.clear();
    found.reserve(list.GetValidVarList().size());
    for (const int variable : list.GetValidVarList()) {
        const TavoVarName name(mData.GetVariable(variable).GetName());
        if (mObserver != nullptr) {
            const SourceRange element = list.GetElementRange(variable);
            registry.SetDefaultRange(element.known() ? element : RangeOfName(tokens, name.str()));
        }
        const int index = asNew ? registry.ValidateNewVar(name, param.c_str(), subCom.c_str())
                                : registry.ValidateOtherVar(name, param.c_str(), subCom.c_str());
        if (index < 0) {
            return false;
        }
        found.push_back(index);
    }
    return true;
}

bool Validation::registerList(const std::string& subCom, const std::string& param,
                              const VarSpecObj& list, const std::vector<TokenInfoObj>& tokens) {
    std::vector<int> found;
    if (registerEach(mRegistry, list, tokens, subCom, param, found)) {
        return true;
    }
    const std::vector<int>& variables = list.GetValidVarList();
    if (found.size() >= variables.size()) {
        return stopIn(subCom, param, tokens);
    }
    return stopAtName(subCom, param, tokens, mData.GetVariable(variables[found.size()]).GetName());
}

std::vector<TavoVarName> Validation::namesOf(const std::vector<int>& indices) const {
    std::vector<TavoVarName> names;
    names.reserve(indices.size());
    for (int index : indices) {
        names.emplace_back(mData.GetVariable(index).GetName());
    }
    return names;
}

bool Validation::stopInModel(const std::string& subCom, const std::string& param,
                             const std::vector<TokenInfoObj>& tokens) {
    const bool allKnown =
        std::none_of(tokens.begin(), tokens.end(), [this](const TokenInfoObj& token) {
            return token.IsPlainString() && mData.FindVarIndex(token.getString()) < 0;
        });
    bool afterWith = false;
    for (const TokenInfoObj& token : tokens) {
        afterWith = afterWith || token.getOperatorCode() == TokenSequenceBase::WithWord;
        const int index = token.IsPlainString() ? mData.FindVarIndex(token.getString()) : -1;
        if (allKnown && afterWith && index >= 0 && mData.GetVariable(index).GetType() != 0) {
            return stopAt(subCom, param, token);
        }
    }
    return stopIn(subCom, param, tokens);
}

bool Validation::checkQualifiers(const std::string& subCom, const std::string& param,
                                 const VarSpecObj& list, const ParamDescriptor& desc,
                                 std::vector<std::pair<std::string, std::string>>& qualifiers) {
    qualifiers.clear();
    std::vector<std::string> names;
    if (list.GetNValidVars() == 0 || desc.getQualifNames(names) == 0) {
        return true;
    }
    std::vector<TokenInfoObj> values;
    if (!list.SplitQualValues(names, values)) {
        const std::vector<TokenInfoObj>& written = list.GetQualTokenList();
        return stopAt(subCom, param, written.empty() ? TokenInfoObj() : written.front());
    }
    const TavoVarName last = mData.GetVariable(list.GetValidVarList().back()).GetName();
    for (std::size_t q = 0; q < values.size(); ++q) {
        const TokenInfoObj& value = values[q];
        const std::string& name = names[q];
        if (value.NoType()) {
            continue;
        }
        if (!QualifierFits(value, *desc.getQualifDesc(name))) {
            if (list.GetNValidVars() == 1) {
                mMessage.At(value).VariableBadQualOption(last, name.c_str(), value.getString(), param.c_str(),
                                               subCom.c_str());
            } else {
                mMessage.At(value).VarListBadQualOption(last, name.c_str(), value.getString(), param.c_str(),
                                              subCom.c_str());
            }
            return stopAt(subCom, param, value);
        }
        qualifiers.emplace_back(name, value.getUpperString());
    }
    return true;
}

bool Validation::checkCategoryValues(const std::string& subCom, const std::string& param,
                                     const std::vector<int>& indices,
                                     const std::vector<TokenInfoObj>& tokens) {
    std::vector<VarSpecObj> columns;
    columns.reserve(indices.size());
    for (int index : indices) {
        columns.push_back(newList(subCom, param));
        columns.back().SetVariable(index);
    }
    const std::size_t width = indices.size();
    for (std::size_t row = width; row + width + 1 < tokens.size(); row += width + 2) {
        for (std::size_t column = 0; column < width; ++column) {
            const TokenInfoObj& value = tokens[row + 1 + column];
            ValueCell cell;
            TAVO_Format format{};
            columns[column].SetDefaultRange(TokenRange(value));
            if (!columns[column].ValidateCatValue(value.getString(), cell.obs, format)) {
                return stopAt(subCom, param, value);
            }
        }
    }
    return true;
}

}  // namespace examples
