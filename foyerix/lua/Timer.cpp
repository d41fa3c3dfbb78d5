// The "timer" library and its engine: named timers in name order, simple one-shot timers in
// creation order, both measured on the game's current time.
#include "lua/Timer.h"

#include <cmath>
#include <iterator>
#include <list>
#include <map>
#include <string>

#include "engine/globalvars_base.h"
#include "lua/LuaLibrary.h"

namespace
{
struct Timer_t
{
	std::string location;
	std::string name;
	float delay = 0;
	float next = 0;
	int reps = 0;
	int function = -1;
	bool paused = false;
	bool stopped = false;
	bool remove = false;
};

struct SimpleTimer_t
{
	std::string location;
	float time = 0;
	int function = -1;
};

std::map<std::string, Timer_t> g_TimerMap;  // std::string orders byte-wise
std::list<SimpleTimer_t> g_SimpleTimerList;
// The state the timers' references belong to; timers of a closed state are dropped.
ILuaInterface *g_pTimerOwner = nullptr;

float Now() { return gpGlobals ? gpGlobals->curtime : 0.0f; }

// Empties the tables when the state their references belong to is gone.
void ForgetTimersOfClosedState()
{
	if (g_pTimerOwner && g_pTimerOwner != g_Lua)
	{
		g_TimerMap.clear();
		g_SimpleTimerList.clear();
	}
	g_pTimerOwner = g_Lua;
}

std::string Location(ILuaInterface *pLua)
{
	const char *where = pLua->GetSourceLocation();
	return where && *where ? where : "Unknown Location";
}

int TruncatedReps(double value)
{
	double t = std::trunc(value);
	if (!(t > -2147483648.0 && t < 2147483647.0))
		t = -1;  // out of range counts as without end
	int reps = static_cast<int>(t);
	return reps == 0 ? -1 : reps;
}

Timer_t *Find(const char *name)
{
	auto it = g_TimerMap.find(name);
	if (it == g_TimerMap.end() || it->second.remove)
		return nullptr;
	return &it->second;
}

// Runs a timer function; prints the error and answers false when it fails.
bool CallFunction(ILuaInterface *pLua, int function)
{
	pLua->ReferencePush(function);
	if (pLua->PCall(0, 0, 0))
		return true;
	const char *error = pLua->GetString(-1, nullptr);
	pLua->ErrorNoHalt("%s", error ? error : "unknown error");
	pLua->Pop(1);
	return false;
}

LUA_LIBRARY(timer);

LUA_FUNCTION(timer, Exists)
{
	const char *name = pLua->CheckString(1);
	ForgetTimersOfClosedState();
	pLua->PushBool(Find(name) != nullptr);
	return 1;
}

LUA_FUNCTION(timer, Create)
{
	if (!pLua->IsType(4, LUA_TYPE_FUNCTION))
		pLua->TypeError("function", 4);
	if (!pLua->IsType(1, LUA_TYPE_STRING))
		pLua->TypeError("string", 1);
	const char *name = pLua->GetString(1, nullptr);
	float delay = static_cast<float>(pLua->CheckNumber(2));
	int reps = TruncatedReps(pLua->CheckNumber(3));
	ForgetTimersOfClosedState();

	Timer_t &timer = g_TimerMap[name];
	timer.name = name;
	timer.delay = delay;
	timer.reps = reps;
	timer.next = delay + Now();
	timer.paused = timer.stopped = timer.remove = false;
	timer.location = Location(pLua);
	if (timer.function != -1)
		pLua->ReferenceFree(timer.function);
	pLua->Push(4);
	timer.function = pLua->ReferenceCreate();
	return 0;
}

LUA_FUNCTION(timer, Start)
{
	ForgetTimersOfClosedState();
	if (Timer_t *timer = Find(pLua->CheckString(1)))
	{
		timer->paused = timer->stopped = false;
		timer->next = Now() + timer->delay;
	}
	return 0;
}

LUA_FUNCTION(timer, Adjust)
{
	ForgetTimersOfClosedState();
	Timer_t *timer = Find(pLua->CheckString(1));
	if (!timer)
		return 0;
	if (!pLua->IsType(4, LUA_TYPE_FUNCTION))
		pLua->TypeError("function", 4);
	float delay = static_cast<float>(pLua->CheckNumber(2));
	int reps = TruncatedReps(pLua->CheckNumber(3));
	timer->delay = delay;
	timer->reps = reps;
	if (timer->function != -1)
		pLua->ReferenceFree(timer->function);
	pLua->Push(4);
	timer->function = pLua->ReferenceCreate();
	timer->next = Now() + delay;
	return 0;
}

LUA_FUNCTION(timer, Pause)
{
	ForgetTimersOfClosedState();
	Timer_t *timer = Find(pLua->CheckString(1));
	if (timer && !timer->paused)  // pausing twice would turn the remaining time into nonsense
	{
		timer->paused = true;
		timer->next -= Now();
	}
	return 0;
}

LUA_FUNCTION(timer, UnPause)
{
	ForgetTimersOfClosedState();
	Timer_t *timer = Find(pLua->CheckString(1));
	if (timer && timer->paused)  // a running timer's next is a due time already
	{
		timer->paused = timer->stopped = false;
		timer->next += Now();
	}
	return 0;
}

LUA_FUNCTION(timer, Toggle)
{
	ForgetTimersOfClosedState();
	if (Timer_t *timer = Find(pLua->CheckString(1)))
	{
		if (timer->paused)
		{
			timer->paused = timer->stopped = false;
			timer->next = Now() + timer->next;
		}
		else
		{
			timer->paused = true;
			timer->next -= Now();
		}
	}
	return 0;
}

LUA_FUNCTION(timer, Stop)
{
	ForgetTimersOfClosedState();
	if (Timer_t *timer = Find(pLua->CheckString(1)))
	{
		timer->stopped = true;
		timer->next = 0;
	}
	return 0;
}

LUA_FUNCTION(timer, Check)
{
	return 0;
}

LUA_FUNCTION(timer, Destroy)
{
	ForgetTimersOfClosedState();
	if (Timer_t *timer = Find(pLua->CheckString(1)))
		timer->remove = true;
	return 0;
}

LUA_FUNCTION(timer, Remove)
{
	ForgetTimersOfClosedState();
	if (Timer_t *timer = Find(pLua->CheckString(1)))
		timer->remove = true;
	return 0;
}

LUA_FUNCTION(timer, Simple)
{
	if (!pLua->IsType(2, LUA_TYPE_FUNCTION))
		pLua->TypeError("function", 2);
	double delay = pLua->CheckNumber(1);
	ForgetTimersOfClosedState();
	SimpleTimer_t timer;
	timer.time = static_cast<float>(static_cast<double>(Now()) + delay);
	pLua->Push(2);
	timer.function = pLua->ReferenceCreate();
	timer.location = Location(pLua);
	g_SimpleTimerList.push_back(timer);
	return 0;
}
}

namespace Zorvan { namespace Lua { namespace Libraries { namespace Timer
{
void DoSimpleTimers()
{
	ForgetTimersOfClosedState();
	ILuaInterface *pLua = g_Lua;
	if (!pLua)
		return;
	auto it = g_SimpleTimerList.begin();
	while (it != g_SimpleTimerList.end())
	{
		if (it->time > Now())
		{
			++it;
			continue;
		}
		if (!CallFunction(pLua, it->function))
			pLua->Print(("Timer Failed! [Simple][" + it->location + "]\n").c_str());
		pLua->ReferenceFree(it->function);
		// Timers appended by the call are examined in this pass too.
		it = g_SimpleTimerList.erase(it);
	}
}

void DoAdvancedTimers()
{
	ForgetTimersOfClosedState();
	ILuaInterface *pLua = g_Lua;
	if (!pLua)
		return;
	auto it = g_TimerMap.begin();
	while (it != g_TimerMap.end())
	{
		Timer_t &timer = it->second;
		if (timer.remove)
		{
			pLua->ReferenceFree(timer.function);
			it = g_TimerMap.erase(it);
			continue;
		}
		if (timer.paused || timer.stopped || timer.next > Now())
		{
			++it;
			continue;
		}
		timer.next += timer.delay;
		if (timer.reps == 0)
		{
			pLua->ReferenceFree(timer.function);
			it = g_TimerMap.erase(it);
			continue;
		}
		if (timer.reps > 0)
			--timer.reps;
		// The next record is taken before the call: a timer the call creates between the two
		// waits for the next frame. Records are erased only by this pass, so both iterators
		// survive the call.
		auto next = std::next(it);
		if (!CallFunction(pLua, timer.function))
		{
			pLua->Print(("Timer Failed! [" + timer.name + "][" + timer.location + "]\n").c_str());
			timer.remove = true;
		}
		it = next;
	}
}

void Cycle()
{
	DoSimpleTimers();
	DoAdvancedTimers();
}

void Shutdown()
{
	g_TimerMap.clear();
	g_SimpleTimerList.clear();
	g_pTimerOwner = nullptr;
}

int NamedTimerCount() { return static_cast<int>(g_TimerMap.size()); }
int SimpleTimerCount() { return static_cast<int>(g_SimpleTimerList.size()); }
}}}}
