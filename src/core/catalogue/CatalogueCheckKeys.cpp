#include "CatalogueChecker.h"

#include <tuple>

namespace pelmora::check {

void Checker::CheckDuplicates() {
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

void Checker::CheckKeys() {
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
         {"FlexSpecs.tbl", "FlexVSWR.tbl", "CoaxVSWR.tbl", "PressureWindows.tbl", "StepTwist.tbl",
          "StepFlange.tbl", "StraightSectionPrice.tbl", "RigidTwistPrice.tbl", "CoaxPrice.tbl",
          "FlexTwistPrice.tbl", "MiterBendPrice.tbl", "EBendPrice.tbl", "HBendPrice.tbl"})
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

void Checker::ShortModel(const std::string& table, int row, const std::string& model) {
    if (model.size() < 15)
        Report(Level::Warning, table, row, 2,
               "The model part number is shorter than 15 characters and matches no part.");
}

} // namespace pelmora::check
