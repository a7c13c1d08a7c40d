// The about box over the real desktop services: on the offscreen platform no
// browser can be started, as on a machine without one.
#include "QtInternet.h"
#include "QtMessageBoxes.h"
#include "TfrmUpdateDialogs.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "update/UpdateForms.h"

#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace pelmora;

class TfrmAboutTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() {
            // A logo on white with a white hole inside, like the counter of an "O".
            QImage logo(40, 20, QImage::Format_RGB32);
            logo.fill(Qt::white);
            QPainter painter(&logo);
            painter.fillRect(10, 4, 20, 12, QColor(0, 0, 128));
            painter.fillRect(18, 8, 4, 4, Qt::white);
            painter.end();
            std::filesystem::create_directories(folder.Path() + "Images");
            logo.save(QString::fromStdString(folder.Path() + "Images/corvane.bmp"), "BMP");
            app.SetFolders(folder.Path());
        }
        testing::TempFolder folder;
        AppState app;
        testing::FakePlatform fakes;
        QtMessageBoxes messages;
        QtInternet internet;
        Platform platform{messages,   fakes.Help,  fakes.Confirm, fakes.Windows, fakes.Files,
                          fakes.Busy, fakes.Print, fakes.Time,    internet};
    };

private slots:
    void anAddressNoBrowserOpensIsReportedAndCanBeCopied() {
        Fixture f;
        AboutForm form(f.app, f.platform);
        TfrmAbout dialog(form, f.messages);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.focusWidget(), dialog.findChild<QPushButton*>("btnOK"));
        auto* address = dialog.findChild<QLabel*>("lblWebAddress");
        QVERIFY(address);

        QString told;
        QTimer::singleShot(0, [&told] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            told = box->text();
            box->accept();
        });
        QTest::mouseClick(address, Qt::LeftButton, {}, QPoint(8, address->height() / 2));
        QCOMPARE(told, QStringLiteral("The web address https://www.corvane.com could not be "
                                      "opened in a web browser.\nPlease copy it from the About "
                                      "box into your browser."));

        address->setFocus();
        QTest::keyClick(address, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(address, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("www.corvane.com"));
    }

    void theLogosWhiteShowsTheDialogsBackground() {
        Fixture f;
        AboutForm form(f.app, f.platform);
        TfrmAbout dialog(form, f.messages);
        dialog.show();
        auto* logo = dialog.findChild<QLabel*>("imgPicture");
        QVERIFY(logo);
        QCOMPARE(logo->size(), QSize(40, 20));
        const QImage shown = dialog.grab().toImage();
        const QColor background = dialog.palette().color(QPalette::Window);
        const QPoint origin = logo->pos();
        QCOMPARE(shown.pixelColor(origin + QPoint(1, 1)), background);
        QCOMPARE(shown.pixelColor(origin + QPoint(19, 9)), background);
        QCOMPARE(shown.pixelColor(origin + QPoint(12, 6)), QColor(0, 0, 128));
    }
};

QTEST_MAIN(TfrmAboutTest)
#include "TfrmAboutTest.moc"
