// Tier-3 interface globals and their connection.
#include "tier1/tier3.h"

#include "tierconnect.h"

IStudioRender *g_pStudioRender = nullptr;
IStudioRender *studiorender = nullptr;
vgui::IVGui *g_pVGui = nullptr;
vgui::IInput *g_pVGuiInput = nullptr;
vgui::IPanel *g_pVGuiPanel = nullptr;
vgui::ISurface *g_pVGuiSurface = nullptr;
vgui::ISchemeManager *g_pVGuiSchemeManager = nullptr;
vgui::ISystem *g_pVGuiSystem = nullptr;
vgui::ILocalize *g_pVGuiLocalize = nullptr;
IMatSystemSurface *g_pMatSystemSurface = nullptr;
IDataCache *g_pDataCache = nullptr;
IMDLCache *g_pMDLCache = nullptr;
IMDLCache *mdlcache = nullptr;
IVideoServices *g_pVideo = nullptr;
IDmeMakefileUtils *g_pDmeMakefileUtils = nullptr;
IPhysicsCollision *g_pPhysicsCollision = nullptr;
ISoundEmitterSystemBase *g_pSoundEmitterSystem = nullptr;
IVTex *g_pVTex = nullptr;

namespace
{
const tierconnect::Entry s_Tier3[] = {
	TIER_ENTRY2("VStudioRender025", g_pStudioRender, studiorender),
	TIER_ENTRY("VGUI_ivgui008", g_pVGui),
	TIER_ENTRY("VGUI_Input005", g_pVGuiInput),
	TIER_ENTRY("VGUI_Panel009", g_pVGuiPanel),
	TIER_ENTRY("VGUI_Surface030", g_pVGuiSurface),
	TIER_ENTRY("VGUI_Scheme010", g_pVGuiSchemeManager),
	TIER_ENTRY("VGUI_System010", g_pVGuiSystem),
	TIER_ENTRY("VGUI_Localize005", g_pVGuiLocalize),
	TIER_ENTRY("MatSystemSurface008", g_pMatSystemSurface),
	TIER_ENTRY("VDataCache003", g_pDataCache),
	TIER_ENTRY2("MDLCache004", g_pMDLCache, mdlcache),
	TIER_ENTRY("IVideoServices002", g_pVideo),
	TIER_ENTRY("VDmeMakeFileUtils001", g_pDmeMakefileUtils),
	TIER_ENTRY("VPhysicsCollision007", g_pPhysicsCollision),
	TIER_ENTRY("VSoundEmitter002", g_pSoundEmitterSystem),
	TIER_ENTRY("VTEX_003", g_pVTex),
};
}

void ConnectTier3Libraries(CreateInterfaceFn *pFactoryList, int nFactoryCount)
{
	tierconnect::Fill(s_Tier3, sizeof(s_Tier3) / sizeof(s_Tier3[0]), pFactoryList, nFactoryCount);
}

void DisconnectTier3Libraries()
{
	tierconnect::Clear(s_Tier3, sizeof(s_Tier3) / sizeof(s_Tier3[0]));
}
