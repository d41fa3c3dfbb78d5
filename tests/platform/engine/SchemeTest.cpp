// The stand-in scheme manager: scheme files read through the engine file system, colours,
// settings, borders and their painting, proportional scaling.
#include <fstream>

#include "VGuiServices.h"
#include "filesystem/IFileSystem.h"
#include "fixtures/ScratchFolder.h"

namespace
{
const char *kScheme = R"(Scheme
{
	Colors
	{
		"White"   "255 255 255 255"
		"Red"     "255 0 0 255"
	}
	BaseSettings
	{
		"Panel.FgColor"   "White"
		"Panel.BgColor"   "10 20 30 40"
		"Broken"          "NoSuchColor"
		"Title"           "Zorvan"
	}
	Borders
	{
		ButtonBorder
		{
			"inset"  "1 2 3 4"
			"backgroundtype" "2"
			"PaintFirst" "1"
			Left   { "1" { "color" "Red" "offset" "0 1" } }
			Top    { "1" { "color" "White" "offset" "0 0" } "2" { "color" "Red" "offset" "1 1" } }
		}
		AliasBorder  "ButtonBorder"
		LoopBorder   "LoopBorder"
	}
	Fonts
	{
		Default
		{
			"1" { "name" "ZvFixed" "tall" "12" "yres" "480 599" }
			"2" { "name" "ZvFixed" "tall" "20" }
		}
		Missing
		{
			"1" { "name" "ZvFixed" "tall" "12" "yres" "1 2" }
		}
	}
}
)";

class SchemeTest : public VGuiServicesTest
{
protected:
	void SetUp() override
	{
		VGuiServicesTest::SetUp();
		fs = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
		ASSERT_NE(nullptr, fs);
		ASSERT_TRUE(folder.Ok());
		std::ofstream(folder / "test.res") << kScheme;
		std::ofstream(folder / "empty.res") << "";
		fs->AddSearchPath(folder.Path().c_str(), "GAME");
	}
	void TearDown() override
	{
		fs->RemoveAllSearchPaths();
		VGuiServicesTest::TearDown();
	}

	IFileSystem *fs = nullptr;
	ScratchFolder folder;
};

TEST_F(SchemeTest, TheFirstSchemeIsTheDefaultAndTagsFindSchemes)
{
	EXPECT_EQ(0u, schemes->GetDefaultScheme());
	EXPECT_NE(nullptr, schemes->GetIScheme(0));
	vgui::HScheme h = schemes->LoadSchemeFromFile("test.res", "TestScheme");
	ASSERT_NE(0u, h);
	EXPECT_EQ(h, schemes->GetDefaultScheme());
	EXPECT_EQ(h, schemes->GetScheme("testscheme"));
	EXPECT_EQ(h, schemes->LoadSchemeFromFile("test.res", "TestScheme"));
	EXPECT_EQ(0u, schemes->GetScheme("Other"));
	EXPECT_EQ(0u, schemes->LoadSchemeFromFile("missing.res", "Missing"));
	EXPECT_EQ(0u, schemes->LoadSchemeFromFile("../escape.res", "Escape"));
	EXPECT_EQ(0u, schemes->LoadSchemeFromFile(nullptr, "Null"));
}

TEST_F(SchemeTest, ColoursAndSettings)
{
	vgui::IScheme *s = schemes->GetIScheme(schemes->LoadSchemeFromFile("test.res", "TestScheme"));
	Color fallback(1, 2, 3, 4);
	EXPECT_EQ(Color(255, 0, 0, 255), s->GetColor("Red", fallback));
	EXPECT_EQ(Color(255, 255, 255, 255), s->GetColor("Panel.FgColor", fallback));
	EXPECT_EQ(Color(10, 20, 30, 40), s->GetColor("Panel.BgColor", fallback));
	EXPECT_EQ(fallback, s->GetColor("Broken", fallback));
	EXPECT_EQ(fallback, s->GetColor("Unknown", fallback));
	EXPECT_EQ(fallback, s->GetColor(nullptr, fallback));
	EXPECT_STREQ("Zorvan", s->GetResourceString("Title"));
	EXPECT_STREQ("", s->GetResourceString("Nothing"));
}

TEST_F(SchemeTest, BordersKeepTheirSettingsAndPaintTheirLines)
{
	vgui::IScheme *s = schemes->GetIScheme(schemes->LoadSchemeFromFile("test.res", "TestScheme"));
	vgui::IBorder *border = s->GetBorder("buttonborder");
	ASSERT_NE(nullptr, border);
	EXPECT_EQ(border, s->GetBorder("AliasBorder"));
	EXPECT_EQ(nullptr, s->GetBorder("LoopBorder"));
	EXPECT_EQ(nullptr, s->GetBorder("None"));
	int l, t, r, b;
	border->GetInset(l, t, r, b);
	EXPECT_EQ(1, l);
	EXPECT_EQ(4, b);
	EXPECT_EQ(vgui::IBorder::BACKGROUND_ROUNDEDCORNERS, border->GetBackgroundType());
	EXPECT_TRUE(border->PaintFirst());

	vgui::VPANEL p = Make(nullptr, root);
	panels->SetPos(p, 10, 10);
	panels->SetSize(p, 20, 10);
	surface->PushMakeCurrent(p, false);
	border->Paint(p);
	surface->PopMakeCurrent(p);
	const std::vector<VGuiDrawRecord> &log = control->DrawLog();
	ASSERT_EQ(3u, log.size());
	// Left line: x 10, from y 10 to y 19 (end offset 1); top lines at y 10 and y 11.
	EXPECT_EQ(10, log[0].x0);
	EXPECT_EQ(11, log[0].x1);
	EXPECT_EQ(19, log[0].y1);
	EXPECT_EQ(255, log[0].r);
	EXPECT_EQ(0, log[0].g);
	EXPECT_EQ(11, log[2].y0);
	EXPECT_EQ(11, log[2].x0);
	EXPECT_EQ(29, log[2].x1);
}

TEST_F(SchemeTest, ProportionalValuesScaleWithTheScreenHeight)
{
	control->SetScreenSize(1280, 960);
	EXPECT_EQ(20, schemes->GetProportionalScaledValue(10));
	EXPECT_EQ(10, schemes->GetProportionalNormalizedValue(20));
}

TEST_F(SchemeTest, FontsFollowTheScreenHeightAndProportionalScaling)
{
	vgui::IScheme *scheme = schemes->GetIScheme(schemes->LoadSchemeFromFile("test.res", "Test"));
	vgui::HFont font = scheme->GetFont("default");
	ASSERT_NE(0u, font);
	EXPECT_EQ(12, surface->GetFontTall(font));  // 480 lies in the first block's range
	EXPECT_EQ(font, scheme->GetFont("Default"));  // made once

	control->SetScreenSize(1280, 960);
	vgui::HFont proportional = scheme->GetFont("Default", true);
	EXPECT_NE(font, proportional);
	EXPECT_EQ(40, surface->GetFontTall(proportional));  // the second block, scaled 960 / 480

	EXPECT_EQ(0u, scheme->GetFont("Missing"));  // no block for this screen
	EXPECT_EQ(0u, scheme->GetFont("NoSuchFont"));
	EXPECT_EQ(0u, scheme->GetFont(nullptr));
}
}
