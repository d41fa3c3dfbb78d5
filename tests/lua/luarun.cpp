// luarun: runs one Lua test script in a menu state of the stand-in Lua service with every
// library and class installed. Exits 0 when the script ran without error.
//
// Test-only globals:
//   luarun_advance(seconds)  moves the game clock on and runs one frame's timer cycle and
//                            Steam's callback dispatch
//   luarun_output()          everything printed so far, as one string
//   luarun_clear_output()    forgets what was printed so far
//   luarun_sleep(seconds)    waits that long in real time (at most 1 s), for work of other threads
//   luarun_http_start()      starts the loopback HTTP server of fixtures/LoopbackHttpServer.h
//                            (its standard routes) once; answers its "http://127.0.0.1:<port>"
//   luarun_http_requests()   how many requests that server has received
// and the stand-in controls of fixtures/StandInLuaControls.h and VGuiLuaControls.h ("standin_"
// functions).
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "fixtures/LoopbackHttpServer.h"
#include "fixtures/MenuLuaHarness.h"
#include "fixtures/StandInLuaControls.h"
#include "fixtures/VGuiLuaControls.h"
#include "lua/ILuaInterface.h"
#include "lua/standin.h"
#include "tier0/icommandline.h"
#include "tier0/standin.h"

namespace
{
MenuLuaHarness *g_Harness = nullptr;
std::string g_Output;
std::unique_ptr<LoopbackHttpServer> g_Server;

void CaptureOutput(Tier0OutputKind kind, const char *text, void *)
{
	g_Output += text;
	FILE *out = (kind == Tier0OutputKind::Msg || kind == Tier0OutputKind::DevMsg) ? stdout : stderr;
	fputs(text, out);
	fflush(out);
}

int Advance(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	g_Harness->Advance(lua->CheckNumber(1));
	return 0;
}

int Output(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	lua->PushString(g_Output.c_str(), static_cast<unsigned int>(g_Output.size()));
	if (g_Output.empty())
	{
		lua->Pop(1);
		lua->PushString("", 0);
	}
	return 1;
}

int ClearOutput(lua_State *)
{
	g_Output.clear();
	return 0;
}

int Sleep(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	double seconds = lua->CheckNumber(1);
	seconds = seconds < 0 ? 0 : (seconds > 1 ? 1 : seconds);
	std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
	return 0;
}

int HttpStart(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	if (!g_Server)
		g_Server.reset(new LoopbackHttpServer());
	if (!g_Server->Running())
		lua->ThrowError("luarun: the loopback HTTP server could not start");
	std::string url = g_Server->Url();
	lua->PushString(url.c_str(), static_cast<unsigned int>(url.size()));
	return 1;
}

int HttpRequests(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	lua->PushNumber(g_Server ? static_cast<double>(g_Server->RequestCount()) : 0.0);
	return 1;
}
}

int main(int argc, char **argv)
{
	if (argc < 2)
	{
		fprintf(stderr, "usage: luarun <script.lua> [script folder]\n");
		return 2;
	}
	std::ifstream in(argv[1], std::ios::binary);
	if (!in)
	{
		fprintf(stderr, "luarun: cannot read %s\n", argv[1]);
		return 2;
	}
	std::ostringstream code;
	code << in.rdbuf();

	CommandLine_Tier0()->CreateCmdLine(argc, argv);
	Tier0_SetOutputHook(CaptureOutput, nullptr);
	if (argc > 2)
	{
		LuaStandIn::AddScriptFolder("LuaMenu", argv[2]);
		LuaStandIn::AddScriptFolder("lsv", argv[2]);  // the Lua cache the file library lists
	}

	bool ok = false;
	{
		MenuLuaHarness harness;
		g_Harness = &harness;
		ILuaInterface *lua = harness.Open(true, CommandLine_Tier0()->FindParm("-withjit") != 0);
		if (!lua)
		{
			fprintf(stderr, "luarun: could not create a Lua state\n");
			return 2;
		}
		lua->PushCFunction(Advance);
		lua->Global()->SetMember("luarun_advance");
		lua->PushCFunction(Output);
		lua->Global()->SetMember("luarun_output");
		lua->PushCFunction(ClearOutput);
		lua->Global()->SetMember("luarun_clear_output");
		lua->PushCFunction(Sleep);
		lua->Global()->SetMember("luarun_sleep");
		lua->PushCFunction(HttpStart);
		lua->Global()->SetMember("luarun_http_start");
		lua->PushCFunction(HttpRequests);
		lua->Global()->SetMember("luarun_http_requests");
		InstallStandInLuaControls(lua, &harness);
		InstallVGuiLuaControls(lua, &harness);

		ok = lua->RunString(argv[1], "", code.str().c_str(), true, true);
		harness.DeleteRootPanels();
		g_Harness = nullptr;
	}
	g_Server.reset();
	Tier0_SetOutputHook(nullptr, nullptr);
	return ok ? 0 : 1;
}
