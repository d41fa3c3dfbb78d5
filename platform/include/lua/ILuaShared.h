// The host's shared Lua service: makes, finds and closes the game's Lua states.
#pragma once

class ILuaInterface;

enum LuaStateKind
{
	LUASTATE_CLIENT = 0,
	LUASTATE_HOST = 1,
	LUASTATE_MENU = 2,
	LUASTATE_KIND_COUNT = 3
};

class LuaSharedService
{
public:
	virtual ~LuaSharedService() = default;

	// A new state of the kind; an existing state of that kind is closed first.
	virtual ILuaInterface *CreateLuaInterface(int kind, bool flag) = 0;
	virtual void CloseLuaInterface(ILuaInterface *iface) = 0;
	// The state of a kind, or null when none exists.
	virtual ILuaInterface *GetLuaInterface(int kind) = 0;

	// Path names scripts are found under ("LuaMenu"), announced and withdrawn by the plug-in.
	virtual void MountLua(const char *pathName) = 0;
	virtual void UnMountLua(const char *pathName) = 0;

	// Looks a script up in the service's cache of Lua files; true when it is there.
	virtual bool FindCachedFile(const char *name, const char *pathName) = 0;

	// Names in the cache matching a pattern whose last part may hold wildcards ("*.lua",
	// "vgui/*"), files and folders, each once, passed to the callback; answers how many.
	virtual int FindCachedFiles(const char *pattern, const char *pathName,
	                            void (*onName)(const char *name, void *context), void *context) = 0;
};
