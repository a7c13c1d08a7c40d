// The price book: every part the wizard offers, counted and listed, in pieces
// that make the whole, in every format.
#include "PriceBook.h"

#include "PartCatalogue.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace pelmora::testing {
namespace {

using service::BookFormat;
using service::PriceRow;

class PriceBook : public ::testing::Test {
protected:
    PriceBook() {
        WritePartCatalogue(folder);
        app.SetFolders(folder.Path());
        app.Cache = &cache;
    }

    std::string Book(service::PriceBookRequest request) {
        std::string bytes;
        shown = service::WritePriceBook(app, request,
                                        [&](std::string_view piece) { bytes.append(piece); });
        return bytes;
    }

    std::vector<PriceRow> Rows(const std::string& bytes) {
        std::vector<PriceRow> rows;
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            if (auto row = service::ParseRow(line, BookFormat::Tsv))
                rows.push_back(*row);
        }
        return rows;
    }

    TempFolder folder;
    TableCache cache{TableCache::ShortRun};
    AppState app;
    service::Messages shown;
};

// Counted by hand from the tables (flange pairs x units x lengths x bands x
// finishes), special-quote sizes once each.
struct FamilyParts {
    const char* Family;
    std::uint64_t Parts;
};

class PartsOfFamily : public PriceBook, public ::testing::WithParamInterface<FamilyParts> {};

TEST_P(PartsOfFamily, CountedAndListedAsTheTablesMakeThem) {
    const auto& [family, parts] = GetParam();
    const auto counts = service::CountParts(app, {family, ""});
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts[0].Family, family);
    EXPECT_EQ(counts[0].Parts, parts);

    service::PriceBookRequest request;
    request.Filter.Family = family;
    const auto rows = Rows(Book(request));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(rows.size(), parts);
    for (const PriceRow& row : rows)
        EXPECT_EQ(row.Family, family);
}

INSTANTIATE_TEST_SUITE_P(
    TestCatalogue, PartsOfFamily,
    ::testing::Values(
        // 3 flanges x (2 bands of Type N + 1 of SMA); WR51 one part; WR28 quoted.
        FamilyParts{"Waveguide to Coax", 11},
        // 9 flange pairs x 1 band x 2 finishes.
        FamilyParts{"90 Rigid Twist", 18},
        // 6 flange pairs (Create orders the flanges: K-C, U-C, U-K are C-K, C-U,
        // K-U) x 2 units x 3 x 3 legs x 2 bands x 2 finishes.
        FamilyParts{"E Bend", 432},
        // 6 ordered pairs x (imperial 6 lengths: 7 bands; metric 4 lengths: 5 bands).
        FamilyParts{"Flexible Twist", 72},
        // WR90: 6 ordered pairs x 2 x 9 legs x 1 band x 2; WR62 has no lengths.
        FamilyParts{"H Bend", 216},
        // Miter bends keep their flanges as picked: 9 pairs.
        FamilyParts{"Miter H", 648}, FamilyParts{"Miter E", 324},
        // Two flanges of WR90, one of WR62, one band each.
        FamilyParts{"Pressure Window", 3},
        // WR90: 6 ordered pairs x 2 x 3 x 3 bands x 2; WR62: 3 x 2 x 3 x 1 x 2;
        // WR51, WR28 quoted.
        FamilyParts{"Straight Section", 254},
        // The bands of StepTwist.tbl, with the flanges the wizard picks.
        FamilyParts{"Step Twist", 4},
        // WR62/WR90: 2 x 3 flanges x 2 finishes; WR42 quoted; WR75 no flanges.
        FamilyParts{"Tapered Transition", 13}),
    [](const auto& info) {
        std::string name = info.param.Family;
        std::erase(name, ' ');
        return name;
    });

TEST_F(PriceBook, ListsCompositionDescriptionPriceAndDelivery) {
    service::PriceBookRequest request;
    request.Filter = {"D", "090"};
    request.Quantity = 3;
    const auto rows = Rows(Book(request));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (PriceRow{"D090CCSG", "90 Rigid Twist",
                                 "90\xB0 Twist, WR90, CPR Flat, CPR Flat, "
                                 "8.20 - 12.40 GHz / VSWR: 1.15:1, Gray",
                                 "$220.00", "$660.00", "2 weeks"}));
    service::PriceBookRequest quoted;
    quoted.Filter = {"R", "WR28"};
    EXPECT_EQ(Rows(Book(quoted)),
              (std::vector<PriceRow>{{"", "Straight Section",
                                      "Waveguide size 028 is available by special quote. Please "
                                      "contact your Corvane represantative for details.",
                                      "N/A", "N/A", "Contact Corvane Rep."}}));
}

// The book prices a size's parts from rows read once; each must still be what Add
// to Order shows for the part on its own.
TEST_F(PriceBook, PricesEveryPartAsAddToOrderDoes) {
    service::PriceBookRequest request;
    request.Quantity = 3;
    service::PartsPlatform platform;
    AddOrderForm dialog(app, platform.Seams());
    TTxtTable lines;
    size_t priced = 0;
    for (const PriceRow& row : Rows(Book(request))) {
        if (row.PartNumber.empty())
            continue;
        dialog.OpenAddToOrder({1, row.PartNumber, row.Description}, lines);
        dialog.txtQuantity = "3";
        dialog.txtQuantityChange();
        EXPECT_EQ(dialog.txtPrice + "|" + dialog.txtDelivery, row.Total + "|" + row.Delivery)
            << row.PartNumber;
        priced += row.Total != "N/A";
    }
    EXPECT_GT(priced, 100u);
}

TEST_F(PriceBook, AnUnreadablePriceCellIsToldOnceAndItsPartsHaveNoPrice) {
    WriteTable(folder, "StraightSectionPrice.tbl", R"(W|Base|Foot|Paint|Delivery|Limit
062|100.00|abc|15.00|Stock|5)");
    service::PriceBookRequest request;
    request.Filter = {"R", "062"};
    request.Jobs = 2;
    const auto rows = Rows(Book(request));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Kind, "error");
    EXPECT_EQ(shown[0].Text, "'abc' is not a valid floating point value");
    EXPECT_EQ(rows.size(), 36u);
    for (const PriceRow& row : rows)
        EXPECT_EQ(row.Total, "N/A") << row.PartNumber;
}

struct Pieces {
    const char* Name;
    int Shards;
    int Jobs;
    BookFormat Format;
};

class BookInPieces : public PriceBook, public ::testing::WithParamInterface<Pieces> {};

TEST_P(BookInPieces, MakeTheWholeBookByteForByte) {
    const Pieces& pieces = GetParam();
    service::PriceBookRequest request;
    request.Format = pieces.Format;
    const std::string whole = Book(request);
    request.Jobs = pieces.Jobs;
    std::string joined;
    for (int shard = 1; shard <= pieces.Shards; ++shard) {
        request.Shard = shard;
        request.Shards = pieces.Shards;
        joined += Book(request);
    }
    EXPECT_EQ(joined, whole);
}

INSTANTIATE_TEST_SUITE_P(TestCatalogue, BookInPieces,
                         ::testing::Values(Pieces{"OneShard", 1, 1, BookFormat::Tsv},
                                           Pieces{"TwoShards", 2, 1, BookFormat::Tsv},
                                           Pieces{"SevenShardsCsv", 7, 1, BookFormat::Csv},
                                           Pieces{"TwelveShardsJsonl", 12, 1, BookFormat::Jsonl},
                                           Pieces{"TwoThreads", 1, 2, BookFormat::Tsv},
                                           Pieces{"ThreeShardsOfThreeThreads", 3, 3,
                                                  BookFormat::Csv}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct RowText {
    const char* Name;
    BookFormat Format;
    PriceRow Row;
    const char* Line;
};

class RowFormats : public ::testing::TestWithParam<RowText> {};

TEST_P(RowFormats, WrittenSafelyAndReadBack) {
    const RowText& text = GetParam();
    std::string line;
    service::AppendRow(text.Row, text.Format, line);
    EXPECT_EQ(line, text.Line);
    line.pop_back();
    EXPECT_EQ(service::ParseRow(line, text.Format), text.Row);
}

const PriceRow Plain{
    "R090PC0120CSG", "Straight Section", "Straight Section, WR90", "$1.00", "$2.00", "Stock"};
const PriceRow Awkward{"=HYPERLINK(1)", "90\xB0 Twist", "a, \"b\"", "N/A", "N/A", "-1 week"};
// Prices are written without the guard, so an apostrophe in one is its own.
const PriceRow QuotedPrice{"R1", "Straight Section", "d", "''$1.00", "$2.00", "Stock"};

INSTANTIATE_TEST_SUITE_P(
    Rows, RowFormats,
    ::testing::Values(
        RowText{"TsvPlain", BookFormat::Tsv, Plain,
                "R090PC0120CSG\tStraight Section\tStraight Section, WR90\t$1.00\t$2.00\tStock\n"},
        RowText{"CsvQuotesAndGuardsFormulas", BookFormat::Csv, Awkward,
                "'=HYPERLINK(1),90\xC2\xB0 Twist,\"a, \"\"b\"\"\",N/A,N/A,'-1 week\r\n"},
        RowText{"CsvPriceKeepsItsApostrophes", BookFormat::Csv, QuotedPrice,
                "R1,Straight Section,d,''$1.00,$2.00,Stock\r\n"},
        RowText{"JsonLinesWithoutPriceAsNull", BookFormat::Jsonl, Awkward,
                "{\"delivery\":\"-1 week\",\"description\":\"a, \\\"b\\\"\",\"family\":\"90"
                "\xC2\xB0 Twist\",\"partNumber\":\"=HYPERLINK(1)\",\"total\":\"N/A\","
                "\"unitPrice\":null}\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A TSV cell keeps its columns and lines whatever its text holds.
struct TsvCell {
    const char* Name;
    const char* Description;
    const char* Written;
};

class TsvCells : public ::testing::TestWithParam<TsvCell> {};

TEST_P(TsvCells, StayInTheirColumnInUtf8) {
    PriceRow row = Plain;
    row.Description = GetParam().Description;
    std::string line;
    service::AppendRow(row, BookFormat::Tsv, line);
    EXPECT_EQ(line, "R090PC0120CSG\tStraight Section\t" + std::string(GetParam().Written) +
                        "\t$1.00\t$2.00\tStock\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cells, TsvCells,
    ::testing::Values(TsvCell{"Empty", "", ""},
                      TsvCell{"TabAndLineEndsBecomeSpaces", "\ta\tb\r\nc\n", " a b  c "},
                      TsvCell{"Windows1252BecomesUtf8", "90\xB0, \x80 5",
                              "90\xC2\xB0, \xE2\x82\xAC 5"},
                      TsvCell{"EndsBeyondAscii", "\xB0\t\xB0", "\xC2\xB0 \xC2\xB0"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing
