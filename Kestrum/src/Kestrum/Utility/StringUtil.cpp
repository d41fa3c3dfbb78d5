// String predicates, in-place trimming, splitting and replacing, and the wildcard matcher.
#include "Kestrum/Utility/String.h"

#include <cctype>
#include <cstdlib>

namespace Kestrum
{
	bool globber(const char* pattern, const char* text)
	{
		const char* restart = nullptr;
		const char* retry = nullptr;

		while (*text && *pattern != '*')
		{
			if (*pattern != *text && *pattern != '?')
				return false;
			++pattern;
			++text;
		}

		while (*text)
		{
			if (*pattern == '*')
			{
				if (!*++pattern)
					return true;
				restart = pattern;
				retry = text + 1;
			}
			else if (*pattern == *text || *pattern == '?')
			{
				++pattern;
				++text;
			}
			else
			{
				pattern = restart;
				text = retry++;
			}
		}

		while (*pattern == '*')
			++pattern;
		return !*pattern;
	}

	namespace String
	{
		namespace Test
		{
			bool StartsWith(const BString& str, const BString& strFind)
			{
				return str.compare(0, strFind.size(), strFind) == 0;
			}

			bool EndsWith(const BString& str, const BString& strFind)
			{
				if (strFind.size() > str.size())
					return false;
				return str.compare(str.size() - strFind.size(), strFind.size(), strFind) == 0;
			}

			bool Contains(const BString& haystack, const BString& needle, bool IgnoreCaps)
			{
				if (needle.empty())
					return true;
				if (!IgnoreCaps)
					return haystack.find(needle) != BString::npos;
				BString h = haystack, n = needle;
				Lower(h);
				Lower(n);
				return h.find(n) != BString::npos;
			}

			bool ContainsChar(const BString& strContents, char c)
			{
				return strContents.find(c) != BString::npos;
			}

			bool ContainsOnly(const BString& str, const BString& strContents)
			{
				return str.find_first_not_of(strContents) == BString::npos;
			}

			bool ContainsAny(const BString& str, const BString& strContents)
			{
				return str.find_first_of(strContents) != BString::npos;
			}

			bool Wildcard(BString strWildcard, BString strHaystack)
			{
				return globber(strWildcard.c_str(), strHaystack.c_str());
			}

			bool ICompare(const BString& strA, const BString& strB)
			{
				if (strA.size() != strB.size())
					return false;
				for (size_t i = 0; i < strA.size(); ++i)
				{
					if (tolower(static_cast<unsigned char>(strA[i])) != tolower(static_cast<unsigned char>(strB[i])))
						return false;
				}
				return true;
			}

			bool IsNumber(const BString& str)
			{
				if (str.empty())
					return false;
				const char* start = str.c_str();
				char* end = nullptr;
				strtod(start, &end);
				return end == start + str.size();
			}
		}

		namespace Util
		{
			// An empty search text would match everywhere; it replaces nothing.
			void FindAndReplace(BString& strIn, const BString& strFind, const BString& strReplace)
			{
				if (strFind.empty())
					return;
				size_t pos = 0;
				while ((pos = strIn.find(strFind, pos)) != BString::npos)
				{
					strIn.replace(pos, strFind.size(), strReplace);
					pos += strReplace.size();
				}
			}

			void TrimRight(BString& str, const BString& strChars)
			{
				size_t last = str.find_last_not_of(strChars);
				str.erase(last == BString::npos ? 0 : last + 1);
			}

			void TrimLeft(BString& str, const BString& strChars)
			{
				str.erase(0, str.find_first_not_of(strChars));
			}

			void Trim(BString& str, const BString& strChars)
			{
				TrimLeft(str, strChars);
				TrimRight(str, strChars);
			}

			// An empty separator splits nothing: outbits is left as it was.
			void Split(const BString& str, const BString& seperator, List& outbits)
			{
				if (seperator.empty())
					return;
				size_t start = 0, pos;
				while ((pos = str.find(seperator, start)) != BString::npos)
				{
					outbits.push_back(str.substr(start, pos - start));
					start = pos + seperator.size();
				}
				outbits.push_back(str.substr(start));
			}

			int Count(const BString& str, char chrFind)
			{
				int n = 0;
				for (char c : str)
					n += (c == chrFind);
				return n;
			}

			void TrimAfter(BString& str, const BString& strFind, bool bIncluding)
			{
				size_t pos = str.find(strFind);
				if (pos == BString::npos)
					return;
				str.erase(bIncluding ? pos : pos + strFind.size());
			}

			void TrimBefore(BString& str, const BString& strFind, bool bIncluding)
			{
				size_t pos = str.find(strFind);
				if (pos == BString::npos)
					return;
				str.erase(0, bIncluding ? pos + strFind.size() : pos);
			}
		}
	}
}
