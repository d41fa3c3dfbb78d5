// The plain CRC-32 and MD5 (RFC 1321) functions under Kestrum::Hasher. Lengths of 0 or below hash nothing.
#pragma once

#include <cstdint>

// CRC-32 of iLength bytes continued from iSeed, stored in *pResult.
void crc32(const void* pData, int32_t iLength, uint32_t iSeed, uint32_t* pResult);
uint32_t crc32_start(uint32_t iSeed);
void crc32_add(uint32_t* pRunning, const void* pData, int32_t iLength);
void crc32_end(uint32_t* pRunning);

struct md5_context
{
	uint32_t total[2]; // bytes hashed, low word first
	uint32_t state[4];
	unsigned char buffer[64];
};

void md5_starts(md5_context* pContext);
void md5_update(md5_context* pContext, const void* pData, int32_t iLength);
// Runs the compression function over one 64-byte block.
void md5_process(md5_context* pContext, const unsigned char pBlock[64]);
void md5_finish(md5_context* pContext, unsigned char pDigest[16]);

void md5(const void* pData, int32_t iLength, unsigned char pDigest[16]);
// The first four digest bytes as a little-endian number; the seed is not used.
uint32_t md5hash(const void* pData, int32_t iLength, uint32_t iSeed);
void md5_32(const void* pData, int32_t iLength, uint32_t iSeed, uint32_t* pResult);
