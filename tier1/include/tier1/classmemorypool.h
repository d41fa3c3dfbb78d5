// CClassMemoryPool: a CUtlMemoryPool whose blocks are objects of one class. Objects are
// built in Alloc and destroyed in Free; Clear destroys whatever is still allocated.
#pragma once

#include <new>

#include "tier1/mempool.h"
#include "tier1/utlrbtree.h"

template <class T>
class CClassMemoryPool : public CUtlMemoryPool {
public:
    // numElements objects per blob; an alignment of 0 means the class's own.
    explicit CClassMemoryPool(int numElements, int growMode = GROW_FAST, int nAlignment = 0)
        : CUtlMemoryPool(static_cast<int>(sizeof(T)), numElements, growMode, "CClassMemoryPool",
                         static_cast<unsigned short>(nAlignment ? nAlignment : alignof(T))) {}

    // Objects still allocated are destroyed with the pool.
    ~CClassMemoryPool() { Clear(); }

    // A default-constructed object, or null when the pool cannot grow.
    T *Alloc() {
        void *p = CUtlMemoryPool::Alloc();
        return p ? ::new (p) T() : nullptr;
    }

    // Destroys the object and returns its block to the free list.
    void Free(T *pObject) {
        if (!pObject) return;
        pObject->~T();
        SetNextFree(pObject, m_pHeadOfFreeList);
        m_pHeadOfFreeList = pObject;
        --m_BlocksAllocated;
    }

    // Destroys every object still allocated, then returns all memory to the heap. The
    // free blocks are found through a tree of their addresses (at most 65535 of them).
    void Clear() {
        CUtlRBTree<void *, unsigned short> freeBlocks(0, 0, CDefOps<void *>::LessFunc);
        for (void *p = m_pHeadOfFreeList; p; p = NextFree(p)) freeBlocks.Insert(p);

        for (CBlob *blob = m_BlobHead.m_pNext; blob != &m_BlobHead; blob = blob->m_pNext) {
            char *block = BlobData(blob);
            size_t numBlocks = blob->m_NumBytes / static_cast<size_t>(m_BlockSize);
            for (size_t i = 0; i < numBlocks; ++i, block += m_BlockSize) {
                void *p = block;
                if (freeBlocks.Find(p) == freeBlocks.InvalidIndex()) reinterpret_cast<T *>(block)->~T();
            }
        }
        CUtlMemoryPool::Clear();
    }
};
