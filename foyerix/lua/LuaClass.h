// Typed userdata classes of the menu Lua API: a metatable per class, made in each new
// state, and the userdata {object pointer, type id} that carry plug-in objects into Lua.
#pragma once

#include <cstdint>

#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"

class CLuaClass;

// One class method: its Lua name and entry; the entry counts its calls.
class CLuaClassFunction
{
public:
	CLuaClassFunction(CLuaClass &luaClass, const char *name, CFunc function);

	const char *m_pName;
	const char *m_pFlags;
	CFunc m_pFunction;
	int32_t m_iCalls;
};

// The block of a class userdata.
struct LuaClassUserData
{
	void *pObject;
	int32_t type;
};

class CLuaClass
{
public:
	CLuaClass(const char *name, int type, void (*initFunction)(), const char *baseName);
	virtual ~CLuaClass();
	virtual void MetaTableDerive();

	void Add(CLuaClassFunction *pFunction);
	void InitClasses();
	// Pushes a new userdata of this class holding the object (null included).
	void Push(void *pObject);
	// The object of the class userdata at the index; the argument type error otherwise.
	void *Get(int index);
	// The object of a live userdata of this class at the index, or null (no error raised).
	void *GetIfValid(int index);
	// Takes the object out of the userdata at the index, leaving it cleared, so a second
	// release (a metamethod called by hand) finds nothing to free.
	void *Release(int index);

	const char *GetName() const { return m_pName; }
	int GetType() const { return m_iType; }
	CLuaObject &MetaTable() { return m_MetaTable; }

private:
	const char *m_pName;
	const char *m_pBaseName;
	int m_iType;
	CUtlVector<CLuaClassFunction *> *m_pMethods;
	CLuaObject m_MetaTable;
	void (*m_pInitFunction)();
};

extern CUtlVector<CLuaClass *> *g_LuaClasses;

// Makes every class's metatable in the state, then derives those that have a base.
void InitLuaClasses(ILuaInterface *pLua);

// Raises "Tried to use invalid object (type X) (...)" for the class name.
[[noreturn]] void LuaInvalidObject(const char *className);

// LUA_CLASS_METHOD(Vector, Add, LC_Vector) { ... } defines the body of Vector:Add.
#define LUA_CLASS_METHOD(cls, name, luaClass)                                                  \
	static int cls##__##name##__Body(ILuaInterface *pLua);                                     \
	static int cls##__##name##__Redirect(lua_State *L);                                        \
	static CLuaClassFunction cls##_##name##__Factory(luaClass, #name, cls##__##name##__Redirect); \
	static int cls##__##name##__Redirect(lua_State *L)                                         \
	{                                                                                          \
		LuaInterfaceOf(L)->MakeCurrent(L);                                                     \
		++cls##_##name##__Factory.m_iCalls;                                                    \
		return cls##__##name##__Body(g_Lua);                                                   \
	}                                                                                          \
	static int cls##__##name##__Body(ILuaInterface *pLua)
