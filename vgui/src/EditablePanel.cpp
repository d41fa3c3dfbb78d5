// vgui::EditablePanel: construction only so far (build group, layout files and focus
// navigation are not attached yet).
#include "vgui_controls/EditablePanel.h"

namespace vgui
{
EditablePanel::EditablePanel(Panel *parent, const char *panelName) : Panel(parent, panelName) {}

EditablePanel::~EditablePanel() = default;
}
