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
		namespace LZMA
		{
			class ExtractionThread : public Threads::Thread, public Job
			{
			public:
				ExtractionThread(const void* pData, uint32_t iLength, const BString& strFileName);
				~ExtractionThread() override;

				void Run() override;
				bool Finished() override;
				void Destroy() override;
				bool Success() override;

			private:
				BString m_strFileName;
				AutoBuffer m_Input;
				bool m_bFinished;
				bool m_bSuccess;
			};
		}

		namespace FastLZ
		{
			class ExtractionThread : public Threads::Thread, public Job
			{
			public:
				ExtractionThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize, const BString& strFileName);
				~ExtractionThread() override;

				void Run() override;
				bool Finished() override;
				void Destroy() override;
				bool Success() override;

			private:
				BString m_strFileName;
				AutoBuffer m_Input;
				uint32_t m_iExpectedSize;
				bool m_bFinished;
				bool m_bSuccess;
			};
		}
	}
}
