// HTTP/1.1 as clients send it, well or badly, over a connection of its own: every
// request is answered at once (long before any of the server's deadlines), in
// order when pipelined, and a body of unknown length is refused rather than read
// as the next request.
#include "RawConnection.h"
#include "ServedCatalogue.h"

#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

const std::string Shipped = PELMORA_SHIPPED_DIR;

std::string Get(const std::string& target, const std::string& more = "") {
    return "GET " + target + " HTTP/1.1\r\nHost: pelmora\r\n" + more + "\r\n";
}

std::string Order(const std::string& headers, const std::string& body = "") {
    return "POST /api/order HTTP/1.1\r\nHost: pelmora\r\nContent-Type: "
           "application/octet-stream\r\nConnection: close\r\n" +
           headers + "\r\n" + body;
}

std::string Lines(size_t count) {
    std::string lines;
    for (size_t i = 0; i < count; ++i)
        lines += "X-Line-" + std::to_string(i) + ": 1\r\n";
    return lines;
}

const std::string Head =
    "HEAD /api/describe?part=C090CNSG HTTP/1.1\r\nHost: p\r\nConnection: close\r\n\r\n";

struct ExchangeCase {
    const char* Name;
    friend void PrintTo(const ExchangeCase& row, std::ostream* out) { *out << row.Name; }
    std::string Request;
    std::vector<int> Statuses;
};

class Protocol : public ::testing::TestWithParam<ExchangeCase> {
protected:
    static void SetUpTestSuite() { server = new RunningServer("/nowhere", Shipped); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    static RunningServer* server;
};

RunningServer* Protocol::server = nullptr;

TEST_P(Protocol, AnsweredAtOnceAndInOrder) {
    const ExchangeCase& row = GetParam();
    RawConnection connection(server->Port());
    ASSERT_TRUE(connection.Connected());
    ASSERT_TRUE(connection.Send(row.Request));
    const auto start = std::chrono::steady_clock::now();
    const std::string answers = connection.ReadToEnd(std::chrono::seconds(30));
    // The server's own deadlines are 5 s and more: a request left waiting for one
    // shows here.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)) << answers;
    EXPECT_EQ(Statuses(answers), row.Statuses) << answers;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Protocol,
    ::testing::Values(
        ExchangeCase{"Pipelined",
                     Get("/api/describe?part=R090PC0120USG") +
                         Get("/api/describe?part=C090CNSG", "Connection: close\r\n"),
                     {200, 200}},
        ExchangeCase{"PipelinedAfterABody",
                     "POST /api/order HTTP/1.1\r\nHost: p\r\nContent-Type: "
                     "application/octet-stream\r\nContent-Length: 16\r\n\r\n1 R090PC0120USG\n" +
                         Get("/api/describe?part=C090CNSG", "Connection: close\r\n"),
                     {200, 200}},
        ExchangeCase{"PostWithoutLengthHasNoBody", Order(""), {200}},
        ExchangeCase{
            "ChunkedBody",
            Order("Transfer-Encoding: chunked\r\n", "10\r\n1 R090PC0120USG\n\r\n0\r\n\r\n"),
            {200}},
        ExchangeCase{"ExpectContinue",
                     Order("Expect: 100-continue\r\nContent-Length: 16\r\n", "1 R090PC0120USG\n"),
                     {100, 200}},
        ExchangeCase{"NegativeLength", Order("Content-Length: -1\r\n"), {400}},
        ExchangeCase{"LengthPastTheLimit", Order("Content-Length: 99999999999\r\n"), {413}},
        ExchangeCase{
            "LengthPastAnyNumber", Order("Content-Length: 99999999999999999999999\r\n"), {400}},
        ExchangeCase{"TwoLengths", Order("Content-Length: 1\r\nContent-Length: 2\r\n"), {400}},
        ExchangeCase{"ChunkedThenIdentity",
                     Order("Transfer-Encoding: chunked, identity\r\n", "1 R090PC0120USG\n"),
                     {400}},
        ExchangeCase{
            "IdentityWithLength",
            Order("Transfer-Encoding: identity\r\nContent-Length: 16\r\n", "1 R090PC0120USG\n"),
            {400}},
        ExchangeCase{"GzipThenChunked", Order("Transfer-Encoding: gzip, chunked\r\n"), {400}},
        ExchangeCase{"LengthAndChunked",
                     Order("Content-Length: 5\r\nTransfer-Encoding: chunked\r\n"),
                     {400}},
        ExchangeCase{"ManyHeaderLines", Get("/", Lines(101) + "Connection: close\r\n"), {431}},
        ExchangeCase{"LongHead", Get("/", "X-Long: " + std::string(20000, 'x') + "\r\n"), {431}},
        // Without a body to skip, the connection goes on.
        ExchangeCase{"LongTarget",
                     Get("/api/state?a=" + std::string(9000, 'x')) +
                         Get("/api/describe?part=C090CNSG", "Connection: close\r\n"),
                     {414, 200}},
        ExchangeCase{"Http10ClosesAfterTheAnswer",
                     "GET /api/describe?part=C090CNSG HTTP/1.0\r\n\r\n",
                     {200}},
        ExchangeCase{"Head", Head, {200}},
        ExchangeCase{"BadVersion", "GET / HTTP/2.0\r\n\r\n", {400}},
        ExchangeCase{"AbsoluteTarget", Get("http://pelmora/", "Connection: close\r\n"), {400}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Protocol, HeadAnswersTheLengthWithoutTheBody) {
    RawConnection connection(server->Port());
    ASSERT_TRUE(connection.Send(Head));
    const std::string answer = connection.ReadToEnd();
    EXPECT_TRUE(answer.ends_with("\r\n\r\n")) << answer;
    EXPECT_EQ(answer.find("Content-Length: 0\r\n"), std::string::npos) << answer;
    EXPECT_NE(answer.find("Content-Length: "), std::string::npos) << answer;
}

TEST_F(Protocol, HeadOfAStreamedAnswerIsChunkedWithoutABody) {
    RawConnection connection(server->Port());
    ASSERT_TRUE(
        connection.Send("HEAD /api/parts?family=M&waveguide=090 HTTP/1.1\r\nHost: p\r\n\r\n" +
                        Get("/api/describe?part=C090CNSG", "Connection: close\r\n")));
    const std::string answers = connection.ReadToEnd();
    EXPECT_EQ(Statuses(answers), (std::vector<int>{200, 200})) << answers;
    const std::string head = answers.substr(0, answers.find("\r\n\r\n") + 4);
    EXPECT_NE(head.find("Transfer-Encoding: chunked\r\n"), std::string::npos) << head;
    EXPECT_EQ(head.find("Content-Length"), std::string::npos) << head;
    EXPECT_TRUE(answers.substr(head.size()).starts_with("HTTP/1.1 200")) << answers;
}

} // namespace
} // namespace pelmora::testing
