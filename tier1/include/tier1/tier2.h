// Tier-2 interface globals (file system, material system, input, network, ...) and their
// connection from the host's factories.
#pragma once

#include "tier1/tier1.h"

class IFileSystem;
class IMaterialSystem;
class IInputSystem;
class INetworkSystem;
class IMaterialSystemHardwareConfig;
class IDebugTextureInfo;
class IVBAllocTracker;
class IColorCorrectionSystem;
class IP4;
class IMdlLib;
class IQueuedLoader;

extern IFileSystem *g_pFullFileSystem;
// materials and g_pMaterialSystem always hold the same value.
extern IMaterialSystem *materials;
extern IMaterialSystem *g_pMaterialSystem;
extern IInputSystem *g_pInputSystem;
extern INetworkSystem *g_pNetworkSystem;
extern IMaterialSystemHardwareConfig *g_pMaterialSystemHardwareConfig;
extern IDebugTextureInfo *g_pMaterialSystemDebugTextureInfo;
extern IVBAllocTracker *g_VBAllocTracker;
extern IColorCorrectionSystem *colorcorrection;
extern IP4 *p4;
extern IMdlLib *mdllib;
extern IQueuedLoader *g_pQueuedLoader;

// Fills the still-null tier-2 globals, asking the factories in list order.
void ConnectTier2Libraries(CreateInterfaceFn *pFactoryList, int nFactoryCount);
// Sets every tier-2 global to null.
void DisconnectTier2Libraries();
