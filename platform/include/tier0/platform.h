// tier0 platform services: the host's clock, sleeping, debugger detection and the
// time-stamp counter with its conversion factors.
#pragma once

#include <cstdint>

// Marks what libtier0 exports.
#define TIER0_API __attribute__((visibility("default")))

// Seconds on the host's high-resolution clock (monotonic; its origin is arbitrary).
TIER0_API double Plat_FloatTime();

// Blocks the calling thread for about the given number of milliseconds.
TIER0_API void ThreadSleep(unsigned int nMilliseconds = 0);

// True when a debugger is attached to the process.
TIER0_API bool Plat_IsInDebugSession();

// Reads the time-stamp counter; multiply a difference of two readings by one of the
// multipliers below to get microseconds, milliseconds or seconds.
TIER0_API uint64_t Plat_Rdtsc();

// Counter ticks per second, and the seconds / milliseconds / microseconds of one tick.
extern TIER0_API uint64_t g_ClockSpeed;
extern TIER0_API double g_ClockSpeedMicrosecondsMultiplier;
extern TIER0_API double g_ClockSpeedMillisecondsMultiplier;
extern TIER0_API double g_ClockSpeedSecondsMultiplier;
