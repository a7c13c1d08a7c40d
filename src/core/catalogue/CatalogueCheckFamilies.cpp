#include "CatalogueChecker.h"
#include "Numbers.h"

namespace pelmora::check {

namespace {

// The letters of the families in their fixed order ("" where the letter is free).
const std::vector<std::string> FixedOrder = {"C", "D", "E", "F", "H", "M", "N", "", "R", "", "T"};

} // namespace

void Checker::CheckFamilies() {
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

void Checker::CheckPicture(const std::string& file, int row, int column,
                           const std::string& picture) {
    if (picture.empty())
        return Report(Level::Warning, file, row, column, "No picture is named; NA.gif is shown.");
    const PictureFolder::Place place = images_.Find(picture);
    if (place == PictureFolder::Outside)
        Report(Level::Error, file, row, column,
               "The picture " + picture + " lies outside Images; NA.gif is shown.");
    else if (place == PictureFolder::Missing)
        Report(Level::Warning, file, row, column,
               "The picture " + picture + " is missing from Images; NA.gif is shown.");
}

} // namespace pelmora::check
