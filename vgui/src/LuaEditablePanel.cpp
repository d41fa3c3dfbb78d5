// vgui::LuaEditablePanel: an editable panel for menu scripts that can be made app-modal and
// restores the previously modal panel when it is marked for deletion or destroyed.
#include "vgui_controls/LuaEditablePanel.h"

#include "vgui/IInput.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
LuaEditablePanel::LuaEditablePanel(Panel *parent, const char *panelName) : EditablePanel(parent, panelName)
{
	SetBuildModeEditable(true);
}

LuaEditablePanel::~LuaEditablePanel()
{
	ReleaseModal();
}

void LuaEditablePanel::OnChildAdded(VPANEL child)
{
	BaseClass::OnChildAdded(child);
}

void LuaEditablePanel::MarkForDeletion()
{
	ReleaseModal();
	BaseClass::MarkForDeletion();
}

void LuaEditablePanel::DoModal()
{
	if (!input())
		return;
	// Calling it again while modal keeps the panel to give the state back to: remembering this
	// panel itself would leave it modal after it is gone.
	VPANEL current = input()->GetAppModalSurface();
	if (current != GetVPanel())
		m_hPreviousModal = current;
	input()->SetAppModalSurface(GetVPanel());
}

void LuaEditablePanel::ReleaseModal()
{
	if (!input())
		return;
	if (input()->GetAppModalSurface() == GetVPanel())
	{
		input()->ReleaseAppModalSurface();
		// Only the panel that held the state hands it back; another panel's later modal state is
		// left alone.
		VPANEL previous = m_hPreviousModal.Get();
		if (previous && previous != GetVPanel())
			input()->SetAppModalSurface(previous);
	}
	m_hPreviousModal = 0;
}
}
