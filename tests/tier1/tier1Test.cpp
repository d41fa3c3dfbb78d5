// Tier-1 connection: fills g_pCVar/cvar and g_pProcessUtils once until disconnected.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tier1/tier1.h"

namespace
{
// Answers every version string with an address of its own, stable across calls.
void *AnswerAll(const char *name, int *code)
{
	static std::map<std::string, char> objects;
	if (code)
		*code = 0;
	return &objects[name];
}

char g_OtherCvar;
void *AnswerCvarOnly(const char *name, int *)
{
	return std::string(name) == "VEngineCvar004" ? &g_OtherCvar : nullptr;
}
}

TEST(Tier1Connection, ConnectsOnceUntilDisconnected)
{
	CreateInterfaceFn all[] = {AnswerAll};
	CreateInterfaceFn cvarOnly[] = {AnswerCvarOnly};

	ConnectTier1Libraries(cvarOnly, 1);
	EXPECT_EQ(g_pCVar, reinterpret_cast<ICvar *>(&g_OtherCvar));
	EXPECT_EQ(cvar, g_pCVar);
	EXPECT_EQ(g_pProcessUtils, nullptr);

	// Connected already: another call changes nothing, even with a factory that answers all.
	ConnectTier1Libraries(all, 1);
	EXPECT_EQ(g_pCVar, reinterpret_cast<ICvar *>(&g_OtherCvar));
	EXPECT_EQ(g_pProcessUtils, nullptr);

	DisconnectTier1Libraries();
	EXPECT_EQ(g_pCVar, nullptr);
	EXPECT_EQ(cvar, nullptr);

	ConnectTier1Libraries(all, 1);
	EXPECT_EQ(g_pCVar, AnswerAll("VEngineCvar004", nullptr));
	EXPECT_EQ(cvar, g_pCVar);
	EXPECT_EQ(g_pProcessUtils, AnswerAll("VProcessUtils001", nullptr));
	DisconnectTier1Libraries();
	EXPECT_EQ(g_pProcessUtils, nullptr);
	DisconnectTier1Libraries();  // not connected: nothing to do
}

TEST(Tier1Connection, FirstAnsweringFactoryWinsAndEmptyListCountsAsConnected)
{
	CreateInterfaceFn both[] = {AnswerCvarOnly, AnswerAll};
	ConnectTier1Libraries(both, 2);
	EXPECT_EQ(g_pCVar, reinterpret_cast<ICvar *>(&g_OtherCvar));
	EXPECT_EQ(g_pProcessUtils, AnswerAll("VProcessUtils001", nullptr));
	DisconnectTier1Libraries();

	ConnectTier1Libraries(nullptr, 0);
	EXPECT_EQ(g_pCVar, nullptr);
	CreateInterfaceFn all[] = {AnswerAll};
	ConnectTier1Libraries(all, 1);  // still connected from the empty call
	EXPECT_EQ(g_pCVar, nullptr);
	DisconnectTier1Libraries();
}
