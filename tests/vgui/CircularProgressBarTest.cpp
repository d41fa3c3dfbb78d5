// vgui::CircularProgressBar: image paths and their textures, the background, and the pie sweep
// of the foreground drawn as textured triangles, on the draw log and in pixels.
#include <cmath>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/CircularProgressBar.h"

namespace
{
class CircularProgressBarTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		m_vgui->DefineTexture("vgui/dial_fg", 4, 4, nullptr);
		m_vgui->DefineTexture("vgui/dial_bg", 4, 4, nullptr);
		m_vgui->DefineTexture("vgui/other_fg", 4, 4, nullptr);
	}

	vgui::CircularProgressBar *NewDial(const char *settings)
	{
		auto *dial = Place(new vgui::CircularProgressBar(nullptr, nullptr), 0, 0, 100, 100);
		Apply(*dial, settings);
		return dial;
	}

	std::vector<VGuiDrawRecord> Triangles()
	{
		std::vector<VGuiDrawRecord> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.kind == VGuiDrawRecord::TexturedPolygon)
				out.push_back(r);
		return out;
	}
};
}

TEST_F(CircularProgressBarTest, SweepCoversWhatIsStillToGo)
{
	struct Case
	{
		float fraction;
		size_t triangles;
	} const cases[] = {
		{ 0.0f, 8 }, { 1.0f, 0 }, { 0.5f, 4 }, { 0.75f, 2 }, { 0.9f, 1 }, { -3.0f, 8 }, { 7.0f, 0 },
	};
	for (const Case &c : cases)
	{
		vgui::CircularProgressBar *dial = NewDial(R"("s" { "fg_image" "dial_fg" "bg_image" "dial_bg" })");
		dial->SetProgress(c.fraction);
		if (c.fraction < 0 || c.fraction > 1)
			Apply(*dial, (std::string(R"("s" { "fg_image" "dial_fg" "bg_image" "dial_bg" "progress" ")") +
			              std::to_string(c.fraction) + "\" }")
			                 .c_str());
		FramePaint();
		std::vector<VGuiDrawRecord> tris = Triangles();
		ASSERT_EQ(c.triangles, tris.size()) << c.fraction;
		for (const VGuiDrawRecord &r : tris)
		{
			EXPECT_EQ(dial->GetTextureId(vgui::PROGRESS_TEXTURE_FG), r.texture);
			EXPECT_EQ(3, r.vertexCount);
			EXPECT_EQ(200, r.r);  // the foreground colour
			EXPECT_FLOAT_EQ(50.0f, r.vertices[0][0]);
			EXPECT_FLOAT_EQ(0.5f, r.vertices[0][2]);
		}
		delete dial;
	}
}

TEST_F(CircularProgressBarTest, PartialOctantsEndOnTheEdge)
{
	vgui::CircularProgressBar *dial = NewDial(R"("s" { "fg_image" "dial_fg" })");
	// 1/16 of the circle to go: half of octant 0, ending tan(pi/8) x 50 right of the top centre.
	dial->SetProgress(1.0f - 1.0f / 16);
	FramePaint();
	std::vector<VGuiDrawRecord> tris = Triangles();
	ASSERT_EQ(1u, tris.size());
	const float edge = 50.0f + std::tan(3.14159265f / 8) * 50.0f;
	EXPECT_FLOAT_EQ(50.0f, tris[0].vertices[1][0]);
	EXPECT_FLOAT_EQ(0.0f, tris[0].vertices[1][1]);
	EXPECT_NEAR(edge, tris[0].vertices[2][0], 1e-3);
	EXPECT_NEAR(0.0f, tris[0].vertices[2][1], 1e-3);
	EXPECT_NEAR(edge / 100.0f, tris[0].vertices[2][2], 1e-4);

	// 3/16 to go: octant 0 whole, octant 1 half way down its edge from the corner.
	dial->SetProgress(1.0f - 3.0f / 16);
	FramePaint();
	tris = Triangles();
	ASSERT_EQ(2u, tris.size());
	EXPECT_FLOAT_EQ(100.0f, tris[0].vertices[2][0]);
	EXPECT_FLOAT_EQ(0.0f, tris[0].vertices[2][1]);
	EXPECT_FLOAT_EQ(100.0f, tris[1].vertices[2][0]);
	EXPECT_NEAR(50.0f - std::tan(3.14159265f / 8) * 50.0f, tris[1].vertices[2][1], 1e-3);
	EXPECT_NEAR(tris[1].vertices[2][1] / 100.0f, tris[1].vertices[2][3], 1e-4);
}

TEST_F(CircularProgressBarTest, PixelsShowTheForegroundOverTheRightHalf)
{
	vgui::CircularProgressBar *dial = NewDial(R"("s" { "fg_image" "dial_fg" "bg_image" "dial_bg" })");
	dial->SetProgress(0.5f);
	FramePaint();
	EXPECT_EQ(0xFF3264C8u, m_vgui->Pixel(75, 50));  // foreground colour 200, 100, 50
	EXPECT_EQ(0xFF3264C8u, m_vgui->Pixel(98, 2));
	EXPECT_EQ(0xFF1E140Au, m_vgui->Pixel(25, 50));  // background colour 10, 20, 30
	EXPECT_EQ(0xFF1E140Au, m_vgui->Pixel(2, 98));
}

TEST_F(CircularProgressBarTest, BackgroundFallsBackToTheForegroundImage)
{
	struct Case
	{
		const char *settings;
		const char *boundFile;  // of the background's textured rectangle; null: none drawn
		size_t triangles;
	} const cases[] = {
		{ R"("s" { "fg_image" "dial_fg" "bg_image" "dial_bg" })", "vgui/dial_bg", 8 },
		{ R"("s" { "fg_image" "dial_fg" })", "vgui/dial_fg", 8 },
		{ R"("s" { "bg_image" "dial_bg" })", "vgui/dial_bg", 0 },
		{ R"("s" { })", nullptr, 0 },
	};
	for (const Case &c : cases)
	{
		vgui::CircularProgressBar *dial = NewDial(c.settings);
		FramePaint();
		std::vector<std::string> log = PanelLog(dial);
		std::vector<std::string> rects;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.kind == VGuiDrawRecord::TexturedRect && r.panel == dial->GetVPanel())
			{
				char file[64] = "";
				g_pVGuiSurface->DrawGetTextureFile(r.texture, file, sizeof(file));
				rects.push_back(file);
				EXPECT_EQ(10, r.r);
				EXPECT_EQ(100, r.x1);
			}
		EXPECT_EQ(c.boundFile ? std::vector<std::string>{ c.boundFile } : std::vector<std::string>{}, rects)
			<< c.settings;
		EXPECT_EQ(c.triangles, Triangles().size()) << c.settings;
		// No border, and no filled background.
		for (const std::string &line : log)
			EXPECT_NE('F', line[0]) << c.settings << " " << line;
		delete dial;
	}
}

TEST_F(CircularProgressBarTest, ImagesKeepTheirTexturesAcrossSettings)
{
	vgui::CircularProgressBar *dial = NewDial(R"("s" { "fg_image" "dial_fg" "progress" "0.25" "variable" "pct" })");
	Frame();
	EXPECT_STREQ("vgui/dial_fg", dial->GetImagePath(vgui::PROGRESS_TEXTURE_FG));
	EXPECT_EQ(nullptr, dial->GetImagePath(vgui::PROGRESS_TEXTURE_BG));
	EXPECT_FLOAT_EQ(0.25f, dial->GetProgress());
	const int texture = dial->GetTextureId(vgui::PROGRESS_TEXTURE_FG);
	ASSERT_NE(-1, texture);
	EXPECT_EQ(-1, dial->GetTextureId(vgui::PROGRESS_TEXTURE_BG));

	Apply(*dial, R"("s" { "fg_image" "other_fg" })");
	Frame();
	EXPECT_EQ(texture, dial->GetTextureId(vgui::PROGRESS_TEXTURE_FG));
	char file[64] = "";
	ASSERT_TRUE(g_pVGuiSurface->DrawGetTextureFile(texture, file, sizeof(file)));
	EXPECT_STREQ("vgui/other_fg", file);

	// A longer name replaces the path's buffer; the image keys are not written back.
	dial->SetImage("a_much_longer_image_name_than_before", vgui::PROGRESS_TEXTURE_FG);
	EXPECT_STREQ("vgui/a_much_longer_image_name_than_before", dial->GetImagePath(vgui::PROGRESS_TEXTURE_FG));
	dial->SetImage("x", vgui::PROGRESS_TEXTURE_FG);
	EXPECT_STREQ("vgui/x", dial->GetImagePath(vgui::PROGRESS_TEXTURE_FG));
	EXPECT_EQ("<absent>", Saved(*dial, "fg_image"));
	EXPECT_EQ("pct", Saved(*dial, "variable"));
	EXPECT_STREQ("CircularProgressBar", dial->GetClassName());

	// The textures go with the dial.
	delete dial;
	EXPECT_FALSE(g_pVGuiSurface->IsTextureIDValid(texture));
}

TEST_F(CircularProgressBarTest, MadeByTheBuildFactory)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("CircularProgressBar");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("CircularProgressBar", made->GetClassName());
	EXPECT_NE(nullptr, dynamic_cast<vgui::ProgressBar *>(made));
	delete made;
}
