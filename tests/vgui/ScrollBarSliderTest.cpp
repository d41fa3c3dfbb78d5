// vgui::ScrollBarSlider: value clamping and its messages, the nob geometry, paging and dragging
// through the stand-in input queue, the end snap, and painting.
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "ScrollProbe.h"
#include "vgui/IInput.h"
#include "vgui_controls/ScrollBarSlider.h"

namespace
{
class ScrollBarSliderTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		m_probe = Place(new ScrollProbe(nullptr, "probe"), 0, 0, 400, 1200);
		// The slider lies at (10, 10) inside the probe: 100 pixels of track, 16 across.
		m_slider = new vgui::ScrollBarSlider(m_probe, "Slider", true);
		m_slider->SetBounds(10, 10, 17, 101);
		m_slider->AddActionSignalTarget(m_probe);
		m_slider->SetRange(0, 100);
		m_slider->SetRangeWindow(20);
		m_slider->SetValue(40);
		Frame();
		m_probe->Take();
	}
	void Click(int localX, int localY, bool release = true)
	{
		m_vgui->QueueCursorMove(10 + localX, 10 + localY);
		m_vgui->QueueButton(MOUSE_LEFT, true);
		if (release)
			m_vgui->QueueButton(MOUSE_LEFT, false);
		Frame();
		Frame();
	}
	std::string Nob()
	{
		int a, b;
		m_slider->GetNobPos(a, b);
		return std::to_string(a) + ".." + std::to_string(b);
	}

	ScrollProbe *m_probe = nullptr;
	vgui::ScrollBarSlider *m_slider = nullptr;
};
}

TEST_F(ScrollBarSliderTest, SetValueClampsAndPostsOnlyChanges)
{
	struct Case
	{
		int value, stored;
		const char *posted;
		const char *nob;
	} const cases[] = {
		{ 40, 40, "", "40..60" },
		{ 0, 0, "ScrollBarSliderMoved(0) ", "0..20" },
		{ -5, 0, "", "0..20" },
		{ 95, 80, "ScrollBarSliderMoved(80) ", "80..100" },
		{ 1000, 80, "", "80..100" },
		{ 10, 10, "ScrollBarSliderMoved(10) ", "10..30" },
	};
	for (const Case &c : cases)
	{
		m_slider->SetValue(c.value);
		Frame();
		EXPECT_EQ(c.stored, m_slider->GetValue()) << c.value;
		EXPECT_EQ(c.posted, m_probe->Take()) << c.value;
		EXPECT_EQ(c.nob, Nob()) << c.value;
	}
	EXPECT_GT(m_probe->withPanel, 0);
}

TEST_F(ScrollBarSliderTest, RangeRulesAndVisibility)
{
	m_slider->SetRange(10, 5);
	int lo, hi;
	m_slider->GetRange(lo, hi);
	EXPECT_EQ(10, lo);
	EXPECT_EQ(10, hi);
	EXPECT_EQ(10, m_slider->GetValue());
	EXPECT_FALSE(m_slider->IsSliderVisible());

	// A range smaller than the window pins the value to the minimum.
	m_slider->SetRange(0, 15);
	m_slider->SetValue(7);
	EXPECT_EQ(0, m_slider->GetValue());
	EXPECT_FALSE(m_slider->IsSliderVisible());

	m_slider->SetRange(0, 21);
	EXPECT_TRUE(m_slider->IsSliderVisible());

	struct Case
	{
		int window, buttonOffset;
		bool full;
	} const cases[] = { { 0, 0, false }, { 101, 0, true }, { 102, 0, false }, { 135, 34, true }, { 136, 34, false } };
	for (const Case &c : cases)
	{
		m_slider->SetRangeWindow(c.window);
		m_slider->SetButtonOffset(c.buttonOffset);
		EXPECT_EQ(c.full, m_slider->HasFullRange()) << c.window;
	}
}

TEST_F(ScrollBarSliderTest, ClicksOnTheTrackPageByOneWindow)
{
	Click(5, 90);  // below the nob 40..60
	EXPECT_EQ(60, m_slider->GetValue());
	EXPECT_EQ("ScrollBarSliderMoved(60) ", m_probe->Take());
	Click(5, 5);  // above the nob, now 60..80
	EXPECT_EQ(40, m_slider->GetValue());
	m_probe->Take();

	// A double press acts as a second press.
	m_vgui->QueueCursorMove(10 + 5, 10 + 95);
	for (int i = 0; i < 2; ++i)
	{
		m_vgui->QueueButton(MOUSE_LEFT, true);
		m_vgui->QueueButton(MOUSE_LEFT, false);
	}
	Frame();
	Frame();
	EXPECT_EQ(80, m_slider->GetValue());
	EXPECT_FALSE(m_slider->IsDragging());

	// Window 0 pages by nothing.
	m_slider->SetRangeWindow(0);
	Click(5, 99);
	EXPECT_EQ(80, m_slider->GetValue());
}

TEST_F(ScrollBarSliderTest, DraggingTheNobMovesTheValueAndPostsEveryMove)
{
	Click(5, 50, false);  // inside the nob 40..60
	EXPECT_TRUE(m_slider->IsDragging());
	EXPECT_EQ(m_slider->GetVPanel(), vgui::input()->GetMouseCapture());
	EXPECT_EQ("", m_probe->Take());

	struct Step
	{
		int y, value;
		const char *posted;
	} const steps[] = {
		{ 70, 60, "ScrollBarSliderMoved(60) " },
		{ 70, 60, "ScrollBarSliderMoved(60) " },                         // unchanged, still posted
		{ 71, 61, "ScrollBarSliderMoved(61) " },
		{ 500, 80, "ScrollBarSliderMoved(80) ScrollBarSliderMoved(80) " },  // past the end: snapped
		{ 501, 80, "ScrollBarSliderMoved(80) " },                        // still posted, unchanged
		{ -300, 0, "ScrollBarSliderMoved(0) ScrollBarSliderMoved(0) " },
	};
	for (const Step &s : steps)
	{
		m_vgui->QueueCursorMove(10 + 5, 10 + s.y);
		Frame();
		Frame();
		EXPECT_EQ(s.value, m_slider->GetValue()) << s.y;
		EXPECT_EQ(s.posted, m_probe->Take()) << s.y;
	}
	m_vgui->QueueButton(MOUSE_RIGHT, true);
	m_vgui->QueueButton(MOUSE_RIGHT, false);
	Frame();
	EXPECT_FALSE(m_slider->IsDragging());
	EXPECT_EQ(0u, vgui::input()->GetMouseCapture());
}

TEST_F(ScrollBarSliderTest, EndSnapMeasuresFromTheMinimum)
{
	// 1000 pixels of track, range 100..1100, window 200: one pixel per unit. A nob five pixels
	// short of the end lies within 1% of the range and snaps to the last position.
	m_slider->SetBounds(10, 10, 17, 1001);
	m_slider->SetRange(100, 1100);
	m_slider->SetRangeWindow(200);
	m_slider->SetValue(100);
	Frame();
	EXPECT_EQ("0..200", Nob());
	Click(5, 100, false);
	m_vgui->QueueCursorMove(10 + 5, 10 + 100 + 795);
	Frame();
	Frame();
	EXPECT_EQ(900, m_slider->GetValue());
	m_vgui->QueueCursorMove(10 + 5, 10 + 100 + 300);
	Frame();
	EXPECT_EQ(400, m_slider->GetValue());
	m_vgui->QueueCursorMove(10 + 5, 0);
	Frame();
	EXPECT_EQ(100, m_slider->GetValue());
	m_vgui->QueueButton(MOUSE_LEFT, false);
	Frame();
}

TEST_F(ScrollBarSliderTest, PaintsTrackAndNob)
{
	m_slider->SetPaintBackgroundEnabled(true);
	m_slider->SetBgColor(Color(1, 2, 3, 255));
	m_slider->SetFgColor(Color(9, 8, 7, 255));
	m_slider->SetValue(40);
	FramePaint();
	std::vector<std::string> log = PanelLog(m_slider);
	ASSERT_EQ(2u, log.size());
	EXPECT_EQ("F 0,0,16,100 1,2,3,255", log[0]);
	EXPECT_EQ("F 1,40,15,60 9,8,7,255", log[1]);

	// Horizontal: the nob runs along x.
	vgui::ScrollBarSlider *h = Place(new vgui::ScrollBarSlider(nullptr, nullptr, false), 50, 300, 101, 17);
	h->SetRange(0, 100);
	h->SetRangeWindow(50);
	h->SetValue(50);
	FramePaint();
	log = PanelLog(h);
	ASSERT_FALSE(log.empty());
	EXPECT_EQ("F 50,1,100,15", log.back().substr(0, 13));

	// Nothing to scroll: no nob.
	m_slider->SetRange(0, 10);
	FramePaint();
	EXPECT_EQ(1u, PanelLog(m_slider).size());
}

TEST_F(ScrollBarSliderTest, LayoutKeyNamesTheNobBorder)
{
	m_slider->SetScheme(m_scheme);
	m_slider->InvalidateLayout(true, true);
	m_slider->SetFgColor(Color(9, 8, 7, 255));
	FramePaint();
	std::vector<std::string> plain = PanelLog(m_slider);
	Apply(*m_slider, "\"s\" { \"ButtonBorder\" \"ButtonDepressedBorder\" }");
	FramePaint();
	std::vector<std::string> bordered = PanelLog(m_slider);
	// The border's blue top line runs across the nob's top edge, 40..60.
	bool topLine = false;
	for (const std::string &line : bordered)
		topLine = topLine || (line.find(",40,") != std::string::npos && line.find("0,0,255,255") != std::string::npos);
	EXPECT_TRUE(topLine);
	EXPECT_GT(bordered.size(), plain.size());
}
