// vgui::Menu keyboard and mouse handling and the open-menu manager, driven through the stand-in
// engine's input queue.
#include <string>
#include <vector>

#include "MenuRecorder.h"
#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IVGui.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuItem.h"
#include "vgui_controls/ScrollBar.h"

namespace
{
class MenuInputTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_vgui->SetScreenSize(800, 600);
		m_owner = new Recorder(nullptr, "owner");
		m_owner->SetParent(m_root);
		m_owner->SetBounds(0, 0, 800, 600);
		m_menu = new vgui::Menu(m_owner, "menu");
		m_menu->AddActionSignalTarget(m_owner);
		// Forget menus earlier tests left registered.
		vgui::g_MenuMgr.OnInternalMousePressed(nullptr, MOUSE_LEFT);
	}
	void TearDown() override
	{
		delete m_owner;
		VGuiTest::TearDown();
	}
	void AddItems(const std::vector<const char *> &texts)
	{
		for (const char *t : texts)
			m_menu->AddMenuItem(t, t, (std::string("cmd_") + t).c_str(), m_owner);
	}
	void Show(vgui::Menu *menu, int x, int y)
	{
		menu->SetPos(x, y);
		menu->SetVisible(true);
		Frame();
	}
	void Key(vgui::Menu *menu, ButtonCode_t code)
	{
		m_vgui->SetKeyFocus(menu->GetVPanel());
		m_vgui->QueueButton(code, true);
		m_vgui->QueueButton(code, false);
		Frame();
	}
	void Type(vgui::Menu *menu, wchar_t ch)
	{
		m_vgui->SetKeyFocus(menu->GetVPanel());
		m_vgui->QueueKeyTyped(ch);
		Frame();
	}
	void PressAt(vgui::Panel *pressed, int x, int y)
	{
		m_vgui->QueueCursorMove(x, y);
		Frame();
		vgui::Menu::OnInternalMousePressed(pressed, MOUSE_LEFT);
		Frame();
	}

	Recorder *m_owner = nullptr;
	vgui::Menu *m_menu = nullptr;
};

TEST_F(MenuInputTest, ArrowsWrapWithoutAScrollBarAndStopWithOne)
{
	AddItems({ "a", "b", "c" });
	Show(m_menu, 100, 100);
	ASSERT_FALSE(m_menu->IsScrollBarShown());
	Key(m_menu, KEY_UP);  // nothing highlighted: Up starts at the bottom
	EXPECT_EQ(2, m_menu->GetCurrentlyHighlightedItem());
	EXPECT_TRUE(m_menu->GetMenuItem(2)->IsArmed());
	Key(m_menu, KEY_DOWN);
	EXPECT_EQ(0, m_menu->GetCurrentlyHighlightedItem());
	EXPECT_FALSE(m_menu->GetMenuItem(2)->IsArmed());
	Key(m_menu, KEY_DOWN);
	EXPECT_EQ(1, m_menu->GetCurrentlyHighlightedItem());
	Key(m_menu, KEY_END);
	EXPECT_EQ(2, m_menu->GetCurrentlyHighlightedItem());
	Key(m_menu, KEY_HOME);
	EXPECT_EQ(0, m_menu->GetCurrentlyHighlightedItem());
	EXPECT_EQ(1, m_menu->GetMenuMode());

	vgui::Menu *longMenu = new vgui::Menu(m_owner, "long");
	for (int i = 0; i < 10; ++i)
		longMenu->AddMenuItem(("row" + std::to_string(i)).c_str(), m_owner);
	longMenu->SetNumberOfVisibleItems(4);
	Show(longMenu, 300, 100);
	ASSERT_TRUE(longMenu->IsScrollBarShown());
	// With a scroll bar the walk stops at the last row laid out instead of wrapping.
	Key(longMenu, KEY_END);
	EXPECT_EQ(3, longMenu->GetCurrentlyHighlightedItem());
	Key(longMenu, KEY_DOWN);
	EXPECT_EQ(3, longMenu->GetCurrentlyHighlightedItem());
	Key(longMenu, KEY_HOME);
	EXPECT_EQ(0, longMenu->GetCurrentlyHighlightedItem());
	Key(longMenu, KEY_UP);
	EXPECT_EQ(0, longMenu->GetCurrentlyHighlightedItem());
}

TEST_F(MenuInputTest, EmptyAndHiddenRowsAreSteppedOver)
{
	AddItems({ "a", "", "c" });
	Show(m_menu, 100, 100);
	Key(m_menu, KEY_DOWN);
	EXPECT_EQ(0, m_menu->GetCurrentlyHighlightedItem());
	Key(m_menu, KEY_DOWN);
	EXPECT_EQ(2, m_menu->GetCurrentlyHighlightedItem());
}

TEST_F(MenuInputTest, EnterActivatesAndEscapeCloses)
{
	AddItems({ "a", "b" });
	Show(m_menu, 100, 100);
	Key(m_menu, KEY_DOWN);
	Key(m_menu, KEY_DOWN);
	Key(m_menu, KEY_ENTER);
	Frame();
	EXPECT_EQ(1, m_owner->Count("Command:cmd_b"));
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_EQ(1, m_menu->GetActiveItem());
	EXPECT_EQ(-1, m_menu->GetCurrentlyHighlightedItem());
	EXPECT_EQ(1, m_owner->Count("MenuItemSelected"));

	int closes = m_owner->Count("MenuClose");
	Show(m_menu, 100, 100);
	Key(m_menu, KEY_ESCAPE);
	Frame();
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_EQ(closes + 1, m_owner->Count("MenuClose"));
}

TEST_F(MenuInputTest, RightOpensASubmenuAndLeftClosesIt)
{
	vgui::Menu *sub = new vgui::Menu(nullptr, "sub");
	sub->AddMenuItem("inner", "inner", "cmd_inner", m_owner);
	m_menu->AddCascadingMenuItem("more", m_owner, sub);
	Show(m_menu, 100, 100);
	Key(m_menu, KEY_DOWN);
	Key(m_menu, KEY_RIGHT);
	Frame();
	ASSERT_TRUE(sub->IsVisible());
	Key(sub, KEY_LEFT);
	Frame();
	EXPECT_FALSE(sub->IsVisible());
	EXPECT_TRUE(m_menu->IsVisible());
	// Left in a menu that is no submenu is passed on and leaves the menu shown.
	Key(m_menu, KEY_LEFT);
	Frame();
	EXPECT_TRUE(m_menu->IsVisible());
}

TEST_F(MenuInputTest, FirstLetterCyclesIgnoringCase)
{
	AddItems({ "apple", "Banana", "avocado", "berry" });
	Show(m_menu, 100, 100);
	const struct
	{
		wchar_t ch;
		int expected;
	} steps[] = { { L'b', 1 }, { L'B', 3 }, { L'b', 1 }, { L'a', 2 }, { L'a', 0 }, { L'z', 0 } };
	for (const auto &s : steps)
	{
		Type(m_menu, s.ch);
		EXPECT_EQ(s.expected, m_menu->GetCurrentlyHighlightedItem()) << static_cast<char>(s.ch);
	}
}

TEST_F(MenuInputTest, TypeAheadBuildsAPrefixAndRestartsAfterAPause)
{
	AddItems({ "alpha", "beta", "abacus", "abc" });
	m_menu->SetTypeAheadMode(vgui::Menu::TYPE_AHEAD_MODE);
	Show(m_menu, 100, 100);
	Advance(1.0);
	Type(m_menu, L'a');
	EXPECT_EQ(0, m_menu->GetCurrentlyHighlightedItem());
	Advance(0.2);
	Type(m_menu, L'b');
	EXPECT_EQ(2, m_menu->GetCurrentlyHighlightedItem());
	Advance(0.2);
	Type(m_menu, L'c');
	EXPECT_EQ(3, m_menu->GetCurrentlyHighlightedItem());
	// No match: the search start stays highlighted.
	Advance(0.2);
	Type(m_menu, L'q');
	EXPECT_EQ(3, m_menu->GetCurrentlyHighlightedItem());
	Advance(0.6);
	Type(m_menu, L'b');
	EXPECT_EQ(1, m_menu->GetCurrentlyHighlightedItem());
	// A long burst of typing keeps at most 255 characters and stays safe.
	for (int i = 0; i < 300; ++i)
		m_menu->OnTypeAhead(L'x');
	EXPECT_EQ(1, m_menu->GetCurrentlyHighlightedItem());
}

TEST_F(MenuInputTest, AltKeysCloseTheOwnerUnlessTypingAhead)
{
	AddItems({ "a" });
	Show(m_menu, 100, 100);
	m_vgui->SetKeyFocus(m_menu->GetVPanel());
	m_vgui->QueueButton(KEY_LALT, true);
	Frame();
	Frame();
	int afterAlt = m_owner->Count("MenuClose");
	Key(m_menu, KEY_F);
	Frame();
	EXPECT_EQ(afterAlt + 1, m_owner->Count("MenuClose"));
	m_menu->SetTypeAheadMode(vgui::Menu::TYPE_AHEAD_MODE);
	Key(m_menu, KEY_F);
	Frame();
	EXPECT_EQ(afterAlt + 1, m_owner->Count("MenuClose"));
	m_vgui->QueueButton(KEY_LALT, false);
	Frame();
}

TEST_F(MenuInputTest, PressOutsideClosesEveryOpenMenuButNotOnTheOwner)
{
	AddItems({ "a", "b" });
	Recorder *other = new Recorder(m_owner, "other");
	other->SetBounds(600, 400, 100, 100);
	vgui::Menu *second = new vgui::Menu(nullptr, "second");
	second->AddMenuItem("x", m_owner);
	m_menu->AddCascadingMenuItem("more", m_owner, second);
	Show(m_menu, 100, 100);
	Key(m_menu, KEY_UP);
	Key(m_menu, KEY_RIGHT);
	Frame();
	ASSERT_TRUE(second->IsVisible());
	EXPECT_EQ(2, vgui::g_MenuMgr.MenuCount());
	// A press inside the submenu keeps both open.
	int sx = 2, sy = 2;
	second->GetMenuItem(0)->LocalToScreen(sx, sy);
	PressAt(second->GetMenuItem(0), sx, sy);
	EXPECT_TRUE(m_menu->IsVisible());
	EXPECT_TRUE(second->IsVisible());
	// A press on the panel that owns the menus keeps them open.
	PressAt(m_owner, 50, 550);
	EXPECT_TRUE(m_menu->IsVisible());
	PressAt(other, 650, 450);
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_FALSE(second->IsVisible());
	EXPECT_EQ(0, vgui::g_MenuMgr.MenuCount());
}

TEST_F(MenuInputTest, DeletedMenusLeaveTheManager)
{
	vgui::Menu *gone = new vgui::Menu(m_owner, "gone");
	Recorder *other = new Recorder(m_owner, "other");
	other->SetBounds(600, 400, 100, 100);
	Show(m_menu, 300, 100);
	vgui::g_MenuMgr.AddMenu(gone);
	vgui::g_MenuMgr.AddMenu(gone);
	vgui::g_MenuMgr.AddMenu(nullptr);
	EXPECT_EQ(2, vgui::g_MenuMgr.MenuCount());
	delete gone;
	PressAt(other, 650, 450);
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_EQ(0, vgui::g_MenuMgr.MenuCount());
	m_menu->SetMenuManaged(false);
	m_menu->SetVisible(true);
	EXPECT_EQ(0, vgui::g_MenuMgr.MenuCount());
}

TEST_F(MenuInputTest, WheelScrollsOnlyWithAScrollBar)
{
	for (int i = 0; i < 10; ++i)
		m_menu->AddMenuItem(("row" + std::to_string(i)).c_str(), m_owner);
	m_menu->SetNumberOfVisibleItems(4);
	Show(m_menu, 100, 100);
	ASSERT_TRUE(m_menu->IsScrollBarShown());
	m_menu->OnMouseWheeled(-3);
	EXPECT_EQ(3, m_menu->GetScrollBar()->GetValue());
}
}

namespace
{
TEST_F(MenuInputTest, HotKeysFireTheirItem)
{
	m_menu->AddMenuItem("open", "&Open", "cmd_open", m_owner);
	m_menu->AddMenuItem("save", "&Save", "cmd_save", m_owner);
	ASSERT_EQ(vgui::Menu::HOT_KEY_MODE, m_menu->GetTypeAheadMode());
	Show(m_menu, 100, 100);
	Type(m_menu, L's');
	Frame();
	Frame();
	EXPECT_EQ(1, m_owner->Count("Command:cmd_save"));
	EXPECT_EQ(0, m_owner->Count("Command:cmd_open"));
}

TEST_F(MenuInputTest, LosingFocusOutsideClosesTheMenu)
{
	AddItems({ "a" });
	Show(m_menu, 100, 100);
	Recorder *other = new Recorder(m_owner, "other");
	other->SetBounds(600, 400, 100, 100);
	// Focus moving to one of the menu's own rows keeps it open.
	m_vgui->SetKeyFocus(m_menu->GetMenuItem(0)->GetVPanel());
	Frame();
	EXPECT_TRUE(m_menu->IsVisible());
	m_vgui->SetKeyFocus(other->GetVPanel());
	Frame();
	Frame();
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_GE(m_owner->Count("MenuClose"), 1);
}
}
