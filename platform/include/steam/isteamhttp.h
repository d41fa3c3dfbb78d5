// HTTP requests ("STEAMHTTP_INTERFACE_VERSION002"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMHTTP_INTERFACE_VERSION "STEAMHTTP_INTERFACE_VERSION002"

class ISteamHTTP {
protected:
    virtual ~ISteamHTTP() = default;
};
