// vgui::ImagePanel: layout keys, the scheme's named image, fill and draw colours, scaling and
// tiling, asserted on the draw log and pixels of the stand-in surface.
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/ImagePanel.h"

namespace
{
class ImagePanelTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		std::vector<unsigned char> px(64 * 32 * 4, 255);
		m_vgui->DefineTexture("img/tile", 64, 32, px.data());
	}

	vgui::ImagePanel *NewImagePanel(const char *settings, int wide = 140, int tall = 70)
	{
		auto *panel = Place(new vgui::ImagePanel(nullptr, "image"), 10, 10, wide, tall);
		Apply(*panel, settings);
		return panel;
	}

	// The textured rectangles drawn for the panel.
	std::vector<std::string> Images(vgui::Panel *panel)
	{
		std::vector<std::string> out;
		for (const std::string &line : PanelLog(panel))
			if (line[0] == 'T')
				out.push_back(line.substr(line.find(' ') + 1, line.rfind(' ') - line.find(' ') - 1));
		return out;
	}
};
}

TEST_F(ImagePanelTest, TilesScalesOrPaintsOnce)
{
	typedef std::vector<std::string> Rects;
	struct Case
	{
		const char *settings;
		Rects rects;
	} const cases[] = {
		{ R"("s" { "image" "img/tile" })", { "0,0,64,32" } },
		{ R"("s" { "image" "img/tile" "tileImage" "1" })",
		  { "0,0,64,32", "64,0,128,32", "128,0,192,32", "0,32,64,64", "64,32,128,64", "128,32,192,64", "0,64,64,96",
		    "64,64,128,96", "128,64,192,96" } },
		{ R"("s" { "image" "img/tile" "tileImage" "1" "tileHorizontally" "0" })",
		  { "0,0,64,32", "0,32,64,64", "0,64,64,96" } },
		{ R"("s" { "image" "img/tile" "tileHorizontally" "1" })", { "0,0,64,32", "64,0,128,32", "128,0,192,32" } },
		{ R"("s" { "image" "img/tile" "tileVertically" "1" })", { "0,0,64,32", "0,32,64,64", "0,64,64,96" } },
		{ R"("s" { "image" "img/tile" "scaleImage" "1" })", { "0,0,140,70" } },
		{ R"("s" { "image" "img/tile" "scaleImage" "1" "scaleAmount" "0.5" })", { "0,0,32,16" } },
		{ R"("s" { "image" "img/tile" "scaleImage" "1" "scaleAmount" "0.5" "tileImage" "1" })", { "0,0,32,16" } },
		{ R"("s" { "image" "img/tile" "scaleImage" "1" "scaleAmount" "1e30" })", { "0,0,2147483637,2147483637" } },  // the screen position saturates
		{ R"("s" { "tileImage" "1" })", {} },
	};
	for (const Case &c : cases)
	{
		vgui::ImagePanel *panel = NewImagePanel(c.settings);
		FramePaint();
		EXPECT_EQ(c.rects, Images(panel)) << c.settings;
		if (vgui::IImage *image = panel->GetImage())
		{
			int w, h;
			image->GetSize(w, h);  // the scaled paint gives the size back
			EXPECT_EQ(64, w) << c.settings;
			EXPECT_EQ(32, h) << c.settings;
		}
		delete panel;
	}
}

TEST_F(ImagePanelTest, FillAndDrawColours)
{
	struct Case
	{
		const char *settings;
		std::vector<std::string> log;
		uint32_t pixel;  // at the panel's (1, 1)
	} const cases[] = {
		{ R"("s" { "fillcolor" "255 0 0" })", { "F 0,0,20,10 255,0,0,255" }, 0xFF0000FF },
		{ R"("s" { "fillcolor" "255 0 0 0" })", {}, 0 },
		{ R"("s" { "fillcolor" "Blue" })", { "F 0,0,20,10 0,0,255,255" }, 0xFFFF0000 },
		{ R"("s" { "fillcolor" "NoSuchColour" })", {}, 0 },
		{ R"("s" { "fillcolor" "1 2" })", {}, 0 },
		{ R"("s" { "fillcolor" "Red" "fillcolor_override" "0 255 0 255" })", { "F 0,0,20,10 0,255,0,255" },
		  0xFF00FF00 },
		{ R"("s" { "image" "img/tile" "drawcolor" "Red" })", { "T 0,0,64,32 255,0,0,255" }, 0xFF0000FF },
		{ R"("s" { "image" "img/tile" "drawcolor" "0 255 0" })", { "T 0,0,64,32 0,255,0,255" }, 0xFF00FF00 },
		{ R"("s" { "image" "img/tile" "drawcolor" "NoSuchColour" })", { "T 0,0,64,32 255,255,255,255" },
		  0xFFFFFFFF },
	};
	for (const Case &c : cases)
	{
		vgui::ImagePanel *panel = NewImagePanel(c.settings, 20, 10);
		FramePaint();
		std::vector<std::string> log = PanelLog(panel);
		for (std::string &line : log)
			if (line[0] == 'T')
				line = "T" + line.substr(line.find(' '));  // any texture id
		EXPECT_EQ(c.log, log) << c.settings;
		EXPECT_EQ(c.pixel, m_vgui->Pixel(11, 11)) << c.settings;
		delete panel;
	}
}

TEST_F(ImagePanelTest, SettingsWriteBackAndNamedImages)
{
	vgui::ImagePanel *panel = NewImagePanel(
		R"("s" { "image" "img/tile" "fillcolor" "Red" "border" "Thin" "scaleImage" "1" "scaleAmount" "2.5" "tileImage" "1" "tileVertically" "0" })");
	EXPECT_EQ("img/tile", Saved(*panel, "image"));
	EXPECT_EQ("Red", Saved(*panel, "fillcolor"));
	EXPECT_EQ("<absent>", Saved(*panel, "drawcolor"));
	EXPECT_EQ("Thin", Saved(*panel, "border"));
	EXPECT_EQ("1", Saved(*panel, "scaleImage"));
	EXPECT_EQ(2.5f, std::stof(Saved(*panel, "scaleAmount")));
	EXPECT_EQ("1", Saved(*panel, "tileImage"));
	EXPECT_EQ("1", Saved(*panel, "tileHorizontally"));
	EXPECT_EQ("0", Saved(*panel, "tileVertically"));
	EXPECT_NE(nullptr, strstr(panel->GetDescription(), ", string image, string border, string fillcolor, bool scaleImage"));

	// The image arrives with the scheme settings; the same name in another case changes nothing.
	Frame();
	vgui::IImage *image = panel->GetImage();
	ASSERT_NE(nullptr, image);
	panel->SetImage("IMG/TILE");
	EXPECT_STREQ("img/tile", panel->GetImageName());
	Frame();
	EXPECT_EQ(image, panel->GetImage());

	// Applying settings again forgets the names not given.
	Apply(*panel, R"("s" { })");
	EXPECT_EQ("<absent>", Saved(*panel, "image"));
	EXPECT_EQ("<absent>", Saved(*panel, "fillcolor"));

	// An image set directly, and none.
	panel->SetImage(static_cast<vgui::IImage *>(nullptr));
	EXPECT_EQ(nullptr, panel->GetImage());
	panel->SetDrawColor(Color(1, 2, 3, 4));
	EXPECT_EQ(Color(1, 2, 3, 4), panel->GetDrawColor());
}

TEST_F(ImagePanelTest, MadeByTheBuildFactory)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("ImagePanel");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("ImagePanel", made->GetClassName());
	EXPECT_EQ(nullptr, made->GetParent());
	EXPECT_NE(nullptr, dynamic_cast<vgui::ImagePanel *>(made));
	delete made;
}
