// CAsyncRead over the stand-in file system's asynchronous reader: states, copies, failures and
// requests that must never complete into a destroyed reader.
#include "menu/AsyncRead.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "engine/standin.h"
#include "fixtures/MenuLuaHarness.h"
#include "tier0/standin.h"

namespace
{
class AsyncReadTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_harness.reset(new MenuLuaHarness());
		ASSERT_NE(nullptr, m_harness->asyncReads);
		m_reads = m_harness->asyncReads;
		m_reads->RunAsyncReads();  // nothing of an earlier test is left waiting
		m_handles = m_reads->AsyncHandles();
	}
	void TearDown() override { m_harness.reset(); }

	void Write(const std::string &path, const std::string &bytes)
	{
		std::ofstream out(path, std::ios::binary);
		out << bytes;
	}

	std::unique_ptr<MenuLuaHarness> m_harness;
	IAsyncReadStandIn *m_reads = nullptr;
	int m_handles = 0;
};
}

TEST_F(AsyncReadTest, LoadsACopyAndFinishDropsIt)
{
	std::string content("TGA\0bytes", 9);
	Write(m_harness->gameFolder + "/image.tga", content);
	CAsyncRead read;
	EXPECT_FALSE(read.IsLoading() || read.IsLoaded() || read.IsErrored());
	EXPECT_EQ(FSASYNC_OK, read.LoadFile("image.tga", "GAME"));
	// Pending: neither loaded nor errored.
	EXPECT_TRUE(read.IsLoading());
	EXPECT_FALSE(read.IsLoaded());
	EXPECT_FALSE(read.IsErrored());
	EXPECT_EQ(nullptr, read.GetDataPointer());

	EXPECT_EQ(1, m_reads->RunAsyncReads());
	EXPECT_TRUE(read.IsLoaded());
	EXPECT_FALSE(read.IsLoading());
	ASSERT_EQ(9, read.GetBytes());
	EXPECT_EQ(content, std::string(reinterpret_cast<const char *>(read.GetDataPointer()), 9));

	read.Finish();
	EXPECT_FALSE(read.IsLoading() || read.IsLoaded() || read.IsErrored());
	EXPECT_EQ(nullptr, read.GetDataPointer());
	EXPECT_EQ(9, read.GetBytes());  // the count is left as it was
	EXPECT_EQ(m_handles, m_reads->AsyncHandles());
}

TEST_F(AsyncReadTest, FailuresShowOnlyThroughIsErrored)
{
	// Missing, refused, and present only under another path id than "MOD".
	Write(m_harness->dataFolder + "/only_data.tga", "x");
	for (const char *name : {"missing.tga", "../outside.tga", "only_data.tga"})
	{
		SCOPED_TRACE(name);
		Tier0OutputCapture capture;
		CAsyncRead read;
		read.LoadFile(name, "DATA");
		m_reads->RunAsyncReads();
		EXPECT_TRUE(read.IsErrored());
		EXPECT_FALSE(read.IsLoaded());
		EXPECT_EQ(0, read.GetBytes());
		EXPECT_EQ(nullptr, read.GetDataPointer());
		EXPECT_EQ("", capture.All());
	}
}

TEST_F(AsyncReadTest, PathIdIsAlwaysMod)
{
	Write(m_harness->gameFolder + "/in_mod.tga", "mod");
	CAsyncRead read;
	read.LoadFile("in_mod.tga", "DATA");
	m_reads->RunAsyncReads();
	EXPECT_TRUE(read.IsLoaded());
	EXPECT_EQ(3, read.GetBytes());
}

TEST_F(AsyncReadTest, EmptyFileIsLoadedWithNoBytes)
{
	Write(m_harness->gameFolder + "/empty.tga", "");
	CAsyncRead read;
	read.LoadFile("empty.tga", nullptr);
	m_reads->RunAsyncReads();
	EXPECT_TRUE(read.IsLoaded());
	EXPECT_EQ(0, read.GetBytes());
	EXPECT_NE(nullptr, read.GetDataPointer());
}

TEST_F(AsyncReadTest, FinishWaitsForAPendingReadAndReleasesIt)
{
	Write(m_harness->gameFolder + "/a.tga", "aaaa");
	CAsyncRead idle;
	idle.Finish();  // never loaded: stays idle
	EXPECT_FALSE(idle.IsLoading() || idle.IsLoaded() || idle.IsErrored());

	CAsyncRead read;
	read.LoadFile("a.tga", "MOD");
	read.Finish();
	EXPECT_EQ(0, m_reads->PendingAsyncReads());
	EXPECT_EQ(m_handles, m_reads->AsyncHandles());
	EXPECT_FALSE(read.IsLoading() || read.IsLoaded() || read.IsErrored());
}

TEST_F(AsyncReadTest, ASecondLoadNeverLeavesTheFirstRequestBehind)
{
	Write(m_harness->gameFolder + "/a.tga", "first");
	Write(m_harness->gameFolder + "/b.tga", "second!");
	{
		auto read = std::make_unique<CAsyncRead>();
		read->LoadFile("a.tga", "MOD");
		read->LoadFile("b.tga", "MOD");
		EXPECT_TRUE(read->IsLoading());
		EXPECT_EQ(1, m_reads->PendingAsyncReads());
		EXPECT_EQ(1, m_reads->RunAsyncReads());
		EXPECT_EQ(7, read->GetBytes());

		// Destroyed while a read is pending: the request ends with the object.
		read->LoadFile("a.tga", "MOD");
		read.reset();
	}
	EXPECT_EQ(0, m_reads->RunAsyncReads());
	EXPECT_EQ(m_handles, m_reads->AsyncHandles());
}

TEST_F(AsyncReadTest, CompletionStatusesAreHandledAsDocumented)
{
	CAsyncRead read;
	FileAsyncRequest_t request{};
	request.pszFilename = "x.tga";
	unsigned char bytes[3] = {1, 2, 3};
	request.pData = bytes;
	read.ASyncLoad(request, 3, FSASYNC_STATUS_INPROGRESS);  // in progress: nothing changes
	EXPECT_FALSE(read.IsLoaded() || read.IsErrored());
	read.ASyncLoad(request, 3, FSASYNC_OK);
	EXPECT_TRUE(read.IsLoaded());
	EXPECT_EQ(3, read.GetBytes());
	EXPECT_NE(static_cast<const unsigned char *>(bytes), read.GetDataPointer());  // a copy
	read.ASyncLoad(request, 3, FSASYNC_ERR_READING);
	EXPECT_TRUE(read.IsErrored());
	EXPECT_EQ(0, read.GetBytes());
	EXPECT_EQ(nullptr, read.GetDataPointer());
	// A success without bytes to copy, or with a negative count, counts as a failure.
	request.pData = nullptr;
	read.ASyncLoad(request, 5, FSASYNC_OK);
	EXPECT_TRUE(read.IsErrored());
	request.pData = bytes;
	read.ASyncLoad(request, -1, FSASYNC_OK);
	EXPECT_TRUE(read.IsErrored());
}
