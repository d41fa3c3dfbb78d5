// vgui::FocusNavGroup over the stand-in engine: tab-order moves between a panel's children,
// wrapping and forwarding to the enclosing group, and the default-button role and messages.
#include <cstring>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/FocusNavGroup.h"

namespace
{
// A panel that keeps a focus group over its children, as a dialog does, and logs the
// messages it gets.
class GroupPanel : public vgui::Panel
{
public:
	GroupPanel(vgui::Panel *parent, const char *name, std::string *log)
	    : vgui::Panel(parent, name), nav(this), m_log(log)
	{
	}
	bool RequestFocusNext(vgui::VPANEL panel) override { return nav.RequestFocusNext(panel); }
	bool RequestFocusPrev(vgui::VPANEL panel) override { return nav.RequestFocusPrev(panel); }
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		if (!strcmp(params->GetName(), "FindDefaultButton"))
			*m_log += std::string(GetName()) + ".FindDefaultButton ";
		vgui::Panel::OnMessage(params, from);
	}

	vgui::FocusNavGroup nav;

private:
	std::string *m_log;
};

// A child with a tab position; a button answers that it can be the default button.
class Field : public vgui::Panel
{
public:
	Field(vgui::Panel *parent, const char *name, int tab, std::string *log, bool button = false, wchar_t hotkey = 0)
	    : vgui::Panel(parent, name), m_log(log), m_button(button), m_hotkey(hotkey)
	{
		SetTabPosition(tab);
	}
	bool RequestInfo(KeyValues *data) override
	{
		if (m_button && !strcmp(data->GetName(), "CanBeDefaultButton"))
		{
			data->SetInt("result", 1);
			return true;
		}
		return vgui::Panel::RequestInfo(data);
	}
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		if (!strcmp(params->GetName(), "SetAsCurrentDefaultButton"))
		{
			int state = const_cast<KeyValues *>(params)->GetInt("state");
			*m_log += std::string(GetName()) + ".default" + std::to_string(state) + " ";
		}
		vgui::Panel::OnMessage(params, from);
	}
	vgui::Panel *HasHotkey(wchar_t key) override { return key == m_hotkey ? this : nullptr; }

private:
	std::string *m_log;
	bool m_button;
	wchar_t m_hotkey;
};

class FocusNavGroupTest : public VGuiTest
{
protected:
	// A dialog under a holder panel (so it is not directly under the embedded panel).
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_holder = new GroupPanel(nullptr, "holder", &m_log);
		m_holder->SetParent(m_root);
		m_dialog = new GroupPanel(m_holder, "dialog", &m_log);
	}
	void TearDown() override
	{
		delete m_holder;
		VGuiTest::TearDown();
	}
	std::string Focus()
	{
		vgui::Panel *focus = m_dialog->nav.GetCurrentFocus();
		return focus ? focus->GetName() : "none";
	}
	std::string Messages()
	{
		Frame();
		std::string log;
		log.swap(m_log);
		return log;
	}

	std::string m_log;
	GroupPanel *m_holder = nullptr;
	GroupPanel *m_dialog = nullptr;
};

TEST_F(FocusNavGroupTest, TopLevelGroupWrapsBothWays)
{
	m_dialog->nav.SetFocusTopLevel(true);
	auto *one = new Field(m_dialog, "one", 1, &m_log);
	auto *two = new Field(m_dialog, "two", 2, &m_log);
	auto *three = new Field(m_dialog, "three", 3, &m_log);

	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(three->GetVPanel()));
	EXPECT_EQ("one", Focus());
	EXPECT_TRUE(m_dialog->nav.RequestFocusPrev(one->GetVPanel()));
	EXPECT_EQ("three", Focus());
	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(one->GetVPanel()));
	EXPECT_EQ("two", Focus());

	// No origin: next starts at position 1, prev refuses and keeps the focus.
	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(0));
	EXPECT_EQ("one", Focus());
	EXPECT_FALSE(m_dialog->nav.RequestFocusPrev(0));
	EXPECT_EQ("one", Focus());
	(void)two;
}

struct ScanCase
{
	const char *name;
	std::vector<int> tabs;      // tab position per child, in child order
	std::vector<bool> hidden;   // per child
	int origin;                 // child index
	bool next;
	const char *expected;       // child name ("c<index>") or "none"
};

TEST_F(FocusNavGroupTest, ScanPicksTheNearestTabStop)
{
	const ScanCase cases[] = {
		{ "hidden skipped", { 2, 3, 5 }, { false, true, false }, 0, true, "c2" },
		{ "same position: earlier child", { 2, 4, 4 }, { false, false, false }, 0, true, "c1" },
		{ "zero never reached", { 1, 0, 2 }, { false, false, false }, 0, true, "c2" },
		{ "zero never reached backwards", { 0, 1, 2 }, { false, false, false }, 2, false, "c1" },
		{ "prev picks the largest below", { 1, 3, 5 }, { false, false, false }, 2, false, "c1" },
		{ "wrap to smallest above 1", { 3, 2, 4 }, { false, false, false }, 2, true, "c1" },
	};
	for (const ScanCase &c : cases)
	{
		SCOPED_TRACE(c.name);
		auto *dialog = new GroupPanel(nullptr, "top", &m_log);
		dialog->nav.SetFocusTopLevel(true);
		std::vector<vgui::Panel *> children;
		for (size_t i = 0; i < c.tabs.size(); ++i)
		{
			std::string name = "c" + std::to_string(i);
			children.push_back(new Field(dialog, name.c_str(), c.tabs[i], &m_log));
			children.back()->SetVisible(!c.hidden[i]);
		}
		vgui::VPANEL origin = children[c.origin]->GetVPanel();
		bool moved = c.next ? dialog->nav.RequestFocusNext(origin) : dialog->nav.RequestFocusPrev(origin);
		vgui::Panel *focus = dialog->nav.GetCurrentFocus();
		EXPECT_EQ(std::string(c.expected), focus ? focus->GetName() : "none");
		EXPECT_EQ(std::string(c.expected) != "none", moved);
		delete dialog;
	}
}

TEST_F(FocusNavGroupTest, DefaultPanelIsTheFirstChildAtPositionOneEvenWhenHidden)
{
	new Field(m_dialog, "two", 2, &m_log);
	auto *first = new Field(m_dialog, "first", 1, &m_log);
	new Field(m_dialog, "second", 1, &m_log);
	first->SetVisible(false);
	EXPECT_EQ(first, m_dialog->nav.GetDefaultPanel());

	GroupPanel empty(nullptr, "empty", &m_log);
	new Field(&empty, "zero", 0, &m_log);
	EXPECT_EQ(nullptr, empty.nav.GetDefaultPanel());
}

TEST_F(FocusNavGroupTest, NestedGroupAsksTheEnclosingGroupFirst)
{
	// holder: [before(1), dialog(2), after(3)]; dialog: [a(1), ok button(2)].
	auto *before = new Field(m_holder, "before", 1, &m_log);
	m_dialog->SetTabPosition(2);
	auto *after = new Field(m_holder, "after", 3, &m_log);
	auto *a = new Field(m_dialog, "a", 1, &m_log);
	auto *ok = new Field(m_dialog, "ok", 2, &m_log, true);
	(void)before;

	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(a->GetVPanel()));
	EXPECT_EQ("ok", Focus());
	EXPECT_EQ(ok->GetVPanel(), m_dialog->nav.GetCurrentDefaultButton());
	EXPECT_EQ("ok.default1 ", Messages());

	// Running off the end: the holder moves focus to "after"; the dialog keeps no focus and
	// gives up its default button; the holder sees "after" is no button and asks its parent.
	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(ok->GetVPanel()));
	EXPECT_EQ("none", Focus());
	EXPECT_EQ(0u, m_dialog->nav.GetCurrentDefaultButton());
	vgui::Panel *holderFocus = m_holder->nav.GetCurrentFocus();
	ASSERT_NE(nullptr, holderFocus);
	EXPECT_EQ(after, holderFocus);
	EXPECT_EQ("ok.default0 ", Messages());

	// Backwards from "a": the holder goes to "before".
	EXPECT_TRUE(m_dialog->nav.RequestFocusPrev(a->GetVPanel()));
	EXPECT_EQ(before, m_holder->nav.GetCurrentFocus());
}

TEST_F(FocusNavGroupTest, GroupUnderTheEmbeddedPanelWrapsWithoutForwarding)
{
	// The holder sits directly under the embedded panel: it wraps within its own children.
	auto *x = new Field(m_holder, "x", 1, &m_log);
	auto *y = new Field(m_holder, "y", 2, &m_log);
	EXPECT_TRUE(m_holder->nav.RequestFocusNext(y->GetVPanel()));
	EXPECT_EQ(x, m_holder->nav.GetCurrentFocus());
}

TEST_F(FocusNavGroupTest, DefaultButtonRoleFollowsFocus)
{
	m_dialog->nav.SetFocusTopLevel(true);
	auto *text = new Field(m_dialog, "text", 1, &m_log);
	auto *ok = new Field(m_dialog, "ok", 2, &m_log, true);
	auto *cancel = new Field(m_dialog, "cancel", 3, &m_log, true);

	// Focus on a button makes it the current default; on a text field the role goes back to
	// the declared default button.
	m_dialog->nav.SetDefaultButton(ok);
	EXPECT_EQ("ok.default1 ", Messages());
	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(ok->GetVPanel()));
	EXPECT_EQ("ok.default0 cancel.default1 ", Messages());
	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(cancel->GetVPanel()));
	EXPECT_EQ("cancel.default0 ok.default1 ", Messages());

	// The same holder again: nothing is sent.
	m_dialog->nav.SetCurrentDefaultButton(ok->GetVPanel());
	m_dialog->nav.SetDefaultButton(ok);
	EXPECT_EQ("", Messages());

	// No declared default: focus on the text field asks the parent to find one.
	m_dialog->nav.SetDefaultButton(nullptr);
	EXPECT_EQ("ok.default0 ", Messages());
	EXPECT_TRUE(m_dialog->nav.RequestFocusNext(cancel->GetVPanel()));
	EXPECT_EQ(text, m_dialog->nav.GetCurrentFocus());
	EXPECT_EQ("holder.FindDefaultButton ", Messages());

	// Quiet hand-over sends nothing.
	m_dialog->nav.SetCurrentDefaultButton(cancel->GetVPanel(), false);
	EXPECT_EQ(cancel->GetVPanel(), m_dialog->nav.GetCurrentDefaultButton());
	EXPECT_EQ("", Messages());
}

TEST_F(FocusNavGroupTest, SetCurrentFocusChoosesTheDefaultButton)
{
	auto *text = new Field(m_dialog, "text", 1, &m_log);
	auto *ok = new Field(m_dialog, "ok", 2, &m_log, true);
	EXPECT_EQ(ok->GetVPanel(), m_dialog->nav.SetCurrentFocus(ok->GetVPanel(), 0));
	EXPECT_EQ(ok, m_dialog->nav.GetCurrentFocus());
	EXPECT_EQ(0u, m_dialog->nav.SetCurrentFocus(text->GetVPanel(), 0));
	EXPECT_EQ(ok->GetVPanel(), m_dialog->nav.SetCurrentFocus(text->GetVPanel(), ok->GetVPanel()));
	EXPECT_EQ("ok.default1 ok.default0 ok.default1 ", Messages());

	// A deleted button reads as none: no message goes to it.
	delete ok;
	EXPECT_EQ(0u, m_dialog->nav.GetCurrentDefaultButton());
	EXPECT_EQ(text, m_dialog->nav.GetCurrentFocus());
	EXPECT_FALSE(m_dialog->nav.CanButtonBeDefault(0));
}

TEST_F(FocusNavGroupTest, HotkeyFindsTheFirstVisibleEnabledAnswer)
{
	auto *hidden = new Field(m_dialog, "hidden", 1, &m_log, false, L'x');
	auto *shown = new Field(m_dialog, "shown", 2, &m_log, false, L'x');
	hidden->SetVisible(false);
	EXPECT_EQ(shown, m_dialog->nav.FindPanelByHotkey(L'x'));
	shown->SetEnabled(false);
	EXPECT_EQ(nullptr, m_dialog->nav.FindPanelByHotkey(L'x'));
	EXPECT_EQ(nullptr, m_dialog->nav.FindPanelByHotkey(L'y'));
}
}
