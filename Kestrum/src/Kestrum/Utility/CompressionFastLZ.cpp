// FastLZ levels 1 and 2: a hash of three bytes finds earlier matches; output is literal runs of up
// to 32 bytes and back-references. The decompressor checks every read and write against its ranges.
#include "Kestrum/Utility/CompressionFastLZ.h"

#include <cstddef>
#include <cstring>

namespace
{
	const int HashLog = 13;
	const uint32_t HashSize = 1u << HashLog;
	const uint32_t MaxCopy = 32;
	const uint32_t MaxLen = 264;             // longest level-1 match
	const uint32_t MaxL1Distance = 8192;
	const uint32_t MaxL2Distance = 8191;
	const uint32_t MaxFarDistance = 65535 + MaxL2Distance - 1;

	inline uint32_t Read16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

	inline uint32_t Hash(const unsigned char* p)
	{
		uint32_t v = Read16(p);
		v ^= Read16(p + 1) ^ (v >> (16 - HashLog));
		return v & (HashSize - 1);
	}

	// Length of the common run of a and b, b not passing pBound.
	inline const unsigned char* Extend(const unsigned char* a, const unsigned char* b, const unsigned char* pBound)
	{
		while (b + 8 <= pBound)
		{
			uint64_t x, y;
			memcpy(&x, a, 8);
			memcpy(&y, b, 8);
			uint64_t d = x ^ y;
			if (d != 0)
			{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
				return b + (__builtin_ctzll(d) >> 3);
#else
				break;
#endif
			}
			a += 8;
			b += 8;
		}
		while (b < pBound && *a == *b)
		{
			++a;
			++b;
		}
		return b;
	}

	template <int Level>
	unsigned char* EmitMatch(unsigned char* op, uint32_t iLen, uint32_t iDistance)
	{
		uint32_t d = iDistance - 1;
		if (Level == 1)
		{
			// Split long matches; keep every piece at least three bytes long.
			while (iLen > MaxLen)
			{
				uint32_t iPiece = iLen - MaxLen < 3 ? iLen - 3 : MaxLen;
				uint32_t l = iPiece - 2;
				*op++ = static_cast<unsigned char>((7 << 5) + (d >> 8));
				*op++ = static_cast<unsigned char>(l - 7);
				*op++ = static_cast<unsigned char>(d & 255);
				iLen -= iPiece;
			}
			uint32_t l = iLen - 2;
			if (l < 7)
				*op++ = static_cast<unsigned char>((l << 5) + (d >> 8));
			else
			{
				*op++ = static_cast<unsigned char>((7 << 5) + (d >> 8));
				*op++ = static_cast<unsigned char>(l - 7);
			}
			*op++ = static_cast<unsigned char>(d & 255);
			return op;
		}

		uint32_t l = iLen - 2;
		bool bFar = d >= MaxL2Distance;
		uint32_t iHigh = bFar ? 31 : d >> 8;
		if (l < 7)
			*op++ = static_cast<unsigned char>((l << 5) + iHigh);
		else
		{
			*op++ = static_cast<unsigned char>((7 << 5) + iHigh);
			for (l -= 7; l >= 255; l -= 255)
				*op++ = 255;
			*op++ = static_cast<unsigned char>(l);
		}
		if (!bFar)
			*op++ = static_cast<unsigned char>(d & 255);
		else
		{
			d -= MaxL2Distance;
			*op++ = 255;
			*op++ = static_cast<unsigned char>(d >> 8);
			*op++ = static_cast<unsigned char>(d & 255);
		}
		return op;
	}

	template <int Level>
	int CompressLevel(const unsigned char* pIn, int iLength, unsigned char* pOut)
	{
		if (iLength <= 0)
			return 0;
		if (iLength < 4)
		{
			pOut[0] = static_cast<unsigned char>(iLength - 1);
			memcpy(pOut + 1, pIn, iLength);
			return iLength + 1;
		}

		const unsigned char* ip = pIn;
		const unsigned char* const pEnd = pIn + iLength;
		const unsigned char* const pBound = pEnd - 2;
		const unsigned char* const pLimit = iLength > 12 ? pEnd - 12 : pIn;
		unsigned char* op = pOut;

		uint32_t table[HashSize];
		memset(table, 0, sizeof(table));

		// The open literal run's count byte sits copy + 1 bytes back.
		uint32_t copy = 2;
		*op++ = MaxCopy - 1;
		*op++ = *ip++;
		*op++ = *ip++;

		while (ip < pLimit)
		{
			const unsigned char* anchor = ip;
			uint32_t h = Hash(ip);
			const unsigned char* ref = pIn + table[h];
			table[h] = static_cast<uint32_t>(anchor - pIn);
			uint32_t iDistance = static_cast<uint32_t>(anchor - ref);

			bool bMatch = iDistance != 0 && ref[0] == ip[0] && ref[1] == ip[1] && ref[2] == ip[2];
			if (bMatch)
			{
				if (Level == 1)
					bMatch = iDistance < MaxL1Distance;
				else if (iDistance >= MaxL2Distance)
					bMatch = iDistance < MaxFarDistance && ref[3] == ip[3] && ref[4] == ip[4];
			}
			if (!bMatch)
			{
				*op++ = *ip++;
				if (++copy == MaxCopy)
				{
					copy = 0;
					*op++ = MaxCopy - 1;
				}
				continue;
			}

			const unsigned char* pMatchEnd = Extend(ref + 3, ip + 3, pBound);
			uint32_t iLen = static_cast<uint32_t>(pMatchEnd - anchor);

			// Close the open literal run (or drop its unused count byte).
			if (copy)
				op[-static_cast<ptrdiff_t>(copy) - 1] = static_cast<unsigned char>(copy - 1);
			else
				--op;
			op = EmitMatch<Level>(op, iLen, iDistance);

			ip = pMatchEnd;
			table[Hash(ip - 2)] = static_cast<uint32_t>(ip - 2 - pIn);
			table[Hash(ip - 1)] = static_cast<uint32_t>(ip - 1 - pIn);

			*op++ = MaxCopy - 1;
			copy = 0;
		}

		while (ip < pEnd)
		{
			*op++ = *ip++;
			if (++copy == MaxCopy)
			{
				copy = 0;
				*op++ = MaxCopy - 1;
			}
		}
		if (copy)
			op[-static_cast<ptrdiff_t>(copy) - 1] = static_cast<unsigned char>(copy - 1);
		else
			--op;

		if (Level == 2)
			pOut[0] |= 1 << 5;
		return static_cast<int>(op - pOut);
	}

	// Copies a back-reference; the source may overlap the destination.
	inline void CopyMatch(unsigned char* op, const unsigned char* ref, size_t iLen, unsigned char* pOutEnd)
	{
		if (op - ref >= 8 && static_cast<size_t>(pOutEnd - op) >= iLen + 8)
		{
			// Eight bytes at a time; may write up to 7 bytes past the match, inside the output.
			unsigned char* pStop = op + iLen;
			while (op < pStop)
			{
				memcpy(op, ref, 8);
				op += 8;
				ref += 8;
			}
			return;
		}
		if (op - ref == 1)
		{
			memset(op, *ref, iLen);
			return;
		}
		while (iLen--)
			*op++ = *ref++;
	}

	template <int Level>
	int DecompressLevel(const unsigned char* pIn, size_t iLength, unsigned char* pOut, size_t iMaxOut)
	{
		const unsigned char* ip = pIn;
		const unsigned char* const pInEnd = pIn + iLength;
		unsigned char* op = pOut;
		unsigned char* const pOutEnd = pOut + iMaxOut;

		uint32_t ctrl = *ip++ & 31;
		for (;;)
		{
			if (ctrl >= 32)
			{
				uint64_t iLen = (ctrl >> 5) - 1;
				size_t iDistance = ((ctrl & 31) << 8) + 1;
				if (iLen == 6)
				{
					if (Level == 1)
					{
						if (ip >= pInEnd)
							return 0;
						iLen += *ip++;
					}
					else
					{
						uint32_t code;
						do
						{
							if (ip >= pInEnd)
								return 0;
							code = *ip++;
							iLen += code;
						} while (code == 255);
					}
				}
				if (ip >= pInEnd)
					return 0;
				uint32_t code = *ip++;
				iDistance += code;
				if (Level == 2 && code == 255 && (ctrl & 31) == 31)
				{
					if (pInEnd - ip < 2)
						return 0;
					iDistance = ((size_t(ip[0]) << 8) | ip[1]) + MaxL2Distance + 1;
					ip += 2;
				}
				iLen += 3;
				if (iDistance > static_cast<size_t>(op - pOut))
					return 0;
				if (iLen > static_cast<uint64_t>(pOutEnd - op))
					return -1;
				CopyMatch(op, op - iDistance, static_cast<size_t>(iLen), pOutEnd);
				op += iLen;
			}
			else
			{
				size_t iRun = ctrl + 1;
				if (static_cast<size_t>(pInEnd - ip) < iRun)
					return 0;
				if (static_cast<size_t>(pOutEnd - op) < iRun)
					return -1;
				memcpy(op, ip, iRun);
				ip += iRun;
				op += iRun;
			}
			if (ip >= pInEnd)
				break;
			ctrl = *ip++;
		}
		return static_cast<int>(op - pOut);
	}
}

int fastlz1_compress(const void* pInput, int iLength, void* pOutput)
{
	return CompressLevel<1>(static_cast<const unsigned char*>(pInput), iLength, static_cast<unsigned char*>(pOutput));
}

int fastlz2_compress(const void* pInput, int iLength, void* pOutput)
{
	return CompressLevel<2>(static_cast<const unsigned char*>(pInput), iLength, static_cast<unsigned char*>(pOutput));
}

int fastlz_compress(const void* pInput, int iLength, void* pOutput)
{
	return iLength < 65536 ? fastlz1_compress(pInput, iLength, pOutput) : fastlz2_compress(pInput, iLength, pOutput);
}

int fastlz_compress_level(int iLevel, const void* pInput, int iLength, void* pOutput)
{
	if (iLevel == 1)
		return fastlz1_compress(pInput, iLength, pOutput);
	if (iLevel == 2)
		return fastlz2_compress(pInput, iLength, pOutput);
	return 0;
}

int fastlz_decompress(const void* pInput, int iLength, void* pOutput, int iMaxOut)
{
	if (pInput == nullptr || iLength <= 0 || iMaxOut < 0 || (pOutput == nullptr && iMaxOut > 0))
		return 0;
	const unsigned char* p = static_cast<const unsigned char*>(pInput);
	unsigned char* out = static_cast<unsigned char*>(pOutput);
	switch (p[0] >> 5)
	{
	case 0:
		return DecompressLevel<1>(p, static_cast<size_t>(iLength), out, static_cast<size_t>(iMaxOut));
	case 1:
		return DecompressLevel<2>(p, static_cast<size_t>(iLength), out, static_cast<size_t>(iMaxOut));
	default:
		return 0;
	}
}

namespace Kestrum
{
	namespace Compression
	{
		namespace FastLZ
		{
			bool Is(const void* pData, uint32_t iLength)
			{
				return pData != nullptr && iLength >= 2 && static_cast<const unsigned char*>(pData)[0] < 64;
			}

			bool Compress(const void* pData, uint32_t iLength, Buffer& target)
			{
				if (pData == nullptr || iLength == 0 || iLength > INT32_MAX)
					return false;
				const uint32_t iPos = target.GetPos();
				// Half as much again, and never less than the worst case of incompressible input.
				uint64_t iRoom = uint64_t(iLength) + iLength / 2;
				uint64_t iWorst = uint64_t(iLength) + iLength / 32 + 16;
				if (iRoom < iWorst)
					iRoom = iWorst;
				const uint64_t iEnd = iPos + iRoom;
				if (iEnd > UINT32_MAX || !target.EnsureCapacity(static_cast<uint32_t>(iEnd)))
					return false;
				int iResult = fastlz2_compress(pData, static_cast<int>(iLength), target.GetBase(iPos));
				if (iResult < 1)
					return false;
				target.SetWritten(iPos + static_cast<uint32_t>(iResult));
				target.SetPos(iPos + static_cast<uint32_t>(iResult));
				return true;
			}

			bool Extract(const void* pData, uint32_t iLength, Buffer& target)
			{
				if (pData == nullptr || iLength == 0 || iLength > INT32_MAX || !target.EnsureCapacity(iLength))
					return false;
				const uint32_t iPos = target.GetPos();
				int iResult = -1;
				for (int iAttempt = 0; iAttempt < 128 && iResult == -1; ++iAttempt)
				{
					uint32_t iRoom = iPos <= target.GetSize() ? target.GetSize() - iPos : 0;
					if (iRoom > INT32_MAX)
						iRoom = INT32_MAX;
					iResult = fastlz_decompress(pData, static_cast<int>(iLength), iRoom ? target.GetBase(iPos) : nullptr,
					                            static_cast<int>(iRoom));
					if (iResult == -1)
					{
						double fGrown = static_cast<double>(static_cast<float>(target.GetSize()) * 1.2f);
						if (fGrown > UINT32_MAX || !target.EnsureCapacity(static_cast<uint32_t>(fGrown)))
							return false;
					}
				}
				if (iResult <= 0)
					return false;
				target.SetWritten(iPos + static_cast<uint32_t>(iResult));
				target.SetPos(iPos + static_cast<uint32_t>(iResult));
				return true;
			}
		}
	}
}
