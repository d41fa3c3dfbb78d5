-- The system library: platform constants, focus, and Steam's machine facts.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local count = 0
for _, f in ipairs({ system.IsWindows, system.IsOSX, system.IsLinux }) do if f() then count = count + 1 end end
eq(count, 1, "exactly one platform") eq(system.IsLinux(), true, "this build is for Linux")
eq(system.HasFocus(), true, "always focused")

local battery = system.BatteryPower()
assert(battery == 255 or (battery >= 0 and battery <= 100), "battery percent or mains: " .. battery)
assert(system.AppTime() >= 0 and system.AppTime() < 3600, "seconds since the program started")
assert(system.UpTime() >= system.AppTime(), "the computer was up before the program")
eq(type(system.SteamTime()), "number", "Steam time") assert(system.SteamTime() > 1600000000, "Unix seconds of today")
eq(system.GetCountry(), "US", "default country")
standin_steam_setting("ip_country = DE")
eq(system.GetCountry(), "DE", "country from the settings")
