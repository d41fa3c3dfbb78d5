// Gates of the menu host that the panel library asks at fixed points of its input handling.
#pragma once

#include "inputsystem/ButtonCode.h"

// Whether a mouse press is handled at all (always, in this host).
bool ZORV_MousePressAllowed(ButtonCode_t code);
// Whether a typed key goes on to the panels (always, in this host).
bool ZORV_PreventGameKeyRepeat(int code);
