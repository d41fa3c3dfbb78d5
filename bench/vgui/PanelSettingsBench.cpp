// Cost of applying a typical layout section to a panel and of writing its settings back.
#include <benchmark/benchmark.h>

#include "fixtures/MenuLuaHarness.h"
#include "platform/engine/EngineLibrary.h"
#include "tier1/KeyValues.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace
{
const char kSection[] = R"("button"
{
	"ControlName"	"Panel"
	"fieldName"	"button"
	"xpos"	"r120"
	"ypos"	"c-20"
	"wide"	"100"
	"tall"	"f40"
	"zpos"	"2"
	"visible"	"1"
	"enabled"	"1"
	"tabPosition"	"1"
	"paintbackground"	"1"
	"fgcolor_override"	"255 255 255 255"
	"PaintBackgroundType"	"2"
}
)";

struct Fixture
{
	Fixture() : standin(static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION)))
	{
		standin->Reset();
		vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0);
		panel = new vgui::Panel(nullptr, "p");
		panel->SetParent(g_pVGuiSurface->GetEmbeddedPanel());
		section = new KeyValues("button");
		section->LoadFromBuffer("bench", kSection);
	}
	~Fixture()
	{
		section->deleteThis();
		delete panel;
		standin->Reset();
	}
	MenuLuaHarness harness;
	IVGuiStandIn *standin;
	vgui::Panel *panel = nullptr;
	KeyValues *section = nullptr;
};

void BM_ApplySettings(benchmark::State &state)
{
	Fixture f;
	for (auto _ : state)
		f.panel->ApplySettings(f.section);
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ApplySettings);

void BM_GetSettings(benchmark::State &state)
{
	Fixture f;
	f.panel->ApplySettings(f.section);
	for (auto _ : state)
	{
		KeyValues *out = new KeyValues("out");
		f.panel->GetSettings(out);
		out->deleteThis();
	}
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetSettings);
}

BENCHMARK_MAIN();
