// Registration of the achievements, video, engine, system and material bindings: their places
// in the install order, their functions' order, and the classes' type ids.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"

namespace
{
using LuaServiceLibrariesTest = MenuStateTest;

std::vector<std::string> LibraryOrder()
{
	std::vector<std::string> names;
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		if (CLuaLibrary *lib = dynamic_cast<CLuaLibrary *>((*g_LuaUsers)[i]))
			names.push_back(lib->GetName());
	return names;
}

const CLuaLibrary *Library(const std::string &name)
{
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		if (CLuaLibrary *lib = dynamic_cast<CLuaLibrary *>((*g_LuaUsers)[i]))
			if (name == lib->GetName())
				return lib;
	return nullptr;
}

TEST_F(LuaServiceLibrariesTest, LibrariesJoinInRegistrationOrderWithTheirFunctionsInOrder)
{
	std::vector<std::string> order = LibraryOrder();
	auto pos = [&](const char *n) {
		for (size_t i = 0; i < order.size(); ++i)
			if (order[i] == n)
				return static_cast<int>(i);
		return -1;
	};
	// Test programs register their own libraries first; of the plug-in's, achievements leads.
	ASSERT_NE(-1, pos("achievements"));
	EXPECT_LT(pos("achievements"), pos("motionsensor"));
	EXPECT_LT(pos("motionsensor"), pos("video"));
	EXPECT_LT(pos("video"), pos("engine"));
	EXPECT_LT(pos("engine"), pos("system"));
	EXPECT_LT(pos("system"), pos("timer"));

	const struct
	{
		const char *library;
		std::vector<std::string> functions;
	} cases[] = {
		{ "achievements", { "Count", "GetName", "GetDesc", "GetGoal", "GetCount", "IsAchieved" } },
		{ "video", { "Record" } },
		{ "engine",
		  { "GetAddons", "SetMounted", "GetGames", "GetGamemodes", "ActiveGamemode", "IsPlayingDemo",
		    "IsRecordingDemo", "GetDemoPlaybackTick", "GetDemoPlaybackStartTick", "GetDemoPlaybackTimeScale",
		    "GetDemoPlaybackTotalTicks", "TickInterval" } },
		{ "system", { "IsWindows", "IsOSX", "IsLinux", "HasFocus", "BatteryPower", "AppTime", "UpTime", "SteamTime",
		              "GetCountry" } },
	};
	for (const auto &c : cases)
	{
		const CLuaLibrary *lib = Library(c.library);
		ASSERT_NE(nullptr, lib) << c.library;
		std::vector<std::string> names;
		for (int i = 0; i < lib->Functions().Count(); ++i)
			names.push_back(lib->Functions()[i]->m_pName);
		EXPECT_EQ(c.functions, names) << c.library;
	}
}

TEST_F(LuaServiceLibrariesTest, ClassesCarryTheirTypeIdsAndMaterialsPrecedeVector)
{
	InitLuaLibraries(g_Lua);
	InitLuaClasses(g_Lua);
	int material = -1, texture = -1, vector = -1, writer = -1;
	for (int i = 0; i < g_LuaClasses->Count(); ++i)
	{
		std::string name = (*g_LuaClasses)[i]->GetName();
		int type = (*g_LuaClasses)[i]->GetType();
		if (name == "IMaterial") { material = i; EXPECT_EQ(21, type); }
		if (name == "ITexture") { texture = i; EXPECT_EQ(25, type); }
		if (name == "IVideoWriter") { writer = i; EXPECT_EQ(33, type); }
		if (name == "Vector") vector = i;
	}
	ASSERT_NE(-1, material);
	EXPECT_EQ(material + 1, texture);
	EXPECT_LT(texture, vector);
	EXPECT_LT(writer, material);
	EXPECT_EQ("function", Eval("type(FindMetaTable('IMaterial').Recompute)"));
	EXPECT_EQ("nil", Eval("FindMetaTable('ITexture').__gc")) << "textures are borrowed";
}
}
