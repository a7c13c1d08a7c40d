// Any bytes as an order file: as an RFQ list of items, and as an order the program
// saved. Every item read is one the Add to Order dialog can store, and a saved
// order read back holds only order lines.
#include "Require.h"
#include "catalogue/FileSystem.h"
#include "order/OrderList.h"
#include "order/SavedOrder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelmora::fuzzing {
namespace {

bool FiveFieldsWithoutBars(const std::string& line) {
    return std::count(line.begin(), line.end(), '|') == 4;
}

void ReadAsList(const std::string& text) {
    const std::vector<std::string> lines = SplitLines(text);
    const OrderList list = ReadOrderList(lines);
    Require(list.Items.size() + list.Skipped.size() <= lines.size(), "one result a line at most");
    for (const OrderListItem& item : list.Items) {
        Require(item.Quantity >= 1 && item.Quantity <= 99999, "quantity within 1..99999");
        Require(!item.PartNumber.empty(), "a part number");
        Require(item.PartNumber.find('|') == std::string::npos &&
                    item.Description.find('|') == std::string::npos,
                "no field separator inside a field");
        Require(item.Line >= 1 && item.Line <= lines.size(), "the line it came from");
    }
}

void ReadAsSavedOrder(const std::string& text) {
    for (const OrderFileKind kind : {SpreadsheetFile, TextFile, XmlFile}) {
        try {
            for (const std::string& line : ParseSavedOrder(text, kind, "fuzz"))
                Require(FiveFieldsWithoutBars(line), "five fields an order line");
        } catch (const SavedOrderError&) {
        }
    }
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    pelmora::fuzzing::ReadAsList(text);
    pelmora::fuzzing::ReadAsSavedOrder(text);
    return 0;
}
