// Tier-1 interface globals (console variables, process utilities) and their connection from
// the factories the host hands over. The interfaces themselves are declared by their owners.
#pragma once

#include "tier1/interface.h"

class ICvar;
class IProcessUtils;

// cvar and g_pCVar always hold the same value.
extern ICvar *cvar;
extern ICvar *g_pCVar;
extern IProcessUtils *g_pProcessUtils;

// Fills the still-null tier-1 globals, asking the factories in list order; runs once until
// DisconnectTier1Libraries.
void ConnectTier1Libraries(CreateInterfaceFn *pFactoryList, int nFactoryCount);
void DisconnectTier1Libraries();
