#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace pelmora::testing {

// A TCP connection to the server on loopback, from a loopback address of its own
// choosing (127.0.0.0/8 is all loopback), for requests no HTTP client would send.
class RawConnection {
public:
    explicit RawConnection(int port, const std::string& from = "127.0.0.1");
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool Connected() const { return connected_; }
    bool Send(const std::string& bytes);
    // Everything until the server closes the connection, or until the wait is over.
    std::string ReadToEnd(std::chrono::milliseconds wait = std::chrono::seconds(30));
    // Whether the server has closed the connection, waiting at most the time given.
    bool ClosedWithin(std::chrono::milliseconds wait);

private:
    int socket_ = -1;
    bool connected_ = false;
    bool closed_ = false;
};

// The status of each answer in the bytes, in order.
std::vector<int> Statuses(const std::string& answers);

} // namespace pelmora::testing
