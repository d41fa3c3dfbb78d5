// Tests of the key-values service: caseless names keeping their first spelling, node memory.
#include "vstdlib/IKeyValuesSystem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

TEST(KeyValuesSystem, NamesIgnoreCaseAndKeepFirstSpelling)
{
    IKeyValuesSystem *sys = KeyValuesSystem();
    ASSERT_EQ(sys, KeyValuesSystem());
    EXPECT_EQ(sys->GetSymbolForString("kvs_never_seen_Name", false), INVALID_KEY_SYMBOL);
    HKeySymbol a = sys->GetSymbolForString("kvs_MixedCase");
    EXPECT_NE(a, INVALID_KEY_SYMBOL);
    EXPECT_EQ(sys->GetSymbolForString("KVS_MIXEDCASE"), a);
    EXPECT_EQ(sys->GetSymbolForString("kvs_mixedcase", false), a);
    EXPECT_STREQ(sys->GetStringForSymbol(a), "kvs_MixedCase");
    EXPECT_NE(sys->GetSymbolForString("kvs_MixedCase2"), a);
    EXPECT_STREQ(sys->GetStringForSymbol(INVALID_KEY_SYMBOL), "");
    EXPECT_STREQ(sys->GetStringForSymbol(1 << 30), "");
    EXPECT_EQ(sys->GetSymbolForString(nullptr), INVALID_KEY_SYMBOL);
    // empty and non-ASCII names are names like any other
    HKeySymbol empty = sys->GetSymbolForString("");
    EXPECT_STREQ(sys->GetStringForSymbol(empty), "");
    HKeySymbol utf8 = sys->GetSymbolForString("kvs_\xc3\xa9");
    EXPECT_NE(sys->GetSymbolForString("kvs_\xc3\x89"), utf8);  // only ASCII letters fold
}

TEST(KeyValuesSystem, ManyNamesStayDistinct)
{
    IKeyValuesSystem *sys = KeyValuesSystem();
    std::set<HKeySymbol> seen;
    for (int i = 0; i < 50000; ++i) {
        std::string name = "kvs_many_" + std::to_string(i);
        HKeySymbol s = sys->GetSymbolForString(name.c_str());
        EXPECT_TRUE(seen.insert(s).second);
    }
    for (int i = 0; i < 50000; i += 997) {
        std::string name = "KVS_MANY_" + std::to_string(i);
        EXPECT_STREQ(sys->GetStringForSymbol(sys->GetSymbolForString(name.c_str(), false)),
                     ("kvs_many_" + std::to_string(i)).c_str());
    }
}

TEST(KeyValuesSystem, NodeMemory)
{
    IKeyValuesSystem *sys = KeyValuesSystem();
    void *a = sys->AllocKeyValuesMemory(48);
    void *b = sys->AllocKeyValuesMemory(48);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, a);
    memset(a, 0xAB, 48);
    sys->FreeKeyValuesMemory(a);
    void *c = sys->AllocKeyValuesMemory(48);
    memset(c, 0xCD, 48);
    void *odd = sys->AllocKeyValuesMemory(1000);  // another size works too
    memset(odd, 0, 1000);
    sys->FreeKeyValuesMemory(odd);
    sys->FreeKeyValuesMemory(b);
    sys->FreeKeyValuesMemory(c);
    sys->FreeKeyValuesMemory(nullptr);
}

}  // namespace
