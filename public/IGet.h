// The game's accessor handed to the menu plug-in: the services the game lends it.
#pragma once

class LuaSharedService;
class ISteamHTTP;
class IMotionSensor;
class IHostUtil;
class IZVHTML;

class IGet
{
public:
	virtual LuaSharedService *LuaShared() = 0;
	// The HTML renderer object, or null when the game has none.
	virtual IZVHTML *HTML() = 0;
	// Called before an add-on's Lua error is reported.
	virtual void BeforeAddonLuaError() = 0;
	// Steam HTTP; null when Steam HTTP is not available.
	virtual ISteamHTTP *SteamHTTP() = 0;
	// The motion-sensor service; null when the game has none.
	virtual IMotionSensor *MotionSensor() = 0;
	// Materials by name and parameter text, texel colours, video writers; null when absent.
	virtual IHostUtil *Util() = 0;

protected:
	virtual ~IGet() = default;
};
