// tthread::thread over pthreads; ids come from one process-wide map of handles to numbers.
#include "Kestrum/Threads/TinyThread.h"

#include <cstring>
#include <exception>
#include <map>
#include <new>

#include <unistd.h>

namespace tthread
{
	namespace
	{
		struct _thread_start_info
		{
			void (*mFunction)(void*);
			void* mArg;
			thread* mThread;
		};

		struct PthreadLess
		{
			bool operator()(const pthread_t& a, const pthread_t& b) const
			{
				// pthread_t is an integer or a pointer on every POSIX system we build for.
				unsigned long x, y;
				memcpy(&x, &a, sizeof(x));
				memcpy(&y, &b, sizeof(y));
				return x < y;
			}
		};
		static_assert(sizeof(pthread_t) == sizeof(unsigned long), "pthread_t is compared as a number");

		// Guards the link from a start record to its thread object (cut by detach).
		pthread_mutex_t linkLock = PTHREAD_MUTEX_INITIALIZER;

		pthread_mutex_t idMapLock = PTHREAD_MUTEX_INITIALIZER;
		std::map<pthread_t, unsigned long, PthreadLess>* idMap;
		unsigned long idCount = 1;

		thread::id HandleToId(const pthread_t& aHandle)
		{
			pthread_mutex_lock(&idMapLock);
			if (idMap == nullptr)
				idMap = new std::map<pthread_t, unsigned long, PthreadLess>();
			unsigned long& number = (*idMap)[aHandle];
			if (number == 0)
				number = idCount++;
			unsigned long result = number;
			pthread_mutex_unlock(&idMapLock);
			return thread::id(result);
		}
	}

	thread::thread() : mHandle(), mNotAThread(true), mJoinPending(false), mStartInfo(nullptr) { pthread_mutex_init(&mDataMutex, nullptr); }

	thread::thread(void (*aFunction)(void*), void* aArg) : mHandle(), mNotAThread(true), mJoinPending(false), mStartInfo(nullptr)
	{
		pthread_mutex_init(&mDataMutex, nullptr);
		pthread_mutex_lock(&mDataMutex);
		_thread_start_info* info = new (std::nothrow) _thread_start_info{aFunction, aArg, this};
		if (info != nullptr)
		{
			mNotAThread = false;
			mStartInfo = info;
			if (pthread_create(&mHandle, nullptr, wrapper_function, info) == 0)
				mJoinPending = true;
			else
			{
				mHandle = pthread_t();
				mNotAThread = true;
				mStartInfo = nullptr;
				delete info;
			}
		}
		pthread_mutex_unlock(&mDataMutex);
	}

	thread::~thread()
	{
		if (joinable())
			std::terminate();
		// Ended on its own but never joined: let the system reclaim it.
		if (mJoinPending)
			pthread_detach(mHandle);
		pthread_mutex_destroy(&mDataMutex);
	}

	void* thread::wrapper_function(void* aArg)
	{
		_thread_start_info* info = static_cast<_thread_start_info*>(aArg);
		try
		{
			info->mFunction(info->mArg);
		}
		catch (...)
		{
			std::terminate();
		}
		pthread_mutex_lock(&linkLock);
		if (thread* owner = info->mThread)
		{
			pthread_mutex_lock(&owner->mDataMutex);
			owner->mNotAThread = true;
			owner->mStartInfo = nullptr;
			pthread_mutex_unlock(&owner->mDataMutex);
		}
		pthread_mutex_unlock(&linkLock);
		delete info;
		return nullptr;
	}

	bool thread::joinable() const
	{
		pthread_mutex_lock(&mDataMutex);
		bool result = !mNotAThread;
		pthread_mutex_unlock(&mDataMutex);
		return result;
	}

	void thread::join()
	{
		pthread_mutex_lock(&mDataMutex);
		bool pending = mJoinPending;
		mJoinPending = false;
		pthread_mutex_unlock(&mDataMutex);
		if (pending)
		{
			pthread_join(mHandle, nullptr);
			pthread_mutex_lock(&mDataMutex);
			mNotAThread = true;
			pthread_mutex_unlock(&mDataMutex);
		}
	}

	void thread::detach()
	{
		// A detached thread may outlive this object: its record must not point back here.
		pthread_mutex_lock(&linkLock);
		pthread_mutex_lock(&mDataMutex);
		if (mStartInfo != nullptr)
			static_cast<_thread_start_info*>(mStartInfo)->mThread = nullptr;
		mStartInfo = nullptr;
		if (mJoinPending)
		{
			pthread_detach(mHandle);
			mJoinPending = false;
		}
		mNotAThread = true;
		pthread_mutex_unlock(&mDataMutex);
		pthread_mutex_unlock(&linkLock);
	}

	thread::id thread::get_id() const
	{
		if (!joinable())
			return id();
		return HandleToId(mHandle);
	}

	unsigned thread::hardware_concurrency()
	{
		long count = sysconf(_SC_NPROCESSORS_ONLN);
		return count > 0 ? static_cast<unsigned>(count) : 0;
	}

	thread::id this_thread::get_id() { return HandleToId(pthread_self()); }
}
