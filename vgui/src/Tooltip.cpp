// Tooltips: the per-panel state, the delay, and the shared text window sized to a pleasant
// shape (at least twice as wide as tall) and placed beside the cursor.
#include "vgui_controls/Tooltip.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tier1/tier3.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/PHandle.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
namespace
{
// The shared window: a read-only text window with the text entry operations the tooltip uses
// (text, font, editable and multi-line switches, sizing to the text, line count). It stands in
// for the data controls' TextEntry until that control exists.
class TooltipTextWindow : public Panel
{
public:
	TooltipTextWindow(Panel *parent, const char *name) : Panel(parent, name) {}

	void SetText(const char *text)
	{
		m_Text = text ? text : "";
		Repaint();
	}
	void GetText(char *buffer, int bufferSize)
	{
		if (!buffer || bufferSize <= 0)
			return;
		size_t n = std::min(m_Text.size(), static_cast<size_t>(bufferSize - 1));
		memcpy(buffer, m_Text.data(), n);
		buffer[n] = '\0';
	}
	int GetTextLength() { return static_cast<int>(m_Text.size()); }
	void SetFont(HFont font) { m_Font = font; }
	void SetEditable(bool state) { m_bEditable = state; }
	void SetMultiline(bool state) { m_bMultiline = state; }
	// Width that holds the text on one line.
	void SetToFullWidth() { SetWide(TextWidth(m_Text) + 2 * kMargin); }
	// Height that holds the text wrapped at the current width.
	void SetToFullHeight() { SetTall(GetNumLines() * surface()->GetFontTall(m_Font) + 2 * kMargin); }
	int GetNumLines() { return static_cast<int>(Lines().size()); }
	// A popup above the others that appears in no task bar.
	void MakePopup(bool showTaskbarIcon, bool disabled)
	{
		surface()->CreatePopup(GetVPanel(), false, showTaskbarIcon, disabled, true, true);
	}

	void Paint() override
	{
		int tall = surface()->GetFontTall(m_Font);
		surface()->DrawSetTextFont(m_Font);
		surface()->DrawSetTextColor(GetFgColor());
		std::vector<std::string> lines = Lines();
		for (size_t i = 0; i < lines.size(); ++i)
		{
			surface()->DrawSetTextPos(kMargin, kMargin + static_cast<int>(i) * tall);
			for (char c : lines[i])
				surface()->DrawUnicodeChar(static_cast<unsigned char>(c));
		}
	}

private:
	static const int kMargin = 2;

	int TextWidth(const std::string &text)
	{
		int wide = 0;
		for (char c : text)
			wide += surface()->GetCharacterWidth(m_Font, static_cast<unsigned char>(c));
		return wide;
	}

	// Single line: the text as it is. Multi-line: words wrapped at the inner width, a word
	// wider than a line cut where it reaches the edge; line feeds always start a line.
	std::vector<std::string> Lines()
	{
		std::vector<std::string> lines(1);
		if (!m_bMultiline)
		{
			lines[0] = m_Text;
			return lines;
		}
		int room = GetWide() - 2 * kMargin;
		size_t i = 0;
		while (i < m_Text.size())
		{
			if (m_Text[i] == '\n')
			{
				lines.emplace_back();
				++i;
				continue;
			}
			size_t end = m_Text.find_first_of(" \n", i);
			if (end == std::string::npos)
				end = m_Text.size();
			std::string word = m_Text.substr(i, end - i);
			std::string &line = lines.back();
			if (!line.empty() && TextWidth(line + word) > room)
				lines.emplace_back();
			for (char c : word)
			{
				if (!lines.back().empty() && TextWidth(lines.back() + c) > room)
					lines.emplace_back();
				lines.back() += c;
			}
			if (end < m_Text.size() && m_Text[end] == ' ')
			{
				lines.back() += ' ';
				++end;
			}
			i = end;
		}
		return lines;
	}

	std::string m_Text;
	HFont m_Font = 0;
	bool m_bEditable = true;
	bool m_bMultiline = false;
};

PHandle s_TooltipWindow;
int s_iTooltipWindowCount = 0;

TooltipTextWindow *Window() { return static_cast<TooltipTextWindow *>(s_TooltipWindow.Get()); }

void MakeWindowPopup(TooltipTextWindow *window)
{
	window->MakePopup(false, true);
	window->SetKeyBoardInputEnabled(false);
	window->SetMouseInputEnabled(false);
}

int NowMilliseconds() { return system() ? static_cast<int>(system()->GetTimeMillis()) : 0; }
}

BaseTooltip::BaseTooltip(Panel *, const char *text) : m_nShowTime(0), m_nDelay(500), m_Flags(ENABLED)
{
	BaseTooltip::SetText(text);
}

BaseTooltip::~BaseTooltip() = default;

void BaseTooltip::SetText(const char *text)
{
	SetFlag(DIRTY, true);
	if (!text)
		text = "";
	m_TipText.RemoveAll();
	for (const char *c = text; *c; ++c)
		m_TipText.AddToTail(*c);
	m_TipText.AddToTail('\0');
}

const char *BaseTooltip::GetText() { return m_TipText.Count() ? m_TipText.Base() : ""; }

void BaseTooltip::ResetDelay()
{
	SetFlag(DIRTY, true);
	m_nShowTime = NowMilliseconds() + m_nDelay;
}

void BaseTooltip::SetTooltipDelay(int tooltipDelayMilliseconds) { m_nDelay = tooltipDelayMilliseconds; }

void BaseTooltip::SetTooltipFormatToSingleLine()
{
	SetFlag(SINGLE_LINE, true);
	SetFlag(DIRTY, true);
}

void BaseTooltip::SetEnabled(bool state) { SetFlag(ENABLED, state); }

void BaseTooltip::ShowTooltip(Panel *)
{
	SetFlag(SHOWING, true);
	PerformLayout();
}

void BaseTooltip::HideTooltip()
{
	SetFlag(SHOWING, false);
	SetFlag(DIRTY, true);
}

void BaseTooltip::PerformLayout() {}
void BaseTooltip::ApplySchemeSettings(IScheme *) {}

// Right of the cursor and below it when the window fits there, else flipped.
void BaseTooltip::PositionWindow(Panel *tipPanel)
{
	int tipWide, tipTall, cursorX = 0, cursorY = 0, screenWide, screenTall;
	tipPanel->GetSize(tipWide, tipTall);
	input()->GetCursorPos(cursorX, cursorY);
	surface()->GetScreenSize(screenWide, screenTall);
	if (screenWide - tipWide > cursorX)
	{
		int y = screenTall - tipTall > cursorY + 20 ? cursorY + 20 : cursorY - tipTall;
		tipPanel->SetPos(cursorX, y);
	}
	else
	{
		int y = screenTall - tipTall > cursorY ? cursorY : cursorY - 20 - tipTall;
		tipPanel->SetPos(cursorX - tipWide, y);
	}
}

TextTooltip::TextTooltip(Panel *parent, const char *text) : BaseTooltip(parent, text)
{
	if (!Window())
	{
		auto *window = new TooltipTextWindow(nullptr, "tooltip");
		s_TooltipWindow = window;
		window->InvalidateLayout(true);
		if (IScheme *pScheme = scheme()->GetIScheme(window->GetScheme()))
		{
			window->SetBgColor(window->GetSchemeColor("Tooltip.BgColor", window->GetBgColor(), pScheme));
			window->SetFgColor(window->GetSchemeColor("Tooltip.TextColor", window->GetFgColor(), pScheme));
			window->SetBorder(pScheme->GetBorder("ToolTipBorder"));
			window->SetFont(pScheme->GetFont("DefaultSmall", window->IsProportional()));
		}
	}
	++s_iTooltipWindowCount;
	TooltipTextWindow *window = Window();
	MakeWindowPopup(window);
	SetText(text);
	window->SetText(GetText());
	window->SetEditable(false);
	window->SetMultiline(true);
	window->SetVisible(false);
}

void TextTooltip::SetText(const char *text)
{
	BaseTooltip::SetText(text);
	if (TooltipTextWindow *window = Window())
		window->SetText(GetText());
}

void TextTooltip::ShowTooltip(Panel *currentPanel)
{
	if (TooltipTextWindow *window = Window())
	{
		if (window->GetTextLength() == 0)
		{
			SetFlag(SHOWING, false);
			return;
		}
		if (window->GetParent() != currentPanel)
			SetFlag(DIRTY, true);
		window->SetText(GetText());
		window->SetParent(currentPanel);
	}
	BaseTooltip::ShowTooltip(currentPanel);
}

void TextTooltip::HideTooltip()
{
	if (TooltipTextWindow *window = Window())
		window->SetVisible(false);
	BaseTooltip::HideTooltip();
}

void TextTooltip::PerformLayout()
{
	TooltipTextWindow *window = Window();
	if (!Flag(SHOWING) || m_nShowTime > NowMilliseconds() || !Flag(DIRTY) || !window)
		return;
	SetFlag(DIRTY, false);
	window->SetVisible(true);
	MakeWindowPopup(window);
	SizeTextWindow();
	PositionWindow(window);
}

void TextTooltip::ApplySchemeSettings(IScheme *pScheme)
{
	if (TooltipTextWindow *window = Window())
		if (pScheme)
			window->SetFont(pScheme->GetFont("DefaultSmall", window->IsProportional()));
}

void TextTooltip::SizeTextWindow()
{
	TooltipTextWindow *window = Window();
	if (!window)
		return;
	window->SetMultiline(false);
	window->SetToFullWidth();
	if (Flag(SINGLE_LINE))
		return;
	int wide, tall;
	window->GetSize(wide, tall);
	window->SetMultiline(true);
	window->SetSize(static_cast<int>(std::sqrt(2.0 * wide * tall)), 0);
	window->SetToFullHeight();
	window->GetSize(wide, tall);
	if (wide < 100 && window->GetNumLines() == 2)
	{
		window->SetMultiline(false);
		window->SetToFullWidth();
		return;
	}
	while (static_cast<float>(wide) / static_cast<float>(tall) < 2.0f)
	{
		window->SetWide(wide + 1);
		window->SetToFullHeight();
		window->GetSize(wide, tall);
	}
}
}
