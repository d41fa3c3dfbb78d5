// The web-core stand-in: one core, its sessions and views. URL loads complete on Update through
// the session's data sources (asset://), data: URLs and about:blank; pages are not laid out or
// drawn, so a view's pixels stay blank. Page objects and their custom methods are recorded so
// that a test can make a page call them.
#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "webcore/WebCore.h"
#include "webcore/WebView.h"
#include "webcore/standin.h"

using WebCoreStandIn::Response;

namespace Awesomium
{
namespace
{

std::string Utf8(const WebString &s)
{
	std::string text(s.length(), '\0');
	s.ToUTF8(text.data(), s.length());
	return text;
}

WebString Web(const std::string &text)
{
	return WebString::CreateFromUTF8(text.data(), static_cast<unsigned int>(text.size()));
}

// Views are at most this wide or high, so a pixel buffer's size always fits.
const int kMaxViewSide = 16384;

int ClampSide(int n)
{
	return n < 1 ? 1 : n > kMaxViewSide ? kMaxViewSide : n;
}

int HexValue(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

std::string PercentDecode(const std::string &text)
{
	std::string out;
	out.reserve(text.size());
	for (size_t i = 0; i < text.size(); ++i)
	{
		if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0)
		{
			out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
			i += 2;
		}
		else
		{
			out += text[i];
		}
	}
	return out;
}

class StandInSession;
class StandInView;

struct PageObject
{
	StandInView *view;
	std::string name;
	std::map<std::string, bool> methods;  // name -> has a return value
};

class StandInCore final : public WebCore
{
public:
	explicit StandInCore(const WebConfig &config) : m_Config(config) {}
	~StandInCore() override;

	WebSession *CreateWebSession(const WebString &path, const WebPreferences &prefs) override;
	WebView *CreateWebView(int width, int height, WebSession *session, WebViewType type) override;
	void Update() override;

	Response Fetch(StandInSession *session, const std::string &url);
	Response FetchAsset(StandInSession *session, const std::string &host, const std::string &path);
	void Answer(int requestId, unsigned int numBytes, const unsigned char *buffer, const WebString &mime);
	void ForgetSource(DataSource *source);

	WebConfig m_Config;
	std::set<StandInSession *> m_Sessions;
	std::set<StandInView *> m_Views;
	std::map<unsigned int, PageObject> m_Objects;
	unsigned int m_NextObjectId = 1;
	int m_NextRequestId = 1;
	// Requests being answered: id -> answer (filled by SendResponse during OnRequest).
	std::map<int, Response> m_Open;
	std::map<int, bool> m_Answered;
};

StandInCore *g_pCore = nullptr;
bool g_bFailNextInitialize = false;
int g_nViewsCreated = 0;
WebView *g_pLastView = nullptr;

class StandInSession final : public WebSession
{
public:
	StandInSession(const WebString &path, const WebPreferences &prefs) : m_Path(path), m_Prefs(prefs) {}

	void Release() const override
	{
		if (g_pCore)
			g_pCore->m_Sessions.erase(const_cast<StandInSession *>(this));
		delete this;
	}
	bool IsOnDisk() const override { return !m_Path.IsEmpty(); }
	WebString data_path() const override { return m_Path; }
	const WebPreferences &preferences() const override { return m_Prefs; }
	void AddDataSource(const WebString &asset_host, DataSource *source) override
	{
		std::string host = Utf8(asset_host);
		for (char &c : host)
			if (c >= 'A' && c <= 'Z')
				c = static_cast<char>(c - 'A' + 'a');
		if (source)
			m_Sources[host] = source;
		else
			m_Sources.erase(host);
	}

	WebString m_Path;
	WebPreferences m_Prefs;
	std::map<std::string, DataSource *> m_Sources;

private:
	~StandInSession() override = default;
};

class StandInView final : public WebView
{
public:
	StandInView(int width, int height, StandInSession *session, WebViewType type)
		: m_pSession(session), m_Type(type), m_nWidth(ClampSide(width)), m_nHeight(ClampSide(height))
	{
		if (type == kWebViewType_Offscreen)
			m_pSurface = new BitmapSurface(m_nWidth, m_nHeight);
	}
	~StandInView() override { delete m_pSurface; }

	void Destroy() override;
	void set_view_listener(WebViewListener::View *listener) override { m_pViewListener = listener; }
	void set_load_listener(WebViewListener::Load *listener) override { m_pLoadListener = listener; }
	void set_js_method_handler(JSMethodHandler *handler) override { m_pHandler = handler; }
	void SetTransparent(bool is_transparent) override { m_bTransparent = is_transparent; }
	bool IsTransparent() const override { return m_bTransparent; }

	void LoadURL(const WebURL &url) override
	{
		m_Url = url;
		m_bLoading = true;
		m_bPending = true;
	}
	WebURL url() const override { return m_Url; }
	bool IsLoading() const override { return m_bLoading; }
	void ExecuteJavascript(const WebString &script, const WebString &) override { m_Scripts.push_back(Utf8(script)); }
	JSValue CreateGlobalJavascriptObject(const WebString &name) override;

	void Resize(int width, int height) override
	{
		width = ClampSide(width);
		height = ClampSide(height);
		if (width == m_nWidth && height == m_nHeight)
			return;
		m_nWidth = width;
		m_nHeight = height;
		if (m_pSurface)
		{
			delete m_pSurface;
			m_pSurface = new BitmapSurface(width, height);
			m_pSurface->set_is_dirty(true);
		}
	}
	int width() const override { return m_nWidth; }
	int height() const override { return m_nHeight; }
	BitmapSurface *surface() override { return m_pSurface; }

	void Focus() override { m_Events.push_back("focus"); }
	void Unfocus() override { m_Events.push_back("unfocus"); }
	void InjectMouseMove(int x, int y) override { m_Events.push_back("move " + std::to_string(x) + " " + std::to_string(y)); }
	void InjectMouseDown(MouseButton button) override { m_Events.push_back("down " + std::to_string(button)); }
	void InjectMouseUp(MouseButton button) override { m_Events.push_back("up " + std::to_string(button)); }
	void InjectMouseWheel(int scroll_vert, int scroll_horz) override
	{
		m_Events.push_back("wheel " + std::to_string(scroll_vert) + " " + std::to_string(scroll_horz));
	}
	void InjectKeyboardEvent(const WebKeyboardEvent &e) override
	{
		m_Events.push_back("key " + std::to_string(e.type) + " " + std::to_string(e.modifiers) + " " +
		                   std::to_string(e.virtual_key_code) + " " + std::to_string(static_cast<unsigned>(e.text[0])));
	}

	// Completes a pending load; false when the view died during a listener call.
	bool FinishLoad();

	StandInSession *m_pSession;
	WebViewType m_Type;
	int m_nWidth, m_nHeight;
	BitmapSurface *m_pSurface = nullptr;
	WebViewListener::View *m_pViewListener = nullptr;
	WebViewListener::Load *m_pLoadListener = nullptr;
	JSMethodHandler *m_pHandler = nullptr;
	bool m_bTransparent = false;
	WebURL m_Url;
	bool m_bLoading = false;
	bool m_bPending = false;
	Response m_Document;
	std::vector<std::string> m_Scripts;
	std::vector<std::string> m_Events;
	std::map<std::string, unsigned int> m_ObjectIds;
};

void StandInView::Destroy()
{
	if (g_pCore)
	{
		g_pCore->m_Views.erase(this);
		for (auto it = g_pCore->m_Objects.begin(); it != g_pCore->m_Objects.end();)
			it = it->second.view == this ? g_pCore->m_Objects.erase(it) : std::next(it);
	}
	delete this;
}

JSValue StandInView::CreateGlobalJavascriptObject(const WebString &name)
{
	if (m_bLoading || !g_pCore)
		return JSValue::Undefined();
	std::string key = Utf8(name);
	auto it = m_ObjectIds.find(key);
	if (it != m_ObjectIds.end())
		return JSValue(JSObject(it->second));
	unsigned int id = g_pCore->m_NextObjectId++;
	m_ObjectIds[key] = id;
	g_pCore->m_Objects[id] = PageObject{this, key, {}};
	return JSValue(JSObject(id));
}

bool StandInView::FinishLoad()
{
	m_bPending = false;
	std::string address = Utf8(m_Url.address());
	WebURL url = m_Url;
	if (m_pLoadListener)
	{
		m_pLoadListener->OnBeginLoadingFrame(this, 1, true, url, false);
		if (!g_pCore || !g_pCore->m_Views.count(this))
			return false;
	}
	Response answer = g_pCore->Fetch(m_pSession, address);
	if (!g_pCore || !g_pCore->m_Views.count(this))
		return false;
	// A newer LoadURL made during the fetch wins; it completes on the next update.
	if (m_bPending)
		return true;
	m_bLoading = false;
	m_Document = answer;
	if (m_pSurface)
		m_pSurface->set_is_dirty(true);
	if (!m_pLoadListener)
		return true;
	if (answer.ok)
	{
		m_pLoadListener->OnFinishLoadingFrame(this, 1, true, url);
		if (!g_pCore || !g_pCore->m_Views.count(this))
			return false;
		m_pLoadListener->OnDocumentReady(this, url);
	}
	else
	{
		m_pLoadListener->OnFailLoadingFrame(this, 1, true, url, -6, Web("net::ERR_FILE_NOT_FOUND"));
	}
	return g_pCore && g_pCore->m_Views.count(this);
}

StandInCore::~StandInCore()
{
	for (StandInView *view : std::set<StandInView *>(m_Views))
		delete view;
	for (StandInSession *session : std::set<StandInSession *>(m_Sessions))
		session->Release();
}

WebSession *StandInCore::CreateWebSession(const WebString &path, const WebPreferences &prefs)
{
	auto *session = new StandInSession(path, prefs);
	m_Sessions.insert(session);
	return session;
}

WebView *StandInCore::CreateWebView(int width, int height, WebSession *session, WebViewType type)
{
	StandInSession *pSession = nullptr;
	for (StandInSession *s : m_Sessions)
		if (static_cast<WebSession *>(s) == session)
			pSession = s;
	auto *view = new StandInView(width, height, pSession, type);
	m_Views.insert(view);
	++g_nViewsCreated;
	g_pLastView = view;
	return view;
}

void StandInCore::Update()
{
	std::vector<StandInView *> pending;
	for (StandInView *view : m_Views)
		if (view->m_bPending)
			pending.push_back(view);
	for (StandInView *view : pending)
	{
		if (!g_pCore)
			return;  // a listener shut the core down
		if (m_Views.count(view) && view->m_bPending)
			view->FinishLoad();
	}
}

Response StandInCore::Fetch(StandInSession *session, const std::string &address)
{
	WebURL url(Web(address));
	Response answer;
	if (!url.IsValid())
		return answer;
	std::string scheme = Utf8(url.scheme());
	if (scheme == "asset")
	{
		std::string host = Utf8(url.host());
		for (char &c : host)
			if (c >= 'A' && c <= 'Z')
				c = static_cast<char>(c - 'A' + 'a');
		std::string path = Utf8(url.path());
		if (!path.empty() && path[0] == '/')
			path.erase(0, 1);
		return FetchAsset(session, host, path);
	}
	if (scheme == "data")
	{
		std::string rest = Utf8(url.path());
		size_t comma = rest.find(',');
		if (comma == std::string::npos)
			return answer;
		std::string meta = rest.substr(0, comma);
		if (meta.find(";base64") != std::string::npos)
			return answer;  // only percent-encoded data is understood here
		answer.ok = true;
		answer.mime = meta.substr(0, meta.find(';'));
		if (answer.mime.empty())
			answer.mime = "text/plain";
		answer.bytes = PercentDecode(rest.substr(comma + 1));
		return answer;
	}
	if (scheme == "about" && Utf8(url.path()) == "blank")
	{
		answer.ok = true;
		answer.mime = "text/html";
		return answer;
	}
	return answer;  // no network here
}

Response StandInCore::FetchAsset(StandInSession *session, const std::string &host, const std::string &path)
{
	Response answer;
	if (!session)
		return answer;
	auto it = session->m_Sources.find(host);
	if (it == session->m_Sources.end())
		return answer;
	int id = m_NextRequestId++;
	m_Open[id] = Response();
	m_Answered[id] = false;
	it->second->OnRequest(id, Web(path));
	if (g_pCore != this)
		return answer;
	answer = m_Open[id];
	bool answered = m_Answered[id];
	m_Open.erase(id);
	m_Answered.erase(id);
	if (!answered)
		answer.ok = false;
	return answer;
}

void StandInCore::Answer(int requestId, unsigned int numBytes, const unsigned char *buffer, const WebString &mime)
{
	auto it = m_Open.find(requestId);
	if (it == m_Open.end() || m_Answered[requestId])
		return;  // unknown or already answered: ignored
	m_Answered[requestId] = true;
	Response &answer = it->second;
	answer.mime = Utf8(mime);
	if (buffer && numBytes)
		answer.bytes.assign(reinterpret_cast<const char *>(buffer), numBytes);
	// No bytes and no type is how a source says it has nothing.
	answer.ok = !(answer.bytes.empty() && answer.mime.empty());
}

void StandInCore::ForgetSource(DataSource *source)
{
	for (StandInSession *session : m_Sessions)
		for (auto it = session->m_Sources.begin(); it != session->m_Sources.end();)
			it = it->second == source ? session->m_Sources.erase(it) : std::next(it);
}

}  // namespace

BitmapSurface::BitmapSurface(int width, int height)
	: m_nWidth(ClampSide(width)), m_nHeight(ClampSide(height)), m_bDirty(false)
{
	m_pBuffer = static_cast<unsigned char *>(calloc(static_cast<size_t>(m_nWidth) * m_nHeight, 4));
}

BitmapSurface::~BitmapSurface()
{
	free(m_pBuffer);
}

DataSource::~DataSource()
{
	if (g_pCore)
		g_pCore->ForgetSource(this);
}

void DataSource::SendResponse(int request_id, unsigned int num_bytes, unsigned char *buffer, const WebString &mime_type)
{
	if (g_pCore)
		g_pCore->Answer(request_id, num_bytes, buffer, mime_type);
}

void JSObject::SetCustomMethod(const WebString &name, bool hasReturnValue)
{
	if (!g_pCore)
		return;
	auto it = g_pCore->m_Objects.find(m_RemoteId);
	if (it != g_pCore->m_Objects.end())
		it->second.methods[Utf8(name)] = hasReturnValue;
}

WebCore *WebCore::Initialize(const WebConfig &config)
{
	if (g_bFailNextInitialize)
	{
		g_bFailNextInitialize = false;
		return nullptr;
	}
	if (g_pCore)
		return nullptr;
	g_pCore = new StandInCore(config);
	return g_pCore;
}

void WebCore::Shutdown()
{
	StandInCore *core = g_pCore;
	g_pCore = nullptr;
	delete core;
}

WebCore *WebCore::instance()
{
	return g_pCore;
}

}  // namespace Awesomium

namespace WebCoreStandIn
{
using namespace Awesomium;

namespace
{
StandInView *Live(const WebView *view)
{
	// Compared as base pointers: a dead view is never cast (its memory may be gone).
	if (!g_pCore || !view)
		return nullptr;
	for (StandInView *v : g_pCore->m_Views)
		if (static_cast<const WebView *>(v) == view)
			return v;
	return nullptr;
}
}

void FailNextInitialize(bool fail)
{
	g_bFailNextInitialize = fail;
}

const WebConfig *Config()
{
	return g_pCore ? &g_pCore->m_Config : nullptr;
}

const WebPreferences *SessionPreferences(const WebSession *session)
{
	if (!g_pCore)
		return nullptr;
	for (StandInSession *s : g_pCore->m_Sessions)
		if (static_cast<const WebSession *>(s) == session)
			return &s->preferences();
	return nullptr;
}

int LiveViews()
{
	return g_pCore ? static_cast<int>(g_pCore->m_Views.size()) : 0;
}

int LiveSessions()
{
	return g_pCore ? static_cast<int>(g_pCore->m_Sessions.size()) : 0;
}

int ViewsCreated()
{
	return g_nViewsCreated;
}

WebView *LastViewCreated()
{
	return Live(g_pLastView);
}

bool IsLiveView(const WebView *view)
{
	return Live(view) != nullptr;
}

WebSession *SessionOf(const WebView *view)
{
	StandInView *v = Live(view);
	return v ? v->m_pSession : nullptr;
}

Response Fetch(WebView *view, const std::string &url)
{
	StandInView *v = Live(view);
	return v ? g_pCore->Fetch(v->m_pSession, url) : Response();
}

Response Document(const WebView *view)
{
	StandInView *v = Live(view);
	return v ? v->m_Document : Response();
}

std::vector<std::string> Scripts(const WebView *view)
{
	StandInView *v = Live(view);
	return v ? v->m_Scripts : std::vector<std::string>();
}

std::vector<std::string> Events(const WebView *view)
{
	StandInView *v = Live(view);
	return v ? v->m_Events : std::vector<std::string>();
}

bool PageCall(WebView *view, const std::string &objectName, const std::string &methodName, const JSArray &args,
              JSValue *result)
{
	StandInView *v = Live(view);
	if (!v)
		return false;
	auto id = v->m_ObjectIds.find(objectName);
	if (id == v->m_ObjectIds.end())
		return false;
	const PageObject &object = g_pCore->m_Objects[id->second];
	auto method = object.methods.find(methodName);
	if (method == object.methods.end())
		return false;
	unsigned int remoteId = id->second;
	bool hasReturn = method->second;
	WebString name = Web(methodName);
	if (!v->m_pHandler)
		return true;
	if (hasReturn)
	{
		JSValue answer = v->m_pHandler->OnMethodCallWithReturnValue(v, remoteId, name, args);
		if (result)
			*result = answer;
	}
	else
	{
		v->m_pHandler->OnMethodCall(v, remoteId, name, args);
	}
	return true;
}

}  // namespace WebCoreStandIn
