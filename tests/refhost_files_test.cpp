#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "refhost/CaseFiles.h"
#include "refhost/FileStatusMemo.h"
#include "refhost/WorkingDirectory.h"
#include "support/TempDir.h"
#include "uparser/host/CaseFile.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/FileServices.h"

namespace {

struct Status {
    int32_t exists = -1;
    int32_t wellFormed = -1;
    int32_t readOnly = -1;
    int32_t directory = -1;

    bool operator==(const Status& o) const {
        return exists == o.exists && wellFormed == o.wellFormed && readOnly == o.readOnly &&
               directory == o.directory;
    }
};

void PrintTo(const Status& s, std::ostream* out) {
    *out << "exists " << s.exists << " well-formed " << s.wellFormed << " read-only " << s.readOnly
         << " directory " << s.directory;
}

Status validate(const std::string& path, int forWrite = 0) {
    Status s;
    char out[264 + 16];
    std::memset(out, '#', sizeof out);
    ValidateFileSpecification(path.data(), path.size(), forWrite, out, s.exists, s.wellFormed,
                              s.readOnly, s.directory);
    EXPECT_NE(std::memchr(out, '\0', 264), nullptr) << "the message must end within 264 bytes";
    for (std::size_t i = 264; i < sizeof out; ++i) {
        EXPECT_EQ(out[i], '#');
    }
    return s;
}

std::string currentDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

class RefhostFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        mHadHome = home != nullptr;
        mHome = mHadHome ? home : "";
    }
    void TearDown() override {
        if (mHadHome) {
            setenv("HOME", mHome.c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        refhost::ClearFilesInUse();
        refhost::FollowWorkingDirectory();
    }
    testsupport::TempDir mDir;
    bool mHadHome = false;
    std::string mHome;
};

TEST_F(RefhostFilesTest, CheckFileRefExpandsHomeAndMakesRelativePathsAbsolute) {
    setenv("HOME", "/home/tester", 1);
    EXPECT_EQ(CheckFileRef("~/data/a.csv", true).GetResolvedPath(), "/home/tester/data/a.csv");
    EXPECT_EQ(CheckFileRef("~", false).GetResolvedPath(), "/home/tester");
    EXPECT_EQ(CheckFileRef("/abs/x.csv", false).GetResolvedPath(), "/abs/x.csv");
    EXPECT_EQ(CheckFileRef("x.csv", true).GetResolvedPath(), currentDirectory() + "/x.csv");
    EXPECT_EQ(CheckFileRef("~other/x", true).GetResolvedPath(), currentDirectory() + "/~other/x");
    EXPECT_EQ(CheckFileRef("", true).GetResolvedPath(), "");
    unsetenv("HOME");
    EXPECT_EQ(CheckFileRef("~/x", true).GetResolvedPath(), currentDirectory() + "/~/x");
}

TEST_F(RefhostFilesTest, AFixedWorkingDirectoryOutlastsAChangeOfDirectory) {
    const std::string started = currentDirectory();
    ASSERT_EQ(chdir(mDir.path().c_str()), 0);
    const std::string fixedAt = currentDirectory();
    EXPECT_TRUE(refhost::FixWorkingDirectory());
    ASSERT_EQ(chdir(started.c_str()), 0);
    EXPECT_EQ(CheckFileRef("x.csv", true).GetResolvedPath(), fixedAt + "/x.csv");
    UserCaseFileSpec spec;
    spec.Init("sub/y.csv", true, false);
    EXPECT_EQ(spec.DocumentationString(), fixedAt + "/sub/y.csv");
    EXPECT_EQ(CheckFileRef("/abs/x.csv", false).GetResolvedPath(), "/abs/x.csv");
    refhost::FollowWorkingDirectory();
    EXPECT_EQ(CheckFileRef("x.csv", true).GetResolvedPath(), started + "/x.csv");
}

TEST_F(RefhostFilesTest, StatusWordsDescribeFilesAndDirectories) {
    //                              exists, well-formed, read-only, directory
    EXPECT_EQ(validate(mDir.write("a.csv", "x\n1\n")), (Status{1, 1, 0, 0}));
    EXPECT_EQ(validate(mDir.file("new.csv"), 1), (Status{0, 1, 0, 0}));
    EXPECT_EQ(validate(mDir.file("missing/new.csv")), (Status{0, 0, 0, 0}));
    EXPECT_EQ(validate(mDir.path()), (Status{1, 1, 0, 1}));
    EXPECT_EQ(validate(mDir.path() + "/"), (Status{1, 1, 0, 1}));
    const Status root = validate("/");  // read-only unless running as root
    EXPECT_EQ(root.directory, 1);
    EXPECT_EQ(root.wellFormed, 1);
}

TEST_F(RefhostFilesTest, MalformedPathsAreNeitherWellFormedNorExisting) {
    for (const std::string& path : {std::string(), std::string("/tmp/a\0b", 8),
                                    "/tmp/" + std::string(300, 'n'), std::string(5000, 'p')}) {
        EXPECT_EQ(validate(path), (Status{0, 0, 0, 0})) << path.size();
    }
    // A name of a path may have 255 bytes, as the file system allows, but not 256.
    EXPECT_EQ(validate(mDir.file(std::string(255, 'n')), 1), (Status{0, 1, 0, 0}));
    EXPECT_EQ(validate(mDir.file(std::string(256, 'n')), 1), (Status{0, 0, 0, 0}));
    int32_t a = -1, b = -1, c = -1, d = -1;
    ValidateFileSpecification(nullptr, 3, 0, nullptr, a, b, c, d);
    EXPECT_EQ(a + b + c + d, 0);
}

// As root every file is writable, so there only the ordinary case can be checked.
TEST_F(RefhostFilesTest, ReadOnlyFilesAreReported) {
    const std::string file = mDir.write("ro.csv", "x\n");
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root: no file is read-only";
    }
    EXPECT_EQ(validate(file).readOnly, 1);
    UserCaseFileSpec spec;
    ASSERT_TRUE(spec.Init(file, true, true));
    EXPECT_TRUE(spec.IsReadOnly());
}

TEST_F(RefhostFilesTest, CaseFileSpecResolvesAndChecksThePath) {
    const std::string file = mDir.write("data.csv", "a,b\n1,x\n");
    const std::string before = currentDirectory();
    ASSERT_EQ(chdir(mDir.path().c_str()), 0) << "relative paths resolve against this";
    UserCaseFileSpec spec;
    const bool initialised = spec.Init("data.csv", false, false);
    const std::string resolved = spec.DocumentationString();
    ASSERT_EQ(chdir(before.c_str()), 0);
    ASSERT_TRUE(initialised);
    EXPECT_EQ(resolved, CheckFileRef(file, false).GetResolvedPath());
    EXPECT_TRUE(spec.Exists());
    EXPECT_TRUE(spec.IsValid());
    EXPECT_FALSE(spec.IsReadOnly());
    EXPECT_FALSE(spec.IsInUse());

    UserCaseFileSpec missing;
    ASSERT_TRUE(missing.Init(mDir.file("none.csv"), true, true));
    EXPECT_FALSE(missing.Exists());
    EXPECT_TRUE(missing.IsValid());
    EXPECT_FALSE(missing.IsReadOnly());

    UserCaseFileSpec directory;
    ASSERT_TRUE(directory.Init(mDir.path(), true, false));
    EXPECT_FALSE(directory.Exists());
    EXPECT_FALSE(directory.IsValid());

    UserCaseFileSpec nowhere;
    ASSERT_TRUE(nowhere.Init(mDir.file("no/such/dir.csv"), true, true));
    EXPECT_FALSE(nowhere.IsValid());

    UserCaseFileSpec empty;
    EXPECT_FALSE(empty.Init("", true, false));
    EXPECT_FALSE(empty.Init(std::string("a\0b", 3), true, false));
}

// A case file's questions (Exists, IsValid, IsReadOnly) skip the system calls their answer does
// not need; they must still answer as the full status words do, and ask afresh each time.
TEST_F(RefhostFilesTest, CaseFileSpecAnswersAsTheStatusWordsDo) {
    const std::string file = mDir.write("data.csv", "a\n1\n");
    const std::string paths[] = {file,
                                 mDir.file("none.csv"),
                                 mDir.path(),
                                 mDir.path() + "/",
                                 file + "/",
                                 file + "/inside.csv",
                                 mDir.file("no/such/dir.csv"),
                                 mDir.file("sub/../data.csv"),
                                 mDir.file(std::string(256, 'n')),
                                 "/"};
    for (const std::string& path : paths) {
        const Status words = validate(path);
        UserCaseFileSpec spec;
        ASSERT_TRUE(spec.Init(path, true, true)) << path;
        EXPECT_EQ(spec.Exists(), words.exists == 1 && words.directory == 0) << path;
        EXPECT_EQ(spec.IsValid(), words.wellFormed == 1 && words.directory == 0) << path;
        EXPECT_EQ(spec.IsReadOnly(), words.readOnly == 1) << path;
    }

    UserCaseFileSpec later;
    ASSERT_TRUE(later.Init(mDir.file("later.csv"), true, false));
    EXPECT_FALSE(later.Exists());
    mDir.write("later.csv", "a\n");
    EXPECT_TRUE(later.Exists());
    EXPECT_TRUE(later.IsValid());
}

// A memo answers a path again as the file system answered it first, message included, until
// it ends; other paths and the time after it ask the system.
TEST_F(RefhostFilesTest, AFileStatusMemoAnswersAPathAgainAsItFirstDid) {
    const std::string file = mDir.file("made.csv");
    auto message = [](const std::string& path) {
        char out[264] = {};
        int32_t a = 0, b = 0, c = 0, d = 0;
        ValidateFileSpecification(path.data(), path.size(), 1, out, a, b, c, d);
        return std::string(out);
    };
    {
        const refhost::FileStatusMemo memo;
        EXPECT_EQ(validate(file), (Status{0, 1, 0, 0}));
        mDir.write("made.csv", "a\n");
        EXPECT_EQ(validate(file), (Status{0, 1, 0, 0}));
        EXPECT_EQ(message(file), "The file does not exist.");
        EXPECT_EQ(validate(mDir.write("other.csv", "b\n")), (Status{1, 1, 0, 0}))
            << "another path";
        {
            const refhost::FileStatusMemo inner;
            EXPECT_EQ(validate(file), (Status{1, 1, 0, 0}));
        }
        EXPECT_EQ(validate(file), (Status{0, 1, 0, 0}));
    }
    EXPECT_EQ(validate(file), (Status{1, 1, 0, 0}));
    EXPECT_EQ(message(file), "");
}

TEST_F(RefhostFilesTest, OnlyMarkedFilesAreInUse) {
    const std::string file = mDir.write("data.csv", "a\n1\n");
    UserCaseFileSpec spec;
    ASSERT_TRUE(spec.Init(file, true, false));
    EXPECT_FALSE(spec.IsInUse());
    refhost::MarkFileInUse(file, true);
    EXPECT_TRUE(spec.IsInUse());
    refhost::MarkFileInUse(file, false);
    EXPECT_FALSE(spec.IsInUse());
    refhost::MarkFileInUse(file, true);
    refhost::ClearFilesInUse();
    EXPECT_FALSE(spec.IsInUse());
    UserCaseFileSpec unset;
    EXPECT_FALSE(unset.IsInUse());
}

TEST_F(RefhostFilesTest, CaseFilesOpenAsTheirCsvDictionary) {
    UserCaseFileSpec spec;
    ASSERT_TRUE(spec.Init(mDir.write("data.csv", "id,name\n1,Ann\n"), true, false));
    const UserInputCaseFile input(spec, nullptr);
    const TAVO_DataSource* data = input.DataSource();
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data->ColumnCount(), 2u);
    EXPECT_EQ(data->FindVarIndex("NAME"), 1);
    EXPECT_EQ(data->GetVariable(1).GetType(), 3);
}

TEST_F(RefhostFilesTest, FilesThatAreNotCaseDataThrowErrorText) {
    UserCaseFileSpec spec;
    ASSERT_TRUE(spec.Init(mDir.write("notes.txt", "this is not, a header\n"), true, false));
    EXPECT_THROW(UserInputCaseFile(spec, nullptr), ErrorText);
    ASSERT_TRUE(spec.Init(mDir.file("none.csv"), true, false));
    EXPECT_THROW(UserInputCaseFile(spec, nullptr), ErrorText);
    ASSERT_TRUE(spec.Init(mDir.path(), true, false));
    EXPECT_THROW(UserInputCaseFile(spec, nullptr), ErrorText);
    const UserCaseFileSpec neverInitialised;
    EXPECT_THROW(UserInputCaseFile(neverInitialised, nullptr), ErrorText);
}

}  // namespace
