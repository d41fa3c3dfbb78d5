// The engine's internal side of vgui input ("VGUI_InputInternal001"), which the menu plug-in
// fetches at start-up; it answers everything IInput does, and takes operating-system input,
// each event handed to the panels at once.
#pragma once

#include "vgui/IInput.h"

#define VGUI_INPUTINTERNAL_INTERFACE_VERSION "VGUI_InputInternal001"

namespace vgui
{
class IInputInternal : public IInput
{
public:
	// Records a mouse button as held or not, without telling any panel.
	virtual void SetMouseCodeState(ButtonCode_t code, bool down) = 0;
	// Events as the engine's event queue would send them; the answer is whether a panel was
	// there to take it.
	virtual bool InternalCursorMoved(int x, int y) = 0;
	virtual bool InternalMousePressed(ButtonCode_t code) = 0;
	virtual bool InternalMouseDoublePressed(ButtonCode_t code) = 0;
	virtual bool InternalMouseReleased(ButtonCode_t code) = 0;
	virtual bool InternalMouseWheeled(int delta) = 0;
	virtual bool InternalKeyCodePressed(ButtonCode_t code) = 0;
	virtual void InternalKeyCodeTyped(ButtonCode_t code) = 0;
	virtual void InternalKeyCodeReleased(ButtonCode_t code) = 0;

protected:
	~IInputInternal() override = default;
};
}
