// The engine's input state ("VGUI_Input005"): cursor, buttons, focus, capture and the modal
// panel, as the engine's event queue leaves them.
#pragma once

#include "inputsystem/ButtonCode.h"
#include "vgui/VGUI.h"

#define VGUI_INPUT_INTERFACE_VERSION "VGUI_Input005"

namespace vgui
{
class IInput
{
public:
	virtual void GetCursorPos(int &x, int &y) = 0;
	virtual bool IsKeyDown(ButtonCode_t code) = 0;
	virtual bool IsMouseDown(ButtonCode_t code) = 0;
	// The panel with key focus, the panel under the cursor, the panel holding mouse capture.
	virtual VPANEL GetFocus() = 0;
	virtual VPANEL GetMouseOver() = 0;
	virtual void SetMouseCapture(VPANEL panel) = 0;
	virtual VPANEL GetMouseCapture() = 0;
	// Only the modal panel's subtree takes input while one is set.
	virtual void SetAppModalSurface(VPANEL panel) = 0;
	virtual VPANEL GetAppModalSurface() = 0;
	virtual void ReleaseAppModalSurface() = 0;
	// A key that no panel used.
	virtual void OnKeyCodeUnhandled(int keyCode) = 0;

	// The modal subtree: while one is set, panels inside it take input when it receives
	// messages, and only panels outside it when it doesn't.
	virtual void SetModalSubTree(VPANEL subTree, bool receiveMessages) = 0;
	virtual void ReleaseModalSubTree() = 0;
	virtual VPANEL GetModalSubTree() = 0;
	virtual bool ShouldModalSubTreeReceiveMessages() = 0;
	// A cursor that replaces every panel's own; 0 for none.
	virtual void SetCursorOveride(HCursor cursor) = 0;
	virtual HCursor GetCursorOveride() = 0;

	// Moves the cursor (the panel under it is worked out again at the next frame's events).
	virtual void SetCursorPos(int x, int y) = 0;
	// What happened to a button during the last frame's input.
	virtual bool WasMousePressed(ButtonCode_t code) = 0;
	virtual bool WasMouseDoublePressed(ButtonCode_t code) = 0;
	virtual bool WasKeyPressed(ButtonCode_t code) = 0;
	virtual bool WasKeyTyped(ButtonCode_t code) = 0;
	virtual bool WasKeyReleased(ButtonCode_t code) = 0;

protected:
	virtual ~IInput() = default;
};
}
