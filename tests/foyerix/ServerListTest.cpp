// The server browser's reading of tag texts and descriptions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "menu/ServerList.h"

namespace
{
struct TagCase
{
	std::string tags;  // bytes placed at the start of the zero-filled field
	const char *prefix;
	const char *value;
};

TEST(ServerListTest, TagValues)
{
	const TagCase cases[] = {
		{ "zv:Sandbox,zvws:123", "zv:", "Sandbox" },
		{ "zv:Sandbox,zvws:123", "zvws:", "123" },
		{ "zv:,zvws:5", "zv:", "" },
		{ "a zv:x;zv:y", "zv:", "x" },
		{ "zv:a b", "zv:", "a" },
		{ "zvws:9", "zv:", "" },
		{ "zv:\x01\xff", "zv:", "\x01\xff" },
		{ std::string("x\0zv:hidden", 11), "zv:", "hidden" },  // positions past a NUL are searched too
		{ "", "zv:", "" },
	};
	for (const TagCase &c : cases)
	{
		char field[ServerList::kTagFieldSize] = {};
		memcpy(field, c.tags.data(), c.tags.size());
		EXPECT_EQ(c.value, ServerList::TagValue(field, c.prefix)) << c.tags << " / " << c.prefix;
	}
}

TEST(ServerListTest, TagSearchStopsInsideTheField)
{
	char field[ServerList::kTagFieldSize];
	memset(field, 'a', sizeof(field));
	// The last start position for "zv:" is 123; the value runs to the field's end without a NUL.
	memcpy(field + 123, "zv:", 3);
	EXPECT_EQ("aa", ServerList::TagValue(field, "zv:"));
	memset(field, 'a', sizeof(field));
	memcpy(field + 124, "zv:", 3);
	EXPECT_EQ("", ServerList::TagValue(field, "zv:"));
	memset(field, 'a', sizeof(field));
	memcpy(field + 121, "zvws:", 5);
	EXPECT_EQ("aa", ServerList::TagValue(field, "zvws:"));
	memset(field, 'a', sizeof(field));
	memcpy(field + 122, "zvws:", 5);
	EXPECT_EQ("", ServerList::TagValue(field, "zvws:"));
}

TEST(ServerListTest, DescriptionRule)
{
	const struct
	{
		std::string description;
		bool kept;
	} cases[] = {
		{ "Ultimate Build Server", true },
		{ "PvP", true },
		{ std::string(32, 'x'), true },
		{ std::string(33, 'x'), false },
		{ "ab", false },
		{ "", false },
		{ "Build_Server", false },
		{ "caf\xC3\xA9", true },
		{ "\xC2 x", false },
		{ "x \xAC", false },
	};
	for (const auto &c : cases)
		EXPECT_EQ(c.kept ? c.description : "mode", ServerList::DescriptionOrGameMode(c.description, "mode"))
			<< c.description;
	for (char refused : std::string(",./*\\#~`{}=+_[]()\""))
		EXPECT_EQ("mode", ServerList::DescriptionOrGameMode(std::string("abc") + refused, "mode")) << refused;
}
}
