// Base64 (RFC 4648 alphabet, padded) and URL percent-encoding of byte strings.
#include "Kestrum/Utility/String.h"

namespace Kestrum
{
	namespace String
	{
		namespace
		{
			const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

			// Value of a Base64 character, -1 for anything outside the alphabet.
			int Base64Value(unsigned char c)
			{
				if (c >= 'A' && c <= 'Z')
					return c - 'A';
				if (c >= 'a' && c <= 'z')
					return c - 'a' + 26;
				if (c >= '0' && c <= '9')
					return c - '0' + 52;
				if (c == '+')
					return 62;
				if (c == '/')
					return 63;
				return -1;
			}
		}

		namespace Encode
		{
			void Base64(BString& str)
			{
				const BString in = str;
				str.clear();
				str.reserve((in.size() + 2) / 3 * 4);
				size_t i = 0;
				for (; i + 3 <= in.size(); i += 3)
				{
					uint32_t v = (uint32_t(uint8_t(in[i])) << 16) | (uint32_t(uint8_t(in[i + 1])) << 8) | uint8_t(in[i + 2]);
					str += kAlphabet[(v >> 18) & 63];
					str += kAlphabet[(v >> 12) & 63];
					str += kAlphabet[(v >> 6) & 63];
					str += kAlphabet[v & 63];
				}
				size_t rest = in.size() - i;
				if (rest)
				{
					uint32_t v = uint32_t(uint8_t(in[i])) << 16;
					if (rest == 2)
						v |= uint32_t(uint8_t(in[i + 1])) << 8;
					str += kAlphabet[(v >> 18) & 63];
					str += kAlphabet[(v >> 12) & 63];
					str += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
					str += '=';
				}
			}

			void URL(BString& str)
			{
				static const char hex[] = "0123456789ABCDEF";
				const BString in = str;
				str.clear();
				str.reserve(in.size());
				for (char ch : in)
				{
					unsigned char c = static_cast<unsigned char>(ch);
					bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
						c == '~' || c == '-' || c == '_' || c == '.';
					if (keep)
					{
						str += ch;
					}
					else
					{
						str += '%';
						str += hex[c >> 4];
						str += hex[c & 15];
					}
				}
			}
		}

		namespace Decode
		{
			// Four characters per group; the end of the text or "=" ends decoding, except as a
			// group's second character, where one character cannot form a byte.
			void Base64(BString& str)
			{
				const BString in = str;
				str.clear();
				size_t pos = 0;
				auto next = [&](int& value) -> bool {
					if (pos >= in.size() || in[pos] == '=')
						return false;
					value = Base64Value(static_cast<unsigned char>(in[pos++]));
					if (value < 0)
						throw Base64Error();
					return true;
				};
				for (;;)
				{
					int a, b, c, d;
					if (!next(a))
						return;
					if (!next(b))
						throw Base64Error();
					str += static_cast<char>((a << 2) | (b >> 4));
					if (!next(c))
						return;
					str += static_cast<char>(((b & 15) << 4) | (c >> 2));
					if (!next(d))
						return;
					str += static_cast<char>(((c & 3) << 6) | d);
				}
			}
		}
	}
}
