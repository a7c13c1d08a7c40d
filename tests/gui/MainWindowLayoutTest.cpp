// What the main window shows beside and above its lists, driven with the mouse as
// a user drives it.
#include "TfrmMain.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
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

    // Over the narrow columns of most families and the wide ones of tapers, each
    // header shown starts where its column of the open list starts and is as wide.
    void waveguideHeadersStandOverTheColumnsOfTheOpenList() {
        Fixture f;
        auto* box = f.Box("cbxWaveguide");
        const QStringList names{" Code", " WR", " US Military", " British", " IEC"};
        const struct {
            int family;
            int headers;
        } families[] = {{pfStraightSection, 5}, {pfTaperedTransition, 3}};
        for (const auto& [family, headers] : families) {
            QVERIFY(ClickEntry(f.Box("cbxProductType"), family));
            QTest::mouseClick(box, Qt::LeftButton);
            auto* list = qobject_cast<QTreeView*>(box->view());
            QTRY_VERIFY(list && list->isVisible());

            QList<QLabel*> shown;
            for (const QString& name : names) {
                for (auto* label : box->parentWidget()->findChildren<QLabel*>()) {
                    if (label->text() == name && label->isVisible())
                        shown << label;
                }
            }
            QCOMPARE(shown.size(), headers);
            const int boxRight = box->mapToGlobal(QPoint(box->width(), 0)).x();
            const int offset = list->viewport()->mapToGlobal(QPoint(0, 0)).x() -
                               box->mapToGlobal(QPoint(0, 0)).x();
            QVERIFY(offset >= 0 && offset <= 2);
            for (int column = 0; column < shown.size(); ++column) {
                QLabel* header = shown[column];
                QCOMPARE(header->text(), names[column]);
                const int headerLeft = header->mapToGlobal(QPoint(0, 0)).x();
                const int columnLeft =
                    list->viewport()
                        ->mapToGlobal(QPoint(list->header()->sectionViewportPosition(column), 0))
                        .x();
                QCOMPARE(headerLeft + offset, columnLeft);
                QVERIFY(headerLeft + header->width() <= boxRight);
                if (column + 1 < list->header()->count())
                    QCOMPARE(header->width(), list->columnWidth(column));
            }
            QTest::keyClick(list, Qt::Key_Escape);
            QTRY_VERIFY(!list->isVisible());
        }
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
