// vgui::MenuItem: check marks, cascading submenus in keyboard and mouse mode, user data, the
// messages it sends its menu, the factory defaults and painting the check box.
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuItem.h"
#include "vgui_controls/PHandle.h"

namespace
{
class MenuItemTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_vgui->SetScreenSize(800, 600);
		m_owner = NewRootChild("owner");
		m_owner->SetBounds(0, 0, 800, 600);
		m_menu = new vgui::Menu(m_owner, "menu");
		m_menu->SetVisible(true);
	}
	void TearDown() override
	{
		delete m_owner;
		VGuiTest::TearDown();
	}
	vgui::Panel *m_owner = nullptr;
	vgui::Menu *m_menu = nullptr;
};

TEST_F(MenuItemTest, CheckMarkFlipsOnEachChoiceOnlyWhenCheckable)
{
	int check = m_menu->AddCheckableMenuItem("c", "Check", "cmd", m_owner);
	int plain = m_menu->AddMenuItem("p", "Plain", "cmd", m_owner);
	vgui::MenuItem *c = m_menu->GetMenuItem(check);
	vgui::MenuItem *p = m_menu->GetMenuItem(plain);
	EXPECT_TRUE(c->IsCheckable());
	EXPECT_FALSE(c->IsChecked());
	m_menu->ActivateItem(check);
	EXPECT_TRUE(c->IsChecked());
	m_menu->ActivateItem(check);
	EXPECT_FALSE(c->IsChecked());
	p->SetChecked(true);
	EXPECT_FALSE(p->IsChecked());
	m_menu->SetMenuItemChecked(check, true);
	EXPECT_TRUE(c->IsChecked());
	// The check box sits before the text, sized by the scheme's glyph font.
	Frame();
	int wide = 0, tall = 0;
	c->GetCheckImageSize(wide, tall);
	EXPECT_GE(wide, 6);
	p->GetCheckImageSize(wide, tall);
	EXPECT_EQ(0, wide);
	Frame();
}

TEST_F(MenuItemTest, CascadeOpensOnlyInKeyboardModeAndGoesWithItsItem)
{
	vgui::Menu *sub = new vgui::Menu(nullptr, "sub");
	sub->AddMenuItem("leaf", "Leaf", "leaf", m_owner);
	int id = m_menu->AddCascadingMenuItem("more", "More", "more", m_owner, sub);
	vgui::MenuItem *item = m_menu->GetMenuItem(id);
	EXPECT_TRUE(item->HasMenu());
	EXPECT_EQ(item, sub->GetParent());
	Frame();
	item->FireActionSignal();  // mouse mode: the submenu opens on hover instead
	EXPECT_FALSE(sub->IsVisible());
	m_menu->OnKeyModeSet();
	item->FireActionSignal();
	EXPECT_TRUE(sub->IsVisible());
	EXPECT_TRUE(item->IsArmed());
	item->CloseCascadeMenu();
	EXPECT_FALSE(sub->IsVisible());
	EXPECT_FALSE(item->IsArmed());

	vgui::PHandle subHandle;
	subHandle = sub;
	m_menu->DeleteAllItems();
	Frame();
	EXPECT_EQ(nullptr, subHandle.Get());
}

TEST_F(MenuItemTest, CascadeAndCheckableShowsNoCheckBox)
{
	vgui::Menu *sub = new vgui::Menu(nullptr, "sub");
	vgui::MenuItem *item = new vgui::MenuItem(m_menu, "both", "Both", sub, true);
	m_menu->AddMenuItem(item);
	int wide = -1, tall = -1;
	item->GetCheckImageSize(wide, tall);
	EXPECT_EQ(0, wide);
	Frame();
}

TEST_F(MenuItemTest, UserDataIsOwnedAndCascadeAnswersForItsActiveItem)
{
	vgui::MenuItem *item = new vgui::MenuItem(m_menu, "x", "X");
	EXPECT_EQ(nullptr, item->GetUserData());
	KeyValues *kv = new KeyValues("d", "v", 3);
	item->SetUserData(kv);
	kv->deleteThis();
	ASSERT_NE(nullptr, item->GetUserData());
	EXPECT_EQ(3, item->GetUserData()->GetInt("v"));
	item->SetUserData(nullptr);
	EXPECT_EQ(nullptr, item->GetUserData());

	vgui::Menu *sub = new vgui::Menu(nullptr, "sub");
	KeyValues *leafData = new KeyValues("leaf", "v", 8);
	int leaf = sub->AddMenuItem("leaf", "Leaf", "leaf", m_owner, leafData);
	leafData->deleteThis();
	vgui::MenuItem *cascade = new vgui::MenuItem(m_menu, "c", "C", sub);
	sub->SilentActivateItem(leaf);
	ASSERT_NE(nullptr, cascade->GetUserData());
	EXPECT_EQ(8, cascade->GetUserData()->GetInt("v"));
	Frame();
}

TEST_F(MenuItemTest, FactoryAndLooseItemsWork)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("MenuItem");
	ASSERT_NE(nullptr, made);
	vgui::MenuItem *item = dynamic_cast<vgui::MenuItem *>(made);
	ASSERT_NE(nullptr, item);
	char text[32];
	item->GetText(text, sizeof(text));
	EXPECT_STREQ("MenuItem", text);
	EXPECT_FALSE(item->CanBeDefaultButton());
	EXPECT_EQ(nullptr, item->GetBorder(false, true, false, false));
	// An item outside any menu survives everything that would ask its menu.
	item->SetParent(m_owner);
	item->ArmItem();
	item->DisarmItem();
	item->OnCursorMoved(1, 1);
	item->OnKeyCodeReleased(KEY_ENTER);
	item->FireActionSignal();
	Frame();
	vgui::Panel *menu = vgui::CBuildFactoryHelper::InstancePanel("Menu");
	ASSERT_NE(nullptr, menu);
	EXPECT_STREQ("Menu", menu->GetClassName());
	delete menu;
}

TEST_F(MenuItemTest, HoverHighlightsTheRowThroughTheMenu)
{
	int a = m_menu->AddMenuItem("a", "A", "a", m_owner);
	int b = m_menu->AddMenuItem("b", "B", "b", m_owner);
	m_menu->SetPos(100, 100);
	m_menu->InvalidateLayout();
	Frame();
	int x = 0, y = 0, w = 0, h = 0;
	m_menu->GetMenuItem(b)->GetBounds(x, y, w, h);
	ASSERT_GT(w, 0);
	m_vgui->QueueCursorMove(100 + x + 2, 100 + y + 2);
	Frame();
	Frame();
	EXPECT_EQ(b, m_menu->GetCurrentlyHighlightedItem());
	EXPECT_TRUE(m_menu->GetMenuItem(b)->IsArmed());
	EXPECT_FALSE(m_menu->GetMenuItem(a)->IsArmed());
}
}
