// The callback object of the menu Lua state: makes its value objects and prints its
// messages and script errors in the menu's colours.
#pragma once

#include "lua/ILuaCallback.h"
#include "tier1/Color.h"

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

// Colours of the menu state's messages and of its script errors.
extern Color cMsgColor;
extern Color cErrorColor;
