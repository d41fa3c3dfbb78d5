// CUtlDict: a map from text names (compared without regard to letter case) to values, which
// keeps its own heap copy of every name.
#pragma once

#include <cstdlib>
#include <cstring>

#include "tier1/utlmap.h"

template <class T, class I = int>
class CUtlDict {
public:
    typedef const char *KeyType_t;
    typedef T ElemType_t;

    explicit CUtlDict(int growSize = 0, int initSize = 0) : m_Elements(growSize, initSize, CaselessStringLessThan) {}

    // Frees every name in key order, then the nodes and the tree.
    ~CUtlDict() { FreeAllNames(); }

    CUtlDict(const CUtlDict &) = delete;
    CUtlDict &operator=(const CUtlDict &) = delete;

    T &Element(I i) { return m_Elements[i]; }
    const T &Element(I i) const { return m_Elements[i]; }
    T &operator[](I i) { return m_Elements[i]; }
    const T &operator[](I i) const { return m_Elements[i]; }

    // The name as stored (its first spelling).
    const char *GetElementName(I i) const { return m_Elements.Key(i); }

    unsigned int Count() const { return m_Elements.Count(); }
    bool IsValidIndex(I i) const { return m_Elements.IsValidIndex(i); }
    static I InvalidIndex() { return CUtlMap<const char *, T, I>::InvalidIndex(); }

    // Adds a copy of the name with the value; a null name is kept as null.
    I Insert(const char *pName, const T &element) { return m_Elements.Insert(CopyName(pName), element); }
    I Insert(const char *pName) { return m_Elements.Insert(CopyName(pName)); }

    I Find(const char *pName) const { return m_Elements.Find(pName); }

    void RemoveAt(I i) {
        char *pName = const_cast<char *>(m_Elements.Key(i));
        m_Elements.RemoveAt(i);
        free(pName);
    }
    void Remove(const char *pName) {
        I i = Find(pName);
        if (i != InvalidIndex()) RemoveAt(i);
    }
    void RemoveAll() {
        FreeAllNames();
        m_Elements.RemoveAll();
    }
    void Purge() {
        RemoveAll();
        m_Elements.Purge();
    }
    // Deletes what each (pointer) value points at, then purges.
    void PurgeAndDeleteElements() {
        for (I i = First(); i != InvalidIndex(); i = Next(i)) delete Element(i);
        Purge();
    }

    // In key order.
    I First() const { return m_Elements.FirstInorder(); }
    I Next(I i) const { return m_Elements.NextInorder(i); }

private:
    static const char *CopyName(const char *pName) { return pName ? strdup(pName) : nullptr; }

    void FreeAllNames() {
        for (I i = m_Elements.FirstInorder(); i != InvalidIndex(); i = m_Elements.NextInorder(i)) {
            free(const_cast<char *>(m_Elements.Key(i)));
            m_Elements.Key(i) = nullptr;
        }
    }

    CUtlMap<const char *, T, I> m_Elements;
};
