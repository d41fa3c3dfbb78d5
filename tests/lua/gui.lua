-- The gui library: the cursor (hidden cursor reads 0, 0), events injected as if from the
-- operating system reaching panels, overlay pages, and the game UI's visibility.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local MOUSE_LEFT, MOUSE_RIGHT, KEY_A = 107, 108, 11

-- Cursor: set with truncation; hidden cursor reads 0, 0.
gui.SetMousePos(10.9, -3.7)
local x, y = gui.MousePos()
eq(x, 10, "x truncated") eq(y, -3, "y truncated toward zero")
eq(gui.MouseX(), 10, "MouseX") eq(gui.MouseY(), -3, "MouseY")
standin_vgui_cursor_shown(false)
x, y = gui.MousePos()
eq(x, 0, "hidden x") eq(y, 0, "hidden y") eq(gui.MouseX(), 0, "hidden MouseX") eq(gui.MouseY(), 0, "hidden MouseY")
x, y = input.GetCursorPos()
eq(x, 10, "the vgui input still knows the position")
standin_vgui_cursor_shown(true)

-- Injected mouse events reach the panel under the cursor at once.
local p = standin_vgui_panel("target")
p:SetPos(0, 0) p:SetSize(100, 100)
local seen = {}
p.OnCursorMoved = function(self, cx, cy) seen[#seen + 1] = "moved " .. cx .. "," .. cy end
p.OnMousePressed = function(self, code) seen[#seen + 1] = "pressed " .. code end
p.OnMouseReleased = function(self, code) seen[#seen + 1] = "released " .. code end
p.OnMouseWheeled = function(self, delta) seen[#seen + 1] = "wheeled " .. delta end
gui.InternalCursorMoved(20.5, 30.5)
eq(gui.MouseX(), 20, "the move set the cursor")
gui.InternalMousePressed(MOUSE_LEFT)
eq(input.IsMouseDown(MOUSE_LEFT), true, "a press records the button as down")
eq(input.WasMousePressed(MOUSE_LEFT), true, "pressed this frame")
gui.InternalMouseDoublePressed(MOUSE_RIGHT)
eq(input.IsMouseDown(MOUSE_RIGHT), false, "a double press leaves the button state")
eq(input.WasMouseDoublePressed(MOUSE_RIGHT), true, "double pressed this frame")
gui.InternalMouseReleased(MOUSE_LEFT)
eq(input.IsMouseDown(MOUSE_LEFT), false, "a release records the button as up")
gui.InternalMouseWheeled(-2.9)
eq(table.concat(seen, ";"), "moved 20,30;pressed 107;pressed 108;released 107;wheeled -2",
	"what the panel heard (a double press reaches the press hook by default)")

-- Injected key events: recorded for this frame (no panel has key focus here).
gui.InternalKeyCodePressed(KEY_A)
gui.InternalKeyCodeTyped(KEY_A)
gui.InternalKeyCodeReleased(KEY_A)
eq(input.WasKeyPressed(KEY_A), true, "key pressed") eq(input.WasKeyTyped(KEY_A), true, "key typed")
eq(input.WasKeyReleased(KEY_A), true, "key released")
standin_vgui_frame()
eq(input.WasKeyPressed(KEY_A), false, "a new frame forgets the last one's presses")
eq(input.WasMousePressed(MOUSE_LEFT), false, "and the mouse's")

-- Overlay pages: only "http://" exactly.
standin_steam_overlay()
gui.OpenURL("https://example.org/")
gui.OpenURL("HTTP://example.org/")
gui.OpenURL("http:/example.org/")
gui.OpenURL("http://example.org/page")
local pages = standin_steam_overlay()
eq(#pages, 1, "one page opened") eq(pages[1], "http://example.org/page", "the http page")

-- Game UI and console.
eq(gui.IsGameUIVisible(), true, "game UI shown at start")
gui.HideGameUI() eq(gui.IsGameUIVisible(), false, "hidden")
gui.ActivateGameUI() eq(gui.IsGameUIVisible(), true, "shown again")
eq(gui.IsConsoleVisible(), false, "console hidden")
standin_vgui_console_shown(true) eq(gui.IsConsoleVisible(), true, "console shown")
