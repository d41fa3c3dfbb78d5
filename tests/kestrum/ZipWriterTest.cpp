// Tests of the zip writer: record layouts, flags, times, attributes, encryption, memory
// limits and sticky errors, and round trips through python3's zipfile, unzip and our reader.
#include <Kestrum/Utility/ZipReader.h>
#include <Kestrum/Utility/ZipWriter.h>

#include "fixtures/ZipFixtures.h"

#include <gtest/gtest.h>

#include <sys/time.h>
#include <utime.h>

#include <cstring>
#include <memory>

using namespace XZip;
using namespace ZipFixtures;

namespace
{
	struct WriterCloser
	{
		void operator()(HZIP__* h) const { CloseZipZ(h); }
	};
	typedef std::unique_ptr<HZIP__, WriterCloser> Writer;

	std::string MessageZ(ZRESULT code)
	{
		char buf[128];
		FormatZipMessageZ(code, buf, sizeof(buf));
		return buf;
	}

	std::string Memory(HZIP h)
	{
		void* base = nullptr;
		uint32_t length = 0;
		EXPECT_EQ(ZipGetMemory(h, &base, &length), ResultOk);
		return base ? std::string(static_cast<const char*>(base), length) : std::string();
	}

	// Reads every entry back with our reader into name -> data.
	std::vector<std::pair<std::string, std::string>> ReadBack(const std::string& zip, const char* password = nullptr)
	{
		std::vector<std::pair<std::string, std::string>> out;
		HZIP h = OpenZip(zip.data(), uint32_t(zip.size()), password);
		EXPECT_NE(h, nullptr);
		if (!h)
			return out;
		ZIPENTRY ze;
		GetZipItem(h, -1, &ze);
		int count = ze.index;
		for (int i = 0; i < count; ++i)
		{
			EXPECT_EQ(GetZipItem(h, i, &ze), ResultOk);
			std::string data(ze.unc_size, '\0');
			if (ze.unc_size > 0)
			{
				EXPECT_EQ(UnzipItem(h, i, &data[0], ze.unc_size), ResultOk) << ze.name;
			}
			out.emplace_back(ze.name, data);
		}
		CloseZipU(h);
		return out;
	}
}

TEST(ZipWriter, NamesMethodsAndAttributes)
{
	Writer h(CreateZip(nullptr, 1u << 20, nullptr));
	ASSERT_NE(h, nullptr);
	ASSERT_TRUE(IsZipHandleZ(h.get()));
	EXPECT_FALSE(IsZipHandleU(h.get()));
	std::string text = TextBytes(3000);
	std::string bin = RandomBytes(3000, 1);
	EXPECT_EQ(ZipAdd(h.get(), "docs\\readme.txt", text.data(), uint32_t(text.size())), ResultOk);
	EXPECT_EQ(ZipAdd(h.get(), "pack.ZIP", bin.data(), uint32_t(bin.size())), ResultOk);
	EXPECT_EQ(ZipAdd(h.get(), "noise.dat", bin.data(), uint32_t(bin.size())), ResultOk);
	EXPECT_EQ(ZipAddFolder(h.get(), "textures"), ResultOk);
	EXPECT_EQ(ZipAddFolder(h.get(), "maps\\"), ResultOk);
	for (const char* stored : { "a.Z", "b.zoo", "c.arc", "d.LZH", "e.arj", "f.gz", "g.tgz" })
		EXPECT_EQ(ZipAdd(h.get(), stored, "x", 1), ResultOk);
	EXPECT_EQ(ZipAdd(h.get(), "h.z7", "x", 1), ResultOk);
	std::string zip = Memory(h.get());

	std::vector<Record> records = Walk(zip);
	ASSERT_EQ(records.size(), 13u);
	struct Expect
	{
		const char* name;
		uint32_t method, flags, externalAttr, internalAttr;
	} expected[] = {
		{ "docs/readme.txt", 8, 0x02, 0x80000000u, 1 },
		{ "pack.ZIP", 0, 0x00, 0x80000000u, 0 },
		{ "noise.dat", 8, 0x02, 0x80000000u, 0 },
		{ "textures/", 0, 0x00, 0x41C00010u, 0 },
		{ "maps/", 0, 0x00, 0x41C00010u, 0 },
	};
	for (size_t i = 0; i < 5; ++i)
	{
		const Record& r = records[i];
		EXPECT_EQ(r.name, expected[i].name);
		EXPECT_EQ(r.method, expected[i].method) << r.name;
		EXPECT_EQ(r.flags, expected[i].flags) << r.name;
		EXPECT_EQ(r.localFlags, expected[i].flags) << r.name;
		EXPECT_EQ(r.externalAttr, expected[i].externalAttr) << r.name;
		EXPECT_EQ(r.internalAttr, expected[i].internalAttr) << r.name;
		EXPECT_EQ(r.versionMadeBy, 0x0B17u);
		EXPECT_EQ(r.localCrc, r.crc);
		EXPECT_EQ(r.localComp, r.comp);
		EXPECT_EQ(r.localUnc, r.unc);
		ASSERT_EQ(r.localExtra.size(), 17u);
		EXPECT_EQ(r.localExtra.substr(0, 5), std::string("UT\x0d\x00\x07", 5));
		ASSERT_EQ(r.centralExtra.size(), 9u);
		EXPECT_EQ(r.centralExtra.substr(0, 5), std::string("UT\x05\x00\x07", 5));
		EXPECT_EQ(r.centralExtra.substr(5), r.localExtra.substr(5, 4));
	}
	EXPECT_EQ(records[3].unc, 0u);
	EXPECT_EQ(records[3].comp, 0u);
	for (size_t i = 5; i < 12; ++i)
		EXPECT_EQ(records[i].method, 0u) << records[i].name;
	EXPECT_EQ(records[12].method, 8u);
	// No data descriptor: each local record is followed directly by the next one.
	EXPECT_EQ(records[0].dataOffset + records[0].comp, records[1].localOffset);

	auto back = ReadBack(zip);
	ASSERT_EQ(back.size(), 13u);
	EXPECT_EQ(back[0].second, text);
	EXPECT_EQ(back[1].second, bin);
	EXPECT_EQ(back[2].second, bin);
	EXPECT_EQ(back[3].first, "textures/");
}

TEST(ZipWriter, DosTimesFromUtc)
{
	TempDir dir;
	std::string file = dir / "dated.txt";
	WriteFile(file, "dated");
	struct tm t = {};
	t.tm_year = 111;
	t.tm_mon = 2;
	t.tm_mday = 5;
	t.tm_hour = 10;
	t.tm_min = 20;
	t.tm_sec = 31;
	time_t when = timegm(&t);
	struct utimbuf times = { when - 100, when };
	ASSERT_EQ(utime(file.c_str(), &times), 0);
	chmod(file.c_str(), 0444);
	Writer h(CreateZip(nullptr, 100000, nullptr));
	ASSERT_EQ(ZipAdd(h.get(), "dated.txt", file.c_str()), ResultOk);
	std::string zip = Memory(h.get());
	std::vector<Record> records = Walk(zip);
	ASSERT_EQ(records.size(), 1u);
	uint32_t dos = records[0].dosDateTime;
	EXPECT_EQ(dos >> 25, 31u);
	EXPECT_EQ((dos >> 21) & 0x0f, 3u);
	EXPECT_EQ((dos >> 16) & 0x1f, 5u);
	EXPECT_EQ((dos >> 11) & 0x1f, 10u);
	EXPECT_EQ((dos >> 5) & 0x3f, 20u);
	EXPECT_EQ(dos & 0x1f, 15u);
	EXPECT_EQ(Get32(records[0].localExtra, 5), uint32_t(when));
	EXPECT_EQ(Get32(records[0].localExtra, 9), uint32_t(when - 100));
	// The file's mode in the upper half, owner-write missing: read-only bit.
	EXPECT_EQ(records[0].externalAttr, (0100444u << 16) | 0x01);

	HZIP r = OpenZip(zip.data(), uint32_t(zip.size()), nullptr);
	ZIPENTRY ze;
	ASSERT_EQ(GetZipItem(r, 0, &ze), ResultOk);
	EXPECT_EQ(ze.mtime, when);
	EXPECT_EQ(ze.atime, when - 100);
	EXPECT_EQ(ze.attr, 0100444u);
	CloseZipU(r);
}

TEST(ZipWriter, EndedStickyAndMemoryLimits)
{
	{
		Writer h(CreateZip(nullptr, 1000, nullptr));
		EXPECT_EQ(ZipAdd(h.get(), "a", "abc", 3), ResultOk);
		std::string zip = Memory(h.get());
		EXPECT_EQ(ZipAdd(h.get(), "b", "abc", 3), ResultEnded);
		EXPECT_EQ(MessageZ(ResultRecent), "Caller: additions to the zip have already been ended");
		EXPECT_EQ(Memory(h.get()), zip);	// finishing happens once
	}
	{
		Writer h(CreateZip(nullptr, 1000, nullptr));
		EXPECT_EQ(ZipAdd(h.get(), "empty", "", 0), ResultArgs);
		EXPECT_EQ(ZipAdd(h.get(), "null", static_cast<const void*>(nullptr), 4), ResultArgs);
		EXPECT_EQ(ZipAdd(h.get(), "", "x", 1), ResultArgs);
		EXPECT_EQ(ZipAdd(h.get(), nullptr, "x", 1), ResultArgs);
		EXPECT_EQ(ZipAddFolder(h.get(), ""), ResultArgs);
		EXPECT_EQ(ZipAdd(h.get(), "f", static_cast<const char*>(nullptr)), ResultArgs);
		EXPECT_EQ(ZipAdd(h.get(), "f", "/nonexistent/file"), ResultNoFile);
		EXPECT_EQ(ZipAdd(h.get(), "", "/nonexistent/file"), ResultArgs);	// the name comes first
		EXPECT_EQ(ZipAdd(h.get(), "ok", "x", 1), ResultOk);	// none of these was sticky
	}
	{
		// Its 52-byte local header fits, its data does not.
		std::string data(120, 'q');
		Writer h(CreateZip(nullptr, 100, nullptr));
		EXPECT_EQ(ZipAdd(h.get(), "a.zip", data.data(), uint32_t(data.size())), ResultMemSize);
		EXPECT_EQ(ZipAdd(h.get(), "b", "x", 1), ResultFailed);
		EXPECT_EQ(ZipAddFolder(h.get(), "c"), ResultFailed);
		EXPECT_EQ(MessageZ(ResultRecent), "Caller: there was a previous error");
	}
	{
		// A caller's block: writes end strictly below its capacity.
		std::vector<char> block(200, '\x77');
		Writer h(CreateZip(block.data(), 120, nullptr));
		EXPECT_EQ(ZipAdd(h.get(), "a", "abcdef", 6), ResultOk);	// 30 + 1 + 17 + 8 = 56 bytes
		void* base = nullptr;
		uint32_t length = 0;
		EXPECT_EQ(ZipGetMemory(h.get(), &base, &length), ResultWrite);	// + directory 56 + end 22 > 120
		EXPECT_EQ(block[112], '\x77');
	}
	{
		Writer h(CreateZip(nullptr, 23, nullptr));
		std::string zip = Memory(h.get());
		EXPECT_EQ(zip.size(), 22u);
		Writer tight(CreateZip(nullptr, 22, nullptr));
		void* base = nullptr;
		uint32_t length = 0;
		EXPECT_EQ(ZipGetMemory(tight.get(), &base, &length), ResultWrite);
	}
	EXPECT_EQ(CreateZip(nullptr, 0, nullptr), nullptr);
	EXPECT_EQ(MessageZ(ResultRecent), "Caller: not enough space allocated for memory zipfile");
	EXPECT_EQ(CreateZip("/nonexistent/dir/x.zip", nullptr), nullptr);
	EXPECT_EQ(MessageZ(ResultRecent), "Couldn't create/open file");
}

TEST(ZipWriter, HandlesAndTexts)
{
	EXPECT_EQ(ZipAdd(nullptr, "a", "x", 1), ResultArgs);
	EXPECT_EQ(CloseZipZ(nullptr), ResultArgs);
	EXPECT_FALSE(IsZipHandleZ(nullptr));
	Writer w(CreateZip(nullptr, 1000, nullptr));
	std::string zip = Memory(w.get());
	HZIP r = OpenZip(zip.data(), uint32_t(zip.size()), nullptr);
	ASSERT_NE(r, nullptr);
	EXPECT_EQ(ZipAdd(r, "a", "x", 1), ResultMixedModes);
	EXPECT_EQ(ZipAddFolder(r, "a"), ResultMixedModes);
	EXPECT_EQ(CloseZipZ(r), ResultMixedModes);
	ZIPENTRY ze;
	EXPECT_EQ(GetZipItem(w.get(), 0, &ze), ResultMixedModes);
	EXPECT_EQ(CloseZipU(w.get()), ResultMixedModes);
	EXPECT_EQ(CloseZipU(r), ResultOk);

	TempDir dir;
	Writer f(CreateZip((dir / "f.zip").c_str(), nullptr));
	void* base = &dir;
	uint32_t length = 7;
	EXPECT_EQ(ZipGetMemory(f.get(), &base, &length), ResultNotMemoryZip);
	EXPECT_EQ(base, nullptr);
	// It finished the archive all the same: nothing more can be added, and the file is whole.
	EXPECT_EQ(ZipAdd(f.get(), "late", "x", 1), ResultEnded);
	EXPECT_EQ(CloseZipZ(f.release()), ResultOk);
	HZIP finished = OpenZip((dir / "f.zip").c_str(), nullptr);
	ASSERT_NE(finished, nullptr);
	GetZipItem(finished, -1, &ze);
	EXPECT_EQ(ze.index, 0);
	CloseZipU(finished);

	EXPECT_EQ(MessageZ(256), "Culdn't duplicate handle");
	EXPECT_EQ(MessageZ(4096), "unknown zip result code");
	EXPECT_EQ(MessageZ(1792), "Zipfile is corrupt or not a zipfile");
	EXPECT_EQ(MessageZ(67108864), "Zip-bug: tried to change mind, but not allowed");
	EXPECT_EQ(FormatZipMessageZ(0, nullptr, 0), 7u);
}

TEST(ZipWriter, FilesOpenFilesAndPipes)
{
	TempDir dir;
	std::string big = TextBytes(100000);
	WriteFile(dir / "big.txt", big);
	std::string prefix = "prefix bytes before the archive";

	// On an open file positioned after other bytes: offsets count from the file's start.
	FILE* out = fopen((dir / "handle.zip").c_str(), "w+b");
	ASSERT_NE(out, nullptr);
	fwrite(prefix.data(), 1, prefix.size(), out);
	HZIP h = CreateZipHandle(out, nullptr);
	ASSERT_NE(h, nullptr);
	FILE* in = fopen((dir / "big.txt").c_str(), "rb");
	fseek(in, 500, SEEK_SET);	// read from its start all the same
	EXPECT_EQ(ZipAddHandle(h, "big.txt", in), ResultOk);
	fclose(in);
	EXPECT_EQ(ZipAdd(h, "again.txt", (dir / "big.txt").c_str()), ResultOk);
	EXPECT_EQ(CloseZipZ(h), ResultOk);
	fclose(out);
	std::string zip = ReadFile(dir / "handle.zip");
	ASSERT_EQ(zip.substr(0, prefix.size()), prefix);
	std::vector<Record> records = Walk(zip);
	ASSERT_EQ(records.size(), 2u);
	EXPECT_EQ(records[0].localOffset, prefix.size());
	auto back = ReadBack(zip);
	ASSERT_EQ(back.size(), 2u);
	EXPECT_EQ(back[0].second, big);
	EXPECT_EQ(back[1].second, big);

	// Through a pipe nothing can be rewritten: flags 8 (plus 2 when deflated) and descriptors.
	int fds[2];
	ASSERT_EQ(pipe(fds), 0);
	FILE* w = fdopen(fds[1], "wb");
	h = CreateZipHandle(w, nullptr);
	ASSERT_NE(h, nullptr);
	EXPECT_EQ(ZipAdd(h, "t.txt", "some text", 9), ResultOk);
	EXPECT_EQ(ZipAdd(h, "s.zip", "stored", 6), ResultOk);
	EXPECT_EQ(CloseZipZ(h), ResultOk);
	fclose(w);
	std::string piped;
	char buf[4096];
	ssize_t n;
	while ((n = read(fds[0], buf, sizeof(buf))) > 0)
		piped.append(buf, size_t(n));
	close(fds[0]);
	records = Walk(piped);
	ASSERT_EQ(records.size(), 2u);
	EXPECT_EQ(records[0].flags, 0x0Au);
	EXPECT_EQ(records[0].localFlags, 0x0Au);
	EXPECT_EQ(records[0].localCrc, 0u);
	EXPECT_EQ(records[0].localUnc, 9u);
	EXPECT_EQ(records[1].flags, 0x08u);
	EXPECT_EQ(records[1].localComp, 6u);
	EXPECT_EQ(Get32(piped, records[0].dataOffset + records[0].comp), 0x08074b50u);
	EXPECT_EQ(Get32(piped, records[0].dataOffset + records[0].comp + 4), records[0].crc);
	back = ReadBack(piped);
	ASSERT_EQ(back.size(), 2u);
	EXPECT_EQ(back[0].second, "some text");
	EXPECT_EQ(back[1].second, "stored");

	// A stored entry of unknown size cannot go to an output that cannot seek.
	int src[2], dst[2];
	ASSERT_EQ(pipe(src), 0);
	ASSERT_EQ(pipe(dst), 0);
	ASSERT_EQ(write(src[1], "piped input", 11), 11);
	close(src[1]);
	FILE* pin = fdopen(src[0], "rb");
	FILE* pout = fdopen(dst[1], "wb");
	h = CreateZipHandle(pout, nullptr);
	EXPECT_EQ(ZipAddHandle(h, "unknown.gz", pin), ResultNoChange);
	fclose(pin);
	ASSERT_EQ(pipe(src), 0);
	ASSERT_EQ(write(src[1], "piped input", 11), 11);
	close(src[1]);
	pin = fdopen(src[0], "rb");
	EXPECT_EQ(ZipAddHandle(h, "unknown.txt", pin), ResultOk);	// deflated: a descriptor will do
	fclose(pin);
	ASSERT_EQ(pipe(src), 0);
	ASSERT_EQ(write(src[1], "piped input", 11), 11);
	close(src[1]);
	pin = fdopen(src[0], "rb");
	EXPECT_EQ(ZipAddHandle(h, "known.gz", pin, 11), ResultOk);	// declared size: stored works
	fclose(pin);
	EXPECT_EQ(CloseZipZ(h), ResultOk);
	fclose(pout);
	piped.clear();
	while ((n = read(dst[0], buf, sizeof(buf))) > 0)
		piped.append(buf, size_t(n));
	close(dst[0]);
	records = Walk(piped);
	ASSERT_EQ(records.size(), 2u);
	EXPECT_EQ(records[0].localUnc, 0xFFFFFFFFu);
	EXPECT_EQ(records[0].unc, 11u);
	EXPECT_EQ(records[0].externalAttr, 0x80000000u);
	back = ReadBack(piped);
	ASSERT_EQ(back.size(), 2u);
	EXPECT_EQ(back[0].second, "piped input");
	EXPECT_EQ(back[1].second, "piped input");
}

TEST(ZipWriter, EncryptedEntries)
{
	std::string text = TextBytes(50000);
	std::string bin = RandomBytes(5000, 4);
	Writer h(CreateZip(nullptr, 1u << 20, "s3cret"));
	EXPECT_EQ(ZipAdd(h.get(), "text.txt", text.data(), uint32_t(text.size())), ResultOk);
	EXPECT_EQ(ZipAdd(h.get(), "bin.zip", bin.data(), uint32_t(bin.size())), ResultOk);
	EXPECT_EQ(ZipAddFolder(h.get(), "folder"), ResultOk);
	std::string zip = Memory(h.get());
	std::vector<Record> records = Walk(zip);
	ASSERT_EQ(records.size(), 3u);
	EXPECT_EQ(records[0].flags, 0x0Bu);
	EXPECT_EQ(records[0].localFlags, 0x0Bu);
	EXPECT_EQ(records[1].flags, 0x09u);
	EXPECT_EQ(records[1].comp, bin.size() + 12);
	EXPECT_EQ(records[1].localComp, bin.size() + 12);
	EXPECT_EQ(records[2].flags, 0x00u);	// folders are never encrypted
	// The data is not in the clear; the independent decryptor recovers it.
	EXPECT_EQ(zip.find(bin.substr(0, 64)), std::string::npos);
	ZipCrypto zc("s3cret");
	std::string plain = zc.Decrypt(zip.substr(records[1].dataOffset, records[1].comp));
	EXPECT_EQ(uint8_t(plain[11]), (records[1].dosDateTime >> 8) & 0xff);
	EXPECT_EQ(plain.substr(12), bin);

	auto back = ReadBack(zip, "s3cret");
	ASSERT_EQ(back.size(), 3u);
	EXPECT_EQ(back[0].second, text);
	EXPECT_EQ(back[1].second, bin);
	HZIP r = OpenZip(zip.data(), uint32_t(zip.size()), "wrong");
	char buf[64];
	EXPECT_EQ(UnzipItem(r, 1, buf, sizeof(buf)), ResultPassword);
	CloseZipU(r);

	// An empty password is no password.
	Writer plainWriter(CreateZip(nullptr, 1000, ""));
	EXPECT_EQ(ZipAdd(plainWriter.get(), "a", "abc", 3), ResultOk);
	records = Walk(Memory(plainWriter.get()));
	EXPECT_EQ(records[0].flags, 0x02u);
}

TEST(ZipWriter, TextFlag)
{
	struct Case
	{
		std::string data;
		uint32_t text;
	} cases[] = {
		{ TextBytes(1000), 1 },
		{ RandomBytes(1000, 2), 0 },
		{ TextBytes(800) + std::string(200, '\0'), 1 },		// 200 binary <= 800 / 4
		{ TextBytes(796) + std::string(204, '\0'), 0 },
		{ std::string(1000, '\x7f'), 1 },
		{ std::string(1000, '\x80'), 0 },
	};
	Writer h(CreateZip(nullptr, 1u << 20, nullptr));
	for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
		ASSERT_EQ(ZipAdd(h.get(), ("f" + std::to_string(i)).c_str(), cases[i].data.data(), uint32_t(cases[i].data.size())), ResultOk);
	std::vector<Record> records = Walk(Memory(h.get()));
	for (size_t i = 0; i < records.size(); ++i)
		EXPECT_EQ(records[i].internalAttr, cases[i].text) << i;
}

TEST(ZipWriter, DeflateIsZlibLevelEight)
{
	std::string data = TextBytes(200000) + RandomBytes(20000, 5);
	Writer h(CreateZip(nullptr, 1u << 20, nullptr));
	ASSERT_EQ(ZipAdd(h.get(), "d", data.data(), uint32_t(data.size())), ResultOk);
	std::string zip = Memory(h.get());
	std::vector<Record> records = Walk(zip);
	ASSERT_EQ(records.size(), 1u);
	EXPECT_EQ(zip.substr(records[0].dataOffset, records[0].comp), RawDeflate(data, 8));
	EXPECT_EQ(RawInflate(zip.substr(records[0].dataOffset, records[0].comp), data.size()), data);
}

TEST(ZipWriter, StandardToolsReadWhatWeWrite)
{
	if (!HavePython() && !HaveUnzip())
		GTEST_SKIP() << "neither python3 nor unzip is available";
	TempDir dir;
	std::string text = TextBytes(70000);
	std::string bin = RandomBytes(40000, 6);
	WriteFile(dir / "disk.bin", bin);
	for (const char* password : { "", "pw123" })
	{
		std::string path = dir / (std::string("out") + password + ".zip");
		HZIP h = CreateZip(path.c_str(), password);
		ASSERT_NE(h, nullptr);
		EXPECT_EQ(ZipAdd(h, "dir\\text.txt", text.data(), uint32_t(text.size())), ResultOk);
		EXPECT_EQ(ZipAdd(h, "disk.bin", (dir / "disk.bin").c_str()), ResultOk);
		EXPECT_EQ(ZipAdd(h, "packed.gz", bin.data(), 1000), ResultOk);
		EXPECT_EQ(ZipAddFolder(h, "empty"), ResultOk);
		EXPECT_EQ(CloseZipZ(h), ResultOk);
		WriteFile(dir / "expect_text", text);
		if (HavePython())
		{
			std::string pwd = password;
			ASSERT_TRUE(RunPython(dir, "import zipfile\n"
				"z = zipfile.ZipFile('" + path + "')\n" +
				(pwd.empty() ? std::string() : "z.setpassword(b'" + pwd + "')\n") +
				"assert z.testzip() is None\n"
				"assert z.namelist() == ['dir/text.txt', 'disk.bin', 'packed.gz', 'empty/'], z.namelist()\n"
				"assert z.read('dir/text.txt') == open('" + (dir / "expect_text") + "', 'rb').read()\n"
				"assert z.read('disk.bin') == open('" + (dir / "disk.bin") + "', 'rb').read()\n"
				"assert z.read('packed.gz') == open('" + (dir / "disk.bin") + "', 'rb').read()[:1000]\n"
				"assert z.getinfo('empty/').is_dir()\n"
				"assert z.getinfo('packed.gz').compress_type == zipfile.ZIP_STORED\n"))
				<< ReadFile(dir / "python.log");
		}
		if (HaveUnzip())
		{
			std::string cmd = "unzip -tq " + std::string(*password ? "-P " + std::string(password) + " " : "") + "'" + path + "' >/dev/null 2>&1";
			EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
		}
	}
}
