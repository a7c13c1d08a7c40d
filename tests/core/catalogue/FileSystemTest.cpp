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

TEST(FileSystem, SplitLinesTreatsCrLfAsOneBreak) {
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
}

} // namespace
} // namespace pelmora
