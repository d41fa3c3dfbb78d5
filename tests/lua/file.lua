-- The file library and File objects over the run's temporary game folder ("DATA" is its data
-- folder, "GAME" and "MOD" the folder itself): access rules, listing order, binary reads/writes.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function none(what, ...) if select("#", ...) ~= 0 then error(what .. ": expected no value, got " .. tostring((...)), 2) end end

local function write(path, text)
	local f = file.Open(path, "wb", "DATA")
	assert(f, "open for writing: " .. path)
	f:Write(text)
	f:Close()
end
local function read(path, id)
	local f = file.Open(path, "rb", id or "DATA")
	if not f then return nil end
	local s = f:Read(f:Size()) or ""
	f:Close()
	return s
end

-- Writes: only "DATA", only txt/dat (case-sensitive), no path that leaves the folder.
write("a.txt", "hello")
eq(read("a.txt"), "hello", "written and read back")
for _, bad in ipairs({ "a.TXT", "a.lua", "../b.txt", "/b.txt", "./b.txt", "x/./b.txt", "a:b.txt", "x/../../b.txt", "b.txt.lua", "b%.txt" }) do
	none("write " .. bad, file.Open(bad, "wb", "DATA"))
end
none("write under data (other case)", file.Open("c.txt", "wb", "data"))
none("write under MOD", file.Open("c.txt", "wb", "MOD"))
none("write under GAME", file.Open("c.txt", "wb", "GAME"))
none("unknown mode", file.Open("a.txt", "r+", "DATA"))
none("unknown mode w+", file.Open("a.txt", "w+", "DATA"))
-- A backslash is a slash: a\b.txt is the allowed a/b.txt (once the folder exists).
none("no folder yet", file.Open("sub\\b.txt", "wb", "DATA"))
file.CreateDir("sub\\deep/er")
eq(file.IsDir("sub/deep/er", "DATA"), true, "CreateDir makes the hierarchy")
write("sub\\b.txt", "bee")
eq(read("sub/b.txt"), "bee", "backslash path")
eq(read("data/sub/b.txt", "GAME"), "bee", "the same file through GAME")
-- Reads are refused outside the folders too.
none("read climbing out", file.Open("../x.txt", "rb", "GAME"))
none("exists climbing out", file.Exists("data/../../x", "GAME"))
none("exists absolute", file.Exists("/etc/passwd", "GAME"))
none("size climbing out", file.Size("..", "GAME"))
none("time climbing out", file.Time("a/../..", "GAME"))
none("find climbing out", file.Find("../*", "GAME"))
file.CreateDir("../escape")
file.CreateDir("/tmp/zv_escape_test")
eq(file.Exists("escape", "GAME"), false, "CreateDir never leaves DATA")
-- Missing files open to nothing; Exists, IsDir, Size.
none("missing", file.Open("missing.txt", "rb", "DATA"))
eq(file.Exists("a.txt", "DATA"), true, "exists")
eq(file.Exists("missing.txt", "DATA"), false, "missing")
eq(file.IsDir("sub", "DATA"), true, "is dir")
eq(file.IsDir("a.txt", "DATA"), false, "file is no dir")
eq(file.Size("a.txt", "DATA"), 5, "size")
assert(file.Time("a.txt", "DATA") > 0, "time")

-- Delete removes DATA's txt/dat files and nothing else.
write("gone.txt", "x")
file.Delete("gone.txt")
eq(file.Exists("gone.txt", "DATA"), false, "deleted")
file.Delete("data/a.txt", "GAME")
eq(file.Exists("a.txt", "DATA"), true, "Delete outside DATA is refused")
file.Delete("../data/a.txt", "DATA")
eq(file.Exists("a.txt", "DATA"), true, "Delete that climbs out is refused")

-- Find: default order is ascending bytes (B before a); any other mode text descends.
file.CreateDir("list")
write("list/b.txt", "1")
write("list/B.txt", "1")
write("list/a.txt", "1")
write("list/.hidden.txt", "1")
file.CreateDir("list/folder")
local files, folders = file.Find("list/*", "DATA")
eq(table.concat(files, ","), "B.txt,a.txt,b.txt", "ascending names, hidden skipped")
eq(table.concat(folders, ","), "folder", "folders apart")
files = file.Find("list/*", "DATA", "namedesc")
eq(table.concat(files, ","), "B.txt,a.txt,b.txt", "namedesc ascends")
files = file.Find("list/*", "DATA", "anything")
eq(table.concat(files, ","), "b.txt,a.txt,B.txt", "other text descends")
files = file.Find("list/*", "DATA", 5)
eq(table.concat(files, ","), "B.txt,a.txt,b.txt", "non-string sort mode falls back")
files = file.Find("list\\a*", "DATA")
eq(table.concat(files, ","), "a.txt", "wildcard with backslash")
files, folders = file.Find("nothing/*", "DATA")
eq(#files + #folders, 0, "empty folder lists")
-- Date order reads file times of folder + name.
local fd, fa = file.Find("list/*.txt", "DATA", "datedesc")
eq(#fd, 3, "datedesc lists every file")
-- The Lua cache under "LUA" lists scripts; the sort mode is ignored.
files, folders = file.Find("*", "LUA", "anything")
local seen = false
for i, n in ipairs(files) do
	assert(n:sub(-4) == ".lua", "Lua cache files end in .lua")
	if n == "included.lua" then seen = true end
	if i > 1 then assert(files[i - 1] < n, "Lua cache lists ascend") end
end
assert(seen, "included.lua listed")
eq(file.Exists("included.lua", "LUA"), true, "Lua cache exists")
eq(file.Exists("nope.lua", "LUA"), false, "Lua cache missing")

-- Binary values, little-endian.
local f = file.Open("bin.dat", "wb", "DATA")
f:WriteShort(70000)
f:WriteByte(255)
f:WriteByte(-1)
f:WriteBool(true)
f:WriteBool(false)
f:WriteLong(-2)
f:WriteFloat(1.5)
f:WriteDouble(-0.25)
f:Write("a\0b")
f:WriteLong(1e300)
f:WriteShort(0/0)
f:Flush()
eq(f:Tell(), 31, "tell after writes")
f:Close()
none("closed object ignores methods", f:Tell())
none("closed object ignores reads", f:ReadByte())
f:Close()
local raw = read("bin.dat")
eq(raw:byte(1), 0x70, "low byte of 70000")
eq(raw:byte(2), 0x11, "high byte of 70000")
eq(raw:sub(15, 22), "\0\0\0\0\0\0\208\191", "double -0.25")
eq(raw:sub(23, 25), "a\0b", "embedded zero kept")
eq(raw:sub(26, 31), "\255\255\255\255\0\0", "out-of-range numbers saturate, NaN is 0")
f = file.Open("bin.dat", "rb", "DATA")
eq(f:Size(), 31, "size")
eq(f:ReadShort(), 0x1170, "short")
eq(f:ReadByte(), 255, "byte")
eq(f:ReadByte(), 255, "negative byte wraps")
eq(f:ReadBool(), true, "bool")
eq(f:ReadBool(), false, "bool false")
eq(f:ReadLong(), -2, "long")
eq(f:ReadFloat(), 1.5, "float")
eq(f:ReadDouble(), -0.25, "double")
eq(f:Read(3), "a\0b", "read bytes")
f:Skip(4)
f:Seek(0)
eq(f:Tell(), 0, "seek to start")
f:Seek(30)
none("read 0", f:Read(0))
eq(f:Read(100), "\0", "read past the end gives what is left")
none("then nothing", f:Read(100))
none("ReadLong at end", f:ReadLong())
none("huge read at end", f:Read(-1))
f:Seek(0)
eq(#f:Read(-1), 31, "a negative length reads what there is")
f:Close()
write("ff.dat", "\255\255\002\001")
f = file.Open("ff.dat", "rb", "DATA")
eq(f:ReadShort(), -1, "FF FF is -1")
eq(f:ReadBool(), false, "02 is false")
eq(f:ReadShort(), 1, "a short cut at the end reads the missing byte as zero")
f:Close()
f = file.Open("ff.dat", "rb", "DATA")
f:Seek(3)
eq(f:ReadLong(), 1, "a truncated value reads the missing bytes as zero")
f:Close()

-- Appending, and reading through the other path ids.
f = file.Open("a.txt", "ab", "DATA")
f:Write(" world")
f:Close()
eq(read("data/a.txt", "MOD"), "hello world", "appended")

-- Argument errors and wrong objects.
assert(not pcall(file.Exists, nil, "DATA"), "path must be a string")
assert(not pcall(file.Open, "a.txt", nil, "DATA"), "mode must be a string")
f = file.Open("a.txt", "rb", "DATA")
assert(not pcall(f.Read, f, "x"), "Read needs a number")
assert(not pcall(f.Read, Vector(1, 2, 3), 1), "a Vector is not a File")
local ok, err = pcall(f.ReadByte, {})
assert(not ok, "a table is not a File")
-- A File collected while open closes itself; a __gc called by hand leaves an invalid object.
local mt = getmetatable(f)
mt.__gc(f)
ok, err = pcall(f.Tell, f)
assert(not ok and err:find("Tried to use invalid object %(type File%)"), "released object: " .. tostring(err))
mt.__gc(f)
for i = 1, 50 do file.Open("a.txt", "rb", "DATA") end
collectgarbage()
collectgarbage()
print("file.lua ok")
