// The stand-in shared Lua service: one state per kind, made and closed on request.
#include <algorithm>
#include <string>
#include <vector>

#include "LuaScripts.h"
#include "LuaState.h"
#include "lua/ILuaShared.h"
#include "lua/standin.h"

namespace
{
// Closed states are kept, emptied, for the life of the process: the plug-in tells states
// apart by their interface's address (a reference or a timer of a closed state must never
// look current), so no later state may be given the address of a closed one.
std::vector<LuaState *> &ClosedStates()
{
	static std::vector<LuaState *> *s_closed = new std::vector<LuaState *>();
	return *s_closed;
}

void Retire(LuaState *state)
{
	state->Close();
	ClosedStates().push_back(state);
}

class LuaService final : public LuaSharedService
{
public:
	~LuaService() override
	{
		for (LuaState *&state : m_states)
		{
			if (state)
				Retire(state);
			state = nullptr;
		}
	}

	ILuaInterface *CreateLuaInterface(int kind, bool flag) override
	{
		if (kind < 0 || kind >= LUASTATE_KIND_COUNT)
			return nullptr;
		if (m_states[kind])
			Retire(m_states[kind]);
		m_states[kind] = nullptr;
		LuaState *state = new LuaState(kind);
		if (!state->IsOpen())
		{
			delete state;
			return nullptr;
		}
		m_states[kind] = state;
		return state;
	}

	void CloseLuaInterface(ILuaInterface *iface) override
	{
		for (LuaState *&state : m_states)
			if (state && state == iface)
			{
				Retire(state);
				state = nullptr;
			}
	}

	ILuaInterface *GetLuaInterface(int kind) override
	{
		if (kind < 0 || kind >= LUASTATE_KIND_COUNT)
			return nullptr;
		return m_states[kind];
	}

	void MountLua(const char *pathName) override
	{
		if (pathName && std::find(m_mounted.begin(), m_mounted.end(), pathName) == m_mounted.end())
			m_mounted.push_back(pathName);
	}

	void UnMountLua(const char *pathName) override
	{
		if (pathName)
			m_mounted.erase(std::remove(m_mounted.begin(), m_mounted.end(), pathName), m_mounted.end());
	}

	bool FindCachedFile(const char *name, const char *pathName) override
	{
		return name && pathName && LuaScripts::Exists(pathName, name);
	}

	int FindCachedFiles(const char *pattern, const char *pathName, void (*onName)(const char *, void *),
	                    void *context) override
	{
		if (!pattern || !pathName)
			return 0;
		std::vector<std::string> names = LuaScripts::FindNames(pathName, pattern);
		if (onName)
			for (const std::string &name : names)
				onName(name.c_str(), context);
		return static_cast<int>(names.size());
	}

private:
	LuaState *m_states[LUASTATE_KIND_COUNT] = {};
	std::vector<std::string> m_mounted;
};

LuaService *g_Service = nullptr;
}

LuaSharedService *LuaStandIn::Service()
{
	if (!g_Service)
		g_Service = new LuaService();
	return g_Service;
}

void LuaStandIn::DestroyService()
{
	delete g_Service;
	g_Service = nullptr;
}

void LuaStandIn::AddScriptFolder(const char *pathName, const char *folder)
{
	if (pathName && folder)
		LuaScripts::AddFolder(pathName, folder);
}

void LuaStandIn::ClearScriptFolders() { LuaScripts::Clear(); }
