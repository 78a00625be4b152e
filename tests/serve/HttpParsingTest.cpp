// The bridge's plain functions over request bytes: the HTTP framing, the API's paths and bodies,
// and who may call.
#include <gtest/gtest.h>

#include "cli/serve/http/Access.h"
#include "cli/serve/http/ApiRequest.h"
#include "cli/serve/http/HttpRequest.h"

namespace {

using namespace cli::serve;

struct FramingCase {
    QByteArray bytes;
    int outcome;  // 0 need more, 1 parsed, else the refusal's status
    qsizetype size = 0;
};

TEST(HttpParsing, FramesRequestsAndRefusesWhatItDoesNotTake) {
    const QByteArray get = "GET /api/v1/status HTTP/1.1\r\nHost: x\r\n\r\n";
    const QByteArray put = "PUT /a HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello";
    const std::vector<FramingCase> cases = {
        {get, 1, get.size()},
        {get + "GET /next", 1, get.size()},
        {get.left(20), 0},
        {put, 1, put.size()},
        {put.chopped(1), 0},
        {"GET /a HTTP/1.1\r\n\r\n", 400},            // no Host
        {"GET a HTTP/1.1\r\nHost: x\r\n\r\n", 400},  // not a path
        {"GET /a HTTP/2\r\nHost: x\r\n\r\n", 400},   // not HTTP/1
        {"GET /a HTTP/1.1\r\nHost x\r\n\r\n", 400},  // no colon
        {"GET /a HTTP/1.1\r\nHost: x\r\nContent-Length: -1\r\n\r\n", 400},
        {"GET /a HTTP/1.1\r\nHost: x\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", 400},
        {"PUT /a HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n", 411},
        {"PUT /a HTTP/1.1\r\nHost: x\r\nContent-Length: 65537\r\n\r\n", 413},
        {"GET /a HTTP/1.1\r\nHost: x\r\nX: " + QByteArray(kHeaderLimit, 'a'), 431},
    };
    for (const FramingCase& c : cases) {
        SCOPED_TRACE(c.bytes.left(60).toStdString());
        const ParseResult result = parseRequest(c.bytes);
        if (c.outcome == 0) {
            EXPECT_TRUE(std::holds_alternative<NeedMore>(result));
        }
        if (c.outcome == 1) {
            ASSERT_TRUE(std::holds_alternative<Parsed>(result));
            EXPECT_EQ(std::get<Parsed>(result).size, c.size);
        }
        if (c.outcome > 1) {
            ASSERT_TRUE(std::holds_alternative<Malformed>(result));
            EXPECT_EQ(std::get<Malformed>(result).status, c.outcome);
        }
    }
}

struct ApiCase {
    QByteArray method;
    QByteArray path;
    QByteArray body;
    QStringList words;  // empty: refused with `status`
    int status = 200;
};

TEST(HttpParsing, ApiPathsAndBodiesBecomeMatrixctlCommands) {
    const std::vector<ApiCase> cases = {
        {"GET", "routes", {}, {"routes"}},
        {"PUT", "routes/3", R"({"input":5})", {"route", "3", "5"}},
        {"PUT", "routes/all", R"({"input":1})", {"route", "all", "1"}},
        {"PUT", "power", R"({"on":false})", {"power", "off"}},
        {"PUT", "options/keys", R"({"on":true})", {"option", "keys", "on"}},
        {"POST", "presets/Main%20hall/apply", {}, {"preset", "apply", "Main hall"}},
        {"PUT", "routes/3", R"({"input":5.5})", {}, 422},
        {"PUT", "routes/3", R"({"input":"5"})", {}, 422},
        {"PUT", "routes/3", R"([5])", {}, 400},
        {"PUT", "routes/03", R"({"input":5})", {}, 404},
        {"PUT", "power", R"({"on":1})", {}, 422},
        {"GET", "options/volume", {}, {}, 404},
        {"POST", "routes", {}, {}, 405},
        {"GET", "presets/1/apply", {}, {}, 405},
    };
    for (const ApiCase& c : cases) {
        SCOPED_TRACE((c.method + ' ' + c.path + ' ' + c.body).toStdString());
        const auto result = readApiRequest(c.method, c.path, c.body);
        if (c.words.isEmpty()) {
            ASSERT_TRUE(std::holds_alternative<ApiError>(result));
            EXPECT_EQ(std::get<ApiError>(result).status, c.status);
        } else {
            ASSERT_TRUE(std::holds_alternative<ApiCall>(result));
            EXPECT_EQ(std::get<ApiCall>(result).words, c.words);
        }
    }
}

TEST(HttpParsing, TokenAndOriginDecideWhoMayCall) {
    const auto request = [](const QByteArray& headers, const QByteArray& query = {}) {
        const auto parsed =
            parseRequest("GET /api/v1/events?" + query + " HTTP/1.1\r\n" + headers + "\r\n");
        return std::get<Parsed>(parsed).request;
    };
    EXPECT_TRUE(carriesToken(request("Host: h\r\nAuthorization: Bearer abc\r\n"), "abc", false));
    EXPECT_FALSE(carriesToken(request("Host: h\r\nAuthorization: Bearer abd\r\n"), "abc", false));
    EXPECT_FALSE(carriesToken(request("Host: h\r\nAuthorization: Bearer ab\r\n"), "abc", false));
    EXPECT_FALSE(carriesToken(request("Host: h\r\n", "token=abc"), "abc", false));
    EXPECT_TRUE(carriesToken(request("Host: h\r\n", "token=abc"), "abc", true));
    EXPECT_FALSE(carriesToken(request("Host: h\r\n"), "", true));
    EXPECT_TRUE(sameOrigin(request("Host: h:8787\r\n")));
    EXPECT_TRUE(sameOrigin(request("Host: h:8787\r\nOrigin: http://h:8787\r\n")));
    EXPECT_TRUE(sameOrigin(request("Host: h\r\nOrigin: http://h\r\n")));
    EXPECT_FALSE(sameOrigin(request("Host: h:8787\r\nOrigin: http://h:8788\r\n")));
    EXPECT_FALSE(sameOrigin(request("Host: h:8787\r\nOrigin: http://evil:8787\r\n")));
    EXPECT_FALSE(sameOrigin(request("Host: h:8787\r\nOrigin: null\r\n")));
}

}  // namespace
