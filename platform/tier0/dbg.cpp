// Console output of the tier0 stand-in: formats each text and hands it to the installed
// hook, or to the terminal (messages on standard output, the rest on standard error).
#include "tier0/dbg.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "tier0/standin.h"
#include "tier1/Color.h"

namespace {

std::recursive_mutex g_OutputMutex;
Tier0OutputHook g_pHook = nullptr;
void *g_pHookContext = nullptr;
Tier0ColorHook g_pColorHook = nullptr;
void *g_pColorHookContext = nullptr;

std::string FormatV(const char *pFormat, va_list args) {
    if (!pFormat) return std::string();
    char small[1024];
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(small, sizeof(small), pFormat, copy);
    va_end(copy);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof(small)) return std::string(small, n);
    std::string big(static_cast<size_t>(n) + 1, '\0');
    vsnprintf(&big[0], big.size(), pFormat, args);
    big.resize(n);
    return big;
}

void Emit(Tier0OutputKind kind, const std::string &text) {
    std::lock_guard<std::recursive_mutex> lock(g_OutputMutex);
    if (g_pHook) {
        g_pHook(kind, text.c_str(), g_pHookContext);
        return;
    }
    FILE *out = (kind == Tier0OutputKind::Msg || kind == Tier0OutputKind::DevMsg) ? stdout : stderr;
    fputs(text.c_str(), out);
    fflush(out);
}

}  // namespace

#define TIER0_EMIT(kind)                            \
    va_list args;                                   \
    va_start(args, pMsg);                           \
    std::string text = FormatV(pMsg, args);         \
    va_end(args);                                   \
    Emit(kind, text)

void Msg(const char *pMsg, ...) { TIER0_EMIT(Tier0OutputKind::Msg); }
void Warning(const char *pMsg, ...) { TIER0_EMIT(Tier0OutputKind::Warning); }
void DevMsg(const char *pMsg, ...) { TIER0_EMIT(Tier0OutputKind::DevMsg); }
void DevWarning(const char *pMsg, ...) { TIER0_EMIT(Tier0OutputKind::DevWarning); }

void Error(const char *pMsg, ...) {
    va_list args;
    va_start(args, pMsg);
    std::string text = FormatV(pMsg, args);
    va_end(args);
    {
        std::lock_guard<std::recursive_mutex> lock(g_OutputMutex);
        if (g_pHook) g_pHook(Tier0OutputKind::Error, text.c_str(), g_pHookContext);
        // A fatal error always reaches the terminal, whatever the hook does with it.
        fputs(text.c_str(), stderr);
        fflush(stderr);
    }
    abort();
}

void _AssertFailed(const char *pFile, int nLine, const char *pExpression) {
    std::string text = std::string(pFile ? pFile : "?") + "(" + std::to_string(nLine) +
                       "): Assertion Failed: " + (pExpression ? pExpression : "") + "\n";
    Emit(Tier0OutputKind::Assert, text);
}

Tier0OutputHook Tier0_SetOutputHook(Tier0OutputHook hook, void *pContext, void **ppPreviousContext) {
    std::lock_guard<std::recursive_mutex> lock(g_OutputMutex);
    Tier0OutputHook previous = g_pHook;
    if (ppPreviousContext) *ppPreviousContext = g_pHookContext;
    g_pHook = hook;
    g_pHookContext = hook ? pContext : nullptr;
    return previous;
}

SpewRetval_t ColorSpewMessage(SpewType_t type, const Color *pColor, const char *pMsg, ...) {
    va_list args;
    va_start(args, pMsg);
    std::string text = FormatV(pMsg, args);
    va_end(args);
    Tier0OutputKind kind = Tier0OutputKind::Msg;
    switch (type) {
    case SPEW_WARNING: kind = Tier0OutputKind::Warning; break;
    case SPEW_ASSERT: kind = Tier0OutputKind::Assert; break;
    case SPEW_ERROR: kind = Tier0OutputKind::Error; break;
    default: break;
    }
    // Without a colour the text keeps the kind's plain look: white, opaque.
    unsigned char rgba[4] = {255, 255, 255, 255};
    if (pColor)
        for (int i = 0; i < 4; ++i) rgba[i] = (*pColor)[i];
    {
        std::lock_guard<std::recursive_mutex> lock(g_OutputMutex);
        if (g_pColorHook) g_pColorHook(kind, rgba, text.c_str(), g_pColorHookContext);
        Emit(kind, text);
    }
    return type == SPEW_ERROR ? SPEW_ABORT : SPEW_CONTINUE;
}

Tier0ColorHook Tier0_SetColorHook(Tier0ColorHook hook, void *pContext, void **ppPreviousContext) {
    std::lock_guard<std::recursive_mutex> lock(g_OutputMutex);
    Tier0ColorHook previous = g_pColorHook;
    if (ppPreviousContext) *ppPreviousContext = g_pColorHookContext;
    g_pColorHook = hook;
    g_pColorHookContext = hook ? pContext : nullptr;
    return previous;
}
