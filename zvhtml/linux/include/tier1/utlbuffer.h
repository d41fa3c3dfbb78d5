// CUtlBuffer as the Linux build of the HTML plug-in carries it: the whole buffer file, that is
// tier1's CUtlBuffer (same fields, same shared members, compiled here from tier1/src/utlbuffer.cpp)
// plus the members only this build has (utlbuffer_linux.cpp). It replaces tier1/utlbuffer.h for this
// library alone; the field layout must stay tier1's, since the engine fills these buffers.
#pragma once

#include <cstdarg>
#include <cstdint>

// An escape table: the escape character, the delimiter and the characters written as
// escape + replacement text.
class CUtlCharConversion
{
public:
    struct ConversionArray_t
    {
        char m_nActualChar;
        const char *m_pReplacementString;
    };

    CUtlCharConversion(char nEscapeChar, const char *pDelimiter, int nCount, const ConversionArray_t *pArray);
    virtual ~CUtlCharConversion() = default;

    char GetEscapeChar() const { return m_nEscapeChar; }
    const char *GetDelimiter() const { return m_pDelimiter; }
    int GetDelimiterLength() const { return m_nDelimiterLength; }
    const char *GetConversionString(char c) const;
    int GetConversionLength(char c) const;
    int MaxConversionLength() const { return m_nMaxConversionLength; }

    // Given the text after an escape character, the character it stands for; *pLength gets the
    // number of bytes used (0 when nothing matched, then the result is 0 too).
    virtual char FindConversion(const char *pString, int *pLength);

protected:
    struct ConversionInfo_t
    {
        int m_nLength;
        const char *m_pReplacementString;
    };

    char m_nEscapeChar;
    const char *m_pDelimiter;
    int m_nDelimiterLength;
    int m_nCount;
    int m_nMaxConversionLength;
    char m_pList[256];
    ConversionInfo_t m_pReplacements[256];
};

// C escapes: backslash, double-quote delimiter, \n \t \v \b \r \f \a \\ \? \' \".
class CUtlCStringConversion : public CUtlCharConversion
{
public:
    CUtlCStringConversion(char nEscapeChar, const char *pDelimiter, int nCount, const ConversionArray_t *pArray);
    char FindConversion(const char *pString, int *pLength) override;

private:
    char m_pConversion[256];
};

// Double-quote delimiter, no escapes.
class CUtlNoEscConversion : public CUtlCharConversion
{
public:
    CUtlNoEscConversion(char nEscapeChar, const char *pDelimiter, int nCount, const ConversionArray_t *pArray)
        : CUtlCharConversion(nEscapeChar, pDelimiter, nCount, pArray)
    {
    }
    char FindConversion(const char *pString, int *pLength) override;
};

CUtlCharConversion *GetCStringCharConversion();
CUtlCharConversion *GetNoEscCharConversion();

class CUtlBuffer
{
public:
    enum SeekType_t
    {
        SEEK_HEAD = 0,
        SEEK_CURRENT,
        SEEK_TAIL
    };

    enum BufferFlags_t
    {
        TEXT_BUFFER = 0x1,
        EXTERNAL_GROWABLE = 0x2,
        CONTAINS_CRLF = 0x4,
        READ_ONLY = 0x8,
        AUTO_TABS_DISABLED = 0x10,
    };

    // A block of memory handed over by TakeMemory: pointer, allocated size and grow size (a
    // negative grow size marks memory the buffer does not own).
    struct MemoryBlock
    {
        unsigned char *pMemory = nullptr;
        int nAllocationCount = 0;
        int nGrowSize = 0;
    };


    // Owned memory; the initial size is allocated at once.
    CUtlBuffer(int nGrowSize = 0, int nInitSize = 0, int nFlags = 0);
    // Caller memory, not owned.
    CUtlBuffer(const void *pBuffer, int nSize, int nFlags = 0);
    ~CUtlBuffer();
    CUtlBuffer(const CUtlBuffer &) = delete;
    CUtlBuffer &operator=(const CUtlBuffer &) = delete;

    void SetBufferType(bool bIsText, bool bContainsCRLF);
    void SetExternalBuffer(void *pMemory, int nSize, int nInitialPut, int nFlags = 0);
    void AssumeMemory(void *pMemory, int nSize, int nInitialPut, int nFlags = 0);

    // Get side.
    void Get(void *pMem, int nSize);
    char GetChar();
    void GetType(char &c, const char *pFormat);
    bool CheckGet(int nSize);
    const void *PeekGet(int nSize = 0, int nOffset = 0);
    bool CheckPeekGet(int nOffset, int nSize);
    void EatWhiteSpace();
    bool EatCPPComment();
    int PeekStringLength();
    void GetString(char *pString, int nMaxChars = 0);
    void GetDelimitedString(CUtlCharConversion *pConv, char *pString, int nMaxChars = 0);
    void SeekGet(SeekType_t type, int offset);
    // Text mode only. Conversions %c %d %i %u %x %f and %Ns (N the largest number of characters
    // stored, the destination holding N + 1); returns the number of conversions made.
    int Scanf(const char *pFmt, ...);
    int VaScanf(const char *pFmt, va_list list);
    // True when the next bytes equal pString (nLen bytes).
    bool PeekStringMatch(int nOffset, const char *pString, int nLen);

    // Put side.
    void Put(const void *pMem, int nSize);
    void SeekPut(SeekType_t type, int offset);
    void AddNullTermination();

    // Members of the Linux build. Reading:
    // Makes room for n bytes and a terminator (external memory that may grow becomes owned).
    void EnsureCapacity(int num);
    // False (n = 0) past the data; else n is cut to what is left and readable; true when n > 0.
    bool CheckArbitraryPeek(int nOffset, int &nIncrement);
    // Copies up to nSize readable bytes and advances; the count copied.
    int GetUpTo(void *pMem, int nSize);
    bool PeekMatches(int nOffset, const char *pText, int nLen);
    // Text mode: the offset of the first byte at or after nOffset that is not white space.
    int PeekPastWhiteSpace(int nOffset);
    // Length of the next line with its line end and a terminator; 0 when there is none.
    int PeekLineLength();
    int PeekDelimitedLength(CUtlCharConversion *pConv, bool bActualSize = true);
    // The next line with its line end (nMaxChars 0: unbounded); a longer line is cut and skipped.
    void GetLine(char *pLine, int nMaxChars = 0);
    // Moves past the next occurrence of the text (any case); false leaves the get position.
    bool FindText(const char *pText);
    // The text between a start and an end text, trailing white space dropped.
    bool GetBetween(const char *pStart, const char *pEnd, char *pOut, int nMaxChars);
    char GetDelimitedChar(CUtlCharConversion *pConv);
    // One token: a quoted text, a break character, or a run up to white space, a break, a quote
    // or a control byte. Its length (nMaxLen when cut), -1 at the end or after an error.
    int ParseToken(const bool *pBreakSet, char *pTokenBuf, int nMaxLen, bool bParseComments = true);
    // The line at the get position, inside the buffer, and its length with the line end.
    bool PeekLine(const char **ppLine, int *pnLength);
    // The next line inside the buffer with its line end overwritten by terminators; null at the
    // end or for a read-only buffer.
    char *GetLineInPlace();

    // Writing:
    // Text mode: tabs at line starts, no terminator; binary mode: the text with its terminator.
    void PutString(const char *pString);
    void Printf(const char *pFmt, ...) __attribute__((format(printf, 2, 3)));
    void VaPrintf(const char *pFmt, va_list list);
    void PutDelimitedString(CUtlCharConversion *pConv, const char *pString);
    void PutDelimitedChar(CUtlCharConversion *pConv, char c);

    // Whole buffers:
    void Swap(CUtlBuffer &other);
    // Adopts the block as the contents; the buffer's own block goes back in exchange.
    void TakeMemory(MemoryBlock &block);
    // Converts line ends into a text buffer of the other kind (CRLF or LF).
    bool ConvertCRLF(CUtlBuffer &outBuf);
    // Frees owned memory and empties the buffer.
    void PurgeMemory();
    void SetSwapBytes(bool bSwap);
    void SetBigEndian(bool bigEndian);
    bool IsBigEndian() const { return m_bBigEndian != 0; }

    // State.
    int TellGet() const { return m_Get; }
    int TellPut() const { return m_Put; }
    int TellMaxPut() const { return m_nMaxPut; }
    int GetBytesRemaining() const { return m_nMaxPut - m_Get; }
    void *Base() { return m_pMemory; }
    const void *Base() const { return m_pMemory; }
    const char *String() const { return reinterpret_cast<const char *>(m_pMemory); }
    int Size() const { return m_nAllocationCount; }
    bool IsValid() const { return m_Error == 0; }
    bool IsGetOverflowed() const { return (m_Error & GET_OVERFLOW) != 0; }
    bool IsPutOverflowed() const { return (m_Error & PUT_OVERFLOW) != 0; }
    bool IsText() const { return (m_Flags & TEXT_BUFFER) != 0; }
    bool IsReadOnly() const { return (m_Flags & READ_ONLY) != 0; }
    bool ContainsCRLF() const { return (m_Flags & CONTAINS_CRLF) != 0; }
    bool IsExternallyAllocated() const { return m_nGrowSize < 0; }
    int GetFlags() const { return m_Flags; }

protected:
    enum ErrorFlags_t
    {
        PUT_OVERFLOW = 0x1,
        GET_OVERFLOW = 0x2,
    };

    typedef bool (CUtlBuffer::*UtlBufferOverflowFunc_t)(int nSize);
    void SetOverflowFuncs(UtlBufferOverflowFunc_t getFunc, UtlBufferOverflowFunc_t putFunc);

    // Default handlers: the get side never has more data; the put side grows owned memory.
    bool GetOverflow(int nSize);
    bool PutOverflow(int nSize);

    // One character of a delimited string, escapes converted.
    char GetDelimitedCharInternal(CUtlCharConversion *pConv);
    bool CheckPut(int nSize);
    bool OnGetOverflow(int nSize) { return (this->*m_GetOverflowFunc)(nSize); }
    bool OnPutOverflow(int nSize) { return (this->*m_PutOverflowFunc)(nSize); }
    bool GrowMemory(int64_t nNeeded);
    void FreeOwnedMemory();
    // Text pieces with automatic tabs after line feeds (PutString's rule), nLen bytes.
    void PutTextPiece(const char *pText, int nLen);
    void PutTabs();
    bool AtLineStart() const;

    unsigned char *m_pMemory;
    int m_nAllocationCount;
    int m_nGrowSize;  // -1: memory not owned; 0: doubling; > 0: multiples of it
    int m_Get = 0;
    int m_Put = 0;
    unsigned char m_Error = 0;
    unsigned char m_Flags;
    int m_nTab = 0;
    int m_nMaxPut = 0;
    int m_nOffset = 0;
    UtlBufferOverflowFunc_t m_GetOverflowFunc = &CUtlBuffer::GetOverflow;
    UtlBufferOverflowFunc_t m_PutOverflowFunc = &CUtlBuffer::PutOverflow;
    unsigned char m_byteSwap : 1;
    unsigned char m_bBigEndian : 1;
};
