// The window itself: its frame, title strip and menus, the forwarding of every
// event to the form, and what showing and closing it do.
#include "TfrmMain.h"

#include "FirstUse.h"
#include "FlattenControls.h"
#include "Look.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "wizard/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <malloc.h>

namespace pelmora {

namespace {

constexpr int ClientWidth = 601;
constexpr int ClientHeight = 436;
constexpr int TitleStripHeight = 44;

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
    client->installEventFilter(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    FlattenControls(this);
    Refresh();
}

void TfrmMain::EnsureScreenTwo() {
    if (screenTwo_)
        return;
    screenTwo_ = BuildScreenTwo();
    nbWizard_->addWidget(screenTwo_);
    FlattenControls(this);
    RefreshScreenTwo();
}

void TfrmMain::WarmUp() {
    EnsureScreenTwo();
    form_.PickEachFamilyAhead();
    for (const std::string& file : form_.FamilyPictures())
        pictures_.ReadAhead(FromCore(file));
    RenderGlyphsAhead(font());
    // The reading and rendering left freed blocks the allocator would keep.
    malloc_trim(0);
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
