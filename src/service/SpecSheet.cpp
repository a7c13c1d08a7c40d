#include "SpecSheet.h"

#include "CataloguePart.h"
#include "Commands.h"
#include "Utf8.h"
#include "WizardWalk.h"
#include "wizard/MainForm.h"

namespace pelmora::service {

namespace {

std::optional<SheetContent> SheetOf(const MainForm& form) {
    if (!form.ScreenOneComplete() || !form.btnViewSpecsEnabled || form.txtPartNumber.empty())
        return std::nullopt;
    SheetContent sheet{form.CollectSpecHeader(), {}};
    form.CollectSpecRows(sheet.Rows);
    return sheet;
}

} // namespace

std::optional<SheetContent> SheetOfActions(Session& session,
                                           const std::vector<std::string>& actions) {
    auto form = StartWizard(session);
    WizardWalk walk(*form, session.App, session.Platform);
    for (const std::string& action : actions)
        walk.Do(action);
    return SheetOf(*form);
}

std::optional<SheetContent> SheetOfPart(Session& session, const std::string& argument) {
    const std::string part = FromUtf8(argument);
    CataloguePartReader catalogue(session.App, session.Platform.Seams());
    if (!catalogue.Examine(part).Known)
        return std::nullopt;
    auto form = StartWizard(session);
    QuickBuild(session, *form, part);
    if (form->Family() != pfUnknown)
        form->btnCreateClick();
    // A part whose wizard composes another number is not the part asked for.
    if (form->txtPartNumber != part)
        return std::nullopt;
    return SheetOf(*form);
}

} // namespace pelmora::service
