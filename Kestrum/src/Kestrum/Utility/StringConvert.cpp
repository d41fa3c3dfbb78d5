// Text to numbers and bools, case conversion, random strings and list sorting.
#include "Kestrum/Utility/String.h"
#include "Kestrum/Utility/Random.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

namespace Kestrum
{
	namespace String
	{
		namespace To
		{
			// atoi's reading, with values beyond the int range held at its limits.
			int Int(const BString& str)
			{
				if (str.empty())
					return 0;
				long long value = strtoll(str.c_str(), nullptr, 10);
				if (value > INT_MAX)
					return INT_MAX;
				if (value < INT_MIN)
					return INT_MIN;
				return static_cast<int>(value);
			}

			// Like sscanf "%llu": leading space and a sign are read, a minus wraps.
			uint64_t UInt64(const BString& str)
			{
				return strtoull(str.c_str(), nullptr, 10);
			}

			float Float(const BString& str)
			{
				if (str.empty())
					return 0.0f;
				return static_cast<float>(atof(str.c_str()));
			}

			double Double(const BString& str)
			{
				if (str.empty())
					return 0.0;
				return atof(str.c_str());
			}

			bool Bool(const BString& str)
			{
				if (str.empty())
					return false;
				switch (str[0])
				{
				case '0': case 'F': case 'N': case 'f': case 'n':
					return false;
				default:
					return true;
				}
			}

			bool Floats(const BString& str, float* f, int iCount)
			{
				List pieces;
				Util::Split(str, " ", pieces);
				if (iCount < 0 || pieces.size() != static_cast<size_t>(iCount))
					return false;
				for (size_t i = 0; i < pieces.size(); ++i)
					f[i] = pieces[i].empty() ? 0.0f : static_cast<float>(atof(pieces[i].c_str()));
				return true;
			}
		}

		void Lower(BString& str)
		{
			for (char& c : str)
				c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
		}

		void Upper(BString& str)
		{
			for (char& c : str)
				c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
		}

		BString Random(int iSize, bool bLetters, bool bCapitals, bool bNumbers, bool Specials)
		{
			BString str;
			if (iSize <= 0)
				return str;
			str.reserve(static_cast<size_t>(iSize));
			for (int i = 0; i < iSize; ++i)
			{
				int c;
				if (bLetters && Math::Random::Bool())
					c = Math::Random::Int('a', 'z');
				else if (bCapitals && Math::Random::Bool())
					c = Math::Random::Int('A', 'Z');
				else if (bNumbers && Math::Random::Bool())
					c = Math::Random::Int('0', '9');
				else
					c = Math::Random::Int('a', 'z');
				str += static_cast<char>(c);
			}
			return str;
		}

		void SortList(List& list, bool bReverse)
		{
			if (bReverse)
				std::sort(list.rbegin(), list.rend());
			else
				std::sort(list.begin(), list.end());
		}
	}
}
