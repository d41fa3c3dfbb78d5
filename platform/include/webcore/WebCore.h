// The web core: start-up configuration, preferences, sessions with their data sources, and the
// factory of web views. One core per process; everything runs on the caller's thread.
#pragma once

#include "webcore/WebString.h"

namespace Awesomium
{

class WebView;
class WebSession;

enum WebViewType
{
	kWebViewType_Offscreen = 0,  // pixels kept in a BitmapSurface for the caller to draw
	kWebViewType_Window = 1,
};

struct WebConfig
{
	WebStringArray additional_options;
	WebString user_agent;
	int log_level = 1;
	WebString package_path;
	WebString plugin_path;
	WebString log_path;
	int remote_debugging_port = 0;
};

struct WebPreferences
{
	bool enable_javascript = true;
	bool enable_plugins = false;
	bool enable_local_storage = true;
	bool enable_web_security = true;
	bool allow_file_access_from_file_url = false;
	bool allow_universal_access_from_file_url = false;
	bool shrink_standalone_images_to_fit = true;
	WebString default_encoding;
	WebString accept_language;
};

// Answers requests for the URLs of one asset host ("asset://<host>/<path>"). OnRequest must
// answer each request exactly once with SendResponse; the core copies the bytes it is given.
class DataSource
{
public:
	DataSource() = default;
	virtual ~DataSource();
	DataSource(const DataSource &) = delete;
	DataSource &operator=(const DataSource &) = delete;

	// path: what follows "asset://<host>/", query included.
	virtual void OnRequest(int request_id, const WebString &path) = 0;

	void SendResponse(int request_id, unsigned int num_bytes, unsigned char *buffer, const WebString &mime_type);
};

class WebSession
{
public:
	// Destroys the session; its views stay usable until they are destroyed.
	virtual void Release() const = 0;
	virtual bool IsOnDisk() const = 0;
	virtual WebString data_path() const = 0;
	virtual const WebPreferences &preferences() const = 0;
	// Routes requests for asset://<asset_host>/ to the source (not owned; it must outlive the
	// session). A later source for the same host replaces the earlier one.
	virtual void AddDataSource(const WebString &asset_host, DataSource *source) = 0;

protected:
	virtual ~WebSession() = default;
};

class WebCore
{
public:
	// Starts the core; null when it cannot start or one is already running.
	static WebCore *Initialize(const WebConfig &config);
	// Stops the core and destroys every session and view that is left.
	static void Shutdown();
	static WebCore *instance();

	virtual WebSession *CreateWebSession(const WebString &path, const WebPreferences &prefs) = 0;
	virtual WebView *CreateWebView(int width, int height, WebSession *session = nullptr,
	                               WebViewType type = kWebViewType_Offscreen) = 0;
	// Runs one step: pending URL loads are answered and their listeners told.
	virtual void Update() = 0;

protected:
	virtual ~WebCore() = default;
};

}  // namespace Awesomium
