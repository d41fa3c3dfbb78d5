// The HTML panel over the stand-ins: libzvhtml.so loaded as the game loads it and lent through
// the host accessor, the web-core stand-in's views, the vgui surface and the menu Lua state.
#include <dlfcn.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IZVHTML.h"
#include "engine/standin.h"
#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "materialsystem/imaterial.h"
#include "materialsystem/imaterialvar.h"
#include "menu/AwsHTML.h"
#include "tier0/standin.h"
#include "vgui/IInput.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/KeyBindingMap.h"
#include "vgui_controls/MessageMap.h"
#include "vgui_controls/PanelAnimationVar.h"
#include "webcore/standin.h"

namespace
{
CreateInterfaceFn Factory(const char *path)
{
	void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
	return handle ? reinterpret_cast<CreateInterfaceFn>(dlsym(handle, "CreateInterface")) : nullptr;
}

// The renderer with its pump switched off: pages then never finish loading.
class StalledRenderer final : public IZVHTML
{
public:
	explicit StalledRenderer(IZVHTML *real) : m_real(real) {}
	bool Init(CreateInterfaceFn) override { return true; }
	void Shutdown() override {}
	void Update() override { ++updates; }
	Awesomium::WebView *GetWebView() override { return m_real->GetWebView(); }
	void KillWebView(Awesomium::WebView *view) override { m_real->KillWebView(view); }
	int updates = 0;

private:
	IZVHTML *m_real;
};

// Counts the renderer's pumps and passes everything on.
class CountingRenderer final : public IZVHTML
{
public:
	explicit CountingRenderer(IZVHTML *real) : m_real(real) {}
	bool Init(CreateInterfaceFn) override { return true; }
	void Shutdown() override {}
	void Update() override
	{
		++updates;
		m_real->Update();
	}
	Awesomium::WebView *GetWebView() override { return m_real->GetWebView(); }
	void KillWebView(Awesomium::WebView *view) override { m_real->KillWebView(view); }
	int updates = 0;

private:
	IZVHTML *m_real;
};
}

class AwsHTMLTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_harness.reset(new MenuLuaHarness());
		ASSERT_NE(nullptr, m_harness->vguiControl);
		m_lua = m_harness->Open();
		ASSERT_NE(nullptr, m_lua);
		CreateInterfaceFn plugin = Factory(ZV_ZVHTML_LIBRARY);
		CreateInterfaceFn engine = Factory(ZV_ENGINE_LIBRARY);
		ASSERT_NE(nullptr, plugin) << dlerror();
		ASSERT_NE(nullptr, engine);
		m_renderer = static_cast<IZVHTML *>(plugin(ZVHTML_INTERFACE_VERSION, nullptr));
		ASSERT_NE(nullptr, m_renderer);
		ASSERT_TRUE(m_renderer->Init(engine));
		m_harness->html = m_renderer;
		SetClockMs(1000);
	}
	void TearDown() override
	{
		m_harness->DeleteRootPanels();
		m_harness->Close();
		if (m_renderer)
		{
			m_renderer->Shutdown();
			delete m_renderer;
		}
		m_harness.reset();
	}

	void SetClockMs(int ms)
	{
		m_harness->control->SetCurrentTime(ms / 1000.0);
		Tier0_SetClock(ms / 1000.0);
	}

	// A panel under the root, w x h, so the engine paints it.
	Zorvan::CAwsHTML *NewPanel(int w = 512, int h = 512)
	{
		auto *panel = new Zorvan::CAwsHTML(nullptr, "Awesomium");
		panel->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
		panel->SetSize(w, h);
		panel->SetVisible(true);
		return panel;
	}

	// A page loaded and finished.
	void LoadPage(Zorvan::CAwsHTML *panel)
	{
		panel->SetHTML("<p>hi</p>");
		m_renderer->Update();
		ASSERT_FALSE(panel->IsLoading());
	}

	// Sets the panel's Lua OnCallback to the function a Lua chunk returns.
	void SetCallback(Zorvan::CAwsHTML *panel, const std::string &functionCode)
	{
		ASSERT_TRUE(m_lua->RunString("test", "", ("TestCallback = " + functionCode).c_str(), true, true));
		CLuaObject fn;
		m_lua->Global()->GetMember("TestCallback", &fn);
		ASSERT_TRUE(fn.isFunction());
		panel->GetTable()->SetMember("OnCallback", &fn);
	}

	std::string Eval(const std::string &expr)
	{
		std::string code = "return tostring(" + expr + ")";
		if (!m_lua->CompileString("eval", code.c_str()))
		{
			m_lua->Pop(1);
			return "<compile error>";
		}
		const char *s = m_lua->CallInternalGetString(0);
		return s ? s : "<nil>";
	}

	std::vector<std::string> Events(Zorvan::CAwsHTML *panel) { return WebCoreStandIn::Events(panel->GetWebView()); }

	std::unique_ptr<MenuLuaHarness> m_harness;
	ILuaInterface *m_lua = nullptr;
	IZVHTML *m_renderer = nullptr;
};

TEST_F(AwsHTMLTest, TakesAViewListensToItAndGivesItBack)
{
	int before = WebCoreStandIn::LiveViews();
	auto *panel = NewPanel();
	Awesomium::WebView *view = panel->GetWebView();
	ASSERT_NE(nullptr, view);
	EXPECT_TRUE(WebCoreStandIn::IsLiveView(view));
	// The renderer keeps one spare view ahead: taking one makes one.
	EXPECT_EQ(before + 1, WebCoreStandIn::LiveViews());
	EXPECT_TRUE(view->IsTransparent());
	EXPECT_STREQ("CAwsHTML", Zorvan::CAwsHTML::GetPanelClassName());
	EXPECT_STREQ("Awesomium", panel->GetName());
	// Its message, animation and key-binding maps are its class's own, chained to its base's.
	ASSERT_NE(nullptr, panel->GetMessageMap());
	EXPECT_STREQ("CAwsHTML", panel->GetMessageMap()->pfnClassName());
	EXPECT_EQ(vgui::FindOrAddPanelMessageMap(vgui::EditablePanel::GetPanelClassName()),
	          panel->GetMessageMap()->baseMap);
	ASSERT_NE(nullptr, panel->GetAnimMap());
	EXPECT_STREQ("CAwsHTML", panel->GetAnimMap()->pfnClassName());
	ASSERT_NE(nullptr, panel->GetKBMap());
	EXPECT_STREQ("CAwsHTML", panel->GetKBMap()->pfnClassName());
	EXPECT_NE(nullptr, panel->GetKBMap()->baseMap);
	EXPECT_FALSE(panel->IsKeyBindingChainToParentAllowed());
	EXPECT_EQ(512, view->width());

	panel->SetSize(300, 200);
	EXPECT_EQ(300, view->width());
	EXPECT_EQ(200, view->height());

	panel->DeletePanel();
	EXPECT_FALSE(WebCoreStandIn::IsLiveView(view));
	EXPECT_EQ(before, WebCoreStandIn::LiveViews());
}

TEST_F(AwsHTMLTest, LoadsAndRunsScripts)
{
	auto *panel = NewPanel();
	panel->LoadURL("about:blank");
	EXPECT_FALSE(panel->IsLoading()) << "the load pumps the core once";
	EXPECT_EQ("about:blank", Awesomium::ToString(panel->GetWebView()->url().address()));

	panel->RunJavascript("document.title = 'x';");
	EXPECT_EQ(std::vector<std::string>{ "document.title = 'x';" }, WebCoreStandIn::Scripts(panel->GetWebView()));
}

TEST_F(AwsHTMLTest, SetHTMLLoadsAnEncodedDataURL)
{
	auto *panel = NewPanel();
	panel->SetHTML("<b>two words</b>");
	std::string url = Awesomium::ToString(panel->GetWebView()->url().address());
	const std::string prefix = "data:text/html;charset=utf-8,";
	ASSERT_EQ(0u, url.rfind(prefix, 0)) << url;
	std::string rest = url.substr(prefix.size());
	EXPECT_EQ(std::string::npos, rest.find_first_of(" <>/")) << rest;
	WebCoreStandIn::Response doc = WebCoreStandIn::Document(panel->GetWebView());
	EXPECT_TRUE(doc.ok);
	EXPECT_EQ("<b>two words</b>", doc.bytes);
}

TEST_F(AwsHTMLTest, PaintRefreshesTheTextureAtMostEvery33ms)
{
	auto *real = m_renderer;
	CountingRenderer counting(real);
	m_harness->html = &counting;
	auto *panel = NewPanel();
	LoadPage(panel);
	Awesomium::BitmapSurface *bitmap = panel->GetWebView()->surface();
	ASSERT_TRUE(bitmap->is_dirty());

	int pumps = counting.updates;
	m_harness->vguiControl->Paint();
	int texture = panel->GetTextureID();
	ASSERT_GT(texture, 0);
	EXPECT_FALSE(bitmap->is_dirty());
	int w = 0, h = 0;
	g_pVGuiSurface->DrawGetTextureSize(texture, w, h);
	EXPECT_EQ(512, w);
	EXPECT_EQ(512, h);

	// 10 ms later: the core is pumped again, but the dirty page is not copied.
	bitmap->set_is_dirty(true);
	SetClockMs(1010);
	m_harness->vguiControl->Paint();
	EXPECT_EQ(pumps + 2, counting.updates);
	EXPECT_TRUE(bitmap->is_dirty());

	// 40 ms after the refresh: copied in place, the texture id stays.
	SetClockMs(1040);
	m_harness->vguiControl->Paint();
	EXPECT_FALSE(bitmap->is_dirty());
	EXPECT_EQ(texture, panel->GetTextureID());

	// The texture is drawn white over the panel's size.
	bool drawn = false;
	for (const VGuiDrawRecord &r : m_harness->vguiControl->DrawLog())
		if (r.kind == VGuiDrawRecord::TexturedRect && r.texture == texture)
			drawn = r.x1 - r.x0 == 512 && r.y1 - r.y0 == 512 && r.r == 255 && r.g == 255 && r.b == 255 && r.a == 255;
	EXPECT_TRUE(drawn);
	panel->DeletePanel();
	m_harness->html = real;
}

TEST_F(AwsHTMLTest, ResizeRecreatesTheTextureAndItsMaterial)
{
	auto *panel = NewPanel();
	LoadPage(panel);
	m_harness->vguiControl->Paint();
	int first = panel->GetTextureID();
	ASSERT_GT(first, 0);
	IMaterial *material = panel->GetMaterial();
	ASSERT_NE(nullptr, material);
	EXPECT_EQ(1, material->GetReferenceCount());
	bool found = false;
	IMaterialVar *base = material->FindVar("$basetexture", &found, false);
	ASSERT_TRUE(found && base && base->GetTextureValue());
	EXPECT_EQ(1, m_harness->utilControl->TextureDownloads(base->GetTextureValue()));

	panel->SetSize(300, 200);
	SetClockMs(1100);
	m_harness->vguiControl->Paint();
	int second = panel->GetTextureID();
	EXPECT_NE(first, second);
	EXPECT_FALSE(g_pVGuiSurface->IsTextureIDValid(first));
	int w = 0, h = 0;
	g_pVGuiSurface->DrawGetTextureSize(second, w, h);
	EXPECT_EQ(300, w);
	EXPECT_EQ(200, h);
	EXPECT_EQ(0, material->GetReferenceCount()) << "the old material is let go";
	IMaterial *next = panel->GetMaterial();
	ASSERT_NE(nullptr, next);
	EXPECT_NE(material, next);

	panel->DeletePanel();
	EXPECT_EQ(0, next->GetReferenceCount());
	EXPECT_FALSE(g_pVGuiSurface->IsTextureIDValid(second));
}

TEST_F(AwsHTMLTest, NoTextureBeforeThePagePaints)
{
	auto *panel = NewPanel();
	EXPECT_EQ(nullptr, panel->GetMaterial());
	m_harness->vguiControl->Paint();
	EXPECT_EQ(0, panel->GetTextureID()) << "a fresh view's surface is not dirty";
	for (const VGuiDrawRecord &r : m_harness->vguiControl->DrawLog())
		EXPECT_NE(VGuiDrawRecord::TexturedRect, r.kind);
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, MouseAndFocusReachTheView)
{
	auto *panel = NewPanel();
	struct Case
	{
		void (*act)(Zorvan::CAwsHTML *);
		const char *event;
	};
	const Case cases[] = {
		{ [](Zorvan::CAwsHTML *p) { p->OnMousePressed(MOUSE_LEFT); }, "down 0" },
		{ [](Zorvan::CAwsHTML *p) { p->OnMousePressed(MOUSE_MIDDLE); }, "down 1" },
		{ [](Zorvan::CAwsHTML *p) { p->OnMousePressed(MOUSE_RIGHT); }, "down 2" },
		{ [](Zorvan::CAwsHTML *p) { p->OnMousePressed(MOUSE_4); }, "down 0" },
		{ [](Zorvan::CAwsHTML *p) { p->OnMouseDoublePressed(MOUSE_MIDDLE); }, "down 1" },
		{ [](Zorvan::CAwsHTML *p) { p->OnMouseReleased(MOUSE_RIGHT); }, "up 2" },
		{ [](Zorvan::CAwsHTML *p) { p->OnMouseWheeled(-2); }, "wheel -200 0" },
		{ [](Zorvan::CAwsHTML *p) { p->OnCursorMoved(7, 9); }, "move 7 9" },
		{ [](Zorvan::CAwsHTML *p) { p->OnSetFocus(); }, "focus" },
		{ [](Zorvan::CAwsHTML *p) { p->OnKillFocus(); }, "unfocus" },
	};
	for (const Case &c : cases)
	{
		size_t before = Events(panel).size();
		c.act(panel);
		std::vector<std::string> events = Events(panel);
		ASSERT_EQ(before + 1, events.size()) << c.event;
		EXPECT_EQ(c.event, events.back());
	}
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, RoutedMouseInputReachesThePage)
{
	auto *panel = NewPanel(200, 100);
	panel->SetMouseInputEnabled(true);
	panel->SetKeyBoardInputEnabled(true);
	m_harness->vguiControl->RunFrame();
	m_harness->vguiControl->QueueCursorMove(20, 30);
	m_harness->vguiControl->QueueButton(MOUSE_RIGHT, true);
	m_harness->vguiControl->QueueButton(MOUSE_RIGHT, false);
	m_harness->vguiControl->RunFrame();
	std::vector<std::string> events = Events(panel);
	auto has = [&](const std::string &e) { return std::find(events.begin(), events.end(), e) != events.end(); };
	EXPECT_TRUE(has("move 20 30"));
	EXPECT_TRUE(has("down 2"));
	EXPECT_TRUE(has("up 2"));
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, KeysCarryModifiersButCharactersDoNot)
{
	auto *panel = NewPanel(200, 100);
	m_harness->vguiControl->QueueButton(KEY_LSHIFT, true);
	m_harness->vguiControl->RunFrame();
	ASSERT_TRUE(vgui::input()->IsKeyDown(KEY_LSHIFT));
	EXPECT_EQ(1u, Zorvan::GetKeyModifiers());

	panel->OnKeyCodeTyped(KEY_A);
	panel->OnKeyTyped(L'A');
	panel->OnKeyCodeReleased(KEY_A);
	int vk = KeyCode_VGUIToVirtualKey(KEY_A);
	std::vector<std::string> events = Events(panel);
	ASSERT_EQ(3u, events.size());
	EXPECT_EQ("key 0 1 " + std::to_string(vk) + " 0", events[0]);
	EXPECT_EQ("key 2 0 65 65", events[1]);
	EXPECT_EQ("key 1 1 " + std::to_string(vk) + " 0", events[2]);

	// A character beyond 16 bits keeps its low 16 bits in the text field.
	panel->OnKeyTyped(static_cast<wchar_t>(0x1F600));
	EXPECT_EQ("key 2 0 " + std::to_string(0x1F600) + " " + std::to_string(0xF600), Events(panel).back());

	m_harness->vguiControl->QueueButton(KEY_LSHIFT, false);
	m_harness->vguiControl->QueueButton(KEY_RCONTROL, true);
	m_harness->vguiControl->QueueButton(KEY_LALT, true);
	m_harness->vguiControl->QueueButton(KEY_RWIN, true);
	m_harness->vguiControl->RunFrame();
	EXPECT_EQ(2u + 4u + 8u, Zorvan::GetKeyModifiers());
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, PageCursorsBecomePanelCursors)
{
	auto *panel = NewPanel();
	const struct
	{
		int web, panel;
	} cases[] = { { 0, 2 },  { 1, 6 },   { 2, 14 },  { 3, 3 },  { 4, 4 },  { 5, 2 },  { 6, 10 }, { 15, 10 },
		          { 7, 11 }, { 10, 11 }, { 14, 11 }, { 8, 9 },  { 11, 9 }, { 9, 8 },  { 12, 8 }, { 16, 12 },
		          { 29, 12 }, { 37, 1 }, { 38, 13 }, { 13, 2 }, { 20, 2 }, { 39, 2 }, { 50, 2 }, { -1, 2 } };
	for (const auto &c : cases)
	{
		panel->OnChangeCursor(panel->GetWebView(), static_cast<Awesomium::Cursor>(c.web));
		EXPECT_EQ(static_cast<vgui::HCursor>(c.panel), panel->GetCursor()) << "web cursor " << c.web;
	}
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, PageCallsReachOnCallbackWithConvertedArguments)
{
	auto *panel = NewPanel();
	LoadPage(panel);
	panel->NewObjectFunction("menu", "Open");
	SetCallback(panel, "function(p, obj, method, args) got = { type(p), obj, method, args } return true end");

	Awesomium::JSArray args;
	args.Push(Awesomium::JSValue(1));
	args.Push(Awesomium::JSValue(Awesomium::WebString::CreateFromUTF8("x", 1)));
	args.Push(Awesomium::JSValue(true));
	args.Push(Awesomium::JSValue(Awesomium::JSObject(99)));
	args.Push(Awesomium::JSValue(2.5));
	Awesomium::JSValue result;
	ASSERT_TRUE(WebCoreStandIn::PageCall(panel->GetWebView(), "menu", "Open", args, &result));
	EXPECT_EQ("Panel", Eval("got[1]"));
	EXPECT_EQ("menu", Eval("got[2]"));
	EXPECT_EQ("Open", Eval("got[3]"));
	EXPECT_EQ("1", Eval("got[4][1]"));
	EXPECT_EQ("x", Eval("got[4][2]"));
	EXPECT_EQ("true", Eval("got[4][3]"));
	EXPECT_EQ("nil", Eval("got[4][4]"));
	EXPECT_EQ("2.5", Eval("got[4][5]"));
	ASSERT_TRUE(result.IsBoolean());
	EXPECT_TRUE(result.ToBoolean());
	EXPECT_EQ(0, m_lua->Top());
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, CallbackResultsGoBackToThePage)
{
	auto *panel = NewPanel();
	LoadPage(panel);
	panel->NewObjectFunction("bridge", "Ask");
	const struct
	{
		const char *lua;
		Awesomium::JSValue::Type type;
		const char *text;
	} cases[] = {
		{ "function() return false end", Awesomium::JSValue::kBoolean, "false" },
		{ "function() return 'héllo' end", Awesomium::JSValue::kString, "héllo" },
		{ "function() return 7 end", Awesomium::JSValue::kDouble, "7" },
		{ "function() return {} end", Awesomium::JSValue::kUndefined, "undefined" },
		{ "function() end", Awesomium::JSValue::kUndefined, "undefined" },
		{ "function() error('boom') end", Awesomium::JSValue::kUndefined, "undefined" },
	};
	for (const auto &c : cases)
	{
		SetCallback(panel, c.lua);
		Awesomium::JSValue result(true);
		ASSERT_TRUE(WebCoreStandIn::PageCall(panel->GetWebView(), "bridge", "Ask", Awesomium::JSArray(), &result));
		EXPECT_EQ(c.type, result.type()) << c.lua;
		EXPECT_EQ(c.text, Awesomium::ToString(result.ToString())) << c.lua;
		EXPECT_EQ(0, m_lua->Top()) << c.lua;
	}
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, IntegerArgumentReachesLuaAsANumber)
{
	auto *panel = NewPanel();
	LoadPage(panel);
	panel->NewObjectFunction("menu", "Count");
	SetCallback(panel, "function(p, o, m, args) n = args[1] return n end");
	Awesomium::JSArray args;
	args.Push(Awesomium::JSValue(7));
	Awesomium::JSValue result;
	ASSERT_TRUE(WebCoreStandIn::PageCall(panel->GetWebView(), "menu", "Count", args, &result));
	EXPECT_EQ("number", Eval("type(n)"));
	EXPECT_EQ("7", Eval("n"));
	EXPECT_DOUBLE_EQ(7.0, result.ToDouble());
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, CallsWithoutACallbackAreIgnored)
{
	auto *panel = NewPanel();
	LoadPage(panel);
	panel->NewObjectFunction("menu", "Open");
	Awesomium::JSValue result(true);
	// No Lua table yet, then a table without OnCallback, then OnCallback not a function.
	ASSERT_TRUE(WebCoreStandIn::PageCall(panel->GetWebView(), "menu", "Open", Awesomium::JSArray(), &result));
	EXPECT_TRUE(result.IsUndefined());
	panel->GetTable()->SetMember("Other", true);
	result = Awesomium::JSValue(true);
	ASSERT_TRUE(WebCoreStandIn::PageCall(panel->GetWebView(), "menu", "Open", Awesomium::JSArray(), &result));
	EXPECT_TRUE(result.IsUndefined());
	panel->GetTable()->SetMember("OnCallback", "not a function");
	result = Awesomium::JSValue(true);
	ASSERT_TRUE(WebCoreStandIn::PageCall(panel->GetWebView(), "menu", "Open", Awesomium::JSArray(), &result));
	EXPECT_TRUE(result.IsUndefined());
	EXPECT_EQ(0, m_lua->Top());

	// A call for an object the panel never made does not reach Lua.
	SetCallback(panel, "function() called = true return true end");
	result = Awesomium::JSValue(true);
	panel->OnMethodCallWithReturnValue(panel->GetWebView(), 4242, Awesomium::WebString(), Awesomium::JSArray());
	panel->OnMethodCall(panel->GetWebView(), 4242, Awesomium::WebString(), Awesomium::JSArray());
	EXPECT_EQ("nil", Eval("called"));

	// The method-without-result path calls Lua too.
	Awesomium::JSValue object = panel->NewObject("menu");
	panel->OnMethodCall(panel->GetWebView(), object.ToObject().remote_id(), Awesomium::WebString(), Awesomium::JSArray());
	EXPECT_EQ("true", Eval("called"));
	EXPECT_EQ(0, m_lua->Top());
	panel->DeletePanel();
}

TEST_F(AwsHTMLTest, NewObjectGivesUpOnAPageThatNeverLoads)
{
	StalledRenderer stalled(m_renderer);
	m_harness->html = &stalled;
	auto *panel = NewPanel();
	panel->LoadURL("about:blank");
	ASSERT_TRUE(panel->IsLoading());
	int pumps = stalled.updates;
	Tier0OutputCapture capture;
	panel->NewObjectFunction("menu", "Open");
	EXPECT_EQ(pumps + Zorvan::CAwsHTML::kNewObjectTries - 1, stalled.updates);
	EXPECT_NE(std::string::npos, capture.All().find("HTML: Error creating global [menu] (wasn't an object)\n"));
	EXPECT_NE(std::string::npos,
	          capture.All().find("HTML: Error creating global function [menu.Open] (wasn't an object)\n"));
	panel->DeletePanel();
	m_harness->html = m_renderer;
}

TEST_F(AwsHTMLTest, NoRendererStopsWithAClearMessage)
{
	m_harness->html = nullptr;
	EXPECT_DEATH(new Zorvan::CAwsHTML(nullptr, "Awesomium"), "CAwsHTML: no HTML renderer");
	m_harness->html = m_renderer;
}

TEST_F(AwsHTMLTest, FunctionKeyBindingsAndTheConsoleKeyStillRun)
{
	ASSERT_NE(nullptr, m_harness->keyBindings);
	m_harness->keyBindings->SetBinding(KEY_F5, "jpeg");
	m_harness->keyBindings->SetBinding(KEY_F6, std::string(300, 'x').c_str());
	m_harness->keyBindings->SetBinding(KEY_BACKQUOTE, "toggleconsole");
	m_harness->keyBindings->SetBinding(KEY_F1, "toggleconsole");
	m_harness->keyBindings->SetBinding(KEY_B, "buy");
	auto *panel = NewPanel();
	m_harness->control->ClearExecutedCommands();
	const ButtonCode_t keys[] = { KEY_F5, KEY_F6, KEY_BACKQUOTE, KEY_F1, KEY_B, KEY_F2 };
	for (ButtonCode_t key : keys)
		panel->OnKeyCodeTyped(key);
	std::vector<std::string> expected = { "jpeg", std::string(255, 'x'), "toggleconsole", "toggleconsole",
		                                   "toggleconsole" };
	EXPECT_EQ(expected, m_harness->control->ExecutedCommands());
	// Every key still reaches the page.
	EXPECT_EQ(6u, Events(panel).size());
	panel->DeletePanel();
}
