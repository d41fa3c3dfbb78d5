// CUtlDict: owned copies of caseless names, first spelling kept, and every name freed on
// removal and destruction.
#include "tier1/utldict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Like an animation property converter: a value the dictionary only points at.
struct Converter {
    virtual ~Converter() = default;
    virtual int Kind() const = 0;
};
struct ColorConverter : Converter {
    int Kind() const override { return 1; }
};
struct FloatConverter : Converter {
    int Kind() const override { return 2; }
};

template <class D>
std::vector<std::string> Names(const D &dict) {
    std::vector<std::string> out;
    for (int i = dict.First(); i != dict.InvalidIndex(); i = dict.Next(i)) out.push_back(dict.GetElementName(i));
    return out;
}

}  // namespace

TEST(UtlDict, KeepsItsOwnCopyOfEachName) {
    CUtlDict<int> dict;
    char name[] = "Alpha";
    int i = dict.Insert(name, 1);
    name[0] = 'X';
    EXPECT_STREQ(dict.GetElementName(i), "Alpha");
    EXPECT_NE(dict.GetElementName(i), name);
    EXPECT_EQ(dict.Find("alpha"), i);
    EXPECT_EQ(dict.Find("Xlpha"), dict.InvalidIndex());
}

TEST(UtlDict, ConvertersByTypeNameIgnoringCase) {
    static ColorConverter color;
    static FloatConverter number;
    CUtlDict<Converter *, int> converters;
    converters.Insert("color", &color);
    converters.Insert("float", &number);
    converters.Insert("Alpha", &number);
    EXPECT_EQ(Names(converters), (std::vector<std::string>{"Alpha", "color", "float"}));
    int i = converters.Find("COLOR");
    ASSERT_TRUE(converters.IsValidIndex(i));
    EXPECT_EQ(converters[i]->Kind(), 1);
    EXPECT_EQ(converters.Count(), 3u);
}

TEST(UtlDict, RemovalsFreeTheirNames) {
    // LeakSanitizer fails this test if any name copy is lost.
    CUtlDict<int> dict;
    for (const char *n : {"one", "two", "three", "four"}) dict.Insert(n, 0);
    dict.Remove("TWO");
    dict.RemoveAt(dict.Find("four"));
    dict.Remove("missing");
    EXPECT_EQ(Names(dict), (std::vector<std::string>{"one", "three"}));
    dict.RemoveAll();
    EXPECT_EQ(dict.Count(), 0u);
    dict.Insert("again", 1);
    dict.Insert(nullptr, 2);  // a null name stays null and sorts last
    EXPECT_EQ(dict.GetElementName(dict.Next(dict.First())), nullptr);
}

TEST(UtlDict, PurgeAndDeleteElementsDeletesTheValues) {
    CUtlDict<Converter *> dict;
    dict.Insert("a", new ColorConverter);
    dict.Insert("b", new FloatConverter);
    dict.PurgeAndDeleteElements();
    EXPECT_EQ(dict.Count(), 0u);
}
