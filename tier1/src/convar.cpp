// Console variables and commands: construction and the registration list, setting with clamping
// and callbacks, dispatch and completion, references by name, and the command-line parser.
#include "tier1/convar.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "icvar.h"
#include "tier0/dbg.h"
#include "tier1/tier1.h"

namespace {

const char *const empty_string = "";

// Float to int truncation as the x86 conversion does it: out of range and NaN give INT_MIN.
int TruncateToInt(float f)
{
    if (!(f > -2147483904.0f && f < 2147483648.0f))
        return INT_MIN;
    return static_cast<int>(f);
}

CVarDLLIdentifier_t s_nDLLIdentifier = -1;
bool s_bRegistered = false;
int s_nCVarFlag = 0;

class CDefaultAccessor : public IConCommandBaseAccessor
{
public:
    bool RegisterConCommandBase(ConCommandBase *pVar) override
    {
        g_pCVar->RegisterConCommand(pVar);
        return true;
    }
};
CDefaultAccessor s_DefaultAccessor;

int DefaultCompletionFunc(const char *partial, char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH])
{
    return 0;
}

// The variable every missed reference points at: empty name, "0", ignores sets.
class CEmptyConVar : public ConVar
{
public:
    CEmptyConVar() : ConVar("", "0") {}
    void SetValue(const char *) override {}
    void SetValue(float) override {}
    void SetValue(int) override {}
    const char *GetName() const override { return ""; }
    bool IsFlagSet(int) const override { return false; }
};
CEmptyConVar s_EmptyConVar;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Registration

ConCommandBase *ConCommandBase::s_pConCommandBases = nullptr;
IConCommandBaseAccessor *ConCommandBase::s_pAccessor = nullptr;

void ConVar_Register(int nCVarFlag, IConCommandBaseAccessor *pAccessor)
{
    if (!g_pCVar || s_bRegistered)
        return;
    s_bRegistered = true;
    s_nCVarFlag = nCVarFlag;
    s_nDLLIdentifier = g_pCVar->AllocateDLLIdentifier();
    ConCommandBase::s_pAccessor = pAccessor ? pAccessor : &s_DefaultAccessor;

    ConCommandBase *pCur = ConCommandBase::s_pConCommandBases;
    while (pCur) {
        ConCommandBase *pNext = pCur->m_pNext;
        pCur->AddFlags(s_nCVarFlag);
        pCur->Init();
        pCur = pNext;
    }
    g_pCVar->ProcessQueuedMaterialThreadConVarSets();
    ConCommandBase::s_pConCommandBases = nullptr;
}

void ConVar_Unregister()
{
    if (!g_pCVar || !s_bRegistered)
        return;
    g_pCVar->UnregisterConCommands(s_nDLLIdentifier);
    s_nDLLIdentifier = -1;
    s_bRegistered = false;
}

// ---------------------------------------------------------------------------------------------
// ConCommandBase

ConCommandBase::ConCommandBase()
    : m_pNext(nullptr), m_bRegistered(false), m_pszName(nullptr), m_pszHelpString(empty_string), m_nFlags(0)
{
}

ConCommandBase::ConCommandBase(const char *pName, const char *pHelpString, int flags)
{
    Create(pName, pHelpString, flags);
}

ConCommandBase::~ConCommandBase() = default;

void ConCommandBase::Create(const char *pName, const char *pHelpString, int flags)
{
    m_bRegistered = false;
    m_pszName = pName;
    m_pszHelpString = pHelpString ? pHelpString : empty_string;
    m_nFlags = flags;
    if (!(m_nFlags & FCVAR_UNREGISTERED)) {
        m_pNext = s_pConCommandBases;
        s_pConCommandBases = this;
    } else {
        m_pNext = nullptr;
    }
    // Made after start-up: register at once.
    if (s_pAccessor)
        Init();
}

void ConCommandBase::Init()
{
    if (s_pAccessor)
        s_pAccessor->RegisterConCommandBase(this);
}

bool ConCommandBase::IsCommand() const
{
    return true;
}

bool ConCommandBase::IsFlagSet(int flag) const
{
    return (flag & m_nFlags) != 0;
}

void ConCommandBase::AddFlags(int flags)
{
    m_nFlags |= flags;
}

const char *ConCommandBase::GetName() const
{
    return m_pszName;
}

const char *ConCommandBase::GetHelpText() const
{
    return m_pszHelpString;
}

bool ConCommandBase::IsRegistered() const
{
    return m_bRegistered;
}

CVarDLLIdentifier_t ConCommandBase::GetDLLIdentifier() const
{
    return s_nDLLIdentifier;
}

// ---------------------------------------------------------------------------------------------
// CCommand

CCommand::CCommand()
{
    Reset();
}

CCommand::CCommand(int nArgC, const char **ppArgV)
{
    Reset();
    std::string line;
    for (int i = 0; i < nArgC; ++i) {
        if (i)
            line += ' ';
        const char *arg = ppArgV[i] ? ppArgV[i] : "";
        bool bQuote = !*arg || strpbrk(arg, " \t\r\n") != nullptr;
        if (bQuote)
            line += '"';
        line += arg;
        if (bQuote)
            line += '"';
    }
    Tokenize(line.c_str());
}

void CCommand::Reset()
{
    m_nArgc = 0;
    m_nArgv0Size = 0;
    m_pArgSBuffer[0] = 0;
    m_pArgvBuffer[0] = 0;
}

bool CCommand::Tokenize(const char *pCommand)
{
    Reset();
    if (!pCommand)
        return false;
    size_t len = strlen(pCommand);
    if (len >= COMMAND_MAX_LENGTH - 1)
        return false;
    memcpy(m_pArgSBuffer, pCommand, len + 1);

    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t pos = 0;
    size_t out = 0;
    while (m_nArgc < COMMAND_MAX_ARGC) {
        while (pos < len && isSpace(m_pArgSBuffer[pos]))
            ++pos;
        if (pos >= len)
            break;
        if (m_nArgc == 1)
            m_nArgv0Size = static_cast<int>(pos);
        size_t start;
        size_t wordLen;
        if (m_pArgSBuffer[pos] == '"') {
            start = ++pos;
            while (pos < len && m_pArgSBuffer[pos] != '"')
                ++pos;
            wordLen = pos - start;
            if (pos < len)
                ++pos;
        } else {
            start = pos;
            while (pos < len && !isSpace(m_pArgSBuffer[pos]))
                ++pos;
            wordLen = pos - start;
        }
        if (out + wordLen + 1 > sizeof(m_pArgvBuffer))
            break;
        memcpy(m_pArgvBuffer + out, m_pArgSBuffer + start, wordLen);
        m_pArgvBuffer[out + wordLen] = 0;
        m_ppArgv[m_nArgc++] = m_pArgvBuffer + out;
        out += wordLen + 1;
    }
    if (m_nArgc == 1)
        m_nArgv0Size = static_cast<int>(len);  // no arguments: ArgS is empty
    return true;
}

// ---------------------------------------------------------------------------------------------
// ConCommand

ConCommand::ConCommand(const char *pName, FnCommandCallbackVoid_t callback, const char *pHelpString, int flags,
                       FnCommandCompletionCallback completionFunc)
{
    m_fnCommandCallbackV1 = callback;
    m_bUsingNewCommandCallback = false;
    CreateWithCompletionFunc(pName, pHelpString, flags, completionFunc);
}

ConCommand::ConCommand(const char *pName, FnCommandCallback_t callback, const char *pHelpString, int flags,
                       FnCommandCompletionCallback completionFunc)
{
    m_fnCommandCallback = callback;
    m_bUsingNewCommandCallback = true;
    CreateWithCompletionFunc(pName, pHelpString, flags, completionFunc);
}

void ConCommand::CreateWithCompletionFunc(const char *pName, const char *pHelpString, int flags,
                                          FnCommandCompletionCallback completionFunc)
{
    m_bUsingCommandCallbackInterface = false;
    m_fnCompletionCallback = completionFunc ? completionFunc : DefaultCompletionFunc;
    m_bHasCompletionCallback = completionFunc != nullptr;
    ConCommandBase::Create(pName, pHelpString, flags);
}

ConCommand::ConCommand(const char *pName, ICommandCallback *pCallback, const char *pHelpString, int flags,
                       ICommandCompletionCallback *pCompletionCallback)
{
    m_pCommandCallback = pCallback;
    m_bUsingNewCommandCallback = false;
    m_bUsingCommandCallbackInterface = true;
    m_pCommandCompletionCallback = pCompletionCallback;
    m_bHasCompletionCallback = pCompletionCallback != nullptr;
    ConCommandBase::Create(pName, pHelpString, flags);
}

ConCommand::~ConCommand() = default;

bool ConCommand::IsCommand() const
{
    return true;
}

void ConCommand::Dispatch(const CCommand &command)
{
    if (m_bUsingNewCommandCallback) {
        if (m_fnCommandCallback)
            m_fnCommandCallback(command);
    } else if (m_bUsingCommandCallbackInterface) {
        if (m_pCommandCallback)
            m_pCommandCallback->CommandCallback(command);
    } else if (m_fnCommandCallbackV1) {
        m_fnCommandCallbackV1();
    }
}

int ConCommand::AutoCompleteSuggest(const char *partial, CUtlVector<CUtlString> &commands)
{
    if (m_bUsingCommandCallbackInterface) {
        if (!m_pCommandCompletionCallback)
            return 0;
        return m_pCommandCompletionCallback->CommandCompletionCallback(partial, commands);
    }
    if (!m_fnCompletionCallback)
        return 0;

    char commandsOut[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH];
    memset(commandsOut, 0, sizeof(commandsOut));
    int nCount = m_fnCompletionCallback(partial, commandsOut);
    // The count is clamped to the entries there are; each entry is read within its 128 bytes.
    if (nCount < 0)
        nCount = 0;
    if (nCount > COMMAND_COMPLETION_MAXITEMS)
        nCount = COMMAND_COMPLETION_MAXITEMS;
    for (int i = 0; i < nCount; ++i) {
        char entry[COMMAND_COMPLETION_ITEM_LENGTH + 1];
        size_t len = strnlen(commandsOut[i], COMMAND_COMPLETION_ITEM_LENGTH);
        memcpy(entry, commandsOut[i], len);
        entry[len] = 0;
        commands.AddToTail(CUtlString(entry));
    }
    return nCount;
}

bool ConCommand::CanAutoComplete()
{
    return m_bHasCompletionCallback;
}

// ---------------------------------------------------------------------------------------------
// ConVar

ConVar::ConVar(const char *pName, const char *pDefaultValue, int flags)
{
    Create(pName, pDefaultValue, flags);
}

ConVar::ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString)
{
    Create(pName, pDefaultValue, flags, pHelpString);
}

ConVar::ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString, bool bMin, float fMin,
               bool bMax, float fMax)
{
    Create(pName, pDefaultValue, flags, pHelpString, bMin, fMin, bMax, fMax);
}

ConVar::ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString,
               FnChangeCallback_t callback)
{
    Create(pName, pDefaultValue, flags, pHelpString, false, 0.0f, false, 0.0f, callback);
}

ConVar::ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString, bool bMin, float fMin,
               bool bMax, float fMax, FnChangeCallback_t callback)
{
    Create(pName, pDefaultValue, flags, pHelpString, bMin, fMin, bMax, fMax, callback);
}

ConVar::~ConVar()
{
    delete[] m_pszString;
}

void ConVar::Create(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString, bool bMin,
                    float fMin, bool bMax, float fMax, FnChangeCallback_t callback)
{
    m_pParent = this;
    m_pszDefaultValue = pDefaultValue ? pDefaultValue : empty_string;
    m_StringLength = static_cast<int>(strlen(m_pszDefaultValue)) + 1;
    m_pszString = new char[m_StringLength];
    memcpy(m_pszString, m_pszDefaultValue, static_cast<size_t>(m_StringLength));
    m_bHasMin = bMin;
    m_fMinVal = fMin;
    m_bHasMax = bMax;
    m_fMaxVal = fMax;
    m_fnChangeCallback = callback;
    m_fValue = static_cast<float>(atof(m_pszString));
    m_nValue = TruncateToInt(m_fValue);
    ConCommandBase::Create(pName, pHelpString, flags);
}

void ConVar::Init()
{
    ConCommandBase::Init();
}

bool ConVar::IsFlagSet(int flag) const
{
    return (flag & m_pParent->m_nFlags) != 0;
}

const char *ConVar::GetHelpText() const
{
    return m_pParent->m_pszHelpString;
}

bool ConVar::IsRegistered() const
{
    return m_pParent->m_bRegistered;
}

const char *ConVar::GetName() const
{
    return m_pParent->m_pszName;
}

void ConVar::AddFlags(int flags)
{
    m_pParent->m_nFlags |= flags;
}

bool ConVar::IsCommand() const
{
    return false;
}

const char *ConVar::GetString() const
{
    return m_pParent->m_pszString ? m_pParent->m_pszString : "";
}

const char *ConVar::GetDefault() const
{
    return m_pParent->m_pszDefaultValue;
}

void ConVar::SetValue(const char *value)
{
    m_pParent->InternalSetValue(value);
}

void ConVar::SetValue(float value)
{
    m_pParent->InternalSetFloatValue(value);
}

void ConVar::SetValue(int value)
{
    m_pParent->InternalSetIntValue(value);
}

bool ConVar::ClampValue(float &value)
{
    if (m_bHasMin && !(value >= m_fMinVal)) {
        value = m_fMinVal;
        return true;
    }
    if (m_bHasMax && value > m_fMaxVal) {
        value = m_fMaxVal;
        return true;
    }
    return false;
}

void ConVar::InternalSetValue(const char *value)
{
    if (IsFlagSet(FCVAR_MATERIAL_THREAD_MASK) && g_pCVar && !g_pCVar->IsMaterialThreadSetAllowed()) {
        g_pCVar->QueueMaterialThreadSetValue(this, value);
        return;
    }
    float flOldValue = m_fValue;
    float fNewValue = value ? static_cast<float>(atof(value)) : 0.0f;
    char tempVal[32];
    const char *val = value;
    if (ClampValue(fNewValue)) {
        snprintf(tempVal, sizeof(tempVal), "%f", fNewValue);
        val = tempVal;
    }
    m_fValue = fNewValue;
    m_nValue = TruncateToInt(fNewValue);
    if (!(m_nFlags & FCVAR_NEVER_AS_STRING))
        ChangeStringValue(val, flOldValue);
}

void ConVar::InternalSetFloatValue(float fNewValue)
{
    if (!(fNewValue < m_fValue) && !(fNewValue > m_fValue))
        return;
    if (IsFlagSet(FCVAR_MATERIAL_THREAD_MASK) && g_pCVar && !g_pCVar->IsMaterialThreadSetAllowed()) {
        g_pCVar->QueueMaterialThreadSetValue(this, fNewValue);
        return;
    }
    ClampValue(fNewValue);
    float flOldValue = m_fValue;
    m_fValue = fNewValue;
    m_nValue = TruncateToInt(fNewValue);
    if (!(m_nFlags & FCVAR_NEVER_AS_STRING)) {
        char tempVal[32];
        snprintf(tempVal, sizeof(tempVal), "%f", m_fValue);
        ChangeStringValue(tempVal, flOldValue);
    }
}

void ConVar::InternalSetIntValue(int nValue)
{
    if (nValue == m_nValue)
        return;
    if (IsFlagSet(FCVAR_MATERIAL_THREAD_MASK) && g_pCVar && !g_pCVar->IsMaterialThreadSetAllowed()) {
        g_pCVar->QueueMaterialThreadSetValue(this, nValue);
        return;
    }
    float fValue = static_cast<float>(nValue);
    if (ClampValue(fValue))
        nValue = TruncateToInt(fValue);
    float flOldValue = m_fValue;
    m_fValue = fValue;
    m_nValue = nValue;
    if (!(m_nFlags & FCVAR_NEVER_AS_STRING)) {
        char tempVal[32];
        snprintf(tempVal, sizeof(tempVal), "%d", m_nValue);
        ChangeStringValue(tempVal, flOldValue);
    }
}

void ConVar::ChangeStringValue(const char *tempVal, float flOldValue)
{
    std::string oldValue(m_pszString, strnlen(m_pszString, static_cast<size_t>(m_StringLength)));
    if (tempVal) {
        int len = static_cast<int>(strlen(tempVal)) + 1;
        if (len > m_StringLength) {
            char *pNew = new char[len];
            memcpy(pNew, tempVal, static_cast<size_t>(len));
            delete[] m_pszString;
            m_pszString = pNew;
            m_StringLength = len;
        } else {
            memmove(m_pszString, tempVal, static_cast<size_t>(len));
        }
    } else {
        m_pszString[0] = 0;
    }
    if (m_fnChangeCallback)
        m_fnChangeCallback(this, oldValue.c_str(), flOldValue);
    if (g_pCVar)
        g_pCVar->CallGlobalChangeCallbacks(this, oldValue.c_str(), flOldValue);
}

// ---------------------------------------------------------------------------------------------
// ConVarRef

ConVarRef::ConVarRef(const char *pName)
{
    Init(pName, false);
}

ConVarRef::ConVarRef(const char *pName, bool bIgnoreMissing)
{
    Init(pName, bIgnoreMissing);
}

ConVarRef::ConVarRef(IConVar *pConVar)
{
    ConVar *pVar = pConVar ? static_cast<ConVar *>(pConVar) : &s_EmptyConVar;
    m_pConVar = pVar;
    m_pConVarState = pVar;
}

void ConVarRef::Init(const char *pName, bool bIgnoreMissing)
{
    static bool s_bFirst = true;
    ConVar *pVar = g_pCVar ? g_pCVar->FindVar(pName) : nullptr;
    if (!pVar)
        pVar = &s_EmptyConVar;
    m_pConVar = pVar;
    m_pConVarState = pVar;
    if (!IsValid()) {
        if (g_pCVar || s_bFirst) {
            if (!bIgnoreMissing)
                Warning("ConVarRef %s doesn't point to an existing ConVar\n", pName ? pName : "");
            s_bFirst = false;
        }
    }
}

bool ConVarRef::IsValid() const
{
    return m_pConVarState != &s_EmptyConVar;
}
