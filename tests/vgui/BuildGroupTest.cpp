// vgui::BuildGroup over the stand-in engine: layout files loaded from the game folder into an
// editable panel (path ids, "_minmode" keys, conditions), reloads, saving, naming and snapping.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <cstring>
#include <string>

#include "VGuiFixture.h"
#include "filesystem/IFileSystem.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/tier2.h"
#include "vgui_controls/BuildGroup.h"
#include "vgui_controls/EditablePanel.h"
#include "vgui_controls/Label.h"

// The engine's console variable, defined here as the engine would.
static ConVar cl_hud_minmode("cl_hud_minmode", "0", 0, "Minimal hud layouts");

namespace
{
const char kDialog[] = R"("resource/dialog.res"
{
	"title"	{ "ControlName" "Label" "xpos" "5" "ypos" "6" "wide" "40" "tall" "10" "labelText" "Hello" }
	"box"	{ "ControlName" "EditablePanel" "xpos" "50" "ypos" "0" "wide" "30" "tall" "30"
		"inner"	{ "ControlName" "Label" "xpos" "2" "ypos" "3" "wide" "10" "tall" "10" "labelText" "In" }
	}
	"ghost"	{ "ControlName" "NoSuchControl" "xpos" "1" }
	"plain"	"value"
}
)";

class BuildGroupTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_dialog = new vgui::EditablePanel(nullptr, "dialog");
		m_dialog->SetParent(m_root);
		m_dialog->SetBounds(0, 0, 200, 100);
		Write("resource/dialog.res", kDialog);
	}
	void TearDown() override
	{
		delete m_dialog;
		VGuiTest::TearDown();
	}

	std::string Path(const std::string &relative, const std::string &root = "") const
	{
		return (root.empty() ? m_harness->gameFolder : root) + "/" + relative;
	}
	void Write(const std::string &relative, const std::string &text, const std::string &root = "")
	{
		std::string full = Path(relative, root);
		mkdir(full.substr(0, full.rfind('/')).c_str(), 0755);
		std::ofstream(full) << text;
	}
	// Member names in joining order (dead ones as "-").
	std::string Members()
	{
		std::string out;
		CUtlVector<vgui::PHandle> &members = m_dialog->GetBuildGroup()->GetMembers();
		for (int i = 0; i < members.Count(); ++i)
			out += std::string(members[i].Get() ? members[i]->GetName() : "-") + " ";
		return out;
	}
	static std::string Bounds(vgui::Panel *panel)
	{
		int x, y, w, t;
		panel->GetBounds(x, y, w, t);
		return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," + std::to_string(t);
	}

	vgui::EditablePanel *m_dialog = nullptr;
};

TEST_F(BuildGroupTest, LoadsSectionsIntoControlsOfTheirClass)
{
	m_dialog->LoadControlSettings("resource/dialog.res");

	auto *title = dynamic_cast<vgui::Label *>(m_dialog->FindChildByName("title"));
	ASSERT_NE(nullptr, title);
	EXPECT_EQ("5,6,40,10", Bounds(title));
	char text[32];
	title->GetText(text, sizeof(text));
	EXPECT_STREQ("Hello", text);
	EXPECT_TRUE(title->IsBuildModeDeletable());
	EXPECT_TRUE(title->IsAutoDeleteSet());

	// The nested editable panel builds its own children from its section.
	auto *box = dynamic_cast<vgui::EditablePanel *>(m_dialog->FindChildByName("box"));
	ASSERT_NE(nullptr, box);
	vgui::Panel *inner = box->FindChildByName("inner");
	ASSERT_NE(nullptr, inner);
	EXPECT_EQ("2,3,10,10", Bounds(inner));
	EXPECT_EQ(nullptr, m_dialog->FindChildByName("inner"));

	// Unknown classes and plain values create nothing.
	EXPECT_EQ(2, m_dialog->GetChildCount());
	EXPECT_EQ("dialog title box ", Members());
	EXPECT_STREQ("resource/dialog.res", m_dialog->GetBuildGroup()->GetResourceName());
}

TEST_F(BuildGroupTest, ReloadingReplacesDeletableControlsAndRegistersTheFileOnce)
{
	vgui::BuildGroup *group = m_dialog->GetBuildGroup();
	auto *kept = new vgui::Panel(m_dialog, "kept");  // made in code: joins, not deletable
	m_dialog->LoadControlSettings("resource/dialog.res");
	vgui::PHandle oldTitle;
	oldTitle = m_dialog->FindChildByName("title");
	m_dialog->LoadControlSettings("resource/dialog.res");

	EXPECT_EQ(nullptr, oldTitle.Get());
	EXPECT_NE(nullptr, m_dialog->FindChildByName("title"));
	EXPECT_EQ(kept, m_dialog->FindChildByName("kept"));
	EXPECT_EQ("dialog kept title box ", Members());
	EXPECT_EQ(1, group->GetRegisteredControlSettingsFileCount());
	EXPECT_STREQ("resource/dialog.res", group->GetRegisteredControlSettingsFileByIndex(0));
	EXPECT_EQ(nullptr, group->GetRegisteredControlSettingsFileByIndex(1));

	// A missing file leaves only what the layout did not create.
	m_dialog->LoadControlSettings("resource/none.res");
	EXPECT_EQ("dialog kept ", Members());
	EXPECT_EQ(1, m_dialog->GetChildCount());
	EXPECT_EQ(2, group->GetRegisteredControlSettingsFileCount());
}

TEST_F(BuildGroupTest, SectionNamesMatchMembersWithoutRegardToCase)
{
	auto *existing = new vgui::Panel(m_dialog, "TITLE");
	m_dialog->LoadControlSettings("resource/dialog.res");
	EXPECT_EQ(existing, m_dialog->FindChildByName("title"));
	EXPECT_EQ("5,6,40,10", Bounds(existing));
	EXPECT_EQ(nullptr, dynamic_cast<vgui::Label *>(m_dialog->FindChildByName("title")));
}

TEST_F(BuildGroupTest, PathIdsSkinFirstThenTheDefaultPath)
{
	// Only on the default path: the "SKIN" attempt fails and the second one loads it.
	m_dialog->LoadControlSettings("resource/dialog.res");
	EXPECT_NE(nullptr, m_dialog->FindChildByName("title"));

	// A skin folder's copy wins when no path id is given.
	std::string skin = m_harness->gameFolder + "/skin";
	mkdir(skin.c_str(), 0755);
	Write("resource/dialog.res", R"("x" { "skinned" { "ControlName" "Label" } })", skin);
	g_pFullFileSystem->AddSearchPath(skin.c_str(), "SKIN", PATH_ADD_TO_TAIL);
	m_dialog->LoadControlSettings("resource/dialog.res");
	EXPECT_NE(nullptr, m_dialog->FindChildByName("skinned"));
	EXPECT_EQ(nullptr, m_dialog->FindChildByName("title"));

	// A given path id is the only one tried.
	m_dialog->LoadControlSettings("resource/dialog.res", "GAME");
	EXPECT_NE(nullptr, m_dialog->FindChildByName("title"));
	m_dialog->LoadControlSettings("resource/dialog.res", "DATA");
	EXPECT_EQ(nullptr, m_dialog->FindChildByName("title"));
	EXPECT_EQ(nullptr, m_dialog->FindChildByName("skinned"));
}

TEST_F(BuildGroupTest, MinmodeKeysReplaceTheirPlainKeysWhileTheVariableIsSet)
{
	ConVarRef minmode("cl_hud_minmode", true);
	if (!minmode.IsValid())
		GTEST_SKIP() << "cl_hud_minmode was registered by an earlier harness of this process";
	Write("resource/mini.res", R"("m" { "a" { "ControlName" "Label" "xpos" "5" "xpos_minmode" "9" } })");
	minmode.SetValue(1);
	m_dialog->LoadControlSettings("resource/mini.res");
	minmode.SetValue(0);
	ASSERT_NE(nullptr, m_dialog->FindChildByName("a"));
	int x, y;
	m_dialog->FindChildByName("a")->GetPos(x, y);
	EXPECT_EQ(9, x);

	m_dialog->LoadControlSettings("resource/mini.res");
	m_dialog->FindChildByName("a")->GetPos(x, y);
	EXPECT_EQ(5, x);
}

TEST_F(BuildGroupTest, ConditionBlocksOverrideAndAddKeys)
{
	Write("resource/cond.res", R"("c"
{
	"a"	{ "ControlName" "Label" "xpos" "5" "wide" "20" "tall" "8"
		"if_wide"	{ "xpos" "7" "ypos" "4" }
		"if_other"	{ "xpos" "99" }
	}
})");
	KeyValues *conditions = new KeyValues("conditions");
	conditions->FindKey("if_wide", true);
	m_dialog->LoadControlSettings("resource/cond.res", nullptr, nullptr, conditions);
	conditions->deleteThis();
	ASSERT_NE(nullptr, m_dialog->FindChildByName("a"));
	EXPECT_EQ("7,4,20,8", Bounds(m_dialog->FindChildByName("a")));

	// Preloaded data is used as it is: no conditions merged.
	KeyValues *data = new KeyValues("pre");
	ASSERT_TRUE(data->LoadFromBuffer("pre", R"("pre" { "b" { "ControlName" "Label" "xpos" "3" "if_wide" { "xpos" "8" } } })"));
	KeyValues *again = new KeyValues("conditions");
	again->FindKey("if_wide", true);
	m_dialog->LoadControlSettings("pre", nullptr, data, again);
	again->deleteThis();
	ASSERT_NE(nullptr, m_dialog->FindChildByName("b"));
	int x, y;
	m_dialog->FindChildByName("b")->GetPos(x, y);
	EXPECT_EQ(3, x);
	data->deleteThis();  // the caller's data stays the caller's
}

TEST_F(BuildGroupTest, SavingWritesEveryNamedMemberBackToTheFile)
{
	vgui::BuildGroup *group = m_dialog->GetBuildGroup();
	EXPECT_FALSE(group->SaveControlSettings());  // nothing loaded yet

	m_dialog->LoadControlSettings("resource/dialog.res", "GAME");
	m_dialog->FindChildByName("title")->SetPos(11, 12);
	new vgui::Panel(m_dialog, nullptr);  // unnamed: not saved
	ASSERT_TRUE(group->SaveControlSettings());

	KeyValues *saved = new KeyValues("saved");
	ASSERT_TRUE(saved->LoadFromFile(g_pFullFileSystem, "resource/dialog.res", "GAME"));
	EXPECT_EQ(11, saved->GetInt("title/xpos"));
	EXPECT_EQ(12, saved->GetInt("title/ypos"));
	EXPECT_STREQ("Label", saved->GetString("title/ControlName"));
	EXPECT_NE(nullptr, saved->FindKey("dialog"));
	int sections = 0;
	for (KeyValues *k = saved->GetFirstSubKey(); k; k = k->GetNextKey())
		++sections;
	EXPECT_EQ(3, sections);  // dialog, title, box
	saved->deleteThis();

	// A read-only file is reported as not saved.
	chmod(Path("resource/dialog.res").c_str(), 0444);
	if (FILE *probe = fopen(Path("resource/dialog.res").c_str(), "a"))
	{
		fclose(probe);  // running as a user that writes anyway
	}
	else
	{
		EXPECT_FALSE(group->SaveControlSettings());
	}
	chmod(Path("resource/dialog.res").c_str(), 0644);
}

TEST_F(BuildGroupTest, ControlsMadeByClassNameGetTheFirstFreeNumber)
{
	vgui::BuildGroup *group = m_dialog->GetBuildGroup();
	vgui::Panel *first = group->NewControl("Label", 3, 4);
	vgui::Panel *second = group->NewControl("Label");
	ASSERT_NE(nullptr, first);
	ASSERT_NE(nullptr, second);
	EXPECT_STREQ("Label1", first->GetName());
	EXPECT_STREQ("Label2", second->GetName());
	EXPECT_EQ(m_dialog, first->GetParent());
	int x, y;
	first->GetPos(x, y);
	EXPECT_EQ(3, x);
	EXPECT_EQ(4, y);
	EXPECT_TRUE(first->IsBuildModeDeletable());
	EXPECT_EQ(nullptr, group->NewControl("NoSuchControl"));
	EXPECT_EQ(first, group->FieldNameTaken("LABEL1"));
	EXPECT_EQ(nullptr, group->FieldNameTaken("Label3"));

	// A long class name is cut to 24 characters before the number.
	char name[255];
	struct LongName : vgui::Panel
	{
		using vgui::Panel::Panel;
		const char *GetClassName() override { return "ABCDEFGHIJKLMNOPQRSTUVWXYZ"; }
	} longName(nullptr, "x");
	group->GetNewFieldName(name, sizeof(name), &longName);
	EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWX1", name);
}

TEST_F(BuildGroupTest, PanelsComingAndGoingDoNotGrowTheMemberList)
{
	for (int i = 0; i < 1000; ++i)
		delete new vgui::Panel(m_dialog, "passing");
	auto *stays = new vgui::Panel(m_dialog, "stays");
	stays->SetBuildGroup(m_dialog->GetBuildGroup());  // joining again adds nothing
	EXPECT_EQ("dialog stays ", Members());
}

TEST_F(BuildGroupTest, SnappingMovesToTheGridAndTrimsTheSize)
{
	struct Case
	{
		int snap;
		int x, y, wide, tall;
		const char *expected;
	} cases[] = {
		{ 1, 7, 9, 13, 5, "7,9,13,5" },
		{ 4, 7, 9, 13, 5, "4,8,12,4" },
		{ 5, -7, 3, 10, 10, "-5,0,10,10" },
	};
	vgui::BuildGroup *group = m_dialog->GetBuildGroup();
	auto *panel = new vgui::Panel(m_dialog, "p");
	for (const Case &c : cases)
	{
		group->SetSnap(c.snap, c.snap);
		panel->SetBounds(c.x, c.y, c.wide, c.tall);
		group->ApplySnap(panel);
		EXPECT_EQ(c.expected, Bounds(panel)) << "snap " << c.snap;
	}
}

TEST_F(BuildGroupTest, PanelsKeepTheirGroupByHandle)
{
	auto *group = new vgui::BuildGroup(m_dialog, m_dialog);
	auto *panel = new vgui::Panel(nullptr, "loose");
	panel->SetBuildGroup(group);
	group->SetEnabled(true);  // no build dialog can be made: build mode without one
	EXPECT_TRUE(group->IsEnabled());
	EXPECT_TRUE(panel->IsBuildModeActive());
	EXPECT_TRUE(panel->IsBuildGroupEnabled());
	delete group;
	EXPECT_FALSE(panel->IsBuildModeActive());
	EXPECT_FALSE(panel->IsBuildGroupEnabled());
	delete panel;

	// The owner belongs to its own group, first.
	EXPECT_EQ("dialog ", Members());
	EXPECT_FALSE(m_dialog->IsBuildModeActive());
	m_dialog->ActivateBuildMode();
	EXPECT_TRUE(m_dialog->IsBuildModeActive());
}

// A dialog that can make a build-mode window: a panel that logs the messages posted to it.
class BuildWindow : public vgui::Panel
{
public:
	BuildWindow(std::string *log) : vgui::Panel(nullptr, "BuildDialog"), m_log(log) {}
	void OnMessage(const KeyValues *params, vgui::VPANEL) override
	{
		// Only what the build group posts; the engine's cursor and tick messages are not logged.
		static const char *const kEngine[] = { "CursorEntered", "CursorMoved", "CursorExited", "MouseFocusTicked",
		                                       "KeyFocusTicked" };
		for (const char *name : kEngine)
			if (!strcmp(params->GetName(), name))
				return;
		*m_log += params->GetName();
		if (void *ptr = const_cast<KeyValues *>(params)->GetPtr("PanelPtr"))
			*m_log += std::string("(") + static_cast<vgui::Panel *>(ptr)->GetName() + ")";
		*m_log += " ";
	}
	void OnCommand(const char *command) override { *m_log += std::string("command.") + command + " "; }

private:
	std::string *m_log;
};

class BuildableDialog : public vgui::EditablePanel
{
public:
	BuildableDialog(std::string *log) : vgui::EditablePanel(nullptr, "dlg"), m_log(log) {}
	bool RequestInfo(KeyValues *data) override
	{
		if (!strcmp(data->GetName(), "BuildDialog"))
		{
			window = new BuildWindow(m_log);
			window->SetParent(GetVParent());
			data->SetPtr("PanelPtr", window);
			return true;
		}
		return vgui::EditablePanel::RequestInfo(data);
	}
	BuildWindow *window = nullptr;

private:
	std::string *m_log;
};

class BuildModeTest : public BuildGroupTest
{
protected:
	void SetUp() override
	{
		BuildGroupTest::SetUp();
		m_buildable = new BuildableDialog(&m_log);
		m_buildable->SetParent(m_root);
		m_buildable->SetBounds(0, 0, 200, 100);
		m_buildable->LoadControlSettings("resource/dialog.res");
		m_group = m_buildable->GetBuildGroup();
	}
	void TearDown() override
	{
		delete m_buildable;
		BuildGroupTest::TearDown();
	}
	std::string TakeLog()
	{
		Frame();
		std::string out;
		out.swap(m_log);
		return out;
	}
	void CursorAt(int x, int y)
	{
		m_vgui->QueueCursorMove(x, y);
		Frame();
	}

	std::string m_log;
	BuildableDialog *m_buildable = nullptr;
	vgui::BuildGroup *m_group = nullptr;
};

TEST_F(BuildModeTest, SwitchingOnOpensTheDialogAndOffClosesIt)
{
	m_buildable->ActivateBuildMode();
	ASSERT_NE(nullptr, m_buildable->window);
	EXPECT_EQ("SetActiveControl(dlg) ", TakeLog());
	EXPECT_EQ(m_buildable, m_group->GetCurrentPanel());
	EXPECT_TRUE(m_buildable->FindChildByName("title")->IsBuildGroupEnabled());
	m_group->SetEnabled(false);
	EXPECT_EQ("command.Close ", TakeLog());
	EXPECT_EQ(nullptr, m_group->GetCurrentPanel());
}

TEST_F(BuildModeTest, DraggingMovesTheSelectedControlsOnTheGrid)
{
	m_buildable->ActivateBuildMode();
	TakeLog();
	vgui::Panel *title = m_buildable->FindChildByName("title");  // at 5,6
	vgui::Panel *box = m_buildable->FindChildByName("box");      // at 50,0
	m_group->SetSnap(2, 2);

	CursorAt(10, 10);
	EXPECT_TRUE(m_group->MousePressed(MOUSE_LEFT, title));
	EXPECT_EQ("HideNewControlMenu SetActiveControl(title) StoreUndo ", TakeLog());
	CursorAt(25, 30);
	EXPECT_TRUE(m_group->CursorMoved(25, 30, title));
	EXPECT_EQ("20,26,40,10", Bounds(title));  // 5+15 -> 20, 6+20 -> 26
	EXPECT_EQ("UpdateControlData EnableSaveButton ", TakeLog());
	EXPECT_TRUE(m_group->MouseReleased(MOUSE_LEFT, title));
	EXPECT_FALSE(m_group->CursorMoved(40, 40, title));  // no drag any more
	EXPECT_EQ("20,26,40,10", Bounds(title));
	(void)box;

	// The right button on the context panel offers the new-control menu.
	EXPECT_TRUE(m_group->MousePressed(MOUSE_RIGHT, m_buildable));
	EXPECT_EQ("ShowNewControlMenu ", TakeLog());
}

TEST_F(BuildModeTest, KeysMoveByTheSnapStepAndAskTheDialog)
{
	m_buildable->ActivateBuildMode();
	TakeLog();
	vgui::Panel *title = m_buildable->FindChildByName("title");
	m_group->SetSnap(5, 3);
	EXPECT_TRUE(m_group->KeyCodeTyped(KEY_RIGHT, title));
	EXPECT_EQ("10,6,40,9", Bounds(title));  // 9 tall trimmed to the 3-grid (6 + 10 = 16 -> 15)
	EXPECT_EQ("SetActiveControl(title) PanelMoved ", TakeLog());
	EXPECT_TRUE(m_group->KeyCodeTyped(KEY_UP, title));
	EXPECT_EQ("10,3,40,9", Bounds(title));
	TakeLog();
	EXPECT_TRUE(m_group->KeyCodeTyped(KEY_DELETE, title));
	EXPECT_TRUE(m_group->KeyTyped(L'x', title));
	EXPECT_EQ("DeletePanel ", TakeLog());
}

TEST_F(BuildModeTest, WithoutADialogEventsAreNotTaken)
{
	vgui::Panel *title = m_buildable->FindChildByName("title");
	EXPECT_FALSE(m_group->MousePressed(MOUSE_LEFT, title));
	EXPECT_FALSE(m_group->KeyCodeTyped(KEY_RIGHT, title));
	EXPECT_EQ("5,6,40,10", Bounds(title));
	EXPECT_EQ("", TakeLog());
}

TEST_F(BuildModeTest, ReloadKeepsTheOwnerAndControlsMadeInCode)
{
	auto *kept = new vgui::Panel(m_buildable, "kept");
	vgui::PHandle title;
	title = m_buildable->FindChildByName("title");
	m_group->ReloadControlSettings();  // reloads the stored name through the dialog
	Frame();                            // the old build dialog goes
	EXPECT_EQ(nullptr, title.Get());
	EXPECT_NE(nullptr, m_buildable->FindChildByName("title"));
	EXPECT_EQ(kept, m_buildable->FindChildByName("kept"));
	EXPECT_STREQ("resource/dialog.res", m_group->GetResourceName());
	EXPECT_EQ(m_buildable, m_group->GetMembers()[0].Get());
	EXPECT_NE(nullptr, m_buildable->window);  // the dialog is opened again

	m_group->ChangeControlSettingsFile("resource/none.res");
	EXPECT_EQ(nullptr, m_buildable->FindChildByName("title"));
	EXPECT_STREQ("resource/none.res", m_group->GetResourceName());
	EXPECT_EQ(2, m_group->GetRegisteredControlSettingsFileCount());
}

TEST_F(BuildModeTest, RulersShowTheCurrentControlsDistances)
{
	m_buildable->ActivateBuildMode();
	vgui::Panel *title = m_buildable->FindChildByName("title");  // 5,6,40,10 in 200 x 100
	CursorAt(10, 10);
	m_group->MousePressed(MOUSE_LEFT, title);
	m_group->MouseReleased(MOUSE_LEFT, title);
	int before = m_buildable->GetChildCount();
	m_group->ToggleRulerDisplay();
	EXPECT_TRUE(m_group->HasRulersOn());
	ASSERT_EQ(before + 4, m_buildable->GetChildCount());

	m_vgui->ClearDrawLog();
	m_group->DrawRulers();
	int lines = 0;
	for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		lines += r.kind == VGuiDrawRecord::FilledRect;
	EXPECT_EQ(8, lines);
	std::string texts;
	for (int i = before; i < m_buildable->GetChildCount(); ++i)
	{
		char text[20];
		m_buildable->GetChild(i)->GetText(text, sizeof(text));
		texts += std::string(text) + (m_buildable->GetChild(i)->IsVisible() ? " " : "(hidden) ");
	}
	EXPECT_EQ("5 6 155 84 ", texts);

	// The rulers are not saved with the layout.
	KeyValues *out = new KeyValues("out");
	m_group->GetSettings(out);
	int sections = 0;
	for (KeyValues *k = out->GetFirstSubKey(); k; k = k->GetNextKey())
		++sections;
	EXPECT_EQ(3, sections);  // dlg, title, box: no unnamed ruler
	out->deleteThis();

	m_group->ToggleRulerDisplay();
	EXPECT_FALSE(m_buildable->GetChild(before)->IsVisible());
}
}
