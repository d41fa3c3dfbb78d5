// Console variables (ConVar) and commands (ConCommand): objects that link themselves into a
// registration list at construction and are handed to the engine console by ConVar_Register.
#pragma once

#include "tier1/iconvar.h"
#include "tier1/utlstring.h"
#include "tier1/utlvector.h"

class ConVar;
class CCommand;
class ConCommand;
class ConCommandBase;

// Identifies the module that registered an object with the engine console.
typedef int CVarDLLIdentifier_t;

// Hands one object to the engine; ConVar_Register installs one (the default when none given).
class IConCommandBaseAccessor
{
public:
    virtual bool RegisterConCommandBase(ConCommandBase *pVar) = 0;

protected:
    ~IConCommandBaseAccessor() = default;
};

// Start-up and shut-down of the module's console objects.
void ConVar_Register(int nCVarFlag = 0, IConCommandBaseAccessor *pAccessor = nullptr);
void ConVar_Unregister();

// The parsed words of one command line: argument 0 is the command name. Double quotes group
// words; the texts are kept in fixed buffers.
class CCommand
{
public:
    enum
    {
        COMMAND_MAX_ARGC = 64,
        COMMAND_MAX_LENGTH = 512,
    };

    CCommand();
    CCommand(int nArgC, const char **ppArgV);
    // False (and no words) when the text is too long.
    bool Tokenize(const char *pCommand);
    void Reset();

    int ArgC() const { return m_nArgc; }
    const char **ArgV() const { return m_nArgc ? const_cast<const char **>(m_ppArgv) : nullptr; }
    // The text after the command name.
    const char *ArgS() const { return m_nArgv0Size ? &m_pArgSBuffer[m_nArgv0Size] : ""; }
    const char *GetCommandString() const { return m_nArgc ? m_pArgSBuffer : ""; }
    const char *Arg(int nIndex) const { return nIndex >= 0 && nIndex < m_nArgc ? m_ppArgv[nIndex] : ""; }
    const char *operator[](int nIndex) const { return Arg(nIndex); }

private:
    int m_nArgc;
    int m_nArgv0Size;
    char m_pArgSBuffer[COMMAND_MAX_LENGTH];
    char m_pArgvBuffer[COMMAND_MAX_LENGTH];
    const char *m_ppArgv[COMMAND_MAX_ARGC];
};

// Base of variables and commands.
class ConCommandBase
{
    friend void ConVar_Register(int nCVarFlag, IConCommandBaseAccessor *pAccessor);
    friend void ConVar_Unregister();

public:
    ConCommandBase();
    ConCommandBase(const char *pName, const char *pHelpString = nullptr, int flags = 0);
    virtual ~ConCommandBase();

    virtual bool IsCommand() const;
    virtual bool IsFlagSet(int flag) const;
    virtual void AddFlags(int flags);
    virtual const char *GetName() const;
    virtual const char *GetHelpText() const;
    virtual bool IsRegistered() const;
    virtual CVarDLLIdentifier_t GetDLLIdentifier() const;

protected:
    virtual void Create(const char *pName, const char *pHelpString = nullptr, int flags = 0);
    virtual void Init();

public:
    const ConCommandBase *GetNext() const { return m_pNext; }
    ConCommandBase *GetNext() { return m_pNext; }
    int GetFlags() const { return m_nFlags; }
    // Only the engine console marks an object as accepted.
    void SetRegistered(bool bRegistered) { m_bRegistered = bRegistered; }

    static ConCommandBase *s_pConCommandBases;
    static IConCommandBaseAccessor *s_pAccessor;

protected:
    ConCommandBase *m_pNext;
    bool m_bRegistered;
    const char *m_pszName;
    const char *m_pszHelpString;
    int m_nFlags;
};

// Command callbacks: old style (no arguments), new style (the argument record), or interfaces.
typedef void (*FnCommandCallbackVoid_t)();
typedef void (*FnCommandCallback_t)(const CCommand &command);

#define COMMAND_COMPLETION_MAXITEMS 64
#define COMMAND_COMPLETION_ITEM_LENGTH 128

// Fills up to COMMAND_COMPLETION_MAXITEMS entries and returns how many it filled.
typedef int (*FnCommandCompletionCallback)(const char *partial,
                                           char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH]);

class ICommandCallback
{
public:
    virtual void CommandCallback(const CCommand &command) = 0;

protected:
    ~ICommandCallback() = default;
};

class ICommandCompletionCallback
{
public:
    virtual int CommandCompletionCallback(const char *pPartial, CUtlVector<CUtlString> &commands) = 0;

protected:
    ~ICommandCompletionCallback() = default;
};

class ConCommand : public ConCommandBase
{
public:
    ConCommand(const char *pName, FnCommandCallbackVoid_t callback, const char *pHelpString = nullptr, int flags = 0,
               FnCommandCompletionCallback completionFunc = nullptr);
    ConCommand(const char *pName, FnCommandCallback_t callback, const char *pHelpString = nullptr, int flags = 0,
               FnCommandCompletionCallback completionFunc = nullptr);
    ConCommand(const char *pName, ICommandCallback *pCallback, const char *pHelpString = nullptr, int flags = 0,
               ICommandCompletionCallback *pCommandCompletionCallback = nullptr);
    ~ConCommand() override;

    bool IsCommand() const override;
    // Appends suggestions for a partial command line; returns how many were added.
    virtual int AutoCompleteSuggest(const char *partial, CUtlVector<CUtlString> &commands);
    virtual bool CanAutoComplete();
    virtual void Dispatch(const CCommand &command);

private:
    // The function-pointer forms: a completion function or the default one, then registration.
    void CreateWithCompletionFunc(const char *pName, const char *pHelpString, int flags,
                                  FnCommandCompletionCallback completionFunc);

    union
    {
        FnCommandCallbackVoid_t m_fnCommandCallbackV1;
        FnCommandCallback_t m_fnCommandCallback;
        ICommandCallback *m_pCommandCallback;
    };
    union
    {
        FnCommandCompletionCallback m_fnCompletionCallback;
        ICommandCompletionCallback *m_pCommandCompletionCallback;
    };
    bool m_bHasCompletionCallback : 1;
    bool m_bUsingNewCommandCallback : 1;
    bool m_bUsingCommandCallbackInterface : 1;
};

class ConVar : public ConCommandBase, public IConVar
{
    friend class ConVarRef;

public:
    ConVar(const char *pName, const char *pDefaultValue, int flags = 0);
    ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString);
    ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString, bool bMin, float fMin,
           bool bMax, float fMax);
    ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString,
           FnChangeCallback_t callback);
    ConVar(const char *pName, const char *pDefaultValue, int flags, const char *pHelpString, bool bMin, float fMin,
           bool bMax, float fMax, FnChangeCallback_t callback);
    ~ConVar() override;

    bool IsFlagSet(int flag) const override;
    const char *GetHelpText() const override;
    bool IsRegistered() const override;
    const char *GetName() const override;
    void AddFlags(int flags) override;
    bool IsCommand() const override;

    // Values, read through the parent.
    float GetFloat() const { return m_pParent->m_fValue; }
    int GetInt() const { return m_pParent->m_nValue; }
    bool GetBool() const { return GetInt() != 0; }
    const char *GetString() const;
    const char *GetDefault() const;

    void SetValue(const char *value) override;
    void SetValue(float value) override;
    void SetValue(int value) override;

protected:
    virtual void InternalSetValue(const char *value);
    virtual void InternalSetFloatValue(float fNewValue);
    virtual void InternalSetIntValue(int nValue);
    virtual bool ClampValue(float &value);
    virtual void ChangeStringValue(const char *tempVal, float flOldValue);
    virtual void Create(const char *pName, const char *pDefaultValue, int flags = 0, const char *pHelpString = nullptr,
                        bool bMin = false, float fMin = 0.0f, bool bMax = false, float fMax = 0.0f,
                        FnChangeCallback_t callback = nullptr);
    void Init() override;

    ConVar *m_pParent;
    const char *m_pszDefaultValue;
    char *m_pszString;
    int m_StringLength;
    float m_fValue;
    int m_nValue;
    bool m_bHasMin;
    float m_fMinVal;
    bool m_bHasMax;
    float m_fMaxVal;
    FnChangeCallback_t m_fnChangeCallback;
};

// Finds a variable somebody else owns, by name; points at an empty variable when none exists.
class ConVarRef
{
public:
    explicit ConVarRef(const char *pName);
    ConVarRef(const char *pName, bool bIgnoreMissing);
    explicit ConVarRef(IConVar *pConVar);

    void Init(const char *pName, bool bIgnoreMissing);
    bool IsValid() const;
    bool IsFlagSet(int nFlags) const { return m_pConVar->IsFlagSet(nFlags); }
    IConVar *GetLinkedConVar() { return m_pConVar; }

    float GetFloat() const { return m_pConVarState->m_pParent->m_fValue; }
    int GetInt() const { return m_pConVarState->m_pParent->m_nValue; }
    bool GetBool() const { return GetInt() != 0; }
    const char *GetString() const { return m_pConVarState->m_pParent->m_pszString; }
    const char *GetName() const { return m_pConVar->GetName(); }
    const char *GetDefault() const { return m_pConVarState->m_pParent->m_pszDefaultValue; }

    void SetValue(const char *pValue) { m_pConVar->SetValue(pValue); }
    void SetValue(float flValue) { m_pConVar->SetValue(flValue); }
    void SetValue(int nValue) { m_pConVar->SetValue(nValue); }
    void SetValue(bool bValue) { m_pConVar->SetValue(bValue ? 1 : 0); }

private:
    IConVar *m_pConVar;
    ConVar *m_pConVarState;
};
