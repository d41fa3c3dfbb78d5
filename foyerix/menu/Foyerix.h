// The menu host: the plug-in's one object behind "Foyerix002", and the way the host calls Lua
// hooks through the global `hook` table.
#pragma once

#include "IFoyerix.h"
#include "menu/MenuDownloadNotifications.h"

class ILuaInterface;
class IGameUIFuncs;
namespace vgui
{
class IInputInternal;
}

class CFoyerix : public IFoyerix, public CMenuDownloadNotifications
{
public:
	~CFoyerix() override {}
	bool Init(CreateInterfaceFn factory, IGet *accessor, IZorvan *game, CGlobalVarsBase *globals) override;
	void Shutdown() override;
	void SetupNetworkString(INetworkStringTableContainer *container) override;
	void Think() override;
	void StartLua() override;
	void ServerDetails(const char *a, const char *b, const char *c, int d, const char *gamemode) override;
	void OnLuaError(CLuaError *error, Addon::Information *addon) override;

	// Closes the menu state, when there is one.
	void DestroyLua();
	// Asks for the menu state to be rebuilt on the next frame that reaches the reload step.
	void RequestReload() { m_bReload = true; }

private:
	bool m_bReload = false;
};

extern CFoyerix g_Foyerix;

extern vgui::IInputInternal *g_InputInternal;
extern IGameUIFuncs *gameuifuncs;

// Pushes hook[member] of the state when `hook` is a table and that member a function; false,
// with nothing pushed, otherwise.
bool PushLuaHook(ILuaInterface *state, const char *member);
// hook.<member>(name) in the state, a plain call with no results kept; nothing when the state
// is null or has no such hook function.
void CallLuaHook(ILuaInterface *state, const char *name, const char *member = "Call");
