// Cost of one menu frame of the sample game (vgui frame with the overlay's Think, paint with
// DrawOverlay and CaptureVideo, Steam callbacks, web core pump), and of a full menu reload.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "GameHost.h"
#include "engine/consolestandin.h"
#include "tier0/standin.h"

namespace
{
// Menu output is dropped; the sample's greeting on each start is counted.
int s_menuStarts = 0;
void Quiet(Tier0OutputKind, const char *text, void *)
{
	if (text && std::strstr(text, "menu: started"))
		++s_menuStarts;
}

struct SampleMenu
{
	SampleMenu()
	{
		char folder[] = "/tmp/zv_bench_steam_XXXXXX";
		if (mkdtemp(folder))
		{
			steam = folder;
			setenv("ZV_STEAM_DIR", folder, 1);
		}
		if (!getenv("ZV_BENCH_LOUD"))
			Tier0_SetOutputHook(&Quiet, nullptr);
		GameHost::Options options;
		options.gameFolder = ZV_SAMPLE_GAME;
		std::string error;
		ok = host.Load(options, &error) && host.Init();
		if (ok)
			host.StartLua();
	}
	~SampleMenu()
	{
		host.Shutdown();
		Tier0_SetOutputHook(nullptr, nullptr);
		if (!steam.empty())
			std::system(("rm -rf '" + steam + "'").c_str());
	}
	GameHost host;
	std::string steam;
	bool ok = false;
};

// The plug-in starts once per process (its console objects register once), so the
// benchmarks share one sample menu.
SampleMenu &Menu()
{
	static SampleMenu s_menu;
	return s_menu;
}

void BM_MenuFrame(benchmark::State &state)
{
	SampleMenu &menu = Menu();
	if (!menu.ok)
	{
		state.SkipWithError("the sample menu did not start");
		return;
	}
	for (auto _ : state)
		menu.host.Frame();
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMicrosecond);

void BM_MenuReload(benchmark::State &state)
{
	SampleMenu &menu = Menu();
	auto *console = menu.ok ? static_cast<IConsoleStandIn *>(menu.host.EngineInterface(CONSOLE_STANDIN_INTERFACE_VERSION))
	                        : nullptr;
	if (!console)
	{
		state.SkipWithError("the sample menu did not start");
		return;
	}
	const int before = s_menuStarts;
	for (auto _ : state)
	{
		console->ExecuteCommandText("menu_reload");
		menu.host.Frame();
	}
	// One new menu state per iteration.
	state.counters["menu_starts"] = s_menuStarts - before;
}
BENCHMARK(BM_MenuReload)->Unit(benchmark::kMillisecond);
}

BENCHMARK_MAIN();
