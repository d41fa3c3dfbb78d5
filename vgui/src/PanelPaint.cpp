// vgui::Panel painting: the traversal that paints a panel and its children, the background
// painter, the corner-textured box helpers, colours, borders and PaintAt.
#include <algorithm>

#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier1/convar.h"
#include "VGuiMatSurface/IMatSystemSurface.h"
#include "vgui/IBorder.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

static ConVar vgui_luapaint("vgui_luapaint", "1", 0, "Runs the Lua paint hooks of panels");

namespace vgui
{
// Runs a Lua paint hook, with the surface's clipping off around it for a no-clipping panel.
bool Panel::CallLuaPaintHook(CLuaObject *hook, int wide, int tall)
{
	double args[2] = { static_cast<double>(wide), static_cast<double>(tall) };
	bool noClipping = m_bNoClipping && g_pMatSystemSurface;
	if (noClipping)
		g_pMatSystemSurface->DisableClipping(true);
	bool result = false;
	CallCachedLuaHook(hook, 2, args, &result);
	if (noClipping)
		g_pMatSystemSurface->DisableClipping(false);
	return result;
}

void Panel::Repaint()
{
	SetFlag(NEEDS_REPAINT, true);
	if (surface())
		surface()->Invalidate(GetVPanel());
}

void Panel::PaintTraversePublic(bool repaint, bool allowForce) { PaintTraverse(repaint, allowForce); }

void Panel::PaintBorderNow()
{
	surface()->PushMakeCurrent(GetVPanel(), false);
	PaintBorder();
	surface()->PopMakeCurrent(GetVPanel());
}

void Panel::PaintTraverse(bool repaint, bool allowForce)
{
	if (!IsVisible() || (m_bDrawOverlay && !m_bDrawingOverlayPanels) ||
	    (IsTakingScreenshot() && !m_bRenderInScreenshots) || g_bPaintingLevelProgress || m_bPaintedManually)
		return;

	float oldAlphaMultiplier = std::clamp(surface()->DrawGetAlphaMultiplier(), 0.0f, 1.0f);
	float alpha = m_flAlphaOverride >= 0.0f ? m_flAlphaOverride : _alpha;
	int ownAlpha = std::clamp(static_cast<int>(alpha), 0, 255);

	bool paint = repaint;
	if (!repaint && allowForce && IsFlag(NEEDS_REPAINT))
	{
		SetFlag(NEEDS_REPAINT, false);
		paint = true;
	}

	// Forced frame-buffer painting needs the material system's render context, which the
	// engine's material system does not offer here; the switch is never set meanwhile.

	int clipX0, clipY0, clipX1, clipY1;
	ipanel()->GetClipRect(GetVPanel(), clipX0, clipY0, clipX1, clipY1);
	if (clipX1 <= clipX0 || clipY1 <= clipY0)
		return;

	surface()->DrawSetAlphaMultiplier(ownAlpha * oldAlphaMultiplier / 255.0f);

	bool borderFirst = _border && _border->PaintFirst();
	if (borderFirst && paint && IsFlag(PAINT_BORDER_ENABLED) && _border)
		PaintBorderNow();

	int wide, tall;
	GetSize(wide, tall);
	surface()->PushMakeCurrent(GetVPanel(), false);

	bool luaPainted = vgui_luapaint.GetInt() != 0 && CallLuaPaintHook(m_pLuaPaint, wide, tall);
	if (!luaPainted)
	{
		if (IsFlag(PAINT_BACKGROUND_ENABLED))
			PaintBackground();
		if (IsFlag(PAINT_ENABLED))
			Paint();
	}
	surface()->PopMakeCurrent(GetVPanel());

	CUtlVector<VPANEL> &children = ipanel()->GetChildren(GetVPanel());
	for (int i = 0; i < children.Count(); ++i)
	{
		VPANEL child = children[i];
		bool visible = ipanel()->IsVisible(child);
		if (surface()->ShouldPaintChildPanel(child))
		{
			if (visible)
				ipanel()->PaintTraverse(child, paint, allowForce);
		}
		else
		{
			surface()->Invalidate(child);
			if (visible)
				ipanel()->PaintTraverse(child, false, false);
		}
	}

	if (paint)
	{
		if (!borderFirst && IsFlag(PAINT_BORDER_ENABLED) && _border)
			PaintBorderNow();
		if (vgui_luapaint.GetInt() != 0)
		{
			surface()->PushMakeCurrent(GetVPanel(), false);
			CallLuaPaintHook(m_pLuaPaintOver, wide, tall);
			surface()->PopMakeCurrent(GetVPanel());
		}
		if (IsFlag(POST_CHILD_PAINT_ENABLED))
		{
			surface()->PushMakeCurrent(GetVPanel(), false);
			PostChildPaint();
			surface()->PopMakeCurrent(GetVPanel());
		}
	}

	surface()->DrawSetAlphaMultiplier(oldAlphaMultiplier);
	surface()->SwapBuffers(GetVPanel());
}

void Panel::PaintBackground()
{
	int wide, tall;
	GetSize(wide, tall);
	Color bg = GetBgColor();

	Panel *skip = m_SkipChild.Get();
	if (skip && skip->IsVisible())
	{
		if (GetPaintBackgroundType() == 2)
		{
			int cw, ch;
			GetCornerTextureSize(cw, ch);
			DrawHollowBox(0, 0, wide, tall, bg, 1.0f);
			FillRectSkippingPanel(bg, cw, ch, wide - 2 * cw, tall - 2 * ch, skip);
		}
		else
			FillRectSkippingPanel(bg, 0, 0, wide, tall, skip);
		return;
	}

	switch (m_nPaintBackgroundType)
	{
	case 1: DrawTexturedBox(0, 0, wide, tall, bg, 1.0f); break;
	case 2: DrawBox(0, 0, wide, tall, bg, 1.0f, false); break;
	case 3: DrawBoxFade(0, 0, wide, tall, bg, 1.0f, 255, 0, true, false); break;
	default:
		surface()->DrawSetColor(bg);
		surface()->DrawFilledRect(0, 0, wide, tall);
		break;
	}
}

void Panel::Paint() {}
void Panel::PostChildPaint() {}

void Panel::PaintBorder()
{
	if (_border)
		_border->Paint(GetVPanel());
}

void Panel::PaintBuildOverlay()
{
	int wide, tall;
	GetSize(wide, tall);
	surface()->DrawSetColor(0, 0, 0, 255);
	surface()->DrawFilledRect(0, 0, wide, 2);
	surface()->DrawFilledRect(0, tall - 2, wide, tall);
	surface()->DrawFilledRect(0, 2, 2, tall - 2);
	surface()->DrawFilledRect(wide - 2, 2, wide, tall - 2);
}

// Fills the rectangle (position and size) less the area of the skipped panel, in the four
// strips around it.
void Panel::FillRectSkippingPanel(const Color &clr, int x, int y, int w, int h, Panel *skipPanel)
{
	int sx = 0, sy = 0, sw = 0, sh = 0;
	if (skipPanel)
	{
		skipPanel->GetBounds(sx, sy, sw, sh);
		// The skipped panel is a child: its position is in this panel's coordinates.
	}
	int x0 = x, y0 = y, x1 = x + w, y1 = y + h;
	int kx0 = std::clamp(sx, x0, x1), ky0 = std::clamp(sy, y0, y1);
	int kx1 = std::clamp(sx + sw, x0, x1), ky1 = std::clamp(sy + sh, y0, y1);
	surface()->DrawSetColor(clr);
	if (!skipPanel || kx1 <= kx0 || ky1 <= ky0)
	{
		surface()->DrawFilledRect(x0, y0, x1, y1);
		return;
	}
	if (ky0 > y0)
		surface()->DrawFilledRect(x0, y0, x1, ky0);
	if (ky1 < y1)
		surface()->DrawFilledRect(x0, ky1, x1, y1);
	if (kx0 > x0)
		surface()->DrawFilledRect(x0, ky0, kx0, ky1);
	if (kx1 < x1)
		surface()->DrawFilledRect(kx1, ky0, x1, ky1);
}

void Panel::SetSkipChildDuringPainting(Panel *child) { m_SkipChild = child; }

// Switches.

void Panel::SetPaintEnabled(bool state) { SetFlag(PAINT_ENABLED, state); }
void Panel::SetPaintBackgroundEnabled(bool state) { SetFlag(PAINT_BACKGROUND_ENABLED, state); }
void Panel::SetPaintBorderEnabled(bool state) { SetFlag(PAINT_BORDER_ENABLED, state); }
void Panel::SetPostChildPaintEnabled(bool state) { SetFlag(POST_CHILD_PAINT_ENABLED, state); }

void Panel::SetPaintBackgroundType(int type) { m_nPaintBackgroundType = std::clamp(type, 0, 2); }
int Panel::GetPaintBackgroundType() { return m_nPaintBackgroundType; }

// Colours, border, opacity.

void Panel::SetBgColor(Color color) { _bgColor = color; }
void Panel::SetFgColor(Color color) { _fgColor = color; }
Color Panel::GetBgColor() { return _bgColor; }
Color Panel::GetFgColor() { return _fgColor; }

void Panel::SetBorder(IBorder *border)
{
	_border = border;
	if (border)
	{
		int left, top, right, bottom;
		border->GetInset(left, top, right, bottom);
		ipanel()->SetInset(GetVPanel(), left, top, right, bottom);
		SetPaintBackgroundType(border->GetBackgroundType());
	}
	else
		ipanel()->SetInset(GetVPanel(), 0, 0, 0, 0);
}

IBorder *Panel::GetBorder() { return _border; }

void Panel::GetPaintSize(int &wide, int &tall)
{
	GetSize(wide, tall);
	if (_border)
	{
		int left, top, right, bottom;
		_border->GetInset(left, top, right, bottom);
		wide -= left + right;
		tall -= top + bottom;
	}
}

bool Panel::IsOpaque() { return IsVisible() && IsFlag(PAINT_BACKGROUND_ENABLED) && _bgColor.a() == 255; }

int Panel::GetAlpha() { return static_cast<int>(m_flAlphaOverride >= 0.0f ? m_flAlphaOverride : _alpha); }

void Panel::SetAlpha(int alpha)
{
	_alpha = static_cast<float>(alpha);
	m_flAlphaOverride = static_cast<float>(alpha);
}

void Panel::GetCornerTextureSize(int &w, int &h)
{
	if (m_nBgTextureId1 == -1)
	{
		w = h = 0;
		return;
	}
	surface()->DrawGetTextureSize(m_nBgTextureId1, w, h);
}

// Box helpers.

namespace
{
void Fill(int x0, int y0, int x1, int y1) { surface()->DrawFilledRect(x0, y0, x1, y1); }

void Corner(int texture, int x0, int y0, int x1, int y1)
{
	surface()->DrawSetTexture(texture);
	surface()->DrawTexturedRect(x0, y0, x1, y1);
}

Color ScaledAlpha(Color color, float normalizedAlpha)
{
	color[3] = static_cast<unsigned char>(static_cast<int>(color.a() * normalizedAlpha));
	return color;
}
}

void Panel::DrawTexturedBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha)
{
	if (m_nBgTextureId1 == -1)
		return;
	surface()->DrawSetColor(ScaledAlpha(color, normalizedAlpha));
	Corner(m_nBgTextureId1, x, y, x + wide, y + tall);
}

void Panel::DrawBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha, bool hollow)
{
	if (m_nBgTextureId1 == -1 || m_nBgTextureId2 == -1 || m_nBgTextureId3 == -1 || m_nBgTextureId4 == -1)
		return;
	surface()->DrawSetColor(ScaledAlpha(color, normalizedAlpha));
	int cw, ch;
	GetCornerTextureSize(cw, ch);

	Fill(x + cw, y, x + wide - cw, y + ch);
	if (hollow)
	{
		Fill(x, y + ch, x + cw, y + tall - ch);
		Fill(x + wide - cw, y + ch, x + wide, y + tall - ch);
	}
	else
		Fill(x, y + ch, x + wide, y + tall - ch);
	Fill(x + cw, y + tall - ch, x + wide - cw, y + tall);

	if (m_roundedCorners & 0x1)
		Corner(m_nBgTextureId1, x, y, x + cw, y + ch);
	else
		Fill(x, y, x + cw, y + ch);
	if (m_roundedCorners & 0x2)
		Corner(m_nBgTextureId2, x + wide - cw, y, x + wide, y + ch);
	else
		Fill(x + wide - cw, y, x + wide, y + ch);
	if (m_roundedCorners & 0x4)
		Corner(m_nBgTextureId4, x, y + tall - ch, x + cw, y + tall);
	else
		Fill(x, y + tall - ch, x + cw, y + tall);
	if (m_roundedCorners & 0x8)
		Corner(m_nBgTextureId3, x + wide - cw, y + tall - ch, x + wide, y + tall);
	else
		Fill(x + wide - cw, y + tall - ch, x + wide, y + tall);
}

void Panel::DrawHollowBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha)
{
	DrawBox(x, y, wide, tall, color, normalizedAlpha, true);
}

void Panel::DrawHollowBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha, int cornerWide,
                          int cornerTall)
{
	if (m_nBgTextureId1 == -1 || m_nBgTextureId2 == -1 || m_nBgTextureId3 == -1 || m_nBgTextureId4 == -1)
		return;
	surface()->DrawSetColor(ScaledAlpha(color, normalizedAlpha));
	int cw = cornerWide, ch = cornerTall;
	Fill(x + cw, y, x + wide - cw, y + ch);
	Fill(x, y + ch, x + cw, y + tall - ch);
	Fill(x + wide - cw, y + ch, x + wide, y + tall - ch);
	Fill(x + cw, y + tall - ch, x + wide - cw, y + tall);
	Corner(m_nBgTextureId1, x, y, x + cw, y + ch);
	Corner(m_nBgTextureId2, x + wide - cw, y, x + wide, y + ch);
	Corner(m_nBgTextureId3, x + wide - cw, y + tall - ch, x + wide, y + tall);
	Corner(m_nBgTextureId4, x, y + tall - ch, x + cw, y + tall);
}

void Panel::DrawBoxFade(int x, int y, int wide, int tall, Color color, float normalizedAlpha, unsigned int alpha0,
                        unsigned int alpha1, bool horizontal, bool hollow)
{
	if (m_nBgTextureId1 == -1 || m_nBgTextureId2 == -1 || m_nBgTextureId3 == -1 || m_nBgTextureId4 == -1 ||
	    surface()->DrawGetAlphaMultiplier() == 0.0f)
		return;
	color = ScaledAlpha(color, normalizedAlpha);
	surface()->DrawSetColor(color);
	int cw, ch;
	GetCornerTextureSize(cw, ch);

	if (horizontal)
	{
		surface()->DrawFilledRectFade(x, y + ch, x + cw, y + tall - ch, alpha0, alpha0, true);
		if (!hollow)
			surface()->DrawFilledRectFade(x + cw, y, x + wide - cw, y + tall, alpha0, alpha1, true);
		surface()->DrawFilledRectFade(x + wide - cw, y + ch, x + wide, y + tall - ch, alpha1, alpha1, true);
	}
	else
	{
		surface()->DrawFilledRectFade(x + cw, y, x + wide - cw, y + ch, alpha0, alpha0, false);
		if (hollow)
		{
			surface()->DrawFilledRectFade(x, y + ch, x + cw, y + tall - ch, alpha0, alpha1, false);
			surface()->DrawFilledRectFade(x + wide - cw, y + ch, x + wide, y + tall - ch, alpha0, alpha1, false);
		}
		else
			surface()->DrawFilledRectFade(x, y + ch, x + wide, y + tall - ch, alpha0, alpha1, false);
		surface()->DrawFilledRectFade(x + cw, y + tall - ch, x + wide - cw, y + tall, alpha1, alpha1, false);
	}

	int a = color.a();
	Color start = color, end = color;
	start[3] = static_cast<unsigned char>(static_cast<int>(alpha0 / 255.0 * a));
	end[3] = static_cast<unsigned char>(static_cast<int>(alpha1 / 255.0 * a));
	if (horizontal)
	{
		surface()->DrawSetColor(start);
		Corner(m_nBgTextureId1, x, y, x + cw, y + ch);
		Corner(m_nBgTextureId4, x, y + tall - ch, x + cw, y + tall);
		surface()->DrawSetColor(end);
		Corner(m_nBgTextureId2, x + wide - cw, y, x + wide, y + ch);
		Corner(m_nBgTextureId3, x + wide - cw, y + tall - ch, x + wide, y + tall);
	}
	else
	{
		surface()->DrawSetColor(start);
		Corner(m_nBgTextureId1, x, y, x + cw, y + ch);
		Corner(m_nBgTextureId2, x + wide - cw, y, x + wide, y + ch);
		surface()->DrawSetColor(end);
		Corner(m_nBgTextureId3, x + wide - cw, y + tall - ch, x + wide, y + tall);
		Corner(m_nBgTextureId4, x, y + tall - ch, x + cw, y + tall);
	}
}

// Painting once at a screen position, out of the panel's place in the tree.

void Panel::PaintAt(int x, int y)
{
	g_bPaintingManually = true;

	int oldX, oldY;
	GetPos(oldX, oldY);
	bool wasVisible = IsVisible();
	VPANEL oldParent = GetVParent();

	int ownIndex = 0;
	if (oldParent)
	{
		CUtlVector<VPANEL> &siblings = ipanel()->GetChildren(oldParent);
		for (int i = siblings.Count() - 1; i >= 1; --i)
		{
			VPANEL sibling = siblings[i];
			if (sibling == GetVPanel())
				ownIndex = i;
			if (ipanel()->GetZPos(sibling) != i)
			{
				ipanel()->SetZPos(sibling, i);
				if (Panel *p = ipanel()->GetPanel(sibling, GetControlsModuleName()))
					p->MarkBoundsChanged();
			}
		}
	}

	SetParent(surface()->GetEmbeddedPanel());
	SetVisible(true);
	SetPos(x, y);
	UpdateSiblingPin();
	surface()->SolveTraverse(GetVPanel(), true);
	SetPos(x, y);

	PaintTraverse(true, true);

	SetParent(oldParent);
	if (ipanel()->GetZPos(GetVPanel()) != ownIndex)
	{
		ipanel()->SetZPos(GetVPanel(), ownIndex);
		MarkBoundsChanged();
	}

	SetPos(oldX, oldY);
	SetVisible(wasVisible);
	UpdateSiblingPin();
	surface()->SolveTraverse(GetVPanel(), true);

	g_bPaintingManually = false;
}
}
