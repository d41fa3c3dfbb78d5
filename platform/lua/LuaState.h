// One Lua state of the stand-in service: an ILuaInterface over a LuaJIT state.
#pragma once

#include <string>
#include <vector>

#include "lua/ILuaCallback.h"
#include "lua/ILuaInterface.h"

extern "C" {
#include <lua.h>
}

class LuaState final : public ILuaInterface
{
public:
	explicit LuaState(int kind);
	~LuaState() override;

	bool IsOpen() const { return m_main != nullptr; }
	// Closes the raw state and gives back the objects handed out; the object itself stays,
	// answering nothing more, so its address is never taken by a later state.
	void Close();

	int Top() override;
	void Push(int index) override;
	void Pop(int count) override;
	void GetTable(int index) override;
	void SetTable(int index) override;
	int Next(int index) override;
	void NewTable() override;
	void SetMetaTable(int index) override;
	void *NewUserData(unsigned int size) override;

	const char *GetString(int index, unsigned int *length) override;
	double GetNumber(int index) override;
	int GetInteger(int index) override;
	bool GetBool(int index) override;
	void *GetUserData(int index) override;
	int GetType(int index) override;
	bool IsType(int index, int type) override;
	bool IsUserData(int index) override;
	const char *GetTypeName(int type) override;
	const char *GetTypeNameOf(int index) override;
	bool GetMetaTableMember(int valueIndex, int keyIndex) override;

	const char *CheckString(int index) override;
	double CheckNumber(int index) override;

	void PushNil() override;
	void PushString(const char *text, unsigned int length) override;
	void PushNumber(double value) override;
	void PushBool(bool value) override;
	void PushCFunction(CFunc function) override;

	int ReferenceCreate() override;
	void ReferenceFree(int ref) override;
	void ReferencePush(int ref) override;

	ILuaObject *Global() override;
	ILuaObject *GetObject(int index) override;
	ILuaObject *NewObject() override;
	void DeleteObject(ILuaObject *obj) override;
	ILuaObject *GetMetaTableObject(const char *name, int type) override;

	void SetMember(ILuaObject *table, const char *key) override;
	void SetMember(ILuaObject *table, float key) override;
	void SetMember(ILuaObject *table, const char *key, ILuaObject *value) override;
	void SetMember(ILuaObject *table, float key, ILuaObject *value) override;
	void SetMember(ILuaObject *table, ILuaObject *key, ILuaObject *value) override;
	void SetMemberFast(ILuaObject *table, int keyIndex, int valueIndex) override;

	void Call(int args, int results) override;
	bool PCall(int args, int results, int errorFunc) override;
	bool CallInternal(int args, ILuaObject *result) override;
	const char *CallInternalGetString(int args) override;
	const char *GetSourceLocation() override;

	bool RunString(const char *chunkName, const char *path, const char *code, bool run, bool showErrors) override;
	bool CompileString(const char *chunkName, const char *code) override;
	bool IncludeFile(const char *relativePath) override;
	bool Require(const char *name) override;
	const char *GetPath() override;
	bool RunScriptFile(const char *name, bool run, bool showErrors, const char *label) override;

	void TypeError(const char *expected, int index) override;
	void ErrorFormat(const char *format, ...) override;
	void ThrowError(const char *text) override;
	void Print(const char *text) override;
	void ErrorNoHalt(const char *format, ...) override;
	void MsgColour(const Color &colour, const char *format, ...) override;

	void MakeCurrent(lua_State *L) override;
	lua_State *GetLuaState() override;

	bool Init(ILuaCallback *callback, bool jit) override;
	void Cycle() override;
	void SetPathID(const char *pathId) override;
	const char *GetPathID() override;
	void SetOption(int option) override;
	int GetKind() override;

private:
	// Runs the function below the top `args` values under protection, reporting a failure
	// through the callback; the error text is left on the stack when `keepError` is set.
	bool ProtectedCall(int args, int results, bool showErrors, bool keepError);
	// Around a call into Lua: the thread the call is made on is current again afterwards.
	lua_State *EnterCall();
	void LeaveCall(lua_State *caller);
	void ReportError(const std::string &text);
	bool RunFile(const std::string &name, bool run, bool showErrors);
	// Loads a chunk and, when asked, runs it with `folder` as the running file's folder.
	bool RunChunk(const char *code, size_t size, const std::string &chunkName, const std::string &folder, bool run,
	              bool showErrors);
	ILuaObject *ObjectFromStack(int index);

	int m_kind;
	lua_State *m_main = nullptr;
	lua_State *m_L = nullptr;        // the thread the current call arrived on
	ILuaCallback *m_callback = nullptr;
	ILuaObject *m_global = nullptr;
	std::vector<ILuaObject *> m_stackObjects;  // ring of objects handed out by GetObject
	size_t m_nextStackObject = 0;
	int m_protectedDepth = 0;
	int m_option = 0;
	std::string m_pathId;
	std::vector<std::string> m_fileStack;      // scripts being run, innermost last
	std::vector<std::string> m_required;
	std::string m_scratch;                     // backs texts answered to callers
	std::string m_location;

	struct ErrorFrame
	{
		std::string source;
		std::string name;
		int line;
	};
	friend int LuaStateErrorHandler(lua_State *L);
	std::vector<ErrorFrame> m_errorFrames;     // stack of the last error, from its handler

	// Class metatables by address, so the type of a class userdata is one look-up.
	struct ClassMeta
	{
		const void *table;
		int type;
	};
	std::vector<ClassMeta> m_classMetas;
};
