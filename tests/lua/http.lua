-- HTTP requests through Steam against the loopback server: callbacks, bodies, headers, failures.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end
local base = luarun_http_start()

-- Runs frames (each dispatching Steam's call results) until cond() holds, 10 s at most.
local function wait(cond, what)
	for i = 1, 1000 do
		if cond() then return end
		luarun_sleep(0.005)
		luarun_advance(0.01)
	end
	error("timed out: " .. what, 2)
end

-- Starts a request; answers a record that fills when a callback runs.
local function request(t)
	local got = {}
	t.success = function(code, body, headers) got.code, got.body, got.headers, got.done = code, body, headers, "success" end
	t.failed = function(reason) got.reason, got.done = reason, "failed" end
	got.returned = { HTTP(t) }
	return got
end
local function finished(got, what) wait(function() return got.done ~= nil end, what) return got end

-- Argument 1 must be a table: otherwise nothing happens and nothing is returned.
eq(select("#", HTTP()), 0, "no argument")
eq(select("#", HTTP("http://127.0.0.1/")), 0, "a string argument")

-- No url: `failed` runs before HTTP returns, and HTTP still returns true.
local got = request({})
eq(got.done, "failed", "no url fails at once")
eq(got.reason, "invalid url", "no url reason")
eq(#got.returned, 1, "one result")
eq(got.returned[1], true, "HTTP returns true")
eq(request({ url = "" }).reason, "invalid url", "empty url")
eq(request({ url = 42 }).reason, "invalid url", "a url that is not a string")

-- URLs Steam refuses, at creation: "invalid request", synchronously.
for _, url in ipairs({ "ftp://127.0.0.1/", "not a url", "http://", "127.0.0.1/echo" }) do
	got = request({ url = url })
	eq(got.reason, "invalid request", url)
	eq(got.returned[1], true, url .. " returns true")
end

-- GET: string parameters go into the query; number keys and values are skipped.
got = finished(request({ url = base .. "/echo", parameters = { q = "a b", n = 5, [1] = "x", z = "1" } }), "GET")
eq(got.done, "success", "GET succeeds")
eq(got.code, 200, "GET status")
local line = got.body:match("^[^\n]*")
eq(line:sub(1, 10), "GET /echo?", "a GET request")
assert(line:find("q=a%20b", 1, true) and line:find("z=1", 1, true), "string parameters sent: " .. line)
assert(not line:find("n=", 1, true) and not line:find("=x", 1, true), "other parameters skipped: " .. line)

-- "post" (lower case) makes a POST with a form body; "POST" makes a GET.
got = finished(request({ url = base .. "/echo", method = "post", parameters = { a = "1" } }), "POST")
eq(got.body, "POST /echo\napplication/x-www-form-urlencoded\na=1", "POST body")
got = finished(request({ url = base .. "/echo", method = "POST", parameters = { a = "1" } }), "upper-case POST")
eq(got.body, "GET /echo?a=1\n\n", "upper-case POST is a GET")

-- Status codes other than 200 still arrive in `success`.
got = finished(request({ url = base .. "/status/404" }), "404")
eq(got.done, "success", "404 is a completed request")
eq(got.code, 404, "404 status")
eq(got.body, "status 404", "404 body")
got = finished(request({ url = base .. "/redirect" }), "redirect")
eq(got.code, 302, "redirects are not followed")
eq(got.headers.Location, "/echo", "redirect target")

-- Bodies arrive byte for byte: zero bytes kept, an empty body as "".
got = finished(request({ url = base .. "/binary" }), "binary")
eq(got.body, "\0a\0b\255\0", "binary body")
eq(#got.body, 6, "binary length")
got = finished(request({ url = base .. "/empty" }), "empty")
eq(got.body, "", "empty body")

-- Headers: found ones are printed (Connection twice) and kept once under the probed name.
luarun_clear_output()
got = finished(request({ url = base .. "/headers" }), "headers")
local h = got.headers
eq(h.Connection, "close", "Connection")
eq(h.Date, "Wed, 09 Dec 2026 20:00:00 GMT", "Date")
eq(h.Server, "loopback/1.0", "Server")
eq(h["Set-Cookie"], "session=abc; Path=/", "Set-Cookie")
eq(h.Location, "/elsewhere", "Location")
eq(h.Age, "12", "Age")
eq(h["X-Powered-By"], "loopback", "X-Powered-By")
-- Content-Type and Vary are asked for as "Content-Type:" and "Vary: ", which no header is named.
eq(h["Content-Type"], nil, "Content-Type")
eq(h["Content-Type:"], nil, "Content-Type:")
eq(h["Vary: "], nil, "Vary")
local keys = 0
for _ in pairs(h) do keys = keys + 1 end
eq(keys, 7, "header keys")
local out = luarun_output()
local _, connections = out:gsub("Found Header Connection\n", "")
eq(connections, 2, "Connection found twice")
assert(out:find("Found Header Date\nFound Header Server\nFound Header Set-Cookie\nFound Header X-Powered-By\n" ..
	"Found Header Age\nFound Header Connection\nFound Header Location\n", 1, true), "probe order: " .. out)

-- A refused connection and a non-loopback address end "unsuccessful", on a later frame.
got = request({ url = "http://127.0.0.1:1/" })
eq(got.done, nil, "not finished inside HTTP")
eq(finished(got, "refused").reason, "unsuccessful", "refused connection")
local before = luarun_http_requests()
got = finished(request({ url = base:gsub("127%.0%.0%.1", "0.0.0.0") .. "/echo" }), "0.0.0.0")
eq(got.reason, "unsuccessful", "non-loopback address")
eq(luarun_http_requests(), before, "nothing reached the server")

-- Scripts need not keep the table: the request holds it until it finishes.
local done
HTTP({ url = base .. "/echo", success = function(code) done = code end })
collectgarbage()
collectgarbage()
wait(function() return done ~= nil end, "unkept table")
eq(done, 200, "unkept table's success ran")

-- Without callbacks the answer is dropped silently (the table is still asked for `success`,
-- which shows the request finished); errors in callbacks are reported and requests go on.
local asked = {}
HTTP(setmetatable({ url = base .. "/echo" }, { __index = function(_, key) asked[#asked + 1] = key end }))
HTTP({ url = "" })
wait(function() return asked[#asked] == "success" end, "callback-less request")
eq(table.concat(asked, ","), "method,parameters,success", "members read")
local after
HTTP({ url = base .. "/echo", success = function() error("boom in success") end })
HTTP({ url = "", failed = function() error("boom in failed") end })
wait(function() return luarun_output():find("boom in success", 1, true) ~= nil end, "success error")
HTTP({ url = base .. "/empty", success = function(code) after = code end })
wait(function() return after ~= nil end, "after errors")
assert(luarun_output():find("boom in failed", 1, true), "failed error reported")

-- A url made afresh by an __index function is used before anything can collect it.
got = request(setmetatable({}, { __index = function(_, key)
	if key == "url" then return base .. "/ech" .. string.rep("o", 1) end
	if key == "method" then collectgarbage() return "get" end
end }))
eq(finished(got, "__index url").code, 200, "url from __index")
