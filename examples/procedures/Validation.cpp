#include "examples/procedures/Validation.h"

#include <utility>

#include "uparser/ParserUtility.h"

namespace examples {

Validation::Validation(const CommandDescriptor& grammar, const TAVO_DataSource& data,
                       RunResult& result)
    : mGrammar(grammar), mData(data), mResult(result), mRegistry(grammar, &data) {
    mMessage.SetCommandName(grammar.getCommandName().c_str());
    mMessage.SetProcedureTitle(grammar.getProcedureTitle().c_str());
}

VarSpecObj Validation::newList(const std::string& subCom, const std::string& param,
                               bool numericOnly) const {
    return VarSpecObj(param, subCom, mGrammar, &mData, numericOnly);
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

bool Validation::registerList(const std::string& subCom, const std::string& param,
                              const std::vector<int>& indices,
                              const std::vector<TokenInfoObj>& tokens) {
    const std::vector<TavoVarName> names = namesOf(indices);
    std::vector<int> found;
    if (mRegistry.ValidateOtherVarList(names, found, param.c_str(), subCom.c_str())) {
        return true;
    }
    if (found.size() >= names.size()) {
        return stopIn(subCom, param, tokens);
    }
    return stopAtName(subCom, param, tokens, names[found.size()].str());
}

std::vector<TavoVarName> Validation::namesOf(const std::vector<int>& indices) const {
    std::vector<TavoVarName> names;
    names.reserve(indices.size());
    for (int index : indices) {
        names.emplace_back(mData.GetVariable(index).GetName());
    }
    return names;
}

}  // namespace examples
