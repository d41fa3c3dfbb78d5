-- Console access from Lua: variables, the guards, RunConsoleCommand's line and added commands.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

-- Refused names give no result; maxplayers answers the engine's player count in any case.
eq(select("#", GetConVarString("rcon_password")), 0, "refused information")
eq(select("#", GetConVarNumber("RCON_ADDRESS")), 0, "refused in capitals")
eq(type(GetConVarString("MAXPLAYERS")), "number", "maxplayers in capitals is a number")
eq(ConVarExists("maxplayers"), true, "maxplayers exists")
eq(ConVarExists("no_such_var"), false, "unknown variable")
eq(GetConVarString("no_such_var"), "", "unknown variable text")
eq(GetConVarNumber("no_such_var"), 0, "unknown variable number")
eq(select("#", GetConVar("no_such_var")), 0, "GetConVar of an unknown name")

-- CreateConVar: archive becomes the save flag; flags gain demo and server-can-execute.
local v = CreateConVar("menu_test_var", "0.7", FCVAR_ARCHIVE, "help text")
eq(type(v), "ConVar", "a ConVar userdata")
eq(v:GetName(), "menu_test_var", "name") eq(v:GetHelpText(), "help text", "help")
eq(v:GetString(), "0.7", "string value") eq(math.abs(v:GetFloat() - 0.7) < 1e-6, true, "float value")
eq(v:GetInt(), 0, "int value") eq(v:GetBool(), false, "bool follows the int")
eq(GetConVarString("menu_test_var"), "0.7", "GetConVarString")
eq(GetConVar("menu_test_var"):GetName(), "menu_test_var", "GetConVar finds it")
eq(select("#", CreateConVar("rcon_password", "x")), 0, "refused name")

-- CreateClientConVar of an existing variable returns it unchanged.
local c = CreateClientConVar("menu_client_var", "5", true, false)
eq(c:GetInt(), 5, "client var value")
RunConsoleCommand("menu_client_var", "9")
local again = CreateClientConVar("menu_client_var", "1")
eq(again:GetInt(), 9, "existing variable unchanged")
eq(select("#", CreateClientConVar("Quit", "1")), 0, "refused client variable")

-- RunConsoleCommand: the line, the guards and the cuts.
luarun_clear_output()
local ok, err = pcall(RunConsoleCommand, "say hello")
eq(ok, false, "invalid characters")
assert(err:find("Command has invalid characters! %(say hello %(' '%)%)"), err)
ok, err = pcall(RunConsoleCommand, "BIND", "x")
eq(ok, false, "blocked") assert(err:find("Command is blocked! %(bind%)"), err)
RunConsoleCommand("x")  -- one character: nothing runs, nothing raised
RunConsoleCommand("menu_client_var", "con_LOGFILE")  -- silently cancelled
eq(c:GetInt(), 9, "cancelled command did not run")

-- Added commands call InjectConsoleCommand with the parsed words; errors there are printed.
local seen
function InjectConsoleCommand(player, name, args, argString) seen = { name, args[1], args[2], argString } end
AddConsoleCommand("menu_test_cmd", "a test command", 0)
RunConsoleCommand("menu_test_cmd", "one", 2)
eq(seen[1], "menu_test_cmd", "command name") eq(seen[2], "one", "first argument") eq(seen[3], "2.00", "number argument")
-- A large number keeps all its digits (up to the 511-character cut of any argument).
RunConsoleCommand("menu_test_cmd", 1e100, 1e300)
eq(seen[2], string.format("%.2f", 1e100), "large number argument")
eq(seen[3], string.format("%.2f", 1e300), "larger number argument")
-- Flags of any size are taken as an integer.
eq(type(CreateConVar("menu_huge_flags", "1", 2 ^ 40)), "ConVar", "huge flags")
AddConsoleCommand("menu_huge_cmd", nil, 0 / 0)
function InjectConsoleCommand() error("handler failed") end
luarun_clear_output()
RunConsoleCommand("menu_test_cmd")
assert(luarun_output():find("handler failed"), "the handler's error is printed and the caller goes on")
