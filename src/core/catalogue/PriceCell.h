#pragma once

#include "Numbers.h"

#include <string_view>

namespace pelmora {

// What a price cell holds, as the price lookups and the catalogue check read it.
enum class PriceCellKind {
    Amount,     // zero (no price), or from one ten-thousandth to below the limit
    NotANumber, // no number, or one no double holds
    Negative,
    BelowTenThousandth, // above zero, yet it would read as no price
    BeyondLimit,
};

struct PriceCell {
    PriceCellKind Kind = PriceCellKind::NotANumber;
    Fixed Amount = 0; // in ten-thousandths, for an Amount
};

// 2^63 ten-thousandths; a cell beyond it would only clamp to a made-up amount.
constexpr double PriceCellLimit = 9.2e14;

PriceCell ReadPriceCell(std::string_view text);

} // namespace pelmora
