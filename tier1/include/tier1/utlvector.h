// CUtlVector: a packed array of elements over CUtlMemory, indexed by int. Insertion
// copy-constructs, removal destroys, and shifting moves elements bitwise.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tier0/dbg.h"
#include "tier1/utlmemory.h"

template <class T, class A = CUtlMemory<T>>
class CUtlVector {
public:
    typedef T ElemType_t;

    explicit CUtlVector(int nGrowSize = 0, int nInitSize = 0)
        : m_Memory(nGrowSize, nInitSize), m_Size(0), m_pElements(m_Memory.Base()) {}

    // Over the caller's block of allocationCount elements, numElements of them in use.
    CUtlVector(T *pMemory, int allocationCount, int numElements = 0)
        : m_Memory(pMemory, allocationCount), m_Size(numElements), m_pElements(m_Memory.Base()) {}

    CUtlVector(const CUtlVector &other) : m_Memory(0, 0), m_Size(0), m_pElements(nullptr) { CopyArray(other.Base(), other.Count()); }

    CUtlVector &operator=(const CUtlVector &other) {
        if (this != &other) CopyArray(other.Base(), other.Count());
        return *this;
    }

    ~CUtlVector() { Purge(); }

    T &operator[](int i) { return m_Memory[i]; }
    const T &operator[](int i) const { return m_Memory[i]; }
    T &Element(int i) { return m_Memory[i]; }
    const T &Element(int i) const { return m_Memory[i]; }
    T &Head() { return m_Memory[0]; }
    const T &Head() const { return m_Memory[0]; }
    T &Tail() { return m_Memory[m_Size - 1]; }
    const T &Tail() const { return m_Memory[m_Size - 1]; }

    T *Base() { return m_Memory.Base(); }
    const T *Base() const { return m_Memory.Base(); }

    int Count() const { return m_Size; }
    int Size() const { return m_Size; }
    int NumAllocated() const { return m_Memory.NumAllocated(); }
    bool IsValidIndex(int i) const { return i >= 0 && i < m_Size; }
    static int InvalidIndex() { return -1; }

    // Adding: each returns the index of the new element.
    int AddToHead() { return InsertBefore(0); }
    int AddToTail() { return InsertBefore(m_Size); }
    int InsertAfter(int elem) { return InsertBefore(elem + 1); }
    int InsertBefore(int elem) {
        Assert(elem >= 0 && elem <= m_Size);
        GrowVector();
        ShiftElementsRight(elem);
        Construct(&Element(elem));
        return elem;
    }

    int AddToHead(const T &src) { return InsertBefore(0, src); }
    int AddToTail(const T &src) { return InsertBefore(m_Size, src); }
    int InsertAfter(int elem, const T &src) { return InsertBefore(elem + 1, src); }
    int InsertBefore(int elem, const T &src) {
        // src may live inside this vector: copy it aside before the block moves.
        if (IsInsideBlock(&src)) {
            T copy(src);
            return InsertBefore(elem, copy);
        }
        Assert(elem >= 0 && elem <= m_Size);
        GrowVector();
        ShiftElementsRight(elem);
        CopyConstruct(&Element(elem), src);
        return elem;
    }

    // Adds num default-constructed elements at the end; returns the index of the first.
    int AddMultipleToTail(int num) {
        int first = m_Size;
        if (num <= 0) return first;
        GrowVector(num);
        for (int i = first; i < m_Size; ++i) Construct(&Element(i));
        return first;
    }

    // Adds copies of count elements from pToCopy (which may be null for default elements).
    int AddMultipleToTail(int num, const T *pToCopy) {
        if (!pToCopy) return AddMultipleToTail(num);
        int first = m_Size;
        for (int i = 0; i < num; ++i) AddToTail(pToCopy[i]);
        return first;
    }

    int AddVectorToTail(const CUtlVector &src) {
        int first = m_Size;
        int n = src.Count();
        EnsureCapacity(m_Size + n);
        for (int i = 0; i < n; ++i) AddToTail(src[i]);
        return first;
    }

    // Replaces the content with copies of count elements.
    void CopyArray(const T *pArray, int count) {
        RemoveAll();
        EnsureCapacity(count);
        for (int i = 0; i < count; ++i) AddToTail(pArray[i]);
    }

    // Makes exactly count elements: new ones are default-constructed, extra ones destroyed.
    void SetCount(int count) {
        RemoveAll();
        AddMultipleToTail(count);
    }
    void SetSize(int count) { SetCount(count); }

    void EnsureCapacity(int num) {
        m_Memory.EnsureCapacity(num);
        ResetDbgInfo();
    }

    // Grows to at least count elements, default-constructing the new ones.
    void EnsureCount(int count) {
        if (m_Size < count) AddMultipleToTail(count - m_Size);
    }

    // Finding: the index of the first element equal to src, or -1.
    int Find(const T &src) const {
        for (int i = 0; i < m_Size; ++i)
            if (Element(i) == src) return i;
        return -1;
    }
    bool HasElement(const T &src) const { return Find(src) >= 0; }

    // Removing.
    void Remove(int elem) {
        Destruct(&Element(elem));
        ShiftElementsLeft(elem);
        --m_Size;
    }

    // Puts the last element in the removed one's place (order not kept).
    void FastRemove(int elem) {
        Destruct(&Element(elem));
        if (elem != m_Size - 1) memcpy(static_cast<void *>(&Element(elem)), &Element(m_Size - 1), sizeof(T));
        --m_Size;
    }

    bool FindAndRemove(const T &src) {
        int i = Find(src);
        if (i < 0) return false;
        Remove(i);
        return true;
    }

    void RemoveMultiple(int elem, int num) {
        for (int i = elem + num; --i >= elem;) Destruct(&Element(i));
        ShiftElementsLeft(elem, num);
        m_Size -= num;
    }

    // Destroys every element from the last to the first; the memory stays.
    void RemoveAll() {
        for (int i = m_Size; --i >= 0;) Destruct(&Element(i));
        m_Size = 0;
    }

    // RemoveAll, then frees the memory (an external block is left alone).
    void Purge() {
        RemoveAll();
        m_Memory.Purge();
        ResetDbgInfo();
    }

    // Deletes what each (pointer) element points at, then purges.
    void PurgeAndDeleteElements() {
        for (int i = 0; i < m_Size; ++i) delete Element(i);
        Purge();
    }

    void Swap(CUtlVector &other) {
        m_Memory.Swap(other.m_Memory);
        int size = m_Size;
        m_Size = other.m_Size;
        other.m_Size = size;
        ResetDbgInfo();
        other.ResetDbgInfo();
    }

    void SetGrowSize(int size) { m_Memory.SetGrowSize(size); }

    // Sorts with a qsort comparison function.
    void Sort(int (*pfnCompare)(const T *, const T *)) {
        if (m_Size > 1)
            std::sort(Base(), Base() + m_Size, [pfnCompare](const T &a, const T &b) { return pfnCompare(&a, &b) < 0; });
    }

protected:
    bool IsInsideBlock(const T *p) const {
        const T *base = m_Memory.Base();
        return base && p >= base && p < base + m_Memory.NumAllocated();
    }

    // Makes room for num more elements and counts them in.
    void GrowVector(int num = 1) {
        if (m_Size + num > m_Memory.NumAllocated()) {
            m_Memory.Grow(m_Size + num - m_Memory.NumAllocated());
            if (m_Size + num > m_Memory.NumAllocated())
                Error("CUtlVector overflow! (%d elements do not fit)\n", m_Size + num);
        }
        m_Size += num;
        ResetDbgInfo();
    }

    // Opens a gap at elem (the size already counts the new element).
    void ShiftElementsRight(int elem, int num = 1) {
        int numToMove = m_Size - elem - num;
        if (numToMove > 0 && num > 0)
            memmove(static_cast<void *>(&Element(elem + num)), &Element(elem), numToMove * sizeof(T));
    }

    void ShiftElementsLeft(int elem, int num = 1) {
        int numToMove = m_Size - elem - num;
        if (numToMove > 0 && num > 0)
            memmove(static_cast<void *>(&Element(elem)), &Element(elem + num), numToMove * sizeof(T));
    }

    void ResetDbgInfo() { m_pElements = m_Memory.Base(); }

    A m_Memory;
    int m_Size;
    T *m_pElements;  // copy of the memory pointer, for inspection in a debugger
};
