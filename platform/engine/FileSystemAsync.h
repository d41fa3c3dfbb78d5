// Asynchronous reads of the engine file system stand-in: requests wait in a queue until the
// host runs them (as the engine's reader does between frames) or a caller finishes one, and
// complete on the thread that does so.
#pragma once

#include <deque>
#include <set>
#include <string>

#include "FileSystemQueries.h"
#include "engine/standin.h"

class FileSystemAsync : public FileSystemQueries, public IAsyncReadStandIn
{
public:
    FSAsyncStatus_t AsyncReadMultiple(const FileAsyncRequest_t *pRequests, int nRequests,
                                      FSAsyncControl_t *phControls) override;
    FSAsyncStatus_t AsyncFinish(FSAsyncControl_t hControl, bool wait) override;
    void AsyncRelease(FSAsyncControl_t hControl) override;

    int RunAsyncReads() override;
    int PendingAsyncReads() const override { return static_cast<int>(m_Queue.size()); }
    int AsyncHandles() const override { return static_cast<int>(m_Jobs.size()); }

protected:
    ~FileSystemAsync();

private:
    struct Job
    {
        FileAsyncRequest_t request;
        std::string name;
        std::string pathID;
        bool hasPathID = false;
        bool done = false;
        FSAsyncStatus_t status = FSASYNC_STATUS_PENDING;
    };
    Job *Find(FSAsyncControl_t hControl) const;
    // Reads the job's file and calls its completion; the job may be gone when this returns.
    FSAsyncStatus_t Complete(Job *job);

    std::set<Job *> m_Jobs;
    std::deque<Job *> m_Queue;
};
