#include "catalogue/FolderWatch.h"

#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace pelmora {
namespace {

namespace fs = std::filesystem;

enum class Seen { Unwatched, Unchanged, Changed };

struct WatchRow {
    const char* Name;
    // The folder watched, relative to the test's folder, which holds App/Data/T.tbl
    // and App/Data/Other.tbl.
    const char* Folder;
    size_t MaxFolders;
    std::function<void(const std::string& root)> Change;
    Seen Expected;
};

void PrintTo(const WatchRow& row, std::ostream* out) {
    *out << row.Name;
}

class FolderWatchReports : public ::testing::TestWithParam<WatchRow> {};

TEST_P(FolderWatchReports, WhatHappensToAFileOfTheFolder) {
    const WatchRow& row = GetParam();
    testing::TempFolder temp;
    temp.Write("App/Data/T.tbl", "Head\r\n");
    temp.Write("App/Data/Other.tbl", "Head\r\n");
    fs::create_symlink(temp.Path() + "App/Data", temp.Path() + "Link");
    FolderWatch watch(row.MaxFolders);
    const std::string folder =
        std::string(row.Folder).starts_with("/") ? row.Folder : temp.Path() + row.Folder;
    const auto before = watch.LastChange(folder + "T.tbl");
    row.Change(temp.Path());
    watch.Poll();
    const auto after = watch.LastChange(folder + "T.tbl");
    if (row.Expected == Seen::Unwatched) {
        EXPECT_FALSE(before.has_value());
        EXPECT_FALSE(after.has_value());
        return;
    }
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(after.has_value());
    EXPECT_LE(*before, watch.Now());
    if (row.Expected == Seen::Changed)
        EXPECT_GT(*after, *before);
    else
        EXPECT_EQ(*after, *before);
}

void Nothing(const std::string&) {}

void Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FolderWatchReports,
    ::testing::Values(
        WatchRow{"NothingHappens", "App/Data/", 32, Nothing, Seen::Unchanged},
        WatchRow{
            "AnotherFileIsEdited", "App/Data/", 32,
            [](const std::string& root) { Write(root + "App/Data/Other.tbl", "Head\r\nx\r\n"); },
            Seen::Unchanged},
        WatchRow{"TheFileIsEdited", "App/Data/", 32,
                 [](const std::string& root) { Write(root + "App/Data/T.tbl", "Head\r\nx\r\n"); },
                 Seen::Changed},
        WatchRow{"ItsNameInOtherLettersIsMade", "App/Data/", 32,
                 [](const std::string& root) { Write(root + "App/Data/t.TBL", "Head\r\n"); },
                 Seen::Changed},
        WatchRow{"AnotherFileIsRenamedOverIt", "App/Data/", 32,
                 [](const std::string& root) {
                     fs::rename(root + "App/Data/Other.tbl", root + "App/Data/T.tbl");
                 },
                 Seen::Changed},
        WatchRow{"TheFolderIsReplaced", "App/Data/", 32,
                 [](const std::string& root) {
                     fs::rename(root + "App/Data", root + "App/Old");
                     Write(root + "App/Data/T.tbl", "Head\r\n");
                 },
                 Seen::Changed},
        WatchRow{"AFolderAboveIsReplaced", "App/Data/", 32,
                 [](const std::string& root) {
                     fs::rename(root + "App", root + "Old");
                     Write(root + "App/Data/T.tbl", "Head\r\n");
                 },
                 Seen::Changed},
        WatchRow{"AFolderReachedThroughALink", "Link/", 32, Nothing, Seen::Unwatched},
        WatchRow{"AFolderThatIsMissing", "App/Missing/", 32, Nothing, Seen::Unwatched},
        WatchRow{"AFolderNotInItsPlainForm", "App/Data/../Data/", 32, Nothing, Seen::Unwatched},
        WatchRow{"NoWatchLeft", "App/Data/", 0, Nothing, Seen::Unwatched}),
    [](const auto& info) { return std::string(info.param.Name); });

// It would mean another folder once the working folder changes.
TEST(FolderWatch, ARelativePathIsNotWatched) {
    testing::TempFolder temp;
    temp.Write("Data/T.tbl", "Head\r\n");
    const fs::path was = fs::current_path();
    fs::current_path(temp.Path());
    FolderWatch watch;
    EXPECT_FALSE(watch.LastChange("Data/T.tbl").has_value());
    EXPECT_FALSE(watch.LastChange("T.tbl").has_value());
    fs::current_path(was);
}

} // namespace
} // namespace pelmora
