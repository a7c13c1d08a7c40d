#pragma once

#include <string>

namespace pelmora {

struct TableSource;

// The product family: the row of Family.tbl and the entry of the product-type list.
enum TProductFamily {
    pfCoax = 0,
    pfRigidTwist = 1,
    pfEBend = 2,
    pfFlexTwist = 3,
    pfHBend = 4,
    pfMiterH = 5,
    pfMiterE = 6,
    pfPressureWindow = 7,
    pfStraightSection = 8,
    pfStepTwist = 9,
    pfTaperedTransition = 10,
    pfUnknown = 11,
};

// The family a part number belongs to: by its first letter, else by its listing
// in StepTwist.tbl (header row included). Pressure windows are never recognised.
TProductFamily ClassifyFamily(const std::string& partNumber, const TableSource& tables);

} // namespace pelmora
