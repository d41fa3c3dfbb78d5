// vgui::TextImage: an image that draws wide text in one font, localising "#token" texts,
// wrapping words (optionally centring lines), cutting a single line with three dots, falling
// back to a second font, showing capitals, and treating "&" as the hotkey marker.
#pragma once

#include "tier1/utlstring.h"
#include "tier1/utlvector.h"
#include "vgui/ILocalize.h"
#include "vgui_controls/Image.h"

namespace vgui
{
class TextImage : public Image
{
public:
	explicit TextImage(const char *text);
	explicit TextImage(const wchar_t *wszText);
	~TextImage() override;

	void Paint() override;
	void SetPos(int x, int y) override { Image::SetPos(x, y); }
	void GetContentSize(int &wide, int &tall) override;
	void GetSize(int &wide, int &tall) override { Image::GetSize(wide, tall); }
	void SetSize(int wide, int tall) override;
	void SetColor(Color color) override { Image::SetColor(color); }

	virtual void SetText(const char *text);
	virtual void SetText(const wchar_t *text, bool bClearUnlocalizedSymbol = false);
	virtual void GetText(char *buffer, int bufferSize);
	virtual void GetText(wchar_t *buffer, int bufferSizeInBytes);
	virtual void GetUnlocalizedText(char *buffer, int bufferSize);
	virtual StringIndex_t GetUnlocalizedTextSymbol();
	virtual void SetFont(HFont font);
	virtual HFont GetFont();
	virtual void GetTextSize(int &wide, int &tall);

	void SetDrawWidth(int width);
	void SetWrap(bool bWrap);
	void SetCenterWrap(bool bWrap);
	void SetUseFallbackFont(bool bState, HFont hFallback);
	void SetAllCaps(bool bAllCaps);
	void ResizeImageToContent();
	void RecalculateNewLinePositions();
	void RecalculateEllipsesPosition();
	void RecalculateCenterWrapIndents();

	// The longest text kept; longer texts are cut to it.
	static const int kMaxTextChars = 32766;

private:
	bool Flag(unsigned char bit) const { return (m_Flags & bit) != 0; }
	void SetFlag(unsigned char bit, bool state) { m_Flags = state ? (m_Flags | bit) : (m_Flags & ~bit); }
	wchar_t Shown(wchar_t ch) const;
	bool IsBreak(const wchar_t *at, int &nextBreak) const;

	enum : unsigned char
	{
		NEEDS_RECALC = 0x01,
		WRAP = 0x02,
		FALLBACK_ALLOWED = 0x04,
		ON_FALLBACK = 0x08,
		ALL_CAPS = 0x10,
	};

	CUtlString m_Token;
	wchar_t *m_Text;
	short m_nBufferChars;
	short m_nTextChars;
	HFont m_hFont;
	HFont m_hFallbackFont;
	int m_nDrawWidth;
	StringIndex_t m_nTokenIndex;
	wchar_t *m_pEllipsisAt;
	unsigned char m_Flags;
	CUtlVector<wchar_t *> m_BreakPoints;
	bool m_bCenterWrap;
	CUtlVector<int> m_LineIndents;
};
}
