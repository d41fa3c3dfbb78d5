// Tier-3 connection: the vgui and other globals, a factory that withholds one interface.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tier1/tier3.h"

namespace
{
std::map<std::string, char> g_Objects;
void *AnswerAll(const char *name, int *)
{
	return &g_Objects[name];
}

void *AnswerAllButPanel(const char *name, int *code)
{
	return std::string(name) == "VGUI_Panel009" ? nullptr : AnswerAll(name, code);
}

struct Global
{
	const char *version;
	void *(*get)();
};
#define GLOBAL(version, global) \
	{ version, [] { return static_cast<void *>(global); } }
const Global kGlobals[] = {
	GLOBAL("VStudioRender025", g_pStudioRender),
	GLOBAL("VStudioRender025", studiorender),
	GLOBAL("VGUI_ivgui008", g_pVGui),
	GLOBAL("VGUI_Input005", g_pVGuiInput),
	GLOBAL("VGUI_Panel009", g_pVGuiPanel),
	GLOBAL("VGUI_Surface030", g_pVGuiSurface),
	GLOBAL("VGUI_Scheme010", g_pVGuiSchemeManager),
	GLOBAL("VGUI_System010", g_pVGuiSystem),
	GLOBAL("VGUI_Localize005", g_pVGuiLocalize),
	GLOBAL("MatSystemSurface008", g_pMatSystemSurface),
	GLOBAL("VDataCache003", g_pDataCache),
	GLOBAL("MDLCache004", g_pMDLCache),
	GLOBAL("MDLCache004", mdlcache),
	GLOBAL("IVideoServices002", g_pVideo),
	GLOBAL("VDmeMakeFileUtils001", g_pDmeMakefileUtils),
	GLOBAL("VPhysicsCollision007", g_pPhysicsCollision),
	GLOBAL("VSoundEmitter002", g_pSoundEmitterSystem),
	GLOBAL("VTEX_003", g_pVTex),
};
}

TEST(Tier3Connection, FillsEveryGlobalAndClearsThem)
{
	CreateInterfaceFn list[] = {AnswerAll};
	ConnectTier3Libraries(list, 1);
	for (const Global &g : kGlobals)
		EXPECT_EQ(g.get(), &g_Objects[g.version]) << g.version;
	DisconnectTier3Libraries();
	for (const Global &g : kGlobals)
		EXPECT_EQ(g.get(), nullptr) << g.version;
}

TEST(Tier3Connection, WithheldInterfaceStaysNullAndTheRestConnect)
{
	CreateInterfaceFn list[] = {AnswerAllButPanel};
	ConnectTier3Libraries(list, 1);
	EXPECT_EQ(g_pVGuiPanel, nullptr);
	EXPECT_EQ(static_cast<void *>(g_pVGuiSurface), &g_Objects["VGUI_Surface030"]);
	EXPECT_EQ(static_cast<void *>(g_pVTex), &g_Objects["VTEX_003"]);
	ConnectTier3Libraries(nullptr, -1);
	EXPECT_EQ(g_pVGuiPanel, nullptr);
	DisconnectTier3Libraries();
}
