// Symbol tables: each distinct text is stored once in 2048-byte string pools and named by a
// 16-bit CUtlSymbol (the index of its node in a lookup tree). CUtlSymbol itself names texts
// of one process-wide table guarded by a reader-writer lock.
#pragma once

#include "tier0/threadtools.h"
#include "tier1/utlrbtree.h"
#include "tier1/utlvector.h"

class CUtlSymbolTable;
class CUtlSymbolTableMT;

typedef unsigned short UtlSymId_t;
#define UTL_INVAL_SYMBOL ((UtlSymId_t)~0)

class CUtlSymbol
{
public:
	CUtlSymbol() : m_Id(UTL_INVAL_SYMBOL) {}
	CUtlSymbol(UtlSymId_t id) : m_Id(id) {}
	// Adds the text to the process-wide table (under its write lock) and names it.
	CUtlSymbol(const char *pString);

	bool IsValid() const { return m_Id != UTL_INVAL_SYMBOL; }
	bool operator==(const CUtlSymbol &other) const { return m_Id == other.m_Id; }
	bool operator!=(const CUtlSymbol &other) const { return m_Id != other.m_Id; }
	operator UtlSymId_t() const { return m_Id; }

	// The text from the process-wide table; the empty text for the invalid symbol.
	const char *String() const;

	// Creates the process-wide table once (case-sensitive, 32 nodes first).
	static void Initialize();

protected:
	static CUtlSymbolTableMT *CurrTable();

	UtlSymId_t m_Id;

	static CUtlSymbolTableMT *s_pSymbolTable;
	friend class CCleanupUtlSymbolTable;
};

class CUtlSymbolTable
{
public:
	CUtlSymbolTable(int growSize = 0, int initSize = 32, bool caseInsensitive = false);
	~CUtlSymbolTable();

	CUtlSymbolTable(const CUtlSymbolTable &) = delete;
	CUtlSymbolTable &operator=(const CUtlSymbolTable &) = delete;

	// The symbol of the text, adding it when new; the invalid symbol for null. A caseless
	// table keeps the spelling first added.
	CUtlSymbol AddString(const char *pString);
	// The text of a symbol (valid as long as the table); the empty text for the invalid one.
	const char *String(CUtlSymbol id) const;

	int GetNumStrings() const { return static_cast<int>(m_Lookup.Count()); }

protected:
	// Where a text lives: pool number and byte offset. (0xFFFF, 0xFFFF) is the search key,
	// standing for the text being looked up.
	struct CStringPoolIndex
	{
		unsigned short m_iPool;
		unsigned short m_iOffset;
	};

	class CLess
	{
	public:
		explicit CLess(const CUtlSymbolTable *pTable = nullptr) : m_pTable(pTable) {}
		bool operator()(const CStringPoolIndex &left, const CStringPoolIndex &right) const;

	private:
		const CUtlSymbolTable *m_pTable;
	};
	friend class CLess;

	// Pool header; the data area follows it.
	struct StringPool_t
	{
		int m_TotalLen;
		int m_SpaceUsed;
		char *Data() { return reinterpret_cast<char *>(this + 1); }
		const char *Data() const { return reinterpret_cast<const char *>(this + 1); }
	};

	const char *StringFromIndex(const CStringPoolIndex &index) const;
	int FindPoolWithSpace(int len) const;

	CUtlRBTree<CStringPoolIndex, unsigned short, CLess> m_Lookup;
	bool m_bInsensitive;
	mutable const char *m_pUserSearchString;
	CUtlVector<StringPool_t *> m_StringPools;
};

// The table shared between threads: additions take the write lock, reads the read lock.
class CUtlSymbolTableMT : public CUtlSymbolTable
{
public:
	CUtlSymbolTableMT(int growSize = 0, int initSize = 32, bool caseInsensitive = false)
		: CUtlSymbolTable(growSize, initSize, caseInsensitive)
	{
	}

	CUtlSymbol AddString(const char *pString)
	{
		m_lock.LockForWrite();
		CUtlSymbol result = CUtlSymbolTable::AddString(pString);
		m_lock.UnlockWrite();
		return result;
	}

	const char *String(CUtlSymbol id) const
	{
		m_lock.LockForRead();
		const char *result = CUtlSymbolTable::String(id);
		m_lock.UnlockRead();
		return result;
	}

private:
	mutable CThreadRWLock m_lock;
};
