-- Layout files loaded into an editable panel through LoadControlsFromString and
-- LoadControlsFromFile: controls are created, placed and replaced on the next load.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local e = standin_vgui_editable("e")
e:SetSize(200, 100)

e:LoadControlsFromString([["e"
{
	"title"	{ "ControlName" "Label" "xpos" "5" "ypos" "6" "wide" "40" "tall" "10" "labelText" "Hello" }
	"box"	{ "ControlName" "EditablePanel" "xpos" "50" "wide" "30" "tall" "30"
		"inner"	{ "ControlName" "Label" "xpos" "2" "labelText" "In" }
	}
	"ghost"	{ "ControlName" "NoSuchControl" }
}]])
eq(e:ChildCount(), 2, "two controls made")
local title = e:Find("title")
eq(title ~= nil, true, "title made")
eq(title:GetClassName(), "Label", "title is a label")
eq(title:GetText(), "Hello", "title text")
local x, y = title:GetPos()
eq(x, 5, "title x") eq(y, 6, "title y")
eq(e:Find("box"):Find("inner"):GetText(), "In", "nested section built inside the nested panel")
eq(file.Exists("tmp_resource", "GAME"), false, "no tmp_resource left")

-- The next layout replaces what the previous one made.
e:LoadControlsFromString('"e" { "other" { "ControlName" "Label" "xpos" "7" } }')
eq(e:ChildCount(), 1, "earlier controls gone")
eq(title:IsValid(), false, "old title deleted")
eq(e:Find("other"):GetPos(), 7, "new control placed")

-- From a file of the game folder.
local f = file.Open("dialog.txt", "wb", "DATA")
f:Write('"d" { "fromfile" { "ControlName" "Label" "labelText" "F" } }')
f:Close()
e:LoadControlsFromFile("data/dialog.txt")
eq(e:ChildCount(), 1, "file loaded")
eq(e:Find("fromfile"):GetText(), "F", "control from the file")

-- A missing file leaves no layout controls; a plain panel still loads nothing.
e:LoadControlsFromFile("resource/none.res")
eq(e:ChildCount(), 0, "nothing from a missing file")
local p = standin_vgui_panel("p")
p:LoadControlsFromString('"p" { "x" { "ControlName" "Label" } }')
eq(p:ChildCount(), 0, "plain panel loads nothing")
