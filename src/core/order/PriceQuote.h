#pragma once

#include "Money.h"
#include "catalogue/Family.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pelmora {

struct TableSource;
class TTxtTable;

// What a price table says of one part: its unit price (0 when there is none) and
// the delivery time, valid up to a quantity (0 when the table gives none).
struct PriceQuote {
    Money Price = 0;
    std::string DeliveryText;
    int DeliveryQuantityLimit = 0;
};

PriceQuote SetQuote(Money price, std::string deliveryText, int limit);

// The price rows of one family and size (of one part number for step twists),
// looked up once, with each cell converted at its first use and kept: parts of one
// size priced one after another read the table once. A cell that does not convert
// throws ConversionError whenever a price needs it, as a fresh lookup would.
class PriceSheet {
public:
    // The sheet of the part number's family and size, read from the tables as they
    // stand; a pressure window or an unknown part has no price table.
    PriceSheet(const TableSource& tables, TProductFamily family, const std::string& partNumber);
    ~PriceSheet();
    PriceSheet(const PriceSheet&) = delete;
    PriceSheet& operator=(const PriceSheet&) = delete;

    // Whether the part number is priced from this sheet's rows.
    bool Covers(TProductFamily family, const std::string& partNumber) const;
    PriceQuote Quote(const std::string& partNumber);

private:
    struct Cell;

    PriceQuote QuoteStraightSection(const std::string& partNumber);
    PriceQuote QuoteRigidTwist(const std::string& partNumber);
    PriceQuote QuoteTaperedTransition(const std::string& partNumber);
    PriceQuote QuoteCoax(const std::string& partNumber);
    PriceQuote QuoteFlexTwist(const std::string& partNumber);
    PriceQuote QuoteMiterBend(const std::string& partNumber);
    PriceQuote QuoteBend(const std::string& partNumber);
    PriceQuote QuoteStepTwist();
    // The slot of the first bend model with the key, if any.
    std::optional<size_t> BendModel(const std::string& key);

    // The cells of the slot-th row of the sheet.
    std::string_view Text(size_t slot, int column) const;
    Cell& At(size_t slot, int column);
    Money MoneyAt(size_t slot, int column);
    int IntegerAt(size_t slot, int column);
    double NumberAt(size_t slot, int column);
    // Delivery text and its quantity limit from two neighbouring columns.
    PriceQuote DeliveryAt(size_t slot, Money price, int textColumn);

    TProductFamily family_;
    std::string key_;
    std::shared_ptr<const TTxtTable> table_;
    std::vector<int> rows_;
    // By slot, then column; a row's cells are made at its first use.
    std::vector<std::vector<Cell>> cells_;
    bool bendQuoted_ = false;
    std::unordered_map<std::string, size_t> bendIndex_;
};

// The table a family's prices are read from; nullptr for pressure windows and
// unknown parts, which are priced from no table of their own.
const char* PriceTable(TProductFamily family);

// The lookup of the family, through a sheet of its own; the zero quote for
// pressure windows and unknown parts. A cell it needs that does not convert
// throws ConversionError.
PriceQuote QuoteFamily(const TableSource& tables, const std::string& partNumber,
                       TProductFamily family);
PriceQuote QuoteStraightSection(const TableSource& tables, const std::string& partNumber);

} // namespace pelmora
