#include "RawConnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pelmora::testing {

RawConnection::RawConnection(int port, const std::string& from)
    : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    ::inet_pton(AF_INET, from.c_str(), &local.sin_addr);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = socket_ >= 0 &&
                 ::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                 ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

RawConnection::~RawConnection() {
    if (socket_ >= 0)
        ::close(socket_);
}

bool RawConnection::Send(const std::string& bytes) {
    return ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
}

std::string RawConnection::ReadToEnd(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::string answer;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{socket_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return answer;
        char buffer[4096];
        const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
        closed_ = got <= 0;
        if (closed_)
            return answer;
        answer.append(buffer, static_cast<size_t>(got));
    }
}

bool RawConnection::ClosedWithin(std::chrono::milliseconds wait) {
    ReadToEnd(wait);
    return closed_;
}

std::vector<int> Statuses(const std::string& answers) {
    const std::string line = "HTTP/1.1 ";
    std::vector<int> statuses;
    for (size_t at = answers.find(line); at != std::string::npos; at = answers.find(line, at + 1)) {
        if (answers.size() >= at + line.size() + 3)
            statuses.push_back(std::stoi(answers.substr(at + line.size(), 3)));
    }
    return statuses;
}

} // namespace pelmora::testing
