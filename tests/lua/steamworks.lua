-- The steamworks library over the Steam stand-in's workshop: names, overlay pages, subscribing,
-- voting, listings, details, votes, downloads into the cache, file actions and mount choices.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local me = "76561198000000001"
local friend = "76561198000000077"
standin_steam_setting("persona_" .. friend .. " = Friendly")
standin_steam_restart()

-- Runs frames until done() holds.
local function run(done)
	for _ = 1, 6 do
		if done() then return end
		luarun_advance(0.01)
	end
	assert(done(), "no answer came")
end
local function read(path)
	local f = file.Open(path, "rb", "MOD")
	if not f then return nil end
	local s = f:Read(f:Size()) or ""
	f:Close()
	return s
end

-- Names.
eq(steamworks.GetPlayerName(me), "Zorvan Player", "own name")
eq(steamworks.GetPlayerName(friend), "Friendly", "a friend's name")
eq(steamworks.GetPlayerName("123"), "", "an unknown user")
eq(steamworks.GetPlayerName("not a number"), "", "text reads as id 0")
eq(select("#", steamworks.RequestPlayerInfo("123")), 0, "RequestPlayerInfo returns nothing")
assert(not pcall(steamworks.GetPlayerName), "the id is required")

-- Overlay pages.
steamworks.ViewFile("12 34")
steamworks.OpenWorkshop()
local pages = standin_steam_overlay()
eq(pages[1], "https://steamcommunity.com/sharedfiles/filedetails/?id=12 34&requirelogin=true", "item page, text unchanged")
eq(pages[2], "https://steamcommunity.com/workshop/browse?appid=4120&requirelogin=true&p=1&browsesort=trend&days=30&numperpage=30", "browse page")

-- Items: a stored LZMA stream is not needed for plain downloads.
local old = 1000000000  -- long ago: outside any days window
local a = standin_workshop_add({ title = "Alpha", description = "First", tags = "map,fun", file = "alpha bytes", preview = "JPEGDATA", created = old, updated = old })
local b = standin_workshop_add({ title = "Beta", description = "Second", tags = "Fun", owner = friend, file = "beta" })
local c = standin_workshop_add({ title = "Gamma", tags = "map", owner = "123", file = "gamma" })
local hidden = standin_workshop_add({ title = "Hidden", owner = "123", visibility = 1, file = "h" })

-- Subscribing, voting and file actions reach Steam; the call handles are dropped.
eq(select("#", steamworks.Subscribe(a)), 0, "Subscribe returns nothing")
steamworks.Subscribe(b)
steamworks.Unsubscribe(b)
steamworks.Vote(a, true)
steamworks.Vote(c, false)
eq(select("#", steamworks.SetFilePlayed(a)), 0, "SetFilePlayed returns nothing")
eq(select("#", steamworks.SetFileCompleted(a)), 0, "SetFileCompleted returns nothing")
luarun_advance(0.01)
local subs = standin_workshop_query("SELECT item_id FROM subscriptions ORDER BY item_id")
eq(#subs, 1, "one subscription left") eq(subs[1][1], a, "subscribed to alpha")
local votes = standin_workshop_query("SELECT item_id, up FROM votes ORDER BY item_id")
eq(votes[1][2], "1", "up vote") eq(votes[2][2], "0", "down vote")
local actions = standin_workshop_query("SELECT action FROM actions ORDER BY rowid")
eq(#actions, 2, "two actions") eq(actions[1][1], "0", "played") eq(actions[2][1], "1", "completed")

-- Vote details: the table whatever the result.
local vi
steamworks.VoteInfo(a, function(t) vi = t end)
run(function() return vi end)
eq(vi.up, 1, "up") eq(vi.down, 0, "down") eq(vi.total, 1, "total") eq(vi.score, 1, "score")
local missing
steamworks.VoteInfo("1", function(t) missing = t end)
run(function() return missing end)
eq(missing.total, 0, "an unknown item still reports a table")

-- Listings.
local function list(kind, tags, start, count, days, user)
	local got
	steamworks.GetList(kind, tags, start, count, days, user, function(t) got = t or false end)
	run(function() return got ~= nil end)
	return got
end
local all = list("popular", {}, 0, 50, 0, "0")
eq(all.totalresults, 3, "hidden items of others are not listed")
eq(all.numresults, 3, "numresults") eq(all.results[1], a, "best voted first")
local mapped = list("whatever", { "MAP", 5, "fun" }, 0, 50, 0, "0")
eq(mapped.numresults, 2, "tags after a non-string member are dropped (only MAP counts)")
eq(list("latest", {}, 0, 50, 30, "0").numresults, 2, "latest keeps the days argument")
eq(list("trending", {}, 0, 50, 3000, "0").numresults, 2, "trending uses 7 days whatever is asked")
local friends = list("friends", {}, 0, 50, 0, "0")
eq(friends.numresults, 1, "content by friends") eq(friends.results[1], b, "the friend's item")
eq(list("popular", {}, 0, 2, 0, "0").numresults, 2, "numresults limited to the count")
local none = list("popular", {}, 0, 0, 0, "0")
eq(none.numresults, 0, "count 0") eq(next(none.results), nil, "empty results")
eq(none.totalresults, 3, "total stays")
local own = list("popular", "not a table", 0, 50, 0, "1")
eq(own.numresults, 1, "user 1 is the local user") eq(own.results[1], a, "own item")
local theirs = list("popular", nil, 0, 50, 0, "123")
eq(theirs.numresults, 1, "another user's public items") eq(theirs.results[1], c, "gamma")

-- Details.
local info
steamworks.FileInfo(a, function(t) info = t end)
eq(info, nil, "details come later")
run(function() return info end)
eq(info.id, a, "id") eq(info.title, "Alpha", "title") eq(info.description, "First", "description")
eq(info.owner, me, "owner") eq(info.ownername, "Zorvan Player", "owner name")
eq(info.tags, "map,fun", "tags as Steam has them") eq(info.size, 11, "size") eq(info.previewsize, 8, "preview size")
eq(info.created, old - old % 1, "created") eq(info.banned, false, "banned")
eq(info.installed, false, "not installed") eq(info.disabled, false, "not disabled")
local fileid, previewid = info.fileid, info.previewid
assert(fileid ~= previewid and fileid ~= "0" and previewid ~= "0", "content handles")

standin_addons({ { title = "Alpha", file = "addons/a.zva", wsid = a } })
steamworks.SetShouldMountAddon(a, false)
local info2
steamworks.FileInfo(c, function(t) info2 = t end)
local info3
steamworks.FileInfo(a, function(t) info3 = t end)
run(function() return info2 and info3 end)
eq(info2.ownername, "Unnammed Player", "an unknown owner")
eq(info2.previewid, "0", "no preview")
eq(info3.installed, true, "installed") eq(info3.disabled, true, "mount choice off: disabled")

local failed = "no"
steamworks.FileInfo("1", function(...) failed = select("#", ...) end)
run(function() return failed ~= "no" end)
eq(failed, 0, "an unknown item: callback without arguments")
assert(luarun_output():find("SteamRemoteStorage()->GetPublishedFileDetails failed (9)", 1, true), "warning printed")

eq(select("#", steamworks.FileInfo(a, "not a function")), 0, "a non-function callback does nothing")
eq(select("#", steamworks.FileInfo(a)), 0, "nor does a missing one")

-- Add-on mount choices.
eq(steamworks.IsSubscribed(a), true, "subscribed add-on") eq(steamworks.IsSubscribed(b), false, "not subscribed")
eq(steamworks.ShouldMountAddon(a), false, "choice off") eq(steamworks.ShouldMountAddon("other"), true, "unknown names mount")
standin_content_log()
steamworks.SetShouldMountAddon("x", true)
steamworks.ApplyAddons()
local log = standin_content_log()
eq(log[1], "should_mount x 1", "setter") eq(log[2], "apply", "apply") eq(log[3], "refresh", "then the refresh")

-- Downloads: into the cache, the callback gets the path; a second one is answered at once.
local path
steamworks.Download(fileid, false, function(p) path = p end)
eq(path, nil, "the download comes later")
run(function() return path end)
eq(path, "cache/workshop/" .. fileid .. ".cache", "cache path")
eq(read(path), "alpha bytes", "downloaded bytes")
local again
steamworks.Download(fileid, true, function(p) again = p end)
eq(again, path, "a cached handle is answered before Download returns")

-- Uncompress of data that is not an LZMA stream keeps the data and still succeeds.
local ppath
steamworks.Download(previewid, true, function(p) ppath = p end)
run(function() return ppath end)
eq(read(ppath), "JPEGDATA", "stored as downloaded")

local nothing = "no"
steamworks.Download("2", false, function(...) nothing = select("#", ...) end)
run(function() return nothing ~= "no" end)
eq(nothing, 0, "an unknown handle fails without arguments")
eq(select("#", steamworks.Download(fileid, false)), 0, "no callback: nothing")

-- Steam sends a page of up to 50 ids; the count asked limits what reaches the callback.
for i = 1, 52 do standin_workshop_add({ title = "Item " .. i, file = "x" }) end
local ten = list("popular", {}, 0, 10, 0, "0")
eq(ten.numresults, 10, "count 10 of a page of 50") eq(#ten.results, 10, "ids 1..10")
eq(ten.totalresults, 55, "total")
local page = list("popular", {}, 0, 100, 0, "0")
eq(page.numresults, 50, "one page") eq(#page.results, 50, "50 ids")
-- A page claiming more ids than it can hold gives only the ids it holds.
standin_steam_setting("enumerate_returned = 80")
standin_steam_restart()
local claimed = list("popular", {}, 0, 100, 0, "0")
eq(claimed.numresults, 50, "no more than the page holds") eq(#claimed.results, 50, "50 ids")
local negative = list("popular", {}, 0, -1, 0, "0")
eq(negative.numresults, -1, "a negative count is compared signed") eq(next(negative.results), nil, "no ids")
standin_steam_setting("fail_enumerate_workshop = 2")
standin_steam_restart()
eq(list("popular", {}, 0, 10, 0, "0"), false, "a failed listing calls back without arguments")
assert(luarun_output():find("EnumeratePublishedWorkshopFiles Failed (2)", 1, true), "listing warning")

-- Answers that arrive after a menu reload are dropped; so are those Steam refuses.
standin_steam_setting("fail_details = call")
standin_steam_restart()
local refused = false
steamworks.FileInfo(a, function() refused = true end)
for _ = 1, 3 do luarun_advance(0.01) end
eq(refused, false, "a refused call never answers")
