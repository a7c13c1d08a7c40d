#pragma once

#include <string>

namespace pelmora {

// Downloads and the desktop's open command.
class Internet {
public:
    virtual ~Internet() = default;

    // Saves the body at the URL into the file; true only when all of it arrived
    // with a success status and was written. A failure leaves no partial file.
    virtual bool Download(const std::string& url, const std::string& targetPath) = 0;
    // Opens a file or a web address as the desktop does; false when the desktop
    // could not (no browser or no program for the file).
    virtual bool Open(const std::string& fileOrAddress) = 0;
};

} // namespace pelmora
