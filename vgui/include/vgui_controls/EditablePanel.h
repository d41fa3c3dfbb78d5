// vgui::EditablePanel: the base of dialog-like panels. It owns a build group that loads its
// children from layout files, a focus navigation group (tab order, default button) and the
// dialog variables its child labels substitute into their text.
#pragma once

#include "vgui_controls/BuildGroup.h"
#include "vgui_controls/FocusNavGroup.h"
#include "vgui_controls/KeyBindingMap.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class EditablePanel : public Panel
{
	DECLARE_CLASS_SIMPLE(EditablePanel, Panel);
	DECLARE_KEYBINDINGMAP(EditablePanel);

public:
	EditablePanel(Panel *parent, const char *panelName);
	~EditablePanel() override;

	// Loads a layout file (or the given settings) through the build group, then refreshes the
	// children's dialog variables and the layout.
	virtual void LoadControlSettings(const char *dialogResourceName, const char *pathID = nullptr,
	                                 KeyValues *preloadedKeyValues = nullptr, KeyValues *conditions = nullptr);
	virtual void LoadUserConfig(const char *configName, int dialogID = 0);
	virtual void SaveUserConfig();
	virtual void LoadControlSettingsAndUserConfig(const char *dialogResourceName, int dialogID = 0);
	virtual void ActivateBuildMode();
	virtual BuildGroup *GetBuildGroup();
	// A new control of the registered class, or null.
	virtual Panel *CreateControlByName(const char *controlName);
	virtual void SetControlString(const char *controlName, const char *string);
	virtual void SetControlString(const char *controlName, const wchar_t *string);
	virtual void SetControlInt(const char *controlName, int state);
	virtual int GetControlInt(const char *controlName, int defaultState);
	// The child's text in one buffer shared by every editable panel (at most 510 characters).
	virtual const char *GetControlString(const char *controlName, const char *defaultString = "");
	virtual void GetControlString(const char *controlName, char *buf, int bufSize, const char *defaultString = "");
	virtual void SetControlEnabled(const char *controlName, bool enabled);
	virtual void SetControlVisible(const char *controlName, bool visible);
	virtual void SetDialogVariable(const char *varName, const char *value);
	virtual void SetDialogVariable(const char *varName, const wchar_t *value);
	virtual void SetDialogVariable(const char *varName, int value);
	virtual void SetDialogVariable(const char *varName, float value);
	virtual void RegisterControlSettingsFile(const char *dialogResourceName, const char *pathID = nullptr);
	virtual FocusNavGroup &GetFocusNavGroup();

	MESSAGE_FUNC_HANDLE(OnDefaultButtonSet, "DefaultButtonSet", button);
	MESSAGE_FUNC_HANDLE(OnCurrentDefaultButtonSet, "CurrentDefaultButtonSet", button);
	MESSAGE_FUNC(OnFindDefaultButton, "FindDefaultButton");
	virtual void OnClose();

	// Panel's operations.
	void OnChildAdded(VPANEL child) override;
	void OnSizeChanged(int wide, int tall) override;
	bool RequestInfo(KeyValues *data) override;
	void RequestFocus(int direction = 0) override;
	bool RequestFocusPrev(VPANEL panel = 0) override;
	bool RequestFocusNext(VPANEL panel = 0) override;
	VPANEL GetCurrentKeyFocus() override;
	Panel *HasHotkey(wchar_t key) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void ApplyUserConfigSettings(KeyValues *userConfig) override;
	void GetUserConfigSettings(KeyValues *userConfig) override;
	void OnSetFocus() override;
	void OnKeyCodePressed(ButtonCode_t code) override;
	void PaintBackground() override;
	void OnRequestFocus(VPANEL subFocus, VPANEL defaultPanel) override;

	// The "DialogVariables" record, created empty on first use.
	KeyValues *GetDialogVariables();

protected:
	// Sends the dialog variables to this panel and each direct child.
	void ForceSubPanelsToUpdateWithNewDialogVariables();

private:
	BuildGroup *_buildGroup;
	FocusNavGroup m_NavGroup;
	KeyValues *m_pDialogVariables;
	char *m_pszConfigName;
	int m_iConfigID;
};
}
