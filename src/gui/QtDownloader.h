#pragma once

#include "Downloader.h"

#include <memory>

class QNetworkAccessManager;

namespace pelmora {

// Downloads with Qt Network, waiting in a local event loop so that the windows
// still repaint.
class QtDownloader : public Downloader {
public:
    QtDownloader();
    ~QtDownloader() override;

    bool Download(const std::string& url, const std::string& targetPath) override;

private:
    std::unique_ptr<QNetworkAccessManager> network_;
};

} // namespace pelmora
