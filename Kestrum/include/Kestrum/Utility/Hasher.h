// Checksums: CRC-32 (zlib/PNG polynomial) over bytes and strings, and MD5 as lower-case hex text.
#pragma once

#include <cstdint>

#include "Kestrum/Types/String.h"

namespace Kestrum
{
	namespace Hasher
	{
		namespace CRC32
		{
			// CRC-32 of the bytes continued from iSeed (0 starts a fresh CRC; an earlier result continues it).
			uint32_t Easy(const void* pData, uint32_t iLength, uint32_t iSeed = 0);
			uint32_t String(const BString& strText, uint32_t iSeed = 0);

			// Easy split in three: Start(seed), Add over each piece, End gives the same value.
			uint32_t Start(uint32_t iSeed = 0);
			void Add(uint32_t& iRunning, const void* pData, uint32_t iLength);
			void End(uint32_t& iRunning);
		}

		namespace MD5
		{
			// The 16-byte digest as 32 lower-case hexadecimal digits.
			BString Easy(const void* pData, uint32_t iLength);
			BString String(const BString& strText);
		}
	}
}
