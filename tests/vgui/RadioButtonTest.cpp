// vgui::RadioButton groups under one parent: selection deselects the rest of the group only,
// tab order follows the selection, arrow keys wrap through the sub-tab positions, settings, and
// the dot's Marlett glyphs.
#include <fstream>
#include <string>

#include "ControlProbe.h"
#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/RadioButton.h"

namespace
{
// A parent that also logs the key codes its children pass on.
class RadioParent : public MessageProbe
{
public:
	using MessageProbe::MessageProbe;
	void OnKeyCodeTyped(ButtonCode_t code) override { log += "typed" + std::to_string(code) + " "; }
};

class RadioButtonTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_parent = new RadioParent(nullptr, "parent");
		m_parent->SetParent(m_root);
		m_parent->SetBounds(0, 0, 300, 300);
		// Group 1: a, b, c with sub-tab positions 0, 1, 2; group 2: d.
		const struct
		{
			const char *name;
			int group, sub;
		} layout[] = { { "a", 1, 0 }, { "b", 1, 1 }, { "c", 1, 2 }, { "d", 2, 0 } };
		for (int i = 0; i < 4; ++i)
		{
			m_radio[i] = new vgui::RadioButton(m_parent, layout[i].name, layout[i].name);
			m_radio[i]->SetBounds(10, 10 + 20 * i, 100, 20);
			KeyValues *settings = new KeyValues(layout[i].name);
			settings->SetInt("TabPosition", layout[i].group);
			settings->SetInt("SubTabPosition", layout[i].sub);
			m_radio[i]->ApplySettings(settings);
			settings->deleteThis();
			m_radio[i]->AddActionSignalTarget(m_parent);
		}
		Frame();
		m_parent->Take();
	}
	void TearDown() override
	{
		delete m_parent;
		VGuiTest::TearDown();
	}
	// Which radio buttons are selected, as their names.
	std::string Selected()
	{
		std::string out;
		for (vgui::RadioButton *radio : m_radio)
			if (radio->IsSelected())
				out += radio->GetName();
		return out;
	}

	RadioParent *m_parent = nullptr;
	vgui::RadioButton *m_radio[4] = {};
};

TEST_F(RadioButtonTest, SelectingOneDeselectsTheRestOfItsGroupOnly)
{
	m_radio[3]->SetSelected(true);
	m_radio[0]->SetSelected(true);
	Frame();
	EXPECT_EQ("ad", Selected());
	m_radio[1]->SetSelected(true);
	Frame();
	EXPECT_EQ("bd", Selected());
	EXPECT_EQ("RadioButtonChecked(panel=d,tabposition=2) RadioButtonChecked(panel=a,tabposition=1) "
	          "RadioButtonChecked(panel=b,tabposition=1) ",
	          m_parent->Take());
	// Only the selected button of a group takes part in the tab order, under the group number.
	EXPECT_EQ(0, m_radio[0]->GetTabPosition());
	EXPECT_EQ(1, m_radio[1]->GetTabPosition());
	EXPECT_EQ(1, m_radio[0]->GetRadioTabPosition());

	// Re-selecting the selected one reports again; a click selects, never deselects.
	m_vgui->QueueCursorMove(20, 35);
	m_vgui->QueueButton(MOUSE_LEFT, true);
	m_vgui->QueueButton(MOUSE_LEFT, false);
	Frame();
	Frame();
	EXPECT_EQ("bd", Selected());
	EXPECT_EQ("RadioButtonChecked(panel=b,tabposition=1) ", m_parent->Take());
}

TEST_F(RadioButtonTest, DisabledIgnoresSelectionButCanBeDeselected)
{
	m_radio[0]->SetSelected(true);
	Frame();
	m_parent->Take();
	m_radio[0]->SetEnabled(false);
	m_radio[1]->SetEnabled(false);
	m_radio[1]->SetSelected(true);
	Frame();
	EXPECT_EQ("a", Selected());
	EXPECT_EQ("", m_parent->Take());
	m_radio[0]->SetSelected(false);
	EXPECT_EQ("", Selected());
	// Deselected again with tab position 0: the group number stays.
	m_radio[0]->SetSelected(false);
	EXPECT_EQ(1, m_radio[0]->GetRadioTabPosition());
}

TEST_F(RadioButtonTest, GroupNumbersAboveAByteSurviveDeselection)
{
	// Group 300 (the panel's one-byte tab position holds 44 while selected).
	for (int i = 0; i < 2; ++i)
	{
		KeyValues *settings = new KeyValues("g", "TabPosition", 300);
		m_radio[i]->ApplySettings(settings);
		settings->deleteThis();
	}
	m_radio[0]->SetSelected(true);
	Frame();
	m_radio[1]->SetSelected(true);
	Frame();
	EXPECT_EQ(300, m_radio[0]->GetRadioTabPosition());
	m_radio[0]->SetSelected(true);
	Frame();
	EXPECT_TRUE(m_radio[0]->IsSelected());
	EXPECT_FALSE(m_radio[1]->IsSelected());
}

TEST_F(RadioButtonTest, SilentSelectionLeavesTheOthersSelected)
{
	m_radio[0]->SetSelected(true);
	Frame();
	m_radio[2]->SilentSetSelected(true);
	Frame();
	EXPECT_EQ("ac", Selected());
}

TEST_F(RadioButtonTest, ArrowKeysMoveWithinTheGroupAndWrap)
{
	struct Case
	{
		int from;
		ButtonCode_t key;
		const char *expected;
	} cases[] = {
		{ 0, KEY_DOWN, "bd" }, { 1, KEY_RIGHT, "cd" }, { 2, KEY_DOWN, "ad" },  // down from the last wraps to 0
		{ 0, KEY_UP, "cd" },   { 2, KEY_LEFT, "bd" },
	};
	m_radio[3]->SetSelected(true);
	for (const Case &c : cases)
	{
		m_radio[c.from]->SetSelected(true);
		Frame();
		m_radio[c.from]->OnKeyCodeTyped(c.key);
		Frame();
		EXPECT_EQ(c.expected, Selected()) << c.from << " " << c.key;
	}

	// Equal sub-tab positions: down picks the first button of the group.
	for (vgui::RadioButton *radio : m_radio)
		radio->SetSubTabPosition(5);
	m_radio[2]->OnKeyCodeTyped(KEY_DOWN);
	Frame();
	EXPECT_TRUE(m_radio[0]->IsSelected());

	// Without a parent the arrows do nothing.
	vgui::RadioButton lone(nullptr, "lone", "lone");
	EXPECT_EQ(nullptr, lone.FindBestRadioButton(1));
	lone.OnKeyCodeTyped(KEY_DOWN);
	EXPECT_FALSE(lone.IsSelected());
}

TEST_F(RadioButtonTest, EnterOnASelectedButtonIsPassedOn)
{
	m_radio[0]->OnKeyCodeTyped(KEY_ENTER);
	EXPECT_TRUE(m_radio[0]->IsSelected());
	Frame();
	EXPECT_EQ("RadioButtonChecked(panel=a,tabposition=1) ", m_parent->Take());
	m_radio[0]->OnKeyCodeTyped(KEY_ENTER);
	m_radio[0]->OnKeyCodeTyped(KEY_SPACE);
	EXPECT_EQ("typed64 typed65 ", m_parent->Take());
}

TEST_F(RadioButtonTest, SettingsAreWrittenBack)
{
	KeyValues *out = new KeyValues("out");
	m_radio[2]->GetSettings(out);
	EXPECT_EQ(2, out->GetInt("SubTabPosition", -1));
	EXPECT_EQ(1, out->GetInt("TabPosition", -1));
	out->deleteThis();
	std::string description = m_radio[2]->GetDescription();
	EXPECT_EQ(", string command, int default, int SubTabPosition",
	          description.substr(description.size() - strlen(", string command, int default, int SubTabPosition")));

	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("RadioButton");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("RadioButton", made->GetClassName());
	char text[32];
	made->GetText(text, sizeof(text));
	EXPECT_STREQ("RadioButton", text);
	delete made;
}

TEST_F(RadioButtonTest, DotGlyphsAndSelectedTextColour)
{
	std::ofstream(m_harness->gameFolder + "/radio.res") << R"(Scheme
{
	BaseSettings
	{
		"CheckButton.BgColor" "1 0 0 255"
		"CheckButton.Border1" "2 0 0 255"
		"CheckButton.Border2" "3 0 0 255"
		"CheckButton.Check"   "4 0 0 255"
		"RadioButton.TextColor" "5 0 0 255"
		"RadioButton.SelectedTextColor" "6 0 0 255"
	}
	Fonts
	{
		Marlett { "1" { "name" "ZvFixed" "tall" "10" } }
		Default { "1" { "name" "ZvFixed" "tall" "10" } }
	}
})";
	vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("radio.res", "RadioTest");
	ASSERT_NE(0u, scheme);
	m_radio[0]->SetScheme(scheme);
	m_radio[0]->InvalidateLayout(false, true);
	m_radio[0]->SetSelected(true);
	Frame();
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	std::wstring chars;
	std::string reds;
	for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		if (r.kind == VGuiDrawRecord::Glyph && r.panel == m_radio[0]->GetVPanel())
		{
			chars += r.character;
			reds += std::to_string(r.r);
		}
	// The dot (background, two borders, the check), then the text in the selected colour.
	EXPECT_EQ(L"njkha", chars);
	EXPECT_EQ("12346", reds);
}
}
