-- The Panel class: userdata identity, the table behind a panel, x and y fields, text form,
-- dead panels, hooks picked up through field assignment, and the panel's Lua table hooks.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function raises(f, what)
	local ok, err = pcall(f)
	if ok then error(what .. ": no error", 2) end
	if not tostring(err):find("Tried to use invalid object (type Panel) (Object was NULL or not of the right type)", 1, true) then
		error(what .. ": " .. tostring(err), 2)
	end
end

-- Identity: the same panel pushes the same userdata; two values compare equal.
local p = standin_vgui_panel("Foo")
local q = standin_vgui_panel("Bar")
eq(p:GetParent() == q:GetParent(), true, "siblings share the root")
eq(p:GetChild(0), nil, "no child")
eq(p == p, true, "a panel equals itself")
eq(p == q, false, "two panels differ")
local c = standin_vgui_panel("c", p)
eq(p:GetChild(0) == c, true, "pushing a panel again gives an equal value")
eq(rawequal(p:GetChild(0), c), true, "and the very same userdata")

-- x and y fields; other fields land in the panel's table.
p:SetPos(5, 6) p:SetSize(64, 24)
eq(tostring(p), "Panel: [name:Foo][class:Panel][5,6,64,24]", "text form")
p.x = 10.9 eq(p.x, 10, "x truncated toward zero") eq(p.X, 10, "X reads like x")
p.Y = -3.7 eq(p.y, -3, "y truncated toward zero")
local x, y = p:GetPos() eq(x, 10, "GetPos x") eq(y, -3, "GetPos y")
p.xy = "kept" eq(p.xy, "kept", "a longer name is a table field")
p[1] = "one" eq(p[1], "one", "non-string keys are table fields")
eq(p:GetTable().xy, "kept", "fields live in the panel's table")
eq(p:GetTable().Panel == p, true, "the table knows its panel")
eq(p.nothing, nil, "missing fields read nil")
-- The table comes first: a function stored under a method's name overrides it for this panel.
p.GetWide = function() return 999 end
eq(p:GetWide(), 999, "table field overrides a method")
eq(q:GetWide(), 64, "other panels keep the method")
p.GetWide = nil
eq(p:GetWide(), 64, "removing the field brings the method back")

-- Hooks assigned through the userdata take effect at once; through the table only after Prepare.
local thinks, table_thinks = 0, 0
p.Think = function(self) eq(self == p, true, "hook self") thinks = thinks + 1 end
standin_vgui_frame()
eq(thinks, 1, "Think set through the panel runs next frame")
p.Think = nil
standin_vgui_frame()
eq(thinks, 1, "Think removed through the panel stops")
p:GetTable().Think = function() table_thinks = table_thinks + 1 end
standin_vgui_frame()
eq(table_thinks, 0, "Think set in the table is not seen before Prepare")
p:Prepare()
standin_vgui_frame()
eq(table_thinks, 1, "Prepare picks it up")
p:GetTable().Think = nil p:Prepare()

-- Paint returning true keeps the stock painting away; PerformLayout gets the size.
local painted, laid
q.Paint = function(self, w, h) painted = w .. "x" .. h return true end
q.PerformLayout = function(self, w, h) laid = w .. "x" .. h end
q:SetSize(30, 20)
standin_vgui_paint()
eq(painted, "30x20", "Paint hook with the size")
q:InvalidateLayout(true)
eq(laid, "30x20", "PerformLayout hook with the size")

-- OnChildAdded and OnChildRemoved receive the child.
local added, removed
q.OnChildAdded = function(self, child) added = child end
q.OnChildRemoved = function(self, child) removed = child end
local k = standin_vgui_panel("k")
k:SetParent(q)
eq(added == k, true, "OnChildAdded with the child")
k:SetParent(p)
eq(removed == k, true, "OnChildRemoved with the child")

-- A panel that is deleted leaves dead values behind.
local dead = standin_vgui_panel("dead")
dead.field = 1
local copy = dead
standin_vgui_delete(dead)
eq(copy:IsValid(), false, "IsValid on a dead panel")
eq(copy:Valid(), false, "Valid on a dead panel")
eq(copy.x, nil, "reading x of a dead panel")
eq(copy.field, nil, "its table is gone")
eq(copy.SetPos ~= nil, true, "methods stay reachable")
eq(copy:GetTable(), nil, "GetTable on a dead panel")
copy:Remove() -- quietly nothing
eq(copy:IsMarkedForDeletion(), true, "a dead panel counts as marked for deletion")
raises(function() copy.x = 1 end, "assigning x")
raises(function() copy:SetPos(1, 2) end, "SetPos")
raises(function() return tostring(copy) end, "text form")
local other = standin_vgui_panel("other") local otherCopy = other
standin_vgui_delete(other)
eq(copy == otherCopy, true, "two dead panels compare equal")

-- Remove marks the panel; the engine deletes it at the next frame.
local r = standin_vgui_panel("r")
r:Remove()
eq(r:IsValid(), false, "marked panels are not valid")
eq(r:Valid(), true, "but still live")
eq(r:IsMarkedForDeletion(), true, "IsMarkedForDeletion")
standin_vgui_frame()
eq(r:Valid(), false, "deleted at the next frame")

-- A panel that frees its Lua side makes a fresh userdata on the next push.
local holder = standin_vgui_panel("holder")
local f = standin_vgui_panel("f", holder)
f.mark = true
standin_vgui_free_lua(f)
eq(f:Valid(), false, "the old value is dead")
local fNew = holder:GetChild(0)
eq(fNew:Valid(), true, "a fresh value for the same panel")
eq(fNew == f, false, "which is not the dead one")
eq(fNew.mark, nil, "with a fresh table")

-- A metamethod called by hand: the second release finds nothing.
local g = standin_vgui_panel("g")
local gc = getmetatable(g).__gc
gc(g)
eq(g:Valid(), false, "released userdata reads as dead")
gc(g)
assert(luarun_output():find("lua_panel_container is NULL!?", 1, true), "warning for a second release")

-- Wrong types.
local ok, err = pcall(p.GetPos, 5)
eq(ok, false, "a number is no panel")
assert(tostring(err):find("Panel"), err)
