#include "SpecialQuote.h"

#include <algorithm>
#include <initializer_list>

namespace pelmora {

namespace {

bool OneOf(TProductFamily family, std::initializer_list<TProductFamily> families) {
    return std::find(families.begin(), families.end(), family) != families.end();
}

} // namespace

bool IsSpecialQuote(const std::string& waveguide, TProductFamily family) {
    if (waveguide == "028")
        return OneOf(family, {pfCoax, pfRigidTwist, pfEBend, pfHBend, pfMiterH, pfMiterE,
                              pfStraightSection});
    if (waveguide == "042")
        return family == pfTaperedTransition;
    if (waveguide == "051")
        return OneOf(family, {pfRigidTwist, pfEBend, pfFlexTwist, pfHBend, pfMiterH, pfMiterE,
                              pfStraightSection, pfTaperedTransition});
    if (waveguide == "284" || waveguide == "340" || waveguide == "430")
        return OneOf(family, {pfCoax, pfRigidTwist, pfEBend, pfFlexTwist, pfHBend, pfMiterH,
                              pfMiterE, pfStraightSection});
    return false;
}

std::string SpecialQuoteMessage(const std::string& waveguide) {
    return "Waveguide size " + waveguide + " is available by special quote.\r" +
           "Please contact your Corvane represantative for details.";
}

} // namespace pelmora
