// Each Qt side of a seam against the real Qt object, driven as a user drives it:
// a stand-in in every test would hide the faults of the real side.
#include "ModulePrinter.h"
#include "QtBusyCursor.h"
#include "QtClock.h"
#include "QtConfirmDialogs.h"
#include "QtFileDialogs.h"
#include "QtHelpViewer.h"
#include "QtMessageBoxes.h"
#include "WhenShown.h"
#include "catalogue/AppState.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/OrderForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace pelmora;
using testing::WhenShown;

class SeamAdaptersTest : public QObject {
    Q_OBJECT

    // Picks the file type from the dialog's list, types the name, presses Enter.
    static void FillFileDialog(QWidget* widget, int type, const QString& name) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog);
        if (type >= 0) {
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            types->setCurrentIndex(type);
            emit types->activated(type);
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static void Click(QWidget* dialog, const QString& text) {
        for (auto* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text().remove(QLatin1Char('&')) == text) {
                button->click();
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no button ") + text));
    }

private slots:
    void saveDialogWritesTheKindTheUserChose() {
        testing::TempFolder folder;
        AppState app;
        app.SetFolders(folder.Path());
        testing::FakePlatform fakes;
        QtFileDialogs files;
        Platform platform{fakes.Messages, fakes.Help,  fakes.Confirm, fakes.Windows, files,
                          fakes.Busy,     fakes.Print, fakes.Time,    fakes.Net};
        AddOrderForm addOrder(app, platform);
        OrderForm order(app, platform, addOrder, [](const std::string&) {});
        TTxtTable lines;
        lines.Lines = {"2|$280.00|Stock|R090PC0120USG|Straight Section, WR90, 90\xB0"};
        const QString base = QString::fromStdString(folder.Path());

        const struct {
            int type;
            const char* typed;
            const char* written;
            const char* starts;
        } kinds[] = {{0, "order1", "order1.xls", "QUANTITY\tPRICE\t"},
                     {1, "order3", "order3.txt", "  QUANTITY               PRICE"},
                     {2, "order4.xml", "order4.xml", "<?xml version=\"1.0\""}};
        for (const auto& kind : kinds) {
            WhenShown(
                [&](QWidget* dialog) { FillFileDialog(dialog, kind.type, base + kind.typed); });
            QVERIFY(order.SaveOrderAs(lines));
            const std::string bytes = folder.Read(kind.written);
            QVERIFY2(bytes.starts_with(kind.starts), kind.written);
        }
        QCOMPARE(folder.Read("order3.txt").substr(0, 30),
                 std::string("  QUANTITY               PRICE"));
        QVERIFY(!QFileInfo::exists(base + "order3.xls"));
        QVERIFY(!QFileInfo::exists(base + "order4.xml.xls"));
    }

    void openDialogGivesTheFileTheUserNamed() {
        testing::TempFolder folder;
        const std::string path = folder.Write("saved.xml", "x");
        QtFileDialogs files;
        WhenShown(
            [&](QWidget* dialog) { FillFileDialog(dialog, -1, QString::fromStdString(path)); });
        QCOMPARE(files.AskOpenFile("Order Files (*.xls *.txt *.xml)|*.xls;*.txt;*.xml", ""),
                 std::optional<std::string>(path));
        WhenShown([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
        QCOMPARE(files.AskOpenFile("XML File   (*.xml)|*.xml", ""), std::optional<std::string>());
    }

    void messageBoxesShowTheirKindAndAnswer() {
        QtMessageBoxes messages;
        WhenShown([](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->text(), QStringLiteral("First\nsecond 90\u00B0"));
            Click(box, QStringLiteral("OK"));
        });
        messages.Error("First\rsecond 90\xB0");
        WhenShown([](QWidget* widget) {
            QCOMPARE(qobject_cast<QMessageBox*>(widget)->icon(), QMessageBox::Information);
            Click(widget, QStringLiteral("OK"));
        });
        messages.Information("Note");
        WhenShown([](QWidget* widget) { Click(widget, QStringLiteral("No")); });
        QVERIFY(!messages.Confirm("Sure?"));
        WhenShown([](QWidget* widget) { Click(widget, QStringLiteral("Cancel")); });
        QCOMPARE(messages.AskYesNoCancel("Save?"), Answer::Cancel);
        WhenShown([](QWidget* widget) { Click(widget, QStringLiteral("No")); });
        QCOMPARE(messages.AskYesNoCancel("Save?"), Answer::No);
    }

    void confirmationDialogsGiveTheButtonsResult() {
        QtConfirmDialogs confirm;
        WhenShown([](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLabel*>("lblLine1")->text(), QStringLiteral("one"));
            dialog->findChild<QPushButton*>("btnSwap")->click();
        });
        QCOMPARE(confirm.ConfirmLegSwap("one", "two"), ModalResult::Retry);
        WhenShown([](QWidget* dialog) { dialog->findChild<QPushButton*>("btnCancel")->click(); });
        QCOMPARE(confirm.ConfirmTapered("ends"), ModalResult::Cancel);
        WhenShown([](QWidget* dialog) { dialog->findChild<QPushButton*>("btnContinue")->click(); });
        QCOMPARE(confirm.ConfirmTapered("ends"), ModalResult::Ok);
    }

    void busyCursorClockAndHelp() {
        QtBusyCursor busy;
        busy.Show(true);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        busy.Show(false);
        QVERIFY(!QApplication::overrideCursor());

        QtClock clock;
        const QDate today = QDate::currentDate();
        QCOMPARE(static_cast<int>(clock.Today().year()), today.year());
        QCOMPARE(static_cast<unsigned>(clock.Today().day()), static_cast<unsigned>(today.day()));

        testing::TempFolder folder;
        const std::string help = folder.Write("Pelmora38.hlp", "<h1 id=\"topic1\">Welcome</h1>");
        QtHelpViewer viewer;
        viewer.ShowHelp(help, 1);
        auto* browser = qobject_cast<QTextBrowser*>([] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* found = window->findChild<QTextBrowser*>("helpBrowser"))
                    return static_cast<QWidget*>(found);
            return static_cast<QWidget*>(nullptr);
        }());
        QVERIFY(browser && browser->isVisible());
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Welcome")));
    }

    // The Qt printer is made at its first use, whichever use comes first.
    void printerPagesAreMeasuredBeforeAnyJob() {
        ModulePrinter measured;
        QVERIFY(measured.PageWidth() > 0);
        ModulePrinter drawn;
        QVERIFY(drawn.OffscreenPage() != nullptr);
        QCOMPARE(drawn.PageWidth(), measured.PageWidth());
    }

    // Each job printed to a file is offered a name of its own in the documents
    // folder, never the file of the job before.
    void everyPrintJobOffersAFreshFileName() {
        testing::TempFolder home;
        std::filesystem::create_directories(home.Path() + "Documents");
        qputenv("HOME", QByteArray::fromStdString(home.Path()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Path() + ".config"));
        const QString documents = QString::fromStdString(home.Path() + "Documents/");
        ModulePrinter printer;
        QString offered;
        auto readName = [&offered](QWidget* dialog) {
            auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            QVERIFY(file);
            offered = file->text();
            qobject_cast<QDialog*>(dialog)->reject();
        };
        WhenShown(readName);
        QVERIFY(!printer.AskPrint("Pelmora Order"));
        QCOMPARE(offered, documents + "Pelmora Order.pdf");
        WhenShown(readName);
        QVERIFY(!printer.AskPrint("R090PC0120/USG"));
        QCOMPARE(offered, documents + "R090PC0120_USG.pdf");

        // Printing into a file that exists asks first; No leaves it alone.
        const std::string existing = home.Write("Documents/Pelmora Order.pdf", "keep");
        QString asked;
        WhenShown([&asked](QWidget* dialog) {
            QTimer::singleShot(0, [&asked] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                asked = box->text();
                Click(box, QStringLiteral("No"));
                QTimer::singleShot(
                    0, [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
            });
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QVERIFY(buttons);
            buttons->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(!printer.AskPrint("Pelmora Order"));
        QVERIFY(asked.contains(QStringLiteral("already exists")));
        QCOMPARE(home.Read("Documents/Pelmora Order.pdf"), std::string("keep"));
    }
};

QTEST_MAIN(SeamAdaptersTest)
#include "SeamAdaptersTest.moc"
