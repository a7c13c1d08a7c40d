#pragma once

#include "Downloader.h"
#include "platform/Internet.h"

#include <memory>

namespace pelmora {

// Downloads through the download module (see Modules.h), loaded at the first
// download; opens files and addresses through the desktop.
class QtInternet : public Internet {
public:
    QtInternet();
    ~QtInternet() override;

    bool Download(const std::string& url, const std::string& targetPath) override;
    bool Open(const std::string& fileOrAddress) override;

private:
    std::unique_ptr<Downloader> downloader_;
};

} // namespace pelmora
