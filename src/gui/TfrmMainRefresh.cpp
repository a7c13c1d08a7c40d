// Refreshing the widgets, pictures included, from the form's state.
#include "BandGroup.h"
#include "DescriptionGrid.h"
#include "MultiColumnComboBox.h"
#include "Text1252Qt.h"
#include "TfrmMain.h"
#include "wizard/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace pelmora {

namespace {

// Each header stands over its column of the box's drop-down. A header that would
// reach past the closed box is hidden rather than cut.
void PlaceHeaders(const QList<QLabel*>& headers, const QWidget* box,
                  const std::vector<int>& widths) {
    int left = box->x();
    for (qsizetype i = 0; i < headers.size(); ++i) {
        const int width = i < std::ssize(widths) ? widths[static_cast<size_t>(i)] : 0;
        headers[i]->setGeometry(left, headers[i]->y(), width, headers[i]->height());
        headers[i]->setVisible(width > 0 && left + width <= box->geometry().right() + 1);
        left += width;
    }
}

} // namespace

void TfrmMain::ShowPicture(QLabel* label, const PictureState& picture) {
    label->setScaledContents(picture.Stretched);
    label->setPixmap(pictures_.Pixmap(FromCore(picture.File), label->pixmap()));
}

void TfrmMain::Refresh() {
    lblScreenCaption_->setText(FromCore(form_.ScreenCaption));
    if (form_.ActivePage != MainForm::ScreenOne)
        EnsureScreenTwo();
    nbWizard_->setCurrentIndex(form_.ActivePage);
    mnuImperial_->setChecked(form_.mnuImperialChecked);
    mnuMetric_->setChecked(form_.mnuMetricChecked);
    mnuHelp_->setEnabled(form_.mnuHelpEnabled);
    RefreshScreenOne();
    RefreshScreenTwo();

    if (form_.FocusedControl == "cbxProductType")
        cbxProductType_->setFocus();
    else if (QComboBox* box = findChild<QComboBox*>(FromCore(form_.FocusedControl)))
        box->setFocus();
    form_.FocusedControl.clear();
}

void TfrmMain::RefreshScreenOne() {
    const QSignalBlocker blockLength(cbxLength_);
    const QSignalBlocker blockLegA(cbxLegALength_);
    const QSignalBlocker blockLegB(cbxLegBLength_);

    cbxProductType_->SetRows(form_.cbxProductType.Items, form_.cbxProductType.ItemIndex);
    ShowPicture(imgProduct_, form_.imgProduct);
    cbxWaveguide_->SetColumnWidths(form_.WaveguideColumnWidths, form_.WaveguideDropDownWidth);
    PlaceHeaders(waveguideHeaders_, cbxWaveguide_, form_.WaveguideColumnWidths);
    cbxWaveguide_->SetRows(form_.cbxWaveguide.Items, form_.cbxWaveguide.ItemIndex);

    rgFlangeA_->setTitle(FromCore(form_.rgFlangeACaption));
    cbxFlangeA_->SetRows(form_.cbxFlangeA.Items, form_.cbxFlangeA.ItemIndex);
    ShowPicture(imgFlangeA_, form_.imgFlangeA);

    rgFlangeB_->setTitle(FromCore(form_.rgFlangeBCaption));
    cbxFlangeB_->SetRows(form_.cbxFlangeB.Items, form_.cbxFlangeB.ItemIndex);
    cbxFlangeB_->setEnabled(form_.cbxFlangeB.Enabled);
    cbxCoax_->SetRows(form_.cbxCoax.Items, form_.cbxCoax.ItemIndex);
    cbxCoax_->setEnabled(form_.cbxCoax.Enabled);
    cbxCoax_->setVisible(form_.CoaxInFront);
    cbxFlangeB_->setVisible(!form_.CoaxInFront);
    coaxTypeHeader_->setVisible(form_.CoaxInFront);
    flangeBHeaders_[0]->setEnabled(form_.cbxFlangeB.Enabled || form_.cbxCoax.Enabled);
    for (int i = 1; i < flangeBHeaders_.size(); ++i) {
        flangeBHeaders_[i]->setVisible(!form_.CoaxInFront);
        flangeBHeaders_[i]->setEnabled(form_.cbxFlangeB.Enabled);
    }
    ShowPicture(imgFlangeB_, form_.imgFlangeB);

    nbLength_->setCurrentIndex(form_.ActiveLengthPage);
    ShowLengthBox(cbxLength_, form_.cbxLength);
    ShowLengthBox(cbxLegALength_, form_.cbxLegALength);
    ShowLengthBox(cbxLegBLength_, form_.cbxLegBLength);
    chkFlangeAdaptor_->setChecked(form_.chkFlangeAdaptorChecked);
    chkFlangeAdaptor_->setVisible(form_.chkFlangeAdaptorVisible);
    txtPresetLength_->setText(FromCore(form_.txtPresetLength));
    ShowPicture(imgLength_, form_.imgLength);
    for (auto* label : lblLengthUnits_)
        label->setText(FromCore(form_.LengthUnitLabel));
    lblPresetLengthUnit_->setText(FromCore(form_.PresetLengthUnitLabel()));
}

void TfrmMain::RefreshScreenTwo() {
    if (!screenTwo_)
        return;
    cbxFinish_->SetRows(form_.cbxFinish.Items, form_.cbxFinish.ItemIndex);
    cbxFinish_->setEnabled(form_.cbxFinish.Enabled);
    rgFrequency_->Show(form_.rgFrequency);
    txtPartNumber_->setText(FromCore(form_.txtPartNumber));
    btnAddOrder_->setEnabled(form_.btnAddOrderEnabled);
    btnViewSpecs_->setEnabled(form_.btnViewSpecsEnabled);
    grdSpecs_->ShowCells(form_.grdSpecs);
}

} // namespace pelmora
