// KeyValues: a tree of named, typed values (layout settings, vgui messages, scheme data) with a
// text form. Nodes and key names come from vstdlib's key-values service.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tier1/Color.h"
#include "vstdlib/IKeyValuesSystem.h"

class CUtlBuffer;
class IBaseFileSystem;
typedef void *FileHandle_t;

class KeyValues
{
public:
    enum types_t
    {
        TYPE_NONE = 0,
        TYPE_STRING,
        TYPE_INT,
        TYPE_FLOAT,
        TYPE_PTR,
        TYPE_WSTRING,
        TYPE_COLOR,
        TYPE_UINT64,
        TYPE_NUMTYPES,
    };

    explicit KeyValues(const char *setName);
    KeyValues(const char *setName, const char *firstKey, const char *firstValue);
    KeyValues(const char *setName, const char *firstKey, const wchar_t *firstValue);
    KeyValues(const char *setName, const char *firstKey, int firstValue);
    KeyValues(const char *setName, const char *firstKey, const char *firstValue, const char *secondKey,
              const char *secondValue);
    KeyValues(const char *setName, const char *firstKey, int firstValue, const char *secondKey, int secondValue);

    KeyValues(const KeyValues &) = delete;
    KeyValues &operator=(const KeyValues &) = delete;

    // Names.
    const char *GetName() const;
    void SetName(const char *setName);
    int GetNameSymbol() const { return m_iKeyName; }

    // Lookup. A path is names separated by '/'; a null or empty path is this node. A name of 256
    // characters or more finds nothing and creates nothing.
    KeyValues *FindKey(const char *keyName, bool bCreate = false);
    KeyValues *FindKey(int keySymbol) const;  // children only
    KeyValues *CreateNewKey();                // named one above the largest numeric child name
    KeyValues *CreateKeyUsingKnownLastChild(const char *keyName, KeyValues *pLastChild);
    void AddSubKey(KeyValues *pSubkey);
    void RemoveSubKey(KeyValues *pSubkey);  // unlinks without destroying

    KeyValues *GetFirstSubKey() const { return m_pSub; }
    KeyValues *GetNextKey() const { return m_pPeer; }
    void SetNextKey(KeyValues *pDat) { m_pPeer = pDat; }
    // A tree searched when a name is not found here (not owned).
    void ChainKeyValue(KeyValues *pChain) { m_pChain = pChain; }
    KeyValues *GetChain() const { return m_pChain; }

    // Typed access; getters never create and give the default when the key is missing.
    int GetInt(const char *keyName = nullptr, int defaultValue = 0);
    uint64_t GetUint64(const char *keyName = nullptr, uint64_t defaultValue = 0);
    float GetFloat(const char *keyName = nullptr, float defaultValue = 0.0f);
    const char *GetString(const char *keyName = nullptr, const char *defaultValue = "");
    const wchar_t *GetWString(const char *keyName = nullptr, const wchar_t *defaultValue = L"");
    void *GetPtr(const char *keyName = nullptr, void *defaultValue = nullptr);
    bool GetBool(const char *keyName = nullptr, bool defaultValue = false);
    Color GetColor(const char *keyName = nullptr);
    bool IsEmpty(const char *keyName = nullptr);
    types_t GetDataType(const char *keyName = nullptr);

    // Setters create the path.
    void SetString(const char *keyName, const char *value);
    void SetWString(const char *keyName, const wchar_t *value);
    void SetInt(const char *keyName, int value);
    void SetFloat(const char *keyName, float value);
    void SetPtr(const char *keyName, void *value);
    void SetColor(const char *keyName, Color value);
    void SetStringValue(const char *value);

    // Structure.
    KeyValues *MakeCopy() const;
    void CopySubkeys(KeyValues *pParent) const;
    void Clear();
    void deleteThis();
    void RecursiveMergeKeyValues(KeyValues *baseKV);
    bool ProcessResolutionKeys(const char *pResString);

    void UsesEscapeSequences(bool state) { m_bHasEscapeSequences = state; }
    void UsesConditionals(bool state) { m_bEvaluateConditionals = state; }

    // Text form.
    bool LoadFromFile(IBaseFileSystem *filesystem, const char *resourceName, const char *pathID = nullptr);
    bool SaveToFile(IBaseFileSystem *filesystem, const char *resourceName, const char *pathID = nullptr,
                    bool sortKeys = false);
    bool LoadFromBuffer(const char *resourceName, const char *pBuffer, IBaseFileSystem *pFileSystem = nullptr,
                        const char *pPathID = nullptr);
    bool LoadFromBuffer(const char *resourceName, CUtlBuffer &buf, IBaseFileSystem *pFileSystem = nullptr,
                        const char *pPathID = nullptr);
    void RecursiveSaveToFile(CUtlBuffer &buf, int indentLevel, bool sortKeys = false);

    // The truth of a conditional such as "[$WIN32]" or "[!$X360]" on this build.
    bool EvaluateConditional(const char *str);

    // Name hooks: every name goes through these; they default to the key-values service.
    static HKeySymbol (*s_pfGetSymbolForString)(const char *name, bool bCreate);
    static const char *(*s_pfGetStringForSymbol)(HKeySymbol symbol);
    static HKeySymbol GetSymbolForStringClassic(const char *name, bool bCreate);
    static const char *GetStringForSymbolClassic(HKeySymbol symbol);

    // Nodes live in the key-values service's memory.
    void *operator new(size_t size);
    void operator delete(void *pMem);

private:
    ~KeyValues();
    // Storage of value texts (reused through free lists, as nodes are).
    static char *AllocValueText(size_t nBytes);
    static void FreeValueText(char *p);
    static char *CopyValueText(const char *s);
    void Init();
    void FreeValues();
    void DestroyOne();

    // Reader and writer (keyvalues text).
    bool LoadFromText(const char *resourceName, const char *pData, int nLength, IBaseFileSystem *pFileSystem,
                      const char *pPathID);
    void RecursiveLoadFromBuffer(const char *resourceName, CUtlBuffer &buf, int nDepth);
    void ParseIncludedKeys(const char *resourceName, const char *filetoinclude, IBaseFileSystem *pFileSystem,
                           const char *pPathID, void *pIncludedKeys);
    struct CWriteContext;  // where the text goes: a file, a buffer, or both
    void RecursiveSaveToFile(CWriteContext &ctx, int indentLevel, bool sortKeys);
    void SaveKeyToFile(KeyValues *dat, CWriteContext &ctx, int indentLevel, bool sortKeys);
    void WriteConvertedString(CWriteContext &ctx, const char *pszString);

    HKeySymbol m_iKeyName;
    char *m_sValue;
    wchar_t *m_wsValue;
    union
    {
        int m_iValue;
        float m_flValue;
        void *m_pValue;
        unsigned char m_Color[4];
    };
    unsigned char m_iDataType;
    bool m_bHasEscapeSequences;
    bool m_bEvaluateConditionals;
    KeyValues *m_pPeer;
    KeyValues *m_pSub;
    KeyValues *m_pChain;
};
