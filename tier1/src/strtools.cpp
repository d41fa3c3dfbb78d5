// Bounded string, number-parsing and path functions. Case folding is done here byte by byte;
// wide text is converted as UTF-8 through the C library in a UTF-8 locale of its own, so the
// result does not depend on the process locale.
#include "tier1/strtools.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <strings.h>

namespace
{
inline unsigned char AsciiLower(unsigned char c)
{
	return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Folding used by V_stristr: ASCII upper case, and the C library's upper-case class above 0x7F.
inline unsigned char FoldForSearch(unsigned char c)
{
	if (c < 0x80)
		return AsciiLower(c);
	return isupper(c) ? static_cast<unsigned char>(tolower(c)) : c;
}

// Switches the calling thread to a UTF-8 character type for the life of the object.
class CUtf8Scope
{
public:
	CUtf8Scope()
	{
		static locale_t s_utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
		m_previous = s_utf8 ? uselocale(s_utf8) : static_cast<locale_t>(nullptr);
	}
	~CUtf8Scope()
	{
		if (m_previous)
			uselocale(m_previous);
	}
	CUtf8Scope(const CUtf8Scope &) = delete;
	CUtf8Scope &operator=(const CUtf8Scope &) = delete;

private:
	locale_t m_previous;
};

// Encodes at most srcLength wide characters of src (fewer at its terminator; all of it when
// srcLength is negative) into dst, keeping only whole characters that leave room for the
// terminator. Returns the bytes stored, or -1 when a character cannot be encoded (dst empty).
// *pFitting, when given, gets the bytes of the whole characters that fit in size itself.
int EncodeUtf8(const wchar_t *src, int srcLength, char *dst, int size, int *pFitting = nullptr)
{
	CUtf8Scope utf8;
	mbstate_t state{};
	int used = 0;
	int fitting = 0;
	for (int i = 0; (srcLength < 0 || i < srcLength) && src[i] != L'\0'; ++i)
	{
		char bytes[MB_LEN_MAX];
		size_t n = wcrtomb(bytes, src[i], &state);
		if (n == static_cast<size_t>(-1))
		{
			dst[0] = '\0';
			return -1;
		}
		if (static_cast<int64_t>(fitting) + static_cast<int64_t>(n) > size)
			break;
		fitting += static_cast<int>(n);
		if (fitting > size - 1)
			break;
		memcpy(dst + used, bytes, n);
		used += static_cast<int>(n);
	}
	dst[used] = '\0';
	if (pFitting)
		*pFitting = fitting;
	return used;
}

bool IsHexDigit(char c, unsigned *value)
{
	if (c >= '0' && c <= '9')
		*value = static_cast<unsigned>(c - '0');
	else if (c >= 'a' && c <= 'f')
		*value = static_cast<unsigned>(c - 'a' + 10);
	else if (c >= 'A' && c <= 'F')
		*value = static_cast<unsigned>(c - 'A' + 10);
	else
		return false;
	return true;
}

// The two number forms V_atoi64 and V_atof share: a quote and one character (its code), or
// "0x"/"0X" and hexadecimal digits. False, with value untouched, for anything else.
template <typename T>
bool ReadCharOrHex(const char *s, T &value)
{
	if (*s == '\'')
	{
		value = static_cast<unsigned char>(s[1]);
		return true;
	}
	if (s[0] != '0' || (s[1] != 'x' && s[1] != 'X'))
		return false;
	unsigned digit;
	for (s += 2; IsHexDigit(*s, &digit); ++s)
		value = value * 16 + digit;
	return true;
}
}

char *V_strupr(char *s)
{
	for (unsigned char *p = reinterpret_cast<unsigned char *>(s); p && *p; ++p)
	{
		if (*p >= 'a' && *p <= 'z')
			*p = static_cast<unsigned char>(*p - ('a' - 'A'));
		else if (*p >= 0x80)
			*p = static_cast<unsigned char>(toupper(*p));
	}
	return s;
}

char *V_strlower(char *s)
{
	for (unsigned char *p = reinterpret_cast<unsigned char *>(s); p && *p; ++p)
	{
		if (*p >= 'A' && *p <= 'Z')
			*p = static_cast<unsigned char>(*p + ('a' - 'A'));
		else if (*p >= 0x80)
			*p = static_cast<unsigned char>(tolower(*p));
	}
	return s;
}

int V_stricmp(const char *a, const char *b)
{
	const unsigned char *pa = reinterpret_cast<const unsigned char *>(a);
	const unsigned char *pb = reinterpret_cast<const unsigned char *>(b);
	for (;; ++pa, ++pb)
	{
		if (*pa == *pb)
		{
			if (*pa == '\0')
				return 0;
			continue;
		}
		if (*pa == '\0')
			return -1;
		if ((*pa | *pb) & 0x80)
			return strcasecmp(reinterpret_cast<const char *>(pa), reinterpret_cast<const char *>(pb));
		unsigned char la = AsciiLower(*pa), lb = AsciiLower(*pb);
		if (la != lb)
			return la < lb ? -1 : 1;
	}
}

int V_strnicmp(const char *a, const char *b, int n)
{
	const unsigned char *pa = reinterpret_cast<const unsigned char *>(a);
	const unsigned char *pb = reinterpret_cast<const unsigned char *>(b);
	for (; n > 0; --n, ++pa, ++pb)
	{
		if (*pa == *pb)
		{
			if (*pa == '\0')
				return 0;
			continue;
		}
		if (*pa == '\0')
			return -1;
		if ((*pa | *pb) & 0x80)
			return strncasecmp(reinterpret_cast<const char *>(pa), reinterpret_cast<const char *>(pb), static_cast<size_t>(n));
		unsigned char la = AsciiLower(*pa), lb = AsciiLower(*pb);
		if (la != lb)
			return la < lb ? -1 : 1;
	}
	return 0;
}

int V_strncmp(const char *a, const char *b, int n)
{
	const unsigned char *pa = reinterpret_cast<const unsigned char *>(a);
	const unsigned char *pb = reinterpret_cast<const unsigned char *>(b);
	for (; n > 0; --n, ++pa, ++pb)
	{
		if (*pa != *pb)
			return *pa < *pb ? -1 : 1;
		if (*pa == '\0')
			return 0;
	}
	return 0;
}

int64_t V_atoi64(const char *s)
{
	if (!s)
		return 0;
	bool negative = false;
	if (*s == '-')
	{
		negative = true;
		++s;
	}
	// Unsigned arithmetic: overlong numbers wrap instead of overflowing.
	uint64_t value = 0;
	if (!ReadCharOrHex(s, value))
	{
		for (; *s >= '0' && *s <= '9'; ++s)
			value = value * 10 + static_cast<uint64_t>(*s - '0');
	}
	return static_cast<int64_t>(negative ? 0 - value : value);
}

int V_atoi(const char *s)
{
	return static_cast<int>(V_atoi64(s));
}

float V_atof(const char *s)
{
	if (!s)
		return 0.0f;
	double sign = 1.0;
	if (*s == '-')
	{
		sign = -1.0;
		++s;
	}
	else if (*s == '+')
	{
		++s;
	}

	double value = 0.0;
	if (!ReadCharOrHex(s, value))
	{
		bool fraction = false;
		double divisor = 1.0;
		for (;; ++s)
		{
			if (*s >= '0' && *s <= '9')
			{
				if (!fraction)
				{
					value = value * 10.0 + (*s - '0');
				}
				else if (divisor < 1e300)
				{
					divisor *= 10.0;
					value += (*s - '0') / divisor;
				}
			}
			else if (*s == '.' && !fraction)
			{
				fraction = true;
			}
			else
			{
				break;
			}
		}
		if (*s == 'e' || *s == 'E')
		{
			int64_t exponent = V_atoi64(s + 1);
			exponent = std::min<int64_t>(std::max<int64_t>(exponent, -400), 400);
			if (value != 0.0)
				value *= std::pow(10.0, static_cast<double>(exponent));
		}
	}

	double result = sign * value;
	if (result > FLT_MAX)
		return HUGE_VALF;
	if (result < -FLT_MAX)
		return -HUGE_VALF;
	return static_cast<float>(result);
}

const char *V_stristr(const char *haystack, const char *needle)
{
	if (!haystack || !needle || !*needle)
		return nullptr;
	for (const char *start = haystack; *start; ++start)
	{
		const unsigned char *h = reinterpret_cast<const unsigned char *>(start);
		const unsigned char *n = reinterpret_cast<const unsigned char *>(needle);
		while (*n && *h && FoldForSearch(*h) == FoldForSearch(*n))
		{
			++h;
			++n;
		}
		if (!*n)
			return start;
		if (!*h)
			return nullptr;
	}
	return nullptr;
}

char *V_stristr(char *haystack, const char *needle)
{
	return const_cast<char *>(V_stristr(static_cast<const char *>(haystack), needle));
}

char *V_strncpy(char *dst, const char *src, int size)
{
	if (!dst || size <= 0)
		return dst;
	if (!src)
		src = "";
	strncpy(dst, src, static_cast<size_t>(size));
	dst[size - 1] = '\0';
	return dst;
}

wchar_t *V_wcsncpy(wchar_t *dst, const wchar_t *src, int sizeInBytes)
{
	int count = sizeInBytes / static_cast<int>(sizeof(wchar_t));
	if (!dst || count <= 0)
		return dst;
	if (!src)
		src = L"";
	wcsncpy(dst, src, static_cast<size_t>(count));
	dst[count - 1] = L'\0';
	return dst;
}

int V_snprintf(char *dst, int size, const char *format, ...)
{
	if (!dst || size <= 0)
		return 0;
	va_list args;
	va_start(args, format);
	int written = vsnprintf(dst, static_cast<size_t>(size), format, args);
	va_end(args);
	if (written < 0 || written >= size)
	{
		dst[size - 1] = '\0';
		return size;
	}
	return written;
}

int V_vsnwprintf(wchar_t *dst, int sizeInChars, const wchar_t *format, va_list args)
{
	if (!dst || sizeInChars <= 0)
		return 0;
	int written = vswprintf(dst, static_cast<size_t>(sizeInChars), format, args);
	if (written < 0 || written >= sizeInChars)
	{
		dst[sizeInChars - 1] = L'\0';
		return sizeInChars;
	}
	return written;
}

char *V_strncat(char *dst, const char *src, int dstSize, int maxCopy)
{
	if (!dst || dstSize <= 0)
		return dst;
	size_t used = strnlen(dst, static_cast<size_t>(dstSize));
	if (used >= static_cast<size_t>(dstSize))
	{
		// The destination was not terminated within its size: terminate, append nothing.
		dst[dstSize - 1] = '\0';
		return dst;
	}
	if (!src || maxCopy == 0)
		return dst;
	size_t room = static_cast<size_t>(dstSize) - used - 1;
	size_t wanted = maxCopy < 0 ? strlen(src) : strnlen(src, static_cast<size_t>(maxCopy));
	size_t copy = std::min(room, wanted);
	memcpy(dst + used, src, copy);
	dst[used + copy] = '\0';
	return dst;
}

// Converts at most sizeInBytes / 4 characters; the last place holds the terminator. Returns
// the characters converted + 1, 0 when nothing fits, src is null or it is not valid UTF-8 (dst
// is then empty).
int V_UTF8ToUnicode(const char *src, wchar_t *dst, int sizeInBytes)
{
	int capacity = sizeInBytes / static_cast<int>(sizeof(wchar_t));
	if (!dst || capacity <= 0)
		return 0;
	dst[0] = L'\0';
	if (!src)
		return 0;

	CUtf8Scope utf8;
	mbstate_t state{};
	size_t remaining = strlen(src);
	int count = 0;
	while (count < capacity && remaining > 0)
	{
		wchar_t c;
		size_t n = mbrtowc(&c, src, remaining, &state);
		if (n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2) || n == 0)
		{
			dst[0] = L'\0';
			return 0;
		}
		if (count < capacity - 1)
			dst[count] = c;
		++count;
		src += n;
		remaining -= n;
	}
	dst[std::min(count, capacity - 1)] = L'\0';
	return count + 1;
}

// Converts the whole characters that fit in size bytes and returns their bytes + 1; 0 when a
// pointer is null or a character cannot be encoded (dst is then empty). Only whole characters
// are stored, and dst[size - 1] is always zero, so a character cut by the terminator is dropped.
int V_UnicodeToUTF8(const wchar_t *src, char *dst, int size)
{
	if (!dst || size <= 0)
		return 0;
	dst[0] = '\0';
	if (!src)
		return 0;
	int fitting = 0;
	int used = EncodeUtf8(src, -1, dst, size, &fitting);
	return used < 0 ? 0 : fitting + 1;
}

// Converts at most srcLength wide characters (up to src's terminator; the whole text when
// srcLength is negative). Returns the bytes stored, without the terminator, or -1 on failure.
int V_wcstostr(const wchar_t *src, int srcLength, char *dst, int size)
{
	if (!dst || size <= 0)
		return 0;
	dst[0] = '\0';
	if (!src)
		return 0;
	return EncodeUtf8(src, srcLength, dst, size);
}

void V_FileBase(const char *path, char *dst, int size)
{
	if (!dst || size <= 0)
		return;
	if (!path || !*path)
	{
		dst[0] = '\0';
		return;
	}
	const char *start = strrchr(path, '/');
	start = start ? start + 1 : path;
	const char *dot = strrchr(start, '.');
	size_t length = dot ? static_cast<size_t>(dot - start) : strlen(start);
	length = std::min(length, static_cast<size_t>(size - 1));
	memmove(dst, start, length);
	dst[length] = '\0';
}

void V_StripExtension(const char *path, char *dst, int size)
{
	if (!dst || size <= 0)
		return;
	if (!path)
	{
		dst[0] = '\0';
		return;
	}
	size_t length = strlen(path);
	for (size_t i = length; i-- > 1;)
	{
		if (path[i] == '/')
			break;
		if (path[i] == '.')
		{
			if (i < static_cast<size_t>(size))
			{
				if (dst != path)
					memmove(dst, path, i);
				dst[i] = '\0';
				return;
			}
			break;
		}
	}
	// Unchanged, cut to the destination.
	size_t keep = std::min(length, static_cast<size_t>(size - 1));
	if (dst != path)
		memmove(dst, path, keep);
	dst[keep] = '\0';
}

void V_DefaultExtension(char *path, const char *ext, int size)
{
	if (!path || !ext || size <= 0)
		return;
	size_t length = strnlen(path, static_cast<size_t>(size));
	for (size_t i = length; i-- > 1;)
	{
		if (path[i] == '/')
			break;
		if (path[i] == '.')
			return;
	}
	V_strncat(path, ext, size, COPY_ALL_CHARACTERS);
}

void V_SetExtension(char *path, const char *ext, int size)
{
	if (!path || size <= 0)
		return;
	// The path is read within its buffer only: an unterminated one is cut to fit.
	if (strnlen(path, static_cast<size_t>(size)) == static_cast<size_t>(size))
		path[size - 1] = '\0';
	V_StripExtension(path, path, size);
	V_DefaultExtension(path, ext, size);
}

void V_FixSlashes(char *path, char separator)
{
	for (char *p = path; p && *p; ++p)
	{
		if (*p == '/' || *p == '\\')
			*p = separator;
	}
}

const char *V_GetFileExtension(const char *path)
{
	if (!path || !*path)
		return nullptr;
	for (size_t i = strlen(path); i-- > 1;)
	{
		if (path[i] == '.')
			return path[i + 1] == '/' ? nullptr : path + i + 1;
	}
	return nullptr;
}

bool V_IsAbsolutePath(const char *path)
{
	if (!path || !*path)
		return false;
	return path[0] == '/' || path[0] == '\\' || path[1] == ':';
}
