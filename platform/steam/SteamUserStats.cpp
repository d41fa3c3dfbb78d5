// The statistics and achievements interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamUserStats {
};

} // namespace

ISteamUserStats* UserStatsInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
