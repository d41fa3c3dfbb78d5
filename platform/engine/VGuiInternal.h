// Shared state of the vgui stand-in services inside the engine: the panel table, the loop,
// the surface and the input state reach each other through these functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vgui/standin.h"
#include "vgui/VGUI.h"

class KeyValues;

namespace vgui
{
class IClientPanel;
}

namespace vguistandin
{
// Panel table (VGuiPanel.cpp).
vgui::VPANEL NewPanel();
void FreePanel(vgui::VPANEL panel);
bool IsValidPanel(vgui::VPANEL panel);
vgui::IClientPanel *Client(vgui::VPANEL panel);
vgui::VPANEL RootPanel();
void SetPopup(vgui::VPANEL panel, bool popup);
// Whether the popup is kept above the popups that are not topmost.
bool IsTopmostPopup(vgui::VPANEL panel);
int LivePanelCount();
// Calls fn for the panel and its subtree, parents before children.
void ForEachInTree(vgui::VPANEL panel, void (*fn)(vgui::VPANEL));

// Surface (Surface.cpp).
void SetScreenSize(int wide, int tall);
void ResizeRoot(int wide, int tall);
void GetScreenSize(int &wide, int &tall);
void PaintFrame();
void RemovePopup(vgui::VPANEL panel);
// Moves a listed popup to the front (or back) of its group: topmost popups stay above the rest.
void PlacePopup(vgui::VPANEL panel, bool front);
const std::vector<VGuiDrawRecord> &SurfaceDrawLog();
void SurfaceClearDrawLog();
uint32_t SurfacePixel(int x, int y);
void SurfaceDefineTexture(const char *fileName, int wide, int tall, const unsigned char *rgba);
void SurfaceReset();
void SurfaceSetViewportOffset(int x, int y);
// Popups from the bottom to the top.
const std::vector<vgui::VPANEL> &Popups();
// Sounds played, the cursor last set and the cursor-visibility checks (stand-in controls).
const std::vector<std::string> &SoundsPlayed();
vgui::HCursor SurfaceCursor();
int MouseVisibilityChecks();
void SetCursorVisible(bool visible);

// Schemes (Scheme.cpp).
void ResetSchemes();

// Loop (VGui.cpp).
void ForgetPanel(vgui::VPANEL panel);

// Input (VGuiInput.cpp).
void ApplyInputEvents();
void QueueCursorMove(int x, int y);
void QueueButton(ButtonCode_t code, bool down);
void QueueKeyTyped(wchar_t unichar);
void QueueMouseWheel(int delta);
void SetKeyFocus(vgui::VPANEL panel);
const std::vector<int> &UnhandledKeys();
void ForgetInputPanel(vgui::VPANEL panel);
void ResetInput();
// Button state for the engine input system, and key trapping for the engine client.
bool IsButtonHeld(ButtonCode_t code);
void StartKeyTrap();
bool CheckKeyTrap(ButtonCode_t &code);
// The engine vgui's game UI and console (EngineVGui.cpp).
void SetConsoleVisible(bool visible);
void ResetEngineVGui();

// Clock: the vgui system's current time in seconds (VGuiSystem.cpp).
double CurrentTime();
}
