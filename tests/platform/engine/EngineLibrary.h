// Loads the engine stand-in library once per test program and hands out its interfaces.
#pragma once

#include <dlfcn.h>

#include <gtest/gtest.h>

#include "tier1/interface.h"

inline void *EngineInterface(const char *pName)
{
    static void *s_hEngine = dlopen(ZV_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!s_hEngine)
        return nullptr;
    auto factory = reinterpret_cast<CreateInterfaceFn>(dlsym(s_hEngine, "CreateInterface"));
    return factory ? factory(pName, nullptr) : nullptr;
}
