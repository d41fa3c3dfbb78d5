// tier0 console output (messages, warnings, developer text, fatal errors) and the
// assertion macros.
#pragma once

#include "tier0/platform.h"

#if defined(__GNUC__)
#define TIER0_FMT(a, b) __attribute__((format(printf, a, b)))
#else
#define TIER0_FMT(a, b)
#endif

TIER0_API void Msg(const char *pMsg, ...) TIER0_FMT(1, 2);
TIER0_API void Warning(const char *pMsg, ...) TIER0_FMT(1, 2);
TIER0_API void DevMsg(const char *pMsg, ...) TIER0_FMT(1, 2);
TIER0_API void DevWarning(const char *pMsg, ...) TIER0_FMT(1, 2);

// Prints the text and stops the process; never returns and never throws.
[[noreturn]] TIER0_API void Error(const char *pMsg, ...) TIER0_FMT(1, 2);

// Reports a failed assertion as a warning (file, line and expression); the caller goes on.
TIER0_API void _AssertFailed(const char *pFile, int nLine, const char *pExpression);

// Assertions are checked in debug builds only; Verify always evaluates its expression.
#if defined(NDEBUG)
#define Assert(exp) ((void)0)
#define AssertMsg(exp, msg) ((void)0)
#define Verify(exp) ((void)(exp))
#else
#define Assert(exp) \
    ((exp) ? (void)0 : _AssertFailed(__FILE__, __LINE__, #exp))
#define AssertMsg(exp, msg) \
    ((exp) ? (void)0 : _AssertFailed(__FILE__, __LINE__, msg))
#define Verify(exp) Assert(exp)
#endif

#define COMPILE_TIME_ASSERT(pred) static_assert(pred, #pred)

// Coloured console output. The spew type says what kind of text it is; the colour is a
// hint for consoles that can show it (null: the kind's usual colour).
class Color;

enum SpewType_t
{
    SPEW_MESSAGE = 0,
    SPEW_WARNING,
    SPEW_ASSERT,
    SPEW_ERROR,
    SPEW_LOG,
    SPEW_TYPE_COUNT
};

enum SpewRetval_t
{
    SPEW_DEBUGGER = 0,
    SPEW_CONTINUE,
    SPEW_ABORT
};

// Prints the formatted text in the colour; an error spew is printed like the others and
// answers SPEW_ABORT (the caller decides whether to stop), every other kind SPEW_CONTINUE.
TIER0_API SpewRetval_t ColorSpewMessage(SpewType_t type, const Color *pColor, const char *pMsg, ...)
    TIER0_FMT(3, 4);
