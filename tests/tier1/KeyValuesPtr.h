// Test helper: a KeyValues tree owned by a unique_ptr that releases it with deleteThis.
#pragma once

#include <memory>

#include "tier1/KeyValues.h"

struct KVDeleter
{
    void operator()(KeyValues *kv) const
    {
        if (kv)
            kv->deleteThis();
    }
};
using KVPtr = std::unique_ptr<KeyValues, KVDeleter>;
