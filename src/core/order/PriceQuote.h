#pragma once

#include "Money.h"
#include "catalogue/Family.h"

#include <string>

namespace pelmora {

struct TableSource;

// What a price table says of one part: its unit price (0 when there is none) and
// the delivery time, valid up to a quantity (0 when the table gives none).
struct PriceQuote {
    Money Price = 0;
    std::string DeliveryText;
    int DeliveryQuantityLimit = 0;
};

PriceQuote SetQuote(Money price, std::string deliveryText, int limit);

// The family lookups. Each reads its table afresh; a cell it needs that does not
// convert throws ConversionError.
PriceQuote QuoteStraightSection(const TableSource& tables, const std::string& partNumber);
PriceQuote QuoteRigidTwist(const TableSource& tables, const std::string& partNumber);
PriceQuote QuoteTaperedTransition(const TableSource& tables, const std::string& partNumber);
PriceQuote QuoteCoax(const TableSource& tables, const std::string& partNumber);
PriceQuote QuoteFlexTwist(const TableSource& tables, const std::string& partNumber);
PriceQuote QuoteMiterBend(const TableSource& tables, const std::string& partNumber,
                          TProductFamily family);
PriceQuote QuoteBend(const TableSource& tables, const std::string& partNumber,
                     TProductFamily family);
PriceQuote QuoteStepTwist(const TableSource& tables, const std::string& partNumber);

// The lookup of the family; the zero quote for pressure windows and unknown parts.
PriceQuote QuoteFamily(const TableSource& tables, const std::string& partNumber,
                       TProductFamily family);

} // namespace pelmora
