// What the main window shows beside and above its lists, driven with the mouse as
// a user drives it.
#include "Look.h"
#include "TfrmMain.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>
#include <filesystem>
#include <memory>

using namespace pelmora;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

    // The window over the test catalogue, or over a copy of the shipped one.
    struct Fixture {
        explicit Fixture(const std::string& shipped = {}) {
            if (shipped.empty())
                testing::WriteTestCatalogue(folder);
            else
                std::filesystem::copy(shipped, folder.Path(),
                                      std::filesystem::copy_options::recursive);
            app.SetFolders(folder.Path());
            form.FormCreate();
            window = std::make_unique<TfrmMain>(form, platform.Messages);
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        testing::TempFolder folder;
        AppState app;
        testing::FakePlatform platform;
        MainForm form{app, platform.Seams};
        std::unique_ptr<TfrmMain> window;

        QComboBox* Box(const char* name) const { return window->findChild<QComboBox*>(name); }
    };

    // Every band text the catalogue can show: each of its ranges with each VSWR.
    static QStringList CatalogueBands(const QString& data) {
        auto column = [&data](const char* table, int field) {
            QFile file(data + QString::fromLatin1(table));
            if (!file.open(QIODevice::ReadOnly))
                return QStringList();
            QStringList values;
            const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
            for (const QString& line : lines.mid(1)) {
                const QStringList fields = line.trimmed().split(QLatin1Char('|'));
                if (fields.size() > field)
                    values << fields[field];
            }
            values.removeDuplicates();
            return values;
        };
        const QStringList ranges = column("Frequency.tbl", 2) + column("StepTwist.tbl", 2);
        const QStringList vswrs = column("WGVSWR.tbl", 3) + column("CoaxVSWR.tbl", 3) +
                                  column("FlexVSWR.tbl", 3) + column("PressureWindows.tbl", 4) +
                                  column("StepTwist.tbl", 3);
        QStringList bands;
        for (const QString& range : ranges) {
            for (const QString& vswr : vswrs)
                bands << range + QStringLiteral(" / VSWR: ") + vswr;
        }
        return bands;
    }

    // Opens the box's list with a click on its arrow, scrolls to the entry and
    // clicks it; false when the list did not open or close or the entry was not
    // chosen.
    [[nodiscard]] static bool ClickEntry(QComboBox* box, int row) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2));
        QAbstractItemView* list = box->view();
        if (!QTest::qWaitFor([list] { return list->isVisible(); }))
            return false;
        const QModelIndex entry = list->model()->index(row, box->modelColumn());
        list->scrollTo(entry);
        // The list takes a click only once the mouse has moved off the press that
        // opened it.
        const QPoint centre = list->visualRect(entry).center();
        QTest::mouseMove(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        return QTest::qWaitFor([list] { return !list->isVisible(); }) && box->currentIndex() == row;
    }

private slots:
    // Widths are checked against the font and style the program runs with.
    void initTestCase() { ApplyLook(*qApp); }

    void presetLengthShowsItsUnitOnlyBesideANumber() {
        Fixture f;
        QVERIFY(ClickEntry(f.Box("cbxProductType"), pfRigidTwist));
        QVERIFY(ClickEntry(f.Box("cbxWaveguide"), 0));
        auto* preset = f.window->findChild<QLineEdit*>("txtPresetLength");
        auto* unit = f.window->findChild<QLabel*>("lblPresetLengthUnit");
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

    // Nothing in the grid of screen 2 is cut, the longest band of the shipped
    // catalogue included; a cell tells its text on hover, and the grid lies inside
    // the window with its frame drawn on all four sides.
    void descriptionGridShowsTheLongestBandWholeAndFramed() {
        Fixture f(PELMORA_SHIPPED_DIR);
        QVERIFY(ClickEntry(f.Box("cbxProductType"), pfStraightSection));
        QVERIFY(ClickEntry(f.Box("cbxWaveguide"), f.Box("cbxWaveguide")->findText("WR10")));
        QVERIFY(ClickEntry(f.Box("cbxFlangeA"), 0));
        QVERIFY(ClickEntry(f.Box("cbxFlangeB"), 0));
        QVERIFY(ClickEntry(f.Box("cbxLength"), 0));
        QTest::mouseClick(f.window->findChild<QPushButton*>("btnNext"), Qt::LeftButton);
        auto* grid = f.window->findChild<QTableWidget*>("grdSpecs");
        QVERIFY(grid && grid->isVisible());
        const QList<QTableWidgetItem*> rows = grid->findItems("Frequency", Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        const QTableWidgetItem* band = grid->item(rows[0]->row(), 3);
        QCOMPARE(band->text(), QStringLiteral("75.00 - 110.00 GHz / VSWR: 1.05:1"));

        QFont bold = grid->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const QString data = QStringLiteral(PELMORA_SHIPPED_DIR "Data/");
        const QStringList bands = CatalogueBands(data);
        QVERIFY(bands.size() > 100);
        for (const QString& text : bands)
            QVERIFY2(metrics.horizontalAdvance(text) + 4 <= grid->columnWidth(3), qPrintable(text));
        for (int row = 0; row < grid->rowCount(); ++row) {
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QString text = grid->item(row, column)->text();
                QVERIFY2(metrics.horizontalAdvance(text) + 4 <= grid->columnWidth(column),
                         qPrintable(text));
            }
        }

        const QPoint centre = grid->visualItemRect(band).center();
        QTest::mouseMove(grid->viewport(), centre);
        QHelpEvent hover(QEvent::ToolTip, centre, grid->viewport()->mapToGlobal(centre));
        QApplication::sendEvent(grid->viewport(), &hover);
        QTRY_COMPARE(QToolTip::text(), band->text());

        QWidget* client = f.window->centralWidget();
        const QRect placed(grid->mapTo(client, QPoint(0, 0)), grid->size());
        QVERIFY(client->rect().contains(placed));
        const QImage shown = client->grab().toImage();
        const QColor frame = shown.pixelColor(placed.center().x(), placed.top());
        QVERIFY(frame != client->palette().color(QPalette::Window));
        QVERIFY(frame != grid->palette().color(QPalette::Base));
        QCOMPARE(shown.pixelColor(placed.left(), placed.center().y()), frame);
        QCOMPARE(shown.pixelColor(placed.right(), placed.center().y()), frame);
        QCOMPARE(shown.pixelColor(placed.center().x(), placed.bottom()), frame);
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
