-- The Vector class: component keys, arithmetic, helpers and the released-object guard.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function near(a, b, what) if math.abs(a - b) > 1e-4 then error(what .. ": expected " .. b .. ", got " .. a, 2) end end
local function veq(v, x, y, z, what) near(v.x, x, what .. ".x") near(v.y, y, what .. ".y") near(v.z, z, what .. ".z") end

local v = Vector(1, 2, 3)
for _, k in ipairs({ "x", "X", 1, "r", "xyz" }) do eq(v[k], 1, "key " .. tostring(k)) end
eq(v.b, 3, "b") eq(v[3], 3, "3") eq(v.w, nil, "w")
eq(type(v.Length), "function", "method name wins over the component rule")
eq(tostring(v), "1.000000 2.000000 3.000000", "text form")
assert(not pcall(function() return v[{}] end), "a table key is a type error")
v.g = 7 v.q = 9
eq(v.y, 7, "write by g") eq(rawget ~= nil, true, "sanity")

veq(Vector("1 2 3"), 1, 2, 3, "text constructor")
veq(Vector(5), 5, 0, 0, "single number")
veq(Vector(Vector(1, 1, 1)), 0, 0, 0, "vector argument")
veq(Vector(), 0, 0, 0, "no argument")

local a, b = Vector(1, 2, 3), Vector(4, 5, 6)
veq(a + b, 5, 7, 9, "add") veq(b - a, 3, 3, 3, "sub")
veq(a * 2, 2, 4, 6, "vector * number") veq(2 * a, 2, 4, 6, "number * vector")
veq(a * b, 4, 10, 18, "component-wise product")
veq(2 / Vector(4, 4, 4), 2, 2, 2, "number / vector") veq(Vector(4, 4, 4) / 2, 2, 2, 2, "vector / number")
eq(Vector(1, 1, 1) / Vector(1, 1, 1), nil, "vector / vector gives nil")
eq(a == Vector(1, 2, 3), true, "eq") eq(a == b, false, "not eq")
near(a:Dot(b), 32, "dot") near(a:DotProduct(b), 32, "dot product")
veq(Vector(1, 0, 0):Cross(Vector(0, 1, 0)), 0, 0, 1, "cross")
near(Vector(3, 4, 0):Length(), 5, "length") near(Vector(3, 4, 12):Length2D(), 5, "length 2d")
near(Vector(0, 0, 0):Distance(Vector(3, 4, 0)), 5, "distance") near(a:DistToSqr(b), 27, "dist sqr")
veq(Vector(0, 0, 0):GetNormal(), 0, 0, 0, "normal of zero")
veq(Vector(0, 3, 4):GetNormalized(), 0, 0.6, 0.8, "normalized")
local n = Vector(10, 0, 0) n:Normalize() veq(n, 1, 0, 0, "normalize in place")
eq(Vector(0.005, -0.009, 0):IsZero(), true, "IsZero within tolerance")
eq(Vector(0.01, 0, 0):IsZero(), false, "IsZero edge")
eq(a:IsEqualTol(Vector(1.05, 2, 3), 0.1), true, "IsEqualTol")
eq(a:WithinAABox(Vector(0, 0, 0), Vector(3, 3, 3)), true, "inside box")
eq(a:WithinAABox(Vector(0, 0, 0), Vector(3, 3, 2)), false, "outside box")
local lo, hi = Vector(5, 0, 9), Vector(1, 3, 2)
OrderVectors(lo, hi) veq(lo, 1, 0, 2, "ordered min") veq(hi, 5, 3, 9, "ordered max")
veq(LerpVector(0.25, Vector(0, 0, 0), Vector(4, 8, 12)), 1, 2, 3, "lerp")
local m = Vector(1, 1, 1) m:Add(Vector(1, 2, 3)) m:Sub(Vector(1, 1, 1)) m:Mul(2) veq(m, 2, 4, 6, "in-place ops")
m:Zero() veq(m, 0, 0, 0, "zero") m:Set(a) veq(m, 1, 2, 3, "set")
local ang = Vector(0, 1, 0):Angle() near(ang.y, 90, "yaw of left")
local r = Vector(1, 0, 0) r:Rotate(Angle(0, 90, 0)) veq(r, 0, 1, 0, "rotate by yaw 90")

-- A metamethod called by hand releases once; afterwards the object is invalid.
local g = Vector(1, 2, 3)
g:__gc()
local ok, err = pcall(function() return g:Length() end)
eq(ok, false, "released vector")
assert(err:find("Tried to use invalid object %(type Vector%) %(Object was NULL or not of the right type%)"), err)
g:__gc()  -- a second release finds nothing to free
assert(not pcall(Vector(1, 1, 1).Length, Angle(1, 2, 3)), "an Angle is not a Vector")
