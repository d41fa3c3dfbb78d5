// The menu's root panels: the menu base panel handed to the game UI, the overlay popup whose
// think and paint steps drive the plug-in every frame, and the loading panel the scripts make.
#pragma once

#include "inputsystem/ButtonCode.h"
#include "vgui_controls/EditablePanel.h"

class CMenuScreenPanel : public vgui::EditablePanel
{
public:
	CMenuScreenPanel(vgui::Panel *parent, const char *name);
	~CMenuScreenPanel() override;
	void OnScreenSizeChanged(int oldWide, int oldTall) override;
};

class COverlayPanel : public vgui::Panel
{
public:
	COverlayPanel(vgui::Panel *parent, const char *name);
	~COverlayPanel() override;
	void OnThink() override;
	void Paint() override;
	void OnScreenSizeChanged(int oldWide, int oldTall) override;
};

// ShutDown marks the overlay and the loading panel for deletion, since it may run inside a
// vgui pass; with deleteNow (plug-in shut-down, outside any pass, before the vgui interfaces
// go) they are deleted at once.
namespace MenuScreen
{
void Create();
void ShutDown(bool deleteNow = false);
void StartLua();
vgui::Panel *GetOverlayPanel();
vgui::Panel *GetMenuPanel();
}

namespace LoadingScreen
{
void Initialize();
void ShutDown(bool deleteNow = false);
void OnResize();
vgui::Panel *GetLoadingPanel();
}

// Gates the panel library calls at fixed points of its input and paint handling.
void ReportVGUIMousePressed(vgui::Panel *panel, ButtonCode_t code);
void ZORV_OpenURLInSteam(const char *url);
