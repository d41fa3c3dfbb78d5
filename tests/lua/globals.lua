-- Global functions: output, errors, code loading, metatables, time, colours, types, language.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

-- Arguments are run together through tostring; a tostring that answers nothing gives ERROR.
luarun_clear_output()
Msg(1, nil, true)
eq(luarun_output(), "1niltrue", "Msg joins without separators")
luarun_clear_output()
MsgN("a", 2)
eq(luarun_output(), "a2\n", "MsgN adds a newline")
luarun_clear_output()
local odd = setmetatable({}, { __tostring = function() return nil end })
Msg("x", odd)
eq(luarun_output(), "xERROR", "tostring without an answer")
luarun_clear_output()
MsgC("not a colour", "rest")
eq(luarun_output(), "rest", "MsgC prints from argument 2")

-- Error and ErrorNoHalt print and let the script go on; the text is cut at 4095 characters.
luarun_clear_output()
Error(string.rep("e", 5000))
local printed = luarun_output():match("(e+)")
eq(#printed, 4095, "Error text cut")
ErrorNoHalt("still running")

-- Code loading.
RunString("ranString = 1")
eq(ranString, 1, "RunString")
RunStringEx("ranEx = 2", "chunk")
eq(ranEx, 2, "RunStringEx")
eq(type(CompileString("return 5", "c")), "function", "CompileString success")
eq(CompileString("return 5", "c")(), 5, "compiled function runs")
eq(select("#", CompileString("this is not lua", "bad")), 0, "handled compile error gives nothing")
eq(select("#", CompileString("this is not lua", "bad", false)), 1, "unhandled compile error gives the error")
eq(type(CompileString("this is not lua", "bad", false)), "string", "the error text")
-- Precompiled chunks are refused by every way of loading code.
local bin = "\27LJ\2\0\0\0\0"
eq(CompileString(bin, "bin", false), "precompiled chunks are not allowed", "CompileString of bytecode")
eq(select("#", CompileString(bin, "bin")), 0, "handled: nothing")
RunString(bin)
RunStringEx(bin, "bin")
eq(select(2, loadstring(bin)), "precompiled chunks are not allowed", "loadstring of bytecode")
require("TIMER")  -- built in: ignored in any letter case

-- Metatables and types.
eq(select("#", FindMetaTable("NoSuchClass")), 0, "unknown metatable gives no value")
eq(select("#", FindMetaTable("_LOADED")), 0, "other tables of the registry are not metatables")
eq(type(FindMetaTable("Vector")), "table", "Vector metatable")
eq(type(Vector(1, 2, 3)), "Vector", "type of a class userdata")
eq(type(nil), "nil", "type nil")
eq(istable({}), true, "istable") eq(isstring("s"), true, "isstring") eq(isnumber(1), true, "isnumber")
eq(isbool(false), true, "isbool") eq(isfunction(print), true, "isfunction") eq(isnumber("1"), false, "string is not a number")
eq(isvector(Vector()), true, "isvector") eq(isangle(Angle()), true, "isangle") eq(isvector(Angle()), false, "angle is not a vector")
eq(isentity({}), false, "isentity") eq(ispanel({}), false, "ispanel")

-- Time: the high-resolution clock and the vgui clock follow the host's clock.
local t0, c0 = SysTime(), CurTime()
luarun_advance(2)
eq(SysTime() - t0, 2, "SysTime advanced")
eq(CurTime() - c0, 2, "CurTime advanced")
eq(UnPredictedCurTime(), CurTime(), "UnPredictedCurTime")
eq(VGUIFrameTime(), SysTime(), "VGUIFrameTime")

-- Colours.
local c = HSVToColor(0, 1, 1)
eq(c.r, 255, "red") eq(c.g, 0, "green") eq(c.b, 0, "blue") eq(c.a, 255, "alpha")
eq(getmetatable(c), nil, "plain table")
local c2 = HSVToColor(-60, 1, 1) local c3 = HSVToColor(300, 1, 1)
eq(c2.r == c3.r and c2.g == c3.g and c2.b == c3.b, true, "hue -60 is 300")
local h, s, v = ColorToHSV({ r = 255, g = 255, b = 0 })
eq(h, 60, "yellow hue") eq(s, 1, "yellow saturation") eq(v, 1, "yellow value")
h, s, v = ColorToHSV({ r = 128, g = 128, b = 128 })
eq(h, 0, "grey hue") eq(s, 0, "grey saturation") eq(math.abs(v - 128 / 255) < 1e-6, true, "grey value")
h, s, v = ColorToHSV({ r = 200, g = 199, b = 199 })
eq(math.abs(s - 1 / 255) < 1e-6, true, "saturation truncated to 1/255")
-- Channels of any size convert without overflow; unusable numbers give no colour but no fault.
h, s, v = ColorToHSV({ r = 2e9, g = -2e9, b = 0 })
eq(h, 330, "huge channels hue") eq(s, 2, "huge channels saturation")
c = HSVToColor(0, 1, 1e30)
eq(c.a, 255, "huge value still gives a colour")
c = HSVToColor(0 / 0, 0 / 0, 0 / 0)
eq(c.a, 255, "not-a-number still gives a colour")
MsgC({ r = 1e30, g = -1e30, b = 0 / 0 }, "")
DebugInfo(1e30, "far line")
h, s, v = ColorToHSV("white")
eq(h .. " " .. s .. " " .. v, "0 0 1", "non-table converts as white")

-- Language and Localize.
language.Add("menu_hello", "Hello")
language.Add("menu_hello", "Second")
eq(language.GetPhrase("menu_hello"), "Hello", "first addition wins")
eq(language.GetPhrase("menu_unknown"), "menu_unknown", "unknown phrase answers the token")
eq(Localize("menu_hello"), "#menu_hello", "known token answers its # form")
eq(Localize("menu_unknown", "fallback"), "fallback", "default text")
eq(Localize("menu_unknown"), "menu_unknown", "token when no default")
eq(motionsensor.IsAvailable(), false, "no motion sensor")
eq(select("#", motionsensor.GetColourMaterial()), 0, "no colour material")

-- Debug lines reach the engine; include runs a script relative to the running one.
DebugInfo(3.7, "line three")
include("Included.lua")
eq(includedValue, 42, "include lower-cases the path and runs it")

-- Type names are the ones scripts compare against.
eq(type(true), "boolean", "type of a boolean")
eq(type("s"), "string", "type of a string")
