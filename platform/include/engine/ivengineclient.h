// The engine client interface ("VEngineClient015"): the calls the menu plug-in makes of it.
#pragma once

#include "inputsystem/ButtonCode.h"

#define VENGINE_CLIENT_INTERFACE_VERSION "VEngineClient015"

class IAchievementMgr;

class IVEngineClient
{
public:
	// Prints on the numbered on-screen debug line.
	virtual void Con_NPrintf(int pos, const char *fmt, ...) = 0;
	virtual int GetMaxClients() = 0;
	// Runs console command text as if typed.
	virtual void ClientCmd_Unrestricted(const char *szCmdString) = 0;
	virtual bool IsPlayingDemo() = 0;
	virtual bool IsRecordingDemo() = 0;
	virtual int GetDemoPlaybackTick() = 0;
	virtual int GetDemoPlaybackStartTick() = 0;
	virtual float GetDemoPlaybackTimeScale() = 0;
	virtual int GetDemoPlaybackTotalTicks() = 0;
	// The achievement manager, or null.
	virtual IAchievementMgr *GetAchievementMgr() = 0;
	// True while a map is loaded and the player is in it.
	virtual bool IsInGame() = 0;
	// The loaded map's path ("maps/name.bsp"), or null when none is loaded.
	virtual const char *GetLevelName() = 0;

	// Key trapping: the next button pressed is caught instead of reaching the panels; the
	// check answers true once, with the caught code, after that press.
	virtual void StartKeyTrapMode() = 0;
	virtual bool CheckDoneKeyTrapping(ButtonCode_t &code) = 0;
	// The name of a key bound to the command text, or null when none is.
	virtual const char *Key_LookupBinding(const char *binding) = 0;

protected:
	virtual ~IVEngineClient() = default;
};
