// The "vgui" library: vgui.Create makes controls by class name through CreateVGUIControlByName,
// plus queries about the cursor, keyboard focus and hovered panel, and the global SetClipboardText.
#include "menu/LuaVGui.h"

#include "IGet.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "menu/AwsHTML.h"
#include "menu/FoyerixGlobals.h"
#include "menu/LuaPanel.h"
#include "tier0/dbg.h"
#include "tier1/strtools.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui_controls/AnimatingImagePanel.h"
#include "vgui_controls/BitmapImagePanel.h"
#include "vgui_controls/Button.h"
#include "vgui_controls/CAchievementIcon.h"
#include "vgui_controls/CheckButton.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Divider.h"
#include "vgui_controls/Frame.h"
#include "vgui_controls/ImagePanel.h"
#include "vgui_controls/Label.h"
#include "vgui_controls/LuaEditablePanel.h"
#include "vgui_controls/MessageBox.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuItem.h"
#include "vgui_controls/Panel.h"
#include "vgui_controls/ProgressBar.h"
#include "vgui_controls/RadioButton.h"
#include "vgui_controls/ScrollBar.h"
#include "vgui_controls/TGAImagePanel.h"
#include "vgui_controls/ToggleButton.h"
#include "vgui_controls/URLLabel.h"

namespace
{
typedef vgui::Panel *(*ControlMaker)();

vgui::Panel *MakePanel() { return new vgui::Panel(nullptr, "Panel"); }
vgui::Panel *MakeLabel() { return new vgui::Label(nullptr, nullptr, "Label"); }
vgui::Panel *MakeButton() { return new vgui::Button(nullptr, nullptr, "Button", nullptr, nullptr); }
vgui::Panel *MakeCheckButton() { return new vgui::CheckButton(nullptr, nullptr, "CheckButton"); }
vgui::Panel *MakeProgressBar() { return new vgui::ProgressBar(nullptr, nullptr); }
vgui::Panel *MakeRadioButton() { return new vgui::RadioButton(nullptr, nullptr, "RadioButton"); }
vgui::Panel *MakeToggleButton() { return new vgui::ToggleButton(nullptr, nullptr, "ToggleButton"); }
vgui::Panel *MakeScrollBar() { return new vgui::ScrollBar(nullptr, nullptr, false); }
vgui::Panel *MakeURLLabel() { return new vgui::URLLabel(nullptr, nullptr, "URLLabel", nullptr); }
vgui::Panel *MakeAchievementIcon() { return new CAchievementIcon(nullptr, "AvatarImage"); }
vgui::Panel *MakeImagePanel() { return new vgui::ImagePanel(nullptr, "ResourceImagePanel"); }
vgui::Panel *MakeBitmapImagePanel() { return new vgui::CBitmapImagePanel(nullptr, "BitmapImagePanel"); }
vgui::Panel *MakeAnimatingImagePanel() { return new vgui::AnimatingImagePanel(nullptr, nullptr); }
vgui::Panel *MakeMenu() { return new vgui::Menu(nullptr, "Menu"); }
vgui::Panel *MakeMenuItem() { return new vgui::MenuItem(nullptr, nullptr, "MenuItem", nullptr, false); }
vgui::Panel *MakeDivider() { return new vgui::Divider(nullptr, "Divider"); }
vgui::Panel *MakeFrame()
{
	vgui::Frame *frame = new vgui::Frame(nullptr, "Frame", true, true);
	frame->SetBuildModeEditable(true);
	return frame;
}
vgui::Panel *MakeMessageBox() { return new vgui::MessageBox("MessageBox", "MessageBoxText"); }
vgui::Panel *MakeEditablePanel() { return new vgui::LuaEditablePanel(nullptr, "EditablePanel"); }
vgui::Panel *MakeTGAImage() { return new vgui::TGAImagePanel(nullptr, "TGAImage"); }
// The HTML panel cannot exist without the host's HTML renderer; a script asking for one then
// gets the ordinary failure instead of stopping the game.
vgui::Panel *MakeHTML()
{
	if (!get || !get->HTML())
		return nullptr;
	return new Zorvan::CAwsHTML(nullptr, "Awesomium");
}

vgui::Panel *PanelFrameGone()
{
	Warning("PanelFrame no longer exists!\n");
	return nullptr;
}

struct ControlEntry
{
	const char *name;
	// Null for a class this build does not have yet: the name then answers like an unknown one.
	ControlMaker make;
};

// Searched in order; the first name that matches decides.
const ControlEntry kControls[] = {
	{ "Frame", MakeFrame },
	{ "EditablePanel", MakeEditablePanel },
	{ "Panel", MakePanel },
	{ "Label", MakeLabel },
	{ "Button", MakeButton },
	{ "CheckButton", MakeCheckButton },
	{ "ComboBox", nullptr },
	{ "Menu", MakeMenu },
	{ "MenuItem", MakeMenuItem },
	{ "MessageBox", MakeMessageBox },
	{ "ProgressBar", MakeProgressBar },
	{ "RadioButton", MakeRadioButton },
	{ "ScrollBar", MakeScrollBar },
	{ "TextEntry", nullptr },
	{ "RichText", nullptr },
	{ "ToggleButton", MakeToggleButton },
	{ "ImagePanel", MakeImagePanel },
	{ "AnimatingImagePanel", MakeAnimatingImagePanel },
	{ "Divider", MakeDivider },
	{ "URLLabel", MakeURLLabel },
	{ "BitmapImagePanel", MakeBitmapImagePanel },
	{ "PanelFrame", PanelFrameGone },
	{ "AchievementIcon", MakeAchievementIcon },
	{ "TGAImage", MakeTGAImage },
	{ "Awesomium", MakeHTML },
	{ "HTML", MakeHTML },
};

// The panel of this module behind an engine panel handle, or null.
vgui::Panel *ModulePanel(vgui::VPANEL vpanel)
{
	if (!vpanel || !vgui::ipanel())
		return nullptr;
	return vgui::ipanel()->GetPanel(vpanel, vgui::GetControlsModuleName());
}

bool CursorVisible() { return g_pVGuiSurface && g_pVGuiSurface->IsCursorVisible(); }
}

vgui::Panel *CreateVGUIControlByName(const char *className)
{
	if (!className)
		return nullptr;
	for (const ControlEntry &entry : kControls)
	{
		if (V_stricmp(className, entry.name) == 0)
			return entry.make ? entry.make() : nullptr;
	}
	return nullptr;
}

namespace
{
LUA_LIBRARY(vgui);

LUA_FUNCTION(vgui, Create)
{
	const char *className = pLua->CheckString(1);
	vgui::Panel *control = CreateVGUIControlByName(className);
	if (!control)
	{
		Msg("Warning: vgui.Create failed to create the VGUI component (%s)\n", className ? className : "");
		return 0;
	}
	control->SetAutoDelete(true);
	vgui::Panel *parent = pLua->GetType(2) == LC_Panel.GetType() ? Get_Panel(2) : GetZorvBasePanel();
	control->SetParent(parent);
	if (pLua->GetType(3) == LUA_TYPE_STRING)
		control->SetName(pLua->GetString(3));
	Push_Panel(control);
	control->InvalidateLayout(false, false);
	return 1;
}

LUA_FUNCTION(vgui, CursorVisible)
{
	pLua->PushBool(CursorVisible());
	return 1;
}

LUA_FUNCTION(vgui, IsHoveringWorld)
{
	vgui::Panel *world = GetZorvBasePanel();
	bool hovering = CursorVisible() && world && vgui::input() && vgui::input()->GetMouseOver() == world->GetVPanel();
	pLua->PushBool(hovering);
	return 1;
}

LUA_FUNCTION(vgui, GetWorldPanel)
{
	Push_Panel(GetZorvBasePanel());
	return 1;
}

LUA_FUNCTION(vgui, FocusedHasParent)
{
	if (pLua->GetType(1) != LC_Panel.GetType())
		return 0;
	vgui::Panel *panel = Get_Panel(1);
	if (!panel)
		return 0;
	vgui::VPANEL focus = vgui::input() ? vgui::input()->GetFocus() : 0;
	pLua->PushBool(focus && vgui::ipanel() && vgui::ipanel()->HasParent(focus, panel->GetVPanel()));
	return 1;
}

LUA_FUNCTION(vgui, GetKeyboardFocus)
{
	vgui::Panel *focus = ModulePanel(vgui::input() ? vgui::input()->GetFocus() : 0);
	if (!focus)
		return 0;
	Push_Panel(focus);
	return 1;
}

LUA_GLOBAL_FUNCTION(SetClipboardText)
{
	const char *text = pLua->CheckString(1);
	unsigned int length = 0;
	if (text)
		pLua->GetString(1, &length);
	if (text && g_pVGuiSystem)
		g_pVGuiSystem->SetClipboardText(text, length > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(length));
	return 0;
}

LUA_FUNCTION(vgui, GetHoveredPanel)
{
	vgui::Panel *hovered = ModulePanel(vgui::input() ? vgui::input()->GetMouseOver() : 0);
	if (!hovered)
		return 0;
	Push_Panel(hovered);
	return 1;
}
}
