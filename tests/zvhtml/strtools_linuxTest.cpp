// String tools of the Linux build: tables of inputs and results per family.
#include "strtools_linux.h"

#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixtures/ScratchFolder.h"

TEST(StrtoolsLinux, WrappersForwardToTheCLibrary)
{
	char buf[8];
	V_SetMem(__FILE__, __LINE__, buf, 'x', sizeof(buf));
	EXPECT_EQ(buf[7], 'x');
	V_Copy(__FILE__, __LINE__, buf, "abcba");
	EXPECT_EQ(V_Length(__FILE__, __LINE__, buf), 5);
	EXPECT_EQ(V_FindLast(__FILE__, __LINE__, buf, 'b'), buf + 3);
	EXPECT_EQ(V_FindLast(__FILE__, __LINE__, buf, 'z'), nullptr);
	EXPECT_EQ(V_Find(__FILE__, __LINE__, buf, "cb"), buf + 2);
	EXPECT_LT(V_Compare(__FILE__, __LINE__, "a", "b"), 0);
	wchar_t wide[] = L"MiXed";
	EXPECT_EQ(std::wstring(V_WideLower(__FILE__, __LINE__, wide)), L"mixed");
	EXPECT_EQ(std::wstring(V_WideUpper(__FILE__, __LINE__, wide)), L"MIXED");
	EXPECT_EQ(V_WideLength(__FILE__, __LINE__, wide), 5);
	EXPECT_EQ(V_WideCompare(__FILE__, __LINE__, L"ab", L"ab"), 0);
	EXPECT_EQ(V_WideCompare(__FILE__, __LINE__, L"ab", L"a"), 1);
	EXPECT_EQ(V_WideCompare(__FILE__, __LINE__, L"a", L"ab"), -1);
	EXPECT_EQ(V_WideCompare(__FILE__, __LINE__, L"aa", L"ab"), -1);
}

TEST(StrtoolsLinux, CaseFoldingPrefixesAndNumbers)
{
	EXPECT_EQ(V_FoldChar('Q'), 'q');
	EXPECT_EQ(V_FoldChar('1'), '1');
	EXPECT_STREQ(V_AfterPrefix("Hello world", "hELLO "), "world");
	EXPECT_EQ(V_AfterPrefix("He", "Hello"), nullptr);
	EXPECT_EQ(V_AfterPrefixExact("Hello", "hello"), nullptr);
	EXPECT_STREQ(V_AfterPrefixExact("Hello", "Hel"), "lo");

	char lower[] = "ABCDEF";
	V_LowerN(lower, 4);
	EXPECT_STREQ(lower, "abc");
	V_LowerN(nullptr, 4);

	const struct
	{
		const char *text;
		uint64_t value;
	} kNumbers[] = {
		{ "0x1F", 31 }, { "0XffffFFFFffffFFFF", UINT64_MAX }, { "'A", 65 }, { "123abc", 123 },
		{ "-5", 0 },    { "abc", 0 },                          { "", 0 },    { "0x", 0 },
		{ "18446744073709551615", UINT64_MAX },
	};
	for (const auto &c : kNumbers)
		EXPECT_EQ(V_ParseU64(c.text), c.value) << c.text;

	const struct
	{
		const char *in, *out;
		int result;
	} kFloats[] = { { "2.500", "2.5", 3 }, { "3.000", "3", 1 }, { "100", "100", 0 }, { "10.", "10", 2 }, { ".", ".", 0 } };
	for (const auto &c : kFloats)
	{
		char text[16];
		V_strncpy(text, c.in, sizeof(text));
		EXPECT_EQ(V_TrimFloatZeros(text), c.result) << c.in;
		EXPECT_STREQ(text, c.out) << c.in;
	}
}

TEST(StrtoolsLinux, BoundedSearches)
{
	const char *text = "abcDEFabc";
	EXPECT_EQ(V_FindNoCaseN(text, "def", 9), text + 3);
	EXPECT_EQ(V_FindNoCaseN(text, "def", 5), nullptr);  // the match would end past n
	EXPECT_EQ(V_FindNoCaseN(text, "def", 6), text + 3);
	EXPECT_EQ(V_FindNoCaseN(text, "", 0), text);
	EXPECT_EQ(V_FindCharN(text, 'c', 2), nullptr);
	EXPECT_EQ(V_FindCharN(text, 'c', 3), text + 2);
	EXPECT_EQ(V_FindCharN("ab\0c", 'c', 4), nullptr);  // stops at the terminator
}

namespace
{
int Format(char *pDest, int nSize, bool *pbTruncated, const char *pFormat, ...)
{
	va_list args;
	va_start(args, pFormat);
	int n = V_vsnprintfTruncated(pDest, nSize, pFormat, args, pbTruncated);
	va_end(args);
	return n;
}
}

TEST(StrtoolsLinux, BoundedFormattingReportsTruncation)
{
	char buf[6];
	bool truncated = true;
	EXPECT_EQ(Format(buf, sizeof(buf), &truncated, "%d", 123), 3);
	EXPECT_FALSE(truncated);
	EXPECT_EQ(Format(buf, sizeof(buf), &truncated, "%s", "toolong"), 6);
	EXPECT_TRUE(truncated);
	EXPECT_STREQ(buf, "toolo");

	wchar_t wide[4];
	EXPECT_EQ(V_snwprintf(wide, 4, L"%d", 12), 2);
	EXPECT_EQ(V_snwprintf(wide, 4, L"%ls", L"abcdef"), 4);
	EXPECT_EQ(wide[3], L'\0');

	wchar_t cat[6] = L"ab";
	V_wcsncat(cat, L"cdefgh", sizeof(cat), 2);
	EXPECT_EQ(std::wstring(cat), L"abcd");
	V_wcsncat(cat, L"xyz", sizeof(cat));
	EXPECT_EQ(std::wstring(cat), L"abcdx");
}

TEST(StrtoolsLinux, PrettyBytesAndNumbers)
{
	const struct
	{
		float value;
		int decimals;
		bool powers;
		const char *text;
	} kBytes[] = {
		{ 1536, 1, true, "1.5 KB" },       { 999, 1, true, "999 bytes" },     { 1234567, 2, false, "1.23 MB" },
		{ 5e9f, 0, false, "5,000 MB" },    { 1024, 1, true, "1,024 bytes" },  { 3.5f, -2, false, "4 bytes" },
	};
	for (const auto &c : kBytes)
	{
		std::string expected(c.text);
		EXPECT_EQ(std::string(V_PrettyBytes(c.value, c.decimals, c.powers)), expected.substr(0, 31)) << c.text;
	}
	// A whole number beyond an int is printed as it is, cut to the buffer.
	EXPECT_EQ(std::string(V_PrettyBytes(1e30f, 2, false)).substr(0, 22), "1,000,000,015,047,466,");
	// Eight results stay valid at once.
	const char *first = V_PrettyBytes(1, 0, false);
	for (int i = 0; i < 7; ++i)
		V_PrettyBytes(2, 0, false);
	EXPECT_STREQ(first, "1 bytes");

	const struct
	{
		int64_t value;
		const char *text;
	} kNumbers[] = {
		{ 1234567, "1,234,567" }, { -1000, "-1,000" }, { 0, "0" }, { 999, "999" }, { 1000000, "1,000,000" },
		{ INT64_MAX, "9,223,372,036,854,775,807" }, { INT64_MIN, "-9,223,372,036,854,775,808" },
	};
	for (const auto &c : kNumbers)
		EXPECT_STREQ(V_PrettyNumber(c.value), c.text);
}

TEST(StrtoolsLinux, TrimmingKeepsLeadingInvisibleCharacters)
{
	const struct
	{
		const wchar_t *in;
		const wchar_t *plain;
		const wchar_t *aggressive;
	} kCases[] = {
		{ L"  a b \t\n", L"a b", L"a b" },
		{ L"a\x00A0 ", L"a\x00A0", L"a" },
		{ L"\x200B" L"a ", L"\x200B" L"a", L"\x200B" L"a" },
		{ L"", L"", L"" },
	};
	for (const auto &c : kCases)
	{
		std::wstring plain(c.in), aggressive(c.in);
		V_TrimWideInPlace(plain.data());
		V_TrimWideAggressive(aggressive.data());
		EXPECT_EQ(std::wstring(plain.c_str()), c.plain);
		EXPECT_EQ(std::wstring(aggressive.c_str()), c.aggressive);
	}
	wchar_t same[] = L"abc";
	EXPECT_FALSE(V_TrimWideInPlace(same));

	char utf8[] = "  caf\xc3\xa9\xc2\xa0 ";
	EXPECT_TRUE(V_TrimAggressive(utf8));
	EXPECT_STREQ(utf8, "caf\xc3\xa9");
	char plain[] = " x\xc2\xa0";
	EXPECT_TRUE(V_TrimInPlace(plain));
	EXPECT_STREQ(plain, "x\xc2\xa0");
	char invalid[] = " \xff ";
	EXPECT_FALSE(V_TrimInPlace(invalid));  // not UTF-8: left alone
	EXPECT_STREQ(invalid, " \xff ");
	EXPECT_TRUE(V_IsInvisibleChar(65279));
	EXPECT_FALSE(V_IsInvisibleChar('a'));
}

TEST(StrtoolsLinux, IconvConversions)
{
	const uint16_t ucs2[] = { 'h', 0xE9, 0 };
	wchar_t wide[8];
	EXPECT_EQ(V_UCS2ToWide(ucs2, sizeof(ucs2), wide, sizeof(wide)), static_cast<int>(sizeof(wide) - 12));
	EXPECT_EQ(std::wstring(wide), L"h\x00E9");

	char utf8[8];
	EXPECT_EQ(V_UCS2ToUTF8(ucs2, sizeof(ucs2), utf8, sizeof(utf8)), 8 - 4);
	EXPECT_STREQ(utf8, "h\xc3\xa9");

	uint16_t back[4] = { 9, 9, 9, 9 };
	EXPECT_EQ(V_UTF8ToUCS2("h\xc3\xa9", 4, back, sizeof(back)), 4);
	EXPECT_EQ(back[0], 'h');
	EXPECT_EQ(back[1], 0xE9);
	EXPECT_EQ(back[3], 0);

	uint16_t narrow[4];
	const wchar_t source[] = L"ok";
	EXPECT_EQ(V_WideToUCS2(source, sizeof(source), narrow, sizeof(narrow)), 3);
	EXPECT_EQ(narrow[1], 'k');

	// Errors: a bad sequence and a destination too small.
	EXPECT_EQ(V_UTF8ToUCS2("\xff\xfe", 2, back, sizeof(back)), 0);
	EXPECT_EQ(back[0], 0);
	char tiny[2];
	EXPECT_EQ(V_UCS2ToUTF8(ucs2, sizeof(ucs2), tiny, sizeof(tiny)), 0);
	EXPECT_EQ(tiny[1], '\0');

	wchar_t multi[3];
	EXPECT_EQ(V_MultiToWide("abcdef", 0, multi, sizeof(multi)), 2);
	EXPECT_EQ(std::wstring(multi), L"ab");  // always terminated
	EXPECT_EQ(V_MultiToWide("", 0, multi, sizeof(multi)), 0);
	EXPECT_EQ(multi[0], L'\0');
}

TEST(StrtoolsLinux, Hexadecimal)
{
	EXPECT_EQ(V_HexDigit('a'), 10);
	EXPECT_EQ(V_HexDigit('F'), 15);
	EXPECT_EQ(V_HexDigit('g'), 48);
	unsigned char bytes[4] = { 1, 2, 3, 4 };
	EXPECT_EQ(V_HexToBytes("0aFf7", 5, bytes, sizeof(bytes)), 2);
	EXPECT_EQ(bytes[0], 10);
	EXPECT_EQ(bytes[1], 255);
	EXPECT_EQ(bytes[2], 0);  // cleared
	EXPECT_EQ(V_HexToBytes("00112233445566", 14, bytes, 2), 2);
	EXPECT_EQ(V_HexToBytes("0aff", 2, bytes, 4), 1);

	char hex[7];
	const unsigned char data[] = { 0x00, 0xAB, 0x10, 0xFF };
	V_BytesToHex(data, 4, hex, sizeof(hex));
	EXPECT_STREQ(hex, "00ab10");  // cut to the output
}

TEST(StrtoolsLinux, PathPieces)
{
	struct Case
	{
		const char *in;
		const char *out;
	};
	auto apply = [](void (*fn)(char *), const char *in) {
		std::string text(in);
		text.push_back('\0');
		fn(text.data());
		return std::string(text.c_str());
	};
	for (const Case &c : { Case{ "a/b/", "a/b" }, Case{ "a/b", "a/b" }, Case{ "", "" } })
		EXPECT_EQ(apply(V_DropTrailingSlash, c.in), c.out);
	for (const Case &c : { Case{ "a/b/c", "a/b" }, Case{ "/a", "" }, Case{ "abc", "" } })
		EXPECT_EQ(apply(V_DropLastDirectory, c.in), c.out);
	for (const Case &c : { Case{ "a//b", "a/b" }, Case{ "a/\\b", "a\\b" }, Case{ "//a", "//a" }, Case{ "a///b", "a/b" } })
		EXPECT_EQ(apply(V_CollapseSlashes, c.in), c.out);

	const struct
	{
		const char *in;
		bool ok;
		const char *out;
	} kDirs[] = { { "a\\b\\c.txt", true, "a/b/" }, { "file.txt", true, "./" }, { "", false, "" }, { ".\\", false, ".\\" } };
	for (const auto &c : kDirs)
	{
		char path[32];
		V_strncpy(path, c.in, sizeof(path));
		EXPECT_EQ(V_DirectoryOf(path, sizeof(path)), c.ok) << c.in;
		EXPECT_STREQ(path, c.out) << c.in;
	}

	char out[8];
	EXPECT_TRUE(V_PathOf("dir/sub/file", out, sizeof(out)));
	EXPECT_STREQ(out, "dir/sub");
	EXPECT_TRUE(V_PathOf("directory/file", out, 4));
	EXPECT_STREQ(out, "dir");
	EXPECT_FALSE(V_PathOf("file", out, sizeof(out)));
	V_ExtensionOf("a/b.txt", out, sizeof(out));
	EXPECT_STREQ(out, "txt");
	V_ExtensionOf("a/b", out, sizeof(out));
	EXPECT_STREQ(out, "");
	V_FileNameOf("a/b");

	char joined[16];
	V_JoinPath("dir\\sub", "x\\y.txt", joined, sizeof(joined));
	EXPECT_STREQ(joined, "dir/sub/x/y.txt");
	V_JoinPath("dir/", "f", joined, sizeof(joined));
	EXPECT_STREQ(joined, "dir/f");
	V_JoinPath("0123456789abcdef", "f", joined, sizeof(joined));  // cut, not fatal
	EXPECT_STREQ(joined, "0123456789abcde");

	char slash[4] = "ab";
	V_AppendSlash(slash, sizeof(slash));
	EXPECT_STREQ(slash, "ab/");
	V_AppendSlash(slash, sizeof(slash));
	EXPECT_STREQ(slash, "ab/");
}

TEST(StrtoolsLinuxDeathTest, AppendSlashWithoutRoomIsFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	char full[4] = "abc";
	EXPECT_DEATH(V_AppendSlash(full, sizeof(full)), "V_AppendSlash: ran out of space on abc.");
}

TEST(StrtoolsLinux, DotSegmentsAndNormalising)
{
	const struct
	{
		const char *in;
		char separator;
		bool collapse;
		bool ok;
		const char *out;
	} kCases[] = {
		{ "a/./b/../c", '/', true, true, "a/c" },
		{ "../a", '/', true, false, "a" },
		{ "a/b/..", '/', true, true, "a/" },
		{ "a/.", '/', true, true, "a" },
		{ "/.", '/', true, true, "/" },
		{ "/a/../..", '/', true, false, "/" },
		{ "a//b", '/', true, true, "a/b" },
		{ "a//b", '/', false, true, "a//b" },
		{ "//srv/x", '/', true, true, "//srv/x" },
		{ "a/./b", '\\', true, true, "a\\b" },
		{ "a/b/./../c", '\\', false, true, "a\\c" },
		{ "..a/.b/...", '/', true, true, "..a/.b/..." },
		{ "", '/', true, true, "" },
	};
	for (const auto &c : kCases)
	{
		char path[32];
		V_strncpy(path, c.in, sizeof(path));
		EXPECT_EQ(V_RemoveDotSegments(path, c.separator, c.collapse), c.ok) << c.in;
		EXPECT_STREQ(path, c.out) << c.in;
	}
	char norm[32];
	EXPECT_TRUE(V_NormalisePath(norm, sizeof(norm), "a/./b/../c"));
	EXPECT_STREQ(norm, "a/c");
	EXPECT_FALSE(V_NormalisePath(norm, sizeof(norm), "../a"));
}

TEST(StrtoolsLinux, AbsoluteAndRelativePaths)
{
	char out[256];
	V_MakeAbsolutePath(out, sizeof(out), "/x/./y", "/ignored");
	EXPECT_STREQ(out, "/x/y");
	V_MakeAbsolutePath(out, sizeof(out), "c/../d", "/base/dir");
	EXPECT_STREQ(out, "/base/dir/d");

	ScratchFolder folder;
	ASSERT_TRUE(folder.Ok());
	char cwd[1024];
	ASSERT_TRUE(V_GetWorkingDirectory(cwd, sizeof(cwd)));
	ASSERT_TRUE(V_SetWorkingDirectory(folder.Path().c_str()));
	char here[1024];
	ASSERT_TRUE(V_GetWorkingDirectory(here, sizeof(here)));
	char abs[1024];
	V_MakeAbsolutePath(abs, sizeof(abs), "f.txt", "sub");
	EXPECT_EQ(std::string(abs), std::string(here) + "/sub/f.txt");
	V_MakeAbsolutePath(abs, sizeof(abs), "f.txt");
	EXPECT_EQ(std::string(abs), std::string(here) + "/f.txt");
	ASSERT_TRUE(V_SetWorkingDirectory(cwd));
	EXPECT_FALSE(V_SetWorkingDirectory((folder / "missing").c_str()));

	const struct
	{
		const char *path, *base;
		bool ok;
		const char *out;
	} kRelative[] = {
		{ "/a/b/c.txt", "/a/d", true, "../b/c.txt" },
		{ "/a/b/c", "/a/b", true, "c" },
		{ "/A/B/c", "/a/b/", true, "c" },
		{ "/a/x/y", "/a/b/c/", true, "../../x/y" },
		{ "/a/x", "/a/b/c", true, "../../x" },
		{ "abc", "xyz", false, "" },
	};
	for (const auto &c : kRelative)
	{
		char rel[64] = "junk";
		EXPECT_EQ(V_MakeRelativePath(c.path, c.base, rel, sizeof(rel)), c.ok) << c.path;
		EXPECT_STREQ(rel, c.out) << c.path << " from " << c.base;
	}
}

TEST(StrtoolsLinuxDeathTest, ClimbingPastTheRootIsFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	char out[64];
	EXPECT_DEATH(V_MakeAbsolutePath(out, sizeof(out), "../../x", "/a"), "past the root");
}

TEST(StrtoolsLinux, ReplaceSliceLeftRight)
{
	char out[16];
	EXPECT_TRUE(V_Replace("a-b-c", "-", "+=", out, sizeof(out), true));
	EXPECT_STREQ(out, "a+=b+=c");
	EXPECT_TRUE(V_Replace("aXbx", "x", "", out, sizeof(out), false));
	EXPECT_STREQ(out, "ab");
	EXPECT_TRUE(V_Replace("aXbx", "x", "_", out, sizeof(out), true));
	EXPECT_STREQ(out, "aXb_");
	EXPECT_TRUE(V_Replace("abc", "", "z", out, sizeof(out), true));  // empty search: a copy
	EXPECT_STREQ(out, "abc");
	EXPECT_FALSE(V_Replace("aaaa", "a", "bbbb", out, sizeof(out), true));

	const struct
	{
		int start, end;
		const char *out;
	} kSlices[] = { { -2, 6, "ef" }, { 1, 3, "bc" }, { 0, 8, "ab" }, { 6, 6, "" }, { 4, 2, "" }, { -1, -0, "" },
		            { INT_MIN, INT_MAX, "" }, { INT_MIN, -1, "e" } };
	for (const auto &c : kSlices)
	{
		V_Slice("abcdef", c.start, c.end, out, sizeof(out));
		EXPECT_STREQ(out, c.out) << c.start << " " << c.end;
	}
	V_Slice("", -1, 3, out, sizeof(out));
	EXPECT_STREQ(out, "");
	V_Slice("abcdef", 0, 6, out, 3);
	EXPECT_STREQ(out, "ab");

	V_Left("abcdef", 2, out, sizeof(out));
	EXPECT_STREQ(out, "ab");
	V_Right("abcdef", 2, out, sizeof(out));
	EXPECT_STREQ(out, "ef");
	V_Right("abc", 10, out, sizeof(out));
	EXPECT_STREQ(out, "abc");
}

TEST(StrtoolsLinux, DuplicatesEscapesAndSplits)
{
	char *dup = V_DuplicateN("abcdef", 3);
	EXPECT_STREQ(dup, "abc");
	delete[] dup;
	dup = V_DuplicateN("abc", -1);
	EXPECT_STREQ(dup, "abc");
	delete[] dup;

	char *esc = V_EscapeSpecial("a\tb\n\"c\"\\");
	EXPECT_STREQ(esc, "a\\tb\\n\\\"c\\\"\\\\");
	delete[] esc;

	CUtlVector<char *> pieces;
	const char *seps[] = { ", ", "AND", "" };
	V_Split("one, two and three,, four", seps, 3, pieces);
	std::vector<std::string> got;
	for (int i = 0; i < pieces.Count(); ++i)
	{
		got.push_back(pieces[i]);
		delete[] pieces[i];
	}
	EXPECT_EQ(got, (std::vector<std::string>{ "one", "two ", " three,", "four" }));
	V_SplitOne("a;;b;", ";", pieces);
	ASSERT_EQ(pieces.Count(), 2);
	EXPECT_STREQ(pieces[0], "a");
	EXPECT_STREQ(pieces[1], "b");
	for (int i = 0; i < pieces.Count(); ++i)
		delete[] pieces[i];
}

TEST(StrtoolsLinux, DateAndClockTexts)
{
	// 2021-03-04 15:05 UTC; the text is in local time, so only its shape is checked.
	char date[64], clock[16];
	ASSERT_TRUE(V_DateText(1614870300, date, sizeof(date)));
	EXPECT_NE(strchr(date, ' '), nullptr);
	ASSERT_TRUE(V_ClockText(1614870300, clock, sizeof(clock)));
	EXPECT_EQ(strlen(clock), 10u);
	EXPECT_TRUE(strstr(clock, "a.m.") || strstr(clock, "p.m."));
	EXPECT_TRUE(V_DateText(0, date, sizeof(date)));  // now
	EXPECT_FALSE(V_ClockText(1614870300, clock, 6));
	EXPECT_FALSE(V_DateText(1614870300, date, 3));
}

namespace
{
int CompareInts(void *pContext, const void *a, const void *b)
{
	++*static_cast<int *>(pContext);
	int x = *static_cast<const int *>(a), y = *static_cast<const int *>(b);
	return x < y ? -1 : x > y ? 1 : 0;
}
}

TEST(StrtoolsLinux, SortWithContextSortsEveryShape)
{
	unsigned int seed = 12345;
	auto next = [&seed] {
		seed = seed * 1103515245u + 12345u;
		return static_cast<int>((seed >> 16) % 1000);
	};
	for (int n : { 0, 1, 2, 7, 8, 9, 50, 1000, 5000 })
	{
		for (int shape = 0; shape < 4; ++shape)
		{
			std::vector<int> values(static_cast<size_t>(n));
			for (int i = 0; i < n; ++i)
				values[static_cast<size_t>(i)] = shape == 0 ? next() : shape == 1 ? i : shape == 2 ? n - i : 7;
			std::vector<int> expected = values;
			std::sort(expected.begin(), expected.end());
			int calls = 0;
			V_SortWithContext(values.data(), values.size(), sizeof(int), CompareInts, &calls);
			EXPECT_EQ(values, expected) << n << " shape " << shape;
		}
	}
}
