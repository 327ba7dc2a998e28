// The library's view of the host's string table. It counts what it is asked, so that the host
// can tell its own table served the library.
#include "uparser/host/StringTable.h"

#include <utility>

#include "../Host.h"

std::string embedding::Translate(const std::string& english) {
    return english;
}

int& embedding::StringTableLookUps() {
    static int count = 0;
    return count;
}

FacSTDictionary::FacSTDictionary(std::string const& location) : mLocation(location) {}

FacSTDictionary::~FacSTDictionary() = default;

bool FacSTDictionary::SetProcedure(std::string const& procedure) {
    mProcedure = procedure;
    return true;
}

std::string FacSTDictionary::LookUp(std::string const& key, unsigned long& status) {
    ++embedding::StringTableLookUps();
    std::string translated = embedding::Translate(key);
    status = translated == key ? 1 : 0;
    return translated;
}

PathFinder::PathFinder(std::string installDir, std::string userDir, std::string stringTableDir)
    : mInstallDir(std::move(installDir)),
      mUserDir(std::move(userDir)),
      mStringTableDir(std::move(stringTableDir)) {}

const std::string& PathFinder::getStringTableDir() const {
    return mStringTableDir;
}

PathFinder* PathFactory::getPathInstance() {
    static PathFinder paths("embedding", "embedding/user", "embedding/strings");
    return &paths;
}
