// Basic Steam types, handles, result codes and callback id bases shared by every Steam interface.
#pragma once

#include <cstdint>

typedef int32_t HSteamUser;
typedef int32_t HSteamPipe;
typedef uint32_t AppId_t;
typedef uint32_t RTime32;
typedef uint64_t SteamAPICall_t;
typedef uint64_t PublishedFileId_t;
typedef uint64_t UGCHandle_t;
typedef uint64_t UGCFileWriteStreamHandle_t;
typedef uint64_t PublishedFileUpdateHandle_t;

const SteamAPICall_t k_uAPICallInvalid = 0;
const UGCFileWriteStreamHandle_t k_UGCFileStreamHandleInvalid = ~0ull;
const PublishedFileUpdateHandle_t k_PublishedFileUpdateHandleInvalid = ~0ull;

// Outcome of a Steam operation, carried in the m_eResult field of result records.
enum EResult {
    k_EResultOK = 1,
    k_EResultFail = 2,
    k_EResultNoConnection = 3,
    k_EResultInvalidParam = 8,
    k_EResultFileNotFound = 9,
    k_EResultAccessDenied = 15,
    k_EResultTimeout = 16,
    k_EResultLimitExceeded = 25,
    k_EResultIOFailure = 35,
};

// First callback id of each interface's records.
enum {
    k_iSteamUserCallbacks = 100,
    k_iSteamUtilsCallbacks = 700,
    k_iClientRemoteStorageCallbacks = 1300,
};

// A Steam account id; the stand-in's user has one fixed 64-bit id.
class CSteamID {
public:
    CSteamID() = default;
    explicit CSteamID(uint64_t ulSteamID) : m_ulSteamID(ulSteamID) {}
    uint64_t ConvertToUint64() const { return m_ulSteamID; }
    bool IsValid() const { return m_ulSteamID != 0; }
    bool operator==(const CSteamID& other) const { return m_ulSteamID == other.m_ulSteamID; }
    bool operator!=(const CSteamID& other) const { return m_ulSteamID != other.m_ulSteamID; }

private:
    uint64_t m_ulSteamID = 0;
};

// Result and callback records are packed to 4 bytes, so their sizes are the same on 32- and
// 64-bit builds.
#define STEAM_RECORD_PACK_BEGIN _Pragma("pack(push, 4)")
#define STEAM_RECORD_PACK_END _Pragma("pack(pop)")

#if defined(STEAM_API_EXPORTS)
#define S_API extern "C" __attribute__((visibility("default")))
#else
#define S_API extern "C"
#endif
