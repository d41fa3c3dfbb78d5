-- First menu script: the hook table the game calls through hook.Call and hook.Run.
hook = {}
local handlers = {}

function hook.Add(event, name, fn)
	handlers[event] = handlers[event] or {}
	handlers[event][name] = fn
end

function hook.Remove(event, name)
	if handlers[event] then handlers[event][name] = nil end
end

-- The game passes the event name, then (for engine events) a game-mode slot and the values.
function hook.Call(event, gm, ...)
	local list = handlers[event]
	if not list then return end
	for _, fn in pairs(list) do
		local result = fn(...)
		if result ~= nil then return result end
	end
end

function hook.Run(event, ...)
	return hook.Call(event, nil, ...)
end

MsgN("init_menu: CLIENT=", tostring(CLIENT), " SERVER=", tostring(SERVER))
