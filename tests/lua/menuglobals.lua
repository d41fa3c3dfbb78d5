-- The menu globals and the game library as menu scripts see them.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

for _, name in ipairs({ "RunGameUICommand", "CancelLoading", "GetLoadStatus", "TranslateDownloadableName",
		"GetDownloadables", "NumDownloadables", "FrameTime", "GetDefaultLoadingHTML", "IsInGame",
		"ConsoleAutoComplete", "JoinServer", "RunOnClient", "OpenFolder", "GetSaveFileDetails",
		"GetDemoFileDetails" }) do
	eq(type(_G[name]), "function", name)
end
eq(type(game), "table", "game library")
eq(type(game.GetMap), "function", "game.GetMap")

eq(game.GetMap(), "menu", "no map loaded")
eq(GetDefaultLoadingHTML(), "asset://zorvan/html/loading.html", "loading page")
eq(type(FrameTime()), "number", "frame time")
eq(IsInGame(), false, "not in game")
eq(NumDownloadables(), 0, "no downloadables table")
eq(select("#", GetDownloadables()), 0, "no downloadables")
eq(select("#", GetLoadStatus()), 0, "no loading dialog")

-- A string argument is required where one is read.
for _, f in ipairs({ GetSaveFileDetails, GetDemoFileDetails, JoinServer, RunOnClient, OpenFolder,
		ConsoleAutoComplete, TranslateDownloadableName, RunGameUICommand }) do
	local ok = pcall(f, {})
	eq(ok, false, "table argument refused")
end

luarun_clear_output()
eq(select("#", GetSaveFileDetails("no/such.sav")), 0, "missing save")
assert(luarun_output():find("GetSaveFileDetails: Couldn't open file", 1, true), luarun_output())
eq(select("#", GetDemoFileDetails("no/such.dem")), 0, "missing demo")
