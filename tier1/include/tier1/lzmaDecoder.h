// CLZMA: reader of the engine's LZMA block, a 17-byte header ("LZMA", actual size, compressed
// size, 5 property bytes; numbers little-endian) followed by the compressed data.
#pragma once

#include <cstddef>

class CLZMA
{
public:
	static const size_t kHeaderSize = 17;

	// True when the input holds at least the identifier "LZMA".
	static bool IsCompressed(const unsigned char *pInput, size_t inputLength);
	// The actual (uncompressed) size from the header, 0 for anything but an LZMA block.
	static unsigned int GetActualSize(const unsigned char *pInput, size_t inputLength);
	// Decodes the block into pOutput (outputSize bytes of room) and returns the actual size,
	// or 0 when the header claims more input than given or more output than there is room
	// for, the properties are invalid, the data is damaged, or it decodes to another length.
	static unsigned int Uncompress(const unsigned char *pInput, size_t inputLength, unsigned char *pOutput,
		size_t outputSize);
};
