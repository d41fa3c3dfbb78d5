// Byte buffers: bounds, growth, strings and typed values, including positions near the 32-bit limit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "Kestrum/Types/Buffer.h"

using Kestrum::AutoBuffer;
using Kestrum::Buffer;

TEST(Buffer, ExternalBlockCountsAsWrittenAndReadsStopAtSize)
{
	unsigned char block[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
	Buffer buffer(block, sizeof(block));
	EXPECT_EQ(10u, buffer.GetWritten());
	EXPECT_EQ(0u, buffer.GetPos());

	unsigned char out[11] = {};
	EXPECT_EQ(0, buffer.Read(out, 0));
	EXPECT_EQ(0u, buffer.GetPos());
	EXPECT_EQ(0, buffer.Read(out, 11));
	EXPECT_EQ(0u, buffer.GetPos());
	EXPECT_EQ(10, buffer.Read(out, 10));
	EXPECT_EQ(0, memcmp(block, out, 10));
	EXPECT_EQ(0, buffer.Read(out, 1));
	EXPECT_EQ(10u, buffer.GetPos());
}

TEST(Buffer, PlainBufferNeverGrows)
{
	unsigned char block[10];
	Buffer buffer(block, sizeof(block));
	buffer.Clear();
	EXPECT_EQ(0u, buffer.GetWritten());

	unsigned char eleven[11] = {};
	buffer.Write(eleven, 11);
	EXPECT_EQ(0u, buffer.GetPos());
	EXPECT_EQ(0u, buffer.GetWritten());

	buffer.Write(eleven, 10);
	EXPECT_EQ(10u, buffer.GetPos());
	EXPECT_EQ(10u, buffer.GetWritten());
	EXPECT_FALSE(buffer.EnsureCapacity(11));
	EXPECT_EQ(block, buffer.GetBase());

	// Clear keeps the block; the next write reuses it from the start.
	buffer.Clear();
	buffer.WriteType<uint32_t>(0xAABBCCDDu);
	EXPECT_EQ(4u, buffer.GetWritten());
	EXPECT_EQ(0xDD, block[0]);
	EXPECT_EQ(0xAA, block[3]);
}

TEST(Buffer, BoundsDoNotWrapNearTheLimit)
{
	unsigned char block[16] = {};
	Buffer buffer(block, sizeof(block));
	struct Case
	{
		uint32_t iPos;
		uint32_t iCount;
	};
	// Each pos + count wraps in 32 bits to a small number that would pass a naive check.
	const Case cases[] = {{8, 0xFFFFFFF9u}, {0xFFFFFFF0u, 0x20}, {0xFFFFFFFFu, 1}, {17, 1}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.iPos);
		buffer.SetPos(c.iPos);
		unsigned char out[32];
		EXPECT_EQ(0, buffer.Read(out, c.iCount));
		EXPECT_EQ(c.iPos, buffer.GetPos());
		buffer.Write(out, c.iCount);
		EXPECT_EQ(c.iPos, buffer.GetPos());
		EXPECT_EQ(16u, buffer.GetWritten());
		EXPECT_EQ("", buffer.ReadString());
	}

	AutoBuffer grown;
	grown.SetPos(0xFFFFFFF0u);
	unsigned char bytes[0x20] = {};
	grown.Write(bytes, sizeof(bytes));
	EXPECT_EQ(0u, grown.GetSize());
	EXPECT_EQ(0u, grown.GetWritten());
}

TEST(Buffer, TruncatedTypedReadYieldsZero)
{
	unsigned char block[6] = {1, 0, 0, 0, 0xFF, 0xFF};
	Buffer buffer(block, sizeof(block));
	EXPECT_EQ(1u, buffer.ReadType<uint32_t>());
	EXPECT_EQ(0u, buffer.ReadType<uint32_t>());
	EXPECT_EQ(4u, buffer.GetPos());

	// A loop reading counted records from a truncated block ends.
	buffer.SetPos(0);
	int iRecords = 0;
	while (uint32_t iValue = buffer.ReadType<uint32_t>())
	{
		(void)iValue;
		++iRecords;
	}
	EXPECT_EQ(1, iRecords);
	EXPECT_EQ(0ll, buffer.ReadType<long long>());
}

TEST(Buffer, TypedValuesRoundTripLittleEndian)
{
	AutoBuffer buffer;
	buffer.WriteType<char>('z');
	buffer.WriteType<int32_t>(-2);
	buffer.WriteType<uint32_t>(0x01020304u);
	buffer.WriteType<int64_t>(-3);
	buffer.WriteType<uint64_t>(0x0102030405060708ull);
	EXPECT_EQ(25u, buffer.GetWritten());
	EXPECT_EQ(25u, buffer.GetSize());
	EXPECT_EQ(0x04, *buffer.GetBase(5));
	EXPECT_EQ(0x08, *buffer.GetBase(17));

	buffer.SetPos(0);
	EXPECT_EQ('z', buffer.ReadType<char>());
	EXPECT_EQ(-2, buffer.ReadType<int32_t>());
	EXPECT_EQ(0x01020304u, buffer.ReadType<uint32_t>());
	EXPECT_EQ(-3, buffer.ReadType<int64_t>());
	EXPECT_EQ(0x0102030405060708ull, buffer.ReadType<uint64_t>());
}

TEST(Buffer, StringsWithAndWithoutTerminator)
{
	AutoBuffer buffer;
	buffer.WriteString("");
	buffer.WriteString("abc");
	EXPECT_EQ(5u, buffer.GetWritten());
	EXPECT_EQ(5u, buffer.GetSize());
	buffer.SetPos(0);
	EXPECT_EQ("", buffer.ReadString());
	EXPECT_EQ(1u, buffer.GetPos());
	EXPECT_EQ("abc", buffer.ReadString());
	EXPECT_EQ(5u, buffer.GetPos());

	char raw[3] = {'x', 'y', 'z'};
	Buffer unterminated(raw, sizeof(raw));
	EXPECT_EQ("xyz", unterminated.ReadString());
	EXPECT_EQ(3u, unterminated.GetPos());
	EXPECT_EQ("", unterminated.ReadString());

	// A plain buffer keeps what fits of a string.
	char small[4];
	Buffer plain(small, sizeof(small));
	plain.Clear();
	plain.WriteString("abcdef");
	EXPECT_EQ(4u, plain.GetWritten());
	EXPECT_EQ(0, memcmp(small, "abcd", 4));
}

TEST(AutoBuffer, GrowsToExactlyWhatIsAsked)
{
	for (uint32_t iInitial : {0u, AutoBuffer::MaxSize + 1})
	{
		AutoBuffer buffer(iInitial);
		EXPECT_EQ(0u, buffer.GetSize());
		EXPECT_EQ(nullptr, buffer.GetBase());
		unsigned char bytes[7] = {1, 2, 3, 4, 5, 6, 7};
		buffer.Write(bytes, sizeof(bytes));
		EXPECT_EQ(7u, buffer.GetSize());
		EXPECT_EQ(7u, buffer.GetWritten());
	}

	AutoBuffer buffer(32);
	EXPECT_EQ(32u, buffer.GetSize());
	EXPECT_FALSE(buffer.EnsureCapacity(AutoBuffer::MaxSize + 1));
	EXPECT_EQ(32u, buffer.GetSize());
	EXPECT_TRUE(buffer.EnsureCapacity(16));
	EXPECT_EQ(32u, buffer.GetSize());

	// Writing past the end after SetPos grows the block to the new end.
	buffer.SetPos(100);
	buffer.WriteType<uint16_t>(0xBEEF);
	EXPECT_EQ(102u, buffer.GetSize());
	EXPECT_EQ(102u, buffer.GetWritten());
	EXPECT_EQ(0xEF, *buffer.GetBase(100));

	buffer.Clear();
	EXPECT_EQ(0u, buffer.GetSize());
	EXPECT_EQ(0u, buffer.GetPos());
	EXPECT_EQ(nullptr, buffer.GetBase());
}

TEST(AutoBuffer, AdoptsAndAppendsBuffers)
{
	AutoBuffer owner;
	void* pBlock = malloc(4);
	memcpy(pBlock, "wxyz", 4);
	owner.SetExternalBuffer(pBlock, 4);
	EXPECT_EQ(4u, owner.GetWritten());
	EXPECT_EQ(0u, owner.GetPos());

	AutoBuffer target;
	target.WriteString("ab");
	target.WriteBuffer(owner);
	EXPECT_EQ(7u, target.GetWritten());
	EXPECT_EQ(0, memcmp(target.GetBase(), "ab\0wxyz", 7));

	AutoBuffer empty;
	target.WriteBuffer(empty);
	EXPECT_EQ(7u, target.GetWritten());

	target.WriteBuffer(target);
	EXPECT_EQ(14u, target.GetWritten());
	EXPECT_EQ(0, memcmp(target.GetBase(7), "ab\0wxyz", 7));
}

TEST(AutoBuffer, WritesFromItsOwnBlockSurviveGrowth)
{
	// The block moves when it grows; the bytes to copy must be taken from where they went.
	AutoBuffer buffer(4);
	buffer.Write("abcd", 4);
	buffer.Write(buffer.GetBase(1), 2);
	EXPECT_EQ(6u, buffer.GetWritten());
	EXPECT_EQ(0, memcmp(buffer.GetBase(), "abcdbc", 6));

	// A plain view of the same block appended to its owner.
	Buffer view(buffer.GetBase(), buffer.GetWritten());
	buffer.WriteBuffer(view);
	EXPECT_EQ(12u, buffer.GetWritten());
	EXPECT_EQ(0, memcmp(buffer.GetBase(), "abcdbcabcdbc", 12));
}
