// vgui::BuildGroup: creates, names, places and configures an editable panel's children from a
// ".res" layout file, writes the layout back, and hosts the interactive build mode.
#pragma once

#include "tier1/utlhandletable.h"
#include "tier1/utlsymbol.h"
#include "tier1/utlvector.h"
#include "vgui/VGUI.h"
#include "inputsystem/ButtonCode.h"
#include "vgui_controls/PHandle.h"

class KeyValues;

namespace vgui
{
class Panel;
class Label;
class IScheme;

class BuildGroup
{
public:
	BuildGroup(Panel *parentPanel, Panel *contextPanel);
	virtual ~BuildGroup();

	BuildGroup(const BuildGroup &) = delete;
	BuildGroup &operator=(const BuildGroup &) = delete;

	// Build mode on or off; switching on opens the build dialog.
	virtual void SetEnabled(bool state);
	virtual bool IsEnabled();
	virtual Panel *GetCurrentPanel();
	// Loads the layout (from the file, or the given data) and rebuilds the deletable controls.
	virtual void LoadControlSettings(const char *controlResourceName, const char *pathID = nullptr,
	                                 KeyValues *preloadedKeyValues = nullptr, KeyValues *conditions = nullptr);
	// Writes every member's settings to the loaded resource file; false when it could not.
	virtual bool SaveControlSettings();
	// Configures the members named by the root sections, creating the missing ones.
	virtual void ApplySettings(KeyValues *resourceData);
	virtual void GetSettings(KeyValues *resourceData);
	// Deletes the selected, deletable controls.
	virtual void RemoveSettings();
	virtual void SetContextPanel(Panel *contextPanel);
	virtual Panel *GetContextPanel();
	virtual const char *GetResourceName() { return m_pResourceName; }
	// Adds the panel to the member list (once).
	virtual void PanelAdded(Panel *panel);
	virtual bool MousePressed(ButtonCode_t code, Panel *panel);
	virtual bool MouseReleased(ButtonCode_t code, Panel *panel);
	virtual CUtlVector<PHandle> *GetControlGroup();
	virtual void ToggleRulerDisplay();
	virtual void SetRulerLabelsVisible(bool state);
	virtual bool HasRulersOn();
	virtual void DrawRulers();
	virtual bool CursorMoved(int x, int y, Panel *panel);
	virtual bool MouseDoublePressed(ButtonCode_t code, Panel *panel);
	virtual bool KeyCodeTyped(ButtonCode_t code, Panel *panel);
	virtual bool KeyCodeReleased(ButtonCode_t code, Panel *panel);
	virtual void ApplySchemeSettings(IScheme *scheme);
	virtual bool KeyTyped(wchar_t unichar, Panel *panel);
	// The build-mode cursor for a position inside the panel.
	virtual HCursor GetCursor(Panel *panel);

	void RegisterControlSettingsFile(const char *controlResourceName, const char *pathID = nullptr);
	int GetRegisteredControlSettingsFileCount();
	const char *GetRegisteredControlSettingsFileByIndex(int index);
	// Deletes every deletable member but the owner (member 0).
	void DeleteAllControlsCreatedByControlSettingsFile();
	void ReloadControlSettings();
	void ChangeControlSettingsFile(const char *controlResourceName);
	KeyValues *GetDialogVariables();
	// Creates a control from a layout section (its "ControlName" names the class).
	Panel *NewControl(KeyValues *controlKeys, int x = 0, int y = 0);
	// Creates a control of the class with a fresh name and no settings.
	Panel *NewControl(const char *name, int x = 0, int y = 0);
	// The class name (up to 24 characters) followed by the first free number.
	void GetNewFieldName(char *newFieldName, int newFieldNameSize, Panel *newPanel);
	Panel *FieldNameTaken(const char *fieldName);
	// Moves and sizes the panel onto the snap grid.
	void ApplySnap(Panel *panel);
	void SetSnap(int x, int y)
	{
		m_iSnapX = x > 0 ? x : 1;
		m_iSnapY = y > 0 ? y : 1;
	}
	void ActivateBuildDialog();
	Panel *CreateBuildDialog();
	// Members in joining order (dead handles included until the next cleanup).
	CUtlVector<PHandle> &GetMembers() { return _panelDar; }

	// The group of a handle a panel keeps; null for a destroyed group.
	static BuildGroup *FromHandle(HPanel handle) { return m_HandleTable.GetHandle(handle); }
	HPanel GetHandle() const { return m_hBuildGroup; }

	static CUtlHandleTable<BuildGroup, 20> m_HandleTable;

private:
	// The build group of the nearest enclosing editable panel when it is another group.
	BuildGroup *ForwardTarget(Panel *panel);
	void PostToDialog(KeyValues *message);
	// Removes dead handles from the member list.
	void PruneMembers();
	// Loads the file through the parent when it is an editable panel, else through this group.
	void LoadThroughParent(const char *name, const char *pathID);

	HPanel m_hBuildGroup;
	bool _enabled;
	int m_iSnapX;
	int m_iSnapY;
	HCursor _cursor_sizenwse;
	HCursor _cursor_sizenesw;
	HCursor _cursor_sizewe;
	HCursor _cursor_sizens;
	HCursor _cursor_sizeall;
	bool _dragging;
	ButtonCode_t _dragMouseCode;
	int _dragStartPanelPos[2];
	int _dragStartCursorPos[2];
	int _dragStartPanelSize[2];
	Panel *_currentPanel;
	CUtlVector<PHandle> _panelDar;
	char *m_pResourceName;
	char *m_pResourcePathID;
	PHandle _buildDialog;
	Panel *m_pBuildContext;
	Panel *m_pParentPanel;
	CUtlVector<PHandle> _controlGroup;
	CUtlVector<int> _groupDeltaX;
	CUtlVector<int> _groupDeltaY;
	PHandle _rulerNumber[4];  // labels, by handle: they belong to the context panel
	bool _showRulers;
	CUtlVector<CUtlSymbol> m_RegisteredControlSettingsFiles;
};
}
