// The extraction jobs behind Kestrum::Compression::Job: each decompresses its own copy of a block
// into a file on a thread of its own. Destroy joins that thread before anything is released.
#pragma once

#include <cstdint>

#include "Kestrum/Threads/Thread.h"
#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"
#include "Kestrum/Utility/CompressionJob.h"

namespace Kestrum
{
	namespace Compression
	{
		namespace Internal
		{
			// What both jobs share: the input copy, the target name and the flags read under the
			// object's lock. A derived job's Run ends with Finish.
			class ExtractionJob : public Threads::Thread, public Job
			{
			public:
				bool Finished() override;
				void Destroy() override;
				bool Success() override;

			protected:
				ExtractionJob(const void* pData, uint32_t iLength, const BString& strFileName);
				~ExtractionJob() override;

				// Frees the input copy, then marks the job finished with the given result.
				void Finish(bool bSuccess);

				BString m_strFileName;
				AutoBuffer m_Input;

			private:
				bool m_bFinished;
				bool m_bSuccess;
			};
		}

		namespace LZMA
		{
			class ExtractionThread : public Internal::ExtractionJob
			{
			public:
				ExtractionThread(const void* pData, uint32_t iLength, const BString& strFileName);
				~ExtractionThread() override;

				void Run() override;
			};
		}

		namespace FastLZ
		{
			class ExtractionThread : public Internal::ExtractionJob
			{
			public:
				ExtractionThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize, const BString& strFileName);
				~ExtractionThread() override;

				void Run() override;

			private:
				uint32_t m_iExpectedSize;
			};
		}
	}
}
