// Tier-3 interface globals (studio render, the vgui services, caches, video, physics, ...)
// and their connection from the host's factories.
#pragma once

#include "tier1/tier2.h"

class IStudioRender;
class IMatSystemSurface;
class IDataCache;
class IMDLCache;
class IVideoServices;
class IDmeMakefileUtils;
class IPhysicsCollision;
class ISoundEmitterSystemBase;
class IVTex;

namespace vgui
{
class IVGui;
class IInput;
class IPanel;
class ISurface;
class ISchemeManager;
class ISystem;
class ILocalize;
}

// studiorender and g_pStudioRender, mdlcache and g_pMDLCache always hold the same value.
extern IStudioRender *g_pStudioRender;
extern IStudioRender *studiorender;
extern vgui::IVGui *g_pVGui;
extern vgui::IInput *g_pVGuiInput;
extern vgui::IPanel *g_pVGuiPanel;
extern vgui::ISurface *g_pVGuiSurface;
extern vgui::ISchemeManager *g_pVGuiSchemeManager;
extern vgui::ISystem *g_pVGuiSystem;
extern vgui::ILocalize *g_pVGuiLocalize;
extern IMatSystemSurface *g_pMatSystemSurface;
extern IDataCache *g_pDataCache;
extern IMDLCache *g_pMDLCache;
extern IMDLCache *mdlcache;
extern IVideoServices *g_pVideo;
extern IDmeMakefileUtils *g_pDmeMakefileUtils;
extern IPhysicsCollision *g_pPhysicsCollision;
extern ISoundEmitterSystemBase *g_pSoundEmitterSystem;
extern IVTex *g_pVTex;

// Fills the still-null tier-3 globals, asking the factories in list order.
void ConnectTier3Libraries(CreateInterfaceFn *pFactoryList, int nFactoryCount);
// Sets every tier-3 global to null.
void DisconnectTier3Libraries();
