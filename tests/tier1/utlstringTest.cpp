// CUtlString: construction, assignment (null, self storage), writable access and lengths.
#include <gtest/gtest.h>

#include <string>

#include "tier1/utlstring.h"

TEST(UtlString, ConstructionAndLength)
{
	CUtlString empty;
	EXPECT_STREQ(empty.Get(), "");
	EXPECT_EQ(empty.Length(), 0);

	CUtlString fromNull(nullptr);
	EXPECT_STREQ(fromNull.Get(), "");

	CUtlString text("hello");
	EXPECT_STREQ(text.Get(), "hello");
	EXPECT_EQ(text.Length(), 5);

	CUtlString copy(text);
	EXPECT_STREQ(copy.Get(), "hello");
	EXPECT_NE(copy.Get(), text.Get());

	CUtlString copyOfEmpty(empty);
	EXPECT_STREQ(copyOfEmpty.Get(), "");
	EXPECT_EQ(copyOfEmpty.Length(), 0);
}

TEST(UtlString, AssignmentGrowsAndNeverShrinks)
{
	CUtlString s("short");
	std::string longText(1000, 'x');
	s = longText.c_str();
	EXPECT_EQ(s.Length(), 1000);
	EXPECT_EQ(std::string(s.Get()), longText);
	const char *storage = s.Get();
	s = "tiny";
	EXPECT_STREQ(s.Get(), "tiny");
	EXPECT_EQ(s.Get(), storage);  // storage kept

	s = nullptr;
	EXPECT_EQ(s.Length(), 0);
	EXPECT_STREQ(static_cast<const CUtlString &>(s).Get(), "");

	CUtlString other("other");
	s = other;
	EXPECT_STREQ(s.Get(), "other");
	s = s;
	EXPECT_STREQ(s.Get(), "other");
}

TEST(UtlString, AssigningFromOwnStorageIsSafe)
{
	CUtlString s("prefix-and-rest");
	s = s.Get() + 7;  // overlapping copy within the same storage
	EXPECT_STREQ(s.Get(), "and-rest");
	EXPECT_EQ(s.Length(), 8);
}

TEST(UtlString, WritableGetAlwaysGivesStorage)
{
	CUtlString s;
	char *p = s.Get();
	ASSERT_NE(p, nullptr);
	EXPECT_EQ(p[0], '\0');
	EXPECT_EQ(s.Length(), 0);

	CUtlString t("abc");
	t.Get()[0] = 'x';
	EXPECT_STREQ(t.Get(), "xbc");
}
