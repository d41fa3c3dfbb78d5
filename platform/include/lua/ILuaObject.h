// A Lua value held by reference, as the host's Lua service and the plug-in exchange it.
// The operations keep their order: host and plug-in agree on the table of virtual calls.
#pragma once

struct lua_State;

typedef int (*CFunc)(lua_State *L);

class ILuaObject
{
public:
	virtual void Set(ILuaObject *obj) = 0;
	virtual void SetFromStack(int i) = 0;
	virtual void UnReference() = 0;
	virtual int GetType() = 0;
	virtual const char *GetString() = 0;
	virtual float GetFloat() = 0;
	virtual int GetInt() = 0;
	virtual void *GetUserData() = 0;
	virtual void SetMember(const char *name) = 0;
	virtual void SetMember(const char *name, ILuaObject *obj) = 0;
	virtual void SetMember(const char *name, float val) = 0;
	virtual void SetMember(const char *name, bool val) = 0;
	virtual void SetMember(const char *name, const char *val) = 0;
	virtual void SetMember(const char *name, CFunc f) = 0;
	virtual bool GetMemberBool(const char *name, bool b = true) = 0;
	virtual int GetMemberInt(const char *name, int i = 0) = 0;
	virtual float GetMemberFloat(const char *name, float f = 0.0f) = 0;
	virtual const char *GetMemberStr(const char *name, const char *s = "") = 0;
	virtual void *GetMemberUserData(const char *name, void *u = nullptr) = 0;
	virtual void *GetMemberUserData(float name, void *u = nullptr) = 0;
	virtual ILuaObject *GetMember(const char *name, ILuaObject *out) = 0;
	virtual ILuaObject *GetMember(ILuaObject *key, ILuaObject *out) = 0;
	virtual void SetMetaTable(ILuaObject *obj) = 0;
	virtual void SetUserData(void *obj) = 0;
	virtual void Push() = 0;
	virtual bool isNil() = 0;
	virtual bool isTable() = 0;
	virtual bool isString() = 0;
	virtual bool isNumber() = 0;
	virtual bool isFunction() = 0;
	virtual bool isUserData() = 0;
	virtual ILuaObject *GetMember(float fKey, ILuaObject *out) = 0;
	virtual void *Remove_Me_1(const char *name, void *u = nullptr) = 0;
	virtual void SetMember(float fKey) = 0;
	virtual void SetMember(float fKey, ILuaObject *obj) = 0;
	virtual void SetMember(float fKey, float val) = 0;
	virtual void SetMember(float fKey, bool val) = 0;
	virtual void SetMember(float fKey, const char *val) = 0;
	virtual void SetMember(float fKey, CFunc f) = 0;
	virtual const char *GetMemberStr(float name, const char *s = "") = 0;
	virtual void SetMember(ILuaObject *k, ILuaObject *v) = 0;
	virtual bool GetBool() = 0;
	virtual bool PushMemberFast(int iStackPos) = 0;
	virtual void SetMemberFast(int iKey, int iValue) = 0;
	virtual void SetFloat(float val) = 0;
	virtual void SetString(const char *val) = 0;
	virtual double GetDouble() = 0;
	virtual void SetMember_FixKey(const char *name, float val) = 0;
	virtual void SetMember_FixKey(const char *name, const char *val) = 0;
	virtual void SetMember_FixKey(const char *name, ILuaObject *val) = 0;
	virtual bool isBool() = 0;
	virtual void SetMemberDouble(const char *name, double val) = 0;
	virtual void SetMemberNil(const char *name) = 0;
	virtual void SetMemberNil(float name) = 0;
	virtual bool Debug_IsUnreferenced() = 0;
	virtual ILuaObject *Init() = 0;
	virtual void SetFromGlobal(const char *name) = 0;
	virtual void SetMember(const char *name, unsigned long long val) = 0;
	virtual int SetReference(int i) = 0;
	virtual void RemoveMember(const char *name) = 0;
	virtual void RemoveMember(float name) = 0;
	virtual bool MemberIsNil(const char *name) = 0;
	virtual void SetMemberDouble(float name, double val) = 0;
	virtual double GetMemberDouble(const char *name, double d = 0.0) = 0;

protected:
	// Objects are destroyed through their own type, never through this interface.
	~ILuaObject() = default;
};
