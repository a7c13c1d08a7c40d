#include "CatalogueCheck.h"

#include "Errors.h"
#include "FileSystem.h"
#include "Numbers.h"
#include "PriceCell.h"
#include "Text1252.h"
#include "TxtTable.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace pelmora {

namespace {

using Level = CatalogueFinding::Level;

// The letters that make a part number classify as a family by its first
// character, and the letters of the families in their fixed order ("" where the
// letter is free).
const std::string FamilyLetters = "CDEFHMNRT";
const std::vector<std::string> FixedOrder = {"C", "D", "E", "F", "H", "M", "N", "", "R", "", "T"};

struct Cell {
    int Column;
    enum Kind { Number, Integer, Money } Type;
};

// No single price of the catalogue comes near this.
constexpr double SanePriceLimit = 1e9;

// The columns each table must have, and the cells the program converts.
struct Layout {
    const char* Name;
    int Columns;
    std::vector<Cell> Numbers;
};

const std::vector<Layout> Layouts = {
    {"Family.tbl", 6, {{3, Cell::Number}, {4, Cell::Number}}},
    {"WGSize.tbl", 6, {}},
    {"Taper.tbl", 6, {}},
    {"Flange.tbl", 5, {}},
    {"CoaxType.tbl", 2, {}},
    {"StepFlange.tbl", 2, {}},
    {"Dimensions.tbl",
     7,
     {{3, Cell::Number},
      {4, Cell::Number},
      {5, Cell::Number},
      {6, Cell::Number},
      {7, Cell::Number}}},
    {"FlexSpecs.tbl", 3, {{2, Cell::Number}, {3, Cell::Number}}},
    {"FlexImperialLengths.tbl", 1, {{1, Cell::Number}}},
    {"FlexMetricLengths.tbl", 1, {{1, Cell::Number}}},
    {"Frequency.tbl", 3, {}},
    {"WGVSWR.tbl", 4, {}},
    {"FlexVSWR.tbl", 4, {{3, Cell::Number}}},
    {"CoaxVSWR.tbl", 4, {}},
    {"PressureWindows.tbl", 5, {}},
    {"StepTwist.tbl", 6, {{6, Cell::Number}}},
    {"Conversion.tbl", 3, {}},
    {"StraightSectionPrice.tbl",
     6,
     {{2, Cell::Money}, {3, Cell::Money}, {4, Cell::Money}, {6, Cell::Integer}}},
    {"RigidTwistPrice.tbl", 7, {{4, Cell::Money}, {6, Cell::Integer}, {7, Cell::Money}}},
    {"TaperedTransitionPrice.tbl", 6, {{3, Cell::Money}, {5, Cell::Integer}, {6, Cell::Money}}},
    {"CoaxPrice.tbl", 6, {{4, Cell::Money}, {6, Cell::Integer}}},
    {"FlexTwistPrice.tbl", 8, {{6, Cell::Money}, {8, Cell::Integer}}},
    {"MiterBendPrice.tbl",
     9,
     {{3, Cell::Money},
      {5, Cell::Integer},
      {6, Cell::Money},
      {7, Cell::Money},
      {8, Cell::Money},
      {9, Cell::Number}}},
    {"EBendPrice.tbl", 5, {{3, Cell::Money}, {5, Cell::Integer}}},
    {"HBendPrice.tbl", 5, {{3, Cell::Money}, {5, Cell::Integer}}},
    {"StepTwistPrice.tbl", 2, {{2, Cell::Money}}},
};

// Table rows count from the line after the header.
int LineOf(int row) {
    return row + 2;
}

int FieldCount(std::string_view line) {
    return static_cast<int>(std::count(line.begin(), line.end(), '|')) + 1;
}

// The Images folder, listed once: thousands of rows naming missing pictures cost a
// lookup each, not a listing of the folder each.
class PictureFolder {
public:
    enum Place { Inside, Outside, Missing };

    explicit PictureFolder(const std::string& folder) : folder_(ResolvePath(folder)) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
            const std::string name = entry.path().filename().string();
            names_.insert(name);
            spellings_.emplace(UpperCase1252(name), name);
        }
    }

    Place Find(const std::string& picture) const {
        const std::filesystem::path name(picture);
        if (name.is_absolute() || std::find(name.begin(), name.end(), "..") != name.end())
            return Outside;
        // The first name as it is on disk, so that the file is found without a
        // listing; a name no entry has in any letter case is missing.
        const std::string normal = name.lexically_normal().string();
        const size_t slash = normal.find('/');
        const auto head = OnDisk(normal.substr(0, slash));
        if (!head)
            return Missing;
        const std::string spelled =
            *head + (slash == std::string::npos ? "" : normal.substr(slash));
        if (FileInFolder(folder_, spelled))
            return Inside;
        // A link that leads out of the folder.
        return FileExists(folder_ + spelled) ? Outside : Missing;
    }

private:
    // The entry of that name, else the first whose name differs only in letter
    // case, as a lookup that ignores case finds it.
    std::optional<std::string> OnDisk(const std::string& name) const {
        if (names_.count(name))
            return name;
        const auto found = spellings_.find(UpperCase1252(name));
        if (found == spellings_.end())
            return std::nullopt;
        return found->second;
    }

    std::string folder_;
    std::unordered_set<std::string> names_;
    std::unordered_map<std::string, std::string> spellings_;
};

class Checker {
public:
    Checker(std::string dataDir, std::string imagesDir, FindingSink report)
        : dataDir_(std::move(dataDir)), images_(imagesDir), report_(std::move(report)) {}

    // Errors first, then warnings: every check runs once for each level, so that
    // no finding needs keeping.
    void Run() {
        for (const Level level : {Level::Error, Level::Warning}) {
            level_ = level;
            for (const Layout& layout : Layouts)
                CheckLayout(layout);
            CheckFamilies();
            CheckDuplicates();
            CheckKeys();
            CheckFilters();
            CheckLengthDigits();
            CheckPartNumbers();
        }
    }

private:
    void Report(Level level, const std::string& file, int row, int column, std::string text) {
        if (level == level_)
            report_({level, file, row < 0 ? 0 : LineOf(row), column, std::move(text)});
    }

    // The table without its header; nothing when it cannot be read (reported once).
    const TTxtTable* Table(const std::string& name) {
        auto found = tables_.find(name);
        if (found == tables_.end()) {
            std::optional<TTxtTable> table;
            try {
                // Rows as views into the file's bytes: a table of millions of short
                // rows costs little more than its bytes.
                table = TTxtTable::ForLookupsOrThrow(dataDir_ + name);
                table->DeleteHeader();
            } catch (const FileError& error) {
                Report(Level::Error, name, -1, 0,
                       std::string("The table cannot be read: ") + error.what() + ".");
            }
            found = tables_.emplace(name, std::move(table)).first;
        }
        return found->second ? &*found->second : nullptr;
    }

    std::set<std::string> Keys(const std::string& name, int column) {
        std::set<std::string> keys;
        if (const TTxtTable* table = Table(name)) {
            for (int row = 0; row < table->RowCount(); ++row)
                keys.insert(table->GetField(row, column));
        }
        return keys;
    }

    void CheckLayout(const Layout& layout) {
        const TTxtTable* table = Table(layout.Name);
        if (!table)
            return;
        for (int row = 0; row < table->RowCount(); ++row) {
            const int fields = FieldCount(table->Line(row));
            if (fields < layout.Columns)
                Report(Level::Error, layout.Name, row, fields,
                       "The row has " + std::to_string(fields) + " field(s); the program reads " +
                           std::to_string(layout.Columns) + ".");
            else if (std::string(layout.Name) == "Frequency.tbl" && fields > 3)
                Report(Level::Error, layout.Name, row, 4,
                       "The row has more than three fields; the VSWR the program appends would "
                       "not be read as the fourth.");
            for (const Cell& cell : layout.Numbers)
                CheckCell(layout.Name, row, cell, table->GetField(row, cell.Column));
        }
    }

    void CheckCell(const std::string& file, int row, const Cell& cell, const std::string& text) {
        if (cell.Type == Cell::Integer) {
            if (!ParseInteger(text))
                Report(Level::Error, file, row, cell.Column,
                       "\"" + text + "\" is not a whole number.");
            return;
        }
        if (cell.Type == Cell::Money)
            return CheckPrice(file, row, cell.Column, text);
        if (!ParseNumber(text))
            Report(Level::Error, file, row, cell.Column, "\"" + text + "\" is not a number.");
    }

    // A price the lookups refuse shows N/A with a message; one they take beyond a
    // billion is a typing error that would price whole orders absurdly.
    void CheckPrice(const std::string& file, int row, int column, const std::string& text) {
        const PriceCell price = ReadPriceCell(text);
        const std::string quoted = "The price \"" + text + "\"";
        if (price.Kind == PriceCellKind::NotANumber)
            Report(Level::Error, file, row, column, "\"" + text + "\" is not a number.");
        else if (price.Kind == PriceCellKind::Negative)
            Report(Level::Error, file, row, column, quoted + " is negative; the part shows N/A.");
        else if (price.Kind == PriceCellKind::BelowTenThousandth)
            Report(Level::Error, file, row, column,
                   quoted + " is below a ten-thousandth of a dollar; the part shows N/A.");
        else if (price.Kind == PriceCellKind::BeyondLimit || price.Amount > ToFixed(SanePriceLimit))
            Report(Level::Error, file, row, column, quoted + " is beyond one billion dollars.");
    }

    void CheckFamilies() {
        const TTxtTable* families = Table("Family.tbl");
        if (!families)
            return;
        if (families->RowCount() != static_cast<int>(FixedOrder.size()))
            Report(Level::Error, "Family.tbl", -1, 0,
                   "The table lists " + std::to_string(families->RowCount()) +
                       " families; the program expects eleven in their fixed order.");
        for (int row = 0; row < families->RowCount(); ++row) {
            const std::string letter = families->GetField(row, 1);
            if (row < static_cast<int>(FixedOrder.size())) {
                const std::string& expected = FixedOrder[static_cast<size_t>(row)];
                if (!expected.empty() && letter != expected)
                    Report(Level::Error, "Family.tbl", row, 1,
                           "Row " + std::to_string(row + 1) + " must be the family with letter " +
                               expected + ", not " + letter + ".");
                if (expected.empty() && letter.size() == 1 &&
                    FamilyLetters.find(letter) != std::string::npos)
                    Report(Level::Error, "Family.tbl", row, 1,
                           "The letter " + letter + " belongs to another family.");
            }
            const bool rangeLengths =
                letter == "E" || letter == "H" || letter == "M" || letter == "N" || letter == "R";
            for (int column : {3, 4}) {
                const auto step = ParseNumber(families->GetField(row, column));
                if (rangeLengths && step && *step <= 0)
                    Report(Level::Error, "Family.tbl", row, column,
                           "The length step is not positive; the length list would hold one "
                           "entry.");
            }
            for (int column : {5, 6})
                CheckPicture("Family.tbl", row, column, families->GetField(row, column));
        }
        if (const TTxtTable* flanges = Table("Flange.tbl")) {
            for (int row = 0; row < flanges->RowCount(); ++row)
                CheckPicture("Flange.tbl", row, 5, flanges->GetField(row, 5));
        }
    }

    void CheckPicture(const std::string& file, int row, int column, const std::string& picture) {
        if (picture.empty())
            return Report(Level::Warning, file, row, column,
                          "No picture is named; NA.gif is shown.");
        const PictureFolder::Place place = images_.Find(picture);
        if (place == PictureFolder::Outside)
            Report(Level::Error, file, row, column,
                   "The picture " + picture + " lies outside Images; NA.gif is shown.");
        else if (place == PictureFolder::Missing)
            Report(Level::Warning, file, row, column,
                   "The picture " + picture + " is missing from Images; NA.gif is shown.");
    }

    // Rows whose key an earlier row already has are never read.
    void Unique(const std::string& name, std::vector<int> columns, Level level = Level::Warning,
                bool ignoreCase = false) {
        const TTxtTable* table = Table(name);
        if (!table)
            return;
        std::map<std::string, int> first;
        for (int row = 0; row < table->RowCount(); ++row) {
            std::string key;
            for (int column : columns)
                key += table->GetField(row, column) + "|";
            if (ignoreCase)
                key = UpperCase1252(key);
            const auto [at, inserted] = first.emplace(key, row);
            if (!inserted)
                Report(level, name, row, columns.front(),
                       "The row repeats the key of line " + std::to_string(LineOf(at->second)) +
                           ", which wins; this row is never used.");
        }
    }

    void CheckDuplicates() {
        Unique("WGSize.tbl", {1});
        Unique("Taper.tbl", {1});
        Unique("Flange.tbl", {1, 2});
        Unique("CoaxType.tbl", {1});
        Unique("Dimensions.tbl", {1, 2});
        Unique("FlexSpecs.tbl", {1});
        Unique("Frequency.tbl", {1, 2});
        Unique("PressureWindows.tbl", {1, 2});
        Unique("StepTwist.tbl", {1, 3}, Level::Error);
        Unique("Conversion.tbl", {1}, Level::Warning, true);
        Unique("StraightSectionPrice.tbl", {1});
        Unique("RigidTwistPrice.tbl", {1, 2});
        Unique("TaperedTransitionPrice.tbl", {1});
        Unique("CoaxPrice.tbl", {1, 2});
        Unique("FlexTwistPrice.tbl", {1, 2, 3, 4});
        Unique("MiterBendPrice.tbl", {1});
        Unique("StepTwistPrice.tbl", {1});
    }

    void PointsTo(const std::string& name, int column, const std::set<std::string>& known,
                  const std::string& what, Level level = Level::Warning) {
        const TTxtTable* table = Table(name);
        if (!table)
            return;
        for (int row = 0; row < table->RowCount(); ++row) {
            const std::string key = table->GetField(row, column);
            if (!known.count(key))
                Report(level, name, row, column, "\"" + key + "\" is no " + what + ".");
        }
    }

    void CheckKeys() {
        std::set<std::string> sizes = Keys("WGSize.tbl", 1);
        const std::set<std::string> tapers = Keys("Taper.tbl", 1);
        std::set<std::string> anySize = sizes;
        anySize.insert(tapers.begin(), tapers.end());
        for (const auto& other : Keys("Taper.tbl", 2))
            anySize.insert(other);

        PointsTo("Flange.tbl", 2, anySize, "size of WGSize.tbl or Taper.tbl");
        PointsTo("Taper.tbl", 2, sizes, "size of WGSize.tbl", Level::Error);
        for (const char* table : {"Dimensions.tbl", "Frequency.tbl", "WGVSWR.tbl"})
            PointsTo(table, table == std::string("Frequency.tbl") ? 1 : 2, anySize,
                     "size of WGSize.tbl or Taper.tbl");
        for (const char* table :
             {"FlexSpecs.tbl", "FlexVSWR.tbl", "CoaxVSWR.tbl", "PressureWindows.tbl",
              "StepTwist.tbl", "StepFlange.tbl", "StraightSectionPrice.tbl", "RigidTwistPrice.tbl",
              "CoaxPrice.tbl", "FlexTwistPrice.tbl", "MiterBendPrice.tbl", "EBendPrice.tbl",
              "HBendPrice.tbl"})
            PointsTo(table, table == std::string("StepFlange.tbl") ? 2 : 1, sizes,
                     "size of WGSize.tbl");
        PointsTo("TaperedTransitionPrice.tbl", 1, tapers, "pair of Taper.tbl");

        // Bands with no range text are never offered.
        std::set<std::string> ranges;
        if (const TTxtTable* frequency = Table("Frequency.tbl")) {
            for (int row = 0; row < frequency->RowCount(); ++row)
                ranges.insert(frequency->GetField(row, 1) + "|" + frequency->GetField(row, 2));
        }
        for (const auto& [table, sizeColumn, bandColumn] :
             {std::tuple{"WGVSWR.tbl", 2, 3}, {"FlexVSWR.tbl", 1, 2}, {"CoaxVSWR.tbl", 1, 2}}) {
            const TTxtTable* vswr = Table(table);
            for (int row = 0; vswr && row < vswr->RowCount(); ++row) {
                const std::string size = vswr->GetField(row, sizeColumn);
                const std::string band = vswr->GetField(row, bandColumn);
                if (!ranges.count(size + "|" + band))
                    Report(Level::Error, table, row, bandColumn,
                           "Band " + band + " of size " + size +
                               " has no range in Frequency.tbl and is never offered.");
            }
        }

        const std::set<std::string> coaxTypes = Keys("CoaxType.tbl", 1);
        const std::set<std::string> coaxInVswr = Keys("CoaxVSWR.tbl", 3);
        PointsTo("CoaxVSWR.tbl", 3, coaxTypes, "coax type of CoaxType.tbl");
        if (const TTxtTable* types = Table("CoaxType.tbl")) {
            for (int row = 0; row < types->RowCount(); ++row) {
                if (!coaxInVswr.count(types->GetField(row, 1)))
                    Report(Level::Warning, "CoaxType.tbl", row, 1,
                           "No CoaxVSWR.tbl row names this coax type; it is never offered.");
            }
        }

        std::set<std::string> flangeKeys;
        if (const TTxtTable* flanges = Table("Flange.tbl")) {
            for (int row = 0; row < flanges->RowCount(); ++row)
                flangeKeys.insert(flanges->GetField(row, 1) + "|" + flanges->GetField(row, 2));
        }
        for (const auto& [table, flangeColumn, sizeColumn] :
             {std::tuple{"StepFlange.tbl", 1, 2}, {"PressureWindows.tbl", 2, 1}}) {
            const TTxtTable* rows = Table(table);
            for (int row = 0; rows && row < rows->RowCount(); ++row) {
                const std::string key =
                    rows->GetField(row, flangeColumn) + "|" + rows->GetField(row, sizeColumn);
                if (!flangeKeys.count(key))
                    Report(Level::Warning, table, row, flangeColumn,
                           "Flange " + rows->GetField(row, flangeColumn) + " of size " +
                               rows->GetField(row, sizeColumn) +
                               " has no Flange.tbl row and is never offered.");
            }
        }
        if (const TTxtTable* bends = Table("EBendPrice.tbl")) {
            for (int row = 0; row < bends->RowCount(); ++row)
                ShortModel("EBendPrice.tbl", row, bends->GetField(row, 2));
        }
        if (const TTxtTable* bends = Table("HBendPrice.tbl")) {
            for (int row = 0; row < bends->RowCount(); ++row)
                ShortModel("HBendPrice.tbl", row, bends->GetField(row, 2));
        }
    }

    void ShortModel(const std::string& table, int row, const std::string& model) {
        if (model.size() < 15)
            Report(Level::Warning, table, row, 2,
                   "The model part number is shorter than 15 characters and matches no part.");
    }

    // Sizes the filters that ignore letter case offer, but that no exact lookup
    // then finds; and H bends, offered the sizes of the E rows.
    void CheckFilters() {
        const TTxtTable* sizes = Table("WGSize.tbl");
        if (!sizes)
            return;
        for (const char* table :
             {"CoaxVSWR.tbl", "FlexVSWR.tbl", "PressureWindows.tbl", "StepTwist.tbl"}) {
            std::vector<std::string> codes;
            if (const TTxtTable* members = Table(table))
                members->GetColumn(1, codes);
            const CaseInsensitiveSet anyCase(codes);
            const std::unordered_set<std::string> exact(codes.begin(), codes.end());
            for (int row = 0; row < sizes->RowCount(); ++row) {
                const std::string code = sizes->GetField(row, 1);
                if (anyCase.Contains(code) && !exact.count(code))
                    Report(Level::Error, "WGSize.tbl", row, 1,
                           "Size " + code + " is offered through " + table +
                               ", which writes it in other letter case; no flange, band or "
                               "row is then found for it.");
            }
        }
        const TTxtTable* vswr = Table("WGVSWR.tbl");
        if (!vswr)
            return;
        std::set<std::string> hSizes;
        for (int row = 0; row < vswr->RowCount(); ++row) {
            if (vswr->GetField(row, 1) == "H")
                hSizes.insert(vswr->GetField(row, 2));
        }
        std::set<std::string> reported;
        for (int row = 0; row < vswr->RowCount(); ++row) {
            const std::string size = vswr->GetField(row, 2);
            if (vswr->GetField(row, 1) == "E" && !hSizes.count(size) &&
                reported.insert(size).second)
                Report(Level::Error, "WGVSWR.tbl", row, 2,
                       "H bends are offered size " + size +
                           " from the E rows, but no H row gives it a band; Create refuses.");
        }
    }

    void CheckLengthDigits() {
        const TTxtTable* dimensions = Table("Dimensions.tbl");
        for (int row = 0; dimensions && row < dimensions->RowCount(); ++row) {
            const std::string letter = dimensions->GetField(row, 1);
            const bool legs = letter == "E" || letter == "H" || letter == "M" || letter == "N";
            if (!legs && letter != "R")
                continue;
            // Three digits for each leg, four for a straight section: tenths of an
            // inch or whole millimetres.
            const double limitInches = legs ? 100.0 : 1000.0;
            const double limitMm = legs ? 1000.0 : 10000.0;
            if (ParseNumber(dimensions->GetField(row, 4)).value_or(0) >= limitInches)
                Report(Level::Error, "Dimensions.tbl", row, 4,
                       "Lengths from " + FormatOneDecimal(limitInches) +
                           " in do not fit the part number's length digits.");
            if (ParseNumber(dimensions->GetField(row, 5)).value_or(0) >= limitMm)
                Report(Level::Error, "Dimensions.tbl", row, 5,
                       "Lengths from " + std::to_string(static_cast<int>(limitMm)) +
                           " mm do not fit the part number's length digits.");
        }
        for (const auto& [table, limit] :
             {std::pair{"FlexImperialLengths.tbl", 1000.0}, {"FlexMetricLengths.tbl", 10000.0}}) {
            const TTxtTable* lengths = Table(table);
            for (int row = 0; lengths && row < lengths->RowCount(); ++row) {
                if (ParseNumber(lengths->GetField(row, 1)).value_or(0) >= limit)
                    Report(Level::Error, table, row, 1,
                           "The length does not fit the part number's four length digits.");
            }
        }
    }

    void CheckPartNumbers() {
        for (const auto& [table, column] :
             {std::pair{"PressureWindows.tbl", 4}, {"StepTwist.tbl", 5}}) {
            const TTxtTable* rows = Table(table);
            for (int row = 0; rows && row < rows->RowCount(); ++row) {
                const std::string part = rows->GetField(row, column);
                if (!part.empty() && FamilyLetters.find(part.front()) != std::string::npos)
                    Report(Level::Error, table, row, column,
                           "Part number " + part +
                               " begins with the letter of another family "
                               "and is read as that family.");
            }
        }
        const TTxtTable* conversions = Table("Conversion.tbl");
        for (int row = 0; conversions && row < conversions->RowCount(); ++row) {
            const std::string next = conversions->GetField(row, 2);
            if (UpperCase1252(next) != next)
                Report(Level::Error, "Conversion.tbl", row, 2,
                       "New part number " + next +
                           " has lower-case letters; converted in upper "
                           "case it matches no catalogue code.");
        }
    }

    std::string dataDir_;
    PictureFolder images_;
    std::map<std::string, std::optional<TTxtTable>> tables_;
    FindingSink report_;
    Level level_ = Level::Error;
};

} // namespace

void CheckCatalogue(const std::string& dataDir, const std::string& imagesDir,
                    const FindingSink& report) {
    Checker(dataDir, imagesDir, report).Run();
}

} // namespace pelmora
