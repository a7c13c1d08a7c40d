#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pelmora {

// A whole answer of the HTTP face, made without the HTTP library: the server only
// sends it.
struct WebAnswer {
    int Status = 200;
    std::string ContentType;
    std::string Body;
    std::vector<std::pair<std::string, std::string>> Headers;
};

// The JSON error document every refusal of the server sends.
WebAnswer ErrorAnswer(int status, const std::string& message);

// A Content-Disposition header whose file name cannot break out of its quotes:
// anything but letters, digits, "-", "_" and "." becomes "_".
std::pair<std::string, std::string> Disposition(const std::string& kind, const std::string& name);

} // namespace pelmora
