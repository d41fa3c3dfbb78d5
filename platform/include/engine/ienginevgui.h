// The engine's vgui side ("VEngineVGui001"): the engine's own panels, by kind.
#pragma once

#include "vgui/VGUI.h"

#define VENGINE_VGUI_VERSION "VEngineVGui001"

enum VGuiPanel_t
{
	PANEL_ROOT = 0,
	PANEL_GAMEUIDLL,
	PANEL_CLIENTDLL,
};

class IEngineVGui
{
public:
	// The engine's panel of that kind, or 0 when it has none.
	virtual vgui::VPANEL GetPanel(VGuiPanel_t type) = 0;
	// The game UI (the menu) and the console.
	virtual bool IsGameUIVisible() = 0;
	virtual bool IsConsoleVisible() = 0;
	virtual void ActivateGameUI() = 0;
	virtual void HideGameUI() = 0;

protected:
	virtual ~IEngineVGui() = default;
};
