// vgui::ToggleButton: flips on press, reports its command and "ButtonToggled", ignores Enter,
// toggles twice on a double click, is never a default button.
#include <fstream>
#include <string>

#include "ControlProbe.h"
#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/ToggleButton.h"

namespace
{
class ToggleButtonTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_parent = new MessageProbe(nullptr, "parent");
		m_parent->SetParent(m_root);
		m_parent->SetBounds(0, 0, 300, 300);
		m_toggle = new vgui::ToggleButton(m_parent, "tog", "Toggle");
		m_toggle->SetBounds(10, 10, 100, 30);
		m_toggle->AddActionSignalTarget(m_parent);
		m_toggle->SetCommand("flip");
		Frame();
	}
	void TearDown() override
	{
		delete m_parent;
		VGuiTest::TearDown();
	}
	void Click()
	{
		m_vgui->QueueCursorMove(20, 20);
		m_vgui->QueueButton(MOUSE_LEFT, true);
		m_vgui->QueueButton(MOUSE_LEFT, false);
		Frame();
		Frame();
	}

	MessageProbe *m_parent = nullptr;
	vgui::ToggleButton *m_toggle = nullptr;
};

TEST_F(ToggleButtonTest, EachClickFlipsAndReportsTheNewState)
{
	EXPECT_EQ(vgui::Button::ACTIVATE_ONPRESSED, m_toggle->GetButtonActivationType());
	Click();
	EXPECT_TRUE(m_toggle->IsSelected());
	EXPECT_TRUE(m_toggle->IsDepressed());  // forced down while selected
	EXPECT_EQ("Command(command=flip,panel=tog) ButtonToggled(state=1,panel=tog) ", m_parent->Take());
	Advance(1.0);  // no double click
	Click();
	EXPECT_FALSE(m_toggle->IsSelected());
	EXPECT_FALSE(m_toggle->IsDepressed());
	EXPECT_EQ("Command(command=flip,panel=tog) ButtonToggled(state=0,panel=tog) ", m_parent->Take());
}

TEST_F(ToggleButtonTest, DoubleClickTogglesTwice)
{
	Click();
	Click();  // within the double-click time: the second press comes as a double press
	EXPECT_FALSE(m_toggle->IsSelected());
	EXPECT_EQ("Command(command=flip,panel=tog) ButtonToggled(state=1,panel=tog) "
	          "Command(command=flip,panel=tog) ButtonToggled(state=0,panel=tog) ",
	          m_parent->Take());
}

TEST_F(ToggleButtonTest, EnterIsSwallowedAndSpaceToggles)
{
	m_vgui->SetKeyFocus(m_toggle->GetVPanel());
	m_vgui->QueueButton(KEY_ENTER, true);
	m_vgui->QueueButton(KEY_ENTER, false);
	Frame();
	Frame();
	EXPECT_FALSE(m_toggle->IsSelected());
	EXPECT_EQ("", m_parent->Take());
	EXPECT_TRUE(m_vgui->UnhandledKeys().empty());

	m_vgui->QueueButton(KEY_SPACE, true);
	m_vgui->QueueButton(KEY_SPACE, false);
	Frame();
	Frame();
	EXPECT_TRUE(m_toggle->IsSelected());
	EXPECT_EQ("Command(command=flip,panel=tog) ButtonToggled(state=1,panel=tog) ", m_parent->Take());
}

TEST_F(ToggleButtonTest, SchemeSelectedColourAndNoDefaultButton)
{
	std::ofstream(m_harness->gameFolder + "/toggle.res")
	    << "Scheme { BaseSettings { \"ToggleButton.SelectedTextColor\" \"9 8 7 255\" \"Button.TextColor\" \"1 2 3 255\" } }";
	vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("toggle.res", "ToggleTest");
	ASSERT_NE(0u, scheme);
	m_toggle->ApplySchemeSettings(g_pVGuiSchemeManager->GetIScheme(scheme));
	EXPECT_EQ(Color(1, 2, 3, 255), m_toggle->GetButtonFgColor());
	m_toggle->SetSelected(true);
	EXPECT_EQ(Color(9, 8, 7, 255), m_toggle->GetButtonFgColor());

	KeyValues *request = new KeyValues("CanBeDefaultButton");
	EXPECT_TRUE(m_toggle->RequestInfo(request));
	EXPECT_EQ(0, request->GetInt("result", -1));
	request->deleteThis();
	KeyValues *settings = new KeyValues("tog", "default", 1);
	m_toggle->ApplySettings(settings);
	settings->deleteThis();
	KeyValues *out = new KeyValues("out");
	m_toggle->GetSettings(out);
	EXPECT_EQ(0, out->GetInt("default", -1));
	out->deleteThis();

	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("ToggleButton");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("ToggleButton", made->GetClassName());
	char text[32];
	made->GetText(text, sizeof(text));
	EXPECT_STREQ("ToggleButton", text);
	delete made;
}
}
