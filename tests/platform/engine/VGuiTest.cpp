// The stand-in vgui loop: messages with delays on the host's clock, tick signals, deferred
// deletion and the frame order.
#include <algorithm>
#include <memory>

#include "VGuiServices.h"

namespace
{
using VGuiLoopTest = VGuiServicesTest;

TEST_F(VGuiLoopTest, MessagesArriveInOrderOnceTheirDelayHasPassed)
{
	RecordingClient *client;
	vgui::VPANEL p = Make(&client);
	vgui->PostMessage(p, new KeyValues("Late"), root, 0.5f);
	vgui->PostMessage(p, new KeyValues("First"), root);
	vgui->PostMessage(p, new KeyValues("Second"), root, -3.0f);
	control->RunFrame();
	EXPECT_EQ((std::vector<std::string>{ "Message First", "Message Second" }), client->calls);
	EXPECT_EQ(1, control->PendingMessageCount());

	client->calls.clear();
	engine->SetCurrentTime(0.49);
	control->RunFrame();
	EXPECT_TRUE(client->calls.empty());
	engine->SetCurrentTime(0.5);
	control->RunFrame();
	EXPECT_EQ(std::vector<std::string>{ "Message Late" }, client->calls);
	EXPECT_EQ(0, control->PendingMessageCount());
}

TEST_F(VGuiLoopTest, MessagesToFreedPanelsAreDropped)
{
	vgui::VPANEL p = vgui->AllocPanel();
	vgui->PostMessage(p, new KeyValues("Lost"), 0);
	vgui->PostMessage(p, nullptr, 0);
	vgui->FreePanel(p);
	control->RunFrame();
	EXPECT_EQ(0, control->PendingMessageCount());
}

TEST_F(VGuiLoopTest, TickSignalsFollowTheirInterval)
{
	RecordingClient *every, *slow;
	vgui::VPANEL a = Make(&every), b = Make(&slow);
	vgui->AddTickSignal(a);
	vgui->AddTickSignal(b, 100);
	vgui->AddTickSignal(b, 100);
	for (int i = 0; i < 3; ++i)
	{
		engine->SetCurrentTime(i * 0.05);
		control->RunFrame();
	}
	EXPECT_EQ(3, std::count(every->calls.begin(), every->calls.end(), "Tick"));
	EXPECT_EQ(1, std::count(slow->calls.begin(), slow->calls.end(), "Tick"));
	vgui->RemoveTickSignal(a);
	control->RunFrame();
	EXPECT_EQ(3, std::count(every->calls.begin(), every->calls.end(), "Tick"));
}

TEST_F(VGuiLoopTest, FrameThinksOverTheTreeThenAppliesSchemesThenDeletes)
{
	RecordingClient *parentClient, *childClient, *looseClient;
	vgui::VPANEL parent = Make(&parentClient, root);
	Make(&childClient, parent);
	vgui::VPANEL loose = Make(&looseClient);
	parentClient->calls.clear();
	vgui->MarkPanelForDeletion(parent);
	EXPECT_TRUE(vgui->IsRunning());
	control->RunFrame();
	EXPECT_EQ((std::vector<std::string>{ "Think", "Scheme", "Delete" }), parentClient->calls);
	EXPECT_EQ((std::vector<std::string>{ "Think", "Scheme" }), childClient->calls);
	EXPECT_TRUE(looseClient->calls.empty());  // outside the tree
	(void)loose;
}
}
