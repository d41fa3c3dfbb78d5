// The Lua class "Panel": how vgui panels cross into the menu Lua state and back.
#pragma once

class CLuaClass;

namespace vgui
{
class Panel;
}

// The class record of "Panel" (type id 22).
extern CLuaClass LC_Panel;

// Pushes the panel's userdata (made on first use), or nil for a null panel.
void Push_Panel(vgui::Panel *panel);
// The panel held by the Panel value at the stack index: null for a dead panel; a value of
// another type raises the argument type error.
vgui::Panel *Get_Panel(int index);

// The menu's root panel, parent of everything scripts make; null before the menu exists.
vgui::Panel *GetZorvBasePanel();
