-- The achievements library: counts and progress from the engine, texts from Steam.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

eq(achievements.Count(), 0, "no achievements yet")
eq(select("#", achievements.GetName(0)), 0, "index 0 of none")

standin_achievements({
	{ name = "FIRST_WIN", goal = 1, count = 1, achieved = true },
	{ name = "COLLECTOR", goal = 50, count = 17, achieved = false },
	{ name = "", goal = 3, count = 0 },
	{ name = "NO_TEXT", goal = 2, count = 2, achieved = true },
})
standin_steam_achievement("FIRST_WIN", "First Win", "Win a round")
standin_steam_achievement("COLLECTOR", "Collector", "Collect fifty things")

eq(achievements.Count(), 4, "count")
eq(achievements.GetName(0), "First Win", "display name") eq(achievements.GetDesc(0), "Win a round", "description")
eq(achievements.GetGoal(1), 50, "goal") eq(achievements.GetCount(1), 17, "count so far")
eq(achievements.IsAchieved(0), true, "achieved") eq(achievements.IsAchieved(1), false, "not achieved")
eq(achievements.GetName(1.9), "Collector", "index truncated toward zero")
eq(achievements.GetName(-0.5), "First Win", "-0.5 truncates to 0")

-- Out of range, including negative indices: no result.
for _, i in ipairs({ -1, 4, 5, 2^40, -2^40, 0/0 }) do
	for _, f in ipairs({ "GetName", "GetDesc", "GetGoal", "GetCount", "IsAchieved" }) do
		eq(select("#", achievements[f](i)), 0, f .. "(" .. tostring(i) .. ")")
	end
end
eq(select("#", achievements.GetName(2)), 0, "empty API name gives no text")
eq(achievements.GetGoal(2), 3, "but its numbers are there")
eq(achievements.GetName(3), "", "Steam knows no text for it")
assert(not pcall(achievements.GetName), "the index is required")
assert(not pcall(achievements.GetGoal, "one"), "the index is a number")

-- Without an achievement manager every function gives nothing.
standin_achievements({}, false)
eq(select("#", achievements.Count()), 0, "no manager: no count")
eq(select("#", achievements.GetGoal(0)), 0, "no manager: no goal")
