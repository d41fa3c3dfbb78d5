// The console channel: every message goes to standard output, to the platform's debugger
// output and to the listeners; warnings and errors push console colours around their text.
#include "Kestrum/Console/Output.h"

#include <cstdio>
#include <cstdlib>
#include <stack>

#include "Kestrum/Debug/Debug.h"
#include "Kestrum/Platform/Platform.h"

namespace Kestrum
{
	namespace Debug
	{
		namespace Internal
		{
			// Owned by the debug unit; Error records its text there.
			void SetLastError(const BString& str);
			bool PopupsSuppressed();
		}
	}

	namespace
	{
		bool g_bShuttingDown = false;

		std::stack<Console::ConsoleColor>& ForegroundStack()
		{
			static std::stack<Console::ConsoleColor> s_fg;
			return s_fg;
		}

		std::stack<Console::ConsoleColor>& BackgroundStack()
		{
			static std::stack<Console::ConsoleColor> s_bg;
			return s_bg;
		}

		// Calls fn on every listener in list order. A listener may remove itself or others
		// meanwhile: the walk moves on only when the entry it called is still in its place, so
		// no listener is skipped and a removed one is not called. At most as many calls as
		// there were listeners: one that re-adds itself is not called round and round.
		template <typename Fn> void TellListeners(Fn fn)
		{
			std::vector<Debug::IListener*>& list = Debug::Listeners();
			for (size_t i = 0, iCalls = list.size(); i < list.size() && iCalls > 0; --iCalls)
			{
				Debug::IListener* listener = list[i];
				fn(listener);
				if (i < list.size() && list[i] == listener)
					++i;
			}
		}
	}

	void Startup()
	{
	}

	void Shutdown()
	{
		g_bShuttingDown = true;
		Output::Msg("Exiting..\n");
		Output::Msg("Exited\n");
	}

	bool IsShuttingDown()
	{
		return g_bShuttingDown;
	}

	namespace Console
	{
		void FGColorPush(ConsoleColor col)
		{
			ForegroundStack().push(col);
			UpdateColor();
		}

		void BGColorPush(ConsoleColor col)
		{
			BackgroundStack().push(col);
			UpdateColor();
		}

		// A pop on an empty stack is ignored.
		void FGColorPop()
		{
			if (!ForegroundStack().empty())
				ForegroundStack().pop();
			UpdateColor();
		}

		void BGColorPop()
		{
			if (!BackgroundStack().empty())
				BackgroundStack().pop();
			UpdateColor();
		}

		void UpdateColor()
		{
		}

		char WaitForKey()
		{
			return static_cast<char>(getchar());
		}
	}

	namespace Output
	{
		namespace
		{
			void MsgText(const BString& text)
			{
				printf("%s", text.c_str());
				Platform::DebuggerOutput(text);
				if (!IsShuttingDown())
					TellListeners([&](Debug::IListener* l) { l->OnMsg(text.c_str()); });
			}
		}

		void Msg(const char* str, ...)
		{
			va_list args;
			va_start(args, str);
			BString text = String::Format::VarArgs(str, args);
			va_end(args);
			MsgText(text);
		}

		void Warning(const char* str, ...)
		{
			va_list args;
			va_start(args, str);
			BString text = String::Format::VarArgs(str, args);
			va_end(args);

			Console::FGColorPush(Console::Red);
			MsgText(text);
			Console::FGColorPop();
			TellListeners([&](Debug::IListener* l) { l->OnWarning(text.c_str()); });
		}

		void Error(const char* str, ...)
		{
			va_list args;
			va_start(args, str);
			BString text = String::Format::VarArgs(str, args);
			va_end(args);

			Debug::Internal::SetLastError(text);
			TellListeners([&](Debug::IListener* l) { l->OnError(text.c_str()); });

			Console::FGColorPush(Console::Black);
			Console::BGColorPush(Console::Red);
			MsgText("Error:\n\n");
			MsgText(text);
			MsgText("\n\n");
			Console::FGColorPop();
			Console::BGColorPop();

			if (!Debug::Internal::PopupsSuppressed())
				Platform::Popup("Error", text);

			// A fatal error must not look like success to a calling script.
			fflush(stdout);
			exit(1);
		}
	}
}
