// The menu globals and the game library over the stand-in engine: game UI commands, download
// lists, joining, the client state, folders, console completion, and save and demo headers.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "engine/standin.h"
#include "lua/ILuaShared.h"
#include "lua/LuaLibrary.h"
#include "lua/standin.h"
#include "menu/FoyerixGlobals.h"
#include "menu/FrameTime.h"
#include "menu/HostInterfaces.h"
#include "menu/LuaMenuCallback.h"
#include "tier0/standin.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/tier3.h"
#include "platform/engine/EngineLibrary.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace
{
ConVar mgtest_alpha("mgtest_alpha", "0");
ConVar mgtest_Beta("MGTEST_Beta", "0");
ConVar mgtest_hidden("mgtest_hidden", "0", 0x10);
ConVar mgtest_devonly("mgtest_devonly", "0", 0x2);

int CompleteMgMap(const char *, char out[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH])
{
	strcpy(out[0], "mgmap one");
	strcpy(out[1], "two");
	return 2;
}
void NoOp(const CCommand &) {}
ConCommand mgmap("mgmap", NoOp, "", 0, CompleteMgMap);
ConCommand mgplain("mgplain", NoOp);

class MenuGlobalsTest : public MenuStateTest
{
protected:
	void SetUp() override
	{
		MenuStateTest::SetUp();
		InitLuaLibraries(m_lua);
	}

	void WriteFile(const std::string &name, const std::vector<unsigned char> &bytes)
	{
		std::ofstream out(m_harness->gameFolder + "/" + name, std::ios::binary);
		out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
	}

	// The number of values a call returns, then the values as "a,b,c".
	std::string Results(const std::string &call)
	{
		return Eval("(function(...) local t = {} for i = 1, select('#', ...) do t[i] = tostring((select(i, ...))) end "
		            "return select('#', ...) .. ':' .. table.concat(t, ',') end)(" + call + ")");
	}
};

std::vector<unsigned char> Bytes(const std::string &text) { return {text.begin(), text.end()}; }
}

TEST_F(MenuGlobalsTest, SaveFileDetailsReadMapAndRemainingSize)
{
	std::string file = "ZVS3";
	file += "d1_canals";
	file += '\0';
	file += std::string(1000, 'x');
	WriteFile("game.sav", Bytes(file));
	ASSERT_TRUE(Run("S = GetSaveFileDetails('game.sav')"));
	EXPECT_EQ("d1_canals", Eval("S.map"));
	EXPECT_EQ("0", Eval("S.time"));
	EXPECT_EQ("1000", Eval("S.size"));

	WriteFile("tiny.sav", Bytes(std::string("ZVS3\0", 5)));
	ASSERT_TRUE(Run("S = GetSaveFileDetails('tiny.sav')"));
	EXPECT_EQ("", Eval("S.map"));
	EXPECT_EQ("0", Eval("S.size"));
}

TEST_F(MenuGlobalsTest, SaveFileDetailsFailuresPrintAndReturnNothing)
{
	WriteFile("bad.sav", Bytes("ZVS2map"));
	WriteFile("short.sav", Bytes("ZV"));
	struct Case
	{
		const char *path;
		const char *message;
	} cases[] = {
		{"missing.sav", "GetSaveFileDetails: Couldn't open file"},
		{"../escape.sav", "GetSaveFileDetails: Couldn't open file"},
		{"bad.sav", "GetSaveFileDetails/ReadFromBuffer: Invalid save file"},
		{"short.sav", "GetSaveFileDetails/ReadFromBuffer: Invalid save file"},
	};
	for (const Case &c : cases)
	{
		SCOPED_TRACE(c.path);
		Tier0OutputCapture capture;
		EXPECT_EQ("0:", Results(std::string("GetSaveFileDetails('") + c.path + "')"));
		EXPECT_EQ(c.message, capture.Of(Tier0OutputKind::Msg));
	}
	EXPECT_FALSE(Run("GetSaveFileDetails()"));  // not a string: the argument error
}

TEST_F(MenuGlobalsTest, DemoFileDetailsGiveTheTenKeys)
{
	std::vector<unsigned char> demo(1500, 0);
	memcpy(demo.data(), "ZORV\1\2\3\4", 8);
	demo[8] = 3;                                       // demo protocol
	demo[12] = 0x18; demo[13] = 0x00; demo[14] = 0x01; // network protocol 65560
	memcpy(&demo[16], "Srv", 3);
	memcpy(&demo[536], "maps/a", 6);
	memcpy(&demo[796], std::string(260, 'g').data(), 260);  // no NUL inside the field
	float t = 2.5f;
	memcpy(&demo[1056], &t, 4);  // the test machine is little-endian
	demo[1060] = 0x10; demo[1064] = 7; demo[1068] = 0xFF; demo[1069] = 0xFF; demo[1070] = 0xFF; demo[1071] = 0xFF;
	WriteFile("a.dem", demo);
	ASSERT_TRUE(Run("D = GetDemoFileDetails('a.dem')"));
	const char *expected[][2] = {
		{"demoprotocol", "3"}, {"networkprotocol", "65560"}, {"servername", "Srv"}, {"clientname", ""},
		{"mapname", "maps/a"}, {"playback_time", "2.5"}, {"playback_ticks", "16"}, {"playback_frames", "7"},
		{"signonlength", "-1"},
	};
	for (const auto &e : expected)
		EXPECT_EQ(e[1], Eval(std::string("D.") + e[0])) << e[0];
	EXPECT_EQ(std::string(260, 'g'), Eval("D.gamedirectory"));
	EXPECT_EQ("10", Eval("(function() local n = 0 for _ in pairs(D) do n = n + 1 end return n end)()"));

	WriteFile("short.dem", std::vector<unsigned char>(demo.begin(), demo.begin() + 1071));
	std::vector<unsigned char> wrong = demo;
	wrong[0] = 'X';
	WriteFile("wrong.dem", wrong);
	Tier0OutputCapture capture;
	for (const char *path : {"short.dem", "wrong.dem", "none.dem"})
		EXPECT_EQ("0:", Results(std::string("GetDemoFileDetails('") + path + "')")) << path;
	EXPECT_EQ("", capture.All());
}

TEST_F(MenuGlobalsTest, GetMapStripsFolderAndExtension)
{
	struct Case
	{
		const char *level;
		const char *map;
	} cases[] = {
		{"maps/example.bsp", "example"}, {"", "menu"}, {"ab.bsp", "menu"}, {"abcd", ""}, {"maps/", ""},
		{nullptr, "menu"},
	};
	for (const Case &c : cases)
	{
		m_harness->control->SetLevelName(c.level);
		EXPECT_EQ(c.map, Eval("game.GetMap()")) << (c.level ? c.level : "(none)");
	}
}

TEST_F(MenuGlobalsTest, JoinServerRunsTheConnectLine)
{
	m_harness->control->ClearExecutedCommands();
	ASSERT_TRUE(Run("JoinServer('10.0.0.1:27015')"));
	ASSERT_TRUE(Run("JoinServer(string.rep('9', 300))"));
	// Text that would end the line and start another command is not run.
	ASSERT_TRUE(Run("JoinServer('1.2.3.4;quit') JoinServer('1.2.3.4\\nquit') JoinServer('a\"b')"));
	const auto &commands = m_harness->control->ExecutedCommands();
	ASSERT_EQ(2u, commands.size());
	EXPECT_EQ("connect 10.0.0.1:27015 serverbrowser\n", commands[0]);
	EXPECT_EQ(255u, commands[1].size());
	EXPECT_EQ("connect " + std::string(247, '9'), commands[1]);
}

TEST_F(MenuGlobalsTest, DownloadListsFollowTheStringTables)
{
	// No tables yet, then no container at all.
	EXPECT_EQ("0:", Results("GetDownloadables()"));
	EXPECT_EQ("1:0", Results("NumDownloadables()"));
	EXPECT_EQ("0:", Results("TranslateDownloadableName('lua/autorun/example.lua')"));

	m_harness->stringTables->AddString("downloadables", "maps/a.bsp");
	m_harness->stringTables->AddString("downloadables", "sound/b.wav");
	m_harness->stringTables->AddString("client_lua_files", "other");
	m_harness->stringTables->AddString("client_lua_files", "exam");
	EXPECT_EQ("2", Eval("NumDownloadables()"));
	EXPECT_EQ("maps/a.bsp|sound/b.wav", Eval("table.concat(GetDownloadables(), '|')"));
	EXPECT_EQ("1:Lua Cache File", Results("TranslateDownloadableName('lua/autorun/example.lua')"));
	EXPECT_EQ("0:", Results("TranslateDownloadableName('lua/Example.lua')"));  // case counts
	EXPECT_EQ("0:", Results("TranslateDownloadableName('ex')"));  // the table string is longer
	m_harness->stringTables->AddString("client_lua_files", "");
	EXPECT_EQ("1:Lua Cache File", Results("TranslateDownloadableName('anything')"));

	INetworkStringTableContainer *container = networkstringtable;
	networkstringtable = nullptr;
	EXPECT_EQ("0:", Results("NumDownloadables()"));
	EXPECT_EQ("0:", Results("GetDownloadables()"));
	EXPECT_EQ("0:", Results("TranslateDownloadableName('anything')"));
	networkstringtable = container;
}

TEST_F(MenuGlobalsTest, ConsoleAutoCompleteListsNamesOrAsksTheCommand)
{
	EXPECT_EQ("0:", Results("ConsoleAutoComplete('')"));
	ASSERT_TRUE(Run("C = ConsoleAutoComplete('MgTest_')"));
	// In the console's list order, which is the engine's: compare them sorted.
	EXPECT_EQ("2", Eval("#C"));
	EXPECT_EQ("MGTEST_Beta |mgtest_alpha ", Eval("(function() table.sort(C) return table.concat(C, '|') end)()"));
	EXPECT_EQ("0", Eval("#ConsoleAutoComplete('mgtest_zzz')"));
	// With a space: the named command's own suggestions, a space added where there is none.
	EXPECT_EQ("mgmap one|two ", Eval("table.concat(ConsoleAutoComplete('mgmap o'), '|')"));
	EXPECT_EQ("0:", Results("ConsoleAutoComplete('mgplain x')"));
	EXPECT_EQ("0:", Results("ConsoleAutoComplete('nosuchcommand x')"));
}

TEST_F(MenuGlobalsTest, RunOnClientRunsOnlyWhenTheClientStateExists)
{
	ASSERT_TRUE(Run("RunOnClient('X = 1')"));  // no client state: nothing
	ILuaInterface *client = LuaStandIn::Service()->CreateLuaInterface(LUASTATE_CLIENT, false);
	ASSERT_NE(nullptr, client);
	client->Init(&g_LuaCallback, false);
	ASSERT_TRUE(Run("RunOnClient('CLIENT_VALUE = 40 + 2')"));
	client->MakeCurrent(client->GetLuaState());
	const char *value = client->CompileString("check", "return tostring(CLIENT_VALUE)")
	                        ? client->CallInternalGetString(0)
	                        : nullptr;
	EXPECT_STREQ("42", value);
	LuaStandIn::Service()->CloseLuaInterface(client);
	m_lua->MakeCurrent(m_lua->GetLuaState());
	EXPECT_EQ("nil", Eval("CLIENT_VALUE"));
}

TEST_F(MenuGlobalsTest, OpenFolderOpensExistingPathsUnderMod)
{
	ASSERT_EQ(0, mkdir((m_harness->gameFolder + "/saves").c_str(), 0755));
	m_harness->control->ClearShellExecutions();
	ASSERT_TRUE(Run("OpenFolder('saves') OpenFolder('nothere') OpenFolder('../..')"));
	const auto &shell = m_harness->control->ShellExecutions();
	ASSERT_EQ(1u, shell.size());
	EXPECT_EQ(0u, shell[0].find("open /"));
	EXPECT_NE(std::string::npos, shell[0].find("/saves"));
}

TEST_F(MenuGlobalsTest, SmallGlobals)
{
	ASSERT_TRUE(Run("RunGameUICommand('OpenOptionsDialog')"));
	ASSERT_EQ(1u, m_harness->gameUI->Commands().size());
	EXPECT_EQ("OpenOptionsDialog", m_harness->gameUI->Commands()[0]);
	EXPECT_EQ("asset://zorvan/html/loading.html", Eval("GetDefaultLoadingHTML()"));
	EXPECT_EQ("false", Eval("IsInGame()"));
	m_harness->control->SetInGame(true);
	EXPECT_EQ("true", Eval("IsInGame()"));
	g_fFrameTime = 0.05f;
	EXPECT_EQ("true", Eval("math.abs(FrameTime() - 0.05) < 1e-6"));
}

TEST(FrameTime, LimitedToZeroAndATenthOfASecond)
{
	Tier0_SetClock(100.0);
	MeasureFrameTime();
	Tier0_AdvanceClock(0.5);  // two paints 0.5 s apart
	MeasureFrameTime();
	EXPECT_FLOAT_EQ(0.1f, g_fFrameTime);
	Tier0_AdvanceClock(0.03125);
	MeasureFrameTime();
	EXPECT_FLOAT_EQ(0.03125f, g_fFrameTime);
	Tier0_SetClock(50.0);  // the clock went backwards
	MeasureFrameTime();
	EXPECT_EQ(0.0f, g_fFrameTime);
	Tier0_UseRealClock();
}

namespace
{
// The engine's loading dialog: records the messages sent to it.
class LoadingDialog : public vgui::Panel
{
public:
	LoadingDialog() : vgui::Panel(nullptr, "LoadingDialog") {}
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		KeyValues *copy = const_cast<KeyValues *>(params);
		messages.push_back(std::string(copy->GetName()) + ":" + copy->GetString("command") +
		                   (from == GetVPanel() ? ":self" : ":other"));
		vgui::Panel::OnMessage(params, from);
	}
	std::vector<std::string> messages;
};

// The dialog's status label: answers "GetText" with its text, when it has one.
class InfoLabel : public vgui::Panel
{
public:
	InfoLabel(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}
	bool RequestInfo(KeyValues *data) override
	{
		if (!strcmp(data->GetName(), "GetText") && answer)
		{
			data->SetString("text", text.c_str());
			return true;
		}
		return vgui::Panel::RequestInfo(data);
	}
	std::string text;
	bool answer = true;
};

class LoadingDialogTest : public MenuGlobalsTest
{
protected:
	void SetUp() override
	{
		MenuGlobalsTest::SetUp();
		m_vgui = static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION));
		ASSERT_NE(nullptr, m_vgui);
		m_vgui->Reset();
		ASSERT_TRUE(vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0));
	}
	void TearDown() override
	{
		for (vgui::Panel *p : m_panels)
			delete p;
		m_vgui->Reset();
		MenuGlobalsTest::TearDown();
	}
	template <class T> T *Keep(T *panel)
	{
		m_panels.insert(m_panels.begin(), panel);  // children first when deleting
		return panel;
	}
	IVGuiStandIn *m_vgui = nullptr;
	std::vector<vgui::Panel *> m_panels;
};
}

TEST_F(LoadingDialogTest, NothingWithoutTheDialog)
{
	EXPECT_EQ("0:", Results("GetLoadStatus()"));
	EXPECT_TRUE(Run("CancelLoading()"));
	// A label of that name outside a loading dialog is not the one.
	vgui::Panel *other = Keep(new vgui::Panel(nullptr, "Other"));
	other->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
	Keep(new InfoLabel(other, "InfoLabel"))->text = "stray";
	EXPECT_EQ("0:", Results("GetLoadStatus()"));
}

TEST_F(LoadingDialogTest, FindsTheDialogDeepInTheTreeAndTalksToIt)
{
	// Root > Frame > (Decoy > LoadingDialog?) ... the first match in depth-first order wins.
	vgui::Panel *frame = Keep(new vgui::Panel(nullptr, "Frame"));
	frame->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
	vgui::Panel *holder = Keep(new vgui::Panel(frame, "Holder"));
	LoadingDialog *dialog = Keep(new LoadingDialog());
	dialog->SetParent(holder);
	LoadingDialog *later = Keep(new LoadingDialog());
	later->SetParent(frame);  // a second dialog after the first one's branch: never used
	vgui::Panel *box = Keep(new vgui::Panel(dialog, "Box"));
	InfoLabel *label = Keep(new InfoLabel(box, "InfoLabel"));
	label->text = "Loading resources";
	Keep(new InfoLabel(later, "InfoLabel"))->text = "wrong";

	EXPECT_EQ("1:Loading resources", Results("GetLoadStatus()"));
	label->answer = false;  // the request unanswered: nothing
	EXPECT_EQ("0:", Results("GetLoadStatus()"));

	ASSERT_TRUE(Run("CancelLoading()"));
	ASSERT_EQ(1u, dialog->messages.size());
	EXPECT_EQ("Command:Cancel:self", dialog->messages[0]);
	EXPECT_TRUE(later->messages.empty());
}

TEST_F(LoadingDialogTest, NamesCompareExactly)
{
	vgui::Panel *dialog = Keep(new vgui::Panel(nullptr, "loadingdialog"));
	dialog->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
	Keep(new InfoLabel(dialog, "InfoLabel"))->text = "x";
	EXPECT_EQ("0:", Results("GetLoadStatus()"));
}
