// vgui::Label over the surface's fixed test font (glyphs 5 x 10): hotkeys, text changes and
// messages, alignment and insets, images, scheme colours, settings, dialog variables, the
// disabled emboss, association and dashed lines.
#include <fstream>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Image.h"
#include "vgui_controls/Label.h"
#include "vgui_controls/TextImage.h"

namespace
{
// A label that tells whether a layout is pending.
class ProbeLabel : public vgui::Label
{
public:
	using vgui::Label::Label;
	bool LayoutPending() { return IsLayoutInvalid(); }
};

// A panel that counts the focus requests it gets.
class FocusProbe : public vgui::Panel
{
public:
	using vgui::Panel::Panel;
	void RequestFocus(int) override { ++requests; }
	int requests = 0;
};

class BoxImage : public vgui::Image
{
public:
	BoxImage(int wide, int tall) { SetSize(wide, tall); }
	void Paint() override { DrawFilledRect(0, 0, 1, 1); }
};

class LabelTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_font = g_pVGuiSurface->CreateFont();
		ASSERT_TRUE(g_pVGuiSurface->SetFontGlyphSet(m_font, VGUI_STANDIN_FIXED_FONT, 10, 0, 0, 0, 0));
	}

	// A label under the root at (10, 20), sized 100 x 20, in the test font.
	ProbeLabel *RootLabel(const char *text, const char *name = "label")
	{
		auto *label = new ProbeLabel(nullptr, name, text);
		label->SetParent(m_root);
		label->SetBounds(10, 20, 100, 20);
		label->SetFont(m_font);
		label->PerformApplySchemeSettings();  // no layout before the first scheme
		m_made.push_back(label);
		return label;
	}
	void TearDown() override
	{
		for (vgui::Panel *panel : m_made)
			delete panel;
		VGuiTest::TearDown();
	}

	struct Glyph
	{
		wchar_t ch;
		int x, y;
		int r;
	};
	std::vector<Glyph> PaintGlyphs()
	{
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		std::vector<Glyph> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.kind == VGuiDrawRecord::Glyph)
				out.push_back({ r.character, r.x0, r.y0, r.r });
		return out;
	}

	vgui::IScheme *LoadScheme(const char *text)
	{
		std::ofstream(m_harness->gameFolder + "/labeltest.res") << text;
		vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("labeltest.res", "LabelTest");
		EXPECT_NE(0u, scheme);
		return g_pVGuiSchemeManager->GetIScheme(scheme);
	}

	vgui::HFont m_font = 0;
	std::vector<vgui::Panel *> m_made;
};

TEST_F(LabelTest, HotkeysComeFromTheFirstSingleAmpersand)
{
	const struct
	{
		const char *text;
		wchar_t hotkey;
	} cases[] = {
		{ "&File", L'f' }, { "&&", 0 }, { "a && b &c", L'c' }, { "trailing&", 0 }, { "& x &9", L'9' }, { "", 0 },
	};
	for (const auto &c : cases)
	{
		vgui::Label label(nullptr, "l", c.text);
		EXPECT_EQ(c.hotkey, label.GetHotKey()) << c.text;
		vgui::Label wide(nullptr, "w", std::wstring(c.text, c.text + strlen(c.text)).c_str());
		EXPECT_EQ(c.hotkey, wide.GetHotKey()) << c.text;
	}
	vgui::Label label(nullptr, "l", "&File");
	EXPECT_EQ(&label, label.HasHotkey(L'F'));
	EXPECT_EQ(&label, label.HasHotkey(L'f'));
	EXPECT_EQ(nullptr, label.HasHotkey(L'g'));
	vgui::Label none(nullptr, "n", "plain");
	EXPECT_EQ(nullptr, none.HasHotkey(0));
	EXPECT_EQ(0, none.CalculateHotkey(static_cast<const char *>(nullptr)));
}

TEST_F(LabelTest, TheSameWideTextTwiceDoesNotLayOutAgain)
{
	ProbeLabel label(nullptr, "l", "start");
	label.PerformApplySchemeSettings();
	label.InvalidateLayout(true);
	ASSERT_FALSE(label.LayoutPending());
	label.SetText(L"abc");
	EXPECT_TRUE(label.LayoutPending());
	label.InvalidateLayout(true);
	label.SetText(L"abc");
	EXPECT_FALSE(label.LayoutPending());
	label.SetText(L"abcd");  // a longer text is a change
	EXPECT_TRUE(label.LayoutPending());
	label.InvalidateLayout(true);
	label.SetText("abcd");  // the narrow form always does
	EXPECT_TRUE(label.LayoutPending());
}

TEST_F(LabelTest, MessagesAndRequestsSetAndReadTheText)
{
	vgui::Label label(nullptr, "l", "start");
	KeyValues *narrow = new KeyValues("SetText", "text", "narrow");
	label.OnMessage(narrow, 0);
	narrow->deleteThis();
	char text[32];
	label.GetText(text, sizeof(text));
	EXPECT_STREQ("narrow", text);

	KeyValues *wide = new KeyValues("SetText");
	wide->SetWString("text", L"wide");
	label.OnMessage(wide, 0);
	wide->deleteThis();
	KeyValues *number = new KeyValues("SetText", "text", 5);
	label.OnMessage(number, 0);  // neither kind of string: ignored
	number->deleteThis();

	KeyValues *request = new KeyValues("gettext");
	EXPECT_TRUE(label.RequestInfo(request));
	EXPECT_EQ(std::wstring(L"wide"), request->GetWString("text"));
	request->deleteThis();
	label.GetValueForLua(text, sizeof(text));
	EXPECT_STREQ("wide", text);
}

TEST_F(LabelTest, AlignmentPlacesTheTextImageInsideTheInsets)
{
	// "abc" measures 17 x 10 inside a 100 x 20 label; the x inset is 4.
	const struct
	{
		vgui::Label::Alignment alignment;
		int x, y;
	} cases[] = {
		{ vgui::Label::a_northwest, 4, 0 }, { vgui::Label::a_west, 4, 5 },     { vgui::Label::a_center, 41, 5 },
		{ vgui::Label::a_east, 79, 5 },     { vgui::Label::a_southeast, 79, 10 }, { vgui::Label::a_north, 41, 0 },
	};
	ProbeLabel *label = RootLabel("abc");
	label->SetTextInset(4, 0);
	for (const auto &c : cases)
	{
		label->SetContentAlignment(c.alignment);
		label->InvalidateLayout(true);
		std::vector<Glyph> g = PaintGlyphs();
		ASSERT_EQ(3u, g.size()) << c.alignment;
		EXPECT_EQ(10 + c.x, g[0].x) << c.alignment;
		EXPECT_EQ(20 + c.y, g[0].y) << c.alignment;
		EXPECT_EQ(10 + c.x + 10, g[2].x) << c.alignment;
	}
}

TEST_F(LabelTest, ContentSizeAndAutoWide)
{
	ProbeLabel *label = RootLabel("abcd");  // 22 x 10
	label->SetTextInset(3, 2);
	int wide, tall;
	label->GetContentSize(wide, tall);
	EXPECT_EQ(25, wide);
	EXPECT_EQ(12, tall);
	label->SizeToContents();
	EXPECT_EQ(25, label->GetWide());

	label->SetAutoWide(true);
	label->SetText("abcdef");  // 32 wide + the inset
	label->InvalidateLayout(true);
	EXPECT_EQ(35, label->GetWide());
	EXPECT_EQ(12, label->GetTall());
}

TEST_F(LabelTest, ImagesBesideTheTextAndTheirIndexes)
{
	ProbeLabel *label = RootLabel("ab");
	BoxImage box(6, 4);
	EXPECT_EQ(1, label->AddImage(&box, 2));
	EXPECT_EQ(2, label->GetImageCount());
	label->SetImageAtIndex(3, &box, 0);
	EXPECT_EQ(4, label->GetImageCount());
	EXPECT_EQ(nullptr, label->GetImageAtIndex(2));
	EXPECT_EQ(nullptr, label->GetImageAtIndex(-1));
	EXPECT_EQ(nullptr, label->GetImageAtIndex(4));
	label->SetImageAtIndex(-3, &box, 0);  // ignored
	label->SetImageBounds(99, 0, 0);      // ignored
	EXPECT_EQ(4, label->GetImageCount());

	label->SetTextImageIndex(2);
	EXPECT_EQ(nullptr, label->GetImageAtIndex(0));
	EXPECT_EQ(label->GetTextImage(), label->GetImageAtIndex(2));
	label->ResetToSimpleTextImage();
	EXPECT_EQ(1, label->GetImageCount());
	EXPECT_EQ(label->GetTextImage(), label->GetImageAtIndex(0));
	label->ClearImages();
	EXPECT_EQ(0, label->GetImageCount());
	label->SetTextImageIndex(0);
	EXPECT_EQ(label->GetTextImage(), label->GetImageAtIndex(0));
}

TEST_F(LabelTest, ImagesFollowTheTextFromLeftToRight)
{
	ProbeLabel *label = RootLabel("ab");  // text 15 wide
	label->SetContentAlignment(vgui::Label::a_northwest);
	BoxImage box(6, 4);
	label->AddImage(&box, 3);
	label->InvalidateLayout(true);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	int boxX = -1;
	for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		if (r.kind == VGuiDrawRecord::FilledRect && r.x1 - r.x0 == 1)
			boxX = r.x0;
	int textWide, textTall;
	label->GetTextImage()->GetSize(textWide, textTall);
	EXPECT_EQ(10 + textWide + 3, boxX);
}

TEST_F(LabelTest, ASchemeChangeEmptiesOtherImagesAndSetsColoursAndFont)
{
	vgui::IScheme *scheme = LoadScheme(R"(Scheme
{
	BaseSettings
	{
		"Label.TextColor"        "1 0 0 255"
		"Label.TextDullColor"    "2 0 0 255"
		"Label.TextBrightColor"  "3 0 0 255"
		"Label.DisabledFgColor1" "4 0 0 255"
		"Label.DisabledFgColor2" "5 0 0 255"
		"Label.BgColor"          "6 0 0 255"
	}
	Fonts
	{
		Default { "1" { "name" "ZvFixed" "tall" "8" } }
		Big     { "1" { "name" "ZvFixed" "tall" "20" } }
	}
})");
	ASSERT_NE(nullptr, scheme);
	vgui::Label label(nullptr, "l", "abc");
	BoxImage box(6, 4);
	label.AddImage(&box, 0);
	label.ApplySchemeSettings(scheme);
	EXPECT_EQ(nullptr, label.GetImageAtIndex(1));
	EXPECT_EQ(label.GetTextImage(), label.GetImageAtIndex(0));
	EXPECT_EQ(8, g_pVGuiSurface->GetFontTall(label.GetFont()));
	EXPECT_EQ(Color(1, 0, 0, 255), label.GetFgColor());
	EXPECT_EQ(Color(4, 0, 0, 255), label.GetDisabledFgColor1());
	EXPECT_EQ(Color(6, 0, 0, 255), label.GetBgColor());

	label.SetTextColorState(vgui::Label::CS_BRIGHT);
	label.ApplySchemeSettings(scheme);
	EXPECT_EQ(Color(3, 0, 0, 255), label.GetFgColor());

	// Settings: dull wins over bright; a font name is kept and used.
	KeyValues *settings = new KeyValues("l");
	settings->SetInt("dulltext", 1);
	settings->SetInt("brighttext", 1);
	settings->SetString("font", "Big");
	label.ApplySettings(settings);
	settings->deleteThis();
	label.ApplySchemeSettings(scheme);
	EXPECT_EQ(Color(2, 0, 0, 255), label.GetFgColor());
	EXPECT_EQ(20, g_pVGuiSurface->GetFontTall(label.GetFont()));
}

TEST_F(LabelTest, SettingsAreReadAndWrittenBack)
{
	ProbeLabel *label = RootLabel("abc");
	KeyValues *in = new KeyValues("l");
	in->SetString("labelText", "Hello &World");
	in->SetString("textAlignment", "SOUTH-east");
	in->SetInt("brighttext", 1);
	in->SetInt("wrap", 1);
	in->SetInt("textinsetx", 7);
	in->SetInt("textinsety", 2);
	in->SetInt("allcaps", 1);
	label->ApplySettings(in);
	in->deleteThis();

	KeyValues *out = new KeyValues("l");
	label->GetSettings(out);
	EXPECT_STREQ("HELLO &WORLD", out->GetString("labelText"));
	EXPECT_STREQ("south-east", out->GetString("textAlignment"));
	EXPECT_EQ(0, out->GetInt("dulltext"));
	EXPECT_EQ(1, out->GetInt("brighttext"));
	EXPECT_EQ(1, out->GetInt("wrap"));
	EXPECT_EQ(0, out->GetInt("centerwrap"));
	EXPECT_EQ(7, out->GetInt("textinsetx"));
	EXPECT_EQ(2, out->GetInt("textinsety"));
	EXPECT_TRUE(out->IsEmpty("font"));
	EXPECT_TRUE(out->IsEmpty("associate"));
	out->deleteThis();
	EXPECT_EQ(L'w', label->GetHotKey());

	KeyValues *odd = new KeyValues("l");
	odd->SetString("textAlignment", "up");  // unknown: left as it was
	label->ApplySettings(odd);
	out = new KeyValues("l");
	label->GetSettings(out);
	EXPECT_STREQ("south-east", out->GetString("textAlignment"));
	out->deleteThis();
	odd->deleteThis();
	EXPECT_NE(nullptr, strstr(label->GetDescription(), ", string labelText, string associate, alignment textAlignment"));
}

TEST_F(LabelTest, ADialogVariableShowsRawUntilTheVariablesArrive)
{
	vgui::Label label(nullptr, "l", "");
	KeyValues *in = new KeyValues("l");
	in->SetString("labelText", "%LabelTestPlayer%");
	label.ApplySettings(in);
	in->deleteThis();
	char text[64];
	label.GetText(text, sizeof(text));
	EXPECT_STREQ("%LabelTestPlayer%", text);
	KeyValues *out = new KeyValues("l");
	label.GetSettings(out);
	EXPECT_STREQ("%LabelTestPlayer%", out->GetString("labelText"));
	out->deleteThis();

	KeyValues *message = new KeyValues("DialogVariables", "LabelTestPlayer", "Ada");
	label.OnMessage(message, 0);
	message->deleteThis();
	label.GetText(text, sizeof(text));
	EXPECT_STREQ("Ada", text);

	vgui::Label plain(nullptr, "p", "plain");  // no token: variables change nothing
	KeyValues *again = new KeyValues("DialogVariables", "LabelTestPlayer", "Ada");
	plain.OnMessage(again, 0);
	again->deleteThis();
	plain.GetText(text, sizeof(text));
	EXPECT_STREQ("plain", text);
}

TEST_F(LabelTest, ADisabledLabelDrawsItsTextTwiceOffsetByOnePixel)
{
	ProbeLabel *label = RootLabel("ab");
	label->SetContentAlignment(vgui::Label::a_northwest);
	label->SetDisabledFgColor1(Color(11, 0, 0, 255));
	label->SetDisabledFgColor2(Color(22, 0, 0, 255));
	label->SetFgColor(Color(33, 0, 0, 255));
	label->InvalidateLayout(true);
	std::vector<Glyph> enabled = PaintGlyphs();
	ASSERT_EQ(2u, enabled.size());
	EXPECT_EQ(33, enabled[0].r);

	label->SetEnabled(false);
	std::vector<Glyph> g = PaintGlyphs();
	ASSERT_EQ(4u, g.size());
	EXPECT_EQ(11, g[0].x);
	EXPECT_EQ(21, g[0].y);
	EXPECT_EQ(11, g[0].r);
	EXPECT_EQ(10, g[2].x);
	EXPECT_EQ(20, g[2].y);
	EXPECT_EQ(22, g[2].r);
}

TEST_F(LabelTest, TheExpensiveShadowIsDrawnFirst)
{
	ProbeLabel *label = RootLabel("a");
	label->SetContentAlignment(vgui::Label::a_northwest);
	label->SetExpensiveShadow(2, Color(0, 0, 0, 180));
	label->SetFgColor(Color(50, 0, 0, 255));
	label->InvalidateLayout(true);
	std::vector<Glyph> g = PaintGlyphs();
	ASSERT_EQ(2u, g.size());
	EXPECT_EQ(12, g[0].x);
	EXPECT_EQ(22, g[0].y);
	EXPECT_EQ(0, g[0].r);
	EXPECT_EQ(10, g[1].x);
	EXPECT_EQ(50, g[1].r);
}

TEST_F(LabelTest, TheAssociateTakesTheFocus)
{
	vgui::Panel parent(nullptr, "parent");
	FocusProbe target(&parent, "Target");
	ProbeLabel label(&parent, "label", "&Name");
	KeyValues *in = new KeyValues("l");
	in->SetString("associate", "target");
	label.ApplySettings(in);
	in->deleteThis();
	label.Paint();  // the first paint resolves the name

	KeyValues *hotkey = new KeyValues("Hotkey");
	label.OnMessage(hotkey, 0);
	hotkey->deleteThis();
	EXPECT_EQ(1, target.requests);
	label.OnMousePressed(MOUSE_LEFT);
	EXPECT_EQ(2, target.requests);
	label.OnRequestFocus(label.GetVPanel(), 0);
	EXPECT_EQ(3, target.requests);

	KeyValues *out = new KeyValues("l");
	label.GetSettings(out);
	EXPECT_STREQ("Target", out->GetString("associate"));
	out->deleteThis();

	label.SetAssociatedControl(&label);  // never itself
	label.OnMousePressed(MOUSE_LEFT);
	EXPECT_EQ(3, target.requests);
}

TEST_F(LabelTest, DashedLinesStepByDashAndGap)
{
	vgui::Label label(nullptr, "l", "");
	const struct
	{
		int x0, y0, x1, y1, dash, gap;
		std::vector<std::vector<int>> rects;
	} cases[] = {
		{ 0, 0, 10, 1, 3, 2, { { 0, 0, 3, 1 }, { 5, 0, 8, 1 }, { 10, 0, 10, 1 } } },
		{ 0, 0, 1, 7, 4, 1, { { 0, 0, 1, 4 }, { 0, 5, 1, 7 } } },
		{ 0, 0, 10, 1, 0, 0, { { 0, 0, 0, 1 } } },  // no step: the first dash only
	};
	for (const auto &c : cases)
	{
		m_vgui->ClearDrawLog();
		label.DrawDashedLine(c.x0, c.y0, c.x1, c.y1, c.dash, c.gap);
		std::vector<std::vector<int>> rects;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			rects.push_back({ r.x0, r.y0, r.x1, r.y1 });
		EXPECT_EQ(c.rects, rects);
	}
}

TEST_F(LabelTest, LuaHooksSeeMousePressesAndSchemeChanges)
{
	ILuaInterface *lua = m_harness->Open(false);
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "",
	                           "log = ''; swallow = true; T = {"
	                           " OnMousePressed = function(p, code) log = log .. 'M' .. code; return swallow end,"
	                           " ApplySchemeSettings = function(p) log = log .. 'S' end }",
	                           true, true));
	auto log = [&]() {
		CLuaObject value;
		value.SetFromGlobal("log");
		return std::string(value.GetString());
	};
	vgui::Panel parent(nullptr, "parent");
	FocusProbe target(&parent, "target");
	ProbeLabel label(&parent, "label", "text");
	label.SetAssociatedControl(&target);
	label.m_pLuaTable = new CLuaObject();
	label.m_pLuaTable->SetFromGlobal("T");

	label.OnMousePressed(MOUSE_LEFT);
	EXPECT_EQ("M" + std::to_string(MOUSE_LEFT), log());
	EXPECT_EQ(0, target.requests);  // the hook took the press
	ASSERT_TRUE(lua->RunString("test", "", "swallow = false", true, true));
	label.OnMousePressed(MOUSE_LEFT);
	EXPECT_EQ(1, target.requests);

	label.ApplySchemeSettings(g_pVGuiSchemeManager->GetIScheme(0));
	EXPECT_EQ('S', log().back());
}
}

TEST_F(LabelTest, TheBuildFactoryMakesLabelsWithTheirDefaultText)
{
	vgui::Panel *panel = vgui::CBuildFactoryHelper::InstancePanel("label");
	ASSERT_NE(nullptr, panel);
	vgui::Label *label = dynamic_cast<vgui::Label *>(panel);
	ASSERT_NE(nullptr, label);
	char text[32];
	label->GetText(text, sizeof(text));
	EXPECT_STREQ("Label", text);
	delete panel;
}
