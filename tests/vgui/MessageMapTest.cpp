// Message maps and the message side of vgui::Panel: registration and chaining, dispatch by
// symbol with parameters, the older table, posting with delays, action signals and commands.
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "tier0/icommandline.h"
#include "tier0/standin.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/MessageMap.h"

namespace
{
// The program runs with "-vguimessages" from the start: the switch is read once per process.
const bool s_VGuiMessagesSwitch = [] {
	CommandLine_Tier0()->CreateCmdLine("vgui_tests -vguimessages");
	return true;
}();

// Records what reaches it, through its own handlers and through Panel's.
class Listener : public vgui::Panel
{
	DECLARE_CLASS_SIMPLE(Listener, vgui::Panel);

public:
	Listener(vgui::Panel *parent, const char *name) : BaseClass(parent, name) {}

	MESSAGE_FUNC_CHARPTR(OnMyCommand, "Command", command) { heard.push_back(std::string("MyCommand ") + command); }
	MESSAGE_FUNC_INT_INT(OnPair, "Pair", first, second)
	{
		heard.push_back("Pair " + std::to_string(first) + " " + std::to_string(second));
	}
	MESSAGE_FUNC_PARAMS(OnAnything, "Anything", data) { heard.push_back(std::string("Anything ") + data->GetName()); }
	MESSAGE_FUNC_HANDLE(OnHandle, "Handle", panel) { handle = panel; }
	MESSAGE_FUNC_PTR(OnSignal, "Signal", panel)
	{
		heard.push_back(std::string("Signal from ") + (panel ? panel->GetName() : "none"));
	}
	VGUI_MESSAGE_REGISTER(OnIntFloat, "IntFloat", 2, vgui::DATATYPE_INT, "i", vgui::DATATYPE_FLOAT, "f")
	void OnIntFloat(int, float) { heard.push_back("IntFloat"); }

	void OnCommand(const char *command) override { heard.push_back(std::string("OnCommand ") + command); }
	void InternalKeyCodeTyped(int code) override { heard.push_back("KeyCodeTyped " + std::to_string(code)); }
	void RequestFocus(int direction) override { heard.push_back("RequestFocus " + std::to_string(direction)); }

	std::vector<std::string> heard;
	vgui::VPANEL handle = 0;
};

// A class that declares no handlers of its own.
class PlainDerived : public vgui::Panel
{
	DECLARE_CLASS_SIMPLE(PlainDerived, vgui::Panel);

public:
	PlainDerived() : BaseClass(nullptr, "plain") {}
	void OnCommand(const char *command) override
	{
		commands.push_back(command);
		BaseClass::OnCommand(command);
	}
	std::vector<std::string> commands;
	bool SchemePending() { return IsFlag(NEEDS_SCHEME_UPDATE); }
};

using MessageMapTest = VGuiTest;

void Send(vgui::Panel &panel, KeyValues *message)
{
	panel.OnMessage(message, 0);
	message->deleteThis();
}

TEST_F(MessageMapTest, ClassNamesShareMapsRegardlessOfCaseAndNamespace)
{
	EXPECT_EQ(vgui::FindOrAddPanelMessageMap("SomeControl"), vgui::FindOrAddPanelMessageMap("vgui::somecontrol"));
	EXPECT_EQ(vgui::FindOrAddPanelMessageMap("Panel"), vgui::FindOrAddPanelMessageMap("VGUI::PANEL"));
	EXPECT_NE(vgui::FindOrAddPanelMessageMap("SomeControl"), vgui::FindOrAddPanelMessageMap("OtherControl"));

	Listener listener(nullptr, "l");
	vgui::Panel plain;
	EXPECT_STREQ("Listener", listener.GetClassName());
	EXPECT_STREQ("Panel", plain.GetClassName());
	vgui::PanelMessageMap *map = listener.GetMessageMap();
	EXPECT_EQ(plain.GetMessageMap(), map->baseMap);
	EXPECT_EQ(6, map->entries.Count());
	EXPECT_EQ(30, plain.GetMessageMap()->entries.Count());

	// A second object registers nothing more.
	Listener another(nullptr, "l2");
	EXPECT_EQ(6, map->entries.Count());
}

TEST_F(MessageMapTest, TheFirstMatchingMapDecides)
{
	Listener listener(nullptr, "l");
	Send(listener, new KeyValues("Command", "command", "go"));
	EXPECT_EQ(std::vector<std::string>{ "MyCommand go" }, listener.heard);

	// Panel's own entries answer what the class does not map.
	listener.heard.clear();
	Send(listener, new KeyValues("KeyCodeTyped"));
	Send(listener, new KeyValues("KeyCodeTyped", "code", KEY_A));
	EXPECT_EQ((std::vector<std::string>{ "KeyCodeTyped 0", "KeyCodeTyped 11" }), listener.heard);
}

TEST_F(MessageMapTest, ParametersOfEachKind)
{
	Listener listener(nullptr, "l");
	vgui::Panel other(nullptr, "other");
	Send(listener, new KeyValues("Pair", "first", 3, "second", 4));
	Send(listener, new KeyValues("Pair", "second", 4));
	Send(listener, new KeyValues("anything"));  // names compare without case
	KeyValues *signal = new KeyValues("Signal");
	signal->SetPtr("panel", &other);
	Send(listener, signal);
	Send(listener, new KeyValues("Handle", "panel", static_cast<int>(g_pVGui->PanelToHandle(other.GetVPanel()))));
	EXPECT_EQ((std::vector<std::string>{ "Pair 3 4", "Pair 0 4", "Anything Anything", "Signal from other" }),
	          listener.heard);
	EXPECT_EQ(other.GetVPanel(), listener.handle);
}

TEST_F(MessageMapTest, UnsupportedParameterPairsAreReportedEachTime)
{
	Listener listener(nullptr, "reporter");
	Tier0OutputCapture out;
	Send(listener, new KeyValues("IntFloat", "i", 1));
	Send(listener, new KeyValues("IntFloat", "i", 1));
	EXPECT_TRUE(listener.heard.empty());
	const std::string line = "Message 'IntFloat', sent to 'reporter', has invalid parameter types\n";
	EXPECT_EQ(line + line, out.All());
}

TEST_F(MessageMapTest, TheOlderTableAnswersRequestFocus)
{
	ASSERT_TRUE(s_VGuiMessagesSwitch);
	Listener listener(nullptr, "l");
	Tier0OutputCapture out;
	Send(listener, new KeyValues("RequestFocus", "direction", 2));
	EXPECT_EQ("", out.All());
	Send(listener, new KeyValues("NobodyHandlesThis"));
	EXPECT_EQ(std::vector<std::string>{ "RequestFocus 2" }, listener.heard);
	EXPECT_EQ("Message 'NobodyHandlesThis' not handled by panel 'l'\n", out.All());
}

TEST_F(MessageMapTest, PostedMessagesArriveThroughTheEngineAfterTheirDelay)
{
	Listener *listener = new Listener(nullptr, "l");
	vgui::Panel sender;
	sender.PostMessage(listener, new KeyValues("Pair", "first", 1, "second", 2), 0.25f);
	sender.PostMessage(listener->GetVPanel(), new KeyValues("Command", "command", "now"));
	sender.PostMessage(static_cast<vgui::Panel *>(nullptr), new KeyValues("Nowhere"));
	EXPECT_TRUE(listener->heard.empty());
	Frame();
	EXPECT_EQ(std::vector<std::string>{ "MyCommand now" }, listener->heard);
	Advance(0.25);
	Frame();
	EXPECT_EQ("Pair 1 2", listener->heard.back());

	vgui::Panel parent;
	listener->SetParent(&parent);
	parent.PostMessageToChild("L", new KeyValues("Command", "command", "child"));
	parent.PostMessageToChild("missing", new KeyValues("Command", "command", "lost"));
	Frame();
	EXPECT_EQ("MyCommand child", listener->heard.back());
	EXPECT_EQ(0, m_vgui->PendingMessageCount());
	delete listener;
}

TEST_F(MessageMapTest, ActionSignalsReachLiveTargetsOnce)
{
	auto *gone = new Listener(nullptr, "gone");
	Listener second(nullptr, "second"), third(nullptr, "third");
	vgui::Panel source(nullptr, "source");
	source.AddActionSignalTarget(gone);
	source.AddActionSignalTarget(&second);
	source.AddActionSignalTarget(&third);
	source.AddActionSignalTarget(&third);
	delete gone;

	source.PostActionSignal(new KeyValues("Signal"));
	Frame();
	EXPECT_EQ(std::vector<std::string>{ "Signal from source" }, second.heard);
	EXPECT_EQ(std::vector<std::string>{ "Signal from source" }, third.heard);

	source.RemoveActionSignalTarget(&second);
	source.PostActionSignal(new KeyValues("Signal"));
	Frame();
	EXPECT_EQ(1u, second.heard.size());
	EXPECT_EQ(2u, third.heard.size());

	source.SetSilentMode(true);
	source.PostActionSignal(new KeyValues("Signal"));
	Frame();
	EXPECT_EQ(2u, third.heard.size());

	vgui::Panel lonely;
	lonely.PostActionSignal(new KeyValues("Signal"));
	EXPECT_EQ(0, m_vgui->PendingMessageCount());
}

TEST_F(MessageMapTest, ActionSignalsCallTheLuaTable)
{
	ILuaInterface *lua = m_harness->Open();
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "T = { ActionSignal = function(p, name, a, b, c) got = name .. '|' .."
	                                       " tostring(a) .. '|' .. tostring(b) .. '|' .. tostring(c) end }",
	                           true, true));
	vgui::Panel source(nullptr, "source");
	source.m_pLuaTable = new CLuaObject();
	source.m_pLuaTable->SetFromGlobal("T");
	// Integers reach Lua whole (a float would give 16777216).
	KeyValues *message = new KeyValues("Changed", "value", 16777217);
	message->SetString("text", "hi");
	source.PostActionSignal(message);
	CLuaObject got;
	got.SetFromGlobal("got");
	EXPECT_STREQ("Changed|16777217|hi|nil", got.GetString());
	EXPECT_EQ(0, lua->Top());
}

TEST_F(MessageMapTest, CommandsRelayoutReloadOrSignal)
{
	PlainDerived panel;
	panel.PerformApplySchemeSettings();
	panel.InvalidateLayout(true);
	ASSERT_FALSE(panel.IsLayoutInvalid());
	Listener target(nullptr, "target");
	panel.AddActionSignalTarget(&target);

	Send(panel, new KeyValues("Command", "command", "PERFORMLAYOUT"));
	EXPECT_TRUE(panel.IsLayoutInvalid());
	EXPECT_FALSE(panel.SchemePending());
	EXPECT_EQ(0, m_vgui->PendingMessageCount());

	Send(panel, new KeyValues("Command", "command", "ReloadScheme"));
	EXPECT_FALSE(panel.SchemePending());  // applied again at once
	EXPECT_EQ(0, m_vgui->PendingMessageCount());

	Send(panel, new KeyValues("Command", "command", "Signal"));
	Frame();
	EXPECT_EQ(std::vector<std::string>{ "Signal from plain" }, target.heard);
	EXPECT_EQ((std::vector<std::string>{ "PERFORMLAYOUT", "ReloadScheme", "Signal" }), panel.commands);
}

TEST_F(MessageMapTest, InformationRequestsGoToTheParent)
{
	vgui::Panel parent(nullptr, "parent");
	vgui::Panel child(&parent, "child");
	KeyValues *request = new KeyValues("Anything");
	EXPECT_FALSE(child.RequestInfo(request));
	EXPECT_FALSE(parent.RequestInfoFromChild("missing", request));
	EXPECT_FALSE(parent.RequestInfoFromChild("child", request));
	EXPECT_FALSE(child.SetInfo(request));
	request->deleteThis();
}
}
