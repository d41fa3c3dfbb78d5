// The stand-in input state: queued events reach it on the next frame and become the input
// messages of the panel under the cursor or with key focus.
#include <algorithm>
#include <memory>

#include "VGuiServices.h"
#include "engine/ivengineclient.h"
#include "vgui/IInputInternal.h"

namespace
{
using VGuiInputTest = VGuiServicesTest;

TEST_F(VGuiInputTest, EventsApplyOnTheNextFrame)
{
	vgui::VPANEL p = Make(nullptr, root);
	panels->SetPos(p, 10, 10);
	control->QueueCursorMove(15, 16);
	control->QueueButton(KEY_A, true);
	control->QueueButton(MOUSE_LEFT, true);
	control->QueueButton(static_cast<ButtonCode_t>(5000), true);
	int x, y;
	input->GetCursorPos(x, y);
	EXPECT_EQ(0, x);
	control->RunFrame();
	input->GetCursorPos(x, y);
	EXPECT_EQ(15, x);
	EXPECT_EQ(16, y);
	EXPECT_TRUE(input->IsKeyDown(KEY_A));
	EXPECT_FALSE(input->IsKeyDown(MOUSE_LEFT));
	EXPECT_TRUE(input->IsMouseDown(MOUSE_LEFT));
	EXPECT_FALSE(input->IsMouseDown(KEY_A));
	EXPECT_EQ(p, input->GetMouseOver());

	control->QueueButton(KEY_A, false);
	control->RunFrame();
	EXPECT_FALSE(input->IsKeyDown(KEY_A));
}

TEST_F(VGuiInputTest, CaptureAndModalPanelsAreForgottenWithThePanel)
{
	vgui::VPANEL p = vgui->AllocPanel();
	input->SetMouseCapture(p);
	input->SetAppModalSurface(p);
	EXPECT_EQ(p, input->GetMouseCapture());
	EXPECT_EQ(p, input->GetAppModalSurface());
	vgui->FreePanel(p);
	EXPECT_EQ(0u, input->GetMouseCapture());
	EXPECT_EQ(0u, input->GetAppModalSurface());
	input->SetMouseCapture(p);
	EXPECT_EQ(0u, input->GetMouseCapture());
}

// The messages a client got, without the per-frame focus ticks.
std::vector<std::string> Messages(RecordingClient *client)
{
	std::vector<std::string> out;
	for (const std::string &call : client->calls)
		if (call.rfind("Message ", 0) == 0 && call.find("FocusTicked") == std::string::npos)
			out.push_back(call.substr(8));
	client->calls.clear();
	return out;
}

TEST_F(VGuiInputTest, MouseEventsBecomeMessagesWithDoublePressesWithinHalfASecond)
{
	RecordingClient *client = nullptr;
	vgui::VPANEL p = Make(&client, root);
	panels->SetSize(p, 50, 50);
	control->QueueCursorMove(5, 5);
	control->QueueButton(MOUSE_LEFT, true);
	control->QueueButton(MOUSE_LEFT, false);
	control->QueueButton(MOUSE_LEFT, true);  // the second press at once: a double press
	control->QueueButton(MOUSE_LEFT, true);  // after a double press, an ordinary one again
	control->QueueMouseWheel(-1);
	control->RunFrame();
	using V = std::vector<std::string>;
	EXPECT_EQ((V{ "CursorEntered", "CursorMoved", "MousePressed", "MouseReleased", "MouseDoublePressed",
	              "MousePressed", "MouseWheeled" }),
	          Messages(client));

	// Over half a second after the last press: an ordinary press, then a double one.
	control->QueueButton(MOUSE_LEFT, true);
	engine->SetCurrentTime(0.6);
	control->RunFrame();
	control->QueueButton(MOUSE_LEFT, true);
	control->RunFrame();
	EXPECT_EQ((V{ "MousePressed", "MouseDoublePressed" }), Messages(client));

	// The panel under the cursor gets the mouse focus tick every frame.
	control->RunFrame();
	EXPECT_NE(client->calls.end(), std::find(client->calls.begin(), client->calls.end(), "Message MouseFocusTicked"));
}

TEST_F(VGuiInputTest, KeysGoToTheFocusOrAreReportedUnhandled)
{
	RecordingClient *client = nullptr;
	vgui::VPANEL p = Make(&client, root);
	control->QueueButton(KEY_A, true);
	control->RunFrame();
	EXPECT_EQ(std::vector<int>{ KEY_A }, control->UnhandledKeys());

	control->SetKeyFocus(p);
	control->QueueButton(KEY_B, true);
	control->QueueButton(KEY_B, false);
	control->QueueKeyTyped(L'b');
	control->RunFrame();
	EXPECT_EQ(p, input->GetFocus());
	using V = std::vector<std::string>;
	EXPECT_EQ((V{ "SetFocus", "KeyCodePressed", "KeyCodeTyped", "KeyCodeReleased", "KeyTyped" }), Messages(client));
	input->OnKeyCodeUnhandled(KEY_C);
	EXPECT_EQ((std::vector<int>{ KEY_A, KEY_C }), control->UnhandledKeys());
}

TEST_F(VGuiInputTest, FocusGoesToTheTopKeyboardPopup)
{
	RecordingClient *lower = nullptr, *upper = nullptr;
	vgui::VPANEL a = Make(&lower, root);
	vgui::VPANEL b = Make(&upper, root);
	surface->CreatePopup(a, false);
	surface->CreatePopup(b, false, true, false, true, false);  // takes no keys
	control->RunFrame();
	EXPECT_EQ(a, input->GetFocus());
	panels->SetKeyBoardInputEnabled(b, true);
	control->RunFrame();
	EXPECT_EQ(b, input->GetFocus());
	using V = std::vector<std::string>;
	EXPECT_EQ((V{ "SetFocus", "KillFocus" }), Messages(lower));
	EXPECT_EQ((V{ "SetFocus" }), Messages(upper));

	// A hidden popup or one outside the app-modal panel is passed over.
	panels->SetVisible(b, false);
	control->RunFrame();
	EXPECT_EQ(a, input->GetFocus());
	panels->SetVisible(b, true);
	input->SetAppModalSurface(a);
	control->RunFrame();
	EXPECT_EQ(a, input->GetFocus());
	input->ReleaseAppModalSurface();
}

TEST_F(VGuiInputTest, ModalSubTreeAndCursorOverrideAreKeptUntilReleased)
{
	vgui::VPANEL p = vgui->AllocPanel();
	input->SetModalSubTree(p, false);
	EXPECT_EQ(p, input->GetModalSubTree());
	EXPECT_FALSE(input->ShouldModalSubTreeReceiveMessages());
	input->ReleaseModalSubTree();
	EXPECT_EQ(0u, input->GetModalSubTree());
	EXPECT_TRUE(input->ShouldModalSubTreeReceiveMessages());

	input->SetModalSubTree(p, true);
	control->SetKeyFocus(p);
	vgui->FreePanel(p);
	EXPECT_EQ(0u, input->GetModalSubTree());
	control->RunFrame();
	EXPECT_EQ(0u, input->GetFocus());

	input->SetCursorOveride(vgui::dc_hand);
	EXPECT_EQ(static_cast<vgui::HCursor>(vgui::dc_hand), input->GetCursorOveride());
	control->Reset();
	EXPECT_EQ(0u, input->GetCursorOveride());
}
}

namespace
{
TEST_F(VGuiInputTest, InternalInputReachesPanelsAtOnceAndCountsForThisFrame)
{
	auto *internal = static_cast<vgui::IInputInternal *>(EngineInterface(VGUI_INPUTINTERNAL_INTERFACE_VERSION));
	ASSERT_NE(nullptr, internal);
	RecordingClient *client = nullptr;
	vgui::VPANEL p = Make(&client, root);
	control->SetKeyFocus(p);
	control->RunFrame();
	client->calls.clear();

	using V = std::vector<std::string>;
	EXPECT_TRUE(internal->InternalCursorMoved(3, 4));
	EXPECT_TRUE(internal->InternalMousePressed(MOUSE_LEFT));
	EXPECT_FALSE(input->IsMouseDown(MOUSE_LEFT)) << "the press alone leaves the button state";
	internal->SetMouseCodeState(MOUSE_LEFT, true);
	EXPECT_TRUE(input->IsMouseDown(MOUSE_LEFT));
	internal->SetMouseCodeState(KEY_A, true);
	EXPECT_FALSE(input->IsKeyDown(KEY_A)) << "only mouse buttons";
	EXPECT_TRUE(internal->InternalMouseDoublePressed(MOUSE_RIGHT));
	EXPECT_TRUE(internal->InternalMouseReleased(MOUSE_LEFT));
	EXPECT_TRUE(internal->InternalMouseWheeled(2));
	EXPECT_FALSE(internal->InternalMousePressed(KEY_A)) << "a key is no mouse button";
	EXPECT_TRUE(internal->InternalKeyCodePressed(KEY_B));
	internal->InternalKeyCodeTyped(KEY_B);
	internal->InternalKeyCodeReleased(KEY_B);
	EXPECT_FALSE(internal->InternalKeyCodePressed(static_cast<ButtonCode_t>(-7)));
	EXPECT_EQ((V{ "CursorEntered", "CursorMoved", "MousePressed", "MouseDoublePressed", "MouseReleased", "MouseWheeled",
	              "KeyCodePressed", "KeyCodeTyped", "KeyCodeReleased" }),
	          Messages(client));
	int x, y;
	internal->GetCursorPos(x, y);
	EXPECT_EQ(3, x);
	EXPECT_TRUE(input->WasMousePressed(MOUSE_LEFT));
	EXPECT_TRUE(input->WasMouseDoublePressed(MOUSE_RIGHT));
	EXPECT_FALSE(input->WasMousePressed(MOUSE_RIGHT));
	EXPECT_TRUE(input->WasKeyPressed(KEY_B));
	EXPECT_TRUE(input->WasKeyTyped(KEY_B));
	EXPECT_TRUE(input->WasKeyReleased(KEY_B));
	EXPECT_FALSE(input->WasKeyPressed(MOUSE_LEFT)) << "mouse codes are no keys";
	control->RunFrame();
	EXPECT_FALSE(input->WasKeyPressed(KEY_B));
	EXPECT_FALSE(input->WasMousePressed(MOUSE_LEFT));

	// SetCursorPos moves the cursor without telling panels.
	client->calls.clear();
	input->SetCursorPos(50, 60);
	input->GetCursorPos(x, y);
	EXPECT_EQ(60, y);
	EXPECT_TRUE(Messages(client).empty());
}

TEST_F(VGuiInputTest, KeyTrappingCatchesTheNextPressOnce)
{
	auto *client = static_cast<IVEngineClient *>(EngineInterface(VENGINE_CLIENT_INTERFACE_VERSION));
	ASSERT_NE(nullptr, client);
	ButtonCode_t code = BUTTON_CODE_INVALID;
	EXPECT_FALSE(client->CheckDoneKeyTrapping(code));
	client->StartKeyTrapMode();
	control->QueueButton(KEY_F, true);
	control->QueueButton(KEY_G, true);
	control->RunFrame();
	EXPECT_TRUE(client->CheckDoneKeyTrapping(code));
	EXPECT_EQ(KEY_F, code);
	EXPECT_FALSE(client->CheckDoneKeyTrapping(code));
	EXPECT_EQ((std::vector<int>{ KEY_G }), control->UnhandledKeys()) << "the trapped key reaches no panel";
	EXPECT_TRUE(input->IsKeyDown(KEY_F));

	auto *engine = static_cast<IEngineStandIn *>(EngineInterface(ENGINE_STANDIN_INTERFACE_VERSION));
	engine->SetKeyBinding("SPACE", "+jump");
	engine->SetKeyBinding("a", "+JUMP");
	EXPECT_STREQ("SPACE", client->Key_LookupBinding("+jump")) << "first key in name order";
	EXPECT_EQ(nullptr, client->Key_LookupBinding("+duck"));
	EXPECT_EQ(nullptr, client->Key_LookupBinding(nullptr));
	engine->SetKeyBinding("SPACE", "");
	engine->SetKeyBinding("a", nullptr);
	EXPECT_EQ(nullptr, client->Key_LookupBinding("+jump"));
}
}
