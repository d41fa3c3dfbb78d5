// The callback object of the menu Lua state: makes its value objects and prints its
// messages and script errors.
#pragma once

#include "lua/ILuaCallback.h"

class CLuaMenuCallback : public ILuaCallback
{
public:
	ILuaObject *CreateLuaObject() override;
	void DestroyLuaObject(ILuaObject *obj) override;
	void ErrorPrint(const char *text, bool unused) override;
	void Msg(const char *text, bool unused) override;
	void MsgColour(const char *text, const Color &col) override;
	void LuaError(CLuaError *error) override;
	void InterfaceCreated(ILuaInterface *iface) override;
};

extern CLuaMenuCallback g_LuaCallback;
