// The CUtlBuffer members that only the Linux build of the HTML plug-in carries: capacity and
// arbitrary peeks, lines, text searches, tokens, printf-style and delimited output with
// automatic tabs, swapping and adopting memory, line-end conversion and byte order.
#include "tier1/utlbuffer.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "strtools_linux.h"

namespace
{
bool IsWhite(unsigned char c)
{
	return isspace(c) != 0;
}
}

// ---- Capacity and peeks ----------------------------------------------------------------------

void CUtlBuffer::EnsureCapacity(int num)
{
	if (num < 0)
		return;
	int64_t needed = static_cast<int64_t>(num) + 1;  // room for a terminator
	if (needed > INT_MAX)
		return;
	if (m_nGrowSize < 0)
	{
		if (!(m_Flags & EXTERNAL_GROWABLE) || m_nAllocationCount >= needed)
			return;
		unsigned char *pOwned = nullptr;
		if (m_nAllocationCount > 0)
		{
			pOwned = static_cast<unsigned char *>(malloc(static_cast<size_t>(m_nAllocationCount)));
			if (!pOwned)
				return;
			memcpy(pOwned, m_pMemory, static_cast<size_t>(m_nAllocationCount));
		}
		m_pMemory = pOwned;
		m_nGrowSize = 0;
	}
	if (m_nAllocationCount >= needed)
		return;
	void *p = realloc(m_pMemory, static_cast<size_t>(needed));
	if (!p)
		return;
	m_pMemory = static_cast<unsigned char *>(p);
	m_nAllocationCount = static_cast<int>(needed);
}

bool CUtlBuffer::CheckArbitraryPeek(int nOffset, int &nIncrement)
{
	int64_t pos = static_cast<int64_t>(m_Get) + nOffset;
	if (pos >= m_nMaxPut || pos < m_nOffset || nIncrement <= 0)
	{
		nIncrement = 0;
		return false;
	}
	if (nIncrement > m_nMaxPut - pos)
		nIncrement = static_cast<int>(m_nMaxPut - pos);
	CheckPeekGet(nOffset, nIncrement);
	int64_t readable = m_nAllocationCount - (pos - m_nOffset);
	if (nIncrement > readable)
		nIncrement = readable > 0 ? static_cast<int>(readable) : 0;
	return nIncrement > 0;
}

int CUtlBuffer::GetUpTo(void *pMem, int nSize)
{
	if (!pMem || !CheckArbitraryPeek(0, nSize))
		return 0;
	memcpy(pMem, m_pMemory + (m_Get - m_nOffset), static_cast<size_t>(nSize));
	m_Get += nSize;
	return nSize;
}

bool CUtlBuffer::PeekMatches(int nOffset, const char *pText, int nLen)
{
	return pText && nLen >= 0 && PeekStringMatch(nOffset, pText, nLen);
}

int CUtlBuffer::PeekPastWhiteSpace(int nOffset)
{
	if (!IsText() || !IsValid())
		return 0;
	while (CheckPeekGet(nOffset, 1) && IsWhite(m_pMemory[m_Get + nOffset - m_nOffset]))
		++nOffset;
	return nOffset;
}

int CUtlBuffer::PeekLineLength()
{
	if (!IsValid())
		return 0;
	int nCount = 0;
	for (;;)
	{
		int nPeek = 128;
		if (!CheckArbitraryPeek(nCount, nPeek))
			return nCount ? nCount + 1 : 0;
		const unsigned char *p = m_pMemory + (m_Get + nCount - m_nOffset);
		for (int i = 0; i < nPeek; ++i)
		{
			if (p[i] == 0)
				return nCount + i + 1;
			if (p[i] == '\n' || p[i] == '\r')
				return nCount + i + 2;
		}
		nCount += nPeek;
	}
}

int CUtlBuffer::PeekDelimitedLength(CUtlCharConversion *pConv, bool bActualSize)
{
	if (!IsText() || !pConv)
		return PeekStringLength();
	int nOffset = PeekPastWhiteSpace(0);
	int nDelimLen = pConv->GetDelimiterLength();
	if (!PeekMatches(nOffset, pConv->GetDelimiter(), nDelimLen))
		return 0;
	int nStart = nOffset;
	nOffset += nDelimLen;
	int nChars = 0;
	char escape = pConv->GetEscapeChar();
	while (CheckPeekGet(nOffset, 1))
	{
		if (PeekMatches(nOffset, pConv->GetDelimiter(), nDelimLen))
		{
			nOffset += nDelimLen;
			break;
		}
		if (static_cast<char>(m_pMemory[m_Get + nOffset - m_nOffset]) == escape)
		{
			// An escape followed by a known escape text is one character.
			char lookahead[64];
			int nLen = pConv->MaxConversionLength();
			if (nLen > static_cast<int>(sizeof(lookahead)) - 1)
				nLen = static_cast<int>(sizeof(lookahead)) - 1;
			if (!CheckArbitraryPeek(nOffset + 1, nLen))
				nLen = 0;
			if (nLen > 0)
				memcpy(lookahead, m_pMemory + (m_Get + nOffset + 1 - m_nOffset), static_cast<size_t>(nLen));
			lookahead[nLen] = 0;
			int nUsed = 0;
			pConv->FindConversion(lookahead, &nUsed);
			nOffset += 1 + (nUsed > 0 && nUsed <= nLen ? nUsed : 0);
		}
		else
		{
			++nOffset;
		}
		++nChars;
	}
	return bActualSize ? nChars + 1 : nOffset - nStart + 1;
}

void CUtlBuffer::GetLine(char *pLine, int nMaxChars)
{
	if (!pLine)
		return;
	if (!IsValid())
	{
		pLine[0] = 0;
		return;
	}
	int nLen = PeekLineLength();
	if (nLen == 0)
	{
		pLine[0] = 0;
		m_Error |= GET_OVERFLOW;
		return;
	}
	if (nMaxChars > 0 && nMaxChars < nLen)
	{
		Get(pLine, nMaxChars - 1);
		pLine[nMaxChars - 1] = 0;
		SeekGet(SEEK_CURRENT, nLen - 1 - (nMaxChars - 1));
	}
	else
	{
		Get(pLine, nLen - 1);
		pLine[nLen - 1] = 0;
	}
}

bool CUtlBuffer::FindText(const char *pText)
{
	if (!pText)
		return false;
	int nTextLen = static_cast<int>(strlen(pText));
	int nSaved = m_Get;
	int nOffset = 0;
	for (;;)
	{
		int nWindow = INT_MAX;
		if (!CheckArbitraryPeek(nOffset, nWindow) || nWindow < nTextLen)
			break;
		const char *p = reinterpret_cast<const char *>(m_pMemory + (m_Get + nOffset - m_nOffset));
		// The window may hold zero bytes: each run between them is searched on its own.
		for (int nRun = 0; nRun < nWindow;)
		{
			const char *pFound = V_FindNoCaseN(p + nRun, pText, nWindow - nRun);
			if (pFound)
			{
				m_Get += nOffset + static_cast<int>(pFound - p) + nTextLen;
				return true;
			}
			const void *pZero = memchr(p + nRun, 0, static_cast<size_t>(nWindow - nRun));
			if (!pZero)
				break;
			nRun = static_cast<int>(static_cast<const char *>(pZero) - p) + 1;
		}
		if (nTextLen == 0)
			break;
		nOffset += nWindow - nTextLen + 1;
	}
	m_Get = nSaved;
	return false;
}

bool CUtlBuffer::GetBetween(const char *pStart, const char *pEnd, char *pOut, int nMaxChars)
{
	if (pOut && nMaxChars > 0)
		pOut[0] = 0;
	if (!pStart || !pEnd || !IsValid())
		return false;
	int nSaved = m_Get;
	auto skipWhite = [this] {
		while (CheckPeekGet(0, 1) && IsWhite(m_pMemory[m_Get - m_nOffset]))
			++m_Get;
	};
	skipWhite();
	for (const char *p = pStart; *p; ++p)
	{
		if (IsWhite(static_cast<unsigned char>(*p)))
		{
			// White space in the start text matches any run of it in the buffer.
			if (!CheckPeekGet(0, 1) || !IsWhite(m_pMemory[m_Get - m_nOffset]))
			{
				m_Get = nSaved;
				return false;
			}
			skipWhite();
			while (p[1] && IsWhite(static_cast<unsigned char>(p[1])))
				++p;
			continue;
		}
		if (!CheckPeekGet(0, 1) ||
		    V_FoldChar(m_pMemory[m_Get - m_nOffset]) != V_FoldChar(static_cast<unsigned char>(*p)))
		{
			m_Get = nSaved;
			return false;
		}
		++m_Get;
	}
	skipWhite();
	int nFrom = m_Get;
	if (!FindText(pEnd))
	{
		m_Get = nSaved;
		return false;
	}
	int nLen = m_Get - static_cast<int>(strlen(pEnd)) - nFrom;
	const unsigned char *p = m_pMemory + (nFrom - m_nOffset);
	while (nLen > 0 && IsWhite(p[nLen - 1]))
		--nLen;
	if (pOut && nMaxChars > 0)
	{
		if (nLen > nMaxChars - 1)
			nLen = nMaxChars - 1;
		memcpy(pOut, p, static_cast<size_t>(nLen));
		pOut[nLen] = 0;
	}
	return true;
}

char CUtlBuffer::GetDelimitedChar(CUtlCharConversion *pConv)
{
	if (IsText())
		return GetDelimitedCharInternal(pConv);
	char c = 0;
	Get(&c, 1);
	return c;
}

int CUtlBuffer::ParseToken(const bool *pBreakSet, char *pTokenBuf, int nMaxLen, bool bParseComments)
{
	if (!pTokenBuf || nMaxLen <= 0)
		return -1;
	pTokenBuf[0] = 0;
	if (!IsValid())
		return -1;
	for (;;)
	{
		EatWhiteSpace();
		if (!bParseComments || !EatCPPComment())
			break;
	}
	if (m_Get >= m_nMaxPut)
		return -1;
	char c = GetChar();
	if (c == 0)
		return -1;

	int nLen = 0;
	bool bCut = false;
	auto store = [&](char ch) {
		if (nLen < nMaxLen - 1)
			pTokenBuf[nLen++] = ch;
		else
			bCut = true;
	};
	if (c == '"')
	{
		while (m_Get < m_nMaxPut)
		{
			c = GetChar();
			if (c == '"' || c == 0)
				break;
			store(c);
		}
	}
	else if (pBreakSet && pBreakSet[static_cast<unsigned char>(c)])
	{
		store(c);
	}
	else
	{
		store(c);
		while (m_Get < m_nMaxPut)
		{
			c = GetChar();
			bool bEnds = static_cast<signed char>(c) < '!' || c == '"' ||
			             (pBreakSet && pBreakSet[static_cast<unsigned char>(c)]);
			if (bEnds)
			{
				SeekGet(SEEK_CURRENT, -1);  // the ending character is given back
				break;
			}
			store(c);
		}
	}
	pTokenBuf[nLen] = 0;
	return bCut ? nMaxLen : nLen;
}

bool CUtlBuffer::PeekLine(const char **ppLine, int *pnLength)
{
	int nLen = PeekLineLength();
	if (nLen < 2 || !CheckPeekGet(0, nLen - 1))
	{
		if (m_Get < m_nMaxPut)
			m_Get = m_nMaxPut;
		return false;
	}
	if (ppLine)
		*ppLine = reinterpret_cast<const char *>(m_pMemory + (m_Get - m_nOffset));
	if (pnLength)
		*pnLength = nLen - 1;
	m_Get += nLen - 1;
	return true;
}

char *CUtlBuffer::GetLineInPlace()
{
	// The line is changed in place: memory the caller marked read-only is never written.
	if (IsReadOnly())
		return nullptr;
	const char *pLine = nullptr;
	int nLen = 0;
	if (!PeekLine(&pLine, &nLen))
		return nullptr;
	char *p = const_cast<char *>(pLine);
	if (nLen > 0 && (p[nLen - 1] == '\n' || p[nLen - 1] == '\r'))
	{
		p[--nLen] = 0;
		if (nLen > 0 && (p[nLen - 1] == '\n' || p[nLen - 1] == '\r'))
			p[--nLen] = 0;
	}
	return p;
}

// ---- Writing ---------------------------------------------------------------------------------

bool CUtlBuffer::AtLineStart() const
{
	int nLast = m_Put - 1 - m_nOffset;
	return nLast >= 0 && nLast < m_nAllocationCount && m_pMemory[nLast] == '\n';
}

void CUtlBuffer::PutTabs()
{
	for (int i = 0; i < m_nTab; ++i)
		Put("\t", 1);
}

void CUtlBuffer::PutTextPiece(const char *pText, int nLen)
{
	if (nLen <= 0)
		return;
	if (m_nTab <= 0 || (m_Flags & AUTO_TABS_DISABLED))
	{
		Put(pText, nLen);
		return;
	}
	if (AtLineStart())
		PutTabs();
	const char *pEnd = pText + nLen;
	while (pText < pEnd)
	{
		const char *pLineFeed = static_cast<const char *>(memchr(pText, '\n', static_cast<size_t>(pEnd - pText)));
		if (!pLineFeed || pLineFeed + 1 == pEnd)
		{
			Put(pText, static_cast<int>(pEnd - pText));
			return;
		}
		Put(pText, static_cast<int>(pLineFeed + 1 - pText));
		PutTabs();
		pText = pLineFeed + 1;
	}
}

void CUtlBuffer::PutString(const char *pString)
{
	if (!IsText())
	{
		if (pString)
			Put(pString, static_cast<int>(strlen(pString)) + 1);
		else
			Put("", 1);
		return;
	}
	if (pString)
		PutTextPiece(pString, static_cast<int>(strlen(pString)));
}

void CUtlBuffer::Printf(const char *pFmt, ...)
{
	va_list args;
	va_start(args, pFmt);
	VaPrintf(pFmt, args);
	va_end(args);
}

void CUtlBuffer::VaPrintf(const char *pFmt, va_list list)
{
	char temp[2048];
	V_vsnprintf(temp, sizeof(temp), pFmt, list);
	PutString(temp);
}

void CUtlBuffer::PutDelimitedString(CUtlCharConversion *pConv, const char *pString)
{
	if (!IsText() || !pConv)
	{
		PutString(pString);
		return;
	}
	if (m_nTab > 0 && !(m_Flags & AUTO_TABS_DISABLED) && AtLineStart())
		PutTabs();
	Put(pConv->GetDelimiter(), pConv->GetDelimiterLength());
	for (const char *p = pString ? pString : ""; *p; ++p)
	{
		int nLen = pConv->GetConversionLength(*p);
		if (nLen > 0)
		{
			char escape = pConv->GetEscapeChar();
			Put(&escape, 1);
			Put(pConv->GetConversionString(*p), nLen);
		}
		else
		{
			PutTextPiece(p, 1);
		}
	}
	Put(pConv->GetDelimiter(), pConv->GetDelimiterLength());
}

void CUtlBuffer::PutDelimitedChar(CUtlCharConversion *pConv, char c)
{
	if (!IsText() || !pConv || pConv->GetConversionLength(c) <= 0)
	{
		if (CheckPut(1))
			Put(&c, 1);
		return;
	}
	if (m_nTab > 0 && !(m_Flags & AUTO_TABS_DISABLED) && AtLineStart())
		PutTabs();
	char escape = pConv->GetEscapeChar();
	Put(&escape, 1);
	Put(pConv->GetConversionString(c), pConv->GetConversionLength(c));
}

// ---- Whole buffers ---------------------------------------------------------------------------

namespace
{
template <typename T>
void SwapValues(T &a, T &b)
{
	T t = a;
	a = b;
	b = t;
}
}

void CUtlBuffer::Swap(CUtlBuffer &other)
{
	SwapValues(m_Get, other.m_Get);
	SwapValues(m_Put, other.m_Put);
	SwapValues(m_nMaxPut, other.m_nMaxPut);
	SwapValues(m_Error, other.m_Error);
	SwapValues(m_pMemory, other.m_pMemory);
	SwapValues(m_nAllocationCount, other.m_nAllocationCount);
	SwapValues(m_nGrowSize, other.m_nGrowSize);
	// The offset belongs to the memory block it describes.
	SwapValues(m_nOffset, other.m_nOffset);
}

void CUtlBuffer::TakeMemory(MemoryBlock &block)
{
	SwapValues(m_pMemory, block.pMemory);
	SwapValues(m_nAllocationCount, block.nAllocationCount);
	SwapValues(m_nGrowSize, block.nGrowSize);
	if (!m_pMemory || m_nAllocationCount < 0)
		m_nAllocationCount = 0;
	m_Get = 0;
	m_Put = m_nAllocationCount;
	m_nMaxPut = m_nAllocationCount;
	m_nOffset = 0;
	m_Error = 0;
}

bool CUtlBuffer::ConvertCRLF(CUtlBuffer &outBuf)
{
	if (!IsText() || !outBuf.IsText() || ContainsCRLF() == outBuf.ContainsCRLF() || &outBuf == this)
		return false;
	outBuf.m_Get = 0;
	outBuf.m_Put = outBuf.m_nOffset;
	outBuf.m_nMaxPut = outBuf.m_nOffset;
	outBuf.m_Error = 0;
	outBuf.EnsureCapacity(m_nMaxPut);

	int nOutGet = -1, nOutPut = -1;
	int nLast = m_nMaxPut;
	if (nLast - m_nOffset > m_nAllocationCount)
		nLast = m_nOffset + m_nAllocationCount;
	const char *pData = reinterpret_cast<const char *>(m_pMemory) - m_nOffset;
	bool bFromCRLF = ContainsCRLF();
	int i = m_nOffset;
	int nRun = i;  // start of the bytes not yet copied
	auto flush = [&] {
		if (i > nRun)
			outBuf.PutTextPiece(pData + nRun, i - nRun);
		nRun = i;
	};
	// Positions inside a converted line end map to the end of its replacement.
	auto mark = [&](int nFrom, int nTo) {
		if (m_Get >= nFrom && m_Get <= nTo && nOutGet < 0)
			nOutGet = outBuf.m_Put;
		if (m_Put >= nFrom && m_Put <= nTo && nOutPut < 0)
			nOutPut = outBuf.m_Put;
	};
	for (;;)
	{
		if (i == m_Get || i == m_Put)
		{
			flush();
			mark(i, i);
		}
		if (i >= nLast)
		{
			flush();
			break;
		}
		if (bFromCRLF && pData[i] == '\r' && i + 1 < nLast && pData[i + 1] == '\n')
		{
			flush();
			outBuf.PutTextPiece("\n", 1);
			i += 2;
			nRun = i;
			mark(i - 1, i - 1);
			continue;
		}
		if (!bFromCRLF && pData[i] == '\n')
		{
			flush();
			outBuf.PutTextPiece("\r\n", 2);
			nRun = ++i;
			continue;
		}
		++i;
	}
	if (nOutGet >= 0)
		outBuf.m_Get = nOutGet;
	if (nOutPut >= 0)
		outBuf.m_Put = nOutPut;
	return true;
}

void CUtlBuffer::PurgeMemory()
{
	FreeOwnedMemory();
	if (m_nGrowSize < 0)
		m_nAllocationCount = 0;
	// With no memory left, no position may point into it.
	m_Get = 0;
	m_Put = 0;
	m_nMaxPut = 0;
	m_nOffset = 0;
}

void CUtlBuffer::SetSwapBytes(bool bSwap)
{
	m_byteSwap = bSwap ? 1 : 0;
	m_bBigEndian = bSwap ? 1 : 0;
}

void CUtlBuffer::SetBigEndian(bool bigEndian)
{
	m_byteSwap = bigEndian ? 1 : 0;
	m_bBigEndian = bigEndian ? 1 : 0;
}
