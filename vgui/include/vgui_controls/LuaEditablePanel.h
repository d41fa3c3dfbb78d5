// vgui::LuaEditablePanel: the editable panel that menu scripts create. It is editable in build
// mode and can be made the app-modal panel, giving the modal state back when it goes away.
#pragma once

#include "vgui_controls/EditablePanel.h"
#include "vgui_controls/PHandle.h"

namespace vgui
{
class LuaEditablePanel : public EditablePanel
{
	DECLARE_CLASS_SIMPLE(LuaEditablePanel, EditablePanel);

public:
	LuaEditablePanel(Panel *parent, const char *panelName);
	~LuaEditablePanel() override;

	void OnChildAdded(VPANEL child) override;
	void MarkForDeletion() override;
	// Remembers the current app-modal panel, then makes this panel app-modal. The panel is not
	// moved, shown or focused.
	void DoModal() override;

private:
	// Gives up the app-modal state if this panel holds it and restores the previous holder.
	void ReleaseModal();

	VPanelHandle m_hPreviousModal;
};
}
