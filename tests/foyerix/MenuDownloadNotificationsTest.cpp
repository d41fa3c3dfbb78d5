// Workshop download reports become hook.Call calls in the menu state, with exact arguments.
#include <gtest/gtest.h>

#include <cstdint>

#include "MenuStateFixture.h"
#include "engine/standin.h"
#include "filesystem/IContentManagers.h"
#include "filesystem/IFileSystem.h"
#include "tier1/tier2.h"
#include "menu/FoyerixGlobals.h"
#include "menu/MenuDownloadNotifications.h"

namespace
{
class Notices final : public CMenuDownloadNotifications
{
};

class MenuDownloadNotificationsTest : public MenuStateTest
{
protected:
	// A hook table that records each call as "name|n|arg1|arg2..." with the argument count.
	void InstallRecorder()
	{
		ASSERT_TRUE(Run(R"(
			CALLS = {}
			hook = { Call = function(...)
				local n = select("#", ...)
				local parts = { tostring(n) }
				for i = 1, n do parts[#parts + 1] = tostring((select(i, ...))) end
				parts[#parts + 1] = type((select(6, ...)))
				CALLS[#CALLS + 1] = table.concat(parts, "|")
			end })"));
	}
	Notices notices;
};
}

TEST_F(MenuDownloadNotificationsTest, EachReportCallsItsHookWithItsArguments)
{
	InstallRecorder();
	notices.Start();
	notices.ListingFiles();
	notices.StartDownload(UINT64_MAX, 7, "Title", 4294967295u);
	notices.FinishDownload(42, "Done");
	notices.Finish();
	notices.DownloadProgress(1, 2, "T", 10, 4294967295u);
	notices.DownloadTotals(-1, 3);
	EXPECT_EQ("7", Eval("#CALLS"));
	EXPECT_EQ("1|WorkshopStart|nil", Eval("CALLS[1]"));
	EXPECT_EQ("2|WorkshopDownloadingFiles|nil|nil", Eval("CALLS[2]"));
	EXPECT_EQ("6|WorkshopDownloadFile|nil|18446744073709551615|7|Title|4294967295|number", Eval("CALLS[3]"));
	EXPECT_EQ("4|WorkshopDownloadedFile|nil|42|Done|nil", Eval("CALLS[4]"));
	EXPECT_EQ("1|WorkshopEnd|nil", Eval("CALLS[5]"));
	EXPECT_EQ("7|WorkshopDownloadProgress|nil|1|2|T|10|4294967295|number", Eval("CALLS[6]"));
	EXPECT_EQ("4|WorkshopDownloadTotals|nil|-1|3|nil", Eval("CALLS[7]"));
	// Ids arrive as strings, counts as numbers.
	EXPECT_EQ("true", Eval("CALLS[3]:find('|7|') ~= nil"));
}

TEST_F(MenuDownloadNotificationsTest, ReportsWithoutHookOrStateAreDropped)
{
	// No hook table, then a hook table without Call, then Call that is not a function.
	notices.Start();
	ASSERT_TRUE(Run("hook = {}"));
	notices.DownloadTotals(1, 2);
	ASSERT_TRUE(Run("hook = { Call = 5 }"));
	notices.FinishDownload(1, "x");
	EXPECT_EQ(0, m_lua->Top());

	InstallRecorder();
	CloseState();
	ASSERT_EQ(nullptr, g_Lua);
	notices.Start();  // no menu state: nothing happens
}

TEST_F(MenuDownloadNotificationsTest, ReportsArriveThroughTheAddonService)
{
	InstallRecorder();
	ASSERT_NE(nullptr, g_pFullFileSystem);
	IAddonSystem *addons = g_pFullFileSystem->Addons();
	ASSERT_NE(nullptr, addons);
	addons->SetDownloadNotifications(&notices);
	ASSERT_EQ(&notices, m_harness->content->DownloadNotifications());
	m_harness->content->DownloadNotifications()->FinishDownload(9, "Map pack");
	addons->SetDownloadNotifications(nullptr);
	EXPECT_EQ(nullptr, m_harness->content->DownloadNotifications());
	EXPECT_EQ("4|WorkshopDownloadedFile|nil|9|Map pack|nil", Eval("CALLS[1]"));
}
