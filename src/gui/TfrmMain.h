#pragma once

#include "PictureStore.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace pelmora {

class BandGroup;
class DescriptionGrid;
class MainForm;
class MessageBoxes;
class MultiColumnComboBox;
struct PictureState;
struct TPelmoraComboBox;

// The main window: the title strip, the menus and the two wizard screens. Every
// event goes to the MainForm, and the widgets are then refreshed from it. What
// the first screen does not show waits until the window has been painted once:
// the second screen is built then (or sooner, when the form shows it), the
// pictures the families show are read and the letters of the window's font
// rendered, so that the first pick costs about what later ones do.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    TfrmMain(MainForm& form, MessageBoxes& messages, QWidget* parent = nullptr);

    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs one handler of the form, then shows the form's state. A failure the
    // handler did not expect is shown in a box and the program carries on.
    void Forward(const std::function<void(MainForm&)>& handler);
    void ForwardClick(QPushButton* button, void (MainForm::*handler)());
    // Whether a length box losing the focus for this reason is left for a click on Next.
    bool LeftForNext(Qt::FocusReason reason) const;

    void EnsureScreenTwo();
    void WarmUp();

    void BuildMenus();
    QWidget* BuildTitleStrip();
    QWidget* BuildScreenOne();
    QWidget* BuildScreenTwo();
    void BuildLengthGroup(QGroupBox* group);
    QComboBox* AddLengthBox(QWidget* page, const char* name, int y, TPelmoraComboBox& state);
    QLabel* AddHeader(QWidget* parent, const char* text, int x, int y, int width);
    MultiColumnComboBox* AddList(QWidget* parent, const char* name, int x, int y, int width,
                                 void (MainForm::*pick)(int));
    QLabel* AddPicture(QWidget* parent, const char* name, const QRect& geometry);
    QPushButton* AddButton(QWidget* parent, const char* name, const char* caption,
                           const QRect& geometry);

    void RefreshScreenOne();
    void RefreshScreenTwo();
    void ShowPicture(QLabel* label, const PictureState& picture);
    void ShowLengthBox(QComboBox* box, const TPelmoraComboBox& state);
    TPelmoraComboBox* LengthStateOf(QObject* box);

    MainForm& form_;
    MessageBoxes& messages_;
    PictureStore pictures_;
    bool closed_ = false;
    bool activationWatched_ = false;
    bool wasInactive_ = false;
    bool painted_ = false;

    QAction* mnuImperial_ = nullptr;
    QAction* mnuMetric_ = nullptr;
    QAction* mnuHelp_ = nullptr;
    QLabel* lblScreenCaption_ = nullptr;
    QStackedWidget* nbWizard_ = nullptr;
    QWidget* screenTwo_ = nullptr;

    MultiColumnComboBox* cbxProductType_ = nullptr;
    QLabel* imgProduct_ = nullptr;
    QList<QLabel*> waveguideHeaders_;
    MultiColumnComboBox* cbxWaveguide_ = nullptr;
    QGroupBox* rgFlangeA_ = nullptr;
    MultiColumnComboBox* cbxFlangeA_ = nullptr;
    QLabel* imgFlangeA_ = nullptr;
    QGroupBox* rgFlangeB_ = nullptr;
    QList<QLabel*> flangeBHeaders_;
    QLabel* coaxTypeHeader_ = nullptr;
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
    QLabel* lblPresetLengthUnit_ = nullptr;

    MultiColumnComboBox* cbxFinish_ = nullptr;
    BandGroup* rgFrequency_ = nullptr;
    QLineEdit* txtPartNumber_ = nullptr;
    QPushButton* btnNext_ = nullptr;
    QPushButton* btnAddOrder_ = nullptr;
    QPushButton* btnViewSpecs_ = nullptr;
    DescriptionGrid* grdSpecs_ = nullptr;
};

} // namespace pelmora
