// Symbol tables: a red-black tree of string-pool indices ordered by the texts they name.
#include "tier1/utlsymbol.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tier1/strtools.h"

namespace
{
const int kMinPoolSize = 2048;
const unsigned short kSearchKey = 0xFFFF;
}

CUtlSymbolTableMT *CUtlSymbol::s_pSymbolTable = nullptr;

// Destroys the process-wide table at unload.
class CCleanupUtlSymbolTable
{
public:
	~CCleanupUtlSymbolTable()
	{
		delete CUtlSymbol::s_pSymbolTable;
		CUtlSymbol::s_pSymbolTable = nullptr;
	}
};
static CCleanupUtlSymbolTable g_CleanupSymbolTable;

void CUtlSymbol::Initialize()
{
	// Not guarded: the first symbol operation happens before other threads use symbols.
	if (!s_pSymbolTable)
		s_pSymbolTable = new CUtlSymbolTableMT(0, 32, false);
}

CUtlSymbolTableMT *CUtlSymbol::CurrTable()
{
	Initialize();
	return s_pSymbolTable;
}

CUtlSymbol::CUtlSymbol(const char *pString)
{
	m_Id = CurrTable()->AddString(pString);
}

const char *CUtlSymbol::String() const
{
	return CurrTable()->String(*this);
}

bool CUtlSymbolTable::CLess::operator()(const CStringPoolIndex &left, const CStringPoolIndex &right) const
{
	const char *a = m_pTable->StringFromIndex(left);
	const char *b = m_pTable->StringFromIndex(right);
	if (!a || !b)
		return !a && b;  // null sorts first
	if (m_pTable->m_bInsensitive)
		return V_stricmp(a, b) < 0;
	return strcmp(a, b) < 0;
}

CUtlSymbolTable::CUtlSymbolTable(int growSize, int initSize, bool caseInsensitive)
	: m_Lookup(growSize, initSize, CLess(this)), m_bInsensitive(caseInsensitive), m_pUserSearchString(nullptr),
	  m_StringPools(8)
{
}

CUtlSymbolTable::~CUtlSymbolTable()
{
	m_Lookup.RemoveAll();
	m_Lookup.Purge();
	for (int i = 0; i < m_StringPools.Count(); ++i)
		free(m_StringPools[i]);
	m_StringPools.Purge();
}

const char *CUtlSymbolTable::StringFromIndex(const CStringPoolIndex &index) const
{
	if (index.m_iPool == kSearchKey && index.m_iOffset == kSearchKey)
		return m_pUserSearchString;
	return m_StringPools[index.m_iPool]->Data() + index.m_iOffset;
}

int CUtlSymbolTable::FindPoolWithSpace(int len) const
{
	for (int i = 0; i < m_StringPools.Count(); ++i)
	{
		const StringPool_t *pool = m_StringPools[i];
		if (pool->m_TotalLen - pool->m_SpaceUsed >= len)
			return i;
	}
	return -1;
}

CUtlSymbol CUtlSymbolTable::AddString(const char *pString)
{
	if (!pString)
		return CUtlSymbol();

	m_pUserSearchString = pString;
	CStringPoolIndex searchKey = {kSearchKey, kSearchKey};
	unsigned short found = m_Lookup.Find(searchKey);
	m_pUserSearchString = nullptr;
	if (found != m_Lookup.InvalidIndex())
		return CUtlSymbol(found);

	size_t textLength = strlen(pString) + 1;
	if (textLength > static_cast<size_t>(INT32_MAX) - sizeof(StringPool_t))
		return CUtlSymbol();
	int len = static_cast<int>(textLength);

	int iPool = FindPoolWithSpace(len);
	if (iPool < 0)
	{
		// Pool numbers are 16 bits and 0xFFFF belongs to the search key.
		if (m_StringPools.Count() >= kSearchKey)
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
	return CUtlSymbol(m_Lookup.Insert(index));
}

const char *CUtlSymbolTable::String(CUtlSymbol id) const
{
	if (!id.IsValid() || !m_Lookup.IsValidIndex(id))
		return "";
	return StringFromIndex(m_Lookup.Element(id));
}
