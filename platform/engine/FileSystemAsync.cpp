// Asynchronous reads of the engine file system stand-in.
#include "FileSystemAsync.h"

#include <algorithm>
#include <cstring>

#include "tier1/utlbuffer.h"

FileSystemAsync::~FileSystemAsync()
{
    for (Job *job : m_Jobs)
        delete job;
}

FileSystemAsync::Job *FileSystemAsync::Find(FSAsyncControl_t hControl) const
{
    Job *job = reinterpret_cast<Job *>(hControl);
    return job && m_Jobs.count(job) ? job : nullptr;
}

FSAsyncStatus_t FileSystemAsync::AsyncReadMultiple(const FileAsyncRequest_t *pRequests, int nRequests,
                                                   FSAsyncControl_t *phControls)
{
    if (!pRequests || nRequests <= 0)
        return FSASYNC_ERR_FAILURE;
    for (int i = 0; i < nRequests; ++i) {
        Job *job = new Job;
        job->request = pRequests[i];
        job->name = pRequests[i].pszFilename ? pRequests[i].pszFilename : "";
        job->hasPathID = pRequests[i].pszPathID != nullptr;
        job->pathID = job->hasPathID ? pRequests[i].pszPathID : "";
        // The request keeps pointing at the job's own copies: the caller's texts may go.
        job->request.pszFilename = job->name.c_str();
        job->request.pszPathID = job->hasPathID ? job->pathID.c_str() : nullptr;
        m_Jobs.insert(job);
        m_Queue.push_back(job);
        if (phControls)
            phControls[i] = reinterpret_cast<FSAsyncControl_t>(job);
    }
    return FSASYNC_OK;
}

FSAsyncStatus_t FileSystemAsync::Complete(Job *job)
{
    m_Queue.erase(std::remove(m_Queue.begin(), m_Queue.end(), job), m_Queue.end());
    FileAsyncRequest_t request = job->request;
    CUtlBuffer buf;
    FSAsyncStatus_t status = FSASYNC_OK;
    if (request.nOffset < 0 || request.nBytes < 0 || (request.pData && request.nBytes == 0))
        status = FSASYNC_ERR_FAILURE;  // no room given for the caller's own buffer
    else if (!ReadFile(request.pszFilename, request.pszPathID, buf, request.nBytes, request.nOffset))
        status = FileExists(request.pszFilename, request.pszPathID) ? FSASYNC_ERR_READING : FSASYNC_ERR_FILEOPEN;
    int nRead = status == FSASYNC_OK ? buf.TellPut() : 0;
    if (status == FSASYNC_OK) {
        if (request.pData)
            memcpy(request.pData, buf.Base(), static_cast<size_t>(nRead));
        else
            request.pData = buf.Base();
    }
    job->done = true;
    job->status = status;
    // The completion may release the job: nothing of it is touched afterwards.
    if (request.pfnCallback)
        request.pfnCallback(request, nRead, status);
    return status;
}

FSAsyncStatus_t FileSystemAsync::AsyncFinish(FSAsyncControl_t hControl, bool wait)
{
    Job *job = Find(hControl);
    if (!job)
        return FSASYNC_ERR_FAILURE;
    if (job->done)
        return job->status;
    return wait ? Complete(job) : FSASYNC_STATUS_PENDING;
}

void FileSystemAsync::AsyncRelease(FSAsyncControl_t hControl)
{
    Job *job = Find(hControl);
    if (!job)
        return;
    m_Queue.erase(std::remove(m_Queue.begin(), m_Queue.end(), job), m_Queue.end());
    m_Jobs.erase(job);
    delete job;
}

int FileSystemAsync::RunAsyncReads()
{
    // Reads queued by a completion wait for the next run.
    std::deque<Job *> batch;
    batch.swap(m_Queue);
    int count = 0;
    while (!batch.empty()) {
        Job *job = batch.front();
        batch.pop_front();
        if (!Find(reinterpret_cast<FSAsyncControl_t>(job)) || job->done)
            continue;  // released or finished by an earlier completion
        Complete(job);
        ++count;
    }
    return count;
}
