// tier0 threading helpers: the reader-writer lock that guards shared tables.
#pragma once

#include <condition_variable>
#include <mutex>

#include "tier0/platform.h"

// Many readers or one writer. A waiting writer holds back new readers so that writers
// are not starved.
class TIER0_API CThreadRWLock {
public:
    CThreadRWLock();
    ~CThreadRWLock();
    CThreadRWLock(const CThreadRWLock &) = delete;
    CThreadRWLock &operator=(const CThreadRWLock &) = delete;

    void LockForRead();
    void UnlockRead();
    void LockForWrite();
    void UnlockWrite();

    void LockForRead() const { const_cast<CThreadRWLock *>(this)->LockForRead(); }
    void UnlockRead() const { const_cast<CThreadRWLock *>(this)->UnlockRead(); }

private:
    // Blocks, with m_mutex held through lock, until no writer is active or pending.
    void WaitForRead(std::unique_lock<std::mutex> &lock);

    std::mutex m_mutex;
    std::condition_variable m_CanWrite;
    std::condition_variable m_CanRead;
    int m_nActiveWriters;
    int m_nPendingWriters;
    int m_nActiveReaders;
};
