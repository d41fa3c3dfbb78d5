// The menu state's callback object: value objects, coloured messages and script errors.
#include <gtest/gtest.h>

#include "MenuStateFixture.h"
#include "lua/LuaObject.h"
#include "menu/LuaMenuCallback.h"
#include "tier0/standin.h"

using LuaMenuCallbackTest = MenuStateTest;

namespace
{
void ExpectColour(const Tier0OutputCapture::ColorText &run, int r, int g, int b, int a)
{
	EXPECT_EQ(run.kind, Tier0OutputKind::Msg);
	EXPECT_EQ(run.rgba[0], r);
	EXPECT_EQ(run.rgba[1], g);
	EXPECT_EQ(run.rgba[2], b);
	EXPECT_EQ(run.rgba[3], a);
}
}

TEST_F(LuaMenuCallbackTest, MessagesGoOutInTheMessageOrTheGivenColour)
{
	Tier0OutputCapture capture;
	g_LuaCallback.Msg("hello %d\n", false);  // the text is printed as is, never as a format
	g_LuaCallback.MsgColour("tinted", Color(1, 2, 3, 4));
	EXPECT_EQ(capture.Of(Tier0OutputKind::Msg), "hello %d\ntinted");
	ASSERT_EQ(capture.Colored().size(), 2u);
	ExpectColour(capture.Colored()[0], 100, 220, 100, 200);
	ExpectColour(capture.Colored()[1], 1, 2, 3, 4);
}

TEST_F(LuaMenuCallbackTest, ScriptErrorPrintsOneLinePerStackEntryInTheErrorColour)
{
	const CLuaError::StackEntry stack[3] = {
		{"lua/a.lua", "Fn", 12}, {"lua/b.lua", "", 3}, {"[C]", "pcall", -1}};
	CLuaError error;
	error.text = "boom";
	error.stack = stack;
	error.stackCount = 3;

	Tier0OutputCapture capture;
	g_LuaCallback.LuaError(&error);
	EXPECT_EQ(capture.All(), "MENU ERROR: boom\n\tlua/a.lua:12 [Fn]\n\tlua/b.lua:3 []\n\t[C]:-1 [pcall]\n");
	ASSERT_EQ(capture.Colored().size(), 4u);
	for (const auto &run : capture.Colored())
		ExpectColour(run, 120, 220, 100, 255);

	capture.Clear();
	error.stackCount = 0;
	g_LuaCallback.LuaError(&error);
	EXPECT_EQ(capture.All(), "MENU ERROR: boom\n");
}

TEST_F(LuaMenuCallbackTest, MadeObjectsAreEmptyAndDestroyedByTheCallback)
{
	ILuaObject *obj = g_LuaCallback.CreateLuaObject();
	ASSERT_NE(nullptr, obj);
	EXPECT_TRUE(obj->isNil());
	g_LuaCallback.DestroyLuaObject(obj);
	g_LuaCallback.DestroyLuaObject(nullptr);
}

TEST_F(LuaMenuCallbackTest, ErrorPrintEndsTheProcess)
{
	EXPECT_DEATH(g_LuaCallback.ErrorPrint("fatal menu text", false), "fatal menu text");
}
