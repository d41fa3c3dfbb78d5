// The utilities interface: the application id and the state of asynchronous calls.
#include "CallQueue.h"
#include "Core.h"
#include "LocalFacts.h"

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

    uint32_t GetSecondsSinceAppActive() override { return SecondsSinceAppActive(); }
    uint32_t GetSecondsSinceComputerActive() override { return SecondsSinceComputerActive(); }
    const char* GetIPCountry() override
    {
        m_country = IPCountry();
        return m_country.c_str();
    }
    uint8_t GetCurrentBatteryPower() override { return BatteryPower(); }
    uint32_t GetServerRealTime() override { return Now(); }
    // The stand-in holds no images.
    bool GetImageSize(int, uint32_t*, uint32_t*) override { return false; }
    bool GetImageRGBA(int, uint8_t*, int) override { return false; }

private:
    std::string m_country;
};

} // namespace

ISteamUtils* UtilsInterface()
{
    static Utils utils;
    return &utils;
}

} // namespace steamstandin
