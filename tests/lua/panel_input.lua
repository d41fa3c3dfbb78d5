-- Panel methods for input switches, focus, popups, commands and messages, text and value, and
-- layout files.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function count(...) return select("#", ...) end
local function raises(f, pattern, what)
	local ok, err = pcall(f)
	if ok then error(what .. ": no error", 2) end
	if not tostring(err):find(pattern, 1, true) then error(what .. ": " .. tostring(err), 2) end
end
local INVALID = "Tried to use invalid object (type Panel) (Object was NULL or not of the right type)"

local p = standin_vgui_panel("p")
local dead = standin_vgui_panel("dead")
standin_vgui_delete(dead)

-- Input switches; both spellings of the keyboard switch.
p:SetEnabled(false) eq(standin_vgui_state(p).enabled, false, "SetEnabled(false)")
p:SetEnabled(true) eq(standin_vgui_state(p).enabled, true, "SetEnabled(true)")
p:SetMouseInputEnabled(false) eq(p:IsMouseInputEnabled(), false, "mouse input off")
p:SetMouseInputEnabled(true) eq(p:IsMouseInputEnabled(), true, "mouse input on")
p:SetKeyBoardInputEnabled(false) eq(p:IsKeyboardInputEnabled(), false, "SetKeyBoardInputEnabled(false)")
p:SetKeyboardInputEnabled(true) eq(p:IsKeyboardInputEnabled(), true, "SetKeyboardInputEnabled(true)")
p:SetKeyboardInputEnabled(false) eq(p:IsKeyboardInputEnabled(), false, "SetKeyboardInputEnabled(false)")
p:SetKeyBoardInputEnabled(true)
for _, name in ipairs({ "SetEnabled", "SetMouseInputEnabled", "SetKeyBoardInputEnabled", "SetKeyboardInputEnabled",
	"IsMouseInputEnabled", "IsKeyboardInputEnabled", "HasFocus", "HasHierarchicalFocus", "RequestFocus", "KillFocus",
	"FocusNext", "FocusPrevious", "MakePopup", "DoModal", "GetText", "GetValue", "MouseCapture", "SetWorldClicker",
	"SetAutoDelete", "SetPopupStayAtBack" }) do
	raises(function() dead[name](dead, true) end, INVALID, name .. " on a deleted panel")
end

-- Switches the panel keeps.
p:SetTabPosition(3.9) eq(standin_vgui_state(p).tabPosition, 3, "SetTabPosition truncates")
raises(function() p:SetTabPosition({}) end, "number", "SetTabPosition is strict")
p:SetWorldClicker(true) eq(standin_vgui_state(p).worldClicker, true, "SetWorldClicker")
p:SetAutoDelete(false) eq(standin_vgui_state(p).autoDelete, false, "SetAutoDelete(false)")
p:SetAutoDelete(true) eq(standin_vgui_state(p).autoDelete, true, "SetAutoDelete(true)")
p:DoModal() -- the base panel does nothing
p.SetActionFunction() p.SetActionFunction(dead) -- reads nothing, raises nothing

-- Mouse capture: false clears whatever capture there is.
local q = standin_vgui_panel("q")
p:MouseCapture(true) eq(standin_vgui_capture() == p, true, "captured")
q:MouseCapture(false) eq(standin_vgui_capture(), nil, "released by another panel")

-- Focus: hierarchical focus holds for every ancestor of the focused panel.
local child = standin_vgui_panel("child", p)
local grandchild = standin_vgui_panel("grandchild", child)
eq(p:HasHierarchicalFocus(), false, "no focus at all")
standin_vgui_key_focus(grandchild) standin_vgui_frame()
eq(grandchild:HasFocus(), true, "HasFocus")
eq(p:HasFocus(), false, "an ancestor has no focus itself")
eq(p:HasHierarchicalFocus(), true, "but holds it below")
eq(grandchild:HasHierarchicalFocus(), true, "the focused panel itself")
eq(q:HasHierarchicalFocus(), false, "another branch")
-- KillFocus runs the lost-focus handler only; the input system keeps the focus.
local changes = {}
grandchild.OnFocusChanged = function(self, gained) changes[#changes + 1] = tostring(gained) end
grandchild:KillFocus()
eq(table.concat(changes, ","), "false", "OnFocusChanged(false)")
eq(grandchild:HasFocus(), true, "focus stays")
grandchild:RequestFocus() grandchild:FocusNext() grandchild:FocusPrevious()
child.m_bDisableTabbing = true
child:FocusNext() child:FocusPrevious()
standin_vgui_key_focus(nil) standin_vgui_frame()
eq(p:HasHierarchicalFocus(), false, "focus gone")

-- Commands: at once; messages: queued for the same panel until the next frame.
local layouts = 0
p.PerformLayout = function() layouts = layouts + 1 end
standin_vgui_frame() layouts = 0
p:Command("performlayout")
standin_vgui_frame()
eq(layouts, 1, "Command reaches OnCommand")
raises(function() p:Command() end, "string", "Command needs a string")
p:PostMessage("Command", "command", "performlayout")
eq(layouts, 1, "a posted message waits")
standin_vgui_frame()
eq(layouts, 2, "and arrives at the next frame")
raises(function() p:PostMessage("Command", "command") end, "string", "PostMessage needs three strings")
raises(function() p:PostMessage("Command", {}, "x") end, "string", "the key is a string")
p:SetCommand("go")
raises(function() p:SetCommand() end, "string", "SetCommand needs a string")

-- Text and value: a plain panel answers the empty string; a label its text.
p:SetText("ignored")
eq(p:GetText(), "", "GetText of a plain panel")
eq(p:GetValue(), "", "GetValue of a plain panel")
raises(function() p:SetText() end, "string", "SetText needs a string")
local label = standin_vgui_label("label", "hello")
eq(label:GetText(), "hello", "a label's text")
label:SetText("changed")
eq(label:GetText(), "changed", "SetText on a label")
eq(label:GetValue(), "changed", "a label's value")
label:SetText(string.rep("x", 5000))
eq(#label:GetText(), 1023, "GetText is cut to its buffer")
assert(#label:GetValue() >= 1023 and #label:GetValue() <= 8091, "GetValue fits its buffer")

-- Popups: a popup from Lua takes mouse and keyboard input.
local a = standin_vgui_panel("a")
local b = standin_vgui_panel("b")
local order = {}
for _, pop in ipairs({ a, b }) do
	pop:SetSize(10, 10)
	pop.Paint = function(self) order[#order + 1] = self:GetName() return true end
	pop:SetMouseInputEnabled(false) pop:SetKeyboardInputEnabled(false)
	pop:MakePopup()
	eq(standin_vgui_state(pop).popup, true, "MakePopup")
	eq(pop:IsMouseInputEnabled(), true, "popup takes the mouse")
	eq(pop:IsKeyboardInputEnabled(), true, "popup takes keys")
end
local function paintOrder() order = {} standin_vgui_paint() return table.concat(order, ",") end
eq(paintOrder(), "a,b", "later popups on top")
a:SetPopupStayAtBack(false)
eq(paintOrder(), "b,a", "a popup that does not stay at the back stays above the rest")
b:MakePopup()
eq(paintOrder(), "b,a", "and above a popup made again")
a:SetPopupStayAtBack(true)
b:MakePopup()
eq(paintOrder(), "a,b", "staying at the back again")

-- Layout files: a plain panel loads nothing and leaves no temporary file behind.
p:LoadControlsFromString('"p" { "x" { "xpos" "5" } }')
p:LoadControlsFromString("with\0zero")
p:LoadControlsFromString(nil)
eq(file.Exists("tmp_resource", "GAME"), false, "no tmp_resource left")
p:LoadControlsFromFile("resource/none.res")
raises(function() p:LoadControlsFromFile() end, "string", "LoadControlsFromFile needs a string")
raises(function() dead:LoadControlsFromString("x") end, INVALID, "LoadControlsFromString on a deleted panel")
