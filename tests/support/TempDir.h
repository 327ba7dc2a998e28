#ifndef TESTS_SUPPORT_TEMPDIR_H
#define TESTS_SUPPORT_TEMPDIR_H

#include <string>

namespace testsupport {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes away.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return mPath; }
    // path() + "/" + name; the file need not exist.
    std::string file(const std::string& name) const;
    // Writes the bytes to path() + "/" + name and returns that path.
    std::string write(const std::string& name, const std::string& content) const;

  private:
    std::string mPath;
};

}  // namespace testsupport

#endif
