// Handle of a background extraction: poll Finished, read Success, then call Destroy exactly once.
#pragma once

namespace Kestrum
{
	namespace Compression
	{
		class Job
		{
		public:
			virtual bool Finished() = 0;
			// Waits for the job's thread to end, then releases the whole job.
			virtual void Destroy() = 0;
			virtual bool Success() = 0;
		};
	}
}
