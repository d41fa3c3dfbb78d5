// Cost of the surface library's per-frame calls from Lua (text, localised placeholder text,
// text size, a 64-corner polygon), each run 100 times per iteration in a menu state of the test
// harness over the stand-in surface; the surface's draw log is emptied after each iteration.
#include <benchmark/benchmark.h>

#include <string>

#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "vgui/standin.h"

namespace
{
// Each harness resets the stand-in surface, whose font handles then start afresh, while the
// plug-in's font registry lives on: every run registers a font of its own name.
const char *kSetup =
	"surface.CreateFont(fontName, { font = 'ZvFixed', size = 12 }) surface.SetFont(fontName) "
	"language.Add('@bench_pick', 'Press {key} to continue') "
	"points = {} for i = 1, 64 do local a = i / 64 * 2 * math.pi "
	"points[i] = { x = 100 + 50 * math.cos(a), y = 100 + 50 * math.sin(a), u = 0, v = 0 } end";

void RunCall(benchmark::State &state, const char *body)
{
	MenuLuaHarness harness;
	ILuaInterface *lua = harness.Open(true, false);
	static int s_run = 0;
	std::string call = std::string("for i = 1, 100 do ") + body + " end";
	std::string setup = "fontName = 'Bench" + std::to_string(++s_run) + "' " + kSetup;
	if (!harness.vguiControl || !lua->RunString("setup", "", setup.c_str(), true, true) ||
	    !lua->CompileString("call", call.c_str()))
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
		harness.vguiControl->ClearDrawLog();
	}
	lua->ReferenceFree(ref);
	state.SetItemsProcessed(state.iterations() * 100);
}
}

static void BM_DrawText40(benchmark::State &state)
{
	RunCall(state, "surface.SetTextPos(0, 0) surface.DrawText('The quick brown fox jumps over the lazy d')");
}
BENCHMARK(BM_DrawText40)->Unit(benchmark::kMicrosecond);

static void BM_DrawPlaceholderToken(benchmark::State &state)
{
	RunCall(state, "surface.SetTextPos(0, 0) surface.DrawText('#bench_pick')");
}
BENCHMARK(BM_DrawPlaceholderToken)->Unit(benchmark::kMicrosecond);

static void BM_GetTextSize40(benchmark::State &state)
{
	RunCall(state, "surface.GetTextSize('The quick brown fox jumps over the lazy d')");
}
BENCHMARK(BM_GetTextSize40)->Unit(benchmark::kMicrosecond);

static void BM_DrawPoly64(benchmark::State &state) { RunCall(state, "surface.DrawPoly(points)"); }
BENCHMARK(BM_DrawPoly64)->Unit(benchmark::kMicrosecond);

static void BM_DrawRect(benchmark::State &state)
{
	RunCall(state, "surface.SetDrawColor(255, 0, 0, 255) surface.DrawRect(10, 10, 20, 20)");
}
BENCHMARK(BM_DrawRect)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
