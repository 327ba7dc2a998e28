#ifndef REFHOST_FILESTATUSMEMO_H
#define REFHOST_FILESTATUSMEMO_H

#include <cstdint>
#include <string>
#include <vector>

namespace refhost {

// While one lives on a thread, ValidateFileSpecification on that thread answers a path it has
// answered before from memory instead of asking the file system again (two or three system
// calls). A program that checks a command and then shows what the check accepted, which asks
// about the same paths again, keeps one for that command: both then see the file system as
// it was when the command was checked. Files created or removed while one lives are not
// seen, so keep it no longer than one command. Memos nest; the innermost one answers.
class FileStatusMemo {
  public:
    FileStatusMemo();
    ~FileStatusMemo();
    FileStatusMemo(const FileStatusMemo&) = delete;
    FileStatusMemo& operator=(const FileStatusMemo&) = delete;

    struct Answer {
        std::string path;
        std::string message;
        int32_t exists = 0;
        int32_t wellFormed = 0;
        int32_t readOnly = 0;
        int32_t directory = 0;
    };

    // The memo of the calling thread, or null.
    static FileStatusMemo* current();
    // The answer kept for the path, or null.
    const Answer* find(const char* path, std::size_t length) const;
    void keep(Answer answer);

  private:
    std::vector<Answer> mAnswers;  // a command names a path or two
    FileStatusMemo* mOuter;
};

}  // namespace refhost

#endif
