// One Lua state of the host's Lua service, as the plug-in's bindings drive it.
// Index 1 is the first argument of a binding, -1 the top of the stack.
#pragma once

#include <cstddef>

#include "lua/ILuaObject.h"

class Color;
class ILuaCallback;

// Lua type numbers as bindings see them; class userdata answer their class's type id.
enum LuaTypeId
{
	LUA_TYPE_INVALID = -1,
	LUA_TYPE_NIL = 0,
	LUA_TYPE_BOOL = 1,
	LUA_TYPE_LIGHTUSERDATA = 2,
	LUA_TYPE_NUMBER = 3,
	LUA_TYPE_STRING = 4,
	LUA_TYPE_TABLE = 5,
	LUA_TYPE_FUNCTION = 6,
	LUA_TYPE_USERDATA = 7,
	LUA_TYPE_THREAD = 8,
};

#if defined(__GNUC__)
#define LUA_NORETURN __attribute__((noreturn))
#define LUA_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define LUA_NORETURN
#define LUA_PRINTF(f, a)
#endif

class ILuaInterface
{
public:
	// Stack
	virtual int Top() = 0;
	virtual void Push(int index) = 0;
	virtual void Pop(int count = 1) = 0;
	virtual void GetTable(int index) = 0;            // key on top is replaced by the value
	virtual void SetTable(int index) = 0;            // key and value on top, both popped
	virtual int Next(int index) = 0;                 // key on top; pushes next key and value
	virtual void NewTable() = 0;
	virtual void SetMetaTable(int index) = 0;        // metatable on top, popped
	virtual void *NewUserData(unsigned int size) = 0;

	// Reads at an index
	virtual const char *GetString(int index, unsigned int *length = nullptr) = 0;
	virtual double GetNumber(int index) = 0;
	virtual int GetInteger(int index) = 0;
	virtual bool GetBool(int index) = 0;
	virtual void *GetUserData(int index) = 0;        // the block of a full userdata, or null
	virtual int GetType(int index) = 0;
	virtual bool IsType(int index, int type) = 0;
	virtual bool IsUserData(int index) = 0;
	virtual const char *GetTypeName(int type) = 0;
	virtual const char *GetTypeNameOf(int index) = 0;
	// Pushes the member of the value's metatable under the key and answers true; answers
	// false with nothing pushed when there is no such member.
	virtual bool GetMetaTableMember(int valueIndex, int keyIndex) = 0;

	// Checks: a missing or wrong argument raises the Lua argument error
	virtual const char *CheckString(int index) = 0;
	virtual double CheckNumber(int index) = 0;

	// Pushes
	virtual void PushNil() = 0;
	virtual void PushString(const char *text, unsigned int length = 0) = 0;
	virtual void PushNumber(double value) = 0;
	virtual void PushBool(bool value) = 0;
	virtual void PushCFunction(CFunc function) = 0;

	// Registry references
	virtual int ReferenceCreate() = 0;               // pops the top value
	virtual void ReferenceFree(int ref) = 0;
	virtual void ReferencePush(int ref) = 0;

	// Objects: the globals table and stack objects belong to the state
	virtual ILuaObject *Global() = 0;
	virtual ILuaObject *GetObject(int index) = 0;
	virtual ILuaObject *NewObject() = 0;
	virtual void DeleteObject(ILuaObject *obj) = 0;
	virtual ILuaObject *GetMetaTableObject(const char *name, int type) = 0;

	// Stores into a table object
	virtual void SetMember(ILuaObject *table, const char *key) = 0;   // the top value, popped
	virtual void SetMember(ILuaObject *table, float key) = 0;         // the top value, popped
	virtual void SetMember(ILuaObject *table, const char *key, ILuaObject *value) = 0;
	virtual void SetMember(ILuaObject *table, float key, ILuaObject *value) = 0;
	virtual void SetMember(ILuaObject *table, ILuaObject *key, ILuaObject *value) = 0;
	virtual void SetMemberFast(ILuaObject *table, int keyIndex, int valueIndex) = 0;

	// Calls
	virtual void Call(int args, int results) = 0;    // errors go to the state's error handling
	virtual bool PCall(int args, int results, int errorFunc = 0) = 0;
	virtual bool CallInternal(int args, ILuaObject *result) = 0;
	virtual const char *CallInternalGetString(int args) = 0;
	virtual const char *GetSourceLocation() = 0;

	// Code
	virtual bool RunString(const char *chunkName, const char *path, const char *code, bool run = true,
	                       bool showErrors = true) = 0;
	virtual bool CompileString(const char *chunkName, const char *code) = 0;
	virtual bool IncludeFile(const char *relativePath) = 0;
	virtual bool Require(const char *name) = 0;
	virtual const char *GetPath() = 0;
	virtual bool RunScriptFile(const char *name, bool run, bool showErrors, const char *label) = 0;

	// Errors and output
	LUA_NORETURN virtual void TypeError(const char *expected, int index) = 0;
	LUA_NORETURN virtual void ErrorFormat(const char *format, ...) LUA_PRINTF(2, 3) = 0;
	LUA_NORETURN virtual void ThrowError(const char *text) = 0;
	virtual void Print(const char *text) = 0;
	virtual void ErrorNoHalt(const char *format, ...) LUA_PRINTF(2, 3) = 0;
	virtual void MsgColour(const Color &colour, const char *format, ...) LUA_PRINTF(3, 4) = 0;

	// Binding entry: makes this interface current for the raw state a call arrived on
	virtual void MakeCurrent(lua_State *L) = 0;
	virtual lua_State *GetLuaState() = 0;

	// Set-up
	virtual bool Init(ILuaCallback *callback, bool jit) = 0;
	virtual void Cycle() = 0;
	virtual void SetPathID(const char *pathId) = 0;
	virtual const char *GetPathID() = 0;
	virtual void SetOption(int option) = 0;
	virtual int GetKind() = 0;

protected:
	virtual ~ILuaInterface() = default;
};

// The interface the host keeps inside every raw state it creates (coroutines included).
ILuaInterface *LuaInterfaceOf(lua_State *L);
