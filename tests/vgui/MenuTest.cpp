// vgui::Menu: item ids and display order, user data, the scrolling window of rows, separators,
// placement beside a panel, activation and closing open menus on an outside press.
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
class MenuTest : public VGuiTest
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
		m_menu->SetVisible(true);
	}
	void TearDown() override
	{
		delete m_owner;
		VGuiTest::TearDown();
	}
	void AddItems(int n)
	{
		for (int i = 0; i < n; ++i)
		{
			std::string text = "item" + std::to_string(i);
			m_menu->AddMenuItem(text.c_str(), text.c_str(), m_owner);
		}
	}

	Recorder *m_owner = nullptr;
	vgui::Menu *m_menu = nullptr;
};

TEST_F(MenuTest, IdsFollowAppendOrderAndBadIdsAreIgnored)
{
	AddItems(3);
	EXPECT_EQ(3, m_menu->GetItemCount());
	for (int i = 0; i < 3; ++i)
		EXPECT_EQ(i, m_menu->GetMenuID(i));
	EXPECT_EQ(-1, m_menu->GetMenuID(-1));
	EXPECT_EQ(-1, m_menu->GetMenuID(3));
	EXPECT_FALSE(m_menu->IsValidMenuID(7));
	EXPECT_EQ(nullptr, m_menu->GetMenuItem(7));
	wchar_t text[16] = L"junk";
	m_menu->GetItemText(7, text, sizeof(text));
	EXPECT_EQ(0, text[0]);
	m_menu->GetItemText(1, text, sizeof(text));
	EXPECT_EQ(std::wstring(L"item1"), text);
	// None of these may touch anything for a bad id.
	m_menu->SetItemEnabled(7, false);
	m_menu->SetItemVisible(-3, false);
	m_menu->SetMenuItemChecked(7, true);
	m_menu->UpdateMenuItem(7, "x", new KeyValues("Command", "command", "x"));
	m_menu->ActivateItem(7);
	EXPECT_EQ(0, m_menu->GetActiveItem());
}

TEST_F(MenuTest, MoveMenuItemKeepsAnItemWhosePlaceIsUnknown)
{
	AddItems(3);
	m_menu->MoveMenuItem(2, 0);
	EXPECT_EQ(2, m_menu->GetMenuID(0));
	EXPECT_EQ(0, m_menu->GetMenuID(1));
	// A target not in the order puts the item back at the end instead of losing it.
	m_menu->MoveMenuItem(2, 42);
	EXPECT_EQ(0, m_menu->GetMenuID(0));
	EXPECT_EQ(1, m_menu->GetMenuID(1));
	EXPECT_EQ(2, m_menu->GetMenuID(2));
	m_menu->MoveMenuItem(42, 0);
	EXPECT_EQ(3, m_menu->GetItemCount());
}

TEST_F(MenuTest, UserDataIsACopyAndDisabledItemsGiveNone)
{
	KeyValues *data = new KeyValues("data", "n", 5);
	int id = m_menu->AddMenuItem("a", "a", "cmd", m_owner, data);
	data->SetInt("n", 9);
	ASSERT_NE(nullptr, m_menu->GetItemUserData(id));
	EXPECT_EQ(5, m_menu->GetItemUserData(id)->GetInt("n"));
	data->deleteThis();
	m_menu->SetItemEnabled("A", false);
	EXPECT_EQ(nullptr, m_menu->GetItemUserData(id));
}

TEST_F(MenuTest, HotKeyItemSwitchesToHotKeyMode)
{
	m_menu->AddMenuItem("plain", m_owner);
	EXPECT_EQ(vgui::Menu::COMPAT_MODE, m_menu->GetTypeAheadMode());
	m_menu->AddMenuItem("&Open", m_owner);
	EXPECT_EQ(vgui::Menu::HOT_KEY_MODE, m_menu->GetTypeAheadMode());
}

TEST_F(MenuTest, ActivationFiresTheCommandAndRemembersTheItem)
{
	int a = m_menu->AddMenuItem("a", "A", "doa", m_owner);
	int b = m_menu->AddMenuItem("b", "B", "dob", m_owner);
	m_menu->ActivateItemByRow(1);
	Frame();
	EXPECT_EQ(1, m_owner->Count("Command:dob"));
	EXPECT_EQ(b, m_menu->GetActiveItem());
	m_menu->SetItemEnabled(a, false);
	m_menu->ActivateItem(a);
	m_menu->SilentActivateItem(a);
	Frame();
	EXPECT_EQ(0, m_owner->Count("Command:doa"));
	EXPECT_EQ(b, m_menu->GetActiveItem());
	m_menu->SetItemEnabled(a, true);
	m_menu->SilentActivateItem(a);
	Frame();
	EXPECT_EQ(0, m_owner->Count("Command:doa"));
	EXPECT_EQ(a, m_menu->GetActiveItem());
}

TEST_F(MenuTest, LayoutStacksRowsAndSeparators)
{
	AddItems(3);
	m_menu->AddSeparatorAfterItem(0);
	m_menu->InvalidateLayout();
	Frame();
	int w, h;
	m_menu->GetSize(w, h);
	EXPECT_EQ(3 * 22 + 3, h);
	EXPECT_FALSE(m_menu->IsScrollBarShown());
	int x, y;
	m_menu->GetMenuItem(1)->GetPos(x, y);
	EXPECT_EQ(22 + 3, y);
	m_menu->GetMenuItem(2)->GetPos(x, y);
	EXPECT_EQ(2 * 22 + 3, y);
	// A hidden item takes no row; hiding by id waits for the next layout.
	m_menu->SetItemVisible(1, false);
	m_menu->InvalidateLayout();
	Frame();
	m_menu->GetSize(w, h);
	EXPECT_EQ(2 * 22 + 3, h);
	EXPECT_EQ(2, m_menu->GetVisibleRowCount());
}

TEST_F(MenuTest, LongMenusShowAWindowOfRowsAndAScrollBar)
{
	struct Case
	{
		int screenTall, items, limit, rows;
	};
	// usable height = screen - 20: 600 fits 8 rows of 22; 150 fits 130/22 = 5.
	const Case cases[] = { { 600, 8, 5, 5 }, { 600, 8, -1, 8 }, { 150, 8, -1, 5 }, { 600, 5, 5, 5 } };
	for (const Case &c : cases)
	{
		m_vgui->SetScreenSize(800, c.screenTall);
		m_menu->DeleteAllItems();
		Frame();
		AddItems(c.items);
		m_menu->SetNumberOfVisibleItems(c.limit);
		m_menu->InvalidateLayout();
	Frame();
		EXPECT_EQ(c.rows, m_menu->GetVisibleRowCount()) << c.screenTall << " " << c.limit;
		EXPECT_EQ(c.rows < c.items, m_menu->IsScrollBarShown()) << c.screenTall << " " << c.limit;
		int w, h;
		m_menu->GetSize(w, h);
		EXPECT_LE(h, c.screenTall - 20);
	}
}

TEST_F(MenuTest, OpensBelowAboveOrBesideAPanel)
{
	AddItems(4);  // 88 pixels tall
	m_menu->InvalidateLayout();
	Frame();
	int mw, mh;
	m_menu->GetSize(mw, mh);
	ASSERT_EQ(88, mh);
	vgui::Panel *button = new vgui::Panel(m_owner, "button");
	struct Case
	{
		int screenTall, by, dir, x, y;
	};
	const Case cases[] = {
		{ 600, 100, vgui::Menu::DOWN, 50, 100 + 20 + 1 },  // room below
		{ 600, 500, vgui::Menu::DOWN, 50, 500 - 88 },      // near the bottom: above
		{ 600, 200, vgui::Menu::UP, 50, 200 - 88 },        // up when there is room
		{ 120, 10, vgui::Menu::DOWN, 50 + 60, 100 - 88 },  // no room either way: beside, bottom on usable height
	};
	for (const Case &c : cases)
	{
		m_vgui->SetScreenSize(800, c.screenTall);
		button->SetBounds(50, c.by, 60, 20);
		m_menu->PositionRelativeToPanel(button, static_cast<vgui::Menu::MenuDirection_e>(c.dir));
		int x, y;
		m_menu->GetPos(x, y);
		EXPECT_EQ(c.x, x) << c.by;
		EXPECT_EQ(c.y, y) << c.by;
	}
}

TEST_F(MenuTest, DeleteAllItemsEmptiesTheMenu)
{
	AddItems(3);
	m_menu->AddSeparator();
	m_menu->DeleteAllItems();
	EXPECT_EQ(0, m_menu->GetItemCount());
	EXPECT_EQ(-1, m_menu->GetMenuID(0));
	m_menu->InvalidateLayout();
	Frame();
	EXPECT_EQ(0, m_menu->GetVisibleRowCount());
	Frame();
	EXPECT_EQ(0, m_menu->AddMenuItem("again", m_owner) < 0);
}
}

namespace
{
TEST_F(MenuTest, PaintsTheDividerBesideTheBarAndTheSeparatorLine)
{
	AddItems(4);
	m_menu->AddSeparatorAfterItem(0);
	m_menu->SetPos(100, 100);
	m_menu->InvalidateLayout();
	Frame();
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	// Without a scroll bar the menu draws nothing of its own; the separator draws its line.
	int menuLines = 0, sepLines = 0;
	for (const VGuiDrawRecord &r : m_vgui->DrawLog())
	{
		if (r.kind != VGuiDrawRecord::FilledRect)
			continue;
		if (r.panel == m_menu->GetVPanel() && r.x1 - r.x0 == 1)
			++menuLines;
		if (r.panel != m_menu->GetVPanel() && r.y1 - r.y0 == 1 && r.x0 == 100 + 4 && r.y0 == 100 + 22 + 1)
			++sepLines;
	}
	EXPECT_EQ(0, menuLines);
	EXPECT_GE(sepLines, 1);

	m_menu->SetNumberOfVisibleItems(2);
	Frame();
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	int w, h;
	m_menu->GetSize(w, h);
	int barX = 100 + w - m_menu->GetScrollBar()->GetWide();
	menuLines = 0;
	for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		if (r.kind == VGuiDrawRecord::FilledRect && r.panel == m_menu->GetVPanel() && r.x0 == barX && r.x1 == barX + 1)
			++menuLines;
	EXPECT_GE(menuLines, 1);
}
}
