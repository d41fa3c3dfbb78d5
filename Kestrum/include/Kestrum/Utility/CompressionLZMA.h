// The Kestrum LZMA stream: 5 coder property bytes, the uncompressed size (32-bit little-endian),
// four zero bytes, then the raw LZMA data (the LZMA-alone layout), made and read with the LZMA SDK.
#pragma once

#include <cstdint>

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"
#include "Kestrum/Utility/CompressionJob.h"

namespace Kestrum
{
	namespace Compression
	{
		namespace LZMA
		{
			const uint32_t HeaderSize = 13;
			// Largest uncompressed size extraction accepts (checked before anything is allocated).
			const uint32_t MaxExtractSize = 0x20000000;

			// Appends the stream of the data at the target's position.
			bool Compress(const void* pData, uint32_t iLength, Buffer& target, int iLevel, int iDictSize);
			// Appends the uncompressed data at the target's position; on failure the position and the
			// written count stay (the block may have grown).
			bool Extract(const void* pData, uint32_t iLength, Buffer& target);
			// Decodes into the file in 2 MiB steps; on a decoding failure no file is left behind.
			bool ExtractToFile(const void* pData, uint32_t iLength, const BString& strFileName);
			// Property byte 0 at most 224 and a dictionary of at least 4096 bytes.
			bool PropsAreValid(const unsigned char* pProps);
			// Copies the stream and extracts it to the file on a thread of its own.
			Job* ExtractInThread(const void* pData, uint32_t iLength, const BString& strFileName);
		}
	}
}
