#pragma once

#include "catalogue/AppState.h"
#include "catalogue/Family.h"
#include "platform/Platform.h"

#include <memory>
#include <string>

namespace pelmora {

class MainForm;

// What the catalogue says of a part number that did not come from the wizard's
// own Create command (an RFQ list, a script, a saved file).
struct CataloguePart {
    // The catalogue makes this part: the wizard, set from the part number exactly as
    // written, creates the same part number again; step twists and pressure windows
    // are listed in their tables.
    bool Known = false;
    TProductFamily Family = pfUnknown;
    // The order description the wizard builds from the part number alone.
    std::string Description;
};

// Examines part numbers one at a time, each in a wizard of its own, so that nothing
// of one part (a band, a length, the units) carries over to the next. Confirmations
// of Create are answered Continue without being shown; messages reach the platform.
class CataloguePartReader {
public:
    CataloguePartReader(const AppState& app, Platform& platform);
    ~CataloguePartReader();
    CataloguePartReader(const CataloguePartReader&) = delete;
    CataloguePartReader& operator=(const CataloguePartReader&) = delete;

    CataloguePart Examine(const std::string& partNumber);

    static std::string NotInCatalogueMessage(const std::string& partNumber);

private:
    class Seams;

    CataloguePart FromTable(const std::string& partNumber, MainForm& wizard);
    CataloguePart FromWizard(const std::string& partNumber, MainForm& wizard);

    AppState app_;
    bool startUnits_;
    std::unique_ptr<Seams> seams_;
    Platform platform_;
    std::unique_ptr<MainForm> started_;
};

} // namespace pelmora
