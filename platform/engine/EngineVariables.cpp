// Console variables of the engine itself ("fps_max"), registered with the engine console when
// a host first asks for the engine client.
#include "GameContent.h"
#include "icvar.h"
#include "tier1/convar.h"
#include "tier1/interface.h"

namespace
{
ConVar fps_max("fps_max", "300", FCVAR_ARCHIVE, "Frame rate limit");
}

namespace enginestandin
{
void RegisterEngineVariables()
{
	static bool s_done = false;
	if (s_done)
		return;
	auto *console = static_cast<ICvar *>(CreateInterface(CVAR_INTERFACE_VERSION, nullptr));
	if (!console)
		return;
	console->RegisterConCommand(&fps_max);
	s_done = true;
}
}
