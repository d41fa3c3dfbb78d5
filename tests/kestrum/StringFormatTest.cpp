// Tests of printf-style formatting and the human-readable size, number and time forms.
#include "Kestrum/Utility/String.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace Kestrum;
namespace Fmt = Kestrum::String::Format;

namespace
{
	BString CallVarArgs(const char* format, ...)
	{
		va_list args;
		va_start(args, format);
		BString s = Fmt::VarArgs(format, args);
		va_end(args);
		return s;
	}

	WString CallVarArgsW(const wchar_t* format, ...)
	{
		va_list args;
		va_start(args, format);
		WString s = Fmt::VarArgs(format, args);
		va_end(args);
		return s;
	}
}

TEST(StringFormat, PrintAndVarArgsFormat)
{
	EXPECT_EQ(Fmt::Print("%s-%i-%03u", "a", -5, 7u), "a--5-007");
	EXPECT_EQ(CallVarArgs("%s=%d", "x", 42), "x=42");
	EXPECT_EQ(Fmt::Print(L"%ls %i", L"wide", 3), L"wide 3");
	EXPECT_EQ(CallVarArgsW(L"%i%%", 9), L"9%");
	EXPECT_EQ(Fmt::Print("%s", ""), "");
}

TEST(StringFormat, LongOutputIsCutAt4095)
{
	BString big(5000, 'q');
	EXPECT_EQ(Fmt::Print("%s", big.c_str()), big.substr(0, 4095));
	EXPECT_EQ(CallVarArgs("%s", big.c_str()), big.substr(0, 4095));
	EXPECT_EQ(Fmt::Print("%s", big.substr(0, 4095).c_str()).size(), 4095u);

	// The wide formatter fails on overflow; the result stays bounded and terminated.
	WString wbig(5000, L'w');
	WString w = Fmt::Print(L"%ls", wbig.c_str());
	EXPECT_LE(w.size(), 4095u);
	EXPECT_EQ(w, wbig.substr(0, w.size()));
	EXPECT_EQ(Fmt::Print(L"%ls", wbig.substr(0, 4095).c_str()).size(), 4095u);
}

TEST(StringFormat, Memory)
{
	struct Case { int bytes; const char* text; } cases[] = {
		{0, "0 B"}, {1023, "1023 B"}, {1024, "1.0 KB"}, {1536, "1.5 KB"},
		{1048576, "1.0 MB"}, {1073741824, "1.0 GB"}, {-5, "-5 B"},
	};
	for (const Case& c : cases)
		EXPECT_EQ(Fmt::Memory(c.bytes), c.text) << c.bytes;
	EXPECT_EQ(Fmt::MemoryPerSecond(2048), "2.0 KB/s");
}

TEST(StringFormat, SmallForms)
{
	EXPECT_EQ(Fmt::YesNo(true), "Yes");
	EXPECT_EQ(Fmt::YesNo(false), "No");
	EXPECT_EQ(Fmt::UInt64(18446744073709551615ull), "18446744073709551615");
	EXPECT_EQ(Fmt::Int(-2147483647 - 1), "-2147483648");
	EXPECT_EQ(ToStr(-3), "-3");
	EXPECT_EQ(ToStr(4000000000u), "4000000000");
	EXPECT_EQ(ToStr(1.5f), "1.500000");
	EXPECT_EQ(ToStr<uint64_t>(12345678901234ull), "12345678901234");
}

TEST(StringFormat, CommaSeperatedInt)
{
	struct Case { int value; const char* text; } cases[] = {
		{0, "0"}, {123, "123"}, {1234, "1,234"}, {123456, "123,456"}, {1234567, "1,234,567"},
		{-123, "-123"}, {-123456, "-123,456"}, {-2147483647 - 1, "-2,147,483,648"},
		{2147483647, "2,147,483,647"},
	};
	for (const Case& c : cases)
		EXPECT_EQ(Fmt::CommaSeperatedInt(c.value), c.text) << c.value;
}

TEST(StringFormat, NiceFloatAndDouble)
{
	struct Case { double value; const char* text; } cases[] = {
		{1.5, "1.5"}, {2, "2"}, {100, "100"}, {0, "0"}, {0.00001, "0"}, {1.23456, "1.2346"},
		{-0.25, "-0.25"}, {3000000000.0, "3000000000"},
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(Fmt::NiceDouble(c.value), c.text) << c.value;
		EXPECT_EQ(Fmt::NiceFloat(static_cast<float>(c.value)), c.text) << c.value;
	}
	EXPECT_EQ(Fmt::NiceDouble(1234567.5), "1234567.5");
	EXPECT_EQ(Fmt::NiceFloat(0.123456f), "0.1235");
	// Huge values still fit the formatting buffer.
	EXPECT_EQ(Fmt::NiceDouble(1e308).size(), 309u);
}

TEST(StringFormat, BinaryToHex)
{
	const unsigned char bytes[] = {0x00, 0xAB, 0x10, 0xFF};
	EXPECT_EQ(Fmt::BinaryToHex(bytes, 3), "00ab10");
	EXPECT_EQ(Fmt::BinaryToHex(bytes, 4), "00ab10ff");
	EXPECT_EQ(Fmt::BinaryToHex(bytes, 0), "");
	EXPECT_EQ(Fmt::BinaryToHex(nullptr, 0), "");
	// Longer than the formatting buffers.
	std::vector<unsigned char> many(5000, 0x5A);
	BString hex = Fmt::BinaryToHex(many.data(), 5000);
	EXPECT_EQ(hex.size(), 10000u);
	EXPECT_EQ(hex.substr(0, 4), "5a5a");
}

TEST(StringFormat, Time)
{
	setenv("TZ", "UTC", 1);
	tzset();
	EXPECT_EQ(Fmt::Time("%Y", 0), "1970");
	EXPECT_EQ(Fmt::Time("%Y-%m-%d %H:%M:%S", 86400 + 3661), "1970-01-02 01:01:01");
	EXPECT_EQ(Fmt::Time("", 0), "");
	// An expansion that does not fit 511 characters gives the empty text.
	EXPECT_EQ(Fmt::Time(BString(600, 'x'), 0), "");
	EXPECT_EQ(Fmt::Time(BString(511, 'x'), 0), BString(511, 'x'));
}
