// vgui::ExpandButton: "Expanded" on each change only, from clicks and layout files, and the
// centred Marlett arrow for each state.
#include <fstream>
#include <string>

#include "ControlProbe.h"
#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/ExpandButton.h"

namespace
{
class ExpandButtonTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		// Marlett stands for the fixed test font: glyphs 6 x 12.
		std::ofstream(m_harness->gameFolder + "/expand.res")
		    << "Scheme { BaseSettings { \"ExpandButton.Color\" \"7 8 9 255\" }"
		       " Fonts { Marlett { \"1\" { \"name\" \"ZvFixed\" \"tall\" \"12\" } } } }";
		m_scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("expand.res", "ExpandTest");
		ASSERT_NE(0u, m_scheme);
		m_parent = new MessageProbe(nullptr, "parent");
		m_parent->SetParent(m_root);
		m_parent->SetBounds(0, 0, 300, 300);
		m_expand = new vgui::ExpandButton(m_parent, "exp");
		m_expand->SetBounds(10, 10, 21, 21);
		m_expand->AddActionSignalTarget(m_parent);
		m_expand->SetScheme(m_scheme);
		Frame();
		m_parent->Take();
	}
	void TearDown() override
	{
		delete m_parent;
		VGuiTest::TearDown();
	}

	vgui::HScheme m_scheme = 0;
	MessageProbe *m_parent = nullptr;
	vgui::ExpandButton *m_expand = nullptr;
};

TEST_F(ExpandButtonTest, OnlyChangesAreReported)
{
	m_expand->SetSelected(false);
	Frame();
	EXPECT_EQ("", m_parent->Take());
	m_expand->SetSelected(true);
	m_expand->SetSelected(true);
	Frame();
	EXPECT_EQ("Expanded(state=1,panel=exp) ", m_parent->Take());

	// A click toggles: the change, then the toggle's report.
	m_vgui->QueueCursorMove(15, 15);
	m_vgui->QueueButton(MOUSE_LEFT, true);
	Frame();
	Frame();
	EXPECT_FALSE(m_expand->IsSelected());
	EXPECT_EQ("Expanded(state=0,panel=exp) ButtonToggled(state=0,panel=exp) ", m_parent->Take());
}

TEST_F(ExpandButtonTest, LayoutFileSelectionReportsWhileApplied)
{
	KeyValues *settings = new KeyValues("exp", "selected", 1);
	m_expand->ApplySettings(settings);
	settings->deleteThis();
	Frame();
	EXPECT_EQ("Expanded(state=1,panel=exp) ", m_parent->Take());
}

TEST_F(ExpandButtonTest, PaintsTheArrowOfItsStateCentred)
{
	for (bool selected : { false, true })
	{
		m_expand->SetSelected(selected);
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		int glyphs = 0;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		{
			if (r.panel != m_expand->GetVPanel())
				continue;
			EXPECT_EQ(VGuiDrawRecord::Glyph, r.kind);  // no border, background or text
			if (r.kind != VGuiDrawRecord::Glyph)
				continue;
			++glyphs;
			EXPECT_EQ(selected ? L'6' : L'4', r.character);
			// ((21 - 6) / 2, (21 - 12) / 2) inside the button at (10, 10).
			EXPECT_EQ(17, r.x0);
			EXPECT_EQ(14, r.y0);
			EXPECT_EQ(7, r.r);
			EXPECT_EQ(9, r.b);
		}
		EXPECT_EQ(1, glyphs);
	}

	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("ExpandButton");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("ExpandButton", made->GetClassName());
	EXPECT_STREQ("", made->GetName());
	delete made;
}
}
