// Console commands added from Lua, run by the console outside any script: Lua errors there,
// even from reading the handler's global, are printed and the console goes on.
#include <gtest/gtest.h>

#include "MenuStateFixture.h"
#include "icvar.h"
#include "lua/LuaClass.h"
#include "lua/LuaConsole.h"
#include "lua/LuaLibrary.h"
#include "menu/FoyerixGlobals.h"
#include "tier0/standin.h"
#include "tier1/convar.h"
#include "tier1/tier1.h"
#include "tier1/utlstring.h"
#include "tier1/utlvector.h"

class LuaConsoleTest : public MenuStateTest
{
protected:
	void SetUp() override
	{
		MenuStateTest::SetUp();
		InitLuaLibraries(g_Lua);
		InitLuaClasses(g_Lua);
	}

	// Runs the command as the console does when a player types it.
	void Dispatch(const char *line)
	{
		CCommand command;
		ASSERT_TRUE(command.Tokenize(line));
		ConCommand *handler = g_pCVar->FindCommand(command.Arg(0));
		ASSERT_NE(nullptr, handler);
		handler->Dispatch(command);
	}

	int Complete(const char *name, const char *partial, CUtlVector<CUtlString> &out)
	{
		ConCommand *handler = g_pCVar->FindCommand(name);
		return handler ? handler->AutoCompleteSuggest(partial, out) : -1;
	}
};

TEST_F(LuaConsoleTest, HandlerReceivesTheWordsAndCompletionsComeFromLua)
{
	ASSERT_TRUE(Run("AddConsoleCommand('menu_cmd_a', 'help', 0) "
	                "function InjectConsoleCommand(p, name, args, text) got = name .. '|' .. args[1] .. '|' .. text end "
	                "function InjectCommandAutocomplete(name, rest) return { name .. rest, 'two', 'three', 4, 'after' } end"));
	Dispatch("menu_cmd_a first second");
	EXPECT_EQ("menu_cmd_a|first|first second", Eval("got"));
	CUtlVector<CUtlString> out;
	EXPECT_EQ(3, Complete("menu_cmd_a", "menu_cmd_a x", out));
	ASSERT_EQ(3, out.Count());
	EXPECT_STREQ("menu_cmd_a x", out[0].Get());
	EXPECT_STREQ("three", out[2].Get());
}

TEST_F(LuaConsoleTest, ErrorsOutsideAScriptArePrintedAndTheConsoleGoesOn)
{
	// A strict-globals guard: reading an undefined global raises an error.
	ASSERT_TRUE(Run("AddConsoleCommand('menu_cmd_b', nil, 0) "
	                "setmetatable(_G, { __index = function(_, k) error('undeclared global ' .. k, 2) end })"));
	Tier0OutputCapture output;
	Dispatch("menu_cmd_b 1");
	EXPECT_NE(std::string::npos, output.All().find("undeclared global InjectConsoleCommand")) << output.All();
	CUtlVector<CUtlString> out;
	EXPECT_EQ(0, Complete("menu_cmd_b", "menu_cmd_b ", out));
	EXPECT_NE(std::string::npos, output.All().find("undeclared global InjectCommandAutocomplete"));

	// The handler's own error, and the state stays usable.
	output.Clear();
	ASSERT_TRUE(Run("rawset(_G, 'InjectConsoleCommand', function() error('handler failed') end)"));
	Dispatch("menu_cmd_b");
	EXPECT_NE(std::string::npos, output.All().find("handler failed"));
	EXPECT_EQ(0, m_lua->Top());
	EXPECT_TRUE(Run("rawset(_G, 'after', 1)"));
}
