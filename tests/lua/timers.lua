-- Named and simple timers fire from the frame cycle, in the documented order.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local log = {}
local function rec(s) return function() log[#log + 1] = s end end
local function take() local t = table.concat(log, ","); log = {}; return t end

-- Order: all due simple timers, then named timers in byte order of their names.
timer.Create("b", 1, 1, rec("b"))
timer.Create("a", 1, 1, rec("a"))
timer.Simple(1, rec("s1"))
timer.Simple(0.5, rec("s0"))
luarun_advance(0.5)
eq(take(), "s0", "half a second")
luarun_advance(0.5)
eq(take(), "s1,a,b", "one second")
-- reps 1: fired once, erased one delay later; Exists stays true until then.
eq(timer.Exists("a"), true, "exists until erased")
luarun_advance(1)
eq(timer.Exists("a"), false, "erased after its last due time")
eq(take(), "", "reps 1 fires once")

-- reps 0 repeats without end; delay 0 fires every frame.
timer.Create("every", 0, 0, rec("e"))
for i = 1, 3 do luarun_advance(0.01) end
eq(take(), "e,e,e", "delay 0 fires every frame")
timer.Remove("every")
eq(timer.Exists("every"), false, "gone at once after Remove")
luarun_advance(0.01)
eq(take(), "", "removed timer does not fire")

-- Create over an existing name restarts it with the new function.
timer.Create("r", 1, 0, rec("old"))
luarun_advance(0.5)
timer.Create("r", 1, 0, rec("new"))
luarun_advance(0.6)
eq(take(), "", "restarted: not yet due")
luarun_advance(0.5)
eq(take(), "new", "only the new function")
timer.Remove("r")
luarun_advance(0)

-- Stop then Start waits a full delay; Pause keeps the remaining time.
timer.Create("p", 2, 0, rec("p"))
luarun_advance(1.5)
timer.Pause("p")
timer.Pause("p")          -- pausing twice changes nothing
luarun_advance(10)
eq(take(), "", "paused timers do not fire")
timer.UnPause("p")
timer.UnPause("p")        -- resuming a running timer changes nothing
luarun_advance(0.4)
eq(take(), "", "0.5 s remained")
luarun_advance(0.2)
eq(take(), "p", "fires after the remaining time")
timer.Stop("p")
luarun_advance(5)
eq(take(), "", "stopped")
timer.Start("p")
luarun_advance(1.9)
eq(take(), "", "Start waits a full delay")
luarun_advance(0.2)
eq(take(), "p", "fires one delay after Start")
timer.Check()
timer.Destroy("p")

-- A failing named timer prints one failure line and is gone.
luarun_clear_output()
timer.Create("bad", 0.1, 0, function() error("boom") end)
luarun_advance(0.1)
luarun_advance(0.1)
luarun_advance(0.1)
local out = luarun_output()
local _, failures = out:gsub("Timer Failed! %[bad%]", "")
eq(failures, 1, "one failure line")
eq(timer.Exists("bad"), false, "failed timer removed")
assert(out:find("boom"), "the error itself is printed")

-- A simple timer made by a simple timer with delay 0 runs in the same frame.
timer.Simple(0, function() timer.Simple(0, rec("inner")) end)
luarun_advance(0)
eq(take(), "inner", "same pass")

-- A named timer created by a callback between the running one and the next in name order
-- waits for the next frame; one that sorts after the next is reached in the same pass.
timer.Create("m1", 1, 1, function() log[#log + 1] = "m1" timer.Create("m2", 0, 1, rec("m2")) timer.Create("m4", 0, 1, rec("m4")) end)
timer.Create("m3", 1, 1, rec("m3"))
luarun_advance(1)
eq(take(), "m1,m3,m4", "created between: next frame; created after: same pass")
luarun_advance(0)
eq(take(), "m2", "the skipped one fires in the next frame")
luarun_advance(1)

-- Wrong argument types raise errors and change nothing.
eq(pcall(timer.Create, "x", 1, 1, "not a function"), false, "function required")
eq(pcall(timer.Create, {}, 1, 1, print), false, "string name required")
eq(timer.Exists("x"), false, "nothing created")
eq(pcall(timer.Simple, 1), false, "simple needs a function")
