// Drag and drop of vgui::Panel driven through the stand-in input queue: the start tolerance,
// drops, cancels and failures, self drops, the helper popup's drawing and the drop menu.
#include <fstream>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui_controls/Menu.h"

namespace
{
// One message as the target or the source saw it.
struct SeenMessage
{
	std::string command;
	int x, y, screenx, screeny;
	void *panel;
	int selfDroppable;
};

std::vector<SeenMessage> Copy(CUtlVector<KeyValues *> &list)
{
	std::vector<SeenMessage> out;
	for (int i = 0; i < list.Count(); ++i)
	{
		KeyValues *m = list[i];
		out.push_back({ m->GetString("command"), m->GetInt("x", -1), m->GetInt("y", -1), m->GetInt("screenx", -1),
		                m->GetInt("screeny", -1), m->GetPtr("panel"), m->GetInt("selfDroppable") });
	}
	return out;
}

// A panel that can be a drag source and a drop target and logs what drag and drop tells it.
class DragPanel : public vgui::Panel
{
public:
	DragPanel(vgui::Panel *parent, const char *name, std::string *log) : vgui::Panel(parent, name), m_log(log) {}

	void Log(const std::string &what) { *m_log += std::string(GetName()) + "." + what + " "; }

	bool IsDroppable(CUtlVector<KeyValues *> &) override { return m_droppable; }
	void OnCreateDragData(KeyValues *msg) override
	{
		Log("create");
		if (m_selfDroppable)
			msg->SetInt("selfDroppable", 1);
	}
	void OnGetAdditionalDragPanels(CUtlVector<vgui::Panel *> &list) override
	{
		for (vgui::Panel *p : m_extra)
			list.AddToTail(p);
	}
	void OnDragFailed(CUtlVector<KeyValues *> &list) override
	{
		Log("failed");
		m_failed = Copy(list);
	}
	void OnPanelDropped(CUtlVector<KeyValues *> &list) override
	{
		Log("dropped");
		m_dropped = Copy(list);
	}
	void OnPanelEnteredDroppablePanel(CUtlVector<KeyValues *> &) override { Log("entered"); }
	void OnPanelExitedDroppablePanel(CUtlVector<KeyValues *> &) override { Log("exited"); }
	void OnDropContextHoverShow(CUtlVector<KeyValues *> &) override { Log("hovershow"); }
	bool GetDropContextMenu(vgui::Menu *menu, CUtlVector<KeyValues *> &) override
	{
		Log("menu");
		m_menu = menu;
		return m_giveMenu;
	}
	vgui::HCursor GetDropCursor(CUtlVector<KeyValues *> &) override { return vgui::dc_hand; }

	std::string *m_log;
	bool m_droppable = false;
	bool m_selfDroppable = false;
	bool m_giveMenu = true;
	std::vector<vgui::Panel *> m_extra;
	std::vector<SeenMessage> m_failed, m_dropped;
	vgui::PHandle m_menu;
};

class PanelDragDropTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_bg = NewRootChild("bg");
		m_bg->SetBounds(0, 0, 640, 480);
		m_source = new DragPanel(m_bg, "source", &m_log);
		m_source->SetBounds(10, 10, 40, 40);
		m_source->SetDragEnabled(true);
		m_target = new DragPanel(m_bg, "target", &m_log);
		m_target->SetBounds(200, 10, 50, 50);
		m_target->SetDropEnabled(true);
		m_target->m_droppable = true;
		Frame();
	}
	void TearDown() override
	{
		vgui::g_DragDropCapture = nullptr;
		delete m_bg;
		m_vgui->Paint();
		Frame();
		VGuiTest::TearDown();
	}

	void MoveTo(int x, int y)
	{
		m_vgui->QueueCursorMove(x, y);
		Frame();
	}
	void Button(ButtonCode_t code, bool down)
	{
		m_vgui->QueueButton(code, down);
		Frame();
	}
	// A fresh press of the left button (late enough not to make a double press).
	void Press()
	{
		Advance(1.0);
		Button(MOUSE_LEFT, true);
	}
	// Presses on the source and drags the cursor to (x, y).
	void StartDrag(int x, int y)
	{
		MoveTo(20, 20);
		Press();
		MoveTo(x, y);
	}
	std::string TakeLog()
	{
		std::string log = m_log;
		m_log.clear();
		return log;
	}
	// The popup the drag draws with, or null.
	vgui::VPANEL HelperPopup()
	{
		for (int i = 0; i < g_pVGuiSurface->GetPopupCount(); ++i)
		{
			vgui::VPANEL p = g_pVGuiSurface->GetPopup(i);
			if (std::string(g_pVGuiPanel->GetName(p)) == "DragDropHelper")
				return p;
		}
		return 0;
	}
	std::vector<VGuiDrawRecord> HelperRecords(VGuiDrawRecord::Kind kind)
	{
		std::vector<VGuiDrawRecord> out;
		vgui::VPANEL helper = HelperPopup();
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.panel == helper && r.kind == kind)
				out.push_back(r);
		return out;
	}

	std::string m_log;
	vgui::Panel *m_bg = nullptr;
	DragPanel *m_source = nullptr;
	DragPanel *m_target = nullptr;
};

TEST_F(PanelDragDropTest, DragStartsOnlyBeyondTheTolerance)
{
	MoveTo(20, 20);
	Button(MOUSE_LEFT, true);
	EXPECT_EQ(m_source, vgui::g_DragDropCapture.Get());
	EXPECT_TRUE(m_source->GetDragDropInfo()->m_bDragging);
	EXPECT_TRUE(m_source->IsBeingDragged());

	MoveTo(28, 12);  // 8 pixels each way: still inside the tolerance
	EXPECT_FALSE(m_source->GetDragDropInfo()->m_bDragStarted);
	EXPECT_EQ(0u, HelperPopup());
	EXPECT_EQ("", TakeLog());

	MoveTo(29, 20);  // 9 pixels
	EXPECT_TRUE(m_source->GetDragDropInfo()->m_bDragStarted);
	EXPECT_EQ("source.create ", TakeLog());
	EXPECT_NE(0u, HelperPopup());

	// A wider tolerance for the next drag.
	Button(MOUSE_LEFT, false);
	TakeLog();
	m_source->SetDragSTartTolerance(20);
	MoveTo(20, 20);
	Press();
	MoveTo(40, 20);
	EXPECT_FALSE(m_source->GetDragDropInfo()->m_bDragStarted);
	MoveTo(41, 20);
	EXPECT_TRUE(m_source->GetDragDropInfo()->m_bDragStarted);
}

TEST_F(PanelDragDropTest, ReleaseOverTargetDeliversTheDrop)
{
	StartDrag(220, 30);
	EXPECT_EQ("source.create target.entered ", TakeLog());
	EXPECT_EQ(m_target, m_source->GetDragDropInfo()->m_hDropTarget.Get());
	EXPECT_EQ(vgui::dc_hand, m_vgui->SurfaceCursor());

	Button(MOUSE_LEFT, false);
	EXPECT_EQ("target.dropped ", TakeLog());
	ASSERT_EQ(1u, m_target->m_dropped.size());
	const SeenMessage &m = m_target->m_dropped[0];
	EXPECT_EQ("default", m.command);
	EXPECT_EQ(20, m.x);
	EXPECT_EQ(20, m.y);
	EXPECT_EQ(220, m.screenx);
	EXPECT_EQ(30, m.screeny);
	EXPECT_EQ(m_source, m.panel);

	// The drag is over and its record empty.
	vgui::DragDropState_t *drag = m_source->GetDragDropInfo();
	EXPECT_FALSE(drag->m_bDragging);
	EXPECT_FALSE(drag->m_bDragStarted);
	EXPECT_EQ(0, drag->m_DragData.Count());
	EXPECT_EQ(0, drag->m_DragPanels.Count());
	EXPECT_EQ(nullptr, vgui::g_DragDropCapture.Get());

	// The helper goes at the first paint that finds nothing to draw.
	m_vgui->Paint();
	Frame();
	EXPECT_EQ(0u, HelperPopup());
}

TEST_F(PanelDragDropTest, LeavingTheTargetTellsIt)
{
	StartDrag(220, 30);
	MoveTo(400, 300);
	EXPECT_EQ("source.create target.entered target.exited ", TakeLog());
	EXPECT_EQ(nullptr, m_source->GetDragDropInfo()->m_hDropTarget.Get());
	EXPECT_EQ(13u, m_vgui->SurfaceCursor());
}

TEST_F(PanelDragDropTest, FailedAndCancelledDragsNeverDrop)
{
	struct Case
	{
		const char *name;
		int x, y;
		bool escape;
	};
	const Case cases[] = {
		{ "release over no target", 400, 300, false },
		{ "escape over the target", 220, 30, true },
	};
	for (const Case &c : cases)
	{
		SCOPED_TRACE(c.name);
		m_source->m_failed.clear();
		StartDrag(c.x, c.y);
		TakeLog();
		if (c.escape)
		{
			Button(KEY_ESCAPE, true);  // the source's think cancels
			EXPECT_EQ("source.failed ", TakeLog());
			Button(KEY_ESCAPE, false);
			Button(MOUSE_LEFT, false);
		}
		else
		{
			Button(MOUSE_LEFT, false);
			EXPECT_EQ("source.failed ", TakeLog());
		}
		EXPECT_EQ("", TakeLog());
		ASSERT_EQ(1u, m_source->m_failed.size());
		EXPECT_EQ("default", m_source->m_failed[0].command);
		EXPECT_EQ(-1, m_source->m_failed[0].x);  // no target position on a failed drop
		EXPECT_EQ(c.x, m_source->m_failed[0].screenx);
		EXPECT_TRUE(m_target->m_dropped.empty());
		EXPECT_EQ(0, m_source->GetDragDropInfo()->m_DragData.Count());
		EXPECT_FALSE(m_source->GetDragDropInfo()->m_bDragging);
	}
}

TEST_F(PanelDragDropTest, DroppingOnItselfNeedsSelfDroppable)
{
	m_source->SetDropEnabled(true);
	m_source->m_droppable = true;
	StartDrag(45, 45);  // still over the source
	EXPECT_EQ(nullptr, m_source->GetDragDropInfo()->m_hDropTarget.Get());
	Button(MOUSE_LEFT, false);
	EXPECT_EQ("source.create source.failed ", TakeLog());

	m_source->m_selfDroppable = true;
	StartDrag(45, 45);
	EXPECT_EQ(m_source, m_source->GetDragDropInfo()->m_hDropTarget.Get());
	Button(MOUSE_LEFT, false);
	EXPECT_EQ("source.create source.entered source.dropped ", TakeLog());
	ASSERT_EQ(1u, m_source->m_dropped.size());
	EXPECT_EQ(1, m_source->m_dropped[0].selfDroppable);
}

TEST_F(PanelDragDropTest, DropTargetAndDragSourceChainToParents)
{
	// A child of the target without drop switches hands the drop to the target.
	auto *inner = new DragPanel(m_target, "inner", &m_log);
	inner->SetBounds(5, 5, 20, 20);
	// A child of the source without drag switches drags the source.
	auto *handle = new DragPanel(m_source, "handle", &m_log);
	handle->SetBounds(0, 0, 10, 10);
	Frame();
	EXPECT_EQ(m_source, handle->GetDragPanel());
	EXPECT_EQ(m_target, inner->GetDropTarget(m_source->GetDragDropInfo()->m_DragData));

	MoveTo(12, 12);
	Press();
	EXPECT_EQ(m_source, vgui::g_DragDropCapture.Get());
	EXPECT_TRUE(handle->IsBeingDragged());
	MoveTo(210, 20);  // over inner
	EXPECT_EQ(m_target, m_source->GetDragDropInfo()->m_hDropTarget.Get());
	Button(MOUSE_LEFT, false);
	EXPECT_EQ("source.create target.entered target.dropped ", TakeLog());

	// Blocking the chain stops both walks at the child.
	handle->SetBlockDragChaining(true);
	EXPECT_EQ(nullptr, handle->GetDragPanel());
	MoveTo(12, 12);
	Press();
	EXPECT_EQ(nullptr, vgui::g_DragDropCapture.Get());
	Button(MOUSE_LEFT, false);
}

TEST_F(PanelDragDropTest, HelperDrawsTheDraggedBoxAndTheCount)
{
	StartDrag(300, 200);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	// One panel dragged: a 40 x 40 box centred on the cursor and no number.
	std::vector<VGuiDrawRecord> boxes = HelperRecords(VGuiDrawRecord::OutlinedRect);
	ASSERT_EQ(1u, boxes.size());
	EXPECT_EQ(280, boxes[0].x0);
	EXPECT_EQ(180, boxes[0].y0);
	EXPECT_EQ(320, boxes[0].x1);
	EXPECT_EQ(220, boxes[0].y1);
	Color frame = m_source->GetDragFrameColor();
	EXPECT_EQ(frame.r(), boxes[0].r);
	EXPECT_EQ(frame.a(), boxes[0].a);
	EXPECT_TRUE(HelperRecords(VGuiDrawRecord::Glyph).empty());
	Button(MOUSE_LEFT, false);

	// Three panels dragged: the count is printed inside the box, in the scheme's very small
	// font (glyphs 4 x 8 from the pen at the box's corner plus (5, 2)).
	std::ofstream(m_harness->gameFolder + "/dragdrop.res")
	    << "Scheme { Fonts { DefaultVerySmall { \"1\" { \"name\" \"ZvFixed\" \"tall\" \"8\" } } } }";
	vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("dragdrop.res", "DragDropTest");
	ASSERT_NE(0u, scheme);
	m_source->SetScheme(scheme);
	m_source->InvalidateLayout(false, true);
	Frame();
	m_source->m_extra = { m_target, m_bg };
	StartDrag(300, 200);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	std::vector<VGuiDrawRecord> glyphs = HelperRecords(VGuiDrawRecord::Glyph);
	std::wstring text;
	for (const VGuiDrawRecord &g : glyphs)
		text += g.character;
	EXPECT_EQ(L"[ 3 ]", text);
	ASSERT_FALSE(glyphs.empty());
	EXPECT_EQ(285, glyphs[0].x0);
	EXPECT_EQ(182, glyphs[0].y0);
	Button(MOUSE_LEFT, false);
}

TEST_F(PanelDragDropTest, HelperFramesTheTargetTwice)
{
	StartDrag(220, 30);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	std::vector<VGuiDrawRecord> frames = HelperRecords(VGuiDrawRecord::OutlinedRect);
	ASSERT_EQ(2u, frames.size());
	EXPECT_EQ(200, frames[0].x0);
	EXPECT_EQ(10, frames[0].y0);
	EXPECT_EQ(250, frames[0].x1);
	EXPECT_EQ(60, frames[0].y1);
	EXPECT_EQ(201, frames[1].x0);
	EXPECT_EQ(11, frames[1].y0);
	EXPECT_EQ(249, frames[1].x1);
	EXPECT_EQ(59, frames[1].y1);
	Color drop = m_target->GetDropFrameColor();
	EXPECT_EQ(drop.g(), frames[0].g);
	Button(MOUSE_LEFT, false);
}

TEST_F(PanelDragDropTest, ContextMenuOpensAfterTheHoverDelayOncePerEntry)
{
	// Delay 0: never.
	StartDrag(220, 30);
	Advance(5.0);
	Frame();
	EXPECT_EQ("source.create target.entered ", TakeLog());
	Button(MOUSE_LEFT, false);
	TakeLog();

	m_target->SetDropEnabled(true, 0.5f);
	StartDrag(220, 30);
	Advance(0.45);
	Frame();
	EXPECT_EQ("source.create target.entered ", TakeLog());
	Advance(0.1);
	Frame();
	EXPECT_EQ("target.menu target.hovershow ", TakeLog());
	vgui::Panel *menu = m_source->GetDragDropInfo()->m_hContextMenu.Get();
	ASSERT_NE(nullptr, menu);
	EXPECT_TRUE(menu->IsVisible());
	EXPECT_TRUE(g_pVGuiPanel->IsPopup(menu->GetVPanel()));
	Advance(1.0);
	Frame();
	EXPECT_EQ("", TakeLog());  // once per entry

	// Leaving closes the menu; coming back starts the wait again.
	MoveTo(400, 300);
	EXPECT_EQ(nullptr, m_source->GetDragDropInfo()->m_hContextMenu.Get());
	MoveTo(221, 30);
	EXPECT_EQ("target.exited target.entered ", TakeLog());
	Advance(0.45);
	Frame();
	EXPECT_EQ("", TakeLog());
	Advance(0.1);
	Frame();
	EXPECT_EQ("target.menu target.hovershow ", TakeLog());

	// A target that declines gets no menu, but still the hover call.
	Button(MOUSE_LEFT, false);
	Frame();
	EXPECT_EQ(nullptr, m_target->m_menu.Get());  // the drop closed the menu
	TakeLog();
	m_target->m_giveMenu = false;
	StartDrag(220, 30);
	Advance(0.6);
	Frame();
	EXPECT_EQ("source.create target.entered target.menu target.hovershow ", TakeLog());
	EXPECT_EQ(nullptr, m_source->GetDragDropInfo()->m_hContextMenu.Get());
	Button(MOUSE_LEFT, false);
}

TEST_F(PanelDragDropTest, SwitchingDragOffOrDeletingTheSourceEndsTheDrag)
{
	StartDrag(220, 30);
	TakeLog();
	// Switching off finishes the drag as not cancelled: the target under the cursor takes it.
	m_source->SetDragEnabled(false);
	EXPECT_EQ("target.dropped ", TakeLog());
	EXPECT_EQ(nullptr, vgui::g_DragDropCapture.Get());
	Button(MOUSE_LEFT, false);
	EXPECT_EQ("", TakeLog());

	m_source->SetDragEnabled(true);
	// A source deleted mid-drag cancels: its messages would name a dead panel.
	StartDrag(220, 30);
	delete m_source;
	m_source = nullptr;
	EXPECT_EQ(nullptr, vgui::g_DragDropCapture.Get());
	Button(MOUSE_LEFT, false);
	m_vgui->Paint();
	Frame();
	EXPECT_EQ(0u, HelperPopup());
	EXPECT_EQ(1u, m_target->m_dropped.size());  // only the first drag's
}
}
