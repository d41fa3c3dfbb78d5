// The stand-in's settings file: whether Steam runs, the application, the user, the quota and the
// operations made to fail.
#pragma once

#include <steam/steamtypes.h>

#include <cstdint>
#include <map>
#include <string>

namespace steamstandin {

// The application id a fresh folder runs (the publisher's).
const AppId_t kDefaultAppId = 4120;
const uint64_t kDefaultUserId = 76561198000000001ull;
const int64_t kDefaultQuotaBytes = 500ll * 1024 * 1024;
const int64_t kDefaultHTTPBodyLimit = 64ll * 1024 * 1024;

struct Settings {
    bool running = true;
    AppId_t appId = kDefaultAppId;
    uint64_t userId = kDefaultUserId;
    std::string persona = "Zorvan Player";
    // Names of other users Steam knows ("persona_<id> = name").
    std::map<uint64_t, std::string> personas;
    int64_t quotaBytes = kDefaultQuotaBytes;
    // Counts an enumeration page reports instead of the true ones (-1: the true ones).
    int64_t enumerateTotal = -1;
    int64_t enumerateReturned = -1;
    // HTTP requests reach only loopback addresses (127.0.0.0/8, ::1, "localhost") unless off.
    bool httpLoopbackOnly = true;
    // A response body larger than this many bytes ends the request unsuccessful.
    int64_t httpBodyLimit = kDefaultHTTPBodyLimit;
    // Operation name ("stream_open", "publish", ...) -> how it fails.
    std::map<std::string, std::string> failures;

    // How the operation fails: empty when it does not.
    std::string Failure(const std::string& operation) const;
};

// Reads "key = value" lines ('#' starts a comment). A missing file gives the defaults; unknown
// keys and malformed lines are ignored.
Settings LoadSettings(const std::string& path);

} // namespace steamstandin
