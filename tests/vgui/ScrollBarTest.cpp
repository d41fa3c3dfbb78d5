// vgui::ScrollBar: construction and factories, the layout of slider and buttons, value flow to
// the targets, arrow auto-repeat through the stand-in input queue and clock, auto-hidden
// buttons, layout sections and the scheme's bar thickness.
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ControlFixture.h"
#include "ScrollProbe.h"
#include "vgui/IInput.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Button.h"
#include "vgui_controls/ScrollBar.h"
#include "vgui_controls/ScrollBarSlider.h"

namespace
{
std::string Bounds(vgui::Panel *panel)
{
	int x, y, w, t;
	panel->GetBounds(x, y, w, t);
	return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(t);
}

class ScrollBarTest : public ControlTest
{
protected:
	// A bar at (10, 10) inside a probe that fills the top-left of the screen.
	vgui::ScrollBar *NewBar(bool vertical, int wide, int tall)
	{
		m_probe = Place(new ScrollProbe(nullptr, "probe"), 0, 0, 400, 400);
		auto *bar = new vgui::ScrollBar(m_probe, "bar", vertical);
		bar->SetBounds(10, 10, wide, tall);
		bar->AddActionSignalTarget(m_probe);
		Frame();
		bar->InvalidateLayout(true);
		return bar;
	}

	ScrollProbe *m_probe = nullptr;
};
}

TEST_F(ScrollBarTest, ConstructionAndFactories)
{
	vgui::ScrollBar vertical(nullptr, nullptr, true);
	EXPECT_STREQ("ScrollBar", vertical.GetClassName());
	EXPECT_EQ(17, vertical.GetWide());
	EXPECT_EQ(64, vertical.GetTall());
	EXPECT_STREQ("UpButton", vertical.GetButton(0)->GetName());
	EXPECT_STREQ("DownButton", vertical.GetButton(1)->GetName());
	EXPECT_STREQ("Slider", vertical.GetSlider()->GetName());
	EXPECT_TRUE(vertical.IsVertical());
	char text[8];
	vertical.GetButton(0)->GetText(text, sizeof(text));
	EXPECT_STREQ("t", text);
	vertical.GetButton(1)->GetText(text, sizeof(text));
	EXPECT_STREQ("u", text);
	EXPECT_EQ(20, vertical.GetButtonPressedScrollValue());

	// Firing an arrow button sends its own command to the bar, which has no handler for it.
	KeyValues *command = vertical.GetButton(1)->GetCommand();
	ASSERT_NE(nullptr, command);
	EXPECT_STREQ("ScrollButtonPressed", command->GetName());
	EXPECT_EQ(1, command->GetInt("index", -1));

	vgui::ScrollBar horizontal(nullptr, nullptr, false);
	EXPECT_EQ(64, horizontal.GetWide());
	EXPECT_EQ(17, horizontal.GetTall());
	EXPECT_FALSE(horizontal.IsVertical());
	horizontal.GetButton(0)->GetText(text, sizeof(text));
	EXPECT_STREQ("w", text);
	horizontal.GetButton(1)->GetText(text, sizeof(text));
	EXPECT_STREQ("4", text);

	struct Case
	{
		const char *factory;
		bool vertical;
	} const cases[] = { { "ScrollBar_Vertical", true }, { "ScrollBar_Horizontal", false }, { "ScrollBar", false } };
	for (const Case &c : cases)
	{
		std::unique_ptr<vgui::Panel> made(vgui::CBuildFactoryHelper::InstancePanel(c.factory));
		ASSERT_NE(nullptr, made) << c.factory;
		auto *bar = dynamic_cast<vgui::ScrollBar *>(made.get());
		ASSERT_NE(nullptr, bar) << c.factory;
		EXPECT_EQ(c.vertical, bar->IsVertical()) << c.factory;
		EXPECT_EQ(nullptr, bar->GetParent());
	}
}

TEST_F(ScrollBarTest, LayoutOfSliderAndButtons)
{
	struct Case
	{
		bool vertical, noButtons;
		int wide, tall;
		const char *slider, *up, *down;
	} const cases[] = {
		{ true, false, 17, 100, "0,17 17x67", "0,0 17x17", "0,83 17x17" },
		{ true, true, 17, 100, "0,0 17x101", nullptr, nullptr },
		{ false, false, 100, 17, "17,-1 67x18", "0,0 17x17", "83,0 17x17" },
		{ false, true, 100, 17, "0,0 100x18", nullptr, nullptr },
	};
	for (const Case &c : cases)
	{
		vgui::ScrollBar *bar = NewBar(c.vertical, c.wide, c.tall);
		if (c.noButtons)
			Apply(*bar, "\"s\" { \"nobuttons\" \"1\" }");
		bar->InvalidateLayout(true);
		EXPECT_EQ(c.slider, Bounds(bar->GetSlider())) << c.vertical << c.noButtons;
		if (c.up)
		{
			EXPECT_EQ(c.up, Bounds(bar->GetButton(0)));
			EXPECT_EQ(c.down, Bounds(bar->GetButton(1)));
		}
	}
}

TEST_F(ScrollBarTest, SliderMovesReachTheTargets)
{
	vgui::ScrollBar *bar = NewBar(true, 17, 100);
	bar->SetRange(0, 100);
	bar->SetRangeWindow(20);
	bar->SetValue(40);
	Frame();
	Frame();
	EXPECT_EQ(40, bar->GetValue());
	EXPECT_EQ("ScrollBarSliderMoved(40) ", m_probe->Take());
	bar->SetValue(40);
	Frame();
	Frame();
	EXPECT_EQ("", m_probe->Take());
	int lo, hi;
	bar->GetRange(lo, hi);
	EXPECT_EQ(100, hi);
	EXPECT_EQ(20, bar->GetRangeWindow());
}

TEST_F(ScrollBarTest, HeldArrowStepsAtOnceThenRepeats)
{
	vgui::ScrollBar *bar = NewBar(true, 17, 100);
	bar->SetRange(0, 1000);
	bar->SetRangeWindow(100);
	Frame();
	m_probe->Take();

	// Rest on the down button (0,83 inside the bar) for a tick, then press it.
	m_vgui->QueueCursorMove(10 + 8, 10 + 90);
	Frame();
	m_vgui->QueueButton(MOUSE_LEFT, true);
	Frame();
	EXPECT_TRUE(bar->GetButton(1)->IsDepressed());
	EXPECT_EQ(20, bar->GetValue());
	Frame();
	EXPECT_EQ("ScrollBarSliderMoved(20) ScrollBarSliderMoved(20) ", m_probe->Take());

	// No repeat within the first 400 ms, then one step per tick 50 ms apart.
	int const expected[] = { 20, 20, 20, 20, 20, 40, 60, 80 };
	for (int value : expected)
	{
		Advance(0.1);
		Frame();
		EXPECT_EQ(value, bar->GetValue());
	}
	m_vgui->QueueButton(MOUSE_LEFT, false);
	Frame();
	Advance(0.1);
	Frame();
	EXPECT_EQ(80, bar->GetValue());
	EXPECT_EQ(0u, vgui::input()->GetMouseCapture());
}

TEST_F(ScrollBarTest, ArrowStepAtTheEndReportsAValueInsideTheRange)
{
	vgui::ScrollBar *bar = NewBar(true, 17, 100);
	bar->SetRange(0, 100);
	bar->SetRangeWindow(20);
	Frame();
	m_probe->Take();
	m_vgui->QueueCursorMove(10 + 8, 10 + 5);  // the up button, at the top already
	Frame();
	m_vgui->QueueButton(MOUSE_LEFT, true);
	Frame();
	Frame();
	m_vgui->QueueButton(MOUSE_LEFT, false);
	Frame();
	EXPECT_EQ(0, bar->GetValue());
	EXPECT_EQ("ScrollBarSliderMoved(0) ", m_probe->Take());
}

TEST_F(ScrollBarTest, AutoHideTakesButtonsAwayWhileNothingScrolls)
{
	vgui::ScrollBar *bar = NewBar(true, 17, 100);
	Apply(*bar, "\"s\" { \"autohide_buttons\" \"1\" }");
	bar->SetRange(0, 10);
	bar->SetRangeWindow(20);
	bar->InvalidateLayout(true);
	for (int i = 0; i < 2; ++i)
		EXPECT_FALSE(bar->GetButton(i)->IsEnabled());
	EXPECT_EQ("0,17 17x67", Bounds(bar->GetSlider()));  // their space stays reserved

	bar->SetRange(0, 100);
	bar->InvalidateLayout(true);
	for (int i = 0; i < 2; ++i)
		EXPECT_TRUE(bar->GetButton(i)->IsEnabled());
}

TEST_F(ScrollBarTest, ReplacedPartsAreDetachedAndButtonsCountTowardsTheOffset)
{
	vgui::ScrollBar *bar = NewBar(true, 17, 100);
	bar->SetRange(0, 500);
	// The slider is 67 high between buttons 17 high each (counted once laid out): a window up
	// to 101 is the full range.
	bar->Validate();
	bar->SetRangeWindow(101);
	EXPECT_TRUE(bar->HasFullRange());
	bar->SetRangeWindow(102);
	EXPECT_FALSE(bar->HasFullRange());
	bar->SetButtonPressedScrollValue(5);
	bar->GetButton(1)->SetVisible(false);
	bar->Validate();
	bar->SetRangeWindow(85);
	EXPECT_FALSE(bar->HasFullRange());
	bar->SetRangeWindow(84);
	EXPECT_TRUE(bar->HasFullRange());

	vgui::Button *old = bar->GetButton(0);
	auto *replacement = new vgui::Button(nullptr, "mine", "m");
	bar->SetButton(replacement, 0);
	EXPECT_EQ(nullptr, old->GetParent());
	EXPECT_EQ(bar, replacement->GetParent());
	delete old;

	vgui::ScrollBarSlider *oldSlider = bar->GetSlider();
	bar->SetSlider(new vgui::ScrollBarSlider(nullptr, "other", true));
	EXPECT_EQ(nullptr, oldSlider->GetParent());
	delete oldSlider;
	bar->SetRange(0, 100);
	bar->SetRangeWindow(10);
	bar->SetValue(30);
	Frame();
	Frame();
	EXPECT_EQ("ScrollBarSliderMoved(30) ", m_probe->Take());
}

TEST_F(ScrollBarTest, SectionsAndSchemeThickness)
{
	vgui::ScrollBar *bar = NewBar(true, 17, 100);
	Apply(*bar, "\"s\" { \"UpButton\" { \"visible\" \"0\" } \"Slider\" { \"enabled\" \"0\" } }");
	EXPECT_FALSE(bar->GetButton(0)->IsVisible());
	EXPECT_FALSE(bar->GetSlider()->IsEnabled());

	// The control scheme has no "ScrollBar.Wide": the size stays.
	bar->SetScheme(m_scheme);
	bar->InvalidateLayout(true, true);
	EXPECT_EQ(17, bar->GetWide());

	FILE *f = fopen((m_harness->gameFolder + "/resource/wide_scheme.res").c_str(), "wb");
	ASSERT_NE(nullptr, f);
	fputs("\"Scheme\" { \"BaseSettings\" { \"ScrollBar.Wide\" \"24\" } }", f);
	fclose(f);
	vgui::HScheme wide = g_pVGuiSchemeManager->LoadSchemeFromFile("resource/wide_scheme.res", "WideScheme");
	ASSERT_NE(0u, wide);
	bar->SetScheme(wide);
	bar->InvalidateLayout(true, true);
	EXPECT_EQ(24, bar->GetWide());
	EXPECT_EQ(100, bar->GetTall());

	vgui::ScrollBar *horizontal = new vgui::ScrollBar(m_probe, "h", false);
	horizontal->SetBounds(0, 200, 150, 17);
	horizontal->SetScheme(wide);
	horizontal->InvalidateLayout(true, true);
	EXPECT_EQ(150, horizontal->GetWide());
	EXPECT_EQ(24, horizontal->GetTall());
}
