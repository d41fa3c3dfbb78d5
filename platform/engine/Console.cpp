// The engine console stand-in ("VEngineCvar004"): registered variables and commands by module,
// lookup, global change callbacks, the material-thread set queue, and running command text.
#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/consolestandin.h"
#include "icvar.h"
#include "tier0/dbg.h"
#include "tier0/icommandline.h"
#include "tier1/convar.h"
#include "tier1/interface.h"

namespace {

class EngineConsole final : public ICvar, public IConsoleStandIn
{
public:
    CVarDLLIdentifier_t AllocateDLLIdentifier() override { return m_nNextIdentifier++; }

    void RegisterConCommand(ConCommandBase *pCommandBase) override
    {
        if (!pCommandBase || pCommandBase->IsRegistered())
            return;
        const char *name = pCommandBase->GetName();
        if (FindCommandBase(name)) {
            if (name && *name)  // every module's empty placeholder variable shares the empty name
                Warning("Console: \"%s\" is already registered\n", name ? name : "");
            return;
        }
        pCommandBase->SetRegistered(true);
        m_Commands.push_back(pCommandBase);
    }

    void UnregisterConCommand(ConCommandBase *pCommandBase) override
    {
        auto it = std::find(m_Commands.begin(), m_Commands.end(), pCommandBase);
        if (it == m_Commands.end())
            return;
        pCommandBase->SetRegistered(false);
        m_Commands.erase(it);
    }

    void UnregisterConCommands(CVarDLLIdentifier_t id) override
    {
        std::vector<ConCommandBase *> kept;
        for (ConCommandBase *p : m_Commands) {
            if (p->GetDLLIdentifier() == id)
                p->SetRegistered(false);
            else
                kept.push_back(p);
        }
        m_Commands.swap(kept);
        m_Queue.erase(std::remove_if(m_Queue.begin(), m_Queue.end(),
                                     [&](const QueuedSet &q) { return !q.var->IsRegistered(); }),
                      m_Queue.end());
    }

    const char *GetCommandLineValue(const char *pVariableName) override
    {
        if (!pVariableName)
            return nullptr;
        std::string plus = std::string("+") + pVariableName;
        const char *value = CommandLine_Tier0()->ParmValue(plus.c_str());
        if (!value) {
            std::string minus = std::string("-") + pVariableName;
            value = CommandLine_Tier0()->ParmValue(minus.c_str());
        }
        return value;
    }

    ConCommandBase *FindCommandBase(const char *name) override
    {
        if (!name)
            return nullptr;
        for (ConCommandBase *p : m_Commands)
            if (p->GetName() && strcasecmp(p->GetName(), name) == 0)
                return p;
        return nullptr;
    }

    ConVar *FindVar(const char *name) override
    {
        ConCommandBase *p = FindCommandBase(name);
        return p && !p->IsCommand() ? static_cast<ConVar *>(p) : nullptr;
    }

    ConCommand *FindCommand(const char *name) override
    {
        ConCommandBase *p = FindCommandBase(name);
        return p && p->IsCommand() ? static_cast<ConCommand *>(p) : nullptr;
    }

    void InstallGlobalChangeCallback(FnChangeCallback_t callback) override
    {
        if (callback && std::find(m_GlobalCallbacks.begin(), m_GlobalCallbacks.end(), callback) == m_GlobalCallbacks.end())
            m_GlobalCallbacks.push_back(callback);
    }

    void RemoveGlobalChangeCallback(FnChangeCallback_t callback) override
    {
        m_GlobalCallbacks.erase(std::remove(m_GlobalCallbacks.begin(), m_GlobalCallbacks.end(), callback),
                                m_GlobalCallbacks.end());
    }

    void CallGlobalChangeCallbacks(ConVar *var, const char *pOldString, float flOldValue) override
    {
        std::vector<FnChangeCallback_t> callbacks = m_GlobalCallbacks;  // a callback may remove itself
        for (FnChangeCallback_t cb : callbacks)
            cb(var, pOldString, flOldValue);
    }

    bool IsMaterialThreadSetAllowed() const override { return m_bMaterialSetAllowed; }

    void QueueMaterialThreadSetValue(ConVar *pConVar, const char *pValue) override
    {
        m_Queue.push_back({pConVar, QueuedSet::Text, pValue ? pValue : "", 0, 0.0f});
    }
    void QueueMaterialThreadSetValue(ConVar *pConVar, int nValue) override
    {
        m_Queue.push_back({pConVar, QueuedSet::Int, "", nValue, 0.0f});
    }
    void QueueMaterialThreadSetValue(ConVar *pConVar, float flValue) override
    {
        m_Queue.push_back({pConVar, QueuedSet::Float, "", 0, flValue});
    }

    void ProcessQueuedMaterialThreadConVarSets() override
    {
        bool bWasAllowed = m_bMaterialSetAllowed;
        m_bMaterialSetAllowed = true;  // apply, do not queue again
        std::vector<QueuedSet> queue;
        queue.swap(m_Queue);
        for (const QueuedSet &q : queue) {
            IConVar *var = q.var;
            switch (q.kind) {
            case QueuedSet::Text: var->SetValue(q.text.c_str()); break;
            case QueuedSet::Int: var->SetValue(q.intValue); break;
            case QueuedSet::Float: var->SetValue(q.floatValue); break;
            }
        }
        m_bMaterialSetAllowed = bWasAllowed;
    }

    // Stand-in controls.

    void ExecuteCommandText(const char *pText) override
    {
        if (!pText)
            return;
        std::string line;
        bool bQuoted = false;
        for (const char *p = pText;; ++p) {
            char c = *p;
            if (c == '"')
                bQuoted = !bQuoted;
            if (c == 0 || ((c == ';' || c == '\n') && !bQuoted)) {
                ExecuteLine(line);
                line.clear();
                bQuoted = false;
                if (c == 0)
                    break;
                continue;
            }
            line += c;
        }
    }

    std::vector<std::string> AutoComplete(const char *pPartial) override
    {
        std::vector<std::string> result;
        if (!pPartial)
            return result;
        std::string partial = pPartial;
        size_t space = partial.find(' ');
        if (space != std::string::npos) {
            ConCommand *cmd = FindCommand(partial.substr(0, space).c_str());
            if (cmd && cmd->CanAutoComplete()) {
                CUtlVector<CUtlString> suggestions;
                cmd->AutoCompleteSuggest(pPartial, suggestions);
                for (int i = 0; i < suggestions.Count(); ++i)
                    result.push_back(suggestions[i].Get());
            }
            return result;
        }
        for (ConCommandBase *p : m_Commands)
            if (p->GetName() && *p->GetName() && strncasecmp(p->GetName(), pPartial, partial.size()) == 0)
                result.push_back(p->GetName());
        std::sort(result.begin(), result.end());
        return result;
    }

    void SetMaterialThreadSetAllowed(bool bAllowed) override { m_bMaterialSetAllowed = bAllowed; }

    int RegisteredCount() const override { return static_cast<int>(m_Commands.size()); }

    int GetCommandCount() const override { return static_cast<int>(m_Commands.size()); }
    ConCommandBase *GetCommandAt(int index) override
    {
        if (index < 0 || static_cast<size_t>(index) >= m_Commands.size())
            return nullptr;
        return m_Commands[index];
    }

private:
    struct QueuedSet
    {
        ConVar *var;
        enum Kind { Text, Int, Float } kind;
        std::string text;
        int intValue;
        float floatValue;
    };

    void ExecuteLine(const std::string &line)
    {
        CCommand args;
        if (!args.Tokenize(line.c_str())) {
            Warning("Console: command line too long\n");
            return;
        }
        if (args.ArgC() == 0)
            return;
        ConCommandBase *base = FindCommandBase(args[0]);
        if (!base) {
            Msg("Unknown command \"%s\"\n", args[0]);
            return;
        }
        if (base->IsCommand()) {
            static_cast<ConCommand *>(base)->Dispatch(args);
            return;
        }
        ConVar *var = static_cast<ConVar *>(base);
        if (args.ArgC() == 1) {
            Msg("\"%s\" = \"%s\" ( def. \"%s\" )\n", var->GetName(), var->GetString(), var->GetDefault());
            if (var->GetHelpText() && *var->GetHelpText())
                Msg(" - %s\n", var->GetHelpText());
            return;
        }
        static_cast<IConVar *>(var)->SetValue(args[1]);
    }

    std::vector<ConCommandBase *> m_Commands;
    std::vector<FnChangeCallback_t> m_GlobalCallbacks;
    std::vector<QueuedSet> m_Queue;
    CVarDLLIdentifier_t m_nNextIdentifier = 0;
    bool m_bMaterialSetAllowed = true;
};

EngineConsole s_Console;

void *CreateConsole()
{
    return static_cast<ICvar *>(&s_Console);
}

void *CreateConsoleStandIn()
{
    return static_cast<IConsoleStandIn *>(&s_Console);
}

InterfaceReg s_ConsoleReg(&CreateConsole, CVAR_INTERFACE_VERSION);
InterfaceReg s_ConsoleStandInReg(&CreateConsoleStandIn, CONSOLE_STANDIN_INTERFACE_VERSION);

}  // namespace
