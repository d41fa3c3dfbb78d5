// printf-style formatting into strings through fixed static buffers, and the library's
// human-readable forms of sizes, numbers and times.
#include "Kestrum/Utility/String.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <cwchar>
#include <type_traits>

namespace Kestrum
{
	namespace
	{
		const size_t kFormatBuffer = 4096;

		int FormatRaw(char* buf, const char* format, va_list args) { return vsnprintf(buf, kFormatBuffer, format, args); }
		int FormatRaw(wchar_t* buf, const wchar_t* format, va_list args) { return vswprintf(buf, kFormatBuffer, format, args); }

		// Formats into buf (kFormatBuffer characters); output past 4,095 characters is cut. The
		// wide formatter reports failure on overflow, but glibc still fills the buffer in order,
		// so both give the first 4,095 characters.
		template <typename CharT> std::basic_string<CharT> FormatInto(CharT* buf, const CharT* format, va_list args)
		{
			buf[0] = 0;
			if (!format)
				return std::basic_string<CharT>();
			FormatRaw(buf, format, args);
			buf[kFormatBuffer - 1] = 0;
			return std::basic_string<CharT>(buf);
		}
	}

	namespace String
	{
		namespace Format
		{
			BString VarArgs(const char* format, va_list args)
			{
				static char buf[kFormatBuffer];
				return FormatInto(buf, format, args);
			}

			WString VarArgs(const wchar_t* format, va_list args)
			{
				static wchar_t buf[kFormatBuffer];
				return FormatInto(buf, format, args);
			}

			BString Print(const char* format, ...)
			{
				static char strOut[kFormatBuffer];
				va_list args;
				va_start(args, format);
				BString str = FormatInto(strOut, format, args);
				va_end(args);
				return str;
			}

			WString Print(const wchar_t* format, ...)
			{
				static wchar_t strOut[kFormatBuffer];
				va_list args;
				va_start(args, format);
				WString str = FormatInto(strOut, format, args);
				va_end(args);
				return str;
			}

			BString Memory(int iBytes)
			{
				float kb = iBytes * 0.0009765625f;
				float mb = kb * 0.0009765625f;
				float gb = mb * 0.0009765625f;
				if (gb >= 1.0f)
					return Print("%.1f GB", gb);
				if (mb >= 1.0f)
					return Print("%.1f MB", mb);
				if (kb >= 1.0f)
					return Print("%.1f KB", kb);
				return Print("%i B", iBytes);
			}

			BString MemoryPerSecond(int iBytes)
			{
				return Memory(iBytes) + "/s";
			}

			BString YesNo(bool b)
			{
				return b ? "Yes" : "No";
			}

			// Groups the digits in threes; a minus sign stays in front of the first group.
			BString CommaSeperatedInt(int i)
			{
				long long value = i;
				BString strSign;
				if (value < 0)
				{
					strSign = "-";
					value = -value;
				}
				BString s = Print("%lli", value);
				for (size_t pos = s.size(); pos > 3;)
				{
					pos -= 3;
					s.insert(pos, ",");
				}
				return strSign + s;
			}

			BString Time(BString strFormat, unsigned int iTime)
			{
				time_t t = static_cast<time_t>(iTime);
				struct tm local;
				if (!localtime_r(&t, &local))
					return BString();
				char buf[512];
				size_t len = strftime(buf, sizeof(buf), strFormat.c_str(), &local);
				return BString(buf, len);
			}

			BString NiceFloat(float f)
			{
				return NiceDouble(f);
			}

			// "%.04f" through to_chars, which prints exactly as printf does but faster; data
			// trees convert every number they hold through here.
			BString NiceDouble(double f)
			{
				char buf[400];
				std::to_chars_result r = std::to_chars(buf, buf + sizeof(buf), f, std::chars_format::fixed, 4);
				if (r.ec != std::errc())
				{
					BString s = Print("%.04f", f);
					Util::TrimRight(s, "0");
					Util::TrimRight(s, ".");
					return s;
				}
				char* end = r.ptr;
				while (end > buf && end[-1] == '0')
					--end;
				while (end > buf && end[-1] == '.')
					--end;
				return BString(buf, end);
			}

			BString BinaryToHex(const void* pData, unsigned int iLength)
			{
				static const char digits[] = "0123456789abcdef";
				BString s;
				if (!pData || iLength == 0)
					return s;
				const unsigned char* p = static_cast<const unsigned char*>(pData);
				s.resize(size_t(iLength) * 2);
				for (size_t i = 0; i < iLength; ++i)
				{
					s[i * 2] = digits[p[i] >> 4];
					s[i * 2 + 1] = digits[p[i] & 15];
				}
				return s;
			}

			BString UInt64(uint64_t i)
			{
				return Print("%llu", static_cast<unsigned long long>(i));
			}

			BString Int(int i)
			{
				char buf[16];
				return BString(buf, std::to_chars(buf, buf + sizeof(buf), i).ptr);
			}
		}
	}

	template <typename T> BString ToStr(T value)
	{
		if constexpr (std::is_same_v<T, int>)
			return String::Format::Print("%i", value);
		else if constexpr (std::is_same_v<T, unsigned int>)
			return String::Format::Print("%u", value);
		else if constexpr (std::is_same_v<T, float>)
			return String::Format::Print("%f", value);
		else
			return String::Format::Print("%llu", static_cast<unsigned long long>(value));
	}

	template BString ToStr<int>(int);
	template BString ToStr<unsigned int>(unsigned int);
	template BString ToStr<float>(float);
	template BString ToStr<uint64_t>(uint64_t);
}
