#include "catalogue/Errors.h"
#include "catalogue/TableSource.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace pelmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// As an editor long ago saved it.
void Age(const std::string& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - 1h);
}

// Truncated, then written again in the same file, as many editors save.
void RewriteInPlace(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

TEST(TableCache, ATableRewrittenInPlaceIsNeverSeenHalfWritten) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    const std::string versionA = "Head\r\nR|090|12.50\r\nR|112|14.75\r\n";
    const std::string versionB = "Head\r\nR|090|13.10\r\nR|112|15.20\r\n";
    const std::string path = folder.Write("Data/Price.tbl", versionA);
    Age(path);
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, &cache};
    ASSERT_EQ(tables.Load("Price.tbl")->GetField(0, 3), "12.50");

    std::atomic<bool> stop{false};
    std::thread editor([&] {
        for (int save = 0; !stop; ++save)
            RewriteInPlace(path, save % 2 ? versionA : versionB);
    });
    int answers = 0;
    for (const auto until = std::chrono::steady_clock::now() + 300ms;
         std::chrono::steady_clock::now() < until; ++answers) {
        const TableRef table = tables.Load("Price.tbl");
        ASSERT_EQ(table->RowCount(), 2) << "answer " << answers;
        const std::string price = table->GetField(0, 3);
        ASSERT_TRUE(price == "12.50" || price == "13.10") << price;
    }
    stop = true;
    editor.join();
    EXPECT_TRUE(messages.Log.empty());
    RewriteInPlace(path, versionB);
    std::this_thread::sleep_for(80ms);
    EXPECT_EQ(tables.Load("Price.tbl")->GetField(0, 3), "13.10") << "once it holds still";
}

TEST(TableCache, ATableThatCannotBeReadWholeKeepsItsLastGoodCopy) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    const std::string path = folder.Write("Data/T.tbl", "Head\r\ngood\r\n");
    Age(path);
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, &cache};
    EXPECT_EQ(tables.Load("T.tbl")->GetField(0, 1), "good");

    // Put in the table's place by mistake: no read may wait on it.
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(tables.Load("T.tbl")->GetField(0, 1), "good");
    fs::remove(path);
    EXPECT_EQ(tables.Load("T.tbl")->RowCount(), 0) << "a deleted table is gone";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(tables.Load("T.tbl")->RowCount(), 0);
    ASSERT_EQ(messages.Log.size(), 2u);
    EXPECT_EQ(messages.Log.back().Text, "Error loading \"" + path +
                                            "\" with error message, \"Cannot open file " + path +
                                            ": it is not a regular file\".");
}

// One action sees one version of every table, however long it takes.
TEST(TableCache, AScopeSeesEachTableAsItWasAtItsFirstUse) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    folder.Write("Data/T.tbl", "Head\r\nfirst\r\n");
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, &cache};
    auto replace = [&](const std::string& row) {
        folder.Write("Data/T.new", "Head\r\n" + row + "\r\n");
        fs::rename(folder.Path() + "Data/T.new", folder.Path() + "Data/T.tbl");
    };
    {
        const TableScope action;
        EXPECT_EQ(tables.Load("T.tbl")->GetField(0, 1), "first");
        replace("second");
        EXPECT_EQ(tables.Load("T.tbl")->GetField(0, 1), "first");
        {
            const TableScope dialog;
            EXPECT_EQ(tables.Load("T.tbl")->GetField(0, 1), "second");
        }
        EXPECT_EQ(tables.LoadOrThrow("T.tbl")->GetField(0, 1), "first");
    }
    EXPECT_EQ(tables.Load("T.tbl")->GetField(0, 1), "second");
}

// What is worked out from tables lives as long as the tables it came from.
TEST(TableCache, AValueWorkedOutFromTablesIsKeptUntilOneOfThemChanges) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    const std::string sizes = folder.Write("Data/Sizes.tbl", "Head\r\n090\r\n062\r\n");
    const std::string bands = folder.Write("Data/Bands.tbl", "Head\r\n090|X\r\n");
    Age(sizes);
    Age(bands);
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, &cache};
    int made = 0;
    auto rows = [&] {
        return tables.Derive<int>(
            "rows", {tables.Load("Sizes.tbl"), tables.Load("Bands.tbl")}, [&] {
                ++made;
                return tables.Load("Sizes.tbl")->RowCount() + tables.Load("Bands.tbl")->RowCount();
            });
    };
    const std::weak_ptr<const int> first = rows();
    EXPECT_EQ(*rows(), 3);
    EXPECT_EQ(made, 1);

    folder.Write("Data/Bands.tbl", "Head\r\n090|X\r\n090|Y\r\n");
    Age(bands);
    EXPECT_EQ(*rows(), 4);
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(first.expired()) << "the value of the old table is let go";
    EXPECT_EQ(*rows(), 4);
    EXPECT_EQ(made, 2);
}

struct DeriveRow {
    const char* Name;
    // Whether the value is asked for with a copy of the table read outside the cache.
    bool OtherCopy;
    bool Cached;
    int Made;
};

class TableCacheDerive : public ::testing::TestWithParam<DeriveRow> {};

TEST_P(TableCacheDerive, IsMadeAgainUnlessFromTheSameTables) {
    const DeriveRow& row = GetParam();
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    Age(folder.Write("Data/Sizes.tbl", "Head\r\n090\r\n"));
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, row.Cached ? &cache : nullptr};
    const TableSource uncached{folder.Path() + "Data/", messages, nullptr};
    int made = 0;
    for (int use = 0; use < 3; ++use) {
        const TableRef sizes =
            row.OtherCopy && use > 0 ? uncached.Load("Sizes.tbl") : tables.Load("Sizes.tbl");
        tables.Derive<int>("count", {sizes}, [&] { return ++made; });
    }
    EXPECT_EQ(made, row.Made);
}

INSTANTIATE_TEST_SUITE_P(Uses, TableCacheDerive,
                         ::testing::Values(DeriveRow{"SameTablesInTheCache", false, true, 1},
                                           DeriveRow{"OtherCopiesOfTheSameFile", true, true, 3},
                                           DeriveRow{"NoCache", false, false, 3}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The folder the cache reads from, and how it may watch it.
struct Reading {
    const char* Name;
    const char* Folder;
    size_t WatchedFolders;
};

const Reading Readings[] = {
    {"Watched", "Data/", 32},
    {"NoWatchLeft", "Data/", 0},
    {"ThroughALink", "Link/", 32},
};

struct TableChange {
    const char* Name;
    std::function<void(const std::string& root)> Make;
    const char* Rows;
    size_t Errors;
};

std::string Rows(const TTxtTable& table) {
    std::string rows;
    for (int row = 0; row < table.RowCount(); ++row)
        rows += (row ? "," : "") + table.GetField(row, 1);
    return rows;
}

void Replace(const std::string& path, const std::string& bytes) {
    const std::string fresh = path + ".new";
    std::ofstream(fresh, std::ios::binary) << bytes;
    Age(fresh);
    fs::rename(fresh, path);
}

const TableChange TableChanges[] = {
    {"EditedInPlace",
     [](const std::string& root) {
         RewriteInPlace(root + "Data/T.tbl", "Head\r\nedited\r\n");
         Age(root + "Data/T.tbl");
     },
     "edited", 0},
    {"RenamedOver",
     [](const std::string& root) { Replace(root + "Data/T.tbl", "Head\r\nrenamed\r\n"); },
     "renamed", 0},
    {"Truncated",
     [](const std::string& root) {
         fs::resize_file(root + "Data/T.tbl", std::string("Head\r\nfirst\r\n").size());
         Age(root + "Data/T.tbl");
     },
     "first", 0},
    {"Deleted", [](const std::string& root) { fs::remove(root + "Data/T.tbl"); }, "", 2},
    {"FolderReplaced",
     [](const std::string& root) {
         fs::rename(root + "Data", root + "Old");
         fs::create_directory(root + "Data");
         Replace(root + "Data/T.tbl", "Head\r\nnew folder\r\n");
     },
     "new folder", 0},
    {"TouchedOnly", [](const std::string& root) { Age(root + "Data/T.tbl"); }, "first,second", 0},
};

void PrintTo(const Reading& row, std::ostream* out) {
    *out << row.Name;
}

void PrintTo(const TableChange& row, std::ostream* out) {
    *out << row.Name;
}

class TableCacheSees : public ::testing::TestWithParam<std::tuple<Reading, TableChange>> {};

TEST_P(TableCacheSees, AChangeBetweenTwoActions) {
    const auto& [reading, change] = GetParam();
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    Age(folder.Write("Data/T.tbl", "Head\r\nfirst\r\nsecond\r\n"));
    fs::create_directory_symlink(folder.Path() + "Data", folder.Path() + "Link");
    TableCache cache(TableCache::Checked, reading.WatchedFolders);
    const TableSource tables{folder.Path() + reading.Folder, messages, &cache};
    auto action = [&] {
        const TableScope scope;
        return Rows(*tables.Load("T.tbl"));
    };
    EXPECT_EQ(action(), "first,second");
    EXPECT_EQ(action(), "first,second");
    change.Make(folder.Path());
    EXPECT_EQ(action(), change.Rows);
    EXPECT_EQ(action(), change.Rows) << "and keeps it";
    EXPECT_EQ(messages.Log.size(), change.Errors);
}

// A case's name: the way of reading, then the change.
const auto ReadingAndChangeName = [](const auto& info) {
    return std::string(std::get<0>(info.param).Name) + "_" + std::get<1>(info.param).Name;
};

INSTANTIATE_TEST_SUITE_P(Rows, TableCacheSees,
                         ::testing::Combine(::testing::ValuesIn(Readings),
                                            ::testing::ValuesIn(TableChanges)),
                         ReadingAndChangeName);

// An edit through another name of the same file shows in no report of the folder.
TEST(TableCache, ATableWithASecondHardLinkIsEditedThroughIt) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    const std::string path = folder.Write("Data/T.tbl", "Head\r\nfirst\r\n");
    Age(path);
    fs::create_hard_link(path, folder.Path() + "Other.tbl");
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, &cache};
    auto action = [&] {
        const TableScope scope;
        return Rows(*tables.Load("T.tbl"));
    };
    EXPECT_EQ(action(), "first");
    EXPECT_EQ(action(), "first");
    RewriteInPlace(folder.Path() + "Other.tbl", "Head\r\nedited\r\n");
    Age(folder.Path() + "Other.tbl");
    EXPECT_EQ(action(), "edited");
}

// A catalogue swapped for another by pointing the link to its folder elsewhere.
TEST(TableCache, AFolderLinkPointedElsewhereCounts) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    Age(folder.Write("First/T.tbl", "Head\r\nfirst\r\n"));
    Age(folder.Write("Second/T.tbl", "Head\r\nsecond\r\n"));
    fs::create_directory_symlink(folder.Path() + "First", folder.Path() + "Data");
    TableCache cache;
    const TableSource tables{folder.Path() + "Data/", messages, &cache};
    auto action = [&] {
        const TableScope scope;
        return Rows(*tables.Load("T.tbl"));
    };
    EXPECT_EQ(action(), "first");
    EXPECT_EQ(action(), "first");
    fs::create_directory_symlink(folder.Path() + "Second", folder.Path() + "Data.new");
    fs::rename(folder.Path() + "Data.new", folder.Path() + "Data");
    EXPECT_EQ(action(), "second");
}

struct PictureChange {
    const char* Name;
    // Whether P.gif is there at first.
    bool There;
    std::function<void(const std::string& images)> Make;
    // The picture's name as found afterwards; empty when none is.
    const char* Found;
};

const PictureChange PictureChanges[] = {
    {"Added", false, [](const std::string& images) { std::ofstream(images + "P.gif") << "GIF"; },
     "P.gif"},
    {"AddedInOtherLetters", false,
     [](const std::string& images) { std::ofstream(images + "p.GIF") << "GIF"; }, "p.GIF"},
    {"Deleted", true, [](const std::string& images) { fs::remove(images + "P.gif"); }, ""},
    {"RenamedAway", true,
     [](const std::string& images) { fs::rename(images + "P.gif", images + "Q.gif"); }, ""},
    {"ReplacedByALinkLeadingOut", true,
     [](const std::string& images) {
         std::ofstream(images + "../Outside.gif") << "GIF";
         fs::create_symlink(images + "../Outside.gif", images + "P.new");
         fs::rename(images + "P.new", images + "P.gif");
     },
     ""},
};

void PrintTo(const PictureChange& row, std::ostream* out) {
    *out << row.Name;
}

class PictureLookupSees : public ::testing::TestWithParam<std::tuple<Reading, PictureChange>> {};

TEST_P(PictureLookupSees, AChangeBetweenTwoActions) {
    const auto& [reading, change] = GetParam();
    testing::TempFolder folder;
    if (change.There)
        folder.Write("Images/P.gif", "GIF");
    fs::create_directories(folder.Path() + "Images");
    fs::create_directory_symlink(folder.Path() + "Images", folder.Path() + "Link");
    const std::string images =
        folder.Path() + (std::string(reading.Folder) == "Link/" ? "Link/" : "Images/");
    TableCache cache(TableCache::Checked, reading.WatchedFolders);
    auto action = [&] {
        const TableScope scope;
        const auto found = cache.FileInFolder(images, "P.gif");
        return found ? fs::path(*found).filename().string() : std::string();
    };
    const std::string before = change.There ? "P.gif" : "";
    EXPECT_EQ(action(), before);
    EXPECT_EQ(action(), before);
    change.Make(folder.Path() + "Images/");
    EXPECT_EQ(action(), change.Found);
    EXPECT_EQ(action(), change.Found) << "and keeps it";
}

INSTANTIATE_TEST_SUITE_P(Rows, PictureLookupSees,
                         ::testing::Combine(::testing::ValuesIn(Readings),
                                            ::testing::ValuesIn(PictureChanges)),
                         ReadingAndChangeName);

// One command sees the pictures as they were at its first look.
TEST(TableCache, AShortRunKeepsThePictureItFirstFound) {
    testing::TempFolder folder;
    const std::string picture = folder.Write("Images/P.gif", "GIF");
    TableCache cache(TableCache::ShortRun);
    EXPECT_EQ(cache.FileInFolder(folder.Path() + "Images/", "P.gif"), picture);
    fs::remove(picture);
    EXPECT_EQ(cache.FileInFolder(folder.Path() + "Images/", "P.gif"), picture);
}

} // namespace
} // namespace pelmora
