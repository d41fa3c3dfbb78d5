// The HTTP interface: real GET and POST requests through libcurl, run by one worker thread,
// each completing as an HTTPRequestCompleted_t call result on a later SteamAPI_RunCallbacks on
// the caller's thread. Requests reach only loopback addresses unless the settings allow more.
#include "CallQueue.h"
#include "Core.h"

#include <curl/curl.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace steamstandin {

namespace {

// Response headers beyond this many bytes end the request unsuccessful.
const size_t kHeaderLimit = 256 * 1024;

typedef std::vector<std::pair<std::string, std::string>> HeaderList;

// One transfer as the worker runs it. The caller's thread fills the request part before handing
// it over and reads the response part only after `done` is set.
struct Transfer {
    std::string url;
    bool post = false;
    std::string form; // POST body
    bool loopbackOnly = true;
    uint64_t bodyLimit = 0;
    bool refuse = false; // made to fail by the settings: contacts nothing

    std::atomic<bool> cancelled{false};
    std::atomic<bool> done{false};

    bool successful = false;
    int32_t status = 0;
    HeaderList headers;
    size_t headerBytes = 0;
    std::string body;
    bool tooLarge = false;
};

bool IsLoopback(const sockaddr* address)
{
    if (address->sa_family == AF_INET) {
        const sockaddr_in* in4 = reinterpret_cast<const sockaddr_in*>(address);
        return (ntohl(in4->sin_addr.s_addr) >> 24) == 127;
    }
    if (address->sa_family == AF_INET6) {
        const in6_addr& in6 = reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr;
        if (IN6_IS_ADDR_LOOPBACK(&in6))
            return true;
        return IN6_IS_ADDR_V4MAPPED(&in6) && in6.s6_addr[12] == 127;
    }
    return false;
}

// Without a name lookup: only "localhost" and numeric addresses may be asked for when requests
// stay on loopback (the address itself is checked again when the socket opens).
bool HostAllowed(const std::string& url)
{
    CURLU* parsed = curl_url();
    char* host = nullptr;
    bool allowed = false;
    if (parsed && curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
        curl_url_get(parsed, CURLUPART_HOST, &host, 0) == CURLUE_OK && host) {
        std::string name = host;
        if (name.size() > 2 && name.front() == '[' && name.back() == ']')
            name = name.substr(1, name.size() - 2);
        unsigned char address[sizeof(in6_addr)];
        allowed = strcasecmp(name.c_str(), "localhost") == 0 || inet_pton(AF_INET, name.c_str(), address) == 1 ||
                  inet_pton(AF_INET6, name.c_str(), address) == 1;
    }
    curl_free(host);
    curl_url_cleanup(parsed);
    return allowed;
}

curl_socket_t OpenSocket(void* context, curlsocktype, curl_sockaddr* address)
{
    const Transfer* transfer = static_cast<const Transfer*>(context);
    if (transfer->loopbackOnly && !IsLoopback(&address->addr))
        return CURL_SOCKET_BAD;
    return socket(address->family, address->socktype, address->protocol);
}

size_t WriteBody(char* data, size_t size, size_t count, void* context)
{
    Transfer* transfer = static_cast<Transfer*>(context);
    size_t bytes = size * count;
    if (transfer->body.size() + bytes > transfer->bodyLimit) {
        transfer->tooLarge = true;
        return 0; // ends the transfer
    }
    transfer->body.append(data, bytes);
    return bytes;
}

std::string TrimSpace(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

size_t WriteHeader(char* data, size_t size, size_t count, void* context)
{
    Transfer* transfer = static_cast<Transfer*>(context);
    size_t bytes = size * count;
    transfer->headerBytes += bytes;
    if (transfer->headerBytes > kHeaderLimit)
        return 0;
    std::string line(data, bytes);
    if (line.compare(0, 5, "HTTP/") == 0) {
        transfer->headers.clear(); // a new response (after "100 Continue") starts its own list
        return bytes;
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0)
        return bytes;
    std::string name = line.substr(0, colon);
    if (name.find_first_of(" \t") != std::string::npos)
        return bytes;
    transfer->headers.emplace_back(name, TrimSpace(line.substr(colon + 1)));
    return bytes;
}

// Runs every transfer with curl's multi interface on its own thread.
class Worker {
public:
    ~Worker() { Stop(); }

    void Add(const std::shared_ptr<Transfer>& transfer)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable()) {
            if (!m_curlReady)
                m_curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
            m_multi = curl_multi_init();
            m_stop = false;
            m_thread = std::thread(&Worker::Run, this);
        }
        m_incoming.push_back(transfer);
        curl_multi_wakeup(m_multi);
    }

    void Wake()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_multi)
            curl_multi_wakeup(m_multi);
    }

    // Abandons every transfer and ends the thread.
    void Stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_thread.joinable())
                return;
            m_stop = true;
            curl_multi_wakeup(m_multi);
        }
        m_thread.join();
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& transfer : m_incoming)
            transfer->done = true;
        m_incoming.clear();
        curl_multi_cleanup(m_multi);
        m_multi = nullptr;
    }

private:
    void Run()
    {
        std::map<CURL*, std::shared_ptr<Transfer>> active;
        for (;;) {
            std::vector<std::shared_ptr<Transfer>> incoming;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_stop)
                    break;
                incoming.swap(m_incoming);
            }
            for (auto& transfer : incoming) {
                CURL* easy = transfer->refuse || transfer->cancelled ? nullptr : Prepare(*transfer);
                if (!easy || curl_multi_add_handle(m_multi, easy) != CURLM_OK) {
                    if (easy)
                        curl_easy_cleanup(easy);
                    transfer->done = true;
                    continue;
                }
                active[easy] = transfer;
            }
            for (auto it = active.begin(); it != active.end();) {
                if (!it->second->cancelled) {
                    ++it;
                    continue;
                }
                Drop(it->first);
                it->second->done = true;
                it = active.erase(it);
            }
            int running = 0;
            curl_multi_perform(m_multi, &running);
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
                if (message->msg != CURLMSG_DONE)
                    continue;
                auto it = active.find(message->easy_handle);
                if (it == active.end())
                    continue;
                Transfer& transfer = *it->second;
                long status = 0;
                curl_easy_getinfo(message->easy_handle, CURLINFO_RESPONSE_CODE, &status);
                transfer.successful = message->data.result == CURLE_OK && status > 0;
                transfer.status = transfer.successful ? static_cast<int32_t>(status) : 0;
                if (!transfer.successful) {
                    transfer.headers.clear();
                    std::string().swap(transfer.body);
                }
                Drop(it->first);
                it->second->done = true;
                active.erase(it);
            }
            curl_multi_poll(m_multi, nullptr, 0, 1000, nullptr);
        }
        for (auto& entry : active) {
            Drop(entry.first);
            entry.second->done = true;
        }
    }

    CURL* Prepare(Transfer& transfer)
    {
        if (transfer.loopbackOnly && !HostAllowed(transfer.url))
            return nullptr;
        CURL* easy = curl_easy_init();
        if (!easy)
            return nullptr;
        curl_easy_setopt(easy, CURLOPT_URL, transfer.url.c_str());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L); // the caller sees the redirect itself
        curl_easy_setopt(easy, CURLOPT_PROXY, "");           // straight to the host, never a proxy
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, 30L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, 60L);
        curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, OpenSocket);
        curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, &transfer);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, WriteBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, WriteHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
        if (transfer.post) {
            curl_easy_setopt(easy, CURLOPT_POST, 1L);
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(transfer.form.size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, transfer.form.c_str());
        } else {
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        }
        return easy;
    }

    void Drop(CURL* easy)
    {
        curl_multi_remove_handle(m_multi, easy);
        curl_easy_cleanup(easy);
    }

    std::mutex m_mutex;
    std::vector<std::shared_ptr<Transfer>> m_incoming;
    bool m_stop = false;
    bool m_curlReady = false;
    CURLM* m_multi = nullptr;
    std::thread m_thread;
};

Worker& TheWorker()
{
    static Worker worker;
    return worker;
}

// Percent-encoding of a parameter name or value, as forms and query strings carry them.
std::string Encode(const char* text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9') || *c == '-' ||
            *c == '.' || *c == '_' || *c == '~') {
            out += static_cast<char>(*c);
        } else {
            out += '%';
            out += kHex[*c >> 4];
            out += kHex[*c & 15];
        }
    }
    return out;
}

// Whether the text is an absolute http:// or https:// URL with a host, as curl reads it.
bool IsHttpUrl(const char* url)
{
    if (!url || (strncasecmp(url, "http://", 7) != 0 && strncasecmp(url, "https://", 8) != 0))
        return false;
    CURLU* parsed = curl_url();
    char* host = nullptr;
    bool valid = parsed && curl_url_set(parsed, CURLUPART_URL, url, 0) == CURLUE_OK &&
                 curl_url_get(parsed, CURLUPART_HOST, &host, 0) == CURLUE_OK && host && *host;
    curl_free(host);
    curl_url_cleanup(parsed);
    return valid;
}

// The URL with the encoded parameters added to its query (before any fragment); the URL's own
// text is kept as it is.
std::string WithQuery(const std::string& url, const std::string& query)
{
    if (query.empty())
        return url;
    size_t fragment = url.find('#');
    std::string base = url.substr(0, fragment);
    char joint = base.find('?') == std::string::npos ? '?' : (base.back() == '?' || base.back() == '&' ? '\0' : '&');
    if (joint)
        base += joint;
    base += query;
    if (fragment != std::string::npos)
        base += url.substr(fragment);
    return base;
}

class HTTP : public ISteamHTTP {
public:
    HTTPRequestHandle CreateHTTPRequest(EHTTPMethod eHTTPRequestMethod, const char* pchAbsoluteURL) override
    {
        Core* core = Running();
        if (!core || !core->settings.Failure("http_create").empty())
            return INVALID_HTTPREQUEST_HANDLE;
        if (eHTTPRequestMethod != k_EHTTPMethodGET && eHTTPRequestMethod != k_EHTTPMethodPOST)
            return INVALID_HTTPREQUEST_HANDLE;
        if (!IsHttpUrl(pchAbsoluteURL))
            return INVALID_HTTPREQUEST_HANDLE;
        HTTPRequestHandle handle = m_next++;
        if (m_next == INVALID_HTTPREQUEST_HANDLE)
            m_next = 1;
        Request& request = m_requests[handle];
        request.post = eHTTPRequestMethod == k_EHTTPMethodPOST;
        request.url = pchAbsoluteURL;
        return handle;
    }

    bool SetHTTPRequestGetOrPostParameter(HTTPRequestHandle hRequest, const char* pchParamName,
                                          const char* pchParamValue) override
    {
        Request* request = Find(hRequest);
        if (!request || request->sent || !pchParamName || !pchParamValue)
            return false;
        if (!request->parameters.empty())
            request->parameters += '&';
        request->parameters += Encode(pchParamName) + "=" + Encode(pchParamValue);
        return true;
    }

    bool SendHTTPRequest(HTTPRequestHandle hRequest, SteamAPICall_t* pCallHandle) override
    {
        Core* core = Running();
        Request* request = Find(hRequest);
        if (!core || !request || request->sent || !pCallHandle)
            return false;
        std::string failure = core->settings.Failure("http_send");
        if (failure == "call")
            return false;
        auto transfer = std::make_shared<Transfer>();
        if (request->post) {
            transfer->post = true;
            transfer->url = request->url;
            transfer->form = request->parameters;
        } else {
            transfer->url = WithQuery(request->url, request->parameters);
        }
        transfer->loopbackOnly = core->settings.httpLoopbackOnly;
        transfer->bodyLimit = static_cast<uint64_t>(std::min<int64_t>(core->settings.httpBodyLimit, UINT32_MAX));
        transfer->refuse = !failure.empty();
        bool ioFailure = failure == "io";
        request->sent = true;
        request->transfer = transfer;
        TheWorker().Add(transfer);
        *pCallHandle = Calls().StartWhenReady(
            HTTPRequestCompleted_t::k_iCallback, [transfer]() { return transfer->done.load(); },
            [this, hRequest, transfer, ioFailure](bool& io) { return Complete(hRequest, *transfer, ioFailure, io); });
        return true;
    }

    bool GetHTTPResponseHeaderValue(HTTPRequestHandle hRequest, const char* pchHeaderName, uint8_t* pHeaderValueBuffer,
                                    uint32_t unBufferSize) override
    {
        Request* request = Find(hRequest);
        if (!request || !request->completed || !pchHeaderName || !pHeaderValueBuffer)
            return false;
        for (const auto& header : request->headers) {
            if (strcasecmp(header.first.c_str(), pchHeaderName) != 0)
                continue;
            if (header.second.size() + 1 > unBufferSize)
                return false;
            std::memcpy(pHeaderValueBuffer, header.second.c_str(), header.second.size() + 1);
            return true;
        }
        return false;
    }

    bool GetHTTPResponseBodySize(HTTPRequestHandle hRequest, uint32_t* unBodySize) override
    {
        Request* request = Find(hRequest);
        if (!request || !request->completed || !unBodySize)
            return false;
        *unBodySize = static_cast<uint32_t>(request->body.size());
        return true;
    }

    bool GetHTTPResponseBodyData(HTTPRequestHandle hRequest, uint8_t* pBodyDataBuffer, uint32_t unBufferSize) override
    {
        Request* request = Find(hRequest);
        if (!request || !request->completed || unBufferSize < request->body.size())
            return false;
        if (!request->body.empty()) {
            if (!pBodyDataBuffer)
                return false;
            std::memcpy(pBodyDataBuffer, request->body.data(), request->body.size());
        }
        return true;
    }

    bool ReleaseHTTPRequest(HTTPRequestHandle hRequest) override
    {
        auto it = m_requests.find(hRequest);
        if (it == m_requests.end())
            return false;
        if (it->second.transfer && !it->second.completed) {
            it->second.transfer->cancelled = true;
            TheWorker().Wake();
        }
        m_requests.erase(it);
        return true;
    }

    // Abandons every request (Steam shuts down).
    void Shutdown()
    {
        TheWorker().Stop();
        m_requests.clear();
    }

private:
    struct Request {
        bool post = false;
        std::string url;
        std::string parameters; // encoded, joined by '&'
        bool sent = false;
        std::shared_ptr<Transfer> transfer;
        bool completed = false;
        HeaderList headers;
        std::string body;
    };

    Request* Find(HTTPRequestHandle handle)
    {
        auto it = m_requests.find(handle);
        return it == m_requests.end() ? nullptr : &it->second;
    }

    // On the caller's thread, once the worker is done: the response becomes the request's and
    // the result record tells how it ended.
    Record Complete(HTTPRequestHandle handle, Transfer& transfer, bool ioFailure, bool& io)
    {
        HTTPRequestCompleted_t result;
        std::memset(&result, 0, sizeof(result));
        result.m_hRequest = handle;
        Request* request = Find(handle);
        if (request && request->transfer.get() == &transfer && !transfer.cancelled) {
            request->completed = true;
            request->transfer.reset();
            result.m_bRequestSuccessful = transfer.successful && !ioFailure;
            result.m_eStatusCode = static_cast<EHTTPStatusCode>(result.m_bRequestSuccessful ? transfer.status : 0);
            if (result.m_bRequestSuccessful) {
                request->headers.swap(transfer.headers);
                request->body.swap(transfer.body);
            }
        }
        io = ioFailure;
        Record record(sizeof(result));
        std::memcpy(record.data(), &result, sizeof(result));
        return record;
    }

    std::map<HTTPRequestHandle, Request> m_requests;
    HTTPRequestHandle m_next = 1;
};

HTTP& TheHTTP()
{
    static HTTP http;
    return http;
}

} // namespace

ISteamHTTP* HTTPInterface()
{
    return &TheHTTP();
}

void ShutdownHTTP()
{
    TheHTTP().Shutdown();
}

} // namespace steamstandin
