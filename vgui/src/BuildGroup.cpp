// vgui::BuildGroup: loads ".res" layout files into an editable panel (creating controls through
// the panel's factory), saves them back, and runs the build-mode editing of its controls.
#include "vgui_controls/BuildGroup.h"

#include <cstdio>
#include <cstring>

#include "filesystem/IFileSystem.h"
#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/strtools.h"
#include "tier1/tier2.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/EditablePanel.h"
#include "vgui_controls/Label.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
CUtlHandleTable<BuildGroup, 20> BuildGroup::m_HandleTable;

namespace
{
char *CopyText(const char *text)
{
	size_t length = strlen(text);
	char *copy = new char[length + 1];
	memcpy(copy, text, length + 1);
	return copy;
}

bool ShiftDown() { return input()->IsKeyDown(KEY_LSHIFT) || input()->IsKeyDown(KEY_RSHIFT); }
bool ControlDown() { return input()->IsKeyDown(KEY_LCONTROL) || input()->IsKeyDown(KEY_RCONTROL); }
bool AltDown() { return input()->IsKeyDown(KEY_LALT) || input()->IsKeyDown(KEY_RALT); }

// Remainder with the sign of the dividend, as C's operator gives it.
int Remainder(int value, int step) { return step ? value % step : 0; }

// Merges, depth first, each condition block found in a section into that section.
void AddConditionalKeys(KeyValues *data, KeyValues *conditions)
{
	for (KeyValues *section = data->GetFirstSubKey(); section; section = section->GetNextKey())
	{
		AddConditionalKeys(section, conditions);
		for (KeyValues *condition = conditions->GetFirstSubKey(); condition; condition = condition->GetNextKey())
		{
			KeyValues *block = section->FindKey(condition->GetName());
			if (!block)
				continue;
			for (KeyValues *value = block->GetFirstSubKey(); value; value = value->GetNextKey())
			{
				if (KeyValues *existing = section->FindKey(value->GetName()))
					existing->SetStringValue(value->GetString());
				else
					section->AddSubKey(value->MakeCopy());
			}
		}
	}
}
}

BuildGroup::BuildGroup(Panel *parentPanel, Panel *contextPanel)
{
	m_hBuildGroup = m_HandleTable.AddHandle();
	m_HandleTable.SetHandle(m_hBuildGroup, this);
	_enabled = false;
	m_iSnapX = 1;
	m_iSnapY = 1;
	_cursor_sizenwse = 8;
	_cursor_sizenesw = 9;
	_cursor_sizewe = 10;
	_cursor_sizens = 11;
	_cursor_sizeall = 12;
	_dragging = false;
	_dragMouseCode = BUTTON_CODE_INVALID;
	_dragStartPanelPos[0] = _dragStartPanelPos[1] = 0;
	_dragStartCursorPos[0] = _dragStartCursorPos[1] = 0;
	_dragStartPanelSize[0] = _dragStartPanelSize[1] = 0;
	_currentPanel = nullptr;
	m_pResourceName = nullptr;
	m_pResourcePathID = nullptr;
	m_pBuildContext = nullptr;
	m_pParentPanel = parentPanel;
	_showRulers = false;
	SetContextPanel(contextPanel);
}

BuildGroup::~BuildGroup()
{
	delete _buildDialog.Get();
	for (PHandle &ruler : _rulerNumber)
		delete ruler.Get();
	delete[] m_pResourceName;
	delete[] m_pResourcePathID;
	m_HandleTable.RemoveHandle(m_hBuildGroup);
}

void BuildGroup::SetEnabled(bool state)
{
	if (_enabled == state)
		return;
	_enabled = state;
	_currentPanel = nullptr;
	if (state)
	{
		ActivateBuildDialog();
	}
	else
	{
		if (Panel *dialog = _buildDialog.Get())
			dialog->OnCommand("Close");
		if (m_pParentPanel)
			m_pParentPanel->RequestFocus(0);
	}
}

bool BuildGroup::IsEnabled() { return _enabled; }
Panel *BuildGroup::GetCurrentPanel() { return _currentPanel; }
void BuildGroup::SetContextPanel(Panel *contextPanel) { m_pBuildContext = contextPanel; }
Panel *BuildGroup::GetContextPanel() { return m_pBuildContext; }
CUtlVector<PHandle> *BuildGroup::GetControlGroup() { return &_controlGroup; }
bool BuildGroup::HasRulersOn() { return _showRulers; }

void BuildGroup::PostToDialog(KeyValues *message)
{
	Panel *dialog = _buildDialog.Get();
	if (!dialog)
	{
		message->deleteThis();
		return;
	}
	ivgui()->PostMessage(dialog->GetVPanel(), message, 0);
}

void BuildGroup::PruneMembers()
{
	for (int i = _panelDar.Count() - 1; i >= 0; --i)
	{
		if (!_panelDar[i].Get())
			_panelDar.Remove(i);
	}
}

// Layout files.

void BuildGroup::RegisterControlSettingsFile(const char *controlResourceName, const char *)
{
	if (!controlResourceName)
		return;
	CUtlSymbol symbol(controlResourceName);
	if (m_RegisteredControlSettingsFiles.Find(symbol) == m_RegisteredControlSettingsFiles.InvalidIndex())
		m_RegisteredControlSettingsFiles.AddToTail(symbol);
}

int BuildGroup::GetRegisteredControlSettingsFileCount() { return m_RegisteredControlSettingsFiles.Count(); }

const char *BuildGroup::GetRegisteredControlSettingsFileByIndex(int index)
{
	if (index < 0 || index >= m_RegisteredControlSettingsFiles.Count())
		return nullptr;
	return m_RegisteredControlSettingsFiles[index].String();
}

void BuildGroup::LoadControlSettings(const char *controlResourceName, const char *pathID,
                                     KeyValues *preloadedKeyValues, KeyValues *conditions)
{
	if (!controlResourceName)
		return;
	RegisterControlSettingsFile(controlResourceName, pathID);

	KeyValues *data = preloadedKeyValues;
	if (!data)
	{
		data = new KeyValues(controlResourceName);
		bool loaded = false;
		if (g_pFullFileSystem)
		{
			if (pathID)
				loaded = data->LoadFromFile(g_pFullFileSystem, controlResourceName, pathID);
			else
				loaded = data->LoadFromFile(g_pFullFileSystem, controlResourceName, "SKIN") ||
				         data->LoadFromFile(g_pFullFileSystem, controlResourceName, nullptr);
		}
		if (loaded)
		{
			ConVarRef minmode("cl_hud_minmode", true);
			if (minmode.IsValid() && minmode.GetInt() != 0)
				data->ProcessResolutionKeys("_minmode");
			if (conditions && conditions->GetFirstSubKey())
				AddConditionalKeys(data, conditions);
		}
	}

	// The name may be the stored copy itself (a reload): copy before freeing.
	char *name = CopyText(controlResourceName);
	delete[] m_pResourceName;
	m_pResourceName = name;
	if (pathID)
	{
		char *path = CopyText(pathID);
		delete[] m_pResourcePathID;
		m_pResourcePathID = path;
	}

	DeleteAllControlsCreatedByControlSettingsFile();
	ApplySettings(data);

	if (m_pParentPanel)
	{
		m_pParentPanel->InvalidateLayout(false, false);
		m_pParentPanel->Repaint();
	}
	if (data != preloadedKeyValues)
		data->deleteThis();
}

void BuildGroup::ApplySettings(KeyValues *resourceData)
{
	if (!resourceData)
		return;
	for (KeyValues *section = resourceData->GetFirstSubKey(); section; section = section->GetNextKey())
	{
		if (!section->GetFirstSubKey())
			continue;
		bool found = false;
		for (int i = 0; i < _panelDar.Count(); ++i)
		{
			Panel *panel = _panelDar[i].Get();
			if (!panel)
			{
				_panelDar.Remove(i--);
				continue;
			}
			if (V_stricmp(panel->GetName(), section->GetName()) == 0)
			{
				panel->ApplySettings(section);
				found = true;
				break;
			}
		}
		if (!found)
			NewControl(section, 0, 0);
	}
}

void BuildGroup::GetSettings(KeyValues *resourceData)
{
	for (int i = 0; i < _panelDar.Count(); ++i)
	{
		Panel *panel = _panelDar[i].Get();
		if (!panel)
			continue;
		if (_showRulers)
		{
			bool isRuler = false;
			for (PHandle &ruler : _rulerNumber)
				isRuler = isRuler || ruler.Get() == panel;
			if (isRuler)
				continue;
		}
		const char *name = panel->GetName();
		if (!name || !*name || V_stricmp(name, "BuildDialog") == 0)
			continue;
		panel->GetSettings(resourceData->FindKey(name, true));
	}
}

bool BuildGroup::SaveControlSettings()
{
	if (!m_pResourceName)
		return false;
	KeyValues *data = new KeyValues(m_pResourceName);
	GetSettings(data);
	// Written back through the file system under the loaded name and path id: the file system
	// resolves the name to the file on disk (it takes no absolute paths).
	bool saved = false;
	if (g_pFullFileSystem)
	{
		char fullPath[512];
		saved = g_pFullFileSystem->RelativePathToFullPath(m_pResourceName, m_pResourcePathID, fullPath,
		                                                  sizeof(fullPath)) &&
		        data->SaveToFile(g_pFullFileSystem, m_pResourceName, m_pResourcePathID);
	}
	if (!saved)
		Warning("BuildMode - Error saving file: Error: Could not save changes.  File is most likely read only.\n");
	data->deleteThis();
	return saved;
}

void BuildGroup::RemoveSettings()
{
	for (int i = _controlGroup.Count() - 1; i >= 0; --i)
	{
		Panel *panel = _controlGroup[i].Get();
		if (panel && panel->IsBuildModeDeletable())
		{
			delete panel;
			_controlGroup.Remove(i);
		}
	}
	PruneMembers();
	_currentPanel = m_pBuildContext;
	if (m_pBuildContext)
	{
		m_pBuildContext->InvalidateLayout();
		m_pBuildContext->Repaint();
	}
}

void BuildGroup::DeleteAllControlsCreatedByControlSettingsFile()
{
	for (int i = 1; i < _panelDar.Count();)
	{
		Panel *panel = _panelDar[i].Get();
		if (!panel)
		{
			_panelDar.Remove(i);
			continue;
		}
		if (panel->IsBuildModeDeletable())
		{
			// Out of the list first: deleting may re-enter the group.
			_panelDar.Remove(i);
			delete panel;
			continue;
		}
		++i;
	}
	_currentPanel = m_pBuildContext;
	if (m_pBuildContext)
	{
		m_pBuildContext->InvalidateLayout();
		m_pBuildContext->Repaint();
	}
}

void BuildGroup::LoadThroughParent(const char *name, const char *pathID)
{
	if (auto *editable = dynamic_cast<EditablePanel *>(m_pParentPanel))
		editable->LoadControlSettings(name, pathID);
	else
		LoadControlSettings(name, pathID);
}

void BuildGroup::ReloadControlSettings()
{
	if (Panel *dialog = _buildDialog.Get())
		dialog->MarkForDeletion();
	_buildDialog = nullptr;

	for (int i = 1; i < _panelDar.Count();)
	{
		Panel *panel = _panelDar[i].Get();
		if (!panel || panel->IsBuildModeDeletable())
		{
			_panelDar.Remove(i);
			delete panel;
			continue;
		}
		++i;
	}

	if (m_pResourceName)
	{
		// The stored copies are replaced while loading.
		char *name = CopyText(m_pResourceName);
		char *path = m_pResourcePathID ? CopyText(m_pResourcePathID) : nullptr;
		LoadThroughParent(name, path);
		delete[] name;
		delete[] path;
	}
	_currentPanel = nullptr;
	ActivateBuildDialog();
}

void BuildGroup::ChangeControlSettingsFile(const char *controlResourceName)
{
	_currentPanel = nullptr;
	_currentPanel = m_pParentPanel;
	char *path = m_pResourcePathID ? CopyText(m_pResourcePathID) : nullptr;
	LoadThroughParent(controlResourceName, path);
	delete[] path;
	KeyValues *message = new KeyValues("SetActiveControl");
	message->SetPtr("PanelPtr", _currentPanel);
	PostToDialog(message);
}

KeyValues *BuildGroup::GetDialogVariables()
{
	auto *editable = dynamic_cast<EditablePanel *>(m_pParentPanel);
	return editable ? editable->GetDialogVariables() : nullptr;
}

void BuildGroup::PanelAdded(Panel *panel)
{
	if (!panel)
		return;
	// Dead entries go on the way: a long-lived dialog (the menu's root) sees panels come and go
	// all the time, and the list would otherwise grow, and this scan slow down, without end.
	for (int i = 0; i < _panelDar.Count();)
	{
		Panel *member = _panelDar[i].Get();
		if (member == panel)
			return;
		if (!member)
		{
			_panelDar.Remove(i);
			continue;
		}
		++i;
	}
	PHandle handle;
	handle = panel;
	_panelDar.AddToTail(handle);
}

// Creating controls.

Panel *BuildGroup::NewControl(KeyValues *controlKeys, int x, int y)
{
	if (!controlKeys || !m_pBuildContext)
		return nullptr;
	KeyValues *request = new KeyValues("ControlFactory", "ControlName", controlKeys->GetString("ControlName"));
	Panel *panel = nullptr;
	if (m_pBuildContext->RequestInfo(request))
		panel = static_cast<Panel *>(request->GetPtr("PanelPtr"));
	request->deleteThis();
	if (!panel)
		return nullptr;

	panel->SetParent(m_pParentPanel);
	panel->SetBuildGroup(this);
	panel->SetPos(x, y);
	panel->SetName(controlKeys->GetName());
	panel->ApplySettings(controlKeys);
	panel->AddActionSignalTarget(m_pParentPanel);
	panel->SetBuildModeEditable(true);
	panel->SetBuildModeDeletable(true);
	panel->SetAutoDelete(true);
	return panel;
}

Panel *BuildGroup::NewControl(const char *name, int x, int y)
{
	auto *editable = dynamic_cast<EditablePanel *>(m_pParentPanel);
	if (!name || !editable)
		return nullptr;
	Panel *panel = editable->CreateControlByName(name);
	if (!panel)
		return nullptr;
	panel->SetParent(m_pParentPanel);
	panel->SetBuildGroup(this);
	panel->SetPos(x, y);
	char fieldName[255];
	GetNewFieldName(fieldName, sizeof(fieldName), panel);
	panel->SetName(fieldName);
	panel->AddActionSignalTarget(m_pParentPanel);
	panel->SetBuildModeEditable(true);
	panel->SetBuildModeDeletable(true);
	panel->SetAutoDelete(true);
	return panel;
}

void BuildGroup::GetNewFieldName(char *newFieldName, int newFieldNameSize, Panel *newPanel)
{
	if (!newFieldName || newFieldNameSize <= 0)
		return;
	char className[25];
	V_strncpy(className, newPanel && newPanel->GetClassName() ? newPanel->GetClassName() : "", sizeof(className));
	for (int number = 1;; ++number)
	{
		snprintf(newFieldName, static_cast<size_t>(newFieldNameSize), "%s%d", className, number);
		if (!FieldNameTaken(newFieldName))
			return;
	}
}

Panel *BuildGroup::FieldNameTaken(const char *fieldName)
{
	for (int i = 0; i < _panelDar.Count(); ++i)
	{
		Panel *panel = _panelDar[i].Get();
		if (panel && panel->GetName() && V_stricmp(panel->GetName(), fieldName) == 0)
			return panel;
	}
	return nullptr;
}

void BuildGroup::ApplySnap(Panel *panel)
{
	int x, y, wide, tall;
	panel->GetBounds(x, y, wide, tall);
	x -= Remainder(x, m_iSnapX);
	y -= Remainder(y, m_iSnapY);
	panel->SetPos(x, y);
	wide -= Remainder(x + wide, m_iSnapX);
	tall -= Remainder(y + tall, m_iSnapY);
	panel->SetSize(wide, tall);
}

// Build mode.

Panel *BuildGroup::CreateBuildDialog()
{
	if (!m_pBuildContext)
		return nullptr;
	KeyValues *request = new KeyValues("BuildDialog");
	request->SetPtr("BuildGroupPtr", this);
	Panel *dialog = nullptr;
	if (m_pBuildContext->RequestInfo(request))
	{
		dialog = static_cast<Panel *>(request->GetPtr("PanelPtr"));
		if (dialog)
			input()->ReleaseAppModalSurface();
	}
	request->deleteThis();
	return dialog;
}

void BuildGroup::ActivateBuildDialog()
{
	if (!_buildDialog.Get())
		_buildDialog = CreateBuildDialog();
	Panel *dialog = _buildDialog.Get();
	if (!dialog)
		return;
	dialog->SetVisible(true);
	_currentPanel = m_pParentPanel;
	KeyValues *message = new KeyValues("SetActiveControl");
	message->SetPtr("PanelPtr", _currentPanel);
	PostToDialog(message);
}

BuildGroup *BuildGroup::ForwardTarget(Panel *panel)
{
	Panel *parent = panel ? panel->GetParent() : nullptr;
	auto *editable = dynamic_cast<EditablePanel *>(parent);
	if (!editable)
		return nullptr;
	BuildGroup *group = editable->GetBuildGroup();
	return group != this ? group : nullptr;
}

bool BuildGroup::MousePressed(ButtonCode_t code, Panel *panel)
{
	if (!_buildDialog.Get())
	{
		if (BuildGroup *target = ForwardTarget(panel))
			target->MousePressed(code, panel);
		return false;
	}
	if (panel == _buildDialog.Get())
	{
		PostToDialog(new KeyValues("HideNewControlMenu"));
		return true;
	}
	if (!panel->GetName() || !*panel->GetName())
		return true;
	if (!ShiftDown())
		_controlGroup.RemoveAll();
	if (code == MOUSE_RIGHT && panel == m_pBuildContext)
	{
		PostToDialog(new KeyValues("ShowNewControlMenu"));
		return true;
	}
	if (_showRulers)
	{
		for (PHandle &ruler : _rulerNumber)
		{
			if (ruler.Get() == panel)
				return true;
		}
	}

	_dragging = true;
	_dragMouseCode = code;
	PostToDialog(new KeyValues("HideNewControlMenu"));
	input()->GetCursorPos(_dragStartCursorPos[0], _dragStartCursorPos[1]);
	input()->SetMouseCapture(panel->GetVPanel());
	_groupDeltaX.RemoveAll();
	_groupDeltaY.RemoveAll();
	bool selected = false;
	for (int i = 0; i < _controlGroup.Count(); ++i)
		selected = selected || _controlGroup[i].Get() == panel;
	if (!selected)
	{
		PHandle handle;
		handle = panel;
		_controlGroup.AddToTail(handle);
	}
	panel->GetPos(_dragStartPanelPos[0], _dragStartPanelPos[1]);
	panel->GetSize(_dragStartPanelSize[0], _dragStartPanelSize[1]);
	for (int i = 0; i < _controlGroup.Count(); ++i)
	{
		int x = 0, y = 0;
		if (Panel *member = _controlGroup[i].Get())
			member->GetPos(x, y);
		_groupDeltaX.AddToTail(x - _dragStartPanelPos[0]);
		_groupDeltaY.AddToTail(y - _dragStartPanelPos[1]);
	}
	if (_currentPanel != panel)
	{
		_currentPanel = panel;
		KeyValues *message = new KeyValues("SetActiveControl");
		message->SetPtr("PanelPtr", panel);
		PostToDialog(message);
	}
	PostToDialog(new KeyValues("StoreUndo"));
	panel->RequestFocus(0);
	return true;
}

bool BuildGroup::MouseDoublePressed(ButtonCode_t code, Panel *panel) { return MousePressed(code, panel); }

bool BuildGroup::MouseReleased(ButtonCode_t code, Panel *panel)
{
	if (!_buildDialog.Get())
	{
		if (BuildGroup *target = ForwardTarget(panel))
			target->MouseReleased(code, panel);
		return false;
	}
	_dragging = false;
	input()->SetMouseCapture(0);
	return true;
}

bool BuildGroup::CursorMoved(int x, int y, Panel *panel)
{
	if (!_buildDialog.Get())
	{
		if (BuildGroup *target = ForwardTarget(panel))
			target->CursorMoved(x, y, panel);
		return false;
	}
	if (!_dragging)
		return false;
	input()->GetCursorPos(x, y);
	if (_dragMouseCode == MOUSE_RIGHT)
	{
		int wide = x + _dragStartPanelSize[0] - _dragStartCursorPos[0];
		int tall = y + _dragStartPanelSize[1] - _dragStartCursorPos[1];
		if (ShiftDown())
			wide = _dragStartPanelSize[0];
		if (ControlDown())
			tall = _dragStartPanelSize[1];
		panel->SetSize(wide < 1 ? 1 : wide, tall < 1 ? 1 : tall);
		ApplySnap(panel);
	}
	else
	{
		for (int i = 0; i < _controlGroup.Count() && i < _groupDeltaX.Count(); ++i)
		{
			Panel *member = _controlGroup[i].Get();
			if (!member)
				continue;
			member->SetPos(x + _groupDeltaX[i] + _dragStartPanelPos[0] - _dragStartCursorPos[0],
			               y + _groupDeltaY[i] + _dragStartPanelPos[1] - _dragStartCursorPos[1]);
			ApplySnap(member);
		}
	}
	KeyValues *update = new KeyValues("UpdateControlData");
	update->SetPtr("panel", _currentPanel);
	PostToDialog(update);
	PostToDialog(new KeyValues("EnableSaveButton"));
	panel->Repaint();
	panel->CallParentFunction(new KeyValues("Repaint"));
	return true;
}

bool BuildGroup::KeyCodeTyped(ButtonCode_t code, Panel *panel)
{
	if (!_buildDialog.Get())
	{
		if (BuildGroup *target = ForwardTarget(panel))
			target->KeyCodeTyped(code, panel);
		return false;
	}
	bool shift = ShiftDown(), ctrl = ControlDown(), alt = AltDown();
	if (ctrl && shift && alt && code == KEY_B)
	{
		if (auto *editable = dynamic_cast<EditablePanel *>(panel))
			editable->ActivateBuildMode();
		return true;
	}
	int dx = 0, dy = 0;
	switch (code)
	{
	case KEY_UP: dy = -m_iSnapY; break;
	case KEY_LEFT: dx = -m_iSnapX; break;
	case KEY_DOWN: dy = m_iSnapY; break;
	case KEY_RIGHT: dx = m_iSnapX; break;
	case KEY_DELETE: PostToDialog(new KeyValues("DeletePanel")); break;
	case KEY_C:
		if (ctrl)
			PostToDialog(new KeyValues("Copy"));
		break;
	case KEY_V:
		if (ctrl)
			PostToDialog(new KeyValues("Paste"));
		break;
	case KEY_Z:
		if (ctrl)
			PostToDialog(new KeyValues("Undo"));
		break;
	default: break;
	}
	if (dx || dy)
	{
		int x, y, wide, tall;
		panel->GetBounds(x, y, wide, tall);
		if (shift)
			panel->SetSize(wide + dx, tall + dy);
		else
			panel->SetPos(x + dx, y + dy);
		ApplySnap(panel);
		panel->Repaint();
		if (panel->GetVParent())
			ivgui()->PostMessage(panel->GetVParent(), new KeyValues("Repaint"), 0);
		KeyValues *message = new KeyValues("SetActiveControl");
		message->SetPtr("PanelPtr", panel);
		PostToDialog(message);
		PostToDialog(new KeyValues("PanelMoved"));
	}
	if (_dragging && panel != m_pBuildContext)
	{
		int x, y;
		input()->GetCursorPos(x, y);
		CursorMoved(x, y, panel);
	}
	return true;
}

bool BuildGroup::KeyCodeReleased(ButtonCode_t code, Panel *panel)
{
	if (!_buildDialog.Get())
	{
		if (BuildGroup *target = ForwardTarget(panel))
			target->KeyCodeReleased(code, panel);
		return false;
	}
	if (_dragging && panel != m_pBuildContext)
	{
		int x, y;
		input()->GetCursorPos(x, y);
		CursorMoved(x, y, panel);
	}
	return true;
}

bool BuildGroup::KeyTyped(wchar_t unichar, Panel *panel)
{
	if (!_buildDialog.Get())
	{
		if (BuildGroup *target = ForwardTarget(panel))
			target->KeyTyped(unichar, panel);
		return false;
	}
	return true;
}

HCursor BuildGroup::GetCursor(Panel *panel)
{
	int x, y;
	input()->GetCursorPos(x, y);
	panel->ScreenToLocal(x, y);
	if (x > 1)
		return _cursor_sizeall;
	if (y <= 3)
		return _cursor_sizenwse;
	if (y >= panel->GetTall() - 4)
		return _cursor_sizenesw;
	return _cursor_sizewe;
}

// Rulers.

void BuildGroup::ToggleRulerDisplay()
{
	_showRulers = !_showRulers;
	if (!_rulerNumber[0].Get() && m_pBuildContext)
	{
		for (PHandle &ruler : _rulerNumber)
			ruler = new Label(m_pBuildContext, nullptr, "");
	}
	SetRulerLabelsVisible(_showRulers);
	if (m_pBuildContext)
		m_pBuildContext->Repaint();
}

void BuildGroup::SetRulerLabelsVisible(bool state)
{
	for (PHandle &ruler : _rulerNumber)
	{
		if (Panel *label = ruler.Get())
			label->SetVisible(state);
	}
}

void BuildGroup::ApplySchemeSettings(IScheme *) { DrawRulers(); }

void BuildGroup::DrawRulers()
{
	if (!_showRulers || !m_pBuildContext || !_rulerNumber[0].Get())
		return;
	if (!_currentPanel || _currentPanel == m_pBuildContext)
	{
		SetRulerLabelsVisible(false);
		return;
	}
	SetRulerLabelsVisible(true);
	int x, y, wide, tall;
	_currentPanel->GetBounds(x, y, wide, tall);
	int contextWide, contextTall;
	m_pBuildContext->GetSize(contextWide, contextTall);

	surface()->PushMakeCurrent(m_pBuildContext->GetVPanel(), false);
	surface()->DrawSetColor(255, 255, 255, 255);
	int top = y, bottom = y + tall - 1, left = x, right = x + wide - 1;
	surface()->DrawFilledRect(0, top, left, top + 1);
	surface()->DrawFilledRect(right + 1, top, contextWide, top + 1);
	surface()->DrawFilledRect(0, bottom, left, bottom + 1);
	surface()->DrawFilledRect(right + 1, bottom, contextWide, bottom + 1);
	surface()->DrawFilledRect(left, 0, left + 1, top);
	surface()->DrawFilledRect(left, bottom + 1, left + 1, contextTall);
	surface()->DrawFilledRect(right, 0, right + 1, top);
	surface()->DrawFilledRect(right, bottom + 1, right + 1, contextTall);
	surface()->PopMakeCurrent(m_pBuildContext->GetVPanel());

	// Left: the control's x; top: its y; right and bottom: the distance to the context's edge.
	const int values[4] = { x, y, contextWide - (x + wide), contextTall - (y + tall) };
	for (int i = 0; i < 4; ++i)
	{
		char text[20];
		snprintf(text, sizeof(text), "%d", values[i]);
		auto *ruler = dynamic_cast<Label *>(_rulerNumber[i].Get());
		if (!ruler)
			continue;
		ruler->SetText(text);
		ruler->SizeToContents();
		Panel *label = ruler;
		int lw = label->GetWide(), lt = label->GetTall();
		switch (i)
		{
		case 0: label->SetPos(x / 2 - lw / 2, top - lt); break;
		case 1: label->SetPos(left - lw, y / 2 - lt / 2); break;
		case 2: label->SetPos(right + 1 + (contextWide - right - 1) / 2 - lw / 2, bottom + 1); break;
		default: label->SetPos(right + 1, bottom + 1 + (contextTall - bottom - 1) / 2 - lt / 2); break;
		}
	}
}
}
