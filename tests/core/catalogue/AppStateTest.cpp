// Where the program finds its catalogue and keeps the user's files: beside itself
// when it runs from a folder it may write, in the user's folders when installed.
#include "catalogue/AppState.h"

#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

TEST(AppState, APortableProgramKeepsEveryFileBesideItself) {
    TempFolder folder;
    folder.Write("bin/Data/Family.tbl", "x");
    AppState app;
    app.Locate(folder.Path() + "bin", {folder.Path() + "config/", folder.Path() + "data/"});
    EXPECT_TRUE(app.Portable);
    const std::string bin = folder.Path() + "bin/";
    EXPECT_EQ(app.AppDir, bin);
    EXPECT_EQ(app.DataDir, bin + "Data/");
    EXPECT_EQ(app.SettingsDir, bin);
    EXPECT_EQ(app.HistoryDir, bin + "Data/");
    EXPECT_EQ(app.OutputDir, bin);
    app.CreateUserFolders();
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "config"));
}

TEST(AppState, AnInstalledProgramReadsItsCatalogueAndWritesInTheUsersFolders) {
    TempFolder folder;
    folder.Write("usr/share/pelmora38/Data/Family.tbl", "x");
    std::filesystem::create_directories(folder.Path() + "usr/bin");
    const UserFolders user{folder.Path() + "home/.config/", folder.Path() + "home/.local/share/"};
    AppState app;
    app.Locate(folder.Path() + "usr/bin", user);
    EXPECT_FALSE(app.Portable);
    const std::string share = folder.Path() + "usr/share/pelmora38/";
    EXPECT_EQ(app.AppDir, share);
    EXPECT_EQ(app.DataDir, share + "Data/");
    EXPECT_EQ(app.ImagesDir, share + "Images/");
    EXPECT_EQ(app.SettingsDir, user.Config + "pelmora38/");
    EXPECT_EQ(app.HistoryDir, user.Data + "pelmora38/");
    EXPECT_EQ(app.OutputDir, user.Data + "pelmora38/");
    app.CreateUserFolders();
    EXPECT_TRUE(std::filesystem::is_directory(app.SettingsDir));
    EXPECT_TRUE(std::filesystem::is_directory(app.HistoryDir));

    // A maintainer's own catalogue comes first.
    folder.Write("home/.local/share/pelmora38/Data/Family.tbl", "y");
    app.Locate(folder.Path() + "usr/bin", user);
    EXPECT_EQ(app.DataDir, user.Data + "pelmora38/Data/");
    EXPECT_EQ(app.ImagesDir, share + "Images/");
}

TEST(AppState, UserFoldersFollowTheXdgVariablesOrTheHome) {
    ::setenv("HOME", "/home/ann", 1);
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    const UserFolders user = UserFolders::FromEnvironment();
    EXPECT_EQ(user.Config, "/cfg/");
    EXPECT_EQ(user.Data, "/home/ann/.local/share/");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserFolders::FromEnvironment().Config, "/home/ann/.config/");
}

} // namespace
} // namespace pelmora::testing
