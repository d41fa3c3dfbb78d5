// The engine console ("VEngineCvar004"): registration of console variables and commands by
// module, lookup by name, global change callbacks and the material-thread set queue.
#pragma once

class ConCommandBase;
class ConCommand;
class ConVar;
class IConVar;

typedef int CVarDLLIdentifier_t;
typedef void (*FnChangeCallback_t)(IConVar *var, const char *pOldValue, float flOldValue);

#define CVAR_INTERFACE_VERSION "VEngineCvar004"

class ICvar
{
public:
    // A new identifier for the objects of one module.
    virtual CVarDLLIdentifier_t AllocateDLLIdentifier() = 0;

    virtual void RegisterConCommand(ConCommandBase *pCommandBase) = 0;
    virtual void UnregisterConCommand(ConCommandBase *pCommandBase) = 0;
    virtual void UnregisterConCommands(CVarDLLIdentifier_t id) = 0;

    // The value given for a variable on the command line ("+name value"), or null.
    virtual const char *GetCommandLineValue(const char *pVariableName) = 0;

    // Lookup by name, without regard to letter case; null when absent.
    virtual ConCommandBase *FindCommandBase(const char *name) = 0;
    virtual ConVar *FindVar(const char *var_name) = 0;
    virtual ConCommand *FindCommand(const char *name) = 0;

    virtual void InstallGlobalChangeCallback(FnChangeCallback_t callback) = 0;
    virtual void RemoveGlobalChangeCallback(FnChangeCallback_t callback) = 0;
    virtual void CallGlobalChangeCallbacks(ConVar *var, const char *pOldString, float flOldValue) = 0;

    // Material-thread variables: whether they may be set now, else their sets are queued.
    virtual bool IsMaterialThreadSetAllowed() const = 0;
    virtual void QueueMaterialThreadSetValue(ConVar *pConVar, const char *pValue) = 0;
    virtual void QueueMaterialThreadSetValue(ConVar *pConVar, int nValue) = 0;
    virtual void QueueMaterialThreadSetValue(ConVar *pConVar, float flValue) = 0;
    virtual void ProcessQueuedMaterialThreadConVarSets() = 0;

    // The registered variables and commands in list order (order of registration).
    virtual int GetCommandCount() const = 0;
    virtual ConCommandBase *GetCommandAt(int index) = 0;  // null outside 0 .. count - 1

protected:
    ~ICvar() = default;
};
