// Cost of the util library's conversions on a table of 10,000 records and of its byte-string
// functions on 1 MiB, each call made from Lua in a menu state of the test harness.
#include <benchmark/benchmark.h>

#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"

namespace
{
const char *kSetup =
	"records = {} for i = 1, 10000 do records[i] = { name = 'item' .. i, value = i * 1.5, flag = i % 2 == 0 } end "
	"json = util.TableToJSON(records) kv = util.TableToKeyValues(records) "
	"bytes = string.rep('abcdefghij', 104858) packed = util.Compress(bytes)";

void RunCall(benchmark::State &state, const char *call)
{
	MenuLuaHarness harness;
	ILuaInterface *lua = harness.Open(true, false);
	if (!lua->RunString("setup", "", kSetup, true, true) || !lua->CompileString("call", call))
	{
		state.SkipWithError("setup failed");
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
	lua->ReferenceFree(ref);
}
}

static void BM_TableToJSON(benchmark::State &state) { RunCall(state, "util.TableToJSON(records)"); }
BENCHMARK(BM_TableToJSON)->Unit(benchmark::kMillisecond);

static void BM_JSONToTable(benchmark::State &state) { RunCall(state, "util.JSONToTable(json)"); }
BENCHMARK(BM_JSONToTable)->Unit(benchmark::kMillisecond);

static void BM_TableToKeyValues(benchmark::State &state) { RunCall(state, "util.TableToKeyValues(records)"); }
BENCHMARK(BM_TableToKeyValues)->Unit(benchmark::kMillisecond);

static void BM_KeyValuesToTable(benchmark::State &state) { RunCall(state, "util.KeyValuesToTable(kv)"); }
BENCHMARK(BM_KeyValuesToTable)->Unit(benchmark::kMillisecond);

static void BM_Compress1MiB(benchmark::State &state) { RunCall(state, "util.Compress(bytes)"); }
BENCHMARK(BM_Compress1MiB)->Unit(benchmark::kMillisecond);

static void BM_Decompress1MiB(benchmark::State &state) { RunCall(state, "util.Decompress(packed)"); }
BENCHMARK(BM_Decompress1MiB)->Unit(benchmark::kMillisecond);

static void BM_Base64Encode1MiB(benchmark::State &state) { RunCall(state, "util.Base64Encode(bytes)"); }
BENCHMARK(BM_Base64Encode1MiB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
