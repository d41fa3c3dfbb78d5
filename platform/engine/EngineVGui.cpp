// The stand-in engine vgui: the engine has one panel tree here, so every kind of engine panel
// is its root. The game UI shows from the start; the console is shown only when a test says so.
#include "VGuiInternal.h"
#include "engine/ienginevgui.h"
#include "tier1/interface.h"

namespace
{
bool s_GameUIVisible = true;
bool s_ConsoleVisible = false;

class EngineVGui final : public IEngineVGui
{
public:
	vgui::VPANEL GetPanel(VGuiPanel_t type) override
	{
		if (type < PANEL_ROOT || type > PANEL_CLIENTDLL)
			return 0;
		return vguistandin::RootPanel();
	}
	bool IsGameUIVisible() override { return s_GameUIVisible; }
	bool IsConsoleVisible() override { return s_ConsoleVisible; }
	void ActivateGameUI() override { s_GameUIVisible = true; }
	void HideGameUI() override { s_GameUIVisible = false; }
};

EngineVGui s_EngineVGui;

void *CreateEngineVGui() { return static_cast<IEngineVGui *>(&s_EngineVGui); }

InterfaceReg s_EngineVGuiReg(&CreateEngineVGui, VENGINE_VGUI_VERSION);
}

namespace vguistandin
{
void SetConsoleVisible(bool visible) { s_ConsoleVisible = visible; }

void ResetEngineVGui()
{
	s_GameUIVisible = true;
	s_ConsoleVisible = false;
}
}
