// vgui::ScalableImagePanel: the nine cells painted on the stand-in surface, the tint, the layout
// keys and their write-back, the image path and the texture's life.
#include <cstdio>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/ScalableImagePanel.h"

namespace
{
class ProbeScalable : public vgui::ScalableImagePanel
{
public:
	using vgui::ScalableImagePanel::ScalableImagePanel;
	bool LayoutPending() { return IsLayoutInvalid(); }
};

class ScalableImagePanelTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		std::vector<unsigned char> px(64 * 32 * 4, 255);
		m_vgui->DefineTexture("vgui/frame", 64, 32, px.data());
	}

	ProbeScalable *NewPanel(const char *settings, int wide, int tall)
	{
		auto *panel = Place(new ProbeScalable(nullptr, "scalable"), 10, 20, wide, tall);
		Apply(*panel, settings);
		panel->MakeReadyForUse();  // scheme, then the layout that loads the texture
		return panel;
	}

	// Each polygon of the panel as "x,y,u,v x,y,u,v ..." with positions relative to the panel.
	std::vector<std::string> Cells(vgui::Panel *panel, Color *colour = nullptr)
	{
		int px = 0, py = 0;
		panel->LocalToScreen(px, py);
		std::vector<std::string> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		{
			if (r.panel != panel->GetVPanel() || r.kind != VGuiDrawRecord::TexturedPolygon)
				continue;
			std::string line;
			for (int i = 0; i < r.vertexCount && i < 8; ++i)
			{
				char vertex[64];
				snprintf(vertex, sizeof(vertex), "%s%g,%g,%g,%g", i ? " " : "", r.vertices[i][0] - px,
				         r.vertices[i][1] - py, r.vertices[i][2], r.vertices[i][3]);
				line += vertex;
			}
			out.push_back(line);
			if (colour)
				*colour = Color(r.r, r.g, r.b, r.a);
		}
		return out;
	}
};
}

TEST_F(ScalableImagePanelTest, NineCellsKeepTheCornersAndStretchTheRest)
{
	// Source corners 16 x 8 of a 64 x 32 texture: a quarter of each side.
	ProbeScalable *panel = NewPanel(
		R"("s" { "image" "frame" "src_corner_width" "16" "src_corner_height" "8" "draw_corner_width" "10" "draw_corner_height" "6" })",
		100, 50);
	FramePaint();
	const std::vector<std::string> expected = {
		"0,0,0,0 10,0,0.25,0 10,6,0.25,0.25 0,6,0,0.25",
		"10,0,0.25,0 90,0,0.75,0 90,6,0.75,0.25 10,6,0.25,0.25",
		"90,0,0.75,0 100,0,1,0 100,6,1,0.25 90,6,0.75,0.25",
		"0,6,0,0.25 10,6,0.25,0.25 10,44,0.25,0.75 0,44,0,0.75",
		"10,6,0.25,0.25 90,6,0.75,0.25 90,44,0.75,0.75 10,44,0.25,0.75",
		"90,6,0.75,0.25 100,6,1,0.25 100,44,1,0.75 90,44,0.75,0.75",
		"0,44,0,0.75 10,44,0.25,0.75 10,50,0.25,1 0,50,0,1",
		"10,44,0.25,0.75 90,44,0.75,0.75 90,50,0.75,1 10,50,0.25,1",
		"90,44,0.75,0.75 100,44,1,0.75 100,50,1,1 90,50,0.75,1",
	};
	EXPECT_EQ(expected, Cells(panel));
	EXPECT_STREQ("vgui/frame", panel->GetImagePath());
	// The image's pixels reach the screen over the whole panel.
	EXPECT_EQ(0xFFFFFFFFu, m_vgui->Pixel(10 + 50, 20 + 25));
	EXPECT_EQ(0xFFFFFFFFu, m_vgui->Pixel(10 + 99, 20 + 49));
}

TEST_F(ScalableImagePanelTest, APanelSmallerThanTwoCornersGetsAnEmptyMiddle)
{
	ProbeScalable *panel = NewPanel(
		R"("s" { "image" "frame" "src_corner_width" "40" "src_corner_height" "20" "draw_corner_width" "10" "draw_corner_height" "10" })",
		15, 12);
	FramePaint();
	std::vector<std::string> cells = Cells(panel);
	ASSERT_EQ(9u, cells.size());
	// Source corners over half the texture leave the middle span at zero.
	EXPECT_EQ("0,0,0,0 10,0,0.625,0 10,10,0.625,0.625 0,10,0,0.625", cells[0]);
	EXPECT_EQ("10,0,0.625,0 10,0,0.625,0 10,10,0.625,0.625 10,10,0.625,0.625", cells[1]);
	EXPECT_EQ("10,0,0.625,0 20,0,1.25,0 20,10,1.25,0.625 10,10,0.625,0.625", cells[2]);
	EXPECT_EQ("10,10,0.625,0.625 10,10,0.625,0.625 10,10,0.625,0.625 10,10,0.625,0.625", cells[4]);
	EXPECT_EQ("10,10,0.625,0.625 20,10,1.25,0.625 20,20,1.25,1.25 10,20,0.625,1.25", cells[8]);
}

TEST_F(ScalableImagePanelTest, AnUnknownTextureSamplesOnlyTheCentre)
{
	ProbeScalable *panel = NewPanel(
		R"("s" { "image" "missing" "src_corner_width" "4" "src_corner_height" "4" "draw_corner_width" "5" "draw_corner_height" "5" })",
		20, 20);
	FramePaint();
	std::vector<std::string> cells = Cells(panel);
	ASSERT_EQ(9u, cells.size());
	EXPECT_EQ("0,0,0,0 5,0,0,0 5,5,0,0 0,5,0,0", cells[0]);
	EXPECT_EQ("5,5,0,0 15,5,1,0 15,15,1,1 5,15,0,1", cells[4]);
}

TEST_F(ScalableImagePanelTest, DrawColourTintsWithThePanelAlpha)
{
	struct Case
	{
		const char *drawcolor;
		Color expected;
	} const cases[] = {
		{ "255 0 0", Color(255, 0, 0, 64) },
		{ "0 255 0 10", Color(0, 255, 0, 64) },  // the colour's own alpha is not used
		{ "Blue", Color(0, 0, 255, 64) },
		{ "1 2", Color(0, 0, 0, 64) },  // too few numbers: a scheme name, unknown here
		{ "", Color(255, 255, 255, 64) },
	};
	// The panel's alpha 128 is the drawing colour's; the surface fades the panel by it once more.
	for (const Case &c : cases)
	{
		std::string settings = std::string(R"("s" { "image" "frame" "drawcolor" ")") + c.drawcolor + "\" }";
		ProbeScalable *panel = NewPanel(settings.c_str(), 20, 20);
		panel->SetAlpha(128);
		FramePaint();
		Color drawn;
		ASSERT_EQ(9u, Cells(panel, &drawn).size()) << c.drawcolor;
		EXPECT_EQ(c.expected, drawn) << c.drawcolor;
		EXPECT_EQ(*c.drawcolor ? std::string(c.drawcolor) : "<absent>", Saved(*panel, "drawcolor"));
		delete panel;
	}
	// An empty value keeps the earlier tint.
	ProbeScalable *panel = NewPanel(R"("s" { "drawcolor" "255 0 0" })", 20, 20);
	Apply(*panel, R"("s" { "drawcolor" "" })");
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetDrawColor());
}

TEST_F(ScalableImagePanelTest, ImageNamesAndRelayout)
{
	ProbeScalable *panel = NewPanel(R"("s" { "image" "frame" })", 20, 20);
	FramePaint();
	ASSERT_FALSE(panel->LayoutPending());
	const int texture = panel->GetTextureID();

	panel->SetImage("FRAME");  // the same path in another letter case
	EXPECT_FALSE(panel->LayoutPending());
	EXPECT_STREQ("vgui/frame", panel->GetImagePath());

	panel->SetImage("other");
	EXPECT_TRUE(panel->LayoutPending());
	EXPECT_STREQ("vgui/other", panel->GetImagePath());
	FramePaint();

	panel->SetImage("");
	EXPECT_TRUE(panel->LayoutPending());
	EXPECT_EQ(nullptr, panel->GetImagePath());
	EXPECT_EQ(texture, panel->GetTextureID());
	EXPECT_EQ("<absent>", Saved(*panel, "image"));
}

TEST_F(ScalableImagePanelTest, SettingsReadBackToTheSameImage)
{
	ProbeScalable *panel = NewPanel(
		R"("s" { "image" "frame" "src_corner_width" "3" "src_corner_height" "4" "draw_corner_width" "5" "draw_corner_height" "6" })",
		20, 20);
	KeyValues *out = new KeyValues("out");
	panel->GetSettings(out);
	EXPECT_STREQ("frame", out->GetString("image"));
	EXPECT_EQ(3, out->GetInt("src_corner_width"));
	EXPECT_EQ(4, out->GetInt("src_corner_height"));
	EXPECT_EQ(5, out->GetInt("draw_corner_width"));
	EXPECT_EQ(6, out->GetInt("draw_corner_height"));

	ProbeScalable *copy = Place(new ProbeScalable(nullptr, "copy"), 0, 0, 20, 20);
	copy->ApplySettings(out);
	out->deleteThis();
	EXPECT_STREQ("vgui/frame", copy->GetImagePath());

	std::string description = panel->GetDescription();
	EXPECT_NE(std::string::npos,
	          description.find(" string image, int src_corner_height, int src_corner_width, int draw_corner_height, "
	                           "int draw_corner_width"));
}

TEST_F(ScalableImagePanelTest, TheFactoryMakesOneAndDeletionFreesItsTexture)
{
	vgui::Panel *panel = vgui::CBuildFactoryHelper::InstancePanel("ScalableImagePanel");
	ASSERT_NE(nullptr, panel);
	auto *scalable = dynamic_cast<vgui::ScalableImagePanel *>(panel);
	ASSERT_NE(nullptr, scalable);
	EXPECT_STREQ("ScalableImagePanel", panel->GetClassName());
	const int texture = scalable->GetTextureID();
	EXPECT_TRUE(g_pVGuiSurface->IsTextureIDValid(texture));
	delete panel;
	EXPECT_FALSE(g_pVGuiSurface->IsTextureIDValid(texture));
}
