// The screenshots interface: offered, with no operation yet.
#include "Core.h"

namespace steamstandin {

namespace {

class Offered : public ISteamScreenshots {
};

} // namespace

ISteamScreenshots* ScreenshotsInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
