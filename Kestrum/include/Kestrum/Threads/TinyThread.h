// tthread::thread: a small thread object over POSIX threads, with small process-wide thread ids.
#pragma once

#include <pthread.h>

namespace tthread
{
	class thread
	{
	public:
		// A small number naming a thread within the process; 0 names no thread.
		class id
		{
		public:
			id() : mId(0) {}
			explicit id(unsigned long aId) : mId(aId) {}
			bool operator==(const id& other) const { return mId == other.mId; }
			bool operator!=(const id& other) const { return mId != other.mId; }
			bool operator<(const id& other) const { return mId < other.mId; }
			unsigned long value() const { return mId; }

		private:
			unsigned long mId;
		};

		thread();
		// Starts aFunction(aArg) on a new thread; when that fails the object is not joinable.
		thread(void (*aFunction)(void*), void* aArg);
		// Ends the process (terminate) when the thread is still joinable.
		~thread();

		thread(const thread&) = delete;
		thread& operator=(const thread&) = delete;

		// True while the thread runs and has been neither joined nor detached.
		bool joinable() const;
		// Waits for the thread to end; returns at once when there is nothing to wait for.
		void join();
		void detach();
		id get_id() const;

		static unsigned hardware_concurrency();

	private:
		static void* wrapper_function(void* aArg);

		pthread_t mHandle;
		mutable pthread_mutex_t mDataMutex;
		bool mNotAThread;
		// A created thread's resources are held until it is joined or detached, even after it
		// ended on its own (which already clears joinable).
		bool mJoinPending;
		// The running thread's start record, so detach can cut its link back to this object.
		void* mStartInfo;
	};

	namespace this_thread
	{
		thread::id get_id();
	}
}
