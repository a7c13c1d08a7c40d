#include "catalogue/FileSystem.h"

#include "catalogue/Errors.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace pelmora {
namespace {

using testing::TempFolder;

TEST(FileSystem, FindsNamesThatDifferOnlyInLetterCase) {
    TempFolder folder;
    folder.Write("Images/splashimage.gif", "GIF");
    EXPECT_TRUE(FileExists(folder.Path() + "images/SplashImage.GIF"));
    EXPECT_EQ(ResolvePath(folder.Path() + "images/splashimage.gif"),
              folder.Path() + "Images/splashimage.gif");
    EXPECT_TRUE(FolderExists(folder.Path() + "IMAGES"));
    EXPECT_FALSE(FileExists(folder.Path() + "images/other.gif"));
    EXPECT_EQ(ResolvePath(folder.Path() + "nothing/here"), folder.Path() + "nothing/here");
    // Every level may differ, and a folder may be named through "..".
    folder.Write("Data/Sub/Family.tbl", "F");
    EXPECT_EQ(ResolvePath(folder.Path() + "DATA/sub/FAMILY.TBL"),
              folder.Path() + "Data/Sub/Family.tbl");
    EXPECT_TRUE(FileExists(folder.Path() + "data/SUB/../sub/family.tbl"));
    EXPECT_TRUE(FolderExists(folder.Path() + "data/sub/"));
    EXPECT_FALSE(FileExists(folder.Path() + "DATA/sub/Family.tbl/x"));
}

TEST(FileSystem, WritesEveryLineWithCrLfAndReplacesTheWholeFile) {
    TempFolder folder;
    const std::string path = folder.Write("out.txt", "old content that is longer\r\n");
    WriteLines(path, {"one", "", "tw\xB0"});
    EXPECT_EQ(folder.Read("out.txt"), "one\r\n\r\ntw\xB0\r\n");
    WriteLines(path, {});
    EXPECT_EQ(folder.Read("out.txt"), "");
}

// Lines are written in pieces of about a megabyte; no line is split or lost where
// one piece ends and the next begins.
struct ManyLinesRow {
    const char* Name;
    size_t Lines;
    size_t Width;
};

class WriteManyLines : public ::testing::TestWithParam<ManyLinesRow> {};

TEST_P(WriteManyLines, HoldsEveryLineOnceInItsPlace) {
    TempFolder folder;
    std::vector<std::string> lines;
    std::string expected;
    for (size_t i = 0; i < GetParam().Lines; ++i) {
        std::string line = std::to_string(i);
        line.resize(GetParam().Width, static_cast<char>('a' + i % 26));
        expected += line + "\r\n";
        lines.push_back(std::move(line));
    }
    WriteLines(folder.Path() + "big.xls", lines);
    EXPECT_TRUE(folder.Read("big.xls") == expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WriteManyLines,
                         ::testing::Values(ManyLinesRow{"JustUnderAPiece", 1, (1 << 20) - 3},
                                           ManyLinesRow{"ExactlyAPiece", 1, (1 << 20) - 2},
                                           ManyLinesRow{"OneLineLargerThanAPiece", 2,
                                                        (3 << 20) / 2},
                                           ManyLinesRow{"ManyPieces", 100000, 24}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(FileSystem, FailedWriteThrowsAndLeavesNoHalfWrittenFile) {
    TempFolder folder;
    const std::string path = folder.Path() + "no-such-folder/out.txt";
    try {
        WriteLines(path, {"x"});
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file " + path + ": No such file or directory");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "no-such-folder"));
}

// Nothing planted or left beside the target is followed, replaced or left over.
TEST(FileSystem, WritingReplacesExactlyTheNamedFile) {
    TempFolder folder;
    const std::string victim = folder.Write("victim.txt", "keep");
    std::filesystem::create_symlink(victim, folder.Path() + "order.xls.new");
    folder.Write("notes.txt.new", "a user's own file");
    WriteLines(folder.Path() + "order.xls", {"order"});
    WriteLines(folder.Path() + "notes.txt", {"notes"});
    EXPECT_EQ(folder.Read("victim.txt"), "keep");
    EXPECT_EQ(folder.Read("notes.txt.new"), "a user's own file");

    // A name that differs only in letter case is another file.
    WriteLines(folder.Path() + "ORDER.XLS", {"ORDER"});
    EXPECT_EQ(folder.Read("order.xls"), "order\r\n");
    EXPECT_EQ(folder.Read("ORDER.XLS"), "ORDER\r\n");

    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 6u) << "no temporary file is left behind";
}

TEST(FileSystem, RewritingKeepsTheModeAndWritesThroughALink) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string real = folder.Write("real.ini", "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.ini", folder.Path() + "link.ini");
    WriteLines(folder.Path() + "link.ini", {"new"});
    EXPECT_TRUE(fs::is_symlink(folder.Path() + "link.ini"));
    EXPECT_EQ(folder.Read("real.ini"), "new\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// What no table, setting or history can be is refused at once with a reason, never
// waited on or read until memory runs out.
TEST(FileSystem, ReadsOnlyRegularFilesOfSaneSize) {
    namespace fs = std::filesystem;
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder.Path() + "fifo.tbl").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.Path() + "zero.tbl");
    fs::create_directory(folder.Path() + "folder.tbl");
    const std::string sparse = folder.Write("huge.tbl", "");
    fs::resize_file(sparse, MaxFileSize + 1);
    const struct {
        const char* Name;
        const char* Reason;
    } refused[] = {
        {"fifo.tbl", "it is not a regular file"},
        {"zero.tbl", "it is not a regular file"},
        {"folder.tbl", "it is not a regular file"},
        {"huge.tbl", "it is larger than 512 MB"},
    };
    for (const auto& file : refused) {
        const std::string path = folder.Path() + file.Name;
        try {
            ReadFileBytes(path);
            ADD_FAILURE() << file.Name << " was read";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + path + ": " + file.Reason);
        }
    }
    // A file the user names may be a pipe.
    EXPECT_EQ(ReadInputFile("/dev/null"), "");
    EXPECT_THROW(ReadInputFile(folder.Path() + "folder.tbl"), FileError);
}

// Whatever the length of the target's name, and however a writer ends, the folder
// holds the old or the new file and nothing else once the next write is done.
TEST(FileSystem, TemporaryFilesNeverOutliveTheirWriter) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string longName(255, 'n');
    WriteLines(folder.Path() + longName, {"fits"});
    EXPECT_EQ(folder.Read(longName), "fits\r\n");

    const std::string target = folder.Write("order.xls", "old");
    const std::string contents(1 << 20, 'x');
    for (int round = 0; round < 8; ++round) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (;;)
                WriteWholeFile(target, contents);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2 + round * 3));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        const std::string now = folder.Read("order.xls");
        EXPECT_TRUE(now == "old" || now == contents) << "round " << round;
    }
    // What a writer killed between naming and renaming its file left is cleared by
    // the first write of a later run into the folder.
    folder.Write(".pelmora-0123456789abcdef.tmp", "left behind");
    const pid_t laterRun = ::fork();
    if (laterRun == 0) {
        WriteLines(folder.Path() + "other.txt", {"later"});
        ::_exit(0);
    }
    ::waitpid(laterRun, nullptr, 0);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{longName, "order.xls", "other.txt"}));
}

TEST(FileSystem, SplitLinesTreatsCrLfAsOneBreak) {
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
}

} // namespace
} // namespace pelmora
