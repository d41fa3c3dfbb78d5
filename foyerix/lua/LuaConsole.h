// Console access from Lua: variables created by scripts, and the handlers of the console
// commands scripts add.
#pragma once

#include "tier1/convar.h"
#include "tier1/utlvector.h"

class KeyValues;

// A console variable created from Lua; it lives until the plug-in is unloaded.
class ManagedConVar
{
public:
	ManagedConVar(const char *name, const char *defaultValue, int flags, const char *help);
	virtual ~ManagedConVar();

	void SetSave(bool save) { m_bSave = save; }
	// Gives the variable its saved value when it is saved and one is known, else its default.
	void Set();

	ConVar *m_pConVar;
	bool m_bSave;
	char *m_pDefault;
};

extern CUtlVector<ManagedConVar *> &g_ManagedCVars;
// Saved values by variable name; nothing in the menu fills it yet.
extern KeyValues *g_pSavedConVarValues;

// Handler of every console command added from Lua: calls the global InjectConsoleCommand.
void LuaConCommand(const CCommand &command);
// Completion of those commands through the global InjectCommandAutocomplete.
int LuaConCommandAutocomplete(const char *partial,
                              char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH]);
