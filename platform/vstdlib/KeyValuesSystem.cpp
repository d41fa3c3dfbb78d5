// The key-values service: a case-insensitive table of key names (first spelling kept) and
// node memory from a free list of same-sized blocks.
#include "vstdlib/IKeyValuesSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

inline unsigned char FoldCase(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Names live in large blocks that are never moved or freed while the process runs.
class NameArena
{
public:
    const char *Store(const char *name, size_t len)
    {
        if (len + 1 > m_nLeft) {
            size_t size = len + 1 > kBlock ? len + 1 : kBlock;
            m_pNext = static_cast<char *>(malloc(size));
            m_nLeft = size;
            m_Blocks.push_back(m_pNext);
        }
        char *p = m_pNext;
        memcpy(p, name, len);
        p[len] = 0;
        m_pNext += len + 1;
        m_nLeft -= len + 1;
        return p;
    }
    ~NameArena()
    {
        for (char *b : m_Blocks)
            free(b);
    }

private:
    static constexpr size_t kBlock = 64 * 1024;
    std::vector<char *> m_Blocks;
    char *m_pNext = nullptr;
    size_t m_nLeft = 0;
};

class CKeyValuesSystem final : public IKeyValuesSystem
{
public:
    CKeyValuesSystem() : m_Slots(1024, Slot{INVALID_KEY_SYMBOL, 0}) {}

    ~CKeyValuesSystem()
    {
        for (void *p : m_FreeBlocks)
            free(static_cast<char *>(p) - sizeof(std::max_align_t));
    }

    void *AllocKeyValuesMemory(int nSize) override
    {
        size_t size = nSize > 0 ? static_cast<size_t>(nSize) : 1;
        if (size == m_nBlockSize && !m_FreeBlocks.empty()) {
            void *p = m_FreeBlocks.back();
            m_FreeBlocks.pop_back();
            return p;
        }
        if (m_nBlockSize == 0)
            m_nBlockSize = size;
        // Every block carries its size in front so that freeing knows whether it can be reused.
        auto *p = static_cast<size_t *>(malloc(sizeof(std::max_align_t) + size));
        *p = size;
        return reinterpret_cast<char *>(p) + sizeof(std::max_align_t);
    }

    void FreeKeyValuesMemory(void *pMem) override
    {
        if (!pMem)
            return;
        char *base = static_cast<char *>(pMem) - sizeof(std::max_align_t);
        if (*reinterpret_cast<size_t *>(base) == m_nBlockSize && m_FreeBlocks.size() < kMaxFreeBlocks)
            m_FreeBlocks.push_back(pMem);
        else
            free(base);
    }

    HKeySymbol GetSymbolForString(const char *name, bool bCreate) override
    {
        if (!name)
            return INVALID_KEY_SYMBOL;
        // Hash of the case-folded name (rotate and xor per byte, mixed at the end).
        size_t len = 0;
        uint32_t h = 0;
        for (const unsigned char *p = reinterpret_cast<const unsigned char *>(name); *p; ++p, ++len)
            h = ((h << 5) | (h >> 27)) ^ FoldCase(*p);
        uint32_t hash = (h ^ static_cast<uint32_t>(len)) * 0x9E3779B1u;
        hash ^= hash >> 15;

        size_t mask = m_Slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot &slot = m_Slots[i];
            if (slot.symbol == INVALID_KEY_SYMBOL)
                break;
            if (slot.hash != hash)
                continue;
            const Entry &e = m_Entries[static_cast<size_t>(slot.symbol)];
            if (e.len == len && SameName(e.text, name, len))
                return slot.symbol;
        }
        if (!bCreate)
            return INVALID_KEY_SYMBOL;

        HKeySymbol sym = static_cast<HKeySymbol>(m_Entries.size());
        m_Entries.push_back(Entry{m_Arena.Store(name, len), len, hash});
        if ((m_Entries.size() + 1) * 2 > m_Slots.size())
            Rehash();
        else
            Insert(sym);
        return sym;
    }

    const char *GetStringForSymbol(HKeySymbol symbol) override
    {
        if (symbol < 0 || static_cast<size_t>(symbol) >= m_Entries.size())
            return "";
        return m_Entries[static_cast<size_t>(symbol)].text;
    }

private:
    struct Entry
    {
        const char *text;
        size_t len;
        uint32_t hash;
    };

    static bool SameName(const char *a, const char *b, size_t len)
    {
        for (size_t i = 0; i < len; ++i)
            if (a[i] != b[i] && FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }

    void Insert(HKeySymbol sym)
    {
        uint32_t hash = m_Entries[static_cast<size_t>(sym)].hash;
        size_t mask = m_Slots.size() - 1;
        size_t i = hash & mask;
        while (m_Slots[i].symbol != INVALID_KEY_SYMBOL)
            i = (i + 1) & mask;
        m_Slots[i] = Slot{sym, hash};
    }

    void Rehash()
    {
        m_Slots.assign(m_Slots.size() * 2, Slot{INVALID_KEY_SYMBOL, 0});
        for (size_t s = 0; s < m_Entries.size(); ++s)
            Insert(static_cast<HKeySymbol>(s));
    }

    struct Slot
    {
        HKeySymbol symbol;
        uint32_t hash;
    };

#if defined(__SANITIZE_ADDRESS__)
    static constexpr size_t kMaxFreeBlocks = 0;  // every node its own allocation, so misuse is caught
#else
    static constexpr size_t kMaxFreeBlocks = 1 << 20;
#endif
    std::vector<Slot> m_Slots;    // open addressing, power-of-two size
    std::vector<Entry> m_Entries;     // by symbol
    NameArena m_Arena;
    std::vector<void *> m_FreeBlocks;
    size_t m_nBlockSize = 0;
};

}  // namespace

IKeyValuesSystem *KeyValuesSystem()
{
    static CKeyValuesSystem *s_pSystem = new CKeyValuesSystem;  // lives as long as the process
    return s_pSystem;
}
