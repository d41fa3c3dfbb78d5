// CUtlBuffer: byte stream with get/put positions, text scanning and escape tables.
#include "tier1/utlbuffer.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// Escape tables

CUtlCharConversion::CUtlCharConversion(char nEscapeChar, const char *pDelimiter, int nCount,
                                       const ConversionArray_t *pArray)
    : m_nEscapeChar(nEscapeChar),
      m_pDelimiter(pDelimiter),
      m_nDelimiterLength(static_cast<int>(strlen(pDelimiter))),
      m_nCount(nCount),
      m_nMaxConversionLength(0)
{
    memset(m_pList, 0, sizeof(m_pList));
    memset(m_pReplacements, 0, sizeof(m_pReplacements));
    for (int i = 0; i < nCount; ++i) {
        unsigned char c = static_cast<unsigned char>(pArray[i].m_nActualChar);
        m_pList[i] = pArray[i].m_nActualChar;
        m_pReplacements[c].m_pReplacementString = pArray[i].m_pReplacementString;
        m_pReplacements[c].m_nLength = static_cast<int>(strlen(pArray[i].m_pReplacementString));
        if (m_pReplacements[c].m_nLength > m_nMaxConversionLength)
            m_nMaxConversionLength = m_pReplacements[c].m_nLength;
    }
}

const char *CUtlCharConversion::GetConversionString(char c) const
{
    return m_pReplacements[static_cast<unsigned char>(c)].m_pReplacementString;
}

int CUtlCharConversion::GetConversionLength(char c) const
{
    return m_pReplacements[static_cast<unsigned char>(c)].m_nLength;
}

// General lookup: the longest replacement text that starts pString.
char CUtlCharConversion::FindConversion(const char *pString, int *pLength)
{
    int best = -1;
    for (int i = 0; i < m_nCount; ++i) {
        const ConversionInfo_t &info = m_pReplacements[static_cast<unsigned char>(m_pList[i])];
        if (info.m_nLength > 0 && strncmp(pString, info.m_pReplacementString, info.m_nLength) == 0 &&
            (best < 0 || info.m_nLength > m_pReplacements[static_cast<unsigned char>(m_pList[best])].m_nLength))
            best = i;
    }
    if (best < 0) {
        *pLength = 0;
        return 0;
    }
    *pLength = m_pReplacements[static_cast<unsigned char>(m_pList[best])].m_nLength;
    return m_pList[best];
}

CUtlCStringConversion::CUtlCStringConversion(char nEscapeChar, const char *pDelimiter, int nCount,
                                             const ConversionArray_t *pArray)
    : CUtlCharConversion(nEscapeChar, pDelimiter, nCount, pArray)
{
    memset(m_pConversion, 0, sizeof(m_pConversion));
    for (int i = 0; i < nCount; ++i)
        m_pConversion[static_cast<unsigned char>(pArray[i].m_pReplacementString[0])] = pArray[i].m_nActualChar;
}

char CUtlCStringConversion::FindConversion(const char *pString, int *pLength)
{
    char c = m_pConversion[static_cast<unsigned char>(pString[0])];
    *pLength = c != 0 ? 1 : 0;
    return c;
}

char CUtlNoEscConversion::FindConversion(const char *pString, int *pLength)
{
    *pLength = 0;
    return 0;
}

namespace {

const CUtlCharConversion::ConversionArray_t s_pCStringConversions[] = {
    {'\n', "n"}, {'\t', "t"}, {'\v', "v"}, {'\b', "b"}, {'\r', "r"}, {'\f', "f"},
    {'\a', "a"}, {'\\', "\\"}, {'\?', "\?"}, {'\'', "\'"}, {'\"', "\""},
};

const CUtlCharConversion::ConversionArray_t s_pNoEscConversions[] = {
    {'\x7F', ""},
};

CUtlCStringConversion s_CStringCharConversion('\\', "\"", 11, s_pCStringConversions);
CUtlNoEscConversion s_NoEscConversion('\x7F', "\"", 1, s_pNoEscConversions);

bool IsSpace(unsigned char c)
{
    return isspace(c) != 0;
}

}  // namespace

CUtlCharConversion *GetCStringCharConversion()
{
    return &s_CStringCharConversion;
}

CUtlCharConversion *GetNoEscCharConversion()
{
    return &s_NoEscConversion;
}

// ---------------------------------------------------------------------------------------------
// Construction and memory

CUtlBuffer::CUtlBuffer(int nGrowSize, int nInitSize, int nFlags)
    : m_pMemory(nullptr),
      m_nAllocationCount(0),
      m_nGrowSize(nGrowSize < 0 ? 0 : nGrowSize),
      m_Flags(static_cast<unsigned char>(nFlags)),
      m_byteSwap(0),
      m_bBigEndian(0)
{
    if (nInitSize > 0) {
        m_pMemory = static_cast<unsigned char *>(malloc(static_cast<size_t>(nInitSize)));
        m_nAllocationCount = nInitSize;
        if (!IsReadOnly()) {
            m_nMaxPut = -1;
            AddNullTermination();
        }
    }
}

CUtlBuffer::CUtlBuffer(const void *pBuffer, int nSize, int nFlags)
    : m_pMemory(static_cast<unsigned char *>(const_cast<void *>(pBuffer))),
      m_nAllocationCount(pBuffer && nSize > 0 ? nSize : 0),
      m_nGrowSize(-1),
      m_Flags(static_cast<unsigned char>(nFlags)),
      m_byteSwap(0),
      m_bBigEndian(0)
{
    if (IsReadOnly()) {
        m_nMaxPut = m_nAllocationCount;
    } else {
        m_nMaxPut = -1;
        AddNullTermination();
    }
}

CUtlBuffer::~CUtlBuffer()
{
    FreeOwnedMemory();
}

void CUtlBuffer::FreeOwnedMemory()
{
    if (m_nGrowSize >= 0)
        free(m_pMemory);
    m_pMemory = nullptr;
    m_nAllocationCount = 0;
}

void CUtlBuffer::SetBufferType(bool bIsText, bool bContainsCRLF)
{
    if (bIsText)
        m_Flags |= TEXT_BUFFER;
    else
        m_Flags &= ~TEXT_BUFFER;
    if (bContainsCRLF)
        m_Flags |= CONTAINS_CRLF;
    else
        m_Flags &= ~CONTAINS_CRLF;
}

void CUtlBuffer::SetExternalBuffer(void *pMemory, int nSize, int nInitialPut, int nFlags)
{
    FreeOwnedMemory();
    m_nGrowSize = -1;
    m_pMemory = static_cast<unsigned char *>(pMemory);
    m_nAllocationCount = pMemory && nSize > 0 ? nSize : 0;
    m_Get = 0;
    m_Put = nInitialPut < 0 ? 0 : (nInitialPut > m_nAllocationCount ? m_nAllocationCount : nInitialPut);
    m_Error = 0;
    m_nTab = 0;
    m_nOffset = 0;
    m_Flags = static_cast<unsigned char>(nFlags);
    m_nMaxPut = -1;
    AddNullTermination();
}

void CUtlBuffer::AssumeMemory(void *pMemory, int nSize, int nInitialPut, int nFlags)
{
    // Ownership of the new block follows the buffer's current grow size.
    if (m_nGrowSize >= 0 && m_pMemory != pMemory)
        free(m_pMemory);
    m_pMemory = static_cast<unsigned char *>(pMemory);
    m_nAllocationCount = pMemory && nSize > 0 ? nSize : 0;
    m_Get = 0;
    m_Put = nInitialPut < 0 ? 0 : (nInitialPut > m_nAllocationCount ? m_nAllocationCount : nInitialPut);
    m_Error = 0;
    m_nTab = 0;
    m_nOffset = 0;
    m_Flags = static_cast<unsigned char>(nFlags);
    m_nMaxPut = -1;
    AddNullTermination();
}

void CUtlBuffer::SetOverflowFuncs(UtlBufferOverflowFunc_t getFunc, UtlBufferOverflowFunc_t putFunc)
{
    m_GetOverflowFunc = getFunc;
    m_PutOverflowFunc = putFunc;
}

// Grows owned memory until it holds nNeeded bytes: doubling from 32, or multiples of the grow size.
bool CUtlBuffer::GrowMemory(int64_t nNeeded)
{
    if (m_nGrowSize < 0 || nNeeded > INT_MAX)
        return false;
    if (nNeeded <= m_nAllocationCount)
        return true;
    int64_t count;
    if (m_nGrowSize > 0) {
        count = ((nNeeded - 1) / m_nGrowSize + 1) * static_cast<int64_t>(m_nGrowSize);
    } else {
        count = m_nAllocationCount > 0 ? m_nAllocationCount : 32;
        while (count < nNeeded)
            count *= 2;
    }
    if (count > INT_MAX)
        count = INT_MAX;
    void *p = realloc(m_pMemory, static_cast<size_t>(count));
    if (!p)
        return false;
    m_pMemory = static_cast<unsigned char *>(p);
    m_nAllocationCount = static_cast<int>(count);
    return true;
}

bool CUtlBuffer::GetOverflow(int nSize)
{
    return false;
}

bool CUtlBuffer::PutOverflow(int nSize)
{
    if (m_nGrowSize < 0) {
        if (!(m_Flags & EXTERNAL_GROWABLE))
            return false;
        // Copy the caller's block into owned memory first.
        unsigned char *pOwned = nullptr;
        if (m_nAllocationCount > 0) {
            pOwned = static_cast<unsigned char *>(malloc(static_cast<size_t>(m_nAllocationCount)));
            if (!pOwned)
                return false;
            memcpy(pOwned, m_pMemory, static_cast<size_t>(m_nAllocationCount));
        }
        m_pMemory = pOwned;
        m_nGrowSize = 0;
    }
    if (nSize < 0)  // a seek's flush request: no room needed
        return true;
    return GrowMemory(static_cast<int64_t>(m_Put) + nSize - m_nOffset);
}

// ---------------------------------------------------------------------------------------------
// Get side

bool CUtlBuffer::CheckGet(int nSize)
{
    if (m_Error & GET_OVERFLOW)
        return false;
    int64_t end = static_cast<int64_t>(m_Get) + nSize;
    if (end > m_nMaxPut || nSize < 0) {
        m_Error |= GET_OVERFLOW;
        return false;
    }
    if (m_Get < m_nOffset || end - m_nOffset > m_nAllocationCount) {
        if (!OnGetOverflow(nSize)) {
            m_Error |= GET_OVERFLOW;
            return false;
        }
    }
    return true;
}

bool CUtlBuffer::CheckPeekGet(int nOffset, int nSize)
{
    int64_t pos = static_cast<int64_t>(m_Get) + nOffset;
    bool ok = false;
    m_Error &= ~GET_OVERFLOW;
    if (pos >= INT_MIN && pos <= INT_MAX) {
        int saved = m_Get;
        m_Get = static_cast<int>(pos);
        ok = CheckGet(nSize);
        m_Get = saved;
    }
    m_Error &= ~GET_OVERFLOW;
    return ok;
}

const void *CUtlBuffer::PeekGet(int nSize, int nOffset)
{
    if (!CheckPeekGet(nOffset, nSize))
        return nullptr;
    return m_pMemory + (m_Get + nOffset - m_nOffset);
}

bool CUtlBuffer::PeekStringMatch(int nOffset, const char *pString, int nLen)
{
    const void *p = PeekGet(nLen, nOffset);
    return p && memcmp(p, pString, static_cast<size_t>(nLen)) == 0;
}

void CUtlBuffer::Get(void *pMem, int nSize)
{
    if (nSize > 0 && CheckGet(nSize)) {
        memcpy(pMem, m_pMemory + (m_Get - m_nOffset), static_cast<size_t>(nSize));
        m_Get += nSize;
    }
}

// One byte in either mode (what GetType with "%c" reads), without the formatted-scan detour.
char CUtlBuffer::GetChar()
{
    if (IsText() ? m_Error != 0 : (m_Error & GET_OVERFLOW) != 0)
        return 0;
    if (m_Get < m_nMaxPut && m_Get >= m_nOffset && m_Get - m_nOffset < m_nAllocationCount)
        return static_cast<char>(m_pMemory[m_Get++ - m_nOffset]);
    char c = 0;
    if (IsText())
        Scanf("%c", &c);
    else
        Get(&c, 1);
    return c;
}

void CUtlBuffer::GetType(char &c, const char *pFormat)
{
    c = 0;
    if (IsText())
        Scanf(pFormat, &c);
    else
        Get(&c, 1);
}

void CUtlBuffer::SeekGet(SeekType_t type, int offset)
{
    int64_t pos;
    switch (type) {
    case SEEK_HEAD: pos = offset; break;
    case SEEK_CURRENT: pos = static_cast<int64_t>(m_Get) + offset; break;
    case SEEK_TAIL: pos = static_cast<int64_t>(m_nMaxPut) - offset; break;
    default: return;
    }
    if (pos > m_nMaxPut || pos < INT_MIN) {
        m_Error |= GET_OVERFLOW;
        return;
    }
    m_Get = static_cast<int>(pos);
    m_Error &= ~GET_OVERFLOW;
    if (m_Get < m_nOffset || m_Get - m_nOffset > m_nAllocationCount)
        OnGetOverflow(-1);
}

void CUtlBuffer::EatWhiteSpace()
{
    if (!IsText() || !IsValid())
        return;
    while (CheckGet(1)) {  // a miss here only means the end of the data
        if (!IsSpace(m_pMemory[m_Get - m_nOffset]))
            break;
        ++m_Get;
    }
    m_Error &= ~GET_OVERFLOW;
}

bool CUtlBuffer::EatCPPComment()
{
    if (!IsText() || !IsValid())
        return false;
    if (!PeekStringMatch(0, "//", 2))
        return false;
    m_Get += 2;
    while (CheckPeekGet(0, 1)) {
        char c = static_cast<char>(m_pMemory[m_Get - m_nOffset]);
        ++m_Get;
        if (c == '\n')
            break;
    }
    return true;
}

int CUtlBuffer::PeekStringLength()
{
    if (!IsValid())
        return 0;
    int nStart = 0;
    if (IsText()) {
        while (CheckPeekGet(nStart, 1) && IsSpace(m_pMemory[m_Get + nStart - m_nOffset]))
            ++nStart;
    }
    int n = nStart;
    for (;;) {
        if (!CheckPeekGet(n, 1))  // runs to the end of the data
            return n > nStart ? n - nStart + 1 : 0;
        unsigned char c = m_pMemory[m_Get + n - m_nOffset];
        if (c == 0 || (IsText() && IsSpace(c)))
            return n - nStart + 1;
        ++n;
    }
}

void CUtlBuffer::GetString(char *pString, int nMaxChars)
{
    if (!IsValid()) {
        if (pString)
            pString[0] = 0;
        return;
    }
    int nLen = PeekStringLength();
    if (IsText())
        EatWhiteSpace();
    if (nLen == 0) {
        if (pString)
            pString[0] = 0;
        m_Error |= GET_OVERFLOW;
        return;
    }
    if (nMaxChars > 0 && nLen > nMaxChars) {
        Get(pString, nMaxChars - 1);
        pString[nMaxChars - 1] = 0;
        SeekGet(SEEK_CURRENT, nLen - 1 - (nMaxChars - 1));
    } else {
        Get(pString, nLen - 1);
        pString[nLen - 1] = 0;
    }
    if (!IsText()) {
        char terminator;
        Get(&terminator, 1);
    }
}

char CUtlBuffer::GetDelimitedCharInternal(CUtlCharConversion *pConv)
{
    char c = GetChar();
    if (!pConv || c != pConv->GetEscapeChar())
        return c;
    // Look at up to the longest replacement, limited to the data left.
    char lookahead[64];
    int nLen = pConv->MaxConversionLength();
    if (nLen > static_cast<int>(sizeof(lookahead)) - 1)
        nLen = static_cast<int>(sizeof(lookahead)) - 1;
    int nLeft = m_nMaxPut - m_Get;
    if (nLen > nLeft)
        nLen = nLeft < 0 ? 0 : nLeft;
    if (nLen > 0 && IsValid() && CheckPeekGet(0, nLen))
        memcpy(lookahead, m_pMemory + (m_Get - m_nOffset), static_cast<size_t>(nLen));
    else
        nLen = 0;
    lookahead[nLen] = 0;
    int nUsed = 0;
    c = pConv->FindConversion(lookahead, &nUsed);
    if (nUsed > nLen)
        nUsed = nLen;
    if (nUsed > 0)
        SeekGet(SEEK_CURRENT, nUsed);
    return c;
}

void CUtlBuffer::GetDelimitedString(CUtlCharConversion *pConv, char *pString, int nMaxChars)
{
    if (!IsText() || !pConv) {
        GetString(pString, nMaxChars);
        return;
    }
    if (!IsValid()) {
        if (pString)
            pString[0] = 0;
        return;
    }
    EatWhiteSpace();
    const char *pDelim = pConv->GetDelimiter();
    int nDelimLen = pConv->GetDelimiterLength();
    if (!PeekStringMatch(0, pDelim, nDelimLen))
        return;
    SeekGet(SEEK_CURRENT, nDelimLen);

    int nRead = 0;
    while (IsValid() && !PeekStringMatch(0, pDelim, nDelimLen)) {
        char c = GetDelimitedCharInternal(pConv);
        if (nMaxChars == 0 || nRead < nMaxChars)
            pString[nRead++] = c;
    }
    if (PeekStringMatch(0, pDelim, nDelimLen))
        SeekGet(SEEK_CURRENT, nDelimLen);
    if (nMaxChars > 0 && nRead >= nMaxChars)
        nRead = nMaxChars - 1;
    pString[nRead] = 0;
}

int CUtlBuffer::Scanf(const char *pFmt, ...)
{
    va_list args;
    va_start(args, pFmt);
    int n = VaScanf(pFmt, args);
    va_end(args);
    return n;
}

int CUtlBuffer::VaScanf(const char *pFmt, va_list list)
{
    if (!IsText() || !IsValid() || !pFmt)
        return 0;

    int nCount = 0;
    for (const char *p = pFmt;; ++p) {
        char c = *p;
        if (c == 0)
            break;
        if (m_Get >= m_nMaxPut) {
            m_Error |= GET_OVERFLOW;
            break;
        }
        if (c == ' ') {
            EatWhiteSpace();
            continue;
        }
        if (c != '%') {
            if (!PeekStringMatch(0, &c, 1))
                break;
            ++m_Get;
            continue;
        }

        // '%', an optional width, a conversion letter
        int nWidth = 0;
        ++p;
        while (*p >= '0' && *p <= '9') {
            if (nWidth < 100000000)
                nWidth = nWidth * 10 + (*p - '0');
            ++p;
        }
        char conv = *p;
        if (conv == 'c') {
            char *pOut = va_arg(list, char *);
            if (!CheckPeekGet(0, 1)) {
                *pOut = 0;
                break;
            }
            *pOut = static_cast<char>(m_pMemory[m_Get - m_nOffset]);
            ++m_Get;
            ++nCount;
            continue;
        }
        if (conv == 's') {
            // Only with a width: a string is never stored without a bound.
            if (nWidth <= 0)
                break;
            char *pOut = va_arg(list, char *);
            GetString(pOut, nWidth + 1);
            ++nCount;
            continue;
        }
        if (conv != 'd' && conv != 'i' && conv != 'u' && conv != 'x' && conv != 'f')
            break;

        // Numbers look at most 128 bytes ahead.
        char window[129];
        int nAvail = m_nMaxPut - m_Get;
        if (nAvail > 128)
            nAvail = 128;
        if (nAvail < 0 || !CheckPeekGet(0, nAvail))
            nAvail = 0;
        if (nAvail > 0)
            memcpy(window, m_pMemory + (m_Get - m_nOffset), static_cast<size_t>(nAvail));
        window[nAvail] = 0;
        char *pEnd = window;
        switch (conv) {
        case 'd':
        case 'i': {
            int *pOut = va_arg(list, int *);
            *pOut = nAvail ? static_cast<int>(strtol(window, &pEnd, 10)) : 0;
            break;
        }
        case 'u': {
            unsigned int *pOut = va_arg(list, unsigned int *);
            *pOut = nAvail ? static_cast<unsigned int>(strtoul(window, &pEnd, 10)) : 0;
            break;
        }
        case 'x': {
            int *pOut = va_arg(list, int *);
            *pOut = nAvail ? static_cast<int>(strtol(window, &pEnd, 16)) : 0;
            break;
        }
        case 'f': {
            float *pOut = va_arg(list, float *);
            *pOut = nAvail ? static_cast<float>(strtod(window, &pEnd)) : 0.0f;
            break;
        }
        }
        if (pEnd == window)
            break;
        m_Get += static_cast<int>(pEnd - window);
        ++nCount;
    }
    return nCount;
}

// ---------------------------------------------------------------------------------------------
// Put side

bool CUtlBuffer::CheckPut(int nSize)
{
    // A read-only buffer may lie over memory that must not change (a string literal).
    if ((m_Error & PUT_OVERFLOW) || IsReadOnly())
        return false;
    // A put position before the block writes nothing: it is an overflow.
    if (m_Put < m_nOffset || nSize < 0) {
        m_Error |= PUT_OVERFLOW;
        return false;
    }
    if (static_cast<int64_t>(m_Put) - m_nOffset + nSize > m_nAllocationCount) {
        if (!OnPutOverflow(nSize)) {
            m_Error |= PUT_OVERFLOW;
            return false;
        }
    }
    return true;
}

void CUtlBuffer::Put(const void *pMem, int nSize)
{
    if (nSize <= 0 || (m_Error & PUT_OVERFLOW) || IsReadOnly())
        return;
    if (!CheckPut(nSize))
        return;
    memcpy(m_pMemory + (m_Put - m_nOffset), pMem, static_cast<size_t>(nSize));
    m_Put += nSize;
    AddNullTermination();
}

void CUtlBuffer::SeekPut(SeekType_t type, int offset)
{
    int64_t pos;
    switch (type) {
    case SEEK_HEAD: pos = offset; break;
    case SEEK_CURRENT: pos = static_cast<int64_t>(m_Put) + offset; break;
    case SEEK_TAIL: pos = static_cast<int64_t>(m_nMaxPut) - offset; break;
    default: return;
    }
    if (pos < m_nOffset || pos > INT_MAX) {
        // Never a position before the block (or beyond what a position can hold).
        m_Error |= PUT_OVERFLOW;
        return;
    }
    OnPutOverflow(~static_cast<int>(pos));
    m_Put = static_cast<int>(pos);
    AddNullTermination();
}

void CUtlBuffer::AddNullTermination()
{
    if (m_Put <= m_nMaxPut)
        return;
    if (!IsReadOnly() && !(m_Error & PUT_OVERFLOW) && m_Put >= m_nOffset) {
        bool room = static_cast<int64_t>(m_Put) - m_nOffset + 1 <= m_nAllocationCount || OnPutOverflow(1);
        if (room)
            m_pMemory[m_Put - m_nOffset] = 0;
    }
    m_nMaxPut = m_Put;
}
