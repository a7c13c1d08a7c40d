#pragma once

#include <string>

namespace pelmora {

class MessageBoxes;
class TTxtTable;

// One order line split for the planning tool's list of materials.
struct BomItem {
    std::string Quantity;
    std::string PriceText;
    std::string Description;
    std::string PartNumber;
    std::string LengthUnit; // "meter" or "feet"
};

BomItem ParseOrderLine(const std::string& orderLine, const std::string& dataDir,
                       MessageBoxes& messages);
// A money text as a plain number text: "$1,234.50" gives "1234.50", "N/A" gives "0".
std::string CleanPriceText(std::string priceText);

// Writes the order as "pelmora38.lom" in the program's folder, replacing the old
// file; lines whose quantity or price do not convert are left out. Throws
// FileError when the file cannot be written.
void WriteBillOfMaterials(const TTxtTable& orderLines, const std::string& appDir,
                          const std::string& dataDir, MessageBoxes& messages);

} // namespace pelmora
