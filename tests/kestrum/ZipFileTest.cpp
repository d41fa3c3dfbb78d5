// Tests of the in-memory zip archive: listing, extraction (and what it refuses), building
// archives into buffers and files.
#include <Kestrum/Utility/ZipFile.h>

#include "fixtures/ZipFixtures.h"

#include <gtest/gtest.h>

using Kestrum::AutoBuffer;
using Kestrum::Buffer;
using Kestrum::Compression::Zip::File;
using namespace ZipFixtures;

namespace
{
	Entry Plain(const std::string& name, const std::string& data, uint16_t method = 8)
	{
		Entry e;
		e.name = name;
		e.data = data;
		e.method = method;
		return e;
	}
}

TEST(ZipFile, ListsEntriesByIndex)
{
	std::string zip = Build({ Plain("one.txt", "1"), Plain("dir/two.bin", RandomBytes(300, 1), 0), Plain("/abs/three", "333") }).bytes;
	File archive(zip.data(), uint32_t(zip.size()), "");
	EXPECT_TRUE(archive.IsOpen());
	EXPECT_EQ(archive.GetNumItems(), 3);
	EXPECT_EQ(archive.GetFileName(0), "one.txt");
	EXPECT_EQ(archive.GetFileName(1), "dir/two.bin");
	EXPECT_EQ(archive.GetFileName(2), "abs/three");
	EXPECT_EQ(archive.GetFileName(7), "");
	EXPECT_EQ(archive.GetFileName(-1), "");
	EXPECT_EQ(archive.GetNumItems(), 3);
	EXPECT_EQ(archive.RefreshFiles(), 3);

	TempDir dir;
	WriteFile(dir / "a.zip", zip);
	File fromFile(dir / "a.zip", "");
	EXPECT_EQ(fromFile.GetNumItems(), 3);
	EXPECT_EQ(fromFile.ExtractFile(1, dir / "two.bin"), XZip::ResultOk);
	EXPECT_EQ(ReadFile(dir / "two.bin"), RandomBytes(300, 1));
	EXPECT_EQ(fromFile.ExtractFile(3, dir / "x"), XZip::ResultArgs);

	// An archive that does not open: nothing listed, extraction refused.
	File missing(dir / "missing.zip", "");
	EXPECT_FALSE(missing.IsOpen());
	EXPECT_EQ(missing.GetNumItems(), 0);
	EXPECT_EQ(missing.RefreshFiles(), 0);
	EXPECT_EQ(missing.ExtractFile(0, dir / "x"), XZip::ResultArgs);
	File empty;
	EXPECT_FALSE(empty.IsOpen());
	EXPECT_EQ(empty.GetNumItems(), 0);
}

TEST(ZipFile, ExtractsToFolderAndSkipsEntriesThatWouldLeaveIt)
{
	Entry secret = Plain("locked.txt", "with password");
	secret.password = "pw";
	std::string zip = Build({ Plain("top.txt", "top"), Plain("sub/", "", 0), Plain("sub/deep/file.txt", TextBytes(9000)),
		Plain("../escape.txt", "out"), Plain("x/../../escape2.txt", "out"), Plain("a\\..\\..\\escape3.txt", "out"), Plain("/", "root"),
		secret, Plain("last.txt", "last") }).bytes;
	TempDir dir;
	std::string target = dir / "t/u";
	std::filesystem::create_directories(target);
	File archive(zip.data(), uint32_t(zip.size()), "");
	ASSERT_EQ(archive.GetNumItems(), 9);
	archive.ExtractToFolder(target);
	EXPECT_EQ(ReadFile(target + "/top.txt"), "top");
	EXPECT_TRUE(std::filesystem::is_directory(target + "/sub"));
	EXPECT_EQ(ReadFile(target + "/sub/deep/file.txt"), TextBytes(9000));
	EXPECT_EQ(ReadFile(target + "/last.txt"), "last");	// a failed entry does not stop the rest
	EXPECT_FALSE(FileExists(target + "/locked.txt"));	// wrong password: no file is left behind
	for (const char* outside : { "t/escape.txt", "escape.txt", "t/escape2.txt", "escape2.txt", "t/escape3.txt", "escape3.txt" })
		EXPECT_FALSE(FileExists(dir / outside)) << outside;
	// Single extraction to a path refuses the same entries.
	EXPECT_EQ(archive.ExtractFile(3, target + "/fine-name.txt"), XZip::ResultArgs);
	EXPECT_FALSE(FileExists(target + "/fine-name.txt"));

	File withPassword(zip.data(), uint32_t(zip.size()), "pw");
	EXPECT_EQ(withPassword.ExtractFile(7, target + "/locked.txt"), XZip::ResultOk);
	EXPECT_EQ(ReadFile(target + "/locked.txt"), "with password");
}

TEST(ZipFile, BuildsArchivesIntoBuffersAndFiles)
{
	TempDir dir;
	WriteFile(dir / "a.txt", TextBytes(5000));
	WriteFile(dir / "b.bin", RandomBytes(777, 3));
	WriteFile(dir / "empty", "");

	File builder;
	EXPECT_FALSE(builder.AddFile("missing", dir / "nope"));
	EXPECT_TRUE(builder.IsOpen());	// the writer exists from the first addition on
	EXPECT_TRUE(builder.AddFile("a.txt", dir / "a.txt"));
	EXPECT_TRUE(builder.AddFile("bin\\b.bin", dir / "b.bin"));
	EXPECT_FALSE(builder.AddFile("empty", dir / "empty"));	// the writer refuses an empty block
	AutoBuffer out(32);
	out.Write("HEAD", 4);
	ASSERT_TRUE(builder.WriteAndClose(out));
	EXPECT_FALSE(builder.IsOpen());
	ASSERT_GT(out.GetWritten(), 4u);
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.GetBase(0)), 4), "HEAD");

	File reread(out.GetBase(4), out.GetWritten() - 4, "");
	ASSERT_EQ(reread.GetNumItems(), 2);
	EXPECT_EQ(reread.GetFileName(0), "a.txt");
	EXPECT_EQ(reread.GetFileName(1), "bin/b.bin");
	EXPECT_EQ(reread.ExtractFile(1, dir / "b.out"), XZip::ResultOk);
	EXPECT_EQ(ReadFile(dir / "b.out"), RandomBytes(777, 3));
	EXPECT_TRUE(reread.IsOpen());

	// A fresh object gives an archive of just the end record.
	File fresh;
	AutoBuffer end(32);
	ASSERT_TRUE(fresh.WriteAndClose(end));
	EXPECT_EQ(end.GetWritten(), 22u);
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(end.GetBase(0)), 4), "PK\x05\x06");

	// To a file; a path that cannot be written is reported.
	File toFile;
	EXPECT_TRUE(toFile.AddFile("a.txt", dir / "a.txt"));
	EXPECT_FALSE(toFile.WriteAndClose(dir / "no/such/folder/x.zip"));
	EXPECT_TRUE(toFile.IsOpen());	// kept for another try
	ASSERT_TRUE(toFile.WriteAndClose(dir / "built.zip"));
	EXPECT_FALSE(toFile.IsOpen());
	EXPECT_TRUE(toFile.AddFile("b.bin", dir / "b.bin"));	// a new, empty archive
	ASSERT_TRUE(toFile.WriteAndClose(dir / "second.zip"));
	File second(dir / "second.zip", "");
	ASSERT_EQ(second.GetNumItems(), 1);
	EXPECT_EQ(second.GetFileName(0), "b.bin");
	File fromDisk(dir / "built.zip", "");
	ASSERT_EQ(fromDisk.GetNumItems(), 1);
	if (HavePython())
	{
		EXPECT_TRUE(RunPython(dir, "import zipfile\n"
			"z = zipfile.ZipFile('" + (dir / "built.zip") + "')\n"
			"assert z.testzip() is None and z.namelist() == ['a.txt']\n"));
	}

	// A buffer too small for the archive: false, and the finished archive is kept for a retry.
	File kept;
	EXPECT_TRUE(kept.AddFile("a.txt", dir / "a.txt"));
	char small[16];
	Buffer tooSmall(small, sizeof(small));
	EXPECT_FALSE(kept.WriteAndClose(tooSmall));
	EXPECT_TRUE(kept.IsOpen());
	AutoBuffer retry(32);
	EXPECT_TRUE(kept.WriteAndClose(retry));
	EXPECT_GT(retry.GetWritten(), 100u);

	// Close discards what was added.
	File discarded;
	EXPECT_TRUE(discarded.AddFile("a.txt", dir / "a.txt"));
	discarded.Close();
	EXPECT_FALSE(discarded.IsOpen());
	AutoBuffer none(32);
	EXPECT_TRUE(discarded.WriteAndClose(none));
	EXPECT_EQ(none.GetWritten(), 22u);
}
