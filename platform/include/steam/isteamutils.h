// Utilities ("SteamUtils005"): the running application and the state of asynchronous calls.
#pragma once

#include "steamtypes.h"

#define STEAMUTILS_INTERFACE_VERSION "SteamUtils005"

class ISteamUtils {
public:
    // Id of the application Steam runs this process for.
    virtual AppId_t GetAppID() = 0;
    // True once the call has completed; *pbFailed then tells whether it failed with an I/O error.
    virtual bool IsAPICallCompleted(SteamAPICall_t hSteamAPICall, bool* pbFailed) = 0;
    // Copies a completed call's result record (of cubCallback bytes and callback id
    // iCallbackExpected) into pCallback. False when the call is unknown, not completed, already
    // fetched, or the size or id do not match. *pbFailed tells whether the call had an I/O error.
    virtual bool GetAPICallResult(SteamAPICall_t hSteamAPICall, void* pCallback, int cubCallback,
                                  int iCallbackExpected, bool* pbFailed) = 0;
    // Seconds since the application, and since the computer, became active.
    virtual uint32_t GetSecondsSinceAppActive() = 0;
    virtual uint32_t GetSecondsSinceComputerActive() = 0;
    // Two-letter country code of the user's IP address.
    virtual const char* GetIPCountry() = 0;
    // Battery charge in percent; 255 when the computer runs on mains power.
    virtual uint8_t GetCurrentBatteryPower() = 0;
    // Steam's clock, Unix seconds.
    virtual uint32_t GetServerRealTime() = 0;
    // Width and height of an image Steam holds; false for an unknown handle.
    virtual bool GetImageSize(int iImage, uint32_t* pnWidth, uint32_t* pnHeight) = 0;
    // Copies the image as RGBA bytes into a buffer of nDestBufferSize bytes; false for an unknown
    // handle or a buffer smaller than width x height x 4.
    virtual bool GetImageRGBA(int iImage, uint8_t* pubDest, int nDestBufferSize) = 0;

protected:
    virtual ~ISteamUtils() = default;
};
