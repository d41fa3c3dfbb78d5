// The engine's internal side of vgui input ("VGUI_InputInternal001"), which the menu plug-in
// fetches at start-up; it answers everything IInput does.
#pragma once

#include "vgui/IInput.h"

#define VGUI_INPUTINTERNAL_INTERFACE_VERSION "VGUI_InputInternal001"

namespace vgui
{
class IInputInternal : public IInput
{
protected:
	~IInputInternal() override = default;
};
}
