// Zorvan::CAwsHTML: the web view's pixels drawn as a surface texture, the panel's input passed
// to the view, and the JavaScript bridge that calls the panel's Lua OnCallback.
#include "menu/AwsHTML.h"

#include <cstdlib>
#include <vector>

#include "IGet.h"
#include "IZVHTML.h"
#include "Kestrum/Utility/String.h"
#include "lua/ILuaInterface.h"
#include "lua/ILuaObject.h"
#include "lua/LuaObject.h"
#include "materialsystem/imaterial.h"
#include "materialsystem/imaterialvar.h"
#include "materialsystem/itexture.h"
#include "engine/IGameUIFuncs.h"
#include "engine/ivengineclient.h"
#include "menu/Foyerix.h"
#include "menu/FoyerixGlobals.h"
#include "menu/LuaPanel.h"
#include "tier0/dbg.h"
#include "tier0/platform.h"
#include "tier1/strtools.h"
#include "vgui/IInput.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui_controls/Controls.h"

// The menu host defines the engine's key-binding queries; programs without the host (tools,
// tests) get this empty stand-in definition, which the host's own replaces at link time.
__attribute__((weak)) IGameUIFuncs *gameuifuncs = nullptr;

namespace Awesomium
{
std::string ToString(const WebString &text)
{
	if (text.IsEmpty())
		return std::string();
	// Each UTF-16 unit becomes at most three UTF-8 bytes.
	std::vector<char> buffer(static_cast<size_t>(text.length()) * 3 + 1);
	unsigned int written = text.ToUTF8(buffer.data(), static_cast<unsigned int>(buffer.size()));
	return std::string(buffer.data(), std::min<size_t>(written, buffer.size()));
}
}

namespace Zorvan
{
namespace
{
const int kTextureRefreshMs = 33;

IZVHTML *Renderer() { return get ? get->HTML() : nullptr; }

// Lets the web core run one step.
void PumpCore()
{
	if (IZVHTML *html = Renderer())
		html->Update();
}

Awesomium::WebString Web(const char *text)
{
	if (!text)
		text = "";
	return Awesomium::WebString::CreateFromUTF8(text, static_cast<unsigned int>(strlen(text)));
}

Awesomium::MouseButton WebButton(ButtonCode_t code)
{
	if (code == MOUSE_MIDDLE)
		return Awesomium::kMouseButton_Middle;
	if (code == MOUSE_RIGHT)
		return Awesomium::kMouseButton_Right;
	return Awesomium::kMouseButton_Left;
}

bool AnyDown(ButtonCode_t a, ButtonCode_t b)
{
	vgui::IInput *in = vgui::input();
	return in && (in->IsKeyDown(a) || in->IsKeyDown(b));
}
}

unsigned int GetKeyModifiers()
{
	unsigned int modifiers = 0;
	if (AnyDown(KEY_LCONTROL, KEY_RCONTROL))
		modifiers += Awesomium::WebKeyboardEvent::kModControlKey;
	if (AnyDown(KEY_LALT, KEY_RALT))
		modifiers += Awesomium::WebKeyboardEvent::kModAltKey;
	if (AnyDown(KEY_LSHIFT, KEY_RSHIFT))
		modifiers += Awesomium::WebKeyboardEvent::kModShiftKey;
	if (AnyDown(KEY_LWIN, KEY_RWIN))
		modifiers += Awesomium::WebKeyboardEvent::kModMetaKey;
	return modifiers;
}

int PanelCursorForWebCursor(int webCursor)
{
	switch (webCursor)
	{
	case 1: return 6;
	case 2: return 14;
	case 3: return 3;
	case 4: return 4;
	case 6:
	case 15: return 10;
	case 7:
	case 10:
	case 14: return 11;
	case 8:
	case 11: return 9;
	case 9:
	case 12: return 8;
	case 16:
	case 29: return 12;
	case 37: return 1;
	case 38: return 13;
	default: return 2;
	}
}

void PushValue(const Awesomium::JSValue &value)
{
	if (!g_Lua)
		return;
	if (value.IsString())
	{
		std::string text = Awesomium::ToString(value.ToString());
		g_Lua->PushString(text.c_str(), static_cast<unsigned int>(text.size()));
	}
	else if (value.IsBoolean())
		g_Lua->PushBool(value.ToBoolean());
	else if (value.IsInteger())
		g_Lua->PushNumber(static_cast<double>(value.ToInteger()));
	else if (value.IsDouble())
		g_Lua->PushNumber(value.ToDouble());
	else
		g_Lua->PushNil();
}

void JSArrayToTable(const Awesomium::JSArray &array, CLuaTable *table)
{
	if (!g_Lua || !table)
		return;
	table->Push();
	for (unsigned int i = 0; i < array.size(); ++i)
	{
		g_Lua->PushNumber(static_cast<double>(i) + 1.0);
		PushValue(array[i]);
		g_Lua->SetTable(-3);
	}
	g_Lua->Pop(1);
}

CAwsHTML::CAwsHTML(vgui::Panel *parent, const char *name) : EditablePanel(parent, name)
{
	m_ObjectNames.clear();
	m_pMaterial = nullptr;
	m_iTextureID = m_iTextureWide = m_iTextureTall = 0;
	SetAllowKeyBindingChainToParent(false);
	// Without a renderer there is no view to show: stop with a clear message, not a crash.
	IZVHTML *html = Renderer();
	if (!html)
		Error("CAwsHTML: no HTML renderer\n");
	m_pWebView = html->GetWebView();
	m_pWebView->set_load_listener(this);
	m_pWebView->set_view_listener(this);
	m_pWebView->set_js_method_handler(this);
	m_pWebView->SetTransparent(true);
	ThreadSleep(10);
	PumpCore();
	ThreadSleep(10);
}

CAwsHTML::~CAwsHTML()
{
	if (m_pMaterial)
	{
		m_pMaterial->DecrementReferenceCount();
		m_pMaterial = nullptr;
	}
	if (m_iTextureID)
	{
		if (vgui::surface())
			vgui::surface()->DestroyTextureID(m_iTextureID);
		m_iTextureID = 0;
	}
	if (m_pWebView)
	{
		// The view may call its listeners while it goes: it must not find this panel half gone.
		m_pWebView->set_load_listener(nullptr);
		m_pWebView->set_view_listener(nullptr);
		m_pWebView->set_js_method_handler(nullptr);
		if (IZVHTML *html = Renderer())
			html->KillWebView(m_pWebView);
		m_pWebView = nullptr;
	}
	m_ObjectNames.clear();
}

void CAwsHTML::StartLoad(const char *url)
{
	m_pWebView->LoadURL(Awesomium::WebURL(Web(url)));
	ThreadSleep(10);
	PumpCore();
	ThreadSleep(10);
}

void CAwsHTML::LoadURL(const char *url)
{
	InvalidateLayout(true, false);
	StartLoad(url);
}

void CAwsHTML::SetHTML(const char *html)
{
	Kestrum::BString text = html ? html : "";
	Kestrum::String::Encode::URL(text);
	StartLoad(("data:text/html;charset=utf-8," + text).c_str());
}

void CAwsHTML::RunJavascript(const char *script)
{
	m_pWebView->ExecuteJavascript(Web(script), Awesomium::WebString());
}

bool CAwsHTML::IsLoading() { return m_pWebView->IsLoading(); }

void CAwsHTML::OnSizeChanged(int newWide, int newTall)
{
	BaseClass::OnSizeChanged(newWide, newTall);
	m_pWebView->Resize(newWide, newTall);
}

void CAwsHTML::Paint()
{
	UpdateTexture();
	vgui::ISurface *surf = vgui::surface();
	surf->DrawSetTexture(m_iTextureID);
	if (m_iTextureID)
	{
		surf->DrawSetColor(255, 255, 255, 255);
		surf->DrawTexturedRect(0, 0, m_iTextureWide, m_iTextureTall);
	}
}

void CAwsHTML::UpdateTexture()
{
	PumpCore();
	vgui::ISystem *sys = vgui::system();
	vgui::ISurface *surf = vgui::surface();
	if (!sys || !surf)
		return;
	long now = sys->GetTimeMillis();
	if (std::labs(now - static_cast<long>(m_iLastUpdate)) < kTextureRefreshMs)
		return;
	m_iLastUpdate = static_cast<int>(sys->GetTimeMillis());

	Awesomium::BitmapSurface *bitmap = m_pWebView->surface();
	if (!bitmap || !bitmap->is_dirty())
		return;
	bitmap->set_is_dirty(false);
	const unsigned char *pixels = bitmap->buffer();
	int wide = bitmap->width();
	int tall = bitmap->height();
	if (m_iTextureID && m_iTextureWide == wide && m_iTextureTall == tall)
	{
		surf->DrawUpdateRegionTextureRGBA(m_iTextureID, 0, 0, pixels, wide, tall, VGUI_IMAGE_FORMAT_BGRA8888);
		return;
	}
	if (m_iTextureID)
		surf->DestroyTextureID(m_iTextureID);
	if (m_pMaterial)
	{
		m_pMaterial->DecrementReferenceCount();
		m_pMaterial = nullptr;
	}
	m_iTextureID = surf->CreateNewTextureID(true);
	surf->DrawSetTextureRGBAEx(m_iTextureID, pixels, wide, tall, VGUI_IMAGE_FORMAT_BGRA8888);
	m_iTextureWide = wide;
	m_iTextureTall = tall;
	GetMaterial();
}

IMaterial *CAwsHTML::GetMaterial()
{
	if (m_pMaterial)
		return m_pMaterial;
	if (m_iTextureID <= 0 || !vgui::surface())
		return nullptr;
	IVguiMatInfo *info = vgui::surface()->DrawGetTextureMatInfoFactory(m_iTextureID);
	if (!info)
		return nullptr;
	m_pMaterial = info->GetMaterial();
	delete info;
	if (!m_pMaterial)
		return nullptr;
	m_pMaterial->IncrementReferenceCount();
	bool found = false;
	IMaterialVar *base = m_pMaterial->FindVar("$basetexture", &found, false);
	if (found && base)
		if (ITexture *texture = base->GetTextureValue())
			texture->Download(nullptr);
	return m_pMaterial;
}

void CAwsHTML::OnCursorMoved(int x, int y) { m_pWebView->InjectMouseMove(x, y); }

void CAwsHTML::OnMousePressed(ButtonCode_t code)
{
	m_pWebView->InjectMouseDown(WebButton(code));
	RequestFocus(0);
}

void CAwsHTML::OnMouseDoublePressed(ButtonCode_t code) { OnMousePressed(code); }

void CAwsHTML::OnMouseReleased(ButtonCode_t code)
{
	m_pWebView->InjectMouseUp(WebButton(code));
	RequestFocus(0);
}

void CAwsHTML::OnMouseWheeled(int delta) { m_pWebView->InjectMouseWheel(delta * 100, 0); }

void CAwsHTML::OnSetFocus()
{
	m_pWebView->Focus();
	BaseClass::OnSetFocus();
}

void CAwsHTML::OnKillFocus()
{
	m_pWebView->Unfocus();
	BaseClass::OnKillFocus();
}

void CAwsHTML::OnKeyCodeTyped(ButtonCode_t code)
{
	// Function-key bindings and the console key keep working while the page has the keyboard.
	if (gameuifuncs && engine)
	{
		if (code >= KEY_F1 && code <= KEY_F12)
		{
			const char *binding = gameuifuncs->GetBindingForButtonCode(code);
			if (binding && *binding)
			{
				char command[256];
				V_strncpy(command, binding, sizeof(command));
				engine->ClientCmd_Unrestricted(command);
			}
		}
		const char *binding = gameuifuncs->GetBindingForButtonCode(code);
		if (binding && strcmp(binding, "toggleconsole") == 0)
			engine->ClientCmd_Unrestricted("toggleconsole");
	}
	Awesomium::WebKeyboardEvent event;
	event.type = Awesomium::WebKeyboardEvent::kTypeKeyDown;
	event.modifiers = static_cast<int>(GetKeyModifiers());
	event.virtual_key_code = event.native_key_code = KeyCode_VGUIToVirtualKey(code);
	m_pWebView->InjectKeyboardEvent(event);
}

void CAwsHTML::OnKeyCodeReleased(ButtonCode_t code)
{
	Awesomium::WebKeyboardEvent event;
	event.type = Awesomium::WebKeyboardEvent::kTypeKeyUp;
	event.modifiers = static_cast<int>(GetKeyModifiers());
	event.virtual_key_code = event.native_key_code = KeyCode_VGUIToVirtualKey(code);
	m_pWebView->InjectKeyboardEvent(event);
}

void CAwsHTML::OnKeyTyped(wchar_t unichar)
{
	Awesomium::WebKeyboardEvent event;
	event.type = Awesomium::WebKeyboardEvent::kTypeChar;
	event.modifiers = 0;
	event.virtual_key_code = event.native_key_code = static_cast<int>(unichar);
	event.text[0] = event.unmodified_text[0] = static_cast<char16_t>(static_cast<unsigned int>(unichar) & 0xFFFF);
	m_pWebView->InjectKeyboardEvent(event);
}

void CAwsHTML::OnChangeCursor(Awesomium::WebView *, Awesomium::Cursor cursor)
{
	SetCursor(static_cast<vgui::HCursor>(PanelCursorForWebCursor(static_cast<int>(cursor))));
}

// The JavaScript bridge.

Awesomium::JSValue CAwsHTML::NewObject(const char *name)
{
	Awesomium::WebString webName = Web(name);
	Awesomium::JSValue object = m_pWebView->CreateGlobalJavascriptObject(webName);
	for (int tries = 1; !object.IsObject() && tries < kNewObjectTries; ++tries)
	{
		PumpCore();
		ThreadSleep(5);
		object = m_pWebView->CreateGlobalJavascriptObject(webName);
	}
	if (!object.IsObject())
	{
		Msg("HTML: Error creating global [%s] (wasn't an object)\n", name ? name : "");
		return object;
	}
	m_ObjectNames[object.ToObject().remote_id()] = name ? name : "";
	return object;
}

void CAwsHTML::NewObjectFunction(const char *objectName, const char *functionName)
{
	Awesomium::JSValue object = NewObject(objectName);
	if (!object.IsObject())
	{
		Msg("HTML: Error creating global function [%s.%s] (wasn't an object)\n", objectName ? objectName : "",
		    functionName ? functionName : "");
		return;
	}
	object.ToObject().SetCustomMethod(Web(functionName), true);
}

const std::string *CAwsHTML::ObjectName(unsigned int remoteObjectId) const
{
	auto it = m_ObjectNames.find(remoteObjectId);
	return it == m_ObjectNames.end() ? nullptr : &it->second;
}

bool CAwsHTML::PushCallback(const char *objectName, const Awesomium::WebString &methodName, CLuaTable &args)
{
	if (!g_Lua || !HasTable() || IsMarkedForDeletion())
		return false;
	CLuaObject *table = GetTable();
	if (!table || table->isNil())
		return false;
	CLuaObject callback;
	table->GetMember("OnCallback", &callback);
	if (!callback.isFunction())
		return false;
	callback.Push();
	Push_Panel(this);
	g_Lua->PushString(objectName);
	std::string method = Awesomium::ToString(methodName);
	g_Lua->PushString(method.c_str(), static_cast<unsigned int>(method.size()));
	args.Push();
	return true;
}

void CAwsHTML::OnMethodCall(Awesomium::WebView *, unsigned int remoteObjectId, const Awesomium::WebString &methodName,
                            const Awesomium::JSArray &args)
{
	if (!g_Lua)
		return;
	const std::string *found = ObjectName(remoteObjectId);
	if (!found)
		return;
	// A callback may load another page, which can reuse the id: keep the name.
	std::string objectName = *found;
	CLuaTable table;
	JSArrayToTable(args, &table);
	if (PushCallback(objectName.c_str(), methodName, table))
		g_Lua->Call(4, 0);
}

Awesomium::JSValue CAwsHTML::OnMethodCallWithReturnValue(Awesomium::WebView *, unsigned int remoteObjectId,
                                                         const Awesomium::WebString &methodName,
                                                         const Awesomium::JSArray &args)
{
	Awesomium::JSValue result = Awesomium::JSValue::Undefined();
	if (!g_Lua)
		return result;
	const std::string *found = ObjectName(remoteObjectId);
	if (!found)
		return result;
	std::string objectName = *found;
	CLuaTable table;
	JSArrayToTable(args, &table);
	if (!PushCallback(objectName.c_str(), methodName, table))
		return result;
	// Protected, with errors reported by the Lua service; the answer comes back as an object.
	ILuaObject *answer = g_Lua->NewObject();
	if (!g_Lua->CallInternal(4, answer))
	{
		g_Lua->DeleteObject(answer);
		return result;
	}
	answer->Push();
	g_Lua->DeleteObject(answer);
	switch (g_Lua->GetType(-1))
	{
	case 1: result = Awesomium::JSValue(g_Lua->GetBool(-1)); break;
	case 4:
	{
		unsigned int length = 0;
		const char *text = g_Lua->GetString(-1, &length);
		result = Awesomium::JSValue(Awesomium::WebString::CreateFromUTF8(text ? text : "", text ? length : 0));
		break;
	}
	case 3: result = Awesomium::JSValue(g_Lua->GetNumber(-1)); break;
	default: break;
	}
	g_Lua->Pop(1);
	return result;
}
}
