#pragma once

#include "platform/Internet.h"

#include <memory>

class QNetworkAccessManager;

namespace pelmora {

// Downloads with Qt Network, waiting in a local event loop so that the windows
// still repaint; opens files and addresses through the desktop. The network
// manager is made at the first download: making one loads Qt's network plugins,
// which the window's start should not wait for.
class QtInternet : public Internet {
public:
    QtInternet();
    ~QtInternet() override;

    bool Download(const std::string& url, const std::string& targetPath) override;
    bool Open(const std::string& fileOrAddress) override;

private:
    std::unique_ptr<QNetworkAccessManager> network_;
};

} // namespace pelmora
