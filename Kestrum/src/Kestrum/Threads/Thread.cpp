// Thread objects over tthread::thread: Run on its own thread, a running flag under the object's lock.
#include "Kestrum/Threads/Thread.h"

#include <new>

namespace Kestrum
{
	namespace Threads
	{
		Thread::Thread() : m_pThread(nullptr), m_bRunning(false), m_bEntered(false) {}

		Thread::~Thread() { Join(); }

		bool Thread::StartInThread()
		{
			if (m_pThread != nullptr)
				return false;
			Lock();
			m_bEntered = false;
			Unlock();
			tthread::thread* pThread = new (std::nothrow) tthread::thread(RunInThread, this);
			// A thread stops being joinable only after its function returned, so one that is not
			// joinable and never entered RunInThread was refused by the system.
			if (pThread != nullptr && !pThread->joinable())
			{
				Lock();
				bool bEntered = m_bEntered;
				Unlock();
				if (!bEntered)
				{
					delete pThread;
					return false;
				}
			}
			if (pThread == nullptr)
				return false;
			m_pThread = pThread;
			return true;
		}

		void Thread::Join()
		{
			if (m_pThread == nullptr)
				return;
			m_pThread->join();
			delete m_pThread;
			m_pThread = nullptr;
		}

		bool Thread::Running()
		{
			Lock();
			bool bRunning = m_bRunning;
			Unlock();
			return bRunning;
		}

		void Thread::RunInThread(void* pThread)
		{
			Thread* pSelf = static_cast<Thread*>(pThread);
			pSelf->Lock();
			pSelf->m_bRunning = true;
			pSelf->m_bEntered = true;
			pSelf->Unlock();
			pSelf->Run();
			pSelf->Lock();
			pSelf->m_bRunning = false;
			pSelf->Unlock();
		}
	}
}
