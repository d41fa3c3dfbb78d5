// Clock, sleeping and debugger detection of the tier0 stand-in. The clock is the real
// monotonic clock until a host or a test takes it over by hand.
#include "tier0/platform.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "tier0/standin.h"

uint64_t g_ClockSpeed = 1000000000ull;  // Plat_Rdtsc counts nanoseconds
double g_ClockSpeedMicrosecondsMultiplier = 1.0e-3;
double g_ClockSpeedMillisecondsMultiplier = 1.0e-6;
double g_ClockSpeedSecondsMultiplier = 1.0e-9;

namespace {

const std::chrono::steady_clock::time_point g_Start = std::chrono::steady_clock::now();

std::mutex g_ClockMutex;
bool g_bManualClock = false;
double g_flManualTime = 0.0;
std::atomic<int> g_nDebugSession{-1};

double RealTime() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - g_Start).count();
}

}  // namespace

double Plat_FloatTime() {
    std::lock_guard<std::mutex> lock(g_ClockMutex);
    return g_bManualClock ? g_flManualTime : RealTime();
}

uint64_t Plat_Rdtsc() {
    {
        std::lock_guard<std::mutex> lock(g_ClockMutex);
        if (g_bManualClock) return g_flManualTime <= 0.0 ? 0 : static_cast<uint64_t>(g_flManualTime * 1.0e9);
    }
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - g_Start).count());
}

void ThreadSleep(unsigned int nMilliseconds) {
    {
        // On the manual clock a sleep moves time on instead of waiting, so loops that wait
        // for the clock finish at once and deterministically.
        std::lock_guard<std::mutex> lock(g_ClockMutex);
        if (g_bManualClock) {
            g_flManualTime += nMilliseconds / 1000.0;
            nMilliseconds = 0;
        }
    }
    if (nMilliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(nMilliseconds));
}

bool Plat_IsInDebugSession() {
    int forced = g_nDebugSession.load();
    if (forced >= 0) return forced != 0;
    FILE *f = fopen("/proc/self/status", "r");
    if (!f) return false;
    char line[256];
    bool traced = false;
    while (fgets(line, sizeof(line), f)) {
        if (strncmp(line, "TracerPid:", 10) == 0) {
            int pid = 0;
            traced = sscanf(line + 10, "%d", &pid) == 1 && pid != 0;
            break;
        }
    }
    fclose(f);
    return traced;
}

void Tier0_SetClock(double flSeconds) {
    std::lock_guard<std::mutex> lock(g_ClockMutex);
    g_bManualClock = true;
    g_flManualTime = flSeconds;
}

void Tier0_AdvanceClock(double flSeconds) {
    std::lock_guard<std::mutex> lock(g_ClockMutex);
    if (!g_bManualClock) {
        g_bManualClock = true;
        g_flManualTime = RealTime();
    }
    g_flManualTime += flSeconds;
}

void Tier0_UseRealClock() {
    std::lock_guard<std::mutex> lock(g_ClockMutex);
    g_bManualClock = false;
}

bool Tier0_IsClockManual() {
    std::lock_guard<std::mutex> lock(g_ClockMutex);
    return g_bManualClock;
}

void Tier0_SetDebugSession(int nState) { g_nDebugSession.store(nState < 0 ? -1 : (nState ? 1 : 0)); }
