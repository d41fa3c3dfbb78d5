// vgui::MenuBar: the row layout of its buttons, switching the open menu with Left and Right and
// with the mouse, hot keys and the build factory.
#include <string>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuBar.h"
#include "vgui_controls/MenuButton.h"

namespace
{
// A menu button whose content has a fixed width.
class FixedButton : public vgui::MenuButton
{
public:
	FixedButton(vgui::Panel *parent, const char *name, const char *text, int contentWide)
	    : vgui::MenuButton(parent, name, text), m_contentWide(contentWide)
	{
	}
	void GetContentSize(int &wide, int &tall) override
	{
		wide = m_contentWide;
		tall = 10;
	}
	int m_contentWide;
};

class MenuBarTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_vgui->SetScreenSize(800, 600);
		m_bar = new vgui::MenuBar(nullptr, "bar");
		m_bar->SetParent(m_root);
		m_bar->SetBounds(0, 0, 400, 24);
		const char *names[] = { "&File", "&Edit", "&View" };
		for (int i = 0; i < 3; ++i)
		{
			m_menus[i] = new vgui::Menu(nullptr, names[i]);
			m_menus[i]->AddMenuItem("a", "a", m_bar);
			m_buttons[i] = new FixedButton(nullptr, names[i], names[i], 40 + 20 * i);
			m_buttons[i]->SetMenu(m_menus[i]);
			m_bar->AddButton(m_buttons[i]);
		}
		Frame();
		Frame();
	}
	void TearDown() override
	{
		delete m_bar;
		VGuiTest::TearDown();
	}
	int OpenIndex()
	{
		int open = -1;
		for (int i = 0; i < 3; ++i)
			if (m_menus[i]->IsVisible())
			{
				EXPECT_EQ(-1, open) << "two menus open";
				EXPECT_TRUE(m_buttons[i]->IsDepressed());
				open = i;
			}
		return open;
	}

	vgui::MenuBar *m_bar = nullptr;
	vgui::Menu *m_menus[3] = {};
	FixedButton *m_buttons[3] = {};
};

TEST_F(MenuBarTest, ButtonsSitInARowOverlappingByFourPixels)
{
	struct Case
	{
		int x, y, w, h;
	};
	const Case cases[] = { { 4, 4, 48, 16 }, { 48, 4, 68, 16 }, { 112, 4, 88, 16 } };
	for (int i = 0; i < 3; ++i)
	{
		int x, y, w, h;
		m_buttons[i]->GetBounds(x, y, w, h);
		EXPECT_EQ(cases[i].x, x) << i;
		EXPECT_EQ(cases[i].y, y) << i;
		EXPECT_EQ(cases[i].w, w) << i;
		EXPECT_EQ(cases[i].h, h) << i;
		EXPECT_EQ(m_bar, m_buttons[i]->GetParent());
	}
	int wide, tall;
	m_bar->GetContentSize(wide, tall);
	EXPECT_EQ(4 + 44 + 64 + 84 + 2, wide);
	EXPECT_EQ(24, tall);
}

TEST_F(MenuBarTest, LeftAndRightMoveTheOpenMenuButStopAtTheEnds)
{
	m_bar->OnKeyCodeTyped(KEY_RIGHT);  // nothing open: nothing happens
	EXPECT_EQ(-1, OpenIndex());

	m_buttons[0]->DoClick();
	ASSERT_EQ(0, OpenIndex());
	m_bar->OnKeyCodeTyped(KEY_LEFT);  // already the first
	EXPECT_EQ(0, OpenIndex());
	m_bar->OnKeyCodeTyped(KEY_RIGHT);
	EXPECT_EQ(1, OpenIndex());
	m_bar->OnKeyCodeTyped(KEY_RIGHT);
	EXPECT_EQ(2, OpenIndex());
	m_bar->OnKeyCodeTyped(KEY_RIGHT);  // already the last
	EXPECT_EQ(2, OpenIndex());
	m_bar->OnKeyCodeTyped(KEY_LEFT);
	EXPECT_EQ(1, OpenIndex());
	m_bar->OnKeyCodeTyped(KEY_DOWN);  // other keys do nothing
	EXPECT_EQ(1, OpenIndex());
}

TEST_F(MenuBarTest, MouseOntoANeighbourSwitchesOnlyWhileAMenuIsOpen)
{
	m_vgui->QueueCursorMove(20, 10);
	Frame();
	m_vgui->QueueCursorMove(60, 10);
	Frame();
	Frame();
	EXPECT_EQ(-1, OpenIndex());

	m_buttons[1]->DoClick();
	ASSERT_EQ(1, OpenIndex());
	m_vgui->QueueCursorMove(120, 10);
	Frame();
	Frame();
	EXPECT_EQ(2, OpenIndex());

	// A handle that is not one of the bar's buttons is ignored.
	m_bar->OnCursorEnteredMenuButton(static_cast<int>(vgui::ivgui()->PanelToHandle(m_bar->GetVPanel())));
	m_bar->OnCursorEnteredMenuButton(-5);
	EXPECT_EQ(2, OpenIndex());
}

TEST_F(MenuBarTest, LettersRunTheButtonsHotKeys)
{
	m_bar->OnKeyTyped(L'e');
	Frame();
	EXPECT_EQ(1, OpenIndex());
	m_buttons[1]->HideMenu();
	m_buttons[1]->SetVisible(false);
	m_bar->OnKeyTyped(L'e');
	m_bar->OnKeyTyped(0);
	Frame();
	EXPECT_EQ(-1, OpenIndex());
}

TEST_F(MenuBarTest, EmptyBarIgnoresKeysAndFactoryMakesOne)
{
	vgui::Panel *p = vgui::CBuildFactoryHelper::InstancePanel("MenuBar");
	ASSERT_NE(nullptr, p);
	EXPECT_STREQ("MenuBar", p->GetClassName());
	auto *bar = static_cast<vgui::MenuBar *>(p);
	bar->OnKeyCodeTyped(KEY_LEFT);
	bar->OnKeyCodeTyped(KEY_RIGHT);
	bar->OnKeyTyped(L'x');
	bar->OnCursorEnteredMenuButton(0);
	bar->PerformLayout();
	int wide, tall;
	bar->GetContentSize(wide, tall);
	EXPECT_EQ(6, wide);
	delete p;
}

TEST_F(MenuBarTest, AddMenuMakesAButtonNamedAfterIt)
{
	vgui::Menu *menu = new vgui::Menu(nullptr, "help");
	m_bar->AddMenu("Help", menu);
	vgui::MenuButton *button = static_cast<vgui::MenuButton *>(menu->GetParent());
	ASSERT_NE(nullptr, button);
	EXPECT_STREQ("Help", button->GetName());
	EXPECT_EQ(m_bar, button->GetParent());
	EXPECT_EQ(menu, button->GetMenu());
}
}  // namespace
