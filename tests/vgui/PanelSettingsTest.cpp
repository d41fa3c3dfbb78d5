// Panel settings: positions and sizes from layout keys (aligned, centred, full, relative to
// the parent, proportional, title-safe), flags and colours from settings and the scheme,
// written back through GetSettings, and the animation-variable converters.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "VGuiFixture.h"
#include "tier0/standin.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "vgui/IScheme.h"
#include "vgui_controls/PanelAnimationVar.h"
#include "vgui_controls/Tooltip.h"

namespace
{
const char kSchemeText[] = R"("Scheme"
{
	"Colors"
	{
		"Red"	"255 0 0 255"
		"Blue"	"0 0 255 255"
	}
	"BaseSettings"
	{
		"Panel.FgColor"	"Blue"
		"Panel.BgColor"	"10 20 30 255"
		"DragDrop.DragFrame"	"1 2 3 4"
	}
	"Fonts"
	{
		"DefaultVerySmall"	{ "1" { "name" "Test" } }
		"Big"	{ "1" { "name" "Test" } }
	}
	"Borders"
	{
		"Thin"	{ "inset" "1 1 1 1" }
	}
}
)";

// A panel with one animation variable of every converter type.
class VarsPanel : public vgui::Panel
{
	DECLARE_CLASS_SIMPLE(VarsPanel, vgui::Panel);

public:
	VarsPanel(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}

	CPanelAnimationVar(float, m_flAlpha, "alpha", "0.5");
	CPanelAnimationVar(int, m_nCount, "count", "7");
	CPanelAnimationVar(bool, m_bOn, "on", "TRUE");
	CPanelAnimationVar(Color, m_Tint, "tint", "Red");
	CPanelAnimationVarAliasType(vgui::PanelAnimationString, m_szLabel, "label", "hello", "string");
	CPanelAnimationVarAliasType(vgui::HFont, m_hFont, "font", "Big", "HFont");
	CPanelAnimationVarAliasType(int, m_nGap, "gap", "5", "proportional_int");
	CPanelAnimationVarAliasType(float, m_flGapF, "gapf", "5.9", "proportional_float");
	CPanelAnimationVarAliasType(int, m_nX, "xvar", "r20", "proportional_xpos");
	CPanelAnimationVarAliasType(int, m_nY, "yvar", "c-10", "proportional_ypos");
	CPanelAnimationVarAliasType(int, m_nTex, "tex", "vgui/hello", "textureid");
	CPanelAnimationVarAliasType(int, m_nNoType, "untyped", "1", "no_such_type");

	bool Overridden(Color *target, Color value)
	{
		SetOverridableColor(target, value);
		return !(*target == value);
	}
};

class PanelSettingsTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		std::string folder = m_harness->gameFolder + "/resource";
		mkdir(folder.c_str(), 0755);
		FILE *f = fopen((folder + "/test_scheme.res").c_str(), "wb");
		ASSERT_NE(nullptr, f);
		fputs(kSchemeText, f);
		fclose(f);
		m_scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("resource/test_scheme.res", "TestScheme");
		ASSERT_NE(0u, m_scheme);
	}

	// Layout text applied to a panel.
	static void Apply(vgui::Panel &panel, const char *text)
	{
		KeyValues *kv = new KeyValues("settings");
		ASSERT_TRUE(kv->LoadFromBuffer("settings", text));
		panel.ApplySettings(kv);
		kv->deleteThis();
	}
	static std::string Saved(vgui::Panel &panel, const char *key)
	{
		KeyValues *kv = new KeyValues("out");
		panel.GetSettings(kv);
		std::string value = kv->GetString(key, "<absent>");
		kv->deleteThis();
		return value;
	}

	vgui::HScheme m_scheme = 0;
};
}

TEST_F(PanelSettingsTest, PositionsAndSizesFollowTheirAlignmentAndWriteBackTheSame)
{
	struct Case
	{
		const char *settings;
		int x, y, wide, tall;
		const char *savedX, *savedY, *savedWide;
	} cases[] = {
		{ R"("s" { "xpos" "r10" "ypos" "20" "wide" "5" "tall" "6" })", 630, 20, 5, 6, "r10", "20", "5" },
		{ R"("s" { "xpos" "c-20" "ypos" "C15" })", 300, 255, 64, 24, "c-20", "c15", "64" },
		{ R"("s" { "xpos" "4" "ypos" "R30" "wide" "f0" "tall" "F100" })", 4, 450, 640, 380, "4", "r30", "f0" },
		{ R"("s" { "wide" "F40" })", 0, 0, 600, 24, "0", "0", "f40" },
	};
	for (const Case &c : cases)
	{
		vgui::Panel *panel = NewRootChild("p");
		Apply(*panel, c.settings);
		int x, y, w, t;
		panel->GetBounds(x, y, w, t);
		EXPECT_EQ(c.x, x) << c.settings;
		EXPECT_EQ(c.y, y) << c.settings;
		EXPECT_EQ(c.wide, w) << c.settings;
		EXPECT_EQ(c.tall, t) << c.settings;
		EXPECT_EQ(c.savedX, Saved(*panel, "xpos")) << c.settings;
		EXPECT_EQ(c.savedY, Saved(*panel, "ypos")) << c.settings;
		EXPECT_EQ(c.savedWide, Saved(*panel, "wide")) << c.settings;
		panel->DeletePanel();
	}
}

TEST_F(PanelSettingsTest, ProportionalToParentAlignsWithTheParentAndProportionalPanelsScale)
{
	vgui::Panel *parent = NewRootChild("parent");
	parent->SetBounds(50, 60, 200, 100);
	vgui::Panel *child = new vgui::Panel(parent, "child");  // deleted with its parent
	Apply(*child, R"("s" { "proportionalToParent" "1" "xpos" "r30" "wide" "f0" "tall" "f10" })");
	int x, y, w, t;
	child->GetBounds(x, y, w, t);
	EXPECT_EQ(170, x);
	EXPECT_EQ(200, w);
	EXPECT_EQ(90, t);
	EXPECT_NE(0, child->GetBuildModeFlags() & vgui::Panel::BUILDMODE_SAVE_PROPORTIONAL_TO_PARENT);

	m_vgui->SetScreenSize(1280, 960);  // proportional values double
	vgui::Panel *scaled = NewRootChild("scaled");
	scaled->SetProportional(true);
	Apply(*scaled, R"("s" { "xpos" "10" "ypos" "r5" "wide" "30" "tall" "40" })");
	scaled->GetBounds(x, y, w, t);
	EXPECT_EQ(20, x);
	EXPECT_EQ(950, y);
	EXPECT_EQ(60, w);
	EXPECT_EQ(80, t);
	EXPECT_EQ("10", Saved(*scaled, "xpos"));
	EXPECT_EQ("30", Saved(*scaled, "wide"));
	parent->DeletePanel();
	scaled->DeletePanel();
}

TEST_F(PanelSettingsTest, TitleSafeInsetMovesAndShrinksPanels)
{
	ConVarRef titleSafe("panel_test_title_safe", true);
	if (!titleSafe.IsValid())
		GTEST_SKIP() << "panel_test_title_safe was registered by an earlier harness of this process";
	m_vgui->SetScreenSize(1000, 800);
	struct Case
	{
		int testSafe;
		const char *settings;
		int x, y, wide;
	} cases[] = {
		{ 1, R"("s" { "usetitlesafe" "2" "xpos" "0" "ypos" "0" })", 75, 60, 64 },
		{ 1, R"("s" { "usetitlesafe" "1" "xpos" "0" "ypos" "0" })", 50, 40, 64 },
		{ 1, R"("s" { "usetitlesafe" "1" "xpos" "r100" "ypos" "c0" "wide" "f0" })", 850, 400, 900 },
		{ 1, R"("s" { "usetitlesafe" "0" "xpos" "0" "ypos" "0" })", 0, 0, 64 },
		{ 0, R"("s" { "usetitlesafe" "2" "xpos" "0" "ypos" "0" })", 0, 0, 64 },
	};
	for (const Case &c : cases)
	{
		titleSafe.SetValue(c.testSafe);
		vgui::Panel *panel = NewRootChild("p");
		Apply(*panel, c.settings);
		int x, y, w, t;
		panel->GetBounds(x, y, w, t);
		EXPECT_EQ(c.x, x) << c.settings;
		EXPECT_EQ(c.y, y) << c.settings;
		EXPECT_EQ(c.wide, w) << c.settings;
		panel->DeletePanel();
	}

	// With a screen-size override the split rules compare the viewport with the parent offset.
	titleSafe.SetValue(1);
	g_pVGuiSurface->ForceScreenSizeOverride(true, 800, 800);
	struct SplitCase
	{
		int viewportX;
		const char *settings;
		int x, y, wide;
	} splitCases[] = {
		{ 0, R"("s" { "usetitlesafe" "1" "xpos" "0" "ypos" "0" "wide" "f0" })", 50, 40, 750 },
		{ 100, R"("s" { "usetitlesafe" "1" "xpos" "0" "ypos" "0" "wide" "f0" })", 0, 40, 750 },
		{ 0, R"("s" { "usetitlesafe" "1" "xpos" "r100" "ypos" "r100" })", 700, 660, 64 },
		{ 100, R"("s" { "usetitlesafe" "1" "xpos" "r100" "ypos" "r100" })", 650, 660, 64 },
	};
	vgui::Panel *panel = nullptr;
	for (const SplitCase &c : splitCases)
	{
		m_vgui->SetViewportOffset(c.viewportX, 0);
		panel = NewRootChild("p");
		Apply(*panel, c.settings);
		int x, y, w, t;
		panel->GetBounds(x, y, w, t);
		EXPECT_EQ(c.x, x) << c.viewportX << c.settings;
		EXPECT_EQ(c.y, y) << c.viewportX << c.settings;
		EXPECT_EQ(c.wide, w) << c.viewportX << c.settings;
		panel->DeletePanel();
	}
	panel = NewRootChild("p");
	g_pVGuiSurface->ForceScreenSizeOverride(false, 0, 0);
	titleSafe.SetValue(0);
	panel->DeletePanel();
}

TEST_F(PanelSettingsTest, FlagsNamesAndPinsComeFromTheirKeys)
{
	vgui::Panel *sibling = NewRootChild("anchor");
	vgui::Panel *panel = NewRootChild("p");
	EXPECT_TRUE(panel->IsVisible());
	Apply(*panel, R"("s" { "visible" "2" "enabled" "0" "tabPosition" "3" "fieldName" "renamed" "zpos" "4"
	                       "RoundedCorners" "5" "ForceStereoRenderToFrameBuffer" "1" "border" "Thin"
	                       "pin_to_sibling" "anchor" "pin_corner_to_sibling" "1" "pin_to_sibling_corner" "2"
	                       "navUp" "north" "navBack" "home" "mouseinputenabled" "0" "keyboardinputenabled" "0" })");
	EXPECT_TRUE(panel->IsVisible());  // 2 leaves visibility alone
	EXPECT_FALSE(panel->IsEnabled());
	EXPECT_EQ(3, panel->GetTabPosition());
	EXPECT_STREQ("renamed", panel->GetName());
	EXPECT_EQ(4, panel->GetZPos());
	EXPECT_EQ(5, panel->GetRoundedCorners());
	EXPECT_TRUE(panel->IsForceStereoRenderToFrameBuffer());
	ASSERT_NE(nullptr, panel->GetBorder());
	EXPECT_STREQ("Thin", panel->GetBorder()->GetName());
	EXPECT_STREQ("north", panel->GetNavTargetName(0));
	EXPECT_STREQ("home", panel->GetNavTargetName(6));
	EXPECT_STREQ("", panel->GetNavTargetName(1));
	EXPECT_FALSE(panel->IsMouseInputEnabled());
	EXPECT_FALSE(panel->IsKeyBoardInputEnabled());
	EXPECT_EQ("anchor", Saved(*panel, "pin_to_sibling"));
	EXPECT_EQ("1", Saved(*panel, "pin_corner_to_sibling"));
	EXPECT_EQ("2", Saved(*panel, "pin_to_sibling_corner"));
	EXPECT_EQ("4", Saved(*panel, "zpos"));
	EXPECT_EQ("0", Saved(*panel, "enabled"));
	EXPECT_EQ("Panel", Saved(*panel, "ControlName"));
	EXPECT_EQ("renamed", Saved(*panel, "fieldName"));

	// Defaults: visible and enabled again, the pin removed, the name kept.
	Apply(*panel, R"("s" { "visible" "0" })");
	EXPECT_FALSE(panel->IsVisible());
	EXPECT_TRUE(panel->IsEnabled());
	EXPECT_EQ("", Saved(*panel, "pin_to_sibling"));
	EXPECT_STREQ("renamed", panel->GetName());
	EXPECT_EQ("<absent>", Saved(*sibling, "zpos"));
	sibling->DeletePanel();
	panel->DeletePanel();
}

TEST_F(PanelSettingsTest, PinCornerOffsetsKeepTheDistanceToThePinnedCorner)
{
	vgui::Panel *parent = NewRootChild("parent");
	parent->SetBounds(0, 0, 400, 300);
	vgui::Panel &child = *new vgui::Panel(parent, "child");  // deleted with its parent
	child.SetBounds(100, 50, 60, 20);
	struct Case
	{
		const char *settings;
		int corner, mode, pinX, pinY, unpinX, unpinY;
	} cases[] = {
		{ R"("s" { "PinCorner" "3" })", 3, 0, -240, -230, 0, 0 },
		{ R"("s" { "PinCorner" "3" "AutoResize" "3" })", 3, 3, -240, -230, 100, 50 },
		{ R"("s" { "PinCorner" "0" "AutoResize" "1" })", 0, 1, 100, 50, -240, -230 },
		{ R"("s" { "PinCorner" "1" "AutoResize" "2" "PinnedCornerOffsetX" "-7" "UnpinnedCornerOffsetY" "9" })", 1, 2,
		  -7, 50, 100, 9 },
		{ R"("s" { "PinCorner" "6" "AutoResize" "1" })", 6, 1, 0, 0, 0, 0 },
	};
	for (const Case &c : cases)
	{
		Apply(child, c.settings);
		int px, py, ux, uy;
		child.GetPinOffset(px, py);
		child.GetResizeOffset(ux, uy);
		EXPECT_EQ(c.corner, child.GetPinCorner()) << c.settings;
		EXPECT_EQ(c.mode, child.GetAutoResize()) << c.settings;
		EXPECT_EQ(c.pinX, px) << c.settings;
		EXPECT_EQ(c.pinY, py) << c.settings;
		EXPECT_EQ(c.unpinX, ux) << c.settings;
		EXPECT_EQ(c.unpinY, uy) << c.settings;
	}
	EXPECT_EQ("6", Saved(child, "PinCorner"));
	EXPECT_EQ("1", Saved(child, "AutoResize"));
	parent->DeletePanel();
}

TEST_F(PanelSettingsTest, OverriddenColoursSurviveTheScheme)
{
	vgui::Panel *panel = NewRootChild("p");
	panel->PerformApplySchemeSettings();
	EXPECT_EQ(Color(0, 0, 255, 255), panel->GetFgColor());
	EXPECT_EQ(Color(10, 20, 30, 255), panel->GetBgColor());
	EXPECT_EQ(Color(1, 2, 3, 4), panel->GetDragFrameColor());
	EXPECT_EQ(Color(150, 255, 150, 255), panel->GetDropFrameColor());
	EXPECT_NE(0u, panel->GetInfoFont());

	Apply(*panel, R"("s" { "fgcolor_override" "255 0 0 255" "bgcolor_override" "Red" })");
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetFgColor());
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetBgColor());
	panel->InvalidateLayout(false, true);  // the scheme applied again
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetFgColor());
	EXPECT_EQ(Color(255, 0, 0, 255), panel->GetBgColor());

	KeyValues *out = new KeyValues("out");
	panel->GetSettings(out);
	EXPECT_EQ(Color(255, 0, 0, 255), out->GetColor("fgcolor_override"));
	out->deleteThis();

	// Partial, fractional and oversized numbers; unknown scheme names give white.
	struct Case
	{
		const char *text;
		Color expected;
	} cases[] = {
		{ "1 2", Color(1, 2, 0, 0) },
		{ ".9 7.8 300 -1", Color(0, 7, 300 & 0xFF, 255) },
		{ "1e30 0 0 0", Color(255, 0, 0, 0) },
		{ "NoSuchColour", Color(255, 255, 255, 255) },
	};
	for (const Case &c : cases)
	{
		std::string text = std::string(R"("s" { "fgcolor_override" ")") + c.text + "\" }";
		Apply(*panel, text.c_str());
		EXPECT_EQ(c.expected, panel->GetFgColor()) << c.text;
	}
	panel->DeletePanel();

	VarsPanel vars(nullptr, "vars");
	Color mine(1, 1, 1, 1);
	EXPECT_FALSE(vars.Overridden(&mine, Color(9, 9, 9, 9)));
	EXPECT_EQ(Color(9, 9, 9, 9), mine);
}

TEST_F(PanelSettingsTest, ConvertersReadWriteAndDefaultEveryType)
{
	VarsPanel panel(nullptr, "vars");
	panel.SetParent(m_root);
	panel.PerformApplySchemeSettings();  // defaults first
	EXPECT_FLOAT_EQ(0.5f, panel.m_flAlpha);
	EXPECT_EQ(7, panel.m_nCount);
	EXPECT_TRUE(panel.m_bOn);
	EXPECT_EQ(Color(255, 0, 0, 255), panel.m_Tint);
	EXPECT_STREQ("hello", panel.m_szLabel);
	EXPECT_NE(0u, panel.m_hFont);
	EXPECT_EQ(5, panel.m_nGap);
	EXPECT_FLOAT_EQ(5.0f, panel.m_flGapF);
	EXPECT_EQ(620, panel.m_nX);
	EXPECT_EQ(230, panel.m_nY);
	EXPECT_NE(-1, panel.m_nTex);

	struct Case
	{
		const char *name;
		const char *set;   // null: leave the variable and only read it
		const char *read;  // text GetData writes; null: nothing written
	} cases[] = {
		{ "alpha", "0.25", "0.250000" },
		{ "COUNT", "-3", "-3" },
		{ "on", "0", "0" },
		{ "label", "world", "world" },
		{ "font", "DefaultVerySmall", "DefaultVerySmall" },
		{ "gap", "8", "8" },
		{ "gapf", "3.7", "3.000000" },
		{ "xvar", "c5", nullptr },
		{ "tex", "vgui/other", "vgui/other" },
		{ "Texture1", nullptr, "vgui/hud/800corner1" },
		{ "VerticalGradientR", nullptr, "vgui/gradvr" },
		{ "PaintBackgroundType", "2", "2" },
	};
	for (const Case &c : cases)
	{
		if (c.set)
		{
			KeyValues *in = new KeyValues(c.name, c.name, c.set);
			EXPECT_TRUE(panel.SetInfo(in)) << c.name;
			in->deleteThis();
		}
		KeyValues *out = new KeyValues(c.name);
		EXPECT_TRUE(panel.RequestInfo(out)) << c.name;
		if (c.read)
			EXPECT_STREQ(c.read, out->GetString(c.name, "<absent>")) << c.name;
		else
			EXPECT_EQ(nullptr, out->GetFirstSubKey()) << c.name;
		out->deleteThis();
	}
	EXPECT_EQ(325, panel.m_nX);
	EXPECT_EQ(2, panel.m_nPaintBackgroundType);

	// A colour names a scheme colour, or is read as a colour value when empty.
	KeyValues *tint = new KeyValues("tint", "tint", "Blue");
	EXPECT_TRUE(panel.SetInfo(tint));
	tint->deleteThis();
	EXPECT_EQ(Color(0, 0, 255, 255), panel.m_Tint);

	// A string longer than the variable is cut to fit.
	std::string longText(1000, 'x');
	KeyValues *label = new KeyValues("label", "label", longText.c_str());
	EXPECT_TRUE(panel.SetInfo(label));
	label->deleteThis();
	EXPECT_EQ(255u, strlen(panel.m_szLabel));

	// Variables without a converter, and names no map knows.
	KeyValues *untyped = new KeyValues("untyped", "untyped", "1");
	EXPECT_FALSE(panel.SetInfo(untyped));
	EXPECT_FALSE(panel.RequestInfo(untyped));
	untyped->deleteThis();
	KeyValues *unknown = new KeyValues("NoSuchVariable");
	EXPECT_FALSE(panel.SetInfo(unknown));
	unknown->deleteThis();
	panel.SetParent(static_cast<vgui::VPANEL>(0));
}

TEST_F(PanelSettingsTest, LayoutKeysSetAnimationVariablesAndUnknownKeysAreIgnored)
{
	VarsPanel panel(nullptr, "vars");
	panel.SetParent(m_root);
	Apply(panel, R"("s" { "count" "42" "Label" "from layout" "NoSuchKey" "1" "untyped" "9" })");
	EXPECT_EQ(42, panel.m_nCount);
	EXPECT_STREQ("from layout", panel.m_szLabel);
	EXPECT_FLOAT_EQ(0.5f, panel.m_flAlpha);  // the default, applied before the layout keys
	panel.SetParent(static_cast<vgui::VPANEL>(0));
}

TEST_F(PanelSettingsTest, ConvertersRegisterOnceAndDuplicatesAreReported)
{
	vgui::Panel::InitPropertyConverters();
	vgui::IPanelAnimationPropertyConverter *intConverter = vgui::FindPanelAnimationPropertyConverter("int");
	ASSERT_NE(nullptr, intConverter);
	for (const char *type : { "float", "Color", "bool", "char", "string", "HFont", "vgui::HFont", "proportional_float",
	                          "proportional_int", "proportional_xpos", "proportional_ypos", "textureid" })
		EXPECT_NE(nullptr, vgui::FindPanelAnimationPropertyConverter(type)) << type;
	EXPECT_EQ(nullptr, vgui::FindPanelAnimationPropertyConverter("double"));

	Tier0OutputCapture capture;
	vgui::Panel::AddPropertyConverter("int", vgui::FindPanelAnimationPropertyConverter("float"));
	EXPECT_EQ("Already have converter for type int, ignoring...\n", capture.All());
	EXPECT_EQ(intConverter, vgui::FindPanelAnimationPropertyConverter("int"));
}

TEST_F(PanelSettingsTest, DescriptionAndUserConfigDefaults)
{
	vgui::Panel panel;
	EXPECT_STREQ("string fieldName, int xpos, int ypos, int wide, int tall, bool visible, bool enabled, int "
	             "tabPosition, corner pinCorner, autoresize autoResize, string tooltiptext",
	             panel.GetDescription());
	EXPECT_FALSE(panel.HasUserConfigSettings());
}

TEST_F(PanelSettingsTest, ExtremeNumbersInLayoutKeysAreHeldInRange)
{
	const char *sections[] = {
		R"("s" { "xpos" "r-2147483648" "ypos" "c2147483647" "wide" "f-2147483648" "tall" "F2147483647" })",
		R"("s" { "xpos" "c-2147483648" "ypos" "r2147483647" "PinCorner" "3" "AutoResize" "15" })",
		R"("s" { "fgcolor_override" "1e39 -1e39 nan inf" "RoundedCorners" "99999" "zpos" "-2147483648" })",
		R"("s" { "xpos" "r" "ypos" "c" "wide" "f" "tall" "" "usetitlesafe" "2" })",
	};
	for (const char *text : sections)
	{
		vgui::Panel *panel = NewRootChild("p");
		Apply(*panel, text);
		KeyValues *out = new KeyValues("out");
		panel->GetSettings(out);
		out->deleteThis();
		panel->DeletePanel();
	}
	vgui::Panel *panel = NewRootChild("p");
	Apply(*panel, sections[0]);
	int x, y;
	panel->GetPos(x, y);
	EXPECT_EQ(2147483647, x);  // 640 - INT_MIN, held at the top of the range
	EXPECT_EQ(2147483647, y);
	panel->DeletePanel();
}

TEST_F(PanelSettingsTest, TooltipTextMakesTheTooltipAndIsWrittenBack)
{
	vgui::Panel *panel = NewRootChild("p");
	Apply(*panel, R"("s" { "tooltiptext" "" })");
	EXPECT_EQ("<absent>", Saved(*panel, "tooltiptext"));

	Apply(*panel, R"("s" { "tooltiptext" "Opens the menu" })");
	vgui::BaseTooltip *tooltip = panel->GetTooltip();
	ASSERT_NE(nullptr, tooltip);
	EXPECT_EQ(tooltip, panel->GetTooltip());
	EXPECT_STREQ("Opens the menu", tooltip->GetText());
	EXPECT_EQ("Opens the menu", Saved(*panel, "tooltiptext"));
	panel->DeletePanel();  // the tooltip goes with its panel

	// The text window all tooltips share stays until deleted.
	CUtlVector<vgui::VPANEL> &children = g_pVGuiPanel->GetChildren(m_root);
	for (int i = children.Count() - 1; i >= 0; --i)
		if (!strcmp(g_pVGuiPanel->GetName(children[i]), "tooltip"))
			delete g_pVGuiPanel->GetPanel(children[i], vgui::GetControlsModuleName());
}
