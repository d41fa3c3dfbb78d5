// The save-game and demo header readers over well-formed, truncated, oversized and garbage data.
#include "menu/SaveDemoHeaders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tier1/utlbuffer.h"

namespace
{
using Bytes = std::vector<unsigned char>;

// A saved game: the magic, the map name, its NUL (unless left out) and trailing bytes.
Bytes SaveFile(const std::string &magic, const std::string &map, bool terminate, size_t trailing)
{
	Bytes b(magic.begin(), magic.end());
	b.insert(b.end(), map.begin(), map.end());
	if (terminate)
		b.push_back(0);
	b.insert(b.end(), trailing, 0xAB);
	return b;
}

void PutU32(Bytes &b, size_t at, uint32_t v)
{
	for (int i = 0; i < 4; ++i)
		b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void PutName(Bytes &b, size_t at, const std::string &name)
{
	memcpy(&b[at], name.data(), name.size() < 260 ? name.size() : 260);
}

// A demo header written field by field, little-endian.
Bytes DemoFile(const std::string &server, const std::string &client, const std::string &map,
               const std::string &dir, size_t total = ZvDemoHeader::kSize)
{
	Bytes b(total < ZvDemoHeader::kSize ? ZvDemoHeader::kSize : total, 0);
	memcpy(&b[0], "ZORVDEMO", 8);
	PutU32(b, 8, 3);
	PutU32(b, 12, static_cast<uint32_t>(-24));
	PutName(b, 16, server);
	PutName(b, 276, client);
	PutName(b, 536, map);
	PutName(b, 796, dir);
	float t = 12.5f;
	uint32_t tb;
	memcpy(&tb, &t, 4);
	PutU32(b, 1056, tb);
	PutU32(b, 1060, 800);
	PutU32(b, 1064, 0x7fffffff);
	PutU32(b, 1068, 0x80000000u);
	b.resize(total);
	return b;
}

struct SaveResult
{
	bool ok;
	std::string map;
	int remaining;
};

SaveResult ReadSave(const Bytes &file)
{
	CUtlBuffer buf;
	if (!file.empty())
		buf.Put(file.data(), static_cast<int>(file.size()));
	zv_save_header header;
	memset(&header, 0x5A, sizeof(header));
	bool ok = ReadSaveHeader(buf, header);
	EXPECT_EQ(header.mapname[sizeof(header.mapname) - 1], '\0');
	return {ok, std::string(header.mapname), buf.TellMaxPut() - buf.TellGet()};
}
}

TEST(SaveHeader, CasesOfMagicNameAndSize)
{
	const std::string long600(600, 'm');
	struct Case
	{
		const char *what;
		Bytes file;
		bool ok;
		std::string map;
		int remaining;
	} cases[] = {
		{"plain", SaveFile("ZVS3", "d1_town", true, 100), true, "d1_town", 100},
		{"magic and NUL only", SaveFile("ZVS3", "", true, 0), true, "", 0},
		{"magic only", SaveFile("ZVS3", "", false, 0), true, "", 0},
		{"name runs to the end", SaveFile("ZVS3", "cut", false, 0), true, "cut", 0},
		{"511 characters kept whole", SaveFile("ZVS3", std::string(511, 'a'), true, 7), true, std::string(511, 'a'), 7},
		{"longer name cut to 511", SaveFile("ZVS3", long600, true, 9), true, std::string(511, 'm'), 9},
		{"wrong magic", SaveFile("ZVS2", "x", true, 5), false, "", 0},
		{"lower-case magic", SaveFile("zvs3", "x", true, 5), false, "", 0},
		{"three magic bytes", SaveFile("ZVS", "", false, 0), false, "", 0},
		{"empty file", Bytes(), false, "", 0},
	};
	for (const Case &c : cases)
	{
		SCOPED_TRACE(c.what);
		SaveResult r = ReadSave(c.file);
		EXPECT_EQ(r.ok, c.ok);
		EXPECT_EQ(r.map, c.map);
		if (c.ok)
		{
			EXPECT_EQ(r.remaining, c.remaining);
		}
	}
}

TEST(DemoHeader, ReadsEveryFieldLittleEndian)
{
	Bytes file = DemoFile("Server", "Player", "maps/x", "zorvan", 5000);
	ZvDemoHeader h;
	ASSERT_TRUE(ReadDemoHeader(file.data(), file.size(), h));
	EXPECT_EQ(h.demoprotocol, 3);
	EXPECT_EQ(h.networkprotocol, -24);
	EXPECT_STREQ(h.servername, "Server");
	EXPECT_STREQ(h.clientname, "Player");
	EXPECT_STREQ(h.mapname, "maps/x");
	EXPECT_STREQ(h.gamedirectory, "zorvan");
	EXPECT_FLOAT_EQ(h.playback_time, 12.5f);
	EXPECT_EQ(h.playback_ticks, 800);
	EXPECT_EQ(h.playback_frames, 0x7fffffff);
	EXPECT_EQ(h.signonlength, INT32_MIN);
}

TEST(DemoHeader, NamesFillingTheirFieldAreCutAtTheField)
{
	std::string full(260, 's');
	Bytes file = DemoFile(full, full, "", std::string(300, 'g'));
	ZvDemoHeader h;
	ASSERT_TRUE(ReadDemoHeader(file.data(), file.size(), h));
	EXPECT_EQ(std::string(h.servername), full);  // not running on into the next field
	EXPECT_EQ(std::string(h.clientname), full);
	EXPECT_STREQ(h.mapname, "");
	EXPECT_EQ(std::string(h.gamedirectory), std::string(260, 'g'));
}

TEST(DemoHeader, RefusesShortWrongOrMissingData)
{
	ZvDemoHeader h;
	Bytes good = DemoFile("a", "b", "c", "d");
	for (size_t cut : {size_t(0), size_t(3), size_t(4), size_t(16), size_t(1071)})
	{
		Bytes shortFile(good.begin(), good.begin() + cut);
		EXPECT_FALSE(ReadDemoHeader(shortFile.empty() ? nullptr : shortFile.data(), shortFile.size(), h)) << cut;
	}
	Bytes wrong = good;
	wrong[3] = 'W';
	EXPECT_FALSE(ReadDemoHeader(wrong.data(), wrong.size(), h));
	EXPECT_FALSE(ReadDemoHeader(nullptr, 5000, h));
	// Only the first four bytes are tested.
	Bytes stamp = good;
	memcpy(&stamp[4], "\xff\xff\xff\xff", 4);
	EXPECT_TRUE(ReadDemoHeader(stamp.data(), stamp.size(), h));
}

TEST(SaveDemoHeaders, GarbageNeverReadsOutOfBounds)
{
	std::mt19937 rng(1234);
	for (int round = 0; round < 2000; ++round)
	{
		size_t size = rng() % 1400;
		Bytes file(size);
		for (unsigned char &c : file)
			c = static_cast<unsigned char>(rng() % 4 == 0 ? 0 : rng());
		if (size >= 4 && round % 2 == 0)
			memcpy(file.data(), round % 4 == 0 ? "ZVS3" : "ZORV", 4);
		ReadSave(file);
		ZvDemoHeader h;
		if (ReadDemoHeader(file.data(), file.size(), h))
		{
			EXPECT_LE(strlen(h.servername), 260u);
		}
	}
}
