// The user interface: the stand-in's one user, whose id comes from the settings.
#include "Core.h"

namespace steamstandin {

namespace {

class User : public ISteamUser {
public:
    bool BLoggedOn() override { return Running() != nullptr; }
    CSteamID GetSteamID() override { return CSteamID(Running() ? Running()->settings.userId : 0); }
};

} // namespace

ISteamUser* UserInterface()
{
    static User user;
    return &user;
}

} // namespace steamstandin
