// FastLZ blocks (levels 1 and 2): a fast, light compressor with no header of its own; the top three
// bits of the first byte give the level.
#pragma once

#include <cstdint>

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"
#include "Kestrum/Utility/CompressionJob.h"

// Output needs room for length + length / 32 + 16 bytes at worst. Level 1 below 65536 bytes, else 2.
int fastlz_compress(const void* pInput, int iLength, void* pOutput);
// Level 1 or 2; 0 for any other level.
int fastlz_compress_level(int iLevel, const void* pInput, int iLength, void* pOutput);
int fastlz1_compress(const void* pInput, int iLength, void* pOutput);
int fastlz2_compress(const void* pInput, int iLength, void* pOutput);
// Bytes written; -1 when iMaxOut is too small; 0 when the input is not a valid block.
// Never reads or writes outside the given ranges.
int fastlz_decompress(const void* pInput, int iLength, void* pOutput, int iMaxOut);

namespace Kestrum
{
	namespace Compression
	{
		namespace FastLZ
		{
			// A block starts with a level mark of 0 or 1: the first byte is below 64.
			bool Is(const void* pData, uint32_t iLength);
			// Appends a level-2 block at the target's position.
			bool Compress(const void* pData, uint32_t iLength, Buffer& target);
			// Appends the decompressed data at the target's position, growing it by a fifth per attempt.
			bool Extract(const void* pData, uint32_t iLength, Buffer& target);
			// Copies the block and extracts it to the file on a thread of its own; iExpectedSize
			// (0 when unknown) is reserved up front.
			Job* ExtractInThread(const void* pData, uint32_t iLength, uint32_t iExpectedSize, const BString& strFileName);
		}
	}
}
