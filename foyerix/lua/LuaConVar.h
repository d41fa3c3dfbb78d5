// The Lua class ConVar: read-only access to a console variable.
#pragma once

class ConVar;
class CLuaClass;

extern CLuaClass LC_ConVar;

// Pushes a ConVar userdata borrowing the variable.
void Push_ConVar(ConVar *var);
