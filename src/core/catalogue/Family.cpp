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
    for (int row = 0; row < stepTwists->RowCount(); ++row) {
        if (stepTwists->FieldView(row, 5) == partNumber)
            return pfStepTwist;
    }
    return pfUnknown;
}

} // namespace pelmora
