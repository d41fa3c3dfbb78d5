-- Panel methods for showing, colours and alpha, painting options, manual painting, full-size
-- rectangles from a paint hook, and cursors.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function raises(f, pattern, what)
	local ok, err = pcall(f)
	if ok then error(what .. ": no error", 2) end
	if not tostring(err):find(pattern, 1, true) then error(what .. ": " .. tostring(err), 2) end
end
local INVALID = "Tried to use invalid object (type Panel) (Object was NULL or not of the right type)"
local function kinds()
	local list = {}
	for _, r in ipairs(standin_vgui_draw_log()) do list[#list + 1] = r.kind end
	return table.concat(list, ",")
end

-- Visibility; a dead panel answers false instead of raising.
local p = standin_vgui_panel("p")
eq(p:IsVisible(), true, "shown at first")
p:SetVisible(false) eq(p:IsVisible(), false, "SetVisible(false)")
p:SetVisible(true) eq(p:IsVisible(), true, "SetVisible(true)")
local dead = standin_vgui_panel("dead")
standin_vgui_delete(dead)
eq(dead:IsVisible(), false, "IsVisible on a deleted panel")
raises(function() dead:SetVisible(true) end, INVALID, "SetVisible on a deleted panel")
raises(function() p.IsVisible(42) end, "Panel", "IsVisible on a number")

-- Colours keep the low 8 bits of each truncated component.
local colourCases = {
	{ { 300, -1, 0, 255 }, { 44, 255, 0, 255 } },
	{ { 12.9, 0.5, -0.5, 256 }, { 12, 0, 0, 0 } },
	{ { 1, 2, 3 }, { 1, 2, 3, 0 } },
}
for i, case in ipairs(colourCases) do
	local c, want = case[1], case[2]
	p:SetFGColor(c[1], c[2], c[3], c[4])
	p:SetBGColor(c[1], c[2], c[3], c[4])
	local s = standin_vgui_state(p)
	for _, key in ipairs({ "fg", "bg" }) do
		eq(s[key].r .. "," .. s[key].g .. "," .. s[key].b .. "," .. s[key].a, table.concat(want, ","), key .. " colour case " .. i)
	end
end

-- Alpha: strict, truncated.
p:SetAlpha(127.6) eq(p:GetAlpha(), 127, "SetAlpha truncates")
raises(function() p:SetAlpha("half") end, "number", "SetAlpha needs a number")
p:SetAlpha(255)

-- Switches stored on the panel.
p:SetPaintedManually(true) eq(standin_vgui_state(p).paintedManually, true, "SetPaintedManually")
p:SetPaintedManually(false) eq(standin_vgui_state(p).paintedManually, false, "SetPaintedManually off")
p:SetRenderInScreenshots(false) eq(standin_vgui_state(p).renderInScreenshots, false, "SetRenderInScreenshots")
p:NoClipping(true) eq(standin_vgui_state(p).noClipping, true, "NoClipping")
p:NoClipping(false)
p:SetDrawOnTop(true) eq(standin_vgui_state(p).drawOverlay, true, "SetDrawOnTop")
p:SetDrawOnTop(false)
p:SetPaintFunction() SetPaintFunction = p.SetPaintFunction
SetPaintFunction(dead) SetPaintFunction(42) -- reads nothing, raises nothing

-- Background painting follows SetPaintBackgroundEnabled.
p:SetPos(10, 20) p:SetSize(30, 40)
p:SetBGColor(10, 20, 30, 255)
p:SetPaintBackgroundEnabled(true)
standin_vgui_clear_draw_log() standin_vgui_paint()
eq(kinds(), "FilledRect", "background painted")
local bgRect = standin_vgui_draw_log()[1]
eq(bgRect.x0 .. "," .. bgRect.y0 .. "," .. bgRect.x1 .. "," .. bgRect.y1, "10,20,40,60", "background rectangle")
p:SetPaintBackgroundEnabled(false)
standin_vgui_clear_draw_log() standin_vgui_paint()
eq(kinds(), "", "background off")
p:SetPaintBorderEnabled(false) -- no border set: nothing to see, only no error

-- The rectangle methods draw the panel's whole size in the surface's current colour.
p.Paint = function(self, w, h)
	standin_vgui_draw_color(1, 2, 3, 255)
	self:DrawFilledRect()
	self:DrawOutlinedRect()
	standin_vgui_draw_texture(7)
	self:DrawTexturedRect()
	return true
end
standin_vgui_clear_draw_log() standin_vgui_paint()
eq(kinds(), "FilledRect,OutlinedRect,TexturedRect", "the three rectangles")
for _, r in ipairs(standin_vgui_draw_log()) do
	eq(r.x0 .. "," .. r.y0 .. "," .. r.x1 .. "," .. r.y1, "10,20,40,60", r.kind .. " covers the panel")
end
local log = standin_vgui_draw_log()
eq(log[1].r .. "," .. log[1].g .. "," .. log[1].b, "1,2,3", "filled in the current colour")
eq(log[3].texture, 7, "textured with the current texture")
p.Paint = nil

-- A manually painted panel is skipped by the traversal and painted by PaintManual, here from
-- another panel's paint hook.
local m = standin_vgui_panel("m")
m:SetPos(0, 0) m:SetSize(5, 5)
local mPaints = 0
m.Paint = function(self, w, h) mPaints = mPaints + 1 standin_vgui_draw_color(9, 9, 9, 255) self:DrawFilledRect() return true end
m:SetPaintedManually(true)
standin_vgui_paint()
eq(mPaints, 0, "skipped by the traversal")
p.Paint = function(self) m:PaintManual() return true end
standin_vgui_paint()
eq(mPaints, 1, "painted by PaintManual")
eq(standin_vgui_state(m).paintedManually, true, "and still painted manually")
p.Paint = nil
m:PaintManual()
eq(mPaints, 2, "PaintManual outside the paint pass")
raises(function() dead:PaintManual() end, INVALID, "PaintManual on a deleted panel")
-- A paint hook that paints its own panel again is not run a second time.
m.Paint = function(self) mPaints = mPaints + 1 self:PaintManual() return true end
m:PaintManual()
eq(mPaints, 3, "no recursion into the same manual paint")
-- A failing paint hook leaves the panel painted manually and able to paint again.
m.Paint = function() error("paint failed") end
raises(function() m:PaintManual() end, "paint failed", "the hook's error reaches the caller")
eq(standin_vgui_state(m).paintedManually, true, "still painted manually after an error")
m.Paint = function(self) mPaints = mPaints + 1 self:DrawFilledRect() return true end
m:PaintManual()
eq(mPaints, 4, "and painted again")

-- PaintAt paints the panel at a screen position and puts it back.
m:SetPaintedManually(false)
standin_vgui_clear_draw_log()
m:PaintAt(100.7, 50.2)
local at = standin_vgui_draw_log()[1]
eq(at and at.x0 .. "," .. at.y0, "100,50", "PaintAt position")
local mx, my = m:GetPos() eq(mx .. "," .. my, "0,0", "PaintAt puts the panel back")
raises(function() m:PaintAt({}, 1) end, "number", "PaintAt with a table")
m:SetVisible(false)

-- SetDrawOnTop: the panel waits for the overlay pass.
local top = standin_vgui_panel("top")
top:SetSize(4, 4)
local topPaints = 0
top.Paint = function() topPaints = topPaints + 1 return true end
top:SetDrawOnTop(true)
standin_vgui_paint()
eq(topPaints, 0, "overlay panels are not painted in the normal pass")
standin_vgui_paint_overlays()
eq(topPaints, 1, "but in the overlay pass")
standin_vgui_delete(top)

-- NoClipping lets a paint hook draw outside the panel.
local clip = standin_vgui_panel("clip")
clip:SetPos(200, 200) clip:SetSize(10, 10)
clip.Paint = function(self)
	standin_vgui_draw_color(0, 255, 0, 255)
	-- the full-size rectangle of a panel three times as wide, drawn in this panel's context
	self:SetSize(30, 10) self:DrawFilledRect() self:SetSize(10, 10)
	return true
end
standin_vgui_paint()
eq(standin_vgui_pixel(215, 205) ~= 0xFF00FF00, true, "clipped to the panel")
clip:NoClipping(true)
standin_vgui_paint()
eq(standin_vgui_pixel(215, 205), 0xFF00FF00, "drawn past the panel without clipping")
standin_vgui_delete(clip)

-- Cursors by name, without regard to case; unknown names give code 1.
local cursorCases = {
	{ "arrow", 2 }, { "beam", 3 }, { "hourglass", 4 }, { "waitarrow", 5 }, { "Crosshair", 6 }, { "up", 7 },
	{ "sizenwse", 8 }, { "sizenesw", 9 }, { "sizewe", 10 }, { "sizens", 11 }, { "sizeall", 12 }, { "no", 13 },
	{ "HAND", 14 }, { "blank", 15 }, { "pointer", 1 }, { "", 1 }, { "hand ", 1 },
}
for _, case in ipairs(cursorCases) do
	p:SetCursor(case[1])
	eq(standin_vgui_state(p).cursor, case[2], "cursor " .. case[1])
end
raises(function() p:SetCursor({}) end, "string", "SetCursor needs a string")
raises(function() dead:SetCursor("hand") end, INVALID, "SetCursor on a deleted panel")
