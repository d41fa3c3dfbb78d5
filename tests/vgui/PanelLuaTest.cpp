// The Lua side of vgui::Panel: table and userdata, the hook cache and when hooks fire, the
// overlay panels and the bounds-changed notification that re-docks the parent.
#include <cstring>
#include <string>

#include "VGuiFixture.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "menu/LuaPanel.h"
#include "tier0/standin.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"

namespace
{
// Counts its stock painting and lets tests set its dock.
class LuaProbe : public vgui::Panel
{
public:
	LuaProbe(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}
	void Paint() override { ++paints; }
	void PaintBackground() override { ++backgrounds; }
	void Dock(int dock) { m_iDock = static_cast<unsigned char>(dock); }
	int paints = 0, backgrounds = 0;
};

// Stays square: a new height brings the same width.
class SquareProbe : public LuaProbe
{
public:
	SquareProbe(vgui::Panel *parent, const char *name) : LuaProbe(parent, name) {}
	void OnSizeChanged(int wide, int tall) override
	{
		LuaProbe::OnSizeChanged(wide, tall);
		if (wide != tall)
			SetWide(tall);
	}
};

class PanelLuaTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_lua = m_harness->Open();
		ASSERT_NE(nullptr, m_lua);
	}

	void Run(const char *code) { ASSERT_TRUE(m_lua->RunString("test", "", code, true, true)) << code; }

	std::string Global(const char *name)
	{
		CLuaObject value;
		value.SetFromGlobal(name);
		const char *text = value.GetString();
		return text ? text : "";
	}

	// Makes the panel the Lua global `name` (its userdata).
	void Expose(vgui::Panel *panel, const char *name)
	{
		Push_Panel(panel);
		m_lua->Global()->SetMember(name);
	}

	ILuaInterface *m_lua = nullptr;
};

TEST_F(PanelLuaTest, TableIsMadeOnceAndKnowsItsPanel)
{
	vgui::Panel panel;
	EXPECT_FALSE(panel.HasTable());
	CLuaObject *table = panel.GetTable();
	ASSERT_NE(nullptr, table);
	EXPECT_TRUE(panel.HasTable());
	EXPECT_EQ(table, panel.GetTable());
	Expose(&panel, "P");
	Run("same = tostring(P:GetTable().Panel == P)");
	EXPECT_EQ("true", Global("same"));
	EXPECT_EQ(0, m_lua->Top());
}

TEST_F(PanelLuaTest, WithoutAStateNoTableIsMadeButAnExistingOneIsKept)
{
	vgui::Panel fresh, made;
	ASSERT_NE(nullptr, made.GetTable());
	ILuaInterface *saved = g_Lua;
	g_Lua = nullptr;
	EXPECT_EQ(nullptr, fresh.GetTable());
	EXPECT_NE(nullptr, made.GetTable());
	fresh.PushForLua();  // nothing to push into
	g_Lua = saved;
	EXPECT_EQ(0, m_lua->Top());
}

TEST_F(PanelLuaTest, CachedHooksFireOnlyAfterAScan)
{
	auto *panel = new LuaProbe(nullptr, "p");
	panel->SetParent(m_root);
	Expose(panel, "P");
	Run("log = '' local t = P:GetTable()"
	    " t.Think = function() log = log .. 'T' end"
	    " t.AnimationThink = function() log = log .. 'A' end");
	Frame();
	EXPECT_EQ("", Global("log"));
	panel->ScanForLuaFunctionChanges();
	Frame();
	EXPECT_EQ("AT", Global("log"));
	// Hidden: only AnimationThink.
	panel->SetVisible(false);
	Frame();
	EXPECT_EQ("ATA", Global("log"));
	// A field that stops being a function empties its cache slot.
	Run("P:GetTable().AnimationThink = 5");
	panel->ScanForLuaFunctionChanges();
	EXPECT_EQ(nullptr, panel->m_pLuaAnimationThink);
	Frame();
	EXPECT_EQ("ATA", Global("log"));
	EXPECT_EQ(0, m_lua->Top());
	delete panel;
}

TEST_F(PanelLuaTest, PanelsMarkedForDeletionCallNoHooks)
{
	LuaProbe panel(nullptr, "p");
	Expose(&panel, "P");
	Run("calls = 0 P.Think = function() calls = calls + 1 end"
	    " P.OnActivate = function() calls = calls + 1 end");
	panel.Think();
	EXPECT_EQ("1", Global("calls"));
	panel.MarkForDeletion();
	panel.Think();
	KeyValues *activate = new KeyValues("activate");
	panel.OnMessage(activate, 0);
	activate->deleteThis();
	EXPECT_EQ("1", Global("calls"));
	// A scan of a marked panel changes nothing either.
	Run("P:GetTable().Think = nil");
	panel.ScanForLuaFunctionChanges();
	EXPECT_NE(nullptr, panel.m_pLuaThink);
}

TEST_F(PanelLuaTest, ActivationMessagesCallTheirHooks)
{
	vgui::Panel panel;
	Expose(&panel, "P");
	Run("log = '' P.OnActivate = function(p) log = log .. 'on' .. tostring(p == P) end"
	    " P.OnDeactivate = function() log = log .. ',off' end");
	for (const char *name : { "activate", "deactivate" })
	{
		KeyValues *message = new KeyValues(name);
		panel.OnMessage(message, 0);
		message->deleteThis();
	}
	EXPECT_EQ("ontrue,off", Global("log"));
}

TEST_F(PanelLuaTest, LuaPaintSwitchDecidesWhoPaints)
{
	auto *panel = new LuaProbe(nullptr, "p");
	panel->SetParent(m_root);
	Expose(panel, "P");
	Run("paints = 0 P.Paint = function() paints = paints + 1 return true end");
	m_vgui->Paint();
	EXPECT_EQ("1", Global("paints"));
	EXPECT_EQ(0, panel->paints);
	EXPECT_EQ(0, panel->backgrounds);

	ConVarRef luapaint("vgui_luapaint", true);
	if (!luapaint.IsValid())
	{
		delete panel;
		GTEST_SKIP() << "vgui_luapaint was registered by an earlier harness of this process";
	}
	luapaint.SetValue(0);
	m_vgui->Paint();
	luapaint.SetValue(1);
	EXPECT_EQ("1", Global("paints"));
	EXPECT_EQ(1, panel->paints);
	EXPECT_EQ(1, panel->backgrounds);
	delete panel;
}

TEST_F(PanelLuaTest, OverlayListKeepsOrderAndEachPanelOnce)
{
	vgui::Panel a, b, c;
	a.SetDrawOverlay(true);
	a.SetDrawOverlay(true);
	b.SetDrawOverlay(true);
	c.SetDrawOverlay(true);
	ASSERT_EQ(3, vgui::g_OverlayPanels.Count());
	b.SetDrawOverlay(false);
	ASSERT_EQ(2, vgui::g_OverlayPanels.Count());
	EXPECT_EQ(&a, vgui::g_OverlayPanels[0]);
	EXPECT_EQ(&c, vgui::g_OverlayPanels[1]);
	b.SetDrawOverlay(false);
	EXPECT_EQ(2, vgui::g_OverlayPanels.Count());
	{
		vgui::Panel gone;
		gone.SetDrawOverlay(true);
	}
	EXPECT_EQ(2, vgui::g_OverlayPanels.Count());
	a.SetDrawOverlay(false);
	c.SetDrawOverlay(false);
	EXPECT_EQ(0, vgui::g_OverlayPanels.Count());
}

TEST_F(PanelLuaTest, OverlayPanelsPaintOnlyInTheOverlayPass)
{
	auto *overlay = new LuaProbe(nullptr, "overlay");
	overlay->SetParent(m_root);
	auto *hidden = new LuaProbe(nullptr, "hidden");
	hidden->SetParent(m_root);
	overlay->SetDrawOverlay(true);
	hidden->SetDrawOverlay(true);
	hidden->SetVisible(false);
	m_vgui->Paint();
	EXPECT_EQ(0, overlay->paints);
	VGUIPaintOverlayPanels();
	EXPECT_EQ(1, overlay->paints);
	EXPECT_EQ(0, hidden->paints);
	EXPECT_FALSE(m_bDrawingOverlayPanels);
	delete overlay;
	delete hidden;
	EXPECT_EQ(0, vgui::g_OverlayPanels.Count());
}

TEST_F(PanelLuaTest, FreeLuaEmptiesTheCellAndTheNextPushMakesANewUserdata)
{
	vgui::Panel parent;
	vgui::Panel *child = new vgui::Panel(&parent, "child");
	Expose(&parent, "P");
	Expose(child, "C");
	Run("P.Think = function() end C.field = 1");
	ASSERT_NE(nullptr, parent.m_pLuaThink);
	parent.FreeLuaRecursive();
	EXPECT_EQ(nullptr, parent.m_pLuaThink);
	EXPECT_EQ(nullptr, parent.m_pLuaContainer);
	EXPECT_FALSE(child->HasTable());
	Expose(child, "C2");
	Run("dead = tostring(C:Valid()) fresh = tostring(C2:Valid()) field = tostring(C2.field)");
	EXPECT_EQ("false", Global("dead"));
	EXPECT_EQ("true", Global("fresh"));
	EXPECT_EQ("nil", Global("field"));
}

TEST_F(PanelLuaTest, UserdataOfAClosedStateIsReplacedWithAMessage)
{
	auto *panel = new vgui::Panel(nullptr, "p");
	Expose(panel, "P");
	Run("P.field = 1");
	m_harness->Close();
	EXPECT_EQ(nullptr, panel->m_pLuaContainer);  // collected with the state
	m_lua = m_harness->Open();
	ASSERT_NE(nullptr, m_lua);
	Tier0OutputCapture capture;
	Expose(panel, "Q");
	EXPECT_NE(std::string::npos, capture.Of(Tier0OutputKind::Msg).find("Panel object is fucked"));
	Run("valid = tostring(Q:Valid()) field = tostring(Q.field)");
	EXPECT_EQ("true", Global("valid"));
	EXPECT_EQ("nil", Global("field"));
	delete panel;
}

TEST_F(PanelLuaTest, GetValueForLuaIsEmpty)
{
	vgui::Panel panel;
	char buffer[8];
	memset(buffer, 'x', sizeof(buffer));
	panel.GetValueForLua(buffer, sizeof(buffer));
	for (char ch : buffer)
		EXPECT_EQ('\0', ch);
}

TEST_F(PanelLuaTest, ChildBoundsChangesReDockTheParent)
{
	auto *parent = new LuaProbe(nullptr, "parent");
	parent->SetParent(m_root);
	parent->SetSize(100, 50);
	auto *right = new LuaProbe(parent, "right");
	right->Dock(vgui::Panel::DOCK_RIGHT);
	right->SetSize(10, 5);
	auto *fill = new LuaProbe(parent, "fill");
	fill->Dock(vgui::Panel::DOCK_FILL);
	parent->InvalidateLayout(true);
	int x, y;
	right->GetPos(x, y);
	EXPECT_EQ(90, x);
	EXPECT_EQ(90, fill->GetWide());

	right->SetWide(30);
	Frame();
	right->GetPos(x, y);
	EXPECT_EQ(70, x);
	EXPECT_EQ(70, fill->GetWide());
	EXPECT_FALSE(right->IsBoundsChanged());
	delete parent;
}

// A right-docked child that widens while it is placed takes its new width from the rectangle.
TEST_F(PanelLuaTest, RightDockedChildShrinksTheRectangleByItsNewWidth)
{
	LuaProbe parent(nullptr, "parent");
	parent.SetSize(100, 50);
	auto *square = new SquareProbe(&parent, "square");
	square->SetSize(10, 10);
	square->Dock(vgui::Panel::DOCK_RIGHT);
	auto *fill = new LuaProbe(&parent, "fill");
	fill->Dock(vgui::Panel::DOCK_FILL);
	parent.InvalidateLayout(true);
	EXPECT_EQ(50, square->GetWide());
	EXPECT_EQ(50, fill->GetWide());
}

// A state without the Panel class cannot hold panels: nil stands in, and hooks still run.
TEST_F(PanelLuaTest, StatesWithoutThePanelClassGetNil)
{
	m_harness->Close();
	m_lua = m_harness->Open(false);
	ASSERT_NE(nullptr, m_lua);
	vgui::Panel panel;
	Push_Panel(&panel);
	EXPECT_EQ(LUA_TYPE_NIL, m_lua->GetType(-1));
	m_lua->Pop(1);
	EXPECT_EQ(nullptr, panel.m_pLuaContainer);
	Run("T = { OnActivate = function(p) got = tostring(p) end }");
	panel.m_pLuaTable = new CLuaObject();
	panel.m_pLuaTable->SetFromGlobal("T");
	panel.OnActivate();
	EXPECT_EQ("nil", Global("got"));
	EXPECT_EQ(0, m_lua->Top());
}
}
