// Start-up of the panel library: the module name its panels belong to, the check that the
// engine's vgui services are connected, and button codes to platform virtual keys; short
// accessors for those services.
#pragma once

#include "inputsystem/ButtonCode.h"
#include "tier1/interface.h"
#include "tier1/tier3.h"

namespace vgui
{
// Records the module name (at most 255 characters), sets the text locale and checks that the
// six engine vgui services are connected; the factory list is not used.
bool VGui_InitInterfacesList(const char *moduleName, CreateInterfaceFn *factoryList, int numFactories);
// The module name recorded at start-up ("" before it).
const char *GetControlsModuleName();

inline IVGui *ivgui() { return g_pVGui; }
inline IPanel *ipanel() { return g_pVGuiPanel; }
inline ISurface *surface() { return g_pVGuiSurface; }
inline IInput *input() { return g_pVGuiInput; }
inline ISchemeManager *scheme() { return g_pVGuiSchemeManager; }
inline ISystem *system() { return g_pVGuiSystem; }
}

// The platform virtual-key number of a button code, or -1 without the engine input system.
int KeyCode_VGUIToVirtualKey(ButtonCode_t code);
