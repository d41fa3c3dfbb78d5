// Key bindings over the stand-in engine: classes declare named bindings, keys are bound to
// them per class, typed keys run them before OnKeyCodeTyped (once, at the innermost panel),
// and binding contexts refuse unnamed panels.
#include <string>

#include "VGuiFixture.h"
#include "tier0/standin.h"
#include "vgui/IInput.h"
#include "vgui_controls/KeyBindingMap.h"

namespace
{
class BoundPanel : public vgui::Panel
{
	DECLARE_CLASS_SIMPLE(BoundPanel, vgui::Panel);
	DECLARE_KEYBINDINGMAP(BoundPanel);

public:
	BoundPanel(vgui::Panel *parent, const char *name, std::string *log) : vgui::Panel(parent, name), m_log(log) {}

	KEYBINDING_FUNC(OnSave, "save") { *m_log += std::string(GetName()) + ".save "; }
	KEYBINDING_FUNC_PASSIVE(OnPeek, "peek") { *m_log += std::string(GetName()) + ".peek "; }

	void OnKeyCodeTyped(ButtonCode_t code) override
	{
		*m_log += std::string(GetName()) + ".typed" + std::to_string(code) + " ";
		vgui::Panel::OnKeyCodeTyped(code);
	}

private:
	std::string *m_log;
};

// A class derived from one with bindings: it finds them through the map chain.
class DerivedBoundPanel : public BoundPanel
{
	DECLARE_CLASS_SIMPLE(DerivedBoundPanel, BoundPanel);
	DECLARE_KEYBINDINGMAP(DerivedBoundPanel);

public:
	using BoundPanel::BoundPanel;
};

class TypedProbe : public vgui::Panel
{
public:
	TypedProbe(vgui::Panel *parent, const char *name, std::string *log) : vgui::Panel(parent, name), m_log(log) {}
	void OnKeyCodeTyped(ButtonCode_t code) override
	{
		*m_log += std::string(GetName()) + ".typed" + std::to_string(code) + " ";
		vgui::Panel::OnKeyCodeTyped(code);
	}

private:
	std::string *m_log;
};

class KeyBindingsTest : public VGuiTest
{
protected:
	// Types the key with the modifiers held, through the engine's event queue.
	void Type(vgui::Panel *focus, ButtonCode_t code, bool shift = false, bool ctrl = false)
	{
		m_vgui->SetKeyFocus(focus->GetVPanel());
		if (shift)
			m_vgui->QueueButton(KEY_LSHIFT, true);
		if (ctrl)
			m_vgui->QueueButton(KEY_RCONTROL, true);
		Frame();
		m_log.clear();
		m_vgui->QueueButton(code, true);
		m_vgui->QueueButton(code, false);
		m_vgui->QueueButton(KEY_LSHIFT, false);
		m_vgui->QueueButton(KEY_RCONTROL, false);
		Frame();
	}

	std::string m_log;
};

// Maps are process-wide: each test binds its own keys.

TEST_F(KeyBindingsTest, KeyBoundOnOnePanelServesEveryPanelOfTheClass)
{
	BoundPanel *a = new BoundPanel(nullptr, "a", &m_log);
	a->SetParent(m_root);
	BoundPanel *b = new BoundPanel(nullptr, "b", &m_log);
	b->SetParent(m_root);
	a->AddKeyBinding("SAVE", KEY_S, 2);  // names compare without case
	a->AddKeyBinding("nosuchbinding", KEY_T, 0);

	Type(b, KEY_S, false, true);
	EXPECT_EQ("b.save ", m_log);
	vgui::KeyBindingMap_t *binding = b->LookupBindingByKeyCode(KEY_S, 2);
	ASSERT_NE(nullptr, binding);
	EXPECT_STREQ("save", binding->bindingname);
	EXPECT_EQ(nullptr, b->LookupBindingByKeyCode(KEY_T, 0));

	// Without the exact modifiers the key is an ordinary one.
	Type(b, KEY_S);
	EXPECT_EQ("b.typed29 ", m_log);
	delete a;
	delete b;
}

TEST_F(KeyBindingsTest, ModifierMaskMustMatchExactly)
{
	BoundPanel panel(nullptr, "p", &m_log);
	panel.SetParent(m_root);
	panel.AddKeyBinding("save", KEY_F5, 3);  // shift and ctrl
	const struct
	{
		bool shift, ctrl;
		const char *expected;
	} cases[] = {
		{ true, false, "p.typed96 " },
		{ false, true, "p.typed96 " },
		{ true, true, "p.save " },
	};
	for (const auto &c : cases)
	{
		Type(&panel, KEY_F5, c.shift, c.ctrl);
		EXPECT_EQ(c.expected, m_log) << c.shift << c.ctrl;
	}
}

TEST_F(KeyBindingsTest, PassiveBindingRunsAndLetsTheKeyThrough)
{
	DerivedBoundPanel panel(nullptr, "p", &m_log);
	panel.SetParent(m_root);
	panel.AddKeyBinding("peek", KEY_F6, 0);
	Type(&panel, KEY_F6);
	EXPECT_EQ("p.peek p.typed97 ", m_log);
}

TEST_F(KeyBindingsTest, BindingsChainToTheParentOnceUnlessTheChildRefuses)
{
	BoundPanel parent(nullptr, "parent", &m_log);
	parent.SetParent(m_root);
	auto *child = new TypedProbe(&parent, "child", &m_log);
	parent.AddKeyBinding("save", KEY_F7, 0);

	Type(child, KEY_F7);
	EXPECT_EQ("parent.save ", m_log);

	// A child that doesn't chain types the key itself; the key bubbles to the parent's
	// OnKeyCodeTyped, which checks no bindings for the same event.
	child->SetAllowKeyBindingChainToParent(false);
	EXPECT_FALSE(child->IsKeyBindingChainToParentAllowed());
	Type(child, KEY_F7);
	EXPECT_EQ("child.typed98 parent.typed98 ", m_log);
}

TEST_F(KeyBindingsTest, BindingsOutsideTheModalPanelAreIgnored)
{
	BoundPanel panel(nullptr, "p", &m_log);
	panel.SetParent(m_root);
	vgui::Panel modal(nullptr, "modal");
	modal.SetParent(m_root);
	panel.AddKeyBinding("save", KEY_F8, 0);

	g_pVGuiInput->SetAppModalSurface(modal.GetVPanel());
	EXPECT_FALSE(panel.IsKeyRebound(KEY_F8, 0));
	g_pVGuiInput->SetAppModalSurface(panel.GetVPanel());
	EXPECT_TRUE(panel.IsKeyRebound(KEY_F8, 0));
	g_pVGuiInput->ReleaseAppModalSurface();

	// A panel that takes no keys looks no bindings up.
	panel.SetKeyBoardInputEnabled(false);
	EXPECT_FALSE(panel.IsKeyRebound(KEY_F8, 0));
	EXPECT_EQ("p.save ", m_log);
}

TEST_F(KeyBindingsTest, ContextsRefuseUnnamedPanelsAndKnowNoFiles)
{
	vgui::Panel unnamed;
	{
		Tier0OutputCapture out;
		unnamed.SetKeyBindingsContext(7);
		EXPECT_EQ("Can't add Keybindings Context for unnamed panels\n", out.All());
	}
	EXPECT_EQ(7u, unnamed.GetKeyBindingsContext());
	EXPECT_TRUE(unnamed.IsValidKeyBindingsContext());

	vgui::Panel named(nullptr, "named");
	EXPECT_FALSE(named.IsValidKeyBindingsContext());
	{
		Tier0OutputCapture out;
		named.SetKeyBindingsContext(7);
		EXPECT_EQ("", out.All());
	}
	EXPECT_STREQ("", named.GetKeyBindingsFile());
	EXPECT_EQ(nullptr, named.GetKeyBindingsFilePathID());
	EXPECT_EQ(nullptr, g_KBMgr.Find(7));
}

TEST_F(KeyBindingsTest, MapsAreFoundWithoutNamespaceOrCase)
{
	vgui::PanelKeyBindingMap *map = vgui::FindOrAddPanelKeyBindingMap("vgui::KeyBindingsTestClass");
	EXPECT_EQ(map, vgui::FindOrAddPanelKeyBindingMap("keybindingstestclass"));
	EXPECT_EQ(nullptr, map->baseMap);
	EXPECT_EQ(0, map->entries.Count());

	BoundPanel panel(nullptr, "p", &m_log);
	EXPECT_EQ(vgui::FindOrAddPanelKeyBindingMap("Panel"), panel.GetKBMap()->baseMap);
	vgui::Panel plain;
	EXPECT_EQ(vgui::FindOrAddPanelKeyBindingMap("Panel"), plain.GetKBMap());
}
}
