#include "BillOfMaterials.h"

#include "OrderItem.h"
#include "catalogue/Family.h"
#include "catalogue/FileSystem.h"
#include "catalogue/Numbers.h"
#include "catalogue/TableSource.h"
#include "catalogue/TxtTable.h"
#include "partnumber/PartNumber.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace pelmora {

namespace {

const std::vector<std::string> FixedLines = {"[HEADER]",
                                             "Company Name=",
                                             "Author=",
                                             "Date=",
                                             "Job Number=",
                                             "File Name=",
                                             "File Path=",
                                             "",
                                             "[SITE 001 LOM]",
                                             "Site Name=",
                                             "Site Number=",
                                             "Ship to City=",
                                             "Ship to State/Province=",
                                             "Ship to Country="};

std::string BaseCode(const std::string& partNumber, TProductFamily family) {
    if (family == pfUnknown)
        return "PW-000";
    if (family == pfStepTwist)
        return "S-000";
    return partNumber.substr(0, 1) + "-000";
}

// General notation with at most 15 significant digits, no trailing zeros.
std::string ShortestPrice(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

std::optional<std::string> UnitPrice(const BomItem& item) {
    const auto quantity = ParseInteger(item.Quantity);
    const auto total = ParseNumber(CleanPriceText(item.PriceText));
    if (!quantity || !total || *quantity == 0)
        return std::nullopt;
    return ShortestPrice(*total / static_cast<double>(*quantity));
}

} // namespace

std::string CleanPriceText(std::string priceText) {
    if (const size_t dollar = priceText.find('$'); dollar != std::string::npos)
        priceText.erase(dollar, 1);
    std::erase(priceText, ',');
    return priceText == "N/A" ? "0" : priceText;
}

BomItem ParseOrderLine(const std::string& orderLine, const TableSource& tables) {
    TTxtTable row;
    row.Lines.push_back(orderLine);
    BomItem item{row.GetField(0, olQuantity), row.GetField(0, olPrice),
                 row.GetField(0, olDescription), row.GetField(0, olPartNumber), "feet"};
    const TProductFamily family = ClassifyFamily(item.PartNumber, tables);
    if (family != pfUnknown && ExtractPartNumberField(item.PartNumber, family, pnfUnits) == "M")
        item.LengthUnit = "meter";
    return item;
}

std::vector<std::string> BillOfMaterialsLines(const TTxtTable& orderLines,
                                              const TableSource& tables) {
    std::vector<std::string> lines = FixedLines;
    for (int i = 0; i < orderLines.RowCount(); ++i) {
        const BomItem item = ParseOrderLine(orderLines.Lines[static_cast<size_t>(i)], tables);
        const auto price = UnitPrice(item);
        if (!price)
            continue;
        const TProductFamily family = ClassifyFamily(item.PartNumber, tables);
        lines.push_back(std::to_string(i + 1) + "=" + item.Quantity + "|" + item.LengthUnit + "|" +
                        BaseCode(item.PartNumber, family) + "|" + item.PartNumber + "|" +
                        item.Description + "|" + *price);
    }
    return lines;
}

void WriteBillOfMaterials(const TTxtTable& orderLines, const std::string& path,
                          const TableSource& tables) {
    WriteLines(path, BillOfMaterialsLines(orderLines, tables));
}

} // namespace pelmora
