// The stand-in engine vgui: the engine has one panel tree here, so every kind of engine panel
// is its root.
#include "VGuiInternal.h"
#include "engine/ienginevgui.h"
#include "tier1/interface.h"

namespace
{
class EngineVGui final : public IEngineVGui
{
public:
	vgui::VPANEL GetPanel(VGuiPanel_t type) override
	{
		if (type < PANEL_ROOT || type > PANEL_CLIENTDLL)
			return 0;
		return vguistandin::RootPanel();
	}
};

EngineVGui s_EngineVGui;

void *CreateEngineVGui() { return static_cast<IEngineVGui *>(&s_EngineVGui); }

InterfaceReg s_EngineVGuiReg(&CreateEngineVGui, VENGINE_VGUI_VERSION);
}
