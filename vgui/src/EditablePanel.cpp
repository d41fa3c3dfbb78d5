// vgui::EditablePanel: layout files through its build group, tab order and default button
// through its focus navigation group, dialog variables, per-user configuration, and access to
// its children by name.
#include "vgui_controls/EditablePanel.h"

#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/strtools.h"
#include "tier1/tier3.h"
#include "vgui/ILocalize.h"
#include "vgui/IPanel.h"
#include "vgui/ISystem.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
DECLARE_BUILD_FACTORY(EditablePanel)

namespace
{
// Pad codes of the input system, past the keyboard and mouse codes.
constexpr int kPadButtonA = 114;
constexpr int kPadButtonB = 115;

// Arrow keys, the pad's B button, its direction pad (146-149) and both sticks' directions
// (150-153, 156-159; not the triggers 154 and 155).
bool IsNavigationCode(int code)
{
	return code == KEY_UP || code == KEY_LEFT || code == KEY_DOWN || code == KEY_RIGHT || code == kPadButtonB ||
	       (code >= 146 && code <= 153) || (code >= 156 && code <= 159);
}
}

EditablePanel::EditablePanel(Panel *parent, const char *panelName)
	: Panel(parent, panelName), m_NavGroup(this)
{
	_buildGroup = new BuildGroup(this, this);
	m_pDialogVariables = nullptr;
	m_pszConfigName = nullptr;
	m_iConfigID = 0;
	SetBuildGroup(_buildGroup);
}

EditablePanel::~EditablePanel()
{
	delete[] m_pszConfigName;
	delete _buildGroup;
	if (m_pDialogVariables)
		m_pDialogVariables->deleteThis();
}

// Layout files.

void EditablePanel::LoadControlSettings(const char *dialogResourceName, const char *pathID,
                                        KeyValues *preloadedKeyValues, KeyValues *conditions)
{
	_buildGroup->LoadControlSettings(dialogResourceName, pathID, preloadedKeyValues, conditions);
	ForceSubPanelsToUpdateWithNewDialogVariables();
	InvalidateLayout(false, false);
}

void EditablePanel::RegisterControlSettingsFile(const char *dialogResourceName, const char *pathID)
{
	_buildGroup->RegisterControlSettingsFile(dialogResourceName, pathID);
}

void EditablePanel::ActivateBuildMode() { _buildGroup->SetEnabled(true); }
BuildGroup *EditablePanel::GetBuildGroup() { return _buildGroup; }
FocusNavGroup &EditablePanel::GetFocusNavGroup() { return m_NavGroup; }

Panel *EditablePanel::CreateControlByName(const char *controlName)
{
	return CBuildFactoryHelper::InstancePanel(controlName);
}

void EditablePanel::ApplySettings(KeyValues *inResourceData)
{
	Panel::ApplySettings(inResourceData);
	_buildGroup->ApplySettings(inResourceData);
}

void EditablePanel::OnSizeChanged(int wide, int tall)
{
	Panel::OnSizeChanged(wide, tall);
	InvalidateLayout(false, false);
}

void EditablePanel::OnChildAdded(VPANEL child)
{
	Panel::OnChildAdded(child);
	Panel *panel = ipanel()->GetPanel(child, GetModuleName());
	if (!panel)
		return;
	panel->SetBuildGroup(_buildGroup);
	panel->AddActionSignalTarget(this);
}

void EditablePanel::PaintBackground() { Panel::PaintBackground(); }

// User configuration.

void EditablePanel::LoadUserConfig(const char *configName, int dialogID)
{
	if (!configName)
		return;
	KeyValues *data = system()->GetUserConfigFileData(configName, dialogID);
	size_t length = strlen(configName);
	char *copy = new char[length + 1];
	memcpy(copy, configName, length + 1);
	delete[] m_pszConfigName;
	m_pszConfigName = copy;
	m_iConfigID = dialogID;
	if (data)
		ApplyUserConfigSettings(data);
}

void EditablePanel::SaveUserConfig()
{
	if (!m_pszConfigName)
		return;
	if (KeyValues *data = system()->GetUserConfigFileData(m_pszConfigName, m_iConfigID))
		GetUserConfigSettings(data);
}

void EditablePanel::LoadControlSettingsAndUserConfig(const char *dialogResourceName, int dialogID)
{
	LoadControlSettings(dialogResourceName, nullptr, nullptr, nullptr);
	LoadUserConfig(dialogResourceName, dialogID);
}

void EditablePanel::ApplyUserConfigSettings(KeyValues *userConfig)
{
	for (int i = 0; i < GetChildCount(); ++i)
	{
		Panel *child = GetChild(i);
		if (!child || !child->HasUserConfigSettings() || !child->GetName() || !*child->GetName())
			continue;
		child->ApplyUserConfigSettings(userConfig->FindKey(child->GetName(), true));
	}
}

void EditablePanel::GetUserConfigSettings(KeyValues *userConfig)
{
	for (int i = 0; i < GetChildCount(); ++i)
	{
		Panel *child = GetChild(i);
		if (!child || !child->HasUserConfigSettings() || !child->GetName() || !*child->GetName())
			continue;
		child->GetUserConfigSettings(userConfig->FindKey(child->GetName(), true));
	}
}

void EditablePanel::OnClose() { SaveUserConfig(); }

// Children by name.

void EditablePanel::SetControlEnabled(const char *controlName, bool enabled)
{
	if (Panel *child = FindChildByName(controlName))
		child->SetEnabled(enabled);
}

void EditablePanel::SetControlVisible(const char *controlName, bool visible)
{
	if (Panel *child = FindChildByName(controlName))
		child->SetVisible(visible);
}

void EditablePanel::SetControlString(const char *controlName, const char *string)
{
	Panel *child = FindChildByName(controlName);
	if (!child || !string)
		return;
	if (string[0] == '#')
	{
		const wchar_t *localized = g_pVGuiLocalize ? g_pVGuiLocalize->Find(string) : nullptr;
		if (localized)
			PostMessage(child, new KeyValues("SetText", "text", localized));
		return;
	}
	PostMessage(child, new KeyValues("SetText", "text", string));
}

void EditablePanel::SetControlString(const char *controlName, const wchar_t *string)
{
	if (Panel *child = FindChildByName(controlName))
		PostMessage(child, new KeyValues("SetText", "text", string ? string : L""));
}

void EditablePanel::SetControlInt(const char *controlName, int state)
{
	if (Panel *child = FindChildByName(controlName))
		PostMessage(child, new KeyValues("SetState", "state", state));
}

int EditablePanel::GetControlInt(const char *controlName, int defaultState)
{
	Panel *child = FindChildByName(controlName);
	if (!child)
		return defaultState;
	KeyValues *request = new KeyValues("GetState");
	int state = defaultState;
	if (child->RequestInfo(request))
		state = request->GetInt("state", defaultState);
	request->deleteThis();
	return state;
}

void EditablePanel::GetControlString(const char *controlName, char *buf, int bufSize, const char *defaultString)
{
	if (!buf || bufSize <= 0)
		return;
	const char *fallback = defaultString ? defaultString : "";
	Panel *child = FindChildByName(controlName);
	if (!child)
	{
		V_strncpy(buf, fallback, bufSize);
		buf[bufSize - 1] = '\0';
		return;
	}
	KeyValues *request = new KeyValues("GetText");
	if (child->RequestInfo(request))
		V_strncpy(buf, request->GetString("text", fallback), bufSize);
	else
		V_strncpy(buf, fallback, bufSize);
	buf[bufSize - 1] = '\0';
	request->deleteThis();
}

const char *EditablePanel::GetControlString(const char *controlName, const char *defaultString)
{
	static char s_Buffer[512];
	GetControlString(controlName, s_Buffer, sizeof(s_Buffer) - 1, defaultString);
	return s_Buffer;
}

// Dialog variables.

KeyValues *EditablePanel::GetDialogVariables()
{
	if (!m_pDialogVariables)
		m_pDialogVariables = new KeyValues("DialogVariables");
	return m_pDialogVariables;
}

void EditablePanel::SetDialogVariable(const char *varName, const char *value)
{
	GetDialogVariables()->SetString(varName, value);
	ForceSubPanelsToUpdateWithNewDialogVariables();
}

void EditablePanel::SetDialogVariable(const char *varName, const wchar_t *value)
{
	GetDialogVariables()->SetWString(varName, value);
	ForceSubPanelsToUpdateWithNewDialogVariables();
}

void EditablePanel::SetDialogVariable(const char *varName, int value)
{
	GetDialogVariables()->SetInt(varName, value);
	ForceSubPanelsToUpdateWithNewDialogVariables();
}

void EditablePanel::SetDialogVariable(const char *varName, float value)
{
	GetDialogVariables()->SetFloat(varName, value);
	ForceSubPanelsToUpdateWithNewDialogVariables();
}

void EditablePanel::ForceSubPanelsToUpdateWithNewDialogVariables()
{
	if (!m_pDialogVariables)
		return;
	ipanel()->SendMessage(GetVPanel(), m_pDialogVariables, GetVPanel());
	for (int i = 0; i < ipanel()->GetChildCount(GetVPanel()); ++i)
		ipanel()->SendMessage(ipanel()->GetChild(GetVPanel(), i), m_pDialogVariables, GetVPanel());
}

// Default button.

void EditablePanel::OnDefaultButtonSet(VPANEL button)
{
	m_NavGroup.SetDefaultButton(button ? ipanel()->GetPanel(button, GetModuleName()) : nullptr);
}

void EditablePanel::OnCurrentDefaultButtonSet(VPANEL button)
{
	m_NavGroup.SetCurrentDefaultButton(button, false);
	if (GetVParent())
	{
		KeyValues *message = new KeyValues("CurrentDefaultButtonSet");
		message->SetInt("button", static_cast<int>(ivgui()->PanelToHandle(button)));
		PostMessage(GetVParent(), message);
	}
}

void EditablePanel::OnFindDefaultButton()
{
	if (m_NavGroup.GetDefaultButton())
		m_NavGroup.SetCurrentDefaultButton(m_NavGroup.GetDefaultButton());
	else if (GetVParent())
		PostMessage(GetVParent(), new KeyValues("FindDefaultButton"));
}

void EditablePanel::OnKeyCodePressed(ButtonCode_t code)
{
	static ConVarRef s_NavLockDefaultButton("vgui_nav_lock_default_button", true);
	bool locked = s_NavLockDefaultButton.IsValid() && s_NavLockDefaultButton.GetInt() != 0;
	VPANEL button = locked ? 0 : m_NavGroup.GetCurrentDefaultButton();
	if (button && !IsConsoleStylePanel())
	{
		if (code == KEY_ENTER || code == kPadButtonA)
		{
			if (ipanel()->IsVisible(button) && ipanel()->IsEnabled(button))
			{
				PostMessage(button, new KeyValues("Hotkey"));
				return;
			}
		}
		else if (IsNavigationCode(code))
		{
			if (s_NavLockDefaultButton.IsValid())
				s_NavLockDefaultButton.SetValue(1);
			PostMessage(button, new KeyValues("KeyCodePressed", "code", static_cast<int>(code)));
			return;
		}
	}
	Panel::OnKeyCodePressed(code);
}

// Focus.

void EditablePanel::RequestFocus(int direction)
{
	if (direction == -1)
		RequestFocusPrev(0);
	else if (direction == 1)
		RequestFocusNext(0);
	else
		Panel::RequestFocus(0);
}

bool EditablePanel::RequestFocusPrev(VPANEL panel)
{
	bool moved = m_NavGroup.RequestFocusPrev(panel);
	if (!moved && IsConsoleStylePanel())
		NavigateUp();
	return moved;
}

bool EditablePanel::RequestFocusNext(VPANEL panel)
{
	bool moved = m_NavGroup.RequestFocusNext(panel);
	if (!moved && IsConsoleStylePanel())
		NavigateDown();
	return moved;
}

void EditablePanel::OnRequestFocus(VPANEL subFocus, VPANEL defaultPanel)
{
	if (!subFocus || !ipanel()->IsPopup(subFocus))
		defaultPanel = m_NavGroup.SetCurrentFocus(subFocus, defaultPanel);
	Panel::OnRequestFocus(GetVPanel(), defaultPanel);
}

void EditablePanel::OnSetFocus()
{
	Panel *focus = m_NavGroup.GetCurrentFocus();
	if (focus && focus != this)
	{
		focus->RequestFocus(0);
	}
	else if (Panel *defaultPanel = m_NavGroup.GetDefaultPanel())
	{
		defaultPanel->RequestFocus(0);
		defaultPanel->OnSetFocus();
	}
	Panel::OnSetFocus();
}

VPANEL EditablePanel::GetCurrentKeyFocus()
{
	Panel *focus = m_NavGroup.GetCurrentFocus();
	if (focus == this)
		return 0;
	if (!focus || focus->IsPopup())
		return Panel::GetCurrentKeyFocus();
	VPANEL inner = focus->GetCurrentKeyFocus();
	return inner ? inner : focus->GetVPanel();
}

Panel *EditablePanel::HasHotkey(wchar_t key)
{
	if (!IsVisible() || !IsEnabled())
		return nullptr;
	for (int i = 0; i < GetChildCount(); ++i)
	{
		Panel *child = GetChild(i);
		if (!child)
			continue;
		Panel *hot = child->HasHotkey(key);
		if (hot && hot->IsVisible() && hot->IsEnabled())
			return hot;
	}
	return nullptr;
}

// Requests.

bool EditablePanel::RequestInfo(KeyValues *data)
{
	if (V_stricmp(data->GetName(), "ControlFactory") == 0)
	{
		Panel *control = CreateControlByName(data->GetString("ControlName"));
		if (control)
		{
			data->SetPtr("PanelPtr", control);
			return true;
		}
	}
	// "BuildDialog": the build-mode editor window is not part of the framework yet, so no
	// dialog is made and build mode runs without one.
	return Panel::RequestInfo(data);
}
}
