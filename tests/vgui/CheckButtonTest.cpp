// vgui::CheckButton and its box image: "CheckButtonChecked" on every selection request, the
// checkable switch, the Lua value, scheme colours and the Marlett glyphs of the box.
#include <fstream>
#include <string>
#include <vector>

#include "ControlProbe.h"
#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/CheckButton.h"

namespace
{
class CheckButtonTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		// Marlett stands for the fixed test font: glyphs 5 x 10.
		std::ofstream(m_harness->gameFolder + "/check.res") << R"(Scheme
{
	BaseSettings
	{
		"CheckButton.BgColor"         "1 0 0 255"
		"CheckButton.Border1"         "2 0 0 255"
		"CheckButton.Border2"         "3 0 0 255"
		"CheckButton.Check"           "4 0 0 255"
		"CheckButton.DisabledFgColor" "5 0 0 255"
		"CheckButton.DisabledBgColor" "6 0 0 255"
		"CheckButton.HighlightFgColor" "7 0 0 255"
		"ControlText"                 "8 0 0 255"
	}
	Fonts
	{
		Marlett { "1" { "name" "ZvFixed" "tall" "10" } }
		Default { "1" { "name" "ZvFixed" "tall" "10" } }
	}
})";
		vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("check.res", "CheckTest");
		ASSERT_NE(0u, scheme);
		m_scheme = g_pVGuiSchemeManager->GetIScheme(scheme);
		m_parent = new MessageProbe(nullptr, "parent");
		m_parent->SetParent(m_root);
		m_parent->SetBounds(0, 0, 300, 300);
		m_check = new vgui::CheckButton(m_parent, "chk", "Check");
		m_check->SetBounds(10, 10, 100, 20);
		m_check->AddActionSignalTarget(m_parent);
		m_check->SetScheme(scheme);
		Frame();
		m_parent->Take();
	}
	void TearDown() override
	{
		delete m_parent;
		VGuiTest::TearDown();
	}

	struct Glyph
	{
		wchar_t ch;
		int x, y;
		int r;
	};
	// The glyphs painted for the check button, at screen positions, with the red channel.
	std::vector<Glyph> PaintGlyphs()
	{
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		std::vector<Glyph> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.kind == VGuiDrawRecord::Glyph && r.panel == m_check->GetVPanel())
				out.push_back({ r.character, r.x0, r.y0, r.r });
		return out;
	}

	vgui::IScheme *m_scheme = nullptr;
	MessageProbe *m_parent = nullptr;
	vgui::CheckButton *m_check = nullptr;
};

TEST_F(CheckButtonTest, EverySelectionRequestIsReported)
{
	m_check->SetSelected(false);  // unchanged, still reported
	m_check->SetSelected(true);
	Frame();
	EXPECT_EQ("CheckButtonChecked(state=0,panel=chk) CheckButtonChecked(state=1,panel=chk) ", m_parent->Take());
	char value[4];
	m_check->GetValueForLua(value, sizeof(value));
	EXPECT_STREQ("1", value);

	// A click flips it: the request, then the toggle's report.
	m_vgui->QueueCursorMove(20, 15);
	m_vgui->QueueButton(MOUSE_LEFT, true);
	Frame();
	Frame();
	EXPECT_FALSE(m_check->IsSelected());
	EXPECT_EQ("CheckButtonChecked(state=0,panel=chk) ButtonToggled(state=0,panel=chk) ", m_parent->Take());
	m_check->GetValueForLua(value, sizeof(value));
	EXPECT_STREQ("0", value);
}

TEST_F(CheckButtonTest, NotCheckableKeepsItsStateButStillReportsTheToggle)
{
	m_check->SetSelected(true);
	Frame();
	m_parent->Take();
	m_check->SetCheckButtonCheckable(false);
	m_check->DoClick();
	m_check->SetSelected(false);
	Frame();
	EXPECT_TRUE(m_check->IsSelected());
	EXPECT_EQ("ButtonToggled(state=1,panel=chk) ", m_parent->Take());
}

TEST_F(CheckButtonTest, BoxGlyphsAndTheirColours)
{
	m_check->SetSelected(true);
	Frame();
	std::vector<Glyph> glyphs = PaintGlyphs();
	// Box, two borders and the check, then the text.
	ASSERT_LE(4u, glyphs.size());
	std::wstring chars;
	std::vector<int> reds;
	for (size_t i = 0; i < 4; ++i)
	{
		chars += glyphs[i].ch;
		reds.push_back(glyphs[i].r);
	}
	EXPECT_EQ(L"gefb", chars);
	EXPECT_EQ((std::vector<int>{ 1, 2, 3, 4 }), reds);
	EXPECT_EQ(glyphs[0].y + 1, glyphs[3].y);  // the check sits one pixel lower
	EXPECT_EQ(glyphs[0].x, glyphs[3].x);
	EXPECT_EQ(L'C', glyphs[4].ch);

	// Disabled: the box in the disabled background, the check in the disabled text colour.
	m_check->SetEnabled(false);
	glyphs = PaintGlyphs();
	ASSERT_LE(4u, glyphs.size());
	EXPECT_EQ(6, glyphs[0].r);
	EXPECT_EQ(5, glyphs[3].r);

	// Not checkable but enabled: the disabled background too; no check when not selected.
	m_check->SetEnabled(true);
	m_check->SetSelected(false);
	m_check->SetCheckButtonCheckable(false);
	glyphs = PaintGlyphs();
	ASSERT_LE(3u, glyphs.size());
	EXPECT_EQ(6, glyphs[0].r);
	EXPECT_NE(L'b', glyphs[3].ch);
}

TEST_F(CheckButtonTest, SchemeColoursForTextStates)
{
	m_check->ApplySchemeSettings(m_scheme);
	EXPECT_EQ(Color(8, 0, 0, 255), (m_check->SetSelected(true), m_check->GetButtonFgColor()));
	m_check->SetArmed(true);
	EXPECT_EQ(Color(7, 0, 0, 255), m_check->GetButtonFgColor());
	m_check->SetHighlightColor(Color(9, 9, 9, 255));
	EXPECT_EQ(Color(9, 9, 9, 255), m_check->GetButtonFgColor());
	EXPECT_EQ(nullptr, m_check->GetBorder(true, true, true, true));

	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("CheckButton");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("CheckButton", made->GetClassName());
	char text[32];
	made->GetText(text, sizeof(text));
	EXPECT_STREQ("CheckButton", text);
	delete made;
}
}
