// Any text as a part number, against the shipped catalogue: the wizard takes it,
// Create composes, the Add to Order dialog prices it and what was composed, and
// the fields cut out of it stay within it.
//
// The input is the part number, optionally followed by a TAB and the quantity
// typed into the Add to Order dialog.
#include "Require.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/Money.h"
#include "partnumber/PartNumber.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "wizard/MainForm.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

namespace pelmora::fuzzing {
namespace {

// The wizard started once on a copy of the shipped catalogue; each input works on a
// copy of it, so that no input sees what another left behind.
struct Session {
    Session() {
        std::filesystem::copy(PELMORA_SHIPPED_DIR, folder.Path(),
                              std::filesystem::copy_options::recursive);
        app.SetFolders(folder.Path());
        app.Cache = &cache;
        started = std::make_unique<MainForm>(app, platform.Seams);
        started->FormCreate();
        imperial = app.ImperialUnits;
    }

    // The wizard as it stands after start-up, with nothing recorded yet.
    MainForm Fresh(ModalResult answer) {
        app.ImperialUnits = imperial;
        platform.Messages.Log.clear();
        platform.Confirm.Shown.clear();
        platform.Confirm.Answers = {answer};
        platform.Busy.Shown.clear();
        return *started;
    }

    testing::TempFolder folder;
    TableCache cache;
    AppState app;
    testing::FakePlatform platform;
    std::unique_ptr<MainForm> started;
    bool imperial = true;
};

Session& TheSession() {
    static Session session;
    return session;
}

void CheckPriceShown(const AddOrderForm& dialog) {
    static const std::regex Dollars("\\$(0|[1-9][0-9]{0,2})(,[0-9]{3})*\\.[0-9]{2}");
    Require(dialog.txtPrice == "N/A"
                ? dialog.UnitPrice == 0
                : dialog.UnitPrice > 0 && std::regex_match(dialog.txtPrice, Dollars),
            "the dialog shows N/A without a price, else a positive amount");
    Require(!dialog.txtDelivery.empty(), "the dialog always shows a delivery");
}

// The Add to Order dialog over the part with the quantity typed into it; when add
// is set, OK is pressed, and the same part is added again.
void Price(Session& session, const std::string& part, const std::string& description,
           const std::string& quantity, bool add) {
    AddOrderForm dialog(session.app, session.platform.Seams);
    session.platform.Windows.AddToOrder = [&] {
        dialog.FormShow();
        CheckPriceShown(dialog);
        dialog.txtQuantity = quantity;
        dialog.txtQuantityChange();
        CheckPriceShown(dialog);
        if (add)
            dialog.btnAddClick();
        return add;
    };
    TTxtTable order;
    dialog.OpenAddToOrder({1, part, description}, order);
    if (!add)
        return;
    dialog.OpenAddToOrder({1, part, description}, order);
    if (AddOrderForm::QuantityTooLarge(quantity)) {
        Require(order.RowCount() == 0, "a quantity above the largest is refused, never cut");
        return;
    }
    Require(order.RowCount() == 1, "a part added twice keeps one order line");
    Require(order.GetField(0, olPartNumber) == part, "the order line holds the part");
    Require(order.GetField(0, olQuantity) == std::to_string(AddOrderForm::QuantityOf(quantity)),
            "the order line holds the quantity priced");
}

void CheckFields(const std::string& part) {
    for (int family = pfCoax; family <= pfUnknown; ++family) {
        for (int field = pnfFamilyLetter; field <= pnfUnits; ++field) {
            const std::string cut =
                ExtractPartNumberField(part, TProductFamily(family), TPartNumberField(field));
            Require(cut.size() <= 4, "a part-number field is at most four characters");
            Require(part.find(cut) != std::string::npos || (field == pnfUnits && cut == "N"),
                    "a part-number field is cut out of the part number");
        }
    }
}

} // namespace
} // namespace pelmora::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pelmora;
    using namespace pelmora::fuzzing;
    Session& session = TheSession();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t tab = input.rfind('\t');
    const std::string part = input.substr(0, tab);
    const std::string quantity = tab == std::string::npos ? "1" : input.substr(tab + 1);
    // Continue, Swap or Cancel in the Confirm Configuration dialogs.
    const ModalResult answer = ModalResult(size % 3);

    MainForm form = session.Fresh(answer);
    form.ApplyPartNumber(part);
    Require(!session.app.BuildingFromPartNumber, "building from a part number ends");
    // The command line creates even when screen 1 is incomplete; the window would not.
    const bool complete = form.ScreenOneComplete();
    form.btnCreateClick();
    const std::string created = form.txtPartNumber;
    const std::string description = form.BuildOrderDescription();
    const TProductFamily family = form.Family();

    Price(session, part, description, quantity, false);
    CheckFields(part);
    if (created.empty())
        return 0;
    Price(session, created, description, quantity, true);

    // What Create composed from a complete screen 1 sets the wizard to the same part.
    if (complete && family != pfStepTwist && family != pfPressureWindow) {
        MainForm again = session.Fresh(ModalResult::Ok);
        again.ApplyPartNumber(created);
        again.btnCreateClick();
        Require(again.txtPartNumber == created, "a composed part number composes again");
    }
    return 0;
}
