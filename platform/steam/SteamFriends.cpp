// The friends interface: the user's persona name from the settings.
#include "Core.h"

namespace steamstandin {

namespace {

class Friends : public ISteamFriends {
public:
    const char* GetPersonaName() override { return Running() ? Running()->settings.persona.c_str() : ""; }
};

} // namespace

ISteamFriends* FriendsInterface()
{
    static Friends friends;
    return &friends;
}

} // namespace steamstandin
