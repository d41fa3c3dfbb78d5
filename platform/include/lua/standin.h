// Set-up of the stand-in Lua service for the stand-in host and tests; the plug-ins never
// include this.
#pragma once

class LuaSharedService;

namespace LuaStandIn
{
	// The one service of the process, made on first use.
	LuaSharedService *Service();
	// Destroys the service and every state it still holds.
	void DestroyService();
	// Scripts under a path name ("LuaMenu") are looked up in these folders, in order.
	void AddScriptFolder(const char *pathName, const char *folder);
	void ClearScriptFolders();
}
