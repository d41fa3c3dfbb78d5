// Workshop download reports of the engine's add-on service, raised as hooks in the menu state.
#include "menu/MenuDownloadNotifications.h"

#include "Kestrum/Utility/String.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"

namespace
{
// Pushes hook.Call of the menu state; false, with nothing pushed, when there is none.
bool PushHook()
{
	CLuaObject hook;
	hook.SetFromGlobal("hook");
	if (!hook.isTable())
		return false;
	CLuaObject call;
	hook.GetMember("Call", &call);
	if (!call.isFunction())
		return false;
	call.Push();
	return true;
}

// Starts a hook call: false when there is no menu state or no hook.Call.
bool BeginHook(const char *name)
{
	if (!g_Lua || !PushHook())
		return false;
	g_Lua->PushString(name);
	return true;
}

void PushId(uint64_t id)
{
	Kestrum::BString text = Kestrum::String::Format::UInt64(id);
	g_Lua->PushString(text.c_str(), static_cast<unsigned int>(text.size()));
}

void PushText(const char *text)
{
	g_Lua->PushString(text ? text : "");
}
}

void CMenuDownloadNotifications::Start()
{
	if (BeginHook("WorkshopStart"))
		g_Lua->Call(1, 0);
}

void CMenuDownloadNotifications::ListingFiles()
{
	if (!BeginHook("WorkshopDownloadingFiles"))
		return;
	g_Lua->PushNil();
	g_Lua->Call(2, 0);
}

void CMenuDownloadNotifications::StartDownload(uint64_t itemId, uint64_t secondId, const char *title, uint32_t size)
{
	if (!BeginHook("WorkshopDownloadFile"))
		return;
	g_Lua->PushNil();
	PushId(itemId);
	PushId(secondId);
	PushText(title);
	g_Lua->PushNumber(static_cast<double>(size));
	g_Lua->Call(6, 0);
}

void CMenuDownloadNotifications::FinishDownload(uint64_t itemId, const char *title)
{
	if (!BeginHook("WorkshopDownloadedFile"))
		return;
	g_Lua->PushNil();
	PushId(itemId);
	PushText(title);
	g_Lua->Call(4, 0);
}

void CMenuDownloadNotifications::Finish()
{
	if (BeginHook("WorkshopEnd"))
		g_Lua->Call(1, 0);
}

void CMenuDownloadNotifications::DownloadProgress(uint64_t itemId, uint64_t secondId, const char *title,
                                                  uint32_t done, uint32_t total)
{
	if (!BeginHook("WorkshopDownloadProgress"))
		return;
	g_Lua->PushNil();
	PushId(itemId);
	PushId(secondId);
	PushText(title);
	g_Lua->PushNumber(static_cast<double>(done));
	g_Lua->PushNumber(static_cast<double>(total));
	g_Lua->Call(7, 0);
}

void CMenuDownloadNotifications::DownloadTotals(int a, int b)
{
	if (!BeginHook("WorkshopDownloadTotals"))
		return;
	g_Lua->PushNil();
	g_Lua->PushNumber(a);
	g_Lua->PushNumber(b);
	g_Lua->Call(4, 0);
}
