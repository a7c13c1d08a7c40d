#include "QtDownloader.h"

#include "Text1252Qt.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QUrl>

namespace pelmora {

QtDownloader::QtDownloader() : network_(std::make_unique<QNetworkAccessManager>()) {}

QtDownloader::~QtDownloader() = default;

bool QtDownloader::Download(const std::string& url, const std::string& targetPath) {
    QNetworkRequest request{QUrl(FromCore(url))};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_->get(request);
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);

    const QByteArray body = reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant expected = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool complete = reply->error() == QNetworkReply::NoError && status >= 200 &&
                          status < 300 &&
                          (!expected.isValid() || expected.toLongLong() == body.size());
    reply->deleteLater();
    if (!complete)
        return false;
    // Written beside the target and renamed over it only when all of it is on disk.
    QSaveFile file(FromCore(targetPath));
    return file.open(QIODevice::WriteOnly) && file.write(body) == body.size() && file.commit();
}

} // namespace pelmora
