#pragma once

namespace pelmora {

class AboutForm;
class QuickUpdateForm;
class UpdateOptionsForm;
enum class ModalResult;

// Shows the program's long-lived dialogs modally; each returns once the dialog
// has closed.
class ModalWindows {
public:
    virtual ~ModalWindows() = default;

    // True when the Add to Order dialog closed with OK.
    virtual bool ShowAddToOrder() = 0;
    virtual void ShowOrderForm() = 0;
    virtual void ShowQuickBuilder() = 0;
    virtual void ShowConvert() = 0;
    virtual void ShowPreview() = 0;
    // The dialogs made for one showing each.
    virtual ModalResult ShowQuickUpdate(QuickUpdateForm& form) = 0;
    virtual void ShowUpdateOptions(UpdateOptionsForm& form) = 0;
    virtual void ShowAbout(AboutForm& form) = 0;
};

} // namespace pelmora
