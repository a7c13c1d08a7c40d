#include "Cli.h"
#include "Utf8.h"
#include "WizardReport.h"
#include "wizard/MainForm.h"

namespace pelmora::cli {

// The wizard set from a part number as the Quick Builder sets it, and what Create
// then composes.
int Describe(Cli& cli, const std::string& argument) {
    const std::string part = view::FromUtf8(argument);
    auto form = StartWizard(cli);
    QuickBuild(cli, *form, part);
    const bool recognised = form->Family() != pfUnknown;
    if (recognised)
        form->btnCreateClick();
    PrintWizard(cli, *form, part);
    // A part number that leaves screen 1 incomplete is no catalogue part.
    const bool complete = recognised && form->ScreenOneComplete();
    return complete && !form->txtPartNumber.empty() ? Success : Negative;
}

} // namespace pelmora::cli
