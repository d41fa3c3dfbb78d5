// The application ownership interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamApps {
};

} // namespace

ISteamApps* AppsInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
