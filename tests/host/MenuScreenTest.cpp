// The menu's root panels as the game sees them: the base panel handed to the game UI, the
// overlay whose paint raises DrawOverlay and CaptureVideo, and their rebuilding on a reload.
#include <gtest/gtest.h>

#include "MenuHostFixture.h"
#include "engine/standin.h"
#include "vgui/IPanel.h"
#include "vgui/standin.h"

namespace
{
using MenuScreenTest = MenuHostTest;

TEST_F(MenuScreenTest, TheBasePanelCoversTheScreenAndIsHandedToTheGameUI)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	auto *gameUI = static_cast<IGameUIStandIn *>(host.EngineInterface(GAMEUI_STANDIN_INTERFACE_VERSION));
	auto *panels = static_cast<vgui::IPanel *>(host.EngineInterface(VGUI_PANEL_INTERFACE_VERSION));
	ASSERT_NE(gameUI, nullptr);
	ASSERT_NE(panels, nullptr);
	vgui::VPANEL menu = gameUI->MainMenuPanel();
	ASSERT_NE(menu, 0u);
	EXPECT_STREQ(panels->GetName(menu), "MenuBasePanel");
	int x = -1, y = -1, wide = 0, tall = 0;
	panels->GetPos(menu, x, y);
	panels->GetSize(menu, wide, tall);
	EXPECT_EQ(x, 0);
	EXPECT_EQ(y, 0);
	EXPECT_EQ(wide, 640);
	EXPECT_EQ(tall, 480);
	EXPECT_EQ(gameUI->LoadingPanel(), 0u) << "the scripts made no loading panel";

	host.Shutdown();
	EXPECT_EQ(gameUI->MainMenuPanel(), 0u);
}

TEST_F(MenuScreenTest, EachPaintRaisesDrawOverlayThenCaptureVideo)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	for (int i = 0; i < 4; ++i)
		host.Frame();
	EXPECT_EQ(Count("hook.Run DrawOverlay 1\nhook.Run CaptureVideo 1\n"), 4u);
}

TEST_F(MenuScreenTest, AReloadRebuildsTheRootPanelsAndFreesTheOldOnes)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	auto *gameUI = static_cast<IGameUIStandIn *>(host.EngineInterface(GAMEUI_STANDIN_INTERFACE_VERSION));
	ASSERT_NE(gameUI, nullptr);
	host.Frame();
	host.Frame();
	vgui::VPANEL first = gameUI->MainMenuPanel();
	int live = host.VGui()->LivePanelCount();

	if (!Console("menu_reload"))
		GTEST_SKIP() << kOncePerProcess;
	host.Frame();
	host.Frame();
	host.Frame();
	EXPECT_NE(gameUI->MainMenuPanel(), 0u);
	EXPECT_NE(gameUI->MainMenuPanel(), first);
	EXPECT_EQ(host.VGui()->LivePanelCount(), live);
	// The new overlay drives the frames: one Think per frame, none lost or doubled.
	EXPECT_EQ(Count("hook.Call Think 1"), 5u);
}

TEST_F(MenuScreenTest, ShutdownLeavesNoPanelOfThePlugIn)
{
	WriteMenu();
	ASSERT_TRUE(Start());
	host.Frame();
	int running = host.VGui()->LivePanelCount();
	// The base panel and the overlay go at once, not on a later frame; so does the overlay of
	// a StartLua the engine made just before, which it had only marked for deletion.
	host.StartLua();
	host.Shutdown();
	EXPECT_EQ(host.VGui()->LivePanelCount(), running - 2);
	host.VGui()->RunFrame();
	EXPECT_EQ(host.VGui()->LivePanelCount(), running - 2);
}

TEST_F(MenuScreenTest, GetLoadPanelThatGivesNoPanelLeavesNoLoadingPanelAndTheGlobalInPlace)
{
	const char *scripts[] = {
		"function GetLoadPanel() return 5 end",
		"function GetLoadPanel() return nil end",
		"function GetLoadPanel() error('no panel today') end",
		"GetLoadPanel = 'not a function'",
	};
	auto *gameUI = static_cast<IGameUIStandIn *>(host.EngineInterface(GAMEUI_STANDIN_INTERFACE_VERSION));
	WriteMenu();
	for (const char *script : scripts)
	{
		WriteScript("includes/menu.lua", std::string(script) + "\n");
		if (!host.Foyerix())
			ASSERT_TRUE(Start());
		else
			host.StartLua();
		gameUI = static_cast<IGameUIStandIn *>(host.EngineInterface(GAMEUI_STANDIN_INTERFACE_VERSION));
		ASSERT_NE(gameUI, nullptr);
		EXPECT_EQ(gameUI->LoadingPanel(), 0u) << script;
		RunLua("MsgN('GetLoadPanel kept: ', tostring(GetLoadPanel ~= nil))");
		EXPECT_EQ(Count("GetLoadPanel kept: true"), 1u) << script;
		output.Clear();
	}
}

TEST_F(MenuScreenTest, FrameTimeIsTheClockStepBetweenPaints)
{
	WriteMenu();
	options.frameSeconds = 0.02;
	ASSERT_TRUE(Start());
	for (int i = 0; i < 3; ++i)
		host.Frame();
	RunLua("MsgN(string.format('frame time %.4f', FrameTime()))");
	EXPECT_EQ(Count("frame time 0.0200"), 1u) << output.All();
}
}
