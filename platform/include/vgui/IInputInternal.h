// The engine's internal input interface ("VGUI_InputInternal001"): how operating-system input
// enters the vgui input state, each event handed to the panels at once.
#pragma once

#include "inputsystem/ButtonCode.h"

#define VGUI_INPUTINTERNAL_INTERFACE_VERSION "VGUI_InputInternal001"

namespace vgui
{
class IInputInternal
{
public:
	virtual void GetCursorPos(int &x, int &y) = 0;
	virtual void SetCursorPos(int x, int y) = 0;
	// Records a mouse button as held or not, without telling any panel.
	virtual void SetMouseCodeState(ButtonCode_t code, bool down) = 0;
	// Each event goes to the panels as the engine's event queue would send it; the answer is
	// whether a panel was there to take it.
	virtual bool InternalCursorMoved(int x, int y) = 0;
	virtual bool InternalMousePressed(ButtonCode_t code) = 0;
	virtual bool InternalMouseDoublePressed(ButtonCode_t code) = 0;
	virtual bool InternalMouseReleased(ButtonCode_t code) = 0;
	virtual bool InternalMouseWheeled(int delta) = 0;
	virtual bool InternalKeyCodePressed(ButtonCode_t code) = 0;
	virtual void InternalKeyCodeTyped(ButtonCode_t code) = 0;
	virtual void InternalKeyCodeReleased(ButtonCode_t code) = 0;

protected:
	virtual ~IInputInternal() = default;
};
}
