// What every route and answer is held to, without a network: finding the route,
// reading the query, the headers every answer carries, the host names served, the
// file names of downloads, the listen address and the log line.
#include "ListenAddress.h"
#include "LogLine.h"
#include "Policy.h"
#include "Routes.h"
#include "ServedCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace pelmora::web {
namespace {

Request Get(std::string path, std::string query = "") {
    Request request;
    request.Method = "GET";
    request.Path = std::move(path);
    request.Query = std::move(query);
    return request;
}

// Each route answers with its own name and the rest of the path.
std::vector<Route> Named() {
    auto named = [](std::string name) {
        return [name](const Request& request, Response& response) {
            response.Body = name + ":" + request.Rest;
        };
    };
    return {
        {"GET", "/api/state", named("state")},
        {"POST", "/api/order", named("order")},
        {"GET", "/images/", named("images")},
        {"GET", "/images/big/", named("big")},
        {"GET", "/", named("page")},
        {"GET", "/api/fails",
         [](const Request&, Response&) {
             throw HttpError{409, "taken"};
         }},
        {"GET", "/api/breaks",
         [](const Request&, Response&) { throw std::runtime_error("no table"); }},
    };
}

struct RouteCase {
    const char* Name;
    friend void PrintTo(const RouteCase& row, std::ostream* out) { *out << row.Name; }
    const char* Method;
    const char* Path;
    int Status;
    const char* Body; // the route's answer, or a part of the refusal
};

class Routing : public ::testing::TestWithParam<RouteCase> {};

TEST_P(Routing, FindsTheRouteOrRefuses) {
    const RouteCase& row = GetParam();
    Request request = Get(row.Path);
    request.Method = row.Method;
    const Response response = Dispatch(Named(), request);
    EXPECT_EQ(response.Status, row.Status);
    if (row.Status == 200)
        EXPECT_EQ(response.Body, row.Body);
    else
        EXPECT_NE(response.Body.find(row.Body), std::string::npos) << response.Body;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Routing,
    ::testing::Values(RouteCase{"Exact", "GET", "/api/state", 200, "state:"},
                      RouteCase{"ExactIsNotAPrefix", "GET", "/api/states", 200, "page:api/states"},
                      RouteCase{"Below", "GET", "/images/WG.gif", 200, "images:WG.gif"},
                      RouteCase{"LongestPrefix", "GET", "/images/big/a.gif", 200, "big:a.gif"},
                      RouteCase{"Root", "GET", "/", 200, "page:"},
                      RouteCase{"OtherMethod", "DELETE", "/api/order", 404, "nothing at DELETE"},
                      RouteCase{"GetOfAPost", "GET", "/api/order", 200, "page:api/order"},
                      RouteCase{"HttpError", "GET", "/api/fails", 409, "taken"},
                      RouteCase{"OtherFailure", "GET", "/api/breaks", 422, "no table"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Query, ValuesAreDecodedInOrderAndBounded) {
    const Request request = Get("/", "a=x%3Dy+z&b=1&a=%E9&a&=q&a=%zz%4");
    EXPECT_EQ(QueryValues(request, "a", 10),
              (std::vector<std::string>{"x=y z", "\xE9", "", "%zz%4"}));
    EXPECT_EQ(QueryValues(request, "c", 10), std::vector<std::string>{});
    EXPECT_THROW(QueryValues(request, "a", 4), HttpError);
    EXPECT_EQ(PercentDecoded("/a+b%2Fc", false), "/a+b/c");
}

struct DispositionCase {
    const char* Name;
    friend void PrintTo(const DispositionCase& row, std::ostream* out) { *out << row.Name; }
    const char* File;
    const char* Header;
};

class Dispositions : public ::testing::TestWithParam<DispositionCase> {};

TEST_P(Dispositions, NameCannotBreakTheHeader) {
    EXPECT_EQ(Disposition("inline", GetParam().File), GetParam().Header);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dispositions,
    ::testing::Values(
        DispositionCase{"Plain", "R090.pdf",
                        "inline; filename=\"R090.pdf\"; filename*=UTF-8''R090.pdf"},
        DispositionCase{"Quote", "a\"b.pdf",
                        "inline; filename=\"a_b.pdf\"; filename*=UTF-8''a%22b.pdf"},
        DispositionCase{"Backslash", "a\\\".pdf",
                        "inline; filename=\"a__.pdf\"; filename*=UTF-8''a%5C%22.pdf"},
        DispositionCase{"LineBreak", "a\r\nX-Evil: 1",
                        "inline; filename=\"a__X-Evil: 1\"; filename*=UTF-8''a%0D%0AX-Evil%3A%201"},
        DispositionCase{"Utf8", "\xC2\xB0.pdf",
                        "inline; filename=\"__.pdf\"; filename*=UTF-8''%C2%B0.pdf"},
        DispositionCase{"Separators", "a;b=c",
                        "inline; filename=\"a;b=c\"; filename*=UTF-8''a%3Bb%3Dc"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct HostCase {
    const char* Name;
    friend void PrintTo(const HostCase& row, std::ostream* out) { *out << row.Name; }
    const char* Header;
    const char* Host;
};

class HostNames : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostNames, PortAndBracketsGo) {
    EXPECT_EQ(HostName(GetParam().Header), GetParam().Host);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostNames,
    ::testing::Values(HostCase{"Name", "configurator.example", "configurator.example"},
                      HostCase{"NameAndPort", "Configurator.Example:8038", "configurator.example"},
                      HostCase{"TrailingDot", "configurator.example.", "configurator.example"},
                      HostCase{"Ipv4AndPort", "127.0.0.1:8038", "127.0.0.1"},
                      HostCase{"Ipv6", "[::1]:8038", "::1"},
                      HostCase{"Ipv6WithoutPort", "[::1]", "::1"},
                      HostCase{"Ipv6Bare", "::1", "::1"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct PolicyCase {
    const char* Name;
    friend void PrintTo(const PolicyCase& row, std::ostream* out) { *out << row.Name; }
    std::vector<std::string> Hosts;
    std::optional<std::string> Header;
    int Status;
};

class HostPolicy : public ::testing::TestWithParam<PolicyCase> {};

TEST_P(HostPolicy, OnlyNamedHostsAreAnswered) {
    const PolicyCase& row = GetParam();
    Policy policy;
    policy.Hosts = row.Hosts;
    Request request = Get("/api/state");
    if (row.Header)
        request.Headers.emplace_back("host", *row.Header);
    EXPECT_EQ(Answered(Named(), policy, request).Status, row.Status);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostPolicy,
    ::testing::Values(PolicyCase{"AnyHostWithoutTheOption", {}, "rebound.example", 200},
                      PolicyCase{"NoHostWithoutTheOption", {}, std::nullopt, 200},
                      PolicyCase{"Named", {"pelmora.example"}, "pelmora.example:8038", 200},
                      PolicyCase{"NamedInOtherCase", {"pelmora.example"}, "PELMORA.example", 200},
                      PolicyCase{"Other", {"pelmora.example"}, "rebound.example", 421},
                      PolicyCase{"Missing", {"pelmora.example"}, std::nullopt, 421},
                      PolicyCase{
                          "SuffixIsNotTheName", {"pelmora.example"}, "xpelmora.example", 421},
                      PolicyCase{"Ipv6", {"::1"}, "[::1]:8038", 200}),
    [](const auto& info) { return std::string(info.param.Name); });

std::optional<std::string> HeaderOf(const Response& response, const std::string& name) {
    for (const auto& [key, value] : response.Headers) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

TEST(Policy, EveryAnswerForbidsSniffingAndFramesAndThePageOtherSources) {
    auto typed = [](std::string type) {
        return std::vector<Route>{{"GET", "/", [type](const Request&, Response& response) {
                                       response.ContentType = type;
                                   }}};
    };
    const Response page = Answered(typed("text/html; charset=utf-8"), {}, Get("/"));
    const std::string csp = HeaderOf(page, "Content-Security-Policy").value_or("");
    for (const char* part :
         {"default-src 'none'", "script-src 'self'", "style-src 'self'", "frame-ancestors 'none'"})
        EXPECT_NE(csp.find(part), std::string::npos) << part;
    EXPECT_EQ(csp.find("unsafe"), std::string::npos);
    for (const Response& response :
         {page, Answered(typed("application/pdf"), {}, Get("/")),
          Answered(typed("application/json"), {}, Get("/nothing", ""))}) {
        EXPECT_EQ(HeaderOf(response, "X-Content-Type-Options"), "nosniff");
        EXPECT_NE(HeaderOf(response, "Content-Security-Policy")
                      .value_or("")
                      .find("frame-ancestors 'none'"),
                  std::string::npos);
        EXPECT_FALSE(HeaderOf(response, "X-Pelmora-Instance"));
    }
    Policy named;
    named.Instance = "127.0.0.1:8038";
    EXPECT_EQ(HeaderOf(Answered(typed("text/css"), named, Get("/")), "X-Pelmora-Instance"),
              "127.0.0.1:8038");
}

struct AddressCase {
    const char* Name;
    friend void PrintTo(const AddressCase& row, std::ostream* out) { *out << row.Name; }
    const char* Text;
    std::optional<std::string> Host;
    int Port;
    const char* Url;
};

class ListenAddresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ListenAddresses, AreReadAndShownAsUrlsWriteThem) {
    const AddressCase& row = GetParam();
    const auto address = ParseListenAddress(row.Text);
    ASSERT_EQ(address.has_value(), row.Host.has_value());
    if (!address)
        return;
    EXPECT_EQ(address->Host, *row.Host);
    EXPECT_EQ(address->Port, row.Port);
    EXPECT_EQ(address->Authority(8038), row.Url);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListenAddresses,
    ::testing::Values(AddressCase{"Ipv4", "127.0.0.1:8038", "127.0.0.1", 8038, "127.0.0.1:8038"},
                      AddressCase{"Name", "localhost:0", "localhost", 0, "localhost:8038"},
                      AddressCase{"Ipv6Loopback", "[::1]:8080", "::1", 8080, "[::1]:8038"},
                      AddressCase{"Ipv6Any", "[::]:8080", "::", 8080, "[::]:8038"},
                      AddressCase{"Ipv6WithoutBrackets", "::1:8080", std::nullopt, 0, ""},
                      AddressCase{"EmptyBrackets", "[]:8080", std::nullopt, 0, ""},
                      AddressCase{"OpenBracket", "[::1:8080", std::nullopt, 0, ""},
                      AddressCase{"NoPort", "127.0.0.1", std::nullopt, 0, ""},
                      AddressCase{"EmptyPort", "127.0.0.1:", std::nullopt, 0, ""},
                      AddressCase{"NoHost", ":8080", std::nullopt, 0, ""},
                      AddressCase{"PortTooLarge", "127.0.0.1:65536", std::nullopt, 0, ""},
                      AddressCase{"NegativePort", "127.0.0.1:-1", std::nullopt, 0, ""},
                      AddressCase{"TrailingSpace", "127.0.0.1:80 ", std::nullopt, 0, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Log, OneCommonFormatLineWithTheMilliseconds) {
    LogEntry entry;
    entry.Time = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::hours{21} +
                 std::chrono::minutes{16} + std::chrono::seconds{12};
    entry.Client = "::1";
    entry.Method = "GET";
    entry.Path = "/images/a b\"\x1B[2J.gif";
    entry.Status = 404;
    entry.Bytes = 57;
    entry.Took = std::chrono::milliseconds(12);
    EXPECT_EQ(LogLine(entry), "::1 - - [07/Dec/2026:21:16:12 +0000] \"GET "
                              "/images/a\\x20b\\x22\\x1B[2J.gif\" 404 57 12");
}

struct OrderTypeCase {
    const char* Name;
    friend void PrintTo(const OrderTypeCase& row, std::ostream* out) { *out << row.Name; }
    std::optional<std::string> Type;
    int Status;
};

class OrderTypes : public ::testing::TestWithParam<OrderTypeCase> {};

// Types a page of any site can make a browser send without asking the server
// first are refused.
TEST_P(OrderTypes, OnlyTypesThatNeedPreflightAreTaken) {
    const OrderTypeCase& row = GetParam();
    TableCache cache;
    Served served{"/nowhere", PELMORA_SHIPPED_DIR, "", "", &cache};
    Request request = Get("/api/order");
    request.Method = "POST";
    request.Body = "1 R090PC0120USG\n";
    if (row.Type)
        request.Headers.emplace_back("content-type", *row.Type);
    EXPECT_EQ(Dispatch(Routes(served), request).Status, row.Status);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OrderTypes,
    ::testing::Values(OrderTypeCase{"None", std::nullopt, 415},
                      OrderTypeCase{"Text", "text/plain", 415},
                      OrderTypeCase{"TextWithCharset", "Text/Plain ; charset=UTF-8", 415},
                      OrderTypeCase{"Form", "application/x-www-form-urlencoded", 415},
                      OrderTypeCase{"Multipart", "multipart/form-data; boundary=x", 415},
                      OrderTypeCase{"Octets", "application/octet-stream", 200},
                      OrderTypeCase{"Json", "application/json", 200}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ImageCase {
    const char* Name;
    friend void PrintTo(const ImageCase& row, std::ostream* out) { *out << row.Name; }
    const char* File;
    int Status;
    const char* Type;
};

class ImageTypes : public ::testing::TestWithParam<ImageCase> {};

// Whatever else lies in the pictures' folder, a browser gets only pictures from it.
TEST_P(ImageTypes, OnlyPicturesAreServed) {
    const ImageCase& row = GetParam();
    testing::TempFolder images;
    images.Write(row.File, "<script>alert(1)</script>");
    TableCache cache;
    Served served{"/nowhere", PELMORA_SHIPPED_DIR, "", images.Path(), &cache};
    const Response response = Dispatch(Routes(served), Get(std::string("/images/") + row.File));
    EXPECT_EQ(response.Status, row.Status);
    EXPECT_EQ(response.ContentType, row.Type);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImageTypes,
    ::testing::Values(ImageCase{"Gif", "a.gif", 200, "image/gif"},
                      ImageCase{"UpperCase", "b.PNG", 200, "image/png"},
                      ImageCase{"Bitmap", "c.bmp", 200, "image/bmp"},
                      ImageCase{"Jpeg", "d.jpeg", 200, "image/jpeg"},
                      ImageCase{"Text", "notes.txt", 404, "application/json; charset=utf-8"},
                      ImageCase{"Html", "page.html", 404, "application/json; charset=utf-8"},
                      ImageCase{"Svg", "e.svg", 404, "application/json; charset=utf-8"},
                      ImageCase{"Script", "f.js", 404, "application/json; charset=utf-8"},
                      ImageCase{"NoExtension", "gif", 404, "application/json; charset=utf-8"},
                      ImageCase{"DoubleExtension", "g.gif.html", 404,
                                "application/json; charset=utf-8"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::web
