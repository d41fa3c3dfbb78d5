// vgui::Panel over the stand-in engine: construction, handles, deletion, the tree, geometry,
// hit testing, pinning, scheme lookup, layout and docking.
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier0/standin.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "vgui/IScheme.h"

namespace
{
// A panel that counts its callbacks and lets tests set its dock.
class ProbePanel : public vgui::Panel
{
public:
	ProbePanel(vgui::Panel *parent, const char *name, int *destroyed = nullptr)
	    : vgui::Panel(parent, name), m_destroyed(destroyed)
	{
	}
	~ProbePanel() override
	{
		if (m_destroyed)
			++*m_destroyed;
	}
	void OnBoundsChanged() override { ++boundsChanged; }
	void PerformLayout() override
	{
		++layouts;
		if (addChildInLayout)
			new vgui::Panel(this, "late");
	}
	void OnThink() override { ++thinks; }
	void Dock(int dock, int margin = 0)
	{
		m_iDock = static_cast<unsigned char>(dock);
		for (int &m : m_iDockMargin)
			m = margin;
	}
	void Margins(int l, int t, int r, int b)
	{
		m_iDockMargin[0] = l, m_iDockMargin[1] = t, m_iDockMargin[2] = r, m_iDockMargin[3] = b;
	}
	void Padding(int p)
	{
		for (int &pad : m_iDockPadding)
			pad = p;
	}
	unsigned short Flags() { return static_cast<unsigned short>(IsLayoutInvalid()); }
	bool SchemePending() { return IsFlag(NEEDS_SCHEME_UPDATE); }

	int boundsChanged = 0, layouts = 0, thinks = 0;
	bool addChildInLayout = false;

private:
	int *m_destroyed;
};

// A panel that claims another module.
class ForeignPanel : public vgui::Panel
{
public:
	const char *GetModuleName() override { return "OTHERMODULE"; }
};

using PanelTest = VGuiTest;

TEST_F(PanelTest, NewPanelDefaults)
{
	vgui::Panel panel;
	int x, y, w, t;
	panel.GetBounds(x, y, w, t);
	EXPECT_EQ(0, x);
	EXPECT_EQ(0, y);
	EXPECT_EQ(64, w);
	EXPECT_EQ(24, t);
	EXPECT_EQ(255, panel.GetAlpha());
	EXPECT_EQ(2u, panel.GetCursor());
	EXPECT_TRUE(panel.IsAutoDeleteSet());
	EXPECT_TRUE(panel.IsLayoutInvalid());
	EXPECT_FALSE(panel.IsMarkedForDeletion());
	EXPECT_FALSE(panel.IsBoundsChanged());
	EXPECT_STREQ("", panel.GetName());
	EXPECT_STREQ("Panel", panel.GetClassName());
	EXPECT_STREQ("FOYERIX", panel.GetModuleName());
	EXPECT_EQ(&panel, panel.QueryInterface(vgui::ICLIENTPANEL_STANDARD_INTERFACE));
	EXPECT_EQ(nullptr, panel.QueryInterface(static_cast<vgui::EInterfaceID>(1)));
	EXPECT_EQ(0, panel.GetPaintBackgroundType());
	EXPECT_EQ(-1, panel.m_nBgTextureId1);
	EXPECT_EQ(15, panel.GetRoundedCorners());
	EXPECT_EQ(nullptr, panel.GetParent());
	EXPECT_TRUE(panel.IsVisible());
	EXPECT_NE(0u, panel.GetVPanel());
}

TEST_F(PanelTest, NamesAreCopiedOnlyWhenTheyChange)
{
	vgui::Panel panel(nullptr, "Alpha");
	const char *stored = panel.GetName();
	panel.SetName("Alpha");
	EXPECT_EQ(stored, panel.GetName());
	panel.SetName("alpha");
	EXPECT_STREQ("alpha", panel.GetName());
	panel.SetName(nullptr);
	EXPECT_STREQ("", panel.GetName());
}

TEST_F(PanelTest, MarkForDeletionDeletesOnceFromTheLoop)
{
	int destroyed = 0;
	auto *panel = new ProbePanel(nullptr, "doomed", &destroyed);
	vgui::PHandle handle;
	handle = panel;
	panel->MarkForDeletion();
	panel->MarkForDeletion();
	EXPECT_TRUE(panel->IsMarkedForDeletion());
	EXPECT_FALSE(panel->IsAutoDeleteSet());
	EXPECT_EQ(0, destroyed);
	Frame();
	EXPECT_EQ(1, destroyed);
	EXPECT_EQ(nullptr, handle.Get());
	Frame();
	EXPECT_EQ(1, destroyed);
	EXPECT_EQ(m_baseline, m_vgui->LivePanelCount());
}

TEST_F(PanelTest, MarkForDeletionWhileTheLoopIsStoppedOnlySetsFlags)
{
	int destroyed = 0;
	auto *panel = new ProbePanel(nullptr, "kept", &destroyed);
	m_vgui->SetRunning(false);
	panel->MarkForDeletion();
	m_vgui->SetRunning(true);
	Frame();
	EXPECT_EQ(0, destroyed);
	EXPECT_TRUE(panel->IsMarkedForDeletion());
	delete panel;
	EXPECT_EQ(1, destroyed);
}

TEST_F(PanelTest, DestroyedParentDeletesAutoDeleteChildrenAndDetachesOthers)
{
	int destroyed = 0;
	auto *parent = new vgui::Panel(nullptr, "parent");
	auto *owned = new ProbePanel(parent, "owned", &destroyed);
	auto *kept = new ProbePanel(parent, "kept", &destroyed);
	kept->SetAutoDelete(false);
	vgui::PHandle ownedHandle;
	ownedHandle = owned;
	delete parent;
	EXPECT_EQ(1, destroyed);
	EXPECT_EQ(nullptr, ownedHandle.Get());
	EXPECT_EQ(nullptr, kept->GetParent());
	EXPECT_EQ(0u, kept->GetVParent());
	delete kept;
	EXPECT_EQ(m_baseline, m_vgui->LivePanelCount());
}

TEST_F(PanelTest, HandlesGoStaleAndIgnoreOtherModules)
{
	auto *panel = new vgui::Panel(nullptr, "p");
	vgui::PHandle handle;
	vgui::VPanelHandle vhandle;
	handle = panel;
	vhandle = panel->GetVPanel();
	EXPECT_EQ(panel, handle.Get());
	EXPECT_EQ(panel->GetVPanel(), vhandle.Get());
	panel->DeletePanel();
	EXPECT_EQ(nullptr, handle.Get());
	EXPECT_EQ(0u, vhandle.Get());

	// A new panel that reuses the engine slot does not revive the old handles.
	vgui::Panel reused;
	EXPECT_EQ(nullptr, handle.Get());
	EXPECT_EQ(0u, vhandle.Get());

	ForeignPanel foreign;
	handle = &foreign;
	vhandle = foreign.GetVPanel();
	EXPECT_EQ(nullptr, handle.Get());
	EXPECT_EQ(foreign.GetVPanel(), vhandle.Get());

	vgui::PHandle none;
	EXPECT_EQ(nullptr, none.Get());
	handle = nullptr;
	EXPECT_EQ(vgui::INVALID_PANEL, handle.GetHandle());
}

// The Lua "OnDeletion" function runs only for a panel destroyed without being marked first.
TEST_F(PanelTest, OnDeletionRunsOnlyForUnmarkedPanels)
{
	ILuaInterface *lua = m_harness->Open();
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "calls = 0; T = { OnDeletion = function(p) calls = calls + 1 end }", true, true));
	auto tableOf = [&]() {
		auto *table = new CLuaObject();
		table->SetFromGlobal("T");
		return table;
	};
	auto calls = [&]() {
		CLuaObject value;
		value.SetFromGlobal("calls");
		return value.GetInt();
	};

	auto *direct = new vgui::Panel(nullptr, "direct");
	direct->m_pLuaTable = tableOf();
	KeyValues *deleteMessage = new KeyValues("Delete");
	direct->OnMessage(deleteMessage, 0);  // the message handler deletes the panel
	deleteMessage->deleteThis();
	EXPECT_EQ(1, calls());

	auto *deleted = new vgui::Panel(nullptr, "deleted");
	deleted->m_pLuaTable = tableOf();
	deleted->DeletePanel();
	EXPECT_EQ(1, calls());

	auto *marked = new vgui::Panel(nullptr, "marked");
	marked->m_pLuaTable = tableOf();
	marked->MarkForDeletion();
	Frame();
	EXPECT_EQ(1, calls());
	EXPECT_EQ(0, lua->Top());
}

TEST_F(PanelTest, GeometrySettersMarkBoundsChangedOnlyOnChange)
{
	ProbePanel panel(nullptr, "p");
	panel.SetParent(m_root);
	Frame();
	panel.boundsChanged = 0;

	panel.SetPos(0, 0);
	panel.SetSize(64, 24);
	panel.SetZPos(0);
	panel.SetVisible(true);
	EXPECT_FALSE(panel.IsBoundsChanged());
	Frame();
	EXPECT_EQ(0, panel.boundsChanged);

	panel.SetPos(10, 20);
	EXPECT_TRUE(panel.IsBoundsChanged());
	Frame();
	EXPECT_EQ(1, panel.boundsChanged);
	EXPECT_FALSE(panel.IsBoundsChanged());

	panel.SetMinimumSize(0, 0);
	EXPECT_TRUE(panel.IsBoundsChanged());
	Frame();
	EXPECT_EQ(2, panel.boundsChanged);

	panel.SetWide(100);
	panel.SetTall(50);
	EXPECT_EQ(100, panel.GetWide());
	EXPECT_EQ(50, panel.GetTall());
	int x = 1, y = 2;
	panel.LocalToScreen(x, y);
	EXPECT_EQ(11, x);
	EXPECT_EQ(22, y);
}

TEST_F(PanelTest, ChildrenFollowZOrderAndHitTesting)
{
	vgui::Panel *parent = NewRootChild("parent");
	parent->SetBounds(0, 0, 200, 200);
	auto *a = new vgui::Panel(parent, "a");
	auto *b = new vgui::Panel(parent, "b");
	a->SetBounds(10, 10, 100, 100);
	b->SetBounds(50, 50, 100, 100);

	// The later child is on top where they overlap.
	EXPECT_EQ(b->GetVPanel(), parent->IsWithinTraverse(60, 60, false));
	EXPECT_EQ(a->GetVPanel(), parent->IsWithinTraverse(20, 20, false));
	EXPECT_EQ(parent->GetVPanel(), parent->IsWithinTraverse(190, 5, false));
	EXPECT_EQ(0u, parent->IsWithinTraverse(250, 5, false));
	EXPECT_TRUE(a->IsWithin(10, 10));
	EXPECT_FALSE(a->IsWithin(110, 10));

	a->SetZPos(5);
	EXPECT_EQ(a, parent->GetChild(1));
	EXPECT_EQ(a->GetVPanel(), parent->IsWithinTraverse(60, 60, false));
	a->MoveToBack();
	EXPECT_EQ(a, parent->GetChild(0));

	b->SetMouseInputEnabled(false);
	EXPECT_EQ(0u, b->IsWithinTraverse(60, 60, false));
	b->SetVisible(false);
	EXPECT_EQ(a->GetVPanel(), parent->IsWithinTraverse(60, 60, false));
	delete parent;
}

TEST_F(PanelTest, PopupsWinOverEveryOtherChild)
{
	vgui::Panel *parent = NewRootChild("parent");
	parent->SetBounds(0, 0, 100, 100);
	auto *popup = new vgui::Panel(parent, "popup");
	g_pVGuiSurface->CreatePopup(popup->GetVPanel(), false);
	popup->SetBounds(150, 10, 50, 50);
	auto *plain = new vgui::Panel(parent, "plain");
	plain->SetBounds(0, 0, 100, 100);
	EXPECT_TRUE(popup->IsPopup());

	// With popups: the popup is found even outside the parent, and wins over later children.
	EXPECT_EQ(popup->GetVPanel(), parent->IsWithinTraverse(160, 20, true));
	popup->SetPos(10, 10);
	EXPECT_EQ(popup->GetVPanel(), parent->IsWithinTraverse(20, 20, true));
	EXPECT_EQ(plain->GetVPanel(), parent->IsWithinTraverse(20, 20, false));
	delete parent;
}

TEST_F(PanelTest, PopupsMoveInThePopupOrder)
{
	vgui::Panel *a = NewRootChild("a");
	vgui::Panel *b = NewRootChild("b");
	for (vgui::Panel *p : { a, b })
	{
		g_pVGuiSurface->CreatePopup(p->GetVPanel(), false);
		p->SetBgColor(Color(255, 255, 255, 255));
	}
	auto paintOrder = [&]() {
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		std::vector<vgui::VPANEL> order;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			order.push_back(r.panel);
		return order;
	};
	EXPECT_EQ((std::vector<vgui::VPANEL>{ a->GetVPanel(), b->GetVPanel() }), paintOrder());
	a->MoveToFront();
	EXPECT_EQ((std::vector<vgui::VPANEL>{ b->GetVPanel(), a->GetVPanel() }), paintOrder());
	a->MoveToBack();
	EXPECT_EQ((std::vector<vgui::VPANEL>{ a->GetVPanel(), b->GetVPanel() }), paintOrder());
	delete a;
	delete b;
	EXPECT_TRUE(paintOrder().empty());
}

TEST_F(PanelTest, FindsChildrenAndSiblingsByNameIgnoringCase)
{
	vgui::Panel parent(nullptr, "parent");
	auto *first = new vgui::Panel(&parent, "first");
	auto *grandchild = new vgui::Panel(first, "Button");
	auto *second = new vgui::Panel(&parent, "second");
	auto *later = new vgui::Panel(second, "button");

	EXPECT_EQ(nullptr, parent.FindChildByName("button"));
	EXPECT_EQ(grandchild, parent.FindChildByName("button", true));
	EXPECT_EQ(second, parent.FindChildByName("SECOND"));
	(void)later;
	EXPECT_EQ(second, first->FindSiblingByName("Second"));
	EXPECT_EQ(first, first->FindSiblingByName("first"));
	EXPECT_EQ(nullptr, parent.FindSiblingByName("first"));
	EXPECT_EQ(2, parent.GetChildCount());
	EXPECT_TRUE(grandchild->HasParent(parent.GetVPanel()));
	EXPECT_FALSE(parent.HasParent(grandchild->GetVPanel()));
	EXPECT_FALSE(parent.HasParent(0));
}

TEST_F(PanelTest, ProportionalParentMakesTheWholeSubtreeProportional)
{
	vgui::Panel parent(nullptr, "parent");
	parent.SetProportional(true);
	vgui::Panel branch(nullptr, "branch");
	auto *leaf = new vgui::Panel(&branch, "leaf");
	branch.InvalidateLayout(true);
	leaf->InvalidateLayout(true);
	ASSERT_FALSE(leaf->IsProportional());

	branch.SetParent(&parent);
	EXPECT_TRUE(branch.IsProportional());
	EXPECT_TRUE(leaf->IsProportional());
	EXPECT_TRUE(branch.IsLayoutInvalid());
	EXPECT_TRUE(leaf->IsLayoutInvalid());
	branch.SetParent(static_cast<vgui::Panel *>(nullptr));
}

TEST_F(PanelTest, ChildAddedAndRemovedReachTheParentsLuaTable)
{
	ILuaInterface *lua = m_harness->Open();
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "added, removed = 0, 0; T = { OnChildAdded = function() added = added + 1 end,"
	                                       " OnChildRemoved = function() removed = removed + 1 end }",
	                           true, true));
	auto global = [&](const char *name) {
		CLuaObject value;
		value.SetFromGlobal(name);
		return value.GetInt();
	};
	vgui::Panel parent(nullptr, "parent");
	parent.m_pLuaTable = new CLuaObject();
	parent.m_pLuaTable->SetFromGlobal("T");
	parent.ScanForLuaFunctionChanges();

	vgui::Panel child(&parent, "child");
	EXPECT_EQ(1, global("added"));
	child.SetParent(static_cast<vgui::VPANEL>(0));
	EXPECT_EQ(1, global("removed"));

	child.SetParent(&parent);
	g_bPaintingManually = true;
	child.SetParent(static_cast<vgui::VPANEL>(0));
	child.SetParent(&parent);
	g_bPaintingManually = false;
	EXPECT_EQ(2, global("added"));
	EXPECT_EQ(1, global("removed"));
	child.SetParent(static_cast<vgui::VPANEL>(0));
	parent.FreeLua();
}

TEST_F(PanelTest, FullScreenPanelsFollowTheScreenSize)
{
	vgui::Panel *full = NewRootChild("full");
	full->SetBounds(0, 0, 640, 480);
	vgui::Panel *smaller = NewRootChild("smaller");
	smaller->SetBounds(0, 0, 639, 480);
	auto *child = new ProbePanel(full, "child");
	child->SetBounds(0, 0, 640, 480);

	m_vgui->SetScreenSize(800, 600);
	full->OnScreenSizeChanged(640, 480);
	smaller->OnScreenSizeChanged(640, 480);
	int w, t;
	full->GetSize(w, t);
	EXPECT_EQ(800, w);
	EXPECT_EQ(600, t);
	smaller->GetSize(w, t);
	EXPECT_EQ(639, w);
	EXPECT_EQ(480, t);
	EXPECT_TRUE(full->IsLayoutInvalid());

	// The children hear of it through a posted message.
	EXPECT_EQ(1, m_vgui->PendingMessageCount());
	Frame();
	child->GetSize(w, t);
	EXPECT_EQ(800, w);
	EXPECT_EQ(600, t);
	delete full;
	delete smaller;
}

TEST_F(PanelTest, SchemesComeFromThePanelItsParentOrTheDefault)
{
	vgui::Panel parent(nullptr, "parent");
	vgui::Panel child(&parent, "child");
	EXPECT_EQ(g_pVGuiSchemeManager->GetDefaultScheme(), child.GetScheme());
	parent.SetScheme(7);
	EXPECT_EQ(7u, child.GetScheme());
	child.SetScheme("");
	child.SetScheme("NoSuchScheme");
	EXPECT_EQ(7u, child.GetScheme());
	child.SetScheme(3);
	EXPECT_EQ(3u, child.GetScheme());
}

TEST_F(PanelTest, PinnedSiblingIsFoundAndLookedUpAgainWhenGone)
{
	vgui::Panel parent(nullptr, "parent");
	vgui::Panel pinned(&parent, "pinned");
	pinned.PinToSibling("anchor", vgui::PIN_TOPLEFT, vgui::PIN_BOTTOMRIGHT);
	auto *anchor = new vgui::Panel(&parent, "Anchor");
	pinned.UpdateSiblingPin();
	delete anchor;
	pinned.UpdateSiblingPin();
	pinned.PinToSibling(nullptr, vgui::PIN_TOPLEFT, vgui::PIN_TOPLEFT);
	SUCCEED();
}

TEST_F(PanelTest, AddingAChildDuringLayoutWarns)
{
	ProbePanel panel(nullptr, "panel");
	panel.PerformApplySchemeSettings();
	panel.addChildInLayout = true;
	Tier0OutputCapture out;
	panel.InvalidateLayout(true);
	EXPECT_NE(std::string::npos, out.All().find("vgui: Adding child in layout!"));
	out.Clear();
	new vgui::Panel(&panel, "outside");
	EXPECT_EQ("", out.All());
}

TEST_F(PanelTest, ThinkLaysOutOnlyVisiblePanelsWithTheirScheme)
{
	ProbePanel panel(nullptr, "panel");
	panel.SetParent(m_root);

	// The scheme update is pending: docking runs, the virtual layout waits, the flag stays.
	panel.Think();
	EXPECT_EQ(0, panel.layouts);
	EXPECT_TRUE(panel.IsLayoutInvalid());
	EXPECT_EQ(1, panel.thinks);

	Frame();  // think, then scheme settings
	Frame();  // now laid out
	EXPECT_FALSE(panel.SchemePending());
	EXPECT_EQ(1, panel.layouts);
	EXPECT_FALSE(panel.IsLayoutInvalid());

	panel.SetVisible(false);
	panel.InvalidateLayout();
	for (int i = 0; i < 3; ++i)
		Frame();
	EXPECT_EQ(1, panel.layouts);
	EXPECT_TRUE(panel.IsLayoutInvalid());
	panel.InvalidateLayout(true);
	EXPECT_EQ(2, panel.layouts);

	g_bPaintingLevelProgress = true;
	int thinks = panel.thinks;
	panel.SetVisible(true);
	panel.InvalidateLayout();
	Frame();
	g_bPaintingLevelProgress = false;
	EXPECT_EQ(thinks, panel.thinks);
	EXPECT_EQ(2, panel.layouts);
	panel.SetParent(static_cast<vgui::VPANEL>(0));
}

TEST_F(PanelTest, ReloadingTheSchemeReachesTheWholeSubtree)
{
	ProbePanel parent(nullptr, "parent");
	auto *child = new ProbePanel(&parent, "child");
	parent.PerformApplySchemeSettings();
	child->PerformApplySchemeSettings();
	parent.InvalidateLayout(false, true);
	// Each panel applied its scheme again at once.
	EXPECT_FALSE(parent.SchemePending());
	EXPECT_FALSE(child->SchemePending());
	EXPECT_TRUE(child->IsLayoutInvalid());
}

TEST_F(PanelTest, ThinkAndLayoutRunTheLuaHooks)
{
	ILuaInterface *lua = m_harness->Open();
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "log = ''; T = { AnimationThink = function() log = log .. 'A' end,"
	                                       " Think = function() log = log .. 'T' end,"
	                                       " PerformLayout = function(p, w, h) log = log .. 'L' .. w .. 'x' .. h end }"
	                                       " function VisualizeLayout(p) log = log .. 'V' end",
	                           true, true));
	auto log = [&]() {
		CLuaObject value;
		value.SetFromGlobal("log");
		return std::string(value.GetString());
	};
	ProbePanel panel(nullptr, "p");
	panel.SetSize(30, 20);
	panel.m_pLuaTable = new CLuaObject();
	panel.m_pLuaTable->SetFromGlobal("T");
	panel.ScanForLuaFunctionChanges();
	panel.Think();
	EXPECT_EQ("ATL30x20", log());
	panel.SetVisible(false);
	panel.Think();
	EXPECT_EQ("ATL30x20A", log());

	// The console registers this module's variables once per process (ctest runs each test alone).
	ConVarRef visualize("vgui_visualizelayout", true);
	if (!visualize.IsValid())
		GTEST_SKIP() << "vgui_visualizelayout was registered by an earlier harness of this process";
	visualize.SetValue(1);
	panel.InvalidateLayout(true);
	visualize.SetValue(0);
	EXPECT_EQ("ATL30x20AVL30x20", log());
	EXPECT_EQ(0, lua->Top());

	// A panel marked for deletion runs no hooks.
	panel.MarkForDeletion();
	panel.SetVisible(true);
	panel.Think();
	EXPECT_EQ("ATL30x20AVL30x20", log());
}

struct DockCase
{
	const char *what;
	int padding;
	int dock, margin, wide, tall;  // the docked child
	int x, y, w, t;                // where it lands
	int fillX, fillY, fillW, fillT;
};

TEST_F(PanelTest, DockingPlacesChildrenAndFillsTheRest)
{
	const DockCase cases[] = {
		{ "left with padding", 5, vgui::Panel::DOCK_LEFT, 0, 20, 10, 5, 5, 20, 90, 25, 5, 70, 90 },
		{ "right with margin", 0, vgui::Panel::DOCK_RIGHT, 4, 20, 10, 76, 4, 20, 92, 0, 0, 72, 100 },
		{ "top", 0, vgui::Panel::DOCK_TOP, 0, 10, 30, 0, 0, 100, 30, 0, 30, 100, 70 },
		{ "bottom with margin", 2, vgui::Panel::DOCK_BOTTOM, 3, 10, 30, 5, 65, 90, 30, 2, 2, 96, 60 },
	};
	for (const DockCase &c : cases)
	{
		SCOPED_TRACE(c.what);
		ProbePanel parent(nullptr, "parent");
		parent.SetSize(100, 100);
		parent.Padding(c.padding);
		auto *docked = new ProbePanel(&parent, "docked");
		docked->SetSize(c.wide, c.tall);
		docked->Dock(c.dock, c.margin);
		auto *fill = new ProbePanel(&parent, "fill");
		fill->Dock(vgui::Panel::DOCK_FILL);
		auto *undocked = new ProbePanel(&parent, "undocked");
		undocked->SetBounds(1, 2, 3, 4);
		parent.DoDockedLayout();

		int x, y, w, t;
		docked->GetBounds(x, y, w, t);
		EXPECT_EQ(c.x, x);
		EXPECT_EQ(c.y, y);
		EXPECT_EQ(c.w, w);
		EXPECT_EQ(c.t, t);
		fill->GetBounds(x, y, w, t);
		EXPECT_EQ(c.fillX, x);
		EXPECT_EQ(c.fillY, y);
		EXPECT_EQ(c.fillW, w);
		EXPECT_EQ(c.fillT, t);
		undocked->GetBounds(x, y, w, t);
		EXPECT_EQ(1, x);
		EXPECT_EQ(4, t);
	}
}

TEST_F(PanelTest, FillChildrenOverlapAndHiddenChildrenStay)
{
	ProbePanel parent(nullptr, "parent");
	parent.SetSize(100, 50);
	auto *hidden = new ProbePanel(&parent, "hidden");
	hidden->SetBounds(0, 0, 10, 10);
	hidden->Dock(vgui::Panel::DOCK_LEFT);
	hidden->SetVisible(false);
	auto *a = new ProbePanel(&parent, "a");
	auto *b = new ProbePanel(&parent, "b");
	a->Dock(vgui::Panel::DOCK_FILL);
	b->Dock(vgui::Panel::DOCK_FILL);
	b->Margins(1, 2, 3, 4);
	parent.DoDockedLayout();
	int x, y, w, t;
	a->GetBounds(x, y, w, t);
	EXPECT_EQ(0, x);
	EXPECT_EQ(100, w);
	EXPECT_EQ(50, t);
	b->GetBounds(x, y, w, t);
	EXPECT_EQ(1, x);
	EXPECT_EQ(2, y);
	EXPECT_EQ(96, w);
	EXPECT_EQ(44, t);
	hidden->GetBounds(x, y, w, t);
	EXPECT_EQ(10, t);
}

TEST_F(PanelTest, TwoLeftDockedChildrenStackInChildOrder)
{
	ProbePanel parent(nullptr, "parent");
	parent.SetSize(100, 40);
	auto *first = new ProbePanel(&parent, "first");
	auto *second = new ProbePanel(&parent, "second");
	first->SetWide(10);
	second->SetWide(15);
	first->Dock(vgui::Panel::DOCK_LEFT, 1);
	second->Dock(vgui::Panel::DOCK_LEFT);
	parent.DoDockedLayout();
	int x, y;
	first->GetPos(x, y);
	EXPECT_EQ(1, x);
	second->GetPos(x, y);
	EXPECT_EQ(12, x);
	EXPECT_EQ(40, second->GetTall());
	EXPECT_EQ(38, first->GetTall());
}
}
