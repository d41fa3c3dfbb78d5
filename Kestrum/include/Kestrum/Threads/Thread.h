// Kestrum::Threads::Thread: a base class whose Run executes on a thread of its own.
// A derived class must Join in its own destructor, before its members go, if Run may still be running.
#pragma once

#include "Kestrum/Threads/Mutex.h"
#include "Kestrum/Threads/TinyThread.h"

namespace Kestrum
{
	namespace Threads
	{
		class Thread
		{
		public:
			Thread();
			// Joins a running thread before the object's lock is released.
			virtual ~Thread();

			Thread(const Thread&) = delete;
			Thread& operator=(const Thread&) = delete;

			virtual void Run() = 0;

			// Starts Run on a new thread; false when a thread already exists or the system
			// refuses a new one.
			bool StartInThread();
			// Waits for the thread to end and forgets it; nothing when none was started.
			void Join();
			bool Running();

			// The object's own lock, for short reads and writes of its state.
			void Lock() { m_Mutex.Lock(); }
			void Unlock() { m_Mutex.Unlock(); }
			bool TryLock() { return m_Mutex.TryLock(); }

			// Thread entry: marks the object running, calls Run, marks it stopped.
			static void RunInThread(void* pThread);

		private:
			tthread::thread* m_pThread;
			Mutex m_Mutex;
			bool m_bRunning;
			bool m_bEntered;	// RunInThread began: tells a refused thread from one that ended
		};
	}
}
