// The shared animation controller: one request kept per panel and variable (names compared
// without case), the start and end times it records, colour targets, and the controller's
// own look.
#include "VGuiFixture.h"
#include "vgui_controls/AnimationController.h"

using vgui::AnimationController;
using AnimationControllerTest = VGuiTest;

TEST_F(AnimationControllerTest, SharedControllerIsAnInvisibleProportionalTopLevelPanel)
{
	AnimationController *controller = vgui::GetAnimationController();
	ASSERT_NE(nullptr, controller);
	EXPECT_EQ(controller, vgui::GetAnimationController());
	EXPECT_FALSE(controller->IsVisible());
	EXPECT_TRUE(controller->IsProportional());
	EXPECT_EQ(0u, controller->GetVParent());
	EXPECT_STREQ("AnimationController", controller->GetClassName());
	EXPECT_EQ(vgui::FindOrAddPanelAnimationMap("animationcontroller"), controller->GetAnimMap());
	EXPECT_EQ(vgui::FindOrAddPanelAnimationMap("Panel"), controller->GetAnimMap()->baseMap);
	EXPECT_EQ(vgui::FindOrAddPanelMessageMap("Panel"), controller->GetMessageMap()->baseMap);
	EXPECT_EQ(vgui::FindOrAddPanelKeyBindingMap("vgui::AnimationController"), controller->GetKBMap());
	EXPECT_EQ(vgui::FindOrAddPanelKeyBindingMap("Panel"), controller->GetKBMap()->baseMap);
	EXPECT_FLOAT_EQ(0.0f, controller->GetCurrentTime());
}

TEST_F(AnimationControllerTest, NewRequestReplacesTheOldOneForTheSamePanelAndVariable)
{
	AnimationController controller(nullptr);
	vgui::Panel *a = NewRootChild("a");
	vgui::Panel *b = NewRootChild("b");

	controller.RunAnimationCommand(a, "alpha", 255.0f, 0.0f, 1.0f, AnimationController::INTERPOLATOR_LINEAR);
	controller.RunAnimationCommand(b, "alpha", 10.0f, 0.0f, 1.0f, AnimationController::INTERPOLATOR_LINEAR);
	controller.RunAnimationCommand(a, "wide", 5.0f, 0.0f, 1.0f, AnimationController::INTERPOLATOR_LINEAR);
	controller.RunAnimationCommand(a, "ALPHA", 0.0f, 0.5f, 2.0f, AnimationController::INTERPOLATOR_DEACCEL, 3.0f);
	ASSERT_EQ(3, controller.GetActiveAnimationCount());

	const AnimationController::ActiveAnimation_t &first = controller.GetActiveAnimation(0);
	EXPECT_EQ(b, first.panel.Get());
	EXPECT_FLOAT_EQ(10.0f, first.endValue.a);
	EXPECT_EQ(a, controller.GetActiveAnimation(1).panel.Get());  // "wide" kept its place

	const AnimationController::ActiveAnimation_t &last = controller.GetActiveAnimation(2);
	EXPECT_EQ(a, last.panel.Get());
	EXPECT_EQ(first.variable, last.variable);  // "ALPHA" is "alpha"
	EXPECT_EQ(0, last.seqName);
	EXPECT_FALSE(last.started);
	EXPECT_FLOAT_EQ(0.0f, last.endValue.a);
	EXPECT_FLOAT_EQ(0.0f, last.endValue.b);
	EXPECT_EQ(AnimationController::INTERPOLATOR_DEACCEL, last.interpolator);
	EXPECT_FLOAT_EQ(3.0f, last.interpolatorParam);
	EXPECT_FLOAT_EQ(0.5f, last.startTime);
	EXPECT_FLOAT_EQ(2.5f, last.endTime);
	EXPECT_FLOAT_EQ(0.0f, controller.GetCurrentTime());

	// A deleted panel's entry stays and matches nothing later.
	b->DeletePanel();
	controller.RunAnimationCommand(nullptr, "alpha", 1.0f, 0.0f, 1.0f, AnimationController::INTERPOLATOR_LINEAR);
	EXPECT_EQ(4, controller.GetActiveAnimationCount());
	EXPECT_EQ(nullptr, controller.GetActiveAnimation(0).panel.Get());
	a->DeletePanel();
}

TEST_F(AnimationControllerTest, ColourTargetsBecomeFourFloats)
{
	AnimationController controller(nullptr);
	vgui::Panel *panel = NewRootChild("p");
	controller.RunAnimationCommand(panel, "BgColor", Color(255, 128, 0, 64), 0.0f, 0.25f,
	                               AnimationController::INTERPOLATOR_LINEAR);
	ASSERT_EQ(1, controller.GetActiveAnimationCount());
	const AnimationController::Value_t &end = controller.GetActiveAnimation(0).endValue;
	EXPECT_FLOAT_EQ(255.0f, end.a);
	EXPECT_FLOAT_EQ(128.0f, end.b);
	EXPECT_FLOAT_EQ(0.0f, end.c);
	EXPECT_FLOAT_EQ(64.0f, end.d);
	EXPECT_FLOAT_EQ(0.25f, controller.GetActiveAnimation(0).endTime);

	controller.RunAnimationCommand(panel, "bgcolor", Color(1, 2, 3, 4), 0.0f, 1.0f,
	                               AnimationController::INTERPOLATOR_LINEAR);
	ASSERT_EQ(1, controller.GetActiveAnimationCount());
	EXPECT_FLOAT_EQ(4.0f, controller.GetActiveAnimation(0).endValue.d);
	panel->DeletePanel();
}
