// Spin lock: exchange the word with 1 until the old value was 0, yielding the processor between tries.
#include "Kestrum/Threads/Mutex.h"

#include <sched.h>

namespace Kestrum
{
	namespace Threads
	{
		Mutex::Mutex() : m_pLock(new std::atomic<uint32_t>(0)) {}

		Mutex::~Mutex() { delete m_pLock; }

		void Mutex::Lock()
		{
			while (m_pLock->exchange(1, std::memory_order_acquire) == 1)
				sched_yield();
		}

		void Mutex::Unlock() { m_pLock->exchange(0, std::memory_order_release); }

		bool Mutex::TryLock() { return m_pLock->exchange(1, std::memory_order_acquire) == 0; }
	}
}
