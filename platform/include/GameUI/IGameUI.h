// The game UI ("GameUI011"): the engine's own menus and loading dialog, as the menu plug-in
// drives them.
#pragma once

#define GAMEUI_INTERFACE_VERSION "GameUI011"

class IGameUI
{
public:
	// Runs one of the game UI's menu commands ("OpenOptionsDialog", "Disconnect", ...).
	virtual void SendMainMenuCommand(const char *command) = 0;
	// The engine panel shown as the main menu, and the one shown while a game loads (0: none).
	virtual void SetMainMenuOverride(unsigned int panel) = 0;
	virtual void SetLoadingBackgroundDialog(unsigned int panel) = 0;

protected:
	~IGameUI() = default;
};
