// Symbol tables: texts packed in string pools, numbered in order of addition, found through
// an open-addressed hash index whose equality is V_stricmp's (caseless) or strcmp's.
#include "tier1/utlsymbol.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "tier0/dbg.h"
#include "tier1/strtools.h"

namespace
{
const int kMinPoolSize = 2048;
const int kMaxSymbols = 0xFFFF;  // symbols 0 to 65534; 65535 is the invalid symbol
const int kMaxPools = 0xFFFF;

// Folding that makes equal hashes of texts V_stricmp calls equal: ASCII letters lowered, and
// bytes above 0x7F through the C library as its caseless comparison does.
inline unsigned char FoldCase(unsigned char c)
{
	if (c < 0x80)
		return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
	return static_cast<unsigned char>(tolower(c));
}
}

std::atomic<CUtlSymbolTableMT *> CUtlSymbol::s_pSymbolTable{nullptr};

// Destroys the process-wide table at unload.
class CCleanupUtlSymbolTable
{
public:
	~CCleanupUtlSymbolTable() { delete CUtlSymbol::s_pSymbolTable.exchange(nullptr); }
};
static CCleanupUtlSymbolTable g_CleanupSymbolTable;

void CUtlSymbol::Initialize()
{
	if (s_pSymbolTable.load(std::memory_order_acquire))
		return;
	// Two threads may race to create it: one table wins, the other is dropped.
	CUtlSymbolTableMT *table = new CUtlSymbolTableMT(0, 32, false);
	CUtlSymbolTableMT *expected = nullptr;
	if (!s_pSymbolTable.compare_exchange_strong(expected, table, std::memory_order_acq_rel))
		delete table;
}

CUtlSymbolTableMT *CUtlSymbol::CurrTable()
{
	Initialize();
	return s_pSymbolTable.load(std::memory_order_acquire);
}

CUtlSymbol::CUtlSymbol(const char *pString)
{
	m_Id = CurrTable()->AddString(pString);
}

const char *CUtlSymbol::String() const
{
	return CurrTable()->String(*this);
}

CUtlSymbolTable::CUtlSymbolTable(int growSize, int initSize, bool caseInsensitive)
	: m_Symbols(growSize, initSize), m_Hashes(growSize, initSize), m_bInsensitive(caseInsensitive),
	  m_StringPools(8), m_nFreeLeaves(0)
{
}

CUtlSymbolTable::~CUtlSymbolTable()
{
	for (int i = 0; i < m_StringPools.Count(); ++i)
		free(m_StringPools[i]);
	m_StringPools.Purge();
}

uint32_t CUtlSymbolTable::HashText(const char *pString) const
{
	// FNV-1a over the (folded) bytes.
	uint32_t hash = 2166136261u;
	const unsigned char *p = reinterpret_cast<const unsigned char *>(pString);
	if (m_bInsensitive)
	{
		for (; *p; ++p)
			hash = (hash ^ FoldCase(*p)) * 16777619u;
	}
	else
	{
		for (; *p; ++p)
			hash = (hash ^ *p) * 16777619u;
	}
	return hash;
}

bool CUtlSymbolTable::SameText(const char *a, const char *b) const
{
	return m_bInsensitive ? V_stricmp(a, b) == 0 : strcmp(a, b) == 0;
}

void CUtlSymbolTable::InsertIntoIndex(int symbol)
{
	uint32_t mask = static_cast<uint32_t>(m_Slots.Count()) - 1;
	uint32_t hash = m_Hashes[symbol];
	uint32_t slot = hash & mask;
	while (m_Slots[static_cast<int>(slot)] != 0)
		slot = (slot + 1) & mask;
	m_Slots[static_cast<int>(slot)] = (hash & 0xFFFF0000u) | static_cast<uint32_t>(symbol + 1);
}

CUtlSymbol CUtlSymbolTable::Find(const char *pString) const
{
	if (!pString || m_Slots.Count() == 0)
		return CUtlSymbol();
	uint32_t hash = HashText(pString);
	uint32_t mask = static_cast<uint32_t>(m_Slots.Count()) - 1;
	for (uint32_t slot = hash & mask;; slot = (slot + 1) & mask)
	{
		uint32_t entry = m_Slots[static_cast<int>(slot)];
		if (entry == 0)
			return CUtlSymbol();
		if ((entry & 0xFFFF0000u) == (hash & 0xFFFF0000u))
		{
			int symbol = static_cast<int>(entry & 0xFFFFu) - 1;
			if (m_Hashes[symbol] == hash && SameText(pString, PoolText(m_Symbols[symbol])))
				return CUtlSymbol(static_cast<UtlSymId_t>(symbol));
		}
	}
}

int CUtlSymbolTable::FindPoolWithSpace(int len) const
{
	if (m_nFreeLeaves == 0 || m_FreeSpaceTree[1] < len)
		return -1;
	int node = 1;
	while (node < m_nFreeLeaves)
		node = m_FreeSpaceTree[2 * node] >= len ? 2 * node : 2 * node + 1;
	return node - m_nFreeLeaves;
}

void CUtlSymbolTable::SetPoolFreeSpace(int iPool, int freeSpace)
{
	if (iPool >= m_nFreeLeaves)
	{
		// Double the leaves and rebuild from the pools.
		int leaves = m_nFreeLeaves ? m_nFreeLeaves * 2 : 16;
		while (leaves <= iPool)
			leaves *= 2;
		m_nFreeLeaves = leaves;
		m_FreeSpaceTree.SetCount(2 * leaves);
		for (int i = 0; i < leaves; ++i)
		{
			const StringPool_t *pool = i < m_StringPools.Count() ? m_StringPools[i] : nullptr;
			m_FreeSpaceTree[leaves + i] = pool ? pool->m_TotalLen - pool->m_SpaceUsed : 0;
		}
		for (int node = leaves - 1; node >= 1; --node)
			m_FreeSpaceTree[node] = std::max(m_FreeSpaceTree[2 * node], m_FreeSpaceTree[2 * node + 1]);
	}
	int node = m_nFreeLeaves + iPool;
	m_FreeSpaceTree[node] = freeSpace;
	for (node /= 2; node >= 1; node /= 2)
		m_FreeSpaceTree[node] = std::max(m_FreeSpaceTree[2 * node], m_FreeSpaceTree[2 * node + 1]);
}

CUtlSymbol CUtlSymbolTable::AddString(const char *pString)
{
	if (!pString)
		return CUtlSymbol();
	CUtlSymbol found = Find(pString);
	if (found.IsValid())
		return found;
	// The 16-bit lookup tree has no node left for a 65536th text: stop as it does.
	if (m_Symbols.Count() >= kMaxSymbols)
		Error("CUtlRBTree overflow!\n");

	size_t textLength = strlen(pString) + 1;
	if (textLength > static_cast<size_t>(INT32_MAX) - sizeof(StringPool_t))
		return CUtlSymbol();
	int len = static_cast<int>(textLength);
	int iPool = FindPoolWithSpace(len);
	if (iPool < 0)
	{
		if (m_StringPools.Count() >= kMaxPools)
			return CUtlSymbol();
		int size = len > kMinPoolSize ? len : kMinPoolSize;
		StringPool_t *pool = static_cast<StringPool_t *>(malloc(sizeof(StringPool_t) + static_cast<size_t>(size)));
		if (!pool)
			return CUtlSymbol();
		pool->m_TotalLen = size;
		pool->m_SpaceUsed = 0;
		iPool = m_StringPools.AddToTail(pool);
	}

	// A pool either has room below 2048 or holds one text at offset 0, so offsets fit 16 bits.
	StringPool_t *pool = m_StringPools[iPool];
	CStringPoolIndex index = {static_cast<unsigned short>(iPool), static_cast<unsigned short>(pool->m_SpaceUsed)};
	memcpy(pool->Data() + pool->m_SpaceUsed, pString, textLength);
	pool->m_SpaceUsed += len;
	SetPoolFreeSpace(iPool, pool->m_TotalLen - pool->m_SpaceUsed);

	int symbol = m_Symbols.AddToTail(index);
	m_Hashes.AddToTail(HashText(pString));
	if (static_cast<int64_t>(m_Symbols.Count()) * 2 > m_Slots.Count())
	{
		// Keep the index at most half full: double it and re-place every symbol.
		int slots = m_Slots.Count() ? m_Slots.Count() * 2 : 64;
		m_Slots.SetCount(slots);
		memset(m_Slots.Base(), 0, sizeof(uint32_t) * static_cast<size_t>(slots));
		for (int i = 0; i < m_Symbols.Count(); ++i)
			InsertIntoIndex(i);
	}
	else
	{
		InsertIntoIndex(symbol);
	}
	return CUtlSymbol(static_cast<UtlSymId_t>(symbol));
}

const char *CUtlSymbolTable::String(CUtlSymbol id) const
{
	if (!id.IsValid() || static_cast<int>(static_cast<UtlSymId_t>(id)) >= m_Symbols.Count())
		return "";
	return PoolText(m_Symbols[id]);
}
