// The vgui system services ("VGUI_System010") the plug-in calls.
#pragma once

class KeyValues;

#define VGUI_SYSTEM_INTERFACE_VERSION "VGUI_System010"

namespace vgui
{
class ISystem
{
public:
	// The current time in seconds, as the vgui system keeps it.
	virtual double GetCurrentTime() = 0;
	// Milliseconds since the system started.
	virtual long GetTimeMillis() = 0;
	// Copies text to and from the clipboard, kept in memory.
	virtual void SetClipboardText(const char *text, int textLen) = 0;
	virtual int GetClipboardText(int offset, char *buf, int bufLen) = 0;
	// Asks the desktop to apply a verb ("open") to a file or folder.
	virtual void ShellExecute(const char *command, const char *file) = 0;
	// The saved per-user configuration of a dialog (owned by the service, created empty on first
	// use), or null when there is none to keep.
	virtual KeyValues *GetUserConfigFileData(const char *dialogName, int dialogID) = 0;

protected:
	virtual ~ISystem() = default;
};
}
