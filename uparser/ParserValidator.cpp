#include "uparser/ParserValidator.h"

#include <utility>

#include "uparser/CommandDescriptor.h"
#include "uparser/ParserUtility.h"

namespace {

const char* OrEmpty(const char* name) {
    return name != nullptr ? name : "";
}

}  // namespace

ParserValidator::ParserValidator()
    : mDataSource(nullptr), mNumericVars(false), mErrorReport(true) {}

ParserValidator::ParserValidator(const std::string& commandName, const TAVO_DataSource* dataSource,
                                 bool numericVars)
    : mDataSource(dataSource), mNumericVars(numericVars), mErrorReport(true) {
    mMessage.SetCommandName(commandName.c_str());
}

ParserValidator::ParserValidator(const CommandDescriptor& command,
                                 const TAVO_DataSource* dataSource, bool numericVars)
    : ParserValidator(command.getCommandName(), dataSource, numericVars) {
    mMessage.SetProcedureTitle(command.getProcedureTitle().c_str());
}

int ParserValidator::GetVarIndex(const TavoVarName& name, const char* paramName,
                                 const char* subComName) const {
    const int index = mDataSource != nullptr ? mDataSource->FindVarIndex(name.c_str()) : -1;
    if (index < 0 && mErrorReport) {
        mMessage.VariableNotInDict(name, paramName, subComName);
    }
    return index;
}

int ParserValidator::GetNumericVarIndex(const TavoVarName& name, const char* paramName,
                                        const char* subComName) const {
    const int index = GetVarIndex(name, paramName, subComName);
    if (index < 0) {
        return -1;
    }
    if (mDataSource->GetVariable(index).GetType() != 0) {
        if (mErrorReport) {
            mMessage.VariableNotNumeric(name, paramName, subComName);
        }
        return -1;
    }
    return index;
}

int ParserValidator::Register(const TavoVarName& name, const char* paramName,
                              const char* subComName, bool twoLists) {
    VariableLocation location{OrEmpty(paramName), OrEmpty(subComName)};
    const auto [entry, isNew] = mVarLocations.try_emplace(GetUpperVarName(name), location);
    if (isNew) {
        return mNumericVars ? GetNumericVarIndex(name, paramName, subComName)
                            : GetVarIndex(name, paramName, subComName);
    }
    const VariableLocation& first = entry->second;
    SetDuplicationInfo(name, location, first);
    if (mErrorReport) {
        if (twoLists) {
            mMessage.VariableTwoVarList(name, paramName, subComName, first.paramName.c_str(),
                                        first.subComName.c_str());
        } else {
            mMessage.VariableRepeatVarList(name, paramName, subComName, first.paramName.c_str(),
                                           first.subComName.c_str());
        }
    }
    return -1;
}

int ParserValidator::ValidateNewVar(const TavoVarName& name, const char* paramName,
                                    const char* subComName) {
    return Register(name, paramName, subComName, false);
}

int ParserValidator::ValidateOtherVar(const TavoVarName& name, const char* paramName,
                                      const char* subComName) {
    return Register(name, paramName, subComName, true);
}

bool ParserValidator::ValidateNewVarList(const std::vector<TavoVarName>& names,
                                         std::vector<int>& indices, const char* paramName,
                                         const char* subComName) {
    indices.clear();
    for (const TavoVarName& name : names) {
        const int index = ValidateNewVar(name, paramName, subComName);
        if (index < 0) {
            return false;
        }
        indices.push_back(index);
    }
    return true;
}

bool ParserValidator::ValidateOtherVarList(const std::vector<TavoVarName>& names,
                                           std::vector<int>& indices, const char* paramName,
                                           const char* subComName) {
    indices.clear();
    for (const TavoVarName& name : names) {
        const int index = ValidateOtherVar(name, paramName, subComName);
        if (index < 0) {
            return false;
        }
        indices.push_back(index);
    }
    return true;
}

bool ParserValidator::GetDuplicationInfo(TavoVarName& name, VariableLocation& location,
                                         VariableLocation& previousLocation) const {
    name = mDupVarName;
    location = mDupLocation;
    previousLocation = mPrevLocation;
    return !mDupVarName.empty();
}

// Copied aside first, so that running out of memory cannot mix two duplicates.
void ParserValidator::SetDuplicationInfo(const TavoVarName& name, const VariableLocation& location,
                                         const VariableLocation& previousLocation) {
    TavoVarName dupName = name;
    VariableLocation dupLocation = location;
    VariableLocation prevLocation = previousLocation;
    mDupVarName = std::move(dupName);
    mDupLocation = std::move(dupLocation);
    mPrevLocation = std::move(prevLocation);
}

void ParserValidator::ResetDuplicationInfo() {
    mDupVarName = TavoVarName();
    mDupLocation = VariableLocation();
    mPrevLocation = VariableLocation();
}
