// The stand-in engine's interfaces by version string, each service registering itself.
#pragma once

namespace EngineRegistry
{
	void Add(const char *version, void *iface);
	void *Find(const char *version);
}

// Registers a service object under its version string at load.
#define ENGINE_STANDIN_EXPOSE(object, version) \
	static const bool s_registered_##object = (EngineRegistry::Add(version, &object), true)
