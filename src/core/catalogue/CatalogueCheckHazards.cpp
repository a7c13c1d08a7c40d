#include "CatalogueChecker.h"
#include "Numbers.h"
#include "Text1252.h"

#include <unordered_set>

namespace pelmora::check {

// Sizes the filters that ignore letter case offer, but that no exact lookup
// then finds; and H bends, offered the sizes of the E rows.
void Checker::CheckFilters() {
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
        if (vswr->GetField(row, 1) == "E" && !hSizes.count(size) && reported.insert(size).second)
            Report(Level::Error, "WGVSWR.tbl", row, 2,
                   "H bends are offered size " + size +
                       " from the E rows, but no H row gives it a band; Create refuses.");
    }
}

void Checker::CheckLengthDigits() {
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

void Checker::CheckPartNumbers() {
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

} // namespace pelmora::check
