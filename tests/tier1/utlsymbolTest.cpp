// Symbol tables: case-sensitive and caseless interning, string pools, the process-wide
// table and its lock under concurrent use.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <strings.h>
#include <string>
#include <thread>
#include <vector>

#include "tier1/utlsymbol.h"

namespace
{
// Exposes the pool bookkeeping for checks.
class CInspectableSymbolTable : public CUtlSymbolTable
{
public:
	using CUtlSymbolTable::CUtlSymbolTable;
	int PoolCount() const { return m_StringPools.Count(); }
	int PoolSize(int i) const { return m_StringPools[i]->m_TotalLen; }
	int PoolUsed(int i) const { return m_StringPools[i]->m_SpaceUsed; }
	int PoolOf(CUtlSymbol sym) const { return m_Symbols[sym].m_iPool; }
};
}

TEST(UtlSymbolTable, CaseSensitiveAndCaseless)
{
	CUtlSymbolTable sensitive;
	CUtlSymbol abc = sensitive.AddString("abc");
	EXPECT_TRUE(abc.IsValid());
	EXPECT_EQ(sensitive.AddString("abc"), abc);
	CUtlSymbol upper = sensitive.AddString("ABC");
	EXPECT_NE(upper, abc);
	EXPECT_STREQ(sensitive.String(abc), "abc");
	EXPECT_STREQ(sensitive.String(upper), "ABC");

	CUtlSymbolTable caseless(0, 32, true);
	CUtlSymbol first = caseless.AddString("ABC");
	EXPECT_EQ(caseless.AddString("abc"), first);
	EXPECT_EQ(caseless.AddString("aBc"), first);
	EXPECT_STREQ(caseless.String(first), "ABC");  // the spelling first added
	EXPECT_EQ(caseless.GetNumStrings(), 1);

	EXPECT_FALSE(caseless.AddString(nullptr).IsValid());
	EXPECT_STREQ(caseless.String(CUtlSymbol()), "");
	EXPECT_STREQ(caseless.String(CUtlSymbol(1234)), "");  // never handed out
	CUtlSymbol empty = caseless.AddString("");
	EXPECT_TRUE(empty.IsValid());
	EXPECT_STREQ(caseless.String(empty), "");
}

TEST(UtlSymbolTable, ManyTextsKeepTheirSymbolsAndPointers)
{
	CUtlSymbolTable table(0, 32, true);
	std::vector<CUtlSymbol> symbols;
	std::vector<const char *> pointers;
	for (int i = 0; i < 5000; ++i)
	{
		std::string text = "Name_" + std::to_string(i * 7919 % 5000);
		symbols.push_back(table.AddString(text.c_str()));
		pointers.push_back(table.String(symbols.back()));
	}
	for (int i = 0; i < 5000; ++i)
	{
		std::string text = "NAME_" + std::to_string(i * 7919 % 5000);
		EXPECT_EQ(table.AddString(text.c_str()), symbols[i]);
		EXPECT_EQ(table.String(symbols[i]), pointers[i]);  // pools never move
		EXPECT_EQ(strcasecmp(pointers[i], text.c_str()), 0);
	}
	EXPECT_EQ(table.GetNumStrings(), 5000);
}

TEST(UtlSymbolTable, SymbolsNumberedInOrderUpToTheLimit)
{
	CUtlSymbolTable table;
	EXPECT_FALSE(table.Find("absent").IsValid());
	for (int i = 0; i < 0xFFFF; ++i)
	{
		std::string text = std::to_string(i);
		ASSERT_EQ(static_cast<int>(table.AddString(text.c_str())), i);
	}
	// 65535 is the invalid symbol: known texts are still found, a new one stops the process.
	EXPECT_EQ(static_cast<int>(table.Find("65534")), 65534);
	EXPECT_EQ(static_cast<int>(table.AddString("17")), 17);
	EXPECT_STREQ(table.String(CUtlSymbol(static_cast<UtlSymId_t>(40000))), "40000");
}

TEST(UtlSymbolTableDeathTest, The65536thTextIsATreeOverflow)
{
	EXPECT_DEATH(
		{
			CUtlSymbolTable table;
			for (int i = 0; i < 0xFFFF; ++i)
				table.AddString(std::to_string(i).c_str());
			table.AddString("one too many");
		},
		"CUtlRBTree overflow!");
}

TEST(UtlSymbolTable, CaselessEqualityIsStricmps)
{
	CUtlSymbolTable table(0, 32, true);
	CUtlSymbol sym = table.AddString("Caf\xC3\xA9_Menu");
	EXPECT_EQ(table.Find("CAF\xC3\xA9_mENU"), sym);
	EXPECT_FALSE(table.Find("CAF\xC3\x89_MENU").IsValid());  // only ASCII letters fold here
	EXPECT_NE(table.AddString("Menu_"), table.AddString("Menu"));
	EXPECT_NE(table.AddString("a[b"), table.AddString("A{B"));  // not letters: no folding
}

TEST(UtlSymbolTable, LongTextGetsAPoolOfItsOwn)
{
	CInspectableSymbolTable table;
	CUtlSymbol shortOne = table.AddString("short");
	std::string longText(3000, 'L');
	CUtlSymbol longOne = table.AddString(longText.c_str());
	ASSERT_EQ(table.PoolCount(), 2);
	EXPECT_EQ(table.PoolSize(0), 2048);
	EXPECT_EQ(table.PoolSize(1), 3001);
	EXPECT_EQ(table.PoolUsed(1), 3001);
	EXPECT_EQ(table.PoolOf(longOne), 1);
	EXPECT_EQ(table.String(longOne), longText);

	// The next short text goes into the first pool with room.
	CUtlSymbol next = table.AddString("next");
	EXPECT_EQ(table.PoolOf(next), 0);
	EXPECT_EQ(table.PoolUsed(0), 6 + 5);
	EXPECT_STREQ(table.String(shortOne), "short");

	// Fill the first pool: a text that no longer fits opens a third one.
	std::string filler(2048 - 11 - 1, 'f');
	table.AddString(filler.c_str());
	EXPECT_EQ(table.PoolUsed(0), 2048);
	table.AddString("x");
	EXPECT_EQ(table.PoolCount(), 3);
}

TEST(UtlSymbol, ProcessWideTableIsCaseSensitive)
{
	CUtlSymbol a("utlsymbol-test-abc");
	CUtlSymbol b("utlsymbol-test-abc");
	CUtlSymbol c("UTLSYMBOL-TEST-ABC");
	EXPECT_EQ(a, b);
	EXPECT_NE(a, c);
	EXPECT_STREQ(a.String(), "utlsymbol-test-abc");
	EXPECT_STREQ(CUtlSymbol().String(), "");
	EXPECT_FALSE(CUtlSymbol(static_cast<const char *>(nullptr)).IsValid());
}

TEST(UtlSymbol, ConcurrentAddsAndReads)
{
	const int kThreads = 4;
	const int kPerThread = 2000;
	std::vector<std::vector<CUtlSymbol>> results(kThreads);
	std::vector<std::thread> threads;
	for (int t = 0; t < kThreads; ++t)
	{
		threads.emplace_back([t, &results] {
			for (int i = 0; i < kPerThread; ++i)
			{
				// Every thread adds the same texts, in its own order, and reads them back.
				std::string text = "mt-" + std::to_string((i * (t + 3)) % kPerThread);
				CUtlSymbol sym(text.c_str());
				if (text != sym.String())
					ADD_FAILURE() << text;
				results[t].push_back(sym);
			}
		});
	}
	for (std::thread &thread : threads)
		thread.join();
	for (int i = 0; i < kPerThread; ++i)
	{
		std::string text = "mt-" + std::to_string(i);
		CUtlSymbol sym(text.c_str());
		EXPECT_STREQ(sym.String(), text.c_str());
	}
	EXPECT_EQ(results[0][1], CUtlSymbol("mt-3"));
	EXPECT_EQ(results[1][1], CUtlSymbol("mt-4"));
}
