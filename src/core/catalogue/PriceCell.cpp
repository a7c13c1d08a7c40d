#include "PriceCell.h"

namespace pelmora {

PriceCell ReadPriceCell(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value)
        return {PriceCellKind::NotANumber};
    // "-0" is zero, not a negative price.
    if (*value < 0)
        return {PriceCellKind::Negative};
    if (*value >= PriceCellLimit)
        return {PriceCellKind::BeyondLimit};
    const Fixed amount = ToFixed(*value);
    if (amount == 0 && *value != 0)
        return {PriceCellKind::BelowTenThousandth};
    return {PriceCellKind::Amount, amount};
}

} // namespace pelmora
