#pragma once

#include "core/order/PriceTables.h"
#include "support/TestCatalogue.h"

namespace pelmora::testing {

// The test catalogue with its prices (every cell readable) and short length lists (three entries in
// each unit system), so that its parts can be counted by hand.
inline void WritePartCatalogue(const TempFolder& folder) {
    WriteTestCatalogue(folder);
    WritePriceTables(folder);
    WriteTable(folder, "StraightSectionPrice.tbl", R"(W|Base|Foot|Paint|Delivery|Limit
090|100.00|25.00|15.00|Stock|5
062|100.00|30.00|15.00|Stock|5)");
    WriteTable(folder, "Dimensions.tbl", R"(Family|Waveguide|Min|Max|MaxMm|Default|DefaultMm
R|090|1.0|2.0|51|1.0|25
R|062|1.0|2.0|51|1.0|25
E|090|2.0|3.0|76|2.0|51
H|090|2.0|3.0|76|2.0|51
M|090|2.0|3.0|76|2.0|51
N|090|2.0|3.0|76|2.0|51
D|090|3.0|3.0|76|3.0|76
T|062|4.0|4.0|102|4.0|102)");
}

} // namespace pelmora::testing
