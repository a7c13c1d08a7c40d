#pragma once

#include <QDialog>

namespace pelmora {

class AboutForm;
class MessageBoxes;
class QuickUpdateForm;
class UpdateOptionsForm;

// "Quick Update": download the installer, postpone, or set the interval.
class TfrmQuickUpdate : public QDialog {
    Q_OBJECT

public:
    TfrmQuickUpdate(QuickUpdateForm& form, MessageBoxes& messages, QWidget* parent = nullptr);
};

// "Update Options": the days between reminders and the auto-update box.
class TfrmUpdateOptions : public QDialog {
    Q_OBJECT

public:
    TfrmUpdateOptions(UpdateOptionsForm& form, QWidget* parent = nullptr);
};

// "About Pelmora".
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    TfrmAbout(AboutForm& form, MessageBoxes& messages, QWidget* parent = nullptr);
};

} // namespace pelmora
