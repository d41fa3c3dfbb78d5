// String tools of the Linux build: the functions beside the shared tier1 string tools.
#include "strtools_linux.h"

#include <iconv.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string>

#include "tier0/dbg.h"

// ---- Debugging wrappers ------------------------------------------------------------------

void V_SetMem(const char *, int, void *pDest, int nFill, size_t nCount)
{
	memset(pDest, nFill, nCount);
}

void V_CopyMem(const char *, int, void *pDest, const void *pSrc, size_t nCount)
{
	memcpy(pDest, pSrc, nCount);
}

void V_MoveMem(const char *, int, void *pDest, const void *pSrc, size_t nCount)
{
	memmove(pDest, pSrc, nCount);
}

int V_CompareMem(const char *, int, const void *a, const void *b, size_t nCount)
{
	return memcmp(a, b, nCount);
}

int V_Length(const char *, int, const char *pText)
{
	return static_cast<int>(strlen(pText));
}

char *V_Copy(const char *, int, char *pDest, const char *pSrc)
{
	return strcpy(pDest, pSrc);
}

int V_WideLength(const char *, int, const wchar_t *pText)
{
	return static_cast<int>(wcslen(pText));
}

const char *V_FindLast(const char *, int, const char *pText, char c)
{
	for (size_t i = strlen(pText); i-- > 0;)
		if (pText[i] == c)
			return pText + i;
	return nullptr;
}

int V_Compare(const char *, int, const char *a, const char *b)
{
	return strcmp(a, b);
}

const char *V_Find(const char *, int, const char *pText, const char *pPattern)
{
	return strstr(pText, pPattern);
}

wchar_t *V_WideUpper(const char *, int, wchar_t *pText)
{
	for (wchar_t *p = pText; *p; ++p)
		*p = static_cast<wchar_t>(towupper(static_cast<wint_t>(*p)));
	return pText;
}

wchar_t *V_WideLower(const char *, int, wchar_t *pText)
{
	for (wchar_t *p = pText; *p; ++p)
		*p = static_cast<wchar_t>(towlower(static_cast<wint_t>(*p)));
	return pText;
}

int V_WideCompare(const char *, int, const wchar_t *a, const wchar_t *b)
{
	for (;; ++a, ++b)
	{
		if (*a > *b)
			return 1;
		if (*a < *b)
			return -1;
		if (!*a)
			return 0;
	}
}

// ---- Case and comparison -----------------------------------------------------------------

int V_FoldChar(unsigned char c)
{
	if (c >= 'A' && c <= 'Z')
		return c - 'A' + 'a';
	if (c >= 128)
		return tolower(c);
	return c;
}

void V_LowerN(char *pText, int n)
{
	if (!pText || n <= 0)
		return;
	int i = 0;
	for (; i < n - 1 && pText[i]; ++i)
		pText[i] = static_cast<char>(tolower(static_cast<unsigned char>(pText[i])));
	pText[i] = '\0';
}

const char *V_AfterPrefix(const char *pText, const char *pPrefix)
{
	if (!pText || !pPrefix)
		return nullptr;
	for (; *pPrefix; ++pText, ++pPrefix)
		if (!*pText || V_FoldChar(static_cast<unsigned char>(*pText)) != V_FoldChar(static_cast<unsigned char>(*pPrefix)))
			return nullptr;
	return pText;
}

const char *V_AfterPrefixExact(const char *pText, const char *pPrefix)
{
	if (!pText || !pPrefix)
		return nullptr;
	for (; *pPrefix; ++pText, ++pPrefix)
		if (*pText != *pPrefix)
			return nullptr;
	return pText;
}

uint64_t V_ParseU64(const char *pText)
{
	if (!pText)
		return 0;
	uint64_t value = 0;
	if (pText[0] == '0' && (pText[1] == 'x' || pText[1] == 'X'))
	{
		for (const char *p = pText + 2;; ++p)
		{
			int digit = V_HexDigit(*p);
			if (digit > 15)
				return value;
			value = value * 16 + static_cast<uint64_t>(digit);
		}
	}
	if (pText[0] == '\'')
		return static_cast<unsigned char>(pText[1]);
	for (const char *p = pText; *p >= '0' && *p <= '9'; ++p)
		value = value * 10 + static_cast<uint64_t>(*p - '0');
	return value;
}

int V_TrimFloatZeros(char *pText)
{
	if (!pText)
		return 0;
	int len = static_cast<int>(strlen(pText));
	if (len < 2 || !strchr(pText, '.'))
		return 0;
	while (len > 0 && pText[len - 1] == '0')
		pText[--len] = '\0';
	if (len > 0 && pText[len - 1] == '.')
		pText[--len] = '\0';
	return len;
}

const char *V_FindNoCaseN(const char *pText, const char *pPattern, int n)
{
	if (!pText || !pPattern || n < 0)
		return nullptr;
	size_t patternLen = strlen(pPattern);
	size_t textLen = strnlen(pText, static_cast<size_t>(n));
	for (size_t start = 0; start + patternLen <= textLen; ++start)
	{
		size_t i = 0;
		while (i < patternLen && V_FoldChar(static_cast<unsigned char>(pText[start + i])) ==
		                             V_FoldChar(static_cast<unsigned char>(pPattern[i])))
			++i;
		if (i == patternLen)
			return pText + start;
	}
	return nullptr;
}

const char *V_FindCharN(const char *pText, char c, int n)
{
	if (!pText)
		return nullptr;
	for (int i = 0; i < n && pText[i]; ++i)
		if (pText[i] == c)
			return pText + i;
	return nullptr;
}

// ---- Formatting and copying --------------------------------------------------------------

int V_snwprintf(wchar_t *pDest, int nMaxChars, const wchar_t *pFormat, ...)
{
	if (!pDest || nMaxChars <= 0)
		return 0;
	va_list args;
	va_start(args, pFormat);
	int len = vswprintf(pDest, static_cast<size_t>(nMaxChars), pFormat, args);
	va_end(args);
	// vswprintf reports truncation as an error, like any other.
	if (len < 0 || len >= nMaxChars)
	{
		pDest[nMaxChars - 1] = L'\0';
		return nMaxChars;
	}
	return len;
}

int V_vsnprintfTruncated(char *pDest, int nSize, const char *pFormat, va_list args, bool *pbTruncated)
{
	if (pbTruncated)
		*pbTruncated = false;
	if (!pDest || nSize <= 0)
		return 0;
	int len = vsnprintf(pDest, static_cast<size_t>(nSize), pFormat, args);
	if (len < 0 || len >= nSize)
	{
		pDest[nSize - 1] = '\0';
		if (pbTruncated)
			*pbTruncated = true;
		return nSize;
	}
	return len;
}

int V_vsnprintf(char *pDest, int nSize, const char *pFormat, va_list args)
{
	return V_vsnprintfTruncated(pDest, nSize, pFormat, args, nullptr);
}

wchar_t *V_wcsncat(wchar_t *pDest, const wchar_t *pSrc, int nDestSizeInBytes, int nMaxChars)
{
	int capacity = nDestSizeInBytes / static_cast<int>(sizeof(wchar_t));
	if (!pDest || capacity <= 0)
		return pDest;
	size_t used = wcsnlen(pDest, static_cast<size_t>(capacity));
	if (used >= static_cast<size_t>(capacity))
	{
		pDest[capacity - 1] = L'\0';
		return pDest;
	}
	if (!pSrc || nMaxChars == 0)
		return pDest;
	size_t room = static_cast<size_t>(capacity) - used - 1;
	size_t wanted = nMaxChars < 0 ? wcslen(pSrc) : wcsnlen(pSrc, static_cast<size_t>(nMaxChars));
	size_t copy = wanted < room ? wanted : room;
	wmemcpy(pDest + used, pSrc, copy);
	pDest[used + copy] = L'\0';
	return pDest;
}

namespace
{
// Commas every three digits of the integer part, counted back from the "." or, without one,
// from the first space (or the end).
std::string InsertCommas(const std::string &text)
{
	size_t end = text.find('.');
	if (end == std::string::npos)
		end = text.find(' ');
	if (end == std::string::npos)
		end = text.size();
	size_t begin = (!text.empty() && text[0] == '-') ? 1 : 0;
	std::string out = text;
	for (size_t digits = 0, pos = end; pos > begin; --pos)
	{
		if (digits && digits % 3 == 0)
			out.insert(pos, 1, ',');
		++digits;
	}
	return out;
}

char *NextRingBuffer(char (*ring)[32], int &next)
{
	char *buf = ring[next];
	next = (next + 1) % 8;
	return buf;
}
}

const char *V_PrettyBytes(float flValue, int nDecimals, bool bPowersOfTwo)
{
	static char s_Ring[8][32];
	static int s_Next = 0;
	double first = bPowersOfTwo ? 1024.0 : 1000.0;
	double second = bPowersOfTwo ? 1048576.0 : 1000000.0;
	double value = flValue;
	const char *pSuffix = " bytes";
	if (value > second)
	{
		value /= second;
		pSuffix = " MB";
	}
	else if (value > first)
	{
		value /= first;
		pSuffix = " KB";
	}
	if (nDecimals < 0)
		nDecimals = 0;
	char text[512];
	if (std::fabs(value - std::round(value)) < 0.00001)
	{
		// Whole numbers beyond an int are printed without an integer conversion.
		if (std::fabs(value) < 2147483647.0)
			snprintf(text, sizeof(text), "%i%s", static_cast<int>(std::round(value)), pSuffix);
		else
			snprintf(text, sizeof(text), "%.0f%s", value, pSuffix);
	}
	else
	{
		char format[32];
		snprintf(format, sizeof(format), "%%.%if%%s", nDecimals > 64 ? 64 : nDecimals);
		snprintf(text, sizeof(text), format, value, pSuffix);
	}
	char *out = NextRingBuffer(s_Ring, s_Next);
	V_strncpy(out, InsertCommas(text).c_str(), 32);
	return out;
}

const char *V_PrettyNumber(int64_t nValue)
{
	static char s_Ring[8][32];
	static int s_Next = 0;
	char *out = NextRingBuffer(s_Ring, s_Next);
	// The magnitude is taken unsigned, so the most negative value has one too.
	uint64_t magnitude = nValue < 0 ? 0 - static_cast<uint64_t>(nValue) : static_cast<uint64_t>(nValue);
	std::string text = nValue < 0 ? "-" : "";
	uint64_t divisor = 1;
	int groups = 1;
	while (groups < 7 && magnitude / divisor >= 1000)
	{
		divisor *= 1000;
		++groups;
	}
	char piece[16];
	snprintf(piece, sizeof(piece), "%d", static_cast<int>(magnitude / divisor));
	text += piece;
	for (magnitude %= divisor, divisor /= 1000; divisor >= 1; divisor /= 1000)
	{
		snprintf(piece, sizeof(piece), ",%03d", static_cast<int>(magnitude / divisor));
		text += piece;
		magnitude %= divisor;
		if (divisor == 1)
			break;
	}
	V_strncpy(out, text.c_str(), 32);
	return out;
}

// ---- White space ---------------------------------------------------------------------------

bool V_IsInvisibleChar(uint32_t c)
{
	return c == 130 || c == 131 || c == 160 || c == 847 || (c >= 8192 && c <= 8205) || c == 8232 || c == 8233 ||
	       c == 8239 || c == 8288 || c == 65279 || c == 65532;
}

namespace
{
bool TrimWide(wchar_t *pText, bool bAggressive)
{
	if (!pText)
		return false;
	size_t len = wcslen(pText);
	size_t end = len;
	while (end > 0 && (iswspace(static_cast<wint_t>(pText[end - 1])) ||
	                   (bAggressive && V_IsInvisibleChar(static_cast<uint32_t>(pText[end - 1])))))
		--end;
	size_t start = 0;
	while (start < end && iswspace(static_cast<wint_t>(pText[start])))
		++start;
	if (start == 0 && end == len)
		return false;
	wmemmove(pText, pText + start, end - start);
	pText[end - start] = L'\0';
	return true;
}

bool TrimUTF8(char *pText, bool bAggressive)
{
	if (!pText || !*pText)
		return false;
	int len = static_cast<int>(strlen(pText));
	std::wstring wide(static_cast<size_t>(len) + 1, L'\0');
	int converted = V_UTF8ToUnicode(pText, wide.data(), static_cast<int>(wide.size() * sizeof(wchar_t)));
	// Text that is not valid UTF-8 is left as it is.
	if (converted <= 0 || !TrimWide(wide.data(), bAggressive))
		return false;
	V_UnicodeToUTF8(wide.c_str(), pText, len + 1);
	return true;
}
}

bool V_TrimWideInPlace(wchar_t *pText)
{
	return TrimWide(pText, false);
}

bool V_TrimWideAggressive(wchar_t *pText)
{
	return TrimWide(pText, true);
}

bool V_TrimInPlace(char *pText)
{
	return TrimUTF8(pText, false);
}

bool V_TrimAggressive(char *pText)
{
	return TrimUTF8(pText, true);
}

// ---- Character-set conversion --------------------------------------------------------------

namespace
{
// Converts with iconv; -1 when the converter cannot be opened, 0 on an error, else 1 with the
// bytes left in the destination.
int Convert(const char *pTo, const char *pFrom, const void *pSrc, int nSrcBytes, void *pDest, int nDestBytes,
            size_t *pLeft)
{
	iconv_t cd = iconv_open(pTo, pFrom);
	if (cd == reinterpret_cast<iconv_t>(-1))
		return -1;
	char *in = const_cast<char *>(static_cast<const char *>(pSrc));
	size_t inLeft = pSrc && nSrcBytes > 0 ? static_cast<size_t>(nSrcBytes) : 0;
	char *out = static_cast<char *>(pDest);
	size_t outLeft = pDest && nDestBytes > 0 ? static_cast<size_t>(nDestBytes) : 0;
	size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
	iconv_close(cd);
	*pLeft = outLeft;
	return result == static_cast<size_t>(-1) ? 0 : 1;
}

// Empties the destination and terminates its last element (when it has one).
template <typename T>
void EmptyAndTerminate(T *pDest, int nDestBytes, bool bEmpty)
{
	int elements = nDestBytes / static_cast<int>(sizeof(T));
	if (!pDest || elements <= 0)
		return;
	if (bEmpty)
		pDest[0] = 0;
	pDest[elements - 1] = 0;
}
}

int V_UCS2ToWide(const uint16_t *pSrc, int nSrcBytes, wchar_t *pDest, int nDestBytes)
{
	EmptyAndTerminate(pDest, nDestBytes, true);
	size_t left = 0;
	int ok = Convert("UCS-4LE", "UCS-2LE", pSrc, nSrcBytes, pDest, nDestBytes, &left);
	EmptyAndTerminate(pDest, nDestBytes, false);
	return ok == 1 ? static_cast<int>(left) : ok;
}

int V_WideToUCS2(const wchar_t *pSrc, int nSrcBytes, uint16_t *pDest, int nDestBytes)
{
	size_t left = 0;
	int ok = Convert("UCS-2LE", "UTF-32LE", pSrc, nSrcBytes, pDest, nDestBytes, &left);
	return ok == 1 ? nSrcBytes / 4 : ok;
}

int V_UCS2ToUTF8(const uint16_t *pSrc, int nSrcBytes, char *pDest, int nDestBytes)
{
	EmptyAndTerminate(pDest, nDestBytes, true);
	size_t left = 0;
	int ok = Convert("UTF-8", "UCS-2LE", pSrc, nSrcBytes, pDest, nDestBytes, &left);
	EmptyAndTerminate(pDest, nDestBytes, false);
	return ok == 1 ? static_cast<int>(left) : ok;
}

int V_UTF8ToUCS2(const char *pSrc, int nSrcBytes, uint16_t *pDest, int nDestBytes)
{
	EmptyAndTerminate(pDest, nDestBytes, true);
	size_t left = 0;
	int ok = Convert("UCS-2LE", "UTF-8", pSrc, nSrcBytes, pDest, nDestBytes, &left);
	EmptyAndTerminate(pDest, nDestBytes, false);
	return ok == 1 ? nSrcBytes : ok;
}

int V_MultiToWide(const char *pSrc, int, wchar_t *pDest, int nDestBytes)
{
	int elements = nDestBytes / static_cast<int>(sizeof(wchar_t));
	if (!pDest || elements <= 0)
		return 0;
	size_t n = pSrc ? mbstowcs(pDest, pSrc, static_cast<size_t>(elements)) : 0;
	if (n == static_cast<size_t>(-1) || n == 0)
	{
		pDest[0] = L'\0';
		return n == 0 ? 0 : -1;
	}
	// mbstowcs leaves a full destination unterminated: the last element is always the end.
	if (n >= static_cast<size_t>(elements))
		n = static_cast<size_t>(elements) - 1;
	pDest[n] = L'\0';
	return static_cast<int>(n);
}

// ---- Hexadecimal -----------------------------------------------------------------------------

int V_HexDigit(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	return 48;
}

int V_HexToBytes(const char *pText, int nLength, unsigned char *pOut, int nOutSize)
{
	if (!pOut || nOutSize <= 0)
		return 0;
	memset(pOut, 0, static_cast<size_t>(nOutSize));
	if (!pText || nLength <= 0)
		return 0;
	int len = static_cast<int>(strnlen(pText, static_cast<size_t>(nLength)));
	len &= ~1;
	int written = 0;
	for (int i = 0; i < len && written < nOutSize; i += 2)
		pOut[written++] = static_cast<unsigned char>((V_HexDigit(pText[i]) << 4) | V_HexDigit(pText[i + 1]));
	return written;
}

void V_BytesToHex(const unsigned char *pBytes, int nBytes, char *pOut, int nOutSize)
{
	if (!pOut || nOutSize <= 0)
		return;
	pOut[0] = '\0';
	for (int i = 0; pBytes && i < nBytes; ++i)
	{
		char piece[3];
		snprintf(piece, sizeof(piece), "%02x", pBytes[i]);
		V_strncat(pOut, piece, nOutSize, COPY_ALL_CHARACTERS);
	}
}

// ---- Paths ---------------------------------------------------------------------------------

bool V_IsSlash(char c)
{
	return c == '/';
}

void V_DropTrailingSlash(char *pPath)
{
	size_t len = pPath ? strlen(pPath) : 0;
	if (len && pPath[len - 1] == '/')
		pPath[len - 1] = '\0';
}

void V_DropLastDirectory(char *pPath)
{
	if (!pPath || !*pPath)
		return;
	for (size_t i = strlen(pPath); i-- > 1;)
	{
		if (pPath[i] == '/')
		{
			pPath[i] = '\0';
			return;
		}
	}
	pPath[0] = '\0';
}

void V_CollapseSlashes(char *pPath)
{
	if (!pPath || !*pPath)
		return;
	char *out = pPath + 1;
	for (const char *in = pPath + 1; *in; ++in)
	{
		bool slash = *in == '/' || *in == '\\';
		bool nextSlash = in[1] == '/' || in[1] == '\\';
		if (slash && nextSlash)
			continue;  // the first of two separators goes
		*out++ = *in;
	}
	*out = '\0';
}

bool V_DirectoryOf(char *pPath, int nSize)
{
	if (!pPath || nSize <= 0 || !*pPath || V_stricmp(pPath, "./") == 0 || V_stricmp(pPath, ".\\") == 0)
		return false;
	V_FixSlashes(pPath, '/');
	char *last = strrchr(pPath, '/');
	if (last)
		last[1] = '\0';
	else
		V_snprintf(pPath, nSize, ".%c", '/');
	return true;
}

void V_FileNameOf(const char *pPath)
{
	// Scans back to the last separator; the result is not used.
	for (const char *p = pPath ? pPath + strlen(pPath) : nullptr; p && p > pPath && p[-1] != '/'; --p)
	{
	}
}

void V_FileNameOf(char *pPath)
{
	V_FileNameOf(static_cast<const char *>(pPath));
}

bool V_PathOf(const char *pPath, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return false;
	pOut[0] = '\0';
	const char *last = pPath ? strrchr(pPath, '/') : nullptr;
	if (!last || last == pPath)
		return false;
	V_strncpy(pOut, pPath, static_cast<int>(last - pPath + 1 < nSize ? last - pPath + 1 : nSize));
	return pOut[0] != '\0';
}

void V_ExtensionOf(const char *pPath, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return;
	const char *ext = V_GetFileExtension(pPath);
	V_strncpy(pOut, ext ? ext : "", nSize);
}

bool V_RemoveDotSegments(char *pPath, char separator, bool bCollapse)
{
	if (!pPath)
		return false;
	bool ok = true;
	bool segmentStart = true;  // at the start or right after a "/"
	size_t r = 0, w = 0;
	while (pPath[r])
	{
		if (segmentStart && pPath[r] == '.' && (pPath[r + 1] == '/' || !pPath[r + 1]))
		{
			r += pPath[r + 1] ? 2 : 1;
			if (!pPath[r] && w > 1 && pPath[w - 1] == separator)
				--w;  // a trailing "." takes its separator with it
			continue;
		}
		if (segmentStart && pPath[r] == '.' && pPath[r + 1] == '.' && (pPath[r + 2] == '/' || !pPath[r + 2]))
		{
			r += pPath[r + 2] ? 3 : 2;
			// Back over the previous segment and its separator; a root "/" stays.
			size_t root = (w > 0 && pPath[0] == separator) ? 1 : 0;
			if (w <= root)
			{
				ok = false;
				continue;
			}
			size_t back = w;
			if (pPath[back - 1] == separator)
				--back;
			while (back > root && pPath[back - 1] != separator)
				--back;
			w = back;
			continue;
		}
		if (pPath[r] == '/')
		{
			++r;
			segmentStart = true;
			if (bCollapse && w >= 2 && pPath[w - 1] == separator)
				continue;
			pPath[w++] = separator;
			continue;
		}
		segmentStart = false;
		pPath[w++] = pPath[r++];
	}
	pPath[w] = '\0';
	return ok;
}

void V_AppendSlash(char *pPath, int nSize)
{
	if (!pPath || nSize <= 0)
		return;
	size_t len = strnlen(pPath, static_cast<size_t>(nSize));
	if (len == 0 || len == static_cast<size_t>(nSize) || pPath[len - 1] == '/')
		return;
	if (len + 2 > static_cast<size_t>(nSize))
		Error("V_AppendSlash: ran out of space on %s.", pPath);
	pPath[len] = '/';
	pPath[len + 1] = '\0';
}

void V_JoinPath(const char *pDirectory, const char *pFile, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return;
	V_strncpy(pOut, pDirectory ? pDirectory : "", nSize);
	V_FixSlashes(pOut, '/');
	size_t len = strlen(pOut);
	// The slash only when it fits with its terminator: a long directory is cut, never fatal.
	if (len && pOut[len - 1] != '/' && len + 2 <= static_cast<size_t>(nSize))
		V_strncat(pOut, "/", nSize);
	V_strncat(pOut, pFile ? pFile : "", nSize);
	V_FixSlashes(pOut, '/');
}

void V_MakeAbsolutePath(char *pOut, int nSize, const char *pPath, const char *pBase)
{
	if (!pOut || nSize <= 0)
		return;
	if (!pPath)
		pPath = "";
	if (V_IsAbsolutePath(pPath))
	{
		V_strncpy(pOut, pPath, nSize);
	}
	else
	{
		if (pBase && V_IsAbsolutePath(pBase))
		{
			V_strncpy(pOut, pBase, nSize);
		}
		else
		{
			if (!getcwd(pOut, static_cast<size_t>(nSize)))
				Error("V_MakeAbsolutePath: _getcwd failed.");
			if (pBase && *pBase)
			{
				V_strncat(pOut, "/", nSize);
				V_strncat(pOut, pBase, nSize);
			}
		}
		V_strncat(pOut, "/", nSize);
		V_strncat(pOut, pPath, nSize);
	}
	if (!V_RemoveDotSegments(pOut, '/', true))
		Error("V_MakeAbsolutePath: tried to \"..\" past the root.");
}

bool V_MakeRelativePath(const char *pPath, const char *pBase, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return false;
	pOut[0] = '\0';
	if (!pPath || !pBase)
		return false;
	long lastPath = -1, lastBase = -1;
	for (long i = 0;; ++i)
	{
		char pc = pPath[i], bc = pBase[i];
		if (pc == '/' && bc == '\0')
		{
			lastPath = i + 1;
			lastBase = i;
			break;
		}
		if (!pc || !bc || V_FoldChar(static_cast<unsigned char>(pc)) != V_FoldChar(static_cast<unsigned char>(bc)))
			break;
		if (pc == '/')
			lastPath = lastBase = i + 1;
	}
	if (lastPath < 0)
		return false;
	const char *rest = pBase + lastBase;
	if (*rest)
	{
		int ups = 0;
		for (const char *p = rest; *p; ++p)
			ups += *p == '/';
		if (rest[strlen(rest) - 1] != '/')
			++ups;
		for (int i = 0; i < ups; ++i)
			V_strncat(pOut, "../", nSize);
	}
	V_strncat(pOut, pPath + lastPath, nSize);
	return true;
}

bool V_NormalisePath(char *pOut, int nSize, const char *pPath)
{
	if (!pOut || nSize <= 0)
		return false;
	V_strncpy(pOut, pPath ? pPath : "", nSize);
	return V_RemoveDotSegments(pOut, '/', true);
}

// ---- Other text operations -------------------------------------------------------------------

bool V_Replace(const char *pText, const char *pFind, const char *pReplacement, char *pOut, int nSize,
               bool bCaseSensitive)
{
	if (!pOut || nSize <= 0)
		return false;
	pOut[0] = '\0';
	if (!pText)
		return true;
	size_t findLen = pFind ? strlen(pFind) : 0;
	size_t replaceLen = pReplacement ? strlen(pReplacement) : 0;
	std::string out;
	for (const char *p = pText; *p;)
	{
		// An empty search text matches nothing.
		bool match = findLen && (bCaseSensitive ? strncmp(p, pFind, findLen) == 0 : V_strnicmp(p, pFind, static_cast<int>(findLen)) == 0);
		if (match)
		{
			out.append(pReplacement ? pReplacement : "", replaceLen);
			p += findLen;
		}
		else
		{
			out += *p++;
		}
		if (out.size() >= static_cast<size_t>(nSize))
			return false;
	}
	memcpy(pOut, out.c_str(), out.size() + 1);
	return true;
}

char *V_DuplicateN(const char *pText, int n)
{
	if (!pText)
		return nullptr;
	size_t len = n < 0 ? strlen(pText) : strnlen(pText, static_cast<size_t>(n));
	char *copy = new char[len + 1];
	memcpy(copy, pText, len);
	copy[len] = '\0';
	return copy;
}

bool V_GetWorkingDirectory(char *pOut, int nSize)
{
	return pOut && nSize > 0 && getcwd(pOut, static_cast<size_t>(nSize)) != nullptr;
}

bool V_SetWorkingDirectory(const char *pPath)
{
	return pPath && chdir(pPath) == 0;
}

void V_Slice(const char *pText, int nStart, int nEnd, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return;
	pOut[0] = '\0';
	int len = pText ? static_cast<int>(strlen(pText)) : 0;
	if (len == 0)
		return;  // nothing to count indices against
	// Negative indices count from the end; 64 bits keep -INT_MIN representable.
	auto resolve = [len](int index) -> long long {
		if (index < 0)
			return len - (static_cast<long long>(-static_cast<long long>(index)) % len);
		return index;
	};
	long long start = resolve(nStart);
	long long end = resolve(nEnd);
	if (end > len)
		end %= len;
	if (start >= len || end <= start)
		return;
	long long count = end - start;
	if (count > nSize - 1)
		count = nSize - 1;
	memcpy(pOut, pText + start, static_cast<size_t>(count));
	pOut[count] = '\0';
}

void V_Left(const char *pText, int n, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return;
	pOut[0] = '\0';
	if (!pText || n <= 0)
		return;
	V_strncpy(pOut, pText, n + 1 < nSize ? n + 1 : nSize);
}

void V_Right(const char *pText, int n, char *pOut, int nSize)
{
	if (!pOut || nSize <= 0)
		return;
	pOut[0] = '\0';
	if (!pText || n <= 0)
		return;
	size_t len = strlen(pText);
	V_strncpy(pOut, static_cast<size_t>(n) >= len ? pText : pText + len - static_cast<size_t>(n), nSize);
}

char *V_EscapeSpecial(const char *pText)
{
	if (!pText)
		return nullptr;
	std::string out;
	for (const char *p = pText; *p; ++p)
	{
		switch (*p)
		{
		case '\t': out += "\\t"; break;
		case '\n': out += "\\n"; break;
		case '\r': out += "\\r"; break;
		case '"': out += "\\\""; break;
		case '\\': out += "\\\\"; break;
		default: out += *p; break;
		}
	}
	return V_DuplicateN(out.c_str(), -1);
}

void V_Split(const char *pText, const char **ppSeparators, int nSeparators, CUtlVector<char *> &pieces)
{
	pieces.Purge();
	if (!pText)
		return;
	const char *p = pText;
	for (;;)
	{
		const char *best = nullptr;
		size_t bestLen = 0;
		for (int i = 0; i < nSeparators; ++i)
		{
			// An empty separator would match everywhere and never advance: it is skipped.
			if (!ppSeparators[i] || !*ppSeparators[i])
				continue;
			const char *found = V_stristr(p, ppSeparators[i]);
			if (found && (!best || found < best))
			{
				best = found;
				bestLen = strlen(ppSeparators[i]);
			}
		}
		if (!best)
			break;
		if (best > p)
			pieces.AddToTail(V_DuplicateN(p, static_cast<int>(best - p)));
		p = best + bestLen;
	}
	if (*p)
		pieces.AddToTail(V_DuplicateN(p, -1));
}

void V_SplitOne(const char *pText, const char *pSeparator, CUtlVector<char *> &pieces)
{
	V_Split(pText, &pSeparator, 1, pieces);
}

namespace
{
bool TimeText(time_t when, char *pOut, int nSize, bool bClock)
{
	if (!pOut || nSize <= 0)
		return false;
	pOut[0] = '\0';
	if (when <= 0)
		when = time(nullptr);
	struct tm local;
	if (!localtime_r(&when, &local))
		return false;
	if (!bClock)
		return strftime(pOut, static_cast<size_t>(nSize), "%A %b %d", &local) != 0;
	// Room for "a.m." or "p.m." and the terminator is kept back.
	if (nSize <= 6 || strftime(pOut, static_cast<size_t>(nSize - 6), "%I:%M ", &local) == 0)
		return false;
	V_strncat(pOut, local.tm_hour >= 12 ? "p.m." : "a.m.", nSize);
	return true;
}
}

bool V_DateText(time_t when, char *pOut, int nSize)
{
	return TimeText(when, pOut, nSize, false);
}

bool V_ClockText(time_t when, char *pOut, int nSize)
{
	return TimeText(when, pOut, nSize, true);
}

namespace
{
void SwapBytes(char *a, char *b, size_t n)
{
	if (a == b)
		return;
	for (size_t i = 0; i < n; ++i)
	{
		char t = a[i];
		a[i] = b[i];
		b[i] = t;
	}
}
}

void V_SortWithContext(void *pBase, size_t nCount, size_t nSize,
                       int (*compare)(void *pContext, const void *a, const void *b), void *pContext)
{
	if (!pBase || nCount < 2 || nSize == 0 || !compare)
		return;
	char *base = static_cast<char *>(pBase);
	auto at = [base, nSize](size_t i) { return base + i * nSize; };
	auto cmp = [&](size_t i, size_t j) { return compare(pContext, at(i), at(j)); };
	auto swap = [&](size_t i, size_t j) { SwapBytes(at(i), at(j), nSize); };

	// Ranges still to sort, [lo, hi] inclusive; the larger side waits here, so 64 entries do.
	size_t stackLo[64], stackHi[64];
	int depth = 0;
	size_t lo = 0, hi = nCount - 1;
	for (;;)
	{
		while (hi - lo + 1 > 7)
		{
			swap(lo, lo + (hi - lo) / 2);
			if (cmp(lo + 1, hi) > 0)
				swap(lo + 1, hi);
			if (cmp(lo, hi) > 0)
				swap(lo, hi);
			if (cmp(lo + 1, lo) > 0)
				swap(lo + 1, lo);
			// Now a[lo + 1] <= a[lo] <= a[hi]: the front is the pivot.
			size_t i = lo + 1, j = hi;
			for (;;)
			{
				do
					++i;
				while (i <= hi && cmp(i, lo) < 0);
				do
					--j;
				while (j > lo && cmp(j, lo) > 0);
				if (i >= j)
					break;
				swap(i, j);
			}
			swap(lo, j);
			// Continue with the smaller side; push the larger.
			size_t leftCount = j - lo, rightCount = hi - j;
			if (leftCount < rightCount)
			{
				if (rightCount > 1)
				{
					stackLo[depth] = j + 1;
					stackHi[depth++] = hi;
				}
				if (leftCount < 2)
					break;
				hi = j - 1;
			}
			else
			{
				if (leftCount > 1)
				{
					stackLo[depth] = lo;
					stackHi[depth++] = j - 1;
				}
				if (rightCount < 2)
					break;
				lo = j + 1;
			}
		}
		if (hi > lo && hi - lo + 1 <= 7)
		{
			for (size_t k = lo + 1; k <= hi; ++k)
				for (size_t m = k; m > lo && cmp(m - 1, m) > 0; --m)
					swap(m - 1, m);
		}
		if (depth == 0)
			break;
		--depth;
		lo = stackLo[depth];
		hi = stackHi[depth];
	}
}
