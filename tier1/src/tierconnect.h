// Shared by the tier connection sources: a table of version strings and the globals each fills.
#pragma once

#include "tier1/interface.h"

namespace tierconnect
{
struct Entry
{
	const char *version;
	bool (*isSet)();
	void (*set)(void *);  // stores into the global (and its alias)
};

// For each factory in list order, asks for every entry whose global is still null.
inline void Fill(const Entry *entries, int count, CreateInterfaceFn *factories, int factoryCount)
{
	for (int f = 0; f < factoryCount; ++f)
	{
		if (!factories || !factories[f])
			continue;
		for (int i = 0; i < count; ++i)
		{
			if (!entries[i].isSet())
				entries[i].set(factories[f](entries[i].version, nullptr));
		}
	}
}

inline void Clear(const Entry *entries, int count)
{
	for (int i = 0; i < count; ++i)
		entries[i].set(nullptr);
}
}

#define TIER_ENTRY(version, global) \
	{ version, [] { return global != nullptr; }, [](void *p) { global = static_cast<decltype(global)>(p); } }
#define TIER_ENTRY2(version, global, alias) \
	{ version, [] { return global != nullptr; }, [](void *p) { global = alias = static_cast<decltype(global)>(p); } }
