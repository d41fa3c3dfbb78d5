// The lobby matchmaking interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamMatchmaking {
};

} // namespace

ISteamMatchmaking* MatchmakingInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
