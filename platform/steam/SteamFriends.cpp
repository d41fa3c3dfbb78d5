// The friends interface: the user's persona name and those of other users from the settings;
// overlay pages are appended, one URL a line, to <state folder>/overlay.txt.
#include "Core.h"

#include <fstream>

namespace steamstandin {

namespace {

class Friends : public ISteamFriends {
public:
    const char* GetPersonaName() override { return Running() ? Running()->settings.persona.c_str() : ""; }

    const char* GetFriendPersonaName(CSteamID steamIDFriend) override
    {
        const std::string* name = Known(steamIDFriend);
        return name ? name->c_str() : "";
    }

    bool RequestUserInformation(CSteamID steamIDUser, bool) override
    {
        // Steam would ask its servers for an unknown user; the stand-in has none to ask, so the
        // answer never comes and the name stays unknown.
        return Running() && !Known(steamIDUser);
    }

    void ActivateGameOverlayToWebPage(const char* pchURL) override
    {
        Core* core = Running();
        if (!core || !pchURL)
            return;
        std::ofstream out(core->folder + "/overlay.txt", std::ios::app | std::ios::binary);
        out << pchURL << "\n";
    }

private:
    static const std::string* Known(CSteamID id)
    {
        Core* core = Running();
        if (!core)
            return nullptr;
        if (id.ConvertToUint64() == core->settings.userId)
            return &core->settings.persona;
        auto it = core->settings.personas.find(id.ConvertToUint64());
        return it == core->settings.personas.end() ? nullptr : &it->second;
    }
};

} // namespace

ISteamFriends* FriendsInterface()
{
    static Friends friends;
    return &friends;
}

} // namespace steamstandin
