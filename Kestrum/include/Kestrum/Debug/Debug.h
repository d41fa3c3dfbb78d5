// Watching Kestrum's console channel through listeners, pop-up messages, the last fatal error
// and the library's assertion reports.
#pragma once

#include <vector>

#include "Kestrum/Utility/String.h"

namespace Kestrum
{
	namespace Debug
	{
		// Receives the finished text of every message, warning and error. The list holds plain
		// pointers: a listener stays registered until it removes itself.
		class IListener
		{
		public:
			virtual void OnMsg(const char* str) = 0;
			virtual void OnWarning(const char* str) = 0;
			virtual void OnError(const char* str) = 0;

			// Appends to the list (a listener added twice is called twice).
			static void Add(IListener* listener);
			// Removes every entry equal to listener.
			static void Remove(IListener* listener);

		protected:
			~IListener() = default;
		};

		// The registered listeners, in registration order.
		std::vector<IListener*>& Listeners();

		void SuppressPopups(bool bSuppress);
		// Text of the most recent Output::Error.
		BString LastError();
		// Prints the text as a warning and once more, then shows it in a pop-up unless suppressed.
		void PopupMessage(const char* str, ...) KESTRUM_PRINTF(1, 2);

		namespace Internal
		{
			// Prints an assertion report as a warning and returns.
			void DoAssert(const char* strFile, unsigned int iLine, const char* strFunction, const char* strModule,
				const char* format, ...) KESTRUM_PRINTF(5, 6);
		}
	}
}

#ifndef KESTRUM_MODULE
#define KESTRUM_MODULE ""
#endif

// Reports (and carries on) when expression is false; the format describes the failure.
#define KESTRUM_ASSERT(expression, ...)                                                                       \
	do                                                                                                          \
	{                                                                                                           \
		if (!(expression))                                                                                        \
			::Kestrum::Debug::Internal::DoAssert(__FILE__, __LINE__, __func__, KESTRUM_MODULE, __VA_ARGS__); \
	} while (0)
