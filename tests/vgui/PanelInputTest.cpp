// vgui::Panel input routing over the stand-in engine: events queued on the engine's input
// service reach the panel under the cursor or with key focus, pass the modal test and the
// input switches, bubble to parents, call the Lua hooks and set the cursor.
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "engine/standin.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "vgui/IInput.h"
#include "vgui/ISystem.h"
#include "vgui_controls/Menu.h"

// The engine variable the arrow keys consult; registered with the console when the harness
// connects this module.
static ConVar vgui_nav_lock("vgui_nav_lock", "0", 0, "Set while a navigation key is being handled");

namespace
{
// A panel that logs what reaches its default handlers, then lets the base class run.
class InputProbe : public vgui::Panel
{
public:
	InputProbe(vgui::Panel *parent, const char *name, std::string *log) : vgui::Panel(parent, name), m_log(log) {}

	void Log(const std::string &what) { *m_log += std::string(GetName()) + "." + what + " "; }

	void OnCursorMoved(int x, int y) override
	{
		Log("moved(" + std::to_string(x) + "," + std::to_string(y) + ")");
		vgui::Panel::OnCursorMoved(x, y);
	}
	void OnCursorEntered() override
	{
		Log("entered");
		vgui::Panel::OnCursorEntered();
	}
	void OnCursorExited() override
	{
		Log("exited");
		vgui::Panel::OnCursorExited();
	}
	void OnMousePressed(ButtonCode_t code) override
	{
		Log("pressed" + std::to_string(code));
		vgui::Panel::OnMousePressed(code);
	}
	void OnMouseDoublePressed(ButtonCode_t code) override { Log("double" + std::to_string(code)); }
	void OnMouseTriplePressed(ButtonCode_t code) override { Log("triple" + std::to_string(code)); }
	void OnMouseReleased(ButtonCode_t code) override
	{
		Log("released" + std::to_string(code));
		vgui::Panel::OnMouseReleased(code);
	}
	void OnMouseWheeled(int delta) override
	{
		Log("wheel" + std::to_string(delta));
		vgui::Panel::OnMouseWheeled(delta);
	}
	void OnKeyCodePressed(ButtonCode_t code) override
	{
		Log("keydown" + std::to_string(code));
		vgui::Panel::OnKeyCodePressed(code);
	}
	void OnKeyCodeTyped(ButtonCode_t code) override
	{
		Log("typed" + std::to_string(code));
		vgui::Panel::OnKeyCodeTyped(code);
	}
	void OnKeyTyped(wchar_t unichar) override
	{
		Log("char" + std::to_string(unichar));
		vgui::Panel::OnKeyTyped(unichar);
	}
	void OnKeyCodeReleased(ButtonCode_t code) override
	{
		Log("keyup" + std::to_string(code));
		vgui::Panel::OnKeyCodeReleased(code);
	}
	bool RequestFocusPrev(vgui::VPANEL panel) override
	{
		Log("prev");
		return vgui::Panel::RequestFocusPrev(panel);
	}
	bool RequestFocusNext(vgui::VPANEL panel) override
	{
		Log("next");
		return vgui::Panel::RequestFocusNext(panel);
	}
	vgui::Panel *NavigateUp() override
	{
		Log("navup");
		return navigateTo;
	}
	vgui::Panel *NavigateDown() override
	{
		Log("navdown");
		return navigateTo;
	}

	vgui::Panel *navigateTo = nullptr;

private:
	std::string *m_log;
};

class PanelInputTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		m_engine = static_cast<IEngineStandIn *>(EngineInterface(ENGINE_STANDIN_INTERFACE_VERSION));
		ASSERT_NE(nullptr, m_engine);
		// outer at (10,10) 200x200 under the root, inner at (20,20) 50x50 inside it.
		m_outer = new InputProbe(nullptr, "outer", &m_log);
		m_outer->SetParent(m_root);
		m_outer->SetBounds(10, 10, 200, 200);
		m_inner = new InputProbe(m_outer, "inner", &m_log);
		m_inner->SetBounds(20, 20, 50, 50);
	}
	void TearDown() override
	{
		delete m_outer;
		VGuiTest::TearDown();
	}

	void Click(int x, int y, ButtonCode_t code = MOUSE_LEFT)
	{
		m_vgui->QueueCursorMove(x, y);
		m_vgui->QueueButton(code, true);
		m_vgui->QueueButton(code, false);
		Frame();
	}
	void Key(ButtonCode_t code)
	{
		m_vgui->QueueButton(code, true);
		m_vgui->QueueButton(code, false);
		Frame();
	}
	// What the panels logged since the last call.
	std::string TakeLog()
	{
		std::string log;
		log.swap(m_log);
		return log;
	}
	void SetTime(double seconds) { m_engine->SetCurrentTime(seconds); }

	IEngineStandIn *m_engine = nullptr;
	std::string m_log;
	InputProbe *m_outer = nullptr;
	InputProbe *m_inner = nullptr;
};

TEST_F(PanelInputTest, MouseEventsReachThePanelUnderTheCursorInLocalCoordinates)
{
	m_vgui->QueueCursorMove(35, 37);
	Frame();
	EXPECT_EQ("inner.entered inner.moved(5,7) ", TakeLog());

	Click(36, 37);
	EXPECT_EQ("inner.moved(6,7) inner.pressed107 inner.released107 ", TakeLog());

	m_vgui->QueueCursorMove(15, 15);
	m_vgui->QueueMouseWheel(-2);
	Frame();
	// The wheel bubbles to the parent through the default handler; outer has no parent of this module.
	EXPECT_EQ("inner.exited outer.entered outer.moved(5,5) outer.wheel-2 ", TakeLog());
}

TEST_F(PanelInputTest, MouseInputDisabledOrCursorNoneDropsMouseEvents)
{
	m_inner->SetMouseInputEnabled(false);
	m_vgui->QueueCursorMove(35, 35);
	Frame();
	// The engine's hit test skips the panel, so its parent takes the events.
	EXPECT_EQ("outer.entered outer.moved(25,25) ", TakeLog());

	m_inner->SetMouseInputEnabled(true);
	// Cursor code 0 means no cursor; the "none" code 1 of scripts' unknown names is a cursor.
	m_inner->SetCursor(vgui::dc_none);
	EXPECT_FALSE(m_inner->IsCursorNone());
	m_inner->SetCursor(0);
	EXPECT_TRUE(m_inner->IsCursorNone());
	m_inner->InternalCursorEntered();
	m_inner->InternalCursorMoved(35, 35);
	m_inner->InternalMousePressed(MOUSE_LEFT);
	m_inner->InternalMouseReleased(MOUSE_LEFT);
	EXPECT_EQ("", TakeLog());
}

struct PressCase
{
	bool tripleAllowed;
	double secondsAfterDouble;
	const char *expected;
};

// The engine turns the second of two quick presses into a double press; a third press within
// 299 ms of the double press is a triple press where the panel allows it.
TEST_F(PanelInputTest, PressAfterDoublePressIsTriplePressWithin299Milliseconds)
{
	const PressCase cases[] = {
		{ true, 0.2995, "inner.triple107 " },   // 299 ms
		{ true, 0.3005, "inner.pressed107 " },  // 300 ms
		{ false, 0.1, "inner.pressed107 " },
	};
	double start = 10.0;
	for (const PressCase &c : cases)
	{
		SCOPED_TRACE(c.secondsAfterDouble);
		m_inner->SetTriplePressAllowed(c.tripleAllowed);
		SetTime(start);
		m_vgui->QueueCursorMove(30, 30);
		m_vgui->QueueButton(MOUSE_LEFT, true);
		m_vgui->QueueButton(MOUSE_LEFT, true);
		Frame();
		EXPECT_NE(std::string::npos, TakeLog().find("inner.pressed107 inner.double107 "));
		SetTime(start + c.secondsAfterDouble);
		m_vgui->QueueButton(MOUSE_LEFT, true);
		Frame();
		std::string log = TakeLog();
		EXPECT_EQ(c.expected, log);
		start += 10.0;
	}
}

TEST_F(PanelInputTest, EarlyPressOnTriplePressPanelIsAnOrdinaryPress)
{
	// The vgui clock may read under 300 ms with no double press at all.
	SetTime(0.1);
	m_inner->SetTriplePressAllowed(true);
	m_inner->InternalMousePressed(MOUSE_LEFT);
	EXPECT_EQ("inner.pressed107 ", TakeLog());
}

TEST_F(PanelInputTest, MouseHandlerTakesPressesAndDoublePressesButNotReleases)
{
	std::string handlerLog;
	InputProbe handler(nullptr, "handler", &handlerLog);
	m_inner->InstallMouseHandler(&handler);
	m_inner->InternalMousePressed(MOUSE_RIGHT);
	m_inner->InternalMouseDoublePressed(MOUSE_RIGHT);
	m_inner->InternalMouseReleased(MOUSE_RIGHT);
	EXPECT_EQ("handler.pressed108 handler.double108 ", handlerLog);
	EXPECT_EQ("inner.released108 ", TakeLog());
}

TEST_F(PanelInputTest, KeysReachTheFocusAndBubbleWhenKeyboardInputIsDisabled)
{
	m_vgui->SetKeyFocus(m_inner->GetVPanel());
	Key(KEY_A);
	m_vgui->QueueKeyTyped(L'a');
	Frame();
	EXPECT_EQ("inner.keydown11 outer.keydown11 inner.typed11 outer.typed11 inner.keyup11 outer.keyup11 "
	          "inner.char97 outer.char97 ",
	          TakeLog());

	m_inner->SetKeyBoardInputEnabled(false);
	Key(KEY_B);
	m_vgui->QueueKeyTyped(L'b');
	Frame();
	EXPECT_EQ("outer.keydown12 outer.typed12 outer.keyup12 outer.char98 ", TakeLog());
}

TEST_F(PanelInputTest, ModalSubTreeDecidesWhoTakesInput)
{
	auto *other = new InputProbe(nullptr, "other", &m_log);
	other->SetParent(m_root);
	other->SetBounds(300, 300, 50, 50);

	// Only the subtree takes input: moves and presses outside are dropped (entering and
	// leaving are not tested), and keys typed outside are reported unhandled.
	g_pVGuiInput->SetModalSubTree(m_outer->GetVPanel(), true);
	Click(310, 310);
	Click(35, 35);
	m_vgui->SetKeyFocus(other->GetVPanel());
	Key(KEY_C);
	EXPECT_EQ("other.entered other.exited inner.entered inner.moved(5,5) inner.pressed107 inner.released107 ",
	          TakeLog());
	EXPECT_EQ(std::vector<int>{ KEY_C }, m_vgui->UnhandledKeys());
	g_pVGuiInput->ReleaseModalSubTree();
	delete other;
}

TEST_F(PanelInputTest, ModalSubTreeThatReceivesNoMessagesLeavesInputToOthers)
{
	auto *other = new InputProbe(nullptr, "other", &m_log);
	other->SetParent(m_root);
	other->SetBounds(300, 300, 50, 50);

	g_pVGuiInput->SetModalSubTree(m_outer->GetVPanel(), false);
	other->InternalMousePressed(MOUSE_LEFT);
	m_inner->InternalMousePressed(MOUSE_LEFT);
	EXPECT_EQ("other.pressed107 ", TakeLog());
	g_pVGuiInput->ReleaseModalSubTree();
	delete other;
}

TEST_F(PanelInputTest, TabMovesFocusOnPlainPanelsAndNavigatesOnConsoleStylePanels)
{
	// The tab key has code 67.
	m_vgui->SetKeyFocus(m_inner->GetVPanel());
	Key(KEY_TAB);
	EXPECT_EQ("inner.keydown67 outer.keydown67 inner.typed67 inner.next outer.next inner.keyup67 outer.keyup67 ",
	          TakeLog());

	m_vgui->QueueButton(KEY_LSHIFT, true);
	Key(KEY_TAB);
	m_vgui->QueueButton(KEY_LSHIFT, false);
	Frame();
	EXPECT_NE(std::string::npos, TakeLog().find("inner.typed67 inner.prev outer.prev "));

	m_inner->SetConsoleStylePanel(true);
	m_inner->OnKeyCodeTyped(KEY_TAB);
	EXPECT_EQ("inner.typed67 inner.navdown ", TakeLog());
	m_vgui->QueueButton(KEY_RSHIFT, true);
	Frame();
	TakeLog();
	m_inner->OnKeyCodeTyped(KEY_TAB);
	EXPECT_EQ("inner.typed67 inner.navup ", TakeLog());
	m_vgui->QueueButton(KEY_RSHIFT, false);
	Frame();
	TakeLog();

	// A console-style panel swallows arrows and pad codes; other keys go on to the parent.
	m_inner->OnKeyCodeTyped(KEY_DOWN);
	m_inner->OnKeyCodeTyped(static_cast<ButtonCode_t>(150));
	m_inner->OnKeyCodeTyped(KEY_ENTER);
	EXPECT_EQ("inner.typed90 inner.typed150 inner.typed64 outer.typed64 ", TakeLog());
}

TEST_F(PanelInputTest, LuaTableDisablingTabbingStopsFocusMoves)
{
	ILuaInterface *lua = m_harness->Open(false);
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "T = { m_bDisableTabbing = true }", true, true));
	m_inner->m_pLuaTable = new CLuaObject();
	m_inner->m_pLuaTable->SetFromGlobal("T");
	m_inner->OnKeyCodeTyped(KEY_TAB);
	EXPECT_EQ("inner.typed67 inner.next ", TakeLog());
	EXPECT_EQ(0, lua->Top());
}

TEST_F(PanelInputTest, ArrowKeysNavigateUnlessLockedAndStillBubble)
{
	ConVarRef navLock("vgui_nav_lock", true);
	if (!navLock.IsValid())
		GTEST_SKIP() << "vgui_nav_lock was registered by an earlier harness of this process";
	navLock.SetValue(0);

	m_inner->navigateTo = m_outer;
	m_inner->OnKeyCodePressed(KEY_UP);
	// The parent sees the key with the lock already set, so it doesn't navigate again.
	EXPECT_EQ("inner.keydown88 inner.navup outer.keydown88 ", TakeLog());
	EXPECT_EQ(1, navLock.GetInt());
	ASSERT_EQ(1u, m_vgui->SoundsPlayed().size());
	EXPECT_EQ("UI/menu_focus.wav", m_vgui->SoundsPlayed()[0]);

	// Locked: no navigation, but the key still reaches the parent.
	m_inner->OnKeyCodePressed(KEY_UP);
	EXPECT_EQ("inner.keydown88 outer.keydown88 ", TakeLog());
	EXPECT_EQ(1u, m_vgui->SoundsPlayed().size());
	navLock.SetValue(0);

	// Pad codes fold onto the first pad's range: 163 becomes 131; pad 146 navigates up, and
	// with no target found the parent tries in turn.
	m_inner->navigateTo = nullptr;
	m_inner->OnKeyCodePressed(static_cast<ButtonCode_t>(163));
	m_inner->OnKeyCodePressed(static_cast<ButtonCode_t>(146));
	EXPECT_EQ("inner.keydown163 outer.keydown131 inner.keydown146 inner.navup outer.keydown146 outer.navup ", TakeLog());
}

TEST_F(PanelInputTest, LuaHooksOfTheDefaultHandlers)
{
	ILuaInterface *lua = m_harness->Open(false);
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "",
	                           "log = ''; stopWheel = false; stopMove = false;"
	                           " function ChangeTooltip(p) log = log .. 'tip ' end"
	                           " function EndTooltip(p) log = log .. 'endtip ' end"
	                           " T = { OnCursorEntered = function(p) log = log .. 'enter ' end,"
	                           " OnCursorExited = function(p) log = log .. 'exit ' end,"
	                           " OnCursorMoved = function(p, x, y) log = log .. 'move' .. x .. ',' .. y .. ' ';"
	                           "   return stopMove end,"
	                           " OnMousePressed = function(p, c) log = log .. 'press' .. c .. ' ' end,"
	                           " OnMouseReleased = function(p, c) log = log .. 'release' .. c .. ' ' end,"
	                           " OnMouseWheeled = function(p, d) log = log .. 'wheel' .. d .. ' '; return stopWheel end,"
	                           " OnKeyCodePressed = function(p, c) log = log .. 'key' .. c .. ' '; return c == 12 end }",
	                           true, true));
	auto global = [&](const char *name) {
		CLuaObject value;
		value.SetFromGlobal(name);
		return std::string(value.GetString());
	};
	auto hovered = [&]() {
		CLuaObject hover;
		m_inner->m_pLuaTable->GetMember("Hovered", &hover);
		return hover.isNil() ? std::string("nil") : hover.GetBool() ? std::string("true") : std::string("false");
	};
	m_inner->m_pLuaTable = new CLuaObject();
	m_inner->m_pLuaTable->SetFromGlobal("T");

	m_vgui->QueueCursorMove(30, 30);
	Frame();
	EXPECT_EQ("true", hovered());
	Click(31, 30);
	m_vgui->QueueMouseWheel(3);
	Frame();
	m_vgui->QueueCursorMove(15, 15);
	Frame();
	EXPECT_EQ("false", hovered());
	EXPECT_EQ("tip enter move0,0 move1,0 press107 release107 wheel3 exit endtip ", global("log"));
	EXPECT_EQ("inner.entered inner.moved(0,0) inner.moved(1,0) inner.pressed107 inner.released107 inner.wheel3 "
	          "outer.wheel3 inner.exited outer.entered outer.moved(5,5) ",
	          TakeLog());

	// A true result of the wheel or cursor hook ends the event there.
	lua->RunString("test", "", "stopWheel = true; stopMove = true", true, true);
	m_inner->OnMouseWheeled(1);
	m_inner->InternalCursorMoved(40, 40);
	m_inner->OnKeyCodePressed(KEY_B);  // the hook returns true for code 12
	m_inner->OnKeyCodePressed(KEY_C);
	EXPECT_EQ("inner.wheel1 inner.keydown12 inner.keydown13 outer.keydown13 ", TakeLog());
	EXPECT_EQ(0, lua->Top());
}

TEST_F(PanelInputTest, WorldClickerCapturesTheMouseWhilePressed)
{
	m_inner->SetWorldClicker(true);
	m_vgui->QueueCursorMove(30, 30);
	m_vgui->QueueButton(MOUSE_LEFT, true);
	Frame();
	EXPECT_EQ(m_inner->GetVPanel(), g_pVGuiInput->GetMouseCapture());
	// Captured: the move outside still goes to the clicker.
	m_vgui->QueueCursorMove(150, 150);
	m_vgui->QueueButton(MOUSE_LEFT, false);
	Frame();
	EXPECT_EQ(0u, g_pVGuiInput->GetMouseCapture());
	EXPECT_NE(std::string::npos, TakeLog().find("inner.moved(120,120) inner.released107 "));
}

TEST_F(PanelInputTest, ForwardedCursorMovesArriveInTheParentsCoordinates)
{
	m_inner->SetForwardCursorMovesToParent(true);
	m_inner->OnCursorMoved(3, 4);
	EXPECT_EQ("inner.moved(3,4) outer.moved(23,24) ", TakeLog());
}

TEST_F(PanelInputTest, MouseFocusTickSetsThePanelsCursorOrTheOverride)
{
	m_inner->SetCursor(vgui::dc_hand);
	m_vgui->QueueCursorMove(30, 30);
	Frame();
	EXPECT_EQ(static_cast<vgui::HCursor>(vgui::dc_hand), m_vgui->SurfaceCursor());

	g_pVGuiInput->SetCursorOveride(vgui::dc_waitarrow);
	Frame();
	EXPECT_EQ(static_cast<vgui::HCursor>(vgui::dc_waitarrow), m_vgui->SurfaceCursor());
	g_pVGuiInput->SetCursorOveride(0);
	Frame();
	EXPECT_EQ(static_cast<vgui::HCursor>(vgui::dc_hand), m_vgui->SurfaceCursor());

	// A panel outside the embedded panel's tree leaves the cursor alone.
	vgui::Panel loose(nullptr, "loose");
	loose.SetCursor(vgui::dc_ibeam);
	loose.InternalMouseFocusTicked();
	EXPECT_EQ(static_cast<vgui::HCursor>(vgui::dc_hand), m_vgui->SurfaceCursor());
}

TEST_F(PanelInputTest, CursorOverUsesTheClipRectangle)
{
	const struct
	{
		int x, y;
		bool over;
	} cases[] = { { 30, 30, true }, { 79, 79, true }, { 80, 79, false }, { 29, 30, false } };
	for (const auto &c : cases)
	{
		m_vgui->QueueCursorMove(c.x, c.y);
		Frame();
		EXPECT_EQ(c.over, m_inner->IsCursorOver()) << c.x << "," << c.y;
	}
	int x = 35, y = 40;
	m_inner->ScreenToLocal(x, y);
	EXPECT_EQ(5, x);
	EXPECT_EQ(10, y);
}

TEST_F(PanelInputTest, PressCloseOpenMenusThatDontHoldThePressedPanel)
{
	auto *menu = new vgui::Menu(m_outer, "menu");
	auto *item = new vgui::Panel(menu, "item");
	menu->SetVisible(true);
	menu->SetBounds(100, 100, 50, 50);
	item->SetBounds(0, 0, 50, 20);
	m_vgui->QueueCursorMove(115, 115);
	Frame();
	item->InternalMousePressed(MOUSE_LEFT);
	EXPECT_TRUE(menu->IsVisible());
	m_vgui->QueueCursorMove(35, 35);
	Frame();
	m_inner->InternalMousePressed(MOUSE_LEFT);
	EXPECT_FALSE(menu->IsVisible());
	EXPECT_TRUE(menu->IsMenu());
}

// A panel whose drag state tests set, logging the drag calls routing makes.
class DragProbe : public vgui::Panel
{
public:
	DragProbe(std::string *log) : vgui::Panel(nullptr, "drag"), m_log(log) {}
	void OnContinueDragging() override { *m_log += "continue "; }
	void OnFinishDragging(bool released, ButtonCode_t code, bool aborted) override
	{
		*m_log += "finish(" + std::to_string(released) + "," + std::to_string(code) + "," + std::to_string(aborted) + ") ";
		GetDragDropInfo()->m_bDragging = false;
	}

private:
	std::string *m_log;
};

TEST_F(PanelInputTest, DragCaptureTakesMovesAndReleasesWhileDragging)
{
	DragProbe capture(&m_log);
	vgui::g_DragDropCapture = &capture;

	// Not dragging yet: the capture panel is told, and the move goes on as usual.
	m_inner->InternalCursorMoved(35, 35);
	EXPECT_EQ("continue inner.moved(5,5) ", TakeLog());

	capture.GetDragDropInfo()->m_bDragging = true;
	m_inner->InternalCursorMoved(36, 36);
	EXPECT_EQ("continue ", TakeLog());

	// Escape held: the drag is cancelled.
	m_vgui->QueueButton(KEY_ESCAPE, true);
	Frame();
	TakeLog();
	m_inner->InternalCursorMoved(37, 37);
	EXPECT_EQ("continue finish(1,-1,1) ", TakeLog());
	m_vgui->QueueButton(KEY_ESCAPE, false);
	Frame();
	TakeLog();

	// A release while dragging drops and goes no further; once done, releases route normally.
	capture.GetDragDropInfo()->m_bDragging = true;
	m_inner->InternalMouseReleased(MOUSE_LEFT);
	EXPECT_EQ("finish(1,107,0) ", TakeLog());
	m_inner->InternalMouseReleased(MOUSE_LEFT);
	EXPECT_EQ("finish(1,107,0) inner.released107 ", TakeLog());
	vgui::g_DragDropCapture = nullptr;
}
}
