// The HTTP interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamHTTP {
};

} // namespace

ISteamHTTP* HTTPInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
