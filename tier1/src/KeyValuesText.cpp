// The KeyValues text format: the tokenizer, value typing, conditionals, #include and #base,
// the writer and the error stack that names where a parse error happened.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <algorithm>

#include "filesystem/IFileSystem.h"
#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "tier1/utlbuffer.h"

namespace {

constexpr int kTokenSize = 4096;
constexpr int kMaxBlockDepth = 256;   // nested blocks
constexpr int kMaxIncludeDepth = 32;  // nested #include / #base files
constexpr int kErrorStackSize = 64;

char s_pTokenBuf[kTokenSize];          // the current token; valid until the next one is read
char s_pConversionBuf[kTokenSize];     // wide texts converted for the writer

// Names the keys being read so that a parse error says where it happened.
class CKeyValuesErrorStack
{
public:
    void SetFilename(const char *pFilename) { m_FileName = pFilename ? pFilename : ""; }
    void ResetMaxDepth() { m_nMaxErrorIndex = 0; }

    // Returns the entry's index; entries beyond the recorded 64 are counted but not kept.
    int Push(HKeySymbol symName)
    {
        if (m_nErrorIndex < kErrorStackSize)
            m_ErrorStack[m_nErrorIndex] = symName;
        ++m_nErrorIndex;
        if (m_nErrorIndex > m_nMaxErrorIndex)
            m_nMaxErrorIndex = m_nErrorIndex;
        return m_nErrorIndex - 1;
    }
    void Pop() { --m_nErrorIndex; }
    void Reset(int index, HKeySymbol symName)
    {
        if (index >= 0 && index < kErrorStackSize)
            m_ErrorStack[index] = symName;
    }

    void ReportError(const char *pError)
    {
        Warning("KeyValues Error: %s in file %s\n", pError, m_FileName.c_str());
        std::string line;
        int nLimit = std::min(m_nMaxErrorIndex, kErrorStackSize);  // only what was recorded
        for (int i = 0; i < nLimit; ++i) {
            if (m_ErrorStack[i] == INVALID_KEY_SYMBOL)
                continue;
            const char *name = KeyValues::s_pfGetStringForSymbol(m_ErrorStack[i]);
            if (i < m_nErrorIndex) {
                line += name;
                line += ", ";
            } else {
                line += "(*";
                line += name;
                line += "*), ";
            }
        }
        line += "\n";
        Warning("%s", line.c_str());
    }

private:
    HKeySymbol m_ErrorStack[kErrorStackSize] = {};
    std::string m_FileName;
    int m_nErrorIndex = 0;
    int m_nMaxErrorIndex = 0;
};

CKeyValuesErrorStack g_KeyValuesErrorStack;

// Pushes a name for the life of a block.
class CKeyErrorContext
{
public:
    explicit CKeyErrorContext(HKeySymbol symName) : m_nIndex(g_KeyValuesErrorStack.Push(symName)) {}
    ~CKeyErrorContext() { g_KeyValuesErrorStack.Pop(); }
    void Reset(HKeySymbol symName) { g_KeyValuesErrorStack.Reset(m_nIndex, symName); }

private:
    int m_nIndex;
};

// Files being loaded through LoadFromFile, outermost first: bounds #include/#base nesting.
std::vector<std::string> s_IncludeChain;

inline bool IsSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The character an escape stands for (C escapes), 0 for none.
char CEscape(unsigned char c)
{
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'v': return '\v';
    case 'b': return '\b';
    case 'r': return '\r';
    case 'f': return '\f';
    case 'a': return '\a';
    case '\\': return '\\';
    case '?': return '?';
    case '\'': return '\'';
    case '"': return '"';
    default: return 0;
    }
}

// The position after white space and "//" comments (to the end of their line) from pos.
int SkipSpaceAndComments(const char *base, int pos, int end)
{
    for (;;) {
        while (pos < end && IsSpace(static_cast<unsigned char>(base[pos])))
            ++pos;
        if (pos + 1 < end && base[pos] == '/' && base[pos + 1] == '/') {
            pos += 2;
            while (pos < end && base[pos++] != '\n') {
            }
            continue;
        }
        break;
    }
    return pos;
}

// Reads one token from a text buffer into s_pTokenBuf; null at the end of the data or on a
// buffer error. *pLength gets the token's length.
const char *ReadToken(CUtlBuffer &buf, bool bEscapes, bool &wasQuoted, bool &wasConditional, int *pLength)
{
    wasQuoted = false;
    wasConditional = false;
    *pLength = 0;
    if (!buf.IsValid())
        return nullptr;

    const char *base = static_cast<const char *>(buf.Base());
    int end = std::min(buf.TellMaxPut(), buf.Size());
    int pos = buf.TellGet();
    if (!base || pos < 0 || pos >= end) {
        if (pos < end)
            buf.SeekGet(CUtlBuffer::SEEK_HEAD, end);
        return nullptr;
    }

    pos = SkipSpaceAndComments(base, pos, end);
    if (pos >= end) {
        buf.SeekGet(CUtlBuffer::SEEK_HEAD, end);
        return nullptr;
    }

    char c = base[pos];
    int n = 0;
    if (c == '{' || c == '}') {
        s_pTokenBuf[n++] = c;
        ++pos;
    } else if (c == '"') {
        wasQuoted = true;
        ++pos;
        // Only escapes (or, without escapes, the no-escape table's 0x7F byte) need a look.
        const char special = bEscapes ? '\\' : '\x7F';
        while (pos < end) {
            char ch = base[pos];
            if (ch == '"')
                break;
            ++pos;
            if (ch == special) {
                if (bEscapes) {
                    ch = pos < end ? CEscape(static_cast<unsigned char>(base[pos])) : 0;
                    if (ch)
                        ++pos;
                } else {
                    ch = 0;  // the no-escape table's escape byte reads as nothing
                }
            }
            if (n < kTokenSize - 1)
                s_pTokenBuf[n++] = ch;
        }
        if (pos < end)
            ++pos;  // the closing quote
    } else {
        bool bConditionalStart = false;
        bool bReported = false;
        while (pos < end) {
            char ch = base[pos];
            if (ch == 0 || ch == '"' || ch == '{' || ch == '}' || IsSpace(static_cast<unsigned char>(ch)))
                break;
            if (ch == '[')
                bConditionalStart = true;
            if (ch == ']' && bConditionalStart)
                wasConditional = true;
            if (n < kTokenSize - 1) {
                s_pTokenBuf[n++] = ch;
            } else if (!bReported) {
                g_KeyValuesErrorStack.ReportError(" ReadToken overflow");
                bReported = true;
            }
            ++pos;
        }
    }
    s_pTokenBuf[n] = 0;
    *pLength = n;
    buf.SeekGet(CUtlBuffer::SEEK_HEAD, pos);
    return s_pTokenBuf;
}

// UTF-16LE units (stopping at a zero unit) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16LEToUtf8(const unsigned char *p, size_t nUnits)
{
    std::string out;
    out.reserve(nUnits);
    for (size_t i = 0; i < nUnits; ++i) {
        uint32_t cp = p[2 * i] | (p[2 * i + 1] << 8);
        if (cp == 0)
            break;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < nUnits) {
            uint32_t lo = p[2 * i + 2] | (p[2 * i + 3] << 8);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// Whether the token after white space and comments could be unquoted (so possibly a
// conditional); only looks, moving nothing.
bool NextTokenMayBeConditional(CUtlBuffer &buf)
{
    if (!buf.IsValid())
        return false;
    const char *base = static_cast<const char *>(buf.Base());
    int end = std::min(buf.TellMaxPut(), buf.Size());
    int pos = buf.TellGet();
    if (!base || pos < 0)
        return false;
    pos = SkipSpaceAndComments(base, pos, end);
    if (pos >= end)
        return false;
    char c = base[pos];
    return c != '"' && c != '{' && c != '}' && c != 0;
}

// A plain decimal ([sign] digits [. digits], at most 15 digits in all) converted exactly as
// strtod would round it; false for anything else.
bool ParseSimpleDecimal(const char *s, int len, bool &bHasPoint, double &value)
{
    const char *p = s;
    const char *end = s + len;
    bool bNegative = false;
    if (p < end && (*p == '-' || *p == '+'))
        bNegative = *p++ == '-';
    uint64_t mantissa = 0;
    int nDigits = 0;
    int nFrac = 0;
    bHasPoint = false;
    for (; p < end; ++p) {
        if (*p >= '0' && *p <= '9') {
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
            if (++nDigits > 15)
                return false;
            if (bHasPoint)
                ++nFrac;
        } else if (*p == '.' && !bHasPoint) {
            bHasPoint = true;
        } else {
            return false;
        }
    }
    if (nDigits == 0)
        return false;
    static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    value = static_cast<double>(mantissa) / kPow10[nFrac];
    if (bNegative)
        value = -value;
    return true;
}

// True when strtol or strtod could read all of s: otherwise the value is a string.
bool MayBeNumber(const char *s, int len)
{
    for (int i = 0; i < len; ++i) {
        char c = s[i];
        if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E')
            continue;
        // leading white space, and the letters of inf, nan and hexadecimal forms, need the parsers
        if (IsSpace(static_cast<unsigned char>(c)) && i == 0)
            return true;
        if (strchr("iInNxXpPaAfFtTyY()_", c))
            return true;
        return false;
    }
    return true;
}

bool CanStartNumber(unsigned char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || IsSpace(c) || c == 'i' || c == 'I' ||
           c == 'n' || c == 'N';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Conditionals

bool KeyValues::EvaluateConditional(const char *str)
{
    if (!str)
        return false;
    if (!m_bEvaluateConditionals)
        return true;
    if (*str == '[')
        ++str;
    bool bNot = false;
    if (*str == '!') {
        bNot = true;
        ++str;
    }

    struct Tag
    {
        const char *name;
        bool value;
    };
#if defined(__APPLE__)
    static const Tag kTags[] = {{"$X360", false},  {"$WIN32", true}, {"$WINDOWS", false},
                                {"$OSX", true},    {"$LINUX", false}, {"$POSIX", true}};
#elif defined(_WIN32)
    static const Tag kTags[] = {{"$X360", false},  {"$WIN32", true}, {"$WINDOWS", true},
                                {"$OSX", false},   {"$LINUX", false}, {"$POSIX", false}};
#else
    static const Tag kTags[] = {{"$X360", false},  {"$WIN32", true}, {"$WINDOWS", false},
                                {"$OSX", false},   {"$LINUX", true},  {"$POSIX", true}};
#endif
    for (const Tag &tag : kTags) {
        if (V_stristr(str, tag.name))
            return tag.value != bNot;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Reading

bool KeyValues::LoadFromFile(IBaseFileSystem *filesystem, const char *resourceName, const char *pathID)
{
    if (!filesystem || !resourceName)
        return false;
    FileHandle_t f = filesystem->Open(resourceName, "rb", pathID);
    if (!f)
        return false;

    unsigned int fileSize = filesystem->Size(f);
    uint64_t bufSize = static_cast<uint64_t>(fileSize) + 2;
    unsigned int align = 0;
    if (filesystem->GetOptimalIOConstraints(f, &align, nullptr, nullptr) && align > 1)
        bufSize = (bufSize + align - 1) / align * align;
    if (bufSize > INT_MAX) {
        filesystem->Close(f);
        return false;
    }

    char *buffer = static_cast<char *>(filesystem->AllocOptimalReadBuffer(f, static_cast<unsigned int>(bufSize), 0));
    if (!buffer) {
        filesystem->Close(f);
        return false;
    }
    bool bRetOK = filesystem->ReadEx(buffer, static_cast<int>(bufSize), static_cast<int>(fileSize), f) ==
                  static_cast<int>(fileSize);
    filesystem->Close(f);

    if (bRetOK) {
        buffer[fileSize] = 0;
        buffer[fileSize + 1] = 0;
        s_IncludeChain.push_back(resourceName);
        // Included files are looked up without a path id.
        LoadFromText(resourceName, buffer, static_cast<int>(fileSize), filesystem, nullptr);
        s_IncludeChain.pop_back();
    }
    filesystem->FreeOptimalReadBuffer(buffer);
    return bRetOK;
}

bool KeyValues::LoadFromBuffer(const char *resourceName, const char *pBuffer, IBaseFileSystem *pFileSystem,
                               const char *pPathID)
{
    if (!pBuffer)
        return true;
    // The known length of a C string ends at its terminator, UTF-16 or not.
    size_t len = strlen(pBuffer);
    if (len > static_cast<size_t>(INT_MAX) - 1)
        len = static_cast<size_t>(INT_MAX) - 1;
    return LoadFromText(resourceName, pBuffer, static_cast<int>(len) + 1, pFileSystem, pPathID);
}

// Text of a known length: read to its first zero byte, or as UTF-16 within that length.
bool KeyValues::LoadFromText(const char *resourceName, const char *pData, int nLength, IBaseFileSystem *pFileSystem,
                             const char *pPathID)
{
    size_t len = strnlen(pData, static_cast<size_t>(nLength));
    if (len >= 3 && static_cast<unsigned char>(pData[0]) == 0xFF && static_cast<unsigned char>(pData[1]) == 0xFE) {
        std::string utf8 = Utf16LEToUtf8(reinterpret_cast<const unsigned char *>(pData + 2),
                                         static_cast<size_t>(nLength - 2) / 2);
        CUtlBuffer buf(utf8.data(), static_cast<int>(utf8.size()), CUtlBuffer::READ_ONLY | CUtlBuffer::TEXT_BUFFER);
        return LoadFromBuffer(resourceName, buf, pFileSystem, pPathID);
    }
    CUtlBuffer buf(pData, static_cast<int>(len), CUtlBuffer::READ_ONLY | CUtlBuffer::TEXT_BUFFER);
    return LoadFromBuffer(resourceName, buf, pFileSystem, pPathID);
}

bool KeyValues::LoadFromBuffer(const char *resourceName, CUtlBuffer &buf, IBaseFileSystem *pFileSystem,
                               const char *pPathID)
{
    KeyValues *pPreviousKey = nullptr;
    KeyValues *pCurrentKey = this;
    std::vector<KeyValues *> includedKeys;
    std::vector<KeyValues *> baseKeys;
    bool wasQuoted, wasConditional;
    int len;

    g_KeyValuesErrorStack.SetFilename(resourceName);
    g_KeyValuesErrorStack.ResetMaxDepth();

    do {
        bool bAccepted = true;
        const char *s = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
        if (!buf.IsValid() || !s || *s == 0)
            break;

        if (V_stricmp(s, "#include") == 0 || V_stricmp(s, "#base") == 0) {
            bool bInclude = V_stricmp(s, "#include") == 0;
            s = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
            if (!s || *s == 0)
                g_KeyValuesErrorStack.ReportError(bInclude ? "#include is NULL " : "#base is NULL ");
            else
                ParseIncludedKeys(resourceName, s, pFileSystem, pPathID, bInclude ? &includedKeys : &baseKeys);
            continue;
        }

        if (!pCurrentKey) {
            pCurrentKey = new KeyValues(s);
            pCurrentKey->m_bHasEscapeSequences = m_bHasEscapeSequences;
            pCurrentKey->m_bEvaluateConditionals = m_bEvaluateConditionals;
            if (pPreviousKey)
                pPreviousKey->SetNextKey(pCurrentKey);
        } else {
            pCurrentKey->SetName(s);
            // A rejected key being reused was unlinked: link it again, or it and every key
            // after it would be lost.
            if (pCurrentKey != this && pPreviousKey)
                pPreviousKey->SetNextKey(pCurrentKey);
        }

        s = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
        if (wasConditional) {
            bAccepted = EvaluateConditional(s);
            s = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
        }

        if (s && *s == '{' && !wasQuoted)
            pCurrentKey->RecursiveLoadFromBuffer(resourceName, buf, 1);
        else
            g_KeyValuesErrorStack.ReportError("LoadFromBuffer: missing {");

        if (!bAccepted) {
            if (pPreviousKey)
                pPreviousKey->SetNextKey(nullptr);
            pCurrentKey->Clear();
        } else {
            pPreviousKey = pCurrentKey;
            pCurrentKey = nullptr;
        }
    } while (buf.IsValid());

    // A rejected top-level key left waiting for a name that never came is nobody's.
    if (pCurrentKey && pCurrentKey != this)
        pCurrentKey->deleteThis();

    // Included files' roots go to the end of this node's peer chain.
    for (KeyValues *included : includedKeys) {
        KeyValues *last = this;
        while (last->GetNextKey())
            last = last->GetNextKey();
        last->SetNextKey(included);
    }
    // Base files fill in what this file leaves out, then go.
    for (KeyValues *baseKey : baseKeys) {
        RecursiveMergeKeyValues(baseKey);
        baseKey->deleteThis();
    }

    g_KeyValuesErrorStack.SetFilename("");
    g_KeyValuesErrorStack.ResetMaxDepth();
    return true;
}

void KeyValues::ParseIncludedKeys(const char *resourceName, const char *filetoinclude, IBaseFileSystem *pFileSystem,
                                  const char *pPathID, void *pIncludedKeys)
{
    if (!pFileSystem || !filetoinclude)
        return;
    auto &list = *static_cast<std::vector<KeyValues *> *>(pIncludedKeys);

    // The folder of the including file, then the included name.
    char fullpath[512];
    V_strncpy(fullpath, resourceName ? resourceName : "", sizeof(fullpath));
    char *slash = nullptr;
    for (char *p = fullpath; *p; ++p)
        if (*p == '/' || *p == '\\')
            slash = p;
    if (slash)
        slash[1] = 0;
    else
        fullpath[0] = 0;
    V_strncat(fullpath, filetoinclude, sizeof(fullpath));

    if (static_cast<int>(s_IncludeChain.size()) >= kMaxIncludeDepth) {
        g_KeyValuesErrorStack.ReportError("ParseIncludedKeys: included files nested too deeply");
        return;
    }
    for (const std::string &loading : s_IncludeChain) {
        if (loading == fullpath) {
            g_KeyValuesErrorStack.ReportError("ParseIncludedKeys: file includes itself");
            return;
        }
    }

    KeyValues *newKV = new KeyValues(fullpath);
    newKV->m_bHasEscapeSequences = m_bHasEscapeSequences;
    newKV->m_bEvaluateConditionals = m_bEvaluateConditionals;
    if (newKV->LoadFromFile(pFileSystem, fullpath, pPathID)) {
        list.push_back(newKV);
    } else {
        DevMsg("KeyValues::ParseIncludedKeys: Couldn't load included keyvalue file %s\n", fullpath);
        newKV->deleteThis();
    }
}

void KeyValues::RecursiveLoadFromBuffer(const char *resourceName, CUtlBuffer &buf, int nDepth)
{
    CKeyErrorContext errorReport(GetNameSymbol());
    CKeyErrorContext errorKey(INVALID_KEY_SYMBOL);
    bool wasQuoted, wasConditional;
    int len;

    KeyValues *pLastChild = m_pSub;
    while (pLastChild && pLastChild->m_pPeer)
        pLastChild = pLastChild->m_pPeer;

    for (;;) {
        bool bAccepted = true;
        const char *name = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
        if (!name) {
            g_KeyValuesErrorStack.ReportError("RecursiveLoadFromBuffer:  got EOF instead of keyname");
            break;
        }
        if (!*name) {
            g_KeyValuesErrorStack.ReportError("RecursiveLoadFromBuffer:  got empty keyname");
            break;
        }
        if (*name == '}' && !wasQuoted)
            break;

        KeyValues *dat = CreateKeyUsingKnownLastChild(name, pLastChild);
        errorKey.Reset(dat->GetNameSymbol());

        const char *value = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
        if (wasConditional && value) {
            bAccepted = EvaluateConditional(value);
            value = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
        }
        if (!value) {
            g_KeyValuesErrorStack.ReportError("RecursiveLoadFromBuffer:  got NULL key");
            pLastChild = dat;
            break;
        }
        if (*value == '}' && !wasQuoted) {
            g_KeyValuesErrorStack.ReportError("RecursiveLoadFromBuffer:  got } in key");
            pLastChild = dat;
            break;
        }

        if (*value == '{' && !wasQuoted) {
            errorKey.Reset(INVALID_KEY_SYMBOL);
            if (nDepth >= kMaxBlockDepth) {
                // Too deep to descend: report once and step over the whole block.
                g_KeyValuesErrorStack.ReportError("RecursiveLoadFromBuffer:  blocks nested too deeply");
                int nOpen = 1;
                while (nOpen > 0) {
                    const char *t = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
                    if (!t || (!wasQuoted && len == 0))  // the end, or a zero byte that stops reading
                        break;
                    if (!wasQuoted && len == 1 && *t == '{')
                        ++nOpen;
                    else if (!wasQuoted && len == 1 && *t == '}')
                        --nOpen;
                }
            } else {
                dat->RecursiveLoadFromBuffer(resourceName, buf, nDepth + 1);
            }
        } else {
            if (wasConditional) {
                g_KeyValuesErrorStack.ReportError("RecursiveLoadFromBuffer:  got conditional between key and value");
                pLastChild = dat;
                break;
            }

            // Type the value: uint64, float, int or string. An escape without a pair leaves a
            // zero byte in the token, which ends the text.
            len = static_cast<int>(strnlen(value, static_cast<size_t>(len)));
            if (len == 18 && value[0] == '0' && value[1] == 'x') {
                uint64_t v = 0;
                for (int i = 2; i < 18; ++i)
                    v = (v << 4) | static_cast<uint64_t>(HexDigit(value[i]));
                dat->m_sValue = AllocValueText(sizeof(uint64_t));
                memcpy(dat->m_sValue, &v, sizeof(v));
                dat->m_iDataType = TYPE_UINT64;
            } else {
                types_t type = TYPE_STRING;
                int iValue = 0;
                float flValue = 0.0f;
                bool bHasPoint;
                double simple;
                if (len > 0 && CanStartNumber(static_cast<unsigned char>(value[0])) && MayBeNumber(value, len)) {
                    // Plain decimals are typed without the C parsers: digits alone are an int when
                    // they fit, digits with a point a float.
                    if (ParseSimpleDecimal(value, len, bHasPoint, simple)) {
                        if (bHasPoint) {
                            type = TYPE_FLOAT;
                            flValue = static_cast<float>(simple);
                        } else if (simple >= INT_MIN && simple <= INT_MAX) {
                            type = TYPE_INT;
                            iValue = static_cast<int>(simple);
                        }
                    } else {
                        char *pIEnd;
                        char *pFEnd;
                        errno = 0;
                        long long ival = strtoll(value, &pIEnd, 10);
                        bool bOverflow = errno == ERANGE || ival > INT_MAX || ival < INT_MIN;
                        double fval = strtod(value, &pFEnd);
                        if (len >= 2 && (value[1] == 'x' || value[1] == 'X'))
                            pFEnd = const_cast<char *>(value);  // no hexadecimal floats
                        if (pFEnd > pIEnd && pFEnd == value + len) {
                            type = TYPE_FLOAT;
                            flValue = static_cast<float>(fval);
                        } else if (pIEnd == value + len && !bOverflow) {
                            type = TYPE_INT;
                            iValue = static_cast<int>(ival);
                        }
                    }
                }
                if (type == TYPE_INT) {
                    dat->m_iValue = iValue;
                } else if (type == TYPE_FLOAT) {
                    dat->m_flValue = flValue;
                } else {
                    dat->m_sValue = AllocValueText(static_cast<size_t>(len) + 1);
                    memcpy(dat->m_sValue, value, static_cast<size_t>(len) + 1);
                }
                dat->m_iDataType = static_cast<unsigned char>(type);
            }

            // A conditional may follow the value. Only an unquoted token can be one, so a quote
            // or a brace ahead needs no reading.
            if (NextTokenMayBeConditional(buf)) {
                int nPrevPos = buf.TellGet();
                const char *peek = ReadToken(buf, m_bHasEscapeSequences, wasQuoted, wasConditional, &len);
                if (peek && wasConditional)
                    bAccepted = EvaluateConditional(peek);
                else
                    buf.SeekGet(CUtlBuffer::SEEK_HEAD, nPrevPos);
            }
        }

        if (bAccepted) {
            pLastChild = dat;
        } else {
            if (pLastChild)
                pLastChild->m_pPeer = nullptr;
            else
                m_pSub = nullptr;
            dat->deleteThis();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Writing

// Collects the text in a block and hands it to the file and/or the buffer in large pieces.
struct KeyValues::CWriteContext
{
    IBaseFileSystem *fs;
    FileHandle_t f;
    CUtlBuffer *pBuf;
    int n = 0;
    char data[8192];

    CWriteContext(IBaseFileSystem *fileSystem, FileHandle_t file, CUtlBuffer *pBuffer)
        : fs(fileSystem), f(file), pBuf(pBuffer)
    {
    }
    ~CWriteContext() { Flush(); }

    void Flush()
    {
        if (n <= 0)
            return;
        if (fs && f)
            fs->Write(data, n, f);
        if (pBuf)
            pBuf->Put(data, n);
        n = 0;
    }
    void Write(const char *p, size_t len)
    {
        while (len > 0) {
            if (n == static_cast<int>(sizeof(data)))
                Flush();
            size_t chunk = std::min(len, sizeof(data) - static_cast<size_t>(n));
            memcpy(data + n, p, chunk);
            n += static_cast<int>(chunk);
            p += chunk;
            len -= chunk;
        }
    }
    void Write(const char *text) { Write(text, strlen(text)); }
    void Tabs(int count)
    {
        static const char kTabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
        while (count > 0) {
            int chunk = std::min(count, 16);
            Write(kTabs, static_cast<size_t>(chunk));
            count -= chunk;
        }
    }
};

namespace {

// Decimal text of an int, as "%d" writes it.
int FormatInt(int value, char *out)
{
    char tmp[16];
    int n = 0;
    unsigned int u = value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    do {
        tmp[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    int len = 0;
    if (value < 0)
        out[len++] = '-';
    while (n)
        out[len++] = tmp[--n];
    out[len] = 0;
    return len;
}

}  // namespace

bool KeyValues::SaveToFile(IBaseFileSystem *filesystem, const char *resourceName, const char *pathID, bool sortKeys)
{
    FileHandle_t f = filesystem && resourceName ? filesystem->Open(resourceName, "wb", pathID) : nullptr;
    if (!f) {
        DevMsg("KeyValues::SaveToFile: couldn't open file \"%s\" in path \"%s\".\n",
               resourceName ? resourceName : "NULL", pathID ? pathID : "NULL");
        return false;
    }
    {
        CWriteContext ctx(filesystem, f, nullptr);
        RecursiveSaveToFile(ctx, 0, sortKeys);
    }
    filesystem->Close(f);
    return true;
}

void KeyValues::RecursiveSaveToFile(CUtlBuffer &buf, int indentLevel, bool sortKeys)
{
    CWriteContext ctx(nullptr, nullptr, &buf);
    RecursiveSaveToFile(ctx, indentLevel, sortKeys);
}

// A double quote always gets a backslash before it; a backslash is doubled only with escapes.
void KeyValues::WriteConvertedString(CWriteContext &ctx, const char *pszString)
{
    const char *run = pszString;
    const char *p = pszString;
    for (; *p; ++p) {
        if (*p == '"' || (*p == '\\' && m_bHasEscapeSequences)) {
            ctx.Write(run, static_cast<size_t>(p - run));
            ctx.Write("\\", 1);
            run = p;  // the character itself goes out with the next run
        }
    }
    ctx.Write(run, static_cast<size_t>(p - run));
}

void KeyValues::RecursiveSaveToFile(CWriteContext &ctx, int indentLevel, bool sortKeys)
{
    ctx.Tabs(indentLevel);
    ctx.Write("\"", 1);
    WriteConvertedString(ctx, GetName());
    ctx.Write("\"\n", 2);
    ctx.Tabs(indentLevel);
    ctx.Write("{\n", 2);

    if (sortKeys) {
        std::vector<KeyValues *> children;
        for (KeyValues *dat = m_pSub; dat; dat = dat->m_pPeer)
            children.push_back(dat);
        std::stable_sort(children.begin(), children.end(), [](KeyValues *a, KeyValues *b) {
            return V_stricmp(a->GetName(), b->GetName()) < 0;
        });
        for (KeyValues *dat : children)
            SaveKeyToFile(dat, ctx, indentLevel, sortKeys);
    } else {
        for (KeyValues *dat = m_pSub; dat; dat = dat->m_pPeer)
            SaveKeyToFile(dat, ctx, indentLevel, sortKeys);
    }

    ctx.Tabs(indentLevel);
    ctx.Write("}\n", 2);
}

void KeyValues::SaveKeyToFile(KeyValues *dat, CWriteContext &ctx, int indentLevel, bool sortKeys)
{
    if (dat->m_pSub) {
        dat->RecursiveSaveToFile(ctx, indentLevel + 1, sortKeys);
        return;
    }

    char number[64];
    const char *pValue = nullptr;
    bool bEscape = false;
    switch (dat->m_iDataType) {
    case TYPE_STRING:
        if (dat->m_sValue && *dat->m_sValue) {
            pValue = dat->m_sValue;
            bEscape = true;
        }
        break;
    case TYPE_WSTRING:
        if (dat->m_wsValue && V_UnicodeToUTF8(dat->m_wsValue, s_pConversionBuf, sizeof(s_pConversionBuf)) > 0) {
            pValue = s_pConversionBuf;
            bEscape = true;
        }
        break;
    case TYPE_INT:
        FormatInt(dat->m_iValue, number);
        pValue = number;
        break;
    case TYPE_FLOAT:
        snprintf(number, sizeof(number), "%f", dat->m_flValue);
        pValue = number;
        break;
    case TYPE_UINT64: {
        uint64_t v;
        memcpy(&v, dat->m_sValue, sizeof(v));
        snprintf(number, sizeof(number), "0x%016llX", static_cast<unsigned long long>(v));
        pValue = number;
        break;
    }
    case TYPE_COLOR:
        DevMsg("KeyValues::RecursiveSaveToFile: TODO, missing code for TYPE_COLOR.\n");
        break;
    default: break;
    }
    if (!pValue)
        return;

    ctx.Tabs(indentLevel + 1);
    ctx.Write("\"", 1);
    WriteConvertedString(ctx, dat->GetName());
    ctx.Write("\"\t\t\"", 4);
    if (bEscape)
        WriteConvertedString(ctx, pValue);
    else
        ctx.Write(pValue);
    ctx.Write("\"\n", 2);
}
