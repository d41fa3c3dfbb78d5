// The menu plug-in's interface as the game drives it ("Foyerix002"): start-up, the menu Lua
// state, the per-frame step, server details and Lua errors from the game, shut-down.
#pragma once

#include "tier1/interface.h"

class IGet;
class IZorvan;
class CGlobalVarsBase;
class CLuaError;
class INetworkStringTableContainer;
namespace Addon
{
struct Information;
}

#define FOYERIX_INTERFACE_VERSION "Foyerix002"

class IFoyerix
{
public:
	virtual ~IFoyerix() = default;
	// True on success; false when the vgui interfaces cannot be set up. Other failures end
	// the process.
	virtual bool Init(CreateInterfaceFn factory, IGet *accessor, IZorvan *game, CGlobalVarsBase *globals) = 0;
	virtual void Shutdown() = 0;
	virtual void SetupNetworkString(INetworkStringTableContainer *container) = 0;
	// Once per vgui frame.
	virtual void Think() = 0;
	// (Re)creates the menu Lua state and runs the menu scripts.
	virtual void StartLua() = 0;
	virtual void ServerDetails(const char *a, const char *b, const char *c, int d, const char *gamemode) = 0;
	// The add-on is null when the error is not tied to one.
	virtual void OnLuaError(CLuaError *error, Addon::Information *addon) = 0;
};
