// Zorvan::CAwsHTML: a panel that shows a web page from an off-screen web view of the HTML
// renderer plug-in, forwards its input to the page and lets page scripts call into Lua.
#pragma once

#include <map>
#include <string>

#include "vgui_controls/EditablePanel.h"
#include "vgui_controls/KeyBindingMap.h"
#include "vgui_controls/MessageMap.h"
#include "webcore/JSValue.h"
#include "webcore/WebView.h"

class IMaterial;
class CLuaTable;

namespace Awesomium
{
// The UTF-8 text of a web string (empty for an empty one).
std::string ToString(const WebString &text);
}

namespace Zorvan
{
class CAwsHTML : public vgui::EditablePanel,
                 public Awesomium::WebViewListener::View,
                 public Awesomium::JSMethodHandler,
                 public Awesomium::WebViewListener::Load
{
	DECLARE_CLASS_SIMPLE(CAwsHTML, vgui::EditablePanel);
	DECLARE_KEYBINDINGMAP(CAwsHTML);

public:
	CAwsHTML(vgui::Panel *parent, const char *name);
	~CAwsHTML() override;

	void OnSizeChanged(int newWide, int newTall) override;
	void OnSetFocus() override;
	void OnKillFocus() override;
	void OnCursorMoved(int x, int y) override;
	void OnMousePressed(ButtonCode_t code) override;
	void OnMouseDoublePressed(ButtonCode_t code) override;
	void OnMouseReleased(ButtonCode_t code) override;
	void OnMouseWheeled(int delta) override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void OnKeyTyped(wchar_t unichar) override;
	void OnKeyCodeReleased(ButtonCode_t code) override;
	void Paint() override;

	// Load listener: nothing to do.
	void OnBeginLoadingFrame(Awesomium::WebView *, int64_t, bool, const Awesomium::WebURL &, bool) override {}
	void OnFailLoadingFrame(Awesomium::WebView *, int64_t, bool, const Awesomium::WebURL &, int,
	                        const Awesomium::WebString &) override
	{
	}
	void OnFinishLoadingFrame(Awesomium::WebView *, int64_t, bool, const Awesomium::WebURL &) override {}
	void OnDocumentReady(Awesomium::WebView *, const Awesomium::WebURL &) override {}

	// View listener: only the cursor is followed.
	void OnChangeTitle(Awesomium::WebView *, const Awesomium::WebString &) override {}
	void OnChangeAddressBar(Awesomium::WebView *, const Awesomium::WebURL &) override {}
	void OnChangeTooltip(Awesomium::WebView *, const Awesomium::WebString &) override {}
	void OnChangeTargetURL(Awesomium::WebView *, const Awesomium::WebURL &) override {}
	void OnChangeCursor(Awesomium::WebView *caller, Awesomium::Cursor cursor) override;
	void OnChangeFocus(Awesomium::WebView *, int) override {}
	void OnShowCreatedWebView(Awesomium::WebView *, Awesomium::WebView *, const Awesomium::WebURL &,
	                          const Awesomium::WebURL &, bool) override
	{
	}
	void OnAddConsoleMessage(Awesomium::WebView *, const Awesomium::WebString &, int,
	                         const Awesomium::WebString &) override
	{
	}

	// JavaScript bridge: page calls of methods made with NewObjectFunction.
	void OnMethodCall(Awesomium::WebView *caller, unsigned int remoteObjectId, const Awesomium::WebString &methodName,
	                  const Awesomium::JSArray &args) override;
	Awesomium::JSValue OnMethodCallWithReturnValue(Awesomium::WebView *caller, unsigned int remoteObjectId,
	                                               const Awesomium::WebString &methodName,
	                                               const Awesomium::JSArray &args) override;

	void LoadURL(const char *url);
	void SetHTML(const char *html);
	void RunJavascript(const char *script);
	bool IsLoading();
	IMaterial *GetMaterial();
	void UpdateTexture();

	// The page's global object of that name (created when new); undefined when the page gave none.
	Awesomium::JSValue NewObject(const char *name);
	// Gives the page's global object a method that calls the panel's Lua OnCallback.
	void NewObjectFunction(const char *objectName, const char *functionName);

	// Tries of NewObject before it gives up on a page that provides no object.
	static const int kNewObjectTries = 100;

	Awesomium::WebView *GetWebView() { return m_pWebView; }
	int GetTextureID() const { return m_iTextureID; }

private:
	// Loads a URL and gives the web core time to start on it.
	void StartLoad(const char *url);
	// Looks up the panel's Lua OnCallback and pushes it with its arguments; false (nothing
	// left on the stack) when no call is to be made. Frees nothing.
	bool PushCallback(const char *objectName, const Awesomium::WebString &methodName, CLuaTable &args);
	// The object name recorded for a remote id, or null.
	const std::string *ObjectName(unsigned int remoteObjectId) const;

	Awesomium::WebView *m_pWebView = nullptr;
	int m_iTextureID = 0;
	int m_iTextureWide = 0;
	int m_iTextureTall = 0;
	int m_iLastUpdate = 0;
	IMaterial *m_pMaterial = nullptr;
	std::map<unsigned int, std::string> m_ObjectNames;
};

// The web core's modifier bits for the keys held now: control 2, alt 4, shift 1, meta 8.
unsigned int GetKeyModifiers();
// Pushes a page value onto the menu Lua stack: string, boolean, number, or nil for the rest.
void PushValue(const Awesomium::JSValue &value);
// Fills a Lua table from a page array, at keys 1 .. size.
void JSArrayToTable(const Awesomium::JSArray &array, CLuaTable *table);
// The panel cursor code for a web core cursor number.
int PanelCursorForWebCursor(int webCursor);
}
