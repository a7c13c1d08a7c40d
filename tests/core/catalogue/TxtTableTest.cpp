#include "catalogue/TxtTable.h"

#include "catalogue/Errors.h"
#include "catalogue/TableSource.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempFolder.h"

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

} // namespace
} // namespace pelmora

namespace pelmora {
namespace {

TEST(TableSource, ReadsAfreshUnlessACacheKeepsTheFirstReading) {
    testing::TempFolder folder;
    testing::FakeMessageBoxes messages;
    folder.Write("Data/T.tbl", "Head\r\nfirst\r\n");
    TableCache cache;
    const TableSource fresh{folder.Path() + "Data/", messages};
    const TableSource cached{folder.Path() + "Data/", messages, &cache};
    EXPECT_EQ(cached.Load("T.tbl")->Lines, std::vector<std::string>{"first"});
    folder.Write("Data/T.tbl", "Head\r\nsecond\r\n");
    EXPECT_EQ(fresh.Load("T.tbl")->Lines, std::vector<std::string>{"second"});
    EXPECT_EQ(cached.LoadWithHeader("T.tbl")->Lines, (std::vector<std::string>{"Head", "second"}));
    folder.Write("Data/T.tbl", "Head\r\nthird\r\n");
    EXPECT_EQ(cached.Load("T.tbl")->Lines, std::vector<std::string>{"first"});
    EXPECT_THROW(cached.LoadOrThrow("Missing.tbl"), FileError);
    EXPECT_EQ(cached.Load("Missing.tbl")->RowCount(), 0);
    EXPECT_EQ(cached.Load("Missing.tbl")->RowCount(), 0);
    EXPECT_EQ(messages.Log.size(), 1u) << "a cached missing table is reported once";
}

} // namespace
} // namespace pelmora
