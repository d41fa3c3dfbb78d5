// A web view: loads URLs, runs scripts, holds page objects, takes input events and keeps its
// pixels in a BitmapSurface. Pages are not laid out or drawn: the pixels stay blank.
#pragma once

#include <cstdint>

#include "webcore/JSValue.h"
#include "webcore/WebString.h"

namespace Awesomium
{

class WebView;

enum MouseButton
{
	kMouseButton_Left = 0,
	kMouseButton_Middle = 1,
	kMouseButton_Right = 2,
};

enum Cursor
{
	kCursor_Pointer = 0,
	kCursor_Cross,
	kCursor_Hand,
	kCursor_IBeam,
	kCursor_Wait,
	kCursor_Help,
};

struct WebKeyboardEvent
{
	enum Type
	{
		kTypeKeyDown = 0,
		kTypeKeyUp = 1,
		kTypeChar = 2,
	};
	enum Modifiers
	{
		kModShiftKey = 1 << 0,
		kModControlKey = 1 << 1,
		kModAltKey = 1 << 2,
		kModMetaKey = 1 << 3,
	};

	Type type = kTypeKeyDown;
	int modifiers = 0;
	int virtual_key_code = 0;
	int native_key_code = 0;
	char key_identifier[20] = {};
	char16_t text[4] = {};
	char16_t unmodified_text[4] = {};
	bool is_system_key = false;
};

// 32-bit BGRA pixels, row after row; marked dirty whenever the view repaints.
class BitmapSurface
{
public:
	BitmapSurface(int width, int height);
	BitmapSurface(const BitmapSurface &) = delete;
	BitmapSurface &operator=(const BitmapSurface &) = delete;
	~BitmapSurface();

	const unsigned char *buffer() const { return m_pBuffer; }
	int width() const { return m_nWidth; }
	int height() const { return m_nHeight; }
	int row_span() const { return m_nWidth * 4; }
	bool is_dirty() const { return m_bDirty; }
	void set_is_dirty(bool dirty) { m_bDirty = dirty; }

private:
	unsigned char *m_pBuffer;
	int m_nWidth;
	int m_nHeight;
	bool m_bDirty;
};

namespace WebViewListener
{
class View
{
public:
	virtual void OnChangeTitle(WebView *caller, const WebString &title) = 0;
	virtual void OnChangeAddressBar(WebView *caller, const WebURL &url) = 0;
	virtual void OnChangeTooltip(WebView *caller, const WebString &tooltip) = 0;
	virtual void OnChangeTargetURL(WebView *caller, const WebURL &url) = 0;
	virtual void OnChangeCursor(WebView *caller, Cursor cursor) = 0;
	virtual void OnChangeFocus(WebView *caller, int focused_type) = 0;
	virtual void OnShowCreatedWebView(WebView *caller, WebView *new_view, const WebURL &opener_url,
	                                  const WebURL &target_url, bool is_popup) = 0;
	virtual void OnAddConsoleMessage(WebView *caller, const WebString &message, int line_number,
	                                 const WebString &source) = 0;

protected:
	virtual ~View() = default;
};

class Load
{
public:
	virtual void OnBeginLoadingFrame(WebView *caller, int64_t frame_id, bool is_main_frame, const WebURL &url,
	                                 bool is_error_page) = 0;
	virtual void OnFailLoadingFrame(WebView *caller, int64_t frame_id, bool is_main_frame, const WebURL &url,
	                                int error_code, const WebString &error_desc) = 0;
	virtual void OnFinishLoadingFrame(WebView *caller, int64_t frame_id, bool is_main_frame, const WebURL &url) = 0;
	virtual void OnDocumentReady(WebView *caller, const WebURL &url) = 0;

protected:
	virtual ~Load() = default;
};
}  // namespace WebViewListener

class WebView
{
public:
	// Destroys the view; the pointer is dead afterwards.
	virtual void Destroy() = 0;

	virtual void set_view_listener(WebViewListener::View *listener) = 0;
	virtual void set_load_listener(WebViewListener::Load *listener) = 0;
	virtual void set_js_method_handler(JSMethodHandler *handler) = 0;
	virtual void SetTransparent(bool is_transparent) = 0;
	virtual bool IsTransparent() const = 0;

	// Starts loading; the load completes on a later WebCore::Update.
	virtual void LoadURL(const WebURL &url) = 0;
	virtual WebURL url() const = 0;
	virtual bool IsLoading() const = 0;
	// Runs a script in a frame (empty xpath: the main frame).
	virtual void ExecuteJavascript(const WebString &script, const WebString &frame_xpath) = 0;
	// The page's global object of that name, created when new; undefined while no document is
	// loaded.
	virtual JSValue CreateGlobalJavascriptObject(const WebString &name) = 0;

	virtual void Resize(int width, int height) = 0;
	virtual int width() const = 0;
	virtual int height() const = 0;
	// The view's pixels; null for a window view.
	virtual BitmapSurface *surface() = 0;

	virtual void Focus() = 0;
	virtual void Unfocus() = 0;
	virtual void InjectMouseMove(int x, int y) = 0;
	virtual void InjectMouseDown(MouseButton button) = 0;
	virtual void InjectMouseUp(MouseButton button) = 0;
	virtual void InjectMouseWheel(int scroll_vert, int scroll_horz) = 0;
	virtual void InjectKeyboardEvent(const WebKeyboardEvent &key_event) = 0;

protected:
	virtual ~WebView() = default;
};

}  // namespace Awesomium
