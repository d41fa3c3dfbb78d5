// Serving asset://zorvan/ requests: the plug-in reads the whole file through the engine file
// system for every request and hands it to the web core, for files of a few sizes.
#include <dlfcn.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "IZVHTML.h"
#include "filesystem/IFileSystem.h"
#include "fixtures/ScratchFolder.h"
#include "webcore/standin.h"

namespace
{
CreateInterfaceFn Factory(const char *pLibrary)
{
	void *handle = dlopen(pLibrary, RTLD_NOW | RTLD_LOCAL);
	return handle ? reinterpret_cast<CreateInterfaceFn>(dlsym(handle, "CreateInterface")) : nullptr;
}

void AssetRequest(benchmark::State &state)
{
	CreateInterfaceFn engine = Factory(ZV_ENGINE_LIBRARY);
	CreateInterfaceFn plugin = Factory(ZV_ZVHTML_LIBRARY);
	if (!engine || !plugin)
	{
		state.SkipWithError("cannot load the engine or the plug-in");
		return;
	}
	ScratchFolder folder;
	std::string game = folder / "game";
	mkdir(game.c_str(), 0755);
	std::ofstream(game + "/page.html", std::ios::binary) << std::string(static_cast<size_t>(state.range(0)), 'x');
	auto *fs = static_cast<IFileSystem *>(engine(FILESYSTEM_INTERFACE_VERSION, nullptr));
	fs->AddSearchPath(game.c_str(), "GAME");

	auto *html = static_cast<IZVHTML *>(plugin(ZVHTML_INTERFACE_VERSION, nullptr));
	html->Init(engine);
	Awesomium::WebView *view = html->GetWebView();
	for (auto _ : state)
	{
		WebCoreStandIn::Response answer = WebCoreStandIn::Fetch(view, "asset://zorvan/page.html?v=1");
		benchmark::DoNotOptimize(answer.bytes.data());
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
	html->KillWebView(view);
	html->Shutdown();
	delete html;
	fs->RemoveSearchPath(game.c_str());
}
}

BENCHMARK(AssetRequest)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK_MAIN();
