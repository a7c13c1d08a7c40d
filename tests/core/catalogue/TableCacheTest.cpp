#include "catalogue/Errors.h"
#include "catalogue/TableSource.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
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

} // namespace
} // namespace pelmora
