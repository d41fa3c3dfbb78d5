// A fresh game folder and Steam folder per test, menu scripts written into it, and the
// stand-in game host that loads the menu plug-in over them.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "GameHost.h"
#include "engine/consolestandin.h"
#include "fixtures/ScratchFolder.h"
#include "lua/ILuaInterface.h"
#include "lua/ILuaShared.h"
#include "lua/standin.h"
#include "tier0/standin.h"

class MenuHostTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(game.Ok());
		ASSERT_TRUE(steam.Ok());
		setenv("ZV_STEAM_DIR", steam.Path().c_str(), 1);
		unsetenv("ZV_GAMEUI_WITHHOLD");
		options.gameFolder = game.Path();
		WriteFile("data/.keep", "");
	}

	void TearDown() override
	{
		host.Shutdown();
		unsetenv("ZV_STEAM_DIR");
	}

	void WriteFile(const std::string &name, const std::string &text)
	{
		std::string path = game / name;
		for (size_t slash = path.find('/', game.Path().size() + 1); slash != std::string::npos;
		     slash = path.find('/', slash + 1))
			mkdir(path.substr(0, slash).c_str(), 0755);
		std::ofstream(path, std::ios::binary) << text;
	}

	void WriteScript(const std::string &name, const std::string &text) { WriteFile("lua/" + name, text); }

	// The five menu scripts, each saying its name; the first defines a hook table that prints
	// each call's name and argument count, and calls handlers set in `on`.
	void WriteMenu(bool withHook = true)
	{
		std::string first = "MsgN('script init_menu CLIENT=', tostring(CLIENT), ' SERVER=', tostring(SERVER))\n";
		if (withHook)
			first += kHookTable;
		WriteScript("includes/init_menu.lua", first);
		WriteScript("quorl/init.lua", "MsgN('script quorl')\n");
		WriteScript("includes/vgui_base.lua", "MsgN('script vgui_base')\n");
		WriteScript("skins/default.lua", "MsgN('script skins')\n");
		WriteScript("includes/menu.lua", "MsgN('script menu')\n");
	}

	bool Start()
	{
		std::string error;
		if (!host.Load(options, &error))
		{
			ADD_FAILURE() << error;
			return false;
		}
		if (!host.Init())
			return false;
		host.StartLua();
		return true;
	}

	// Runs Lua code in the menu state, as a console would.
	void RunLua(const std::string &code)
	{
		ILuaInterface *menu = MenuState();
		ASSERT_NE(menu, nullptr);
		ASSERT_TRUE(menu->RunString("test", "", code.c_str()));
	}

	static ILuaInterface *MenuState() { return LuaStandIn::Service()->GetLuaInterface(LUASTATE_MENU); }

	// Runs console text; false when its command is not registered: the plug-in registers its
	// console objects once per process, at its first Init, so a test that needs one must run
	// in a process of its own (ctest runs each test so).
	bool Console(const char *text)
	{
		auto *console = static_cast<IConsoleStandIn *>(host.EngineInterface(CONSOLE_STANDIN_INTERFACE_VERSION));
		if (!console || console->AutoComplete(text).empty())
			return false;
		console->ExecuteCommandText(text);
		return true;
	}

	static constexpr const char *kOncePerProcess =
	    "the plug-in registers its console commands at its first start-up in a process; run this test alone";

	// How often a text occurs in what was printed.
	size_t Count(const std::string &text) const
	{
		size_t n = 0;
		const std::string &all = output.All();
		for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
			++n;
		return n;
	}

	static constexpr const char *kHookTable =
	    "on = {}\n"
	    "hook = {}\n"
	    "function hook.Call(name, ...)\n"
	    "  MsgN('hook.Call ', name, ' ', select('#', ...) + 1)\n"
	    "  if on[name] then on[name](...) end\n"
	    "end\n"
	    "function hook.Run(name, ...)\n"
	    "  MsgN('hook.Run ', name, ' ', select('#', ...) + 1)\n"
	    "  if on[name] then on[name](...) end\n"
	    "end\n";

	ScratchFolder game;
	ScratchFolder steam;
	GameHost::Options options;
	GameHost host;
	Tier0OutputCapture output;
};
