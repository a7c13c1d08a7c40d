#include "QtInternet.h"

#include "Modules.h"
#include "Text1252Qt.h"

#include <QDesktopServices>
#include <QUrl>

namespace pelmora {

QtInternet::QtInternet() = default;

QtInternet::~QtInternet() = default;

bool QtInternet::Download(const std::string& url, const std::string& targetPath) {
    if (!downloader_)
        downloader_ = MadeByModule<Downloader>("pelmora38-download", "pelmora_new_downloader");
    return downloader_->Download(url, targetPath);
}

bool QtInternet::Open(const std::string& fileOrAddress) {
    const QString target = FromCore(fileOrAddress);
    const QUrl url =
        target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

} // namespace pelmora
