// Cost of one frame of a panel tree over the stand-in engine: thinking and laying out, and
// painting, for visible trees and for trees that are hidden or off screen.
#include <benchmark/benchmark.h>

#include <vector>

#include "fixtures/MenuLuaHarness.h"
#include "platform/engine/EngineLibrary.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace
{
// A root child holding rows of 16x16 panels, each with one child.
struct Tree
{
	explicit Tree(int count) : standin(static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION)))
	{
		standin->Reset();
		vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0);
		top = new vgui::Panel(nullptr, "top");
		top->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
		top->SetBounds(0, 0, 640, 480);
		for (int i = 0; i < count; ++i)
		{
			auto *panel = new vgui::Panel(top, "cell");
			panel->SetBounds((i % 40) * 16, (i / 40) * 16 % 480, 16, 16);
			panel->SetBgColor(Color(i & 255, 0, 0, 255));
			new vgui::Panel(panel, "inner");
		}
		standin->RunFrame();
		standin->RunFrame();
	}
	~Tree()
	{
		delete top;
		standin->Reset();
	}
	MenuLuaHarness harness;
	IVGuiStandIn *standin;
	vgui::Panel *top = nullptr;
};

void BM_ThinkFrame(benchmark::State &state)
{
	Tree tree(static_cast<int>(state.range(0)));
	for (auto _ : state)
		tree.standin->RunFrame();
	state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_ThinkFrame)->Arg(100)->Arg(1000);

void BM_PaintFrame(benchmark::State &state)
{
	Tree tree(static_cast<int>(state.range(0)));
	for (auto _ : state)
	{
		tree.standin->ClearDrawLog();
		tree.standin->Paint();
	}
	state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_PaintFrame)->Arg(100)->Arg(1000);

// Hidden and off-screen subtrees cost no drawing: only the early returns run.
void BM_PaintHiddenOrOffscreen(benchmark::State &state)
{
	Tree tree(static_cast<int>(state.range(0)));
	if (state.range(1))
		tree.top->SetPos(1000, 0);
	else
		for (int i = 0; i < tree.top->GetChildCount(); ++i)
			tree.top->GetChild(i)->SetVisible(false);
	tree.top->SetPaintBackgroundEnabled(false);
	for (auto _ : state)
	{
		tree.standin->ClearDrawLog();
		tree.standin->Paint();
	}
	state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_PaintHiddenOrOffscreen)->Args({ 1000, 0 })->Args({ 1000, 1 });
}

BENCHMARK_MAIN();
