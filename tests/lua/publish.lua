-- steamworks.Publish over the Steam stand-in: compressed upload, content filter, the answer
-- removing the uploaded cloud files, and publishes that do nothing.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

local function write(path, text)
	local f = assert(file.Open(path, "wb", "DATA"))
	f:Write(text)
	f:Close()
end
local function frames(n) for _ = 1, n do luarun_advance(0.01) end end
local function items() return standin_workshop_query("SELECT id, title, description, tags, visibility, file_name, preview_name FROM items ORDER BY id") end

local content = string.rep("Zorvan add-on content. ", 200)
write("content.txt", content)
write("preview.dat", "\255\216\255JPEG")

-- A public item: the content is LZMA-compressed, the preview byte for byte.
eq(select("#", steamworks.Publish({ "Map", "Fun" }, "data/content.txt", "data/preview.dat", "My Map", "A fine map")), 0, "no results")
local cloud = standin_steam_cloud()
eq(#cloud, 2, "two uploads")
if cloud[1]:match("%.main$") then cloud[1], cloud[2] = cloud[2], cloud[1] end
assert(cloud[1]:match("^creation/" .. string.rep("[a-z]", 16) .. "%.jpg$"), "preview name: " .. cloud[1])
assert(cloud[2]:match("^creation/" .. string.rep("[a-z]", 16) .. "%.main$"), "content name: " .. cloud[2])
luarun_clear_output()
frames(5)
local rows = items()
eq(#rows, 1, "published")
eq(rows[1][2], "My Map", "title") eq(rows[1][3], "A fine map", "description") eq(rows[1][4], "Map,Fun", "tags")
eq(rows[1][5], "0", "public") eq(rows[1][6], cloud[2], "content cloud name") eq(rows[1][7], cloud[1], "preview cloud name")
eq(#standin_steam_cloud(), 0, "the answer removes the uploaded cloud files")
eq(luarun_output(), "File Published (" .. rows[1][1] .. ")\n", "message")
eq(standin_steam_overlay()[1], "https://steamcommunity.com/sharedfiles/filedetails/?id=" .. rows[1][1] .. "&requirelogin=true", "item page")

-- The stored content is the LZMA stream: downloading it with uncompress gives the content back.
local info, path
steamworks.FileInfo(rows[1][1], function(t) info = t end)
frames(2)
assert(info.size > 13 and info.size < #content, "compressed size " .. info.size)
steamworks.Download(info.fileid, true, function(p) path = p end)
frames(2)
local f = file.Open(path, "rb", "MOD")
eq(f:Read(f:Size()), content, "round trip") f:Close()
local raw
steamworks.Download(info.previewid, true, function(p) raw = p end)
frames(2)
f = file.Open(raw, "rb", "MOD")
eq(f:Read(f:Size()), "\255\216\255JPEG", "preview byte for byte") f:Close()

-- The content filter: a title of 11 letters makes the item friends-only, 10 do not; the
-- description alone also fires; tags stop at the first member that is not a string.
local cases = {
	{ "Abcdefghijk", "", "1" },
	{ "Abcdefghij", "", "0" },
	{ "Fine title", "my keygen remake", "1" },
	{ "Fine title", "", "0" },
	{ "KEYGEN map", "", "0" },
}
for i, c in ipairs(cases) do
	steamworks.Publish({ "one", 2, "three" }, "data/content.txt", "data/preview.dat", c[1], c[2])
	frames(5)
	local r = items()[1 + i]
	eq(r[5], c[3], "visibility of " .. c[1] .. " / " .. c[2])
	eq(r[4], "one", "tags up to the first non-string")
end

-- Two publishes before Steam answers: only the second is answered, and its answer removes all
-- four cloud files.
local before = #items()
luarun_clear_output()
steamworks.Publish({}, "data/content.txt", "data/preview.dat", "First one", "")
steamworks.Publish({}, "data/content.txt", "data/preview.dat", "Second one", "")
eq(#standin_steam_cloud(), 4, "four uploads")
frames(5)
eq(#standin_steam_cloud(), 0, "all four removed")
local _, count = luarun_output():gsub("File Published", "")
eq(count, 1, "one answer")
eq(#items(), before + 2, "Steam still published both")

-- Missing files: nothing is uploaded, published or printed.
luarun_clear_output()
steamworks.Publish({}, "data/content.txt", "data/missing.jpg", "Title", "")
steamworks.Publish({}, "data/missing.txt", "data/preview.dat", "Title", "")
frames(5)
eq(#standin_steam_cloud(), 0, "nothing uploaded") eq(#items(), before + 2, "nothing published")
eq(luarun_output(), "", "nothing printed")
assert(not pcall(steamworks.Publish, {}, "data/content.txt", "data/preview.dat", "Title"), "the description is required")

-- Empty files publish too: the content as an empty LZMA stream, an empty preview.
write("empty.txt", "")
steamworks.Publish({}, "data/empty.txt", "data/empty.txt", "Empty one", "")
frames(5)
local last = standin_workshop_query("SELECT file_size, preview_size FROM items ORDER BY id DESC LIMIT 1")[1]
assert(tonumber(last[1]) >= 13, "an LZMA header at least") eq(last[2], "0", "empty preview")
luarun_clear_output()

-- Steam's failure answer: the message, and the cloud files are still removed.
standin_steam_setting("fail_publish = 25")
standin_steam_restart()
steamworks.Publish({}, "data/content.txt", "data/preview.dat", "Title here", "")
frames(5)
eq(luarun_output(), "Oops! Failed to publish file! (25)", "failure message without a line break")
eq(#standin_steam_cloud(), 0, "cloud files removed on failure too")

-- A refused publish registers nothing; its files wait for the next answered publish.
standin_steam_setting("fail_publish = call")
standin_steam_restart()
luarun_clear_output()
steamworks.Publish({}, "data/content.txt", "data/preview.dat", "Title here", "")
frames(5)
eq(#standin_steam_cloud(), 2, "kept until an answer comes") eq(luarun_output(), "", "no answer")
standin_steam_setting("fail_publish = 0")
standin_steam_restart()
steamworks.Publish({}, "data/content.txt", "data/preview.dat", "Title here", "")
frames(5)
eq(#standin_steam_cloud(), 0, "the next answer removes them all")
