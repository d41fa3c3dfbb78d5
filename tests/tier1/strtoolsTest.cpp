// The V_ string functions: case, numbers, bounded copies, wide conversions and paths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tier1/strtools.h"

namespace
{
int Sign(int v)
{
	return (v > 0) - (v < 0);
}
}

TEST(Strtools, CaseChangesAsciiInPlace)
{
	char text[] = "MiXeD 123 \xC3\xA9";
	EXPECT_EQ(V_strupr(text), text);
	EXPECT_STREQ(text, "MIXED 123 \xC3\xA9");
	V_strlower(text);
	EXPECT_STREQ(text, "mixed 123 \xC3\xA9");
}

TEST(Strtools, ComparisonsFoldAsciiLetters)
{
	struct Case
	{
		const char *a, *b;
		int n;  // -1: V_stricmp, otherwise V_strnicmp with n
		int sign;
	};
	const Case cases[] = {
		{"abc", "ABD", -1, -1}, {"a", "", -1, 1},       {"", "a", -1, -1},      {"Hello", "hELLO", -1, 0},
		{"abc", "abd", 2, 0},   {"abc", "ABD", 3, -1},  {"ab", "abc", 3, -1},   {"abc", "xyz", 0, 0},
		{"a_", "A[", -1, 1},    {"Zed", "zed", -1, 0},  {"\xC3\xA9", "\xC3\xA9", -1, 0},
	};
	for (const Case &c : cases)
	{
		int r = c.n < 0 ? V_stricmp(c.a, c.b) : V_strnicmp(c.a, c.b, c.n);
		EXPECT_EQ(Sign(r), c.sign) << c.a << " vs " << c.b << " n=" << c.n;
	}
	EXPECT_EQ(V_stricmp("abc", "ABD"), -1);
	EXPECT_EQ(V_stricmp("a", ""), 1);

	EXPECT_EQ(V_strncmp("abc", "abd", 2), 0);
	EXPECT_EQ(V_strncmp("abc", "abd", 3), -1);
	EXPECT_EQ(V_strncmp("\xFF", "a", 1), 1);  // bytes compare unsigned
	EXPECT_EQ(V_strncmp("ab", "ab", 10), 0);
}

TEST(Strtools, IntegerParsing)
{
	struct Case
	{
		const char *text;
		int64_t value;
	};
	const Case cases[] = {
		{"-0x10", -16},    {"'A", 65},   {"+5", 0},    {"12abc", 12},    {"0XfF", 255},  {"-'A", -65},
		{" 7", 0},         {"", 0},      {"-", 0},     {"0x", 0},        {"'", 0},       {"9223372036854775807", INT64_MAX},
		{"-42", -42},      {"0x7fffffffffffffff", INT64_MAX},
	};
	for (const Case &c : cases)
		EXPECT_EQ(V_atoi64(c.text), c.value) << c.text;
	EXPECT_EQ(V_atoi64(nullptr), 0);
	EXPECT_EQ(V_atoi("0x100000005"), 5);  // cut to 32 bits
	// Overlong digits wrap instead of overflowing (the sanitizers would stop on overflow).
	V_atoi64("99999999999999999999999999999999999999");
	V_atoi64("-0xffffffffffffffffffffffffffff");
}

TEST(Strtools, FloatParsing)
{
	struct Case
	{
		const char *text;
		float value;
	};
	const Case cases[] = {
		{"1.5e2", 150.0f}, {"1.2.3", 1.2f}, {"-.5", -0.5f}, {"+2.25", 2.25f}, {"0x10", 16.0f},
		{"'A", 65.0f},     {"3E-1", 0.3f},  {"abc", 0.0f},  {"7.", 7.0f},     {"1.5.e3", 1.5f},
	};
	for (const Case &c : cases)
		EXPECT_FLOAT_EQ(V_atof(c.text), c.value) << c.text;
	EXPECT_TRUE(std::isinf(V_atof("1e99999999999999")));
	EXPECT_EQ(V_atof("1e-99999999999"), 0.0f);
	std::string digits(5000, '9');
	EXPECT_TRUE(std::isinf(V_atof(digits.c_str())));
	std::string fraction = "0." + digits;
	EXPECT_FLOAT_EQ(V_atof(fraction.c_str()), 1.0f);
}

TEST(Strtools, CaselessSearch)
{
	const char *hay = "Hello World";
	EXPECT_EQ(V_stristr(hay, "WORLD"), hay + 6);
	EXPECT_EQ(V_stristr(hay, "o w"), hay + 4);
	EXPECT_EQ(V_stristr(hay, "worlds"), nullptr);
	EXPECT_EQ(V_stristr(hay, ""), nullptr);
	EXPECT_EQ(V_stristr(hay, nullptr), nullptr);
	EXPECT_EQ(V_stristr(static_cast<const char *>(nullptr), "a"), nullptr);
	char writable[] = "aaAB";
	EXPECT_EQ(V_stristr(writable, "ab"), writable + 2);
}

TEST(Strtools, BoundedCopiesTerminate)
{
	char dst[8];
	memset(dst, 'x', sizeof(dst));
	EXPECT_STREQ(V_strncpy(dst, "abcdef", 4), "abc");
	EXPECT_EQ(dst[4], 'x');  // nothing beyond the size

	memset(dst, 'x', sizeof(dst));
	EXPECT_EQ(V_snprintf(dst, 3, "%s", "hello"), 3);
	EXPECT_STREQ(dst, "he");
	EXPECT_EQ(V_snprintf(dst, 8, "%d", 42), 2);
	EXPECT_STREQ(dst, "42");

	wchar_t wide[4];
	wmemset(wide, L'x', 4);
	V_wcsncpy(wide, L"abcdef", 3 * sizeof(wchar_t) + 2);  // three wide characters fit
	EXPECT_EQ(std::wstring(wide), L"ab");
	EXPECT_EQ(wide[3], L'x');

	wchar_t wout[4];
	auto wformat = [&](int size, const wchar_t *fmt, ...) {
		va_list args;
		va_start(args, fmt);
		int r = V_vsnwprintf(wout, size, fmt, args);
		va_end(args);
		return r;
	};
	EXPECT_EQ(wformat(4, L"%ls", L"wide text"), 4);
	EXPECT_EQ(std::wstring(wout), L"wid");
	EXPECT_EQ(wformat(4, L"%d", 7), 1);
	EXPECT_EQ(std::wstring(wout), L"7");
}

TEST(Strtools, ZeroOrNegativeSizesTouchNothing)
{
	char dst[4] = {'x', 'x', 'x', 'x'};
	wchar_t wide[2] = {L'x', L'x'};
	for (int size : {0, -1, -100})
	{
		V_strncpy(dst, "abc", size);
		EXPECT_EQ(V_snprintf(dst, size, "abc"), 0);
		V_strncat(dst, "abc", size);
		V_wcsncpy(wide, L"abc", size);
		EXPECT_EQ(V_UTF8ToUnicode("abc", wide, size), 0);
		EXPECT_EQ(V_UnicodeToUTF8(L"abc", dst, size), 0);
		EXPECT_EQ(V_wcstostr(L"abc", 3, dst, size), 0);
		V_FileBase("a/b.c", dst, size);
		V_StripExtension("a.b", dst, size);
		V_DefaultExtension(dst, ".x", size);
		V_SetExtension(dst, ".x", size);
	}
	// A wide destination smaller than one character counts as size zero.
	EXPECT_EQ(V_UTF8ToUnicode("abc", wide, 3), 0);
	V_wcsncpy(wide, L"abc", 3);
	EXPECT_EQ(memcmp(dst, "xxxx", 4), 0);
	EXPECT_EQ(wide[0], L'x');
	EXPECT_EQ(wide[1], L'x');
}

TEST(Strtools, AppendKeepsTerminatorWithinSize)
{
	struct Case
	{
		const char *start, *src;
		int size, max;
		const char *expected;
	};
	const Case cases[] = {
		{"ab", "cdef", 16, -1, "abcdef"}, {"ab", "cdef", 16, 2, "abcd"}, {"ab", "cdef", 5, -1, "abcd"},
		{"abcd", "ef", 5, -1, "abcd"},    {"ab", "cd", 16, 0, "ab"},     {"", "xyz", 2, -1, "x"},
	};
	for (const Case &c : cases)
	{
		char dst[16] = {};
		strcpy(dst, c.start);
		V_strncat(dst, c.src, c.size, c.max);
		EXPECT_STREQ(dst, c.expected) << c.start << "+" << c.src;
	}
	// A destination with no terminator within its size gets one and no more text.
	char full[4] = {'a', 'b', 'c', 'd'};
	V_strncat(full, "e", 4);
	EXPECT_STREQ(full, "abc");
}

TEST(Strtools, Utf8ToWide)
{
	wchar_t wide[8];
	EXPECT_EQ(V_UTF8ToUnicode("h\xC3\xA9llo", wide, sizeof(wide)), 6);
	EXPECT_EQ(std::wstring(wide), L"h\u00e9llo");
	EXPECT_EQ(V_UTF8ToUnicode("\xF0\x9F\x98\x80", wide, sizeof(wide)), 2);
	EXPECT_EQ(wide[0], static_cast<wchar_t>(0x1F600));

	// Cut to the destination: three characters converted, the terminator over the third.
	wchar_t small[3] = {L'x', L'x', L'x'};
	EXPECT_EQ(V_UTF8ToUnicode("abcdef", small, sizeof(small)), 4);
	EXPECT_EQ(std::wstring(small), L"ab");

	wchar_t bad[4] = {L'x', L'x', L'x', L'x'};
	EXPECT_EQ(V_UTF8ToUnicode("ab\xC3", bad, sizeof(bad)), 0);  // truncated sequence
	EXPECT_EQ(bad[0], L'\0');
	EXPECT_EQ(V_UTF8ToUnicode("\xFF\xFE", bad, sizeof(bad)), 0);
	EXPECT_EQ(V_UTF8ToUnicode(nullptr, bad, sizeof(bad)), 0);
	EXPECT_EQ(V_UTF8ToUnicode("", bad, sizeof(bad)), 1);
}

TEST(Strtools, WideToUtf8KeepsWholeCharacters)
{
	char out[16];
	EXPECT_EQ(V_UnicodeToUTF8(L"h\u00e9llo", out, sizeof(out)), 7);
	EXPECT_STREQ(out, "h\xC3\xA9llo");

	// "ab\u00e9" needs 4 bytes: all of it converts into 4 bytes (count 5), but only "ab" is kept
	// with its terminator, never half of the last character.
	char small[4];
	memset(small, 'x', sizeof(small));
	EXPECT_EQ(V_UnicodeToUTF8(L"ab\u00e9", small, sizeof(small)), 5);
	EXPECT_STREQ(small, "ab");
	EXPECT_EQ(V_UnicodeToUTF8(L"abc\u00e9", small, sizeof(small)), 4);  // the 2-byte one does not fit
	EXPECT_STREQ(small, "abc");

	const wchar_t unencodable[] = {L'a', static_cast<wchar_t>(-5), L'\0'};
	EXPECT_EQ(V_UnicodeToUTF8(unencodable, out, sizeof(out)), 0);
	EXPECT_STREQ(out, "");
	EXPECT_EQ(V_UnicodeToUTF8(nullptr, out, sizeof(out)), 0);
	EXPECT_EQ(V_UnicodeToUTF8(L"a", nullptr, 4), 0);
}

TEST(Strtools, WcstostrStopsAtSourceLengthAndDestination)
{
	char out[8];
	memset(out, 'x', sizeof(out));
	EXPECT_EQ(V_wcstostr(L"abcdef", 3, out, sizeof(out)), 3);
	EXPECT_STREQ(out, "abc");
	EXPECT_EQ(V_wcstostr(L"abcdefghijkl", -1, out, sizeof(out)), 7);
	EXPECT_STREQ(out, "abcdefg");
	EXPECT_EQ(V_wcstostr(L"ab", 100, out, sizeof(out)), 2);  // the terminator ends it first
	EXPECT_STREQ(out, "ab");

	// Source with no terminator at all: only srcLength characters are read.
	const wchar_t unterminated[3] = {L'x', L'y', L'z'};
	EXPECT_EQ(V_wcstostr(unterminated, 3, out, sizeof(out)), 3);
	EXPECT_STREQ(out, "xyz");

	const wchar_t unencodable[] = {static_cast<wchar_t>(-5), L'\0'};
	EXPECT_EQ(V_wcstostr(unencodable, 1, out, sizeof(out)), -1);
	EXPECT_STREQ(out, "");
}

TEST(Strtools, HugeTextsStayBounded)
{
	std::string huge(1 << 20, 'a');
	char out[64];
	V_strncpy(out, huge.c_str(), sizeof(out));
	EXPECT_EQ(strlen(out), 63u);
	std::vector<wchar_t> wide(64);
	EXPECT_EQ(V_UTF8ToUnicode(huge.c_str(), wide.data(), static_cast<int>(wide.size() * sizeof(wchar_t))), 65);
	std::wstring wideHuge(1 << 20, L'b');
	EXPECT_EQ(V_UnicodeToUTF8(wideHuge.c_str(), out, sizeof(out)), 65);
	EXPECT_EQ(strlen(out), 63u);
	EXPECT_EQ(V_wcstostr(wideHuge.c_str(), static_cast<int>(wideHuge.size()), out, sizeof(out)), 63);
	V_FileBase(huge.c_str(), out, sizeof(out));
	EXPECT_EQ(strlen(out), 63u);
}

TEST(Strtools, FileBase)
{
	struct Case
	{
		const char *path;
		int size;
		const char *expected;
	};
	const Case cases[] = {
		{"/a/b/file.txt", 64, "file"}, {"noext", 64, "noext"},     {".hidden", 64, ""},   {"", 64, ""},
		{"a/b.c/d", 64, "d"},         {"dir/x.tar.gz", 64, "x.tar"}, {"longname.txt", 5, "long"},
	};
	for (const Case &c : cases)
	{
		char out[64];
		V_FileBase(c.path, out, c.size);
		EXPECT_STREQ(out, c.expected) << c.path;
	}
	char out[8] = "x";
	V_FileBase(nullptr, out, sizeof(out));
	EXPECT_STREQ(out, "");
}

TEST(Strtools, StripExtension)
{
	struct Case
	{
		const char *path;
		int size;
		const char *expected;
	};
	const Case cases[] = {
		{"dir.d/file", 64, "dir.d/file"}, {"a.b.c", 64, "a.b"},   {".rc", 64, ".rc"},     {"x.txt", 64, "x"},
		{"abcdefgh.txt", 4, "abc"},       {"ab.txt", 3, "ab"},     {"abc.txt", 3, "ab"},   {"", 64, ""},
	};
	for (const Case &c : cases)
	{
		char out[64];
		V_StripExtension(c.path, out, c.size);
		EXPECT_STREQ(out, c.expected) << c.path;
		char inPlace[64];
		strcpy(inPlace, c.path);
		V_StripExtension(inPlace, inPlace, c.size);
		EXPECT_STREQ(inPlace, c.expected) << c.path << " in place";
	}
}

TEST(Strtools, DefaultAndSetExtension)
{
	char path[32] = "icon.png";
	V_SetExtension(path, ".vmt", sizeof(path));
	EXPECT_STREQ(path, "icon.vmt");

	strcpy(path, "icon");
	V_DefaultExtension(path, ".vmt", sizeof(path));
	EXPECT_STREQ(path, "icon.vmt");
	V_DefaultExtension(path, ".txt", sizeof(path));
	EXPECT_STREQ(path, "icon.vmt");

	strcpy(path, "dir.d/file");
	V_DefaultExtension(path, ".so", sizeof(path));
	EXPECT_STREQ(path, "dir.d/file.so");

	strcpy(path, "client.so");
	V_SetExtension(path, ".dylib", 10);  // cut to fit
	EXPECT_STREQ(path, "client.dy");

	// Buffers with no terminator within their size are read only within it.
	char unterminated[6] = {'a', 'b', 'c', '.', 'd', 'e'};
	V_SetExtension(unterminated, ".x", sizeof(unterminated));
	EXPECT_STREQ(unterminated, "abc.x");
	char noDot[4] = {'a', 'b', 'c', 'd'};
	V_DefaultExtension(noDot, ".x", sizeof(noDot));
	EXPECT_STREQ(noDot, "abc");
}

TEST(Strtools, SlashesExtensionsAndAbsolutePaths)
{
	char path[] = "a\\b/c\\d";
	V_FixSlashes(path);
	EXPECT_STREQ(path, "a/b/c/d");
	V_FixSlashes(path, '\\');
	EXPECT_STREQ(path, "a\\b\\c\\d");

	const char *archive = "a.tar.gz";
	EXPECT_EQ(V_GetFileExtension(archive), archive + 6);
	EXPECT_EQ(V_GetFileExtension("dir./file"), nullptr);
	EXPECT_EQ(V_GetFileExtension("noext"), nullptr);
	EXPECT_EQ(V_GetFileExtension(""), nullptr);
	EXPECT_EQ(V_GetFileExtension(".x"), nullptr);

	EXPECT_TRUE(V_IsAbsolutePath("/usr"));
	EXPECT_TRUE(V_IsAbsolutePath("\\share"));
	EXPECT_TRUE(V_IsAbsolutePath("c:stuff"));
	EXPECT_FALSE(V_IsAbsolutePath("bin/gameui"));
	EXPECT_FALSE(V_IsAbsolutePath(""));
	EXPECT_FALSE(V_IsAbsolutePath(nullptr));
}
