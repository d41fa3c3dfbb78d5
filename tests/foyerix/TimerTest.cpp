// The timer engine across menu reloads: the old state's timers are dropped, never run and
// never released into the new state.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "lua/Timer.h"
#include "menu/FoyerixGlobals.h"

namespace Timer = Zorvan::Lua::Libraries::Timer;

class TimerTest : public MenuStateTest
{
protected:
	void Install()
	{
		InitLuaLibraries(g_Lua);
		InitLuaClasses(g_Lua);
	}
};

TEST_F(TimerTest, ReloadDropsTheOldStatesTimersWithoutTouchingTheNewState)
{
	Install();
	ASSERT_TRUE(Run("for i = 1, 20 do timer.Create('t' .. i, 1, 0, function() fired = true end) end "
	                "timer.Simple(1, function() fired = true end)"));
	EXPECT_EQ(20, Timer::NamedTimerCount());
	EXPECT_EQ(1, Timer::SimpleTimerCount());

	CloseState();
	Timer::Cycle();  // no state: nothing runs
	OpenState();
	Install();
	// Values of the new state held by reference: a release of an old timer's number would
	// free one of these.
	ASSERT_TRUE(Run("keep = {} for i = 1, 30 do _G['k' .. i] = { i } end"));
	std::vector<std::unique_ptr<CLuaObject>> held;
	for (int i = 1; i <= 30; ++i)
	{
		held.emplace_back(new CLuaObject());
		held.back()->SetFromGlobal(("k" + std::to_string(i)).c_str());
	}
	m_harness->Advance(2);
	EXPECT_EQ(0, Timer::NamedTimerCount());
	EXPECT_EQ(0, Timer::SimpleTimerCount());
	EXPECT_EQ("nil", Eval("fired"));
	ASSERT_TRUE(Run("for i = 1, 40 do _G['n' .. i] = {} end"));  // takes any freed numbers
	for (int i = 1; i <= 30; ++i)
	{
		CLuaObject first;
		ASSERT_TRUE(held[i - 1]->isTable()) << "reference " << i;
		held[i - 1]->GetMember(1.0f, &first);
		EXPECT_EQ(i, first.GetInt()) << "reference " << i;
	}
}

TEST_F(TimerTest, PassesWithoutAStateDoNothing)
{
	Install();
	ASSERT_TRUE(Run("timer.Simple(0, function() end) timer.Create('x', 0, 0, function() end)"));
	CloseState();
	Timer::DoSimpleTimers();
	Timer::DoAdvancedTimers();
	EXPECT_EQ(0, Timer::NamedTimerCount());
	EXPECT_EQ(0, Timer::SimpleTimerCount());
}
