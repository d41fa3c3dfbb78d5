// Start-up check of the panel library and the module name its panels are looked up by.
#include "vgui_controls/Controls.h"

#include <clocale>
#include <cstring>

#include "inputsystem/iinputsystem.h"
#include "tier0/dbg.h"
#include "tier1/tier2.h"

namespace vgui
{
static char g_szControlsModuleName[256];

bool VGui_InitInterfacesList(const char *moduleName, CreateInterfaceFn *, int)
{
	strncpy(g_szControlsModuleName, moduleName ? moduleName : "", sizeof(g_szControlsModuleName));
	g_szControlsModuleName[sizeof(g_szControlsModuleName) - 1] = '\0';

	// Text handling follows the environment; numbers keep the C conventions.
	setlocale(LC_CTYPE, "");
	setlocale(LC_TIME, "");
	setlocale(LC_COLLATE, "");
	setlocale(LC_MONETARY, "");

	if (!g_pVGui || !g_pVGuiInput || !g_pVGuiPanel || !g_pVGuiSurface || !g_pVGuiSchemeManager || !g_pVGuiSystem)
	{
		Warning("vgui_controls is missing a required interface!\n");
		return false;
	}
	return true;
}

const char *GetControlsModuleName() { return g_szControlsModuleName; }
}

int KeyCode_VGUIToVirtualKey(ButtonCode_t code)
{
	if (!g_pInputSystem)
		return -1;
	return g_pInputSystem->ButtonCodeToVirtualKey(code);
}
