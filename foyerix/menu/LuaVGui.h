// The control factory behind the Lua function vgui.Create: a class name given by a script
// turned into a new, unparented vgui control.
#pragma once

namespace vgui
{
class Panel;
}

// A new control of the class the name stands for (compared without regard to case), with no
// parent; null for a name it does not make.
vgui::Panel *CreateVGUIControlByName(const char *className);
