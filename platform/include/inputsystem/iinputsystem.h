// The engine input system ("InputSystemVersion001"): what the plug-in asks of it.
#pragma once

#include "inputsystem/ButtonCode.h"

#define INPUTSYSTEM_INTERFACE_VERSION "InputSystemVersion001"

class IInputSystem
{
public:
	// The platform virtual-key number of a button code, or -1 when it has none.
	virtual int ButtonCodeToVirtualKey(ButtonCode_t code) = 0;
	// Whether the button (any code, joystick buttons too) is held.
	virtual bool IsButtonDown(ButtonCode_t code) = 0;
	// The engine's name of the button ("a", "SPACE", "MOUSE1", ...); "" for codes without one.
	virtual const char *ButtonCodeToString(ButtonCode_t code) = 0;

protected:
	virtual ~IInputSystem() = default;
};
