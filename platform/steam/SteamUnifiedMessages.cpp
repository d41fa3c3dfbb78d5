// The unified messages interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamUnifiedMessages {
};

} // namespace

ISteamUnifiedMessages* UnifiedMessagesInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
