-- The engine library: add-ons, games, game modes, mounting, demo playback, tick interval.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

-- Empty lists give empty tables; no active game mode reads "".
eq(next(engine.GetAddons()), nil, "no add-ons") eq(next(engine.GetGames()), nil, "no games")
eq(next(engine.GetGamemodes()), nil, "no game modes") eq(engine.ActiveGamemode(), "", "no active game mode")

-- Add-ons: only downloaded ones, in order; the workshop id as exact decimal text.
standin_addons({
	{ title = "Skipped", file = "addons/skip.zva", models = 1, wsid = "5", downloaded = false },
	{ title = "Cars", file = "addons/cars.zva", models = 12, wsid = "18446744073709551615", downloaded = true, mounted = true },
	{ title = "Maps", file = "addons/maps.zva", models = 16777217, wsid = "3000000001", downloaded = true },
})
local addons = engine.GetAddons()
eq(#addons, 2, "downloaded add-ons only")
eq(addons[1].title, "Cars", "order") eq(addons[1].file, "addons/cars.zva", "file")
eq(addons[1].models, 12, "models") eq(addons[1].wsid, "18446744073709551615", "64-bit id as text")
eq(addons[1].downloaded, true, "downloaded") eq(addons[1].mounted, true, "mounted")
eq(addons[2].mounted, false, "not mounted") eq(addons[2].models, 16777216, "counts pass through single precision")
standin_addons({ { title = "Only", wsid = "1", downloaded = false } })
eq(next(engine.GetAddons()), nil, "present but none downloaded")

-- Games: mounted only when asked for, owned and installed.
standin_games({
	{ depot = 220, title = "Game A", folder = "gamea", mount = true, owned = true, installed = true },
	{ depot = 240, title = "Game B", folder = "gameb", mount = true, owned = false, installed = true },
	{ depot = 300, title = "Game C", folder = "gamec", mount = false, owned = true, installed = true },
})
local games = engine.GetGames()
eq(#games, 3, "all games")
eq(games[1].depot, 220, "depot") eq(games[1].mounted, true, "mounted") eq(games[1].folder, "gamea", "folder")
eq(games[1].title, "Game A", "title") eq(games[2].mounted, false, "flagged but not owned")
eq(games[2].owned, false, "owned") eq(games[2].installed, true, "installed") eq(games[3].mounted, false, "not asked for")

-- SetMounted: truncated depot, then save, then the content refresh; no result.
standin_content_log()
eq(select("#", engine.SetMounted(300.9, true)), 0, "no result")
local log = standin_content_log()
eq(log[1], "mount 300 1", "depot truncated") eq(log[2], "save", "saved") eq(log[3], "refresh", "refreshed")
eq(engine.GetGames()[3].mounted, true, "now mounted")
engine.SetMounted(12.9)
eq(standin_content_log()[1], "mount 12 0", "missing flag reads false")
assert(not pcall(engine.SetMounted, "x", true), "a non-number depot is an argument error")

-- Game modes.
standin_gamemodes({
	{ title = "Sandbox", name = "sandbox", maps = "^gm_", workshopid = "", menu = true },
	{ title = "Racing", name = "racing", maps = "^race_", workshopid = "12345" },
}, "racing")
local modes = engine.GetGamemodes()
eq(#modes, 2, "game modes") eq(modes[1].title, "Sandbox", "title") eq(modes[1].name, "sandbox", "name")
eq(modes[1].maps, "^gm_", "maps") eq(modes[1].foyerix, true, "menu flag") eq(modes[2].foyerix, false, "menu flag off")
eq(modes[2].workshopid, "12345", "workshop id text")
eq(engine.ActiveGamemode(), "racing", "active game mode")

-- Demo playback and the tick interval.
eq(engine.IsPlayingDemo(), false, "not playing")
standin_demo({ playing = true, recording = true, tick = 640, start = 64, scale = 0.5, total = -3 })
eq(engine.IsPlayingDemo(), true, "playing") eq(engine.IsRecordingDemo(), true, "recording")
eq(engine.GetDemoPlaybackTick(), 640, "tick") eq(engine.GetDemoPlaybackStartTick(), 64, "start tick")
eq(engine.GetDemoPlaybackTimeScale(), 0.5, "time scale") eq(engine.GetDemoPlaybackTotalTicks(), -3, "total ticks")
assert(math.abs(engine.TickInterval() - 1 / 66) < 1e-7, "tick interval")
