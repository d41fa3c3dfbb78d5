// HTTP requests of the Steam stand-in against a server on loopback: GET and POST, status, body
// and headers in the call result, failures, the body cap, and the loopback-only rule.
#include "fixtures/LoopbackHttpServer.h"
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// A port nothing listens on: bound, then closed again.
int ClosedPort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address;
    std::memset(&address, 0, sizeof(address));
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// Receives one request's call result.
struct Completion {
    void OnCompleted(HTTPRequestCompleted_t* result, bool ioFailure)
    {
        ++calls;
        record = *result;
        io = ioFailure;
        thread = std::this_thread::get_id();
    }

    CCallResult<Completion, HTTPRequestCompleted_t> call;
    HTTPRequestCompleted_t record{};
    bool io = false;
    int calls = 0;
    std::thread::id thread;
};

class SteamHTTPTest : public ::testing::Test {
protected:
    void TearDown() override { SteamAPI_Shutdown(); }

    ISteamHTTP* Start(const std::string& settings = std::string())
    {
        if (!settings.empty())
            folder.Settings(settings);
        if (!SteamAPI_InitSafe() || !context.Init())
            return nullptr;
        return context.SteamHTTP();
    }

    // Sends the request and runs the callbacks until its result arrives (10 s at most).
    void SendAndWait(ISteamHTTP* http, HTTPRequestHandle request, Completion& done)
    {
        SteamAPICall_t call = k_uAPICallInvalid;
        ASSERT_TRUE(http->SendHTTPRequest(request, &call));
        ASSERT_NE(k_uAPICallInvalid, call);
        done.call.Set(call, &done, &Completion::OnCompleted);
        for (int i = 0; i < 2000 && done.calls == 0; ++i) {
            SteamAPI_RunCallbacks();
            if (done.calls == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_EQ(1, done.calls);
        EXPECT_EQ(request, done.record.m_hRequest);
        EXPECT_EQ(std::this_thread::get_id(), done.thread);
    }

    static std::string Body(ISteamHTTP* http, HTTPRequestHandle request)
    {
        uint32_t size = 12345;
        EXPECT_TRUE(http->GetHTTPResponseBodySize(request, &size));
        std::string body(size, '\0');
        EXPECT_TRUE(http->GetHTTPResponseBodyData(request, reinterpret_cast<uint8_t*>(&body[0]), size));
        return body;
    }

    static std::string Header(ISteamHTTP* http, HTTPRequestHandle request, const char* name)
    {
        uint8_t value[2048];
        if (!http->GetHTTPResponseHeaderValue(request, name, value, sizeof(value)))
            return "<none>";
        return reinterpret_cast<const char*>(value);
    }

    SteamTestFolder folder;
    CSteamAPIContext context;
};

TEST_F(SteamHTTPTest, GetSendsParametersInTheQueryAndCompletesOnALaterRun)
{
    LoopbackHttpServer server;
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/echo?x=%C3%A9#frag").c_str());
    ASSERT_NE(INVALID_HTTPREQUEST_HANDLE, request);
    EXPECT_TRUE(http->SetHTTPRequestGetOrPostParameter(request, "name", "a b&c=d"));
    EXPECT_TRUE(http->SetHTTPRequestGetOrPostParameter(request, "\xc3\xa9", ""));

    SteamAPICall_t call = k_uAPICallInvalid;
    ASSERT_TRUE(http->SendHTTPRequest(request, &call));
    EXPECT_FALSE(http->SendHTTPRequest(request, &call)) << "a request is sent once";
    EXPECT_FALSE(http->SetHTTPRequestGetOrPostParameter(request, "late", "1"));
    // Nothing completes between runs of the callbacks, however long the transfer takes.
    for (int i = 0; i < 200 && server.RequestCount() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(context.SteamUtils()->IsAPICallCompleted(call, nullptr));
    uint32_t size = 0;
    EXPECT_FALSE(http->GetHTTPResponseBodySize(request, &size)) << "no response before the result";

    Completion done;
    done.call.Set(call, &done, &Completion::OnCompleted);
    for (int i = 0; i < 2000 && done.calls == 0; ++i) {
        SteamAPI_RunCallbacks();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(1, done.calls);
    EXPECT_FALSE(done.io);
    EXPECT_TRUE(done.record.m_bRequestSuccessful);
    EXPECT_EQ(200, done.record.m_eStatusCode);
    EXPECT_EQ("GET /echo?x=%C3%A9&name=a%20b%26c%3Dd&%C3%A9=\n\n", Body(http, request));
    EXPECT_EQ("loopback", Header(http, request, "X-Powered-By"));
    EXPECT_EQ("loopback", Header(http, request, "x-powered-by"));
    EXPECT_EQ("close", Header(http, request, "Connection"));
    EXPECT_EQ("<none>", Header(http, request, "Connection:")) << "names are matched exactly";
    uint8_t small[5];
    EXPECT_FALSE(http->GetHTTPResponseHeaderValue(request, "X-Powered-By", small, sizeof(small)));
    EXPECT_TRUE(http->ReleaseHTTPRequest(request));
    EXPECT_FALSE(http->ReleaseHTTPRequest(request));
    EXPECT_FALSE(http->GetHTTPResponseBodySize(request, &size));
    ASSERT_EQ(1u, server.RequestCount());
    EXPECT_EQ("GET", server.Requests()[0].method);
}

TEST_F(SteamHTTPTest, PostSendsParametersAsAForm)
{
    LoopbackHttpServer server;
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodPOST, server.Url("/echo").c_str());
    ASSERT_NE(INVALID_HTTPREQUEST_HANDLE, request);
    http->SetHTTPRequestGetOrPostParameter(request, "a", "1");
    http->SetHTTPRequestGetOrPostParameter(request, "b", "x y&z");
    Completion done;
    SendAndWait(http, request, done);
    EXPECT_TRUE(done.record.m_bRequestSuccessful);
    EXPECT_EQ("POST /echo\napplication/x-www-form-urlencoded\na=1&b=x%20y%26z", Body(http, request));
    http->ReleaseHTTPRequest(request);
}

TEST_F(SteamHTTPTest, StatusBodyAndHeadersArriveAsSent)
{
    struct Case {
        const char* path;
        int status;
        std::string body;
    } cases[] = {
        {"/status/404", 404, "status 404"},
        {"/status/503", 503, "status 503"},
        {"/binary", 200, std::string("\0a\0b\xff\0", 6)},
        {"/empty", 200, ""},
        {"/redirect", 302, "moved"}, // not followed: the caller sees the redirect
    };
    LoopbackHttpServer server;
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url(c.path).c_str());
        Completion done;
        SendAndWait(http, request, done);
        EXPECT_TRUE(done.record.m_bRequestSuccessful);
        EXPECT_EQ(c.status, done.record.m_eStatusCode);
        EXPECT_EQ(c.body, Body(http, request));
        if (c.body.empty())
            EXPECT_TRUE(http->GetHTTPResponseBodyData(request, nullptr, 0));
        else
            EXPECT_FALSE(http->GetHTTPResponseBodyData(request, nullptr, 0)) << "buffer smaller than the body";
        http->ReleaseHTTPRequest(request);
    }
    EXPECT_EQ(5u, server.RequestCount());

    HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/headers").c_str());
    Completion done;
    SendAndWait(http, request, done);
    EXPECT_EQ("text/plain; charset=utf-8", Header(http, request, "Content-Type"));
    EXPECT_EQ("session=abc; Path=/", Header(http, request, "Set-Cookie"));
    EXPECT_EQ("/elsewhere", Header(http, request, "Location"));
    EXPECT_EQ("7", Header(http, request, "Content-Length"));
    EXPECT_EQ("<none>", Header(http, request, "Content-Type:"));
    EXPECT_EQ("<none>", Header(http, request, "Vary: "));
    http->ReleaseHTTPRequest(request);
}

TEST_F(SteamHTTPTest, ARefusedConnectionEndsUnsuccessful)
{
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    std::string url = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/echo";
    HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, url.c_str());
    Completion done;
    SendAndWait(http, request, done);
    EXPECT_FALSE(done.io);
    EXPECT_FALSE(done.record.m_bRequestSuccessful);
    EXPECT_EQ(0, done.record.m_eStatusCode);
    EXPECT_EQ("", Body(http, request));
    http->ReleaseHTTPRequest(request);
}

TEST_F(SteamHTTPTest, BadUrlsAndMethodsGiveNoRequest)
{
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    const char* urls[] = {nullptr, "", "ftp://127.0.0.1/x", "file:///etc/passwd", "127.0.0.1/x", "http://",
                          "https://", "not a url", "http://127.0.0.1:99999/", "http://[::1/"};
    for (const char* url : urls)
        EXPECT_EQ(INVALID_HTTPREQUEST_HANDLE, http->CreateHTTPRequest(k_EHTTPMethodGET, url)) << (url ? url : "null");
    EXPECT_EQ(INVALID_HTTPREQUEST_HANDLE, http->CreateHTTPRequest(k_EHTTPMethodInvalid, "http://127.0.0.1/"));
    EXPECT_EQ(INVALID_HTTPREQUEST_HANDLE, http->CreateHTTPRequest(static_cast<EHTTPMethod>(2), "http://127.0.0.1/"));
    EXPECT_NE(INVALID_HTTPREQUEST_HANDLE, http->CreateHTTPRequest(k_EHTTPMethodGET, "HTTP://127.0.0.1/"));

    SteamAPICall_t call = k_uAPICallInvalid;
    EXPECT_FALSE(http->SendHTTPRequest(12345, &call)) << "unknown request";
    EXPECT_FALSE(http->SetHTTPRequestGetOrPostParameter(12345, "a", "b"));
    HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, "http://127.0.0.1/");
    EXPECT_FALSE(http->SetHTTPRequestGetOrPostParameter(request, nullptr, "b"));
    EXPECT_FALSE(http->SendHTTPRequest(request, nullptr));
}

TEST_F(SteamHTTPTest, BodiesOverTheLimitEndUnsuccessful)
{
    LoopbackHttpServer server;
    ISteamHTTP* http = Start("http_body_limit = 100000\n");
    ASSERT_NE(nullptr, http);
    HTTPRequestHandle fits = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/big/100000").c_str());
    Completion fitsDone;
    SendAndWait(http, fits, fitsDone);
    EXPECT_TRUE(fitsDone.record.m_bRequestSuccessful);
    EXPECT_EQ(std::string(100000, 'x'), Body(http, fits));

    HTTPRequestHandle huge = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/big/4000000").c_str());
    Completion hugeDone;
    SendAndWait(http, huge, hugeDone);
    EXPECT_FALSE(hugeDone.io);
    EXPECT_FALSE(hugeDone.record.m_bRequestSuccessful);
    EXPECT_EQ(0, hugeDone.record.m_eStatusCode);
    EXPECT_EQ("", Body(http, huge));
}

TEST_F(SteamHTTPTest, OversizedHeadersEndUnsuccessfulAndLongValuesNeedTheirRoom)
{
    LoopbackHttpServer server([](const LoopbackHttpServer::Request& request) {
        LoopbackHttpServer::Response response;
        int count = request.target == "/many" ? 4 : 1;
        for (int i = 0; i < count; ++i)
            response.headers.emplace_back("X-Filler-" + std::to_string(i), std::string(80 * 1024, 'h'));
        response.body = "body";
        return response;
    });
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    HTTPRequestHandle many = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/many").c_str());
    Completion manyDone;
    SendAndWait(http, many, manyDone);
    EXPECT_FALSE(manyDone.record.m_bRequestSuccessful) << "more than 256 KiB of headers";

    HTTPRequestHandle one = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/one").c_str());
    Completion oneDone;
    SendAndWait(http, one, oneDone);
    ASSERT_TRUE(oneDone.record.m_bRequestSuccessful);
    std::vector<uint8_t> value(80 * 1024 + 1);
    EXPECT_FALSE(http->GetHTTPResponseHeaderValue(one, "X-Filler-0", value.data(), 80 * 1024)) << "no room for the zero";
    ASSERT_TRUE(http->GetHTTPResponseHeaderValue(one, "X-Filler-0", value.data(), 80 * 1024 + 1));
    EXPECT_EQ(std::string(80 * 1024, 'h'), reinterpret_cast<const char*>(value.data()));
    EXPECT_EQ("body", Body(http, one));
}

TEST_F(SteamHTTPTest, OnlyLoopbackIsContactedUnlessAllowed)
{
    LoopbackHttpServer server;
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    // 0.0.0.0 is not a loopback address, though Linux connects it to this machine: the
    // stand-in refuses it before any connection, so the server sees nothing.
    std::string port = std::to_string(server.Port());
    HTTPRequestHandle refused = http->CreateHTTPRequest(k_EHTTPMethodGET, ("http://0.0.0.0:" + port + "/echo").c_str());
    Completion refusedDone;
    SendAndWait(http, refused, refusedDone);
    EXPECT_FALSE(refusedDone.record.m_bRequestSuccessful);
    EXPECT_EQ(0u, server.RequestCount());

    const char* loopbacks[] = {"http://localhost:", "http://127.0.0.1:"};
    for (const char* base : loopbacks) {
        HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, (base + port + "/echo").c_str());
        Completion done;
        SendAndWait(http, request, done);
        EXPECT_TRUE(done.record.m_bRequestSuccessful) << base;
    }
    EXPECT_EQ(2u, server.RequestCount());
}

TEST_F(SteamHTTPTest, TheLoopbackRuleCanBeLifted)
{
    LoopbackHttpServer server;
    ISteamHTTP* http = Start("http_loopback_only = 0\n");
    ASSERT_NE(nullptr, http);
    std::string url = "http://0.0.0.0:" + std::to_string(server.Port()) + "/echo";
    HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, url.c_str());
    Completion done;
    SendAndWait(http, request, done);
    EXPECT_TRUE(done.record.m_bRequestSuccessful);
    EXPECT_EQ(1u, server.RequestCount());
}

TEST_F(SteamHTTPTest, SettingsMakeRequestsFail)
{
    struct Case {
        const char* settings;
        bool created;
        bool sent;
        bool io;
    } cases[] = {
        {"fail_http_create = 1\n", false, false, false},
        {"fail_http_send = call\n", true, false, false},
        {"fail_http_send = io\n", true, true, true},
        {"fail_http_send = 1\n", true, true, false},
    };
    LoopbackHttpServer server;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        ISteamHTTP* http = Start(c.settings);
        ASSERT_NE(nullptr, http);
        HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/echo").c_str());
        EXPECT_EQ(c.created, request != INVALID_HTTPREQUEST_HANDLE);
        if (c.created) {
            SteamAPICall_t call = k_uAPICallInvalid;
            EXPECT_EQ(c.sent, http->SendHTTPRequest(request, &call));
            if (c.sent) {
                Completion done;
                done.call.Set(call, &done, &Completion::OnCompleted);
                for (int i = 0; i < 2000 && done.calls == 0; ++i) {
                    SteamAPI_RunCallbacks();
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
                ASSERT_EQ(1, done.calls);
                EXPECT_EQ(c.io, done.io);
                EXPECT_FALSE(done.record.m_bRequestSuccessful);
            }
        }
        SteamAPI_Shutdown();
    }
    EXPECT_EQ(0u, server.RequestCount()) << "a failing request contacts nothing";
}

TEST_F(SteamHTTPTest, ReleasingOrShuttingDownAbandonsRequestsInFlight)
{
    LoopbackHttpServer server([](const LoopbackHttpServer::Request& request) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return LoopbackHttpServer::StandardRoutes(request);
    });
    ISteamHTTP* http = Start();
    ASSERT_NE(nullptr, http);
    HTTPRequestHandle released = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/echo").c_str());
    SteamAPICall_t call = k_uAPICallInvalid;
    ASSERT_TRUE(http->SendHTTPRequest(released, &call));
    Completion done;
    done.call.Set(call, &done, &Completion::OnCompleted);
    EXPECT_TRUE(http->ReleaseHTTPRequest(released));
    for (int i = 0; i < 200 && done.calls == 0; ++i) {
        SteamAPI_RunCallbacks();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(1, done.calls);
    EXPECT_FALSE(done.record.m_bRequestSuccessful);

    HTTPRequestHandle pending = http->CreateHTTPRequest(k_EHTTPMethodGET, server.Url("/echo").c_str());
    ASSERT_TRUE(http->SendHTTPRequest(pending, &call));
    Completion never;
    never.call.Set(call, &never, &Completion::OnCompleted);
    auto before = std::chrono::steady_clock::now();
    SteamAPI_Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    uint32_t size = 0;
    EXPECT_FALSE(http->GetHTTPResponseBodySize(pending, &size));
    SteamAPI_RunCallbacks();
    EXPECT_EQ(0, never.calls);
    never.call.Cancel();
}

} // namespace
