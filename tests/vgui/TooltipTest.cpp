// Tooltips: the show delay, the shared window's text, shape (at least twice as wide as tall,
// short two-liners kept on one line, the single-line format) and its place beside the cursor.
#include <fstream>
#include <string>

#include "VGuiFixture.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui_controls/Tooltip.h"

namespace
{
class TooltipTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		// The window takes the scheme's "DefaultSmall": glyphs 5 x 10 and a margin of 2 around
		// the text, so a line of n characters is 5 n + 4 wide and wrapped lines are 10 n + 4 tall.
		std::ofstream(m_harness->gameFolder + "/tooltip.res")
		    << "Scheme { Fonts { DefaultSmall { \"1\" { \"name\" \"ZvFixed\" \"tall\" \"10\" } } } }";
		ASSERT_NE(0u, g_pVGuiSchemeManager->LoadSchemeFromFile("tooltip.res", "TooltipTest"));
		m_owner = NewRootChild("owner");
		m_owner->SetBounds(0, 0, 50, 50);
	}
	void TearDown() override
	{
		if (vgui::Panel *window = Window())
			delete window;  // the next tooltip makes a fresh one
		delete m_owner;
		VGuiTest::TearDown();
	}

	// The shared window, wherever it is in the tree.
	vgui::Panel *Window() { return Find(m_root); }
	vgui::Panel *Find(vgui::VPANEL at)
	{
		for (int i = 0; i < g_pVGuiPanel->GetChildCount(at); ++i)
		{
			vgui::VPANEL child = g_pVGuiPanel->GetChild(at, i);
			if (!strcmp(g_pVGuiPanel->GetName(child), "tooltip"))
				return g_pVGuiPanel->GetPanel(child, vgui::GetControlsModuleName());
			if (vgui::Panel *found = Find(child))
				return found;
		}
		return nullptr;
	}
	bool Shown() { return Window() && Window()->IsVisible(); }
	void CursorAt(int x, int y)
	{
		m_vgui->QueueCursorMove(x, y);
		Frame();
	}
	// Shows the tip at once (the delay has passed) with the cursor at (10, 10).
	void ShowNow(vgui::TextTooltip &tip)
	{
		CursorAt(10, 10);
		tip.ResetDelay();
		Advance(0.6);
		tip.ShowTooltip(m_owner);
		ASSERT_TRUE(Shown());
	}

	vgui::Panel *m_owner = nullptr;
};

TEST_F(TooltipTest, TheWindowAppearsOnlyAfterTheDelay)
{
	vgui::TextTooltip tip(m_owner, "Hello");
	ASSERT_NE(nullptr, Window());
	EXPECT_FALSE(Shown());
	EXPECT_STREQ("Hello", tip.GetText());
	tip.ResetDelay();
	tip.ShowTooltip(m_owner);
	EXPECT_FALSE(Shown());
	Advance(0.4);
	tip.PerformLayout();
	EXPECT_FALSE(Shown());
	Advance(0.2);
	tip.PerformLayout();  // the show still pending
	EXPECT_TRUE(Shown());
	EXPECT_EQ(m_owner, Window()->GetParent());

	tip.HideTooltip();
	EXPECT_FALSE(Shown());
	tip.PerformLayout();  // no show pending
	EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, AnEmptyTextShowsNothing)
{
	vgui::TextTooltip tip(m_owner, nullptr);
	EXPECT_STREQ("", tip.GetText());
	Advance(1.0);
	tip.ShowTooltip(m_owner);
	EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, ALongTextBecomesABoxTwiceAsWideAsTall)
{
	std::string text;
	for (int i = 0; i < 60; ++i)
		text += "word ";  // 300 characters
	vgui::TextTooltip tip(m_owner, text.c_str());
	ShowNow(tip);
	int wide, tall;
	Window()->GetSize(wide, tall);
	EXPECT_GT(tall, 14);
	EXPECT_GE(wide, 2 * tall);
}

TEST_F(TooltipTest, ShortTwoLinersAndTheSingleLineFormatStayOnOneLine)
{
	vgui::TextTooltip shortTip(m_owner, "aaaa bbbb");  // 49 wide on one line, two lines when squared
	ShowNow(shortTip);
	int wide, tall;
	Window()->GetSize(wide, tall);
	EXPECT_EQ(49, wide);
	EXPECT_EQ(24, tall);  // the full width sets no height: two lines' height stays
	shortTip.HideTooltip();

	std::string text(200, 'x');
	vgui::TextTooltip single(m_owner, text.c_str());
	single.SetTooltipFormatToSingleLine();
	ShowNow(single);
	Window()->GetSize(wide, tall);
	EXPECT_EQ(1004, wide);
	EXPECT_EQ(24, tall);
}

TEST_F(TooltipTest, TheWindowOpensBesideTheCursorAndFlipsAtTheEdges)
{
	vgui::TextTooltip tip(m_owner, "abcdefghij");  // 54 x 24: two lines when squared, so one
	const struct
	{
		int cx, cy, x, y;
	} cases[] = {
		{ 10, 10, 10, 30 },     // right of and below the cursor
		{ 600, 10, 546, 10 },   // right edge: left of the cursor at its height
		{ 10, 460, 10, 436 },   // bottom edge: above the cursor
		{ 600, 470, 546, 426 }, // both
	};
	for (const auto &c : cases)
	{
		CursorAt(c.cx, c.cy);
		tip.HideTooltip();
		tip.ResetDelay();
		Advance(0.6);
		tip.ShowTooltip(m_owner);
		ASSERT_TRUE(Shown());
		int x, y;
		Window()->GetPos(x, y);
		EXPECT_EQ(c.x, x) << c.cx << "," << c.cy;
		EXPECT_EQ(c.y, y) << c.cx << "," << c.cy;
	}
}

TEST_F(TooltipTest, ShowingAgainRefillsAndReplacesTheWindow)
{
	vgui::TextTooltip first(m_owner, "first");
	vgui::TextTooltip second(m_owner, "second tip");
	ShowNow(first);
	int wide, tall;
	Window()->GetSize(wide, tall);
	EXPECT_EQ(37, wide);  // squared: one line 37 wide
	EXPECT_EQ(14, tall);
	first.HideTooltip();

	second.ShowTooltip(m_owner);  // the delay of the second has passed too
	Window()->GetSize(wide, tall);
	EXPECT_EQ(54, wide);

	second.SetText("longer text now");
	second.HideTooltip();
	CursorAt(20, 40);
	second.ShowTooltip(m_owner);
	int x, y;
	Window()->GetPos(x, y);
	Window()->GetSize(wide, tall);
	EXPECT_EQ(79, wide);
	EXPECT_EQ(20, x);
	EXPECT_EQ(60, y);
}
}
