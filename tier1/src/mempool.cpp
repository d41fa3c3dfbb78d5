// Fixed-size block pool: blobs on a circular list, their blocks chained into a free list.
#include "tier1/mempool.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

CUtlMemoryPool::MemoryPoolReportFunc_t CUtlMemoryPool::g_ReportFunc = nullptr;

namespace
{
const char *const kDefaultOwner = "CUtlMemoryPool (tier1/mempool.cpp)";
}

CUtlMemoryPool::CUtlMemoryPool(int blockSize, int numBlocksPerBlob, int growMode, const char *pszAllocOwner,
	unsigned short nAlignment)
{
	m_nAlignment = nAlignment ? nAlignment : 1;
	// Every block must hold the free-list link, a pointer on every build.
	int64_t size = blockSize < static_cast<int>(sizeof(void *)) ? static_cast<int64_t>(sizeof(void *)) : blockSize;
	size = (size + m_nAlignment - 1) / m_nAlignment * m_nAlignment;
	m_BlockSize = size > INT32_MAX ? INT32_MAX : static_cast<int>(size);
	m_BlocksPerBlob = numBlocksPerBlob > 0 ? numBlocksPerBlob : 0;
	m_GrowMode = growMode;
	m_BlocksAllocated = 0;
	m_pHeadOfFreeList = nullptr;
	m_PeakAlloc = 0;
	m_NumBlobs = 0;
	m_pszAllocOwner = pszAllocOwner ? pszAllocOwner : kDefaultOwner;
	m_BlobHead.m_pPrev = m_BlobHead.m_pNext = &m_BlobHead;
	m_BlobHead.m_NumBytes = 0;
	AddNewBlob();
}

CUtlMemoryPool::~CUtlMemoryPool()
{
	if (m_BlocksAllocated > 0 && g_ReportFunc)
		g_ReportFunc("Memory leak: mempool blocks left in memory: %d\n", m_BlocksAllocated);
	Clear();
}

char *CUtlMemoryPool::BlobData(CBlob *blob) const
{
	uintptr_t start = reinterpret_cast<uintptr_t>(blob + 1);
	start = (start + m_nAlignment - 1) / m_nAlignment * m_nAlignment;
	return reinterpret_cast<char *>(start);
}

void *CUtlMemoryPool::NextFree(void *block)
{
	void *next;
	memcpy(&next, block, sizeof(next));
	return next;
}

void CUtlMemoryPool::SetNextFree(void *block, void *next)
{
	memcpy(block, &next, sizeof(next));
}

void CUtlMemoryPool::AddNewBlob()
{
	if (m_GrowMode == GROW_NONE && m_NumBlobs > 0)
		return;
	if (m_NumBlobs == UINT16_MAX)
		return;

	int64_t blocks = m_BlocksPerBlob;
	if (m_GrowMode == GROW_FAST)
		blocks *= m_NumBlobs + 1;
	uint64_t dataBytes = static_cast<uint64_t>(blocks) * static_cast<uint64_t>(m_BlockSize);
	// A blob's data area is sized in 32 bits like the pool's fields; larger ones are refused
	// and Alloc then reports null.
	if (blocks <= 0 || dataBytes > INT32_MAX)
		return;

	size_t total = sizeof(CBlob) + static_cast<size_t>(dataBytes) + m_nAlignment - 1;
	CBlob *blob = static_cast<CBlob *>(malloc(total));
	if (!blob)
		return;
	blob->m_NumBytes = static_cast<size_t>(dataBytes);
	blob->m_pNext = &m_BlobHead;
	blob->m_pPrev = m_BlobHead.m_pPrev;
	blob->m_pPrev->m_pNext = blob;
	m_BlobHead.m_pPrev = blob;

	// Chain the blocks in address order; the free list was empty.
	char *block = BlobData(blob);
	m_pHeadOfFreeList = block;
	for (int64_t i = 0; i < blocks - 1; ++i, block += m_BlockSize)
		SetNextFree(block, block + m_BlockSize);
	SetNextFree(block, nullptr);
	++m_NumBlobs;
}

void *CUtlMemoryPool::Alloc()
{
	if (!m_pHeadOfFreeList)
	{
		if (m_GrowMode == GROW_NONE)
			return nullptr;
		AddNewBlob();
		if (!m_pHeadOfFreeList)
			return nullptr;
	}
	void *block = m_pHeadOfFreeList;
	m_pHeadOfFreeList = NextFree(block);
	++m_BlocksAllocated;
	if (m_BlocksAllocated > m_PeakAlloc)
		m_PeakAlloc = m_BlocksAllocated;
	return block;
}

void *CUtlMemoryPool::Alloc(size_t amount)
{
	if (amount > static_cast<size_t>(m_BlockSize))
		return nullptr;
	return Alloc();
}

void CUtlMemoryPool::Clear()
{
	CBlob *blob = m_BlobHead.m_pNext;
	while (blob != &m_BlobHead)
	{
		CBlob *next = blob->m_pNext;
		free(blob);
		blob = next;
	}
	m_BlobHead.m_pPrev = m_BlobHead.m_pNext = &m_BlobHead;
	m_NumBlobs = 0;
	m_BlocksAllocated = 0;
	m_pHeadOfFreeList = nullptr;
}
