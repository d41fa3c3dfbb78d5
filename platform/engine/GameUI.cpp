// The stand-in game UI: keeps the menu commands it receives and the panels handed to it.
#include <string>
#include <vector>

#include "GameUI/IGameUI.h"
#include "engine/standin.h"
#include "tier1/interface.h"

namespace
{
class GameUI final : public IGameUI, public IGameUIStandIn
{
public:
	void SendMainMenuCommand(const char *command) override { m_commands.push_back(command ? command : ""); }
	void SetMainMenuOverride(unsigned int panel) override { m_mainMenu = panel; }
	void SetLoadingBackgroundDialog(unsigned int panel) override { m_loading = panel; }

	const std::vector<std::string> &Commands() const override { return m_commands; }
	unsigned int MainMenuPanel() const override { return m_mainMenu; }
	unsigned int LoadingPanel() const override { return m_loading; }
	void Reset() override
	{
		m_commands.clear();
		m_mainMenu = 0;
		m_loading = 0;
	}

private:
	std::vector<std::string> m_commands;
	unsigned int m_mainMenu = 0;
	unsigned int m_loading = 0;
};

GameUI s_GameUI;

void *CreateGameUI() { return static_cast<IGameUI *>(&s_GameUI); }
void *CreateGameUIStandIn() { return static_cast<IGameUIStandIn *>(&s_GameUI); }

InterfaceReg s_GameUIReg(&CreateGameUI, GAMEUI_INTERFACE_VERSION);
InterfaceReg s_GameUIStandInReg(&CreateGameUIStandIn, GAMEUI_STANDIN_INTERFACE_VERSION);
}
