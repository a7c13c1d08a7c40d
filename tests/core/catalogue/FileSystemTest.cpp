#include "catalogue/FileSystem.h"

#include "catalogue/Errors.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

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

TEST(FileSystem, FailedWriteThrowsAndLeavesNoHalfWrittenFile) {
    TempFolder folder;
    const std::string path = folder.Path() + "no-such-folder/out.txt";
    try {
        WriteLines(path, {"x"});
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path + ": No such file or directory");
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
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder.Path()))
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

TEST(FileSystem, SplitLinesTreatsCrLfAsOneBreak) {
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
}

} // namespace
} // namespace pelmora
