// The object a Lua state reports back through: it makes the state's value objects and
// receives its messages and script errors.
#pragma once

class Color;
class ILuaInterface;
class ILuaObject;

// One script error: its text and the Lua call stack at the point of failure.
class CLuaError
{
public:
	struct StackEntry
	{
		const char *source;
		const char *name;
		int line;
	};

	const char *text = "";
	const StackEntry *stack = nullptr;
	int stackCount = 0;
	// Where the error arose ("menu", "client", ...), handed on to the menu's error hook.
	const char *realm = "";
};

class ILuaCallback
{
public:
	virtual ILuaObject *CreateLuaObject() = 0;
	virtual void DestroyLuaObject(ILuaObject *obj) = 0;
	virtual void ErrorPrint(const char *text, bool unused) = 0;
	virtual void Msg(const char *text, bool unused) = 0;
	virtual void MsgColour(const char *text, const Color &col) = 0;
	virtual void LuaError(CLuaError *error) = 0;
	virtual void InterfaceCreated(ILuaInterface *iface) = 0;

protected:
	~ILuaCallback() = default;
};
