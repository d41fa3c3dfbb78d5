// The engine's LZMA block, decoded in one call by the LZMA SDK's LzmaDecode.
#include "tier1/lzmaDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <lzma/LzmaDec.h>

namespace
{
const unsigned char kIdentifier[4] = {'L', 'Z', 'M', 'A'};
const size_t kPropsOffset = 12;

uint32_t ReadLittle32(const unsigned char *p)
{
	return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
		(static_cast<uint32_t>(p[3]) << 24);
}

void *SzAlloc(void *, size_t size)
{
	return malloc(size);
}

void SzFree(void *, void *address)
{
	free(address);
}

ISzAlloc g_Alloc = {SzAlloc, SzFree};
}

bool CLZMA::IsCompressed(const unsigned char *pInput, size_t inputLength)
{
	return pInput && inputLength >= sizeof(kIdentifier) && memcmp(pInput, kIdentifier, sizeof(kIdentifier)) == 0;
}

unsigned int CLZMA::GetActualSize(const unsigned char *pInput, size_t inputLength)
{
	if (!IsCompressed(pInput, inputLength) || inputLength < 8)
		return 0;
	return ReadLittle32(pInput + 4);
}

unsigned int CLZMA::Uncompress(const unsigned char *pInput, size_t inputLength, unsigned char *pOutput,
	size_t outputSize)
{
	if (!IsCompressed(pInput, inputLength) || inputLength < kHeaderSize || !pOutput)
		return 0;
	uint32_t actualSize = ReadLittle32(pInput + 4);
	uint32_t compressedSize = ReadLittle32(pInput + 8);
	if (actualSize == 0)
		return 0;
	if (static_cast<uint64_t>(compressedSize) > inputLength - kHeaderSize || actualSize > outputSize)
		return 0;
	// lc, lp and pb packed as (pb * 5 + lp) * 9 + lc.
	if (pInput[kPropsOffset] >= 9 * 5 * 5)
		return 0;

	SizeT destLength = actualSize;
	SizeT srcLength = compressedSize;
	ELzmaStatus status;
	SRes result = LzmaDecode(pOutput, &destLength, pInput + kHeaderSize, &srcLength, pInput + kPropsOffset,
		LZMA_PROPS_SIZE, LZMA_FINISH_ANY, &status, &g_Alloc);
	if (result != SZ_OK || destLength != actualSize)
		return 0;
	return actualSize;
}
