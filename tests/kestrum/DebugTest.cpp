// Tests of pop-up messages and assertion reports.
#include "Kestrum/Debug/Debug.h"
#include "Kestrum/Console/Output.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace Kestrum;

namespace
{
	using Events = std::vector<std::pair<char, std::string>>;

	struct ScopedRecorder : Debug::IListener
	{
		Events events;
		ScopedRecorder() { Debug::IListener::Add(this); }
		~ScopedRecorder() { Debug::IListener::Remove(this); }
		void OnMsg(const char* str) override { events.emplace_back('M', str); }
		void OnWarning(const char* str) override { events.emplace_back('W', str); }
		void OnError(const char* str) override { events.emplace_back('E', str); }
	};
}

TEST(Debug, DoAssertPrintsOneWarningAndReturns)
{
	ScopedRecorder rec;
	testing::internal::CaptureStdout();
	Debug::Internal::DoAssert("a.cpp", 12, "F", "mod", "%c", 'm');
	std::string out = testing::internal::GetCapturedStdout();

	const std::string report = "m\n\nModule:\tmod\nFile:\ta.cpp\nLine:\t12\nFunction:\tF\n";
	EXPECT_EQ(out, report + report);
	EXPECT_EQ(rec.events, (Events{{'M', report}, {'W', report}}));
}

TEST(Debug, DoAssertToleratesMissingNamesAndPercentSigns)
{
	ScopedRecorder rec;
	testing::internal::CaptureStdout();
	Debug::Internal::DoAssert(nullptr, 0, nullptr, nullptr, "%s", "100% %s");
	testing::internal::GetCapturedStdout();
	ASSERT_EQ(rec.events.size(), 2u);
	EXPECT_EQ(rec.events[1].second, "100% %s\n\nModule:\t\nFile:\t\nLine:\t0\nFunction:\t\n");
}

TEST(Debug, AssertMacroReportsOnlyFailures)
{
	ScopedRecorder rec;
	testing::internal::CaptureStdout();
	KESTRUM_ASSERT(1 + 1 == 2, "never");
	KESTRUM_ASSERT(1 + 1 == 3, "sum %d", 2);
	testing::internal::GetCapturedStdout();
	ASSERT_EQ(rec.events.size(), 2u);
	EXPECT_EQ(rec.events[1].second.rfind("sum 2\n\nModule:\t\nFile:\t", 0), 0u);
	EXPECT_NE(rec.events[1].second.find("DebugTest.cpp"), std::string::npos);
}

TEST(Debug, PopupMessagePrintsItsTextThreeTimes)
{
	ScopedRecorder rec;
	for (bool suppress : {false, true})
	{
		rec.events.clear();
		Debug::SuppressPopups(suppress);
		testing::internal::CaptureStdout();
		Debug::PopupMessage("p%s", "%d");
		EXPECT_EQ(testing::internal::GetCapturedStdout(), "p%dp%dp%d");
		EXPECT_EQ(rec.events, (Events{{'M', "p%d"}, {'W', "p%d"}}));
	}
	Debug::SuppressPopups(false);
}

TEST(Debug, LastErrorIsEmptyBeforeAnyError)
{
	EXPECT_EQ(Debug::LastError(), "");
}
