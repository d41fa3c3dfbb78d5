// The vgui library from C++: its place among the libraries, the menu base panel as default
// parent and hover target, the HTML panel with a renderer present, and the clipboard.
#include <dlfcn.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IZVHTML.h"
#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaLibrary.h"
#include "menu/AwsHTML.h"
#include "menu/LuaVGui.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace
{
vgui::Panel *g_World = nullptr;
}

// The menu's base panel as this test sets it (the menu host is not linked here).
vgui::Panel *GetZorvBasePanel() { return g_World; }

namespace
{
CreateInterfaceFn Factory(const char *path)
{
	void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
	return handle ? reinterpret_cast<CreateInterfaceFn>(dlsym(handle, "CreateInterface")) : nullptr;
}

class LuaVGuiTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_harness.reset(new MenuLuaHarness());
		ASSERT_NE(nullptr, m_harness->vguiControl);
		m_lua = m_harness->Open();
		ASSERT_NE(nullptr, m_lua);
		m_harness->vguiControl->SetScreenSize(640, 480);
		g_World = new vgui::Panel(nullptr, "MenuBasePanel");
		g_World->SetParent(vgui::surface()->GetEmbeddedPanel());
		g_World->SetBounds(0, 0, 640, 480);
	}
	void TearDown() override
	{
		g_World = nullptr;
		m_harness->DeleteRootPanels();
		m_harness->Close();
		if (m_renderer)
		{
			m_renderer->Shutdown();
			delete m_renderer;
		}
		m_harness.reset();
	}

	bool Run(const std::string &code) { return m_lua->RunString("test", "", code.c_str(), true, true); }

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

	void MoveCursor(int x, int y)
	{
		m_harness->vguiControl->QueueCursorMove(x, y);
		m_harness->vguiControl->RunFrame();
	}

	std::unique_ptr<MenuLuaHarness> m_harness;
	ILuaInterface *m_lua = nullptr;
	IZVHTML *m_renderer = nullptr;
};

TEST_F(LuaVGuiTest, VGuiFollowsSurfaceBeforeVideo)
{
	std::vector<std::string> names;
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		if (CLuaLibrary *lib = dynamic_cast<CLuaLibrary *>((*g_LuaUsers)[i]))
			if (std::string(lib->GetName()) != "GLOBAL")  // the global functions' library, switched on by an earlier file
				names.push_back(lib->GetName());
	auto pos = [&](const std::string &n) {
		for (size_t i = 0; i < names.size(); ++i)
			if (names[i] == n)
				return static_cast<int>(i);
		return -1;
	};
	ASSERT_NE(-1, pos("vgui"));
	EXPECT_EQ(pos("surface") + 1, pos("vgui"));
	EXPECT_EQ(pos("vgui") + 1, pos("video"));

	std::vector<std::string> functions;
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		if (CLuaLibrary *lib = dynamic_cast<CLuaLibrary *>((*g_LuaUsers)[i]))
			if (std::string(lib->GetName()) == "vgui")
				for (int f = 0; f < lib->Functions().Count(); ++f)
					functions.push_back(lib->Functions()[f]->m_pName);
	const std::vector<std::string> expected = { "Create", "CursorVisible", "IsHoveringWorld", "GetWorldPanel",
	                                            "FocusedHasParent", "GetKeyboardFocus", "GetHoveredPanel" };
	EXPECT_EQ(expected, functions);
	EXPECT_EQ("function", Eval("type(SetClipboardText)"));
}

TEST_F(LuaVGuiTest, ControlsWithoutParentGoUnderTheBasePanel)
{
	ASSERT_TRUE(Run("p = vgui.Create('label') q = vgui.Create('Panel', 'not a panel', 'named')"));
	EXPECT_EQ("true", Eval("p:GetParent() == vgui.GetWorldPanel()"));
	EXPECT_EQ("true", Eval("q:GetParent() == vgui.GetWorldPanel()"));
	EXPECT_EQ("named", Eval("q:GetName()"));
	EXPECT_EQ("MenuBasePanel", Eval("vgui.GetWorldPanel():GetName()"));
}

TEST_F(LuaVGuiTest, HoveringTheWorldNeedsTheVisibleCursorOverTheBasePanelItself)
{
	ASSERT_TRUE(Run("c = vgui.Create('Panel') c:SetPos(10, 10) c:SetSize(50, 50)"));
	m_harness->vguiControl->SetCursorVisible(true);
	MoveCursor(300, 300);
	EXPECT_EQ("true", Eval("vgui.IsHoveringWorld()"));
	EXPECT_EQ("true", Eval("vgui.GetHoveredPanel() == vgui.GetWorldPanel()"));
	m_harness->vguiControl->SetCursorVisible(false);
	EXPECT_EQ("false", Eval("vgui.IsHoveringWorld()"));
	m_harness->vguiControl->SetCursorVisible(true);
	MoveCursor(20, 20);
	EXPECT_EQ("false", Eval("vgui.IsHoveringWorld()"));
	EXPECT_EQ("true", Eval("vgui.GetHoveredPanel() == c"));
}

TEST_F(LuaVGuiTest, HtmlAndAwesomiumMakeTheHtmlPanelWhenARendererIsLent)
{
	CreateInterfaceFn plugin = Factory(ZV_ZVHTML_LIBRARY);
	CreateInterfaceFn engine = Factory(ZV_ENGINE_LIBRARY);
	ASSERT_NE(nullptr, plugin) << dlerror();
	ASSERT_NE(nullptr, engine);
	m_renderer = static_cast<IZVHTML *>(plugin(ZVHTML_INTERFACE_VERSION, nullptr));
	ASSERT_NE(nullptr, m_renderer);
	ASSERT_TRUE(m_renderer->Init(engine));
	m_harness->html = m_renderer;

	for (const char *name : { "HTML", "html", "Awesomium", "AWESOMIUM" })
	{
		vgui::Panel *panel = CreateVGUIControlByName(name);
		ASSERT_NE(nullptr, panel) << name;
		EXPECT_NE(nullptr, dynamic_cast<Zorvan::CAwsHTML *>(panel)) << name;
		EXPECT_STREQ("Awesomium", panel->GetName()) << name;
		EXPECT_EQ(nullptr, panel->GetParent()) << name;
		delete panel;
	}
	ASSERT_TRUE(Run("h = vgui.Create('HTML')"));
	EXPECT_EQ("CAwsHTML", Eval("h:GetClassName()"));
	EXPECT_EQ("true", Eval("h:GetParent() == vgui.GetWorldPanel()"));
}

TEST_F(LuaVGuiTest, FactoryAnswersNullForNullAndUnknownNames)
{
	EXPECT_EQ(nullptr, CreateVGUIControlByName(nullptr));
	EXPECT_EQ(nullptr, CreateVGUIControlByName("Panel "));
	EXPECT_EQ(nullptr, CreateVGUIControlByName("Pane"));
	vgui::Panel *panel = CreateVGUIControlByName("pAnEl");
	ASSERT_NE(nullptr, panel);
	EXPECT_STREQ("Panel", panel->GetName());
	EXPECT_EQ(nullptr, panel->GetParent());
	delete panel;
}

TEST_F(LuaVGuiTest, SetClipboardTextHandsTheTextToTheSystem)
{
	ASSERT_TRUE(Run("SetClipboardText('copied text')"));
	char buf[64];
	EXPECT_EQ(11, vgui::system()->GetClipboardText(0, buf, sizeof(buf)));
	EXPECT_STREQ("copied text", buf);
	ASSERT_TRUE(Run("SetClipboardText('')"));
	EXPECT_EQ(0, vgui::system()->GetClipboardText(0, buf, sizeof(buf)));
}
}
