// What the main window shows beside and above its lists, driven with the mouse as
// a user drives it.
#include "TfrmMain.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace pelmora;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() {
            testing::WriteTestCatalogue(folder);
            app.SetFolders(folder.Path());
            form.FormCreate();
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        testing::TempFolder folder;
        AppState app;
        testing::FakePlatform platform;
        MainForm form{app, platform.Seams};
        TfrmMain window{form, platform.Messages};

        QComboBox* Box(const char* name) const { return window.findChild<QComboBox*>(name); }
    };

    // Opens the box's list with a click and clicks the entry; false when the list
    // did not open or close or the entry was not chosen.
    [[nodiscard]] static bool ClickEntry(QComboBox* box, int row) {
        QTest::mouseClick(box, Qt::LeftButton);
        QAbstractItemView* list = box->view();
        if (!QTest::qWaitFor([list] { return list->isVisible(); }))
            return false;
        const QModelIndex entry = list->model()->index(row, box->modelColumn());
        // The list takes a click only once the mouse has moved off the press that
        // opened it.
        const QPoint centre = list->visualRect(entry).center();
        QTest::mouseMove(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        return QTest::qWaitFor([list] { return !list->isVisible(); }) && box->currentIndex() == row;
    }

private slots:
    void presetLengthShowsItsUnitOnlyBesideANumber() {
        Fixture f;
        QVERIFY(ClickEntry(f.Box("cbxProductType"), pfRigidTwist));
        QVERIFY(ClickEntry(f.Box("cbxWaveguide"), 0));
        auto* preset = f.window.findChild<QLineEdit*>("txtPresetLength");
        auto* unit = f.window.findChild<QLabel*>("lblPresetLengthUnit");
        QVERIFY(preset && preset->isVisible() && unit);
        QCOMPARE(preset->text(), QStringLiteral("3.0"));
        QCOMPARE(unit->text(), QStringLiteral("inches"));

        QVERIFY(ClickEntry(f.Box("cbxProductType"), pfPressureWindow));
        QVERIFY(ClickEntry(f.Box("cbxWaveguide"), 0));
        QCOMPARE(preset->text(), QStringLiteral("N/A"));
        QCOMPARE(unit->text(), QString());

        QVERIFY(ClickEntry(f.Box("cbxProductType"), pfTaperedTransition));
        QCOMPARE(preset->text(), QString());
        QCOMPARE(unit->text(), QString());
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
