// The workshop library's content filter, and answers that arrive after a menu reload.
#include <gtest/gtest.h>

#include <string>

#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"
#include "menu/Workshop.h"
#include "steam/steam_api.h"

namespace
{
TEST(WorkshopFilterTest, EntriesAndTheLongWordRule)
{
	const struct
	{
		const char *text;
		bool fires;
	} cases[] = {
		{ "", false },
		{ "My map", false },
		{ "abcdefghij", false },           // 10 bytes without a space
		{ "abcdefghijk", true },           // 11 bytes without a space
		{ "a long title with spaces", false },
		{ "my keygen map", true },      // an entry inside a longer text
		{ "KEYGEN map", false },        // entries are matched case-sensitively
		{ "a free coins thing", true },    // an entry with a space
		{ "free  coins", false },
		{ "p0rn", true },                  // an entry with a digit
	};
	for (const auto &c : cases)
		EXPECT_EQ(c.fires, HasBadWords(c.text)) << c.text;
}

// A menu state with every library, over a Steam stand-in holding one item.
class WorkshopReloadTest : public ::testing::Test
{
protected:
	void SetUp() override { ASSERT_NE(nullptr, harness.Open()); }

	bool Run(const std::string &code) { return harness.lua->RunString("test", "", code.c_str(), true, true); }

	MenuLuaHarness harness;
};

TEST_F(WorkshopReloadTest, AnswersAfterAReloadCallNothing)
{
	// The requests are made in the first state, which then closes.
	ASSERT_TRUE(Run("steamworks.FileInfo('5', function() error('called') end)\n"
	                "steamworks.VoteInfo('5', function() error('called') end)\n"
	                "steamworks.Download('10', true, function() error('called') end)\n"
	                "steamworks.GetList('popular', {}, 0, 10, 0, '0', function() error('called') end)\n"
	                "serverlist.PlayerList('1.2.3.4:5', function() error('called') end)\n"
	                "serverlist.Query({ Callback = function() error('called') end, Finished = function() error('called') end })"));
	harness.Close();
	ASSERT_NE(nullptr, harness.Open());
	int top = harness.lua->Top();
	// Pushing a reference of the closed state would stop the process; the requests free
	// themselves instead (the sanitized build's leak checker would report them).
	for (int i = 0; i < 3; ++i)
		harness.Advance(0.01);
	EXPECT_EQ(top, harness.lua->Top());
}

TEST_F(WorkshopReloadTest, AnswersWithoutAMenuStateCallNothing)
{
	ASSERT_TRUE(Run("steamworks.FileInfo('5', function() error('called') end)\n"
	                "serverlist.PlayerList('1.2.3.4:5', function() error('called') end)\n"));
	harness.Close();
	SteamAPI_RunCallbacks();
	SteamAPI_RunCallbacks();
}
}
