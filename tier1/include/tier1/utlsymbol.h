// Symbol tables: each distinct text is stored once in 2048-byte string pools and named by a
// 16-bit CUtlSymbol, numbered in order of addition and found through a hash index. CUtlSymbol
// itself names texts of one process-wide table guarded by a reader-writer lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "tier0/threadtools.h"
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

	static std::atomic<CUtlSymbolTableMT *> s_pSymbolTable;
	friend class CCleanupUtlSymbolTable;
};

class CUtlSymbolTable
{
public:
	// initSize: symbols room first; growSize: symbols added per growth (0 doubles).
	CUtlSymbolTable(int growSize = 0, int initSize = 32, bool caseInsensitive = false);
	~CUtlSymbolTable();

	CUtlSymbolTable(const CUtlSymbolTable &) = delete;
	CUtlSymbolTable &operator=(const CUtlSymbolTable &) = delete;

	// The symbol of the text, adding it when new; the invalid symbol for null. A new text when
	// the table already names 65535 stops the process with "CUtlRBTree overflow!" (tier0's
	// Error), as the lookup tree does. A caseless table keeps the spelling first added.
	CUtlSymbol AddString(const char *pString);
	// The symbol of a text already added, or the invalid symbol.
	CUtlSymbol Find(const char *pString) const;
	// The text of a symbol (valid as long as the table); the empty text for the invalid one.
	const char *String(CUtlSymbol id) const;

	int GetNumStrings() const { return m_Symbols.Count(); }

protected:
	// Where a text lives: pool number and byte offset within the pool.
	struct CStringPoolIndex
	{
		unsigned short m_iPool;
		unsigned short m_iOffset;
	};

	// Pool header; the data area follows it, texts back to back with their terminators.
	struct StringPool_t
	{
		int m_TotalLen;
		int m_SpaceUsed;
		char *Data() { return reinterpret_cast<char *>(this + 1); }
		const char *Data() const { return reinterpret_cast<const char *>(this + 1); }
	};

	const char *PoolText(const CStringPoolIndex &index) const
	{
		return m_StringPools[index.m_iPool]->Data() + index.m_iOffset;
	}
	uint32_t HashText(const char *pString) const;
	bool SameText(const char *a, const char *b) const;
	void InsertIntoIndex(int symbol);
	// First pool in creation order with at least len bytes free, or -1.
	int FindPoolWithSpace(int len) const;
	void SetPoolFreeSpace(int iPool, int freeSpace);

	// The text of each symbol, by symbol number, and each text's hash.
	CUtlVector<CStringPoolIndex> m_Symbols;
	CUtlVector<uint32_t> m_Hashes;
	// Open-addressed index: 0 for an empty slot, else the hash's high 16 bits over symbol + 1.
	CUtlVector<uint32_t> m_Slots;
	bool m_bInsensitive;
	CUtlVector<StringPool_t *> m_StringPools;
	// Max-tree over the pools' free space (leaves from m_nFreeLeaves on), so the first pool
	// with room is found without walking every pool.
	CUtlVector<int> m_FreeSpaceTree;
	int m_nFreeLeaves;
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
