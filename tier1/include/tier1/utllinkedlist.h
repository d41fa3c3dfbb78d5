// CUtlLinkedList: a doubly linked list whose elements live in one CUtlMemory and are named
// by index; freed slots are recycled through a free list, so indices stay stable.
#pragma once

#include "tier0/dbg.h"
#include "tier1/utlmemory.h"

template <class T, class I>
struct UtlLinkedListElem_t {
    T m_Element;
    I m_Previous;
    I m_Next;
};

// Element type T and index type I (int, unsigned short or unsigned char; its all-bits-set
// value is the invalid index, so an 8-bit list holds at most 255 elements).
template <class T, class I = unsigned short>
class CUtlLinkedList {
public:
    typedef T ElemType_t;
    typedef I IndexType_t;
    typedef UtlLinkedListElem_t<T, I> ListElem_t;

    explicit CUtlLinkedList(int growSize = 0, int initSize = 0)
        : m_Memory(growSize, initSize),
          m_Head(InvalidIndex()),
          m_Tail(InvalidIndex()),
          m_FirstFree(InvalidIndex()),
          m_ElementCount(0),
          m_NumAlloced(0),
          m_LastAlloc(InvalidIndex()),
          m_pElements(m_Memory.Base()) {}

    ~CUtlLinkedList() {
        RemoveAll();
        m_Memory.Purge();
    }

    CUtlLinkedList(const CUtlLinkedList &) = delete;
    CUtlLinkedList &operator=(const CUtlLinkedList &) = delete;

    T &operator[](I i) { return m_Memory[i].m_Element; }
    const T &operator[](I i) const { return m_Memory[i].m_Element; }
    T &Element(I i) { return m_Memory[i].m_Element; }
    const T &Element(I i) const { return m_Memory[i].m_Element; }

    static I InvalidIndex() { return CUtlMemory<ListElem_t, I>::InvalidIndex(); }

    I Head() const { return m_Head; }
    I Tail() const { return m_Tail; }
    I Previous(I i) const { return m_Memory[i].m_Previous; }
    I Next(I i) const { return m_Memory[i].m_Next; }

    // Linked elements.
    int Count() const { return m_ElementCount; }
    int NumAllocated() const { return m_NumAlloced; }
    // One past the highest slot ever handed out.
    I MaxElementIndex() const { return static_cast<I>(m_LastAlloc == InvalidIndex() ? 0 : m_LastAlloc + 1); }

    // A slot handed out and not freed (linked or not).
    bool IsValidIndex(I i) const {
        if (i == InvalidIndex() || !m_Memory.IsIdxValid(i) || !WasHandedOut(i)) return false;
        return m_Memory[i].m_Previous != i || m_Memory[i].m_Next == i;
    }

    bool IsInList(I i) const { return IsValidIndex(i) && m_Memory[i].m_Previous != i; }

    void EnsureCapacity(int num) {
        m_Memory.EnsureCapacity(num);
        ResetDbgInfo();
    }

    // Allocation: a slot with a default-constructed element, not linked.
    I Alloc(bool multilist = false) {
        I elem = AllocInternal(multilist);
        if (elem != InvalidIndex()) Construct(&Element(elem));
        return elem;
    }

    // A raw slot (free list first), unlinked; the invalid index when the list is full.
    I AllocInternal(bool multilist = false) {
        I elem;
        if (m_FirstFree == InvalidIndex()) {
            I candidate = static_cast<I>(m_LastAlloc == InvalidIndex() ? 0 : m_LastAlloc + 1);
            if (!m_Memory.IsIdxValid(candidate)) {
                m_Memory.Grow(1);
                ResetDbgInfo();
                if (!m_Memory.IsIdxValid(candidate)) {
                    static int s_nMemoryWarnings = 0;
                    if (s_nMemoryWarnings < 10) {
                        ++s_nMemoryWarnings;
                        Warning("CUtlLinkedList overflow! (exhausted memory allocator)\n");
                    }
                    return InvalidIndex();
                }
            }
            if (candidate == InvalidIndex()) {
                static int s_nIndexWarnings = 0;
                if (s_nIndexWarnings < 10) {
                    ++s_nIndexWarnings;
                    Warning("CUtlLinkedList overflow! (exhausted index range) (%i)\n",
                            static_cast<int>(InvalidIndex()));
                }
                return InvalidIndex();
            }
            elem = candidate;
            m_LastAlloc = candidate;
            ++m_NumAlloced;
        } else {
            elem = m_FirstFree;
            m_FirstFree = m_Memory[elem].m_Next;
        }
        if (multilist) {
            m_Memory[elem].m_Previous = InvalidIndex();
            m_Memory[elem].m_Next = InvalidIndex();
        } else {
            m_Memory[elem].m_Previous = elem;
            m_Memory[elem].m_Next = elem;
        }
        return elem;
    }

    // Unlinks the element when linked, destroys it and puts its slot on the free list.
    void Free(I elem) {
        // A slot that is already free (or was never handed out) must not enter the free
        // list twice: that would hand it out twice and loop the free list.
        Assert(IsValidIndex(elem));
        if (!IsValidIndex(elem)) return;
        Unlink(elem);
        Destruct(&Element(elem));
        m_Memory[elem].m_Next = m_FirstFree;
        m_FirstFree = elem;
    }

    // Linking: an element that is already linked moves.
    void LinkBefore(I before, I elem) {
        Unlink(elem);
        ListElem_t &newElem = m_Memory[elem];
        newElem.m_Next = before;
        if (before == InvalidIndex()) {
            newElem.m_Previous = m_Tail;
            m_Tail = elem;
        } else {
            ListElem_t &beforeElem = m_Memory[before];
            newElem.m_Previous = beforeElem.m_Previous;
            beforeElem.m_Previous = elem;
        }
        if (newElem.m_Previous == InvalidIndex())
            m_Head = elem;
        else
            m_Memory[newElem.m_Previous].m_Next = elem;
        ++m_ElementCount;
    }

    void LinkAfter(I after, I elem) {
        Unlink(elem);
        ListElem_t &newElem = m_Memory[elem];
        newElem.m_Previous = after;
        if (after == InvalidIndex()) {
            newElem.m_Next = m_Head;
            m_Head = elem;
        } else {
            ListElem_t &afterElem = m_Memory[after];
            newElem.m_Next = afterElem.m_Next;
            afterElem.m_Next = elem;
        }
        if (newElem.m_Next == InvalidIndex())
            m_Tail = elem;
        else
            m_Memory[newElem.m_Next].m_Previous = elem;
        ++m_ElementCount;
    }

    void LinkToHead(I elem) { LinkAfter(InvalidIndex(), elem); }
    void LinkToTail(I elem) { LinkBefore(InvalidIndex(), elem); }

    // Takes a linked element out of the list; it stays allocated.
    void Unlink(I elem) {
        if (!IsInList(elem)) return;
        ListElem_t &old = m_Memory[elem];
        if (old.m_Previous != InvalidIndex())
            m_Memory[old.m_Previous].m_Next = old.m_Next;
        else
            m_Head = old.m_Next;
        if (old.m_Next != InvalidIndex())
            m_Memory[old.m_Next].m_Previous = old.m_Previous;
        else
            m_Tail = old.m_Previous;
        old.m_Previous = old.m_Next = elem;
        --m_ElementCount;
    }

    // Adding: each returns the new element's index, or the invalid index when full.
    I AddToHead() { return InsertAfter(InvalidIndex()); }
    I AddToTail() { return InsertBefore(InvalidIndex()); }
    I InsertBefore(I before) {
        I elem = Alloc();
        if (elem != InvalidIndex()) LinkBefore(before, elem);
        return elem;
    }
    I InsertAfter(I after) {
        I elem = Alloc();
        if (elem != InvalidIndex()) LinkAfter(after, elem);
        return elem;
    }

    I AddToHead(const T &src) { return InsertAfter(InvalidIndex(), src); }
    I AddToTail(const T &src) { return InsertBefore(InvalidIndex(), src); }
    I InsertBefore(I before, const T &src) {
        if (IsInsideBlock(&src)) {
            T copy(src);  // the slots may move while the new one is made
            return InsertBefore(before, copy);
        }
        I elem = AllocInternal();
        if (elem == InvalidIndex()) return elem;
        CopyConstruct(&Element(elem), src);
        LinkBefore(before, elem);
        return elem;
    }
    I InsertAfter(I after, const T &src) {
        if (IsInsideBlock(&src)) {
            T copy(src);
            return InsertAfter(after, copy);
        }
        I elem = AllocInternal();
        if (elem == InvalidIndex()) return elem;
        CopyConstruct(&Element(elem), src);
        LinkAfter(after, elem);
        return elem;
    }

    // Removing.
    void Remove(I elem) { Free(elem); }

    I Find(const T &src) const {
        for (I i = m_Head; i != InvalidIndex(); i = Next(i))
            if (Element(i) == src) return i;
        return InvalidIndex();
    }

    bool FindAndRemove(const T &src) {
        I i = Find(src);
        if (i == InvalidIndex()) return false;
        Remove(i);
        return true;
    }

    // Destroys every linked element in list order and puts their slots on the free list.
    void RemoveAll() {
        if (m_LastAlloc == InvalidIndex()) return;
        I prev = InvalidIndex();
        for (I i = m_Head; i != InvalidIndex();) {
            I next = m_Memory[i].m_Next;
            Destruct(&Element(i));
            m_Memory[i].m_Previous = i;
            m_Memory[i].m_Next = next == InvalidIndex() ? m_FirstFree : next;
            prev = i;
            i = next;
        }
        if (prev != InvalidIndex()) m_FirstFree = m_Head;
        m_Head = m_Tail = InvalidIndex();
        m_ElementCount = 0;
    }

    // RemoveAll, then frees the memory; slot numbering starts again from 0.
    void Purge() {
        RemoveAll();
        m_Memory.Purge();
        m_FirstFree = InvalidIndex();
        m_NumAlloced = 0;
        m_LastAlloc = InvalidIndex();
        ResetDbgInfo();
    }

    // Deletes what each linked (pointer) element points at, then purges.
    void PurgeAndDeleteElements() {
        for (I i = m_Head; i != InvalidIndex(); i = Next(i)) delete Element(i);
        Purge();
    }

private:
    bool IsInsideBlock(const void *p) const {
        const char *base = reinterpret_cast<const char *>(m_Memory.Base());
        const char *q = static_cast<const char *>(p);
        return base && q >= base && q < base + static_cast<size_t>(m_Memory.NumAllocated()) * sizeof(ListElem_t);
    }

    bool WasHandedOut(I i) const { return m_LastAlloc != InvalidIndex() && i <= m_LastAlloc; }
    void ResetDbgInfo() { m_pElements = m_Memory.Base(); }

    CUtlMemory<ListElem_t, I> m_Memory;
    I m_Head;
    I m_Tail;
    I m_FirstFree;
    I m_ElementCount;
    I m_NumAlloced;
    I m_LastAlloc;
    ListElem_t *m_pElements;  // copy of the memory pointer, for inspection in a debugger
};
