// Reader-writer lock of the tier0 stand-in over one mutex and two condition variables.
#include "tier0/threadtools.h"

CThreadRWLock::CThreadRWLock() : m_nActiveWriters(0), m_nPendingWriters(0), m_nActiveReaders(0) {}

CThreadRWLock::~CThreadRWLock() = default;

void CThreadRWLock::WaitForRead(std::unique_lock<std::mutex> &lock) {
    m_CanRead.wait(lock, [this] { return m_nActiveWriters == 0 && m_nPendingWriters == 0; });
}

void CThreadRWLock::LockForRead() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_nActiveWriters || m_nPendingWriters) WaitForRead(lock);
    ++m_nActiveReaders;
}

void CThreadRWLock::UnlockRead() {
    std::unique_lock<std::mutex> lock(m_mutex);
    --m_nActiveReaders;
    if (m_nActiveReaders == 0 && m_nPendingWriters) m_CanWrite.notify_one();
}

void CThreadRWLock::LockForWrite() {
    std::unique_lock<std::mutex> lock(m_mutex);
    ++m_nPendingWriters;
    m_CanWrite.wait(lock, [this] { return m_nActiveWriters == 0 && m_nActiveReaders == 0; });
    --m_nPendingWriters;
    m_nActiveWriters = 1;
}

void CThreadRWLock::UnlockWrite() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_nActiveWriters = 0;
    if (m_nPendingWriters)
        m_CanWrite.notify_one();
    else
        m_CanRead.notify_all();
}
