-- The video library: Record's settings and refusals, and the IVideoWriter methods.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local ok, msg = video.Record("my clip")
eq(ok, false, "string settings") eq(msg, "Not a table", "message")
ok, msg = video.Record()
eq(msg, "Not a table", "no settings")
for _, name in ipairs({ "a/b", "", "clip.webm", "naïve" }) do
	ok, msg = video.Record({ name = name })
	eq(ok, false, "name " .. name) eq(msg, "Invalid Name", "message for " .. name)
end
ok, msg = video.Record({})
eq(msg, "Invalid Name", "no name")

-- Defaults: 640 x 480 at 25 frames per second, bit rate 8192.
standin_clear_video_log()
local w = video.Record({ name = "my clip" })
eq(type(w), "IVideoWriter", "writer") eq(w:Width(), 640, "width") eq(w:Height(), 480, "height")
eq(standin_video_log()[1], "start    640x480 25 my clip 8192 0 0", "defaults passed")

-- Sizes below 32 are raised to 32; the settings pass through.
standin_clear_video_log()
local small = video.Record({ name = "Small_1", width = 10, height = 0, fps = 30, bitrate = 100, quality = 0.5,
	raw = true, container = "webm", video = "vp8", audio = "vorbis" })
eq(small:Width(), 32, "width raised") eq(small:Height(), 32, "height raised")
eq(standin_video_log()[1], "start webm vp8 vorbis 32x32 30 Small_1 100 0.5 1", "settings passed")

-- The writer's own error: false and its text; the writer is destroyed.
standin_clear_video_log()
standin_fail_video("Codec not found")
ok, msg = video.Record({ name = "broken" })
eq(ok, false, "start failed") eq(msg, "Codec not found", "writer's text")
local log = standin_video_log()
eq(log[#log], "destroy", "writer destroyed")

-- lockfps sets fps_max to the frame rate; Finish sets it to 1000 in any case.
local locked = video.Record({ name = "locked", fps = 60, lockfps = true })
eq(GetConVarNumber("fps_max"), 60, "fps_max locked")
locked:Finish()
eq(GetConVarNumber("fps_max"), 1000, "fps_max after Finish")
RunConsoleCommand("fps_max", "300")
small:Finish()
eq(GetConVarNumber("fps_max"), 1000, "fps_max after Finish without lockfps")

-- Frames: bracketed by the game interface when asked.
standin_clear_video_log() standin_game_log()
eq(w:SetRecordSound(true), true, "SetRecordSound returns the value")
w:AddFrame(0.25, true)
w:AddFrame(0.5, false)
local game = standin_game_log()
eq(game[1], "prepare 640 480", "prepared") eq(game[2], "finish 640 480", "restored") eq(game[3], nil, "once")
log = standin_video_log()
eq(log[1], "sound 1", "record-sound flag seen by the writer") eq(log[2], "frame 0 0 0.25", "first frame")
eq(log[3], "frame 0 0 0.5", "second frame")
assert(not pcall(w.AddFrame, w), "frame time required")

-- __gc finishes and destroys once; a released writer is an invalid object.
standin_clear_video_log()
local gc = getmetatable(w).__gc
gc(w) gc(w)
log = standin_video_log()
eq(log[1], "finish", "finished") eq(log[2], "destroy", "destroyed") eq(log[3], nil, "only once")
ok, msg = pcall(w.Width, w)
eq(ok, false, "released writer") assert(msg:find("Tried to use invalid object %(type IVideoWriter%)"), msg)

-- Collected writers are destroyed too.
standin_clear_video_log()
do video.Record({ name = "temporary" }) end
collectgarbage("collect") collectgarbage("collect")
local destroyed = 0
for _, line in ipairs(standin_video_log()) do if line == "destroy" then destroyed = destroyed + 1 end end
assert(destroyed >= 1, "collected writer destroyed")

-- Without the host's utility service Record gives nothing.
standin_util(false)
eq(select("#", video.Record({ name = "nothing" })), 0, "no utility service")
standin_util(true)
