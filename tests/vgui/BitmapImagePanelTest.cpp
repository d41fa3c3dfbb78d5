// vgui::CBitmapImagePanel: the fitted rectangle for each alignment, layout keys read and written
// back, the image colour from the scheme, the border around the image and the build factory.
#include <cstring>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui_controls/BitmapImagePanel.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace
{
class BitmapImagePanelTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		std::vector<unsigned char> px(200 * 100 * 4, 255);
		m_vgui->DefineTexture("img/wide", 200, 100, px.data());
	}

	vgui::CBitmapImagePanel *NewPanel(const char *settings)
	{
		auto *panel = Place(new vgui::CBitmapImagePanel(nullptr, "bitmap"), 10, 10, 100, 100);
		Apply(*panel, settings);
		return panel;
	}

	// The log of one panel with texture ids dropped.
	std::vector<std::string> Log(vgui::Panel *panel)
	{
		std::vector<std::string> log = PanelLog(panel);
		for (std::string &line : log)
			if (line[0] == 'T')
				line = "T" + line.substr(line.find(' '));
		return log;
	}
};
}

TEST_F(BitmapImagePanelTest, FitsTheImageByAlignment)
{
	struct Case
	{
		const char *settings;
		const char *rect;
	} const cases[] = {
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "south" })", "0,50,100,100" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "north-east" })", "0,0,100,50" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "center" })", "0,25,100,75" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" })", "0,25,100,75" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "WEST" })", "0,25,100,75" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "north-west" })", "0,0,100,50" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "south-east" })", "0,50,100,100" },
		{ R"("s" { "image" "img/wide" "preserveAspectRatio" "0" "imageAlignment" "south" })", "0,0,100,100" },
		{ R"("s" { "image" "img/wide" "imageAlignment" "north" })", "0,0,100,100" },
	};
	for (const Case &c : cases)
	{
		vgui::CBitmapImagePanel *panel = NewPanel(c.settings);
		FramePaint();
		EXPECT_EQ(std::vector<std::string>{ std::string("T ") + c.rect + " 255,255,255,255" }, Log(panel))
			<< c.settings;
		delete panel;
	}

	// A tall panel centres a wide image vertically; the column follows the alignment.
	vgui::CBitmapImagePanel *tall = NewPanel(R"("s" { "image" "img/wide" "preserveAspectRatio" "1" })");
	tall->SetSize(300, 50);
	int x, y, w, h;
	struct Align
	{
		vgui::Label::Alignment alignment;
		int x, y;
	} const aligns[] = { { vgui::Label::a_west, 0, 0 }, { vgui::Label::a_center, 100, 0 }, { vgui::Label::a_east, 200, 0 },
		                 { static_cast<vgui::Label::Alignment>(12), 0, 0 } };
	for (const Align &a : aligns)
	{
		tall->SetContentAlignment(a.alignment);
		tall->ComputeImagePosition(x, y, w, h);
		EXPECT_EQ(a.x, x) << a.alignment;
		EXPECT_EQ(a.y, y) << a.alignment;
		EXPECT_EQ(100, w);
		EXPECT_EQ(50, h);
	}
	// No image: nothing at all.
	tall->setTexture(nullptr, false);
	tall->ComputeImagePosition(x, y, w, h);
	EXPECT_EQ(0, x + y + w + h);
	FramePaint();
	EXPECT_TRUE(Log(tall).empty());
}

// The image is the scheme's and may be shared: a paint leaves its size as it was, so a later fit
// (after a resize, or after a stretched paint) keeps the true proportions.
TEST_F(BitmapImagePanelTest, PaintingLeavesTheSharedImageSize)
{
	vgui::CBitmapImagePanel *stretched = NewPanel(R"("s" { "image" "img/wide" })");
	vgui::CBitmapImagePanel *fitted = NewPanel(R"("s" { "image" "img/wide" "preserveAspectRatio" "1" })");
	ASSERT_EQ(stretched->GetImage(), fitted->GetImage());
	FramePaint();
	int w, h;
	fitted->GetImage()->GetSize(w, h);
	EXPECT_EQ(200, w);
	EXPECT_EQ(100, h);
	fitted->SetSize(400, 400);
	FramePaint();
	EXPECT_EQ(std::vector<std::string>{ "T 0,100,400,300 255,255,255,255" }, Log(fitted));
}

TEST_F(BitmapImagePanelTest, SettingsAndSchemeColour)
{
	vgui::CBitmapImagePanel *panel = NewPanel(
		R"("s" { "image" "img/wide" "imagecolor" "Red" "imageAlignment" "WEST" "preserveAspectRatio" "1" "filtered" "1" })");
	EXPECT_EQ("img/wide", Saved(*panel, "image"));
	EXPECT_EQ("Red", Saved(*panel, "imagecolor"));
	EXPECT_EQ("west", Saved(*panel, "imageAlignment"));
	EXPECT_EQ("1", Saved(*panel, "preserveAspectRatio"));
	EXPECT_EQ("1", Saved(*panel, "filtered"));
	EXPECT_NE(nullptr, strstr(panel->GetDescription(),
	                          ", string image, string imagecolor, alignment imageAlignment, int preserveAspectRatio, int filtered"));

	// The colour is looked up with the scheme settings and tints the image.
	FramePaint();
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetImageColor());
	EXPECT_EQ(std::vector<std::string>{ "T 0,25,100,75 255,0,0,255" }, Log(panel));

	// An unknown keyword keeps the alignment; an unknown colour name keeps the colour.
	Apply(*panel, R"("s" { "imageAlignment" "middle" "imagecolor" "NoSuchColour" "filtered" "0" })");
	EXPECT_EQ("west", Saved(*panel, "imageAlignment"));
	EXPECT_EQ("<absent>", Saved(*panel, "image"));  // names not given are forgotten
	EXPECT_EQ("0", Saved(*panel, "filtered"));
	FramePaint();
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetImageColor());

	panel->SetContentAlignment(static_cast<vgui::Label::Alignment>(12));
	EXPECT_EQ("center", Saved(*panel, "imageAlignment"));

	// "filtered" is read after "image", so it only counts for later fetches; "image" asks filtered.
	Apply(*panel, R"("s" { "image" "img/wide" "filtered" "0" })");
	EXPECT_FALSE(panel->IsHardwareFiltered());
	panel->setTexture("img/wide", true);
	EXPECT_TRUE(panel->IsHardwareFiltered());
	panel->setTexture("", false);
	EXPECT_EQ(nullptr, panel->GetImage());
	EXPECT_EQ("<absent>", Saved(*panel, "image"));
}

TEST_F(BitmapImagePanelTest, BorderGoesAroundTheImage)
{
	vgui::CBitmapImagePanel *panel =
		NewPanel(R"("s" { "image" "img/wide" "preserveAspectRatio" "1" "imageAlignment" "south" })");
	panel->SetBorder(g_pVGuiSchemeManager->GetIScheme(m_scheme)->GetBorder("ButtonDepressedBorder"));
	FramePaint();
	std::vector<std::string> log = Log(panel);
	ASSERT_EQ(2u, log.size());
	EXPECT_EQ("T 0,50,100,100 255,255,255,255", log[0]);
	EXPECT_EQ("F 0,50,100,51 0,0,255,255", log[1]);
}

TEST_F(BitmapImagePanelTest, MadeByTheBuildFactoryAndInCode)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("CBitmapImagePanel");
	ASSERT_NE(nullptr, made);
	auto *bitmap = dynamic_cast<vgui::CBitmapImagePanel *>(made);
	ASSERT_NE(nullptr, bitmap);
	EXPECT_EQ(nullptr, made->GetParent());
	EXPECT_EQ(vgui::scheme()->GetImage("BitmapImagePanel", false), bitmap->GetImage());
	EXPECT_EQ("BitmapImagePanel", Saved(*made, "image"));
	int x, y, w, h;
	made->GetBounds(x, y, w, h);
	EXPECT_EQ(0, x + y);
	EXPECT_EQ(100, w);
	EXPECT_EQ(100, h);
	Apply(*made, R"("s" { "image" "img/wide" })");
	EXPECT_EQ(vgui::scheme()->GetImage("img/wide", true), bitmap->GetImage());
	EXPECT_EQ("img/wide", Saved(*made, "image"));
	delete made;

	vgui::CBitmapImagePanel plain(nullptr, "plain");
	EXPECT_EQ(nullptr, plain.GetImage());
	EXPECT_EQ("<absent>", Saved(plain, "image"));
}
