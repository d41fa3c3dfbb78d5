// vgui::EditablePanel: the base of dialog-like panels. For now it carries only what the menu's
// root panel needs of it: construction under a parent with a name.
#pragma once

#include "vgui_controls/Panel.h"

namespace vgui
{
class EditablePanel : public Panel
{
public:
	EditablePanel(Panel *parent, const char *panelName);
	~EditablePanel() override;
};
}
