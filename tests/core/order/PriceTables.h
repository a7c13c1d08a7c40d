#pragma once

#include "support/TestCatalogue.h"

namespace pelmora::testing {

// Price tables for the test catalogue: WR90 priced in every family, a few rows
// that exercise the rules, and a row whose cell does not convert (WR62 straight).
inline void WritePriceTables(const TempFolder& folder) {
    WriteTable(folder, "StraightSectionPrice.tbl", R"(W|Base|Foot|Paint|Delivery|Limit
090|100.00|25.00|15.00|Stock|5
051|12.50|0|0|Stock|0
062|100.00|abc|15.00|Stock|5)");
    WriteTable(folder, "RigidTwistPrice.tbl", R"(W|Band|D|Price|Delivery|Limit|Paint
090|S|twist|200.00|2 weeks|10|20.00
090|X|twist|210.00|2 weeks|0|20.00)");
    WriteTable(folder, "TaperedTransitionPrice.tbl", R"(W|D|Price|Delivery|Limit|Paint
062|taper|300.00|3 weeks|10|25.00)");
    WriteTable(folder, "CoaxPrice.tbl", R"(W|Band|D|Price|Delivery|Limit
090|S|coax|150.00|1 week|5
090|X|coax|0.00|1 week|5)");
    WriteTable(folder, "FlexTwistPrice.tbl", R"(W|Units|Length|Class|D|Price|Delivery|Limit
090|P|0120|X|flex|999.00|never|1
090|P|120|S|flex|999.00|never|1
090|P|0120|S|flex|250.00|4 weeks|10
090|P|0120|#|flex|280.00|4 weeks|10)");
    WriteTable(folder, "MiterBendPrice.tbl", R"(W|D|Base|Delivery|Limit|Long|Paint|Band|Threshold
090|miter|180.00|3 weeks|10|40.00|20.00|30.00|18.0)");
    WriteTable(folder, "EBendPrice.tbl", R"(W|Model|Price|Delivery|Limit
090|SHORTSG|1.00|x|1
090|E090PU030U030SG|190.00|2 weeks|10
090|E090PU030U030SN|170.00|2 weeks|10)");
    WriteTable(folder, "HBendPrice.tbl", R"(W|Model|Price|Delivery|Limit
090|H090PU030U030SG|195.00|2 weeks|10)");
    WriteTable(folder, "StepTwistPrice.tbl", R"(Part|Price
ST090S|260.00)");
}

} // namespace pelmora::testing
