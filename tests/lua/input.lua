-- The input library: button and key state from queued events, names, key trapping and
-- binding look-ups.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local KEY_1, KEY_A, KEY_LSHIFT, KEY_RSHIFT, KEY_LCONTROL, KEY_RCONTROL = 2, 11, 79, 80, 83, 84
local MOUSE_LEFT, JOY1 = 107, 114

-- Held buttons.
standin_vgui_button(KEY_A, true) standin_vgui_button(MOUSE_LEFT, true) standin_vgui_button(JOY1, true)
standin_vgui_frame()
eq(input.IsKeyDown(KEY_A), true, "key down") eq(input.IsKeyDown(KEY_1), false, "other key up")
eq(input.IsMouseDown(MOUSE_LEFT), true, "mouse down") eq(input.IsMouseDown(KEY_A), false, "a key is no mouse button")
eq(input.IsButtonDown(KEY_A), true, "button down") eq(input.IsButtonDown(JOY1), false, "joystick codes are outside vgui's table")
eq(input.IsButtonDown(11.9), true, "the code is truncated")
eq(input.WasKeyPressed(KEY_A), true, "pressed this frame") eq(input.WasKeyTyped(KEY_A), true, "typed this frame")
eq(input.WasMousePressed(MOUSE_LEFT), true, "mouse pressed this frame")
standin_vgui_button(KEY_A, false)
standin_vgui_frame()
eq(input.WasKeyPressed(KEY_A), false, "not pressed in the next frame") eq(input.WasKeyReleased(KEY_A), true, "released")
eq(input.IsKeyDown(KEY_A), false, "key up")

-- Shift and control: either side.
local cases = { { KEY_LSHIFT, true, false }, { KEY_RSHIFT, true, false }, { KEY_LCONTROL, false, true },
	{ KEY_RCONTROL, false, true }, { KEY_1, false, false } }
for _, c in ipairs(cases) do
	standin_vgui_button(c[1], true) standin_vgui_frame()
	eq(input.IsShiftDown(), c[2], "shift with " .. c[1]) eq(input.IsControlDown(), c[3], "control with " .. c[1])
	standin_vgui_button(c[1], false) standin_vgui_frame()
end

-- Cursor through the vgui input, no visibility test.
input.SetCursorPos(5.9, -1.2)
local x, y = input.GetCursorPos()
eq(x, 5, "cursor x") eq(y, -1, "cursor y")
standin_vgui_cursor_shown(false)
x = input.GetCursorPos() eq(x, 5, "hidden cursor still reads")
standin_vgui_cursor_shown(true)

-- Names: 1 .. 170 only.
eq(input.GetKeyName(0), nil, "0 has no name") eq(input.GetKeyName(171), nil, "171 has no name")
eq(input.GetKeyName(-5), nil, "negative") eq(input.GetKeyName(1), "0", "code 1 is the 0 key")
eq(input.GetKeyName(KEY_A), "a", "a") eq(input.GetKeyName(MOUSE_LEFT), "MOUSE1", "mouse") eq(input.GetKeyName(170), "JOY57", "last")

-- Key trapping: the first poll after a press returns it and ends trapping.
eq(input.IsKeyTrapping(), false, "not trapping at load")
eq(input.CheckKeyTrapping(), nil, "nothing trapped yet")
eq(input.IsKeyTrapping(), false, "and the flag is as it was")
input.StartKeyTrapping()
eq(input.IsKeyTrapping(), true, "trapping")
eq(input.CheckKeyTrapping(), nil, "no key yet") eq(input.IsKeyTrapping(), true, "still trapping")
standin_vgui_button(KEY_A, true) standin_vgui_frame()
eq(input.CheckKeyTrapping(), KEY_A, "the trapped key") eq(input.IsKeyTrapping(), false, "trapping over")
eq(input.CheckKeyTrapping(), nil, "a trap answers once")
standin_vgui_button(KEY_A, false) standin_vgui_frame()

-- Bindings.
eq(input.LookupBinding("+jump"), nil, "unbound")
standin_engine_bind("SPACE", "+jump")
eq(input.LookupBinding("+jump"), "SPACE", "bound key") eq(input.LookupBinding("+JUMP"), "SPACE", "case-insensitive")
standin_engine_bind("SPACE", "")
eq(input.LookupBinding("+jump"), nil, "unbound again")
