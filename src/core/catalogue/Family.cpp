#include "Family.h"

#include "TableSource.h"

namespace pelmora {

TProductFamily ClassifyFamily(const std::string& partNumber, const TableSource& tables) {
    if (partNumber.empty())
        return pfUnknown;
    switch (partNumber.front()) {
    case 'C':
        return pfCoax;
    case 'D':
        return pfRigidTwist;
    case 'E':
        return pfEBend;
    case 'F':
        return pfFlexTwist;
    case 'H':
        return pfHBend;
    case 'M':
        return pfMiterH;
    case 'N':
        return pfMiterE;
    case 'R':
        return pfStraightSection;
    case 'T':
        return pfTaperedTransition;
    default:
        break;
    }
    const TableRef stepTwists = tables.LoadWithHeader("StepTwist.tbl");
    return stepTwists->RowsWhere(5, partNumber).empty() ? pfUnknown : pfStepTwist;
}

} // namespace pelmora
