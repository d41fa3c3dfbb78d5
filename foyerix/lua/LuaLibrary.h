// Registries of what the plug-in installs into each new menu state: libraries, global
// functions and the constants, filled by static initialisers at load, and the binding macros.
#pragma once

#include "lua/ILuaInterface.h"
#include "menu/FoyerixGlobals.h"
#include "tier1/utllinkedlist.h"
#include "tier1/utlvector.h"

// Everything that contributes to a new state; a user takes part once it is switched on.
class CLuaUser
{
public:
	CLuaUser() : m_bUsingLua(false) {}
	virtual ~CLuaUser();
	virtual bool IsUsingLua() { return m_bUsingLua; }
	virtual void InitLibraries(ILuaInterface *pLua) {}

	void SetUsingLua(bool bOn);

private:
	bool m_bUsingLua;
};

// Users in the order they switched themselves on; created by the first of them.
extern CUtlLinkedList<CLuaUser *, unsigned short> *g_LuaUsers;

class CLuaLibrary;

// One library or global function: its Lua name and entry.
class CLuaLibraryFunction
{
public:
	CLuaLibraryFunction(CLuaLibrary &library, const char *name, CFunc function);

	const char *m_pName;
	int m_iUnused;
	CFunc m_pFunction;
};

class CLuaLibrary : public CLuaUser
{
public:
	explicit CLuaLibrary(const char *name) : m_pName(name) {}
	~CLuaLibrary() override;

	void Add(CLuaLibraryFunction *pFunction);
	void InitLibraries(ILuaInterface *pLua) override;
	const char *GetName() const { return m_pName; }
	const CUtlVector<CLuaLibraryFunction *> &Functions() const { return m_Functions; }

protected:
	const char *m_pName;
	CUtlVector<CLuaLibraryFunction *> m_Functions;
};

// The library of global functions, set straight on the globals table.
class CLuaGlobalLibrary : public CLuaLibrary
{
public:
	CLuaGlobalLibrary() : CLuaLibrary("GLOBAL") {}
	void InitLibraries(ILuaInterface *pLua) override;
};

CLuaLibrary *GetGlobalLuaLibraryFactory();

// Installs every switched-on user into the state, in list order.
void InitLuaLibraries(ILuaInterface *pLua);

// A binding entry makes the state's interface current and runs the body against g_Lua.
#define LUA_ENTRY(entry, body)                              \
	static int entry(lua_State *L)                          \
	{                                                       \
		LuaInterfaceOf(L)->MakeCurrent(L);                  \
		return body(g_Lua);                                 \
	}

// LUA_LIBRARY(timer) declares the library object LL_Factory_timer of this source file.
#define LUA_LIBRARY(lib) static CLuaLibrary LL_Factory_##lib(#lib)

// LUA_FUNCTION(timer, Create) { ... } defines the body of timer.Create.
#define LUA_FUNCTION(lib, name)                                                                \
	static int real__##lib##__##name(ILuaInterface *pLua);                                     \
	LUA_ENTRY(redir__##lib##__##name, real__##lib##__##name)                                   \
	static CLuaLibraryFunction fectory__##lib##__##name(LL_Factory_##lib, #name, redir__##lib##__##name); \
	static int real__##lib##__##name(ILuaInterface *pLua)

// LUA_GLOBAL_FUNCTION(Msg) { ... } defines the body of the global function Msg.
#define LUA_GLOBAL_FUNCTION(name)                                                              \
	static int real__GLobal__##name(ILuaInterface *pLua);                                      \
	LUA_ENTRY(redir__GLobal__##name, real__GLobal__##name)                                     \
	static CLuaLibraryFunction worker__GLobal__##name(*GetGlobalLuaLibraryFactory(), #name, redir__GLobal__##name); \
	static int real__GLobal__##name(ILuaInterface *pLua)
