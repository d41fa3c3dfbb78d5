// The server browser interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamMatchmakingServers {
};

} // namespace

ISteamMatchmakingServers* MatchmakingServersInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
