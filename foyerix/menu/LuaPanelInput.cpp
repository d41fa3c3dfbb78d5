// Lua Panel methods that switch input, move keyboard focus, make popups and modal panels, send
// commands and vgui messages, read and write a panel's text and value, and load layout files
// into an editable panel from a file or from a string.
#include <climits>
#include <cstring>
#include <type_traits>
#include <utility>

#include "filesystem/IFileSystem.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaClass.h"
#include "menu/LuaPanel.h"
#include "menu/LuaPanelArgs.h"
#include "tier1/KeyValues.h"
#include "tier1/tier2.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"
#if __has_include("vgui_controls/EditablePanel.h")
#include "vgui_controls/EditablePanel.h"
#define ZV_HAVE_EDITABLE_PANEL 1
#endif

using LuaPanelArgs::Self;
using LuaPanelArgs::StrictArg;

namespace
{
// The file a layout given as a string passes through on its way to the build group.
const char kTempResource[] = "tmp_resource";

#ifdef ZV_HAVE_EDITABLE_PANEL
// Whether the editable panel can load layout files yet (its first form has no build group).
template <typename T, typename = void>
struct CanLoadControls : std::false_type
{
};
template <typename T>
struct CanLoadControls<T, std::void_t<decltype(std::declval<T &>().LoadControlSettings(
                                  static_cast<const char *>(nullptr), static_cast<const char *>(nullptr),
                                  static_cast<KeyValues *>(nullptr), static_cast<KeyValues *>(nullptr)))>>
	: std::true_type
{
};

template <typename Editable>
void LoadControlsInto(vgui::Panel *panel, const char *resourceName)
{
	if constexpr (CanLoadControls<Editable>::value)
	{
		if (auto *editable = dynamic_cast<Editable *>(panel))
			editable->LoadControlSettings(resourceName, nullptr, nullptr, nullptr);
	}
	else
	{
		(void)panel;
		(void)resourceName;
	}
}
#endif

// Loads a layout file into the panel when it is an editable panel; other panels load nothing.
void LoadControls(vgui::Panel *panel, const char *resourceName)
{
#ifdef ZV_HAVE_EDITABLE_PANEL
	LoadControlsInto<vgui::EditablePanel>(panel, resourceName);
#else
	// Editable panels are not part of the framework yet: nothing can take a layout.
	(void)panel;
	(void)resourceName;
#endif
}

// Writes the bytes as the whole of the named file; false when the file cannot be opened or
// not every byte was written.
bool WriteWholeFile(const char *name, const char *bytes, unsigned int length)
{
	if (!g_pFullFileSystem)
		return false;
	FileHandle_t file = g_pFullFileSystem->Open(name, "w+", nullptr);
	if (!file)
		return false;
	bool complete = true;
	while (length > 0 && complete)
	{
		int chunk = length > static_cast<unsigned int>(INT_MAX) ? INT_MAX : static_cast<int>(length);
		int written = g_pFullFileSystem->Write(bytes, chunk, file);
		complete = written == chunk;
		bytes += chunk;
		length -= static_cast<unsigned int>(chunk);
	}
	g_pFullFileSystem->Close(file);
	return complete;
}

// The text a panel's GetValueForLua fills; one buffer for every call, as scripts read the
// result at once.
char s_ValueBuffer[8092];
}

// Methods in the class's row order.

LUA_CLASS_METHOD(Panel, SetAutoDelete, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetAutoDelete(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetMouseInputEnabled, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetMouseInputEnabled(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetKeyBoardInputEnabled, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetKeyBoardInputEnabled(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetEnabled, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetEnabled(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, DoModal, LC_Panel)
{
	Self()->DoModal();
	return 0;
}

LUA_CLASS_METHOD(Panel, SetKeyboardInputEnabled, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetKeyBoardInputEnabled(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetText, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetText(pLua->CheckString(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, GetText, LC_Panel)
{
	vgui::Panel *panel = Self();
	char text[1024];
	text[0] = '\0';
	panel->GetText(text, sizeof(text));
	// A control that fills the whole buffer still hands back a terminated text.
	text[sizeof(text) - 1] = '\0';
	pLua->PushString(text);
	return 1;
}

LUA_CLASS_METHOD(Panel, MakePopup, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->MakePopup(true, false);
	panel->SetMouseInputEnabled(true);
	panel->SetKeyBoardInputEnabled(true);
	return 0;
}

LUA_CLASS_METHOD(Panel, SetPopupStayAtBack, LC_Panel)
{
	vgui::Panel *panel = Self();
	vgui::ipanel()->SetTopmostPopup(panel->GetVPanel(), !pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, HasHierarchicalFocus, LC_Panel)
{
	vgui::Panel *panel = Self();
	vgui::VPANEL focus = vgui::input() ? vgui::input()->GetFocus() : 0;
	pLua->PushBool(focus != 0 && vgui::ipanel()->HasParent(focus, panel->GetVPanel()));
	return 1;
}

LUA_CLASS_METHOD(Panel, LoadControlsFromString, LC_Panel)
{
	vgui::Panel *panel = Self();
	unsigned int length = 0;
	const char *text = pLua->GetString(2, &length);
	if (!text)
		length = 0;
	// A layout that could not be written whole is not loaded: the build group would read a
	// cut file, or one left behind by an earlier call.
	if (WriteWholeFile(kTempResource, text ? text : "", length))
		LoadControls(panel, kTempResource);
	if (g_pFullFileSystem)
		g_pFullFileSystem->RemoveFile(kTempResource, nullptr);
	return 0;
}

LUA_CLASS_METHOD(Panel, LoadControlsFromFile, LC_Panel)
{
	vgui::Panel *panel = Self();
	LoadControls(panel, pLua->CheckString(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, Command, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->OnCommand(pLua->CheckString(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetActionFunction, LC_Panel)
{
	(void)pLua;
	return 0;
}

LUA_CLASS_METHOD(Panel, PostMessage, LC_Panel)
{
	vgui::Panel *panel = Self();
	const char *name = pLua->CheckString(2);
	const char *key = pLua->CheckString(3);
	const char *value = pLua->CheckString(4);
	// The engine's message queue owns the message from here on.
	panel->PostMessage(panel, new KeyValues(name, key, value), 0.0f);
	return 0;
}

LUA_CLASS_METHOD(Panel, SetCommand, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetCommand(pLua->CheckString(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, MouseCapture, LC_Panel)
{
	vgui::Panel *panel = Self();
	vgui::input()->SetMouseCapture(pLua->GetBool(2) ? panel->GetVPanel() : 0);
	return 0;
}

LUA_CLASS_METHOD(Panel, GetValue, LC_Panel)
{
	vgui::Panel *panel = Self();
	s_ValueBuffer[0] = '\0';
	panel->GetValueForLua(s_ValueBuffer, sizeof(s_ValueBuffer));
	s_ValueBuffer[sizeof(s_ValueBuffer) - 1] = '\0';
	pLua->PushString(s_ValueBuffer);
	return 1;
}

LUA_CLASS_METHOD(Panel, HasFocus, LC_Panel)
{
	pLua->PushBool(Self()->HasFocus());
	return 1;
}

LUA_CLASS_METHOD(Panel, RequestFocus, LC_Panel)
{
	Self()->RequestFocus(0);
	return 0;
}

LUA_CLASS_METHOD(Panel, KillFocus, LC_Panel)
{
	Self()->OnKillFocus();
	return 0;
}

LUA_CLASS_METHOD(Panel, FocusNext, LC_Panel)
{
	Self()->RequestFocusNext(0);
	return 0;
}

LUA_CLASS_METHOD(Panel, FocusPrevious, LC_Panel)
{
	Self()->RequestFocusPrev(0);
	return 0;
}

LUA_CLASS_METHOD(Panel, SetTabPosition, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetTabPosition(StrictArg(pLua, 2));
	return 0;
}

LUA_CLASS_METHOD(Panel, IsKeyboardInputEnabled, LC_Panel)
{
	pLua->PushBool(Self()->IsKeyBoardInputEnabled());
	return 1;
}

LUA_CLASS_METHOD(Panel, IsMouseInputEnabled, LC_Panel)
{
	pLua->PushBool(Self()->IsMouseInputEnabled());
	return 1;
}

LUA_CLASS_METHOD(Panel, SetWorldClicker, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetWorldClicker(pLua->GetBool(2));
	return 0;
}
