// vgui::EditablePanel over the stand-in engine: dialog variables, children reached by name,
// the default button's keys, focus requests, user configuration and control requests.
#include <cstring>
#include <string>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "vgui/ISystem.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/EditablePanel.h"

// The engine's console variable, defined here as the engine would.
static ConVar vgui_nav_lock_default_button("vgui_nav_lock_default_button", "0", 0, "Default button locked");

namespace
{
// A child that logs the messages it gets, answers text and state requests and keeps a user
// setting.
class Probe : public vgui::Panel
{
public:
	Probe(vgui::Panel *parent, const char *name, std::string *log) : vgui::Panel(parent, name), m_log(log) {}
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		auto *kv = const_cast<KeyValues *>(params);
		std::string name = params->GetName();
		if (name == "DialogVariables")
			*m_log += std::string(GetName()) + ".vars(" + kv->GetString("who") + ") ";
		else if (name == "SetText")
			*m_log += std::string(GetName()) + ".text(" + kv->GetString("text") + ") ";
		else if (name == "SetState")
			*m_log += std::string(GetName()) + ".state(" + std::to_string(kv->GetInt("state")) + ") ";
		else if (name == "Hotkey")
			*m_log += std::string(GetName()) + ".hotkey ";
		else if (name == "KeyCodePressed")
			*m_log += std::string(GetName()) + ".key" + std::to_string(kv->GetInt("code")) + " ";
		vgui::Panel::OnMessage(params, from);
	}
	bool RequestInfo(KeyValues *data) override
	{
		if (!strcmp(data->GetName(), "GetText"))
		{
			data->SetString("text", text.c_str());
			return true;
		}
		if (!strcmp(data->GetName(), "GetState"))
		{
			data->SetInt("state", 42);
			return true;
		}
		return vgui::Panel::RequestInfo(data);
	}
	bool HasUserConfigSettings() override { return true; }
	void ApplyUserConfigSettings(KeyValues *config) override { setting = config->GetInt("setting", -1); }
	void GetUserConfigSettings(KeyValues *config) override { config->SetInt("setting", setting); }
	void OnKeyCodePressed(ButtonCode_t code) override { *m_log += std::string(GetName()) + ".pressed" + std::to_string(int(code)) + " "; }

	std::string text;
	int setting = 0;

private:
	std::string *m_log;
};

// An editable panel that logs its own dialog variables and the key handling of Panel.
class Dialog : public vgui::EditablePanel
{
public:
	Dialog(vgui::Panel *parent, const char *name, std::string *log) : vgui::EditablePanel(parent, name), m_log(log) {}
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		if (!strcmp(params->GetName(), "DialogVariables"))
			*m_log += std::string(GetName()) + ".vars ";
		vgui::EditablePanel::OnMessage(params, from);
	}
	vgui::Panel *NavigateDown() override
	{
		*m_log += "navdown ";
		return nullptr;
	}

private:
	std::string *m_log;
};

class EditablePanelTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_dialog = new Dialog(nullptr, "dialog", &m_log);
		m_dialog->SetParent(m_root);
		m_dialog->SetBounds(0, 0, 100, 100);
	}
	void TearDown() override
	{
		delete m_dialog;
		VGuiTest::TearDown();
	}
	std::string TakeLog()
	{
		std::string out;
		out.swap(m_log);
		return out;
	}

	std::string m_log;
	Dialog *m_dialog = nullptr;
};

TEST_F(EditablePanelTest, IsRegisteredWithTheFactory)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("EditablePanel");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("EditablePanel", made->GetClassName());
	EXPECT_NE(nullptr, dynamic_cast<vgui::EditablePanel *>(made));
	delete made;

	KeyValues *request = new KeyValues("ControlFactory", "ControlName", "EditablePanel");
	ASSERT_TRUE(m_dialog->RequestInfo(request));
	delete static_cast<vgui::Panel *>(request->GetPtr("PanelPtr"));
	request->SetString("ControlName", "NoSuchControl");
	EXPECT_FALSE(m_dialog->RequestInfo(request));
	request->deleteThis();
}

TEST_F(EditablePanelTest, DialogVariablesGoToThePanelAndItsDirectChildrenOnly)
{
	auto *child = new Probe(m_dialog, "child", &m_log);
	new Probe(child, "grandchild", &m_log);
	m_dialog->SetDialogVariable("who", "me");
	EXPECT_EQ("dialog.vars child.vars(me) ", TakeLog());
	EXPECT_STREQ("DialogVariables", m_dialog->GetDialogVariables()->GetName());

	m_dialog->SetDialogVariable("n", 3);
	m_dialog->SetDialogVariable("f", 1.5f);
	m_dialog->SetDialogVariable("w", L"wide");
	EXPECT_EQ(3, m_dialog->GetDialogVariables()->GetInt("n"));
	EXPECT_FLOAT_EQ(1.5f, m_dialog->GetDialogVariables()->GetFloat("f"));
	EXPECT_STREQ("wide", m_dialog->GetDialogVariables()->GetString("w"));
}

TEST_F(EditablePanelTest, ChildrenReachedByName)
{
	auto *child = new Probe(m_dialog, "child", &m_log);
	child->text = "hello";
	EXPECT_STREQ("hello", m_dialog->GetControlString("child", "dflt"));
	EXPECT_STREQ("dflt", m_dialog->GetControlString("nobody", "dflt"));
	EXPECT_EQ(42, m_dialog->GetControlInt("child", 7));
	EXPECT_EQ(7, m_dialog->GetControlInt("nobody", 7));

	// The shared buffer holds at most 510 characters and is the same every time.
	child->text.assign(600, 'x');
	const char *first = m_dialog->GetControlString("child");
	EXPECT_EQ(510u, strlen(first));
	EXPECT_EQ(first, m_dialog->GetControlString("nobody"));
	char small[4];
	m_dialog->GetControlString("child", small, sizeof(small), "");
	EXPECT_STREQ("xxx", small);

	m_dialog->SetControlString("child", "plain");
	m_dialog->SetControlString("child", "#NoSuchToken");  // unknown: nothing sent
	m_dialog->SetControlString("child", L"wide");
	m_dialog->SetControlInt("child", 5);
	m_dialog->SetControlString("nobody", "lost");
	Frame();
	EXPECT_EQ("child.text(plain) child.text(wide) child.state(5) ", TakeLog());

	m_dialog->SetControlEnabled("child", false);
	m_dialog->SetControlVisible("child", false);
	EXPECT_FALSE(child->IsEnabled());
	EXPECT_FALSE(child->IsVisible());
}

TEST_F(EditablePanelTest, EnterPressesTheDefaultButtonUntilAnArrowLocksIt)
{
	ConVarRef lock("vgui_nav_lock_default_button", true);
	if (!lock.IsValid())
		GTEST_SKIP() << "vgui_nav_lock_default_button was registered by an earlier harness of this process";
	lock.SetValue(0);
	auto *button = new Probe(m_dialog, "button", &m_log);
	m_dialog->GetFocusNavGroup().SetCurrentDefaultButton(button->GetVPanel(), false);

	m_dialog->OnKeyCodePressed(KEY_ENTER);
	Frame();
	EXPECT_EQ("button.hotkey ", TakeLog());

	button->SetEnabled(false);
	m_dialog->OnKeyCodePressed(KEY_ENTER);  // on to Panel's handling, which passes it up
	Frame();
	EXPECT_EQ("", TakeLog());
	button->SetEnabled(true);

	m_dialog->OnKeyCodePressed(KEY_DOWN);
	Frame();
	// The button gets the key as a message, which its key handling then sees.
	EXPECT_EQ("button.key90 button.pressed90 ", TakeLog());
	EXPECT_EQ(1, lock.GetInt());
	m_dialog->OnKeyCodePressed(KEY_ENTER);
	Frame();
	EXPECT_EQ("", TakeLog());
	lock.SetValue(0);
}

TEST_F(EditablePanelTest, FocusRequests)
{
	// Nothing to move to: a console-style panel navigates down instead.
	EXPECT_FALSE(m_dialog->RequestFocusNext(0));
	EXPECT_EQ("", TakeLog());
	m_dialog->SetConsoleStylePanel(true);
	m_dialog->RequestFocus(1);
	EXPECT_EQ("navdown ", TakeLog());
	m_dialog->SetConsoleStylePanel(false);

	// Focus on the panel itself reads as none.
	m_dialog->GetFocusNavGroup().SetCurrentFocus(m_dialog->GetVPanel(), 0);
	EXPECT_EQ(0u, m_dialog->GetCurrentKeyFocus());
	auto *child = new Probe(m_dialog, "child", &m_log);
	m_dialog->GetFocusNavGroup().SetCurrentFocus(child->GetVPanel(), 0);
	EXPECT_EQ(child->GetVPanel(), m_dialog->GetCurrentKeyFocus());
}

TEST_F(EditablePanelTest, UserConfigurationRoundTrip)
{
	auto *child = new Probe(m_dialog, "child", &m_log);
	m_dialog->OnClose();  // no configuration name yet: nothing saved
	KeyValues *stored = g_pVGuiSystem->GetUserConfigFileData("dlg", 3);
	ASSERT_NE(nullptr, stored);
	EXPECT_EQ(nullptr, stored->FindKey("child"));

	child->setting = 9;
	m_dialog->LoadUserConfig("dlg", 3);
	EXPECT_EQ(-1, child->setting);  // applied from the empty record
	child->setting = 9;
	m_dialog->OnClose();
	EXPECT_EQ(9, stored->GetInt("child/setting"));

	child->setting = 0;
	m_dialog->LoadUserConfig("dlg", 3);
	EXPECT_EQ(9, child->setting);
}
}
