// The menu host's input gates: this host lets every press and typed key through.
#include "vgui_controls/ZorvGates.h"

bool ZORV_MousePressAllowed(ButtonCode_t) { return true; }

bool ZORV_PreventGameKeyRepeat(int) { return true; }
