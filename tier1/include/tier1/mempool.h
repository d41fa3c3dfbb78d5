// CUtlMemoryPool: a fixed-size block allocator that hands out blocks carved from large blobs.
// Blocks are released all together (Clear or destruction); typed pools built on it return
// single blocks to the free list themselves.
#pragma once

#include <cstddef>

class CUtlMemoryPool
{
public:
	enum MemoryPoolGrowType_t
	{
		GROW_NONE = 0,  // never grows beyond the first blob
		GROW_FAST = 1,  // the n-th blob holds n times the blocks per blob
		GROW_SLOW = 2,  // every blob holds the blocks per blob
	};

	// The block size is raised to hold a free-list link and rounded up to the alignment
	// (0 means 1). The owner label is kept, not copied. The first blob is made at once.
	CUtlMemoryPool(int blockSize, int numBlocksPerBlob, int growMode = GROW_FAST, const char *pszAllocOwner = nullptr,
		unsigned short nAlignment = 0);
	~CUtlMemoryPool();

	CUtlMemoryPool(const CUtlMemoryPool &) = delete;
	CUtlMemoryPool &operator=(const CUtlMemoryPool &) = delete;

	// A block (not zeroed), or null when the pool cannot grow or the heap refuses.
	void *Alloc();
	// As Alloc, or null when amount exceeds the block size.
	void *Alloc(size_t amount);
	// Frees every blob; all blocks handed out become invalid.
	void Clear();

	int Count() const { return m_BlocksAllocated; }
	int PeakCount() const { return m_PeakAlloc; }
	int BlockSize() const { return m_BlockSize; }
	int NumBlobs() const { return m_NumBlobs; }
	const char *Owner() const { return m_pszAllocOwner; }

	// Receives leak reports at destruction (printf-style); none is installed by default.
	typedef void (*MemoryPoolReportFunc_t)(const char *pMsg, ...);
	static MemoryPoolReportFunc_t g_ReportFunc;

protected:
	// Header of one blob; its data area follows, aligned to the pool's alignment.
	struct CBlob
	{
		CBlob *m_pPrev;
		CBlob *m_pNext;
		size_t m_NumBytes;  // size of the data area
	};

	// First block of a blob.
	char *BlobData(CBlob *blob) const;
	// Free-list links, stored in the first bytes of a free block (which may be unaligned).
	static void *NextFree(void *block);
	static void SetNextFree(void *block, void *next);
	void AddNewBlob();

	int m_BlockSize;
	int m_BlocksPerBlob;
	int m_GrowMode;
	int m_BlocksAllocated;
	void *m_pHeadOfFreeList;
	int m_PeakAlloc;
	unsigned short m_nAlignment;
	unsigned short m_NumBlobs;
	const char *m_pszAllocOwner;
	CBlob m_BlobHead;  // sentinel of the circular blob list
};
