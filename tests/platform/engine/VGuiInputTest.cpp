// The stand-in input state: queued events reach it on the next frame.
#include <memory>

#include "VGuiServices.h"

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
}
