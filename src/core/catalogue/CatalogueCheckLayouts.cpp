#include "CatalogueChecker.h"
#include "Numbers.h"
#include "PriceCell.h"

#include <algorithm>

namespace pelmora::check {

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

namespace {

int FieldCount(std::string_view line) {
    return static_cast<int>(std::count(line.begin(), line.end(), '|')) + 1;
}

} // namespace

void Checker::CheckLayouts() {
    for (const Layout& layout : Layouts)
        CheckLayout(layout);
}

void Checker::CheckLayout(const Layout& layout) {
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

void Checker::CheckCell(const std::string& file, int row, const Cell& cell,
                        const std::string& text) {
    if (cell.Type == Cell::Integer) {
        if (!ParseInteger(text))
            Report(Level::Error, file, row, cell.Column, "\"" + text + "\" is not a whole number.");
        return;
    }
    if (cell.Type == Cell::Money)
        return CheckPrice(file, row, cell.Column, text);
    if (!ParseNumber(text))
        Report(Level::Error, file, row, cell.Column, "\"" + text + "\" is not a number.");
}

// A price the lookups refuse shows N/A with a message; one they take beyond a
// billion is a typing error that would price whole orders absurdly.
void Checker::CheckPrice(const std::string& file, int row, int column, const std::string& text) {
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

} // namespace pelmora::check
