-- The surface library: fonts, colours, shapes, text with localised tokens, textures, polygons,
-- circles and the screen globals, checked against the surface's draw log.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function raises(f, text, what)
	local ok, err = pcall(f)
	if ok then error(what .. ": no error", 2) end
	if not tostring(err):find(text, 1, true) then error(what .. ": " .. tostring(err), 2) end
end
local function drawn(f)
	standin_vgui_clear_draw_log()
	f()
	return standin_vgui_draw_log()
end

-- Screen size, through the library and the globals.
eq(surface.ScreenWidth(), 640, "ScreenWidth") eq(surface.ScreenHeight(), 480, "ScreenHeight")
eq(ScrW(), 640, "ScrW") eq(ScrH(), 480, "ScrH")

-- Colours: numbers limited to 0..255, table members keep their low 8 bits.
local colour_cases = {
	{ { 300, -5, 10 }, { 255, 0, 10, 255 }, "numbers limited" },
	{ { 1, 2, 3, 4 }, { 1, 2, 3, 4 }, "alpha given" },
	{ { 1.9, 2.9, 3.9, "x" }, { 1, 2, 3, 255 }, "truncated, alpha not a number" },
	{ { { r = 300 } }, { 44, 255, 255, 255 }, "table keeps low bits" },
	{ { { r = 1, g = 2, b = 3, a = -1 } }, { 1, 2, 3, 255 }, "table alpha -1 is 255" },
}
for _, c in ipairs(colour_cases) do
	local log = drawn(function() surface.SetDrawColor(unpack(c[1])) surface.DrawRect(0, 0, 1, 1) end)
	eq(log[1].r, c[2][1], c[3] .. " r") eq(log[1].g, c[2][2], c[3] .. " g")
	eq(log[1].b, c[2][3], c[3] .. " b") eq(log[1].a, c[2][4], c[3] .. " a")
end
raises(function() surface.SetDrawColor(1, 2) end, "number", "a missing blue is an argument error")

-- Rectangles go to the surface as corners, each number truncated.
eq(select("#", surface.GetTextSize("x")), 0, "GetTextSize before any SetFont gives nothing")
local log = drawn(function()
	surface.SetDrawColor(255, 255, 255)
	surface.DrawRect(10.7, 5.2, 20.9, 3.9)
	surface.DrawOutlinedRect(1, 2, 3, 4)
	surface.DrawLine(-1.5, 2, 30, 40.9)
end)
eq(#log, 3, "three records")
eq(log[1].kind, "FilledRect", "filled") eq(log[1].x0, 10, "x0") eq(log[1].y0, 5, "y0") eq(log[1].x1, 30, "x1") eq(log[1].y1, 8, "y1")
eq(log[2].kind, "OutlinedRect", "outlined") eq(log[2].x1, 4, "outlined x1") eq(log[2].y1, 6, "outlined y1")
eq(log[3].kind, "Line", "line") eq(log[3].x0, -1, "line x0") eq(log[3].y1, 40, "line y1")

-- Fonts: limits, defaults, redefinition under one handle.
raises(function() surface.CreateFont("bad", 5) end, "table", "description must be a table")
surface.CreateFont("Big", { font = "ZvFixed", size = 200 })
surface.CreateFont("Small", { font = "ZvFixed", size = 2 })
surface.SetFont("Big")
local w, h = surface.GetTextSize("ab")
eq(h, 128, "size 200 gives tall 128") eq(w, 128, "two glyphs of half the height")
surface.SetFont("Small")
w, h = surface.GetTextSize("abc")
eq(h, 4, "size 2 gives tall 4") eq(w, 6, "three glyphs of 2")
surface.CreateFont("Body", { font = "ZvFixed", size = 10 })
surface.SetFont("Body")
log = drawn(function() surface.SetTextColor(1, 2, 3) surface.SetTextPos(7, 9) surface.DrawText("Hi") end)
eq(#log, 2, "two glyphs") eq(log[1].kind, "Glyph", "glyph") eq(log[1].char, string.byte("H"), "first char")
eq(log[1].x0, 7, "pen x") eq(log[1].y0, 9, "pen y") eq(log[2].x0, 12, "advance 5") eq(log[1].y1, 19, "tall 10")
eq(log[1].r, 1, "text colour")
local first = log[1].font
surface.CreateFont("Body", { font = "ZvFixed", size = 20 })
log = drawn(function() surface.SetFont("Body") surface.SetTextPos(0, 0) surface.DrawText("H") end)
eq(log[1].font, first, "redefinition keeps the handle") eq(log[1].y1, 20, "with the new size")
raises(function() surface.SetFont("NeverMade") end, "'NeverMade' isn't a valid font", "unknown font")

-- Text: missing text draws nothing and measures 0, 0; tokens resolve through the localisation.
surface.SetFont("Small")
w, h = surface.GetTextSize()
eq(w, 0, "missing text width") eq(h, 0, "missing text height")
log = drawn(function() surface.DrawText() end)
eq(#log, 0, "missing text draws nothing")
language.Add("zv_hello", "Yo")
language.Add("@zv_pick", "Pick {key} now")
language.Add("@zv_plain", "No braces")
local function text_of(s)
	local out = {}
	for _, r in ipairs(drawn(function() surface.SetTextPos(0, 0) surface.DrawText(s) end)) do out[#out + 1] = string.char(r.char) end
	return table.concat(out)
end
eq(text_of("#zv_hello"), "Yo", "token with a phrase")
eq(text_of("#zv_pick"), "Pick < NONE > now", "placeholder phrase")
eq(text_of("#zv_pick"), "Pick < NONE > now", "placeholder phrase again, from the cache")
eq(text_of("#zv_plain"), "#zv_plain", "no braces: the token itself")
eq(text_of("#zv_missing"), "#zv_missing", "unknown token")
eq(text_of("plain"), "plain", "plain text")
-- A token too long for the cache is built each time and never answers for its cut form.
local long = string.rep("x", 70)
language.Add("@" .. long, "Long {k}")
local cut = ("#" .. long):sub(1, 63)
eq(text_of("#" .. long), "Long < NONE >", "long placeholder token")
eq(text_of("#" .. long), "Long < NONE >", "long placeholder token again")
eq(text_of(cut), cut, "the cut form of a long token is not translated")
w = surface.GetTextSize("#zv_hello")
eq(w, 4, "measured after resolution")

-- Textures: ids by file name, created once, sizes from the texture.
standin_vgui_texture("pics/a", 8, 4)
local id = surface.GetTextureID("pics/a")
eq(surface.GetTextureID("pics/a"), id, "the same id for the same file")
w, h = surface.GetTextureSize(id)
eq(w, 8, "texture width") eq(h, 4, "texture height")
log = drawn(function()
	surface.SetTexture(id)
	surface.DrawTexturedRect(1, 2, 3, 4)
	surface.DrawTexturedRectUV(0, 0, 10, 10, 0.25, 0.5, 0.75, 1)
end)
eq(log[1].kind, "TexturedRect", "textured") eq(log[1].texture, id, "with the texture") eq(log[1].x1, 4, "corner")
eq(log[2].s0, 0.25, "s0") eq(log[2].t0, 0.5, "t0") eq(log[2].s1, 0.75, "s1") eq(log[2].t1, 1, "t1")

-- Rotation: 90 degrees turns the rectangle counter-clockwise on screen.
log = drawn(function() surface.DrawTexturedRectRotated(100, 50, 20, 10, 90) end)
local v = log[1].vertices
eq(log[1].kind, "TexturedPolygon", "rotated is a polygon") eq(#v, 4, "four corners")
local function near(a, b, what) if math.abs(a - b) > 1e-3 then error(what .. ": " .. a .. " vs " .. b, 2) end end
near(v[1].x, 95, "first corner x") near(v[1].y, 60, "first corner y") eq(v[1].u, 0, "u") eq(v[3].v, 1, "v")
near(v[2].x, 95, "second corner x") near(v[2].y, 40, "second corner y")

-- Polygons: read up to the first key that is not a table.
log = drawn(function()
	surface.DrawPoly({ { x = 0, y = 0 }, { x = 10, y = 0, u = 1 }, { x = 0, y = 10, v = 1 }, nil, { x = 5, y = 5 } })
end)
eq(#log[1].vertices, 3, "key 4 ends the read") eq(log[1].vertices[2].u, 1, "u read") eq(log[1].vertices[3].v, 1, "v read")
log = drawn(function() surface.DrawPoly("nope") end)
eq(#log, 0, "not a table draws nothing")
log = drawn(function() surface.DrawPoly({}) end)
eq(#log, 0, "an empty table draws nothing")

-- Circles and alpha.
log = drawn(function() surface.DrawCircle(20.9, 30, 5.5, { r = 1, g = 2, b = 3, a = 4 }) end)
eq(log[1].kind, "Circle", "circle") eq(log[1].x0, 20, "centre x") eq(log[1].radius, 5.5, "radius") eq(log[1].a, 4, "alpha")
log = drawn(function() surface.SetAlphaMultiplier(0.5) surface.SetDrawColor(0, 0, 0, 200) surface.DrawRect(0, 0, 1, 1) surface.SetAlphaMultiplier(1) end)
eq(log[1].a, 100, "alpha multiplied")

-- Clipping: off through the library and the global.
eq(type(DisableClipping), "function", "global DisableClipping")
surface.DisableClipping(true) DisableClipping(false)
