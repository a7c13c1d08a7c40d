#pragma once

#include "CatalogueCheck.h"
#include "PictureFolder.h"
#include "TxtTable.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace pelmora::check {

using Level = CatalogueFinding::Level;

// The letters that make a part number classify as a family by its first
// character.
inline const std::string FamilyLetters = "CDEFHMNRT";

struct Cell;
struct Layout;

// Reads the tables once each and runs every kind of finding over them; each
// kind lives in a file of its own.
class Checker {
public:
    Checker(std::string dataDir, std::string imagesDir, FindingSink report);

    void Run();

private:
    void Report(Level level, const std::string& file, int row, int column, std::string text);
    const TTxtTable* Table(const std::string& name);
    std::set<std::string> Keys(const std::string& name, int column);
    void Unique(const std::string& name, std::vector<int> columns, Level level = Level::Warning,
                bool ignoreCase = false);
    void PointsTo(const std::string& name, int column, const std::set<std::string>& known,
                  const std::string& what, Level level = Level::Warning);

    // Cells and layouts, prices included.
    void CheckLayouts();
    void CheckLayout(const Layout& layout);
    void CheckCell(const std::string& file, int row, const Cell& cell, const std::string& text);
    void CheckPrice(const std::string& file, int row, int column, const std::string& text);

    // Families and pictures.
    void CheckFamilies();
    void CheckPicture(const std::string& file, int row, int column, const std::string& picture);

    // Keys and duplicates.
    void CheckDuplicates();
    void CheckKeys();
    void ShortModel(const std::string& table, int row, const std::string& model);

    // The known hazards.
    void CheckFilters();
    void CheckLengthDigits();
    void CheckPartNumbers();

    std::string dataDir_;
    PictureFolder images_;
    std::map<std::string, std::optional<TTxtTable>> tables_;
    FindingSink report_;
    Level level_ = Level::Error;
};

// Table rows count from the line after the header.
inline int LineOf(int row) {
    return row + 2;
}

} // namespace pelmora::check
