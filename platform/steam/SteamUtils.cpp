// The utilities interface: the application id and the state of asynchronous calls.
#include "CallQueue.h"
#include "Core.h"

namespace steamstandin {

namespace {

class Utils : public ISteamUtils {
public:
    AppId_t GetAppID() override { return Running() ? Running()->settings.appId : 0; }

    bool IsAPICallCompleted(SteamAPICall_t call, bool* pbFailed) override
    {
        if (pbFailed)
            *pbFailed = false;
        return Calls().IsCompleted(call, pbFailed);
    }

    bool GetAPICallResult(SteamAPICall_t call, void* pCallback, int cubCallback, int iCallbackExpected,
                          bool* pbFailed) override
    {
        if (pbFailed)
            *pbFailed = false;
        return Calls().Fetch(call, pCallback, cubCallback, iCallbackExpected, pbFailed);
    }
};

} // namespace

ISteamUtils* UtilsInterface()
{
    static Utils utils;
    return &utils;
}

} // namespace steamstandin
