// vgui::TextImage: localised text measured and drawn character by character through the engine
// surface, with cached wrap points, centring indents and the three-dot cut.
#include "vgui_controls/TextImage.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cwchar>
#include <cwctype>

#include "tier1/strtools.h"
#include "tier1/tier3.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
namespace
{
bool IsLineEnd(wchar_t ch) { return ch == L'\n' || ch == L'\r'; }

// The whole-pixel width of a character between its neighbours.
int MeasuredWidth(HFont font, wchar_t ch, wchar_t before, wchar_t after)
{
	float wide = 0.0f, abcA = 0.0f;
	surface()->GetKernedCharWidth(font, ch, before, after, wide, abcA);
	return static_cast<int>(std::floor(wide + 0.6f));
}
}

TextImage::TextImage(const char *text)
    : m_Text(nullptr), m_nBufferChars(0), m_nTextChars(0), m_hFont(0), m_hFallbackFont(0), m_nDrawWidth(0),
      m_nTokenIndex(INVALID_LOCALIZE_STRING_INDEX), m_pEllipsisAt(nullptr), m_Flags(0), m_bCenterWrap(false)
{
	SetText(text);
}

TextImage::TextImage(const wchar_t *wszText)
    : m_Text(nullptr), m_nBufferChars(0), m_nTextChars(0), m_hFont(0), m_hFallbackFont(0), m_nDrawWidth(0),
      m_nTokenIndex(INVALID_LOCALIZE_STRING_INDEX), m_pEllipsisAt(nullptr), m_Flags(0), m_bCenterWrap(false)
{
	SetText(wszText, false);
}

TextImage::~TextImage() { delete[] m_Text; }

wchar_t TextImage::Shown(wchar_t ch) const { return Flag(ALL_CAPS) ? static_cast<wchar_t>(towupper(ch)) : ch; }

// Whether the character at `at` begins a wrapped line; nextBreak walks the sorted break list.
bool TextImage::IsBreak(const wchar_t *at, int &nextBreak) const
{
	while (nextBreak < m_BreakPoints.Count() && m_BreakPoints[nextBreak] < at)
		++nextBreak;
	if (nextBreak < m_BreakPoints.Count() && m_BreakPoints[nextBreak] == at)
	{
		++nextBreak;
		return true;
	}
	return false;
}

void TextImage::SetText(const char *text)
{
	if (!text)
		text = "";
	m_Token = "";
	if (text[0] == '#')
	{
		m_Token = text + 1;
		m_nTokenIndex = g_pVGuiLocalize ? g_pVGuiLocalize->FindIndex(text + 1) : INVALID_LOCALIZE_STRING_INDEX;
		if (m_nTokenIndex != INVALID_LOCALIZE_STRING_INDEX)
		{
			SetText(g_pVGuiLocalize->GetValueByIndex(m_nTokenIndex), false);
			return;
		}
		++text;
	}
	wchar_t unicode[1024];
	unicode[0] = L'\0';
	if (g_pVGuiLocalize)
		g_pVGuiLocalize->ConvertANSIToUnicode(text, unicode, sizeof(unicode));
	SetText(unicode, false);
}

// Texts past the 16-bit length are cut to the longest that fits.
void TextImage::SetText(const wchar_t *text, bool bClearUnlocalizedSymbol)
{
	if (bClearUnlocalizedSymbol)
		m_nTokenIndex = INVALID_LOCALIZE_STRING_INDEX;
	if (!text)
		text = L"";
	size_t length = std::min(wcslen(text), static_cast<size_t>(kMaxTextChars));
	if (length >= static_cast<size_t>(m_nBufferChars))
	{
		delete[] m_Text;
		m_Text = new wchar_t[length + 1];
		m_nBufferChars = static_cast<short>(length + 1);
	}
	m_BreakPoints.RemoveAll();
	m_LineIndents.RemoveAll();
	m_pEllipsisAt = nullptr;
	wmemmove(m_Text, text, length);
	m_Text[length] = L'\0';
	m_nTextChars = static_cast<short>(length);
	SetFlag(NEEDS_RECALC, true);
}

void TextImage::GetText(char *buffer, int bufferSize)
{
	if (!buffer || bufferSize <= 0)
		return;
	buffer[0] = '\0';
	if (g_pVGuiLocalize)
		g_pVGuiLocalize->ConvertUnicodeToANSI(m_Text, buffer, bufferSize);
	if (Flag(ALL_CAPS))
		for (char *c = buffer; *c; ++c)
			*c = static_cast<char>(toupper(static_cast<unsigned char>(*c)));
}

void TextImage::GetText(wchar_t *buffer, int bufferSizeInBytes)
{
	int capacity = bufferSizeInBytes / static_cast<int>(sizeof(wchar_t));
	if (!buffer || capacity <= 0)
		return;
	int n = std::min(static_cast<int>(m_nTextChars), capacity - 1);
	for (int i = 0; i < n; ++i)
		buffer[i] = Shown(m_Text[i]);
	buffer[n] = L'\0';
}

void TextImage::GetUnlocalizedText(char *buffer, int bufferSize)
{
	const char *name = m_nTokenIndex != INVALID_LOCALIZE_STRING_INDEX && g_pVGuiLocalize
	                       ? g_pVGuiLocalize->GetNameByIndex(m_nTokenIndex)
	                       : nullptr;
	if (!name)
	{
		GetText(buffer, bufferSize);
		return;
	}
	if (buffer && bufferSize > 0)
		V_snprintf(buffer, bufferSize, "#%s", name);
}

StringIndex_t TextImage::GetUnlocalizedTextSymbol() { return m_nTokenIndex; }

void TextImage::SetFont(HFont font)
{
	m_hFont = font;
	SetFlag(NEEDS_RECALC, true);
}

HFont TextImage::GetFont() { return Flag(ON_FALLBACK) ? m_hFallbackFont : m_hFont; }

void TextImage::SetDrawWidth(int width)
{
	m_nDrawWidth = width;
	SetFlag(NEEDS_RECALC, true);
}

void TextImage::SetSize(int wide, int tall)
{
	Image::SetSize(wide, tall);
	m_nDrawWidth = wide;
	SetFlag(NEEDS_RECALC, true);
}

void TextImage::SetWrap(bool bWrap) { SetFlag(WRAP, bWrap); }
void TextImage::SetCenterWrap(bool bWrap) { m_bCenterWrap = bWrap; }
void TextImage::SetAllCaps(bool bAllCaps) { SetFlag(ALL_CAPS, bAllCaps); }

void TextImage::SetUseFallbackFont(bool bState, HFont hFallback)
{
	SetFlag(FALLBACK_ALLOWED, bState);
	m_hFallbackFont = hFallback;
}

void TextImage::GetContentSize(int &wide, int &tall) { GetTextSize(wide, tall); }

void TextImage::ResizeImageToContent()
{
	int wide, tall;
	GetContentSize(wide, tall);
	SetSize(wide, tall);
}

void TextImage::RecalculateNewLinePositions()
{
	m_BreakPoints.RemoveAll();
	m_LineIndents.RemoveAll();
	if (!m_Text)
		return;
	HFont font = GetFont();
	wchar_t *wsz = m_Text;
	if (IsLineEnd(*wsz))
		++wsz;
	int x = 0;
	bool lineIsNew = true, inWord = false, wordBeganLine = true;
	wchar_t *wordStart = m_Text;
	for (; *wsz; ++wsz)
	{
		if (*wsz == L'&' && wsz[1])
			++wsz;
		wchar_t ch = Shown(*wsz);
		if (iswspace(ch))
			inWord = false;
		else if (!inWord)
		{
			inWord = true;
			wordStart = wsz;
			wordBeganLine = lineIsNew;
		}
		x += MeasuredWidth(font, ch, wsz > m_Text ? wsz[-1] : 0, wsz[1]);
		if (!iswcntrl(ch))
			lineIsNew = false;
		if (x <= m_nDrawWidth)
		{
			if (IsLineEnd(ch))
			{
				x = 0;
				lineIsNew = true;
			}
			continue;
		}
		x = 0;
		lineIsNew = true;
		if (IsLineEnd(ch))
			continue;
		if (wordBeganLine)
		{
			// A word longer than the line: break inside it, at this character.
			m_BreakPoints.AddToTail(wsz);
			lineIsNew = false;
		}
		else
		{
			m_BreakPoints.AddToTail(wordStart);
			wsz = wordStart - 1;
			inWord = false;
		}
	}
	RecalculateCenterWrapIndents();
}

void TextImage::RecalculateCenterWrapIndents()
{
	m_LineIndents.RemoveAll();
	HFont font = GetFont();
	if (!m_bCenterWrap || !m_Text || !font)
		return;
	int lineWidth = 0, nextBreak = 0;
	auto closeLine = [&]() {
		m_LineIndents.AddToTail(static_cast<int>((m_nDrawWidth - lineWidth) * 0.5));
		lineWidth = 0;
	};
	for (wchar_t *wsz = m_Text; *wsz; ++wsz)
	{
		if (*wsz == L'&')
		{
			if (wsz[1] != L'&')
				continue;
			++wsz;
		}
		if (*wsz == L'\r')
			continue;
		if (*wsz == L'\n')
		{
			closeLine();
			continue;
		}
		if (IsBreak(wsz, nextBreak))
			closeLine();
		lineWidth += MeasuredWidth(font, Shown(*wsz), wsz > m_Text ? wsz[-1] : 0, wsz[1]);
	}
	closeLine();
}

void TextImage::RecalculateEllipsesPosition()
{
	SetFlag(NEEDS_RECALC, false);
	m_pEllipsisAt = nullptr;
	if (!m_Text || Flag(WRAP) || m_bCenterWrap || wcschr(m_Text, L'\n'))
		return;
	if (m_nDrawWidth == 0)
	{
		int wide, tall;
		GetSize(wide, tall);
		m_nDrawWidth = wide;
	}
	for (int pass = 0; pass < 2; ++pass)
	{
		HFont font = GetFont();
		int dots = 3 * surface()->GetCharacterWidth(font, '.');
		int x = 0, measured = 0;
		for (wchar_t *wsz = m_Text; *wsz; ++wsz)
		{
			if (*wsz == L'\r')
				continue;
			if (*wsz == L'&')
			{
				if (wsz[1] != L'&')
					continue;
				++wsz;
			}
			int w = MeasuredWidth(font, Shown(*wsz), wsz > m_Text ? wsz[-1] : 0, wsz[1]);
			if (measured++ > 0 && x + w + dots > m_nDrawWidth)
			{
				long long rest = w;
				for (wchar_t *after = wsz + 1; *after; ++after)
					rest += surface()->GetCharacterWidth(font, Shown(*after));
				if (x + rest > m_nDrawWidth)
				{
					m_pEllipsisAt = wsz;
					break;
				}
			}
			x += w;
		}
		if (!m_pEllipsisAt || pass > 0 || !Flag(FALLBACK_ALLOWED) || !m_hFallbackFont)
			return;
		m_pEllipsisAt = nullptr;
		SetFlag(ON_FALLBACK, true);
	}
}

void TextImage::Paint()
{
	HFont font = GetFont();
	if (!m_Text || !font)
		return;
	if (Flag(NEEDS_RECALC))
	{
		if (Flag(WRAP) || m_bCenterWrap)
			RecalculateNewLinePositions();
		RecalculateEllipsesPosition();
		font = GetFont();
	}
	DrawSetTextColor(GetColor());
	DrawSetTextFont(font);
	int lineHeight = surface()->GetFontTall(font);
	int originX, originY;
	GetPos(originX, originY);
	bool centred = m_bCenterWrap && m_LineIndents.Count() > 0;
	float x = centred ? static_cast<float>(m_LineIndents[0]) : 0.0f;
	int y = 0, line = 0, nextBreak = 0;
	auto newLine = [&]() {
		y += lineHeight;
		++line;
		x = m_bCenterWrap && line < m_LineIndents.Count() ? static_cast<float>(m_LineIndents[line]) : 0.0f;
	};
	bool cut = false;
	for (wchar_t *wsz = m_Text; *wsz; ++wsz)
	{
		wchar_t ch = Shown(*wsz);
		if (ch == L'\r' || ch < 9)
			continue;
		if (ch == L'&')
		{
			if (wsz[1] != L'&')
				continue;
			++wsz;
		}
		if (ch == L'\n')
		{
			newLine();
			continue;
		}
		if (wsz == m_pEllipsisAt)
		{
			cut = true;
			break;
		}
		if (IsBreak(wsz, nextBreak))
			newLine();
		float wide = 0.0f, abcA = 0.0f;
		surface()->GetKernedCharWidth(font, ch, wsz > m_Text ? wsz[-1] : 0, wsz[1], wide, abcA);
		surface()->DrawSetTextPos(originX + static_cast<int>(std::floor(x + abcA + 0.6f)), originY + y);
		surface()->DrawUnicodeChar(ch);
		x += wide;
		if (iswspace(ch))
			x = std::ceil(x);
	}
	if (cut)
	{
		int dotWide = surface()->GetCharacterWidth(font, '.');
		for (int i = 0; i < 3; ++i)
		{
			surface()->DrawSetTextPos(originX + static_cast<int>(x) + i * dotWide, originY + y);
			surface()->DrawUnicodeChar(L'.');
		}
	}
}

void TextImage::GetTextSize(int &wide, int &tall)
{
	wide = tall = 0;
	HFont font = GetFont();
	if (!font)
		return;
	tall = surface()->GetFontTall(font);
	bool wrapping = Flag(WRAP) || m_bCenterWrap;
	if (wrapping)
		RecalculateNewLinePositions();
	int lineWidth = 0, widest = 0, nextBreak = 0;
	for (int i = 0; m_Text && i < m_nTextChars; ++i)
	{
		wchar_t ch = Shown(m_Text[i]);
		if (ch == L'&')
			continue;
		float w = 0.0f, abcA = 0.0f;
		surface()->GetKernedCharWidth(font, ch, i > 0 ? m_Text[i - 1] : 0, m_Text[i + 1], w, abcA);
		if (iswspace(ch))
			w = std::ceil(w);
		lineWidth += static_cast<int>(std::floor(w + 0.6f));
		if (ch == L'\n' || (wrapping && IsBreak(&m_Text[i], nextBreak)))
		{
			tall += surface()->GetFontTall(font);
			widest = std::max(widest, lineWidth);
			lineWidth = 0;
		}
	}
	wide = lineWidth + 2 + (m_nTextChars < 3 ? 3 : 0);
	wide = std::max(wide, widest);
}
}
