#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TTxtTable;
struct TableSource;

// One order line split for the planning tool's list of materials.
struct BomItem {
    std::string Quantity;
    std::string PriceText;
    std::string Description;
    std::string PartNumber;
    std::string LengthUnit; // "meter" or "feet"
};

BomItem ParseOrderLine(const std::string& orderLine, const TableSource& tables);
// A money text as a plain number text: "$1,234.50" gives "1234.50", "N/A" gives "0".
std::string CleanPriceText(std::string priceText);

// The lines of the list of materials (written with CR LF after each).
std::vector<std::string> BillOfMaterialsLines(const TTxtTable& orderLines,
                                              const TableSource& tables);

// Writes the order as a list of materials (the program writes "pelmora38.lom"
// beside itself), replacing the old file; lines whose quantity or price do not convert are left
// out. Throws FileError when the file cannot be written.
void WriteBillOfMaterials(const TTxtTable& orderLines, const std::string& path,
                          const TableSource& tables);

} // namespace pelmora
