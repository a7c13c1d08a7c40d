#pragma once

#include "Session.h"
#include "catalogue/TxtTable.h"
#include "print/PrintedPages.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora::service {

// What a specification sheet shows: its header (pictures and part number) and the
// rows of the description grid.
struct SheetContent {
    SpecHeader Header;
    TTxtTable Rows;
};

// The sheet of the configuration the actions make, taken as Walk takes them (a
// refused action changes nothing). Nothing when the window's View Specs would be
// disabled there.
std::optional<SheetContent> SheetOfActions(Session& session,
                                           const std::vector<std::string>& actions);
// The sheet of a part number that quote takes for a catalogue part, as describe
// sets the wizard from it. Nothing for anything else, however close.
std::optional<SheetContent> SheetOfPart(Session& session, const std::string& part);

} // namespace pelmora::service
