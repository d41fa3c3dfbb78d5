// Kestrum's text types: narrow and wide strings and the string list.
#pragma once

#include <string>
#include <vector>

namespace Kestrum
{
	typedef std::string BString;
	typedef std::wstring WString;

	namespace String
	{
		typedef std::vector<BString> List;
	}
}
