// The timer engine behind the Lua "timer" library: named and simple timers, run once a
// frame from the menu host.
#pragma once

class ILuaInterface;

namespace Zorvan { namespace Lua { namespace Libraries { namespace Timer
{
	// Runs the due simple timers, then the due named timers.
	void Cycle();
	void DoSimpleTimers();
	void DoAdvancedTimers();
	// Deletes every timer record without touching Lua.
	void Shutdown();
	// Number of records held, for diagnostics and tests.
	int NamedTimerCount();
	int SimpleTimerCount();
}}}}
