// Cost of the HTML panel's two hot paths: refreshing a dirty 512x512 page into its texture
// (in place, once per 33 ms frame), and a page call that runs the panel's Lua OnCallback and
// hands its answer back.
#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <memory>

#include "IZVHTML.h"
#include "engine/standin.h"
#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/AwsHTML.h"
#include "tier0/standin.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"
#include "webcore/standin.h"

namespace
{
CreateInterfaceFn Factory(const char *path)
{
	void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
	return handle ? reinterpret_cast<CreateInterfaceFn>(dlsym(handle, "CreateInterface")) : nullptr;
}

// A menu state, the renderer plug-in and one loaded 512x512 HTML panel.
struct HTMLPanelSetup
{
	HTMLPanelSetup()
	{
		lua = harness.Open();
		renderer = static_cast<IZVHTML *>(Factory(ZV_ZVHTML_LIBRARY)(ZVHTML_INTERFACE_VERSION, nullptr));
		renderer->Init(Factory(ZV_ENGINE_LIBRARY));
		harness.html = renderer;
		panel = new Zorvan::CAwsHTML(nullptr, "Awesomium");
		panel->SetSize(512, 512);
		panel->SetHTML("<p>bench</p>");
		renderer->Update();
	}
	~HTMLPanelSetup()
	{
		delete panel;
		harness.Close();
		renderer->Shutdown();
		delete renderer;
	}
	MenuLuaHarness harness;
	ILuaInterface *lua = nullptr;
	IZVHTML *renderer = nullptr;
	Zorvan::CAwsHTML *panel = nullptr;
};

void BM_RefreshDirtyPage(benchmark::State &state)
{
	HTMLPanelSetup setup;
	double seconds = 1.0;
	for (auto _ : state)
	{
		seconds += 0.034;
		setup.harness.control->SetCurrentTime(seconds);
		setup.panel->GetWebView()->surface()->set_is_dirty(true);
		setup.panel->UpdateTexture();
	}
	state.SetBytesProcessed(state.iterations() * 512 * 512 * 4);
}
BENCHMARK(BM_RefreshDirtyPage);

void BM_PageCallToLua(benchmark::State &state)
{
	HTMLPanelSetup setup;
	setup.panel->NewObjectFunction("menu", "Open");
	setup.lua->RunString("bench", "", "Cb = function(p, o, m, args) return args[1] end", true, true);
	CLuaObject fn;
	setup.lua->Global()->GetMember("Cb", &fn);
	setup.panel->GetTable()->SetMember("OnCallback", &fn);
	Awesomium::JSArray args;
	args.Push(Awesomium::JSValue(1));
	args.Push(Awesomium::JSValue(Awesomium::WebString::CreateFromUTF8("x", 1)));
	args.Push(Awesomium::JSValue(true));
	Awesomium::JSValue result;
	for (auto _ : state)
	{
		WebCoreStandIn::PageCall(setup.panel->GetWebView(), "menu", "Open", args, &result);
		benchmark::DoNotOptimize(result);
	}
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageCallToLua);
}

BENCHMARK_MAIN();
