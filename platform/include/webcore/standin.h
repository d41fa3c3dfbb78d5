// Controls of the web-core stand-in for hosts and tests: start-up failure, what a page did, and
// page scripts calling bridged methods or fetching URLs. The system's own code never includes it.
#pragma once

#include <string>
#include <vector>

#include "webcore/WebCore.h"
#include "webcore/WebView.h"

namespace WebCoreStandIn
{

// Makes the next WebCore::Initialize return null.
void FailNextInitialize(bool fail);
// The configuration the running core was started with; null when no core runs.
const Awesomium::WebConfig *Config();
// The preferences a session was created with.
const Awesomium::WebPreferences *SessionPreferences(const Awesomium::WebSession *session);

int LiveViews();
int LiveSessions();
int ViewsCreated();  // since the process started
// The view created last (null when it is gone or none was made).
Awesomium::WebView *LastViewCreated();
bool IsLiveView(const Awesomium::WebView *view);
// The session a view was created in (null when none or the view is dead).
Awesomium::WebSession *SessionOf(const Awesomium::WebView *view);

// One answer to a URL: true with the bytes and the MIME type, or false.
struct Response
{
	bool ok = false;
	std::string mime;
	std::string bytes;
};

// Fetches a URL as the view's page would (asset:// through the session's data sources, data:,
// about:blank); nothing else is reachable.
Response Fetch(Awesomium::WebView *view, const std::string &url);
// The document last loaded into the view (ok false when its load failed or none finished).
Response Document(const Awesomium::WebView *view);
// Scripts run in the view, in order.
std::vector<std::string> Scripts(const Awesomium::WebView *view);
// Input the view received, one line per event ("move 10 20", "down 0", "key 0 1 65", ...).
std::vector<std::string> Events(const Awesomium::WebView *view);

// A page script calls objectName.methodName(args...). False when the view, the object or the
// method does not exist; otherwise the view's method handler is called and, for a method with
// a return value, *result receives its answer.
bool PageCall(Awesomium::WebView *view, const std::string &objectName, const std::string &methodName,
              const Awesomium::JSArray &args, Awesomium::JSValue *result = nullptr);

}  // namespace WebCoreStandIn
