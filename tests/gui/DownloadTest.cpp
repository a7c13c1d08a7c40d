// The installer download with Qt Network against a small HTTP server on the
// loopback address. No other address is ever used.
#include "QtInternet.h"
#include "catalogue/AppState.h"
#include "catalogue/IniFile.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "update/UpdateForms.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace pelmora;

namespace {

const QByteArray Installer = QByteArray(50000, 'x') + "end of installer";

// Answers each request by its path: /ok the installer, /missing 404, /drop the
// headers of the whole installer but only a part of it before hanging up.
class TinyServer : public QTcpServer {
public:
    TinyServer() {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                const QByteArray request = socket->readAll();
                const QByteArray length = QByteArray::number(Installer.size());
                if (request.startsWith("GET /ok ")) {
                    socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + length +
                                  "\r\nConnection: close\r\n\r\n" + Installer);
                } else if (request.startsWith("GET /drop ")) {
                    socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + length +
                                  "\r\nConnection: close\r\n\r\n" + Installer.left(100));
                } else {
                    socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n"
                                  "Connection: close\r\n\r\nnot found");
                }
                socket->flush();
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        });
    }
    std::string Url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(serverPort()) + path;
    }
};

} // namespace

class DownloadTest : public QObject {
    Q_OBJECT

private slots:
    void successWritesTheWholeBody() {
        TinyServer server;
        testing::TempFolder folder;
        QtInternet internet;
        QVERIFY(internet.Download(server.Url("/ok"), folder.Path() + "pelmora.exe"));
        QCOMPARE(QByteArray::fromStdString(folder.Read("pelmora.exe")), Installer);
    }

    void failuresLeaveTheOldFileAndSaySoAndStillReschedule() {
        TinyServer server;
        testing::TempFolder folder;
        testing::FakePlatform fakes;
        QtInternet internet;
        Platform platform{fakes.Messages, fakes.Help,  fakes.Confirm, fakes.Windows, fakes.Files,
                          fakes.Busy,     fakes.Print, fakes.Time,    internet};
        AppState app;
        for (const auto& [url, folderName] :
             {std::pair{server.Url("/missing"), std::string()},
              {server.Url("/drop"), std::string()},
              {server.Url("/ok"), std::string("no-such-folder/")}}) {
            app.SetFolders(folder.Path() + folderName);
            app.UpdateUrl = url;
            folder.Write("pelmora.exe", "old installer");
            folder.Write("update.ini", "[UPDATE]\r\ndays=20\r\n");
            fakes.Messages.Log.clear();
            QuickUpdateForm(app, platform, "").btnUpdateClick();
            // Where the target cannot be written, neither can the reminder date beside it.
            QCOMPARE(fakes.Messages.Log.size(), folderName.empty() ? size_t(1) : size_t(2));
            QCOMPARE(QString::fromStdString(fakes.Messages.Log.front().Text),
                     QStringLiteral("Unable to dowload files. Please make sure you have an active "
                                    "Internet connection."));
            QCOMPARE(QString::fromStdString(folder.Read("pelmora.exe")),
                     QStringLiteral("old installer"));
            if (folderName.empty())
                QCOMPARE(
                    QString::fromStdString(
                        TIniFile(folder.Path() + "update.ini").ReadString("UPDATE", "date", "")),
                    QStringLiteral("2026-12-27"));
        }
    }
};

QTEST_MAIN(DownloadTest)
#include "DownloadTest.moc"
