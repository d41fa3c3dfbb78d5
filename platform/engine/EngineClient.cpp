// The stand-in engine client: runs command text through the stand-in console and keeps what
// it was asked to run and print, for hosts and tests to inspect; demo playback and the
// achievement manager come from the game content stand-in.
#include <cstdarg>
#include <cstdio>
#include <map>

#include <strings.h>

#include "GameContent.h"
#include "VGuiInternal.h"
#include "engine/consolestandin.h"
#include "engine/ivengineclient.h"
#include "engine/standin.h"
#include "tier1/interface.h"
#include "vgui/ISystem.h"

namespace
{
class EngineClient final : public IVEngineClient, public IEngineStandIn
{
public:
	void Con_NPrintf(int pos, const char *fmt, ...) override
	{
		char text[1024];
		va_list args;
		va_start(args, fmt);
		vsnprintf(text, sizeof(text), fmt, args);
		va_end(args);
		m_debugLines[pos] = text;
	}
	int GetMaxClients() override { return m_maxClients; }
	void ClientCmd_Unrestricted(const char *szCmdString) override
	{
		m_commands.push_back(szCmdString ? szCmdString : "");
		auto *console = static_cast<IConsoleStandIn *>(CreateInterface(CONSOLE_STANDIN_INTERFACE_VERSION, nullptr));
		if (console && szCmdString)
			console->ExecuteCommandText(szCmdString);
	}
	bool IsPlayingDemo() override { return enginestandin::Demo().playing; }
	bool IsRecordingDemo() override { return enginestandin::Demo().recording; }
	int GetDemoPlaybackTick() override { return enginestandin::Demo().tick; }
	int GetDemoPlaybackStartTick() override { return enginestandin::Demo().startTick; }
	float GetDemoPlaybackTimeScale() override { return enginestandin::Demo().timeScale; }
	int GetDemoPlaybackTotalTicks() override { return enginestandin::Demo().totalTicks; }
	IAchievementMgr *GetAchievementMgr() override { return enginestandin::AchievementManager(); }
	bool IsInGame() override { return m_inGame; }
	const char *GetLevelName() override { return m_hasLevel ? m_levelName.c_str() : nullptr; }
	void StartKeyTrapMode() override { vguistandin::StartKeyTrap(); }
	bool CheckDoneKeyTrapping(ButtonCode_t &code) override { return vguistandin::CheckKeyTrap(code); }
	const char *Key_LookupBinding(const char *binding) override
	{
		for (const auto &bound : m_bindings)
			if (binding && !strcasecmp(bound.second.c_str(), binding))
				return bound.first.c_str();
		return nullptr;
	}

	const std::vector<std::string> &ExecutedCommands() const override { return m_commands; }
	void ClearExecutedCommands() override { m_commands.clear(); }
	std::string DebugLine(int line) const override
	{
		auto it = m_debugLines.find(line);
		return it == m_debugLines.end() ? std::string() : it->second;
	}
	void SetMaxClients(int maxClients) override { m_maxClients = maxClients; }
	void SetCurrentTime(double seconds) override;
	void SetLevelName(const char *name) override
	{
		m_hasLevel = name != nullptr;
		m_levelName = name ? name : "";
	}
	void SetInGame(bool inGame) override { m_inGame = inGame; }
	const std::vector<std::string> &ShellExecutions() const override;
	void ClearShellExecutions() override;
	void SetKeyBinding(const char *keyName, const char *binding) override
	{
		if (!keyName)
			return;
		if (!binding || !*binding)
			m_bindings.erase(keyName);
		else
			m_bindings[keyName] = binding;
	}

private:
	int m_maxClients = 1;
	std::vector<std::string> m_commands;
	std::map<int, std::string> m_debugLines;
	std::string m_levelName;
	bool m_hasLevel = false;
	std::map<std::string, std::string> m_bindings;  // key name -> command text
	bool m_inGame = false;
};

EngineClient s_EngineClient;

void *CreateEngineClient()
{
	enginestandin::RegisterEngineVariables();
	return static_cast<IVEngineClient *>(&s_EngineClient);
}
void *CreateEngineStandIn() { return static_cast<IEngineStandIn *>(&s_EngineClient); }

InterfaceReg s_EngineClientReg(&CreateEngineClient, VENGINE_CLIENT_INTERFACE_VERSION);
InterfaceReg s_EngineStandInReg(&CreateEngineStandIn, ENGINE_STANDIN_INTERFACE_VERSION);
}

// The vgui system's clock lives with the system service.
void VGuiSystemSetCurrentTime(double seconds);

void EngineClient::SetCurrentTime(double seconds) { VGuiSystemSetCurrentTime(seconds); }

// Shell requests are kept by the vgui system.
std::vector<std::string> &VGuiSystemShellExecutions();

const std::vector<std::string> &EngineClient::ShellExecutions() const { return VGuiSystemShellExecutions(); }
void EngineClient::ClearShellExecutions() { VGuiSystemShellExecutions().clear(); }
