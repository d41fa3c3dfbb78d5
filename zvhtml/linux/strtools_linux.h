// String tools that only the Linux build of the HTML plug-in carries, beside the shared ones of
// tier1/strtools.h: debugging wrappers, folding and prefixes, bounded formatting, pretty
// numbers, trimming, iconv conversions, hexadecimal, paths, slicing, splitting, dates and a
// sort with a context argument.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <cwchar>

#include "tier1/strtools.h"
#include "tier1/utlvector.h"

// Debugging wrappers: the file and line are ignored; each forwards to the C library.
void V_SetMem(const char *pFile, int nLine, void *pDest, int nFill, size_t nCount);
void V_CopyMem(const char *pFile, int nLine, void *pDest, const void *pSrc, size_t nCount);
void V_MoveMem(const char *pFile, int nLine, void *pDest, const void *pSrc, size_t nCount);
int V_CompareMem(const char *pFile, int nLine, const void *a, const void *b, size_t nCount);
int V_Length(const char *pFile, int nLine, const char *pText);
char *V_Copy(const char *pFile, int nLine, char *pDest, const char *pSrc);
int V_WideLength(const char *pFile, int nLine, const wchar_t *pText);
// Last occurrence of c, scanning from the end; null when absent.
const char *V_FindLast(const char *pFile, int nLine, const char *pText, char c);
int V_Compare(const char *pFile, int nLine, const char *a, const char *b);
const char *V_Find(const char *pFile, int nLine, const char *pText, const char *pPattern);
wchar_t *V_WideUpper(const char *pFile, int nLine, wchar_t *pText);
wchar_t *V_WideLower(const char *pFile, int nLine, wchar_t *pText);
// 1 when a's element is the larger, -1 when the smaller, 0 when both end together.
int V_WideCompare(const char *pFile, int nLine, const wchar_t *a, const wchar_t *b);

// Case and comparison.
int V_FoldChar(unsigned char c);
// Lower-cases at most n - 1 bytes and terminates after them.
void V_LowerN(char *pText, int n);
// The position after the prefix, or null (without / with regard to case).
const char *V_AfterPrefix(const char *pText, const char *pPrefix);
const char *V_AfterPrefixExact(const char *pText, const char *pPrefix);
// "0x" hexadecimal, a quote and one character (its code), or decimal digits; else 0.
uint64_t V_ParseU64(const char *pText);
// Drops trailing zeros after a "." and then a trailing "."; the new length, or 0 without ".".
int V_TrimFloatZeros(char *pText);
// Case-insensitive search within the first n bytes of the text.
const char *V_FindNoCaseN(const char *pText, const char *pPattern, int n);
// First c within the first n bytes, stopping at a terminator.
const char *V_FindCharN(const char *pText, char c, int n);

// Bounded formatting: on truncation or error the last element is a terminator and the size is
// returned, else the length.
int V_snwprintf(wchar_t *pDest, int nMaxChars, const wchar_t *pFormat, ...);
int V_vsnprintf(char *pDest, int nSize, const char *pFormat, va_list args);
int V_vsnprintfTruncated(char *pDest, int nSize, const char *pFormat, va_list args, bool *pbTruncated);
// Wide V_strncat: the destination's size in bytes, at most nMaxChars elements (negative: all).
wchar_t *V_wcsncat(wchar_t *pDest, const wchar_t *pSrc, int nDestSizeInBytes, int nMaxChars = COPY_ALL_CHARACTERS);
// "1.5 KB", "999 bytes", "1,024 MB": from a ring of eight static buffers.
const char *V_PrettyBytes(float flValue, int nDecimals, bool bPowersOfTwo);
// "1,234,567", "-1,000": from its own ring of eight static buffers.
const char *V_PrettyNumber(int64_t nValue);

// White space: trailing white space (and, aggressively, invisible characters) and leading
// white space are removed; true when anything was.
bool V_IsInvisibleChar(uint32_t codePoint);
bool V_TrimWideInPlace(wchar_t *pText);
bool V_TrimWideAggressive(wchar_t *pText);
bool V_TrimInPlace(char *pText);
bool V_TrimAggressive(char *pText);

// iconv conversions: -1 when the converter cannot be opened, 0 on a conversion error.
int V_UCS2ToWide(const uint16_t *pSrc, int nSrcBytes, wchar_t *pDest, int nDestBytes);
int V_WideToUCS2(const wchar_t *pSrc, int nSrcBytes, uint16_t *pDest, int nDestBytes);
int V_UCS2ToUTF8(const uint16_t *pSrc, int nSrcBytes, char *pDest, int nDestBytes);
int V_UTF8ToUCS2(const char *pSrc, int nSrcBytes, uint16_t *pDest, int nDestBytes);
// mbstowcs for nDestBytes / 4 elements; the result is always terminated.
int V_MultiToWide(const char *pSrc, int nIgnored, wchar_t *pDest, int nDestBytes);

// Hexadecimal.
int V_HexDigit(char c);
// The bytes written.
int V_HexToBytes(const char *pText, int nLength, unsigned char *pOut, int nOutSize);
void V_BytesToHex(const unsigned char *pBytes, int nBytes, char *pOut, int nOutSize);

// Paths, with "/" as the separator.
bool V_IsSlash(char c);
void V_DropTrailingSlash(char *pPath);
void V_DropLastDirectory(char *pPath);
void V_CollapseSlashes(char *pPath);
bool V_DirectoryOf(char *pPath, int nSize);
void V_FileNameOf(const char *pPath);
void V_FileNameOf(char *pPath);
bool V_PathOf(const char *pPath, char *pOut, int nSize);
void V_ExtensionOf(const char *pPath, char *pOut, int nSize);
bool V_RemoveDotSegments(char *pPath, char separator, bool bCollapse);
void V_AppendSlash(char *pPath, int nSize);
void V_JoinPath(const char *pDirectory, const char *pFile, char *pOut, int nSize);
void V_MakeAbsolutePath(char *pOut, int nSize, const char *pPath, const char *pBase = nullptr);
bool V_MakeRelativePath(const char *pPath, const char *pBase, char *pOut, int nSize);
bool V_NormalisePath(char *pOut, int nSize, const char *pPath);

// Other text operations.
bool V_Replace(const char *pText, const char *pFind, const char *pReplacement, char *pOut, int nSize,
               bool bCaseSensitive);
// new[] copy of at most n characters (-1: all).
char *V_DuplicateN(const char *pText, int n);
bool V_GetWorkingDirectory(char *pOut, int nSize);
bool V_SetWorkingDirectory(const char *pPath);
void V_Slice(const char *pText, int nStart, int nEnd, char *pOut, int nSize);
void V_Left(const char *pText, int n, char *pOut, int nSize);
void V_Right(const char *pText, int n, char *pOut, int nSize);
// new[] copy with tab, line feed, carriage return, quote and backslash escaped.
char *V_EscapeSpecial(const char *pText);
// Pieces between separators (new[] strings the caller frees); empty pieces are skipped.
void V_Split(const char *pText, const char **ppSeparators, int nSeparators, CUtlVector<char *> &pieces);
void V_SplitOne(const char *pText, const char *pSeparator, CUtlVector<char *> &pieces);
// "Monday Jan 05" and "09:30 a.m."; a time of 0 or less means now.
bool V_DateText(time_t when, char *pOut, int nSize);
bool V_ClockText(time_t when, char *pOut, int nSize);
// In-place quicksort without recursion; compare receives the context first.
void V_SortWithContext(void *pBase, size_t nCount, size_t nSize,
                       int (*compare)(void *pContext, const void *a, const void *b), void *pContext);
