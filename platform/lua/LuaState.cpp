// One Lua state of the stand-in service over LuaJIT: the stack, objects, calls and errors.
#include "LuaState.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

extern "C" {
#include <lauxlib.h>
#include <luajit.h>
#include <lualib.h>
}

#include "LuaScripts.h"

namespace
{
// Registry keys: their addresses are unique light userdata.
char g_InterfaceKey;
char g_MetaIdKey;  // field of a class metatable holding its type id

const int kStackObjectRing = 32;

const char *const kBaseTypeNames[] = { "nil", "boolean", "lightuserdata", "number", "string",
                                       "table", "function", "userdata", "thread" };

std::string FormatV(const char *format, va_list args)
{
	char buffer[1024];
	va_list copy;
	va_copy(copy, args);
	int n = vsnprintf(buffer, sizeof(buffer), format, copy);
	va_end(copy);
	if (n < 0)
		return std::string();
	if (static_cast<size_t>(n) < sizeof(buffer))
		return std::string(buffer, n);
	std::string out(static_cast<size_t>(n) + 1, '\0');
	vsnprintf(&out[0], out.size(), format, args);
	out.resize(n);
	return out;
}

// print: goes to the state's message output instead of the process's.
int StatePrint(lua_State *L)
{
	std::string line;
	int n = lua_gettop(L);
	lua_getglobal(L, "tostring");
	for (int i = 1; i <= n; ++i)
	{
		lua_pushvalue(L, -1);
		lua_pushvalue(L, i);
		lua_call(L, 1, 1);
		size_t len = 0;
		const char *s = lua_tolstring(L, -1, &len);
		if (!s)
			return luaL_error(L, "'tostring' must return a string to 'print'");
		if (i > 1)
			line += '\t';
		line.append(s, len);
		lua_pop(L, 1);
	}
	line += '\n';
	LuaInterfaceOf(L)->Print(line.c_str());
	return 0;
}

// Loads source code only: hand-made bytecode is not checked by the VM and can break it.
// Leaves the function, or the error text, on the stack as luaL_loadbuffer does.
int LoadSource(lua_State *L, const char *code, size_t len, const char *name)
{
	if (len > 0 && code[0] == LUA_SIGNATURE[0])
	{
		lua_pushliteral(L, "precompiled chunks are not allowed");
		return LUA_ERRSYNTAX;
	}
	return luaL_loadbuffer(L, code, len, name);
}

// loadstring that refuses precompiled chunks.
int StateLoadString(lua_State *L)
{
	size_t len = 0;
	const char *code = luaL_checklstring(L, 1, &len);
	const char *name = luaL_optstring(L, 2, code);
	if (LoadSource(L, code, len, name) != 0)
	{
		lua_pushnil(L);
		lua_insert(L, -2);
		return 2;
	}
	return 1;
}

int StatePanic(lua_State *L)
{
	const char *msg = lua_tostring(L, -1);
	fprintf(stderr, "Lua error outside any protected call: %s\n", msg ? msg : "(no message)");
	fflush(stderr);
	abort();
}

void OpenSafeLibraries(lua_State *L)
{
	static const luaL_Reg libs[] = {
		{ "", luaopen_base },          { LUA_TABLIBNAME, luaopen_table },
		{ LUA_STRLIBNAME, luaopen_string }, { LUA_MATHLIBNAME, luaopen_math },
		{ LUA_BITLIBNAME, luaopen_bit },
	};
	for (const luaL_Reg &lib : libs)
	{
		lua_pushcfunction(L, lib.func);
		lua_pushstring(L, lib.name);
		lua_call(L, 1, 0);
	}
	// Loading files or bytecode would step around the file rules.
	for (const char *name : { "dofile", "loadfile", "load", "require", "module" })
	{
		lua_pushnil(L);
		lua_setglobal(L, name);
	}
	lua_getglobal(L, LUA_STRLIBNAME);
	lua_pushnil(L);
	lua_setfield(L, -2, "dump");
	lua_pop(L, 1);
	lua_pushcfunction(L, StateLoadString);
	lua_setglobal(L, "loadstring");
	lua_pushcfunction(L, StatePrint);
	lua_setglobal(L, "print");
}
}

namespace
{
// The last raw state asked about: bindings are called on the same state over and over.
lua_State *g_pCachedState = nullptr;
ILuaInterface *g_pCachedInterface = nullptr;
}

ILuaInterface *LuaInterfaceOf(lua_State *L)
{
	if (L == g_pCachedState)
		return g_pCachedInterface;
	lua_pushlightuserdata(L, &g_InterfaceKey);
	lua_rawget(L, LUA_REGISTRYINDEX);
	void *p = lua_touserdata(L, -1);
	lua_pop(L, 1);
	g_pCachedState = L;
	g_pCachedInterface = static_cast<ILuaInterface *>(p);
	return g_pCachedInterface;
}

// Message handler of protected calls: records the call stack for the error report.
int LuaStateErrorHandler(lua_State *L)
{
	LuaState *state = static_cast<LuaState *>(LuaInterfaceOf(L));
	state->m_errorFrames.clear();
	lua_Debug ar;
	for (int level = 1; lua_getstack(L, level, &ar) && level < 64; ++level)
	{
		lua_getinfo(L, "Sln", &ar);
		if (ar.currentline < 0 && std::strcmp(ar.what, "C") == 0)
			continue;
		state->m_errorFrames.push_back({ ar.short_src, ar.name ? ar.name : "unknown", ar.currentline });
	}
	if (!lua_isstring(L, 1))
	{
		lua_pushstring(L, lua_isnil(L, 1) ? "nil" : luaL_typename(L, 1));
		lua_replace(L, 1);
	}
	lua_settop(L, 1);
	return 1;
}

LuaState::LuaState(int kind) : m_kind(kind)
{
	m_main = luaL_newstate();
	if (!m_main)
		return;
	m_L = m_main;
	lua_atpanic(m_main, StatePanic);
	lua_pushlightuserdata(m_main, &g_InterfaceKey);
	lua_pushlightuserdata(m_main, static_cast<ILuaInterface *>(this));
	lua_rawset(m_main, LUA_REGISTRYINDEX);
	OpenSafeLibraries(m_main);
	luaJIT_setmode(m_main, 0, LUAJIT_MODE_ENGINE | LUAJIT_MODE_OFF);
}

LuaState::~LuaState() { Close(); }

void LuaState::Close()
{
	// A new raw state may come to live at the same address.
	g_pCachedState = nullptr;
	g_pCachedInterface = nullptr;
	if (!m_main)
		return;
	if (m_callback)
	{
		for (ILuaObject *obj : m_stackObjects)
			m_callback->DestroyLuaObject(obj);
		if (m_global)
			m_callback->DestroyLuaObject(m_global);
	}
	m_stackObjects.clear();
	m_nextStackObject = 0;
	m_global = nullptr;
	lua_close(m_main);  // runs the finalisers, which still need the class types
	m_classMetas.clear();
	m_main = nullptr;
	m_L = nullptr;
	// The finalisers' entries looked the interface up again.
	g_pCachedState = nullptr;
	g_pCachedInterface = nullptr;
}

int LuaState::Top() { return lua_gettop(m_L); }
void LuaState::Push(int index) { lua_pushvalue(m_L, index); }
void LuaState::Pop(int count)
{
	if (count > 0)
		lua_pop(m_L, count);
}
void LuaState::GetTable(int index) { lua_gettable(m_L, index); }
void LuaState::SetTable(int index) { lua_settable(m_L, index); }
int LuaState::Next(int index) { return lua_next(m_L, index); }
void LuaState::NewTable() { lua_newtable(m_L); }
void LuaState::SetMetaTable(int index) { lua_setmetatable(m_L, index); }
void *LuaState::NewUserData(unsigned int size) { return lua_newuserdata(m_L, size); }

const char *LuaState::GetString(int index, unsigned int *length)
{
	size_t len = 0;
	const char *s = lua_tolstring(m_L, index, &len);
	if (length)
		*length = s ? static_cast<unsigned int>(len) : 0;
	return s;
}

double LuaState::GetNumber(int index) { return lua_tonumber(m_L, index); }

int LuaState::GetInteger(int index)
{
	double d = lua_tonumber(m_L, index);
	if (!(d > -2147483649.0 && d < 2147483648.0))
		return 0;
	return static_cast<int>(d);
}

bool LuaState::GetBool(int index) { return lua_toboolean(m_L, index) != 0; }

void *LuaState::GetUserData(int index)
{
	return lua_type(m_L, index) == LUA_TUSERDATA ? lua_touserdata(m_L, index) : nullptr;
}

int LuaState::GetType(int index)
{
	int type = lua_type(m_L, index);
	if (type == LUA_TNONE)
		return LUA_TYPE_NIL;
	if (type != LUA_TUSERDATA || !lua_getmetatable(m_L, index))
		return type;
	// Class metatables are known by address; their type ids were recorded when made.
	const void *meta = lua_topointer(m_L, -1);
	lua_pop(m_L, 1);
	for (const ClassMeta &known : m_classMetas)
		if (known.table == meta)
			return known.type;
	return type;
}

bool LuaState::IsType(int index, int type) { return GetType(index) == type; }
bool LuaState::IsUserData(int index) { return lua_type(m_L, index) == LUA_TUSERDATA; }

const char *LuaState::GetTypeName(int type)
{
	if (type >= 0 && type <= LUA_TYPE_THREAD)
		return kBaseTypeNames[type];
	// A class type: the name its metatable was registered under.
	lua_getfield(m_L, LUA_REGISTRYINDEX, "zv_class_names");
	const char *name = "unknown";
	if (lua_istable(m_L, -1))
	{
		lua_rawgeti(m_L, -1, type);
		if (lua_isstring(m_L, -1))
		{
			m_scratch = lua_tostring(m_L, -1);
			name = m_scratch.c_str();
		}
		lua_pop(m_L, 1);
	}
	lua_pop(m_L, 1);
	return name;
}

const char *LuaState::GetTypeNameOf(int index) { return GetTypeName(GetType(index)); }

bool LuaState::GetMetaTableMember(int valueIndex, int keyIndex)
{
	int value = valueIndex < 0 && valueIndex > LUA_REGISTRYINDEX ? lua_gettop(m_L) + valueIndex + 1 : valueIndex;
	int key = keyIndex < 0 && keyIndex > LUA_REGISTRYINDEX ? lua_gettop(m_L) + keyIndex + 1 : keyIndex;
	if (!lua_getmetatable(m_L, value))
		return false;
	lua_pushvalue(m_L, key);
	lua_rawget(m_L, -2);
	lua_remove(m_L, -2);
	if (lua_isnil(m_L, -1))
	{
		lua_pop(m_L, 1);
		return false;
	}
	return true;
}

const char *LuaState::CheckString(int index) { return luaL_checkstring(m_L, index); }
double LuaState::CheckNumber(int index) { return luaL_checknumber(m_L, index); }

void LuaState::PushNil() { lua_pushnil(m_L); }
void LuaState::PushString(const char *text, unsigned int length)
{
	if (!text)
		lua_pushnil(m_L);
	else if (length == 0)
		lua_pushstring(m_L, text);
	else
		lua_pushlstring(m_L, text, length);
}
void LuaState::PushNumber(double value) { lua_pushnumber(m_L, value); }
void LuaState::PushBool(bool value) { lua_pushboolean(m_L, value ? 1 : 0); }
void LuaState::PushCFunction(CFunc function) { lua_pushcfunction(m_L, function); }

int LuaState::ReferenceCreate() { return luaL_ref(m_L, LUA_REGISTRYINDEX); }
void LuaState::ReferenceFree(int ref) { luaL_unref(m_L, LUA_REGISTRYINDEX, ref); }
void LuaState::ReferencePush(int ref) { lua_rawgeti(m_L, LUA_REGISTRYINDEX, ref); }

ILuaObject *LuaState::ObjectFromStack(int index)
{
	if (!m_callback)
		return nullptr;
	ILuaObject *obj = m_callback->CreateLuaObject();
	if (obj)
		obj->SetFromStack(index);
	return obj;
}

ILuaObject *LuaState::Global()
{
	if (!m_global)
	{
		lua_pushvalue(m_L, LUA_GLOBALSINDEX);
		m_global = ObjectFromStack(-1);
		lua_pop(m_L, 1);
	}
	return m_global;
}

ILuaObject *LuaState::GetObject(int index)
{
	if (!m_callback)
		return nullptr;
	// Stack objects belong to the state and are reused round the ring.
	if (m_stackObjects.size() < static_cast<size_t>(kStackObjectRing))
	{
		ILuaObject *obj = m_callback->CreateLuaObject();
		if (!obj)
			return nullptr;
		m_stackObjects.push_back(obj);
	}
	ILuaObject *obj = m_stackObjects[m_nextStackObject];
	m_nextStackObject = (m_nextStackObject + 1) % kStackObjectRing;
	obj->SetFromStack(index);
	return obj;
}

ILuaObject *LuaState::NewObject() { return m_callback ? m_callback->CreateLuaObject() : nullptr; }

void LuaState::DeleteObject(ILuaObject *obj)
{
	if (m_callback && obj)
		m_callback->DestroyLuaObject(obj);
}

ILuaObject *LuaState::GetMetaTableObject(const char *name, int type)
{
	if (!name || !m_callback)
		return nullptr;
	lua_getfield(m_L, LUA_REGISTRYINDEX, name);
	if (lua_istable(m_L, -1))
	{
		lua_pushlightuserdata(m_L, &g_MetaIdKey);
		lua_rawget(m_L, -2);
		int existing = lua_isnumber(m_L, -1) ? static_cast<int>(lua_tonumber(m_L, -1)) : LUA_TYPE_INVALID;
		lua_pop(m_L, 1);
		// Only class metatables: other registry tables (the loaded libraries) stay hidden.
		if (existing == LUA_TYPE_INVALID || (type != -1 && existing != type))
		{
			lua_pop(m_L, 1);
			return nullptr;
		}
	}
	else
	{
		lua_pop(m_L, 1);
		if (type == -1)
			return nullptr;
		luaL_newmetatable(m_L, name);
		lua_pushlightuserdata(m_L, &g_MetaIdKey);
		lua_pushnumber(m_L, type);
		lua_rawset(m_L, -3);
		lua_pushstring(m_L, name);
		lua_setfield(m_L, -2, "MetaName");
		lua_pushnumber(m_L, type);
		lua_setfield(m_L, -2, "MetaID");
		// Names of class types, for type errors.
		lua_getfield(m_L, LUA_REGISTRYINDEX, "zv_class_names");
		if (!lua_istable(m_L, -1))
		{
			lua_pop(m_L, 1);
			lua_newtable(m_L);
			lua_pushvalue(m_L, -1);
			lua_setfield(m_L, LUA_REGISTRYINDEX, "zv_class_names");
		}
		lua_pushstring(m_L, name);
		lua_rawseti(m_L, -2, type);
		lua_pop(m_L, 1);
		m_classMetas.push_back({ lua_topointer(m_L, -1), type });
	}
	ILuaObject *obj = ObjectFromStack(-1);
	lua_pop(m_L, 1);
	return obj;
}

void LuaState::SetMember(ILuaObject *table, const char *key)
{
	table->Push();
	lua_pushstring(m_L, key);
	lua_pushvalue(m_L, -3);
	lua_settable(m_L, -3);
	lua_pop(m_L, 2);
}

void LuaState::SetMember(ILuaObject *table, float key)
{
	table->Push();
	lua_pushnumber(m_L, key);
	lua_pushvalue(m_L, -3);
	lua_settable(m_L, -3);
	lua_pop(m_L, 2);
}

void LuaState::SetMember(ILuaObject *table, const char *key, ILuaObject *value)
{
	table->Push();
	lua_pushstring(m_L, key);
	if (value)
		value->Push();
	else
		lua_pushnil(m_L);
	lua_settable(m_L, -3);
	lua_pop(m_L, 1);
}

void LuaState::SetMember(ILuaObject *table, float key, ILuaObject *value)
{
	table->Push();
	lua_pushnumber(m_L, key);
	if (value)
		value->Push();
	else
		lua_pushnil(m_L);
	lua_settable(m_L, -3);
	lua_pop(m_L, 1);
}

void LuaState::SetMember(ILuaObject *table, ILuaObject *key, ILuaObject *value)
{
	table->Push();
	key->Push();
	if (value)
		value->Push();
	else
		lua_pushnil(m_L);
	if (lua_isnil(m_L, -2))
	{
		lua_pop(m_L, 3);  // a nil key cannot be stored
		return;
	}
	lua_settable(m_L, -3);
	lua_pop(m_L, 1);
}

void LuaState::SetMemberFast(ILuaObject *table, int keyIndex, int valueIndex)
{
	int top = lua_gettop(m_L);
	int key = keyIndex < 0 ? top + keyIndex + 1 : keyIndex;
	int value = valueIndex < 0 ? top + valueIndex + 1 : valueIndex;
	table->Push();
	lua_pushvalue(m_L, key);
	lua_pushvalue(m_L, value);
	if (lua_isnil(m_L, -2))
	{
		lua_pop(m_L, 3);
		return;
	}
	lua_settable(m_L, -3);
	lua_pop(m_L, 1);
}

void LuaState::ReportError(const std::string &text)
{
	std::vector<CLuaError::StackEntry> entries;
	entries.reserve(m_errorFrames.size());
	for (const ErrorFrame &frame : m_errorFrames)
		entries.push_back({ frame.source.c_str(), frame.name.c_str(), frame.line });
	CLuaError error;
	error.text = text.c_str();
	error.stack = entries.empty() ? nullptr : entries.data();
	error.stackCount = static_cast<int>(entries.size());
	error.realm = m_kind == 2 ? "menu" : m_kind == 0 ? "client" : "server";
	if (m_callback)
		m_callback->LuaError(&error);
	else
		fprintf(stderr, "Lua error: %s\n", text.c_str());
	m_errorFrames.clear();
}

bool LuaState::ProtectedCall(int args, int results, bool showErrors, bool keepError)
{
	int base = lua_gettop(m_L) - args;
	lua_pushcfunction(m_L, LuaStateErrorHandler);
	lua_insert(m_L, base);
	lua_State *caller = EnterCall();
	int status = lua_pcall(m_L, args, results, base);
	LeaveCall(caller);
	lua_remove(m_L, base);
	if (status == 0)
		return true;
	const char *msg = lua_tostring(m_L, -1);
	std::string text = msg ? msg : "unknown error";
	if (showErrors)
		ReportError(text);
	else
		m_errorFrames.clear();
	if (!keepError)
	{
		lua_pop(m_L, 1);
		for (int i = 0; i < results && results != LUA_MULTRET; ++i)
			lua_pushnil(m_L);
	}
	return false;
}

lua_State *LuaState::EnterCall()
{
	++m_protectedDepth;
	return m_L;
}

void LuaState::LeaveCall(lua_State *caller)
{
	// A binding run inside a coroutine during the call made that thread current; the caller
	// goes on with the thread it called on (the coroutine may be gone by now).
	--m_protectedDepth;
	m_L = caller;
}

void LuaState::Call(int args, int results)
{
	// Inside a running script the call is plain, so an error unwinds to that script's
	// handler; at the outermost level the state's own error handling takes it.
	if (m_protectedDepth > 0)
	{
		lua_State *caller = m_L;
		lua_call(m_L, args, results);
		m_L = caller;
	}
	else
		ProtectedCall(args, results, true, false);
}

bool LuaState::PCall(int args, int results, int errorFunc)
{
	lua_State *caller = EnterCall();
	int status = lua_pcall(m_L, args, results, errorFunc);
	LeaveCall(caller);
	return status == 0;
}

bool LuaState::CallInternal(int args, ILuaObject *result)
{
	if (!ProtectedCall(args, 1, true, false))
	{
		lua_pop(m_L, 1);
		return false;
	}
	if (result)
		result->SetFromStack(-1);
	lua_pop(m_L, 1);
	return true;
}

const char *LuaState::CallInternalGetString(int args)
{
	if (!ProtectedCall(args, 1, true, false))
	{
		lua_pop(m_L, 1);
		return nullptr;
	}
	const char *s = lua_isstring(m_L, -1) ? lua_tostring(m_L, -1) : nullptr;
	if (s)
		m_scratch = s;
	lua_pop(m_L, 1);
	return s ? m_scratch.c_str() : nullptr;
}

const char *LuaState::GetSourceLocation()
{
	lua_Debug ar;
	for (int level = 1; lua_getstack(m_L, level, &ar); ++level)
	{
		lua_getinfo(m_L, "Sl", &ar);
		if (ar.currentline >= 0)
		{
			m_location = std::string(ar.short_src) + ":" + std::to_string(ar.currentline);
			return m_location.c_str();
		}
	}
	m_location.clear();
	return m_location.c_str();
}

bool LuaState::RunChunk(const char *code, size_t size, const std::string &chunkName, const std::string &folder,
                        bool run, bool showErrors)
{
	lua_State *saved = m_L;
	if (m_protectedDepth == 0)
		m_L = m_main;
	bool ok;
	if (LoadSource(m_L, code, size, chunkName.c_str()) != 0)
	{
		const char *msg = lua_tostring(m_L, -1);
		m_errorFrames.clear();
		if (showErrors)
			ReportError(msg ? msg : "syntax error");
		lua_pop(m_L, 1);
		ok = false;
	}
	else if (!run)
	{
		lua_pop(m_L, 1);
		ok = true;
	}
	else
	{
		m_fileStack.push_back(folder);
		ok = ProtectedCall(0, 0, showErrors, false);
		m_fileStack.pop_back();
	}
	m_L = saved;
	return ok;
}

bool LuaState::RunString(const char *chunkName, const char *path, const char *code, bool run, bool showErrors)
{
	if (!code)
		return false;
	std::string name = std::string("@") + (chunkName && *chunkName ? chunkName : "RunString");
	return RunChunk(code, std::strlen(code), name, path ? path : "", run, showErrors);
}

bool LuaState::CompileString(const char *chunkName, const char *code)
{
	if (!code)
	{
		lua_pushstring(m_L, "no code");
		return false;
	}
	std::string name = chunkName ? chunkName : "CompileString";
	return LoadSource(m_L, code, std::strlen(code), name.c_str()) == 0;
}

bool LuaState::RunFile(const std::string &name, bool run, bool showErrors)
{
	std::string code;
	std::string found;
	if (!LuaScripts::Read(m_pathId, name, &code, &found))
	{
		if (showErrors)
		{
			m_errorFrames.clear();
			ReportError("Couldn't include file '" + name + "' (File not found)");
		}
		return false;
	}
	std::string dir;
	size_t slash = name.find_last_of('/');
	if (slash != std::string::npos)
		dir = name.substr(0, slash + 1);
	return RunChunk(code.data(), code.size(), "@" + name, dir, run, showErrors);
}

bool LuaState::IncludeFile(const char *relativePath)
{
	if (!relativePath)
		return false;
	std::string rel = relativePath;
	if (!m_fileStack.empty() && LuaScripts::Exists(m_pathId, m_fileStack.back() + rel))
		rel = m_fileStack.back() + rel;
	return RunFile(rel, true, true);
}

bool LuaState::Require(const char *name)
{
	if (!name || !*name)
		return false;
	for (const std::string &done : m_required)
		if (done == name)
			return true;
	if (!RunFile(std::string("includes/modules/") + name + ".lua", true, true))
		return false;
	m_required.push_back(name);
	return true;
}

const char *LuaState::GetPath()
{
	return m_fileStack.empty() ? "" : m_fileStack.back().c_str();
}

bool LuaState::RunScriptFile(const char *name, bool run, bool showErrors, const char *label)
{
	return name && RunFile(name, run, showErrors);
}

void LuaState::TypeError(const char *expected, int index)
{
	luaL_typerror(m_L, index, expected ? expected : "?");
	abort();  // not reached: the error unwinds
}

void LuaState::ErrorFormat(const char *format, ...)
{
	va_list args;
	va_start(args, format);
	std::string text = FormatV(format, args);
	va_end(args);
	luaL_where(m_L, 1);
	lua_pushlstring(m_L, text.data(), text.size());
	lua_concat(m_L, 2);
	lua_error(m_L);
	abort();
}

void LuaState::ThrowError(const char *text)
{
	luaL_where(m_L, 1);
	lua_pushstring(m_L, text ? text : "");
	lua_concat(m_L, 2);
	lua_error(m_L);
	abort();
}

void LuaState::Print(const char *text)
{
	if (m_callback)
		m_callback->Msg(text ? text : "", false);
	else
		fputs(text ? text : "", stdout);
}

void LuaState::ErrorNoHalt(const char *format, ...)
{
	va_list args;
	va_start(args, format);
	std::string text = FormatV(format, args);
	va_end(args);
	m_errorFrames.clear();
	ReportError(text);
}

void LuaState::MsgColour(const Color &colour, const char *format, ...)
{
	va_list args;
	va_start(args, format);
	std::string text = FormatV(format, args);
	va_end(args);
	if (m_callback)
		m_callback->MsgColour(text.c_str(), colour);
	else
		fputs(text.c_str(), stdout);
}

void LuaState::MakeCurrent(lua_State *L) { m_L = L ? L : m_main; }
lua_State *LuaState::GetLuaState() { return m_main; }

bool LuaState::Init(ILuaCallback *callback, bool jit)
{
	m_callback = callback;
	luaJIT_setmode(m_main, 0, LUAJIT_MODE_ENGINE | (jit ? LUAJIT_MODE_ON : LUAJIT_MODE_OFF));
	if (callback)
		callback->InterfaceCreated(this);
	return true;
}

void LuaState::Cycle()
{
	// The stand-in has no background work; keep the stack of the main thread tidy.
	m_L = m_main;
}

void LuaState::SetPathID(const char *pathId) { m_pathId = pathId ? pathId : ""; }
const char *LuaState::GetPathID() { return m_pathId.c_str(); }
void LuaState::SetOption(int option) { m_option = option; }
int LuaState::GetKind() { return m_kind; }
