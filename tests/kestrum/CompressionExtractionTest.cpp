// Extraction jobs: LZMA and FastLZ blocks decompressed into files on their own threads, failures
// that leave no file, and jobs destroyed while they still run.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>

#include "Kestrum/Utility/CompressionExtraction.h"
#include "Kestrum/Utility/CompressionFastLZ.h"
#include "Kestrum/Utility/CompressionLZMA.h"

namespace Compression = Kestrum::Compression;
using Bytes = std::vector<unsigned char>;

namespace
{
	struct TempDir
	{
		std::string path;
		TempDir()
		{
			char pattern[] = "/tmp/kestrum-jobs-XXXXXX";
			path = mkdtemp(pattern);
		}
		~TempDir() { std::filesystem::remove_all(path); }
		std::string File(const char* pName) const { return path + "/" + pName; }
	};

	Bytes Mixed(size_t n)
	{
		Bytes data(n);
		uint32_t x = 31;
		for (size_t i = 0; i < n; ++i)
		{
			x = x * 1103515245u + 12345u;
			data[i] = (i % 3 == 0) ? static_cast<unsigned char>(x >> 24) : static_cast<unsigned char>("job"[i % 3]);
		}
		return data;
	}

	Bytes Packed(bool bLzma, const Bytes& src)
	{
		Kestrum::AutoBuffer buffer;
		if (bLzma)
			EXPECT_TRUE(Compression::LZMA::Compress(src.data(), static_cast<uint32_t>(src.size()), buffer, 5, 1 << 16));
		else
			EXPECT_TRUE(Compression::FastLZ::Compress(src.data(), static_cast<uint32_t>(src.size()), buffer));
		return Bytes(buffer.GetBase(), buffer.GetBase() + buffer.GetWritten());
	}

	// Polls the job to the end and returns its result; the job is destroyed.
	bool Finish(Compression::Job* pJob)
	{
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
		while (!pJob->Finished() && std::chrono::steady_clock::now() < deadline)
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		EXPECT_TRUE(pJob->Finished());
		bool bSuccess = pJob->Success();
		pJob->Destroy();
		return bSuccess;
	}

	Bytes ReadFile(const std::string& strName)
	{
		std::ifstream in(strName, std::ios::binary);
		return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}
}

TEST(CompressionExtraction, JobsExtractIntoFiles)
{
	TempDir dir;
	Bytes src = Mixed(300000);
	Bytes lzma = Packed(true, src), fastlz = Packed(false, src);

	// The caller's copy may go as soon as the job exists.
	Bytes transient = lzma;
	Compression::Job* pLzma = Compression::LZMA::ExtractInThread(transient.data(), static_cast<uint32_t>(transient.size()),
	                                                            dir.File("a.bin"));
	transient.assign(transient.size(), 0);
	EXPECT_TRUE(Finish(pLzma));
	EXPECT_EQ(src, ReadFile(dir.File("a.bin")));

	for (uint32_t iExpected : {0u, 300000u, 1000u})
	{
		std::string strFile = dir.File("b.bin");
		EXPECT_TRUE(Finish(Compression::FastLZ::ExtractInThread(fastlz.data(), static_cast<uint32_t>(fastlz.size()),
		                                                       iExpected, strFile)));
		EXPECT_EQ(src, ReadFile(strFile));
		std::filesystem::remove(strFile);
	}
}

TEST(CompressionExtraction, FailedJobsReportFalseAndLeaveNoFile)
{
	TempDir dir;
	Bytes src = Mixed(20000);
	Bytes lzma = Packed(true, src);
	Bytes fastlz = Packed(false, src);
	lzma.resize(lzma.size() / 2);
	fastlz.resize(fastlz.size() / 2);

	EXPECT_FALSE(Finish(Compression::LZMA::ExtractInThread(lzma.data(), static_cast<uint32_t>(lzma.size()), dir.File("l"))));
	EXPECT_FALSE(std::filesystem::exists(dir.File("l")));
	EXPECT_FALSE(Finish(Compression::FastLZ::ExtractInThread(fastlz.data(), static_cast<uint32_t>(fastlz.size()), 0,
	                                                        dir.File("f"))));
	EXPECT_FALSE(std::filesystem::exists(dir.File("f")));
	EXPECT_FALSE(Finish(Compression::LZMA::ExtractInThread(nullptr, 0, dir.File("n"))));

	// A FastLZ job reports its extraction even when the file cannot be created.
	Bytes good = Packed(false, src);
	EXPECT_TRUE(Finish(Compression::FastLZ::ExtractInThread(good.data(), static_cast<uint32_t>(good.size()), 0,
	                                                       dir.File("missing/folder/f"))));
}

TEST(CompressionExtraction, DestroyWhileRunningWaitsForTheThread)
{
	TempDir dir;
	Bytes src = Mixed(3 << 20);
	Bytes lzma = Packed(true, src);
	Bytes fastlz = Packed(false, src);
	std::vector<Compression::Job*> jobs;
	for (int i = 0; i < 3; ++i)
	{
		std::string strName = std::to_string(i);
		jobs.push_back(Compression::LZMA::ExtractInThread(lzma.data(), static_cast<uint32_t>(lzma.size()),
		                                                  dir.File(("l" + strName).c_str())));
		jobs.push_back(Compression::FastLZ::ExtractInThread(fastlz.data(), static_cast<uint32_t>(fastlz.size()), 0,
		                                                    dir.File(("f" + strName).c_str())));
	}
	// Released at once, most of them mid-extraction: each must join before freeing its input.
	for (Compression::Job* pJob : jobs)
		pJob->Destroy();
}

namespace
{
	// With every new thread refused, a job runs where it is started and is finished on return.
	void JobsWhenThreadsAreRefused(const std::string& strFolder)
	{
		pthread_attr_t attr;
		pthread_attr_init(&attr);
		pthread_attr_setstacksize(&attr, size_t(1) << 46);
		pthread_setattr_default_np(&attr);
		pthread_attr_destroy(&attr);

		Bytes src = Mixed(5000);
		Bytes lzma = Packed(true, src);
		Bytes fastlz = Packed(false, src);
		Compression::Job* pLzma = Compression::LZMA::ExtractInThread(lzma.data(), static_cast<uint32_t>(lzma.size()),
		                                                             strFolder + "/l");
		Compression::Job* pFast = Compression::FastLZ::ExtractInThread(fastlz.data(), static_cast<uint32_t>(fastlz.size()),
		                                                               0, strFolder + "/f");
		bool bOk = pLzma->Finished() && pLzma->Success() && pFast->Finished() && pFast->Success() &&
		           ReadFile(strFolder + "/l") == src && ReadFile(strFolder + "/f") == src;
		pLzma->Destroy();
		pFast->Destroy();
		exit(bOk ? 0 : 1);
	}
}

TEST(CompressionExtractionDeathTest, JobsRunInPlaceWhenNoThreadCanStart)
{
	TempDir dir;
	EXPECT_EXIT(JobsWhenThreadsAreRefused(dir.path), testing::ExitedWithCode(0), "");
}
