// HTTP requests ("STEAMHTTP_INTERFACE_VERSION002"): create a GET or POST request, add its
// parameters, send it, and read the response once its HTTPRequestCompleted_t result arrives.
#pragma once

#include "steamtypes.h"

#define STEAMHTTP_INTERFACE_VERSION "STEAMHTTP_INTERFACE_VERSION002"

typedef uint32_t HTTPRequestHandle;
const HTTPRequestHandle INVALID_HTTPREQUEST_HANDLE = 0;

enum EHTTPMethod {
    k_EHTTPMethodInvalid = 0,
    k_EHTTPMethodGET = 1,
    k_EHTTPMethodPOST = 3,
};

// The response's HTTP status code (200, 404, ...); 0 when no response arrived.
enum EHTTPStatusCode : int32_t {
    k_EHTTPStatusCodeInvalid = 0,
    k_EHTTPStatusCode200OK = 200,
    k_EHTTPStatusCode404NotFound = 404,
};

enum {
    k_iClientHTTPCallbacks = 2100,
};

STEAM_RECORD_PACK_BEGIN

// Result of SendHTTPRequest's call: the request ended with a response (successful) or without
// one (connection refused, timed out, response too large: not successful).
struct HTTPRequestCompleted_t {
    enum { k_iCallback = k_iClientHTTPCallbacks + 1 };
    HTTPRequestHandle m_hRequest;
    uint64_t m_ulContextValue;
    bool m_bRequestSuccessful;
    EHTTPStatusCode m_eStatusCode;
};

STEAM_RECORD_PACK_END

static_assert(sizeof(HTTPRequestCompleted_t) == 20, "HTTPRequestCompleted_t is 20 bytes on every build");

class ISteamHTTP {
public:
    // A new request for an absolute "http://" or "https://" URL; INVALID_HTTPREQUEST_HANDLE
    // for any other URL or method.
    virtual HTTPRequestHandle CreateHTTPRequest(EHTTPMethod eHTTPRequestMethod, const char* pchAbsoluteURL) = 0;
    // Adds a parameter: to the URL's query for GET, to the form body for POST. False for an
    // unknown or already sent request.
    virtual bool SetHTTPRequestGetOrPostParameter(HTTPRequestHandle hRequest, const char* pchParamName,
                                                  const char* pchParamValue) = 0;
    // Sends the request; *pCallHandle gets the call whose HTTPRequestCompleted_t result tells
    // how it ended. False for an unknown or already sent request.
    virtual bool SendHTTPRequest(HTTPRequestHandle hRequest, SteamAPICall_t* pCallHandle) = 0;
    // Copies the value of the response header named exactly pchHeaderName (case aside) and a
    // terminating zero. False when the response has no such header, the buffer is too small,
    // or the request has not completed.
    virtual bool GetHTTPResponseHeaderValue(HTTPRequestHandle hRequest, const char* pchHeaderName,
                                            uint8_t* pHeaderValueBuffer, uint32_t unBufferSize) = 0;
    virtual bool GetHTTPResponseBodySize(HTTPRequestHandle hRequest, uint32_t* unBodySize) = 0;
    // Copies the body; false when the buffer is smaller than the body.
    virtual bool GetHTTPResponseBodyData(HTTPRequestHandle hRequest, uint8_t* pBodyDataBuffer,
                                         uint32_t unBufferSize) = 0;
    // Frees the request and its response; a request still in flight is abandoned.
    virtual bool ReleaseHTTPRequest(HTTPRequestHandle hRequest) = 0;

protected:
    virtual ~ISteamHTTP() = default;
};
