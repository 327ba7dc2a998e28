#ifndef UPARSER_HOST_STRINGTABLE_H
#define UPARSER_HOST_STRINGTABLE_H

#include <string>

#include "uparser/Export.h"

// The host's string table: translations of English texts, selected per procedure. The
// library's message objects each own one and look every message text up by its English
// wording.
class UPARSER_HOST_API FacSTDictionary {
  public:
    // location: where the host keeps its string tables (the PathFinder's third answer).
    explicit FacSTDictionary(std::string const& location);
    virtual ~FacSTDictionary();
    FacSTDictionary(const FacSTDictionary&) = delete;
    FacSTDictionary& operator=(const FacSTDictionary&) = delete;

    // Chooses the procedure whose translations are used; "" is the host's common table.
    bool SetProcedure(std::string const& procedure);

    // The translation of key, or key itself when there is none. status receives 0 when a
    // translation was found and 1 otherwise; callers may ignore it.
    std::string LookUp(std::string const& key, unsigned long& status);

    const std::string& Location() const;
    const std::string& Procedure() const;

  private:
    std::string mLocation;
    std::string mProcedure;
};

// The host's installation paths.
class UPARSER_HOST_API PathFinder {
  public:
    const std::string& getInstallDir() const;
    const std::string& getUserDir() const;
    // Where the string tables live; a FacSTDictionary is built with it.
    const std::string& getStringTableDir() const;

  private:
    friend class PathFactory;
    PathFinder(std::string installDir, std::string userDir, std::string stringTableDir);

    std::string mInstallDir;
    std::string mUserDir;
    std::string mStringTableDir;
};

class UPARSER_HOST_API PathFactory {
  public:
    // The host's one PathFinder; never null, owned by the host.
    static PathFinder* getPathInstance();
};

#endif
