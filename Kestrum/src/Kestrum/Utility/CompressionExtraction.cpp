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
			// Starts the job's thread; a job whose thread cannot start is finished and failed.
			template <typename JobT>
			Job* Start(JobT* pJob)
			{
				if (!pJob->StartInThread())
					pJob->Run();
				return pJob;
			}
		}

		namespace LZMA
		{
			ExtractionThread::ExtractionThread(const void* pData, uint32_t iLength, const BString& strFileName)
				: m_strFileName(strFileName), m_Input(32), m_bFinished(false), m_bSuccess(false)
			{
				if (pData != nullptr)
					m_Input.Write(pData, iLength);
			}

			// Run may still be using the members: wait for it before they are destroyed.
			ExtractionThread::~ExtractionThread() { Join(); }

			void ExtractionThread::Run()
			{
				bool bResult = ExtractToFile(m_Input.GetBase(), m_Input.GetWritten(), m_strFileName);
				m_Input.Clear();
				Lock();
				m_bFinished = true;
				m_bSuccess = bResult;
				Unlock();
			}

			bool ExtractionThread::Finished()
			{
				Lock();
				bool bFinished = m_bFinished;
				Unlock();
				return bFinished;
			}

			bool ExtractionThread::Success()
			{
				Lock();
				bool bSuccess = m_bSuccess;
				Unlock();
				return bSuccess;
			}

			void ExtractionThread::Destroy() { delete this; }

			Job* ExtractInThread(const void* pData, uint32_t iLength, const BString& strFileName)
			{
				return Start(new ExtractionThread(pData, iLength, strFileName));
			}
		}

		namespace FastLZ
		{
			ExtractionThread::ExtractionThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize,
			                                   const BString& strFileName)
				: m_strFileName(strFileName), m_Input(32), m_iExpectedSize(iExpectedSize), m_bFinished(false),
				  m_bSuccess(false)
			{
				if (pData != nullptr)
					m_Input.Write(pData, iLength);
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
				m_Input.Clear();
				Lock();
				m_bFinished = true;
				m_bSuccess = bResult;
				Unlock();
			}

			bool ExtractionThread::Finished()
			{
				Lock();
				bool bFinished = m_bFinished;
				Unlock();
				return bFinished;
			}

			bool ExtractionThread::Success()
			{
				Lock();
				bool bSuccess = m_bSuccess;
				Unlock();
				return bSuccess;
			}

			void ExtractionThread::Destroy() { delete this; }

			Job* ExtractInThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize, const BString& strFileName)
			{
				return Start(new ExtractionThread(pData, iLength, iExpectedSize, strFileName));
			}
		}
	}
}
