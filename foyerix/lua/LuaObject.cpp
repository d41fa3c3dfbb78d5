// CLuaObject: registry references into the menu Lua state, released only while that state
// is still the current one.
#include "lua/LuaObject.h"

#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "menu/FoyerixGlobals.h"
#include "tier0/dbg.h"

namespace
{
// A typed member write: nothing on a non-table, else push the value and store it.
template <typename Key, typename PushValue>
void SetTyped(CLuaObject &table, Key key, PushValue push)
{
	if (!table.isTable())
		return;
	push();
	table.SetMember(key);
}

// The object pointer of a class userdata member, or the default.
template <typename Key>
void *MemberUserData(CLuaObject &table, Key key, void *u)
{
	if (!table.isTable())
		return u;
	table.Push();
	if constexpr (std::is_same<Key, float>::value)
		g_Lua->PushNumber(key);
	else
		g_Lua->PushString(key, 0);
	g_Lua->GetTable(-2);
	void *out = u;
	if (g_Lua->IsUserData(-1))
	{
		void **block = static_cast<void **>(g_Lua->GetUserData(-1));
		out = block ? *block : u;
	}
	g_Lua->Pop(2);
	return out;
}

// A key text that reads as a non-zero number stores under that number, else under the text.
template <typename Value>
void SetFixedKey(CLuaObject &table, const char *name, Value val)
{
	float key = static_cast<float>(atof(name));
	if (key == 0)
		table.SetMember(name, val);
	else
		table.SetMember(key, val);
}
}

CLuaObject::CLuaObject() : m_bUserData(false), m_iLUA_TYPE(-1), m_reference(-1), m_pLua(g_Lua) {}

CLuaObject::CLuaObject(int iStackPos, int iExpectedType)
	: m_bUserData(false), m_iLUA_TYPE(-1), m_reference(-1), m_pLua(g_Lua)
{
	SetReference(iStackPos);
	if (g_Lua && iExpectedType != -1 && m_iLUA_TYPE != iExpectedType)
	{
		char text[256];
		snprintf(text, sizeof(text), "%s expected, got %s", g_Lua->GetTypeName(iExpectedType),
		         g_Lua->GetTypeName(m_iLUA_TYPE));
		// The error leaves the constructor, so no destructor would give the reference back.
		UnReference();
		g_Lua->ErrorFormat("%s", text);
	}
}

CLuaObject::CLuaObject(ILuaObject *obj) : m_bUserData(false), m_iLUA_TYPE(-1), m_reference(-1), m_pLua(g_Lua)
{
	if (g_Lua && obj)
	{
		obj->Push();
		SetFromStack(-1);
		g_Lua->Pop(1);
	}
}

CLuaObject::~CLuaObject()
{
	UnReference();
}

void CLuaObject::UnReference()
{
	// A reference of a state that is no longer current is dropped without a call.
	if (m_reference != -1 && m_pLua && m_pLua == g_Lua)
		g_Lua->ReferenceFree(m_reference);
	m_bUserData = false;
	m_iLUA_TYPE = -1;
	m_reference = -1;
}

ILuaObject *CLuaObject::Init()
{
	m_bUserData = false;
	m_iLUA_TYPE = -1;
	m_reference = -1;
	m_pLua = g_Lua;
	return this;
}

int CLuaObject::SetReference(int i)
{
	UnReference();
	if (!g_Lua)
		return -1;
	m_bUserData = g_Lua->IsUserData(i);
	m_iLUA_TYPE = g_Lua->GetType(i);
	m_pLua = g_Lua;
	if (m_iLUA_TYPE == 0)
		g_Lua->PushNil();
	else
		g_Lua->Push(i);
	m_reference = g_Lua->ReferenceCreate();
	return m_reference;
}

void CLuaObject::SetFromStack(int i) { SetReference(i); }

void CLuaObject::Set(ILuaObject *obj)
{
	if (!obj)
	{
		UnReference();
		return;
	}
	if (!g_Lua)
		return;
	obj->Push();
	SetFromStack(-1);
	g_Lua->Pop(1);
}

void CLuaObject::SetFromGlobal(const char *name)
{
	if (g_Lua)
		g_Lua->Global()->GetMember(name, this);
}

void CLuaObject::SetFloat(float val)
{
	if (!g_Lua)
		return;
	g_Lua->PushNumber(val);
	SetFromStack(-1);
	g_Lua->Pop(1);
}

void CLuaObject::SetString(const char *val)
{
	if (!g_Lua)
		return;
	g_Lua->PushString(val, 0);
	SetFromStack(-1);
	g_Lua->Pop(1);
}

bool CLuaObject::Debug_IsUnreferenced() { return m_reference == -1; }

void *CLuaObject::Remove_Me_1(const char *name, void *u) { return u; }

int CLuaObject::GetType()
{
	if (!g_Lua || m_pLua != g_Lua)
	{
		UnReference();
		return -1;
	}
	return m_iLUA_TYPE;
}

bool CLuaObject::isNil()
{
	if (!g_Lua || m_pLua != g_Lua)
		return true;
	return m_iLUA_TYPE == -1 || m_iLUA_TYPE == 0;
}

bool CLuaObject::isTable() { return GetType() == LUA_TYPE_TABLE; }
bool CLuaObject::isString() { return GetType() == LUA_TYPE_STRING; }
bool CLuaObject::isNumber() { return GetType() == LUA_TYPE_NUMBER; }
bool CLuaObject::isFunction() { return GetType() == LUA_TYPE_FUNCTION; }
bool CLuaObject::isBool() { return GetType() == LUA_TYPE_BOOL; }
bool CLuaObject::isUserData() { return m_bUserData; }

void CLuaObject::Push()
{
	if (!g_Lua)
		Error("Pushing without Lua");
	if (m_reference == -1)
	{
		g_Lua->PushNil();
		return;
	}
	if (m_pLua != g_Lua)
		Error("Pushing object invalid Lua!");
	g_Lua->ReferencePush(m_reference);
}

const char *CLuaObject::GetString()
{
	Push();
	const char *s = g_Lua->GetString(-1, nullptr);
	g_Lua->Pop(1);
	return s;
}

float CLuaObject::GetFloat() { return static_cast<float>(GetDouble()); }

double CLuaObject::GetDouble()
{
	if (!isNumber())
		return 0;
	Push();
	double d = g_Lua->GetNumber(-1);
	g_Lua->Pop(1);
	return d;
}

int CLuaObject::GetInt()
{
	if (!isNumber())
		return 0;
	Push();
	int i = g_Lua->GetInteger(-1);
	g_Lua->Pop(1);
	return i;
}

bool CLuaObject::GetBool()
{
	if (!isBool())
		return false;
	Push();
	bool b = g_Lua->GetBool(-1);
	g_Lua->Pop(1);
	return b;
}

void *CLuaObject::GetUserData()
{
	if (!isUserData() || !g_Lua || m_pLua != g_Lua)
		return nullptr;
	Push();
	void **block = static_cast<void **>(g_Lua->GetUserData(-1));
	void *p = block ? *block : nullptr;
	g_Lua->Pop(1);
	return p;
}

int CLuaObject::PushMember(const char *name)
{
	Push();
	g_Lua->PushString(name, 0);
	g_Lua->GetTable(-2);
	return g_Lua->GetType(-1);
}

int CLuaObject::PushMember(float key)
{
	Push();
	g_Lua->PushNumber(key);
	g_Lua->GetTable(-2);
	return g_Lua->GetType(-1);
}

bool CLuaObject::GetMemberBool(const char *name, bool b)
{
	if (!isTable())
		return b;
	bool out = PushMember(name) == LUA_TYPE_BOOL ? g_Lua->GetBool(-1) : b;
	g_Lua->Pop(2);
	return out;
}

int CLuaObject::GetMemberInt(const char *name, int i)
{
	if (!isTable())
		return i;
	int out = PushMember(name) == LUA_TYPE_NUMBER ? g_Lua->GetInteger(-1) : i;
	g_Lua->Pop(2);
	return out;
}

float CLuaObject::GetMemberFloat(const char *name, float f)
{
	if (!isTable())
		return f;
	float out = PushMember(name) == LUA_TYPE_NUMBER ? static_cast<float>(g_Lua->GetNumber(-1)) : f;
	g_Lua->Pop(2);
	return out;
}

double CLuaObject::GetMemberDouble(const char *name, double d)
{
	if (!isTable())
		return d;
	double out = PushMember(name) == LUA_TYPE_NUMBER ? g_Lua->GetNumber(-1) : d;
	g_Lua->Pop(2);
	return out;
}

const char *CLuaObject::GetMemberStr(const char *name, const char *s)
{
	if (!isTable())
		return "";
	const char *out = PushMember(name) == LUA_TYPE_STRING ? g_Lua->GetString(-1, nullptr) : s;
	g_Lua->Pop(2);
	return out;
}

const char *CLuaObject::GetMemberStr(float name, const char *s)
{
	if (!isTable())
		return s;
	const char *out = PushMember(name) == LUA_TYPE_STRING ? g_Lua->GetString(-1, nullptr) : s;
	g_Lua->Pop(2);
	return out;
}

void *CLuaObject::GetMemberUserData(const char *name, void *u)
{
	return MemberUserData(*this, name, u);
}

void *CLuaObject::GetMemberUserData(float name, void *u)
{
	return MemberUserData(*this, name, u);
}

ILuaObject *CLuaObject::GetMember(const char *name, ILuaObject *out)
{
	if (!isTable())
	{
		out->UnReference();
		return out;
	}
	PushMember(name);
	out->SetFromStack(-1);
	g_Lua->Pop(2);
	return out;
}

ILuaObject *CLuaObject::GetMember(float fKey, ILuaObject *out)
{
	if (!isTable())
		Error("GetMember on a non table");
	PushMember(fKey);
	out->SetFromStack(-1);
	g_Lua->Pop(2);
	return out;
}

ILuaObject *CLuaObject::GetMember(ILuaObject *key, ILuaObject *out)
{
	if (!isTable())
		Error("GetMember on a non table");
	Push();
	key->Push();
	g_Lua->GetTable(-2);
	if (g_Lua->GetType(-1) != LUA_TYPE_NIL)
		out->SetFromStack(-1);
	g_Lua->Pop(2);
	return out;
}

bool CLuaObject::MemberIsNil(const char *name)
{
	if (!g_Lua)
		return true;
	bool nil = PushMember(name) == LUA_TYPE_NIL;
	g_Lua->Pop(2);
	return nil;
}

bool CLuaObject::PushMemberFast(int iStackPos)
{
	if (!isTable())
		return false;
	int key = iStackPos < 0 ? g_Lua->Top() + iStackPos + 1 : iStackPos;
	Push();
	g_Lua->Push(key);
	g_Lua->GetTable(-2);
	if (g_Lua->GetType(-1) != LUA_TYPE_NIL)
		return true;
	g_Lua->Pop(1);
	return false;
}

void CLuaObject::SetMember(const char *name)
{
	if (g_Lua)
		g_Lua->SetMember(this, name);
}

void CLuaObject::SetMember(float fKey)
{
	if (g_Lua)
		g_Lua->SetMember(this, fKey);
}

void CLuaObject::SetMember(const char *name, ILuaObject *obj)
{
	if (g_Lua)
		g_Lua->SetMember(this, name, obj);
}

void CLuaObject::SetMember(float fKey, ILuaObject *obj)
{
	if (g_Lua)
		g_Lua->SetMember(this, fKey, obj);
}

void CLuaObject::SetMember(ILuaObject *k, ILuaObject *v)
{
	if (g_Lua)
		g_Lua->SetMember(this, k, v);
}

void CLuaObject::SetMember(const char *name, float val) { SetMemberDouble(name, val); }
void CLuaObject::SetMember(float fKey, float val) { SetMemberDouble(fKey, val); }

void CLuaObject::SetMemberDouble(const char *name, double val)
{
	SetTyped(*this, name, [&] { g_Lua->PushNumber(val); });
}

void CLuaObject::SetMemberDouble(float name, double val)
{
	SetTyped(*this, name, [&] { g_Lua->PushNumber(val); });
}

void CLuaObject::SetMember(const char *name, bool val)
{
	SetTyped(*this, name, [&] { g_Lua->PushBool(val); });
}

void CLuaObject::SetMember(float fKey, bool val)
{
	// Number keys store the number 1 or 0, not a boolean.
	SetTyped(*this, fKey, [&] { g_Lua->PushNumber(val ? 1 : 0); });
}

void CLuaObject::SetMember(const char *name, const char *val)
{
	SetTyped(*this, name, [&] { g_Lua->PushString(val, 0); });
}

void CLuaObject::SetMember(float fKey, const char *val)
{
	SetTyped(*this, fKey, [&] { g_Lua->PushString(val, 0); });
}

void CLuaObject::SetMember(const char *name, CFunc f)
{
	SetTyped(*this, name, [&] { g_Lua->PushCFunction(f); });
}

void CLuaObject::SetMember(float fKey, CFunc f)
{
	SetTyped(*this, fKey, [&] { g_Lua->PushCFunction(f); });
}

void CLuaObject::SetMember(const char *name, unsigned long long val)
{
	// 64-bit identifiers reach Lua as their decimal text.
	char text[32];
	snprintf(text, sizeof(text), "%llu", val);
	SetMember(name, static_cast<const char *>(text));
}

void CLuaObject::SetMemberNil(const char *name)
{
	if (!g_Lua)
		return;
	g_Lua->PushNil();
	SetMember(name);
}

void CLuaObject::SetMemberNil(float name)
{
	if (!g_Lua)
		return;
	g_Lua->PushNil();
	SetMember(name);
}

void CLuaObject::RemoveMember(const char *name) { SetMemberNil(name); }
void CLuaObject::RemoveMember(float name) { SetMemberNil(name); }

void CLuaObject::SetMember_FixKey(const char *name, float val)
{
	SetFixedKey(*this, name, val);
}

void CLuaObject::SetMember_FixKey(const char *name, const char *val)
{
	SetFixedKey(*this, name, val);
}

void CLuaObject::SetMember_FixKey(const char *name, ILuaObject *val)
{
	SetFixedKey(*this, name, val);
}

void CLuaObject::SetMemberFast(int iKey, int iValue)
{
	if (!isTable())
		return;
	g_Lua->SetMemberFast(this, iKey, iValue);
}

void CLuaObject::SetMetaTable(ILuaObject *obj)
{
	if (!g_Lua)
		return;
	Push();
	obj->Push();
	g_Lua->SetMetaTable(-2);
	g_Lua->Pop(1);
}

void CLuaObject::SetUserData(void *obj)
{
	if (!g_Lua)
		return;
	Push();
	void **block = static_cast<void **>(g_Lua->GetUserData(-1));
	if (block)
		*block = obj;
	g_Lua->Pop(1);
}

CLuaTable::CLuaTable(const char *globalName)
{
	if (!g_Lua)
		return;
	g_Lua->NewTable();
	SetFromStack(-1);
	g_Lua->Pop(1);
	if (globalName)
		g_Lua->Global()->SetMember(globalName, this);
}

CBaseEntity *CLuaGameObject::GetMemberEntity(const char *, CBaseEntity *) { return nullptr; }
void CLuaGameObject::SetMemberEntity(float, CBaseEntity *) {}
void CLuaGameObject::SetMemberEntity(const char *, CBaseEntity *) {}
bool CLuaGameObject::isEntity() { return GetType() == 9; }
CBaseEntity *CLuaGameObject::GetEntity() { return nullptr; }
void CLuaGameObject::SetEntity(CBaseEntity *) {}
void CLuaGameObject::SetMemberVector(const char *, Vector *) {}
void CLuaGameObject::SetMemberVector(const char *name, Vector &v) { SetMemberVector(name, &v); }
Vector *CLuaGameObject::GetMemberVector(const char *name, const Vector *v)
{
	return static_cast<Vector *>(GetMemberUserData(name, const_cast<Vector *>(v)));
}
Vector *CLuaGameObject::GetMemberVector(int iKey)
{
	return static_cast<Vector *>(GetMemberUserData(static_cast<float>(iKey), nullptr));
}
Vector *CLuaGameObject::GetVector() { return static_cast<Vector *>(GetUserData()); }
bool CLuaGameObject::isVector() { return GetType() == 10; }
void CLuaGameObject::SetMemberAngle(const char *, QAngle *) {}
QAngle *CLuaGameObject::GetMemberAngle(const char *name, QAngle *a)
{
	return static_cast<QAngle *>(GetMemberUserData(name, a));
}
QAngle *CLuaGameObject::GetAngle() { return static_cast<QAngle *>(GetUserData()); }
bool CLuaGameObject::isAngle() { return GetType() == 11; }
void CLuaGameObject::SetMemberPhysObject(const char *, IPhysicsObject *) {}

CLuaGameTable::CLuaGameTable(const char *globalName)
{
	if (!g_Lua)
		return;
	g_Lua->NewTable();
	SetFromStack(-1);
	g_Lua->Pop(1);
	if (globalName)
		g_Lua->Global()->SetMember(globalName, this);
}
