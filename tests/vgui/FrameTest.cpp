// vgui::Frame: construction, layout settings, caption-button placement, closing, focus
// tracking, keys, and resizing and moving through its grips with the stand-in input queue.
#include <string>

#include "ControlFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui_controls/Frame.h"

namespace
{
class CountingFrame : public vgui::Frame
{
public:
	using vgui::Frame::Frame;
	void OnFinishedClose() override { ++finished; }
	int finished = 0;
};

class FrameTest : public ControlTest
{
protected:
	// A popup frame at the given bounds, shown and laid out.
	CountingFrame *NewFrame(int x, int y, int w, int h)
	{
		auto *frame = new CountingFrame(nullptr, "frame", false, true);
		m_panels.emplace_back();
		m_panels.back().Set(frame);
		frame->SetScheme(m_scheme);
		frame->SetBounds(x, y, w, h);
		frame->SetVisible(true);
		frame->InvalidateLayout(true, true);
		return frame;
	}
	vgui::Panel *Child(vgui::Panel *frame, const char *name) { return frame->FindChildByName(name); }
	void Drag(int fromX, int fromY, int toX, int toY)
	{
		m_vgui->QueueCursorMove(fromX, fromY);
		Advance(1.0);  // two presses close in time would make a double press
		Frame();
		m_vgui->QueueButton(MOUSE_LEFT, true);
		Frame();
		m_vgui->QueueCursorMove(toX, toY);
		Frame();
		m_vgui->QueueButton(MOUSE_LEFT, false);
		Frame();
	}
};

TEST_F(FrameTest, ConstructionMakesHiddenFrameWithItsChildren)
{
	auto *child = new vgui::Frame(nullptr, "inner", false, false);
	auto *top = NewFrame(0, 0, 200, 100);
	child->SetParent(top);
	EXPECT_FALSE(child->IsVisible());
	for (const char *name : { "frame_topGrip", "frame_bottomGrip", "frame_leftGrip", "frame_rightGrip",
	                          "frame_tlGrip", "frame_trGrip", "frame_blGrip", "frame_brGrip", "frame_caption",
	                          "frame_minimize", "frame_maximize", "frame_mintosystray", "frame_close", "frame_menu" })
		EXPECT_NE(nullptr, Child(child, name)) << name;
	EXPECT_FALSE(Child(child, "frame_minimize")->IsVisible());
	EXPECT_FALSE(Child(child, "frame_maximize")->IsVisible());
	EXPECT_TRUE(Child(child, "frame_close")->IsVisible());
	EXPECT_STREQ("Frame", child->GetClassName());
	int mw, mh;
	child->GetMinimumSize(mw, mh);
	EXPECT_EQ(128, mw);
	EXPECT_EQ(66, mh);
	EXPECT_TRUE(child->HasUserConfigSettings());
}

TEST_F(FrameTest, LayoutSettingsNeverShowOrHideAndOnlyZeroHidesTitleBar)
{
	auto *frame = NewFrame(0, 0, 200, 100);
	frame->SetVisible(false);
	Apply(*frame, R"(settings { "visible" "1" "settitlebarvisible" "0" "title" "Hello" "sizable" "0"
		"clientinsetx_override" "9" "setclosebuttonvisible" "0" })");
	EXPECT_FALSE(frame->IsVisible());
	EXPECT_FALSE(frame->IsTitleBarVisible());
	EXPECT_FALSE(frame->IsSizeable());
	EXPECT_FALSE(Child(frame, "frame_close")->IsVisible());
	Apply(*frame, R"(settings { "settitlebarvisible" "1" })");
	EXPECT_FALSE(frame->IsTitleBarVisible());

	KeyValues *out = new KeyValues("out");
	frame->GetSettings(out);
	EXPECT_EQ(0, out->GetInt("settitlebarvisible", -1));
	EXPECT_STREQ("Hello", out->GetString("title"));
	EXPECT_EQ(1, out->GetInt("sizable", -1));  // the second layout left the default
	EXPECT_EQ(9, out->GetInt("clientinsetx_override", -1));
	out->deleteThis();
	EXPECT_NE(nullptr, strstr(frame->GetDescription(), ", string title"));
}

TEST_F(FrameTest, CaptionButtonsArePlacedFromTheRightWhenVisible)
{
	auto *frame = NewFrame(0, 0, 300, 200);
	frame->SetMinimizeToSysTrayButtonVisible(true);
	frame->InvalidateLayout(true);
	int x, y;
	Child(frame, "frame_close")->GetPos(x, y);
	EXPECT_EQ(300 - 25, x);
	EXPECT_EQ(8, y);
	Child(frame, "frame_mintosystray")->GetPos(x, y);
	EXPECT_EQ(300 - 45, x);
	frame->SetCloseButtonVisible(false);
	frame->InvalidateLayout(true);
	Child(frame, "frame_mintosystray")->GetPos(x, y);
	EXPECT_EQ(300 - 25, x);
	int w, h;
	Child(frame, "frame_brGrip")->GetBounds(x, y, w, h);
	EXPECT_EQ(300 - 18, x);
	EXPECT_EQ(18, w);
	Child(frame, "frame_bottomGrip")->GetBounds(x, y, w, h);
	EXPECT_EQ(8, x);
	EXPECT_EQ(200 - 5, y);
	EXPECT_EQ(300 - 26, w);
}

TEST_F(FrameTest, CloseWithoutTransitionHidesAtOnce)
{
	auto *frame = NewFrame(0, 0, 200, 100);
	frame->Close();
	EXPECT_FALSE(frame->IsVisible());
	EXPECT_EQ(1, frame->finished);
	frame->Activate();
	EXPECT_TRUE(frame->IsVisible());
	// The close button's command goes through the message "CloseFrameButtonPressed".
	frame->OnCommand("close");
	EXPECT_FALSE(frame->IsVisible());
	EXPECT_EQ(2, frame->finished);
}

TEST_F(FrameTest, FocusChangeTakesEffectOnSecondThink)
{
	// Not a popup and without parent, so the engine never thinks it.
	auto *frame = new vgui::Frame(nullptr, "frame", false, false);
	m_panels.emplace_back();
	m_panels.back().Set(frame);
	frame->SetVisible(true);
	vgui::Panel *inner = new vgui::Panel(frame, "inner");
	vgui::Panel *outside = Place(new vgui::Panel(nullptr, "outside"), 0, 0, 10, 10);
	// Engine frames move the focus; the frame's own think passes are driven here.
	auto focus = [&](vgui::Panel *panel) {
		m_vgui->SetKeyFocus(panel->GetVPanel());
		Frame();
		ASSERT_EQ(panel->GetVPanel(), vgui::input()->GetFocus());
	};
	focus(outside);
	frame->OnThink();
	frame->OnThink();
	EXPECT_FALSE(frame->HasFrameFocus());
	focus(inner);
	frame->OnThink();
	frame->OnThink();
	EXPECT_TRUE(frame->HasFrameFocus());
	// A loss seen by one pass only is ignored; a lasting one counts on its second pass.
	focus(outside);
	frame->OnThink();
	focus(inner);
	frame->OnThink();
	frame->OnThink();
	EXPECT_TRUE(frame->HasFrameFocus());
	focus(outside);
	frame->OnThink();
	EXPECT_TRUE(frame->HasFrameFocus());
	frame->OnThink();
	EXPECT_FALSE(frame->HasFrameFocus());
	m_vgui->SetKeyFocus(0);
}

TEST_F(FrameTest, EscapeOutsideModalIsUnhandledEnterIsConsumed)
{
	auto *frame = NewFrame(0, 0, 200, 100);
	frame->OnKeyCodeTyped(KEY_ENTER);
	EXPECT_TRUE(m_vgui->UnhandledKeys().empty());
	frame->OnKeyCodeTyped(KEY_ESCAPE);
	ASSERT_EQ(1u, m_vgui->UnhandledKeys().size());
	EXPECT_EQ(KEY_ESCAPE, m_vgui->UnhandledKeys()[0]);

	frame->DoModal();
	EXPECT_EQ(frame->GetVPanel(), vgui::input()->GetAppModalSurface());
	frame->OnKeyCodeTyped(KEY_ESCAPE);
	EXPECT_EQ(0u, vgui::input()->GetAppModalSurface());
	Frame();
	EXPECT_FALSE(frame->IsVisible());
}

TEST_F(FrameTest, LeftGripStopsAtMinimumAndKeepsRightEdge)
{
	auto *frame = NewFrame(100, 100, 200, 150);
	frame->InvalidateLayout(true);
	// Drag the left edge 150 pixels right: the width stops at 128.
	Drag(101, 200, 251, 200);
	int x, y, w, h;
	frame->GetBounds(x, y, w, h);
	EXPECT_EQ(128, w);
	EXPECT_EQ(300, x + w);
	EXPECT_EQ(150, h);
	// The bottom-right grip changes only the size.
	frame->InvalidateLayout(true);
	frame->GetBounds(x, y, w, h);
	Drag(x + w - 2, y + h - 2, x + w + 18, y + h + 8);
	int x2, y2, w2, h2;
	frame->GetBounds(x2, y2, w2, h2);
	EXPECT_EQ(x, x2);
	EXPECT_EQ(y, y2);
	EXPECT_EQ(w + 20, w2);
	EXPECT_EQ(h + 10, h2);
}

TEST_F(FrameTest, CaptionDragSnapsToScreenEdgeAndDocks)
{
	auto *frame = NewFrame(100, 100, 200, 150);
	frame->InvalidateLayout(true);
	// Moving to x = 4 ends flush with the left edge.
	Drag(150, 110, 56, 110);
	int x, y;
	frame->GetPos(x, y);
	EXPECT_EQ(0, x);
	EXPECT_EQ(100, y);

	// Another visible popup at x 300..400: a drop 4 pixels off its left side docks against it.
	NewFrame(300, 50, 100, 200);
	frame->SetPos(50, 100);
	frame->InvalidateLayout(true);
	Frame();
	Drag(100, 110, 146, 110);
	frame->GetPos(x, y);
	EXPECT_EQ(100, x);
	EXPECT_EQ(100, y);
}
}
