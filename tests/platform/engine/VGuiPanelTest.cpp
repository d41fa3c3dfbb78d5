// The stand-in panel table: ids, tree order, geometry, clipping and the calls into clients.
#include <climits>
#include <memory>

#include "VGuiServices.h"

namespace
{
using VGuiPanelTest = VGuiServicesTest;

TEST_F(VGuiPanelTest, NewPanelsAreVisibleEnabledAndEmpty)
{
	vgui::VPANEL p = Make();
	EXPECT_NE(0u, p);
	EXPECT_TRUE(panels->IsVisible(p));
	EXPECT_TRUE(panels->IsEnabled(p));
	EXPECT_TRUE(panels->IsMouseInputEnabled(p));
	EXPECT_TRUE(panels->IsKeyBoardInputEnabled(p));
	EXPECT_FALSE(panels->IsPopup(p));
	EXPECT_EQ(0u, panels->GetParent(p));
	EXPECT_EQ(0, panels->GetChildCount(p));
}

TEST_F(VGuiPanelTest, FreedIdsReadAsNoneEvenWhenTheSlotIsReused)
{
	vgui::VPANEL p = vgui->AllocPanel();
	panels->SetPos(p, 3, 4);
	vgui::HPanel h = vgui->PanelToHandle(p);
	vgui->FreePanel(p);
	vgui::VPANEL q = Make();
	EXPECT_NE(p, q);
	EXPECT_EQ(0u, vgui->HandleToPanel(h));
	EXPECT_EQ(vgui::INVALID_PANEL, vgui->PanelToHandle(p));
	EXPECT_EQ(0u, vgui->HandleToPanel(vgui::INVALID_PANEL));
	int x = -1, y = -1;
	panels->GetPos(p, x, y);
	EXPECT_EQ(0, x);
	EXPECT_FALSE(panels->IsVisible(p));
	EXPECT_EQ(nullptr, panels->GetPanel(p, "TESTS"));
	// Calls on a stale id change nothing.
	panels->SetPos(p, 9, 9);
	panels->SetParent(p, q);
	EXPECT_EQ(0, panels->GetChildCount(q));
}

TEST_F(VGuiPanelTest, ChildrenKeepZOrderAndLaterChildrenOnTop)
{
	vgui::VPANEL parent = Make();
	vgui::VPANEL a = Make(nullptr, parent), b = Make(nullptr, parent), c = Make(nullptr, parent);
	EXPECT_EQ(a, panels->GetChild(parent, 0));
	EXPECT_EQ(c, panels->GetChild(parent, 2));
	panels->SetZPos(a, 1);
	EXPECT_EQ(a, panels->GetChild(parent, 2));
	panels->SetZPos(c, 1);
	EXPECT_EQ(c, panels->GetChild(parent, 2));  // equal z: the later change goes on top
	panels->MoveToBack(c);
	EXPECT_EQ(c, panels->GetChild(parent, 0));
	panels->MoveToFront(b);
	EXPECT_EQ(b, panels->GetChild(parent, 2));
	EXPECT_EQ(0u, panels->GetChild(parent, 3));
	EXPECT_EQ(0u, panels->GetChild(parent, -1));
	EXPECT_EQ(3, panels->GetChildren(parent).Count());
}

TEST_F(VGuiPanelTest, ReparentingTellsTheNewParentAndRefusesCycles)
{
	RecordingClient *parentClient;
	vgui::VPANEL parent = Make(&parentClient);
	vgui::VPANEL child = Make(nullptr, parent);
	vgui::VPANEL grandchild = Make(nullptr, child);
	EXPECT_EQ(std::vector<std::string>{ "ChildAdded" }, parentClient->calls);
	EXPECT_TRUE(panels->HasParent(grandchild, parent));
	EXPECT_TRUE(panels->HasParent(grandchild, grandchild));
	EXPECT_FALSE(panels->HasParent(parent, grandchild));

	panels->SetParent(parent, grandchild);
	EXPECT_EQ(0u, panels->GetParent(parent));
	panels->SetParent(child, 0);
	EXPECT_EQ(0, panels->GetChildCount(parent));
	EXPECT_EQ(child, panels->GetParent(grandchild));

	// Freeing a panel detaches its remaining children.
	vgui::VPANEL orphan = Make(nullptr, grandchild);
	vgui->FreePanel(grandchild);
	EXPECT_EQ(0u, panels->GetParent(orphan));
	EXPECT_EQ(0, panels->GetChildCount(child));
}

TEST_F(VGuiPanelTest, SizeRespectsTheMinimumAndReportsChanges)
{
	RecordingClient *client;
	vgui::VPANEL p = Make(&client);
	panels->SetSize(p, 30, 20);
	panels->SetSize(p, 30, 20);
	panels->SetMinimumSize(p, 40, 10);
	int w, t;
	panels->GetSize(p, w, t);
	EXPECT_EQ(40, w);
	EXPECT_EQ(20, t);
	EXPECT_EQ((std::vector<std::string>{ "Size 30x20", "Size 40x20" }), client->calls);
}

TEST_F(VGuiPanelTest, AbsolutePositionsAndClipRectangles)
{
	vgui::VPANEL parent = Make(nullptr, root);
	panels->SetPos(parent, 100, 50);
	panels->SetSize(parent, 200, 100);
	vgui::VPANEL child = Make(nullptr, parent);
	panels->SetPos(child, 150, -10);
	panels->SetSize(child, 100, 40);

	int x, y, x0, y0, x1, y1;
	panels->GetAbsPos(child, x, y);
	EXPECT_EQ(250, x);
	EXPECT_EQ(40, y);
	panels->GetClipRect(child, x0, y0, x1, y1);
	EXPECT_EQ(250, x0);
	EXPECT_EQ(50, y0);
	EXPECT_EQ(300, x1);
	EXPECT_EQ(80, y1);

	// Outside the parent: an empty rectangle.
	panels->SetPos(child, 300, 0);
	panels->GetClipRect(child, x0, y0, x1, y1);
	EXPECT_LE(x1, x0);

	// The screen bounds everything.
	panels->SetPos(parent, 600, 460);
	panels->SetPos(child, 0, 0);
	panels->GetClipRect(child, x0, y0, x1, y1);
	EXPECT_EQ(640, x1);
	EXPECT_EQ(480, y1);
}

TEST_F(VGuiPanelTest, ExtremePositionsStayInRange)
{
	vgui::VPANEL parent = Make(nullptr, root);
	panels->SetPos(parent, INT_MAX, INT_MAX);
	panels->SetSize(parent, INT_MAX, INT_MAX);
	vgui::VPANEL child = Make(nullptr, parent);
	panels->SetPos(child, INT_MAX, INT_MIN);
	int x, y, x0, y0, x1, y1;
	panels->GetAbsPos(child, x, y);
	EXPECT_EQ(INT_MAX, x);
	EXPECT_EQ(-1, y);
	panels->GetClipRect(child, x0, y0, x1, y1);
	EXPECT_LE(x1, x0);
}

TEST_F(VGuiPanelTest, ClientsAreReachedOnlyThroughTheirModule)
{
	RecordingClient *client;
	vgui::VPANEL p = Make(&client);
	EXPECT_EQ(reinterpret_cast<vgui::Panel *>(client), panels->GetPanel(p, "TESTS"));
	EXPECT_EQ(nullptr, panels->GetPanel(p, "OTHER"));
	EXPECT_EQ(nullptr, panels->GetPanel(p, nullptr));
	EXPECT_STREQ("recording", panels->GetName(p));
	EXPECT_STREQ("TESTS", panels->GetModuleName(p));

	KeyValues *msg = new KeyValues("Hello");
	panels->SendMessage(p, msg, root);
	msg->deleteThis();
	panels->Think(p);
	panels->DeletePanel(p);
	EXPECT_EQ((std::vector<std::string>{ "Message Hello", "Think", "Delete" }), client->calls);
	EXPECT_EQ(root, client->messageFrom);
}
}
