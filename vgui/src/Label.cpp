// vgui::Label: its text image and image list, alignment and painting, hotkeys, association,
// settings and scheme colours.
#include "vgui_controls/Label.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "tier1/tier3.h"
#include "vgui/IInput.h"
#include "vgui/ILocalize.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/TextImage.h"

namespace vgui
{
DECLARE_BUILD_FACTORY_DEFAULT_TEXT(Label, Label)

namespace
{
const char *const kAlignmentNames[] = { "north-west", "north", "north-east", "west",     "center",
	                                    "east",       "south-west", "south", "south-east" };

char *CopyString(const char *text)
{
	size_t n = strlen(text) + 1;
	char *copy = new char[n];
	memcpy(copy, text, n);
	return copy;
}
}

Label::Label(Panel *parent, const char *panelName, const char *text) : Panel(parent, panelName)
{
	InitLabel(text, nullptr);
}

Label::Label(Panel *parent, const char *panelName, const wchar_t *wszText) : Panel(parent, panelName)
{
	InitLabel(nullptr, wszText);
}

// Overridable colours ("disabledfgcolor2_override") are registered by the settings code of
// Panel once it offers that registration.
void Label::InitLabel(const char *text, const wchar_t *wszText)
{
	_contentAlignment = a_west;
	_textInset[0] = _textInset[1] = 0;
	_disabledFgColor1 = Color(0, 0, 0, 0);
	_disabledFgColor2 = Color(0, 0, 0, 0);
	_associateColor = Color(0, 0, 0, 0);
	_textImageIndex = -1;
	_textColorState = CS_NORMAL;
	_associateName = nullptr;
	_fontOverrideName = nullptr;
	_hotkey = 0;
	m_bWrap = m_bCenterWrap = m_bAllCaps = m_bAutoWideToContents = m_bAutoWideDirty = false;
	m_bUseProportionalInsets = false;
	m_clrExpensiveShadow = Color(0, 0, 0, 180);
	m_iExpensiveShadowDistance = 0;

	_textImage = wszText ? new TextImage(wszText) : new TextImage(text);
	_textImage->SetColor(Color(0, 0, 0, 0));
	if (wszText)
	{
		SetText(wszText, false);
		// The text image already holds the text, so SetText saw no change: take the hotkey here.
		_hotkey = CalculateHotkey(wszText);
	}
	else
		SetText(text);
	_textImageIndex = AddImage(_textImage, 0);
}

Label::~Label()
{
	delete _textImage;
	delete[] _associateName;
	delete[] _fontOverrideName;
}

// Text.

void Label::SetText(const char *text)
{
	if (!text)
		text = "";
	_textImage->SetText(text);
	if (text[0] == '#')
		_hotkey = CalculateHotkey(g_pVGuiLocalize ? g_pVGuiLocalize->Find(text) : nullptr);
	else
		_hotkey = CalculateHotkey(text);
	m_bAutoWideDirty = m_bAutoWideToContents;
	InvalidateLayout();
	Repaint();
}

void Label::SetText(const wchar_t *unicodeString, bool bClearUnlocalizedSymbol)
{
	m_bAutoWideDirty = m_bAutoWideToContents;
	if (!unicodeString)
		unicodeString = L"";
	// The current text, read one character past the new one's length, tells a change.
	size_t length = std::min(wcslen(unicodeString), static_cast<size_t>(TextImage::kMaxTextChars));
	CUtlVector<wchar_t> current;
	current.SetCount(static_cast<int>(length) + 2);
	_textImage->GetText(current.Base(), current.Count() * static_cast<int>(sizeof(wchar_t)));
	if (!wcsncmp(current.Base(), unicodeString, length + 1))
		return;
	_textImage->SetText(unicodeString, bClearUnlocalizedSymbol);
	_hotkey = CalculateHotkey(unicodeString);
	InvalidateLayout();
	Repaint();
}

void Label::GetText(char *textOut, int bufferLen) { _textImage->GetText(textOut, bufferLen); }
void Label::GetText(wchar_t *textOut, int bufLenInBytes) { _textImage->GetText(textOut, bufLenInBytes); }
void Label::GetValueForLua(char *buffer, int bufferSize) { GetText(buffer, bufferSize); }

void Label::OnSetText(KeyValues *params)
{
	KeyValues *text = params ? params->FindKey("text") : nullptr;
	if (!text)
		return;
	if (text->GetDataType() == KeyValues::TYPE_STRING)
		SetText(text->GetString());
	else if (text->GetDataType() == KeyValues::TYPE_WSTRING)
		SetText(text->GetWString(), false);
}

bool Label::RequestInfo(KeyValues *outputData)
{
	if (outputData && !V_stricmp(outputData->GetName(), "GetText"))
	{
		wchar_t text[256];
		_textImage->GetText(text, sizeof(text));
		outputData->SetWString("text", text);
		return true;
	}
	return BaseClass::RequestInfo(outputData);
}

void Label::OnDialogVariablesChanged(KeyValues *dialogVariables)
{
	StringIndex_t index = _textImage->GetUnlocalizedTextSymbol();
	if (index == INVALID_LOCALIZE_STRING_INDEX || !g_pVGuiLocalize)
		return;
	wchar_t text[1024];
	g_pVGuiLocalize->ConstructString(text, sizeof(text), index, dialogVariables);
	SetText(text, false);
}

// Hotkeys.

wchar_t Label::CalculateHotkey(const char *text)
{
	for (const char *c = text; c && *c; ++c)
	{
		if (*c != '&')
			continue;
		if (c[1] == '&')
		{
			++c;
			continue;
		}
		if (isalnum(static_cast<unsigned char>(c[1])))
			return static_cast<wchar_t>(tolower(static_cast<unsigned char>(c[1])));
	}
	return 0;
}

wchar_t Label::CalculateHotkey(const wchar_t *text)
{
	for (const wchar_t *c = text; c && *c; ++c)
	{
		if (*c != L'&')
			continue;
		if (c[1] == L'&')
		{
			++c;
			continue;
		}
		if (iswalnum(c[1]))
			return static_cast<wchar_t>(towlower(c[1]));
	}
	return 0;
}

void Label::SetHotkey(wchar_t key) { _hotkey = key; }
wchar_t Label::GetHotKey() { return _hotkey; }

// A label without a hotkey answers to no key, not even NUL.
Panel *Label::HasHotkey(wchar_t key)
{
	if (!_hotkey)
		return nullptr;
	if (iswalnum(key))
		key = static_cast<wchar_t>(towlower(key));
	return _hotkey == key ? this : nullptr;
}

void Label::OnHotkeyPressed()
{
	if (_associate.Get() && !IsBuildModeActive())
		_associate->RequestFocus(0);
}

// Association.

void Label::SetAssociatedControl(Panel *control) { _associate = control != this ? control : nullptr; }

void Label::OnRequestFocus(VPANEL subFocus, VPANEL defaultPanel)
{
	if (_associate.Get() && subFocus == GetVPanel() && !IsBuildModeActive())
		_associate->RequestFocus(0);
	else
		BaseClass::OnRequestFocus(subFocus, defaultPanel);
}

void Label::OnMousePressed(ButtonCode_t code)
{
	double arg = static_cast<double>(code);
	bool handled = false;
	if (CallLuaHook("OnMousePressed", 1, &arg, &handled) && handled)
		return;
	if (_associate.Get() && !IsBuildModeActive())
		_associate->RequestFocus(0);
}

bool Label::IsFocusInsideAssociate()
{
	Panel *associate = _associate.Get();
	VPANEL focus = associate && input() ? input()->GetFocus() : 0;
	return focus && (focus == associate->GetVPanel() || ipanel()->HasParent(focus, associate->GetVPanel()));
}

// Colours, fonts, flags.

void Label::SetEnabled(bool state) { BaseClass::SetEnabled(state); }

void Label::SetFgColor(Color color)
{
	if (GetFgColor() == color)
		return;
	BaseClass::SetFgColor(color);
	_textImage->SetColor(color);
	Repaint();
}

Color Label::GetFgColor() { return BaseClass::GetFgColor(); }

void Label::SetTextColorState(EColorState state)
{
	if (_textColorState == state)
		return;
	_textColorState = state;
	InvalidateLayout();
}

void Label::SetDisabledFgColor1(Color color) { _disabledFgColor1 = color; }
void Label::SetDisabledFgColor2(Color color) { _disabledFgColor2 = color; }
Color Label::GetDisabledFgColor1() { return _disabledFgColor1; }
Color Label::GetDisabledFgColor2() { return _disabledFgColor2; }

void Label::SetFont(HFont font)
{
	_textImage->SetFont(font);
	InvalidateLayout();
	Repaint();
}

HFont Label::GetFont() { return _textImage->GetFont(); }

void Label::SetContentAlignment(Alignment alignment)
{
	_contentAlignment = alignment;
	Repaint();
}

void Label::SetTextInset(int xInset, int yInset)
{
	_textInset[0] = xInset;
	_textInset[1] = yInset;
	_textImage->SetDrawWidth(GetWide() - xInset);
}

void Label::GetTextInset(int *xInset, int *yInset)
{
	if (xInset)
		*xInset = _textInset[0];
	if (yInset)
		*yInset = _textInset[1];
}

void Label::SetWrap(bool bWrap)
{
	m_bWrap = bWrap;
	_textImage->SetWrap(bWrap);
	InvalidateLayout();
}

void Label::SetCenterWrap(bool bWrap)
{
	m_bCenterWrap = bWrap;
	_textImage->SetCenterWrap(bWrap);
	InvalidateLayout();
}

void Label::SetAllCaps(bool bAllCaps)
{
	m_bAllCaps = bAllCaps;
	_textImage->SetAllCaps(bAllCaps);
	InvalidateLayout();
}

void Label::SetAutoWide(bool bAutoWide)
{
	m_bAutoWideToContents = bAutoWide;
	m_bAutoWideDirty = bAutoWide;
	InvalidateLayout();
}

void Label::SetExpensiveShadow(int distance, Color color)
{
	m_iExpensiveShadowDistance = distance;
	m_clrExpensiveShadow = color;
}

// Images.

int Label::AddImage(IImage *image, int preOffset)
{
	TImageInfo info{ image, static_cast<short>(preOffset), -1, -1 };
	int index = _imageDar.AddToTail(info);
	InvalidateLayout();
	return index;
}

// A negative index names no entry and is ignored.
void Label::SetImageAtIndex(int index, IImage *image, int preOffset)
{
	if (index < 0)
		return;
	EnsureImageCapacity(index);
	TImageInfo &info = _imageDar[index];
	if (info.image == image && info.offset == preOffset)
		return;
	info.image = image;
	info.offset = static_cast<short>(preOffset);
	InvalidateLayout();
}

void Label::EnsureImageCapacity(int maxIndex)
{
	while (_imageDar.Count() <= maxIndex)
		AddImage(nullptr, 0);
}

void Label::SetImagePreOffset(int index, int preOffset)
{
	if (!_imageDar.IsValidIndex(index) || _imageDar[index].offset == preOffset)
		return;
	_imageDar[index].offset = static_cast<short>(preOffset);
	InvalidateLayout();
}

// An index outside the list is ignored.
void Label::SetImageBounds(int index, int x, int width)
{
	if (!_imageDar.IsValidIndex(index))
		return;
	_imageDar[index].xpos = static_cast<short>(x);
	_imageDar[index].width = static_cast<short>(width);
}

IImage *Label::GetImageAtIndex(int index) { return _imageDar.IsValidIndex(index) ? _imageDar[index].image : nullptr; }
int Label::GetImageCount() { return _imageDar.Count(); }

void Label::ClearImages()
{
	_imageDar.RemoveAll();
	_textImageIndex = -1;
}

void Label::ResetToSimpleTextImage()
{
	ClearImages();
	_textImageIndex = AddImage(_textImage, 0);
}

int Label::SetTextImageIndex(int newIndex)
{
	if (newIndex < -1)
		newIndex = -1;
	if (newIndex == _textImageIndex)
		return _textImageIndex;
	EnsureImageCapacity(newIndex);
	if (_imageDar.IsValidIndex(_textImageIndex))
		_imageDar[_textImageIndex].image = nullptr;
	if (newIndex >= 0)
		_imageDar[newIndex].image = _textImage;
	_textImageIndex = newIndex;
	return _textImageIndex;
}

TextImage *Label::GetTextImage() { return _textImage; }

// Layout.

void Label::ComputeAlignment(int &tx0, int &ty0, int &tx1, int &ty1)
{
	int wide, tall;
	GetPaintSize(wide, tall);
	int totalWide = 0, contentTall = 0;
	int column = _contentAlignment % 3, row = _contentAlignment / 3;
	for (int i = 0; i < _imageDar.Count(); ++i)
	{
		IImage *image = _imageDar[i].image;
		if (!image)
			continue;
		int iw, it;
		image->GetSize(iw, it);
		if (iw > wide)
			column = 0;
		totalWide += iw + _imageDar[i].offset;
		contentTall = std::max(contentTall, it);
	}
	tx0 = column == 0 ? 0 : column == 1 ? (wide - totalWide) / 2 : wide - totalWide;
	ty0 = row == 0 ? 0 : row == 1 ? (tall - contentTall) / 2 : tall - contentTall;
	tx1 = tx0 + totalWide;
	ty1 = ty0 + contentTall;
}

void Label::GetContentSize(int &wide, int &tall)
{
	if (!GetFont())
		if (IScheme *pScheme = scheme()->GetIScheme(GetScheme()))
			SetFont(pScheme->GetFont("Default", IsProportional()));
	int tx0, ty0, tx1, ty1;
	ComputeAlignment(tx0, ty0, tx1, ty1);
	int imageWide, imageTall, contentWide, contentTall;
	_textImage->GetSize(imageWide, imageTall);
	_textImage->GetContentSize(contentWide, contentTall);
	wide = tx1 - tx0 + _textInset[0] - imageWide + contentWide;
	for (int i = 0; i < _imageDar.Count(); ++i)
		if (_imageDar[i].image)
			wide += _imageDar[i].offset;
	tall = std::max(ty1 - ty0 + _textInset[1], contentTall);
}

void Label::SizeToContents()
{
	int wide, tall;
	GetContentSize(wide, tall);
	SetSize(wide, tall);
}

void Label::PerformLayout()
{
	int wide, tall;
	GetSize(wide, tall);
	if (m_bWrap)
	{
		_textImage->SetSize(wide - _textInset[0], tall);
		_textImage->RecalculateNewLinePositions();
	}
	int available = wide - _textInset[0];
	int contentWide, contentTall;
	if (_imageDar.Count() == 1 && _textImageIndex == 0)
	{
		_textImage->GetContentSize(contentWide, contentTall);
		_textImage->SetSize(m_bWrap || m_bCenterWrap ? available : std::min(available, contentWide), contentTall);
	}
	else
	{
		if (_textImageIndex < 0)
			return;
		for (int i = 0; i < _imageDar.Count(); ++i)
			if (i != _textImageIndex && _imageDar[i].image)
			{
				int iw, it;
				_imageDar[i].image->GetSize(iw, it);
				available -= iw;
			}
		if (available < 0)
			return;
		int tw, tt;
		_textImage->GetSize(tw, tt);
		_textImage->SetSize(available, tt);
	}
	if (m_bAutoWideDirty)
	{
		m_bAutoWideDirty = false;
		GetContentSize(contentWide, contentTall);
		SetSize(contentWide, GetTall());
	}
}

// Painting.

// The shadow and the disabled emboss are drawn offset from where the image was placed
// (centred images included), then the image goes back to that place.
void Label::Paint()
{
	int tx0, ty0, tx1, ty1;
	ComputeAlignment(tx0, ty0, tx1, ty1);
	if (_associateName)
	{
		SetAssociatedControl(FindSiblingByName(_associateName));
		delete[] _associateName;
		_associateName = nullptr;
	}
	if (_imageDar.Count() == 0)
		return;
	int column = _contentAlignment % 3, row = _contentAlignment / 3;
	int x = tx0, y = _textInset[1] + ty0;
	for (int i = 0; i < _imageDar.Count(); ++i)
	{
		const TImageInfo &info = _imageDar[i];
		IImage *image = info.image;
		if (!image)
			continue;
		int imageX = x + info.offset;
		if (i == _textImageIndex)
			imageX += column == 0 ? _textInset[0] : column == 2 ? -_textInset[0] : 0;
		int drawX = info.xpos >= 0 ? info.xpos : imageX;
		int iw, it;
		image->GetSize(iw, it);
		int drawY = y;
		if (row == 1 && it < ty1 - ty0)
			drawY += ((ty1 - ty0) - it) / 2;
		image->SetPos(drawX, drawY);
		if (info.width >= 0 && info.width < iw)
			image->SetSize(info.width, it);

		if (m_iExpensiveShadowDistance)
		{
			int d = m_iExpensiveShadowDistance;
			image->SetPos(drawX + d, drawY + d);
			image->SetColor(m_clrExpensiveShadow);
			image->Paint();
			surface()->DrawFlushText();
			image->SetPos(drawX, drawY);
		}
		if (i != _textImageIndex)
			image->Paint();
		else if (!IsEnabled())
		{
			image->SetPos(drawX + 1, drawY + 1);
			image->SetColor(_disabledFgColor1);
			image->Paint();
			surface()->DrawFlushText();
			image->SetPos(drawX, drawY);
			image->SetColor(_disabledFgColor2);
			image->Paint();
		}
		else
		{
			image->SetColor(IsFocusInsideAssociate() ? _associateColor : GetFgColor());
			image->Paint();
		}
		image->GetSize(iw, it);
		x = drawX + iw;
	}
}

// A dash and gap that add up to nothing draw the first dash only.
void Label::DrawDashedLine(int x0, int y0, int x1, int y1, int dashLen, int gapLen)
{
	int step = dashLen + gapLen;
	if (x1 - x0 > y1 - y0)
	{
		for (int x = x0;; x += step)
		{
			surface()->DrawFilledRect(x, y0, std::min(x + dashLen, x1), y1);
			if (step <= 0 || x + step > x1)
				break;
		}
	}
	else
	{
		for (int y = y0;; y += step)
		{
			surface()->DrawFilledRect(x0, y, x1, std::min(y + dashLen, y1));
			if (step <= 0 || y + step > y1)
				break;
		}
	}
}

// Scheme and settings.

void Label::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	if (_fontOverrideName)
		SetFont(pScheme->GetFont(_fontOverrideName, IsProportional()));
	if (!GetFont())
		SetFont(pScheme->GetFont("Default", IsProportional()));
	if (!m_bWrap && !m_bCenterWrap)
		_textImage->ResizeImageToContent();
	else
	{
		_textImage->SetSize(GetWide() - _textInset[0], GetTall());
		_textImage->RecalculateNewLinePositions();
	}
	if (m_bAutoWideToContents)
	{
		m_bAutoWideDirty = false;
		int wide, tall;
		GetContentSize(wide, tall);
		SetSize(wide, GetTall());
	}
	// A scheme change invalidates the other images; their owners set them again.
	for (int i = 0; i < _imageDar.Count(); ++i)
		if (i != _textImageIndex)
			_imageDar[i].image = nullptr;

	_disabledFgColor1 = GetSchemeColor("Label.DisabledFgColor1", pScheme);
	_disabledFgColor2 = GetSchemeColor("Label.DisabledFgColor2", pScheme);
	SetBgColor(GetSchemeColor("Label.BgColor", pScheme));
	const char *fg = _textColorState == CS_BRIGHT ? "Label.TextBrightColor"
	                 : _textColorState == CS_DULL ? "Label.TextDullColor"
	                                              : "Label.TextColor";
	SetFgColor(GetSchemeColor(fg, pScheme));
	_associateColor = GetSchemeColor("Label.SelectedTextColor", pScheme);

	CallLuaHook("ApplySchemeSettings");
}

void Label::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);
	if (!inResourceData)
		return;
	IScheme *pScheme = scheme()->GetIScheme(GetScheme());

	if (const char *labelText = inResourceData->GetString("labelText", nullptr))
	{
		size_t length = strlen(labelText);
		if (length > 0 && labelText[0] == '%' && labelText[length - 1] == '%')
		{
			// A dialog variable: shown raw until the variables arrive.
			wchar_t unicode[256];
			unicode[0] = L'\0';
			if (g_pVGuiLocalize)
				g_pVGuiLocalize->ConvertANSIToUnicode(labelText, unicode, sizeof(unicode));
			char token[256];
			V_snprintf(token, sizeof(token), "var_%s", labelText);
			if (g_pVGuiLocalize)
				g_pVGuiLocalize->AddString(token, unicode, "");
			char text[256];
			V_snprintf(text, sizeof(text), "#var_%s", labelText);
			SetText(text);
		}
		else
			SetText(labelText);
	}

	const char *alignment = inResourceData->GetString("textAlignment", "");
	for (int i = 0; i < 9; ++i)
		if (!V_stricmp(alignment, kAlignmentNames[i]))
			SetContentAlignment(static_cast<Alignment>(i));

	const char *associate = inResourceData->GetString("associate", "");
	if (*associate)
	{
		delete[] _associateName;
		_associateName = CopyString(associate);
	}

	if (inResourceData->GetInt("dulltext", 0) == 1)
		SetTextColorState(CS_DULL);
	else if (inResourceData->GetInt("brighttext", 0) == 1)
		SetTextColorState(CS_BRIGHT);
	else
		SetTextColorState(CS_NORMAL);

	const char *font = inResourceData->GetString("font", "");
	if (*font)
	{
		delete[] _fontOverrideName;
		_fontOverrideName = CopyString(font);
		if (pScheme)
			SetFont(pScheme->GetFont(font, IsProportional()));
	}
	else if (_fontOverrideName)
	{
		delete[] _fontOverrideName;
		_fontOverrideName = nullptr;
		if (pScheme)
			SetFont(pScheme->GetFont("Default", IsProportional()));
	}

	SetCenterWrap(inResourceData->GetInt("centerwrap", 0) > 0);
	m_bAutoWideToContents = inResourceData->GetInt("auto_wide_tocontents", 0) > 0;
	if (inResourceData->GetInt("wrap", 0) > 0)
		SetWrap(true);

	int insetX = inResourceData->GetInt("textinsetx", _textInset[0]);
	int insetY = inResourceData->GetInt("textinsety", _textInset[1]);
	m_bUseProportionalInsets = inResourceData->GetInt("use_proportional_insets", 0) > 0;
	if (m_bUseProportionalInsets)
		insetX = scheme()->GetProportionalScaledValue(insetX);
	SetTextInset(insetX, insetY);

	bool allCaps = inResourceData->GetInt("allcaps", 0) > 0;
	m_bAllCaps = allCaps;
	_textImage->SetAllCaps(allCaps);

	InvalidateLayout(false);
	InvalidateLayout(true);
}

void Label::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (!outResourceData)
		return;
	char text[512];
	_textImage->GetUnlocalizedText(text, sizeof(text));
	outResourceData->SetString("labelText", !V_strnicmp(text, "#var_", 5) ? text + 5 : text);
	int alignment = _contentAlignment >= 0 && _contentAlignment <= 8 ? _contentAlignment : a_west;
	outResourceData->SetString("textAlignment", kAlignmentNames[alignment]);
	if (Panel *associate = _associate.Get())
		outResourceData->SetString("associate", associate->GetName());
	outResourceData->SetInt("dulltext", _textColorState == CS_DULL ? 1 : 0);
	outResourceData->SetInt("brighttext", _textColorState == CS_BRIGHT ? 1 : 0);
	if (_fontOverrideName)
		outResourceData->SetString("font", _fontOverrideName);
	outResourceData->SetInt("wrap", m_bWrap ? 1 : 0);
	outResourceData->SetInt("centerwrap", m_bCenterWrap ? 1 : 0);
	outResourceData->SetInt("textinsetx", m_bUseProportionalInsets
	                                          ? scheme()->GetProportionalNormalizedValue(_textInset[0])
	                                          : _textInset[0]);
	outResourceData->SetInt("textinsety", _textInset[1]);
	outResourceData->SetInt("auto_wide_tocontents", m_bAutoWideToContents ? 1 : 0);
	outResourceData->SetInt("use_proportional_insets", m_bUseProportionalInsets ? 1 : 0);
}

const char *Label::GetDescription()
{
	static char s_description[1024];
	V_snprintf(s_description, sizeof(s_description),
	           "%s, string labelText, string associate, alignment textAlignment, int wrap, int dulltext, int "
	           "brighttext, string font",
	           BaseClass::GetDescription());
	return s_description;
}
}
