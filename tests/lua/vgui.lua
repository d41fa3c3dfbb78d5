-- The vgui library: controls made by class name (case-insensitive, first match decides),
-- parented and named for the script; focus, hover and cursor queries; SetClipboardText.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local root = standin_vgui_panel("root")
root:SetPos(0, 0) root:SetSize(200, 200)

-- Which name makes which class with which panel name.
local made = {
	{ "Panel", "Panel", "Panel" },
	{ "label", "Label", "" }, { "LABEL", "Label", "" }, { "LaBeL", "Label", "" },
	{ "Button", "Button", "" },
	{ "CheckButton", "CheckButton", "" },
	{ "ProgressBar", "ProgressBar", "" },
	{ "RadioButton", "RadioButton", "" },
	{ "ToggleButton", "ToggleButton", "" },
	{ "ImagePanel", "ImagePanel", "ResourceImagePanel" },
	{ "Divider", "Divider", "Divider" },
	{ "TGAImage", "TGAImagePanel", "TGAImage" },
	-- The bitmap panel answers with the plain panel's class name: it keeps the panel's maps.
	{ "bitmapimagepanel", "Panel", "BitmapImagePanel" },
	{ "AnimatingImagePanel", "AnimatingImagePanel", "" },
	{ "editablepanel", "LuaEditablePanel", "EditablePanel" },
}
for _, case in ipairs(made) do
	local p = vgui.Create(case[1], root)
	eq(type(p), "Panel", case[1] .. " is made")
	eq(p:GetClassName(), case[2], case[1] .. " class")
	eq(p:GetName(), case[3], case[1] .. " panel name")
	eq(p:GetParent(), root, case[1] .. " parent")
end

-- Texts given to the text controls.
eq(vgui.Create("label", root):GetText(), "Label", "label text")
eq(vgui.Create("BUTTON", root):GetText(), "Button", "button text")
eq(vgui.Create("checkbutton", root):GetText(), "CheckButton", "check button text")
eq(vgui.Create("ScrollBar", root):GetName(), "", "a scroll bar has no name")
eq(vgui.Create("frame", root):GetName(), "Frame", "frame name")
eq(vgui.Create("MESSAGEBOX", root):GetName(), "", "a message box has no name")
eq(vgui.Create("menu", root):GetName(), "Menu", "a menu is named Menu")
eq(vgui.Create("MenuItem", root):GetText(), "MenuItem", "menu item text")
eq(vgui.Create("MenuItem", root):GetName(), "", "a menu item has no name")
eq(vgui.Create("urllabel", root):GetText(), "URLLabel", "URL label text")
eq(vgui.Create("AchievementIcon", root):GetName(), "AvatarImage", "achievement icon name")

-- A string third argument names the control; anything else leaves the class's name.
eq(vgui.Create("Panel", root, "mine"):GetName(), "mine", "named")
eq(vgui.Create("Divider", root, 12):GetName(), "Divider", "a number leaves the name")
eq(vgui.Create("Panel", root, nil):GetName(), "Panel", "nil leaves the name")

-- An editable panel made modal gives the state back to the earlier modal panel when removed.
local earlier = vgui.Create("Panel", root, "earlier")
standin_vgui_modal(earlier)
local dialog = vgui.Create("EditablePanel", root)
dialog:DoModal()
eq(standin_vgui_modal(), dialog, "editable panel is modal")
dialog:Remove()
eq(standin_vgui_modal(), earlier, "modal state given back on removal")
standin_vgui_frame()
eq(dialog:IsValid(), false, "removed")
local quiet = vgui.Create("EditablePanel", root)
quiet:Remove() standin_vgui_frame()
eq(standin_vgui_modal(), earlier, "removing a panel that is not modal changes nothing")
eq(standin_vgui_modal(nil), nil, "modal state released")

-- Unknown names, and names whose control this build lacks, make nothing and say so once.
local unknown = { "NoSuchThing", "", "Slider", "ExpandButton", "ComboBox",
	"TextEntry", "RichText",
	-- The HTML panel needs the host's HTML renderer, which this state lacks.
	"Awesomium", "HTML" }
for _, name in ipairs(unknown) do
	luarun_clear_output()
	eq(select("#", vgui.Create(name, root)), 0, name .. " returns nothing")
	eq(luarun_output(), "Warning: vgui.Create failed to create the VGUI component (" .. name .. ")\n", name .. " message")
end
luarun_clear_output()
eq(select("#", vgui.Create("panelframe", root)), 0, "PanelFrame returns nothing")
eq(luarun_output(), "PanelFrame no longer exists!\nWarning: vgui.Create failed to create the VGUI component (panelframe)\n",
	"PanelFrame messages")
eq(pcall(vgui.Create), false, "a class name is required")
eq(pcall(vgui.Create, {}), false, "a table is no class name")

-- Made controls are auto-delete: they go with their parent.
local holder = standin_vgui_panel("holder", root)
local child = vgui.Create("Label", holder)
eq(child:IsValid(), true, "child alive")
standin_vgui_delete(holder)
eq(child:IsValid(), false, "auto-delete child went with its parent")

-- A stale Panel as parent gives no parent.
local gone = standin_vgui_panel("gone", root)
standin_vgui_delete(gone)
local orphan = vgui.Create("Panel", gone)
eq(orphan:GetParent(), nil, "stale parent")
orphan:Remove()

-- Keyboard focus.
local a = vgui.Create("Panel", root, "a")
local b = vgui.Create("Panel", a, "b")
standin_vgui_key_focus(nil) standin_vgui_frame()
eq(select("#", vgui.GetKeyboardFocus()), 0, "no focus: nothing")
eq(vgui.FocusedHasParent(root), false, "no focus: false")
standin_vgui_key_focus(b) standin_vgui_frame()
eq(vgui.GetKeyboardFocus(), b, "focus panel")
eq(vgui.FocusedHasParent(a), true, "focus is under a")
eq(vgui.FocusedHasParent(root), true, "focus is under root")
eq(vgui.FocusedHasParent(vgui.Create("Panel", root)), false, "focus is not under a sibling")
eq(select("#", vgui.FocusedHasParent(42)), 0, "not a Panel: nothing")
eq(select("#", vgui.FocusedHasParent(nil)), 0, "nil: nothing")
eq(select("#", vgui.FocusedHasParent(gone)), 0, "stale Panel: nothing")
standin_vgui_key_focus(nil) standin_vgui_frame()

-- Cursor visibility and hovering; without a menu base panel there is no world to hover.
standin_vgui_cursor_shown(true)
eq(vgui.CursorVisible(), true, "cursor shown")
standin_vgui_cursor_shown(false)
eq(vgui.CursorVisible(), false, "cursor hidden")
eq(vgui.IsHoveringWorld(), false, "hidden cursor never hovers the world")
standin_vgui_cursor_shown(true)
eq(vgui.IsHoveringWorld(), false, "no world panel yet")

-- Hovered panel follows the cursor.
local target = vgui.Create("Panel", root, "target")
target:SetPos(100, 100) target:SetSize(50, 50)
standin_vgui_cursor(120, 120) standin_vgui_frame()
eq(vgui.GetHoveredPanel(), target, "hovered panel")

-- SetClipboardText needs a string and hands the whole text over.
SetClipboardText("copied text")
eq(pcall(SetClipboardText), false, "text required")
eq(pcall(SetClipboardText, {}), false, "a table is no text")

standin_vgui_delete(root)

-- Without a menu base panel (too early) a control made without parent stays unparented.
local loose = vgui.Create("Panel")
eq(loose:GetParent(), nil, "no base panel, no parent")
loose:Remove() standin_vgui_frame()
