// The engine file system stand-in's asynchronous reads: queueing, running, finishing, releasing,
// the caller's own buffer, and completions that release their own request.
#include "filesystem/IFileSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "EngineLibrary.h"
#include "engine/standin.h"
#include "fixtures/ScratchFolder.h"

namespace
{
struct Completion
{
	std::string name;
	std::string bytes;
	int count = -1;
	int status = 99;
	int calls = 0;
	bool releaseSelf = false;
	FSAsyncControl_t handle = nullptr;
	IFileSystem *fs = nullptr;
};

void Record(const FileAsyncRequest_t &request, int bytesRead, FSAsyncStatus_t status)
{
	auto *c = static_cast<Completion *>(request.pContext);
	c->name = request.pszFilename;
	c->count = bytesRead;
	c->status = status;
	c->bytes = request.pData && bytesRead > 0 ? std::string(static_cast<const char *>(request.pData), bytesRead) : "";
	++c->calls;
	if (c->releaseSelf)
		c->fs->AsyncRelease(c->handle);
}

class FileSystemAsyncTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		fs = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
		reads = static_cast<IAsyncReadStandIn *>(EngineInterface(ASYNCREAD_STANDIN_INTERFACE_VERSION));
		ASSERT_TRUE(fs && reads && folder.Ok());
		fs->RemoveAllSearchPaths();
		fs->AddSearchPath(folder.Path().c_str(), "MOD");
		std::ofstream(folder.Path() + "/f.bin", std::ios::binary) << "0123456789";
		reads->RunAsyncReads();
		handles = reads->AsyncHandles();
	}
	void TearDown() override
	{
		reads->RunAsyncReads();
		fs->RemoveAllSearchPaths();
	}

	FileAsyncRequest_t Request(const char *name, Completion &c)
	{
		FileAsyncRequest_t r{};
		r.pszFilename = name;
		r.pfnCallback = &Record;
		r.pContext = &c;
		r.pszPathID = "MOD";
		r.hSpecificAsyncFile = 0xFFFF;
		c.fs = fs;
		return r;
	}

	ScratchFolder folder;
	IFileSystem *fs = nullptr;
	IAsyncReadStandIn *reads = nullptr;
	int handles = 0;
};
}

TEST_F(FileSystemAsyncTest, QueuedUntilRunThenCompletedOnce)
{
	Completion c;
	std::string name = "f.bin";
	FileAsyncRequest_t r = Request(name.c_str(), c);
	FSAsyncControl_t h = nullptr;
	ASSERT_EQ(FSASYNC_OK, fs->AsyncReadMultiple(&r, 1, &h));
	name = "changed";  // the request keeps its own copy of the name
	EXPECT_EQ(0, c.calls);
	EXPECT_EQ(FSASYNC_STATUS_PENDING, fs->AsyncFinish(h, false));
	EXPECT_EQ(1, reads->RunAsyncReads());
	EXPECT_EQ(1, c.calls);
	EXPECT_EQ("f.bin", c.name);
	EXPECT_EQ("0123456789", c.bytes);
	EXPECT_EQ(FSASYNC_OK, fs->AsyncFinish(h, true));  // already done: no second call
	EXPECT_EQ(1, c.calls);
	fs->AsyncRelease(h);
	EXPECT_EQ(handles, reads->AsyncHandles());
	EXPECT_EQ(FSASYNC_ERR_FAILURE, fs->AsyncFinish(h, true));  // released handle
}

TEST_F(FileSystemAsyncTest, OffsetsCallerBuffersAndFailures)
{
	Completion part, mine, missing, noRoom;
	FileAsyncRequest_t r[4] = {Request("f.bin", part), Request("f.bin", mine), Request("nope.bin", missing),
	                           Request("f.bin", noRoom)};
	r[0].nOffset = 7;
	char buffer[4] = {};
	r[1].pData = buffer;
	r[1].nBytes = 4;
	r[3].pData = buffer;  // a caller buffer without its size
	FSAsyncControl_t h[4] = {};
	ASSERT_EQ(FSASYNC_OK, fs->AsyncReadMultiple(r, 4, h));
	EXPECT_EQ(FSASYNC_ERR_FILEOPEN, fs->AsyncFinish(h[2], true));
	EXPECT_EQ(3, reads->RunAsyncReads());
	EXPECT_EQ("789", part.bytes);
	EXPECT_EQ(4, mine.count);
	EXPECT_EQ("0123", std::string(buffer, 4));
	EXPECT_EQ(FSASYNC_ERR_FILEOPEN, missing.status);
	EXPECT_EQ(0, missing.count);
	EXPECT_EQ(FSASYNC_ERR_FAILURE, noRoom.status);
	for (FSAsyncControl_t each : h)
		fs->AsyncRelease(each);
	EXPECT_EQ(handles, reads->AsyncHandles());
}

TEST_F(FileSystemAsyncTest, ReleasedWhilePendingNeverCompletes)
{
	Completion a, b;
	FileAsyncRequest_t r[2] = {Request("f.bin", a), Request("f.bin", b)};
	FSAsyncControl_t h[2] = {};
	ASSERT_EQ(FSASYNC_OK, fs->AsyncReadMultiple(r, 2, h));
	fs->AsyncRelease(h[0]);
	b.releaseSelf = true;  // the completion releases its own request
	b.handle = h[1];
	EXPECT_EQ(1, reads->RunAsyncReads());
	EXPECT_EQ(0, a.calls);
	EXPECT_EQ(1, b.calls);
	EXPECT_EQ(handles, reads->AsyncHandles());
	EXPECT_EQ(FSASYNC_ERR_FAILURE, fs->AsyncReadMultiple(nullptr, 1, nullptr));
}
