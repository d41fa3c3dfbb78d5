// The gui and input libraries from C++: where they are installed, and the gui library without
// the engine's internal input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "lua/LuaLibrary.h"
#include "menu/Foyerix.h"

namespace
{
using LuaGuiTest = MenuStateTest;

TEST_F(LuaGuiTest, GuiAndInputFollowAchievementsBeforeMotionSensor)
{
	std::vector<std::string> names;
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		if (CLuaLibrary *lib = dynamic_cast<CLuaLibrary *>((*g_LuaUsers)[i]))
			names.push_back(lib->GetName());
	auto pos = [&](const std::string &n) {
		for (size_t i = 0; i < names.size(); ++i)
			if (names[i] == n)
				return static_cast<int>(i);
		return -1;
	};
	ASSERT_NE(-1, pos("gui"));
	EXPECT_EQ(pos("achievements") + 1, pos("gui"));
	EXPECT_EQ(pos("gui") + 1, pos("input"));
	EXPECT_EQ(pos("input") + 1, pos("motionsensor"));
}

TEST_F(LuaGuiTest, WithoutTheInternalInputTheCursorReadsZeroAndEventsAreDropped)
{
	m_lua = m_harness->Open(true);
	vgui::IInputInternal *saved = g_InputInternal;
	g_InputInternal = nullptr;
	EXPECT_TRUE(Run("gui.SetMousePos(5, 5) gui.InternalCursorMoved(1, 2) gui.InternalMousePressed(107)"
	                "gui.InternalMouseReleased(107) gui.InternalKeyCodePressed(11) x, y = gui.MousePos()"));
	EXPECT_EQ("0", Eval("x"));
	EXPECT_EQ("0", Eval("y"));
	g_InputInternal = saved;
}
}
