#include "TfrmMain.h"

#include "BandGroup.h"
#include "DescriptionGrid.h"
#include "FlattenControls.h"
#include "Look.h"
#include "MultiColumnComboBox.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "platform/MessageBoxes.h"
#include "wizard/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>

namespace pelmora {

namespace {

constexpr int ClientWidth = 601;
constexpr int ClientHeight = 436;
constexpr int TitleStripHeight = 44;
const QRect LeftButton(430, 352, 78, 25);
const QRect RightButton(514, 352, 78, 25);

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
    auto* group = new QGroupBox(QString::fromLatin1(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

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

TfrmMain::TfrmMain(MainForm& form, MessageBoxes& messages, QWidget* parent)
    : QMainWindow(parent), form_(form), messages_(messages) {
    setWindowTitle(QString::fromLatin1(MainForm::Caption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/pelmora/mainicon.png")));
    BuildMenus();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    BuildTitleStrip()->setParent(client);
    nbWizard_ = new QStackedWidget(client);
    nbWizard_->setObjectName(QStringLiteral("nbWizard"));
    nbWizard_->setGeometry(0, TitleStripHeight, ClientWidth, ClientHeight - TitleStripHeight);
    nbWizard_->addWidget(BuildScreenOne());
    nbWizard_->addWidget(BuildScreenTwo());
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    FlattenControls(this);
    Refresh();
}

void TfrmMain::Forward(const std::function<void(MainForm&)>& handler) {
    RunGuarded(messages_, [&] { handler(form_); });
    Refresh();
    if (form_.CloseRequested)
        close();
}

void TfrmMain::ForwardClick(QPushButton* button, void (MainForm::*handler)()) {
    connect(button, &QPushButton::clicked, this, [this, handler] { Forward(handler); });
}

void TfrmMain::BuildMenus() {
    auto forward = [this](void (MainForm::*handler)()) {
        return [this, handler] { Forward(handler); };
    };
    auto* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open Order..."), this, forward(&MainForm::mnuOpenOrderClick));
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    auto* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->addAction(QStringLiteral("&Convert From Old Part Number"), this,
                       forward(&MainForm::mnuConvertClick));
    options->addAction(QStringLiteral("C&reate From Part Number"), this,
                       forward(&MainForm::mnuCreateFromPartNumberClick));
    options->addSeparator();
    options->addAction(QStringLiteral("Reset &Settings"), this,
                       forward(&MainForm::mnuResetSettingsClick));
    options->addSeparator();
    options->addAction(QStringLiteral("&View Order"), this, forward(&MainForm::btnViewOrderClick));
    options->addSeparator();
    options->addAction(QStringLiteral("&Update Pelmora (LiveUpdate)"), this,
                       forward(&MainForm::mnuUpdateClick));

    auto* units = menuBar()->addMenu(QStringLiteral("&Units"));
    mnuImperial_ =
        units->addAction(QStringLiteral("&Imperial"), this, forward(&MainForm::mnuImperialClick));
    mnuMetric_ =
        units->addAction(QStringLiteral("&Metric"), this, forward(&MainForm::mnuMetricClick));
    mnuImperial_->setCheckable(true);
    mnuMetric_->setCheckable(true);

    auto* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp_ = help->addAction(QStringLiteral("&Help"), this, forward(&MainForm::mnuHelpClick));
    help->addSeparator();
    help->addAction(QStringLiteral("&About"), this, forward(&MainForm::mnuAboutClick));
}

QWidget* TfrmMain::BuildTitleStrip() {
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("pnlTitle"));
    strip->setGeometry(0, 0, ClientWidth, TitleStripHeight);

    auto* icon = new QLabel(strip);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setGeometry(8, 6, 32, 32);
    icon->setPixmap(QIcon(QStringLiteral(":/pelmora/mainicon.png")).pixmap(32, 32));

    auto* title = new QLabel(QString::fromLatin1(MainForm::TitleText), strip);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPixelSize(22);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setGeometry(48, 6, 250, 30);

    lblScreenCaption_ = new QLabel(strip);
    lblScreenCaption_->setObjectName(QStringLiteral("lblScreenCaption"));
    lblScreenCaption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblScreenCaption_->setGeometry(ClientWidth - 258, 14, 250, 20);
    SetTextColour(lblScreenCaption_, Navy);

    auto* rule = new QFrame(strip);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(4, TitleStripHeight - 3, ClientWidth - 8, 2);
    return strip;
}

QLabel* TfrmMain::AddHeader(QWidget* parent, const char* text, int x, int y, int width) {
    auto* header = new QLabel(QString::fromLatin1(text), parent);
    header->setGeometry(x, y, width, 15);
    header->setFrameShape(QFrame::Panel);
    header->setFrameShadow(QFrame::Raised);
    QFont font = header->font();
    font.setPixelSize(9);
    header->setFont(font);
    return header;
}

MultiColumnComboBox* TfrmMain::AddList(QWidget* parent, const char* name, int x, int y, int width,
                                       void (MainForm::*pick)(int)) {
    auto* list = new MultiColumnComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(x, y, width, 22);
    connect(list, &QComboBox::activated, this,
            [this, pick](int index) { Forward([=](MainForm& form) { (form.*pick)(index); }); });
    return list;
}

QLabel* TfrmMain::AddPicture(QWidget* parent, const char* name, const QRect& geometry) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QPushButton* TfrmMain::AddButton(QWidget* parent, const char* name, const char* caption,
                                 const QRect& geometry) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

QWidget* TfrmMain::BuildScreenOne() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgScreenOne"));

    auto* product = AddGroup(page, "rgProductType", " Select Product Type ", {8, 2, 288, 112});
    imgProduct_ = AddPicture(product, "imgProduct", {8, 18, 119, 87});
    imgProduct_->setFrameShape(QFrame::Box);
    AddHeader(product, " Family", 132, 40, 40);
    AddHeader(product, " Family Type", 172, 40, 108);
    cbxProductType_ = AddList(product, "cbxProductType", 132, 56, 148, &MainForm::PickProductType);
    cbxProductType_->SetColumnWidths({40, 200}, 260);
    cbxProductType_->SetClosedColumns({0, 1});
    cbxProductType_->SetCentredColumns({0});

    auto* waveguide = AddGroup(page, "rgWaveguide", " Select Waveguide ", {8, 118, 288, 64});
    waveguideHeaders_ = {
        AddHeader(waveguide, " Code", 8, 18, 30), AddHeader(waveguide, " WR", 38, 18, 60),
        AddHeader(waveguide, " US Military", 98, 18, 60),
        AddHeader(waveguide, " British", 158, 18, 60), AddHeader(waveguide, " IEC", 218, 18, 60)};
    cbxWaveguide_ = AddList(waveguide, "cbxWaveguide", 8, 34, 270, &MainForm::PickWaveguide);

    rgFlangeA_ = AddGroup(page, "rgFlangeA", " Flange A ", {8, 186, 288, 152});
    AddHeader(rgFlangeA_, " Code", 8, 18, 30);
    AddHeader(rgFlangeA_, " Flange Type", 38, 18, 140);
    AddHeader(rgFlangeA_, " Model", 178, 18, 100);
    cbxFlangeA_ = AddList(rgFlangeA_, "cbxFlangeA", 8, 34, 270, &MainForm::PickFlangeA);
    cbxFlangeA_->SetColumnWidths({30, 140, 100}, 280);
    imgFlangeA_ = AddPicture(rgFlangeA_, "imgFlangeA", {8, 62, 110, 84});

    auto* length = AddGroup(page, "rgLength", " Length ", {304, 2, 289, 180});
    BuildLengthGroup(length);

    rgFlangeB_ = AddGroup(page, "rgFlangeB", " Flange B ", {304, 186, 289, 152});
    flangeBHeaders_ = {AddHeader(rgFlangeB_, " Code", 8, 18, 30),
                       AddHeader(rgFlangeB_, " Flange Type", 38, 18, 140),
                       AddHeader(rgFlangeB_, " Model", 178, 18, 100)};
    coaxTypeHeader_ = AddHeader(rgFlangeB_, " Type", 38, 18, 240);
    cbxFlangeB_ = AddList(rgFlangeB_, "cbxFlangeB", 8, 34, 270, &MainForm::PickFlangeB);
    cbxFlangeB_->SetColumnWidths({30, 140, 100}, 280);
    cbxCoax_ = AddList(rgFlangeB_, "cbxCoax", 8, 34, 270, &MainForm::PickCoax);
    cbxCoax_->SetColumnWidths({30, 200}, 240);
    imgFlangeB_ = AddPicture(rgFlangeB_, "imgFlangeB", {8, 62, 110, 84});

    AddButton(page, "btnBack1", "<< &Back", LeftButton)->setEnabled(false);
    btnNext_ = AddButton(page, "btnNext", "&Next >>", RightButton);
    connect(btnNext_, &QPushButton::clicked, this, [this] {
        // Alt+N clicks without taking the focus; a typed length is left all the same.
        btnNext_->setFocus(Qt::ShortcutFocusReason);
        Forward(&MainForm::btnNextClick);
    });
    return page;
}

QComboBox* TfrmMain::AddLengthBox(QWidget* page, const char* name, int y, TPelmoraComboBox& state) {
    auto* box = new QComboBox(page);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(0, y, 90, 22);
    box->installEventFilter(this);
    TPelmoraComboBox* boxState = &state;
    connect(box, &QComboBox::activated, this, [this, boxState](int index) {
        Forward([=](MainForm& form) { form.PickLength(*boxState, index); });
    });
    return box;
}

void TfrmMain::BuildLengthGroup(QGroupBox* group) {
    nbLength_ = new QStackedWidget(group);
    nbLength_->setObjectName(QStringLiteral("nbLength"));
    nbLength_->setGeometry(8, 18, 140, 150);

    auto addUnitLabel = [this](QWidget* page, int x, int y) {
        auto* label = new QLabel(page);
        label->setGeometry(x, y, 40, 22);
        lblLengthUnits_.append(label);
    };

    auto* multi = new QWidget;
    (new QLabel(QStringLiteral("Length"), multi))->setGeometry(0, 0, 90, 16);
    cbxLength_ = AddLengthBox(multi, "cbxLength", 16, form_.cbxLength);
    addUnitLabel(multi, 96, 16);
    chkFlangeAdaptor_ = new QCheckBox(QStringLiteral("For Flange Adaptor"), multi);
    chkFlangeAdaptor_->setObjectName(QStringLiteral("chkFlangeAdaptor"));
    chkFlangeAdaptor_->setGeometry(0, 46, 140, 20);
    connect(chkFlangeAdaptor_, &QCheckBox::clicked, this,
            [this] { Forward(&MainForm::ToggleFlangeAdaptor); });

    auto* single = new QWidget;
    (new QLabel(QStringLiteral("Preset Length"), single))->setGeometry(0, 0, 90, 16);
    txtPresetLength_ = new QLineEdit(single);
    txtPresetLength_->setObjectName(QStringLiteral("txtPresetLength"));
    txtPresetLength_->setReadOnly(true);
    txtPresetLength_->setGeometry(0, 16, 90, 22);
    addUnitLabel(single, 96, 16);
    lblPresetLengthUnit_ = lblLengthUnits_.takeLast();
    lblPresetLengthUnit_->setObjectName(QStringLiteral("lblPresetLengthUnit"));

    auto* dual = new QWidget;
    (new QLabel(QStringLiteral("Leg A Length"), dual))->setGeometry(0, 0, 90, 16);
    cbxLegALength_ = AddLengthBox(dual, "cbxLegALength", 16, form_.cbxLegALength);
    addUnitLabel(dual, 96, 16);
    (new QLabel(QStringLiteral("Leg B Length"), dual))->setGeometry(0, 46, 90, 16);
    cbxLegBLength_ = AddLengthBox(dual, "cbxLegBLength", 62, form_.cbxLegBLength);
    addUnitLabel(dual, 96, 62);

    nbLength_->addWidget(multi);
    nbLength_->addWidget(single);
    nbLength_->addWidget(dual);

    imgLength_ = AddPicture(group, "imgLength", {152, 18, 128, 150});
}

QWidget* TfrmMain::BuildScreenTwo() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgScreenTwo"));

    auto* finish = AddGroup(page, "rgFinish", " Finish ", {8, 2, 193, 62});
    AddHeader(finish, " Code", 8, 18, 30);
    AddHeader(finish, " Color", 38, 18, 139);
    cbxFinish_ = AddList(finish, "cbxFinish", 8, 34, 169, &MainForm::PickFinish);
    cbxFinish_->SetColumnWidths({30, 120}, 169);

    rgFrequency_ = new BandGroup(
        [this](int index) { Forward([=](MainForm& form) { form.BandClick(index); }); },
        [this] { Forward(&MainForm::btnOtherFreqRangesClick); }, page);
    rgFrequency_->move(8, 68);

    auto* create = AddGroup(page, "rgCreate", " Create Part Number ", {209, 2, 384, 108});
    txtPartNumber_ = new QLineEdit(create);
    txtPartNumber_->setObjectName(QStringLiteral("txtPartNumber"));
    txtPartNumber_->setReadOnly(true);
    txtPartNumber_->setGeometry(8, 20, 226, 24);
    QFont partFont = txtPartNumber_->font();
    partFont.setBold(true);
    partFont.setPixelSize(14);
    txtPartNumber_->setFont(partFont);
    ForwardClick(AddButton(create, "btnCreate", "&Create", {242, 20, 134, 24}),
                 &MainForm::btnCreateClick);
    ForwardClick(AddButton(create, "btnViewOrder", "&View Order", {8, 50, 110, 24}),
                 &MainForm::btnViewOrderClick);
    btnViewSpecs_ = AddButton(create, "btnViewSpecs", "View &Specs", {124, 50, 110, 24});
    ForwardClick(btnViewSpecs_, &MainForm::btnViewSpecsClick);
    btnAddOrder_ =
        AddButton(create, "btnAddOrder", "&Add to Order / Check Pricing", {8, 78, 226, 24});
    ForwardClick(btnAddOrder_, &MainForm::btnAddOrderClick);

    // As wide as the Create group above it, so that the longest band fits.
    grdSpecs_ = new DescriptionGrid(create->width(), page);
    grdSpecs_->move(create->x(), 120);

    ForwardClick(AddButton(page, "btnBack", "<< &Back", LeftButton), &MainForm::btnBackClick);
    ForwardClick(AddButton(page, "btnFinish", "F&inish", RightButton), &MainForm::btnFinishClick);
    return page;
}

void TfrmMain::ShowPicture(QLabel* label, const PictureState& picture) {
    label->setScaledContents(picture.Stretched);
    label->setPixmap(picture.File.empty() ? QPixmap() : QPixmap(FromCore(picture.File)));
}

void TfrmMain::ShowLengthBox(QComboBox* box, const TPelmoraComboBox& state) {
    QStringList items;
    for (const auto& item : state.Items)
        items << FromCore(item);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (box->isEditable() != state.Editable) {
        box->setEditable(state.Editable);
        FlattenControl(box);
        if (QLineEdit* edit = box->lineEdit()) {
            // A typed length is checked as typed; no completion rewrites it.
            box->setCompleter(nullptr);
            TPelmoraComboBox* boxState = LengthStateOf(box);
            connect(edit, &QLineEdit::textEdited, this, [this, boxState](const QString& text) {
                Forward([=](MainForm& form) { form.TypeLength(*boxState, ToCore(text)); });
            });
        }
    }
    if (items != shown) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(state.ItemIndex);
    if (box->currentText() != FromCore(state.Text))
        box->setEditText(FromCore(state.Text));
    box->setEnabled(state.Enabled);
}

TPelmoraComboBox* TfrmMain::LengthStateOf(QObject* box) {
    if (box == cbxLength_)
        return &form_.cbxLength;
    if (box == cbxLegALength_)
        return &form_.cbxLegALength;
    if (box == cbxLegBLength_)
        return &form_.cbxLegBLength;
    return nullptr;
}

bool TfrmMain::LeftForNext(Qt::FocusReason reason) const {
    // The new focus is set before the old one hears of losing it; a mouse press
    // or Alt+N on Next is followed by its click, Tab is not.
    const bool click = reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    return click && QApplication::focusWidget() == btnNext_;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    TPelmoraComboBox* state = LengthStateOf(watched);
    const bool focusEvent = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
    if (state && focusEvent) {
        // Entering and leaving a box means moving between controls of this window,
        // not opening the box's own list or another window.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (event->type() == QEvent::FocusIn)
                Forward([=](MainForm& form) { form.LengthBoxEnter(*state); });
            else {
                const bool forNext = LeftForNext(reason);
                Forward([=](MainForm& form) { form.LengthBoxExit(*state, forNext); });
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::Refresh() {
    lblScreenCaption_->setText(FromCore(form_.ScreenCaption));
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
    cbxFinish_->SetRows(form_.cbxFinish.Items, form_.cbxFinish.ItemIndex);
    cbxFinish_->setEnabled(form_.cbxFinish.Enabled);
    rgFrequency_->Show(form_.rgFrequency);
    txtPartNumber_->setText(FromCore(form_.txtPartNumber));
    btnAddOrder_->setEnabled(form_.btnAddOrderEnabled);
    btnViewSpecs_->setEnabled(form_.btnViewSpecsEnabled);
    grdSpecs_->ShowCells(form_.grdSpecs);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activationWatched_)
        return;
    // The main window is active at start; afterwards it becomes active again each
    // time the user comes back to the program from another one. Closing one of the
    // program's own dialogs does not count, or a reminder closed with its close box
    // would come straight back.
    activationWatched_ = true;
    QTimer::singleShot(0, this, [this] {
        Forward(&MainForm::RestoreUnsavedOrder);
        Forward(&MainForm::FormActivate);
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationInactive) {
                    wasInactive_ = true;
                } else if (state == Qt::ApplicationActive && wasInactive_) {
                    wasInactive_ = false;
                    Forward(&MainForm::FormActivate);
                }
            });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        bool mayClose = true;
        RunGuarded(messages_, [this, &mayClose] { mayClose = form_.FormCloseQuery(); });
        if (!mayClose) {
            Refresh();
            event->ignore();
            return;
        }
        closed_ = true;
        RunGuarded(messages_, [this] { form_.FormClose(); });
    }
    event->accept();
}

} // namespace pelmora
