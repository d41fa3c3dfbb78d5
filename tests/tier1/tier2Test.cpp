// Tier-2 connection: fills only the globals still null; disconnection clears all of them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tier1/tier2.h"

namespace
{
std::map<std::string, char> g_Objects;
void *AnswerAll(const char *name, int *)
{
	return &g_Objects[name];
}

char g_OnlyFileSystem;
void *AnswerFileSystemOnly(const char *name, int *)
{
	return std::string(name) == "VFileSystem020" ? &g_OnlyFileSystem : nullptr;
}

void *AnswerNothing(const char *, int *)
{
	return nullptr;
}

// Each global with the version string that fills it.
struct Global
{
	const char *version;
	void *(*get)();
};
#define GLOBAL(version, global) \
	{ version, [] { return static_cast<void *>(global); } }
const Global kGlobals[] = {
	GLOBAL("VFileSystem020", g_pFullFileSystem),
	GLOBAL("VMaterialSystem080", materials),
	GLOBAL("VMaterialSystem080", g_pMaterialSystem),
	GLOBAL("InputSystemVersion001", g_pInputSystem),
	GLOBAL("NetworkSystemVersion001", g_pNetworkSystem),
	GLOBAL("MaterialSystemHardwareConfig012", g_pMaterialSystemHardwareConfig),
	GLOBAL("DebugTextureInfo001", g_pMaterialSystemDebugTextureInfo),
	GLOBAL("VBAllocTracker001", g_VBAllocTracker),
	GLOBAL("COLORCORRECTION_VERSION_1", colorcorrection),
	GLOBAL("VP4001", p4),
	GLOBAL("VMDLLIB001", mdllib),
	GLOBAL("QueuedLoaderVersion004", g_pQueuedLoader),
};
}

TEST(Tier2Connection, FillsEveryGlobalFromItsVersionString)
{
	CreateInterfaceFn list[] = {AnswerNothing, AnswerAll};
	ConnectTier2Libraries(list, 2);
	for (const Global &g : kGlobals)
		EXPECT_EQ(g.get(), &g_Objects[g.version]) << g.version;

	DisconnectTier2Libraries();
	for (const Global &g : kGlobals)
		EXPECT_EQ(g.get(), nullptr) << g.version;
}

TEST(Tier2Connection, SecondCallFillsOnlyWhatIsStillNull)
{
	CreateInterfaceFn fsOnly[] = {AnswerFileSystemOnly};
	ConnectTier2Libraries(fsOnly, 1);
	EXPECT_EQ(static_cast<void *>(g_pFullFileSystem), &g_OnlyFileSystem);
	EXPECT_EQ(materials, nullptr);

	CreateInterfaceFn all[] = {AnswerAll};
	ConnectTier2Libraries(all, 0);  // an empty count does nothing
	EXPECT_EQ(materials, nullptr);
	ConnectTier2Libraries(all, 1);
	EXPECT_EQ(static_cast<void *>(g_pFullFileSystem), &g_OnlyFileSystem);
	EXPECT_EQ(static_cast<void *>(materials), &g_Objects["VMaterialSystem080"]);
	EXPECT_EQ(g_pMaterialSystem, materials);
	DisconnectTier2Libraries();
	EXPECT_EQ(g_pFullFileSystem, nullptr);
}
