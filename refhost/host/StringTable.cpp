#include "uparser/host/StringTable.h"

#include <utility>

#include "refhost/Translations.h"

// The reference host keeps its string table in memory (refhost::SetTranslation); the location
// is only recorded.
FacSTDictionary::FacSTDictionary(std::string const& location) : mLocation(location) {}

FacSTDictionary::~FacSTDictionary() = default;

bool FacSTDictionary::SetProcedure(std::string const& procedure) {
    mProcedure = procedure;
    return true;
}

std::string FacSTDictionary::LookUp(std::string const& key, unsigned long& status) {
    std::string translated;
    if (refhost::LookUpTranslation(mProcedure, key, translated)) {
        status = 0;
        return translated;
    }
    status = 1;
    return key;
}

const std::string& FacSTDictionary::Location() const {
    return mLocation;
}

const std::string& FacSTDictionary::Procedure() const {
    return mProcedure;
}

PathFinder::PathFinder(std::string installDir, std::string userDir, std::string stringTableDir)
    : mInstallDir(std::move(installDir)),
      mUserDir(std::move(userDir)),
      mStringTableDir(std::move(stringTableDir)) {}

const std::string& PathFinder::getInstallDir() const {
    return mInstallDir;
}

const std::string& PathFinder::getUserDir() const {
    return mUserDir;
}

const std::string& PathFinder::getStringTableDir() const {
    return mStringTableDir;
}

// Nothing of the reference host lives on disk; the paths only name its parts.
PathFinder* PathFactory::getPathInstance() {
    static PathFinder instance("refhost", "refhost/user", "refhost/strings");
    return &instance;
}
