-- The serverlist library over the Steam stand-in's servers.txt: list queries with their 13
-- values per server, the tag and description rules, and player lists.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local function server(fields) return "server\t" .. table.concat(fields, "\t") end
local long = string.rep("d", 33)
standin_steam_servers(table.concat({
	"# lists, address, query port, gamedir, ping, name, map, description, players, max, bots, password, last played, tags, answers",
	server({ "internet,favorite", "10.0.0.1:27015", "27016", "zorvan", "35", "Alpha", "zv_flat", "Ultimate Build Server", "3", "16", "1", "1", "1700000000", "zv:SandBox,zvws:123" }),
	server({ "internet", "10.0.0.2:27015", "", "zorvan", "40", "", "zv_town", "Build_Server", "0", "8", "0", "0", "0", "zv:DeathRun;zvws:AbC9 other" }),
	server({ "internet", "10.0.0.3:27015", "", "zorvan", "41", "Short", "m", "PvP", "0", "8", "0", "0", "0", "zv:pvp" }),
	server({ "internet", "10.0.0.4:27015", "", "zorvan", "42", "Long", "m", long, "0", "8", "0", "0", "0", "zv:long" }),
	server({ "internet", "10.0.0.5:27015", "", "zorvan", "43", "Two", "m", "ab", "0", "8", "0", "0", "0", "zv:two" }),
	server({ "internet", "10.0.0.6:27015", "", "zorvan", "44", "Utf", "m", "caf\xC3\xA9 \xC2\xAC", "0", "8", "0", "0", "0", "zv:utf" }),
	server({ "internet", "10.0.0.7:27015", "", "zorvan", "45", "Comma", "m", "Fine", "0", "8", "0", "0", "0", "zv:,zvws:5" }),
	server({ "internet", "10.0.0.8:27015", "", "zorvan", "46", "NoTag", "m", "Fine", "0", "8", "0", "0", "0", "sandbox" }),
	server({ "internet", "10.0.0.9:27015", "", "zorvan", "47", "Silent", "m", "Fine", "0", "8", "0", "0", "0", "zv:x", "0" }),
	server({ "internet", "10.0.0.10:27015", "", "otherdir", "48", "Other", "m", "Fine", "0", "8", "0", "0", "0", "zv:x" }),
	server({ "lan", "192.168.1.2:27015", "", "otherdir", "5", "Lan", "m", "Fine", "0", "8", "0", "0", "0", "zv:lan" }),
	"player\t10.0.0.1:27016\tAnn\t12\t65.5",
	"player\t10.0.0.1:27016\tBob\t-3\t7",
	"player\t10.0.0.1:27016\tCarl\t16777217\t1",
}, "\n"))

-- Runs Steam's dispatch until the query has finished (or gives up).
local function run(done)
	for _ = 1, 5 do
		if done() then return end
		luarun_advance(0.01)
	end
	assert(done(), "the request did not finish")
end

local rows, finished = {}, 0
serverlist.Query({ Callback = function(...) rows[#rows + 1] = { n = select("#", ...), ... } end,
                   Finished = function(...) finished = finished + 1; eq(select("#", ...), 0, "Finished takes no arguments") end })
eq(#rows, 0, "answers come later, during Steam's dispatch")
run(function() return finished > 0 end)
eq(finished, 1, "Finished once")

local byName = {}
for _, r in ipairs(rows) do
	eq(r.n, 13, "13 values per server")
	byName[r[2]] = r
end
eq(#rows, 6, "servers without a game mode, that did not answer, or of another folder are skipped")

local a = byName["Alpha"]
eq(a[1], 35, "ping") eq(a[3], "Ultimate Build Server", "description of 21 bytes is kept")
eq(a[4], "zv_flat", "map") eq(a[5], 3, "players") eq(a[6], 16, "max players") eq(a[7], 1, "bots")
eq(a[8], true, "password") eq(a[9], 1700000000, "last played")
eq(a[10], "10.0.0.1:27016", "address with the query port")
eq(a[11], "sandbox", "game mode lower-cased") eq(a[12], "123", "workshop id")
eq(a[13], "zv:SandBox,zvws:123", "whole tag text")

local b = byName["10.0.0.2:27015"]
assert(b, "an empty name gives the connection address")
eq(b[3], "deathrun", "Build_Server (underscore) is replaced by the game mode")
eq(b[11], "deathrun", "game mode ends at ;") eq(b[12], "AbC9", "workshop id keeps its case and ends at a space")
eq(b[10], "10.0.0.2:27015", "query port defaults to the connection port")
eq(b[8], false, "no password")

eq(byName["Short"][3], "PvP", "3 bytes are enough") eq(byName["Short"][12], "", "no workshop id")
eq(byName["Long"][3], "long", "33 bytes are too many")
eq(byName["Two"][3], "two", "2 bytes are too few")
eq(byName["Utf"][3], "utf", "a 0xC2 or 0xAC byte refuses the description")
eq(byName["Comma"], nil, "the game-mode prefix followed by a comma is skipped")

-- LAN takes no filter; favourites are filtered; history of nothing finishes with no rows.
local function list(options)
	local got, done = {}, false
	options.Callback = function(...) got[#got + 1] = { ... } end
	options.Finished = function() done = true end
	serverlist.Query(options)
	run(function() return done end)
	return got
end
local lan = list({ Type = "lan" })
eq(#lan, 1, "the LAN list ignores the game folder") eq(lan[1][11], "lan", "lan game mode")
eq(#list({ Type = "favorite" }), 1, "favourites")
eq(#list({ Type = "history" }), 0, "empty history")
eq(#list({ GameDir = "otherdir" }), 1, "GameDir filter")
eq(#list({ AppID = 480 }), 0, "another application has no servers here")

-- A Type that names no list, and a non-table argument, request nothing.
local called = false
serverlist.Query({ Type = "friends", Callback = function() called = true end, Finished = function() called = true end })
serverlist.Query("internet")
serverlist.Query()
for _ = 1, 3 do luarun_advance(0.01) end
eq(called, false, "friends makes no request")

-- Without Callback servers are skipped; without Finished nothing is called at the end.
local done = false
serverlist.Query({ Finished = function() done = true end })
run(function() return done end)
serverlist.Query({})
for _ = 1, 3 do luarun_advance(0.01) end

-- Player lists: rows with name, score and time; a server that does not answer gives an empty table.
local players
serverlist.PlayerList("10.0.0.1:27016", function(t) players = t end)
eq(players, nil, "players come later")
run(function() return players ~= nil end)
eq(#players, 3, "three players")
eq(players[1].name, "Ann") eq(players[1].score, 12, "score") eq(players[1].time, 65.5, "time played")
eq(players[2].name, "Bob") eq(players[2].score, -3, "negative score")
eq(players[3].score, 16777217, "scores are exact integers")

local silent
serverlist.PlayerList("10.0.0.9:27015", function(t) silent = t end)
run(function() return silent ~= nil end)
eq(next(silent), nil, "no answer: empty table")

local unparsed
serverlist.PlayerList("not an address", function(t) unparsed = t end)
run(function() return unparsed ~= nil end)
eq(next(unparsed), nil, "an address that does not parse asks 0.0.0.0:0")
assert(not pcall(serverlist.PlayerList, {}, function() end), "the address must be a string")
