#include "CreateForm.h"

#include "catalogue/AppState.h"
#include "catalogue/Text1252.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace pelmora {

CreateForm::CreateForm(AppState& app, Platform& platform,
                       std::function<void(const std::string&)> applyPartNumber)
    : app_(app), platform_(platform), applyPartNumber_(std::move(applyPartNumber)) {}

void CreateForm::FormCreate() {
    History.Load(app_.HistoryDir + "Parts.hst");
}

void CreateForm::FormShow() {
    cbxPartNumberText.clear();
    cbxPartNumberIndex = -1;
    Closed = false;
}

void CreateForm::btnCreateClick() {
    const std::string partNumber = UpperCase1252(TrimControlAndBlank(cbxPartNumberText));
    if (!partNumber.empty()) {
        applyPartNumber_(partNumber);
        History.AddHistoryEntry(partNumber);
    }
    Closed = true;
}

void CreateForm::ClearAllItemsClick() {
    History.Items.clear();
    cbxPartNumberText.clear();
    cbxPartNumberIndex = -1;
}

void CreateForm::FormDestroy() {
    History.SaveIntoFolder(app_.HistoryDir, "Parts.hst", platform_.Messages);
}

} // namespace pelmora
