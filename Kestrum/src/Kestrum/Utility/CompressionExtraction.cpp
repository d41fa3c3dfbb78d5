// LZMA and FastLZ extraction jobs: copy the input, extract on a thread of their own, report through
// flags read under the object's lock. Destruction joins the thread before any member goes.
#include "Kestrum/Utility/CompressionExtraction.h"

#include "Kestrum/File/File.h"
#include "Kestrum/Utility/CompressionFastLZ.h"
#include "Kestrum/Utility/CompressionLZMA.h"

namespace Kestrum
{
	namespace Compression
	{
		namespace
		{
			// Starts the job's thread; a job whose thread object cannot be made runs here instead.
			Job* Start(Internal::ExtractionJob* pJob)
			{
				if (!pJob->StartInThread())
					pJob->Run();
				return pJob;
			}
		}

		namespace Internal
		{
			ExtractionJob::ExtractionJob(const void* pData, uint32_t iLength, const BString& strFileName)
				: m_strFileName(strFileName), m_Input(32), m_bFinished(false), m_bSuccess(false)
			{
				if (pData != nullptr)
					m_Input.Write(pData, iLength);
			}

			// Run may still be using the members: wait for it before they are destroyed.
			ExtractionJob::~ExtractionJob() { Join(); }

			void ExtractionJob::Finish(bool bSuccess)
			{
				m_Input.Clear();
				Lock();
				m_bFinished = true;
				m_bSuccess = bSuccess;
				Unlock();
			}

			bool ExtractionJob::Finished()
			{
				Lock();
				bool bFinished = m_bFinished;
				Unlock();
				return bFinished;
			}

			bool ExtractionJob::Success()
			{
				Lock();
				bool bSuccess = m_bSuccess;
				Unlock();
				return bSuccess;
			}

			void ExtractionJob::Destroy() { delete this; }
		}

		namespace LZMA
		{
			ExtractionThread::ExtractionThread(const void* pData, uint32_t iLength, const BString& strFileName)
				: ExtractionJob(pData, iLength, strFileName)
			{
			}

			// Joined here too, so Run never outlives any part of the object.
			ExtractionThread::~ExtractionThread() { Join(); }

			void ExtractionThread::Run()
			{
				Finish(ExtractToFile(m_Input.GetBase(), m_Input.GetWritten(), m_strFileName));
			}

			Job* ExtractInThread(const void* pData, uint32_t iLength, const BString& strFileName)
			{
				return Start(new ExtractionThread(pData, iLength, strFileName));
			}
		}

		namespace FastLZ
		{
			ExtractionThread::ExtractionThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize,
			                                   const BString& strFileName)
				: ExtractionJob(pData, iLength, strFileName), m_iExpectedSize(iExpectedSize)
			{
			}

			ExtractionThread::~ExtractionThread() { Join(); }

			void ExtractionThread::Run()
			{
				AutoBuffer output(32);
				if (m_iExpectedSize != 0)
					output.EnsureCapacity(m_iExpectedSize);
				bool bResult = Extract(m_Input.GetBase(), m_Input.GetWritten(), output);
				if (bResult)
				{
					// The job reports the extraction; a file that cannot be written does not change it.
					File::Write(m_strFileName, output);
				}
				Finish(bResult);
			}

			Job* ExtractInThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize, const BString& strFileName)
			{
				return Start(new ExtractionThread(pData, iLength, iExpectedSize, strFileName));
			}
		}
	}
}
