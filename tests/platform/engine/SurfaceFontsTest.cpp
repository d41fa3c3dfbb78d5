// Fonts of the stand-in surface: the fixed-metric test font's exact measures and solid glyph
// boxes, the pen and the draw log, refused glyph sets, and FreeType faces when installed.
#include <string>

#include "VGuiServices.h"

namespace
{
using SurfaceFontsTest = VGuiServicesTest;

uint32_t Rgba(int r, int g, int b, int a) { return r | (g << 8) | (b << 16) | (static_cast<uint32_t>(a) << 24); }

TEST_F(SurfaceFontsTest, FixedFontMeasuresHalfItsHeightPerGlyph)
{
	vgui::HFont font = surface->CreateFont();
	ASSERT_NE(0u, font);
	ASSERT_TRUE(surface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 16, 0, 0, 0, 0));
	EXPECT_EQ(16, surface->GetFontTall(font));
	for (int ch : { int('W'), int('i'), int(' '), int('.'), 0x263A })
		EXPECT_EQ(8, surface->GetCharacterWidth(font, ch)) << ch;
	float wide = -1, abcA = -1;
	surface->GetKernedCharWidth(font, L'V', L'A', L'x', wide, abcA);
	EXPECT_FLOAT_EQ(8.0f, wide);
	EXPECT_FLOAT_EQ(0.0f, abcA);

	vgui::HFont tiny = surface->CreateFont();
	ASSERT_TRUE(surface->SetFontGlyphSet(tiny, "zvfixed", 1, 0, 0, 0, 0));  // letter case ignored
	EXPECT_EQ(1, surface->GetCharacterWidth(tiny, 'a'));
}

TEST_F(SurfaceFontsTest, PrintedGlyphsAreLoggedAndFilledAndMoveThePen)
{
	vgui::VPANEL p = Make(nullptr, root);
	panels->SetPos(p, 100, 50);
	panels->SetSize(p, 200, 40);
	vgui::HFont font = surface->CreateFont();
	ASSERT_TRUE(surface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 10, 0, 0, 0, 0));
	surface->PushMakeCurrent(p, false);
	surface->DrawSetTextFont(font);
	surface->DrawSetTextColor(Color(255, 0, 0, 255));
	surface->DrawSetTextPos(2, 3);
	surface->DrawPrintText(L"A b", 3);
	int x, y;
	surface->DrawGetTextPos(x, y);
	surface->PopMakeCurrent(p);

	EXPECT_EQ(17, x);
	EXPECT_EQ(3, y);
	ASSERT_EQ(3u, control->DrawLog().size());
	const wchar_t expected[] = L"A b";
	for (int i = 0; i < 3; ++i)
	{
		const VGuiDrawRecord &r = control->DrawLog()[i];
		EXPECT_EQ(VGuiDrawRecord::Glyph, r.kind);
		EXPECT_EQ(expected[i], r.character);
		EXPECT_EQ(font, r.font);
		EXPECT_EQ(102 + 5 * i, r.x0);
		EXPECT_EQ(53, r.y0);
		EXPECT_EQ(107 + 5 * i, r.x1);
		EXPECT_EQ(63, r.y1);
		EXPECT_EQ(255, r.r);
	}
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(102, 53));   // 'A' is a solid box
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(106, 62));
	EXPECT_EQ(0u, control->Pixel(109, 58));                      // the space draws nothing
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(112, 58));   // 'b'
	EXPECT_EQ(0u, control->Pixel(117, 58));
}

TEST_F(SurfaceFontsTest, GlyphsAreClippedToTheCurrentPanel)
{
	vgui::VPANEL p = Make(nullptr, root);
	panels->SetSize(p, 6, 6);
	vgui::HFont font = surface->CreateFont();
	ASSERT_TRUE(surface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 20, 0, 0, 0, 0));
	surface->PushMakeCurrent(p, false);
	surface->DrawSetTextFont(font);
	surface->DrawSetTextPos(-3, -3);
	surface->DrawUnicodeChar(L'X');
	surface->PopMakeCurrent(p);
	EXPECT_NE(0u, control->Pixel(5, 5));
	EXPECT_EQ(0u, control->Pixel(6, 5));
	EXPECT_EQ(0u, control->Pixel(5, 6));
}

TEST_F(SurfaceFontsTest, FontsWithoutAFaceMeasureNothingAndDrawNothing)
{
	vgui::HFont font = surface->CreateFont();
	const struct
	{
		const char *name;
		int tall;
	} refused[] = { { nullptr, 10 }, { VGUI_STANDIN_FIXED_FONT, 0 }, { VGUI_STANDIN_FIXED_FONT, -4 },
		            { VGUI_STANDIN_FIXED_FONT, 100000 } };
	for (const auto &r : refused)
		EXPECT_FALSE(surface->SetFontGlyphSet(font, r.name, r.tall, 0, 0, 0, 0)) << r.tall;
	EXPECT_FALSE(surface->SetFontGlyphSet(0, VGUI_STANDIN_FIXED_FONT, 10, 0, 0, 0, 0));
	EXPECT_FALSE(surface->SetFontGlyphSet(12345, VGUI_STANDIN_FIXED_FONT, 10, 0, 0, 0, 0));

	for (vgui::HFont f : { font, vgui::HFont(0), vgui::HFont(999) })
	{
		EXPECT_EQ(0, surface->GetFontTall(f));
		EXPECT_EQ(0, surface->GetCharacterWidth(f, 'a'));
		surface->DrawSetTextFont(f);
		surface->DrawUnicodeChar(L'a');
	}
	EXPECT_TRUE(control->DrawLog().empty());
}

TEST_F(SurfaceFontsTest, ResetForgetsFonts)
{
	vgui::HFont font = surface->CreateFont();
	ASSERT_TRUE(surface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 12, 0, 0, 0, 0));
	control->Reset();
	EXPECT_EQ(0, surface->GetFontTall(font));
}

// FreeType faces: only where the DejaVu fonts are installed (scripts/setup.sh installs them).
TEST_F(SurfaceFontsTest, FaceFontsRenderThroughFreeType)
{
	vgui::HFont font = surface->CreateFont();
	if (!surface->SetFontGlyphSet(font, "DejaVu Sans", 20, 0, 0, 0, 0))
		GTEST_SKIP() << "no DejaVu Sans installed";
	int tall = surface->GetFontTall(font);
	EXPECT_GE(tall, 20);
	EXPECT_LE(tall, 30);
	EXPECT_GT(surface->GetCharacterWidth(font, 'W'), surface->GetCharacterWidth(font, 'i'));

	// An unknown family falls back to DejaVu Sans: the same measures.
	vgui::HFont other = surface->CreateFont();
	ASSERT_TRUE(surface->SetFontGlyphSet(other, "No Such Family", 20, 0, 0, 0, 0));
	EXPECT_EQ(tall, surface->GetFontTall(other));
	EXPECT_EQ(surface->GetCharacterWidth(font, 'W'), surface->GetCharacterWidth(other, 'W'));

	surface->DrawSetTextFont(font);
	surface->DrawSetTextColor(255, 255, 255, 255);
	surface->DrawSetTextPos(10, 10);
	surface->DrawUnicodeChar(L'H');
	int inked = 0, outside = 0;
	for (int y = 0; y < 60; ++y)
		for (int x = 0; x < 60; ++x)
			if (control->Pixel(x, y))
				(x >= 10 && x < 10 + surface->GetCharacterWidth(font, 'H') && y >= 10 && y < 10 + tall ? inked : outside)++;
	EXPECT_GT(inked, 20);
	EXPECT_EQ(0, outside);
}
}
