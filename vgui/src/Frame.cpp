// vgui::Frame and its title-bar children: the resize grips, the caption grip that moves the
// window with snapping and docking, the caption buttons and the system-menu button.
#include "vgui_controls/Frame.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/ILocalize.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/AnimationController.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/FocusNavGroup.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/TextImage.h"

namespace vgui
{
namespace
{
// Resizes its frame by dragging; the bottom-right one also paints the size-grip glyphs.
class GripPanel : public Panel
{
public:
	GripPanel(Frame *frame, const char *name, int xdir, int ydir)
	    : Panel(frame, name), m_pFrame(frame), m_iDragMultX(xdir), m_iDragMultY(ydir)
	{
		SetPaintEnabled(false);
		SetPaintBackgroundEnabled(false);
		SetPaintBorderEnabled(false);
		if (xdir == 1 && ydir == 1)
		{
			SetPaintEnabled(true);
			SetPaintBackgroundEnabled(true);
		}
		SetBlockDragChaining(true);
	}

	void ApplySchemeSettings(IScheme *scheme) override
	{
		Panel::ApplySchemeSettings(scheme);
		if (!scheme)
			return;
		m_hMarlettFont = scheme->GetFont(m_pFrame->IsSmallCaption() ? "MarlettSmall" : "Marlett", IsProportional());
		SetFgColor(GetSchemeColor("FrameGrip.Color1", scheme));
		SetBgColor(GetSchemeColor("FrameGrip.Color2", scheme));
		const char *range = scheme->GetResourceString("Frame.AutoSnapRange");
		if (range && *range)
			m_iSnapRange = atoi(range);
	}

	void OnMouseCaptureLost() override
	{
		Panel::OnMouseCaptureLost();
		m_bDragging = false;
	}

	void OnCursorMoved(int, int) override
	{
		if (!m_bDragging)
			return;
		if (!input()->IsMouseDown(MOUSE_LEFT))
		{
			OnMouseReleased(MOUSE_LEFT);
			return;
		}
		int x, y;
		input()->GetCursorPos(x, y);
		moved(x - m_iDragStart[0], y - m_iDragStart[1]);
		m_pFrame->Repaint();
	}

	void OnMousePressed(ButtonCode_t code) override
	{
		if (code != MOUSE_LEFT)
		{
			if (GetParent())
				GetParent()->OnMousePressed(code);
			return;
		}
		m_bDragging = true;
		input()->GetCursorPos(m_iDragStart[0], m_iDragStart[1]);
		m_pFrame->GetPos(m_iDragOrgPos[0], m_iDragOrgPos[1]);
		m_pFrame->GetSize(m_iDragOrgSize[0], m_iDragOrgSize[1]);
		input()->SetMouseCapture(GetVPanel());
		VPANEL focus = input()->GetFocus();
		if (!focus || !ipanel()->HasParent(focus, m_pFrame->GetVPanel()))
			m_pFrame->RequestFocus();
		m_pFrame->Repaint();
	}

	void OnMouseDoublePressed(ButtonCode_t code) override
	{
		if (GetParent())
			GetParent()->OnMouseDoublePressed(code);
	}

	void OnMouseReleased(ButtonCode_t) override
	{
		m_bDragging = false;
		input()->SetMouseCapture(0);
	}

	void PaintBackground() override { PaintGlyph(L'o', GetBgColor()); }
	void Paint() override { PaintGlyph(L'p', GetFgColor()); }

	// Resizes the frame by the cursor movement since the press.
	virtual void moved(int dx, int dy)
	{
		if (!m_pFrame->IsSizeable())
			return;
		int x = m_iDragOrgPos[0], y = m_iDragOrgPos[1];
		int w = m_iDragOrgSize[0], h = m_iDragOrgSize[1];
		int mw, mh;
		m_pFrame->GetMinimumSize(mw, mh);
		w += dx * m_iDragMultX;
		if (m_iDragMultX == -1)
		{
			if (w < mw)
				dx = m_iDragOrgSize[0] - mw;
			x += dx;
		}
		h += dy * m_iDragMultY;
		if (m_iDragMultY == -1)
		{
			if (h < mh)
				dy = m_iDragOrgSize[1] - mh;
			y += dy;
		}
		if (m_pFrame->GetClipToParent())
			ClipToScreen(x, y);
		m_pFrame->SetPos(x, y);
		m_pFrame->SetSize(w, h);
		m_pFrame->InvalidateLayout();
		m_pFrame->Repaint();
	}

protected:
	void ClipToScreen(int &x, int &y)
	{
		int sw, sh, fw, fh;
		surface()->GetScreenSize(sw, sh);
		m_pFrame->GetSize(fw, fh);
		if (x < 0)
			x = 0;
		if (x + fw > sw)
			x = sw - fw;
		if (y < 0)
			y = 0;
		if (y + fh > sh)
			y = sh - fh;
	}

	void PaintGlyph(wchar_t glyph, Color color)
	{
		if (!m_pFrame->IsSizeable())
			return;
		surface()->DrawSetTextFont(m_hMarlettFont);
		surface()->DrawSetTextColor(color);
		surface()->DrawSetTextPos(0, 0);
		surface()->DrawUnicodeChar(glyph);
	}

	Frame *m_pFrame;
	int m_iDragMultX;
	int m_iDragMultY;
	bool m_bDragging = false;
	int m_iDragOrgPos[2] = {};
	int m_iDragOrgSize[2] = {};
	int m_iDragStart[2] = {};
	int m_iSnapRange = 10;
	HFont m_hMarlettFont = 0;
};

// The title-bar area: moves the frame, snapping to the workspace edges and docking to popups.
class CaptionGripPanel : public GripPanel
{
public:
	explicit CaptionGripPanel(Frame *frame) : GripPanel(frame, "frame_caption", 0, 0) {}

	void moved(int dx, int dy) override
	{
		if (!m_pFrame->IsMoveable())
			return;
		int x = m_iDragOrgPos[0] + dx;
		int y = m_iDragOrgPos[1] + dy;
		if (m_iSnapRange)
		{
			// This build's surface has no task bar: the workspace is the screen.
			int wx = 0, wy = 0, ww, wh, fw, fh;
			surface()->GetScreenSize(ww, wh);
			m_pFrame->GetSize(fw, fh);
			if (abs(x - wx) < m_iSnapRange)
				x = wx;
			else if (abs(x - (wx + ww) + fw) < m_iSnapRange)
				x = wx + ww - fw;
			if (abs(y - wy) < m_iSnapRange)
				y = wy;
			else if (abs(y - (wy + wh) + fh) < m_iSnapRange)
				y = wy + wh - fh;
			VPANEL root = surface()->GetEmbeddedPanel();
			if (root)
			{
				for (int i = 0; i < ipanel()->GetChildCount(root); i++)
					tryToDock(ipanel()->GetChild(root, i), x, y);
			}
		}
		if (m_pFrame->GetClipToParent())
			ClipToScreen(x, y);
		m_pFrame->SetPos(x, y);
	}

private:
	static bool Inside(int v, int lo, int hi) { return v > lo && v < hi; }

	void tryToDock(VPANEL panel, int &x, int &y)
	{
		if (panel == m_pFrame->GetVPanel())
			return;
		if (ipanel()->IsVisible(panel) && ipanel()->IsPopup(panel))
		{
			int px, py, pw, ph, fw, fh;
			ipanel()->GetPos(panel, px, py);
			ipanel()->GetSize(panel, pw, ph);
			m_pFrame->GetSize(fw, fh);
			int right = px + pw, bottom = py + ph;
			bool vert = Inside(y, py, bottom) || Inside(y + fh, py, bottom) || (y < py && bottom < y + fh);
			bool horz = Inside(x, px, right) || Inside(x + fw, px, right) || (x < px && right < x + fw);
			if (vert || horz)
			{
				int r = m_iSnapRange;
				bool docked = false;
				if (right - r <= x && x <= right + r && vert)
				{
					x = right;
					docked = true;
				}
				else if (px - r <= x + fw && x + fw <= px + r && vert)
				{
					x = px - fw;
					docked = true;
				}
				if (bottom - r <= y && y <= bottom + r && horz)
				{
					y = bottom;
					return;
				}
				if (py - r <= y + fh && y + fh <= py + r && horz)
				{
					y = py - fh;
					return;
				}
				if (docked)
					return;
			}
		}
		for (int i = 0; i < ipanel()->GetChildCount(panel); i++)
			tryToDock(ipanel()->GetChild(panel, i), x, y);
	}
};

const char *const kGripNames[8] = { "frame_topGrip", "frame_bottomGrip", "frame_leftGrip", "frame_rightGrip",
	                                "frame_tlGrip",  "frame_trGrip",     "frame_blGrip",   "frame_brGrip" };
const int kGripDirs[8][2] = { { 0, -1 }, { 0, 1 }, { -1, 0 }, { 1, 0 }, { -1, -1 }, { 1, -1 }, { -1, 1 }, { 1, 1 } };
enum
{
	GRIP_TOP,
	GRIP_BOTTOM,
	GRIP_LEFT,
	GRIP_RIGHT,
	GRIP_TL,
	GRIP_TR,
	GRIP_BL,
	GRIP_BR
};

bool ParentIsSmallCaption(Panel *parent)
{
	Frame *frame = dynamic_cast<Frame *>(parent);
	return frame && frame->IsSmallCaption();
}

// Screen height over the proportional base height for a proportional frame, else 1.
float LayoutScale(Panel *frame)
{
	if (!frame->IsProportional())
		return 1.0f;
	// Proportional values are laid out for a 480-line screen.
	int sw, sh;
	surface()->GetScreenSize(sw, sh);
	return static_cast<float>(sh) / 480.0f;
}
}

// ---- FrameButton ----

FrameButton::FrameButton(Panel *parent, const char *panelName, const char *text)
    : Button(parent, panelName, text)
{
	int size = ParentIsSmallCaption(parent) ? 12 : 18;
	SetSize(size, size);
	SetContentAlignment(Label::a_northwest);
	SetTextInset(2, 1);
	SetBlockDragChaining(true);
}

FrameButton::~FrameButton() = default;

void FrameButton::ApplySchemeSettings(IScheme *pScheme)
{
	Button::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	m_EnabledFgColor = GetSchemeColor("FrameTitleButton.FgColor", pScheme);
	m_EnabledBgColor = GetSchemeColor("FrameTitleButton.BgColor", pScheme);
	m_DisabledFgColor = GetSchemeColor("FrameTitleButton.DisabledFgColor", pScheme);
	m_DisabledBgColor = GetSchemeColor("FrameTitleButton.DisabledBgColor", pScheme);
	m_pBorder = pScheme->GetBorder("TitleButtonBorder");
	m_pDepressedBorder = pScheme->GetBorder("TitleButtonDepressedBorder");
	m_pDisabledBorder = pScheme->GetBorder("TitleButtonDisabledBorder");
	SetDisabledLook(m_bDisabledLook);
}

void FrameButton::SetDisabledLook(bool state)
{
	m_bDisabledLook = state;
	Color fg = state ? m_DisabledFgColor : m_EnabledFgColor;
	Color bg = state ? m_DisabledBgColor : m_EnabledBgColor;
	SetDefaultColor(fg, bg);
	SetArmedColor(fg, bg);
	SetDepressedColor(fg, bg);
}

IBorder *FrameButton::GetBorder(bool depressed, bool, bool, bool)
{
	if (m_bDisabledLook)
		return m_pDisabledBorder;
	return depressed ? m_pDepressedBorder : m_pBorder;
}

void FrameButton::OnMousePressed(ButtonCode_t code)
{
	// A caption button never takes the keyboard focus from the frame's controls.
	if (!IsEnabled() || !IsMouseClickEnabled(code) || !IsUseCaptureMouseEnabled())
		return;
	SetSelected(true);
	Repaint();
	input()->SetMouseCapture(GetVPanel());
}

void FrameButton::PerformLayout()
{
	Button::PerformLayout();
	Repaint();
}

// ---- FrameSystemButton ----

FrameSystemButton::FrameSystemButton(Panel *parent, const char *panelName) : Button(parent, panelName, "")
{
	SetEnabled(false);
	SetMouseClickEnabled(MOUSE_RIGHT, true);
	SetBlockDragChaining(true);
}

FrameSystemButton::~FrameSystemButton() = default;

void FrameSystemButton::ApplySchemeSettings(IScheme *pScheme)
{
	Button::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	m_EnabledColor = GetSchemeColor("FrameSystemButton.FgColor", pScheme);
	m_DisabledColor = GetSchemeColor("FrameSystemButton.BgColor", pScheme);
	const char *enabled = pScheme->GetResourceString("FrameSystemButton.Icon");
	const char *disabled = pScheme->GetResourceString("FrameSystemButton.DisabledIcon");
	m_pEnabledImage = enabled && *enabled ? scheme()->GetImage(enabled, false) : nullptr;
	m_pDisabledImage = disabled && *disabled ? scheme()->GetImage(disabled, false) : nullptr;
	SetTextInset(0, 0);
	SetEnabled(IsEnabled());
}

void FrameSystemButton::SetEnabled(bool state)
{
	Label::SetEnabled(state);
	IImage *image = state ? m_pEnabledImage : m_pDisabledImage;
	Color color = state ? m_EnabledColor : m_DisabledColor;
	if (image)
		SetImageAtIndex(0, image, 0);
	SetBgColor(color);
	SetDefaultColor(color, color);
	SetArmedColor(color, color);
	SetDepressedColor(color, color);
}

void FrameSystemButton::OnMousePressed(ButtonCode_t code)
{
	if (!m_bResponsive)
		return;
	Button::OnMousePressed(code);
	// Opening the system menu: this build's menus show as plain child panels.
	if (m_pMenu && IsEnabled())
		m_pMenu->SetVisible(!m_pMenu->IsVisible());
}

void FrameSystemButton::OnMouseDoublePressed(ButtonCode_t code)
{
	if (!m_bResponsive || code != MOUSE_LEFT || !m_pMenu || !m_pMenu->FindChildByName("Close"))
		return;
	if (GetParent())
		PostMessage(GetParent()->GetVPanel(), new KeyValues("CloseFrameButtonPressed"));
}

void FrameSystemButton::GetImageSize(int &wide, int &tall)
{
	wide = tall = 0;
	for (IImage *image : { m_pEnabledImage, m_pDisabledImage })
	{
		if (!image)
			continue;
		int w, h;
		image->GetSize(w, h);
		if (w > wide)
			wide = w;
		if (h > tall)
			tall = h;
	}
}

// ---- Frame ----

Frame::Frame(Panel *parent, const char *panelName, bool showTaskbarIcon, bool popup)
    : EditablePanel(parent, panelName), m_bSizeable(true), m_bMoveable(true), m_bHasFocus(false),
      m_bFlashing(false), m_bDrawTitleBar(true), m_bPreviouslyVisible(false), m_bFadingOut(false),
      m_bDeleteSelfOnClose(false), m_bClipToParent(false), m_bSmallCaption(false), m_bFocusChangePending(false),
      m_bClientInsetXOverridden(false), m_iTitleTextInsetXOverride(0), m_iTitleTextInsetYOverride(0)
{
	m_szDescription[0] = 0;
	SetVisible(false);
	if (popup)
		MakePopup(showTaskbarIcon);
	SetTitle("#Frame_Untitled", parent == nullptr);
	SetBuildGroup(GetBuildGroup());
	SetMinimumSize(128, 66);
	GetFocusNavGroup().SetFocusTopLevel(true);

	for (int i = 0; i < 8; i++)
		m_pGrips[i] = new GripPanel(this, kGripNames[i], kGripDirs[i][0], kGripDirs[i][1]);
	m_pCaptionGrip = new CaptionGripPanel(this);
	m_pCaptionGrip->SetCursor(dc_arrow);

	m_pMinimizeButton = new FrameButton(this, "frame_minimize", "0");
	m_pMinimizeButton->AddActionSignalTarget(this);
	m_pMinimizeButton->SetCommand(new KeyValues("Minimize"));
	m_pMaximizeButton = new FrameButton(this, "frame_maximize", "1");
	m_pMaximizeButton->SetVisible(false);
	m_pMinimizeToSysTrayButton = new FrameButton(this, "frame_mintosystray", "o");
	m_pMinimizeToSysTrayButton->SetCommand("MinimizeToSysTray");
	m_pMinimizeToSysTrayButton->SetVisible(false);
	m_pCloseButton = new FrameButton(this, "frame_close", "r");
	m_pCloseButton->AddActionSignalTarget(this);
	m_pCloseButton->SetCommand(new KeyValues("CloseFrameButtonPressed"));

	// The surface of this build cannot minimise or maximise windows; a child frame never can.
	m_pMinimizeButton->SetVisible(false);
	m_pMaximizeButton->SetVisible(false);

	m_pMenuButton = new FrameSystemButton(this, "frame_menu");
	m_pMenuButton->SetMenu(GetSysMenu());
	SetupResizeCursors();

	AddToOverridableColors(&m_InFocusBgColor, "infocus_bgcolor_override");
	AddToOverridableColors(&m_OutOfFocusBgColor, "outoffocus_bgcolor_override");
	AddToOverridableColors(&m_TitleBarBgColor, "titlebarbgcolor_override");
	AddToOverridableColors(&m_TitleBarDisabledBgColor, "titlebardisabledbgcolor_override");
	AddToOverridableColors(&m_TitleBarFgColor, "titlebarfgcolor_override");
	AddToOverridableColors(&m_TitleBarDisabledFgColor, "titlebardisabledfgcolor_override");
}

Frame::~Frame()
{
	if (input() && input()->GetAppModalSurface() == GetVPanel())
	{
		input()->ReleaseAppModalSurface();
		if (m_hPreviousModal)
			input()->SetAppModalSurface(m_hPreviousModal);
	}
	for (Panel *&grip : m_pGrips)
	{
		delete grip;
		grip = nullptr;
	}
	delete m_pCaptionGrip;
	delete m_pMinimizeButton;
	delete m_pMaximizeButton;
	delete m_pMinimizeToSysTrayButton;
	delete m_pCloseButton;
	delete m_pMenuButton;
	delete m_pTitle;
}

void Frame::OnChildAdded(VPANEL child) { EditablePanel::OnChildAdded(child); }

void Frame::SetTitle(const char *title, bool surfaceTitle)
{
	if (!m_pTitle)
		m_pTitle = new TextImage("");
	m_pTitle->SetText(title ? title : "");
	// This build's surface keeps no window titles, so the operating-system title goes nowhere.
	(void)surfaceTitle;
	Repaint();
}

void Frame::SetTitle(const wchar_t *title, bool surfaceTitle)
{
	if (!m_pTitle)
		m_pTitle = new TextImage("");
	m_pTitle->SetText(title ? title : L"");
	(void)surfaceTitle;
	Repaint();
}

void Frame::InternalSetTitle(const char *text) { SetTitle(text, true); }

void Frame::OnDialogVariablesChanged(KeyValues *dialogVariables)
{
	if (!m_pTitle || !g_pVGuiLocalize)
		return;
	StringIndex_t index = m_pTitle->GetUnlocalizedTextSymbol();
	if (index == INVALID_LOCALIZE_STRING_INDEX)
		return;
	wchar_t out[4096 / sizeof(wchar_t)];
	out[0] = 0;
	g_pVGuiLocalize->ConstructString(out, sizeof(out), index, dialogVariables);
	SetTitle(out, true);
}

void Frame::ApplySchemeSettings(IScheme *pScheme)
{
	EditablePanel::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	SetOverridableColor(&m_TitleBarFgColor, GetSchemeColor("FrameTitleBar.TextColor", pScheme));
	SetOverridableColor(&m_TitleBarBgColor, GetSchemeColor("FrameTitleBar.BgColor", pScheme));
	SetOverridableColor(&m_TitleBarDisabledFgColor, GetSchemeColor("FrameTitleBar.DisabledTextColor", pScheme));
	SetOverridableColor(&m_TitleBarDisabledBgColor, GetSchemeColor("FrameTitleBar.DisabledBgColor", pScheme));

	HFont titleFont = m_hCustomTitleFont;
	if (!titleFont)
	{
		const char *name = pScheme->GetResourceString(m_bSmallCaption ? "FrameTitleBar.SmallFont" : "FrameTitleBar.Font");
		titleFont = pScheme->GetFont(name && *name ? name : "Default", IsProportional());
	}
	if (m_pTitle)
	{
		m_pTitle->SetFont(titleFont);
		m_pTitle->ResizeImageToContent();
	}
	HFont marlett = pScheme->GetFont(m_bSmallCaption ? "MarlettSmall" : "Marlett", IsProportional());
	for (FrameButton *b : { m_pMinimizeButton, m_pMaximizeButton, m_pMinimizeToSysTrayButton, m_pCloseButton })
		b->SetFont(marlett);

	m_flTransitionEffectTime = static_cast<float>(atof(pScheme->GetResourceString("Frame.TransitionEffectTime")));
	m_flFocusTransitionEffectTime =
	    static_cast<float>(atof(pScheme->GetResourceString("Frame.FocusTransitionEffectTime")));

	SetOverridableColor(&m_InFocusBgColor, GetSchemeColor("Frame.BgColor", GetBgColor(), pScheme));
	SetOverridableColor(&m_OutOfFocusBgColor, GetSchemeColor("Frame.OutOfFocusBgColor", m_InFocusBgColor, pScheme));

	struct
	{
		const char *key;
		int *value;
	} insets[] = { { "Frame.ClientInsetX", &m_iClientInsetX },
		           { "Frame.ClientInsetY", &m_iClientInsetY },
		           { "Frame.TitleTextInsetX", &m_iTitleTextInsetX } };
	for (auto &inset : insets)
	{
		const char *text = pScheme->GetResourceString(inset.key);
		if (text && *text)
			*inset.value = atoi(text);
	}

	SetBgColor(m_InFocusBgColor);
	SetBorder(pScheme->GetBorder("FrameBorder"));
	OnFrameFocusChanged(m_bHasFocus);
}

void Frame::ApplySettings(KeyValues *inResourceData)
{
	// A layout never shows or hides a frame.
	inResourceData->SetInt("visible", -1);
	EditablePanel::ApplySettings(inResourceData);

	SetCloseButtonVisible(inResourceData->GetBool("setclosebuttonvisible", true));
	if (inResourceData->GetInt("settitlebarvisible", 1) == 0)
		SetTitleBarVisible(false);
	const char *title = inResourceData->GetString("title", "");
	if (title && *title)
		SetTitle(title, true);
	const char *titleFont = inResourceData->GetString("title_font", "");
	if (titleFont && *titleFont)
	{
		IScheme *pScheme = scheme()->GetIScheme(GetScheme());
		if (pScheme)
			m_hCustomTitleFont = pScheme->GetFont(titleFont, false);
	}
	SetSizeable(inResourceData->GetInt("sizable", 1) != 0);
	if (inResourceData->FindKey("clientinsetx_override"))
	{
		m_iClientInsetX = inResourceData->GetInt("clientinsetx_override");
		m_bClientInsetXOverridden = true;
	}
}

void Frame::GetSettings(KeyValues *outResourceData)
{
	EditablePanel::GetSettings(outResourceData);
	outResourceData->SetInt("settitlebarvisible", m_bDrawTitleBar ? 1 : 0);
	if (m_pTitle)
	{
		char buf[256];
		buf[0] = 0;
		m_pTitle->GetUnlocalizedText(buf, sizeof(buf));
		if (buf[0])
			outResourceData->SetString("title", buf);
	}
	outResourceData->SetInt("sizable", m_bSizeable ? 1 : 0);
	if (m_bClientInsetXOverridden)
		outResourceData->SetInt("clientinsetx_override", m_iClientInsetX);
}

const char *Frame::GetDescription()
{
	snprintf(m_szDescription, sizeof(m_szDescription), "%s, string title", EditablePanel::GetDescription());
	return m_szDescription;
}

void Frame::ApplyUserConfigSettings(KeyValues *userConfig)
{
	int wx = 0, wy = 0, ww, wh;
	surface()->GetScreenSize(ww, wh);
	int x, y, w, h;
	GetBounds(x, y, w, h);
	bool centre = false;
	if (m_bMoveable)
	{
		centre = !userConfig->FindKey("xpos");
		x = userConfig->GetInt("xpos", x);
		y = userConfig->GetInt("ypos", y);
	}
	if (m_bSizeable)
	{
		w = userConfig->GetInt("wide", w);
		h = userConfig->GetInt("tall", h);
		if (w > ww)
			w = ww;
		if (h > wh)
			h = wh;
	}
	if (centre && GetDefaultScreenPosition(x, y, w, h))
		centre = false;
	int mw, mh;
	GetMinimumSize(mw, mh);
	if (w < mw)
		w = mw;
	if (h < mh)
		h = mh;
	if (x + w > ww)
		x = ww - w + wx;
	if (y + h > wh)
		y = wh - h + wy;
	if (x < wx)
		x = wx;
	if (y < wy)
		y = wy;
	SetBounds(x, y, w, h);
	if (centre)
		MoveToCenterOfScreen();
	EditablePanel::ApplyUserConfigSettings(userConfig);
}

void Frame::GetUserConfigSettings(KeyValues *userConfig)
{
	int x, y, w, h;
	GetBounds(x, y, w, h);
	if (m_bMoveable)
	{
		userConfig->SetInt("xpos", x);
		userConfig->SetInt("ypos", y);
	}
	if (m_bSizeable)
	{
		userConfig->SetInt("wide", w);
		userConfig->SetInt("tall", h);
	}
	EditablePanel::GetUserConfigSettings(userConfig);
}

void Frame::OnCommand(const char *command)
{
	if (!strcasecmp(command, "Close"))
		Close();
	else if (!strcasecmp(command, "CloseModal"))
		CloseModal();
	else if (!strcasecmp(command, "Minimize"))
		OnMinimize();
	else if (!strcasecmp(command, "MinimizeToSysTray"))
		OnMinimizeToSysTray();
	else
		EditablePanel::OnCommand(command);
}

void Frame::OnThink()
{
	EditablePanel::OnThink();
	if (IsVisible() && m_flTransitionEffectTime > 0.0f)
	{
		if (m_bFadingOut)
		{
			if (GetAlpha() < 1)
			{
				SetVisible(false);
				m_bFadingOut = false;
				m_bPreviouslyVisible = false;
				OnFinishedClose();
				if (m_bDeleteSelfOnClose)
					MarkForDeletion();
				return;
			}
		}
		else if (!m_bPreviouslyVisible)
		{
			m_bPreviouslyVisible = true;
			SetAlpha(0);
			GetAnimationController()->RunAnimationCommand(this, "alpha", 255.0f, 0.0f, m_flTransitionEffectTime,
			                                              AnimationController::INTERPOLATOR_LINEAR);
		}
	}

	VPANEL focus = input()->GetFocus();
	VPANEL modal = input()->GetAppModalSurface();
	bool hasFocus = focus && ipanel()->HasParent(focus, GetVPanel()) && (!modal || modal == GetVPanel());
	if (hasFocus == m_bHasFocus)
		m_bFocusChangePending = false;
	else if (m_bFocusChangePending)
	{
		m_bFocusChangePending = false;
		m_bHasFocus = hasFocus;
		OnFrameFocusChanged(hasFocus);
	}
	else
		m_bFocusChangePending = true;
}

void Frame::OnFrameFocusChanged(bool hasFocus)
{
	for (FrameButton *b : { m_pMinimizeButton, m_pMaximizeButton, m_pCloseButton, m_pMinimizeToSysTrayButton })
	{
		b->SetDisabledLook(!hasFocus);
		b->InvalidateLayout();
	}
	m_pMenuButton->SetEnabled(hasFocus);
	m_pMenuButton->InvalidateLayout();
	if (m_pTitle)
		m_pTitle->SetColor(hasFocus ? m_TitleBarFgColor : m_TitleBarDisabledFgColor);
	Color bg = hasFocus ? m_InFocusBgColor : m_OutOfFocusBgColor;
	if (m_flFocusTransitionEffectTime == 0.0f)
		SetBgColor(bg);
	else
		GetAnimationController()->RunAnimationCommand(this, "BgColor", bg, 0.0f, m_flTransitionEffectTime,
		                                              AnimationController::INTERPOLATOR_LINEAR);
	if (hasFocus && m_bFlashing)
		FlashWindowStop();
}

void Frame::OnMousePressed(ButtonCode_t code)
{
	if (!IsBuildModeActive())
	{
		VPANEL focus = input()->GetFocus();
		if (!focus || !ipanel()->HasParent(focus, GetVPanel()))
			RequestFocus();
	}
	EditablePanel::OnMousePressed(code);
}

void Frame::OnKeyCodeTyped(ButtonCode_t code)
{
	bool shift = input()->IsKeyDown(KEY_LSHIFT) || input()->IsKeyDown(KEY_RSHIFT);
	bool ctrl = input()->IsKeyDown(KEY_LCONTROL) || input()->IsKeyDown(KEY_RCONTROL);
	bool alt = input()->IsKeyDown(KEY_LALT) || input()->IsKeyDown(KEY_RALT);
	if (ctrl && shift && alt && code == KEY_B)
		ActivateBuildMode();
	else if (ctrl && shift && alt && code == KEY_R)
	{
		VPANEL root = surface()->GetEmbeddedPanel();
		if (root)
		{
			// The scheme files stay loaded; re-applying them refreshes every panel.
			Panel *rootPanel = ipanel()->GetPanel(root, GetControlsModuleName());
			if (rootPanel)
				rootPanel->InvalidateLayout(false, true);
		}
	}
	else if (alt && code == KEY_F4)
		PostMessage(this, new KeyValues("CloseFrameButtonPressed"));
	else if (code == KEY_ESCAPE && input()->GetAppModalSurface() == GetVPanel())
		// Escape closes the app-modal frame.
		CloseModal();
	else if (code == KEY_ENTER)
	{
		VPANEL button = GetFocusNavGroup().GetCurrentDefaultButton();
		if (button && ipanel()->IsVisible(button) && ipanel()->IsEnabled(button))
			PostMessage(button, new KeyValues("Hotkey"));
	}
	else
		input()->OnKeyCodeUnhandled(code);
}

void Frame::OnKeyTyped(wchar_t unichar)
{
	Panel *panel = GetFocusNavGroup().FindPanelByHotkey(unichar);
	if (panel)
		PostMessage(panel, new KeyValues("Hotkey"));
}

void Frame::PaintBackground()
{
	Color bar = m_bHasFocus ? m_TitleBarBgColor : m_TitleBarDisabledBgColor;
	EditablePanel::PaintBackground();
	int w, h;
	GetSize(w, h);
	if (m_bDrawTitleBar)
	{
		int i = m_bSmallCaption ? 3 : 5;
		int bottom = m_bSmallCaption ? 14 : 28;
		surface()->DrawSetColor(bar);
		surface()->DrawFilledRect(i, i, w - i, bottom);
	}
	if (m_pTitle)
	{
		int x = m_iTitleTextInsetXOverride ? m_iTitleTextInsetXOverride : m_iTitleTextInsetX;
		int textWide = w - 72;
		if (m_pMenuButton->IsVisible())
		{
			int iw, ih;
			m_pMenuButton->GetImageSize(iw, ih);
			textWide -= iw;
			x += iw;
		}
		int y = m_iTitleTextInsetYOverride ? m_iTitleTextInsetYOverride : (m_bSmallCaption ? 2 : 9);
		m_pTitle->SetPos(x, y);
		m_pTitle->SetSize(textWide, surface()->GetFontTall(m_pTitle->GetFont()));
		m_pTitle->Paint();
	}
}

void Frame::PerformLayout()
{
	EditablePanel::PerformLayout();
	int w, h;
	GetSize(w, h);
	int d = GetDraggerSize(), c = GetCornerSize(), b = GetBottomRightSize(), k = GetCaptionHeight();
	m_pGrips[GRIP_TOP]->SetBounds(c, 0, w - 2 * c, d);
	m_pGrips[GRIP_LEFT]->SetBounds(0, c, d, h - 2 * c);
	m_pGrips[GRIP_TL]->SetBounds(0, 0, c, c);
	m_pGrips[GRIP_TR]->SetBounds(w - c, 0, c, c);
	m_pGrips[GRIP_BL]->SetBounds(0, h - c, c, c);
	m_pGrips[GRIP_BOTTOM]->SetBounds(c, h - d, w - (b + c), d);
	m_pGrips[GRIP_RIGHT]->SetBounds(w - d, c, d, h - (b + c));
	m_pGrips[GRIP_BR]->SetBounds(w - b, h - b, b, b);
	m_pCaptionGrip->SetSize(w - 10, k);

	for (Panel *grip : m_pGrips)
		grip->MoveToFront();
	m_pMaximizeButton->MoveToFront();
	m_pMenuButton->MoveToFront();
	m_pMinimizeButton->MoveToFront();
	m_pMinimizeToSysTrayButton->MoveToFront();

	m_pMenuButton->SetBounds(7, 8, k - 5, k - 5);

	float s = LayoutScale(this);
	int step = static_cast<int>(20 * s);
	int top = static_cast<int>((m_bSmallCaption ? 3 : 8) * s);
	int inset = static_cast<int>(5 * s);
	int offset = step;
	if (m_pCloseButton->IsVisible())
	{
		m_pCloseButton->SetPos(w - (inset + step), top);
		offset = 2 * step;
		LayoutProportional(m_pCloseButton);
	}
	for (FrameButton *button : { m_pMinimizeToSysTrayButton, m_pMaximizeButton, m_pMinimizeButton })
	{
		if (!button->IsVisible())
			continue;
		button->SetPos(w - (offset + inset), top);
		offset += step;
		LayoutProportional(button);
	}
}

void Frame::LayoutProportional(FrameButton *button)
{
	float s = LayoutScale(this);
	int size = static_cast<int>((m_bSmallCaption ? 12 : 18) * s);
	button->SetSize(size, size);
	button->SetTextInset(static_cast<int>(std::ceil(2 * s)), static_cast<int>(std::ceil(s)));
}

void Frame::GetClientArea(int &x, int &y, int &wide, int &tall)
{
	x = m_iClientInsetX;
	GetSize(wide, tall);
	if (m_bDrawTitleBar)
	{
		int f = m_pTitle ? surface()->GetFontTall(m_pTitle->GetFont()) : 0;
		int border = m_bSmallCaption ? 0 : 7;
		int yInset = (m_bSmallCaption ? 0 : m_iClientInsetY) + m_iTitleTextInsetYOverride;
		y = f + border + 1 + yInset;
		tall = tall - yInset - y;
	}
	if (m_bSmallCaption)
		tall -= 5;
	wide -= 2 * m_iClientInsetX;
}

void Frame::OnScreenSizeChanged(int oldwide, int oldtall)
{
	EditablePanel::OnScreenSizeChanged(oldwide, oldtall);
	if (IsProportional())
		return;
	int x, y, w, h, sw, sh;
	GetBounds(x, y, w, h);
	surface()->GetScreenSize(sw, sh);
	if (x + w > sw)
		x = sw - w;
	if (y + h > sh)
		y = sh - h;
	if (x < 0)
		x = 0;
	if (y < 0)
		y = 0;
	SetPos(x, y);
}

void Frame::LoadControlSettings(const char *dialogResourceName, const char *pathID, KeyValues *pPreloadedKeyValues,
                                KeyValues *pConditions)
{
	EditablePanel::LoadControlSettings(dialogResourceName, pathID, pPreloadedKeyValues, pConditions);
	Panel *def = GetFocusNavGroup().GetDefaultPanel();
	if (def)
		def->RequestFocus();
}

void Frame::ReleaseModal()
{
	if (input()->GetAppModalSurface() != GetVPanel())
		return;
	input()->ReleaseAppModalSurface();
	if (m_hPreviousModal)
	{
		input()->SetAppModalSurface(m_hPreviousModal);
		m_hPreviousModal = 0;
	}
}

void Frame::OnClose()
{
	ReleaseModal();
	EditablePanel::OnClose();
	if (m_flTransitionEffectTime == 0.0f)
	{
		SetVisible(false);
		m_bPreviouslyVisible = false;
		m_bFadingOut = false;
		OnFinishedClose();
		if (m_bDeleteSelfOnClose)
			MarkForDeletion();
	}
	else
	{
		GetAnimationController()->RunAnimationCommand(this, "alpha", 0.0f, 0.0f, m_flTransitionEffectTime,
		                                              AnimationController::INTERPOLATOR_LINEAR);
		m_bFadingOut = true;
	}
}

void Frame::Close() { OnClose(); }

void Frame::CloseModal()
{
	input()->ReleaseAppModalSurface();
	if (m_hPreviousModal)
	{
		input()->SetAppModalSurface(m_hPreviousModal);
		m_hPreviousModal = 0;
	}
	PostMessage(this, new KeyValues("Close"));
}

void Frame::OnMinimize() { m_bMinimized = true; }

void Frame::OnCloseFrameButtonPressed() { OnCommand("Close"); }

void Frame::Activate()
{
	MoveToFront();
	if (IsKeyBoardInputEnabled())
		RequestFocus();
	SetVisible(true);
	SetEnabled(true);
	if (m_bFadingOut)
	{
		m_bFadingOut = false;
		m_bPreviouslyVisible = false;
	}
	m_bMinimized = false;
}

void Frame::ActivateMinimized()
{
	// The surface of this build cannot minimise windows: activate normally.
	Activate();
}

void Frame::MoveToCenterOfScreen()
{
	int ww, wh;
	surface()->GetScreenSize(ww, wh);
	SetPos((ww - GetWide()) / 2, (wh - GetTall()) / 2);
}

void Frame::PlaceUnderCursor()
{
	int cx, cy;
	input()->GetCursorPos(cx, cy);
	InvalidateLayout(true);
	int fw, fh, sw, sh;
	GetSize(fw, fh);
	surface()->GetScreenSize(sw, sh);
	int x = cx - fw / 2;
	if (x + fw > sw)
		x = sw - fw;
	if (x < 0)
		x = 0;
	int y = cy - fh / 2;
	if (y + fh > sh)
		y = sh - fh;
	if (y < 0)
		y = 0;
	SetPos(x, y);
}

void Frame::DoModal()
{
	MoveToCenterOfScreen();
	InvalidateLayout();
	Activate();
	m_hPreviousModal = input()->GetAppModalSurface();
	input()->SetAppModalSurface(GetVPanel());
}

void Frame::SetSizeable(bool state)
{
	m_bSizeable = state;
	SetupResizeCursors();
}

void Frame::SetupResizeCursors()
{
	if (m_bSizeable)
	{
		m_pGrips[GRIP_TOP]->SetCursor(dc_sizens);
		m_pGrips[GRIP_BOTTOM]->SetCursor(dc_sizens);
		m_pGrips[GRIP_LEFT]->SetCursor(dc_sizewe);
		m_pGrips[GRIP_RIGHT]->SetCursor(dc_sizewe);
		m_pGrips[GRIP_TL]->SetCursor(dc_sizenwse);
		m_pGrips[GRIP_BR]->SetCursor(dc_sizenwse);
		m_pGrips[GRIP_TR]->SetCursor(dc_sizenesw);
		m_pGrips[GRIP_BL]->SetCursor(dc_sizenesw);
	}
	else
	{
		for (Panel *grip : m_pGrips)
			grip->SetCursor(dc_arrow);
	}
	m_pGrips[GRIP_BR]->SetPaintEnabled(m_bSizeable);
	m_pGrips[GRIP_BR]->SetPaintBackgroundEnabled(m_bSizeable);
}

void Frame::SetMenuButtonVisible(bool state) { m_pMenuButton->SetVisible(state); }
void Frame::SetMinimizeButtonVisible(bool state) { m_pMinimizeButton->SetVisible(state); }
void Frame::SetMaximizeButtonVisible(bool state) { m_pMaximizeButton->SetVisible(state); }
void Frame::SetMinimizeToSysTrayButtonVisible(bool state) { m_pMinimizeToSysTrayButton->SetVisible(state); }
void Frame::SetCloseButtonVisible(bool state) { m_pCloseButton->SetVisible(state); }
void Frame::SetMenuButtonResponsive(bool state) { m_pMenuButton->SetResponsive(state); }

void Frame::SetTitleBarVisible(bool state)
{
	m_bDrawTitleBar = state;
	SetMenuButtonVisible(state);
	SetMinimizeButtonVisible(state);
	SetMaximizeButtonVisible(state);
	SetCloseButtonVisible(state);
}

void Frame::SetSmallCaption(bool state)
{
	m_bSmallCaption = state;
	InvalidateLayout();
}

void Frame::FlashWindow()
{
	m_bFlashing = true;
	InternalFlashWindow();
}

void Frame::InternalFlashWindow()
{
	if (!m_bFlashing)
		return;
	PostMessage(this, new KeyValues("FlashWindow"), 1.8f);
}

void Frame::FlashWindowStop() { m_bFlashing = false; }

Menu *Frame::GetSysMenu()
{
	if (!m_pSysMenu)
	{
		m_pSysMenu = new Menu(this, nullptr);
		m_pSysMenu->SetVisible(false);
	}
	return m_pSysMenu;
}

void Frame::SetSysMenu(Menu *menu)
{
	if (menu == m_pSysMenu)
		return;
	if (m_pSysMenu)
		m_pSysMenu->MarkForDeletion();
	m_pSysMenu = menu;
	m_pMenuButton->SetMenu(menu);
}
}
