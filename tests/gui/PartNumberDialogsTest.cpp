#include "GuiPlatform.h"
#include "Program.h"
#include "WhenShown.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TestCatalogue.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace pelmora;
using testing::WhenShown;

class PartNumberDialogsTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() {
            testing::WriteTestCatalogue(folder);
            testing::WriteTable(folder, "Conversion.tbl",
                                "Old|New|Comment\nOLD-1|h090pu030u030sg|H bend");
            app.SetFolders(folder.Path());
        }
        testing::TempFolder folder;
        AppState app;
        testing::GuiPlatform platform;
        testing::FakeMessageBoxes& messages = platform.Fakes.Messages;
        testing::FakeBusyCursor& busy = platform.Fakes.Busy;
    };

    static void Trigger(QMainWindow& window, const QString& item) {
        for (QAction* top : window.menuBar()->actions()) {
            for (QAction* action : top->menu()->actions()) {
                if (action->text() == item)
                    return action->trigger();
            }
        }
        QFAIL("no such menu item");
    }

private slots:
    void quickBuilderSetsTheWizardFromATypedPartNumber() {
        Fixture f;
        {
            Program program(f.app, f.platform.Seams, f.platform.Windows);
            program.MainWindow.show();
            WhenShown([](QWidget* dialog) {
                QVERIFY(dialog && dialog->objectName() == QStringLiteral("frmCreate"));
                QTest::keyClicks(dialog->findChild<QComboBox*>("cbxPartNumber")->lineEdit(),
                                 QStringLiteral(" e090pc060k090sg"));
                dialog->findChild<QPushButton*>("btnCreate")->click();
            });
            Trigger(program.MainWindow, QStringLiteral("C&reate From Part Number"));
            QCOMPARE(program.MainWindow.findChild<QComboBox*>("cbxProductType")->currentIndex(),
                     int(pfEBend));
            QCOMPARE(program.MainWindow.findChild<QComboBox*>("cbxLegBLength")->currentText(),
                     QStringLiteral("9.0"));
            QCOMPARE(f.busy.Shown, (std::vector<bool>{true, false}));
        }
        QCOMPARE(QString::fromStdString(f.folder.Read("Data/Parts.hst")),
                 QStringLiteral("E090PC060K090SG\r\n"));
    }

    void conversionContinuesIntoTheWizard() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        WhenShown([](QWidget* dialog) {
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("frmConvert"));
            auto* proceed = dialog->findChild<QPushButton*>("btnContinue");
            QVERIFY(!proceed->isEnabled());
            QTest::keyClicks(dialog->findChild<QComboBox*>("cbxOldPartNumber")->lineEdit(),
                             QStringLiteral("old-1"));
            dialog->findChild<QPushButton*>("btnConvert")->click();
            QCOMPARE(dialog->findChild<QLineEdit*>("txtNewPartNumber")->text(),
                     QStringLiteral("H090PU030U030SG"));
            QVERIFY(proceed->isEnabled());
            proceed->click();
        });
        Trigger(program.MainWindow, QStringLiteral("&Convert From Old Part Number"));
        QCOMPARE(program.MainWindow.findChild<QComboBox*>("cbxProductType")->currentIndex(),
                 int(pfHBend));
        QVERIFY(f.messages.Log.empty());
    }
};

QTEST_MAIN(PartNumberDialogsTest)
#include "PartNumberDialogsTest.moc"
