// The engine's vgui loop ("VGUI_ivgui008"): engine panel ids and handles, deferred deletion,
// the message queue with delays, and tick signals.
#pragma once

#include "vgui/VGUI.h"

class KeyValues;

#define VGUI_IVGUI_INTERFACE_VERSION "VGUI_ivgui008"

namespace vgui
{
class IVGui
{
public:
	virtual VPANEL AllocPanel() = 0;
	virtual void FreePanel(VPANEL panel) = 0;
	// Handles go stale when the panel is freed: a stale handle converts to 0.
	virtual HPanel PanelToHandle(VPANEL panel) = 0;
	virtual VPANEL HandleToPanel(HPanel index) = 0;
	// Whether the engine's vgui loop runs.
	virtual bool IsRunning() = 0;
	// Deletes the panel from the loop, after the current frame's dispatch.
	virtual void MarkPanelForDeletion(VPANEL panel) = 0;
	// Queues a message (the queue takes it) for delivery after delay seconds of the system clock.
	virtual void PostMessage(VPANEL target, KeyValues *params, VPANEL from, float delaySeconds = 0.0f) = 0;
	// OnTick every intervalMilliseconds (every frame for 0); one signal per panel.
	virtual void AddTickSignal(VPANEL panel, int intervalMilliseconds = 0) = 0;
	virtual void RemoveTickSignal(VPANEL panel) = 0;
	virtual void DPrintf(const char *format, ...) = 0;

protected:
	virtual ~IVGui() = default;
};
}
