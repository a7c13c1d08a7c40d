#include "ConvertForm.h"

#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"
#include "catalogue/Text1252.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace pelmora {

ConvertForm::ConvertForm(AppState& app, Platform& platform,
                         std::function<void(const std::string&)> applyPartNumber)
    : app_(app), platform_(platform), applyPartNumber_(std::move(applyPartNumber)) {}

void ConvertForm::FormCreate() {
    History.Load(app_.HistoryDir + "OldParts.hst");
}

void ConvertForm::FormShow() {
    cbxOldPartNumberText.clear();
    cbxOldPartNumberIndex = -1;
    FocusedControl = "cbxOldPartNumber";
    txtNewPartNumber.clear();
    memComments.clear();
    btnContinueEnabled = false;
    Closed = false;
}

void ConvertForm::cbxOldPartNumberChange() {
    txtNewPartNumber.clear();
    memComments.clear();
    btnContinueEnabled = false;
}

bool ConvertForm::FindConversion(const std::string& oldPartNumber) {
    const TableRef conversions = app_.Tables(platform_.Messages).Load("Conversion.tbl");
    for (int row = 0; row < conversions->RowCount(); ++row) {
        if (UpperCase1252(conversions->GetField(row, 1)) == oldPartNumber) {
            txtNewPartNumber = UpperCase1252(conversions->GetField(row, 2));
            memComments = conversions->GetField(row, 3);
            return true;
        }
    }
    return false;
}

void ConvertForm::btnConvertClick() {
    const std::string oldPartNumber = UpperCase1252(TrimControlAndBlank(cbxOldPartNumberText));
    if (!oldPartNumber.empty() && FindConversion(oldPartNumber)) {
        History.AddHistoryEntry(oldPartNumber);
        btnContinueEnabled = true;
        FocusedControl = "btnContinue";
        return;
    }
    txtNewPartNumber.clear();
    memComments.clear();
    btnContinueEnabled = false;
    platform_.Messages.Information(
        "Sorry, that part number cannot be converted.\rPlease check the part number again.\r"
        "If you have entered it correctly, but still get this message,\rplease contact your "
        "Corvane Corporation represantative.");
}

void ConvertForm::btnContinueClick() {
    applyPartNumber_(std::string(TrimControlAndBlank(txtNewPartNumber)));
    Closed = true;
}

void ConvertForm::btnCancelClick() {
    Closed = true;
}

void ConvertForm::ClearAllItemsClick() {
    History.Items.clear();
    cbxOldPartNumberText.clear();
    cbxOldPartNumberIndex = -1;
}

void ConvertForm::FormDestroy() {
    History.SaveIntoFolder(app_.HistoryDir, "OldParts.hst", platform_.Messages);
}

} // namespace pelmora
