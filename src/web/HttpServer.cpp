// Beast's texts as the standard's, as everywhere else in the program.
#define BOOST_BEAST_USE_STD_STRING_VIEW

#include "HttpServer.h"

#include <algorithm>
#include <atomic>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <ctime>
#include <future>
#include <iostream>
#include <malloc.h>
#include <map>
#include <mutex>
#include <optional>
#include <set>

namespace pelmora::web {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

// Bytes or slots shared by every connection; a request that finds too few is
// asked to come back rather than kept waiting with its memory held.
class Budget {
public:
    explicit Budget(size_t total) : left_(total) {}
    bool Take(size_t amount) {
        size_t left = left_.load();
        do {
            if (left < amount)
                return false;
        } while (!left_.compare_exchange_weak(left, left - amount));
        return true;
    }
    void Give(size_t amount) { left_ += amount; }

private:
    std::atomic<size_t> left_;
};

// Answers this long are counted against the budget of answers and, once sent,
// given back to the system rather than kept in the allocator's pools.
constexpr size_t LargeAnswer = 256 * 1024;
// A streamed answer goes out in chunks of about this size.
constexpr size_t ChunkBytes = 64 * 1024;
// What one read takes off a connection at most.
constexpr size_t ReadBytes = 4096;

std::string HttpDate(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[64];
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &parts);
    return text;
}

// The client's address as written in logs and counted against its share: an
// IPv4 client of a dual-stack socket as IPv4.
asio::ip::address AddressOf(const tcp::socket& socket) {
    beast::error_code ec;
    asio::ip::address address = socket.remote_endpoint(ec).address();
    if (address.is_v6() && address.to_v6().is_v4_mapped())
        address = asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
    return address;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsChunkedOnly(const http::request_parser<http::string_body>::value_type& request) {
    if (request.count(http::field::transfer_encoding) == 0)
        return true;
    if (request.count(http::field::transfer_encoding) > 1)
        return false;
    std::string value = Lower(request[http::field::transfer_encoding]);
    std::erase_if(value, [](char c) { return c == ' ' || c == '\t'; });
    return value == "chunked";
}

} // namespace

class Session;

struct HttpServer::Impl {
    Impl(Answer answer, Log log, ServerLimits limits)
        : answer(std::move(answer)), log(std::move(log)), limits(limits), bodies(limits.BodyBudget),
          answers(limits.AnswerBudget), streams(limits.Streams), workers(limits.Workers) {}

    void Accept();
    void Accepted(beast::error_code ec, tcp::socket socket);
    // A connection ends: its address's share goes back.
    void Left(Session* session, const std::string& address);

    Answer answer;
    Log log;
    ServerLimits limits;
    // Declared before the loop: connections that end as the loop goes still count.
    std::atomic<bool> stopping = false;
    Budget bodies;
    Budget answers;
    Budget streams;
    std::mutex mutex;
    std::set<Session*> sessions;
    std::map<std::string, size_t> perAddress;
    asio::io_context io{1};
    tcp::acceptor acceptor{io};
    asio::steady_timer retry{io};
    asio::thread_pool workers;
};

// One connection, request after request. Everything but making an answer runs on
// the event loop; the answer is made on a worker and handed back.
class Session : public std::enable_shared_from_this<Session> {
public:
    Session(HttpServer::Impl& server, tcp::socket socket, std::string address, bool counted)
        : server_(server), stream_(std::move(socket)), buffer_(server.limits.HeadBytes + ReadBytes),
          address_(std::move(address)), counted_(counted) {}
    ~Session() {
        server_.bodies.Give(bodyShare_);
        if (counted_)
            server_.Left(this, address_);
    }

    void Start() { ReadNext(); }

    // A connection over its address's share or the server's: told so, then closed.
    void RefuseBusy() {
        entry_ = {std::chrono::system_clock::now(), address_, "-", "-"};
        started_ = Clock::now();
        keepAlive_ = false;
        Send(Busy());
    }

    // On stop: a connection that waits for a request, or for the rest of its head,
    // is closed now; one being answered once its answer is sent.
    void CloseIfWaiting() {
        if (phase_ == Phase::Idle || phase_ == Phase::Head)
            stream_.cancel();
    }

private:
    enum class Phase { Idle, Head, Body, Working, Writing };
    using Parser = http::request_parser<http::string_body>;

    static Response Busy() {
        Response busy = ErrorResponse(503, "the server is busy: try again shortly");
        busy.SetHeader("Retry-After", "1");
        return busy;
    }

    void ReadNext() {
        if (server_.stopping)
            return Close();
        if (buffer_.size() > 0)
            return ReadHead();
        phase_ = Phase::Idle;
        // An idle connection holds no buffer.
        buffer_.shrink_to_fit();
        stream_.expires_after(server_.limits.Idle);
        stream_.async_read_some(buffer_.prepare(ReadBytes),
                                [self = shared_from_this()](beast::error_code ec, size_t read) {
                                    if (ec)
                                        return self->Close();
                                    self->buffer_.commit(read);
                                    self->ReadHead();
                                });
    }

    void ReadHead() {
        phase_ = Phase::Head;
        started_ = Clock::now();
        entry_ = {std::chrono::system_clock::now(), address_, "-", "-"};
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(server_.limits.HeadBytes));
        parser_->body_limit(server_.limits.BodyBytes);
        stream_.expires_after(server_.limits.Head);
        http::async_read_header(
            stream_, buffer_, *parser_,
            [self = shared_from_this()](beast::error_code ec, size_t) { self->HeadRead(ec); });
    }

    void HeadRead(beast::error_code ec) {
        if (ec == http::error::end_of_stream || ec == beast::error::timeout ||
            ec == asio::error::operation_aborted || ec == asio::error::connection_reset ||
            ec == asio::error::eof)
            return Close();
        if (ec == http::error::header_limit)
            return Refuse(431, "the request head is longer than " +
                                   std::to_string(server_.limits.HeadBytes) + " bytes");
        if (ec == http::error::body_limit)
            return Refuse(413, BodyTooLong());
        if (ec)
            return Refuse(400, "the request is malformed");
        const auto& request = parser_->get();
        entry_.Method = std::string(request.method_string());
        entry_.Path = std::string(request.target().substr(0, request.target().find('?')));
        if (request.version() != 10 && request.version() != 11)
            return Refuse(400, "the request is malformed");
        if (request.target().size() > server_.limits.TargetBytes)
            return Refuse(414, "the address is longer than " +
                                   std::to_string(server_.limits.TargetBytes) + " bytes");
        if (static_cast<size_t>(std::distance(request.begin(), request.end())) >
            server_.limits.HeaderCount)
            return Refuse(431, "more than " + std::to_string(server_.limits.HeaderCount) +
                                   " header lines");
        // Any other coding would leave the body's end unknown, and its bytes read
        // as the next request.
        if (!IsChunkedOnly(request))
            return Refuse(400, "a request body's Transfer-Encoding is chunked or none");
        if (!request.target().starts_with("/"))
            return Refuse(400, "the request is malformed");
        if (parser_->is_done())
            return Work();
        const size_t length = parser_->content_length().value_or(server_.limits.BodyBytes);
        // Small bodies go by the budget: clients holding large ones back keep out
        // only other large ones.
        const size_t share = length <= server_.limits.SmallBody ? 0 : length;
        if (!server_.bodies.Take(share)) {
            keepAlive_ = false;
            return Send(Busy());
        }
        bodyShare_ = share;
        if (Lower(request[http::field::expect]) == "100-continue")
            return Continue();
        ReadBody();
    }

    void Continue() {
        static const std::string continuing = "HTTP/1.1 100 Continue\r\n\r\n";
        stream_.expires_after(server_.limits.Write);
        asio::async_write(stream_, asio::buffer(continuing),
                          [self = shared_from_this()](beast::error_code ec, size_t) {
                              if (ec)
                                  return self->Close();
                              self->ReadBody();
                          });
    }

    void ReadBody() {
        phase_ = Phase::Body;
        stream_.expires_after(server_.limits.Body);
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code ec, size_t) {
                             if (ec == http::error::body_limit)
                                 return self->Refuse(413, self->BodyTooLong());
                             if (ec == beast::error::timeout || ec == http::error::end_of_stream ||
                                 ec == asio::error::operation_aborted)
                                 return self->Close();
                             if (ec)
                                 return self->Refuse(400, "the request body is malformed");
                             self->Work();
                         });
    }

    std::string BodyTooLong() const {
        return "the body is longer than " + std::to_string(server_.limits.BodyBytes) + " bytes";
    }

    Request Taken() {
        auto& message = parser_->get();
        Request request;
        request.Method = std::string(message.method_string());
        const std::string_view target = message.target();
        const size_t question = target.find('?');
        request.Path = PercentDecoded(target.substr(0, question), false);
        if (question != std::string_view::npos)
            request.Query = std::string(target.substr(question + 1));
        for (const auto& field : message)
            request.Headers.emplace_back(Lower(field.name_string()), std::string(field.value()));
        request.Body = std::move(message.body());
        request.Client = address_;
        keepAlive_ = message.keep_alive();
        parser_.reset();
        // A HEAD request is answered as GET, without the body.
        head_ = request.Method == "HEAD";
        if (head_)
            request.Method = "GET";
        return request;
    }

    void Work() {
        phase_ = Phase::Working;
        asio::post(server_.workers, [self = shared_from_this(), request = Taken(),
                                     guard = asio::make_work_guard(server_.io)]() mutable {
            Response response;
            try {
                response = self->server_.answer(std::move(request));
            } catch (...) {
                response = ErrorResponse(500, "the server failed to make the answer");
            }
            self->server_.bodies.Give(std::exchange(self->bodyShare_, 0));
            if (response.Stream && !self->head_)
                return self->StreamAnswer(std::move(self), std::move(response));
            Session& session = *self;
            asio::post(session.stream_.get_executor(),
                       [self = std::move(self), response = std::move(response)]() mutable {
                           self->Send(std::move(response));
                       });
        });
    }

    template <class Message> void Describe(Message& message, const Response& response) {
        message.version(11);
        message.result(static_cast<unsigned>(response.Status));
        message.set(http::field::date, HttpDate(std::chrono::system_clock::now()));
        if (!response.ContentType.empty())
            message.set(http::field::content_type, response.ContentType);
        for (const auto& [name, value] : response.Headers)
            message.insert(name, value);
        keepAlive_ = keepAlive_ && !server_.stopping;
        entry_.Status = response.Status;
    }

    void Send(Response response) {
        if (head_ && response.Stream)
            return SendStreamHead(std::move(response));
        const bool large = response.Body.size() >= LargeAnswer;
        if (large && !server_.answers.Take(response.Body.size()))
            response = Busy();
        const size_t share = large && response.Status != 503 ? response.Body.size() : 0;
        auto message = std::make_shared<http::response<http::string_body>>();
        Describe(*message, response);
        message->body() = std::move(response.Body);
        message->prepare_payload();
        message->keep_alive(keepAlive_);
        entry_.Bytes = head_ ? 0 : message->body().size();
        if (head_)
            message->body().clear();
        phase_ = Phase::Writing;
        stream_.expires_after(server_.limits.Write);
        http::async_write(
            stream_, *message,
            [self = shared_from_this(), message, share](beast::error_code ec, size_t) {
                self->server_.answers.Give(share);
                if (share > 0)
                    asio::post(self->server_.workers, [] { malloc_trim(0); });
                self->Written(!ec);
            });
    }

    // A HEAD of a streamed answer gets the head the GET would get: chunked, with no
    // length, since the length is not known until the answer is made.
    void SendStreamHead(Response response) {
        auto header = std::make_shared<http::response<http::empty_body>>();
        Describe(*header, response);
        header->keep_alive(keepAlive_);
        header->chunked(true);
        auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*header);
        phase_ = Phase::Writing;
        stream_.expires_after(server_.limits.Write);
        http::async_write_header(stream_, *serializer,
                                 [self = shared_from_this(), header, serializer](
                                     beast::error_code ec, size_t) { self->Written(!ec); });
    }

    // On the worker that made the answer: each piece is written by the event loop
    // while the worker waits, so that a slow reader slows only its own answer.
    void StreamAnswer(std::shared_ptr<Session> self, Response response) {
        if (!server_.streams.Take(1)) {
            return asio::post(stream_.get_executor(),
                              [self = std::move(self)] { self->Send(Busy()); });
        }
        const auto deadline = Clock::now() + server_.limits.Stream;
        auto onLoop = [&](auto write) {
            if (Clock::now() > deadline)
                return false;
            std::promise<bool> written;
            asio::post(stream_.get_executor(), [&] {
                stream_.expires_after(server_.limits.Write);
                write([&](beast::error_code ec, size_t) { written.set_value(!ec); });
            });
            return written.get_future().get();
        };
        http::response<http::empty_body> header;
        Describe(header, response);
        header.keep_alive(keepAlive_);
        header.chunked(true);
        http::response_serializer<http::empty_body> serializer(header);
        phase_ = Phase::Writing;
        bool whole =
            onLoop([&](auto done) { http::async_write_header(stream_, serializer, done); });
        std::string pending;
        auto flush = [&] {
            whole = whole &&
                    (pending.empty() || onLoop([&](auto done) {
                         asio::async_write(stream_, http::make_chunk(asio::buffer(pending)), done);
                     }));
            entry_.Bytes += pending.size();
            pending.clear();
            return whole;
        };
        whole = whole && response.Stream([&](std::string_view bytes) {
            pending += bytes;
            return pending.size() < ChunkBytes || flush();
        });
        whole = whole && flush() && onLoop([&](auto done) {
                    asio::async_write(stream_, http::make_chunk_last(), done);
                });
        server_.streams.Give(1);
        // An answer cut short ends without its last chunk, so that the client sees it
        // was not whole.
        asio::post(stream_.get_executor(),
                   [self = std::move(self), whole] { self->Written(whole); });
    }

    void Refuse(int status, const std::string& message) {
        // Without a body to read past, the connection can go on.
        keepAlive_ = parser_ && parser_->is_header_done() && parser_->is_done() &&
                     parser_->get().keep_alive();
        parser_.reset();
        Send(ErrorResponse(status, message));
    }

    void Written(bool sent) {
        entry_.Took =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
        if (server_.log)
            server_.log(entry_);
        if (!sent)
            return Close();
        if (keepAlive_)
            return ReadNext();
        // The client may still be sending: stop reading and let it see the answer
        // before the connection goes.
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        stream_.expires_after(std::chrono::seconds(2));
        Drain();
    }

    void Drain() {
        buffer_.clear();
        stream_.async_read_some(buffer_.prepare(ReadBytes),
                                [self = shared_from_this()](beast::error_code ec, size_t) {
                                    if (ec)
                                        return self->Close();
                                    self->Drain();
                                });
    }

    void Close() {
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream_.close();
    }

    HttpServer::Impl& server_;
    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    std::string address_;
    bool counted_;
    std::optional<Parser> parser_;
    Phase phase_ = Phase::Idle;
    bool keepAlive_ = false;
    bool head_ = false;
    size_t bodyShare_ = 0;
    Clock::time_point started_;
    LogEntry entry_;
};

void HttpServer::Impl::Accept() {
    acceptor.async_accept(
        [this](beast::error_code ec, tcp::socket socket) { Accepted(ec, std::move(socket)); });
}

void HttpServer::Impl::Accepted(beast::error_code ec, tcp::socket socket) {
    if (!acceptor.is_open())
        return;
    if (ec) {
        // Out of descriptors, say: accepting again at once would only spin.
        retry.expires_after(std::chrono::milliseconds(50));
        retry.async_wait([this](beast::error_code waited) {
            if (!waited)
                Accept();
        });
        return;
    }
    socket.set_option(tcp::no_delay(true), ec);
    const asio::ip::address peer = AddressOf(socket);
    const std::string address = peer.to_string();
    const bool shared = peer.is_loopback() && !limits.LimitLoopback;
    bool admitted = false;
    {
        const std::lock_guard lock(mutex);
        size_t& count = perAddress[address];
        admitted = sessions.size() < limits.Connections && (shared || count < limits.PerAddress);
        if (admitted)
            ++count;
        else if (count == 0)
            perAddress.erase(address);
    }
    auto session = std::make_shared<Session>(*this, std::move(socket), address, admitted);
    if (admitted) {
        const std::lock_guard lock(mutex);
        sessions.insert(session.get());
    }
    admitted ? session->Start() : session->RefuseBusy();
    Accept();
}

void HttpServer::Impl::Left(Session* session, const std::string& address) {
    const std::lock_guard lock(mutex);
    sessions.erase(session);
    if (--perAddress[address] == 0)
        perAddress.erase(address);
}

HttpServer::HttpServer(Answer answer, Log log, ServerLimits limits)
    : impl_(std::make_unique<Impl>(std::move(answer), std::move(log), limits)) {}

HttpServer::~HttpServer() {
    impl_->workers.join();
}

int HttpServer::Listen(const std::string& host, int port, std::string& error) {
    beast::error_code ec;
    tcp::resolver resolver(impl_->io);
    const auto found = resolver.resolve(
        host, std::to_string(port), tcp::resolver::passive | tcp::resolver::numeric_service, ec);
    if (ec) {
        error = "no such host";
        return -1;
    }
    for (const auto& entry : found) {
        tcp::acceptor& acceptor = impl_->acceptor;
        beast::error_code failed;
        acceptor.open(entry.endpoint().protocol(), failed);
        if (!failed)
            acceptor.set_option(asio::socket_base::reuse_address(true), failed);
        if (!failed)
            acceptor.bind(entry.endpoint(), failed);
        if (!failed)
            acceptor.listen(asio::socket_base::max_listen_connections, failed);
        if (!failed)
            return acceptor.local_endpoint().port();
        error = failed.message();
        acceptor.close(failed);
    }
    return -1;
}

bool HttpServer::Serve() {
    if (impl_->stopping)
        return true;
    if (!impl_->acceptor.is_open())
        return false;
    impl_->Accept();
    // A failure in one connection's handler ends that connection, never the server.
    for (bool running = true; running;) {
        try {
            impl_->io.run();
            running = false;
        } catch (const std::exception& error) {
            std::cerr << "pelmora-web: a connection failed: " << error.what() << std::endl;
        }
    }
    impl_->workers.join();
    return true;
}

void HttpServer::Stop() {
    impl_->stopping = true;
    asio::post(impl_->io, [impl = impl_.get()] {
        beast::error_code ignored;
        impl->acceptor.close(ignored);
        impl->retry.cancel();
        const std::lock_guard lock(impl->mutex);
        for (Session* session : impl->sessions)
            session->CloseIfWaiting();
    });
}

} // namespace pelmora::web
