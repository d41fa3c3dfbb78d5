// vgui::ExpandButton: posts "Expanded" on every change of its selected state and paints the
// Marlett arrow for that state, centred.
#include "vgui_controls/ExpandButton.h"

#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
namespace
{
Panel *Create_ExpandButton() { return new ExpandButton(nullptr, nullptr); }
CBuildFactoryHelper g_ExpandButton_Helper("ExpandButton", Create_ExpandButton);
}

ExpandButton::ExpandButton(Panel *parent, const char *panelName)
    : ToggleButton(parent, panelName, ""), m_hFont(0), m_Color(0, 0, 0, 0)
{
}

ExpandButton::~ExpandButton() = default;

void ExpandButton::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	m_Color = GetSchemeColor("ExpandButton.Color", pScheme);
	m_hFont = pScheme->GetFont("Marlett", IsProportional());
	SetPaintBackgroundEnabled(false);
}

IBorder *ExpandButton::GetBorder(bool, bool, bool, bool) { return nullptr; }

void ExpandButton::SetSelected(bool state)
{
	if (state == IsSelected())
		return;
	PostActionSignal(new KeyValues("Expanded", "state", state ? 1 : 0));
	Button::SetSelected(state);
}

void ExpandButton::Paint()
{
	surface()->DrawSetTextFont(m_hFont);
	wchar_t code = IsSelected() ? L'6' : L'4';
	int tw = surface()->GetCharacterWidth(m_hFont, code);
	int th = surface()->GetFontTall(m_hFont);
	int w, h;
	GetSize(w, h);
	surface()->DrawSetTextColor(m_Color);
	surface()->DrawSetTextPos((w - tw) / 2, (h - th) / 2);
	surface()->DrawUnicodeChar(code);
}
}
