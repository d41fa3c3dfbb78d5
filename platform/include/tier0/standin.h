// Controls of the tier0 stand-in for hosts and tests: capturing console output, driving the
// clock by hand and faking a debugger. The system's own code never includes this header.
#pragma once

#include <string>
#include <vector>

#include "tier0/platform.h"

enum class Tier0OutputKind { Msg, Warning, DevMsg, DevWarning, Error, Assert };

// Receives each piece of console text after formatting. While a hook is set, text goes to
// it instead of the terminal; Error text goes to the hook and to standard error.
using Tier0OutputHook = void (*)(Tier0OutputKind kind, const char *pText, void *pContext);

// Installs a hook (null restores terminal output); returns the previous hook and context.
TIER0_API Tier0OutputHook Tier0_SetOutputHook(Tier0OutputHook hook, void *pContext,
                                              void **ppPreviousContext = nullptr);

// Receives each coloured text (ColorSpewMessage) with its colour as red, green, blue, alpha,
// before the same text goes on to the output hook or the terminal as its kind.
using Tier0ColorHook = void (*)(Tier0OutputKind kind, const unsigned char *pRGBA, const char *pText,
                                void *pContext);
TIER0_API Tier0ColorHook Tier0_SetColorHook(Tier0ColorHook hook, void *pContext,
                                            void **ppPreviousContext = nullptr);

// Switches Plat_FloatTime (and Plat_Rdtsc) to a clock that only moves when told to.
TIER0_API void Tier0_SetClock(double flSeconds);
// Moves the manual clock forward; switches to it first (from the current time) when needed.
TIER0_API void Tier0_AdvanceClock(double flSeconds);
// Returns to the real monotonic clock.
TIER0_API void Tier0_UseRealClock();
TIER0_API bool Tier0_IsClockManual();

// Forces the answer of Plat_IsInDebugSession: 1 yes, 0 no, -1 ask the system (default).
TIER0_API void Tier0_SetDebugSession(int nState);

// Collects everything printed while it lives, by kind, then restores the previous hook.
class Tier0OutputCapture {
public:
    Tier0OutputCapture() {
        m_PrevHook = Tier0_SetOutputHook(&Hook, this, &m_pPrevContext);
        m_PrevColorHook = Tier0_SetColorHook(&ColorHook, this, &m_pPrevColorContext);
    }
    ~Tier0OutputCapture() {
        Tier0_SetColorHook(m_PrevColorHook, m_pPrevColorContext);
        Tier0_SetOutputHook(m_PrevHook, m_pPrevContext);
    }
    Tier0OutputCapture(const Tier0OutputCapture &) = delete;
    Tier0OutputCapture &operator=(const Tier0OutputCapture &) = delete;

    // All text in order of arrival, and the text of each kind alone.
    const std::string &All() const { return m_All; }
    const std::string &Of(Tier0OutputKind kind) const { return m_ByKind[static_cast<int>(kind)]; }
    // Each coloured text with its colour, in order of arrival (also part of All and Of).
    struct ColorText {
        Tier0OutputKind kind;
        unsigned char rgba[4];
        std::string text;
    };
    const std::vector<ColorText> &Colored() const { return m_Colored; }
    void Clear() {
        m_All.clear();
        m_Colored.clear();
        for (std::string &s : m_ByKind) s.clear();
    }

private:
    static void Hook(Tier0OutputKind kind, const char *pText, void *pContext) {
        auto *self = static_cast<Tier0OutputCapture *>(pContext);
        self->m_All += pText;
        self->m_ByKind[static_cast<int>(kind)] += pText;
    }

    static void ColorHook(Tier0OutputKind kind, const unsigned char *pRGBA, const char *pText, void *pContext) {
        auto *self = static_cast<Tier0OutputCapture *>(pContext);
        self->m_Colored.push_back({kind, {pRGBA[0], pRGBA[1], pRGBA[2], pRGBA[3]}, pText});
    }

    Tier0ColorHook m_PrevColorHook = nullptr;
    void *m_pPrevColorContext = nullptr;
    std::vector<ColorText> m_Colored;
    Tier0OutputHook m_PrevHook = nullptr;
    void *m_pPrevContext = nullptr;
    std::string m_All;
    std::string m_ByKind[6];
};
