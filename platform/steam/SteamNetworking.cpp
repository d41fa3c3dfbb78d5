// The networking interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamNetworking {
};

} // namespace

ISteamNetworking* NetworkingInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
