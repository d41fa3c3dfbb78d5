// The gameui module of the stand-in game: its factory answers "GameUI011" with the engine
// stand-in's game UI. With ZV_GAMEUI_WITHHOLD set in the environment it answers nothing, as a
// broken game UI would.
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

#include "GameUI/IGameUI.h"

namespace
{
typedef void *(*Factory)(const char *, int *);

Factory EngineFactory()
{
	// The engine is this module's dependency, so it is loaded already.
	static void *s_hEngine = dlopen("libengine.so", RTLD_NOW | RTLD_NOLOAD);
	static Factory s_factory = s_hEngine ? reinterpret_cast<Factory>(dlsym(s_hEngine, "CreateInterface")) : nullptr;
	return s_factory;
}
}

extern "C" __attribute__((visibility("default"))) void *CreateInterface(const char *name, int *returnCode)
{
	void *iface = nullptr;
	const char *withhold = getenv("ZV_GAMEUI_WITHHOLD");
	if (name && strcmp(name, GAMEUI_INTERFACE_VERSION) == 0 && !(withhold && *withhold) && EngineFactory())
		iface = EngineFactory()(name, nullptr);
	if (returnCode)
		*returnCode = iface ? 0 : 1;
	return iface;
}
