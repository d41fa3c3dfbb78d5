// vgui::MenuButton driven through the stand-in input queue: opening and closing its menu, the
// pressed look while open, Enter, the drop-menu style, "MenuClose" and the build factory.
#include <cstring>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuButton.h"

namespace
{
// Records the names of the messages it receives ("Command:cmd" for commands).
class Recorder : public vgui::Panel
{
public:
	Recorder(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		std::string entry = params->GetName();
		if (!strcmp(params->GetName(), "Command"))
			entry += std::string(":") + const_cast<KeyValues *>(params)->GetString("command", "");
		log.push_back(entry);
		vgui::Panel::OnMessage(params, from);
	}
	int Count(const std::string &name) const
	{
		int n = 0;
		for (const std::string &e : log)
			n += e == name;
		return n;
	}
	std::vector<std::string> log;
};

class MenuButtonTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_vgui->SetScreenSize(800, 600);
		m_owner = new Recorder(nullptr, "owner");
		m_owner->SetParent(m_root);
		m_owner->SetBounds(0, 0, 800, 600);
		m_button = new vgui::MenuButton(m_owner, "mb", "File");
		m_button->SetBounds(100, 100, 80, 20);
		m_button->AddActionSignalTarget(m_owner);
		m_button->SetCommand("plain");
		m_menu = new vgui::Menu(nullptr, "menu");
		m_menu->AddMenuItem("a", "a", m_owner);
		m_menu->AddMenuItem("b", "b", m_owner);
		m_button->SetMenu(m_menu);
		Frame();
		m_owner->log.clear();
	}
	void TearDown() override
	{
		delete m_owner;
		VGuiTest::TearDown();
	}
	void Press(ButtonCode_t code)
	{
		m_vgui->QueueButton(code, true);
		Frame();
		m_vgui->QueueButton(code, false);
		Frame();
	}
	void MoveTo(int x, int y)
	{
		m_vgui->QueueCursorMove(x, y);
		Frame();
	}

	Recorder *m_owner = nullptr;
	vgui::MenuButton *m_button = nullptr;
	vgui::Menu *m_menu = nullptr;
};

TEST_F(MenuButtonTest, SetMenuHidesItAndAdoptsIt)
{
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_EQ(m_button, m_menu->GetParent());
	EXPECT_EQ(m_menu, m_button->GetMenu());
	EXPECT_FALSE(m_button->CanBeDefaultButton());
}

TEST_F(MenuButtonTest, PressOpensTheMenuAndASecondPressClosesIt)
{
	MoveTo(120, 110);
	Press(MOUSE_LEFT);
	ASSERT_TRUE(m_menu->IsVisible());
	EXPECT_TRUE(m_button->IsDepressed());
	// Placed below the button (a pop-up's position is in screen coordinates).
	int x, y;
	m_menu->GetPos(x, y);
	EXPECT_EQ(100, x);
	EXPECT_EQ(121, y);
	EXPECT_EQ(0, m_owner->Count("Command:plain"));

	MoveTo(120, 110);
	Press(MOUSE_LEFT);
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_FALSE(m_button->IsDepressed());
	EXPECT_EQ(0, m_owner->Count("Command:plain"));
}

TEST_F(MenuButtonTest, DisabledMenuOrNoMenuDoesNotOpen)
{
	m_menu->SetEnabled(false);
	m_button->DoClick();
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_FALSE(m_button->IsDepressed());

	vgui::MenuButton bare(m_owner, "bare", "x");
	bare.DoClick();
	bare.HideMenu();
	bare.OnMenuClose();
	EXPECT_FALSE(bare.IsDepressed());
}

TEST_F(MenuButtonTest, MenuCloseHidesAndIsPassedOn)
{
	m_button->DoClick();
	ASSERT_TRUE(m_menu->IsVisible());
	m_owner->log.clear();
	vgui::ivgui()->PostMessage(m_button->GetVPanel(), new KeyValues("MenuClose"), 0);
	Frame();
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_FALSE(m_button->IsDepressed());
	EXPECT_LE(1, m_owner->Count("MenuClose"));
}

TEST_F(MenuButtonTest, FocusLossToAnotherPanelHidesTheMenu)
{
	// Shown without taking the focus.
	m_menu->SetVisible(true);
	m_button->ForceDepressed(true);
	ASSERT_FALSE(m_menu->HasFocus());
	KeyValues *kv = new KeyValues("KillFocus");
	kv->SetPtr("newPanel", reinterpret_cast<void *>(static_cast<uintptr_t>(m_menu->GetVPanel())));
	m_button->OnKillFocus(kv);
	EXPECT_TRUE(m_menu->IsVisible());  // the focus went to the menu itself
	kv->SetPtr("newPanel", reinterpret_cast<void *>(static_cast<uintptr_t>(m_owner->GetVPanel())));
	m_button->OnKillFocus(kv);
	kv->deleteThis();
	EXPECT_FALSE(m_menu->IsVisible());
	EXPECT_FALSE(m_button->IsDepressed());
}

TEST_F(MenuButtonTest, EnterOpensOnlyWithoutTheDropMenuStyle)
{
	m_button->OnKeyCodeTyped(KEY_ENTER);
	EXPECT_TRUE(m_menu->IsVisible());
	m_button->HideMenu();

	m_button->SetDropMenuButtonStyle(true);
	m_button->OnKeyCodeTyped(KEY_ENTER);
	EXPECT_FALSE(m_menu->IsVisible());
}

TEST_F(MenuButtonTest, DropMenuStyleOfThePlainClassActsAsAPlainButton)
{
	m_button->SetDropMenuButtonStyle(true);
	EXPECT_EQ(2, m_button->GetImageCount());
	Frame();
	// Over the arrow part and left of it: both fire the button's command, the menu stays shut.
	for (int x : { 175, 110 })
	{
		MoveTo(x, 110);
		Press(MOUSE_LEFT);
		EXPECT_FALSE(m_menu->IsVisible()) << x;
	}
	EXPECT_EQ(2, m_owner->Count("Command:plain"));

	m_button->SetDropMenuButtonStyle(false);
	EXPECT_EQ(1, m_button->GetImageCount());
}

TEST_F(MenuButtonTest, OpenOffsetCountsOnlyWhenAlignedWithTheParent)
{
	struct Case
	{
		vgui::Menu::MenuDirection_e dir;
		bool moves;
	};
	const Case cases[] = { { vgui::Menu::DOWN, false }, { vgui::Menu::ALIGN_WITH_PARENT, true } };
	for (const Case &c : cases)
	{
		int y[2];
		for (int i = 0; i < 2; ++i)
		{
			m_button->SetOpenDirection(c.dir);
			m_button->SetOpenOffsetY(i * 7);
			m_button->DoClick();
			ASSERT_TRUE(m_menu->IsVisible());
			int x;
			m_menu->GetPos(x, y[i]);
			m_button->DoClick();
			ASSERT_FALSE(m_menu->IsVisible());
		}
		EXPECT_EQ(c.moves, y[0] != y[1]) << c.dir;
	}
}

TEST_F(MenuButtonTest, EnteringPostsToTheParent)
{
	struct Probe : Recorder
	{
		using Recorder::Recorder;
		void OnMessage(const KeyValues *params, vgui::VPANEL from) override
		{
			if (!strcmp(params->GetName(), "CursorEnteredMenuButton"))
				handle = const_cast<KeyValues *>(params)->GetInt("VPanel", -1);
			Recorder::OnMessage(params, from);
		}
		int handle = -1;
	};
	Probe *probe = new Probe(m_owner, "probe");
	probe->SetBounds(0, 300, 200, 100);
	vgui::MenuButton *b = new vgui::MenuButton(probe, "b2", "x");
	b->SetBounds(10, 10, 50, 20);
	MoveTo(5, 5);
	MoveTo(20, 320);
	EXPECT_EQ(static_cast<int>(vgui::ivgui()->PanelToHandle(b->GetVPanel())), probe->handle);
}

TEST_F(MenuButtonTest, FactoryMakesANamelessButtonWithDefaultText)
{
	vgui::Panel *p = vgui::CBuildFactoryHelper::InstancePanel("MenuButton");
	ASSERT_NE(nullptr, p);
	EXPECT_STREQ("MenuButton", p->GetClassName());
	char text[32];
	static_cast<vgui::MenuButton *>(p)->GetText(text, sizeof(text));
	EXPECT_STREQ("MenuButton", text);
	delete p;
}
}  // namespace
