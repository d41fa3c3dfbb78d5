// Typed userdata classes: registration at load, metatables per state, push and get.
#include "lua/LuaClass.h"

#include "tier0/dbg.h"

CUtlVector<CLuaClass *> *g_LuaClasses = nullptr;

CLuaClassFunction::CLuaClassFunction(CLuaClass &luaClass, const char *name, CFunc function)
	: m_pName(name), m_pFlags(""), m_pFunction(function), m_iCalls(0)
{
	luaClass.Add(this);
}

CLuaClass::CLuaClass(const char *name, int type, void (*initFunction)(), const char *baseName)
	: m_pName(name), m_pBaseName(baseName), m_iType(type), m_pMethods(new CUtlVector<CLuaClassFunction *>()),
	  m_pInitFunction(initFunction)
{
	if (!g_LuaClasses)
		g_LuaClasses = new CUtlVector<CLuaClass *>();
	g_LuaClasses->AddToTail(this);
}

CLuaClass::~CLuaClass()
{
	delete m_pMethods;
	m_pMethods = nullptr;
	if (g_LuaClasses)
		g_LuaClasses->FindAndRemove(this);
}

void CLuaClass::Add(CLuaClassFunction *pFunction)
{
	if (!m_pMethods)
		m_pMethods = new CUtlVector<CLuaClassFunction *>();
	m_pMethods->AddToTail(pFunction);
}

void CLuaClass::InitClasses()
{
	ILuaObject *meta = g_Lua->GetMetaTableObject(m_pName, m_iType);
	if (!meta)
		Error("Error initializing class %s\n", m_pName);
	m_MetaTable.Set(meta);
	g_Lua->DeleteObject(meta);
	if (!m_MetaTable.isTable())
		Error("m_metatable isn't table");
	if (!m_pBaseName)
		m_MetaTable.SetMember("__index", &m_MetaTable);
	if (m_pMethods)
		for (int i = 0; i < m_pMethods->Count(); ++i)
			m_MetaTable.SetMember((*m_pMethods)[i]->m_pName, (*m_pMethods)[i]->m_pFunction);
	if (m_pInitFunction)
		m_pInitFunction();
}

// Lookup of a derived class: its own metatable first, then up the "MetaBaseClass" chain.
static int __index_Derived(lua_State *L)
{
	LuaInterfaceOf(L)->MakeCurrent(L);
	ILuaInterface *lua = g_Lua;
	// Arguments: the object (1) and the key (2).
	if (lua->GetMetaTableMember(1, 2))
		return 1;
	lua->PushString("MetaBaseClass", 0);
	if (!lua->GetMetaTableMember(1, -1))
		return 0;
	for (int depth = 0; depth < 32 && lua->GetType(-1) == LUA_TYPE_TABLE; ++depth)
	{
		lua->Push(2);
		lua->GetTable(-2);
		if (lua->GetType(-1) != LUA_TYPE_NIL)
			return 1;
		lua->Pop(1);
		lua->PushString("MetaBaseClass", 0);
		lua->GetTable(-2);
	}
	lua->PushNil();
	return 1;
}

void CLuaClass::MetaTableDerive()
{
	if (!m_pBaseName)
		return;
	ILuaObject *base = g_Lua->GetMetaTableObject(m_pBaseName, -1);
	if (!base)
		return;
	m_MetaTable.SetMember("MetaBaseClass", base);
	m_MetaTable.SetMember("__index", __index_Derived);
	CLuaObject member;
	for (const char *name : { "__gc", "__newindex" })
	{
		if (m_MetaTable.MemberIsNil(name) && !base->MemberIsNil(name))
		{
			base->GetMember(name, &member);
			m_MetaTable.SetMember(name, &member);
		}
	}
	g_Lua->DeleteObject(base);
}

void CLuaClass::Push(void *pObject)
{
	if (!m_MetaTable.isTable())
		Error("CLuaClass::Push - Not Table!");
	LuaClassUserData *data = static_cast<LuaClassUserData *>(g_Lua->NewUserData(sizeof(LuaClassUserData)));
	data->pObject = pObject;
	data->type = m_iType;
	m_MetaTable.Push();
	g_Lua->SetMetaTable(-2);
}

void *CLuaClass::GetIfValid(int index)
{
	if (!g_Lua->IsType(index, m_iType))
		return nullptr;
	LuaClassUserData *data = static_cast<LuaClassUserData *>(g_Lua->GetUserData(index));
	if (!data || data->type != m_iType)
		return nullptr;
	return data->pObject;
}

void *CLuaClass::Release(int index)
{
	void *object = Get(index);
	static_cast<LuaClassUserData *>(g_Lua->GetUserData(index))->pObject = nullptr;
	return object;
}

void *CLuaClass::Get(int index)
{
	if (!g_Lua->IsType(index, m_iType))
		g_Lua->TypeError(m_pName, index);
	LuaClassUserData *data = static_cast<LuaClassUserData *>(g_Lua->GetUserData(index));
	if (!data)
		g_Lua->TypeError(m_pName, index);
	if (data->type != m_iType)
		Error("pData->type != m_type is %i != %i (%s)\n", data->type, m_iType, m_pName);
	return data->pObject;
}

void InitLuaClasses(ILuaInterface *pLua)
{
	if (!g_LuaClasses)
		return;
	for (int i = 0; i < g_LuaClasses->Count(); ++i)
		(*g_LuaClasses)[i]->InitClasses();
	for (int i = 0; i < g_LuaClasses->Count(); ++i)
		(*g_LuaClasses)[i]->MetaTableDerive();
}

void LuaInvalidObject(const char *className)
{
	g_Lua->ErrorFormat("Tried to use invalid object (type %s) (Object was NULL or not of the right type)", className);
}
