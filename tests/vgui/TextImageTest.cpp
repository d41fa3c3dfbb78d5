// vgui::TextImage over the surface's fixed test font (glyphs half as wide as tall): tokens,
// hotkey ampersands, measuring, word wrapping, centring, the three-dot cut and the fallback font.
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "vgui/ILocalize.h"
#include "vgui_controls/TextImage.h"

namespace
{
class TextImageTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		ASSERT_NE(nullptr, g_pVGuiLocalize);
		m_font = Font(10);  // glyphs 5 x 10
	}

	vgui::HFont Font(int tall)
	{
		vgui::HFont font = g_pVGuiSurface->CreateFont();
		EXPECT_TRUE(g_pVGuiSurface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, tall, 0, 0, 0, 0));
		return font;
	}

	struct Glyph
	{
		wchar_t ch;
		int x, y;
		vgui::HFont font;
	};
	std::vector<Glyph> Glyphs()
	{
		std::vector<Glyph> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.kind == VGuiDrawRecord::Glyph)
				out.push_back({ r.character, r.x0, r.y0, r.font });
		return out;
	}
	std::wstring Drawn()
	{
		std::wstring s;
		for (const Glyph &g : Glyphs())
			s += g.ch;
		return s;
	}

	vgui::HFont m_font = 0;
};

TEST_F(TextImageTest, TokensAreLocalisedAndUnknownTokensShowTheirName)
{
	std::wstring value = L"Bonjour";
	g_pVGuiLocalize->AddString("TextImageTest_Hello", &value[0], "");
	vgui::TextImage image("#TextImageTest_Hello");
	char narrow[64];
	image.GetText(narrow, sizeof(narrow));
	EXPECT_STREQ("Bonjour", narrow);
	EXPECT_NE(vgui::INVALID_LOCALIZE_STRING_INDEX, image.GetUnlocalizedTextSymbol());
	image.GetUnlocalizedText(narrow, sizeof(narrow));
	EXPECT_STREQ("#TextImageTest_Hello", narrow);

	image.SetText(L"plain", true);
	EXPECT_EQ(vgui::INVALID_LOCALIZE_STRING_INDEX, image.GetUnlocalizedTextSymbol());
	image.SetText("#TextImageTest_NoSuchToken");
	image.GetText(narrow, sizeof(narrow));
	EXPECT_STREQ("TextImageTest_NoSuchToken", narrow);
	EXPECT_EQ(vgui::INVALID_LOCALIZE_STRING_INDEX, image.GetUnlocalizedTextSymbol());

	image.SetText(static_cast<const char *>(nullptr));
	image.GetText(narrow, sizeof(narrow));
	EXPECT_STREQ("", narrow);
}

TEST_F(TextImageTest, WideTextIsCutToTheBufferAndShownInCapitals)
{
	vgui::TextImage image(L"abcdef");
	wchar_t small[4];
	image.GetText(small, sizeof(small));
	EXPECT_EQ(std::wstring(L"abc"), small);
	image.SetAllCaps(true);
	image.GetText(small, sizeof(small));
	EXPECT_EQ(std::wstring(L"ABC"), small);
	char narrow[8];
	image.GetText(narrow, sizeof(narrow));
	EXPECT_STREQ("ABCDEF", narrow);
}

TEST_F(TextImageTest, AmpersandsMarkHotkeysAndDoubledOnesDrawOne)
{
	vgui::TextImage image(L"&&a&b");
	image.SetFont(m_font);
	image.SetSize(200, 10);
	image.SetPos(3, 4);
	image.Paint();
	EXPECT_EQ(L"&ab", Drawn());
	std::vector<Glyph> g = Glyphs();
	ASSERT_EQ(3u, g.size());
	EXPECT_EQ(3, g[0].x);
	EXPECT_EQ(4, g[0].y);
	EXPECT_EQ(8, g[1].x);
	EXPECT_EQ(13, g[2].x);
}

TEST_F(TextImageTest, MeasuresFollowTheGlyphWidthsWithTheirMargins)
{
	const struct
	{
		const wchar_t *text;
		int wide, tall;
	} cases[] = {
		{ L"", 5, 10 },          // empty
		{ L"ab", 15, 10 },       // two glyphs + 2 + 3
		{ L"abcd", 22, 10 },     // four glyphs + 2
		{ L"a&b", 12, 10 },      // ampersands are not measured
		{ L"ab\ncdef", 22, 20 }, // the line feed closes a line and counts its width there
		{ L"abcdef\nab", 35, 20 },
	};
	for (const auto &c : cases)
	{
		vgui::TextImage image(c.text);
		image.SetFont(m_font);
		int wide, tall;
		image.GetContentSize(wide, tall);
		EXPECT_EQ(c.wide, wide) << std::string(c.text, c.text + wcslen(c.text));
		EXPECT_EQ(c.tall, tall);
	}
	vgui::TextImage noFont(L"abc");
	int wide = -1, tall = -1;
	noFont.GetTextSize(wide, tall);
	EXPECT_EQ(0, wide + tall);
	noFont.Paint();
	EXPECT_TRUE(m_vgui->DrawLog().empty());
}

TEST_F(TextImageTest, WordsWrapAtTheDrawWidthAndLongWordsBreakInside)
{
	vgui::TextImage image(L"abc defgh");
	image.SetFont(m_font);
	image.SetWrap(true);
	image.SetSize(20, 40);  // four glyphs a line
	image.Paint();
	std::vector<Glyph> g = Glyphs();
	ASSERT_EQ(9u, g.size());
	const int expected[][2] = { { 0, 0 }, { 5, 0 }, { 10, 0 }, { 15, 0 }, { 0, 10 }, { 5, 10 }, { 10, 10 }, { 15, 10 }, { 0, 20 } };
	for (size_t i = 0; i < g.size(); ++i)
	{
		EXPECT_EQ(expected[i][0], g[i].x) << i;
		EXPECT_EQ(expected[i][1], g[i].y) << i;
	}
	int wide, tall;
	image.GetTextSize(wide, tall);
	EXPECT_EQ(30, tall);  // each of the two breaks adds a line to the font height
}

TEST_F(TextImageTest, CentredLinesAreIndentedByHalfTheirSpareWidth)
{
	vgui::TextImage image(L"ab\nabcd");
	image.SetFont(m_font);
	image.SetCenterWrap(true);
	image.SetSize(31, 20);
	image.Paint();
	std::vector<Glyph> g = Glyphs();
	ASSERT_EQ(6u, g.size());
	EXPECT_EQ(10, g[0].x);  // (31 - 10) / 2
	EXPECT_EQ(5, g[2].x);   // (31 - 20) / 2, on the second line
	EXPECT_EQ(10, g[2].y);
}

TEST_F(TextImageTest, ALineTooWideEndsInThreeDotsThatFit)
{
	vgui::TextImage image(L"abcdefgh");  // 40 wide
	image.SetFont(m_font);
	image.SetSize(38, 10);
	image.Paint();
	EXPECT_EQ(L"abcd...", Drawn());
	std::vector<Glyph> g = Glyphs();
	EXPECT_EQ(30, g.back().x);
	EXPECT_LE(g.back().x + 5, 38);

	m_vgui->ClearDrawLog();
	vgui::TextImage twoLines(L"abcdefgh\nx");
	twoLines.SetFont(m_font);
	twoLines.SetSize(38, 20);
	twoLines.Paint();
	EXPECT_EQ(L"abcdefghx", Drawn());

	m_vgui->ClearDrawLog();
	vgui::TextImage fits(L"abcdefg");  // 35 wide: no cut
	fits.SetFont(m_font);
	fits.SetSize(38, 10);
	fits.Paint();
	EXPECT_EQ(L"abcdefg", Drawn());
}

TEST_F(TextImageTest, TheFallbackFontReplacesTheCutForGood)
{
	vgui::HFont small = Font(6);  // glyphs 3 wide
	vgui::TextImage image(L"abcdefgh");
	image.SetFont(m_font);
	image.SetUseFallbackFont(true, small);
	image.SetSize(38, 10);
	image.Paint();
	EXPECT_EQ(L"abcdefgh", Drawn());
	EXPECT_EQ(small, Glyphs().back().font);
	EXPECT_EQ(21, Glyphs().back().x);
	EXPECT_EQ(small, image.GetFont());

	image.SetText(L"ab");
	EXPECT_EQ(small, image.GetFont());
}

TEST_F(TextImageTest, TextsPastTheLengthLimitAreCut)
{
	std::wstring huge(40000, L'x');
	vgui::TextImage image(huge.c_str());
	std::vector<wchar_t> back(50000);
	image.GetText(back.data(), static_cast<int>(back.size() * sizeof(wchar_t)));
	EXPECT_EQ(static_cast<size_t>(vgui::TextImage::kMaxTextChars), wcslen(back.data()));
	image.SetText(L"short");  // the buffer is reused
	image.GetText(back.data(), static_cast<int>(back.size() * sizeof(wchar_t)));
	EXPECT_EQ(std::wstring(L"short"), back.data());
}
}
