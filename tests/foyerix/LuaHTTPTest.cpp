// The HTTP global against Steam's HTTP service and a loopback server: a host without Steam
// HTTP, failures made by Steam, the Steam request released on every path, and requests that
// outlive their menu state.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "fixtures/LoopbackHttpServer.h"
#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "platform/steam/SteamTestFolder.h"
#include "steam/steam_api.h"
#include "tier0/standin.h"

namespace
{
// "/slow..." answers like "/echo" after 200 ms; everything else as the standard routes.
LoopbackHttpServer::Response SlowOrStandard(const LoopbackHttpServer::Request &request)
{
	if (request.target.compare(0, 5, "/slow") == 0)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(200));
		LoopbackHttpServer::Request echo = request;
		echo.target = "/echo";
		return LoopbackHttpServer::StandardRoutes(echo);
	}
	return LoopbackHttpServer::StandardRoutes(request);
}

struct Completion
{
	void OnCompleted(HTTPRequestCompleted_t *, bool) { done = true; }
	CCallResult<Completion, HTTPRequestCompleted_t> call;
	bool done = false;
};

// Steam's HTTP interface passed through, with chosen operations misbehaving.
class MisbehavingHTTP final : public ISteamHTTP
{
public:
	explicit MisbehavingHTTP(ISteamHTTP *real) : m_real(real) {}

	HTTPRequestHandle CreateHTTPRequest(EHTTPMethod method, const char *url) override
	{
		return m_real->CreateHTTPRequest(method, url);
	}
	bool SetHTTPRequestGetOrPostParameter(HTTPRequestHandle request, const char *name, const char *value) override
	{
		return m_real->SetHTTPRequestGetOrPostParameter(request, name, value);
	}
	bool SendHTTPRequest(HTTPRequestHandle request, SteamAPICall_t *call) override
	{
		bool sent = m_real->SendHTTPRequest(request, call);
		if (sendGivesNoCall)
			*call = k_uAPICallInvalid;
		return sent;
	}
	bool GetHTTPResponseHeaderValue(HTTPRequestHandle request, const char *name, uint8_t *value, uint32_t size) override
	{
		return m_real->GetHTTPResponseHeaderValue(request, name, value, size);
	}
	bool GetHTTPResponseBodySize(HTTPRequestHandle request, uint32_t *size) override
	{
		return m_real->GetHTTPResponseBodySize(request, size);
	}
	bool GetHTTPResponseBodyData(HTTPRequestHandle request, uint8_t *data, uint32_t size) override
	{
		return bodyCopyFails ? false : m_real->GetHTTPResponseBodyData(request, data, size);
	}
	bool ReleaseHTTPRequest(HTTPRequestHandle request) override
	{
		++releases;
		return m_real->ReleaseHTTPRequest(request);
	}

	bool sendGivesNoCall = false;
	bool bodyCopyFails = false;
	int releases = 0;

private:
	ISteamHTTP *m_real;
};

class LuaHTTPTest : public ::testing::Test
{
protected:
	void TearDown() override { Stop(); }

	// Steam runs over the test's folder with these settings; the harness keeps it running.
	void Start(const std::string &settings = std::string())
	{
		m_folder.Settings(settings);
		ASSERT_TRUE(SteamAPI_InitSafe());
		m_harness.reset(new MenuLuaHarness());
		m_lua = m_harness->Open(true);
		ASSERT_NE(nullptr, m_lua);
		ASSERT_NE(nullptr, m_harness->steamHTTP);
	}

	void Stop()
	{
		m_harness.reset();
		m_lua = nullptr;
		SteamAPI_Shutdown();
	}

	bool Run(const std::string &code) { return m_lua->RunString("test", "", code.c_str(), true, true); }

	std::string Eval(const std::string &expr)
	{
		if (!m_lua->CompileString("eval", ("return tostring(" + expr + ")").c_str()))
		{
			m_lua->Pop(1);
			return "<compile error>";
		}
		const char *s = m_lua->CallInternalGetString(0);
		return s ? s : "<nil>";
	}

	// One frame, and a little real time for the transfer thread and the server.
	void Frame()
	{
		m_harness->Advance(0.01);
		std::this_thread::sleep_for(std::chrono::milliseconds(5));
	}

	// Runs frames until the Lua expression is true, 10 s at most.
	bool WaitFor(const std::string &expr)
	{
		for (int i = 0; i < 2000; ++i)
		{
			if (Eval(expr) == "true")
				return true;
			Frame();
		}
		return false;
	}

	// The handle the next Steam HTTP request will get (the stand-in numbers them in order);
	// the probe request is released again. Invalid when no request can be made.
	HTTPRequestHandle NextRequestHandle()
	{
		HTTPRequestHandle probe = m_harness->steamHTTP->CreateHTTPRequest(k_EHTTPMethodGET, "http://127.0.0.1/");
		if (probe == INVALID_HTTPREQUEST_HANDLE)
			return probe;
		m_harness->steamHTTP->ReleaseHTTPRequest(probe);
		return probe + 1;
	}

	// Whether Steam still held the request (releasing it answers that).
	bool StillHeld(HTTPRequestHandle request) { return m_harness->steamHTTP->ReleaseHTTPRequest(request); }

	// A request of the test's own, sent after the ones under test: the server answers one
	// connection at a time, so once this one has completed (and a few frames more), every
	// request sent before it has completed too.
	void RunUntilEarlierRequestsComplete()
	{
		ISteamHTTP *http = m_harness->steamHTTP;
		HTTPRequestHandle request = http->CreateHTTPRequest(k_EHTTPMethodGET, m_server.Url("/empty").c_str());
		SteamAPICall_t call = k_uAPICallInvalid;
		ASSERT_TRUE(http->SendHTTPRequest(request, &call));
		Completion sentinel;
		sentinel.call.Set(call, &sentinel, &Completion::OnCompleted);
		for (int i = 0; i < 2000 && !sentinel.done; ++i)
			Frame();
		ASSERT_TRUE(sentinel.done);
		for (int i = 0; i < 20; ++i)
			Frame();
		http->ReleaseHTTPRequest(request);
	}

	SteamTestFolder m_folder;
	LoopbackHttpServer m_server{ SlowOrStandard };
	std::unique_ptr<MenuLuaHarness> m_harness;
	ILuaInterface *m_lua = nullptr;
};

TEST_F(LuaHTTPTest, AHostWithoutSteamHTTPGetsAWarningAndNoResult)
{
	Start();
	m_harness->steamHTTP = nullptr;
	Tier0OutputCapture capture;
	ASSERT_TRUE(Run("n = select('#', HTTP({ url = '" + m_server.Url("/echo") +
	                "', failed = function() called = true end }))"));
	EXPECT_EQ("0", Eval("n"));
	EXPECT_EQ("HTTP failed - ISteamHTTP isn't available!\n", capture.Of(Tier0OutputKind::Warning));
	for (int i = 0; i < 10; ++i)
		Frame();
	EXPECT_EQ("nil", Eval("called"));
	EXPECT_EQ(0u, m_server.RequestCount());
}

TEST_F(LuaHTTPTest, EveryEndReachesTheScriptAndReleasesTheSteamRequest)
{
	struct Case
	{
		const char *settings;
		const char *path;
		const char *outcome;  // the failed reason, or "success <status>"
		bool synchronous;     // known before HTTP returns
	} cases[] = {
		{ "", "/status/201", "success 201", false },
		{ "fail_http_create = 1\n", "/echo", "invalid request", true },
		{ "fail_http_send = call\n", "/echo", "invalid request", true },
		{ "fail_http_send = io\n", "/echo", "error", false },
		{ "fail_http_send = 1\n", "/echo", "unsuccessful", false },
		{ "http_body_limit = 1000\n", "/big/1000", "success 200", false },
		{ "http_body_limit = 1000\n", "/big/200000", "unsuccessful", false },
	};
	for (const Case &c : cases)
	{
		SCOPED_TRACE(std::string(c.settings) + c.path);
		Start(c.settings);
		HTTPRequestHandle request = NextRequestHandle();
		ASSERT_TRUE(Run("outcome = nil; r = HTTP({ url = '" + m_server.Url(c.path) +
		                "', success = function(code) outcome = 'success ' .. code end,"
		                "  failed = function(reason) outcome = reason end })"));
		EXPECT_EQ("true", Eval("r"));
		if (c.synchronous)
		{
			EXPECT_EQ(c.outcome, Eval("outcome"));
		}
		else
		{
			EXPECT_EQ("nil", Eval("outcome")) << "not before a later frame";
			EXPECT_TRUE(WaitFor("outcome ~= nil"));
			EXPECT_EQ(c.outcome, Eval("outcome"));
		}
		if (request != INVALID_HTTPREQUEST_HANDLE)
		{
			EXPECT_FALSE(StillHeld(request)) << "the Steam request was released";
		}
		Stop();
	}
}

TEST_F(LuaHTTPTest, ARequestThatOutlivesItsMenuStateCallsNothingAndStillFinishes)
{
	Start();
	std::string slow = m_server.Url("/slow");
	HTTPRequestHandle first = NextRequestHandle();
	ASSERT_TRUE(Run("HTTP({ url = '" + slow + "', success = function() print('old success') end })"));
	for (int i = 0; i < 2000 && m_server.RequestCount() == 0; ++i)
		Frame();
	// A menu reload: the answer arrives while another state is current.
	m_harness->Close();
	m_lua = m_harness->Open(true);
	ASSERT_TRUE(Run("success = function() called = true end; failed = success"));
	RunUntilEarlierRequestsComplete();
	EXPECT_EQ("nil", Eval("called"));
	EXPECT_FALSE(StillHeld(first));

	// The state closed and none current when the answer arrives.
	HTTPRequestHandle second = NextRequestHandle();
	ASSERT_TRUE(Run("HTTP({ url = '" + slow + "', success = function() end, failed = function() end })"));
	size_t before = m_server.RequestCount();
	for (int i = 0; i < 2000 && m_server.RequestCount() == before; ++i)
		Frame();
	m_harness->Close();
	m_lua = nullptr;
	RunUntilEarlierRequestsComplete();
	EXPECT_FALSE(StillHeld(second));
}

TEST_F(LuaHTTPTest, ASendWithoutACallFailsAtOnceAndABodyThatCannotBeCopiedArrivesEmpty)
{
	Start();
	MisbehavingHTTP http(m_harness->steamHTTP);
	m_harness->steamHTTP = &http;
	// Such a request could never complete: it fails like a refused send.
	http.sendGivesNoCall = true;
	ASSERT_TRUE(Run("reason = nil; HTTP({ url = '" + m_server.Url("/echo") +
	                "', failed = function(r) reason = r end })"));
	EXPECT_EQ("invalid request", Eval("reason"));
	EXPECT_EQ(1, http.releases);

	http.sendGivesNoCall = false;
	http.bodyCopyFails = true;
	http.releases = 0;
	ASSERT_TRUE(Run("body = nil; HTTP({ url = '" + m_server.Url("/big/5000") +
	                "', success = function(code, b) body = b end })"));
	EXPECT_TRUE(WaitFor("body ~= nil"));
	EXPECT_EQ("0", Eval("#body")) << "never memory that was not filled";
	EXPECT_EQ(1, http.releases);
	m_harness->steamHTTP = nullptr;
}
}
