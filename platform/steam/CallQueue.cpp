// Asynchronous call completion and callback delivery of the stand-in.
#include "CallQueue.h"
#include "Core.h"

#include <steam/isteamremotestorage.h>

#include <algorithm>
#include <cstring>

namespace steamstandin {

CallQueue& Calls()
{
    // Never destroyed: bindings in static objects may unregister while the process exits.
    static CallQueue* queue = new CallQueue;
    return *queue;
}

SteamAPICall_t CallQueue::Start(int callbackId, CallWork work, int turns, const std::string& uploadName)
{
    SteamAPICall_t call = m_next++;
    turns = std::max(turns, 1);
    m_pending[call] = Pending{callbackId, std::move(work), turns, turns, uploadName, CallReady()};
    return call;
}

SteamAPICall_t CallQueue::StartWhenReady(int callbackId, CallReady ready, CallWork work)
{
    SteamAPICall_t call = m_next++;
    m_pending[call] = Pending{callbackId, std::move(work), 1, 1, std::string(), std::move(ready)};
    return call;
}

bool CallQueue::IsCompleted(SteamAPICall_t call, bool* ioFailure) const
{
    auto it = m_completed.find(call);
    if (it == m_completed.end())
        return false;
    if (ioFailure)
        *ioFailure = it->second.ioFailure;
    return true;
}

bool CallQueue::Fetch(SteamAPICall_t call, void* out, int size, int callbackId, bool* ioFailure)
{
    auto it = m_completed.find(call);
    if (it == m_completed.end() || it->second.taken)
        return false;
    Completed& done = it->second;
    if (ioFailure)
        *ioFailure = done.ioFailure;
    if (!out || size < 0 || callbackId != done.callbackId || static_cast<size_t>(size) != done.record.size())
        return false;
    std::memcpy(out, done.record.data(), done.record.size());
    done.taken = true;
    Record().swap(done.record);
    return true;
}

void CallQueue::RegisterResult(CCallbackBase* binding, SteamAPICall_t call)
{
    if (binding && call != k_uAPICallInvalid)
        m_results.emplace(call, binding);
}

void CallQueue::UnregisterResult(CCallbackBase* binding, SteamAPICall_t call)
{
    auto range = m_results.equal_range(call);
    for (auto it = range.first; it != range.second;) {
        if (it->second == binding)
            it = m_results.erase(it);
        else
            ++it;
    }
}

void CallQueue::RegisterCallback(CCallbackBase* binding, int callbackId)
{
    if (binding)
        m_callbacks.emplace_back(binding, callbackId);
}

void CallQueue::UnregisterCallback(CCallbackBase* binding)
{
    m_callbacks.erase(std::remove_if(m_callbacks.begin(), m_callbacks.end(),
                                     [binding](const std::pair<CCallbackBase*, int>& entry) { return entry.first == binding; }),
                      m_callbacks.end());
}

void CallQueue::Post(int callbackId, Record record)
{
    m_posts.emplace_back(callbackId, std::move(record));
}

void CallQueue::PostProgress(const std::string& uploadName, double percent)
{
    RemoteStorageAppSyncProgress_t progress;
    std::memset(&progress, 0, sizeof(progress));
    progress.m_dAppPercentComplete = percent;
    progress.m_bUploading = true;
    if (Core* core = Running())
        progress.m_nAppID = core->settings.appId;
    std::strncpy(progress.m_rgchCurrentFile, uploadName.c_str(), sizeof(progress.m_rgchCurrentFile) - 1);
    Record record(sizeof(progress));
    std::memcpy(record.data(), &progress, sizeof(progress));
    Post(RemoteStorageAppSyncProgress_t::k_iCallback, std::move(record));
}

void CallQueue::RunTurn()
{
    if (m_running)
        return; // a binding ran the callbacks again: the outer turn finishes the work
    m_running = true;

    // Advance every pending call; upload calls report progress 0, 50, 100 % before completing.
    std::vector<SteamAPICall_t> due;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        Pending& call = it->second;
        int turn = call.turns - call.turnsLeft + 1;
        if (call.turnsLeft > 1) {
            --call.turnsLeft;
            if (!call.uploadName.empty() && call.turns > 2)
                PostProgress(call.uploadName, 100.0 * (turn - 1) / (call.turns - 2));
            ++it;
            continue;
        }
        if (call.ready && !call.ready()) {
            ++it;
            continue;
        }
        bool ioFailure = false;
        Record record = call.work ? call.work(ioFailure) : Record();
        m_completed[it->first] = Completed{call.callbackId, std::move(record), ioFailure, false};
        due.push_back(it->first);
        it = m_pending.erase(it);
    }

    std::vector<std::pair<int, Record>> posts;
    posts.swap(m_posts);
    for (auto& post : posts) {
        std::vector<std::pair<CCallbackBase*, int>> listeners = m_callbacks;
        for (auto& listener : listeners) {
            if (listener.second != post.first)
                continue;
            bool stillThere = std::find(m_callbacks.begin(), m_callbacks.end(), listener) != m_callbacks.end();
            if (stillThere && listener.first->GetCallbackSizeBytes() == static_cast<int>(post.second.size()))
                listener.first->Run(post.second.data());
        }
    }

    for (SteamAPICall_t call : due) {
        auto done = m_completed.find(call);
        if (done == m_completed.end())
            continue;
        // Bindings are looked up one at a time: a handler may unregister or register others.
        for (;;) {
            auto it = m_results.find(call);
            if (it == m_results.end())
                break;
            CCallbackBase* binding = it->second;
            m_results.erase(it);
            Completed& result = done->second;
            if (result.taken || binding->GetCallbackSizeBytes() != static_cast<int>(result.record.size()) ||
                binding->GetICallback() != result.callbackId)
                continue;
            Record record;
            record.swap(result.record);
            result.taken = true;
            binding->Run(record.data(), result.ioFailure, call);
        }
    }

    // Tasks deferred while these run wait for the next turn.
    std::vector<std::function<void()>> tasks;
    tasks.swap(m_deferred);
    for (auto& task : tasks)
        task();

    m_running = false;
}

void CallQueue::Defer(std::function<void()> task)
{
    if (task)
        m_deferred.push_back(std::move(task));
}

void CallQueue::Reset()
{
    m_pending.clear();
    m_completed.clear();
    m_posts.clear();
    m_results.clear();
    m_deferred.clear();
}

} // namespace steamstandin
