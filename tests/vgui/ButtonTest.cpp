// vgui::Button driven through the stand-in input queue: arming, clicking and firing its command,
// keys and pad, the activation types, settings, sounds, Lua members and hooks, painting.
#include <fstream>
#include <string>

#include "ControlProbe.h"
#include "VGuiFixture.h"
#include "engine/standin.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Button.h"

namespace
{
class ButtonTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_engine = static_cast<IEngineStandIn *>(EngineInterface(ENGINE_STANDIN_INTERFACE_VERSION));
		ASSERT_NE(nullptr, m_engine);
		m_engine->ClearShellExecutions();
		// parent fills (0,0) 300x300; the button lies at (10,10) 100x30 inside it.
		m_parent = new MessageProbe(nullptr, "parent");
		m_parent->SetParent(m_root);
		m_parent->SetBounds(0, 0, 300, 300);
		m_button = new vgui::Button(m_parent, "btn", "Go", m_parent, "go");
		m_button->SetBounds(10, 10, 100, 30);
		Frame();
		m_parent->Take();
	}
	void TearDown() override
	{
		delete m_parent;
		VGuiTest::TearDown();
	}
	void Press(ButtonCode_t code, bool down)
	{
		m_vgui->QueueButton(code, down);
		Frame();
	}
	void MoveTo(int x, int y)
	{
		m_vgui->QueueCursorMove(x, y);
		Frame();
	}

	IEngineStandIn *m_engine = nullptr;
	MessageProbe *m_parent = nullptr;
	vgui::Button *m_button = nullptr;
};

TEST_F(ButtonTest, TargetAndCommandAreTakenOnlyTogether)
{
	struct Case
	{
		bool target;
		const char *command;
		const char *expected;
	} cases[] = {
		{ true, "go", "Command(command=go,panel=b) " },
		{ true, nullptr, "" },
		{ false, "go", "" },
	};
	for (const Case &c : cases)
	{
		vgui::Button button(m_parent, "b", "B", c.target ? m_parent : nullptr, c.command);
		EXPECT_EQ(c.command && c.target, button.GetCommand() != nullptr);
		button.DoClick();
		Frame();
		EXPECT_EQ(c.expected, m_parent->Take());
	}
}

TEST_F(ButtonTest, ClickOverTheButtonFiresAndReleaseElsewhereDoesNot)
{
	MoveTo(20, 20);
	EXPECT_TRUE(m_button->IsArmed());
	Press(MOUSE_LEFT, true);
	EXPECT_TRUE(m_button->IsSelected());
	// Selecting disarms without recomputing: it stays drawn depressed while held.
	EXPECT_FALSE(m_button->IsArmed());
	EXPECT_TRUE(m_button->IsDepressed());
	EXPECT_EQ(m_button->GetVPanel(), g_pVGuiInput->GetMouseCapture());
	Press(MOUSE_LEFT, false);
	EXPECT_EQ(0u, g_pVGuiInput->GetMouseCapture());
	EXPECT_FALSE(m_button->IsSelected());
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());

	// Pressed, dragged off and released elsewhere: deselected without firing.
	Press(MOUSE_LEFT, true);
	MoveTo(200, 200);
	Press(MOUSE_LEFT, false);
	EXPECT_FALSE(m_button->IsSelected());
	EXPECT_EQ("", m_parent->Take());
}

TEST_F(ButtonTest, ActivationTypesDecideWhetherPressOrReleaseFires)
{
	MoveTo(20, 20);
	m_button->SetButtonActivationType(vgui::Button::ACTIVATE_ONPRESSED);
	Press(MOUSE_LEFT, true);
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());
	Press(MOUSE_LEFT, false);
	EXPECT_EQ("", m_parent->Take());

	// Released over it without a press of its own: type 2 fires, type 0 does not.
	m_button->SetButtonActivationType(vgui::Button::ACTIVATE_ONRELEASED);
	m_button->OnMouseReleased(MOUSE_LEFT);
	Frame();
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());
	m_button->SetButtonActivationType(vgui::Button::ACTIVATE_ONPRESSEDANDRELEASED);
	m_button->OnMouseReleased(MOUSE_LEFT);
	Frame();
	EXPECT_EQ("", m_parent->Take());
}

TEST_F(ButtonTest, DisabledButtonArmsOnlyWhileAKeyIsHeldAndNeverFires)
{
	m_button->SetEnabled(false);
	MoveTo(20, 20);
	EXPECT_FALSE(m_button->IsArmed());
	Press(MOUSE_LEFT, true);
	Press(MOUSE_LEFT, false);
	EXPECT_FALSE(m_button->IsSelected());

	m_button->OnKeyCodePressed(KEY_SPACE);
	EXPECT_TRUE(m_button->IsArmed());
	m_button->OnKeyCodeReleased(KEY_SPACE);
	EXPECT_FALSE(m_button->IsArmed());
	Frame();
	EXPECT_EQ("", m_parent->Take());
}

TEST_F(ButtonTest, KeysAndPadFire)
{
	// Enter presses and releases like the mouse, wherever the cursor is; the capture is given back.
	m_button->OnKeyCodePressed(KEY_ENTER);
	EXPECT_TRUE(m_button->IsSelected());
	EXPECT_EQ(0u, g_pVGuiInput->GetMouseCapture());
	m_button->OnKeyCodeReleased(KEY_ENTER);
	Frame();
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());
	EXPECT_FALSE(m_button->IsArmed());

	// Pad A fires on press and, the key being down, again on release.
	m_button->OnKeyCodePressed(static_cast<ButtonCode_t>(114));
	m_button->OnKeyCodeReleased(static_cast<ButtonCode_t>(114));
	Frame();
	EXPECT_EQ("Command(command=go,panel=btn) Command(command=go,panel=btn) ", m_parent->Take());

	// Navigation keys keep the armed state.
	m_button->SetArmed(true);
	m_button->OnKeyCodeReleased(KEY_UP);
	EXPECT_TRUE(m_button->IsArmed());
	m_button->OnKeyCodeReleased(KEY_A);
	EXPECT_FALSE(m_button->IsArmed());
}

TEST_F(ButtonTest, MouseClickMaskUsesCodePlusOneModulo32)
{
	EXPECT_TRUE(m_button->IsMouseClickEnabled(MOUSE_LEFT));
	EXPECT_FALSE(m_button->IsMouseClickEnabled(MOUSE_RIGHT));
	m_button->SetMouseClickEnabled(MOUSE_RIGHT, true);  // bit 13
	EXPECT_TRUE(m_button->IsMouseClickEnabled(MOUSE_RIGHT));
	EXPECT_TRUE(m_button->IsMouseClickEnabled(static_cast<ButtonCode_t>(MOUSE_RIGHT - 32)));
	MoveTo(20, 20);
	Press(MOUSE_RIGHT, true);
	Press(MOUSE_RIGHT, false);
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());
	m_button->SetMouseClickEnabled(MOUSE_LEFT, false);
	Press(MOUSE_LEFT, true);
	Press(MOUSE_LEFT, false);
	EXPECT_EQ("", m_parent->Take());
}

TEST_F(ButtonTest, StaySelectedOnClickKeepsTheSelectionWithoutTheDepressedLook)
{
	KeyValues *settings = new KeyValues("btn", "stayselectedonclick", 1);
	m_button->ApplySettings(settings);
	settings->deleteThis();
	m_button->SetButtonActivationType(vgui::Button::ACTIVATE_ONPRESSEDANDRELEASED);
	MoveTo(20, 20);
	Press(MOUSE_LEFT, true);
	Press(MOUSE_LEFT, false);
	EXPECT_TRUE(m_button->IsSelected());
	EXPECT_FALSE(m_button->IsDepressed());
	MoveTo(200, 200);
	MoveTo(20, 20);
	EXPECT_FALSE(m_button->IsArmed());
	Press(MOUSE_LEFT, true);
	MoveTo(200, 200);
	Press(MOUSE_LEFT, false);
	EXPECT_TRUE(m_button->IsSelected());
}

TEST_F(ButtonTest, UrlCommandsAreOpenedAndStillPosted)
{
	struct Case
	{
		const char *command;
		const char *shell;
	} cases[] = {
		{ "URL https://zorvan.example/x", "open https://zorvan.example/x" },
		{ "url no-scheme", nullptr },
		{ "urls://x", nullptr },
	};
	for (const Case &c : cases)
	{
		m_engine->ClearShellExecutions();
		m_button->SetCommand(c.command);
		m_button->DoClick();
		Frame();
		EXPECT_EQ("Command(command=" + std::string(c.command) + ",panel=btn) ", m_parent->Take());
		ASSERT_EQ(c.shell ? 1u : 0u, m_engine->ShellExecutions().size()) << c.command;
		if (c.shell)
		{
			EXPECT_EQ(c.shell, m_engine->ShellExecutions()[0]);
		}
	}
	// A null command is an empty one; a null image path is ignored.
	m_button->SetCommand(static_cast<const char *>(nullptr));
	m_button->SetImage(nullptr);
	m_button->DoClick();
	Frame();
	EXPECT_EQ("Command(command=,panel=btn) ", m_parent->Take());
}

TEST_F(ButtonTest, LayoutSettingsAreAppliedAndWrittenBack)
{
	vgui::Button plain(m_parent, "plain", "P");
	KeyValues *none = new KeyValues("plain");
	plain.ApplySettings(none);
	KeyValues *out = new KeyValues("out");
	plain.GetSettings(out);
	EXPECT_EQ(nullptr, out->FindKey("selected"));
	EXPECT_EQ(nullptr, out->FindKey("command"));
	EXPECT_EQ(0, out->GetInt("default", -1));
	// Through the settings the button fires on release, built in code on press-and-release.
	EXPECT_EQ(vgui::Button::ACTIVATE_ONRELEASED, plain.GetButtonActivationType());
	EXPECT_EQ(vgui::Button::ACTIVATE_ONPRESSEDANDRELEASED, m_button->GetButtonActivationType());
	none->deleteThis();
	out->deleteThis();

	KeyValues *in = new KeyValues("plain");
	in->SetString("command", "run");
	in->SetInt("selected", 0);
	in->SetInt("default", 1);
	in->SetString("sound_armed", "ui/armed.wav");
	in->SetString("sound_released", "ui/released.wav");
	plain.SetSelected(true);
	plain.ApplySettings(in);
	EXPECT_FALSE(plain.IsSelected());
	out = new KeyValues("out");
	plain.GetSettings(out);
	EXPECT_STREQ("run", out->GetString("command"));
	EXPECT_EQ(0, out->GetInt("selected", -1));
	EXPECT_EQ(1, out->GetInt("default", -1));
	// An empty sound key keeps the sound set before.
	KeyValues *empty = new KeyValues("plain", "sound_armed", "");
	plain.ApplySettings(empty);
	plain.SetArmed(true);
	plain.DoClick();
	ASSERT_EQ(2u, m_vgui->SoundsPlayed().size());
	EXPECT_EQ("ui/armed.wav", m_vgui->SoundsPlayed()[0]);
	EXPECT_EQ("ui/released.wav", m_vgui->SoundsPlayed()[1]);
	EXPECT_NE(nullptr, strstr(plain.GetDescription(), ", string command, int default"));
	in->deleteThis();
	out->deleteThis();
	empty->deleteThis();
}

TEST_F(ButtonTest, DefaultButtonTellsTheParentAndAnswersRequests)
{
	m_button->SetAsDefaultButton(1);
	m_button->SetAsDefaultButton(1);  // no change, no second message
	m_button->SetAsDefaultButton(0);
	m_button->SetAsCurrentDefaultButton(1);
	Frame();
	std::string handle = std::to_string(g_pVGui->PanelToHandle(m_button->GetVPanel()));
	EXPECT_EQ("DefaultButtonSet(button=" + handle + ") CurrentDefaultButtonSet(button=" + handle + ") ",
	          m_parent->Take());

	struct Case
	{
		const char *name, *key, *value;
	} cases[] = { { "CanBeDefaultButton", "result", "1" }, { "GetState", "state", "0" }, { "getcommand", "command", "go" } };
	for (const Case &c : cases)
	{
		KeyValues *data = new KeyValues(c.name);
		EXPECT_TRUE(m_button->RequestInfo(data));
		EXPECT_STREQ(c.value, data->GetString(c.key));
		data->deleteThis();
	}
	// "SetState" and "PressButton" arrive through the message map.
	g_pVGui->PostMessage(m_button->GetVPanel(), new KeyValues("SetState", "state", 1), 0);
	Frame();
	EXPECT_TRUE(m_button->IsSelected());
	g_pVGui->PostMessage(m_button->GetVPanel(), new KeyValues("PressButton"), 0);
	Frame();
	Frame();
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());
}

TEST_F(ButtonTest, LuaMembersAndHooks)
{
	ILuaInterface *lua = m_harness->Open(false);
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "",
	                           "log = ''; stop = false;"
	                           " T = { OnMousePressed = function(p, c) log = log .. 'press' .. c .. ' '; return stop end,"
	                           " OnMouseReleased = function(p, c) log = log .. 'release' .. c .. ' ' end,"
	                           " DoClick = function(p, x, y) log = log .. 'click' .. x .. ',' .. y .. ':'"
	                           "   .. tostring(T.Selected) .. ' ' end }",
	                           true, true));
	m_button->m_pLuaTable = new CLuaObject();
	m_button->m_pLuaTable->SetFromGlobal("T");
	auto global = [&](const char *name) {
		CLuaObject value;
		value.SetFromGlobal(name);
		return std::string(value.GetString());
	};
	auto member = [&](const char *name) {
		CLuaObject value;
		m_button->m_pLuaTable->GetMember(name, &value);
		return value.isNil() ? std::string("nil") : value.GetBool() ? std::string("true") : std::string("false");
	};

	MoveTo(23, 14);
	EXPECT_EQ("true", member("Armed"));
	Press(MOUSE_LEFT, true);
	Press(MOUSE_LEFT, false);
	// The click hook runs after the command was posted and the button deselected, in panel coordinates.
	EXPECT_EQ("press107 release107 click13,4:false ", global("log"));
	EXPECT_EQ("Command(command=go,panel=btn) ", m_parent->Take());
	EXPECT_EQ("false", member("Depressed"));
	m_button->SetAsCurrentDefaultButton(1);
	EXPECT_EQ("true", member("DefaultButton"));
	Frame();
	m_parent->Take();

	// A true result of the press hook keeps the button from selecting, capturing or firing.
	lua->RunString("test", "", "log = ''; stop = true", true, true);
	Press(MOUSE_LEFT, true);
	EXPECT_FALSE(m_button->IsSelected());
	EXPECT_EQ(0u, g_pVGuiInput->GetMouseCapture());
	Press(MOUSE_LEFT, false);
	EXPECT_EQ("press107 release107 ", global("log"));
	EXPECT_EQ("", m_parent->Take());
	EXPECT_EQ(0, lua->Top());
}

TEST_F(ButtonTest, ColoursFollowTheStateAndBlinkBlends)
{
	m_button->SetDefaultColor(Color(1, 1, 1, 255), Color(2, 2, 2, 255));
	m_button->SetArmedColor(Color(3, 3, 3, 255), Color(4, 4, 4, 255));
	m_button->SetSelectedColor(Color(5, 5, 5, 255), Color(6, 6, 6, 255));
	m_button->SetDepressedColor(Color(7, 7, 7, 255), Color(8, 8, 8, 255));
	EXPECT_EQ(Color(1, 1, 1, 255), m_button->GetButtonFgColor());
	m_button->SetSelected(true);
	EXPECT_EQ(Color(6, 6, 6, 255), m_button->GetButtonBgColor());
	m_button->SetArmed(true);
	EXPECT_TRUE(m_button->IsDepressed());
	EXPECT_EQ(Color(7, 7, 7, 255), m_button->GetButtonFgColor());
	EXPECT_EQ(Color(8, 8, 8, 255), m_button->GetButtonBgColor());
	m_button->SetSelected(false);
	m_button->ForceDepressed(true);
	EXPECT_TRUE(m_button->IsDepressed());
	m_button->ForceDepressed(false);
	m_button->SetArmed(false);

	// Blink towards a colour equal to the base: steady.
	m_button->SetBlinkColor(Color(1, 1, 1, 255));
	m_button->SetBlink(true);
	for (double t : { 0.0, 0.05, 0.2 })
	{
		m_engine->SetCurrentTime(t);
		EXPECT_EQ(Color(1, 1, 1, 255), m_button->GetButtonFgColor());
	}
	// Towards another colour: between the two.
	m_button->SetBlinkColor(Color(201, 201, 201, 255));
	m_engine->SetCurrentTime(0.314);  // sin(3.14) near 0: halfway
	Color mid = m_button->GetButtonFgColor();
	EXPECT_NEAR(101, mid.r(), 2);
}

TEST_F(ButtonTest, LayoutColourOverridesOutliveSchemeChanges)
{
	std::ofstream(m_harness->gameFolder + "/button.res")
	    << "Scheme { BaseSettings { \"Button.TextColor\" \"1 2 3 255\" \"Button.BgColor\" \"4 5 6 255\" } }";
	vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("button.res", "ButtonTest");
	ASSERT_NE(0u, scheme);
	KeyValues *settings = new KeyValues("btn", "defaultFgColor_override", "10 20 30 255");
	m_button->ApplySettings(settings);
	settings->deleteThis();
	m_button->SetScheme(scheme);
	m_button->InvalidateLayout(false, true);
	Frame();
	EXPECT_EQ(Color(10, 20, 30, 255), m_button->GetButtonFgColor());
	EXPECT_EQ(Color(4, 5, 6, 255), m_button->GetButtonBgColor());
	KeyValues *out = new KeyValues("out");
	m_button->GetSettings(out);
	EXPECT_NE(nullptr, out->FindKey("defaultFgColor_override"));
	EXPECT_EQ(nullptr, out->FindKey("defaultBgColor_override"));
	out->deleteThis();
}

bool AlwaysSelected(vgui::Panel *) { return true; }

TEST_F(ButtonTest, ImageReplacesTheTextAndTheCheckFunctionPulses)
{
	m_vgui->DefineTexture("icons/go.png", 20, 10, nullptr);
	m_button->SetImage("icons/go.png");
	m_button->SetSelectedCheckFunc(AlwaysSelected);
	m_button->SetDepressedColor(Color(0, 0, 0, 255), Color(10, 20, 30, 255));
	m_engine->SetCurrentTime(0.0);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	int textured = 0, frames = 0, glyphs = 0;
	for (const VGuiDrawRecord &r : m_vgui->DrawLog())
	{
		if (r.panel != m_button->GetVPanel())
			continue;
		if (r.kind == VGuiDrawRecord::TexturedRect)
		{
			++textured;
			// Centred: (100/2 - 20/2, 30/2 - 10/2) inside the button at (10,10).
			EXPECT_EQ(50, r.x0);
			EXPECT_EQ(20, r.y0);
			EXPECT_EQ(70, r.x1);
			EXPECT_EQ(30, r.y1);
		}
		if (r.kind == VGuiDrawRecord::FilledRect && r.r == 10 && r.g == 20 && r.a == 245)
		{
			// Thickness trunc(0.1 * 65) = 6: the left bar first.
			if (frames == 0)
			{
				EXPECT_EQ(16, r.x1);
			}
			++frames;
		}
		if (r.kind == VGuiDrawRecord::Glyph)
			++glyphs;
	}
	EXPECT_EQ(1, textured);
	EXPECT_EQ(4, frames);
	EXPECT_EQ(0, glyphs);
}

TEST_F(ButtonTest, FactoryMakesAButtonWithItsText)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("button");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("Button", made->GetClassName());
	char text[32];
	made->GetText(text, sizeof(text));
	EXPECT_STREQ("Button", text);
	EXPECT_EQ(nullptr, made->GetParent());
	delete made;
}
}
