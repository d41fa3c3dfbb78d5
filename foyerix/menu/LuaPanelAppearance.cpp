// Lua Panel methods that show and hide a panel, set its colours and alpha, switch its painting
// options, paint it on demand, draw full-size rectangles from a Lua paint hook, and choose its
// mouse cursor.
#include <strings.h>

#include <algorithm>
#include <vector>

#include "lua/ILuaInterface.h"
#include "lua/LuaClass.h"
#include "menu/LuaPanel.h"
#include "menu/LuaPanelArgs.h"
#include "tier1/Color.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/PHandle.h"
#include "vgui_controls/Panel.h"

using LuaPanelArgs::Self;
using LuaPanelArgs::StrictArg;

namespace
{
Color ColorArgs(ILuaInterface *lua)
{
	return Color(LuaPanelArgs::Component(lua, 2), LuaPanelArgs::Component(lua, 3), LuaPanelArgs::Component(lua, 4),
	             LuaPanelArgs::Component(lua, 5));
}

// Cursor names as scripts write them, with the vgui cursor codes they stand for.
const struct
{
	const char *name;
	vgui::HCursor code;
} kCursors[] = {
	{ "arrow", vgui::dc_arrow },         { "beam", vgui::dc_ibeam },       { "hourglass", vgui::dc_hourglass },
	{ "waitarrow", vgui::dc_waitarrow }, { "crosshair", vgui::dc_crosshair }, { "up", vgui::dc_up },
	{ "sizenwse", vgui::dc_sizenwse },   { "sizenesw", vgui::dc_sizenesw }, { "sizewe", vgui::dc_sizewe },
	{ "sizens", vgui::dc_sizens },       { "sizeall", vgui::dc_sizeall },  { "no", vgui::dc_no },
	{ "hand", vgui::dc_hand },           { "blank", vgui::dc_blank },
};

// Panels whose manual paint is running: a paint hook that asks for its own panel (or an
// ancestor in the chain) again would recurse until the native stack runs out.
std::vector<vgui::Panel *> s_ManualPaints;

// Lifts the panel's painted-manually switch for one manual paint and sets it again afterwards,
// also when a Lua error unwinds through the paint, and only while the panel still exists.
class ManualPaint
{
public:
	explicit ManualPaint(vgui::Panel *panel) : m_Manual(panel->IsPaintedManually())
	{
		m_hPanel = panel;
		s_ManualPaints.push_back(panel);
		if (m_Manual)
			panel->SetPaintManually(false);
	}
	~ManualPaint()
	{
		s_ManualPaints.pop_back();
		if (m_Manual && m_hPanel.Get())
			m_hPanel->SetPaintManually(true);
	}
	ManualPaint(const ManualPaint &) = delete;
	ManualPaint &operator=(const ManualPaint &) = delete;

private:
	vgui::PHandle m_hPanel;
	bool m_Manual;
};

vgui::HCursor CursorByName(const char *name)
{
	for (const auto &cursor : kCursors)
		if (strcasecmp(cursor.name, name) == 0)
			return cursor.code;
	return vgui::dc_none;
}
}

// Methods in the class's row order.

LUA_CLASS_METHOD(Panel, IsVisible, LC_Panel)
{
	vgui::Panel *panel = Get_Panel(1);
	pLua->PushBool(panel && panel->IsVisible());
	return 1;
}

LUA_CLASS_METHOD(Panel, SetVisible, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetVisible(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetPaintFunction, LC_Panel)
{
	(void)pLua;
	return 0;
}

LUA_CLASS_METHOD(Panel, SetFGColor, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetFgColor(ColorArgs(pLua));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetBGColor, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetBgColor(ColorArgs(pLua));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetPaintedManually, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetPaintManually(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, PaintManual, LC_Panel)
{
	vgui::Panel *panel = Self();
	if (std::find(s_ManualPaints.begin(), s_ManualPaints.end(), panel) != s_ManualPaints.end())
		return 0;
	// The traversal skips a panel painted manually wherever it is reached from; this call is
	// how such a panel gets painted.
	{
		ManualPaint manual(panel);
		panel->PaintTraversePublic(true, true);
	}
	// Leave the surface set up for the menu's root panel again (there is none before the menu).
	vgui::Panel *root = GetZorvBasePanel();
	if (root && vgui::surface())
	{
		vgui::surface()->PushMakeCurrent(root->GetVPanel(), true);
		vgui::surface()->PopMakeCurrent(root->GetVPanel());
	}
	return 0;
}

LUA_CLASS_METHOD(Panel, PaintAt, LC_Panel)
{
	vgui::Panel *panel = Self();
	int x = StrictArg(pLua, 2), y = StrictArg(pLua, 3);
	panel->PaintAt(x, y);
	return 0;
}

LUA_CLASS_METHOD(Panel, SetPaintBorderEnabled, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetPaintBorderEnabled(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetPaintBackgroundEnabled, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetPaintBackgroundEnabled(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetCursor, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetCursor(CursorByName(pLua->CheckString(2)));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetRenderInScreenshots, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetRenderInScreenshots(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetAlpha, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetAlpha(StrictArg(pLua, 2));
	return 0;
}

LUA_CLASS_METHOD(Panel, GetAlpha, LC_Panel)
{
	pLua->PushNumber(Self()->GetAlpha());
	return 1;
}

LUA_CLASS_METHOD(Panel, SetDrawOnTop, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetDrawOverlay(pLua->GetBool(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, DrawFilledRect, LC_Panel)
{
	int wide, tall;
	Self()->GetSize(wide, tall);
	vgui::surface()->DrawFilledRect(0, 0, wide, tall);
	return 0;
}

LUA_CLASS_METHOD(Panel, DrawOutlinedRect, LC_Panel)
{
	int wide, tall;
	Self()->GetSize(wide, tall);
	vgui::surface()->DrawOutlinedRect(0, 0, wide, tall);
	return 0;
}

LUA_CLASS_METHOD(Panel, DrawTexturedRect, LC_Panel)
{
	int wide, tall;
	Self()->GetSize(wide, tall);
	vgui::surface()->DrawTexturedRect(0, 0, wide, tall);
	return 0;
}

LUA_CLASS_METHOD(Panel, NoClipping, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->m_bNoClipping = pLua->GetBool(2);
	return 0;
}
