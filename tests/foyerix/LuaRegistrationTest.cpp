// Registration at load and installation into menu states: order, classes, the binding
// pattern's errors, and Lua errors unwinding through C++ frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"

namespace
{
int g_DestructorsRun = 0;

struct CountsDestruction
{
	~CountsDestruction() { ++g_DestructorsRun; }
};

struct Widget
{
	int value;
};

CLuaClass LC_Widget("Widget", 40, nullptr, nullptr);

LUA_CLASS_METHOD(Widget, GetValue, LC_Widget)
{
	Widget *w = static_cast<Widget *>(LC_Widget.Get(1));
	if (!w)
		LuaInvalidObject("Widget");
	pLua->PushNumber(w->value);
	return 1;
}

LUA_LIBRARY(testlib);

LUA_FUNCTION(testlib, Add)
{
	pLua->PushNumber(pLua->CheckNumber(1) + pLua->CheckNumber(2));
	return 1;
}

LUA_FUNCTION(testlib, RaiseWithLocal)
{
	CountsDestruction guard;
	std::string owned(200, 'x');
	pLua->ErrorFormat("raised %s", "here");
	return 0;
}

// A library without functions never takes part.
LUA_LIBRARY(emptylib);
}

using LuaRegistrationTest = MenuStateTest;

TEST_F(LuaRegistrationTest, UsersFollowRegistrationOrderAndEmptyLibrariesStayOut)
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
	EXPECT_EQ(-1, pos("emptylib"));
	ASSERT_NE(-1, pos("GLOBAL"));
	ASSERT_NE(-1, pos("timer"));
	EXPECT_LT(pos("GLOBAL"), pos("timer"));

	InitLuaLibraries(g_Lua);
	EXPECT_EQ("nil", Eval("emptylib"));
	EXPECT_EQ("5", Eval("testlib.Add(2, 3)"));
}

TEST_F(LuaRegistrationTest, InstallingAgainGivesAFreshStateItsOwnTables)
{
	InitLuaLibraries(g_Lua);
	InitLuaClasses(g_Lua);
	ASSERT_TRUE(Run("testlib.marker = 1"));
	CloseState();
	OpenState();
	InitLuaLibraries(g_Lua);
	InitLuaClasses(g_Lua);
	EXPECT_EQ("nil", Eval("testlib.marker"));
	EXPECT_EQ("5", Eval("testlib.Add(2, 3)"));
	EXPECT_EQ("function", Eval("type(Vector)"));
}

TEST_F(LuaRegistrationTest, ClassUserdataCarryTheirTypeAndReportMisuse)
{
	InitLuaLibraries(g_Lua);
	InitLuaClasses(g_Lua);
	Widget w{ 42 };
	LC_Widget.Push(&w);
	m_lua->Global()->SetMember("w");
	LC_Widget.Push(nullptr);
	m_lua->Global()->SetMember("dead");

	EXPECT_EQ("42", Eval("w:GetValue()"));
	EXPECT_EQ("1", Eval("({pcall(w.GetValue, Vector(1,2,3))})[2]:find('Widget expected') and 1"));
	EXPECT_NE(std::string::npos,
	          Eval("select(2, pcall(w.GetValue, dead))")
	              .find("Tried to use invalid object (type Widget) (Object was NULL or not of the right type)"));
	EXPECT_EQ(1, Widget_GetValue__Factory.m_iCalls > 0 ? 1 : 0);
	m_lua->PushNil();
	m_lua->Global()->SetMember("w");
}

TEST_F(LuaRegistrationTest, LuaErrorsUnwindThroughBindingFrames)
{
	InitLuaLibraries(g_Lua);
	g_DestructorsRun = 0;
	EXPECT_EQ("false", Eval("pcall(testlib.RaiseWithLocal)"));
	EXPECT_EQ(1, g_DestructorsRun);
	EXPECT_NE(std::string::npos, Eval("select(2, pcall(testlib.RaiseWithLocal))").find("raised here"));
}
