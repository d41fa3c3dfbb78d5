// Entry points of libsteam_api: start-up and shut-down of the stand-in, callback dispatch.
#include "CallQueue.h"
#include "Core.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace steamstandin {

namespace {

std::unique_ptr<Core>& TheCore()
{
    static std::unique_ptr<Core> core;
    return core;
}

} // namespace

Core* Running()
{
    return TheCore().get();
}

std::string StateFolder()
{
    const char* folder = std::getenv("ZV_STEAM_DIR");
    if (folder && *folder)
        return folder;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = getpwuid(geteuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    if (!home || !*home)
        return std::string();
    return std::string(home) + "/.local/share/zv-steam";
}

RTime32 Now()
{
    return static_cast<RTime32>(std::time(nullptr));
}

} // namespace steamstandin

using namespace steamstandin;

S_API bool SteamAPI_InitSafe()
{
    if (Running())
        return true;
    std::unique_ptr<Core> core(new Core);
    core->folder = StateFolder();
    if (core->folder.empty() || !MakeFolders(core->folder)) {
        std::fprintf(stderr, "steam stand-in: cannot use the state folder \"%s\"\n", core->folder.c_str());
        return false;
    }
    core->settings = LoadSettings(core->folder + "/settings.txt");
    if (!core->settings.running)
        return false;
    if (!core->cloud.Open(core->folder) || !core->workshop.Open(core->folder)) {
        std::fprintf(stderr, "steam stand-in: cannot open the cloud or workshop in \"%s\"\n", core->folder.c_str());
        return false;
    }
    TheCore() = std::move(core);
    return true;
}

S_API void SteamAPI_Shutdown()
{
    Calls().Reset();
    ShutdownHTTP();
    TheCore().reset();
}

S_API void SteamAPI_RunCallbacks()
{
    if (Running())
        Calls().RunTurn();
}

S_API HSteamUser SteamAPI_GetHSteamUser()
{
    return Running() ? kUser : 0;
}

S_API HSteamPipe SteamAPI_GetHSteamPipe()
{
    return Running() ? kPipe : 0;
}

S_API ISteamClient* SteamClient()
{
    return Running() ? ClientInterface() : nullptr;
}

S_API void SteamAPI_RegisterCallback(CCallbackBase* pCallback, int iCallback)
{
    Calls().RegisterCallback(pCallback, iCallback);
}

S_API void SteamAPI_UnregisterCallback(CCallbackBase* pCallback)
{
    Calls().UnregisterCallback(pCallback);
}

S_API void SteamAPI_RegisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall)
{
    Calls().RegisterResult(pCallback, hAPICall);
}

S_API void SteamAPI_UnregisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall)
{
    Calls().UnregisterResult(pCallback, hAPICall);
}
