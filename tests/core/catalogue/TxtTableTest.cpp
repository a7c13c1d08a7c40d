#include "catalogue/TxtTable.h"

#include "catalogue/Errors.h"
#include "catalogue/TableSource.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora {
namespace {

using testing::FakeMessageBoxes;
using testing::TempFolder;

TTxtTable TableOf(std::vector<std::string> lines) {
    TTxtTable table;
    table.Lines = std::move(lines);
    return table;
}

TEST(TxtTableLoad, AcceptsEveryLineEndAndAddsNoRowForTheFinalBreak) {
    TempFolder folder;
    FakeMessageBoxes messages;
    for (const char* bytes : {"a|1\r\nb|2\r\nc|3\r\n", "a|1\nb|2\nc|3\n", "a|1\rb|2\rc|3\r",
                              "a|1\r\nb|2\nc|3", "a|1\rb|2\r\nc|3\n"}) {
        const TTxtTable table(folder.Write("t.tbl", bytes), messages);
        ASSERT_EQ(table.RowCount(), 3) << bytes;
        EXPECT_EQ(table.GetField(2, 1), "c");
        EXPECT_EQ(table.GetField(1, 2), "2");
    }
    EXPECT_TRUE(messages.Log.empty());
}

TEST(TxtTableLoad, BlankLineInTheMiddleIsARowOfEmptyFields) {
    TempFolder folder;
    FakeMessageBoxes messages;
    const TTxtTable table(folder.Write("t.tbl", "a|b\r\n\r\nc|d\r\n"), messages);
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.GetField(1, 1), "");
    EXPECT_EQ(table.GetField(1, 3), "");
}

TEST(TxtTableLoad, HeaderOnlyFileIsEmptyAfterDeleteHeaderAndEmptyTableStaysEmpty) {
    TempFolder folder;
    FakeMessageBoxes messages;
    TTxtTable table(folder.Write("t.tbl", "Code|Name\r\n"), messages);
    table.DeleteHeader();
    EXPECT_EQ(table.RowCount(), 0);
    table.DeleteHeader();
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(TxtTableLoad, KeepsEightBitBytesAsTheyAre) {
    TempFolder folder;
    FakeMessageBoxes messages;
    const TTxtTable table(folder.Write("t.tbl", "E|E Bend 90\xB0\r\n"), messages);
    EXPECT_EQ(table.GetField(0, 2), "E Bend 90\xB0");
}

TEST(TxtTableLoad, MissingFileShowsOneBoxNamingThePathAndLeavesAnEmptyTable) {
    TempFolder folder;
    FakeMessageBoxes messages;
    const std::string path = folder.Path() + "Missing.tbl";
    const TTxtTable table(path, messages);
    EXPECT_EQ(table.RowCount(), 0);
    ASSERT_EQ(messages.Log.size(), 1u);
    EXPECT_EQ(messages.Log[0].Kind, "error");
    EXPECT_EQ(messages.Log[0].Text, "Error loading \"" + path + "\" with error message, \"" +
                                        "Cannot open file " + path + "\".");
}

TEST(TxtTableLoad, LoadingLinesDirectlyLetsTheFileErrorThrough) {
    TempFolder folder;
    TTxtTable table = TableOf({"kept"});
    const std::string path = folder.Path() + "Missing.tbl";
    try {
        table.LoadFromFile(path);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
    }
}

TEST(TxtTableGetField, TrimsBlanksAndControlsButNotInnerSpaces) {
    const TTxtTable table = TableOf({" R | 90 ", "\tFlange  A \t|x", "a||b", ""});
    EXPECT_EQ(table.GetField(0, 1), "R");
    EXPECT_EQ(table.GetField(0, 2), "90");
    EXPECT_EQ(table.GetField(1, 1), "Flange  A");
    EXPECT_EQ(table.GetField(2, 2), "");
    EXPECT_EQ(table.GetField(2, 3), "b");
    EXPECT_EQ(table.GetField(3, 1), "");
    EXPECT_EQ(table.GetField(3, 4), "");
}

TEST(TxtTableGetField, ColumnPastTheRowEndReadsTheLastFieldAgain) {
    const TTxtTable table = TableOf({"a|b", "x | y | z "});
    EXPECT_EQ(table.GetField(0, 2), "b");
    EXPECT_EQ(table.GetField(0, 3), "b");
    EXPECT_EQ(table.GetField(0, 4), "b");
    EXPECT_EQ(table.GetField(1, 5), "z");
}

TEST(TxtTableGetField, RowOutsideTheTableFailsWithTheListIndexError) {
    const TTxtTable table = TableOf({"a"});
    for (int row : {-1, 1}) {
        try {
            (void)table.GetField(row, 1);
            FAIL() << "no error for row " << row;
        } catch (const ListIndexError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "List index out of bounds (" + std::to_string(row) + ")");
        }
    }
}

TEST(TxtTableSetField, StoresTheValueUntrimmedAndLeavesTheOtherFieldsByteForByte) {
    TTxtTable table = TableOf({"a | b |c", "a||b", "a|", ""});
    table.SetField(0, 2, " x ");
    EXPECT_EQ(table.Lines[0], "a | x |c");
    table.SetField(1, 2, "m");
    EXPECT_EQ(table.Lines[1], "a|m|b");
    table.SetField(2, 2, "z");
    EXPECT_EQ(table.Lines[2], "a|z");
    table.SetField(3, 1, "only");
    EXPECT_EQ(table.Lines[3], "only");
}

TEST(TxtTableSetField, NeverAddsFieldsAndChangesNothingOnABadIndex) {
    TTxtTable table = TableOf({"a|b"});
    EXPECT_THROW(table.SetField(0, 3, "c"), ListIndexError);
    EXPECT_THROW(table.SetField(1, 1, "c"), ListIndexError);
    EXPECT_THROW(table.SetField(-1, 1, "c"), ListIndexError);
    EXPECT_EQ(table.Lines, std::vector<std::string>{"a|b"});
}

TEST(TxtTableCopy, AssignCopiesRowsAndSeparatorIndependently) {
    TTxtTable source = TableOf({"a;b", "c;d"});
    source.Separator = ';';
    TTxtTable copy;
    copy.Assign(source);
    source.Lines[0] = "changed";
    source.Lines.push_back("more");
    EXPECT_EQ(copy.Separator, ';');
    EXPECT_EQ(copy.Lines, (std::vector<std::string>{"a;b", "c;d"}));
    EXPECT_EQ(copy.GetField(1, 2), "d");
}

TEST(TxtTableCopy, GetColumnReplacesTheTargetWithOneFieldPerRow) {
    const TTxtTable table = TableOf({"090|X", " 062 |Y", "x"});
    std::vector<std::string> target{"old"};
    table.GetColumn(1, target);
    EXPECT_EQ(target, (std::vector<std::string>{"090", "062", "x"}));
    table.GetColumn(2, target);
    EXPECT_EQ(target, (std::vector<std::string>{"X", "Y", "x"}));
}

TEST(ListUtilities, IsInListIgnoresLetterCaseIncludingAccentedLetters) {
    EXPECT_TRUE(IsInList("wr90", {"WR62", "WR90"}));
    EXPECT_TRUE(IsInList("\xE9t\xE9", {"\xC9T\xC9"}));
    EXPECT_FALSE(IsInList("WR9", {"WR90"}));
    EXPECT_FALSE(IsInList("x", {}));
}

TEST(ListUtilities, SortUniqueKeepsTheFirstOfEachGroupInAscendingOrder) {
    std::vector<std::string> list{"b", "A", "a", "B"};
    SortUnique(list);
    EXPECT_EQ(list, (std::vector<std::string>{"A", "b"}));

    std::vector<std::string> rows{"N|Type N", "S|SMA", "n|type n", "N|Type N", "\xE9", "\xC9"};
    SortUnique(rows);
    EXPECT_EQ(rows, (std::vector<std::string>{"N|Type N", "S|SMA", "\xE9"}));
}

// The cache keeps a table while its file stays as it was, and reads it again
// once the file is replaced or edited.
TEST(TableSource, ACachedTableIsReadAgainOnceItsFileChanged) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    folder.Write("Data/T.tbl", "Head\r\nfirst\r\n");
    TableCache cache;
    const TableSource cached{folder.Path() + "Data/", messages, &cache};
    const TableRef first = cached.Load("T.tbl");
    EXPECT_EQ(first->GetField(0, 1), "first");
    EXPECT_EQ(cached.Load("T.tbl"), first) << "kept while the file is unchanged";
    EXPECT_EQ(cached.LoadWithHeader("T.tbl")->GetField(0, 1), "Head");

    folder.Write("Data/T.tbl", "Head\r\nsecond one\r\n");
    EXPECT_EQ(cached.Load("T.tbl")->GetField(0, 1), "second one");
    // The same size, replaced by another file as an editor saves it.
    folder.Write("Data/T.new", "Head\r\nthird one\r\n");
    std::filesystem::rename(folder.Path() + "Data/T.new", folder.Path() + "Data/T.tbl");
    EXPECT_EQ(cached.Load("T.tbl")->GetField(0, 1), "third one");
    EXPECT_EQ(first->GetField(0, 1), "first") << "a table once read never changes";

    EXPECT_THROW(cached.LoadOrThrow("Missing.tbl"), FileError);
    EXPECT_EQ(cached.Load("Missing.tbl")->RowCount(), 0);
    EXPECT_EQ(cached.Load("Missing.tbl")->RowCount(), 0);
    EXPECT_EQ(messages.Log.size(), 2u) << "a missing table is reported at every use";
    TableCache once(TableCache::ShortRun);
    const TableSource shortRun{folder.Path() + "Data/", messages, &once};
    shortRun.Load("Missing.tbl");
    shortRun.Load("Missing.tbl");
    EXPECT_EQ(messages.Log.size(), 3u) << "or once, in a short run";
}

// Tables for lookups keep their rows as views; changing one makes it an ordinary
// table, the same as one loaded into Lines.
TEST(TxtTable, LookupTablesReadLikeLoadedOnes) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    const std::string path = folder.Write("t.tbl", "H|x\r\n a | b \nc\r\rlast|");
    TTxtTable lookup = TTxtTable::ForLookups(path, messages);
    TTxtTable loaded(path, messages);
    ASSERT_EQ(lookup.RowCount(), loaded.RowCount());
    for (int row = 0; row < loaded.RowCount(); ++row) {
        EXPECT_EQ(lookup.Line(row), loaded.Lines[static_cast<size_t>(row)]);
        for (int column = 1; column <= 3; ++column) {
            EXPECT_EQ(lookup.GetField(row, column), loaded.GetField(row, column));
            EXPECT_EQ(lookup.Column(column).at(static_cast<size_t>(row)),
                      loaded.GetField(row, column));
            EXPECT_EQ(loaded.Column(column).at(static_cast<size_t>(row)),
                      loaded.GetField(row, column));
        }
    }
    lookup.DeleteHeader();
    EXPECT_EQ(lookup.GetField(0, 2), "b");
    EXPECT_EQ(lookup.Column(2), (std::vector<std::string_view>{"b", "c", "", ""}));
    lookup.SetField(0, 2, "z");
    EXPECT_EQ(lookup.Lines, (std::vector<std::string>{" a |z", "c", "", "last|"}));
    EXPECT_THROW(lookup.Line(4), ListIndexError);
    EXPECT_EQ(TTxtTable::ForLookups(folder.Path() + "none", messages).RowCount(), 0);
    EXPECT_EQ(messages.Log.size(), 1u);
}

} // namespace
} // namespace pelmora
