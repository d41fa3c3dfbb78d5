// Cost of the binding pattern: a registered library function against a plain lua_CFunction,
// and Vector arithmetic against the same arithmetic on plain Lua tables.
#include <benchmark/benchmark.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaLibrary.h"

namespace
{
LUA_LIBRARY(benchlib);

LUA_FUNCTION(benchlib, Add)
{
	pLua->PushNumber(pLua->CheckNumber(1) + pLua->CheckNumber(2));
	return 1;
}

int PlainAdd(lua_State *L)
{
	lua_pushnumber(L, luaL_checknumber(L, 1) + luaL_checknumber(L, 2));
	return 1;
}

const int kCallsPerRun = 100000;

void RunLoop(benchmark::State &state, const char *setup, const char *body)
{
	MenuLuaHarness harness;
	ILuaInterface *lua = harness.Open(true, false);
	lua->PushCFunction(PlainAdd);
	lua->Global()->SetMember("PlainAdd");
	lua->RunString("setup", "", setup, true, true);
	if (!lua->CompileString("loop", body))
	{
		state.SkipWithError("loop does not compile");
		return;
	}
	int ref = lua->ReferenceCreate();
	for (auto _ : state)
	{
		lua->ReferencePush(ref);
		if (!lua->PCall(0, 0, 0))
		{
			state.SkipWithError(lua->GetString(-1, nullptr));
			return;
		}
	}
	state.SetItemsProcessed(state.iterations() * kCallsPerRun);
	lua->ReferenceFree(ref);
}
}

static void BM_RegisteredFunction(benchmark::State &state)
{
	RunLoop(state, "f = benchlib.Add", "local f, s = f, 0 for i = 1, 100000 do s = f(s, 1) end");
}
BENCHMARK(BM_RegisteredFunction);

static void BM_PlainCFunction(benchmark::State &state)
{
	RunLoop(state, "f = PlainAdd", "local f, s = f, 0 for i = 1, 100000 do s = f(s, 1) end");
}
BENCHMARK(BM_PlainCFunction);

static void BM_VectorAdd(benchmark::State &state)
{
	RunLoop(state, "a = Vector(1, 2, 3) d = Vector(0.5, 0.5, 0.5)",
	        "local a, d = a, d for i = 1, 100000 do a = a + d end");
}
BENCHMARK(BM_VectorAdd);

static void BM_TableAdd(benchmark::State &state)
{
	RunLoop(state, "a = { 1, 2, 3 } d = { 0.5, 0.5, 0.5 }",
	        "local a, d = a, d for i = 1, 100000 do a = { a[1] + d[1], a[2] + d[2], a[3] + d[3] } end");
}
BENCHMARK(BM_TableAdd);

BENCHMARK_MAIN();
