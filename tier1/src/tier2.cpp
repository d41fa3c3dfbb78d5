// Tier-2 interface globals and their connection.
#include "tier1/tier2.h"

#include "tierconnect.h"

IFileSystem *g_pFullFileSystem = nullptr;
IMaterialSystem *materials = nullptr;
IMaterialSystem *g_pMaterialSystem = nullptr;
IInputSystem *g_pInputSystem = nullptr;
INetworkSystem *g_pNetworkSystem = nullptr;
IMaterialSystemHardwareConfig *g_pMaterialSystemHardwareConfig = nullptr;
IDebugTextureInfo *g_pMaterialSystemDebugTextureInfo = nullptr;
IVBAllocTracker *g_VBAllocTracker = nullptr;
IColorCorrectionSystem *colorcorrection = nullptr;
IP4 *p4 = nullptr;
IMdlLib *mdllib = nullptr;
IQueuedLoader *g_pQueuedLoader = nullptr;

namespace
{
const tierconnect::Entry s_Tier2[] = {
	TIER_ENTRY("VFileSystem020", g_pFullFileSystem),
	TIER_ENTRY2("VMaterialSystem080", materials, g_pMaterialSystem),
	TIER_ENTRY("InputSystemVersion001", g_pInputSystem),
	TIER_ENTRY("NetworkSystemVersion001", g_pNetworkSystem),
	TIER_ENTRY("MaterialSystemHardwareConfig012", g_pMaterialSystemHardwareConfig),
	TIER_ENTRY("DebugTextureInfo001", g_pMaterialSystemDebugTextureInfo),
	TIER_ENTRY("VBAllocTracker001", g_VBAllocTracker),
	TIER_ENTRY("COLORCORRECTION_VERSION_1", colorcorrection),
	TIER_ENTRY("VP4001", p4),
	TIER_ENTRY("VMDLLIB001", mdllib),
	TIER_ENTRY("QueuedLoaderVersion004", g_pQueuedLoader),
};
}

void ConnectTier2Libraries(CreateInterfaceFn *pFactoryList, int nFactoryCount)
{
	tierconnect::Fill(s_Tier2, sizeof(s_Tier2) / sizeof(s_Tier2[0]), pFactoryList, nFactoryCount);
}

void DisconnectTier2Libraries()
{
	tierconnect::Clear(s_Tier2, sizeof(s_Tier2) / sizeof(s_Tier2[0]));
}
