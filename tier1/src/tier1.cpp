// Tier-1 interface globals and their one-time connection.
#include "tier1/tier1.h"

#include "tierconnect.h"

ICvar *cvar = nullptr;
ICvar *g_pCVar = nullptr;
IProcessUtils *g_pProcessUtils = nullptr;

namespace
{
bool s_bConnected = false;

const tierconnect::Entry s_Tier1[] = {
	TIER_ENTRY2("VEngineCvar004", g_pCVar, cvar),
	TIER_ENTRY("VProcessUtils001", g_pProcessUtils),
};
}

void ConnectTier1Libraries(CreateInterfaceFn *pFactoryList, int nFactoryCount)
{
	if (s_bConnected)
		return;
	s_bConnected = true;
	tierconnect::Fill(s_Tier1, sizeof(s_Tier1) / sizeof(s_Tier1[0]), pFactoryList, nFactoryCount);
}

void DisconnectTier1Libraries()
{
	if (!s_bConnected)
		return;
	tierconnect::Clear(s_Tier1, sizeof(s_Tier1) / sizeof(s_Tier1[0]));
	s_bConnected = false;
}
