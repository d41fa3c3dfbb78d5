// The engine's internal input interface, through which the "gui" library reads the cursor and
// injects input events; set by the menu host's start-up, null before it.
#pragma once

namespace vgui
{
class IInputInternal;
}

extern vgui::IInputInternal *g_InputInternal;
