// vgui::Panel focus, popups and input switches over the stand-in engine: focus requests
// travel to the parent, tabbing asks the parent through the engine, the keyboard switch
// covers the subtree, and the engine gives key focus to the top popup's choice.
#include <string>

#include "VGuiFixture.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "vgui/IInput.h"

namespace
{
// A parent that keeps a focused child and answers focus moves, as a dialog would.
class FocusKeeper : public vgui::Panel
{
public:
	FocusKeeper(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}

	vgui::VPANEL GetCurrentKeyFocus() override { return focus; }
	bool RequestFocusNext(vgui::VPANEL origin) override
	{
		log += "next:" + std::string(origin ? ipanel()->GetName(origin) : "none") + " ";
		return answer;
	}
	bool RequestFocusPrev(vgui::VPANEL origin) override
	{
		log += "prev:" + std::string(origin ? ipanel()->GetName(origin) : "none") + " ";
		return answer;
	}
	void OnRequestFocus(vgui::VPANEL subFocus, vgui::VPANEL defaultPanel) override
	{
		log += "request:" + std::string(ipanel()->GetName(subFocus)) + "," + std::to_string(defaultPanel) + " ";
		focus = subFocus;
	}
	void OnSetFocus() override
	{
		log += "setfocus ";
		vgui::Panel::OnSetFocus();
	}
	void OnKillFocus() override
	{
		log += "killfocus ";
		vgui::Panel::OnKillFocus();
	}
	static vgui::IPanel *ipanel() { return g_pVGuiPanel; }

	vgui::VPANEL focus = 0;
	bool answer = true;
	std::string log;
};

using PanelFocusTest = VGuiTest;

TEST_F(PanelFocusTest, TabbingAsksTheParentThroughTheEngine)
{
	FocusKeeper parent(nullptr, "parent");
	auto *child = new vgui::Panel(&parent, "child");

	EXPECT_TRUE(child->RequestFocusNext(0));
	parent.answer = false;
	EXPECT_FALSE(child->RequestFocusPrev(0));
	EXPECT_EQ("next:child prev:child ", parent.log);

	// A panel without a parent never moves focus.
	EXPECT_FALSE(parent.vgui::Panel::RequestFocusNext(0));
	EXPECT_FALSE(parent.vgui::Panel::RequestFocusPrev(0));
}

TEST_F(PanelFocusTest, LuaMemberDisablesTabbingInBothDirections)
{
	ILuaInterface *lua = m_harness->Open(false);
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "T = { m_bDisableTabbing = true }; F = { m_bDisableTabbing = false }", true,
	                           true));
	FocusKeeper parent(nullptr, "parent");
	auto *child = new vgui::Panel(&parent, "child");
	child->m_pLuaTable = new CLuaObject();
	child->m_pLuaTable->SetFromGlobal("T");
	EXPECT_FALSE(child->RequestFocusNext(0));
	EXPECT_FALSE(child->RequestFocusPrev(0));
	EXPECT_EQ("", parent.log);

	child->m_pLuaTable->SetFromGlobal("F");
	EXPECT_TRUE(child->RequestFocusNext(0));
	EXPECT_EQ("next:child ", parent.log);
	EXPECT_EQ(0, lua->Top());
}

TEST_F(PanelFocusTest, RequestFocusPassesTheRequestToTheParent)
{
	FocusKeeper parent(nullptr, "parent");
	auto *child = new vgui::Panel(&parent, "child");
	child->RequestFocus(1);
	EXPECT_EQ("request:child,0 ", parent.log);
	EXPECT_EQ(child->GetVPanel(), parent.focus);
}

TEST_F(PanelFocusTest, DisablingKeyboardCoversTheSubtreeAndHandsFocusOn)
{
	FocusKeeper parent(nullptr, "parent");
	auto *child = new vgui::Panel(&parent, "child");
	auto *grandChild = new vgui::Panel(child, "grandchild");
	auto *sibling = new vgui::Panel(&parent, "sibling");

	parent.focus = sibling->GetVPanel();
	child->SetKeyBoardInputEnabled(false);
	EXPECT_FALSE(child->IsKeyBoardInputEnabled());
	EXPECT_FALSE(grandChild->IsKeyBoardInputEnabled());
	EXPECT_TRUE(sibling->IsKeyBoardInputEnabled());
	EXPECT_EQ("", parent.log);  // the child didn't hold the parent's focus

	child->SetKeyBoardInputEnabled(true);
	EXPECT_TRUE(grandChild->IsKeyBoardInputEnabled());
	parent.focus = child->GetVPanel();
	child->SetKeyBoardInputEnabled(false);
	EXPECT_EQ("next:none ", parent.log);
}

TEST_F(PanelFocusTest, MouseSwitchIsThePanelsOwnAndRechecksTheCursor)
{
	vgui::Panel parent(nullptr, "parent");
	auto *child = new vgui::Panel(&parent, "child");
	int checks = m_vgui->MouseVisibilityChecks();
	parent.SetMouseInputEnabled(false);
	EXPECT_FALSE(parent.IsMouseInputEnabled());
	EXPECT_TRUE(child->IsMouseInputEnabled());
	EXPECT_EQ(checks + 1, m_vgui->MouseVisibilityChecks());
}

TEST_F(PanelFocusTest, TabPositionKeepsTheLowByte)
{
	vgui::Panel panel;
	panel.SetTabPosition(257);
	EXPECT_EQ(1, panel.GetTabPosition());
	panel.SetTabPosition(255);
	EXPECT_EQ(255, panel.GetTabPosition());
}

TEST_F(PanelFocusTest, TopPopupTakesKeyFocusOrHandsItToItsChoice)
{
	ILuaInterface *lua = m_harness->Open(false);
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "log = ''; T = { OnFocusChanged = function(p, gained)"
	                                       " log = log .. tostring(gained) .. ' ' end }",
	                           true, true));
	auto *first = new FocusKeeper(nullptr, "first");
	first->MakePopup();
	EXPECT_TRUE(first->IsPopup());
	EXPECT_EQ(g_pVGuiSurface->GetEmbeddedPanel(), first->GetVParent());
	EXPECT_TRUE(first->IsMouseInputEnabled());
	EXPECT_TRUE(first->IsKeyBoardInputEnabled());
	first->m_pLuaTable = new CLuaObject();
	first->m_pLuaTable->SetFromGlobal("T");
	Frame();
	EXPECT_TRUE(first->HasFocus());
	EXPECT_EQ("setfocus ", first->log);

	// A second popup on top takes the focus; it names its child as its focus.
	auto *second = new FocusKeeper(nullptr, "second");
	auto *field = new vgui::Panel(second, "field");
	second->focus = field->GetVPanel();
	second->MakePopup();
	Frame();
	EXPECT_TRUE(field->HasFocus());
	EXPECT_FALSE(first->HasFocus());
	EXPECT_EQ("setfocus killfocus ", first->log);
	CLuaObject log;
	log.SetFromGlobal("log");
	EXPECT_STREQ("true false ", log.GetString());

	// Gone: focus falls back to the first popup.
	delete second;
	Frame();
	EXPECT_TRUE(first->HasFocus());
	delete first;
	EXPECT_EQ(0, lua->Top());
}
}
