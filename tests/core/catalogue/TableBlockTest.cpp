#include "catalogue/TableBlock.h"

#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace pelmora {
namespace {

using testing::TempFolder;

constexpr size_t MB = size_t{1} << 20;

// A pipe table of about the given size whose every row differs from the others.
std::string TableBytes(size_t size) {
    std::string bytes;
    bytes.reserve(size + 64);
    for (int row = 0; bytes.size() < size; ++row)
        bytes += std::to_string(row) + "|C|" + std::to_string(row * 7) + "\r\n";
    bytes.resize(size);
    return bytes;
}

struct SizeCase {
    const char* Name;
    size_t Size;
};

class TableBlockSizes : public ::testing::TestWithParam<SizeCase> {};

// Around the size from which blocks are mapped and kept as spares, each read
// holds exactly the file's bytes, also when a spare block left by a larger
// table is written into.
TEST_P(TableBlockSizes, ReadsHoldTheFilesBytes) {
    TempFolder folder;
    const std::string bytes = TableBytes(GetParam().Size);
    const std::string path = folder.Write("big.tbl", bytes);
    for (int read = 0; read < 2; ++read) {
        const FileBytes got = ReadFileBytes(path);
        ASSERT_EQ(got.Size, bytes.size());
        EXPECT_TRUE(got.View() == bytes) << "read " << read;
    }
    const std::string shorter = bytes.substr(0, bytes.size() - bytes.size() / 8);
    folder.Write("big.tbl", shorter);
    EXPECT_TRUE(ReadFileBytes(path).View() == shorter);
}

INSTANTIATE_TEST_SUITE_P(TableBlock, TableBlockSizes,
                         ::testing::Values(SizeCase{"Empty", 0}, SizeCase{"Small", 1000},
                                           SizeCase{"JustBelowMapped", 2 * MB - 2},
                                           SizeCase{"ExactlyMapped", 2 * MB - 1},
                                           SizeCase{"OneHugePageAndABit", 2 * MB + 1},
                                           SizeCase{"Several", 9 * MB + 7}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(TableBlock, ABlockInUseIsNeverHandedOutAgain) {
    TempFolder folder;
    const std::string first = TableBytes(5 * MB);
    std::string second = first;
    second[0] = 'x';
    const TTxtTable kept = TTxtTable::ForLookupsOrThrow(folder.Write("a.tbl", first));
    {
        // Read and dropped: its block becomes the spare, which the next read takes.
        const TTxtTable dropped = TTxtTable::ForLookupsOrThrow(folder.Write("b.tbl", second));
    }
    EXPECT_GE(SpareTableBlockBytes(), 5 * MB);
    const TTxtTable again = TTxtTable::ForLookupsOrThrow(folder.Path() + "b.tbl");
    EXPECT_EQ(SpareTableBlockBytes(), 0U);
    EXPECT_EQ(kept.Line(0), "0|C|0");
    EXPECT_EQ(again.Line(0), "x|C|0");
    EXPECT_EQ(kept.RowCount(), again.RowCount());
}

TEST(TableBlock, ASpareFarLargerThanAskedIsNotPinnedByASmallTable) {
    TempFolder folder;
    {
        const TTxtTable large =
            TTxtTable::ForLookupsOrThrow(folder.Write("a.tbl", TableBytes(20 * MB)));
    }
    const size_t largeSpare = SpareTableBlockBytes();
    EXPECT_GE(largeSpare, 20 * MB);
    {
        const TTxtTable small =
            TTxtTable::ForLookupsOrThrow(folder.Write("b.tbl", TableBytes(3 * MB)));
    }
    // The small table had a block of its own; it is now the one spare.
    EXPECT_GE(SpareTableBlockBytes(), 3 * MB);
    EXPECT_LT(SpareTableBlockBytes(), largeSpare);
}

} // namespace
} // namespace pelmora
