// Listener registration, pop-up messages, the last fatal error and assertion reports.
#include "Kestrum/Debug/Debug.h"

#include <algorithm>
#include <cstdio>

#include "Kestrum/Console/Output.h"
#include "Kestrum/Platform/Platform.h"

namespace Kestrum
{
	namespace Debug
	{
		namespace
		{
			BString s_strError;
			bool s_bSuppressPopups = false;
		}

		namespace Internal
		{
			void SetLastError(const BString& str)
			{
				s_strError = str;
			}

			bool PopupsSuppressed()
			{
				return s_bSuppressPopups;
			}
		}

		// Never destroyed, so output from other objects' destructors at exit stays safe.
		std::vector<IListener*>& Listeners()
		{
			static std::vector<IListener*>* list = new std::vector<IListener*>();
			return *list;
		}

		// A null listener is ignored: every event would call through it.
		void IListener::Add(IListener* listener)
		{
			if (listener)
				Listeners().push_back(listener);
		}

		void IListener::Remove(IListener* listener)
		{
			std::vector<IListener*>& list = Listeners();
			list.erase(std::remove(list.begin(), list.end(), listener), list.end());
		}

		void SuppressPopups(bool bSuppress)
		{
			s_bSuppressPopups = bSuppress;
		}

		BString LastError()
		{
			return s_strError;
		}

		void PopupMessage(const char* str, ...)
		{
			va_list args;
			va_start(args, str);
			BString text = String::Format::VarArgs(str, args);
			va_end(args);

			Output::Warning("%s", text.c_str());
			printf("%s", text.c_str());
			if (!s_bSuppressPopups)
				Platform::Popup("Kestrum", text);
		}

		namespace Internal
		{
			void DoAssert(const char* strFile, unsigned int iLine, const char* strFunction, const char* strModule,
				const char* format, ...)
			{
				va_list args;
				va_start(args, format);
				BString message = String::Format::VarArgs(format, args);
				va_end(args);

				BString report = String::Format::Print("%s\n\nModule:\t%s\nFile:\t%s\nLine:\t%i\nFunction:\t%s\n",
					message.c_str(), strModule ? strModule : "", strFile ? strFile : "", static_cast<int>(iLine),
					strFunction ? strFunction : "");
				Output::Warning("%s", report.c_str());
			}
		}
	}
}
