// CUtlMemory: a heap array of elements with the engine's growth rule (doubling from a first
// block of about 32 bytes, or fixed steps), or a caller's external block that never grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "tier0/dbg.h"

// Placement construction helpers shared by the containers.
template <class T>
inline T *Construct(T *pMemory) {
    return ::new (static_cast<void *>(pMemory)) T();
}

template <class T>
inline T *CopyConstruct(T *pMemory, const T &src) {
    return ::new (static_cast<void *>(pMemory)) T(src);
}

template <class T>
inline void Destruct(T *pMemory) {
    pMemory->~T();
}

// Element type T, index type I (int, unsigned short or unsigned char). Elements are moved
// bitwise when the block is reallocated, so T must not point into itself.
template <class T, class I = int>
class CUtlMemory {
public:
    // nGrowSize > 0 grows in steps of that many elements, 0 doubles.
    explicit CUtlMemory(int nGrowSize = 0, int nInitAllocationCount = 0)
        : m_pMemory(nullptr), m_nAllocationCount(0), m_nGrowSize(nGrowSize < 0 ? 0 : nGrowSize) {
        if (nInitAllocationCount > 0) {
            m_nAllocationCount = nInitAllocationCount;
            m_pMemory = static_cast<T *>(Allocate(nullptr, nInitAllocationCount));
        }
    }

    // Uses the caller's block of numElements elements; it is never grown nor freed.
    CUtlMemory(T *pMemory, int numElements)
        : m_pMemory(pMemory), m_nAllocationCount(numElements), m_nGrowSize(EXTERNAL_BUFFER_MARKER) {}

    ~CUtlMemory() { Purge(); }

    CUtlMemory(const CUtlMemory &) = delete;
    CUtlMemory &operator=(const CUtlMemory &) = delete;

    // The index with all bits set.
    static I InvalidIndex() { return static_cast<I>(~static_cast<I>(0)); }

    bool IsIdxValid(I i) const {
        long long x = static_cast<long long>(i);
        return x >= 0 && x < m_nAllocationCount;
    }

    T &operator[](I i) { return m_pMemory[i]; }
    const T &operator[](I i) const { return m_pMemory[i]; }
    T &Element(I i) { return m_pMemory[i]; }
    const T &Element(I i) const { return m_pMemory[i]; }

    T *Base() { return m_pMemory; }
    const T *Base() const { return m_pMemory; }

    int NumAllocated() const { return m_nAllocationCount; }
    int Count() const { return m_nAllocationCount; }
    int GetGrowSize() const { return m_nGrowSize; }
    bool IsExternallyAllocated() const { return m_nGrowSize < 0; }

    void SetGrowSize(int nSize) {
        if (!IsExternallyAllocated() && nSize >= 0) m_nGrowSize = nSize;
    }

    // Drops any block of its own and adopts the caller's block.
    void SetExternalBuffer(T *pMemory, int numElements) {
        Purge();
        m_pMemory = pMemory;
        m_nAllocationCount = numElements;
        m_nGrowSize = EXTERNAL_BUFFER_MARKER;
    }

    // Drops any block of its own and takes the given block (from malloc) of numElements
    // elements. Ownership follows the grow size: an owning array will free the block later,
    // an array over external memory will not.
    void AssumeMemory(T *pMemory, int numElements) {
        Purge();
        m_pMemory = pMemory;
        m_nAllocationCount = numElements;
    }

    // Makes room for at least num more elements by the growth rule; external memory and a
    // narrow index type that cannot hold the count leave the block unchanged.
    void Grow(int num = 1) {
        if (IsExternallyAllocated() || num <= 0) return;
        long long requested = static_cast<long long>(m_nAllocationCount) + num;
        long long newCount = CalcNewAllocationCount(requested);
        if (newCount < requested) return;
        Resize(newCount);
    }

    // Makes the block hold at least num elements, allocating exactly num when it must grow.
    void EnsureCapacity(int num) {
        if (m_nAllocationCount >= num || IsExternallyAllocated()) return;
        if (sizeof(I) < sizeof(int) && num > static_cast<long long>(InvalidIndex())) return;  // too narrow
        Resize(num);
    }

    // Frees the block (an external block is only forgotten).
    void Purge() {
        if (!IsExternallyAllocated()) {
            free(m_pMemory);
            m_pMemory = nullptr;
            m_nAllocationCount = 0;
        }
    }

    void Swap(CUtlMemory &other) {
        std::swap(m_pMemory, other.m_pMemory);
        std::swap(m_nAllocationCount, other.m_nAllocationCount);
        std::swap(m_nGrowSize, other.m_nGrowSize);
    }

private:
    enum { EXTERNAL_BUFFER_MARKER = -1 };

    // The count the growth rule picks for `requested` elements, or less than requested when
    // the index type cannot name that many.
    long long CalcNewAllocationCount(long long requested) const {
        const long long maxCount = static_cast<long long>(0x7FFFFFFF) / static_cast<long long>(sizeof(T));
        long long newCount;
        if (m_nGrowSize > 0) {
            newCount = ((requested - 1) / m_nGrowSize + 1) * m_nGrowSize;
        } else {
            newCount = m_nAllocationCount ? m_nAllocationCount
                                          : static_cast<long long>((31 + sizeof(T)) / sizeof(T));
            while (newCount < requested) newCount *= 2;
        }
        if (sizeof(I) < sizeof(int)) {
            // A narrow index names at most all-bits-set - 1 elements: settle for fewer.
            auto cut = [](long long n) { return static_cast<long long>(static_cast<I>(n)); };
            if (cut(newCount) < requested) {
                if (cut(newCount) == 0 && cut(newCount - 1) >= requested) {
                    --newCount;
                } else {
                    if (cut(requested) != requested) return 0;
                    while (cut(newCount) < requested) newCount = (newCount + requested) / 2;
                }
            }
        }
        if (newCount > maxCount) newCount = requested <= maxCount ? maxCount : 0;
        return newCount;
    }

    void Resize(long long newCount) {
        m_pMemory = static_cast<T *>(Allocate(m_pMemory, newCount));
        m_nAllocationCount = static_cast<int>(newCount);
    }

    static void *Allocate(void *pOld, long long count) {
        void *p = realloc(pOld, static_cast<size_t>(count) * sizeof(T));
        if (!p) Error("CUtlMemory: out of memory allocating %lld elements of %zu bytes\n", count, sizeof(T));
        return p;
    }

protected:
    T *m_pMemory;
    int m_nAllocationCount;
    int m_nGrowSize;
};
