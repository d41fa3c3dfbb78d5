// vgui::AnimatingImagePanel: frames loaded by base name, the flip on the tick signal by engine
// time, start, stop and reset, scaled and natural-size painting, layout keys and the factory.
#include <cstring>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui/ISystem.h"
#include "vgui_controls/AnimatingImagePanel.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace
{
class AnimatingImagePanelTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		for (int n = 1; n <= 3; ++n)
		{
			std::vector<unsigned char> px(10 * n * 5 * n * 4, 255);
			m_vgui->DefineTexture(("anim/f" + std::to_string(n)).c_str(), 10 * n, 5 * n, px.data());
		}
	}

	vgui::AnimatingImagePanel *NewPanel(const char *settings)
	{
		auto *panel = Place(new vgui::AnimatingImagePanel(nullptr, "anim"), 10, 10, 100, 100);
		Apply(*panel, settings);
		return panel;
	}

	// The textured rectangles drawn for the panel, with the texture's frame number.
	std::vector<std::string> Drawn(vgui::AnimatingImagePanel *panel)
	{
		FramePaint();
		std::vector<std::string> out;
		for (const std::string &line : PanelLog(panel))
			if (line[0] == 'T')
				out.push_back(line.substr(line.find(' ') + 1));
		return out;
	}

	// Engine time moved on by the given milliseconds, then one frame of ticks.
	void Step(int millis)
	{
		Advance(millis / 1000.0);
		Frame();
	}
};
}

TEST_F(AnimatingImagePanelTest, LoadsNumberedFramesAndTakesTheLastSize)
{
	vgui::AnimatingImagePanel *panel = NewPanel(R"("s" { "image" "anim/f" "frames" "3" })");
	ASSERT_EQ(3, panel->GetFrameCount());
	for (int n = 0; n < 3; ++n)
		EXPECT_EQ(vgui::scheme()->GetImage(("anim/f" + std::to_string(n + 1)).c_str(), false), panel->GetFrame(n));
	EXPECT_EQ(30, panel->GetWide());
	EXPECT_EQ(15, panel->GetTall());
	EXPECT_EQ(std::vector<std::string>{ "0,0,10,5 255,255,255,255" }, Drawn(panel));
	EXPECT_EQ("anim/f", Saved(*panel, "image"));
	EXPECT_NE(nullptr, strstr(panel->GetDescription(), ", string image"));
	EXPECT_EQ(100, panel->GetFrameTime());

	// Scaled: the panel keeps its size and each frame is stretched to it, its own size kept.
	vgui::AnimatingImagePanel *scaled =
		NewPanel(R"("s" { "image" "anim/f" "frames" "2" "scaleImage" "1" "anim_framerate" "40" })");
	EXPECT_EQ(100, scaled->GetWide());
	EXPECT_EQ(std::vector<std::string>{ "0,0,100,100 255,255,255,255" }, Drawn(scaled));
	int w, h;
	scaled->GetFrame(0)->GetSize(w, h);
	EXPECT_EQ(10, w);
	EXPECT_EQ(5, h);
	EXPECT_EQ(40, scaled->GetFrameTime());

	// "scaleImage" must be exactly 1; without "image" it and "frames" are not read.
	vgui::AnimatingImagePanel *two = NewPanel(R"("s" { "image" "anim/f" "frames" "2" "scaleImage" "2" })");
	EXPECT_EQ(20, two->GetWide());
	Apply(*two, R"("s" { "frames" "3" "scaleImage" "1" })");
	EXPECT_EQ(2, two->GetFrameCount());
	EXPECT_EQ(100, two->GetFrameTime());  // the frame time is always read
	EXPECT_EQ("anim/f", Saved(*two, "image"));

	// An empty name still loads (images the scheme does not know draw nothing); no frames, no draw.
	vgui::AnimatingImagePanel *none = NewPanel(R"("s" { "image" "" "frames" "0" })");
	EXPECT_EQ(0, none->GetFrameCount());
	EXPECT_TRUE(Drawn(none).empty());
	EXPECT_EQ("", Saved(*none, "image"));
	vgui::AnimatingImagePanel *bare = NewPanel(R"("s" { })");
	EXPECT_EQ("<absent>", Saved(*bare, "image"));

	// A hostile frame count loads a bounded number of frames instead of running for ever.
	vgui::AnimatingImagePanel *huge = NewPanel(R"("s" { "image" "anim/f" "frames" "2000000000" })");
	EXPECT_EQ(4096, huge->GetFrameCount());
}

TEST_F(AnimatingImagePanelTest, FlipsOncePerFrameTimeWhileAnimating)
{
	vgui::AnimatingImagePanel *panel = NewPanel(R"("s" { "image" "anim/f" "frames" "3" "scaleImage" "1" })");
	Step(500);
	Step(500);
	EXPECT_EQ(0, panel->GetCurrentFrame());  // nothing moves until started

	panel->StartAnimation();
	EXPECT_TRUE(panel->IsAnimating());
	struct StepCase
	{
		int millis;
		int frame;
	} const steps[] = {
		{ 0, 1 },  // the first tick is due at once
		{ 50, 1 }, { 49, 1 }, { 1, 2 }, { 100, 0 },  // after the last frame comes frame 0
		{ 30, 0 }, { 80, 1 }, { 100, 2 },
	};
	for (const StepCase &s : steps)
	{
		Step(s.millis);
		EXPECT_EQ(s.frame, panel->GetCurrentFrame()) << s.millis;
	}

	panel->StopAnimation();
	Step(1000);
	Step(1000);
	EXPECT_EQ(2, panel->GetCurrentFrame());  // frozen

	panel->ResetAnimation(1);
	EXPECT_EQ(1, panel->GetCurrentFrame());
	panel->ResetAnimation(3);  // one past the end
	EXPECT_EQ(0, panel->GetCurrentFrame());
	panel->ResetAnimation(-1);
	EXPECT_EQ(0, panel->GetCurrentFrame());

	// A frame index beyond a shorter list wraps to 0 on the next due tick.
	panel->ResetAnimation(2);
	panel->LoadAnimation("anim/f", 1);
	EXPECT_TRUE(Drawn(panel).empty());  // frame 2 no longer exists
	panel->StartAnimation();
	Step(1000);
	EXPECT_EQ(0, panel->GetCurrentFrame());
	EXPECT_EQ(std::vector<std::string>{ "0,0,100,100 255,255,255,255" }, Drawn(panel));
}

TEST_F(AnimatingImagePanelTest, FramesAddedInCode)
{
	vgui::AnimatingImagePanel *panel = NewPanel(R"("s" { })");
	panel->AddImage(nullptr);  // kept as a frame, draws nothing, leaves the size
	EXPECT_EQ(100, panel->GetWide());
	panel->AddImage(vgui::scheme()->GetImage("anim/f2", false));
	EXPECT_EQ(20, panel->GetWide());
	EXPECT_EQ(10, panel->GetTall());
	EXPECT_EQ(2, panel->GetFrameCount());
	EXPECT_TRUE(Drawn(panel).empty());
	panel->ResetAnimation(1);
	EXPECT_EQ(std::vector<std::string>{ "0,0,20,10 255,255,255,255" }, Drawn(panel));
	panel->LoadAnimation(nullptr, 5);
	EXPECT_EQ(0, panel->GetFrameCount());
}

TEST_F(AnimatingImagePanelTest, MadeByTheBuildFactory)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("AnimatingImagePanel");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("AnimatingImagePanel", made->GetClassName());
	EXPECT_EQ(nullptr, made->GetParent());
	EXPECT_NE(nullptr, dynamic_cast<vgui::AnimatingImagePanel *>(made));
	delete made;
}
