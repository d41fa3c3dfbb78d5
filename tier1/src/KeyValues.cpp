// KeyValues trees: nodes, typed access with conversions, paths, copy, merge and destruction.
#include "tier1/KeyValues.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "tier1/strtools.h"

namespace {

// Float to int truncation as the x86 conversion does it: out of range and NaN give INT_MIN.
int TruncateToInt(float f)
{
    if (!(f > -2147483904.0f && f < 2147483648.0f))
        return INT32_MIN;
    return static_cast<int>(f);
}

// Value texts come in size classes of 16 to 128 bytes kept on free lists once freed; the byte
// before a text names its class (0xFF for a text of its own allocation).
constexpr size_t kTextClasses = 4;
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kMaxFreeTexts = 0;  // every text its own allocation, so misuse is caught
#else
constexpr size_t kMaxFreeTexts = 1 << 16;
#endif
struct FreeText
{
    FreeText *next;
};
FreeText *s_pFreeTexts[kTextClasses];
size_t s_nFreeTexts[kTextClasses];

}  // namespace

char *KeyValues::AllocValueText(size_t nBytes)
{
    size_t total = nBytes + 1;
    unsigned char cls = 0xFF;
    for (size_t c = 0; c < kTextClasses; ++c) {
        if (total <= (16u << c)) {
            cls = static_cast<unsigned char>(c);
            break;
        }
    }
    unsigned char *block;
    if (cls != 0xFF && s_pFreeTexts[cls]) {
        block = reinterpret_cast<unsigned char *>(s_pFreeTexts[cls]);
        s_pFreeTexts[cls] = s_pFreeTexts[cls]->next;
        --s_nFreeTexts[cls];
    } else {
        size_t size = cls != 0xFF ? (16u << cls) : total;
        if (size < sizeof(FreeText))
            size = sizeof(FreeText);
        block = static_cast<unsigned char *>(malloc(size));
    }
    block[0] = cls;
    return reinterpret_cast<char *>(block + 1);
}

void KeyValues::FreeValueText(char *p)
{
    if (!p)
        return;
    unsigned char *block = reinterpret_cast<unsigned char *>(p) - 1;
    unsigned char cls = block[0];
    if (cls < kTextClasses && s_nFreeTexts[cls] < kMaxFreeTexts) {
        FreeText *f = reinterpret_cast<FreeText *>(block);
        f->next = s_pFreeTexts[cls];
        s_pFreeTexts[cls] = f;
        ++s_nFreeTexts[cls];
    } else {
        free(block);
    }
}

char *KeyValues::CopyValueText(const char *s)
{
    size_t len = strlen(s);
    char *p = AllocValueText(len + 1);
    memcpy(p, s, len + 1);
    return p;
}

namespace {

wchar_t *CopyWide(const wchar_t *s)
{
    size_t len = wcslen(s);
    wchar_t *p = new wchar_t[len + 1];
    wmemcpy(p, s, len + 1);
    return p;
}

uint64_t ReadUint64Block(const char *block)
{
    uint64_t v;
    memcpy(&v, block, sizeof(v));
    return v;
}

}  // namespace

HKeySymbol (*KeyValues::s_pfGetSymbolForString)(const char *name, bool bCreate) = &KeyValues::GetSymbolForStringClassic;
const char *(*KeyValues::s_pfGetStringForSymbol)(HKeySymbol symbol) = &KeyValues::GetStringForSymbolClassic;

HKeySymbol KeyValues::GetSymbolForStringClassic(const char *name, bool bCreate)
{
    return KeyValuesSystem()->GetSymbolForString(name, bCreate);
}

const char *KeyValues::GetStringForSymbolClassic(HKeySymbol symbol)
{
    return KeyValuesSystem()->GetStringForSymbol(symbol);
}

void *KeyValues::operator new(size_t size)
{
    return KeyValuesSystem()->AllocKeyValuesMemory(static_cast<int>(size));
}

void KeyValues::operator delete(void *pMem)
{
    KeyValuesSystem()->FreeKeyValuesMemory(pMem);
}

// ---------------------------------------------------------------------------------------------
// Construction and destruction

void KeyValues::Init()
{
    m_iKeyName = INVALID_KEY_SYMBOL;
    m_sValue = nullptr;
    m_wsValue = nullptr;
    m_pValue = nullptr;
    m_iValue = 0;
    m_iDataType = TYPE_NONE;
    m_bHasEscapeSequences = false;
    m_bEvaluateConditionals = true;
    m_pPeer = nullptr;
    m_pSub = nullptr;
    m_pChain = nullptr;
}

KeyValues::KeyValues(const char *setName)
{
    Init();
    SetName(setName);
}

KeyValues::KeyValues(const char *setName, const char *firstKey, const char *firstValue)
{
    Init();
    SetName(setName);
    SetString(firstKey, firstValue);
}

KeyValues::KeyValues(const char *setName, const char *firstKey, const wchar_t *firstValue)
{
    Init();
    SetName(setName);
    SetWString(firstKey, firstValue);
}

KeyValues::KeyValues(const char *setName, const char *firstKey, int firstValue)
{
    Init();
    SetName(setName);
    SetInt(firstKey, firstValue);
}

KeyValues::KeyValues(const char *setName, const char *firstKey, const char *firstValue, const char *secondKey,
                     const char *secondValue)
{
    Init();
    SetName(setName);
    SetString(firstKey, firstValue);
    SetString(secondKey, secondValue);
}

KeyValues::KeyValues(const char *setName, const char *firstKey, int firstValue, const char *secondKey,
                     int secondValue)
{
    Init();
    SetName(setName);
    SetInt(firstKey, firstValue);
    SetInt(secondKey, secondValue);
}

KeyValues::~KeyValues()
{
    FreeValues();
}

void KeyValues::FreeValues()
{
    FreeValueText(m_sValue);
    m_sValue = nullptr;
    delete[] m_wsValue;
    m_wsValue = nullptr;
}

// Destroys this node and its children (not its peers).
void KeyValues::DestroyOne()
{
    if (m_pSub) {
        KeyValues *sub = m_pSub;
        m_pSub = nullptr;
        sub->deleteThis();
    }
    delete this;
}

void KeyValues::deleteThis()
{
    KeyValues *peer = m_pPeer;
    m_pPeer = nullptr;
    while (peer && peer != this) {
        KeyValues *next = peer->m_pPeer;
        peer->m_pPeer = nullptr;
        peer->DestroyOne();
        peer = next;
    }
    DestroyOne();
}

void KeyValues::Clear()
{
    if (m_pSub) {
        KeyValues *sub = m_pSub;
        m_pSub = nullptr;
        sub->deleteThis();
    }
    m_iDataType = TYPE_NONE;
}

// ---------------------------------------------------------------------------------------------
// Names and lookup

const char *KeyValues::GetName() const
{
    return s_pfGetStringForSymbol(m_iKeyName);
}

void KeyValues::SetName(const char *setName)
{
    m_iKeyName = s_pfGetSymbolForString(setName ? setName : "", true);
}

KeyValues *KeyValues::FindKey(int keySymbol) const
{
    for (KeyValues *dat = m_pSub; dat; dat = dat->m_pPeer)
        if (dat->m_iKeyName == keySymbol)
            return dat;
    return nullptr;
}

KeyValues *KeyValues::FindKey(const char *keyName, bool bCreate)
{
    KeyValues *node = this;
    const char *path = keyName;
    while (path && *path) {
        const char *subStr = strchr(path, '/');
        size_t len = subStr ? static_cast<size_t>(subStr - path) : strlen(path);
        // A component must fit the 256-byte lookup buffer; a longer one finds and creates nothing.
        char component[256];
        if (len >= sizeof(component))
            return nullptr;
        memcpy(component, path, len);
        component[len] = 0;

        HKeySymbol sym = s_pfGetSymbolForString(component, bCreate);
        if (sym == INVALID_KEY_SYMBOL)
            return nullptr;

        KeyValues *lastItem = nullptr;
        KeyValues *dat = node->m_pSub;
        for (; dat; dat = dat->m_pPeer) {
            lastItem = dat;
            if (dat->m_iKeyName == sym)
                break;
        }
        if (!dat && node->m_pChain)
            dat = node->m_pChain->FindKey(component, false);
        if (!dat) {
            if (!bCreate)
                return nullptr;
            dat = new KeyValues(component);
            dat->m_bHasEscapeSequences = node->m_bHasEscapeSequences;
            dat->m_bEvaluateConditionals = node->m_bEvaluateConditionals;
            if (lastItem)
                lastItem->m_pPeer = dat;
            else
                node->m_pSub = dat;
            node->m_iDataType = TYPE_NONE;
        }
        node = dat;
        path = subStr ? subStr + 1 : nullptr;
    }
    return node;
}

KeyValues *KeyValues::CreateNewKey()
{
    // One above the largest child name read as a number (a non-number counts as 0); "1" with no
    // children. A child named INT_MAX is passed over rather than wrapping to a negative name.
    int largest = 0;
    bool bAny = false;
    KeyValues *last = nullptr;
    for (KeyValues *dat = m_pSub; dat; dat = dat->m_pPeer) {
        int val = atoi(dat->GetName());
        if (val < INT32_MAX && (!bAny || val > largest))
            largest = val;
        bAny = bAny || val < INT32_MAX;
        last = dat;
    }
    char buf[16];
    snprintf(buf, sizeof(buf), "%d", bAny ? largest + 1 : 1);
    return CreateKeyUsingKnownLastChild(buf, last);
}

KeyValues *KeyValues::CreateKeyUsingKnownLastChild(const char *keyName, KeyValues *pLastChild)
{
    KeyValues *dat = new KeyValues(keyName);
    dat->m_bHasEscapeSequences = m_bHasEscapeSequences;
    dat->m_bEvaluateConditionals = m_bEvaluateConditionals;
    if (pLastChild) {
        dat->m_pPeer = pLastChild->m_pPeer;
        pLastChild->m_pPeer = dat;
    } else {
        dat->m_pPeer = m_pSub;
        m_pSub = dat;
    }
    return dat;
}

void KeyValues::AddSubKey(KeyValues *pSubkey)
{
    if (!m_pSub) {
        m_pSub = pSubkey;
        return;
    }
    KeyValues *last = m_pSub;
    while (last->m_pPeer)
        last = last->m_pPeer;
    last->m_pPeer = pSubkey;
}

void KeyValues::RemoveSubKey(KeyValues *pSubkey)
{
    if (!pSubkey)
        return;
    if (m_pSub == pSubkey) {
        m_pSub = pSubkey->m_pPeer;
    } else {
        KeyValues *dat = m_pSub;
        while (dat && dat->m_pPeer != pSubkey)
            dat = dat->m_pPeer;
        if (!dat)
            return;
        dat->m_pPeer = pSubkey->m_pPeer;
    }
    pSubkey->m_pPeer = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Getters

int KeyValues::GetInt(const char *keyName, int defaultValue)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return defaultValue;
    switch (dat->m_iDataType) {
    case TYPE_STRING: return atoi(dat->m_sValue);
    case TYPE_WSTRING: return static_cast<int>(wcstol(dat->m_wsValue, nullptr, 10));
    case TYPE_FLOAT: return TruncateToInt(dat->m_flValue);
    case TYPE_UINT64: return 0;
    case TYPE_PTR: return static_cast<int>(reinterpret_cast<intptr_t>(dat->m_pValue));
    default: return dat->m_iValue;  // int, colour and none read the value cell
    }
}

uint64_t KeyValues::GetUint64(const char *keyName, uint64_t defaultValue)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return defaultValue;
    switch (dat->m_iDataType) {
    case TYPE_STRING: return static_cast<uint64_t>(V_atoi64(dat->m_sValue));
    case TYPE_WSTRING: return static_cast<uint64_t>(wcstoll(dat->m_wsValue, nullptr, 10));
    case TYPE_FLOAT: return static_cast<uint64_t>(static_cast<int64_t>(TruncateToInt(dat->m_flValue)));
    case TYPE_UINT64: return ReadUint64Block(dat->m_sValue);
    case TYPE_PTR:
        return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int>(reinterpret_cast<intptr_t>(dat->m_pValue))));
    default: return static_cast<uint64_t>(static_cast<int64_t>(dat->m_iValue));
    }
}

float KeyValues::GetFloat(const char *keyName, float defaultValue)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return defaultValue;
    switch (dat->m_iDataType) {
    case TYPE_STRING: return static_cast<float>(atof(dat->m_sValue));
    case TYPE_INT: return static_cast<float>(dat->m_iValue);
    case TYPE_FLOAT: return dat->m_flValue;
    case TYPE_UINT64: return static_cast<float>(ReadUint64Block(dat->m_sValue));
    default: return 0.0f;
    }
}

const char *KeyValues::GetString(const char *keyName, const char *defaultValue)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return defaultValue;
    char buf[64];
    switch (dat->m_iDataType) {
    case TYPE_STRING: return dat->m_sValue;
    case TYPE_INT:
    case TYPE_PTR:
        snprintf(buf, sizeof(buf), "%d", dat->m_iDataType == TYPE_INT
                                             ? dat->m_iValue
                                             : static_cast<int>(reinterpret_cast<intptr_t>(dat->m_pValue)));
        dat->SetStringValue(buf);
        return dat->m_sValue;
    case TYPE_FLOAT:
        snprintf(buf, sizeof(buf), "%f", dat->m_flValue);
        dat->SetStringValue(buf);
        return dat->m_sValue;
    case TYPE_UINT64:
        snprintf(buf, sizeof(buf), "%lld", static_cast<long long>(ReadUint64Block(dat->m_sValue)));
        dat->SetStringValue(buf);
        return dat->m_sValue;
    case TYPE_WSTRING: {
        char utf8[512];
        V_UnicodeToUTF8(dat->m_wsValue, utf8, sizeof(utf8));
        dat->SetStringValue(utf8);
        return dat->m_sValue;
    }
    default: return defaultValue;
    }
}

const wchar_t *KeyValues::GetWString(const char *keyName, const wchar_t *defaultValue)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return defaultValue;
    wchar_t wbuf[64];
    switch (dat->m_iDataType) {
    case TYPE_WSTRING: return dat->m_wsValue;
    case TYPE_STRING: {
        size_t len = strlen(dat->m_sValue);
        wchar_t *wide = new wchar_t[len + 1];
        int ok = V_UTF8ToUnicode(dat->m_sValue, wide, static_cast<int>((len + 1) * sizeof(wchar_t)));
        if (!ok) {
            delete[] wide;
            return defaultValue;
        }
        dat->SetWString(nullptr, wide);
        delete[] wide;
        return dat->m_wsValue;
    }
    case TYPE_INT:
    case TYPE_PTR:
        swprintf(wbuf, 64, L"%d", dat->m_iDataType == TYPE_INT
                                      ? dat->m_iValue
                                      : static_cast<int>(reinterpret_cast<intptr_t>(dat->m_pValue)));
        break;
    case TYPE_FLOAT: swprintf(wbuf, 64, L"%f", dat->m_flValue); break;
    case TYPE_UINT64:
        swprintf(wbuf, 64, L"%lld", static_cast<long long>(ReadUint64Block(dat->m_sValue)));
        break;
    default: return defaultValue;
    }
    dat->SetWString(nullptr, wbuf);
    return dat->m_wsValue;
}

void *KeyValues::GetPtr(const char *keyName, void *defaultValue)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return defaultValue;
    return dat->m_iDataType == TYPE_PTR ? dat->m_pValue : nullptr;
}

bool KeyValues::GetBool(const char *keyName, bool defaultValue)
{
    return GetInt(keyName, defaultValue ? 1 : 0) != 0;
}

Color KeyValues::GetColor(const char *keyName)
{
    Color color(0, 0, 0, 0);
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return color;
    switch (dat->m_iDataType) {
    case TYPE_COLOR:
        color.SetColor(dat->m_Color[0], dat->m_Color[1], dat->m_Color[2], dat->m_Color[3]);
        break;
    case TYPE_FLOAT: color[0] = static_cast<unsigned char>(TruncateToInt(dat->m_flValue)); break;
    case TYPE_INT: color[0] = static_cast<unsigned char>(dat->m_iValue); break;
    case TYPE_STRING: {
        float f[4] = {0, 0, 0, 0};
        sscanf(dat->m_sValue, "%f %f %f %f", &f[0], &f[1], &f[2], &f[3]);
        for (int i = 0; i < 4; ++i)
            color[i] = static_cast<unsigned char>(TruncateToInt(f[i]));
        break;
    }
    default: break;
    }
    return color;
}

bool KeyValues::IsEmpty(const char *keyName)
{
    KeyValues *dat = FindKey(keyName, false);
    if (!dat)
        return true;
    if (dat->m_iDataType != TYPE_NONE)
        return false;
    return dat->m_pSub == nullptr;
}

KeyValues::types_t KeyValues::GetDataType(const char *keyName)
{
    KeyValues *dat = FindKey(keyName, false);
    return dat ? static_cast<types_t>(dat->m_iDataType) : TYPE_NONE;
}

// ---------------------------------------------------------------------------------------------
// Setters

void KeyValues::SetStringValue(const char *value)
{
    char *copy = CopyValueText(value ? value : "");  // value may be this node's own text
    FreeValues();
    m_sValue = copy;
    m_iDataType = TYPE_STRING;
}

void KeyValues::SetString(const char *keyName, const char *value)
{
    KeyValues *dat = FindKey(keyName, true);
    if (!dat)
        return;
    if (dat->m_iDataType == TYPE_STRING && dat->m_sValue == value)
        return;
    dat->SetStringValue(value);
}

void KeyValues::SetWString(const char *keyName, const wchar_t *value)
{
    KeyValues *dat = FindKey(keyName, true);
    if (!dat)
        return;
    wchar_t *copy = CopyWide(value ? value : L"");  // value may be this node's own text
    dat->FreeValues();
    dat->m_wsValue = copy;
    dat->m_iDataType = TYPE_WSTRING;
}

void KeyValues::SetInt(const char *keyName, int value)
{
    KeyValues *dat = FindKey(keyName, true);
    if (!dat)
        return;
    dat->m_iValue = value;
    dat->m_iDataType = TYPE_INT;
}

void KeyValues::SetFloat(const char *keyName, float value)
{
    KeyValues *dat = FindKey(keyName, true);
    if (!dat)
        return;
    dat->m_flValue = value;
    dat->m_iDataType = TYPE_FLOAT;
}

void KeyValues::SetPtr(const char *keyName, void *value)
{
    KeyValues *dat = FindKey(keyName, true);
    if (!dat)
        return;
    dat->m_pValue = value;
    dat->m_iDataType = TYPE_PTR;
}

void KeyValues::SetColor(const char *keyName, Color value)
{
    KeyValues *dat = FindKey(keyName, true);
    if (!dat)
        return;
    for (int i = 0; i < 4; ++i)
        dat->m_Color[i] = value[i];
    dat->m_iDataType = TYPE_COLOR;
}

// ---------------------------------------------------------------------------------------------
// Copy, merge, resolution keys

KeyValues *KeyValues::MakeCopy() const
{
    KeyValues *newKV = new KeyValues(GetName());
    newKV->m_iKeyName = m_iKeyName;
    newKV->m_bHasEscapeSequences = m_bHasEscapeSequences;
    newKV->m_bEvaluateConditionals = m_bEvaluateConditionals;
    newKV->m_iDataType = m_iDataType;
    switch (m_iDataType) {
    case TYPE_STRING:
        if (m_sValue)
            newKV->m_sValue = CopyValueText(m_sValue);
        break;
    case TYPE_WSTRING:
        if (m_wsValue)
            newKV->m_wsValue = CopyWide(m_wsValue);
        break;
    case TYPE_UINT64:
        newKV->m_sValue = AllocValueText(sizeof(uint64_t));
        memcpy(newKV->m_sValue, m_sValue, sizeof(uint64_t));
        break;
    case TYPE_INT:
    case TYPE_FLOAT:
    case TYPE_PTR:
    case TYPE_COLOR:
        newKV->m_pValue = m_pValue;  // the whole value cell
        break;
    default: break;
    }
    CopySubkeys(newKV);
    return newKV;
}

void KeyValues::CopySubkeys(KeyValues *pParent) const
{
    KeyValues *pPrev = nullptr;
    for (KeyValues *sub = m_pSub; sub; sub = sub->m_pPeer) {
        KeyValues *copy = sub->MakeCopy();
        if (pPrev)
            pPrev->m_pPeer = copy;
        else
            pParent->m_pSub = copy;
        pPrev = copy;
    }
}

void KeyValues::RecursiveMergeKeyValues(KeyValues *baseKV)
{
    if (!baseKV)
        return;
    for (KeyValues *baseChild = baseKV->m_pSub; baseChild; baseChild = baseChild->m_pPeer) {
        const char *name = baseChild->GetName();
        KeyValues *newChild = nullptr;
        for (KeyValues *child = m_pSub; child; child = child->m_pPeer) {
            if (strcmp(name, child->GetName()) == 0) {
                newChild = child;
                break;
            }
        }
        if (newChild)
            newChild->RecursiveMergeKeyValues(baseChild);
        else
            AddSubKey(baseChild->MakeCopy());
    }
}

bool KeyValues::ProcessResolutionKeys(const char *pResString)
{
    if (!pResString)
        return false;
    for (KeyValues *pSubKey = m_pSub; pSubKey; pSubKey = pSubKey->m_pPeer) {
        pSubKey->ProcessResolutionKeys(pResString);

        char name[128];
        V_strncpy(name, pSubKey->GetName(), sizeof(name));
        char *pFound = V_stristr(name, pResString);
        if (pFound && V_stricmp(pFound, pResString) == 0) {
            *pFound = 0;
            // Only a child of this node gives way, never a node of the chained tree.
            HKeySymbol sym = s_pfGetSymbolForString(name, false);
            KeyValues *pKey = sym != INVALID_KEY_SYMBOL ? FindKey(sym) : nullptr;
            if (pKey && pKey != pSubKey) {
                RemoveSubKey(pKey);
                pKey->deleteThis();
            }
            pSubKey->SetName(name);
        }
    }
    return m_pSub != nullptr;
}
