// vgui::ProgressBar and vgui::ContinuousProgressBar: the fraction from code, messages, layout and
// dialog variables, and the segmented and solid painting in the scheme's colours.
#include <cmath>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/ProgressBar.h"

namespace
{
// Counts repaints asked for.
class CountingBar : public vgui::ProgressBar
{
public:
	CountingBar() : vgui::ProgressBar(nullptr, nullptr) {}
	void Repaint() override
	{
		++repaints;
		vgui::ProgressBar::Repaint();
	}
	int repaints = 0;
};

class ProgressBarTest : public ControlTest
{
protected:
	std::vector<std::string> Segments(vgui::Panel *bar)
	{
		std::vector<std::string> out;
		for (const std::string &line : PanelLog(bar))
			if (line.find(" 0,255,0,255") != std::string::npos)  // the foreground colour
				out.push_back(line.substr(2, line.find(' ', 2) - 2));
		return out;
	}
};
}

TEST_F(ProgressBarTest, SegmentsFillFromTheLeft)
{
	typedef std::vector<std::string> Rects;
	struct Case
	{
		float fraction;
		int gap, width;
		Rects rects;
	} const cases[] = {
		{ 0.5f, 4, 8, { "4,4,12,16", "16,4,24,16", "28,4,36,16", "40,4,48,16" } },
		{ 1.0f, 4, 8,
		  { "4,4,12,16", "16,4,24,16", "28,4,36,16", "40,4,48,16", "52,4,60,16", "64,4,72,16", "76,4,84,16",
		    "88,4,96,16" } },
		{ 0.0f, 4, 8, {} },
		{ 0.26f, 0, 25, { "0,4,25,16" } },
		{ 1.0f, 0, 0, {} },     // no room for any segment: nothing, and no division by zero
		{ 1.0f, -8, 4, {} },    // a negative step fits nothing
	};
	for (const Case &c : cases)
	{
		auto *bar = Place(new vgui::ProgressBar(nullptr, nullptr), 0, 0, 100, 20);
		bar->SetSegmentInfo(c.gap, c.width);
		bar->SetProgress(c.fraction);
		FramePaint();
		EXPECT_EQ(c.rects, Segments(bar)) << c.fraction << " " << c.gap << "/" << c.width;
		// The background covers the panel, inside the depressed border painted over it.
		std::vector<std::string> log = PanelLog(bar);
		ASSERT_FALSE(log.empty());
		EXPECT_EQ("F 0,0,100,20 40,40,40,255", log[0]);
		EXPECT_EQ("F 0,0,100,1 0,0,255,255", log.back());
		delete bar;
	}
	// Pixels: the last 4 pixels of a full bar stay background.
	auto *full = Place(new vgui::ProgressBar(nullptr, nullptr), 0, 0, 100, 20);
	full->SetProgress(1.0f);
	FramePaint();
	EXPECT_EQ(0xFF00FF00u, m_vgui->Pixel(95, 10));
	EXPECT_EQ(0xFF282828u, m_vgui->Pixel(97, 10));
	EXPECT_EQ(0xFF282828u, m_vgui->Pixel(5, 2));
}

TEST_F(ProgressBarTest, SetProgressClampsAndRepaintsOnChange)
{
	CountingBar bar;
	struct Step
	{
		float in, stored;
		int repaints;
	} const steps[] = {
		{ 1.7f, 1.0f, 1 }, { 1.0f, 1.0f, 1 }, { -0.2f, 0.0f, 2 }, { 0.4f, 0.4f, 3 }, { 0.4f, 0.4f, 3 },
		{ NAN, 0.4f, 3 },
	};
	for (const Step &s : steps)
	{
		bar.SetProgress(s.in);
		EXPECT_EQ(s.stored, bar.GetProgress()) << s.in;
		EXPECT_EQ(s.repaints, bar.repaints) << s.in;
	}
	bar.SetSegmentInfo(1, 2);
	EXPECT_EQ(3, bar.repaints);  // no repaint
}

TEST_F(ProgressBarTest, MessagesAndDialogVariables)
{
	auto *bar = Place(new vgui::ProgressBar(nullptr, nullptr), 0, 0, 100, 20);
	KeyValues *set = new KeyValues("SetProgress");
	set->SetFloat("progress", 0.25f);
	g_pVGui->PostMessage(bar->GetVPanel(), set, 0);
	Frame();
	EXPECT_FLOAT_EQ(0.25f, bar->GetProgress());

	// No variable named yet: dialog variables are ignored.
	KeyValues *vars = new KeyValues("DialogVariables", "done", 80);
	bar->OnDialogVariablesChanged(vars);
	EXPECT_FLOAT_EQ(0.25f, bar->GetProgress());

	Apply(*bar, R"("s" { "progress" "0.25" "variable" "done" })");
	g_pVGui->PostMessage(bar->GetVPanel(), vars, 0);
	Frame();
	EXPECT_FLOAT_EQ(0.8f, bar->GetProgress());

	struct Case
	{
		KeyValues *message;
		float expected;
	} const cases[] = {
		{ new KeyValues("DialogVariables", "done", 35), 0.35f },
		{ new KeyValues("DialogVariables", "other", 10), 0.35f },  // read as -1: unchanged
		{ new KeyValues("DialogVariables", "done", 0), 0.0f },
		{ new KeyValues("DialogVariables", "done", 250), 1.0f },
		{ new KeyValues("DialogVariables", "done", -5), 1.0f },
	};
	for (const Case &c : cases)
	{
		g_pVGui->PostMessage(bar->GetVPanel(), c.message, 0);
		Frame();
		EXPECT_FLOAT_EQ(c.expected, bar->GetProgress());
	}
}

TEST_F(ProgressBarTest, LayoutKeysAndDescription)
{
	auto *bar = Place(new vgui::ProgressBar(nullptr, nullptr), 0, 0, 100, 20);
	Apply(*bar, R"("s" { "progress" "1.5" })");
	EXPECT_FLOAT_EQ(1.5f, bar->GetProgress());  // only SetProgress clamps
	EXPECT_EQ("<absent>", Saved(*bar, "variable"));
	EXPECT_FLOAT_EQ(1.5f, std::stof(Saved(*bar, "progress")));
	FramePaint();
	EXPECT_EQ(8u, Segments(bar).size());  // drawn as full

	// Far outside 0..1 the paint still ends: at most the segments that fit.
	for (const char *settings : { R"("s" { "progress" "1e30" })", R"("s" { "progress" "-1e30" })",
	                              R"("s" { "progress" "nan" })" })
	{
		Apply(*bar, settings);
		FramePaint();
		EXPECT_LE(Segments(bar).size(), 8u) << settings;
	}

	Apply(*bar, R"("s" { "variable" "v" })");
	EXPECT_FLOAT_EQ(0.0f, bar->GetProgress());  // "progress" defaults to 0
	EXPECT_EQ("v", Saved(*bar, "variable"));
	Apply(*bar, R"("s" { "variable" "" })");
	EXPECT_EQ("v", Saved(*bar, "variable"));  // an empty name keeps the old one
	const std::string description = bar->GetDescription();
	EXPECT_EQ(", string progress, string variable",
	          description.substr(description.size() - std::string(", string progress, string variable").size()));
	EXPECT_STREQ("ProgressBar", bar->GetClassName());
}

TEST_F(ProgressBarTest, ContinuousBarFillsItsFraction)
{
	struct Case
	{
		float fraction;
		std::vector<std::string> rects;
	} const cases[] = {
		{ 0.333f, { "0,0,66,30" } },
		{ 1.0f, { "0,0,200,30" } },
		{ 0.0f, { "0,0,0,30" } },
	};
	for (const Case &c : cases)
	{
		auto *bar = Place(new vgui::ContinuousProgressBar(nullptr, nullptr), 0, 0, 200, 30);
		bar->SetProgress(c.fraction);
		FramePaint();
		EXPECT_EQ(c.rects, Segments(bar)) << c.fraction;
		delete bar;
	}
	auto *bar = Place(new vgui::ContinuousProgressBar(nullptr, nullptr), 0, 0, 200, 30);
	Apply(*bar, R"("s" { "progress" "1e30" })");
	FramePaint();
	EXPECT_EQ(std::vector<std::string>{ "0,0,200,30" }, Segments(bar));
	EXPECT_EQ(0xFF00FF00u, m_vgui->Pixel(199, 15));
	EXPECT_STREQ("ContinuousProgressBar", bar->GetClassName());
}

TEST_F(ProgressBarTest, MadeByTheBuildFactory)
{
	for (const char *name : { "ProgressBar", "ContinuousProgressBar" })
	{
		vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel(name);
		ASSERT_NE(nullptr, made) << name;
		EXPECT_STREQ(name, made->GetClassName());
		EXPECT_EQ(nullptr, made->GetParent());
		delete made;
	}
}
