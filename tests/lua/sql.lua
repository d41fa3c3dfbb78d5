-- The sql library over the run's database ("mn.db" in the temporary game folder).
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local function none(what, ...) if select("#", ...) ~= 0 then error(what .. ": expected no value, got " .. tostring((...)), 2) end end

local r = sql.Query("SELECT 1 AS a")
eq(type(r), "table", "rows come back as a table")
eq(r[1].a, "1", "numbers come back as text")
r = sql.Query("SELECT NULL AS n, 'NULL' AS s, 2.5 AS f, x'00' AS b")
eq(r[1].n, "NULL", "SQL NULL")
eq(r[1].s, "NULL", "stored text NULL")
eq(r[1].f, "2.5", "real as text")
r = sql.Query("SELECT 1 AS x, 2 AS x")
eq(r[1].x, "2", "a repeated column name keeps the later value")

none("CREATE TABLE returns nothing", sql.Query("CREATE TABLE t (k INTEGER PRIMARY KEY, v TEXT)"))
none("INSERT returns nothing", sql.Query("INSERT INTO t (v) VALUES ('a'); INSERT INTO t (v) VALUES ('b')"))
none("no rows returns nothing", sql.Query("SELECT * FROM t WHERE v = 'zzz'"))
r = sql.Query("SELECT v FROM t ORDER BY k; SELECT 'c' AS v")
eq(#r, 3, "rows of two statements")
eq(r[1].v .. r[2].v .. r[3].v, "abc", "numbered on without a break")

eq(sql.Query("SELEC nonsense"), false, "syntax error")
assert(sql.m_strError:find("syntax error"), "SQLite's message kept: " .. tostring(sql.m_strError))
none("still works", sql.Query("SELECT 1 WHERE 0"))
assert(sql.m_strError:find("syntax error"), "a success does not clear the error")
eq(sql.Query(""), false, "empty query")
eq(sql.m_strError, "No Query", "empty query message")
eq(sql.Query("SELECT * FROM missing_table"), false, "missing table")
assert(sql.m_strError:find("no such table"), "missing table message")

-- Hostile texts: an error, never a crash.
eq(sql.Query("SELECT 'x\0' AS a"), false, "the text ends at a zero byte")
eq(sql.Query(string.rep("(", 100000)), false, "deep parentheses")
local big = sql.Query("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 20000) SELECT i FROM c")
eq(#big, 20000, "many rows")
eq(big[20000].i, "20000", "last row")
assert(not pcall(sql.Query, nil), "a non-string query is an argument error")
assert(not pcall(sql.Query, {}), "a table query is an argument error")

-- SQL reaches no file but the database: attaching files is refused, temporary ones are fine.
eq(sql.Query("ATTACH DATABASE 'other.db' AS o"), false, "attach a file")
assert(sql.m_strError:find("not authorized"), "attach message: " .. sql.m_strError)
eq(sql.Query("ATTACH DATABASE 'file:x.db?mode=rwc' AS o"), false, "attach a URI")
eq(sql.Query("ATTACH DATABASE 'a' || 'b.db' AS o"), false, "attach a computed name")
eq(sql.Query("VACUUM INTO 'copy.db'"), false, "vacuum into a file")
eq(sql.Query("PRAGMA temp_store_directory = '/tmp'"), false, "moving temporary files")
none("attach a temporary database", sql.Query("ATTACH DATABASE '' AS scratch"))
none("use it", sql.Query("CREATE TABLE scratch.s (v); DETACH DATABASE scratch"))
none("attach memory", sql.Query("ATTACH DATABASE ':memory:' AS m; DETACH DATABASE m"))
none("vacuum", sql.Query("VACUUM"))
eq(sql.Query("PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = 'junk'"), false, "the schema cannot be corrupted")
eq(sql.Query("SELECT v FROM t ORDER BY k")[2].v, "b", "data intact")
eq(file.Exists("other.db", "MOD") or file.Exists("copy.db", "MOD") or file.Exists("x.db", "MOD"), false, "no files made")

-- The error goes to whatever the global sql is; a replaced global takes no harm.
local lib = sql
sql = 5
eq(lib.Query("bad bad"), false, "error with sql replaced")
sql = lib
print("sql.lua ok")
