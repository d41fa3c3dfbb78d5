// vgui::Slider: value and range rules, clicks and drags through the stand-in input queue with
// their messages, keys, the sub-range and inversion, tick painting and layout settings.
#include <memory>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "ScrollProbe.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Slider.h"

namespace
{
class SliderTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		m_probe = Place(new ScrollProbe(nullptr, "probe"), 0, 0, 400, 400);
		// 108 wide with the 8-pixel thumb: the track runs from x 0 to 100.
		m_slider = new vgui::Slider(m_probe, "slider");
		m_slider->SetBounds(10, 10, 108, 30);
		m_slider->AddActionSignalTarget(m_probe);
		m_slider->SetRange(0, 100);
		Frame();
		m_probe->Take();
	}
	// A button at a place; the cursor moves there first only when it is elsewhere.
	void Mouse(int localX, bool down)
	{
		if (localX != m_lastX)
			m_vgui->QueueCursorMove(10 + localX, 10 + 10);
		m_lastX = localX;
		m_vgui->QueueButton(MOUSE_LEFT, down);
		Frame();
		Frame();
	}
	void MoveTo(int localX)
	{
		m_lastX = localX;
		m_vgui->QueueCursorMove(10 + localX, 10 + 10);
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
	vgui::Slider *m_slider = nullptr;
	int m_lastX = -1000;
};
}

TEST_F(SliderTest, ValuesClampIntoTheRangeInEitherOrder)
{
	struct Case
	{
		int lo, hi, value, stored;
		const char *nob;
	} const cases[] = {
		{ 0, 100, 50, 50, "46..54" },  { 0, 100, 150, 100, "92..100" }, { 0, 100, -3, 0, "0..8" },
		{ 100, 0, 150, 100, "0..8" }, { 100, 0, 25, 25, "69..77" },    { 5, 5, 9, 5, "0..8" },
	};
	for (const Case &c : cases)
	{
		m_slider->SetRange(c.lo, c.hi);
		m_slider->SetValue(c.value);
		EXPECT_EQ(c.stored, m_slider->GetValue()) << c.lo << " " << c.value;
		EXPECT_EQ(c.nob, Nob()) << c.lo << " " << c.value;
	}

	// Narrowing the range moves the value in silently.
	m_slider->SetRange(0, 100);
	m_slider->SetValue(90);
	Frame();
	m_probe->Take();
	m_slider->SetRange(0, 60);
	EXPECT_EQ(60, m_slider->GetValue());
	m_slider->SetValue(60);
	m_slider->SetValue(10, false);
	Frame();
	EXPECT_EQ("", m_probe->Take());
	m_slider->SetValue(11);
	Frame();
	EXPECT_EQ("SliderMoved(11) ", m_probe->Take());
	EXPECT_GT(m_probe->withPanel, 0);
}

TEST_F(SliderTest, ClicksOnTheTrackPlaceTheValue)
{
	m_slider->SetValue(50);
	Mouse(99, true);
	Mouse(99, false);
	EXPECT_EQ(100, m_slider->GetValue());
	EXPECT_FALSE(m_slider->IsDragged());
	EXPECT_EQ("SliderMoved(50) SliderMoved(100) ", m_probe->Take());
	m_slider->SetValue(50);
	Mouse(0, true);
	Mouse(0, false);
	EXPECT_EQ(0, m_slider->GetValue());
	m_probe->Take();

	// Drag on reposition: the click starts a drag as well.
	m_slider->SetDragOnRepositionNob(true);
	EXPECT_TRUE(m_slider->IsDragOnRepositionNob());
	Mouse(50, true);
	EXPECT_TRUE(m_slider->IsDragged());
	EXPECT_EQ(51, m_slider->GetValue());
	Mouse(50, false);
	EXPECT_EQ("SliderDragStart(0) SliderMoved(51) SliderDragEnd(51) ", m_probe->Take());

	// Disabled: presses do nothing.
	m_slider->SetEnabled(false);
	Mouse(90, true);
	Mouse(90, false);
	EXPECT_EQ(51, m_slider->GetValue());
}

TEST_F(SliderTest, DraggingTheNob)
{
	m_slider->SetValue(50);
	Frame();
	m_probe->Take();
	Mouse(50, true);  // inside 46..54
	EXPECT_TRUE(m_slider->IsDragged());
	EXPECT_EQ("SliderDragStart(50) ", m_probe->Take());

	struct Step
	{
		int x, value;
		const char *posted;
		const char *nob;
	} const steps[] = {
		{ 60, 60, "SliderMoved(60) SliderMoved(60) ", "55..63" },
		{ 61, 61, "SliderMoved(61) SliderMoved(61) ", "56..64" },
		{ 300, 100, "SliderMoved(100) SliderMoved(100) ", "92..100" },
		{ 301, 100, "SliderMoved(100) ", "92..100" },
		{ -200, 0, "SliderMoved(0) SliderMoved(0) ", "0..8" },
	};
	for (const Step &s : steps)
	{
		MoveTo(s.x);
		EXPECT_EQ(s.value, m_slider->GetValue()) << s.x;
		EXPECT_EQ(s.posted, m_probe->Take()) << s.x;
		EXPECT_EQ(s.nob, Nob()) << s.x;
	}
	Mouse(-200, false);
	EXPECT_FALSE(m_slider->IsDragged());
	EXPECT_EQ("SliderDragEnd(0) ", m_probe->Take());

	// A press in the nob and a release without moving still start and end a drag.
	Mouse(4, true);
	Mouse(4, false);
	EXPECT_EQ("SliderDragStart(0) SliderDragEnd(0) ", m_probe->Take());
}

TEST_F(SliderTest, Keys)
{
	struct Case
	{
		int lo, hi, ticks, start;
		ButtonCode_t key;
		int value;
	} const cases[] = {
		{ 0, 100, 10, 50, KEY_HOME, 0 },     { 0, 100, 10, 50, KEY_END, 100 },
		{ 100, 0, 10, 50, KEY_HOME, 100 },   { 100, 0, 10, 50, KEY_END, 0 },
		{ 0, 100, 10, 50, KEY_PAGEUP, 60 },  { 0, 100, 10, 50, KEY_PAGEDOWN, 40 },
		{ 0, 100, 3, 50, KEY_PAGEUP, 83 },   { 0, 100, 10, 50, KEY_UP, 51 },
		{ 0, 100, 10, 50, KEY_RIGHT, 51 },   { 0, 100, 10, 50, KEY_LEFT, 49 },
		{ 0, 100, 10, 50, KEY_DOWN, 49 },    { 0, 100, 10, 100, KEY_UP, 100 },
		{ 0, 100, 0, 50, KEY_PAGEUP, 50 },  // no intervals: no page step, no division by zero
	};
	for (const Case &c : cases)
	{
		m_slider->SetRange(c.lo, c.hi);
		m_slider->SetNumTicks(c.ticks);
		m_slider->SetValue(c.start);
		m_slider->OnKeyCodeTyped(c.key);
		EXPECT_EQ(c.value, m_slider->GetValue()) << c.key << " " << c.ticks;
	}
}

TEST_F(SliderTest, SubRangeAndInversionPlaceTheNob)
{
	m_slider->SetSliderThumbSubRange(true, 0, 50);
	m_slider->SetValue(25);
	EXPECT_EQ("46..54", Nob());
	m_slider->SetValue(80);
	EXPECT_EQ(80, m_slider->GetValue());
	EXPECT_EQ("92..100", Nob());
	m_slider->SetSliderThumbSubRange(false);

	// Inverted: the minimum sits at the right, and a click there gives the minimum.
	m_slider->SetInverted(true);
	m_slider->SetValue(0);
	EXPECT_EQ("92..100", Nob());
	m_slider->SetValue(50);
	Mouse(99, true);
	Mouse(99, false);
	EXPECT_EQ(0, m_slider->GetValue());
	EXPECT_EQ(90, m_slider->EstimateValueAtPos(9, 0));
}

TEST_F(SliderTest, PaintsTicksTrackAndNob)
{
	m_slider->SetPaintBackgroundEnabled(true);
	m_slider->SetScheme(m_scheme);
	m_slider->InvalidateLayout(true, true);
	m_slider->SetValue(50);
	FramePaint();
	std::vector<std::string> ticks;
	bool track = false, nob = false;
	for (const std::string &line : PanelLog(m_slider))
	{
		if (line.find(",16,") != std::string::npos && line.find(",21 ") != std::string::npos)
			ticks.push_back(line.substr(2, line.find(' ', 2) - 2));
		track = track || line.rfind("F 0,8,100,12 ", 0) == 0;
		nob = nob || line.rfind("F 46,2,54,18 ", 0) == 0;
	}
	ASSERT_EQ(11u, ticks.size());
	EXPECT_EQ("4,16,5,21", ticks.front());
	EXPECT_EQ("96,16,97,21", ticks.back());
	EXPECT_TRUE(track);
	EXPECT_TRUE(nob);

	// Disabled ticks are drawn twice, the shadow offset by one pixel.
	m_slider->SetEnabled(false);
	FramePaint();
	int shadows = 0;
	for (const std::string &line : PanelLog(m_slider))
		shadows += line.find(",17,") != std::string::npos && line.find(",22 ") != std::string::npos;
	EXPECT_EQ(11, shadows);

	// No intervals: no ticks at all.
	m_slider->SetEnabled(true);
	m_slider->SetNumTicks(0);
	FramePaint();
	for (const std::string &line : PanelLog(m_slider))
		EXPECT_EQ(std::string::npos, line.find(",16,")) << line;
}

TEST_F(SliderTest, SettingsAndFactory)
{
	Apply(*m_slider, "\"s\" { \"leftText\" \"Low\" \"rightText\" \"High\" \"thumbwidth\" \"10\" \"numTicks\" \"4\" "
	                 "\"rangeMin\" \"20\" \"rangeMax\" \"30\" }");
	int lo, hi;
	m_slider->GetRange(lo, hi);
	EXPECT_EQ(20, lo);
	EXPECT_EQ(30, hi);
	EXPECT_EQ(20, m_slider->GetValue());
	int x, y, w, t;
	m_slider->GetTrackRect(x, y, w, t);
	EXPECT_EQ(98, w);
	EXPECT_EQ("Low", Saved(*m_slider, "leftText"));
	EXPECT_EQ("High", Saved(*m_slider, "rightText"));
	EXPECT_EQ("<absent>", Saved(*m_slider, "rangeMin"));
	EXPECT_EQ("<absent>", Saved(*m_slider, "numTicks"));

	// An absent caption key leaves the caption; narrow and wide setters replace the text.
	Apply(*m_slider, "\"s\" { \"rightText\" \"Top\" }");
	EXPECT_EQ("Low", Saved(*m_slider, "leftText"));
	EXPECT_EQ("Top", Saved(*m_slider, "rightText"));
	m_slider->SetTickCaptions(L"Left", nullptr);
	EXPECT_EQ("Left", Saved(*m_slider, "leftText"));

	std::string description = m_slider->GetDescription();
	const std::string tail = ", string leftText, string rightText";
	ASSERT_GT(description.size(), tail.size());
	EXPECT_EQ(tail, description.substr(description.size() - tail.size()));

	std::unique_ptr<vgui::Panel> made(vgui::CBuildFactoryHelper::InstancePanel("Slider"));
	ASSERT_NE(nullptr, dynamic_cast<vgui::Slider *>(made.get()));
	EXPECT_STREQ("Slider", made->GetClassName());
}
