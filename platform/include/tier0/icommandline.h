// tier0 command line: the process's switches, filled by the host at start-up and read by
// everyone through CommandLine_Tier0.
#pragma once

#include "tier0/platform.h"

class ICommandLine {
public:
    // Replaces the whole command line: one text with arguments separated by blanks
    // (double quotes group an argument), or the host's argument vector.
    virtual void CreateCmdLine(const char *pCommandLine) = 0;
    virtual void CreateCmdLine(int argc, char **argv) = 0;
    // The command line as one text, arguments separated by single blanks.
    virtual const char *GetCmdLine() const = 0;

    // Presence test of a switch such as "-allowdebug" (letter case ignored): the matching
    // argument or null; when ppszValue is given it receives the following argument, or
    // null when there is none or it is itself a switch.
    virtual const char *CheckParm(const char *psz, const char **ppszValue = nullptr) const = 0;
    // Index of the switch among the arguments (the program is 0), or 0 when absent.
    virtual int FindParm(const char *psz) const = 0;

    // The argument after the switch, or the default when the switch or its value is absent.
    virtual const char *ParmValue(const char *psz, const char *pDefaultVal = nullptr) const = 0;
    virtual int ParmValue(const char *psz, int nDefaultVal) const = 0;
    virtual float ParmValue(const char *psz, float flDefaultVal) const = 0;

    virtual int ParmCount() const = 0;
    // The argument at the index, or the empty text outside the range.
    virtual const char *GetParm(int nIndex) const = 0;

protected:
    virtual ~ICommandLine() = default;
};

TIER0_API ICommandLine *CommandLine_Tier0();
inline ICommandLine *CommandLine() { return CommandLine_Tier0(); }
