// Cost of text images over the stand-in surface's fixed test font: painting a single line,
// painting a wrapped block (breaks cached between paints), and measuring a wrapped block.
#include <benchmark/benchmark.h>

#include <string>

#include "fixtures/MenuLuaHarness.h"
#include "platform/engine/EngineLibrary.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/TextImage.h"

namespace
{
struct Text
{
	explicit Text(int chars, bool wrap)
	    : standin(static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION)))
	{
		standin->Reset();
		vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0);
		vgui::HFont font = g_pVGuiSurface->CreateFont();
		g_pVGuiSurface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 12, 0, 0, 0, 0);
		std::wstring text;
		for (int i = 0; i < chars; ++i)
			text += i % 7 == 6 ? L' ' : static_cast<wchar_t>(L'a' + i % 26);
		image.reset(new vgui::TextImage(text.c_str()));
		image->SetFont(font);
		image->SetWrap(wrap);
		image->SetSize(wrap ? 300 : 100000, 400);
	}
	~Text() { standin->Reset(); }
	MenuLuaHarness harness;
	IVGuiStandIn *standin;
	std::unique_ptr<vgui::TextImage> image;
};

void BM_PaintLine(benchmark::State &state)
{
	Text text(static_cast<int>(state.range(0)), false);
	for (auto _ : state)
	{
		text.image->Paint();
		text.standin->ClearDrawLog();
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PaintLine)->Arg(40)->Arg(400);

void BM_PaintWrapped(benchmark::State &state)
{
	Text text(static_cast<int>(state.range(0)), true);
	for (auto _ : state)
	{
		text.image->Paint();
		text.standin->ClearDrawLog();
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PaintWrapped)->Arg(400)->Arg(4000);

void BM_MeasureWrapped(benchmark::State &state)
{
	Text text(static_cast<int>(state.range(0)), true);
	int wide, tall;
	for (auto _ : state)
	{
		text.image->GetContentSize(wide, tall);
		benchmark::DoNotOptimize(wide + tall);
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MeasureWrapped)->Arg(400)->Arg(4000);
}

BENCHMARK_MAIN();
