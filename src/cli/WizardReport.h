#pragma once

#include "Cli.h"

#include <memory>

namespace pelmora {
class MainForm;
}

namespace pelmora::cli {

// The main form started as the window starts it (the units setting read from
// "Pelmora.ini"); nothing is written back.
std::unique_ptr<MainForm> StartWizard(Cli& cli);

// The part number typed into the Quick Builder: trimmed, in upper case, applied.
// Nothing of its history is kept.
void QuickBuild(Cli& cli, MainForm& form, const std::string& partNumber);

// Prints what the wizard shows: family, every selection, the description grid,
// whether screen 1 is complete, the order description and the part number.
void PrintWizard(Cli& cli, const MainForm& form, const std::string& input);

} // namespace pelmora::cli
