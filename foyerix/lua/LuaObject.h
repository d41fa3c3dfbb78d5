// CLuaObject: one value of the menu Lua state kept alive by a registry reference, read and
// written from plug-in code; CLuaTable makes a fresh table.
#pragma once

#include "lua/ILuaInterface.h"
#include "lua/ILuaObject.h"

class CBaseEntity;
class IPhysicsObject;
struct QAngle;
struct Vector;

class CLuaObject : public ILuaObject
{
public:
	CLuaObject();
	CLuaObject(int iStackPos, int iExpectedType);
	explicit CLuaObject(ILuaObject *obj);
	CLuaObject(const CLuaObject &) = delete;
	CLuaObject &operator=(const CLuaObject &) = delete;
	virtual ~CLuaObject();

	void Set(ILuaObject *obj) override;
	void SetFromStack(int i) override;
	void UnReference() override;
	int GetType() override;
	const char *GetString() override;
	float GetFloat() override;
	int GetInt() override;
	void *GetUserData() override;
	void SetMember(const char *name) override;
	void SetMember(const char *name, ILuaObject *obj) override;
	void SetMember(const char *name, float val) override;
	void SetMember(const char *name, bool val) override;
	void SetMember(const char *name, const char *val) override;
	void SetMember(const char *name, CFunc f) override;
	bool GetMemberBool(const char *name, bool b = true) override;
	int GetMemberInt(const char *name, int i = 0) override;
	float GetMemberFloat(const char *name, float f = 0.0f) override;
	const char *GetMemberStr(const char *name, const char *s = "") override;
	void *GetMemberUserData(const char *name, void *u = nullptr) override;
	void *GetMemberUserData(float name, void *u = nullptr) override;
	ILuaObject *GetMember(const char *name, ILuaObject *out) override;
	ILuaObject *GetMember(ILuaObject *key, ILuaObject *out) override;
	void SetMetaTable(ILuaObject *obj) override;
	void SetUserData(void *obj) override;
	void Push() override;
	bool isNil() override;
	bool isTable() override;
	bool isString() override;
	bool isNumber() override;
	bool isFunction() override;
	bool isUserData() override;
	ILuaObject *GetMember(float fKey, ILuaObject *out) override;
	void *Remove_Me_1(const char *name, void *u = nullptr) override;
	void SetMember(float fKey) override;
	void SetMember(float fKey, ILuaObject *obj) override;
	void SetMember(float fKey, float val) override;
	void SetMember(float fKey, bool val) override;
	void SetMember(float fKey, const char *val) override;
	void SetMember(float fKey, CFunc f) override;
	const char *GetMemberStr(float name, const char *s = "") override;
	void SetMember(ILuaObject *k, ILuaObject *v) override;
	bool GetBool() override;
	bool PushMemberFast(int iStackPos) override;
	void SetMemberFast(int iKey, int iValue) override;
	void SetFloat(float val) override;
	void SetString(const char *val) override;
	double GetDouble() override;
	void SetMember_FixKey(const char *name, float val) override;
	void SetMember_FixKey(const char *name, const char *val) override;
	void SetMember_FixKey(const char *name, ILuaObject *val) override;
	bool isBool() override;
	void SetMemberDouble(const char *name, double val) override;
	void SetMemberNil(const char *name) override;
	void SetMemberNil(float name) override;
	bool Debug_IsUnreferenced() override;
	ILuaObject *Init() override;
	void SetFromGlobal(const char *name) override;
	void SetMember(const char *name, unsigned long long val) override;
	int SetReference(int i) override;
	void RemoveMember(const char *name) override;
	void RemoveMember(float name) override;
	bool MemberIsNil(const char *name) override;
	void SetMemberDouble(float name, double val) override;
	double GetMemberDouble(const char *name, double d = 0.0) override;

protected:
	// Pushes this table and its member under the key; answers the member's type.
	// The caller pops the two values.
	int PushMember(const char *name);
	int PushMember(float key);

	bool m_bUserData;
	int m_iLUA_TYPE;
	int m_reference;
	ILuaInterface *m_pLua;
};

class CLuaTable : public CLuaObject
{
public:
	explicit CLuaTable(const char *globalName = nullptr);
};

// The game-side variant: its entity, vector and angle extras do nothing in the menu.
class CLuaGameObject : public CLuaObject
{
public:
	virtual CBaseEntity *GetMemberEntity(const char *name, CBaseEntity *e = nullptr);
	virtual void SetMemberEntity(float fKey, CBaseEntity *e);
	virtual void SetMemberEntity(const char *name, CBaseEntity *e);
	virtual bool isEntity();
	virtual CBaseEntity *GetEntity();
	virtual void SetEntity(CBaseEntity *e);
	virtual void SetMemberVector(const char *name, Vector *v);
	virtual void SetMemberVector(const char *name, Vector &v);
	virtual Vector *GetMemberVector(const char *name, const Vector *v = nullptr);
	virtual Vector *GetMemberVector(int iKey);
	virtual Vector *GetVector();
	virtual bool isVector();
	virtual void SetMemberAngle(const char *name, QAngle *a);
	virtual QAngle *GetMemberAngle(const char *name, QAngle *a = nullptr);
	virtual QAngle *GetAngle();
	virtual bool isAngle();
	virtual void SetMemberPhysObject(const char *name, IPhysicsObject *p);
};

class CLuaGameTable : public CLuaGameObject
{
public:
	explicit CLuaGameTable(const char *globalName = nullptr);
};
