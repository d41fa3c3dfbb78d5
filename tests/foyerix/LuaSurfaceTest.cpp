// The surface library from C++: registration order, font descriptions as registered, scheme
// fonts, and the text size before any font was chosen.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "lua/LuaLibrary.h"
#include "menu/Fonts.h"
#include "tier1/tier3.h"
#include "vgui/IScheme.h"

namespace
{
using LuaSurfaceTest = MenuStateTest;

std::vector<std::string> LibraryOrder()
{
	std::vector<std::string> names;
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		if (CLuaLibrary *lib = dynamic_cast<CLuaLibrary *>((*g_LuaUsers)[i]))
			names.push_back(lib->GetName());
	return names;
}

TEST_F(LuaSurfaceTest, SurfaceFollowsLanguageAndBringsTheGlobalLibrary)
{
	std::vector<std::string> names = LibraryOrder();
	auto pos = [&](const std::string &n) {
		for (size_t i = 0; i < names.size(); ++i)
			if (names[i] == n)
				return static_cast<int>(i);
		return -1;
	};
	ASSERT_NE(-1, pos("surface"));
	EXPECT_EQ(pos("language") + 1, pos("surface"));
	EXPECT_EQ(pos("surface") + 1, pos("GLOBAL"));
	EXPECT_LT(pos("GLOBAL"), pos("video"));
}

TEST_F(LuaSurfaceTest, DescriptionsAreRegisteredWithDefaultsLimitsAndAliases)
{
	m_lua = m_harness->Open(true);
	ASSERT_TRUE(Run("surface.CreateFont('LuaSurfaceTest.Plain', {})"
	                "surface.CreateFont('LuaSurfaceTest.Rich', { font = 'Roboto Bk', size = 2.5, weight = 800.5,"
	                " blursize = 3.9, scanlines = 2, italic = true, antialias = false, outline = true,"
	                " shadow = 1 })"
	                "surface.CreateFont('LuaSurfaceTest.Nan', { font = 'Roboto', size = 0/0 })"
	                "surface.CreateFont('LuaSurfaceTest.Case', { font = 'roboto' })"));
	const Zorvan::Fonts::FontList &list = Zorvan::Fonts::List();
	const Zorvan::Fonts::Container &plain = list.at("LuaSurfaceTest.Plain");
	EXPECT_EQ("LuaSurfaceTest.Plain", plain.name);
	EXPECT_EQ("Arial", plain.face);
	EXPECT_EQ(13.0f, plain.tall);
	EXPECT_EQ(500.0f, plain.weight);
	EXPECT_EQ(Zorvan::Fonts::FLAG_ANTIALIAS, plain.flags);
	EXPECT_NE(0u, plain.handle);

	const Zorvan::Fonts::Container &rich = list.at("LuaSurfaceTest.Rich");
	EXPECT_EQ("Roboto-Black", rich.face);
	EXPECT_EQ(4.0f, rich.tall);
	EXPECT_EQ(800.5f, rich.weight);
	EXPECT_EQ(3, rich.blur);
	EXPECT_EQ(2, rich.scanlines);
	EXPECT_EQ(Zorvan::Fonts::FLAG_ITALIC | Zorvan::Fonts::FLAG_OUTLINE, rich.flags) << "only true booleans count";

	EXPECT_EQ("Roboto-Regular", list.at("LuaSurfaceTest.Nan").face);
	EXPECT_EQ(128.0f, list.at("LuaSurfaceTest.Nan").tall) << "a size that is not a number gives 128";
	EXPECT_EQ("roboto", list.at("LuaSurfaceTest.Case").face) << "aliases compare exactly";
}

TEST_F(LuaSurfaceTest, SetFontFallsBackToTheSchemeAndTextSizeNeedsAFont)
{
	m_lua = m_harness->Open(true);
	EXPECT_EQ("0", Eval("select('#', surface.GetTextSize('abc'))")) << "no font chosen yet";

	std::ofstream(m_harness->gameFolder + "/surfacetest.res") << R"("Scheme"
{
	Fonts
	{
		SchemeFont { "1" { "name" "ZvFixed" "tall" "6" } }
	}
})";
	ASSERT_NE(0u, g_pVGuiSchemeManager->LoadSchemeFromFile("surfacetest.res", "SurfaceTest"));
	ASSERT_TRUE(Run("surface.SetFont('SchemeFont') w, h = surface.GetTextSize('abcd')"));
	EXPECT_EQ("12", Eval("w"));
	EXPECT_EQ("6", Eval("h"));
	EXPECT_EQ(0u, Zorvan::Fonts::FindHandle("SchemeFont")) << "scheme fonts are not registered";
	EXPECT_FALSE(Run("surface.SetFont('NoSuchFont')"));
}
}
