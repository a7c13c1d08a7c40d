#pragma once

#include <string>

namespace pelmora {

// The download half of Internet: saves the body at the URL into the file; true
// only when all of it arrived with a success status and was written. A failure
// leaves no partial file.
class Downloader {
public:
    virtual ~Downloader() = default;
    virtual bool Download(const std::string& url, const std::string& targetPath) = 0;
};

} // namespace pelmora
