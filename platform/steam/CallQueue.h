// Asynchronous calls and callbacks: calls complete on a later SteamAPI_RunCallbacks, whose turn
// also delivers posted callback records and completed results to registered bindings.
#pragma once

#include <steam/steamcallback.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace steamstandin {

typedef std::vector<unsigned char> Record;

// Fills a call's result record when it completes; sets ioFailure for an I/O failure.
typedef std::function<Record(bool& ioFailure)> CallWork;
// Whether work done elsewhere (another thread) has finished, so the call may complete.
typedef std::function<bool()> CallReady;

class CallQueue {
public:
    // Starts a call that completes after `turns` runs of the callbacks (at least 1). When
    // uploadName is set, the turns before completion post upload progress records for it.
    SteamAPICall_t Start(int callbackId, CallWork work, int turns = 1, const std::string& uploadName = std::string());
    // Starts a call that completes on the first run of the callbacks at which `ready` answers
    // true (checked on the caller's thread, from the next run on).
    SteamAPICall_t StartWhenReady(int callbackId, CallReady ready, CallWork work);

    bool IsCompleted(SteamAPICall_t call, bool* ioFailure) const;
    bool Fetch(SteamAPICall_t call, void* out, int size, int callbackId, bool* ioFailure);

    void RegisterResult(CCallbackBase* binding, SteamAPICall_t call);
    void UnregisterResult(CCallbackBase* binding, SteamAPICall_t call);
    void RegisterCallback(CCallbackBase* binding, int callbackId);
    void UnregisterCallback(CCallbackBase* binding);

    // Queues a callback record for the next turn.
    void Post(int callbackId, Record record);

    // Runs the task in the next turn, after posts and results are delivered (interfaces whose
    // answers go to receiver objects rather than records: the server browser).
    void Defer(std::function<void()> task);

    // One turn: advances pending calls, then delivers posted records and completed results.
    void RunTurn();

    // Drops pending calls, results and posts (registrations stay with their owners).
    void Reset();

private:
    struct Pending {
        int callbackId;
        CallWork work;
        int turnsLeft;
        int turns;
        std::string uploadName;
        CallReady ready;
    };
    struct Completed {
        int callbackId;
        Record record;
        bool ioFailure;
        bool taken; // fetched or delivered: the record is gone, the call stays completed
    };

    void PostProgress(const std::string& uploadName, double percent);

    SteamAPICall_t m_next = 1;
    std::map<SteamAPICall_t, Pending> m_pending;
    std::map<SteamAPICall_t, Completed> m_completed;
    std::vector<std::pair<int, Record>> m_posts;
    std::vector<std::function<void()>> m_deferred;
    std::multimap<SteamAPICall_t, CCallbackBase*> m_results;
    std::vector<std::pair<CCallbackBase*, int>> m_callbacks;
    bool m_running = false;
};

// The process's one queue; it outlives start-up and shut-down so bindings can register anytime.
CallQueue& Calls();

} // namespace steamstandin
