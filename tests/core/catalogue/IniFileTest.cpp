#include "catalogue/IniFile.h"

#include "catalogue/Errors.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace pelmora {
namespace {

using testing::TempFolder;

TEST(IniFile, SectionAndKeyNamesIgnoreLetterCase) {
    TempFolder folder;
    const TIniFile ini(folder.Write("a.ini", "[units]\r\nTYPE = M \r\n[Preview]\r\nsize=3\r\n"));
    EXPECT_EQ(ini.ReadString("UNITS", "type", "P"), "M");
    EXPECT_EQ(ini.ReadInteger("PREVIEW", "Size", 9), 3);
    EXPECT_TRUE(ini.ValueExists("Units", "Type"));
    EXPECT_FALSE(ini.ValueExists("UNITS", "size"));
}

TEST(IniFile, MissingGarbledOrMistypedValuesReadAsTheDefault) {
    TempFolder folder;
    const TIniFile missing(folder.Path() + "none.ini");
    EXPECT_EQ(missing.ReadString("UNITS", "type", "P"), "P");
    const TIniFile garbled(
        folder.Write("g.ini", std::string("\x00\xFF[UNI\r\n=\r\nsize=x7\r\n", 18)));
    EXPECT_EQ(garbled.ReadString("UNITS", "type", "P"), "P");
    EXPECT_EQ(garbled.ReadInteger("", "size", 4), 4);
    const TIniFile keyOutsideSection(folder.Write("k.ini", "type=M\r\n[UNITS]\r\n"));
    EXPECT_EQ(keyOutsideSection.ReadString("UNITS", "type", "P"), "P");
}

TEST(IniFile, WritingOneKeyKeepsEveryOtherSectionKeyAndComment) {
    TempFolder folder;
    const std::string path = folder.Write(
        "a.ini", "; settings\r\n[Units]\r\nType=P\r\nother=1\r\n\r\n[PREVIEW]\r\nsize=3\r\n");
    TIniFile ini(path);
    ini.WriteString("UNITS", "TYPE", "M");
    ini.WriteInteger("preview", "zoom", 7);
    ini.WriteBool("UPDATE", "Auto", true);
    EXPECT_EQ(folder.Read("a.ini"), "; settings\r\n[Units]\r\nType=M\r\nother=1\r\n\r\n"
                                    "[PREVIEW]\r\nsize=3\r\nzoom=7\r\n\r\n[UPDATE]\r\nAuto=1\r\n");
    const TIniFile reread(path);
    EXPECT_TRUE(reread.ReadBool("update", "auto", false));
}

TEST(IniFile, FirstWriteCreatesTheFile) {
    TempFolder folder;
    TIniFile ini(folder.Path() + "Pelmora.ini");
    ini.WriteString("UNITS", "type", "P");
    EXPECT_EQ(folder.Read("Pelmora.ini"), "[UNITS]\r\ntype=P\r\n");
}

TEST(IniFile, WriteIntoAnUnwritableFolderThrowsAndKeepsTheOldFile) {
    TempFolder folder;
    TIniFile ini(folder.Path() + "missing-folder/Pelmora.ini");
    EXPECT_THROW(ini.WriteString("UNITS", "type", "P"), FileError);
}

// A settings file that is there but cannot be read is not replaced by the few keys
// the program writes: every other section in it would be lost.
TEST(IniFile, AFileThatCannotBeReadIsNeverReplaced) {
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::create_directory(folder.Path() + "dir.ini");
    TIniFile folderNamed(folder.Path() + "dir.ini");
    EXPECT_EQ(folderNamed.ReadString("UNITS", "type", "P"), "P");
    try {
        folderNamed.WriteString("UNITS", "type", "M");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file " + folder.Path() +
                      "dir.ini: it is not a regular file; the settings file is "
                      "left as it is");
    }

    const std::string path = folder.Write("locked.ini", "[OTHER]\r\nkeep=1\r\n");
    fs::permissions(path, fs::perms::none);
    if (::geteuid() != 0) { // the superuser reads it anyway
        TIniFile locked(path);
        EXPECT_THROW(locked.WriteString("UNITS", "type", "M"), FileError);
        fs::permissions(path, fs::perms::owner_read);
        EXPECT_EQ(folder.Read("locked.ini"), "[OTHER]\r\nkeep=1\r\n");
    }
}

} // namespace
} // namespace pelmora
