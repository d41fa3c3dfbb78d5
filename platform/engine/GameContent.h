// Inside the engine stand-in: the game's content managers, achievement manager and demo
// playback, shared by the file system, the engine client and their controls.
#pragma once

#include "engine/iachievementmgr.h"
#include "engine/standin.h"
#include "filesystem/IContentManagers.h"

namespace enginestandin
{
IAddonSystem *AddonSystem();
IGameDepotSystem *GameDepotSystem();
IGamemodeSystem *GamemodeSystem();
// Re-reads mounted content: here, recorded in the content log; it changes the counter.
void MountedContentChanged();
int ContentChangeCount();
// Null when the controls removed it.
IAchievementMgr *AchievementManager();
const StandInDemo &Demo();
// Registers the engine's own console variables once.
void RegisterEngineVariables();
}
