// CRC-32 by slicing eight bytes per step through eight derived tables (five lanes at once on large
// inputs), and MD5 after RFC 1321.
#include "Kestrum/Utility/Hasher.h"
#include "Kestrum/Utility/HasherFunctions.h"
#include "Kestrum/Utility/String.h"

#include <cstddef>
#include <cstring>

namespace
{
	struct CrcTables
	{
		uint32_t t[8][256];
	};

	// t[0] is the usual byte table of the reflected polynomial 0xEDB88320; t[k][b] is the CRC of
	// byte b followed by k zero bytes, so eight bytes fold in one step.
	constexpr CrcTables MakeCrcTables()
	{
		CrcTables tables{};
		for (uint32_t i = 0; i < 256; ++i)
		{
			uint32_t c = i;
			for (int k = 0; k < 8; ++k)
				c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
			tables.t[0][i] = c;
		}
		for (uint32_t i = 0; i < 256; ++i)
			for (int k = 1; k < 8; ++k)
				tables.t[k][i] = (tables.t[k - 1][i] >> 8) ^ tables.t[0][tables.t[k - 1][i] & 0xFF];
		return tables;
	}

	constexpr CrcTables g_Crc = MakeCrcTables();

	inline uint32_t Load32(const unsigned char* p)
	{
		uint32_t v;
		memcpy(&v, p, 4);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
		v = __builtin_bswap32(v);
#endif
		return v;
	}

	inline uint32_t Slice8(uint32_t c, const unsigned char* p)
	{
		const auto& t = g_Crc.t;
		uint32_t a = Load32(p) ^ c;
		uint32_t b = Load32(p + 4);
		return t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^
		       t[3][b & 0xFF] ^ t[2][(b >> 8) & 0xFF] ^ t[1][(b >> 16) & 0xFF] ^ t[0][b >> 24];
	}

	// Large inputs run five lanes of LaneBytes at once, so the table lookups of one lane hide the
	// latency of the others. The register update is linear: the CRC of A||B from c equals
	// Shift(CRC of A from c) ^ (CRC of B from 0), where Shift advances a register over LaneBytes
	// zero bytes; Shift is applied through four byte tables built once.
	const size_t LaneBytes = 4096;
	const size_t Lanes = 5;

	struct ShiftTables
	{
		uint32_t t[4][256];

		ShiftTables()
		{
			uint32_t basis[32];
			for (int bit = 0; bit < 32; ++bit)
			{
				uint32_t c = 1u << bit;
				for (size_t i = 0; i < LaneBytes; ++i)
					c = g_Crc.t[0][c & 0xFF] ^ (c >> 8);
				basis[bit] = c;
			}
			for (int k = 0; k < 4; ++k)
				for (uint32_t b = 0; b < 256; ++b)
				{
					uint32_t c = 0;
					for (int bit = 0; bit < 8; ++bit)
						if (b & (1u << bit))
							c ^= basis[8 * k + bit];
					t[k][b] = c;
				}
		}

		uint32_t Shift(uint32_t c) const
		{
			return t[0][c & 0xFF] ^ t[1][(c >> 8) & 0xFF] ^ t[2][(c >> 16) & 0xFF] ^ t[3][c >> 24];
		}
	};

	// Runs the tables over the bytes without the initial or final inversion.
	uint32_t CrcRun(uint32_t c, const unsigned char* p, size_t n)
	{
		if (n >= Lanes * LaneBytes)
		{
			static const ShiftTables shift;
			do
			{
				uint32_t lane[Lanes] = {c};
				for (size_t i = 0; i < LaneBytes; i += 8)
					for (size_t k = 0; k < Lanes; ++k)
						lane[k] = Slice8(lane[k], p + k * LaneBytes + i);
				c = lane[0];
				for (size_t k = 1; k < Lanes; ++k)
					c = shift.Shift(c) ^ lane[k];
				p += Lanes * LaneBytes;
				n -= Lanes * LaneBytes;
			} while (n >= Lanes * LaneBytes);
		}
		for (; n >= 8; p += 8, n -= 8)
			c = Slice8(c, p);
		const auto& t = g_Crc.t;
		while (n--)
			c = t[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
		return c;
	}

	// MD5 round functions in the forms that need the fewest operations.
	inline uint32_t Rotl(uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

#define MD5_STEP(f, a, b, c, d, x, s, k) \
	a += f(b, c, d) + (x) + (k);         \
	a = Rotl(a, s) + b;
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))

	void Md5Blocks(uint32_t state[4], const unsigned char* p, size_t iBlocks)
	{
		uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
		for (; iBlocks; --iBlocks, p += 64)
		{
			uint32_t x[16];
			for (int i = 0; i < 16; ++i)
				x[i] = Load32(p + 4 * i);
			const uint32_t aa = a, bb = b, cc = c, dd = d;

			MD5_STEP(MD5_F, a, b, c, d, x[0], 7, 0xd76aa478)
			MD5_STEP(MD5_F, d, a, b, c, x[1], 12, 0xe8c7b756)
			MD5_STEP(MD5_F, c, d, a, b, x[2], 17, 0x242070db)
			MD5_STEP(MD5_F, b, c, d, a, x[3], 22, 0xc1bdceee)
			MD5_STEP(MD5_F, a, b, c, d, x[4], 7, 0xf57c0faf)
			MD5_STEP(MD5_F, d, a, b, c, x[5], 12, 0x4787c62a)
			MD5_STEP(MD5_F, c, d, a, b, x[6], 17, 0xa8304613)
			MD5_STEP(MD5_F, b, c, d, a, x[7], 22, 0xfd469501)
			MD5_STEP(MD5_F, a, b, c, d, x[8], 7, 0x698098d8)
			MD5_STEP(MD5_F, d, a, b, c, x[9], 12, 0x8b44f7af)
			MD5_STEP(MD5_F, c, d, a, b, x[10], 17, 0xffff5bb1)
			MD5_STEP(MD5_F, b, c, d, a, x[11], 22, 0x895cd7be)
			MD5_STEP(MD5_F, a, b, c, d, x[12], 7, 0x6b901122)
			MD5_STEP(MD5_F, d, a, b, c, x[13], 12, 0xfd987193)
			MD5_STEP(MD5_F, c, d, a, b, x[14], 17, 0xa679438e)
			MD5_STEP(MD5_F, b, c, d, a, x[15], 22, 0x49b40821)

			MD5_STEP(MD5_G, a, b, c, d, x[1], 5, 0xf61e2562)
			MD5_STEP(MD5_G, d, a, b, c, x[6], 9, 0xc040b340)
			MD5_STEP(MD5_G, c, d, a, b, x[11], 14, 0x265e5a51)
			MD5_STEP(MD5_G, b, c, d, a, x[0], 20, 0xe9b6c7aa)
			MD5_STEP(MD5_G, a, b, c, d, x[5], 5, 0xd62f105d)
			MD5_STEP(MD5_G, d, a, b, c, x[10], 9, 0x02441453)
			MD5_STEP(MD5_G, c, d, a, b, x[15], 14, 0xd8a1e681)
			MD5_STEP(MD5_G, b, c, d, a, x[4], 20, 0xe7d3fbc8)
			MD5_STEP(MD5_G, a, b, c, d, x[9], 5, 0x21e1cde6)
			MD5_STEP(MD5_G, d, a, b, c, x[14], 9, 0xc33707d6)
			MD5_STEP(MD5_G, c, d, a, b, x[3], 14, 0xf4d50d87)
			MD5_STEP(MD5_G, b, c, d, a, x[8], 20, 0x455a14ed)
			MD5_STEP(MD5_G, a, b, c, d, x[13], 5, 0xa9e3e905)
			MD5_STEP(MD5_G, d, a, b, c, x[2], 9, 0xfcefa3f8)
			MD5_STEP(MD5_G, c, d, a, b, x[7], 14, 0x676f02d9)
			MD5_STEP(MD5_G, b, c, d, a, x[12], 20, 0x8d2a4c8a)

			MD5_STEP(MD5_H, a, b, c, d, x[5], 4, 0xfffa3942)
			MD5_STEP(MD5_H, d, a, b, c, x[8], 11, 0x8771f681)
			MD5_STEP(MD5_H, c, d, a, b, x[11], 16, 0x6d9d6122)
			MD5_STEP(MD5_H, b, c, d, a, x[14], 23, 0xfde5380c)
			MD5_STEP(MD5_H, a, b, c, d, x[1], 4, 0xa4beea44)
			MD5_STEP(MD5_H, d, a, b, c, x[4], 11, 0x4bdecfa9)
			MD5_STEP(MD5_H, c, d, a, b, x[7], 16, 0xf6bb4b60)
			MD5_STEP(MD5_H, b, c, d, a, x[10], 23, 0xbebfbc70)
			MD5_STEP(MD5_H, a, b, c, d, x[13], 4, 0x289b7ec6)
			MD5_STEP(MD5_H, d, a, b, c, x[0], 11, 0xeaa127fa)
			MD5_STEP(MD5_H, c, d, a, b, x[3], 16, 0xd4ef3085)
			MD5_STEP(MD5_H, b, c, d, a, x[6], 23, 0x04881d05)
			MD5_STEP(MD5_H, a, b, c, d, x[9], 4, 0xd9d4d039)
			MD5_STEP(MD5_H, d, a, b, c, x[12], 11, 0xe6db99e5)
			MD5_STEP(MD5_H, c, d, a, b, x[15], 16, 0x1fa27cf8)
			MD5_STEP(MD5_H, b, c, d, a, x[2], 23, 0xc4ac5665)

			MD5_STEP(MD5_I, a, b, c, d, x[0], 6, 0xf4292244)
			MD5_STEP(MD5_I, d, a, b, c, x[7], 10, 0x432aff97)
			MD5_STEP(MD5_I, c, d, a, b, x[14], 15, 0xab9423a7)
			MD5_STEP(MD5_I, b, c, d, a, x[5], 21, 0xfc93a039)
			MD5_STEP(MD5_I, a, b, c, d, x[12], 6, 0x655b59c3)
			MD5_STEP(MD5_I, d, a, b, c, x[3], 10, 0x8f0ccc92)
			MD5_STEP(MD5_I, c, d, a, b, x[10], 15, 0xffeff47d)
			MD5_STEP(MD5_I, b, c, d, a, x[1], 21, 0x85845dd1)
			MD5_STEP(MD5_I, a, b, c, d, x[8], 6, 0x6fa87e4f)
			MD5_STEP(MD5_I, d, a, b, c, x[15], 10, 0xfe2ce6e0)
			MD5_STEP(MD5_I, c, d, a, b, x[6], 15, 0xa3014314)
			MD5_STEP(MD5_I, b, c, d, a, x[13], 21, 0x4e0811a1)
			MD5_STEP(MD5_I, a, b, c, d, x[4], 6, 0xf7537e82)
			MD5_STEP(MD5_I, d, a, b, c, x[11], 10, 0xbd3af235)
			MD5_STEP(MD5_I, c, d, a, b, x[2], 15, 0x2ad7d2bb)
			MD5_STEP(MD5_I, b, c, d, a, x[9], 21, 0xeb86d391)

			a += aa;
			b += bb;
			c += cc;
			d += dd;
		}
		state[0] = a;
		state[1] = b;
		state[2] = c;
		state[3] = d;
	}

	void Md5Update(md5_context* ctx, const unsigned char* p, size_t n)
	{
		if (n == 0)
			return;
		size_t iFill = ctx->total[0] & 63;
		uint32_t iOld = ctx->total[0];
		ctx->total[0] += static_cast<uint32_t>(n);
		ctx->total[1] += static_cast<uint32_t>(static_cast<uint64_t>(n) >> 32) + (ctx->total[0] < iOld ? 1 : 0);

		if (iFill != 0)
		{
			size_t iTake = 64 - iFill;
			if (n < iTake)
			{
				memcpy(ctx->buffer + iFill, p, n);
				return;
			}
			memcpy(ctx->buffer + iFill, p, iTake);
			Md5Blocks(ctx->state, ctx->buffer, 1);
			p += iTake;
			n -= iTake;
		}
		if (n >= 64)
		{
			Md5Blocks(ctx->state, p, n / 64);
			p += n & ~size_t(63);
			n &= 63;
		}
		if (n != 0)
			memcpy(ctx->buffer, p, n);
	}

	void Md5Digest(const void* pData, size_t n, unsigned char pDigest[16])
	{
		md5_context ctx;
		md5_starts(&ctx);
		Md5Update(&ctx, static_cast<const unsigned char*>(pData), n);
		md5_finish(&ctx, pDigest);
	}
}

void crc32(const void* pData, int32_t iLength, uint32_t iSeed, uint32_t* pResult)
{
	uint32_t c = crc32_start(iSeed);
	crc32_add(&c, pData, iLength);
	crc32_end(&c);
	*pResult = c;
}

uint32_t crc32_start(uint32_t iSeed) { return ~iSeed; }

void crc32_add(uint32_t* pRunning, const void* pData, int32_t iLength)
{
	if (iLength > 0)
		*pRunning = CrcRun(*pRunning, static_cast<const unsigned char*>(pData), static_cast<size_t>(iLength));
}

void crc32_end(uint32_t* pRunning) { *pRunning = ~*pRunning; }

void md5_starts(md5_context* pContext)
{
	pContext->total[0] = pContext->total[1] = 0;
	pContext->state[0] = 0x67452301;
	pContext->state[1] = 0xEFCDAB89;
	pContext->state[2] = 0x98BADCFE;
	pContext->state[3] = 0x10325476;
}

void md5_update(md5_context* pContext, const void* pData, int32_t iLength)
{
	if (iLength > 0)
		Md5Update(pContext, static_cast<const unsigned char*>(pData), static_cast<size_t>(iLength));
}

void md5_process(md5_context* pContext, const unsigned char pBlock[64]) { Md5Blocks(pContext->state, pBlock, 1); }

void md5_finish(md5_context* pContext, unsigned char pDigest[16])
{
	// Length in bits, little-endian, after the padding.
	unsigned char bits[8];
	uint32_t lo = pContext->total[0] << 3;
	uint32_t hi = (pContext->total[1] << 3) | (pContext->total[0] >> 29);
	for (int i = 0; i < 4; ++i)
	{
		bits[i] = static_cast<unsigned char>(lo >> (8 * i));
		bits[4 + i] = static_cast<unsigned char>(hi >> (8 * i));
	}
	static const unsigned char padding[64] = {0x80};
	size_t iFill = pContext->total[0] & 63;
	size_t iPad = iFill < 56 ? 56 - iFill : 120 - iFill;
	Md5Update(pContext, padding, iPad);
	Md5Update(pContext, bits, 8);
	for (int i = 0; i < 4; ++i)
		for (int k = 0; k < 4; ++k)
			pDigest[4 * i + k] = static_cast<unsigned char>(pContext->state[i] >> (8 * k));
}

void md5(const void* pData, int32_t iLength, unsigned char pDigest[16])
{
	Md5Digest(pData, iLength > 0 ? static_cast<size_t>(iLength) : 0, pDigest);
}

uint32_t md5hash(const void* pData, int32_t iLength, uint32_t iSeed)
{
	unsigned char digest[16];
	md5(pData, iLength, digest);
	return uint32_t(digest[0]) | uint32_t(digest[1]) << 8 | uint32_t(digest[2]) << 16 | uint32_t(digest[3]) << 24;
}

void md5_32(const void* pData, int32_t iLength, uint32_t iSeed, uint32_t* pResult)
{
	*pResult = md5hash(pData, iLength, iSeed);
}

namespace Kestrum
{
	namespace Hasher
	{
		namespace CRC32
		{
			uint32_t Easy(const void* pData, uint32_t iLength, uint32_t iSeed)
			{
				uint32_t c = Start(iSeed);
				Add(c, pData, iLength);
				End(c);
				return c;
			}

			uint32_t String(const BString& strText, uint32_t iSeed)
			{
				uint32_t c = Start(iSeed);
				if (!strText.empty())
					c = CrcRun(c, reinterpret_cast<const unsigned char*>(strText.data()), strText.size());
				End(c);
				return c;
			}

			uint32_t Start(uint32_t iSeed) { return crc32_start(iSeed); }

			void Add(uint32_t& iRunning, const void* pData, uint32_t iLength)
			{
				if (iLength != 0)
					iRunning = CrcRun(iRunning, static_cast<const unsigned char*>(pData), iLength);
			}

			void End(uint32_t& iRunning) { crc32_end(&iRunning); }
		}

		namespace MD5
		{
			BString Easy(const void* pData, uint32_t iLength)
			{
				unsigned char digest[16];
				Md5Digest(pData, iLength, digest);
				return String::Format::BinaryToHex(digest, sizeof(digest));
			}

			BString String(const BString& strText)
			{
				unsigned char digest[16];
				Md5Digest(strText.data(), strText.size(), digest);
				return String::Format::BinaryToHex(digest, sizeof(digest));
			}
		}
	}
}
