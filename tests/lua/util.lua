-- The util library: KeyValues text, data trees and JSON, compression, Base64, AimVector, and
-- hostile input to each (malformed, huge, self-containing, deeply nested, corrupt).
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function near(a, b, what) if type(a) ~= "number" or math.abs(a - b) > 1e-6 then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function none(what, ...) if select("#", ...) ~= 0 then error(what .. ": expected no value, got " .. tostring((...)), 2) end end

-- KeyValues text to tables.
local kv = '"Root"\n{\n\t"A"\t"1.23456"\n\t"b"\n\t{\n\t\t"c"\t"d"\n\t}\n\t"Int"\t"-7"\n}\n'
local t = util.KeyValuesToTable(kv)
near(t.a, 1.2345, "names lower-cased, four decimals, rounded down")
eq(t.b.c, "d", "nested")
eq(t.int, -7, "integer")
eq(t.A, nil, "no upper-case name")
local o = util.KeyValuesToTablePreserveOrder(kv)
eq(#o, 3, "three entries")
eq(o[1].Key, "a", "first key")
near(o[1].Value, 1.23456, "not rounded in the ordered form")
eq(o[2].Key, "b", "second key")
eq(o[2].Value[1].Key, "c", "nested entry key")
eq(o[2].Value[1].Value, "d", "nested entry value")
o = util.KeyValuesToTablePreserveOrder('"r" { "0" "x" "0" "y" "k" "z" "0" "w" }')
eq(o[1].Key .. o[2].Key .. o[3].Key .. o[4].Key, "12k3", "names 0 become the unnamed counter")
t = util.KeyValuesToTable('"r" { "k" "1" "K" "2" }')
eq(t.k, 2, "a later name replaces the earlier")
t = util.KeyValuesToTable('"r" { "e" "a\\nb" }', true)
eq(t.e, "a\nb", "escape sequences when asked")
t = util.KeyValuesToTable('"r" { "e" "a\\nb" }')
eq(t.e, "a\\nb", "no escapes by default")
-- Malformed and hostile text: a table, partly filled or empty, never an error.
for _, bad in ipairs({ "", "{", "}", '"r" {', '"r" { "a" }', '"r" { "a" "b" ', string.rep("{", 100000),
	'"r" ' .. string.rep('{ "x" ', 5000), string.rep('"', 10001), "\"r\" { \"a\" \"b\" } junk } } {",
	'"r" { "' .. string.rep("n", 100000) .. '" "v" }', '"r" { "k" "' .. string.rep("v", 1000000) .. '" }' }) do
	eq(type(util.KeyValuesToTable(bad)), "table", "malformed text gives a table")
	eq(type(util.KeyValuesToTablePreserveOrder(bad)), "table", "malformed text gives a table (ordered)")
end
t = util.KeyValuesToTable('"r" { "k" "' .. string.rep("v", 100000) .. '" }')
assert(type(t.k) == "string" and #t.k > 1000, "a long value is read as far as the reader takes it")
assert(not pcall(util.KeyValuesToTable, nil), "text must be a string")

-- Tables to KeyValues text.
local text = util.TableToKeyValues({ 5 })
assert(text:find('"TableToKeyValues"'), "default root name: " .. text)
assert(text:find('"1"%s+"5"'), "number key written as its text: " .. text)
text = util.TableToKeyValues({ outer = { inner = "c" } }, "Top")
assert(text:find('"Top"') and text:find('"outer"') and text:find('"inner"%s+"c"'), "nested: " .. text)
t = util.KeyValuesToTable(util.TableToKeyValues({ x = "1", y = { z = "w" } }))
eq(t.x, 1, "round trip value")
eq(t.y.z, "w", "round trip nested")
text = util.TableToKeyValues({ a = "1" }, 5)
assert(text:find('"TableToKeyValues"'), "non-string root name falls back")
local selfish = { v = "1" }
selfish.me = selfish
selfish.list = { selfish, { selfish } }
text = util.TableToKeyValues(selfish)
assert(text:find('"v"%s+"1"'), "a table containing itself is written once: " .. text)
text = util.TableToKeyValues({ [""] = "empty", ["a/b"] = "slash", k = "v" })
assert(text:find('^"TableToKeyValues"\n{\n'), "an empty name does not overwrite the root: " .. text)
assert(text:find('\t""\t\t"empty"\n') and text:find('"k"%s+"v"'), "odd names leave the others alone: " .. text)
assert(text:find('"a/b"%s+"slash"'), "a name with a slash stays one name: " .. text)
local shared = { s = "1" }
t = util.KeyValuesToTable(util.TableToKeyValues({ one = shared, two = shared }))
eq((t.one or t.two).s, 1, "a table under two keys is written once")
eq(t.one == nil or t.two == nil, true, "its second place stays empty")
-- Tables shared at every level would double the output per level: each is written once.
local bomb = { leaf = "x" }
for i = 1, 64 do bomb = { a = bomb, b = bomb } end
assert(#util.TableToKeyValues(bomb) < 100000, "shared tables do not multiply")
assert(#util.TableToJSON(bomb) < 100000, "shared tables do not multiply in JSON")

-- Deep nesting is an error, not a crash.
local deep = {}
local cur = deep
for i = 1, 100000 do cur.n = {}; cur = cur.n end
local ok, err = pcall(util.TableToKeyValues, deep)
assert(not ok and err:find("nested deeper"), "deep table to KeyValues: " .. tostring(err))
ok, err = pcall(util.TableToJSON, deep)
assert(not ok and err:find("nested deeper"), "deep table to JSON: " .. tostring(err))
cur = {}
local fine = cur
for i = 1, 500 do cur.n = {}; cur = cur.n end
assert(util.TableToJSON(fine), "500 levels are fine")
-- 512 levels of tables are the most JSON import takes back: the two limits meet.
local top = {}
cur = top
for i = 2, 512 do cur.n = {}; cur = cur.n end
cur.leaf = true
local deepest = util.JSONToTable(util.TableToJSON(top))
cur = deepest
for i = 2, 512 do cur = cur.n end
eq(cur.leaf, true, "512 levels round trip")
cur.n = { {} }
assert(not pcall(util.TableToJSON, deepest), "513 levels are refused")
assert(util.TableToKeyValues(fine), "500 levels are fine for KeyValues")

-- JSON.
none("TableToJSON of a non-table", util.TableToJSON("x"))
local j = util.TableToJSON({ "a", "b" })
eq(j, '{"1":"a","2":"b"}', "array keys become names")
t = util.JSONToTable(j)
eq(t[1] .. t[2], "ab", "names that are numbers become number keys")
t = util.JSONToTable('["a","b"]')
eq(#t, 2, "JSON array to Lua array")
t = util.JSONToTable('{"v":"[1 2 3]","a":"{4 5 6}","s":"[1 2]","b":true,"n":1.5,"10":"ten","o":{"x":null}}')
eq(type(t.v), "Vector", "bracketed text becomes a Vector")
eq(t.v.x + t.v.y + t.v.z, 6, "vector components")
eq(t.a.p, 4, "braced text becomes an Angle")
eq(t.s, "[1 2]", "two numbers stay text")
eq(t.b, true, "bool")
eq(t.n, 1.5, "number")
eq(t[10], "ten", "number-named child is a number key")
eq(t["10"], nil, "not a string key")
local me = { x = 1 }
me.self = me
j = util.TableToJSON(me)
assert(j:find('"self":%[%]') and j:find('"x":1'), "self reference terminates: " .. j)
local mixed = util.TableToJSON({ v = Vector(1, 2, 3), a = Angle(4, 5, 6), f = print, b = false })
t = util.JSONToTable(mixed)
eq(t.v.z, 3, "vector round trip")
eq(t.a.r, 6, "angle round trip")
eq(t.b, false, "false kept")
eq(t.f, nil, "functions skipped")
assert(util.TableToJSON({ a = 1 }, true):find("\n"), "pretty JSON")
assert(util.TableToJSON({ [true] = 1, [{}] = 2, [print] = 3, a = 0/0, b = math.huge }), "odd keys and numbers")
for _, bad in ipairs({ "", "{", "[", "{\"a\":}", "nul", "1", "\"s\"", "{\"a\":1}}", string.rep("[", 100000),
	string.rep("[", 513) .. string.rep("]", 513), "{\"a\":\"\0\"}", "[1,]", "\255\254" }) do
	none("malformed JSON " .. bad:sub(1, 10), util.JSONToTable(bad))
end
t = util.JSONToTable(string.rep("[", 512) .. string.rep("]", 512))
eq(type(t), "table", "deepest accepted JSON")
assert(not pcall(util.JSONToTable, nil), "JSON text must be a string")
t = util.JSONToTable('{"nan":1,"inf":2}')
eq(t["nan"], 1, "a NaN name stays a string key")

-- Compression.
none("compress empty", util.Compress(""))
none("compress nothing", util.Compress())
none("decompress empty", util.Decompress(""))
local src = string.rep("hello world ", 1000) .. "\0\1\2"
local packed = util.Compress(src)
assert(#packed < #src, "compressed smaller")
eq(packed:byte(1), 93, "LZMA properties byte of level 5 (lc 3, lp 0, pb 2)")
eq(util.Decompress(packed), src, "round trip")
eq(util.Decompress(util.Compress("x")), "x", "one byte")
-- Corrupt and hostile streams: no result, never a crash.
none("truncated stream", util.Decompress(packed:sub(1, #packed - 10)))
none("header only", util.Decompress(packed:sub(1, 13)))
none("short", util.Decompress("abc"))
none("claims 4 GB", util.Decompress("\93\0\0\1\0\255\255\255\255\0\0\0\0" .. string.rep("x", 100)))
none("claims 511 MB of garbage", util.Decompress("\93\0\0\1\0\255\255\255\31\0\0\0\0" .. string.rep("\0", 100)))
none("bad properties", util.Decompress("\255\0\0\1\0\5\0\0\0\0\0\0\0abcdef"))
local flipped = packed:sub(1, 20) .. string.char((packed:byte(21) + 1) % 256) .. packed:sub(22)
local r = util.Decompress(flipped)
assert(r == nil or type(r) == "string", "flipped byte")
math.randomseed(7)
for i = 1, 200 do
	local n = math.random(0, 64)
	local bytes = {}
	for k = 1, n do bytes[k] = string.char(math.random(0, 255)) end
	util.Decompress(table.concat(bytes))
	util.Decompress(packed:sub(1, 13) .. table.concat(bytes))
end

-- Base64.
none("base64 empty", util.Base64Encode(""))
eq(util.Base64Encode("a"), "YQ==", "one byte")
eq(util.Base64Encode("ab"), "YWI=", "two bytes")
eq(util.Base64Encode("abc"), "YWJj", "three bytes")
eq(util.Base64Encode("\0\255"), "AP8=", "binary")
local b = util.Base64Encode(string.rep("x", 54))
eq(#b, 72, "54 bytes make one line")
b = util.Base64Encode(string.rep("x", 55))
eq(#b, 77, "55 bytes: 72 characters, a line feed, 4 characters")
eq(b:sub(73, 73), "\n", "line feed after 72 characters")
eq(b:sub(74), "eA==", "last line")
b = util.Base64Encode(string.rep("y", 54 * 3))
eq(select(2, b:gsub("\n", "")), 2, "no line feed after the last line")

-- TimerCycle and AimVector.
util.TimerCycle()
luarun_advance(0.25)
near(util.TimerCycle(), 250, "milliseconds since the last call, on the game clock")
eq(util.TimerCycle(), 0, "no time passed")
local v = util.AimVector(Angle(0, 0, 0), 90, 320, 240, 640, 480)
near(v.x, 1, "centre aims forward")
near(v.y, 0, "centre y")
v = util.AimVector(Angle(0, 0, 0), 90, 640, 240, 640, 480)
near(v.x, math.sqrt(0.5), "right edge at 45 degrees")
near(v.y, -math.sqrt(0.5), "right is minus y")
v = util.AimVector(Angle(0, 0, 0), 90, 320, 0, 640, 480)
assert(v.z > 0, "top of the screen aims up")
assert(not pcall(util.AimVector, Vector(0, 0, 0), 90, 0, 0, 1, 1), "an angle is needed")
assert(not pcall(util.AimVector, Angle(0, 0, 0), "x", 0, 0, 1, 1), "numbers are checked")
print("util.lua ok")
