#pragma once

#include "PartNumberHistory.h"

#include <functional>
#include <string>

namespace pelmora {

struct AppState;
struct Platform;

// The Quick Builder: a typed part number sets the whole wizard.
class CreateForm {
public:
    static constexpr const char* Caption = "Pelmora Quick Builder";

    // applyPartNumber is the main form's rebuilding of the wizard.
    CreateForm(AppState& app, Platform& platform,
               std::function<void(const std::string&)> applyPartNumber);

    void FormCreate();
    void FormShow();
    void btnCreateClick();
    void ClearAllItemsClick();
    void FormDestroy();

    PartNumberHistory History;
    std::string cbxPartNumberText;
    int cbxPartNumberIndex = -1;
    bool Closed = false;

private:
    AppState& app_;
    Platform& platform_;
    std::function<void(const std::string&)> applyPartNumber_;
};

} // namespace pelmora
