-- The Angle class: keys, text form, arithmetic, rotation and interpolation.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function near(a, b, what) if math.abs(a - b) > 1e-3 then error(what .. ": expected " .. b .. ", got " .. a, 2) end end

local a = Angle(10, 20, 30)
eq(a.p, 10, "p") eq(a.P, 10, "P") eq(a.yaw, 20, "yaw") eq(a.roll, 30, "roll")
eq(a.x, nil, "x reads nil") eq(a[1], nil, "1 reads nil")
a.x = 1 eq(a.p, 1, "write x sets pitch") a[1] = 2 eq(a.p, 2, "write 1 sets pitch")
a.z = 5 eq(a.r, 5, "write z sets roll") a.w = 3
eq(tostring(Angle(1, 2, 3)), "1.000 2.000 3.000", "text form")
assert(not pcall(Angle, 1, 2), "two numbers: type error for argument 3")
local t = Angle("10 20 30") eq(t.p, 10, "text p") eq(t.r, 30, "text r")
eq(Angle().p, 0, "no argument") eq(Angle({}).y, 0, "table argument")
eq(Angle(0, 0, 0.0001):IsZero(), false, "IsZero without tolerance")
eq(Angle(0, 0, 0):IsZero(), true, "IsZero")
local s = Angle(1, 2, 3) + Angle(1, 1, 1) eq(s.r, 4, "add")
local d = Angle(1, 2, 3) - Angle(1, 1, 1) eq(d.y, 1, "sub")
local m1, m2 = Angle(1, 2, 3) * 2, 2 * Angle(1, 2, 3) eq(m1 == m2, true, "scale either side")
local f = Angle(0, 90, 0):Forward() near(f.x, 0, "forward x") near(f.y, 1, "forward y")
local u = Angle(0, 0, 0):Up() near(u.z, 1, "up z")
local rgt = Angle(0, 0, 0):Right() near(rgt.y, -1, "right y")
local n = Angle(0, 370, -190) n:Normalize() near(n.y, 10, "normalize yaw") near(n.r, 170, "normalize roll")
local rot = Angle(0, 0, 0) rot:RotateAroundAxis(Vector(0, 0, 1), 90) near(rot.y, 90, "rotate about up")
local same = Angle(1, 2, 3) local l = LerpAngle(0.5, same, Angle(1, 2, 3)) eq(l == same, true, "lerp of equal angles")
local h = LerpAngle(0.5, Angle(0, 0, 0), Angle(0, 90, 0)) near(h.y, 45, "lerp halfway")
local z = Angle(4, 5, 6) z:Zero() eq(z:IsZero(), true, "zero") z:Set(Angle(7, 8, 9)) eq(z.r, 9, "set")
eq(Angle(1, 2, 3) == Vector(1, 2, 3), false, "an angle never equals a vector")
-- A metamethod called by hand releases once; afterwards the object is invalid.
local g = Angle(1, 2, 3)
g:__gc()
local ok, err = pcall(g.Forward, g)
eq(ok, false, "released angle")
assert(err:find("Tried to use invalid object %(type Angle%) %(Object was NULL or not of the right type%)"), err)
assert(not pcall(function() return g.p end), "reading a released angle")
eq(Angle(1, 2, 3) == g, false, "a released angle equals nothing")
g:__gc()  -- a second release finds nothing to free
