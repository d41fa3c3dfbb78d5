// Cost of the panels' Lua hooks in a frame: Think and Paint held as cached functions, against
// the same tree whose panels have tables but no hooks.
#include <benchmark/benchmark.h>

#include <string>

#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "menu/LuaPanel.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace
{
// A root child holding `count` 16x16 panels, each with a Lua table; with hooks when asked.
struct LuaTree
{
	LuaTree(int count, bool hooks)
	{
		lua = harness.Open();
		standin = harness.vguiControl;
		top = new vgui::Panel(nullptr, "top");
		top->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
		top->SetBounds(0, 0, 640, 480);
		lua->RunString("setup", "", "thinks, paints = 0, 0", true, true);
		for (int i = 0; i < count; ++i)
		{
			auto *panel = new vgui::Panel(top, "cell");
			panel->SetBounds((i % 40) * 16, (i / 40) * 16 % 480, 16, 16);
			Push_Panel(panel);
			lua->Global()->SetMember("P");
			lua->RunString("setup", "",
			               hooks ? "P.Think = function() thinks = thinks + 1 end"
			                       " P.Paint = function(p, w, h) paints = paints + 1 end"
			                     : "P.field = 1",
			               true, true);
		}
		standin->RunFrame();
		standin->RunFrame();
	}
	~LuaTree()
	{
		delete top;
		standin->Reset();
	}
	MenuLuaHarness harness;
	ILuaInterface *lua = nullptr;
	IVGuiStandIn *standin = nullptr;
	vgui::Panel *top = nullptr;
};

void BM_ThinkWithLuaHooks(benchmark::State &state)
{
	LuaTree tree(static_cast<int>(state.range(0)), state.range(1) != 0);
	for (auto _ : state)
		tree.standin->RunFrame();
	state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ThinkWithLuaHooks)->Args({ 1000, 0 })->Args({ 1000, 1 });

void BM_PaintWithLuaHooks(benchmark::State &state)
{
	LuaTree tree(static_cast<int>(state.range(0)), state.range(1) != 0);
	for (auto _ : state)
	{
		tree.standin->ClearDrawLog();
		tree.standin->Paint();
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PaintWithLuaHooks)->Args({ 1000, 0 })->Args({ 1000, 1 });
}

BENCHMARK_MAIN();
