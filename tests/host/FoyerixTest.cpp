// The menu host behind "Foyerix002", loaded from libfoyerix.so by the stand-in game: start-up
// and its fatal failures, the menu scripts, the per-frame step, reloads, server details, Lua
// errors, download reports and shut-down.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "MenuHostFixture.h"
#include "engine/standin.h"
#include "filesystem/IContentManagers.h"
#include "filesystem/IFileSystem.h"
#include "lua/ILuaCallback.h"

namespace
{
using FoyerixTest = MenuHostTest;
using FoyerixDeathTest = MenuHostTest;

TEST_F(FoyerixTest, StartLuaRunsTheMenuScriptsInOrderThenMenuStart)
{
	WriteMenu();
	// A failing script does not stop the ones after it.
	WriteScript("quorl/init.lua", "MsgN('script quorl')\nerror('quorl broke')\n");
	ASSERT_TRUE(Start());

	const std::string &all = output.All();
	size_t at = 0;
	for (const char *step : { "script init_menu CLIENT=true SERVER=false", "quorl broke", "script vgui_base",
	                          "script skins", "script menu", "hook.Call MenuStart 1" })
	{
		size_t found = all.find(step, at);
		ASSERT_NE(found, std::string::npos) << step << " missing after offset " << at << " in:\n" << all;
		at = found;
	}
	EXPECT_NE(MenuState(), nullptr);
}

TEST_F(FoyerixTest, ThinkCallsThinkTheGameAndTimersEachFrame)
{
	WriteMenu();
	WriteScript("includes/menu.lua", "timer.Simple(0.05, function() MsgN('timer fired') end)\n");
	ASSERT_TRUE(Start());
	for (int i = 0; i < 5; ++i)
		host.Frame();
	EXPECT_EQ(Count("hook.Call Think 1"), 5u);
	EXPECT_EQ(host.MenuFrames(), 5);
	EXPECT_EQ(Count("timer fired"), 1u);
}

TEST_F(FoyerixTest, WithoutAHookTableThinkRunsTimersButNotTheGameStepOrAReload)
{
	WriteMenu(false);
	WriteScript("includes/menu.lua", "timer.Simple(0.01, function() MsgN('timer fired') end)\n");
	ASSERT_TRUE(Start());
	if (!Console("menu_reload"))
		GTEST_SKIP() << kOncePerProcess;
	for (int i = 0; i < 3; ++i)
		host.Frame();
	EXPECT_EQ(Count("timer fired"), 1u);
	EXPECT_EQ(host.MenuFrames(), 0);
	EXPECT_EQ(Count("script init_menu"), 1u);

	// Once the hook exists the waiting reload happens, on that frame.
	RunLua(kHookTable);
	host.Frame();
	EXPECT_EQ(host.MenuFrames(), 1);
	EXPECT_EQ(Count("script init_menu"), 2u);
}

TEST_F(FoyerixTest, MenuReloadTwiceBeforeAFrameReloadsOnceIntoAFreshState)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	host.Frame();
	RunLua("leftover = 1");
	size_t contentChanges = Count("hook.Call GameContentChanged 1");

	if (!Console("menu_reload"))
		GTEST_SKIP() << kOncePerProcess;
	Console("menu_reload");
	host.Frame();
	host.Frame();
	EXPECT_EQ(Count("script init_menu CLIENT=true SERVER=false"), 2u);
	EXPECT_EQ(Count("hook.Call MenuStart 1"), 2u);
	ASSERT_NE(MenuState(), nullptr);
	RunLua("MsgN('leftover is ', tostring(leftover))");
	EXPECT_EQ(Count("leftover is nil"), 1u);
	// The reload refreshed the mounted content, so the new state hears of it once.
	EXPECT_EQ(Count("hook.Call GameContentChanged 1"), contentChanges + 1);
}

TEST_F(FoyerixTest, ContentChangesRaiseGameContentChangedOnceInTheMenuState)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	host.Frame();
	size_t before = Count("hook.Call GameContentChanged 1");
	host.Frame();
	EXPECT_EQ(Count("hook.Call GameContentChanged 1"), before) << "unchanged content raises nothing";

	host.FileSystem()->MountedContentChanged();
	host.Frame();
	host.Frame();
	EXPECT_EQ(Count("hook.Call GameContentChanged 1"), before + 1);
}

TEST_F(FoyerixTest, OnLuaErrorPassesThreeArgumentsOrFiveWithTheAddon)
{
	WriteMenu();
	WriteScript("includes/menu.lua",
	            "on.OnLuaError = function(...) MsgN('error args: ', table.concat({...}, '|')) end\n");
	ASSERT_TRUE(Start());

	CLuaError error;
	error.text = "bad thing";
	error.realm = "client";
	host.Foyerix()->OnLuaError(&error, nullptr);
	EXPECT_EQ(Count("hook.Run OnLuaError 3"), 1u);
	EXPECT_EQ(Count("error args: bad thing|client\n"), 1u);

	Addon::Information addon;
	addon.title = "Big Addon";
	addon.wsid = 18446744073709551615ull;
	host.Foyerix()->OnLuaError(&error, &addon);
	EXPECT_EQ(Count("hook.Run OnLuaError 5"), 1u);
	EXPECT_EQ(Count("error args: bad thing|client|Big Addon|18446744073709551615"), 1u);
}

TEST_F(FoyerixTest, ServerDetailsGoToGameDetailsWithTheSteamIdAndTheGameMode)
{
	WriteMenu();
	WriteScript("includes/menu.lua",
	            "function GameDetails(...) MsgN('details: ', select('#', ...), ' ', table.concat({...}, '|')) end\n");
	ASSERT_TRUE(Start());
	auto *content = static_cast<IGameContentStandIn *>(host.EngineInterface(GAME_CONTENT_STANDIN_INTERFACE_VERSION));
	ASSERT_NE(content, nullptr);
	content->ClearContentLog();

	host.Foyerix()->ServerDetails("Server", "http://x/load", "gm_flat", 24, "sandbox");
	const std::string &all = output.All();
	size_t at = all.find("details: 6 Server|http://x/load|gm_flat|24|");
	ASSERT_NE(at, std::string::npos) << all;
	EXPECT_NE(all.find("|sandbox", at), std::string::npos);
	ASSERT_FALSE(content->ContentLog().empty());
	EXPECT_EQ(content->ContentLog().front(), "server_gamemode sandbox");

	// Without a GameDetails function the details are dropped.
	RunLua("GameDetails = 5");
	host.Foyerix()->ServerDetails("Server", "", "", 1, "sandbox");
	EXPECT_EQ(Count("details: "), 1u);
}

TEST_F(FoyerixTest, DownloadReportsReachTheMenuHooksUntilShutdown)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	auto *content = static_cast<IGameContentStandIn *>(host.EngineInterface(GAME_CONTENT_STANDIN_INTERFACE_VERSION));
	ASSERT_NE(content, nullptr);
	AddonDownloadNotifications *receiver = content->DownloadNotifications();
	ASSERT_NE(receiver, nullptr);
	receiver->DownloadTotals(-1, 3);
	EXPECT_EQ(Count("hook.Call WorkshopDownloadTotals 4"), 1u);

	host.Shutdown();
	EXPECT_EQ(content->DownloadNotifications(), nullptr);
	EXPECT_EQ(MenuState(), nullptr);
}

TEST_F(FoyerixTest, InitFailsQuietlyWhenTheVguiInterfacesAreMissing)
{
	WriteMenu();
	options.withheld = { "VGUI_System010" };
	std::string error;
	ASSERT_TRUE(host.Load(options, &error)) << error;
	EXPECT_FALSE(host.Init());
}

struct FatalCase
{
	const char *withheld;
	const char *message;
};

TEST_F(FoyerixDeathTest, EachMissingEngineInterfaceEndsStartUpWithItsMessage)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	const FatalCase cases[] = {
		{ "VGUI_InputInternal001", "Foyerix: Couldn't load InputInternal" },
		{ "VENGINE_GAMEUIFUNCS_VERSION005", "Foyerix: Couldn't load IGameUIFuncs" },
		{ "VEngineVGui001", "Foyerix: Couldn't load enginevgui" },
		{ "VEngineClient015", "Foyerix: Couldn't load engine" },
	};
	WriteMenu();
	for (const FatalCase &c : cases)
	{
		options.withheld = { c.withheld };
		EXPECT_DEATH(
		    {
			    std::string error;
			    if (host.Load(options, &error))
				    host.Init();
		    },
		    c.message)
		    << c.withheld;
	}
}

TEST_F(FoyerixDeathTest, NoSteamIsFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	options.startSteam = false;
	EXPECT_DEATH(
	    {
		    std::string error;
		    if (host.Load(options, &error))
			    host.Init();
	    },
	    "No Steam API\\. Try restarting Steam\\.");
}

TEST_F(FoyerixDeathTest, AMissingGameUIModuleIsFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	// A game root without bin/gameui.so.
	options.gameRoot = game.Path();
	EXPECT_DEATH(
	    {
		    std::string error;
		    if (host.Load(options, &error))
			    host.Init();
	    },
	    "Couldn't begin to load custom GameUI");
}

TEST_F(FoyerixDeathTest, AGameUIModuleWithoutItsInterfaceIsFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	setenv("ZV_GAMEUI_WITHHOLD", "1", 1);
	EXPECT_DEATH(
	    {
		    std::string error;
		    if (host.Load(options, &error))
			    host.Init();
	    },
	    "Couldn't load custom GameUI");
	unsetenv("ZV_GAMEUI_WITHHOLD");
}
}
