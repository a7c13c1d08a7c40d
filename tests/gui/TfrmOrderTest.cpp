#include "GuiPlatform.h"
#include "Program.h"
#include "WhenShown.h"
#include "catalogue/AppState.h"
#include "catalogue/TxtTable.h"
#include "order/OrderFiles.h"
#include "support/FakePlatform.h"
#include "support/TestCatalogue.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>
#include <functional>
#include <vector>

using namespace pelmora;
using testing::WhenShown;

class TfrmOrderTest : public QObject {
    Q_OBJECT

private slots:
    void addsTwoPartsAndShowsThemInTheOrderForm() {
        testing::TempFolder folder;
        testing::WriteTestCatalogue(folder);
        testing::WriteTable(folder, "StraightSectionPrice.tbl",
                            "W|Base|Foot|Paint|Delivery|Limit\n090|100.00|25.00|15.00|Stock|5");
        AppState app;
        app.SetFolders(folder.Path());
        testing::GuiPlatform platform;
        testing::FakeMessageBoxes& messages = platform.Fakes.Messages;
        Program program(app, platform.Seams, platform.Windows);
        MainForm& form = program.Main;
        TfrmMain& window = program.MainWindow;
        window.show();
        // The second screen is there once the window has been painted.
        QTRY_VERIFY(window.findChild<QPushButton*>("btnAddOrder"));

        form.PickProductType(pfStraightSection);
        form.PickWaveguide(0);
        form.PickFlangeA(0);
        form.PickFlangeB(0);
        form.btnCreateClick();
        window.Refresh();
        WhenShown([](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLineEdit*>("txtPrice")->text(), QStringLiteral("$140.00"));
            dialog->findChild<QSpinBox*>("txtQuantity")->setValue(3);
            QCOMPARE(dialog->findChild<QLineEdit*>("txtPrice")->text(), QStringLiteral("$420.00"));
            dialog->findChild<QPushButton*>("btnAdd")->click();
        });
        window.findChild<QPushButton*>("btnAddOrder")->click();

        form.PickFlangeB(1);
        form.btnCreateClick();
        window.Refresh();
        WhenShown([](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QPushButton*>("btnAdd")->text(), QStringLiteral("&Add"));
            dialog->findChild<QPushButton*>("btnAdd")->click();
        });
        window.findChild<QPushButton*>("btnAddOrder")->click();
        QCOMPARE(form.OrderLines.RowCount(), 2);

        WhenShown([](QWidget* dialog) {
            auto* grid = dialog->findChild<QTableWidget*>("grdOrder");
            QCOMPARE(grid->rowCount(), 2);
            QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("3"));
            QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("$420.00"));
            QCOMPARE(dialog->findChild<QLabel*>("lblCounter")->text(),
                     QStringLiteral("Orders - 1 of 2"));
            grid->setCurrentCell(1, 1);
            QCOMPARE(dialog->findChild<QLabel*>("lblCounter")->text(),
                     QStringLiteral("Orders - 2 of 2"));
            dialog->findChild<QPushButton*>("btnReturn")->click();
        });
        window.findChild<QPushButton*>("btnViewOrder")->click();
        QVERIFY(!program.OrderWindow().isVisible());
        QVERIFY(messages.Log.empty());
    }

    // The dialogs are made when first shown, and once: the first screen waits for
    // none of them, and each keeps its window between showings.
    void dialogsAreMadeWhenFirstShownAndKept() {
        testing::TempFolder folder;
        testing::WriteTestCatalogue(folder);
        AppState app;
        app.SetFolders(folder.Path());
        testing::GuiPlatform platform;
        Program program(app, platform.Seams, platform.Windows);
        QVERIFY(program.MainWindow.findChildren<QDialog*>().isEmpty());
        std::vector<QWidget*> shown;
        for (int showing = 0; showing < 2; ++showing) {
            WhenShown([&shown](QWidget* dialog) {
                shown.push_back(dialog);
                qobject_cast<QDialog*>(dialog)->reject();
            });
            program.Main.mnuConvertClick();
        }
        QCOMPARE(shown.size(), size_t{2});
        QCOMPARE(shown[0], shown[1]);
        QCOMPARE(shown[0], static_cast<QWidget*>(&program.ConvertWindow()));
        QCOMPARE(program.MainWindow.findChildren<QDialog*>().size(), 1);
    }

    // Undo and redo from the keyboard and the buttons, in the real window.
    void changesAreUndoneWithCtrlZAndRedoneWithCtrlY() {
        testing::TempFolder folder;
        testing::WriteTestCatalogue(folder);
        AppState app;
        app.SetFolders(folder.Path());
        testing::GuiPlatform platform;
        Program program(app, platform.Seams, platform.Windows);
        MainForm& form = program.Main;
        form.OrderLines.Lines = {"1|$1.00|Stock|R090PC0120USG|one", "2|$2.00|Stock|C090CNSG|two"};
        form.Journal.Record(form.OrderLines, platform.Fakes.Messages);
        WhenShown([&form](QWidget* dialog) {
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            auto* grid = dialog->findChild<QTableWidget*>("grdOrder");
            auto* undo = dialog->findChild<QPushButton*>("btnUndo");
            auto* redo = dialog->findChild<QPushButton*>("btnRedo");
            QVERIFY(undo->isEnabled());
            QVERIFY(!redo->isEnabled());
            dialog->findChild<QPushButton*>("btnClearOrder")->click();
            QCOMPARE(form.OrderLines.RowCount(), 0);
            QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(form.OrderLines.RowCount(), 2);
            QCOMPARE(grid->item(1, 5)->text(), QStringLiteral("two"));
            QVERIFY(redo->isEnabled());
            QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
            QCOMPARE(form.OrderLines.RowCount(), 0);
            undo->click();
            QCOMPARE(form.OrderLines.RowCount(), 2);
            QCOMPARE(dialog->findChild<QPushButton*>("btnOpen")->text(),
                     QStringLiteral("Ope&n Order..."));
            dialog->findChild<QPushButton*>("btnReturn")->click();
        });
        form.btnViewOrderClick();
    }

    // Fifteen lines need the vertical scroll bar: every column stays beside it, no
    // horizontal one appears, and every wrapped line of a description is in sight.
    void aLongOrderShowsEveryColumnAndEveryLineOfItsDescriptions() {
        testing::TempFolder folder;
        testing::WriteTestCatalogue(folder);
        AppState app;
        app.SetFolders(folder.Path());
        testing::GuiPlatform platform;
        Program program(app, platform.Seams, platform.Windows);
        MainForm& form = program.Main;
        const std::string description =
            "Straight Section, WR90, CPR Flat, Length: 12.0, UG Cover, 8.20 - 12.40 GHz / "
            "VSWR: 1.05:1, Gray, for a flange adaptor";
        for (int line = 1; line <= 15; ++line)
            form.OrderLines.Lines.push_back(std::to_string(line) +
                                            "|$264.50|Contact Corvane Rep.|R090PC0120USG|" +
                                            description);
        form.Journal.Record(form.OrderLines, platform.Fakes.Messages);
        program.MainWindow.show();
        // The second screen is there once the window has been painted.
        QTRY_VERIFY(program.MainWindow.findChild<QPushButton*>("btnViewOrder"));

        WhenShown([&description](QWidget* dialog) {
            const auto close =
                qScopeGuard([dialog] { dialog->findChild<QPushButton*>("btnReturn")->click(); });
            auto* grid = dialog->findChild<QTableWidget*>("grdOrder");
            // The rows settle once the scroll bar has taken its place.
            QTRY_VERIFY(grid->verticalScrollBar()->isVisible());
            QVERIFY(!grid->horizontalScrollBar()->isVisible());
            QTRY_COMPARE(grid->columnViewportPosition(5) + grid->columnWidth(5),
                         grid->viewport()->width());
            for (int column = 0; column < 5; ++column)
                QVERIFY(grid->columnWidth(column) > 0);

            const QFontMetrics metrics(grid->font());
            const QRect wrapped =
                metrics.boundingRect(QRect(0, 0, grid->columnWidth(5) - 4, 0), Qt::TextWordWrap,
                                     QString::fromStdString(description));
            QVERIFY(wrapped.height() >= 4 * metrics.lineSpacing());
            for (int row = 0; row < grid->rowCount(); ++row)
                QTRY_VERIFY(grid->rowHeight(row) >= wrapped.height() + 4);

            // Framed on all four sides, also below the last row in sight.
            const QImage shown = dialog->grab().toImage();
            const QRect placed = grid->geometry();
            const QColor frame = shown.pixelColor(placed.center().x(), placed.top());
            QVERIFY(frame != dialog->palette().color(QPalette::Window));
            QCOMPARE(shown.pixelColor(placed.left(), placed.center().y()), frame);
            QCOMPARE(shown.pixelColor(placed.right(), placed.center().y()), frame);
            QCOMPARE(shown.pixelColor(placed.center().x(), placed.bottom()), frame);

            QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(dialog->findChild<QLabel*>("lblCounter")->text(),
                     QStringLiteral("Orders - 15 of 15"));
            const QRect last = grid->visualRect(grid->model()->index(14, 5));
            QVERIFY(last.top() >= 0 && last.bottom() < grid->viewport()->height());
            const QRect other = grid->visualRect(grid->model()->index(13, 5));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, other.center());
            QCOMPARE(dialog->findChild<QLabel*>("lblCounter")->text(),
                     QStringLiteral("Orders - 14 of 15"));
        });
        QTest::mouseClick(program.MainWindow.findChild<QPushButton*>("btnViewOrder"),
                          Qt::LeftButton);
        QVERIFY(!program.OrderWindow().isVisible());
    }

    void xmlOrderFileIsReadByAnXmlParser() {
        testing::TempFolder folder;
        TTxtTable lines;
        lines.Lines = {"1|$5.00|R&D <fast>|R090PC0120USG|90\xB0 Twist, \"quoted\" & 'apostrophe'"};
        SaveOrderXml(lines, folder.Path() + "order.xml");
        QFile file(QString::fromStdString(folder.Path() + "order.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList texts;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
                texts << xml.text().toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(texts,
                 (QStringList{"1", "$5.00", "R&D <fast>", "R090PC0120USG",
                              QString::fromUtf8("90\u00b0 Twist, \"quoted\" & 'apostrophe'")}));
    }
};

QTEST_MAIN(TfrmOrderTest)
#include "TfrmOrderTest.moc"
