-- IMaterial and ITexture: obtaining materials, their variables, textures and texel colours.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

standin_image("lua/grad", 16, 8)

-- Material: no result for an empty name; else the material and the seconds the look-up took.
eq(select("#", Material("")), 0, "empty name")
local m, took = Material("lua/grad", "nocull smooth")
eq(type(m), "IMaterial", "material type") eq(type(took), "number", "time taken") assert(took >= 0, "time is not negative")
eq(m:GetName(), "lua/grad", "name") eq(tostring(m), "lua/grad", "tostring") eq(m:IsError(), false, "not the error material")
eq(m:GetShader(), "UnlitGeneric", "shader") eq(m:Width(), 16, "width") eq(m:Height(), 8, "height")
eq(m:GetInt("$nocull"), 1, "parameter word")

-- Texel colours of the base texture; coordinates are truncated; outside the image reads 0.
local c = m:GetColor(3.9, 5.2)
eq(c.r, 3, "red") eq(c.g, 5, "green") eq(c.b, 8, "blue") eq(c.a, 255, "alpha")
eq(getmetatable(c), nil, "a plain table")
c = m:GetColor(100, -1) eq(c.r + c.g + c.b + c.a, 0, "outside the texture")

local t = m:GetTexture("$basetexture")
eq(type(t), "ITexture", "texture type") eq(t:GetName(), "lua/grad", "texture name")
eq(t:Width(), 16, "texture width") eq(t:Height(), 8, "texture height")
eq(t:GetMappingWidth(), 16, "mapping width") eq(t:GetMappingHeight(), 8, "mapping height")
eq(t:IsError(), false, "texture not error") eq(t:Download(), nil, "download returns nothing")
eq(t:GetColor(15, 7).b, 22, "texel of the texture itself")
eq(select("#", m:GetTexture("$nosuchvar")), 0, "texture of a missing variable")

-- Without an image the material system's look-up answers: the error material, whose error
-- texture is not handed out.
local e = Material("lua/missing_image")
eq(e:IsError(), true, "error material") eq(select("#", e:GetTexture("$basetexture")), 0, "error texture withheld")

-- CreateMaterial: once per name ignoring case; later calls ignore shader and parameters.
local made = CreateMaterial("Foo", "VertexLitGeneric", {
	["$frame"] = 0, ["$alpha"] = 0.5, ["$color"] = "[1 2 3]", ["$basetexture"] = "lua/grad",
	Proxies = { AnimatedTexture = { animatedtexturevar = "$basetexture" } } })
eq(type(made), "IMaterial", "created") eq(made:GetShader(), "VertexLitGeneric", "created shader")
eq(standin_precaches(made), 1, "precached once")
eq(standin_references(made), 2, "one reference for the list, one for Lua")
local again = CreateMaterial("Foo", "Other", { ["$frame"] = 9 })
local lower = CreateMaterial("foo", "Other")
eq(again:GetShader(), "VertexLitGeneric", "same material") eq(lower:GetInt("$frame"), 0, "parameters ignored")
eq(standin_references(made), 4, "each handle holds a reference")
eq(made:GetTexture("$basetexture"):GetName(), "lua/grad", "texture variable resolved on precache")
eq(made:Width(), 16, "width through $basetexture")

-- Variables.
eq(select("#", made:GetInt("$nosuchvar")), 0, "missing variable gives nothing")
made:SetInt("$frame", 2.9)
eq(made:GetInt("$frame"), 2, "truncated") eq(standin_recomputes(made), 1, "recomputed")
made:SetInt("$frame", 2)
eq(standin_recomputes(made), 1, "same value does not recompute")
made:SetFloat("$alpha", 0.25)
eq(made:GetFloat("$alpha"), 0.25, "float") eq(standin_recomputes(made), 1, "SetFloat does not recompute")
local v = made:GetVector("$color")
eq(v.x, 1, "vector x") eq(v.y, 2, "vector y") eq(v.z, 3, "vector z")
made:SetVector("$color", Vector(4, 5, 6))
eq(made:GetVector("$color").z, 6, "vector set")
eq(made:GetString("$basetexture"), "lua/grad", "texture as text")
made:SetUndefined("$alpha")
eq(made:GetString("$alpha"), nil, "undefined text begins with <")
eq(made:GetString("$nosuchvar"), nil, "missing variable text")
made:SetString("$nosuchvar", "x")
eq(made:GetString("$nosuchvar"), nil, "writing a missing variable adds nothing")
made:SetString("$frame", "7")
eq(made:GetInt("$frame"), 7, "string set")
made:SetShader("Other")
eq(made:GetShader(), "VertexLitGeneric", "SetShader changes nothing")

-- SetTexture by name and by object; the same texture again changes nothing.
standin_image("lua/other", 4, 4)
local before = standin_recomputes(made)
made:SetTexture("$basetexture", "lua/other")
eq(made:Width(), 4, "texture by name") eq(standin_recomputes(made), before + 1, "recomputed after SetTexture")
made:SetTexture("$basetexture", made:GetTexture("$basetexture"))
eq(standin_recomputes(made), before + 1, "same texture: nothing")
made:SetTexture("$basetexture", t)
eq(made:Width(), 16, "texture by object")
assert(not pcall(made.SetTexture, made, "$basetexture", 5), "a number is neither texture nor name")
made:Recompute()
eq(standin_recomputes(made), before + 3, "Recompute")

-- Wrong self: the argument type error names the class.
local ok, err = pcall(m.GetName, t)
eq(ok, false, "texture as material") assert(err:find("IMaterial"), err)
ok, err = pcall(t.GetName, m)
eq(ok, false, "material as texture") assert(err:find("ITexture"), err)

-- __gc gives the userdata's reference back, once.
local refs = standin_references(made)
do local tmp = CreateMaterial("foo", "x") end
collectgarbage("collect") collectgarbage("collect")
eq(standin_references(made), refs, "collected handle released its reference")
local gc = getmetatable(made).__gc
local extra = CreateMaterial("Foo", "x")
gc(extra) gc(extra)
eq(standin_references(made), refs, "a second __gc gives nothing back")
assert(not pcall(extra.GetName, extra), "a released handle is an invalid object")

-- AddonMaterial: through the utility service only, with the path one folder up.
standin_image("../addon_pic", 2, 2)
local a = AddonMaterial("addon_pic")
eq(a:GetName(), "../addon_pic", "addon material") eq(standin_precaches(a), 1, "precached")
eq(select("#", AddonMaterial("no_such_pic")), 0, "missing addon image")

-- Without the host utility service: colours read 0 and Material falls back.
standin_util(false)
c = m:GetColor(3, 5)
eq(c.r + c.g + c.b + c.a, 0, "no utility service: zero colour")
eq(Material("lua/grad"):IsError(), true, "fallback to the material system")
eq(select("#", AddonMaterial("addon_pic")), 0, "AddonMaterial needs the utility service")
standin_util(true)
