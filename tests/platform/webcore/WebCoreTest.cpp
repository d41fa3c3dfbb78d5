// The web-core stand-in: one core, sessions with data sources, views that load on Update and
// tell their listeners, page objects called by page scripts, and input and resizing.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "webcore/WebCore.h"
#include "webcore/WebView.h"
#include "webcore/standin.h"

using namespace Awesomium;

namespace
{
WebString Web(const std::string &s)
{
	return WebString::CreateFromUTF8(s.data(), static_cast<unsigned int>(s.size()));
}
std::string Utf8(const WebString &s)
{
	std::string text(s.length(), '\0');
	s.ToUTF8(text.data(), s.length());
	return text;
}

// Answers every path with its own text as "text/plain", or in other ways when told.
class EchoSource : public DataSource
{
public:
	enum Mode { kEcho, kNothing, kSilent, kTwice };
	Mode mode = kEcho;
	std::vector<std::string> paths;

	void OnRequest(int request_id, const WebString &path) override
	{
		paths.push_back(Utf8(path));
		std::string text = "echo:" + paths.back();
		switch (mode)
		{
		case kEcho:
			SendResponse(request_id, static_cast<unsigned int>(text.size()),
			             reinterpret_cast<unsigned char *>(text.data()), Web("text/plain"));
			break;
		case kNothing: SendResponse(request_id, 0, nullptr, WebString()); break;
		case kSilent: break;
		case kTwice:
			SendResponse(request_id, 3, reinterpret_cast<unsigned char *>(text.data()), Web("a/b"));
			SendResponse(request_id, 0, nullptr, WebString());
			break;
		}
	}
};

// Records load events; can destroy its view from a callback.
class LoadLog : public WebViewListener::Load
{
public:
	std::vector<std::string> events;
	bool destroyOnBegin = false;

	void OnBeginLoadingFrame(WebView *caller, int64_t, bool, const WebURL &url, bool) override
	{
		events.push_back("begin " + Utf8(url.address()));
		if (destroyOnBegin)
			caller->Destroy();
	}
	void OnFailLoadingFrame(WebView *, int64_t, bool, const WebURL &url, int, const WebString &) override
	{
		events.push_back("fail " + Utf8(url.address()));
	}
	void OnFinishLoadingFrame(WebView *, int64_t, bool, const WebURL &url) override
	{
		events.push_back("finish " + Utf8(url.address()));
	}
	void OnDocumentReady(WebView *, const WebURL &url) override { events.push_back("ready " + Utf8(url.address())); }
};

class CallLog : public JSMethodHandler
{
public:
	std::vector<std::string> calls;
	void OnMethodCall(WebView *, unsigned int id, const WebString &name, const JSArray &args) override
	{
		calls.push_back(std::to_string(id) + " " + Utf8(name) + " " + std::to_string(args.size()));
	}
	JSValue OnMethodCallWithReturnValue(WebView *, unsigned int id, const WebString &name, const JSArray &args) override
	{
		calls.push_back("ret " + std::to_string(id) + " " + Utf8(name));
		return args.size() ? args[0] : JSValue(Web("none"));
	}
};

class WebCoreTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		WebConfig config;
		config.user_agent = Web("agent");
		core = WebCore::Initialize(config);
		ASSERT_NE(core, nullptr);
		session = core->CreateWebSession(WebString(), WebPreferences());
		session->AddDataSource(Web("Zorvan"), &source);
		view = core->CreateWebView(512, 512, session);
	}
	void TearDown() override { WebCore::Shutdown(); }

	WebCore *core = nullptr;
	WebSession *session = nullptr;
	WebView *view = nullptr;
	EchoSource source;
};
}

TEST(WebCoreStart, OneCoreAtATimeAndAFailureOnRequest)
{
	WebCore *core = WebCore::Initialize(WebConfig());
	ASSERT_NE(core, nullptr);
	EXPECT_EQ(WebCore::instance(), core);
	EXPECT_EQ(WebCore::Initialize(WebConfig()), nullptr);
	WebCore::Shutdown();
	EXPECT_EQ(WebCore::instance(), nullptr);
	WebCore::Shutdown();  // nothing running: nothing to do

	WebCoreStandIn::FailNextInitialize(true);
	EXPECT_EQ(WebCore::Initialize(WebConfig()), nullptr);
	core = WebCore::Initialize(WebConfig());
	EXPECT_NE(core, nullptr);
	WebCore::Shutdown();
}

TEST_F(WebCoreTest, LoadsCompleteOnUpdateAndTellTheListener)
{
	LoadLog log;
	view->set_load_listener(&log);
	view->LoadURL(WebURL(Web("asset://zorvan/html/a.html?x=1")));
	EXPECT_TRUE(view->IsLoading());
	EXPECT_TRUE(log.events.empty());
	core->Update();
	EXPECT_FALSE(view->IsLoading());
	ASSERT_EQ(source.paths.size(), 1u);
	EXPECT_EQ(source.paths[0], "html/a.html?x=1");  // the part after the host, query kept
	EXPECT_EQ(WebCoreStandIn::Document(view).bytes, "echo:html/a.html?x=1");
	EXPECT_EQ(log.events, (std::vector<std::string>{ "begin asset://zorvan/html/a.html?x=1",
	                                                 "finish asset://zorvan/html/a.html?x=1",
	                                                 "ready asset://zorvan/html/a.html?x=1" }));
	ASSERT_NE(view->surface(), nullptr);
	EXPECT_TRUE(view->surface()->is_dirty());

	log.events.clear();
	view->LoadURL(WebURL(Web("http://127.0.0.1/")));  // no network
	core->Update();
	EXPECT_EQ(log.events.back(), "fail http://127.0.0.1/");
	EXPECT_FALSE(WebCoreStandIn::Document(view).ok);
}

TEST_F(WebCoreTest, DataSourceAnswersAreCheckedAndCopied)
{
	const struct
	{
		EchoSource::Mode mode;
		bool ok;
		const char *bytes;
		const char *mime;
	} kCases[] = {
		{ EchoSource::kEcho, true, "echo:p", "text/plain" },
		{ EchoSource::kNothing, false, "", "" },
		{ EchoSource::kSilent, false, "", "" },
		{ EchoSource::kTwice, true, "ech", "a/b" },  // the second answer is ignored
	};
	for (const auto &c : kCases)
	{
		source.mode = c.mode;
		WebCoreStandIn::Response answer = WebCoreStandIn::Fetch(view, "asset://zorvan/p");
		EXPECT_EQ(answer.ok, c.ok);
		EXPECT_EQ(answer.bytes, c.bytes);
		EXPECT_EQ(answer.mime, c.mime);
	}
	EXPECT_FALSE(WebCoreStandIn::Fetch(view, "asset://unknown/p").ok);
	{
		EchoSource shortLived;
		session->AddDataSource(Web("brief"), &shortLived);
		EXPECT_TRUE(WebCoreStandIn::Fetch(view, "asset://brief/x").ok);
	}
	EXPECT_FALSE(WebCoreStandIn::Fetch(view, "asset://brief/x").ok);  // gone with its source
}

TEST_F(WebCoreTest, DataAndBlankURLsLoadWithoutASource)
{
	WebCoreStandIn::Response page = WebCoreStandIn::Fetch(view, "data:text/html;charset=utf-8,%3Cp%3Ehi%3C%2Fp%3E%");
	EXPECT_TRUE(page.ok);
	EXPECT_EQ(page.mime, "text/html");
	EXPECT_EQ(page.bytes, "<p>hi</p>%");
	EXPECT_TRUE(WebCoreStandIn::Fetch(view, "about:blank").ok);
	EXPECT_FALSE(WebCoreStandIn::Fetch(view, "data:no comma").ok);
	EXPECT_FALSE(WebCoreStandIn::Fetch(view, "file:///etc/passwd").ok);
}

TEST_F(WebCoreTest, AViewDestroyedByItsListenerIsLeftAlone)
{
	LoadLog log;
	log.destroyOnBegin = true;
	view->set_load_listener(&log);
	view->LoadURL(WebURL(Web("asset://zorvan/a")));
	core->Update();
	EXPECT_FALSE(WebCoreStandIn::IsLiveView(view));
	EXPECT_TRUE(source.paths.empty());
	view = nullptr;
}

TEST_F(WebCoreTest, PageObjectsCallTheMethodHandler)
{
	CallLog handler;
	view->set_js_method_handler(&handler);
	view->LoadURL(WebURL(Web("about:blank")));
	EXPECT_TRUE(view->CreateGlobalJavascriptObject(Web("menu")).IsUndefined());  // still loading
	core->Update();

	JSValue menu = view->CreateGlobalJavascriptObject(Web("menu"));
	ASSERT_TRUE(menu.IsObject());
	EXPECT_EQ(view->CreateGlobalJavascriptObject(Web("menu")).ToObject().remote_id(), menu.ToObject().remote_id());
	menu.ToObject().SetCustomMethod(Web("Click"), false);
	menu.ToObject().SetCustomMethod(Web("Ask"), true);

	JSArray args;
	args.Push(JSValue(7));
	std::string id = std::to_string(menu.ToObject().remote_id());
	EXPECT_TRUE(WebCoreStandIn::PageCall(view, "menu", "Click", args));
	JSValue result;
	EXPECT_TRUE(WebCoreStandIn::PageCall(view, "menu", "Ask", args, &result));
	EXPECT_EQ(result.ToInteger(), 7);
	EXPECT_FALSE(WebCoreStandIn::PageCall(view, "menu", "Missing", args));
	EXPECT_FALSE(WebCoreStandIn::PageCall(view, "other", "Click", args));
	EXPECT_EQ(handler.calls, (std::vector<std::string>{ id + " Click 1", "ret " + id + " Ask" }));

	view->ExecuteJavascript(Web("menu.Click()"), WebString());
	EXPECT_EQ(WebCoreStandIn::Scripts(view), std::vector<std::string>{ "menu.Click()" });
}

TEST_F(WebCoreTest, InputIsRecordedAndResizingRenewsTheSurface)
{
	view->Focus();
	view->InjectMouseMove(10, 20);
	view->InjectMouseDown(kMouseButton_Right);
	view->InjectMouseUp(kMouseButton_Right);
	view->InjectMouseWheel(-120, 0);
	WebKeyboardEvent key;
	key.type = WebKeyboardEvent::kTypeChar;
	key.text[0] = u'a';
	key.virtual_key_code = 'a';
	view->InjectKeyboardEvent(key);
	view->Unfocus();
	EXPECT_EQ(WebCoreStandIn::Events(view),
	          (std::vector<std::string>{ "focus", "move 10 20", "down 2", "up 2", "wheel -120 0", "key 2 0 97 97", "unfocus" }));

	view->Resize(300, 200);
	ASSERT_NE(view->surface(), nullptr);
	EXPECT_EQ(view->surface()->width(), 300);
	EXPECT_EQ(view->surface()->height(), 200);
	EXPECT_EQ(view->surface()->row_span(), 1200);
	EXPECT_TRUE(view->surface()->is_dirty());
	EXPECT_EQ(view->surface()->buffer()[1200 * 200 - 1], 0);  // blank pixels
	view->Resize(-5, 1 << 30);  // clamped, never a huge or negative buffer
	EXPECT_EQ(view->width(), 1);
	EXPECT_EQ(view->height(), 16384);
}
