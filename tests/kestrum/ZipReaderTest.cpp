// Tests of the zip reader: standard archives from python3, hand-made fixtures for names,
// attributes, times and encryption, and truncated, lying and mutated archives.
#include <Kestrum/Utility/ZipReader.h>

#include "fixtures/ZipFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace XZip;
using namespace ZipFixtures;

namespace
{
	struct HandleCloser
	{
		void operator()(HZIP__* h) const { CloseZipU(h); }
	};
	typedef std::unique_ptr<HZIP__, HandleCloser> Reader;

	Reader OpenMemory(const std::string& zip, const char* password = nullptr)
	{
		return Reader(OpenZip(zip.data(), uint32_t(zip.size()), password));
	}

	std::string MessageU(ZRESULT code)
	{
		char buf[128];
		FormatZipMessageU(code, buf, sizeof(buf));
		return buf;
	}

	// Extracts an entry into memory in chunks of the given size and checks that no call writes
	// past the buffer; gives the result of the last call.
	ZRESULT ReadAll(HZIP h, int index, uint32_t chunk, std::string* out)
	{
		out->clear();
		ZIPENTRY ze;
		uint64_t size = GetZipItem(h, index, &ze) == ResultOk ? ze.unc_size : UINT64_MAX;
		std::vector<char> buf(chunk + 16, '\x5A');
		for (int calls = 0; calls < (1 << 20); ++calls)
		{
			ZRESULT r = UnzipItem(h, index, buf.data(), chunk);
			for (size_t i = chunk; i < buf.size(); ++i)
				EXPECT_EQ(buf[i], '\x5A') << "write past the caller's buffer";
			if (r != ResultOk && r != ResultMore)
				return r;
			// A call delivers the whole chunk while more remains, else the rest of the entry.
			out->append(buf.data(), size_t(std::min<uint64_t>(chunk, size - out->size())));
			if (r == ResultOk)
				return r;
		}
		return ResultMore;
	}

	const Entry Plain(const std::string& name, const std::string& data, uint16_t method = 8)
	{
		Entry e;
		e.name = name;
		e.data = data;
		e.method = method;
		return e;
	}
}

TEST(ZipReader, ReadsArchivesMadeByPython)
{
	if (!HavePython())
		GTEST_SKIP() << "python3 with zipfile is not available";
	TempDir dir;
	std::string big = TextBytes(35000);
	WriteFile(dir / "big.txt", big);
	ASSERT_TRUE(RunPython(dir, "import zipfile\n"
		"z = zipfile.ZipFile('" + (dir / "py.zip") + "', 'w')\n"
		"z.writestr('stored.bin', bytes(range(256)) * 4, compress_type=zipfile.ZIP_STORED)\n"
		"z.writestr('docs/readme', 'hello zip\\n' * 50, compress_type=zipfile.ZIP_DEFLATED)\n"
		"z.writestr('empty.txt', '', compress_type=zipfile.ZIP_DEFLATED)\n"
		"z.write('" + (dir / "big.txt") + "', 'big.txt', compress_type=zipfile.ZIP_DEFLATED)\n"
		"z.mkdir('folder') if hasattr(z, 'mkdir') else z.writestr('folder/', '')\n"
		"z.close()\n"));
	std::string zip = ReadFile(dir / "py.zip");
	std::string stored;
	for (int i = 0; i < 4; ++i)
		for (int c = 0; c < 256; ++c)
			stored += char(c);
	std::string readme;
	for (int i = 0; i < 50; ++i)
		readme += "hello zip\n";

	FILE* f = fopen((dir / "py.zip").c_str(), "rb");
	ASSERT_NE(f, nullptr);
	Reader fromFile(OpenZip((dir / "py.zip").c_str(), nullptr));
	Reader fromMemory = OpenMemory(zip);
	Reader fromHandle(OpenZipHandle(f, nullptr));
	for (HZIP h : { fromFile.get(), fromMemory.get(), fromHandle.get() })
	{
		ASSERT_NE(h, nullptr);
		ASSERT_TRUE(IsZipHandleU(h));
		ZIPENTRY ze;
		ASSERT_EQ(GetZipItem(h, -1, &ze), ResultOk);
		EXPECT_EQ(ze.index, 5);
		EXPECT_STREQ(ze.name, "");
		ASSERT_EQ(GetZipItem(h, 3, &ze), ResultOk);
		EXPECT_STREQ(ze.name, "big.txt");
		EXPECT_EQ(ze.unc_size, 35000u);
		EXPECT_EQ(ze.attr & 0xF000, 0x8000u);

		int index = -2;
		EXPECT_EQ(FindZipItem(h, "DOCS/README", false, &index, &ze), ResultNotFound);
		EXPECT_EQ(index, -1);
		EXPECT_EQ(ze.index, -1);
		ASSERT_EQ(FindZipItem(h, "DOCS/README", true, &index, &ze), ResultOk);
		EXPECT_EQ(index, 1);
		EXPECT_STREQ(ze.name, "docs/readme");

		std::string out;
		EXPECT_EQ(ReadAll(h, 0, 1024, &out), ResultOk);
		EXPECT_EQ(out, stored);
		EXPECT_EQ(ReadAll(h, 1, 500, &out), ResultOk);
		EXPECT_EQ(out, readme);

		// 35000 bytes in 16384-byte pieces: more, more, then the last 2232 bytes.
		std::vector<char> buf(16384);
		std::string all;
		ZRESULT codes[3];
		for (int i = 0; i < 3; ++i)
		{
			codes[i] = UnzipItem(h, 3, buf.data(), 16384);
			all.append(buf.data(), i < 2 ? 16384 : 2232);
		}
		EXPECT_EQ(codes[0], ResultMore);
		EXPECT_EQ(codes[1], ResultMore);
		EXPECT_EQ(codes[2], ResultOk);
		EXPECT_EQ(all, big);

		ASSERT_EQ(GetZipItem(h, 4, &ze), ResultOk);
		EXPECT_STREQ(ze.name, "folder/");
		EXPECT_EQ(ze.attr & 0xF000, 0x4000u);
	}

	// Extraction to paths below the base directory and to an open file.
	HZIP h = fromFile.get();
	ASSERT_EQ(SetUnzipBaseDir(h, dir.path.c_str()), ResultOk);
	EXPECT_EQ(UnzipItem(h, 1, "out/sub/readme.txt"), ResultOk);
	EXPECT_EQ(ReadFile(dir / "out/sub/readme.txt"), readme);
	EXPECT_EQ(UnzipItem(h, 4, "out/folder/"), ResultOk);
	struct stat st;
	ASSERT_EQ(stat((dir / "out/folder").c_str(), &st), 0);
	EXPECT_TRUE(S_ISDIR(st.st_mode));
	EXPECT_EQ(UnzipItem(h, 2, (dir / "empty.txt").c_str()), ResultOk);
	EXPECT_TRUE(FileExists(dir / "empty.txt"));
	EXPECT_EQ(ReadFile(dir / "empty.txt"), "");
	FILE* out = fopen((dir / "big.out").c_str(), "wb");
	ASSERT_NE(out, nullptr);
	EXPECT_EQ(UnzipItemHandle(h, 3, out), ResultOk);
	fclose(out);
	EXPECT_EQ(ReadFile(dir / "big.out"), big);

	fromHandle.reset();
	fclose(f);
}

TEST(ZipReader, CleansUpNames)
{
	struct Case
	{
		const char* stored;
		const char* cleaned;
	} cases[] = {
		{ "C:/x/../y/z.txt", "y/z.txt" },
		{ "/abs/name", "abs/name" },
		{ "\\\\server\\share\\f", "server\\share\\f" },
		{ "a\\..\\b\\c", "b\\c" },
		{ "a/b/../../c", "../c" },
		{ "d:\\..\\e", "..\\e" },
		{ "plain/name.txt", "plain/name.txt" },
		{ "x/..\\y", "y" },
	};
	std::vector<Entry> entries;
	for (const Case& c : cases)
		entries.push_back(Plain(c.stored, "data", 0));
	std::string zip = Build(entries).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	for (size_t i = 0; i < entries.size(); ++i)
	{
		ZIPENTRY ze;
		ASSERT_EQ(GetZipItem(h.get(), int(i), &ze), ResultOk);
		EXPECT_STREQ(ze.name, cases[i].cleaned) << cases[i].stored;
		// Lookup compares the stored name, not the cleaned one.
		int index = -1;
		EXPECT_EQ(FindZipItem(h.get(), cases[i].stored, false, &index, nullptr), ResultOk);
		EXPECT_EQ(index, int(i));
	}
}

TEST(ZipReader, LookupBoundsAndFixedNameBuffers)
{
	std::string longName(300, 'n');
	std::string zip = Build({ Plain("readme", "r"), Plain(longName, "long") }).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	int index = 5;
	ZIPENTRY ze;
	EXPECT_EQ(FindZipItem(h.get(), "README", false, &index, &ze), ResultNotFound);
	EXPECT_EQ(FindZipItem(h.get(), "README", true, &index, nullptr), ResultOk);
	EXPECT_EQ(index, 0);
	// Names of 256 bytes or more are never found, but are listed in full.
	EXPECT_EQ(FindZipItem(h.get(), longName.c_str(), false, &index, &ze), ResultNotFound);
	EXPECT_EQ(FindZipItem(h.get(), longName.substr(0, 255).c_str(), false, &index, &ze), ResultNotFound);
	ASSERT_EQ(GetZipItem(h.get(), 1, &ze), ResultOk);
	EXPECT_EQ(std::string(ze.name), longName);
	EXPECT_EQ(FindZipItem(h.get(), nullptr, false, &index, &ze), ResultArgs);
	EXPECT_EQ(GetZipItem(h.get(), -2, &ze), ResultArgs);
	EXPECT_EQ(GetZipItem(h.get(), 2, &ze), ResultArgs);
}

TEST(ZipReader, ManyEntriesInAnyOrder)
{
	std::vector<Entry> entries;
	for (int i = 0; i < 3000; ++i)
		entries.push_back(Plain("e" + std::to_string(i), std::to_string(i * 7), 0));
	std::string zip = Build(entries).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	Lcg g(99);
	ZIPENTRY ze;
	for (int k = 0; k < 6000; ++k)
	{
		int i = k < 3000 ? 2999 - k : int(g.Next() % 3000);
		ASSERT_EQ(GetZipItem(h.get(), i, &ze), ResultOk);
		ASSERT_EQ(std::string(ze.name), "e" + std::to_string(i));
	}
	std::string out;
	EXPECT_EQ(ReadAll(h.get(), 1234, 100, &out), ResultOk);
	EXPECT_EQ(out, std::to_string(1234 * 7));
	int index = -1;
	EXPECT_EQ(FindZipItem(h.get(), "E2999", true, &index, &ze), ResultOk);
	EXPECT_EQ(index, 2999);
}

TEST(ZipReader, AttributesFromHostAndExternalAttributes)
{
	struct Case
	{
		uint16_t madeBy;
		uint32_t external;
		uint32_t attr;
	} cases[] = {
		{ 0x0014, 0x00000010, 0x4000 },			// DOS directory
		{ 0x0014, 0x00000001, 0x0000 },			// DOS read-only
		{ 0x0B17, 0x41C00010, 0x41C0 },			// our own folders
		{ 0x0B17, 0x81A40000, 0x81A4 },
		{ 0x031E, 0x81A40000, 0x81A4 },			// Unix rw-r--r--
		{ 0x031E, 0x81240000, 0x8124 },			// Unix r--r--r--: owner-write clear
		{ 0x031E, 0x41ED0010, 0x41ED },			// Unix directory
		{ 0x031E, 0x00000000, 0x0000 },
		{ 0x031E, 0x01FF0000, 0x01FF },
		{ 0x031E, 0x017F0000, 0x017F },
	};
	std::vector<Entry> entries;
	for (const Case& c : cases)
	{
		Entry e = Plain("f", "", 0);
		e.versionMadeBy = c.madeBy;
		e.externalAttr = c.external;
		entries.push_back(e);
	}
	std::string zip = Build(entries).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	for (size_t i = 0; i < entries.size(); ++i)
	{
		ZIPENTRY ze;
		ASSERT_EQ(GetZipItem(h.get(), int(i), &ze), ResultOk);
		EXPECT_EQ(ze.attr, cases[i].attr) << std::hex << cases[i].madeBy << " " << cases[i].external;
	}
}

TEST(ZipReader, TimesFromDosDateAndUnixExtraBlock)
{
	Entry dosOnly = Plain("dos", "x", 0);
	dosOnly.dosDateTime = (31u << 25) | (3u << 21) | (5u << 16) | (10u << 11) | (20u << 5) | 15u;
	Entry unixTimes = Plain("ut", "x", 0);
	std::string ut = "XY";
	Put16(ut, 2);
	ut += "..";	// an unrelated block first
	ut += "UT";
	Put16(ut, 9);
	ut += char(3);
	Put32(ut, 1300000000u);
	Put32(ut, 1300000100u);
	unixTimes.localExtra = ut;
	Entry cut = Plain("cut", "x", 0);	// flags promise three times, the field holds one
	std::string c = "UT";
	Put16(c, 13);
	c += char(7);
	Put32(c, 1200000000u);
	cut.localExtra = c;
	std::string zip = Build({ dosOnly, unixTimes, cut }).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);

	struct tm t = {};
	t.tm_year = 111;
	t.tm_mon = 2;
	t.tm_mday = 5;
	t.tm_hour = 10;
	t.tm_min = 20;
	t.tm_sec = 30;
	t.tm_isdst = -1;
	time_t local = mktime(&t);
	ZIPENTRY ze;
	ASSERT_EQ(GetZipItem(h.get(), 0, &ze), ResultOk);
	EXPECT_EQ(ze.mtime, local);
	EXPECT_EQ(ze.atime, local);
	EXPECT_EQ(ze.ctime, local);
	ASSERT_EQ(GetZipItem(h.get(), 1, &ze), ResultOk);
	EXPECT_EQ(ze.mtime, 1300000000);
	EXPECT_EQ(ze.atime, 1300000100);
	EXPECT_EQ(ze.ctime, local);
	ASSERT_EQ(GetZipItem(h.get(), 2, &ze), ResultOk);
	EXPECT_EQ(ze.mtime, 1200000000);
	EXPECT_EQ(ze.atime, local);

	// Extraction to a file sets its access and modification times.
	TempDir dir;
	ASSERT_EQ(UnzipItem(h.get(), 1, (dir / "ut").c_str()), ResultOk);
	struct stat st;
	ASSERT_EQ(stat((dir / "ut").c_str(), &st), 0);
	EXPECT_EQ(st.st_mtime, 1300000000);
	EXPECT_EQ(st.st_atime, 1300000100);
}

TEST(ZipReader, DecryptsTraditionalEncryption)
{
	std::string text = TextBytes(20000);
	std::string bin = RandomBytes(3000, 7);
	Entry deflated = Plain("secret.txt", text);
	deflated.password = "hunter2";
	Entry stored = Plain("secret.bin", bin, 0);
	stored.password = "hunter2";
	Entry timeChecked = Plain("timed.txt", text);
	timeChecked.password = "hunter2";
	timeChecked.checkByteFromTime = true;
	Entry empty = Plain("empty", "", 0);
	empty.password = "";
	std::string zip = Build({ deflated, stored, timeChecked, empty }).bytes;

	Reader good = OpenMemory(zip, "hunter2");
	ASSERT_NE(good, nullptr);
	std::string out;
	EXPECT_EQ(ReadAll(good.get(), 0, 4096, &out), ResultOk);
	EXPECT_EQ(out, text);
	EXPECT_EQ(ReadAll(good.get(), 1, 3000, &out), ResultOk);
	EXPECT_EQ(out, bin);
	EXPECT_EQ(ReadAll(good.get(), 2, 20000, &out), ResultOk);
	EXPECT_EQ(out, text);

	Reader wrong = OpenMemory(zip, "hunter3");
	Reader none = OpenMemory(zip, nullptr);
	for (HZIP h : { wrong.get(), none.get() })
	{
		ASSERT_NE(h, nullptr);
		std::vector<char> buf(40000);
		for (int i = 0; i < 3; ++i)
		{
			ZRESULT r = UnzipItem(h, i, buf.data(), uint32_t(buf.size()));
			// A wrong password passes the one check byte about once in 256 tries; it then
			// inflates garbage or fails the CRC, but is never a success.
			EXPECT_TRUE(r == ResultPassword || r == ResultFlate || r == ResultCorrupt) << r;
		}
		TempDir dir;
		EXPECT_EQ(UnzipItem(h, 0, (dir / "x").c_str()), ResultPassword);
	}
	char buf[16];
	EXPECT_EQ(UnzipItem(wrong.get(), 0, buf, sizeof(buf)), ResultPassword);
	EXPECT_EQ(MessageU(ResultRecent), "Correct password required");
}

TEST(ZipReader, ResultTexts)
{
	struct Case
	{
		ZRESULT code;
		const char* text;
	} cases[] = {
		{ 0, "Success" },
		{ 256, "Couldn't duplicate handle" },
		{ 512, "Couldn't create/open file" },
		{ 768, "Failed to allocate memory" },
		{ 1024, "Error writing to file" },
		{ 1280, "File not found in the zipfile" },
		{ 1536, "Still more data to unzip" },
		{ 1792, "Zipfile is corrupt or not a zipfile" },
		{ 2048, "Error reading file" },
		{ 4096, "Correct password required" },
		{ 65536, "Caller: faulty arguments" },
		{ 131072, "Caller: can only get memory of a memory zipfile" },
		{ 196608, "Caller: not enough space allocated for memory zipfile" },
		{ 262144, "Caller: there was a previous error" },
		{ 327680, "Caller: additions to the zip have already been ended" },
		{ 393216, "Zip-bug: the anticipated size turned out wrong" },
		{ 458752, "Caller: the file had already been partially unzipped" },
		{ 524288, "Caller: mixing creation and opening of zip" },
		{ 16777216, "Zip-bug: internal initialisation not completed" },
		{ 33554432, "Zip-bug: trying to seek the unseekable" },
		{ 67108864, "Zip-bug: tried to change mind, but not allowed" },
		{ 83886080, "Zip-bug: an internal error during flation" },
		{ 3, "unknown zip result code" },
		{ 0xFFFFFFFFu, "unknown zip result code" },
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(MessageU(c.code), c.text);
		EXPECT_EQ(FormatZipMessageU(c.code, nullptr, 0), strlen(c.text));
	}
	char small[6];
	EXPECT_EQ(FormatZipMessageU(1792, small, sizeof(small)), 35u);
	EXPECT_STREQ(small, "Zipfi");
	char one[1] = { 'x' };
	EXPECT_EQ(FormatZipMessageU(0, one, 1), 7u);
	EXPECT_EQ(one[0], 0);

	// Code 1 shows the failure of the last open.
	std::string junk(70000, 'j');
	EXPECT_EQ(OpenZip(junk.data(), uint32_t(junk.size()), nullptr), nullptr);
	EXPECT_EQ(MessageU(ResultRecent), "Couldn't create/open file");
	EXPECT_EQ(OpenZip("/nonexistent/zip.zip", nullptr), nullptr);
	EXPECT_EQ(MessageU(ResultRecent), "Couldn't create/open file");
	TempDir dir;
	EXPECT_EQ(OpenZip(dir.path.c_str(), nullptr), nullptr);	// a folder is no regular file
	EXPECT_EQ(MessageU(ResultRecent), "Zip-bug: trying to seek the unseekable");
}

TEST(ZipReader, RefusesFaultyHandlesAndArguments)
{
	ZIPENTRY ze;
	EXPECT_EQ(GetZipItem(nullptr, 0, &ze), ResultArgs);
	EXPECT_EQ(CloseZipU(nullptr), ResultArgs);
	EXPECT_FALSE(IsZipHandleU(nullptr));
	EXPECT_EQ(OpenZip(static_cast<const void*>(nullptr), 10, nullptr), nullptr);
	EXPECT_EQ(OpenZipHandle(nullptr, nullptr), nullptr);

	std::string zip = Build({ Plain("a", "aaa") }).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	char buf[8];
	EXPECT_EQ(UnzipItem(h.get(), 1, buf, sizeof(buf)), ResultArgs);
	EXPECT_EQ(UnzipItem(h.get(), -1, buf, sizeof(buf)), ResultArgs);
	EXPECT_EQ(UnzipItem(h.get(), 0, nullptr, 8), ResultArgs);
	EXPECT_EQ(UnzipItem(h.get(), 0, static_cast<const char*>(nullptr)), ResultArgs);
	EXPECT_EQ(UnzipItemHandle(h.get(), 0, nullptr), ResultArgs);
	EXPECT_EQ(SetUnzipBaseDir(h.get(), nullptr), ResultArgs);

	// A pipe cannot be read as an archive.
	int fds[2];
	ASSERT_EQ(pipe(fds), 0);
	FILE* r = fdopen(fds[0], "rb");
	EXPECT_EQ(OpenZipHandle(r, nullptr), nullptr);
	EXPECT_EQ(MessageU(ResultRecent), "Zip-bug: trying to seek the unseekable");
	fclose(r);
	close(fds[1]);
}

TEST(ZipReader, ArchiveBehindOtherBytesAndTrailingComment)
{
	std::string prefix = "#!/bin/sh\necho self-extracting\n";
	std::string zip = Build({ Plain("one", "first"), Plain("two", TextBytes(5000)) }, prefix, "comment PK\x05\x06 inside").bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	std::string out;
	EXPECT_EQ(ReadAll(h.get(), 0, 5, &out), ResultOk);
	EXPECT_EQ(out, "first");
	EXPECT_EQ(ReadAll(h.get(), 1, 5000, &out), ResultOk);
	EXPECT_EQ(out, TextBytes(5000));

	// Opened on a file positioned at the archive's first byte.
	TempDir dir;
	WriteFile(dir / "sfx", zip);
	FILE* f = fopen((dir / "sfx").c_str(), "rb");
	ASSERT_NE(f, nullptr);
	fseek(f, long(prefix.size()), SEEK_SET);
	Reader fh(OpenZipHandle(f, nullptr));
	ASSERT_NE(fh, nullptr);
	EXPECT_EQ(ReadAll(fh.get(), 1, 1000, &out), ResultOk);
	EXPECT_EQ(out, TextBytes(5000));
	fh.reset();
	fclose(f);

	// No end record within the last 65535 bytes.
	std::string buried = Build({ Plain("x", "y") }).bytes + std::string(70000, ' ');
	EXPECT_EQ(OpenMemory(buried), nullptr);
}

TEST(ZipReader, RefusesUnsafeNamesWhenExtractingToPaths)
{
	const char* unsafe[] = { "../evil.txt", "a/../../evil.txt", "..", "x/..", "..\\evil", "sub\\..\\..\\evil", "/" };
	std::vector<Entry> entries;
	for (const char* n : unsafe)
		entries.push_back(Plain(n, "owned", 0));
	entries.push_back(Plain("safe/..name/ok..txt", "fine", 0));
	std::string zip = Build(entries).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	TempDir outer;
	std::string inner = outer / "a/b/c";
	std::filesystem::create_directories(inner);
	ASSERT_EQ(SetUnzipBaseDir(h.get(), inner.c_str()), ResultOk);
	for (size_t i = 0; i + 1 < entries.size(); ++i)
	{
		ZIPENTRY ze;
		ASSERT_EQ(GetZipItem(h.get(), int(i), &ze), ResultOk);
		EXPECT_FALSE(IsSafeZipItemName(ze.name)) << ze.name;
		EXPECT_EQ(UnzipItem(h.get(), int(i), ze.name), ResultArgs) << ze.name;
		// The data is still there for extraction into memory.
		std::string out;
		EXPECT_EQ(ReadAll(h.get(), int(i), 5, &out), ResultOk);
	}
	for (const char* p : { "evil.txt", "a/evil.txt", "a/b/evil.txt", "evil" })
		EXPECT_FALSE(FileExists(outer / p)) << p;
	ZIPENTRY ze;
	ASSERT_EQ(GetZipItem(h.get(), int(entries.size() - 1), &ze), ResultOk);
	EXPECT_TRUE(IsSafeZipItemName(ze.name));
	EXPECT_EQ(UnzipItem(h.get(), int(entries.size() - 1), ze.name), ResultOk);
	EXPECT_EQ(ReadFile(inner + "/safe/..name/ok..txt"), "fine");
	EXPECT_FALSE(IsSafeZipItemName(""));
	EXPECT_FALSE(IsSafeZipItemName("C:x"));
	EXPECT_FALSE(IsSafeZipItemName(nullptr));
}

TEST(ZipReader, BaseDirectoryAndPathLengths)
{
	std::string zip = Build({ Plain("f.txt", "content") }).bytes;
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	// A directory of 1500 characters is cut so that the "/" still fits its field.
	std::string longDir(1500, 'd');
	EXPECT_EQ(SetUnzipBaseDir(h.get(), longDir.c_str()), ResultOk);
	// Over-long extraction paths are refused before anything is created.
	std::string longPath(5000, 'p');
	EXPECT_EQ(UnzipItem(h.get(), 0, longPath.c_str()), ResultArgs);

	TempDir dir;
	EXPECT_EQ(SetUnzipBaseDir(h.get(), (dir.path + "/").c_str()), ResultOk);
	EXPECT_EQ(UnzipItem(h.get(), 0, "x/y/f.txt"), ResultOk);
	EXPECT_EQ(ReadFile(dir / "x/y/f.txt"), "content");
	EXPECT_EQ(SetUnzipBaseDir(h.get(), (dir / "z").c_str()), ResultOk);
	EXPECT_EQ(UnzipItem(h.get(), 0, "f.txt"), ResultOk);	// the base itself is created too
	EXPECT_EQ(ReadFile(dir / "z/f.txt"), "content");
	// An absolute target ignores the base directory.
	EXPECT_EQ(UnzipItem(h.get(), 0, (dir / "abs.txt").c_str()), ResultOk);
	EXPECT_EQ(ReadFile(dir / "abs.txt"), "content");
	EXPECT_EQ(UnzipItem(h.get(), 0, (dir / "no/such/../../abs2.txt").c_str()), ResultOk);
}

TEST(ZipReader, CrcMismatchIsReportedAndEmptyEntriesSucceed)
{
	Built b = Build({ Plain("stored", "stored data", 0), Plain("deflated", TextBytes(40000)), Plain("empty", "", 0), Plain("emptyd", "") });
	std::string zip = b.bytes;
	// A flipped byte of stored data keeps the sizes but not the CRC; for the deflated entry the
	// stored CRC is damaged instead (a flipped bit could break the stream itself).
	zip[b.localOffsets[0] + 30 + 6 + 3] ^= 1;
	Set32(zip, b.localOffsets[1] + 14, Get32(zip, b.localOffsets[1] + 14) ^ 1);
	Set32(zip, b.centralOffsets[1] + 16, Get32(zip, b.centralOffsets[1] + 16) ^ 1);
	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	std::string out;
	EXPECT_EQ(ReadAll(h.get(), 0, 100, &out), ResultCorrupt);
	EXPECT_EQ(ReadAll(h.get(), 1, 16384, &out), ResultCorrupt);
	TempDir dir;
	EXPECT_EQ(UnzipItem(h.get(), 0, (dir / "s").c_str()), ResultCorrupt);
	EXPECT_EQ(UnzipItem(h.get(), 1, (dir / "d").c_str()), ResultCorrupt);
	FILE* f = tmpfile();
	EXPECT_EQ(UnzipItemHandle(h.get(), 1, f), ResultCorrupt);
	fclose(f);

	char buf[4];
	EXPECT_EQ(UnzipItem(h.get(), 2, buf, sizeof(buf)), ResultOk);
	EXPECT_EQ(UnzipItem(h.get(), 3, buf, sizeof(buf)), ResultOk);
	EXPECT_EQ(UnzipItem(h.get(), 2, (dir / "e").c_str()), ResultOk);
	EXPECT_EQ(UnzipItem(h.get(), 3, (dir / "ed").c_str()), ResultOk);
	EXPECT_TRUE(FileExists(dir / "e"));
	EXPECT_TRUE(FileExists(dir / "ed"));
}

TEST(ZipReader, HostileArchivesGiveResultCodes)
{
	std::string text = TextBytes(10000);
	Built b = Build({ Plain("a", text), Plain("b", "bbbb", 0) });
	const size_t L0 = b.localOffsets[0], L1 = b.localOffsets[1];
	const size_t C0 = b.centralOffsets[0], C1 = b.centralOffsets[1], E = b.endOffset;
	struct Case
	{
		const char* what;
		size_t at;
		int width;
		uint32_t value;
		bool opens;
		ZRESULT item0;		// GetZipItem(0)
		ZRESULT read0;		// UnzipItem(0) into memory
	} cases[] = {
		{ "central offset past the end", E + 16, 4, 0x7FFFFFF0u, false, 0, 0 },
		{ "central size past the end", E + 12, 4, 0xFFFFFFF0u, false, 0, 0 },
		{ "entry counts differ", E + 8, 2, 1, false, 0, 0 },
		{ "second disk", E + 4, 2, 1, false, 0, 0 },
		{ "central offset too small", E + 16, 4, 0, true, ResultCorrupt, ResultFlate },
		{ "local offset past the end", C0 + 42, 4, 0xFFFFFF00u, true, ResultCorrupt, ResultFlate },
		{ "local offset into the central directory", C0 + 42, 4, uint32_t(C1), true, ResultCorrupt, ResultFlate },
		{ "compressed size past the end", C0 + 20, 4, 0xFFFFFFF0u, true, ResultCorrupt, ResultFlate },
		{ "local and central sizes differ", L0 + 18, 4, 7, true, ResultCorrupt, ResultFlate },
		{ "unknown method", C1 + 10, 2, 12, true, ResultOk, ResultOk },
		{ "name length past the directory", C1 + 28, 2, 0xFFFF, true, ResultOk, ResultOk },
		{ "bad local signature", L0, 4, 0x12345678u, true, ResultCorrupt, ResultFlate },
		{ "bad central signature", C0, 4, 0x12345678u, false, 0, 0 },
	};
	for (const Case& c : cases)
	{
		std::string zip = b.bytes;
		if (c.width == 4)
			Set32(zip, c.at, c.value);
		else
			Set16(zip, c.at, c.value);
		Reader h = OpenMemory(zip);
		EXPECT_EQ(h != nullptr, c.opens) << c.what;
		if (!h)
			continue;
		ZIPENTRY ze;
		EXPECT_EQ(GetZipItem(h.get(), 0, &ze), c.item0) << c.what;
		std::string out;
		EXPECT_EQ(ReadAll(h.get(), 0, 4096, &out), c.read0) << c.what;
		// The second entry never crashes; what it gives depends on the damage.
		GetZipItem(h.get(), 1, &ze);
		ReadAll(h.get(), 1, 4096, &out);
	}

	// Sizes that lie about the data: more promised than there is, and less.
	{
		std::string zip = b.bytes;
		Set32(zip, L1 + 22, 5000);
		Set32(zip, C1 + 24, 5000);
		Reader h = OpenMemory(zip);
		ASSERT_NE(h, nullptr);
		std::string out;
		EXPECT_EQ(ReadAll(h.get(), 1, 1000, &out), ResultFlate);	// stored data runs out
		TempDir dir;
		EXPECT_EQ(UnzipItem(h.get(), 1, (dir / "b").c_str()), ResultFlate);
	}
	{
		std::string zip = b.bytes;
		Set32(zip, L0 + 22, 20000);
		Set32(zip, C0 + 24, 20000);
		Reader h = OpenMemory(zip);
		ASSERT_NE(h, nullptr);
		std::string out;
		EXPECT_EQ(ReadAll(h.get(), 0, 3000, &out), ResultFlate);	// the deflate stream ends early
		Set32(zip, L0 + 22, 100);
		Set32(zip, C0 + 24, 100);
		Reader h2 = OpenMemory(zip);
		EXPECT_EQ(ReadAll(h2.get(), 0, 50, &out), ResultCorrupt);	// cut at 100 bytes: CRC differs
	}
	// Two central records sharing one local header read the same data.
	{
		std::string zip = b.bytes;
		Set32(zip, C1 + 42, uint32_t(L0));
		Set16(zip, C1 + 10, 8);
		Set32(zip, C1 + 16, Get32(zip, C0 + 16));
		Set32(zip, C1 + 20, Get32(zip, C0 + 20));
		Set32(zip, C1 + 24, Get32(zip, C0 + 24));
		Set16(zip, C1 + 28, 1);
		Reader h = OpenMemory(zip);
		ASSERT_NE(h, nullptr);
		std::string out;
		EXPECT_EQ(ReadAll(h.get(), 1, 10000, &out), ResultOk);
		EXPECT_EQ(out, text);
	}
	// A local header inside a corrupt deflate stream.
	{
		std::string zip = b.bytes;
		size_t data = L0 + 30 + 1;
		for (size_t i = 0; i < 8; ++i)
			zip[data + i] = char(0xFF);
		Reader h = OpenMemory(zip);
		std::string out;
		EXPECT_EQ(ReadAll(h.get(), 0, 4096, &out), ResultFlate);
	}
}

TEST(ZipReader, TruncatedArchivesNeverCrash)
{
	std::vector<Entry> entries = { Plain("a", TextBytes(3000)), Plain("b", "bbbb", 0), Plain("dir/", "", 0) };
	Built b = Build(entries);
	const std::string& zip = b.bytes;
	size_t centralStart = b.centralOffsets[0];
	std::string directory = zip.substr(centralStart);
	for (size_t n = 0; n < zip.size(); ++n)
	{
		// A cut download has lost its end record.
		EXPECT_EQ(OpenMemory(zip.substr(0, n)), nullptr) << n;
		if (n > centralStart)
			continue;
		// Entry data cut short behind an intact directory: entries that lie beyond the cut fail.
		std::string cut = zip.substr(0, n) + directory;
		Set32(cut, cut.size() - 6, uint32_t(n));
		Reader h = OpenMemory(cut);
		ASSERT_NE(h, nullptr) << n;
		for (int i = 0; i < 3; ++i)
		{
			std::string out;
			ZRESULT r = ReadAll(h.get(), i, 1024, &out);
			if (r == ResultOk)
			{
				EXPECT_EQ(out, entries[i].data) << n;
			}
			bool whole = b.localOffsets[i] + 30 + entries[i].name.size() +
				(entries[i].method == 8 ? RawDeflate(entries[i].data).size() : entries[i].data.size()) <= n;
			if (!entries[i].data.empty())
			{
				EXPECT_EQ(r == ResultOk, whole) << n << " " << i;
			}
		}
	}
}

TEST(ZipReader, ZipBombStaysBounded)
{
	// 64 MiB of zeros in about 64 KiB: read back in 16 KiB pieces without growing.
	const uint32_t size = 64u << 20;
	std::string zeros(size, '\0');
	Entry bomb = Plain("bomb", "", 8);
	Built b = Build({ bomb });
	std::string deflated = RawDeflate(zeros, 9);
	uint32_t crc = Crc(zeros);
	zeros.clear();
	zeros.shrink_to_fit();
	// Rebuild by hand: the builder deflated the empty data; splice in the bomb's data and fields.
	std::string zip;
	std::string local = b.bytes.substr(0, 30 + 4);
	Set32(local, 14, crc);
	Set32(local, 18, uint32_t(deflated.size()));
	Set32(local, 22, size);
	std::string central = b.bytes.substr(b.centralOffsets[0], 46 + 4);
	Set32(central, 16, crc);
	Set32(central, 20, uint32_t(deflated.size()));
	Set32(central, 24, size);
	zip = local + deflated;
	uint32_t centralAt = uint32_t(zip.size());
	zip += central;
	std::string end = b.bytes.substr(b.endOffset);
	Set32(end, 16, centralAt);
	zip += end;
	ASSERT_GT(size / zip.size(), 500u);

	Reader h = OpenMemory(zip);
	ASSERT_NE(h, nullptr);
	std::vector<char> buf(16384 + 8, 'G');
	ZRESULT r = ResultMore;
	uint64_t total = 0;
	while (r == ResultMore)
	{
		r = UnzipItem(h.get(), 0, buf.data(), 16384);
		total += 16384;
		ASSERT_EQ(buf[16384], 'G');
	}
	EXPECT_EQ(r, ResultOk);
	EXPECT_EQ(total, size);

	// Declaring more than the cap refuses extraction to files before anything is written.
	Set32(zip, 22, 0xF0000000u);
	Set32(zip, centralAt + 24, 0xF0000000u);
	Reader lying = OpenMemory(zip);
	ASSERT_NE(lying, nullptr);
	TempDir dir;
	EXPECT_EQ(UnzipItem(lying.get(), 0, (dir / "bomb").c_str()), ResultWrite);
	EXPECT_FALSE(FileExists(dir / "bomb"));
	FILE* f = tmpfile();
	EXPECT_EQ(UnzipItemHandle(lying.get(), 0, f), ResultWrite);
	EXPECT_EQ(ftell(f), 0);
	fclose(f);
	// Into memory the caller's buffer bounds it; the stream ends before the promised size.
	char small[1000];
	r = ResultMore;
	int calls = 0;
	while (r == ResultMore && calls < 100000)
		r = UnzipItem(lying.get(), 0, small, sizeof(small)), ++calls;
	EXPECT_EQ(r, ResultFlate);
}

TEST(ZipReader, MutationFuzz)
{
	Entry secret = Plain("secret", TextBytes(3000));
	secret.password = "pw";
	Entry timed = Plain("timed", RandomBytes(700, 3), 0);
	timed.password = "pw";
	timed.checkByteFromTime = true;
	std::string ut = "UT";
	Put16(ut, 13);
	ut += char(7);
	Put32(ut, 1);
	Put32(ut, 2);
	Put32(ut, 3);
	Entry withExtra = Plain("dir\\..\\text.txt", TextBytes(5000));
	withExtra.localExtra = ut;
	std::string zip = Build({ withExtra, Plain("raw.bin", RandomBytes(2000, 9), 0), secret, timed, Plain("d/", "", 0) }, "", "c").bytes;

	Lcg g(12345);
	std::vector<char> buf(2048 + 8);
	TempDir outer;
	std::string inner = outer / "inner";
	std::filesystem::create_directories(inner);
	for (int round = 0; round < 3000; ++round)
	{
		std::string m = zip;
		int edits = 1 + int(g.Next() % 6);
		for (int k = 0; k < edits; ++k)
		{
			size_t at = g.Next() % m.size();
			switch (g.Next() % 5)
			{
			case 0: m[at] = char(g.Next()); break;
			case 1: m[at] ^= char(1u << (g.Next() % 8)); break;
			case 2: if (at + 4 <= m.size()) Set32(m, at, g.Next() % 2 ? 0xFFFFFFFFu : g.Next() % 100000); break;
			case 3: if (at + 2 <= m.size()) Set16(m, at, g.Next() % 2 ? 0xFFFF : g.Next() % 300); break;
			case 4: m.resize(m.size() - std::min<size_t>(m.size() - 1, g.Next() % 64)); break;
			}
		}
		Reader h = OpenMemory(m, "pw");
		if (!h)
			continue;
		ZIPENTRY ze;
		if (GetZipItem(h.get(), -1, &ze) != ResultOk)
			continue;
		int count = ze.index;
		for (int i = 0; i < count && i < 8; ++i)
		{
			GetZipItem(h.get(), i, &ze);
			FindZipItem(h.get(), "RAW.BIN", true, nullptr, &ze);
			std::fill(buf.begin(), buf.end(), 'F');
			ZRESULT r = ResultMore;
			for (int calls = 0; r == ResultMore && calls < (1 << 20); ++calls)
			{
				r = UnzipItem(h.get(), i, buf.data(), 2048);
				for (size_t j = 2048; j < buf.size(); ++j)
					ASSERT_EQ(buf[j], 'F');
			}
			EXPECT_NE(r, ResultMore) << "round " << round;
		}
		if (round % 50 == 0 && count > 0)
		{
			FILE* f = tmpfile();
			UnzipItemHandle(h.get(), 0, f);
			fclose(f);
			// Extraction under each entry's own name stays inside the base directory.
			ASSERT_EQ(SetUnzipBaseDir(h.get(), inner.c_str()), ResultOk);
			for (int i = 0; i < count && i < 8; ++i)
				if (GetZipItem(h.get(), i, &ze) == ResultOk)
					UnzipItem(h.get(), i, ze.name);
		}
	}
	for (const auto& entry : std::filesystem::directory_iterator(outer.path))
		EXPECT_EQ(entry.path().filename(), "inner");
}
