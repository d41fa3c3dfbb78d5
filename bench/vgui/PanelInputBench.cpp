// Cost of routing input over the stand-in engine: a click found by hit test among many
// panels, and a typed key bubbling from a deep panel up through its parents.
#include <benchmark/benchmark.h>

#include "fixtures/MenuLuaHarness.h"
#include "platform/engine/EngineLibrary.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace
{
struct Engine
{
	Engine() : standin(static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION)))
	{
		standin->Reset();
		vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0);
		top = new vgui::Panel(nullptr, "top");
		top->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
		top->SetBounds(0, 0, 640, 480);
	}
	~Engine()
	{
		delete top;
		standin->Reset();
	}
	MenuLuaHarness harness;
	IVGuiStandIn *standin;
	vgui::Panel *top = nullptr;
};

// A frame with a cursor move, a press and a release over a grid of 16x16 panels.
void BM_ClickFrame(benchmark::State &state)
{
	Engine engine;
	int count = static_cast<int>(state.range(0));
	for (int i = 0; i < count; ++i)
	{
		auto *panel = new vgui::Panel(engine.top, "cell");
		panel->SetBounds((i % 40) * 16, (i / 40) * 16 % 480, 16, 16);
	}
	int n = 0;
	for (auto _ : state)
	{
		engine.standin->QueueCursorMove((n * 16) % 640 + 3, 3);
		engine.standin->QueueButton(MOUSE_LEFT, true);
		engine.standin->QueueButton(MOUSE_LEFT, false);
		engine.standin->RunFrame();
		++n;
	}
	state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BM_ClickFrame)->Arg(100)->Arg(1000);

// A frame with a key pressed and released at a panel nested depth deep: each of the four
// key messages bubbles to the top.
void BM_KeyBubbleFrame(benchmark::State &state)
{
	Engine engine;
	vgui::Panel *leaf = engine.top;
	for (int i = 0; i < state.range(0); ++i)
		leaf = new vgui::Panel(leaf, "nested");
	engine.standin->SetKeyFocus(leaf->GetVPanel());
	for (auto _ : state)
	{
		engine.standin->QueueButton(KEY_A, true);
		engine.standin->QueueButton(KEY_A, false);
		engine.standin->QueueKeyTyped(L'a');
		engine.standin->RunFrame();
	}
	state.SetItemsProcessed(state.iterations() * 4 * state.range(0));
}
BENCHMARK(BM_KeyBubbleFrame)->Arg(8)->Arg(64);

// The same frame with no key events, for comparison.
void BM_NestedIdleFrame(benchmark::State &state)
{
	Engine engine;
	vgui::Panel *leaf = engine.top;
	for (int i = 0; i < state.range(0); ++i)
		leaf = new vgui::Panel(leaf, "nested");
	engine.standin->SetKeyFocus(leaf->GetVPanel());
	for (auto _ : state)
		engine.standin->RunFrame();
}
BENCHMARK(BM_NestedIdleFrame)->Arg(8)->Arg(64);
}

BENCHMARK_MAIN();
