// The named-font registry: look-ups by name and handle, and rebuilding every font.
#include <gtest/gtest.h>

#include "MenuStateFixture.h"
#include "menu/Fonts.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"

namespace
{
using FontsTest = MenuStateTest;

TEST_F(FontsTest, LookUpsByNameAndHandleLeaveTheListAlone)
{
	Zorvan::Fonts::FontList &list = Zorvan::Fonts::List();
	size_t before = list.size();
	EXPECT_EQ(0u, Zorvan::Fonts::FindHandle("FontsTest.Never"));
	EXPECT_EQ(0u, Zorvan::Fonts::FindHandle(nullptr));
	EXPECT_EQ(before, list.size());

	// Two names sharing a handle: the first in byte-wise name order ("B" < "a") answers.
	list["FontsTest.a"].handle = 0xF0F0;
	list["FontsTest.B"].handle = 0xF0F0;
	EXPECT_EQ(0xF0F0u, Zorvan::Fonts::FindHandle("FontsTest.a"));
	EXPECT_EQ(0u, Zorvan::Fonts::FindHandle("fontstest.a")) << "names are case-sensitive";
	EXPECT_STREQ("FontsTest.B", Zorvan::Fonts::FindByHandle(0xF0F0));
	EXPECT_EQ(nullptr, Zorvan::Fonts::FindByHandle(0xF0F1));
	list.erase("FontsTest.a");
	list.erase("FontsTest.B");
}

TEST_F(FontsTest, RefreshReappliesEveryDescriptionToItsHandle)
{
	ASSERT_NE(nullptr, g_pVGuiSurface);
	m_lua = m_harness->Open(true);
	ASSERT_TRUE(Run("surface.CreateFont('FontsTest.One', { font = 'ZvFixed', size = 10 })"
	                "surface.CreateFont('FontsTest.Two', { font = 'ZvFixed', size = 12 })"));
	vgui::HFont one = Zorvan::Fonts::FindHandle("FontsTest.One");
	vgui::HFont two = Zorvan::Fonts::FindHandle("FontsTest.Two");
	ASSERT_NE(0u, one);
	ASSERT_NE(one, two);
	EXPECT_EQ(10, g_pVGuiSurface->GetFontTall(one));

	// The surface lost its glyph sets (as after a screen change); Refresh restores them from
	// the descriptions, truncating the height.
	Zorvan::Fonts::List()["FontsTest.One"].tall = 30.9f;
	g_pVGuiSurface->SetFontGlyphSet(two, "ZvFixed", 99, 0, 0, 0, 0);
	Zorvan::Fonts::Refresh();
	EXPECT_EQ(30, g_pVGuiSurface->GetFontTall(one));
	EXPECT_EQ(12, g_pVGuiSurface->GetFontTall(two));
}
}
