// The callback object of the menu Lua state.
#include "menu/LuaMenuCallback.h"

#include "lua/LuaObject.h"
#include "tier0/dbg.h"

CLuaMenuCallback g_LuaCallback;

Color cMsgColor(100, 220, 100, 200);
Color cErrorColor(120, 220, 100, 255);

ILuaObject *CLuaMenuCallback::CreateLuaObject() { return new CLuaObject(); }

void CLuaMenuCallback::DestroyLuaObject(ILuaObject *obj)
{
	delete static_cast<CLuaObject *>(obj);
}

void CLuaMenuCallback::ErrorPrint(const char *text, bool) { Error("%s", text); }

void CLuaMenuCallback::Msg(const char *text, bool) { ColorSpewMessage(SPEW_MESSAGE, &cMsgColor, "%s", text); }

void CLuaMenuCallback::MsgColour(const char *text, const Color &col)
{
	ColorSpewMessage(SPEW_MESSAGE, &col, "%s", text);
}

void CLuaMenuCallback::LuaError(CLuaError *error)
{
	if (!error)
		return;
	ColorSpewMessage(SPEW_MESSAGE, &cErrorColor, "MENU ERROR: %s\n", error->text ? error->text : "");
	for (int i = 0; i < error->stackCount; ++i)
	{
		const CLuaError::StackEntry &entry = error->stack[i];
		ColorSpewMessage(SPEW_MESSAGE, &cErrorColor, "\t%s:%i [%s]\n", entry.source ? entry.source : "", entry.line,
		                 entry.name ? entry.name : "");
	}
}

void CLuaMenuCallback::InterfaceCreated(ILuaInterface *) {}
