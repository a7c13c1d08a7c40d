#include "TfrmMain.h"

#include "FlattenControls.h"
#include "MultiColumnComboBox.h"
#include "Text1252Qt.h"
#include "platform/MessageBoxes.h"
#include "wizard/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace pelmora {

namespace {

constexpr int ClientWidth = 601;
constexpr int ClientHeight = 436;
constexpr int TitleStripHeight = 44;

const QColor Navy(0, 0, 128);

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
    auto* group = new QGroupBox(QString::fromLatin1(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
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
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    FlattenControls(this);
    Refresh();
}

void TfrmMain::Forward(void (MainForm::*handler)()) {
    try {
        (form_.*handler)();
    } catch (const std::exception& error) {
        messages_.Error(error.what());
    }
    Refresh();
}

void TfrmMain::BuildMenus() {
    auto* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    // Commands whose windows join the program later are shown but not yet enabled.
    auto* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->addAction(QStringLiteral("&Convert From Old Part Number"))->setEnabled(false);
    options->addAction(QStringLiteral("C&reate From Part Number"))->setEnabled(false);
    options->addSeparator();
    options->addAction(QStringLiteral("Reset &Settings"), this,
                       [this] { Forward(&MainForm::mnuResetSettingsClick); });
    options->addSeparator();
    options->addAction(QStringLiteral("&View Order"))->setEnabled(false);
    options->addSeparator();
    options->addAction(QStringLiteral("&Update Pelmora (LiveUpdate)"))->setEnabled(false);

    auto* units = menuBar()->addMenu(QStringLiteral("&Units"));
    mnuImperial_ = units->addAction(QStringLiteral("&Imperial"), this,
                                    [this] { Forward(&MainForm::mnuImperialClick); });
    mnuMetric_ = units->addAction(QStringLiteral("&Metric"), this,
                                  [this] { Forward(&MainForm::mnuMetricClick); });
    mnuImperial_->setCheckable(true);
    mnuMetric_->setCheckable(true);

    auto* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp_ = help->addAction(QStringLiteral("&Help"), this,
                               [this] { Forward(&MainForm::mnuHelpClick); });
    help->addSeparator();
    help->addAction(QStringLiteral("&About"))->setEnabled(false);
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
    QPalette captionPalette = lblScreenCaption_->palette();
    captionPalette.setColor(QPalette::WindowText, Navy);
    lblScreenCaption_->setPalette(captionPalette);

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

MultiColumnComboBox* TfrmMain::AddList(QWidget* parent, const char* name, int x, int y, int width) {
    auto* list = new MultiColumnComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(x, y, width, 22);
    return list;
}

QLabel* TfrmMain::AddPicture(QWidget* parent, const char* name, const QRect& geometry) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QWidget* TfrmMain::BuildScreenOne() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgScreenOne"));

    auto* product = AddGroup(page, "rgProductType", " Select Product Type ", {8, 2, 288, 112});
    imgProduct_ = AddPicture(product, "imgProduct", {8, 18, 119, 87});
    imgProduct_->setFrameShape(QFrame::Box);
    AddHeader(product, " Family", 134, 40, 40);
    AddHeader(product, " Family Type", 174, 40, 106);
    cbxProductType_ = AddList(product, "cbxProductType", 134, 56, 146);
    cbxProductType_->SetColumnWidths({40, 200}, 260);
    cbxProductType_->SetClosedColumns({0, 1});
    cbxProductType_->SetCentredColumns({0});

    auto* waveguide = AddGroup(page, "rgWaveguide", " Select Waveguide ", {8, 118, 288, 64});
    AddHeader(waveguide, " Code", 8, 18, 30);
    AddHeader(waveguide, " WR", 38, 18, 60);
    AddHeader(waveguide, " US Military", 98, 18, 60);
    AddHeader(waveguide, " British", 158, 18, 60);
    AddHeader(waveguide, " IEC", 218, 18, 60);
    cbxWaveguide_ = AddList(waveguide, "cbxWaveguide", 8, 34, 270);
    cbxWaveguide_->SetColumnWidths({30, 60, 60, 60, 60}, 260);

    auto* flangeA = AddGroup(page, "rgFlangeA", " Flange A ", {8, 186, 288, 152});
    AddHeader(flangeA, " Code", 8, 18, 30);
    AddHeader(flangeA, " Flange Type", 38, 18, 140);
    AddHeader(flangeA, " Model", 178, 18, 100);
    cbxFlangeA_ = AddList(flangeA, "cbxFlangeA", 8, 34, 270);
    cbxFlangeA_->SetColumnWidths({30, 140, 100}, 280);
    imgFlangeA_ = AddPicture(flangeA, "imgFlangeA", {8, 62, 270, 84});

    auto* length = AddGroup(page, "rgLength", " Length ", {304, 2, 289, 180});
    BuildLengthGroup(length);

    auto* flangeB = AddGroup(page, "rgFlangeB", " Flange B ", {304, 186, 289, 152});
    AddHeader(flangeB, " Code", 8, 18, 30);
    AddHeader(flangeB, " Flange Type", 38, 18, 140);
    AddHeader(flangeB, " Model", 178, 18, 100);
    cbxFlangeB_ = AddList(flangeB, "cbxFlangeB", 8, 34, 270);
    cbxFlangeB_->SetColumnWidths({30, 140, 100}, 280);
    cbxCoax_ = AddList(flangeB, "cbxCoax", 8, 34, 270);
    cbxCoax_->SetColumnWidths({30, 200}, 240);
    cbxCoax_->lower();
    imgFlangeB_ = AddPicture(flangeB, "imgFlangeB", {8, 62, 270, 84});

    btnBack_ = new QPushButton(QStringLiteral("<< &Back"), page);
    btnBack_->setObjectName(QStringLiteral("btnBack"));
    btnBack_->setGeometry(430, 352, 78, 25);
    btnBack_->setEnabled(false);
    btnNext_ = new QPushButton(QStringLiteral("&Next >>"), page);
    btnNext_->setObjectName(QStringLiteral("btnNext"));
    btnNext_->setGeometry(514, 352, 78, 25);
    return page;
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
    auto addLengthBox = [](QWidget* page, const char* name, int y) {
        auto* box = new QComboBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(0, y, 90, 22);
        return box;
    };

    auto* multi = new QWidget;
    (new QLabel(QStringLiteral("Length"), multi))->setGeometry(0, 0, 90, 16);
    cbxLength_ = addLengthBox(multi, "cbxLength", 16);
    addUnitLabel(multi, 96, 16);
    chkFlangeAdaptor_ = new QCheckBox(QStringLiteral("For Flange Adaptor"), multi);
    chkFlangeAdaptor_->setObjectName(QStringLiteral("chkFlangeAdaptor"));
    chkFlangeAdaptor_->setGeometry(0, 46, 140, 20);

    auto* single = new QWidget;
    (new QLabel(QStringLiteral("Preset Length"), single))->setGeometry(0, 0, 90, 16);
    txtPresetLength_ = new QLineEdit(single);
    txtPresetLength_->setObjectName(QStringLiteral("txtPresetLength"));
    txtPresetLength_->setReadOnly(true);
    txtPresetLength_->setGeometry(0, 16, 90, 22);
    addUnitLabel(single, 96, 16);

    auto* dual = new QWidget;
    (new QLabel(QStringLiteral("Leg A Length"), dual))->setGeometry(0, 0, 90, 16);
    cbxLegALength_ = addLengthBox(dual, "cbxLegALength", 16);
    addUnitLabel(dual, 96, 16);
    (new QLabel(QStringLiteral("Leg B Length"), dual))->setGeometry(0, 46, 90, 16);
    cbxLegBLength_ = addLengthBox(dual, "cbxLegBLength", 62);
    addUnitLabel(dual, 96, 62);

    nbLength_->addWidget(multi);
    nbLength_->addWidget(single);
    nbLength_->addWidget(dual);

    imgLength_ = AddPicture(group, "imgLength", {152, 18, 128, 150});
}

void TfrmMain::ShowPicture(QLabel* label, const PictureState& picture) {
    label->setScaledContents(picture.Stretched);
    label->setPixmap(picture.File.empty() ? QPixmap() : QPixmap(FromCore(picture.File)));
}

void TfrmMain::ShowLengthBox(QComboBox* box, const TPelmoraComboBox& state) {
    const QSignalBlocker blocker(box);
    box->clear();
    box->setEditable(state.Editable);
    for (const auto& item : state.Items)
        box->addItem(FromCore(item));
    box->setCurrentIndex(state.ItemIndex);
    if (state.Editable)
        box->setEditText(FromCore(state.Text));
    box->setEnabled(state.Enabled);
}

void TfrmMain::Refresh() {
    const QSignalBlocker blockProductType(cbxProductType_);
    const QSignalBlocker blockWaveguide(cbxWaveguide_);
    const QSignalBlocker blockFlangeA(cbxFlangeA_);
    const QSignalBlocker blockFlangeB(cbxFlangeB_);
    const QSignalBlocker blockCoax(cbxCoax_);

    lblScreenCaption_->setText(FromCore(form_.ScreenCaption));
    nbWizard_->setCurrentIndex(form_.ActivePage);
    mnuImperial_->setChecked(form_.mnuImperialChecked);
    mnuMetric_->setChecked(form_.mnuMetricChecked);
    mnuHelp_->setEnabled(form_.mnuHelpEnabled);

    cbxProductType_->SetRows(form_.cbxProductType.Items, form_.cbxProductType.ItemIndex);
    ShowPicture(imgProduct_, form_.imgProduct);
    cbxWaveguide_->SetRows(form_.cbxWaveguide.Items, form_.cbxWaveguide.ItemIndex);
    cbxFlangeA_->SetRows(form_.cbxFlangeA.Items, form_.cbxFlangeA.ItemIndex);
    ShowPicture(imgFlangeA_, form_.imgFlangeA);
    cbxFlangeB_->SetRows(form_.cbxFlangeB.Items, form_.cbxFlangeB.ItemIndex);
    cbxCoax_->SetRows(form_.cbxCoax.Items, form_.cbxCoax.ItemIndex);
    ShowPicture(imgFlangeB_, form_.imgFlangeB);

    nbLength_->setCurrentIndex(form_.ActiveLengthPage);
    ShowLengthBox(cbxLength_, form_.cbxLength);
    ShowLengthBox(cbxLegALength_, form_.cbxLegALength);
    ShowLengthBox(cbxLegBLength_, form_.cbxLegBLength);
    txtPresetLength_->setText(FromCore(form_.txtPresetLength));
    ShowPicture(imgLength_, form_.imgLength);
    for (auto* label : lblLengthUnits_)
        label->setText(FromCore(form_.LengthUnitLabel));

    if (form_.FocusedControl == "cbxProductType")
        cbxProductType_->setFocus();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        Forward(&MainForm::FormClose);
    }
    event->accept();
}

} // namespace pelmora
