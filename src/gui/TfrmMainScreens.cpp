// The widgets of the two wizard screens, laid out as the form's controls.
#include "BandGroup.h"
#include "DescriptionGrid.h"
#include "MultiColumnComboBox.h"
#include "TfrmMain.h"
#include "wizard/MainForm.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace pelmora {

namespace {

const QRect LeftButton(430, 352, 78, 25);
const QRect RightButton(514, 352, 78, 25);

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
    auto* group = new QGroupBox(QString::fromLatin1(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

} // namespace

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

} // namespace pelmora
