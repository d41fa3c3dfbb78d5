// The stand-in engine client: records command text and debug lines for inspection.
#include <cstdarg>
#include <cstdio>

#include "EngineRegistry.h"
#include "engine/ivengineclient.h"
#include "engine/standin.h"

namespace
{
int g_MaxClients = 1;

class EngineClient final : public IVEngineClient
{
public:
	void Con_NPrintf(int pos, const char *fmt, ...) override
	{
		if (pos < 0 || pos > 255)
			return;
		char text[1024];
		va_list args;
		va_start(args, fmt);
		vsnprintf(text, sizeof(text), fmt, args);
		va_end(args);
		std::vector<std::string> &lines = EngineStandIn::DebugLines();
		if (lines.size() <= static_cast<size_t>(pos))
			lines.resize(pos + 1);
		lines[pos] = text;
	}
	int GetMaxClients() override { return g_MaxClients; }
	void ClientCmd_Unrestricted(const char *szCmdString) override
	{
		EngineStandIn::ExecutedCommands().push_back(szCmdString ? szCmdString : "");
	}
	bool IsPlayingDemo() override { return false; }
	bool IsRecordingDemo() override { return false; }
	int GetDemoPlaybackTick() override { return 0; }
	int GetDemoPlaybackStartTick() override { return 0; }
	float GetDemoPlaybackTimeScale() override { return 1.0f; }
	int GetDemoPlaybackTotalTicks() override { return 0; }
	IAchievementMgr *GetAchievementMgr() override { return nullptr; }
};

EngineClient g_EngineClient;
ENGINE_STANDIN_EXPOSE(g_EngineClient, VENGINE_CLIENT_INTERFACE_VERSION);
}

std::vector<std::string> &EngineStandIn::ExecutedCommands()
{
	static std::vector<std::string> commands;
	return commands;
}

std::vector<std::string> &EngineStandIn::DebugLines()
{
	static std::vector<std::string> lines;
	return lines;
}

void EngineStandIn::SetMaxClients(int maxClients) { g_MaxClients = maxClients; }
