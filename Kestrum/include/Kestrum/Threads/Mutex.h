// Kestrum::Threads::Mutex: a spin lock over one heap word (0 free, 1 held) that yields between tries.
#pragma once

#include <atomic>
#include <cstdint>

namespace Kestrum
{
	namespace Threads
	{
		class Mutex
		{
		public:
			Mutex();
			~Mutex();

			Mutex(const Mutex&) = delete;
			Mutex& operator=(const Mutex&) = delete;

			void Lock();
			void Unlock();
			// True when it took the lock; a held lock stays held by its owner.
			bool TryLock();

		private:
			std::atomic<uint32_t>* m_pLock;
		};
	}
}
