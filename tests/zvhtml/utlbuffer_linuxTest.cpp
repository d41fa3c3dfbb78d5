// The CUtlBuffer members of the Linux build: lines, searches, tokens, tabbed and delimited
// output, line-end conversion and whole-buffer operations, with hostile input.
#include "tier1/utlbuffer.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// Reaches the tab level and the protected members.
class TestBuffer : public CUtlBuffer
{
public:
	using CUtlBuffer::CUtlBuffer;
	void SetTabLevel(int n) { m_nTab = n; }
	using CUtlBuffer::CheckPut;
	using CUtlBuffer::OnGetOverflow;
	using CUtlBuffer::OnPutOverflow;
	using CUtlBuffer::SetOverflowFuncs;

	bool RefusePut(int) { return false; }
	bool AcceptGet(int) { return true; }
};

std::string Contents(const CUtlBuffer &buf)
{
	return std::string(static_cast<const char *>(buf.Base()), static_cast<size_t>(buf.TellMaxPut()));
}

CUtlBuffer *TextOf(const std::string &text, bool crlf = false)
{
	auto *buf = new CUtlBuffer(0, 0, CUtlBuffer::TEXT_BUFFER | (crlf ? CUtlBuffer::CONTAINS_CRLF : 0));
	buf->Put(text.data(), static_cast<int>(text.size()));
	return buf;
}
}

size_t Tier1BufferSize();

// The engine fills the plug-in's buffers with tier1's code: the copy keeps tier1's layout.
TEST(UtlBufferLinux, CopyKeepsTier1sSize)
{
	EXPECT_EQ(sizeof(CUtlBuffer), Tier1BufferSize());
}

TEST(UtlBufferLinux, PrintfCutsAt2047Characters)
{
	CUtlBuffer text(0, 0, CUtlBuffer::TEXT_BUFFER);
	text.Printf("%s", std::string(3000, 'x').c_str());
	EXPECT_EQ(text.TellPut(), 2047);
	CUtlBuffer binary(0, 0, 0);
	binary.Printf("%d-%s", 7, "ab");
	EXPECT_EQ(Contents(binary), std::string("7-ab\0", 5));
}

TEST(UtlBufferLinux, PutStringTabsAfterLineFeeds)
{
	TestBuffer buf(0, 0, CUtlBuffer::TEXT_BUFFER);
	buf.PutString("x\n");
	buf.SetTabLevel(2);
	buf.PutString("a\nb");
	buf.PutString("c\n");
	buf.PutString("d");
	EXPECT_EQ(Contents(buf), "x\n\t\ta\n\t\tbc\n\t\td");

	TestBuffer off(0, 0, CUtlBuffer::TEXT_BUFFER | CUtlBuffer::AUTO_TABS_DISABLED);
	off.SetTabLevel(3);
	off.PutString("a\nb\n");
	off.PutString("c");
	off.PutString(nullptr);
	EXPECT_EQ(Contents(off), "a\nb\nc");

	CUtlBuffer binary(0, 0, 0);
	binary.PutString("ab");
	binary.PutString(nullptr);
	EXPECT_EQ(Contents(binary), std::string("ab\0\0", 4));
}

TEST(UtlBufferLinux, DelimitedOutputEscapes)
{
	TestBuffer buf(0, 0, CUtlBuffer::TEXT_BUFFER);
	buf.PutDelimitedString(GetCStringCharConversion(), "say \"hi\"\n");
	buf.PutDelimitedChar(GetCStringCharConversion(), '\t');
	buf.PutDelimitedChar(GetCStringCharConversion(), 'q');
	EXPECT_EQ(Contents(buf), "\"say \\\"hi\\\"\\n\"\\tq");

	// Without escapes a line feed is written as it is, and tabs follow it.
	TestBuffer tabs(0, 0, CUtlBuffer::TEXT_BUFFER);
	tabs.SetTabLevel(1);
	tabs.PutDelimitedString(GetNoEscCharConversion(), "a\nb");
	EXPECT_EQ(Contents(tabs), "\"a\n\tb\"");

	CUtlBuffer binary(0, 0, 0);
	binary.PutDelimitedString(GetCStringCharConversion(), "x");
	EXPECT_EQ(Contents(binary), std::string("x\0", 2));
}

TEST(UtlBufferLinux, GetLineCutsLongLinesAndSkipsTheirRest)
{
	std::unique_ptr<CUtlBuffer> buf(TextOf("0123456789\nnext\nlast"));
	char line[4];
	buf->GetLine(line, sizeof(line));
	EXPECT_STREQ(line, "012");
	char whole[32];
	buf->GetLine(whole, sizeof(whole));
	EXPECT_STREQ(whole, "next\n");
	buf->GetLine(whole);
	EXPECT_STREQ(whole, "last");
	EXPECT_TRUE(buf->IsValid());
	buf->GetLine(whole, sizeof(whole));
	EXPECT_STREQ(whole, "");
	EXPECT_TRUE(buf->IsGetOverflowed());
	buf->GetLine(whole, sizeof(whole));  // after an error: emptied
	EXPECT_STREQ(whole, "");

	std::unique_ptr<CUtlBuffer> zero(TextOf(std::string("ab\0cd", 5)));
	EXPECT_EQ(zero->PeekLineLength(), 3);
	std::unique_ptr<CUtlBuffer> longLine(TextOf(std::string(1000, 'z')));
	EXPECT_EQ(longLine->PeekLineLength(), 1001);
}

TEST(UtlBufferLinux, LinesInPlace)
{
	std::unique_ptr<CUtlBuffer> buf(TextOf("one\ntwo\n\nlast"));
	const char *pLine = nullptr;
	int nLen = 0;
	ASSERT_TRUE(buf->PeekLine(&pLine, &nLen));
	EXPECT_EQ(std::string(pLine, nLen), "one\n");
	EXPECT_STREQ(buf->GetLineInPlace(), "two");
	EXPECT_STREQ(buf->GetLineInPlace(), "");
	EXPECT_STREQ(buf->GetLineInPlace(), "last");
	EXPECT_EQ(buf->GetLineInPlace(), nullptr);
	EXPECT_EQ(buf->TellGet(), buf->TellMaxPut());

	const char kConst[] = "read\nonly";
	CUtlBuffer readOnly(kConst, sizeof(kConst) - 1, CUtlBuffer::TEXT_BUFFER | CUtlBuffer::READ_ONLY);
	EXPECT_EQ(readOnly.GetLineInPlace(), nullptr);  // never written
	EXPECT_TRUE(readOnly.PeekLine(&pLine, &nLen));
	EXPECT_EQ(std::string(pLine, nLen), "read\n");
}

TEST(UtlBufferLinux, FindTextIgnoresCaseAndKeepsThePositionWhenAbsent)
{
	std::unique_ptr<CUtlBuffer> buf(TextOf(std::string("head\0 Needle here", 17)));
	buf->SeekGet(CUtlBuffer::SEEK_HEAD, 1);
	EXPECT_FALSE(buf->FindText("absent"));
	EXPECT_EQ(buf->TellGet(), 1);
	EXPECT_FALSE(buf->FindText("head"));  // starts before the get position
	EXPECT_TRUE(buf->FindText("needle"));  // beyond a zero byte
	EXPECT_EQ(buf->TellGet(), 12);
	EXPECT_FALSE(buf->FindText("here and more"));
	EXPECT_EQ(buf->TellGet(), 12);
	EXPECT_TRUE(buf->FindText(""));
	EXPECT_FALSE(buf->FindText(nullptr));
}

TEST(UtlBufferLinux, GetBetweenTakesTheTrimmedMiddle)
{
	std::unique_ptr<CUtlBuffer> buf(TextOf("  <B>  hello world  </b> tail"));
	char out[32];
	ASSERT_TRUE(buf->GetBetween("<b>", "</B>", out, sizeof(out)));
	EXPECT_STREQ(out, "hello world");
	EXPECT_EQ(buf->TellGet(), 24);

	std::unique_ptr<CUtlBuffer> spaced(TextOf("begin   block: x;"));
	ASSERT_TRUE(spaced->GetBetween("begin block:", ";", out, 2));
	EXPECT_STREQ(out, "x");

	const struct
	{
		const char *text, *start, *end;
	} kFailures[] = { { "<a>x</b>", "<b>", "</b>" }, { "<b>x", "<b>", "</b>" }, { "beginblock x;", "begin block", ";" } };
	for (const auto &c : kFailures)
	{
		std::unique_ptr<CUtlBuffer> miss(TextOf(c.text));
		strcpy(out, "junk");
		EXPECT_FALSE(miss->GetBetween(c.start, c.end, out, sizeof(out))) << c.text;
		EXPECT_STREQ(out, "");
		EXPECT_EQ(miss->TellGet(), 0);
	}
}

TEST(UtlBufferLinux, ParseTokenSplitsWordsQuotesAndBreaks)
{
	bool breaks[256] = {};
	breaks[static_cast<unsigned char>('{')] = true;
	breaks[static_cast<unsigned char>('}')] = true;
	std::unique_ptr<CUtlBuffer> buf(TextOf("  // comment\n // more\n key \"quoted val\"{ 123abc}tail\x01x"));
	std::vector<std::string> tokens;
	char token[32];
	int n;
	while ((n = buf->ParseToken(breaks, token, sizeof(token))) >= 0)
	{
		EXPECT_EQ(n, static_cast<int>(strlen(token)));
		tokens.push_back(token);
	}
	EXPECT_EQ(tokens, (std::vector<std::string>{ "key", "quoted val", "{", "123abc", "}", "tail", "\x01x" }));

	std::unique_ptr<CUtlBuffer> cut(TextOf("verylongword next"));
	EXPECT_EQ(cut->ParseToken(breaks, token, 4), 4);
	EXPECT_STREQ(token, "ver");
	EXPECT_EQ(cut->ParseToken(breaks, token, sizeof(token)), 4);
	EXPECT_STREQ(token, "next");

	std::unique_ptr<CUtlBuffer> comments(TextOf("a // b"));
	EXPECT_EQ(comments->ParseToken(nullptr, token, sizeof(token), false), 1);
	EXPECT_EQ(comments->ParseToken(nullptr, token, sizeof(token), false), 2);
	EXPECT_STREQ(token, "//");
}

TEST(UtlBufferLinux, HostileInputNeverReadsOutside)
{
	unsigned int seed = 99;
	bool breaks[256] = {};
	breaks[static_cast<unsigned char>('"')] = false;
	breaks[static_cast<unsigned char>('{')] = true;
	for (int round = 0; round < 200; ++round)
	{
		std::string junk;
		for (int i = 0; i < round; ++i)
		{
			seed = seed * 1103515245u + 12345u;
			junk += static_cast<char>("ab \"\n\r\t/{}\\\0\xff"[(seed >> 16) % 13]);
		}
		std::unique_ptr<CUtlBuffer> text(TextOf(junk));
		char token[8];
		int guard = 0;
		while (text->ParseToken(breaks, token, sizeof(token)) >= 0 && ++guard < 1000)
		{
		}
		EXPECT_LT(guard, 1000);
		std::unique_ptr<CUtlBuffer> lines(TextOf(junk));
		char line[5];
		while (lines->IsValid() && ++guard < 3000)
			lines->GetLine(line, sizeof(line));
		std::unique_ptr<CUtlBuffer> between(TextOf(junk));
		between->GetBetween("a", "b", line, sizeof(line));
		between->PeekDelimitedLength(GetCStringCharConversion());
		between->FindText("ab\"");
	}
}

TEST(UtlBufferLinux, PeeksAndPartialReads)
{
	std::unique_ptr<CUtlBuffer> buf(TextOf("   word\tend"));
	EXPECT_EQ(buf->PeekPastWhiteSpace(0), 3);
	EXPECT_EQ(buf->PeekPastWhiteSpace(7), 8);
	EXPECT_EQ(buf->PeekPastWhiteSpace(11), 11);
	EXPECT_TRUE(buf->PeekMatches(3, "wordXX", 4));
	EXPECT_FALSE(buf->PeekMatches(3, "ward", 4));

	int n = 100;
	EXPECT_TRUE(buf->CheckArbitraryPeek(8, n));
	EXPECT_EQ(n, 3);
	n = 5;
	EXPECT_FALSE(buf->CheckArbitraryPeek(11, n));
	EXPECT_EQ(n, 0);
	n = 5;
	EXPECT_FALSE(buf->CheckArbitraryPeek(-1, n));

	char out[16] = {};
	EXPECT_EQ(buf->GetUpTo(out, 5), 5);
	EXPECT_EQ(std::string(out), "   wo");
	EXPECT_EQ(buf->GetUpTo(out, 100), 6);
	EXPECT_EQ(buf->GetUpTo(out, 100), 0);

	CUtlBuffer binary(0, 0, 0);
	binary.Put("  x", 3);
	EXPECT_EQ(binary.PeekPastWhiteSpace(0), 0);  // text mode only
	EXPECT_EQ(binary.GetDelimitedChar(GetCStringCharConversion()), ' ');
}

TEST(UtlBufferLinux, DelimitedLengthsAndCharacters)
{
	std::unique_ptr<CUtlBuffer> buf(TextOf("  \"a\\nb\" rest"));
	EXPECT_EQ(buf->PeekDelimitedLength(GetCStringCharConversion(), true), 4);
	EXPECT_EQ(buf->PeekDelimitedLength(GetCStringCharConversion(), false), 7);
	std::unique_ptr<CUtlBuffer> open(TextOf("\"unterminated"));
	EXPECT_EQ(open->PeekDelimitedLength(GetCStringCharConversion(), true), 13);
	std::unique_ptr<CUtlBuffer> none(TextOf("plain"));
	EXPECT_EQ(none->PeekDelimitedLength(GetCStringCharConversion(), true), 0);

	std::unique_ptr<CUtlBuffer> chars(TextOf("\\tx"));
	EXPECT_EQ(chars->GetDelimitedChar(GetCStringCharConversion()), '\t');
	EXPECT_EQ(chars->GetDelimitedChar(GetCStringCharConversion()), 'x');
}

TEST(UtlBufferLinux, ConvertCRLFBothWaysCarriesPositions)
{
	std::unique_ptr<CUtlBuffer> lf(TextOf("a\nb\nc"));
	lf->SeekGet(CUtlBuffer::SEEK_HEAD, 2);  // at "b"
	CUtlBuffer crlf(0, 0, CUtlBuffer::TEXT_BUFFER | CUtlBuffer::CONTAINS_CRLF);
	ASSERT_TRUE(lf->ConvertCRLF(crlf));
	EXPECT_EQ(Contents(crlf), "a\r\nb\r\nc");
	EXPECT_EQ(crlf.TellGet(), 3);
	EXPECT_EQ(crlf.TellPut(), 7);

	CUtlBuffer back(0, 0, CUtlBuffer::TEXT_BUFFER);
	back.Put("old", 3);
	ASSERT_TRUE(crlf.ConvertCRLF(back));
	EXPECT_EQ(Contents(back), "a\nb\nc");
	EXPECT_EQ(back.TellGet(), 2);

	std::unique_ptr<CUtlBuffer> lone(TextOf("x\ry\r\n", true));
	CUtlBuffer plain(0, 0, CUtlBuffer::TEXT_BUFFER);
	ASSERT_TRUE(lone->ConvertCRLF(plain));
	EXPECT_EQ(Contents(plain), "x\ry\n");

	CUtlBuffer same(0, 0, CUtlBuffer::TEXT_BUFFER);
	EXPECT_FALSE(lf->ConvertCRLF(same));
	CUtlBuffer binary(0, 0, CUtlBuffer::CONTAINS_CRLF);
	EXPECT_FALSE(lf->ConvertCRLF(binary));
	EXPECT_FALSE(lf->ConvertCRLF(*lf));
}

TEST(UtlBufferLinux, CapacitySwapTakeAndPurge)
{
	CUtlBuffer owned(0, 0, 0);
	owned.EnsureCapacity(99);
	EXPECT_EQ(owned.Size(), 100);
	owned.EnsureCapacity(10);
	EXPECT_EQ(owned.Size(), 100);
	owned.EnsureCapacity(-1);

	char block[4] = "abc";
	char small[4] = "abc";
	CUtlBuffer fixed(small, 4, 0);
	fixed.EnsureCapacity(100);
	EXPECT_EQ(fixed.Base(), small);  // external memory that may not grow stays as it is
	EXPECT_EQ(fixed.Size(), 4);
	CUtlBuffer growable(0, 0, 0);
	growable.SetExternalBuffer(block, 4, 3, CUtlBuffer::EXTERNAL_GROWABLE);
	growable.EnsureCapacity(2);
	EXPECT_EQ(growable.Base(), block);  // big enough: left external
	growable.EnsureCapacity(50);
	EXPECT_NE(growable.Base(), block);
	EXPECT_EQ(growable.Size(), 51);
	EXPECT_EQ(memcmp(growable.Base(), "abc", 4), 0);
	EXPECT_FALSE(growable.IsExternallyAllocated());

	CUtlBuffer a(0, 0, 0), b(0, 0, 0);
	a.Put("first", 5);
	b.Put("xy", 2);
	char c;
	a.Get(&c, 1);
	a.Swap(b);
	EXPECT_EQ(Contents(a), "xy");
	EXPECT_EQ(a.TellGet(), 0);
	EXPECT_EQ(Contents(b), "first");
	EXPECT_EQ(b.TellGet(), 1);

	CUtlBuffer::MemoryBlock mem;
	mem.pMemory = static_cast<unsigned char *>(malloc(3));
	memcpy(mem.pMemory, "new", 3);
	mem.nAllocationCount = 3;
	a.TakeMemory(mem);
	EXPECT_EQ(a.TellPut(), 3);
	EXPECT_EQ(a.TellGet(), 0);
	EXPECT_EQ(Contents(a), "new");
	ASSERT_NE(mem.pMemory, nullptr);  // the old block came back
	EXPECT_EQ(memcmp(mem.pMemory, "xy", 2), 0);
	free(mem.pMemory);

	a.PurgeMemory();
	EXPECT_EQ(a.Size(), 0);
	EXPECT_EQ(a.Base(), nullptr);
	EXPECT_EQ(a.TellPut(), 0);
	a.Put("z", 1);  // usable again, nothing stale before it
	EXPECT_EQ(Contents(a), "z");
	char kept[4] = "abc";
	CUtlBuffer external(0, 0, 0);
	external.SetExternalBuffer(kept, 4, 3);
	external.PurgeMemory();
	EXPECT_STREQ(kept, "abc");
}

TEST(UtlBufferLinux, OverflowHandlersAndByteOrder)
{
	TestBuffer buf(0, 0, 0);
	buf.SetOverflowFuncs(static_cast<bool (CUtlBuffer::*)(int)>(&TestBuffer::AcceptGet),
	                     static_cast<bool (CUtlBuffer::*)(int)>(&TestBuffer::RefusePut));
	EXPECT_TRUE(buf.OnGetOverflow(1));
	EXPECT_FALSE(buf.CheckPut(10));
	EXPECT_TRUE(buf.IsPutOverflowed());
	EXPECT_FALSE(buf.CheckPut(0));  // sticky

	const char kData[] = "data";
	TestBuffer readOnly(kData, 4, CUtlBuffer::READ_ONLY);
	EXPECT_FALSE(readOnly.CheckPut(1));
	readOnly.PutDelimitedChar(nullptr, 'x');
	EXPECT_EQ(readOnly.TellPut(), 0);
	EXPECT_FALSE(readOnly.IsPutOverflowed());

	CUtlBuffer order(0, 0, 0);
	EXPECT_FALSE(order.IsBigEndian());
	order.SetBigEndian(true);
	EXPECT_TRUE(order.IsBigEndian());
	order.SetSwapBytes(false);
	EXPECT_FALSE(order.IsBigEndian());
}
