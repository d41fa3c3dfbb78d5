// Pad navigation of vgui::Panel: links from layout settings, climbing with '<', passing
// hidden panels, loops, relays, the messages both sides get, and the keys that navigate.
#include <string>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"

namespace
{
// Logs navigation calls and the navigation messages its children send it.
class NavProbe : public vgui::Panel
{
public:
	NavProbe(vgui::Panel *parent, const char *name, std::string *log) : vgui::Panel(parent, name), m_log(log) {}

	void NavigateTo() override
	{
		*m_log += std::string("to:") + GetName() + " ";
		vgui::Panel::NavigateTo();
	}
	void NavigateFrom() override
	{
		*m_log += std::string("from:") + GetName() + " ";
		vgui::Panel::NavigateFrom();
	}
	void OnNavigateTo(const char *name) override { *m_log += std::string(GetName()) + "<OnNavigateTo(" + name + ") "; }
	void OnNavigateFrom(const char *name) override
	{
		*m_log += std::string(GetName()) + "<OnNavigateFrom(" + name + ") ";
	}

	std::string *m_log;
};

class PanelNavigationTest : public VGuiTest
{
protected:
	// frame { group { A, B, C }, Other }
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_frame = new NavProbe(nullptr, "frame", &m_log);
		m_frame->SetParent(m_root);
		m_group = new NavProbe(m_frame, "group", &m_log);
		m_a = new NavProbe(m_group, "A", &m_log);
		m_b = new NavProbe(m_group, "B", &m_log);
		m_c = new NavProbe(m_group, "C", &m_log);
		m_other = new NavProbe(m_frame, "Other", &m_log);
	}
	void TearDown() override
	{
		delete m_frame;
		VGuiTest::TearDown();
	}

	static void Link(vgui::Panel *panel, const char *key, const char *target)
	{
		KeyValues *settings = new KeyValues("settings");
		settings->SetString(key, target);
		panel->ApplySettings(settings);
		settings->deleteThis();
	}
	std::string TakeLog()
	{
		std::string log = m_log;
		m_log.clear();
		return log;
	}

	std::string m_log;
	NavProbe *m_frame = nullptr, *m_group = nullptr, *m_a = nullptr, *m_b = nullptr, *m_c = nullptr;
	NavProbe *m_other = nullptr;
};

TEST_F(PanelNavigationTest, LessThanSignsClimbBeforeTheSearch)
{
	Link(m_a, "navDown", "<Other");
	EXPECT_EQ(m_other, m_a->GetNavDown());
	Link(m_a, "navDown", "Other");  // below the group only: not found
	EXPECT_EQ(nullptr, m_a->GetNavDown());
	Link(m_a, "navDown", "<<<Other");  // climbs past the root
	EXPECT_EQ(nullptr, m_a->GetNavDown());
	Link(m_a, "navDown", "<group");  // found with recursion below the frame
	EXPECT_EQ(m_group, m_a->GetNavDown());

	// Each entry is its own; the relay searches below the panel itself.
	const char *const keys[] = { "navUp", "navDown", "navLeft", "navRight", "navActivate", "navBack" };
	for (int i = 0; i < 6; ++i)
	{
		SCOPED_TRACE(keys[i]);
		Link(m_b, keys[i], "C");
		vgui::Panel *found[] = { m_b->GetNavUp(), m_b->GetNavDown(), m_b->GetNavLeft(),
		                         m_b->GetNavRight(), m_b->GetNavActivate(), m_b->GetNavBack() };
		for (int j = 0; j < 6; ++j)
			EXPECT_EQ(j <= i ? m_c : nullptr, found[j]) << keys[j];
	}
	EXPECT_EQ(nullptr, m_b->GetNavToRelay());
	Link(m_group, "navToRelay", "C");
	EXPECT_EQ(m_c, m_group->GetNavToRelay());
}

TEST_F(PanelNavigationTest, HiddenPanelsArePassedAndLoopsEnd)
{
	// A -> B (hidden) -> Other.
	Link(m_a, "navDown", "B");
	Link(m_b, "navDown", "<Other");
	m_b->SetVisible(false);
	EXPECT_EQ(m_other, m_a->GetNavDown());

	// A -> B -> A with both hidden ends at A. (Settings are applied before hiding: they
	// show the panel again.)
	Link(m_b, "navDown", "A");
	m_b->SetVisible(false);
	m_a->SetVisible(false);
	EXPECT_EQ(m_a, m_a->GetNavDown());
	EXPECT_EQ(m_a, m_a->NavigateDown());

	// A -> B -> C -> B, all hidden: the walk gives up instead of circling for ever.
	Link(m_b, "navDown", "C");
	Link(m_c, "navDown", "B");
	m_b->SetVisible(false);
	m_c->SetVisible(false);
	EXPECT_EQ(nullptr, m_a->GetNavDown());
	EXPECT_EQ(nullptr, m_a->NavigateDown());
}

TEST_F(PanelNavigationTest, NavigatingTellsBothSidesAndTheirParents)
{
	Link(m_a, "navDown", "<Other");
	m_a->SetVisible(true);
	TakeLog();
	EXPECT_EQ(m_other, m_a->NavigateDown());
	EXPECT_EQ("from:A group<OnNavigateFrom(A) to:Other frame<OnNavigateTo(Other) ", TakeLog());
	EXPECT_EQ(1, m_other->GetLastNavDirection());
	EXPECT_EQ(5, m_a->GetLastNavDirection());

	// Leaving a panel leaves its whole subtree first.
	Link(m_other, "navUp", "group");
	EXPECT_EQ(m_group, m_other->NavigateUp());
	EXPECT_EQ("from:Other frame<OnNavigateFrom(Other) to:group frame<OnNavigateTo(group) ", TakeLog());
	EXPECT_EQ(0, m_group->GetLastNavDirection());
	Link(m_group, "navRight", "Other");
	EXPECT_EQ(m_other, m_group->NavigateRight());
	EXPECT_EQ("from:group from:A group<OnNavigateFrom(A) from:B group<OnNavigateFrom(B) from:C "
	          "group<OnNavigateFrom(C) frame<OnNavigateFrom(group) to:Other frame<OnNavigateTo(Other) ",
	          TakeLog());
	EXPECT_EQ(3, m_other->GetLastNavDirection());

	// No link, no navigation.
	EXPECT_EQ(nullptr, m_other->NavigateLeft());
	EXPECT_EQ("", TakeLog());
}

TEST_F(PanelNavigationTest, RelayHandsArrivalToTheChild)
{
	NavProbe *first = new NavProbe(m_other, "FirstButton", &m_log);
	Link(m_other, "navToRelay", "FirstButton");
	Link(m_a, "navBack", "<Other");
	TakeLog();
	EXPECT_EQ(m_other, m_a->NavigateBack());
	EXPECT_EQ("from:A group<OnNavigateFrom(A) to:Other frame<OnNavigateTo(Other) "
	          "from:Other from:FirstButton Other<OnNavigateFrom(FirstButton) frame<OnNavigateFrom(Other) "
	          "from:FirstButton Other<OnNavigateFrom(FirstButton) to:FirstButton Other<OnNavigateTo(FirstButton) ",
	          TakeLog());
	EXPECT_EQ(5, first->GetLastNavDirection());
	EXPECT_EQ(5, m_other->GetLastNavDirection());
}

TEST_F(PanelNavigationTest, CachedTargetIsFoundAgainAfterDeletion)
{
	Link(m_a, "navDown", "B");
	EXPECT_EQ(m_b, m_a->GetNavDown());
	delete m_b;
	EXPECT_EQ(nullptr, m_a->GetNavDown());
	m_b = new NavProbe(m_group, "B", &m_log);
	EXPECT_EQ(m_b, m_a->GetNavDown());

	// A panel without a parent takes no links from settings.
	NavProbe lone(nullptr, "lone", &m_log);
	Link(&lone, "navDown", "B");
	EXPECT_STREQ("", lone.GetNavTargetName(1));
	EXPECT_EQ(nullptr, lone.GetNavDown());
}

TEST_F(PanelNavigationTest, ArrowKeysAndPadCodesNavigate)
{
	Link(m_a, "navUp", "B");
	Link(m_a, "navDown", "C");
	Link(m_a, "navLeft", "<Other");
	Link(m_a, "navRight", "<group");
	Link(m_a, "navBack", "B");
	ConVarRef navLock("vgui_nav_lock", true);
	const struct
	{
		int code;
		vgui::Panel *expected;
	} cases[] = {
		{ KEY_UP, m_b }, { 146, m_b }, { 153, m_b }, { 159, m_b },
		{ KEY_DOWN, m_c }, { 148, m_c }, { 152, m_c }, { 158, m_c },
		{ KEY_LEFT, m_other }, { 149, m_other }, { 151, m_other }, { 157, m_other },
		{ KEY_RIGHT, m_group }, { 147, m_group }, { 150, m_group }, { 156, m_group },
		{ 115, m_b }, { 163, nullptr }, { KEY_A, nullptr },
	};
	for (const auto &c : cases)
	{
		SCOPED_TRACE(c.code);
		if (navLock.IsValid())
			navLock.SetValue(0);
		TakeLog();
		m_a->OnKeyCodePressed(static_cast<ButtonCode_t>(c.code));
		std::string log = TakeLog();
		if (c.expected)
			EXPECT_NE(std::string::npos, log.find(std::string("to:") + c.expected->GetName())) << log;
		else
			EXPECT_EQ(std::string::npos, log.find("to:")) << log;
	}
}
}
