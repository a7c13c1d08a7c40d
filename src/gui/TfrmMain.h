#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace pelmora {

class MainForm;
class MessageBoxes;
class MultiColumnComboBox;
struct PictureState;
struct TPelmoraComboBox;

// The main window: the title strip, the menus and the wizard screens. Every event
// goes to the MainForm, and the widgets are then refreshed from it.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    TfrmMain(MainForm& form, MessageBoxes& messages, QWidget* parent = nullptr);

    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs one handler of the form, then shows the form's state. A failure the
    // handler did not expect is shown in a box and the program carries on.
    void Forward(void (MainForm::*handler)());

    void BuildMenus();
    QWidget* BuildTitleStrip();
    QWidget* BuildScreenOne();
    void BuildLengthGroup(QGroupBox* group);
    QLabel* AddHeader(QWidget* parent, const char* text, int x, int y, int width);
    MultiColumnComboBox* AddList(QWidget* parent, const char* name, int x, int y, int width);
    QLabel* AddPicture(QWidget* parent, const char* name, const QRect& geometry);
    void ShowPicture(QLabel* label, const PictureState& picture);
    void ShowLengthBox(QComboBox* box, const TPelmoraComboBox& state);

    MainForm& form_;
    MessageBoxes& messages_;
    bool closed_ = false;

    QAction* mnuImperial_ = nullptr;
    QAction* mnuMetric_ = nullptr;
    QAction* mnuHelp_ = nullptr;
    QLabel* lblScreenCaption_ = nullptr;
    QStackedWidget* nbWizard_ = nullptr;

    MultiColumnComboBox* cbxProductType_ = nullptr;
    QLabel* imgProduct_ = nullptr;
    MultiColumnComboBox* cbxWaveguide_ = nullptr;
    MultiColumnComboBox* cbxFlangeA_ = nullptr;
    QLabel* imgFlangeA_ = nullptr;
    MultiColumnComboBox* cbxFlangeB_ = nullptr;
    MultiColumnComboBox* cbxCoax_ = nullptr;
    QLabel* imgFlangeB_ = nullptr;
    QStackedWidget* nbLength_ = nullptr;
    QComboBox* cbxLength_ = nullptr;
    QComboBox* cbxLegALength_ = nullptr;
    QComboBox* cbxLegBLength_ = nullptr;
    QCheckBox* chkFlangeAdaptor_ = nullptr;
    QLineEdit* txtPresetLength_ = nullptr;
    QLabel* imgLength_ = nullptr;
    QList<QLabel*> lblLengthUnits_;
    QPushButton* btnBack_ = nullptr;
    QPushButton* btnNext_ = nullptr;
};

} // namespace pelmora
