#pragma once

#include "platform/Internet.h"

#include <QNetworkAccessManager>

namespace pelmora {

// Downloads with Qt Network, waiting in a local event loop so that the windows
// still repaint; opens files and addresses through the desktop.
class QtInternet : public Internet {
public:
    bool Download(const std::string& url, const std::string& targetPath) override;
    bool Open(const std::string& fileOrAddress) override;

private:
    QNetworkAccessManager network_;
};

} // namespace pelmora
