// The stand-in engine's factory: interfaces by version string.
#include "EngineRegistry.h"

#include <map>
#include <string>

#include "engine/standin.h"

namespace
{
std::map<std::string, void *> &Interfaces()
{
	static std::map<std::string, void *> interfaces;
	return interfaces;
}
}

void EngineRegistry::Add(const char *version, void *iface) { Interfaces()[version] = iface; }

void *EngineRegistry::Find(const char *version)
{
	auto it = Interfaces().find(version ? version : "");
	return it == Interfaces().end() ? nullptr : it->second;
}

void *EngineStandInFactory(const char *name, int *returnCode)
{
	void *iface = EngineRegistry::Find(name);
	if (returnCode)
		*returnCode = iface ? 0 : 1;
	return iface;
}
