// Tests of CUtlBuffer: growth, external memory, text scanning, escapes and the sticky error bits.
#include "tier1/utlbuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

CUtlBuffer *TextOver(const char *text)
{
    return new CUtlBuffer(text, static_cast<int>(strlen(text)), CUtlBuffer::TEXT_BUFFER | CUtlBuffer::READ_ONLY);
}

TEST(UtlBuffer, ReadOnlyBinaryReadsThenOverflows)
{
    CUtlBuffer buf("ab", 2, CUtlBuffer::READ_ONLY);
    char out[2];
    buf.Get(out, 2);
    EXPECT_EQ(std::string(out, 2), "ab");
    EXPECT_TRUE(buf.IsValid());
    EXPECT_EQ(buf.GetChar(), 0);
    EXPECT_TRUE(buf.IsGetOverflowed());
    // sticky: a later read gets nothing even after data would be there
    buf.Put("x", 1);  // read-only: ignored
    EXPECT_EQ(buf.TellMaxPut(), 2);
    // a successful seek clears it
    buf.SeekGet(CUtlBuffer::SEEK_HEAD, 1);
    EXPECT_FALSE(buf.IsGetOverflowed());
    EXPECT_EQ(buf.GetChar(), 'b');
    buf.SeekGet(CUtlBuffer::SEEK_HEAD, 3);
    EXPECT_TRUE(buf.IsGetOverflowed());
    // a negative get position reads nothing
    buf.SeekGet(CUtlBuffer::SEEK_HEAD, -4);
    buf.Get(out, 1);
    EXPECT_TRUE(buf.IsGetOverflowed());
}

TEST(UtlBuffer, OwnedGrowthAndTerminator)
{
    CUtlBuffer buf;
    EXPECT_EQ(buf.Size(), 0);
    buf.Put("hello", 5);
    EXPECT_EQ(buf.Size(), 32);
    EXPECT_EQ(buf.TellPut(), 5);
    EXPECT_EQ(buf.TellMaxPut(), 5);
    EXPECT_STREQ(buf.String(), "hello");

    std::string big(100, 'z');
    buf.Put(big.data(), 100);
    EXPECT_EQ(buf.Size(), 128);  // doubling
    EXPECT_EQ(buf.String()[105], 0);

    CUtlBuffer stepped(10, 0, 0);
    stepped.Put(big.data(), 25);
    EXPECT_EQ(stepped.Size(), 30);  // multiples of the grow size

    CUtlBuffer initial(0, 7, 0);
    EXPECT_EQ(initial.Size(), 7);
    EXPECT_EQ(initial.TellMaxPut(), 0);
    EXPECT_EQ(initial.String()[0], 0);
}

TEST(UtlBuffer, ExternalMemory)
{
    char block[8];
    memset(block, 'q', sizeof(block));
    CUtlBuffer fixed(block, sizeof(block), 0);
    EXPECT_EQ(block[0], 0);  // reads as empty until written
    fixed.Put("1234567", 7);
    EXPECT_STREQ(block, "1234567");
    fixed.Put("89", 2);  // does not fit a non-growable block
    EXPECT_TRUE(fixed.IsPutOverflowed());
    EXPECT_EQ(fixed.TellPut(), 7);
    fixed.Put("x", 1);  // sticky
    EXPECT_EQ(fixed.TellPut(), 7);

    char small[4] = {'a', 'b', 0, 0};
    CUtlBuffer growable(small, sizeof(small), CUtlBuffer::EXTERNAL_GROWABLE);
    growable.Put("abcdefgh", 8);
    EXPECT_TRUE(growable.IsValid());
    EXPECT_FALSE(growable.IsExternallyAllocated());
    EXPECT_STREQ(growable.String(), "abcdefgh");
    EXPECT_EQ(small[1], 'b');  // the caller's block was copied, then left alone

    CUtlBuffer assumed;
    char *owned = static_cast<char *>(malloc(16));
    memcpy(owned, "data", 4);
    assumed.AssumeMemory(owned, 16, 4, CUtlBuffer::READ_ONLY);
    char out[5] = {};
    assumed.Get(out, 4);
    EXPECT_STREQ(out, "data");  // freed by the buffer (checked by the leak sanitizer)
}

TEST(UtlBuffer, NegativePutPositionIsOverflow)
{
    CUtlBuffer buf;
    buf.Put("abc", 3);
    buf.SeekPut(CUtlBuffer::SEEK_HEAD, -5);
    EXPECT_TRUE(buf.IsPutOverflowed());
    buf.Put("zz", 2);
    EXPECT_STREQ(buf.String(), "abc");

    CUtlBuffer tail;
    tail.Put("abc", 3);
    tail.SeekPut(CUtlBuffer::SEEK_TAIL, 10);
    EXPECT_TRUE(tail.IsPutOverflowed());

    CUtlBuffer fwd;
    fwd.Put("abc", 3);
    fwd.SeekPut(CUtlBuffer::SEEK_HEAD, 1);
    fwd.Put("X", 1);
    EXPECT_EQ(std::string(fwd.String(), 3), "aXc");
    EXPECT_EQ(fwd.TellMaxPut(), 3);
}

TEST(UtlBuffer, TextGetString)
{
    std::unique_ptr<CUtlBuffer> buf(TextOver("  word next"));
    char out[32];
    buf->GetString(out, sizeof(out));
    EXPECT_STREQ(out, "word");
    buf->GetString(out, sizeof(out));
    EXPECT_STREQ(out, "next");
    EXPECT_TRUE(buf->IsValid());
    buf->GetString(out, sizeof(out));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(buf->IsGetOverflowed());
    buf->GetString(out, sizeof(out));
    EXPECT_STREQ(out, "");

    std::unique_ptr<CUtlBuffer> lim(TextOver("abcdefg hij"));
    lim->GetString(out, 4);
    EXPECT_STREQ(out, "abc");
    lim->GetString(out, sizeof(out));
    EXPECT_STREQ(out, "hij");
}

TEST(UtlBuffer, BinaryGetString)
{
    const char data[] = {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 'x'};
    CUtlBuffer buf(data, sizeof(data), CUtlBuffer::READ_ONLY);
    EXPECT_EQ(buf.PeekStringLength(), 4);
    char out[16];
    buf.GetString(out, sizeof(out));
    EXPECT_STREQ(out, "one");
    buf.GetString(out, sizeof(out));
    EXPECT_STREQ(out, "two");
    buf.GetString(out, sizeof(out));  // runs to the end: no terminator to read
    EXPECT_STREQ(out, "x");
    EXPECT_TRUE(buf.IsGetOverflowed());
}

TEST(UtlBuffer, DelimitedStrings)
{
    struct Case {
        const char *text;
        bool cstring;
        std::string expected;
        int limit;
    } cases[] = {
        {"\"a\\tb\"", true, "a\tb", 0},
        {"\"a\\tb\"", false, "a\\tb", 0},
        {"  \"C:\\path\"", false, "C:\\path", 0},
        {"\"q\\\"x\"", true, "q\"x", 0},
        {"\"\\z\"", true, std::string(1, '\0'), 0},  // escape without a pair reads as 0
        {"\"abcdef\"", true, "abc", 4},
        {"\"unterminated", true, "unterminated", 0},
        {"\"end\\", true, "end", 0},
    };
    for (const auto &c : cases) {
        std::unique_ptr<CUtlBuffer> buf(TextOver(c.text));
        char out[64];
        memset(out, 'Q', sizeof(out));
        buf->GetDelimitedString(c.cstring ? GetCStringCharConversion() : GetNoEscCharConversion(), out,
                                c.limit ? c.limit : static_cast<int>(sizeof(out)));
        size_t len = c.expected.size() == 1 && c.expected[0] == 0 ? 1 : strlen(out);
        EXPECT_EQ(std::string(out, len), c.expected) << c.text;
    }

    // no delimiter next: the destination is left alone
    std::unique_ptr<CUtlBuffer> buf(TextOver("plain"));
    char out[8] = "keep";
    buf->GetDelimitedString(GetCStringCharConversion(), out, sizeof(out));
    EXPECT_STREQ(out, "keep");
    EXPECT_EQ(buf->TellGet(), 0);
}

TEST(UtlBuffer, CommentsAndWhiteSpace)
{
    std::unique_ptr<CUtlBuffer> buf(TextOver("// a comment\n  key"));
    EXPECT_TRUE(buf->EatCPPComment());
    buf->EatWhiteSpace();
    EXPECT_EQ(buf->TellGet(), 15);
    EXPECT_FALSE(buf->EatCPPComment());

    std::unique_ptr<CUtlBuffer> tail(TextOver("//only"));
    EXPECT_TRUE(tail->EatCPPComment());
    EXPECT_EQ(tail->TellGet(), 6);

    // binary mode: neither applies
    CUtlBuffer bin("  //x", 5, CUtlBuffer::READ_ONLY);
    bin.EatWhiteSpace();
    EXPECT_FALSE(bin.EatCPPComment());
    EXPECT_EQ(bin.TellGet(), 0);
}

TEST(UtlBuffer, Scanf)
{
    int i = 0;
    float f = 0;
    std::unique_ptr<CUtlBuffer> buf(TextOver("12 2.5"));
    EXPECT_EQ(buf->Scanf("%d %f", &i, &f), 2);
    EXPECT_EQ(i, 12);
    EXPECT_FLOAT_EQ(f, 2.5f);

    std::unique_ptr<CUtlBuffer> bad(TextOver("x"));
    EXPECT_EQ(bad->Scanf("%d %f", &i, &f), 0);

    unsigned u = 0;
    int h = 0;
    char c = 0;
    std::unique_ptr<CUtlBuffer> mix(TextOver("u=7,ff;Z"));
    EXPECT_EQ(mix->Scanf("u=%u,%x;%c", &u, &h, &c), 3);
    EXPECT_EQ(u, 7u);
    EXPECT_EQ(h, 255);
    EXPECT_EQ(c, 'Z');

    // strings only with a bound: %s alone stops, %Ns stores at most N characters
    char word[4] = "---";
    std::unique_ptr<CUtlBuffer> str(TextOver("longword rest"));
    EXPECT_EQ(str->Scanf("%s", word), 0);
    EXPECT_STREQ(word, "---");
    EXPECT_EQ(str->Scanf("%3s", word), 1);
    EXPECT_STREQ(word, "lon");

    // binary buffers scan nothing
    CUtlBuffer bin("12", 2, CUtlBuffer::READ_ONLY);
    EXPECT_EQ(bin.Scanf("%d", &i), 0);
}

TEST(UtlBuffer, PeekAndCheck)
{
    CUtlBuffer buf("abcd", 4, CUtlBuffer::READ_ONLY);
    EXPECT_EQ(memcmp(buf.PeekGet(2, 1), "bc", 2), 0);
    EXPECT_EQ(buf.PeekGet(2, 3), nullptr);
    EXPECT_FALSE(buf.IsGetOverflowed());  // peeks never leave the bit set
    EXPECT_EQ(buf.PeekGet(1, -1), nullptr);
    EXPECT_FALSE(buf.CheckGet(5));
    EXPECT_TRUE(buf.IsGetOverflowed());
    EXPECT_TRUE(buf.CheckPeekGet(0, 4));
    EXPECT_FALSE(buf.IsGetOverflowed());
}

TEST(UtlBuffer, GarbageNeverReadsOutOfBounds)
{
    // every byte value, including zeros and high bytes, through every text reader
    std::string junk;
    for (int i = 0; i < 600; ++i)
        junk.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    for (size_t cut = 0; cut < junk.size(); cut += 7) {
        CUtlBuffer buf(junk.data(), static_cast<int>(cut), CUtlBuffer::TEXT_BUFFER | CUtlBuffer::READ_ONLY);
        char out[16];
        int i;
        float f;
        for (int step = 0; step < 50 && buf.TellGet() < buf.TellMaxPut(); ++step) {
            buf.EatCPPComment();
            buf.GetDelimitedString(GetCStringCharConversion(), out, sizeof(out));
            buf.GetString(out, sizeof(out));
            buf.Scanf("%d%f%c%8s", &i, &f, out, out + 1);
            if (!buf.IsValid())
                buf.SeekGet(CUtlBuffer::SEEK_CURRENT, 1);
        }
    }
}

}  // namespace

namespace {

TEST(UtlBuffer, NegativeGetPositionReadsNothing)
{
    std::unique_ptr<CUtlBuffer> buf(TextOver("12 ab"));
    buf->SeekGet(CUtlBuffer::SEEK_HEAD, -3);
    int i = 7;
    char word[8] = "x";
    EXPECT_EQ(buf->Scanf("%d", &i), 0);
    EXPECT_EQ(buf->GetChar(), 0);
    buf->SeekGet(CUtlBuffer::SEEK_HEAD, -3);
    buf->GetString(word, sizeof(word));
    EXPECT_STREQ(word, "");
    buf->SeekGet(CUtlBuffer::SEEK_HEAD, -3);
    EXPECT_EQ(buf->PeekStringLength(), 0);
    EXPECT_EQ(buf->PeekGet(1, 0), nullptr);
}

}  // namespace

TEST(UtlBuffer, ReadOnlyMemoryIsNeverWritten)
{
    // Room left in the caller's block, but the buffer was given it read-only.
    char block[8] = {'a', 'b', 0, 0, 0, 0, 0, 0};
    CUtlBuffer buf(block, sizeof(block), CUtlBuffer::READ_ONLY);
    buf.SeekPut(CUtlBuffer::SEEK_HEAD, 2);
    buf.Put("zz", 2);
    EXPECT_EQ(std::string(block, 8), std::string("ab\0\0\0\0\0\0", 8));
}
