// Kestrum::CommandLine: the program's arguments, stored once at start and asked about later.
#pragma once

#include "Kestrum/Types/String.h"

#include <cstdint>

namespace Kestrum
{
	namespace CommandLine
	{
		// Stores every argument after the program name (nothing with fewer than 2 entries).
		void Set(int argc, char** argv);
		void AddArgument(const BString& strArg);
		int32_t GetArgCount();
		// The argument at iIndex, or strDefault outside 0 .. count - 1.
		BString GetArg(int32_t iIndex, const BString& strDefault);
		// Every argument followed by one blank.
		BString GetFull();
		// The argument after the first one equal to strSwitch (case-sensitive), or strDefault
		// when there is none or nothing follows it.
		BString GetSwitch(const BString& strSwitch, const BString& strDefault);
	}
}
