// Kestrum's console channel: messages, warnings and fatal errors, the console colour stacks,
// and the library's start-up and shut-down calls.
#pragma once

#include "Kestrum/Utility/String.h"

namespace Kestrum
{
	void Startup();
	// Marks the library as shutting down (Msg then reaches no listener) and says so.
	void Shutdown();
	bool IsShuttingDown();

	namespace Console
	{
		enum ConsoleColor
		{
			White = 0,
			Black = 1,
			Grey = 2,
			Red = 3,
			Blue = 4,
			Green = 5,
			Yellow = 6,
		};

		void FGColorPush(ConsoleColor col);
		void BGColorPush(ConsoleColor col);
		void FGColorPop();
		void BGColorPop();
		// Applies the top colours to the terminal; empty here, so no colour codes are written.
		void UpdateColor();
		// Reads one character from standard input (blocking).
		char WaitForKey();
	}

	// Every text is formatted printf-style and cut at 4,095 characters.
	namespace Output
	{
		// Prints the text (standard output and the debugger output) and tells the listeners.
		void Msg(const char* str, ...) KESTRUM_PRINTF(1, 2);
		// A Msg in red, then tells the listeners' OnWarning.
		void Warning(const char* str, ...) KESTRUM_PRINTF(1, 2);
		// Reports a fatal error and ends the process with exit status 1.
		[[noreturn]] void Error(const char* str, ...) KESTRUM_PRINTF(1, 2);
	}
}
