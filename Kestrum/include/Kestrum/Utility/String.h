// Kestrum's string toolbox: printf-style formatting, text/number conversion, string tests,
// in-place editing, path helpers for file names, Base64/URL encodings and wildcard matching.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <stdexcept>

#include "Kestrum/Types/String.h"

#if defined(__GNUC__)
#define KESTRUM_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define KESTRUM_PRINTF(fmt, args)
#endif

namespace Kestrum
{
	// Decimal text of a number: int "%i", unsigned int "%u", float "%f", uint64_t "%llu".
	template <typename T> BString ToStr(T value);

	namespace String
	{
		namespace Format
		{
			// Formatted text, cut at 4,095 characters.
			BString VarArgs(const char* format, va_list args);
			WString VarArgs(const wchar_t* format, va_list args);
			BString Print(const char* format, ...) KESTRUM_PRINTF(1, 2);
			WString Print(const wchar_t* format, ...);

			BString Memory(int iBytes);           // "1023 B", "1.5 KB", "2.0 MB", "1.0 GB"
			BString MemoryPerSecond(int iBytes);  // Memory text followed by "/s"
			BString YesNo(bool b);
			BString CommaSeperatedInt(int i);     // 1234567 -> "1,234,567"
			BString Time(BString strFormat, unsigned int iTime); // local time through strftime
			BString NiceFloat(float f);           // "%.04f" without trailing zeros or point
			BString NiceDouble(double f);
			BString BinaryToHex(const void* pData, unsigned int iLength);
			BString UInt64(uint64_t i);
			BString Int(int i);
		}

		namespace To
		{
			int Int(const BString& str);
			uint64_t UInt64(const BString& str);
			float Float(const BString& str);
			double Double(const BString& str);
			bool Bool(const BString& str);
			// Reads iCount space-separated numbers into f; false (f untouched) on another count.
			bool Floats(const BString& str, float* f, int iCount);
		}

		void Lower(BString& str);
		void Upper(BString& str);
		// iSize random characters from a-y, A-Y and 0-8 as the flags allow.
		BString Random(int iSize, bool bLetters, bool bCapitals, bool bNumbers, bool Specials);
		void SortList(List& list, bool bReverse);

		namespace Test
		{
			bool StartsWith(const BString& str, const BString& strFind);
			bool EndsWith(const BString& str, const BString& strFind);
			bool Contains(const BString& haystack, const BString& needle, bool IgnoreCaps = false);
			bool ContainsChar(const BString& strContents, char c);
			bool ContainsOnly(const BString& str, const BString& strContents);
			bool ContainsAny(const BString& str, const BString& strContents);
			bool Wildcard(BString strWildcard, BString strHaystack);
			bool ICompare(const BString& strA, const BString& strB);
			bool IsNumber(const BString& str);
		}

		namespace Util
		{
			void FindAndReplace(BString& strIn, const BString& strFind, const BString& strReplace);
			void TrimRight(BString& str, const BString& strChars);
			void TrimLeft(BString& str, const BString& strChars);
			void Trim(BString& str, const BString& strChars);
			void Split(const BString& str, const BString& seperator, List& outbits);
			int Count(const BString& str, char chrFind);
			void TrimAfter(BString& str, const BString& strFind, bool bIncluding);
			void TrimBefore(BString& str, const BString& strFind, bool bIncluding);
		}

		// Path helpers; "/" and "\\" both separate folders.
		namespace File
		{
			void CleanPath(BString& str);
			void FixSlashes(BString& strIn, const BString& strFrom = "\\", const BString& strTo = "/");
			void ToWindowsSlashes(BString& str);
			bool IsAbsolutePath(const BString& str);
			void ExtractFilename(BString& str);
			void StripFilename(BString& str);
			BString GetFileExtension(const BString& str);
			void StripExtension(BString& str);
			bool IsFileExtension(const BString& str, const BString& strExt);
			void UpOneDirectory(BString& str);
			void LastDirectory(BString& str);
		}

		namespace Encode
		{
			void Base64(BString& str);
			void URL(BString& str);
		}

		namespace Decode
		{
			// Thrown by Decode::Base64 with the text "base64 decode error".
			class Base64Error : public std::runtime_error
			{
			public:
				Base64Error() : std::runtime_error("base64 decode error") {}
			};

			void Base64(BString& str);
		}
	}

	// Whole-text wildcard match: '*' any run (also none), '?' exactly one character; case-sensitive.
	bool globber(const char* pattern, const char* text);
}
