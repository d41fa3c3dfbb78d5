// Tests of KeyValues trees: paths, typed access and conversions, copy, merge, resolution keys.
#include "tier1/KeyValues.h"
#include "KeyValuesPtr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::string ChildNames(KeyValues *kv)
{
    std::string s;
    for (KeyValues *c = kv->GetFirstSubKey(); c; c = c->GetNextKey())
        s += std::string(s.empty() ? "" : ",") + c->GetName();
    return s;
}

TEST(KeyValues, FindKeyCreatesPaths)
{
    KVPtr root(new KeyValues("root"));
    root->SetInt(nullptr, 5);  // root had a value: creating children makes it a block
    KeyValues *c = root->FindKey("a/b/c", true);
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->GetName(), "c");
    EXPECT_EQ(root->GetDataType(), KeyValues::TYPE_NONE);
    EXPECT_EQ(root->GetDataType("a"), KeyValues::TYPE_NONE);
    EXPECT_EQ(root->FindKey("a/b"), root->FindKey("a")->FindKey("b"));
    EXPECT_EQ(root->FindKey("a/B/C"), c);  // names compare without regard to case
    EXPECT_EQ(root->FindKey("a/x/c"), nullptr);
    EXPECT_EQ(root->FindKey(""), root.get());
    EXPECT_EQ(root->FindKey(nullptr), root.get());

    KeyValues *sym = root->FindKey(root->FindKey("a")->GetNameSymbol());
    EXPECT_EQ(sym, root->FindKey("a"));
}

TEST(KeyValues, OverlongPathComponentFindsAndCreatesNothing)
{
    KVPtr root(new KeyValues("root"));
    std::string longName(256, 'n');
    EXPECT_EQ(root->FindKey(longName.c_str(), true), nullptr);
    EXPECT_EQ(root->FindKey(("a/" + longName).c_str(), true), nullptr);
    root->SetString(longName.c_str(), "x");
    EXPECT_EQ(root->GetFirstSubKey(), root->FindKey("a"));  // only "a" was made on the way
    EXPECT_STREQ(root->GetString(longName.c_str(), "dflt"), "dflt");

    std::string fits(255, 'm');
    EXPECT_NE(root->FindKey(fits.c_str(), true), nullptr);
}

TEST(KeyValues, ChainIsSearchedWithoutCreating)
{
    KVPtr fallback(new KeyValues("fallback"));
    fallback->SetString("color", "red");
    KVPtr kv(new KeyValues("kv"));
    kv->ChainKeyValue(fallback.get());
    EXPECT_STREQ(kv->GetString("color"), "red");
    EXPECT_EQ(kv->GetFirstSubKey(), nullptr);
    EXPECT_EQ(kv->FindKey("size"), nullptr);
}

TEST(KeyValues, GetterConversions)
{
    KVPtr kv(new KeyValues("kv"));
    kv->SetString("s12", "12abc");
    kv->SetString("hex", "0x1A");
    kv->SetWString("w42", L"42");
    kv->SetFloat("f", -2.75f);
    kv->SetPtr("p", kv.get());
    kv->SetColor("c", Color(1, 2, 3, 4));

    EXPECT_EQ(kv->GetInt("s12"), 12);
    EXPECT_EQ(kv->GetInt("hex"), 0);
    EXPECT_EQ(kv->GetInt("w42"), 42);
    EXPECT_EQ(kv->GetInt("f"), -2);
    EXPECT_EQ(kv->GetInt("missing", 7), 7);
    EXPECT_EQ(kv->GetUint64("f"), static_cast<uint64_t>(-2));
    EXPECT_EQ(kv->GetUint64("w42"), 42u);
    EXPECT_FLOAT_EQ(kv->GetFloat("w42"), 0.0f);
    EXPECT_FLOAT_EQ(kv->GetFloat("p"), 0.0f);
    EXPECT_FLOAT_EQ(kv->GetFloat("s12"), 12.0f);
    EXPECT_EQ(kv->GetPtr("p"), kv.get());
    EXPECT_EQ(kv->GetPtr("s12"), nullptr);
    EXPECT_TRUE(kv->GetBool("s12"));
    EXPECT_TRUE(kv->GetBool("missing", true));
    EXPECT_EQ(kv->GetColor("c"), Color(1, 2, 3, 4));
    EXPECT_EQ(kv->GetColor("missing"), Color(0, 0, 0, 0));

    // out-of-range floats convert without undefined behaviour
    kv->SetFloat("huge", 1e30f);
    EXPECT_EQ(kv->GetInt("huge"), INT32_MIN);
}

TEST(KeyValues, GetStringStoresTheConversion)
{
    KVPtr kv(new KeyValues("kv"));
    kv->SetInt("i", 5);
    EXPECT_STREQ(kv->GetString("i"), "5");
    EXPECT_EQ(kv->GetDataType("i"), KeyValues::TYPE_STRING);

    kv->SetFloat("f", 1.5f);
    EXPECT_STREQ(kv->GetString("f"), "1.500000");
    kv->SetWString("w", L"h\u00e9");
    EXPECT_STREQ(kv->GetString("w"), "h\xc3\xa9");
    EXPECT_EQ(kv->GetDataType("w"), KeyValues::TYPE_STRING);

    kv->SetColor("c", Color(1, 1, 1, 1));
    EXPECT_STREQ(kv->GetString("c", "dflt"), "dflt");
    EXPECT_STREQ(kv->GetString("missing", "dflt"), "dflt");

    kv->SetString("s", "abc");
    EXPECT_STREQ(kv->GetWString("s"), L"abc");
    EXPECT_EQ(kv->GetDataType("s"), KeyValues::TYPE_WSTRING);
    kv->SetInt("n", -3);
    EXPECT_STREQ(kv->GetWString("n"), L"-3");
    kv->SetString("bad", "\xff\xfe");
    EXPECT_STREQ(kv->GetWString("bad", L"dflt"), L"dflt");

    // setting a string to its own text is a no-op, not a use after free
    const char *own = kv->GetString("s2", nullptr);
    EXPECT_EQ(own, nullptr);
    kv->SetString("s2", "x");
    kv->SetString("s2", kv->GetString("s2"));
    EXPECT_STREQ(kv->GetString("s2"), "x");
    KeyValues *s2 = kv->FindKey("s2");
    s2->SetStringValue(s2->GetString());  // no same-pointer test here: must copy before freeing
    EXPECT_STREQ(kv->GetString("s2"), "x");
}

TEST(KeyValues, GetColorConversions)
{
    KVPtr kv(new KeyValues("kv"));
    kv->SetString("s", "255 128 0");
    kv->SetInt("i", 300);
    kv->SetFloat("f", 260.7f);
    EXPECT_EQ(kv->GetColor("s"), Color(255, 128, 0, 0));
    EXPECT_EQ(kv->GetColor("i"), Color(44, 0, 0, 0));
    EXPECT_EQ(kv->GetColor("f"), Color(4, 0, 0, 0));
}

TEST(KeyValues, IsEmptyAndTypes)
{
    KVPtr kv(new KeyValues("kv"));
    EXPECT_TRUE(kv->IsEmpty());
    EXPECT_TRUE(kv->IsEmpty("missing"));
    kv->SetInt("n", 0);
    EXPECT_FALSE(kv->IsEmpty("n"));
    EXPECT_FALSE(kv->IsEmpty());
    EXPECT_EQ(kv->GetDataType("missing"), KeyValues::TYPE_NONE);
    EXPECT_EQ(kv->GetDataType("n"), KeyValues::TYPE_INT);
}

TEST(KeyValues, CreateNewKey)
{
    KVPtr kv(new KeyValues("kv"));
    EXPECT_STREQ(kv->CreateNewKey()->GetName(), "1");
    kv->Clear();
    kv->SetInt("7", 0);
    kv->SetInt("x", 0);
    kv->FindKey("1", true);
    EXPECT_STREQ(kv->CreateNewKey()->GetName(), "8");
    EXPECT_EQ(ChildNames(kv.get()), "7,x,1,8");

    // the largest name counts even when it is negative
    KVPtr neg(new KeyValues("neg"));
    neg->SetInt("-5", 0);
    neg->SetInt("-9", 0);
    EXPECT_STREQ(neg->CreateNewKey()->GetName(), "-4");

    // a child named INT_MAX is passed over instead of wrapping to a negative name
    KVPtr top(new KeyValues("top"));
    top->SetInt("2147483647", 0);
    top->SetInt("5", 0);
    EXPECT_STREQ(top->CreateNewKey()->GetName(), "6");
}

TEST(KeyValues, MakeCopyIsDeep)
{
    KVPtr kv(new KeyValues("orig", "s", "text", "t", "two"));
    kv->SetWString("w", L"wide");
    kv->SetFloat("sub/f", 2.5f);
    kv->UsesEscapeSequences(true);
    KVPtr copy(kv->MakeCopy());
    kv->SetString("s", "changed");
    kv->SetFloat("sub/f", 9.0f);
    EXPECT_STREQ(copy->GetName(), "orig");
    EXPECT_STREQ(copy->GetString("s"), "text");
    EXPECT_STREQ(copy->GetWString("w"), L"wide");
    EXPECT_FLOAT_EQ(copy->GetFloat("sub/f"), 2.5f);
    EXPECT_EQ(ChildNames(copy.get()), "s,t,w,sub");

    KVPtr target(new KeyValues("target"));
    copy->CopySubkeys(target.get());
    EXPECT_EQ(ChildNames(target.get()), "s,t,w,sub");
}

TEST(KeyValues, MergeKeepsExistingValues)
{
    KVPtr kv(new KeyValues("kv"));
    kv->SetInt("a/x", 1);
    KVPtr base(new KeyValues("base"));
    base->SetInt("a/x", 2);
    base->SetInt("a/y", 3);
    base->SetInt("b", 4);
    kv->RecursiveMergeKeyValues(base.get());
    EXPECT_EQ(kv->GetInt("a/x"), 1);
    EXPECT_EQ(kv->GetInt("a/y"), 3);
    EXPECT_EQ(kv->GetInt("b"), 4);
    EXPECT_EQ(ChildNames(kv->FindKey("a")), "x,y");
    EXPECT_EQ(base->GetInt("a/x"), 2);  // base unchanged
}

TEST(KeyValues, ProcessResolutionKeys)
{
    KVPtr kv(new KeyValues("layout"));
    kv->SetInt("panel/wide", 100);
    kv->SetInt("panel_minmode/wide", 50);
    kv->SetInt("inner/label_MINMODE", 3);
    kv->SetInt("minmode_label", 1);
    EXPECT_TRUE(kv->ProcessResolutionKeys("_minmode"));
    EXPECT_EQ(ChildNames(kv.get()), "panel,inner,minmode_label");
    EXPECT_EQ(kv->GetInt("panel/wide"), 50);
    EXPECT_EQ(kv->GetInt("inner/label"), 3);
    EXPECT_FALSE(kv->ProcessResolutionKeys(nullptr));

    // a chained tree's key is never taken for a child
    KVPtr other(new KeyValues("other"));
    other->SetInt("box", 1);
    KVPtr chained(new KeyValues("chained"));
    chained->ChainKeyValue(other.get());
    chained->SetInt("box_minmode", 2);
    chained->ProcessResolutionKeys("_minmode");
    EXPECT_EQ(other->GetInt("box"), 1);
    EXPECT_EQ(chained->GetInt("box"), 2);
}

TEST(KeyValues, ConstructorsAndDeleteChains)
{
    KVPtr a(new KeyValues("msg", "k1", 1, "k2", 2));
    EXPECT_EQ(a->GetInt("k2"), 2);
    KVPtr w(new KeyValues("msg", "text", L"hi"));
    EXPECT_EQ(w->GetDataType("text"), KeyValues::TYPE_WSTRING);

    // deleteThis takes the peers along
    KeyValues *first = new KeyValues("first");
    KeyValues *second = new KeyValues("second");
    second->SetInt("child", 1);
    first->SetNextKey(second);
    second->SetNextKey(new KeyValues("third"));
    first->deleteThis();  // the leak checker sees the rest go

    KeyValues *loop = new KeyValues("loop");
    KeyValues *other = new KeyValues("other");
    loop->SetNextKey(other);
    other->SetNextKey(loop);  // a link back to the first node stops the walk
    loop->deleteThis();
}

TEST(KeyValues, NameHooksAreUsed)
{
    static int s_nCalls = 0;
    auto oldGet = KeyValues::s_pfGetSymbolForString;
    KeyValues::s_pfGetSymbolForString = [](const char *name, bool bCreate) {
        ++s_nCalls;
        return KeyValues::GetSymbolForStringClassic(name, bCreate);
    };
    KVPtr kv(new KeyValues("hooked"));
    kv->SetInt("a", 1);
    KeyValues::s_pfGetSymbolForString = oldGet;
    EXPECT_GE(s_nCalls, 2);
}

}  // namespace
