#include "TfrmMain.h"

#include "QtMessageBoxes.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace pelmora;

class TfrmMainTest : public QObject {
    Q_OBJECT

private:
    struct Fixture {
        Fixture() {
            folder.Write("Data/Family.tbl",
                         "L|Type\r\nC|Waveguide to Coax\r\nD|90\xB0 Rigid Twist\r\n");
            folder.Write("Data/Flange.tbl", "C|W\r\nU|090|UG Cover|UG-39/U|u.gif\r\n");
            folder.Write("Data/Dimensions.tbl", "F|W\r\n");
            folder.Write("Pelmora38.hlp", "help");
            folder.Write("Pelmora.ini", "[UNITS]\r\ntype=M\r\n");
            app.SetFolders(folder.Path());
            form.FormCreate();
        }
        testing::TempFolder folder;
        AppState app;
        testing::FakePlatform platform;
        testing::FakeMessageBoxes& messages = platform.Messages;
        MainForm form{app, platform.Seams};
    };

    static QAction* MenuAction(QMainWindow& window, const QString& menu, const QString& item) {
        for (QAction* top : window.menuBar()->actions()) {
            if (top->text() != menu)
                continue;
            for (QAction* action : top->menu()->actions()) {
                if (action->text() == item)
                    return action;
            }
        }
        return nullptr;
    }

    static QStringList MenuTexts(QMainWindow& window, const QString& menu) {
        QStringList texts;
        for (QAction* top : window.menuBar()->actions()) {
            if (top->text() == menu) {
                for (QAction* action : top->menu()->actions())
                    texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
        }
        return texts;
    }

private slots:
    void buildsWithCaptionSizeMenusAndProductTypes() {
        Fixture f;
        TfrmMain window(f.form, f.messages);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Corvane Pelmora 38"));
        QCOMPARE(window.centralWidget()->size(), QSize(601, 436));

        QStringList menus;
        for (QAction* top : window.menuBar()->actions())
            menus << top->text();
        QCOMPARE(menus, (QStringList{"&File", "&Options", "&Units", "&Help"}));
        QCOMPARE(MenuTexts(window, "&File"), (QStringList{"&Open Order...", "E&xit"}));
        QCOMPARE(MenuTexts(window, "&Options"),
                 (QStringList{"&Convert From Old Part Number", "C&reate From Part Number", "-",
                              "Reset &Settings", "-", "&View Order", "-",
                              "&Update Pelmora (LiveUpdate)"}));
        QCOMPARE(MenuTexts(window, "&Units"), (QStringList{"&Imperial", "&Metric"}));
        QCOMPARE(MenuTexts(window, "&Help"), (QStringList{"&Help", "-", "&About"}));
        QVERIFY(MenuAction(window, "&Help", "&Help")->isEnabled());
        MenuAction(window, "&Help", "&Help")->trigger();
        QCOMPARE(f.platform.Help.Shown.size(), size_t(1));
        QVERIFY(MenuAction(window, "&Units", "&Metric")->isChecked());
        QVERIFY(!MenuAction(window, "&Units", "&Imperial")->isChecked());

        auto* productTypes = window.findChild<QComboBox*>("cbxProductType");
        QVERIFY(productTypes);
        QCOMPARE(productTypes->count(), 2);
        QCOMPARE(productTypes->currentIndex(), -1);
        QCOMPARE(productTypes->model()->index(1, 1).data().toString(),
                 QString::fromUtf8("90\u00b0 Rigid Twist"));
        QCOMPARE(window.findChild<QLabel*>("lblScreenCaption")->text(),
                 QStringLiteral("Wizard - Screen 1 of 2"));
    }

    // The second screen is built once the window has been painted or as soon as the
    // form shows it, whichever comes first, and then shows the form's state.
    void secondScreenIsBuiltWhenPaintedOrShown_data() {
        QTest::addColumn<bool>("painted");
        QTest::addColumn<bool>("onScreenTwo");
        QTest::addColumn<bool>("built");
        QTest::newRow("painted on screen 1") << true << false << true;
        QTest::newRow("not painted, on screen 2") << false << true << true;
        QTest::newRow("painted on screen 2") << true << true << true;
        QTest::newRow("neither") << false << false << false;
    }
    void secondScreenIsBuiltWhenPaintedOrShown() {
        QFETCH(bool, painted);
        QFETCH(bool, onScreenTwo);
        QFETCH(bool, built);
        Fixture f;
        TfrmMain window(f.form, f.messages);
        f.form.txtPartNumber = "R090PC0120UYG";
        if (painted) {
            window.show();
            QTRY_VERIFY(window.findChild<QLineEdit*>("txtPartNumber"));
        }
        if (onScreenTwo) {
            f.form.ActivePage = MainForm::ScreenTwo;
            window.Refresh();
        }
        auto* partNumber = window.findChild<QLineEdit*>("txtPartNumber");
        QCOMPARE(partNumber != nullptr, built);
        if (partNumber)
            QCOMPARE(partNumber->text(), QStringLiteral("R090PC0120UYG"));
        QCOMPARE(window.findChild<QPushButton*>("btnFinish") != nullptr, built);
        QCOMPARE(window.findChild<QWidget*>("pgScreenTwo") &&
                     window.findChild<QWidget*>("pgScreenTwo")->isVisible(),
                 built && onScreenTwo && painted);
    }

    void unitsCommandsReachTheFormAndResetLeavesThemAlone() {
        Fixture f;
        TfrmMain window(f.form, f.messages);
        MenuAction(window, "&Units", "&Imperial")->trigger();
        QVERIFY(f.app.ImperialUnits);
        QVERIFY(MenuAction(window, "&Units", "&Imperial")->isChecked());
        QVERIFY(!MenuAction(window, "&Units", "&Metric")->isChecked());

        auto* productTypes = window.findChild<QComboBox*>("cbxProductType");
        f.form.cbxProductType.ItemIndex = 1;
        window.Refresh();
        QCOMPARE(productTypes->currentIndex(), 1);
        MenuAction(window, "&Options", "Reset &Settings")->trigger();
        QCOMPARE(productTypes->currentIndex(), -1);
        QCOMPARE(productTypes->count(), 2);
        QVERIFY(f.app.ImperialUnits);
        QVERIFY(MenuAction(window, "&Units", "&Imperial")->isChecked());
    }

    void drivesOneCompleteConfiguration() {
        testing::TempFolder folder;
        testing::WriteTestCatalogue(folder);
        AppState app;
        app.SetFolders(folder.Path());
        testing::FakePlatform platform;
        MainForm form{app, platform.Seams};
        form.FormCreate();
        TfrmMain window(form, platform.Messages);
        window.show();

        auto pick = [&](const char* name, int index) {
            auto* box = window.findChild<QComboBox*>(name);
            QVERIFY2(box, name);
            QVERIFY2(index < box->count(), name);
            emit box->activated(index);
        };
        pick("cbxProductType", pfStraightSection);
        QCOMPARE(window.findChild<QComboBox*>("cbxWaveguide")->count(), 4);
        pick("cbxWaveguide", 0);
        pick("cbxFlangeA", 2);
        pick("cbxFlangeB", 0);
        QCOMPARE(window.findChild<QComboBox*>("cbxLength")->currentText(), QStringLiteral("12.0"));
        QVERIFY(window.findChild<QCheckBox*>("chkFlangeAdaptor")->isVisible());

        window.findChild<QPushButton*>("btnNext")->click();
        QCOMPARE(window.findChild<QLabel*>("lblScreenCaption")->text(),
                 QStringLiteral("Wizard - Screen 2 of 2"));
        auto* wide = window.findChild<QRadioButton*>("band0");
        QVERIFY(wide && wide->isChecked());
        window.findChild<QRadioButton*>("band2")->click();
        QVERIFY(window.findChild<QRadioButton*>("band2")->isChecked());
        window.findChild<QPushButton*>("btnCreate")->click();
        QCOMPARE(window.findChild<QLineEdit*>("txtPartNumber")->text(),
                 QStringLiteral("R090PC0120UYG"));
        QVERIFY(window.findChild<QPushButton*>("btnAddOrder")->isEnabled());
        auto* grid = window.findChild<QTableWidget*>("grdSpecs");
        QCOMPARE(grid->item(5, 1)->text(), QStringLiteral("0120"));
        QCOMPARE(grid->item(7, 3)->text(), QStringLiteral("9.00 - 10.00 GHz / VSWR: 1.04:1"));

        pick("cbxFinish", 1);
        QCOMPARE(window.findChild<QLineEdit*>("txtPartNumber")->text(), QString());
        QVERIFY(!window.findChild<QPushButton*>("btnAddOrder")->isEnabled());
        QVERIFY(platform.Messages.Log.empty());
    }

    // The close box, Exit and Finish all ask before a changed order is lost.
    void closingAChangedOrderAsksFirst() {
        Fixture f;
        TfrmMain window(f.form, f.messages);
        window.show();
        f.form.OrderLines.Lines = {"1|$1.00|Stock|R090PC0120USG|d"};
        f.form.Journal.Record(f.form.OrderLines, f.messages);
        f.messages.ThreeWayAnswers = {Answer::Cancel, Answer::No};
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(f.messages.Log.back().Text,
                 std::string("Save changes to the order before closing?"));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(f.folder.Path() + "pelmora38.lom")));
        MenuAction(window, "&File", "E&xit")->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(QFileInfo::exists(QString::fromStdString(f.folder.Path() + "pelmora38.lom")));
    }

    void closingWritesTheSettingsOnce() {
        Fixture f;
        {
            TfrmMain window(f.form, f.messages);
            window.show();
            MenuAction(window, "&File", "E&xit")->trigger();
            QVERIFY(!window.isVisible());
        }
        QCOMPARE(QString::fromStdString(f.folder.Read("Pelmora.ini")),
                 QStringLiteral("[UNITS]\r\ntype=M\r\n"));
        QVERIFY(f.messages.Log.empty());
    }
};

QTEST_MAIN(TfrmMainTest)
#include "TfrmMainTest.moc"
