#pragma once

#include "PartNumberHistory.h"

#include <functional>
#include <string>

namespace pelmora {

struct AppState;
struct Platform;

// The conversion of an old part number into the current one, which then sets the
// wizard.
class ConvertForm {
public:
    static constexpr const char* Caption = "Convert Old Part Number";

    ConvertForm(AppState& app, Platform& platform,
                std::function<void(const std::string&)> applyPartNumber);

    void FormCreate();
    void FormShow();
    void cbxOldPartNumberChange();
    void btnConvertClick();
    void btnContinueClick();
    void btnCancelClick();
    void ClearAllItemsClick();
    void FormDestroy();

    PartNumberHistory History;
    std::string cbxOldPartNumberText;
    int cbxOldPartNumberIndex = -1;
    std::string txtNewPartNumber;
    std::string memComments;
    bool btnContinueEnabled = false;
    std::string FocusedControl;
    bool Closed = false;

private:
    bool FindConversion(const std::string& oldPartNumber);

    AppState& app_;
    Platform& platform_;
    std::function<void(const std::string&)> applyPartNumber_;
};

} // namespace pelmora
