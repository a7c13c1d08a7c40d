#include "GuiPlatform.h"
#include "ModulePrinter.h"
#include "Program.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TestCatalogue.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using namespace pelmora;

class PrintingTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() {
            testing::WriteTestCatalogue(folder);
            app.SetFolders(folder.Path());
        }
        testing::TempFolder folder;
        AppState app;
        testing::FakePlatform fakes;
        ModulePrinter printer;
        Platform platform{fakes.Messages, fakes.Help, fakes.Confirm, fakes.Windows, fakes.Files,
                          fakes.Busy,     printer,    fakes.Time,    fakes.Net};
    };

    static int PdfPages(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QString text = QString::fromLatin1(file.readAll());
        return static_cast<int>(
            text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }

private slots:
    void previewOpensAtTwoZooms() {
        Fixture f;
        testing::GuiPlatform gui;
        Program program(f.app, gui.Seams, gui.Windows);
        MainForm& form = program.Main;
        form.PickProductType(pfStraightSection);
        form.PickWaveguide(0);
        form.PickFlangeA(0);
        form.PickFlangeB(1);
        form.btnCreateClick();
        program.MainWindow.Refresh();
        // The second screen is there once the window has been painted.
        program.MainWindow.show();
        QTRY_VERIFY(program.MainWindow.findChild<QPushButton*>("btnViewSpecs"));
        QTimer::singleShot(0, [] {
            QWidget* preview = QApplication::activeModalWidget();
            QVERIFY(preview && preview->objectName() == QStringLiteral("frmPreview"));
            QCOMPARE(preview->windowTitle(), QStringLiteral("Preview Part Number: R090PC0120KSG"));
            auto* page = preview->findChild<QLabel*>("pnlImagePanel");
            QCOMPARE(page->size(), QSize(340, 440));
            QImage image = page->pixmap().toImage();
            QVERIFY(image.pixelColor(60, 20) != QColor(Qt::white)); // the title
            emit preview->findChild<QComboBox*>("cbxPercent")->activated(9);
            QCOMPARE(page->size(), QSize(935, 1210));
            preview->findChild<QPushButton*>("btnSize")->click();
            QCOMPARE(page->size(), QSize(722, 935));
            preview->findChild<QPushButton*>("btnClose")->click();
        });
        program.MainWindow.findChild<QPushButton*>("btnViewSpecs")->click();
        QCOMPARE(program.Preview.cbxPercentIndex, 6);
    }

    void pdfPagesMatchThePrintedLayout() {
        Fixture f;
        const QString orderPdf = QString::fromStdString(f.folder.Path() + "order.pdf");
        f.printer.PrintToPdf(orderPdf);
        AddOrderForm addOrder(f.app, f.platform);
        OrderForm order(f.app, f.platform, addOrder, [](const std::string&) {});
        TTxtTable lines;
        for (int i = 0; i < 11; ++i)
            lines.Lines.push_back("1|$1.00|Stock|R090PC0120USG" + std::to_string(i) +
                                  "|Straight Section, WR90, 90\xB0");
        f.fakes.Windows.Order = [&] { order.btnPrintClick(); };
        order.ShowOrder(lines);
        QCOMPARE(PdfPages(orderPdf), 2);

        const QString sheetPdf = QString::fromStdString(f.folder.Path() + "sheet.pdf");
        f.printer.PrintToPdf(sheetPdf);
        PreviewForm preview(f.app, f.platform);
        preview.Header = {"cpr.gif", "r_dwg.gif", "missing.gif", "R090PC0120USG"};
        preview.btnPrintClick();
        QCOMPARE(PdfPages(sheetPdf), 1);
        QVERIFY(f.fakes.Messages.Log.empty());
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
