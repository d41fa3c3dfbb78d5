// vgui::LuaEditablePanel over the stand-in engine: the app-modal state it takes and gives back
// when it is marked for deletion or destroyed, and what it is as a panel.
#include <cstring>

#include "VGuiFixture.h"
#include "vgui/IInput.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/LuaEditablePanel.h"

namespace
{
class LuaEditablePanelTest : public VGuiTest
{
protected:
	vgui::LuaEditablePanel *NewEditable()
	{
		auto *panel = new vgui::LuaEditablePanel(nullptr, "EditablePanel");
		panel->SetParent(m_root);
		return panel;
	}
	vgui::VPANEL Modal() { return vgui::input()->GetAppModalSurface(); }
};

TEST_F(LuaEditablePanelTest, IsAnEditablePanelForBuildMode)
{
	vgui::LuaEditablePanel *panel = NewEditable();
	EXPECT_STREQ("LuaEditablePanel", panel->GetClassName());
	EXPECT_STREQ("EditablePanel", panel->GetName());
	EXPECT_TRUE(panel->IsBuildModeEditable());
	EXPECT_NE(nullptr, panel->GetBuildGroup());
	EXPECT_EQ(0u, Modal());

	// Children get the panel's build group and report their actions to it.
	auto *child = new vgui::Panel(panel, "child");
	Frame();
	bool member = false;
	CUtlVector<vgui::PHandle> &members = panel->GetBuildGroup()->GetMembers();
	for (int i = 0; i < members.Count(); ++i)
		member = member || members[i].Get() == child;
	EXPECT_TRUE(member);

	// Not made by layout files.
	EXPECT_EQ(nullptr, panel->CreateControlByName("LuaEditablePanel"));
	panel->DeletePanel();
	Frame();
	EXPECT_EQ(m_baseline, m_vgui->LivePanelCount());
}

TEST_F(LuaEditablePanelTest, DoModalTakesAndRemovalGivesBackTheModalState)
{
	vgui::Panel *before = NewRootChild("before");
	vgui::input()->SetAppModalSurface(before->GetVPanel());

	// Marked for deletion: the state goes back at once, not when the engine deletes it.
	vgui::LuaEditablePanel *marked = NewEditable();
	marked->DoModal();
	EXPECT_EQ(marked->GetVPanel(), Modal());
	marked->MarkForDeletion();
	EXPECT_EQ(before->GetVPanel(), Modal());
	Frame();
	EXPECT_EQ(before->GetVPanel(), Modal());

	// Destroyed outright.
	vgui::LuaEditablePanel *deleted = NewEditable();
	deleted->DoModal();
	deleted->DeletePanel();
	EXPECT_EQ(before->GetVPanel(), Modal());

	// Nothing was modal before: removal leaves nothing modal.
	vgui::input()->ReleaseAppModalSurface();
	vgui::LuaEditablePanel *alone = NewEditable();
	alone->DoModal();
	alone->DeletePanel();
	EXPECT_EQ(0u, Modal());
	before->DeletePanel();
}

TEST_F(LuaEditablePanelTest, DoModalTwiceStillRestoresTheEarlierPanel)
{
	vgui::Panel *before = NewRootChild("before");
	vgui::input()->SetAppModalSurface(before->GetVPanel());
	vgui::LuaEditablePanel *panel = NewEditable();
	panel->DoModal();
	panel->DoModal();
	EXPECT_EQ(panel->GetVPanel(), Modal());
	panel->DeletePanel();
	// Not left modal (as a dead panel) and the earlier panel has the state again.
	EXPECT_EQ(before->GetVPanel(), Modal());
	before->DeletePanel();
}

TEST_F(LuaEditablePanelTest, RemovalWithoutTheModalStateChangesNothing)
{
	vgui::Panel *before = NewRootChild("before");
	vgui::Panel *later = NewRootChild("later");

	// Never modal.
	vgui::input()->SetAppModalSurface(later->GetVPanel());
	NewEditable()->DeletePanel();
	EXPECT_EQ(later->GetVPanel(), Modal());

	// Modal once, then another panel took over: that panel keeps the state.
	vgui::input()->SetAppModalSurface(before->GetVPanel());
	vgui::LuaEditablePanel *panel = NewEditable();
	panel->DoModal();
	vgui::input()->SetAppModalSurface(later->GetVPanel());
	panel->MarkForDeletion();
	EXPECT_EQ(later->GetVPanel(), Modal());
	Frame();
	EXPECT_EQ(later->GetVPanel(), Modal());
	before->DeletePanel();
	later->DeletePanel();
}

TEST_F(LuaEditablePanelTest, ADeletedPreviousPanelIsNotRestored)
{
	vgui::Panel *before = NewRootChild("before");
	vgui::input()->SetAppModalSurface(before->GetVPanel());
	vgui::LuaEditablePanel *panel = NewEditable();
	panel->DoModal();
	before->DeletePanel();
	panel->DeletePanel();
	EXPECT_EQ(0u, Modal());
}
}
