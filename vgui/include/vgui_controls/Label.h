// vgui::Label: text in a TextImage, optionally beside other images, aligned in one of nine
// places; hotkeys, an associated control that takes the focus, an embossed disabled look and
// dialog variables substituted into localised text.
#pragma once

#include "tier1/Color.h"
#include "tier1/utlvector.h"
#include "vgui_controls/Panel.h"
#include "vgui_controls/PHandle.h"

class KeyValues;

namespace vgui
{
class IImage;
class TextImage;

class Label : public Panel
{
	DECLARE_CLASS_SIMPLE(Label, Panel);

public:
	enum Alignment
	{
		a_northwest = 0,
		a_north,
		a_northeast,
		a_west,
		a_center,
		a_east,
		a_southwest,
		a_south,
		a_southeast,
	};
	enum EColorState
	{
		CS_NORMAL,
		CS_DULL,
		CS_BRIGHT,
	};

	Label(Panel *parent, const char *panelName, const char *text);
	Label(Panel *parent, const char *panelName, const wchar_t *wszText);
	~Label() override;

	// Panel operations it overrides.
	bool RequestInfo(KeyValues *outputData) override;
	void GetValueForLua(char *buffer, int bufferSize) override;
	void SetEnabled(bool state) override;
	void SetFgColor(Color color) override;
	Color GetFgColor() override;
	Panel *HasHotkey(wchar_t key) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void OnMousePressed(ButtonCode_t code) override;
	void Paint() override;
	void PerformLayout() override;
	void OnRequestFocus(VPANEL subFocus, VPANEL defaultPanel) override;
	void SetText(const char *text) override;
	void GetText(char *textOut, int bufferLen) override;

	// Its own operations, in slot order.
	virtual void SetText(const wchar_t *unicodeString, bool bClearUnlocalizedSymbol = false);
	virtual void GetText(wchar_t *textOut, int bufLenInBytes);
	virtual void GetContentSize(int &wide, int &tall);
	virtual void SetContentAlignment(Alignment alignment);
	virtual void SetTextInset(int xInset, int yInset);
	virtual void GetTextInset(int *xInset, int *yInset);
	virtual void SetDisabledFgColor1(Color color);
	virtual void SetDisabledFgColor2(Color color);
	virtual Color GetDisabledFgColor1();
	virtual Color GetDisabledFgColor2();
	virtual void SetTextColorState(EColorState state);
	virtual void SetFont(HFont font);
	virtual HFont GetFont();
	virtual void SetHotkey(wchar_t key);
	virtual wchar_t GetHotKey();
	virtual void SetAssociatedControl(Panel *control);
	virtual int AddImage(IImage *image, int preOffset);
	virtual void SetImageAtIndex(int index, IImage *image, int preOffset);
	virtual void SetImagePreOffset(int index, int preOffset);
	virtual IImage *GetImageAtIndex(int index);
	virtual int GetImageCount();
	virtual void ClearImages();
	virtual void ResetToSimpleTextImage();
	virtual void SetImageBounds(int index, int x, int width);
	virtual TextImage *GetTextImage();
	virtual int SetTextImageIndex(int newIndex);
	virtual void SizeToContents();
	virtual wchar_t CalculateHotkey(const char *text);
	virtual wchar_t CalculateHotkey(const wchar_t *text);
	virtual void ComputeAlignment(int &tx0, int &ty0, int &tx1, int &ty1);
	virtual void OnSetText(KeyValues *params);
	virtual void DrawDashedLine(int x0, int y0, int x1, int y1, int dashLen, int gapLen);
	virtual void OnHotkeyPressed();
	virtual void EnsureImageCapacity(int maxIndex);
	virtual void OnDialogVariablesChanged(KeyValues *dialogVariables);

	// Flags that settings and scripts set.
	void SetWrap(bool bWrap);
	void SetCenterWrap(bool bWrap);
	void SetAllCaps(bool bAllCaps);
	void SetAutoWide(bool bAutoWide);
	// The shadow drawn under the images (distance 0: none).
	void SetExpensiveShadow(int distance, Color color);

private:
	struct TImageInfo
	{
		IImage *image;
		short offset;
		short xpos;
		short width;
	};

	void InitLabel(const char *text, const wchar_t *wszText);
	bool IsFocusInsideAssociate();

	VGUI_MESSAGE_REGISTER(OnSetText, "SetText", 1, DATATYPE_KEYVALUES, nullptr, 0, nullptr)
	VGUI_MESSAGE_REGISTER(OnHotkeyPressed, "Hotkey", 0, 0, nullptr, 0, nullptr)
	VGUI_MESSAGE_REGISTER(OnDialogVariablesChanged, "DialogVariables", 1, DATATYPE_KEYVALUES, nullptr, 0, nullptr)

	Alignment _contentAlignment;
	TextImage *_textImage;
	CUtlVector<TImageInfo> _imageDar;
	int _textInset[2];
	Color _disabledFgColor1;
	Color _disabledFgColor2;
	Color _associateColor;
	int _textImageIndex;
	EColorState _textColorState;
	PHandle _associate;
	char *_associateName;
	char *_fontOverrideName;
	wchar_t _hotkey;
	bool m_bWrap;
	bool m_bCenterWrap;
	bool m_bAllCaps;
	bool m_bAutoWideToContents;
	bool m_bAutoWideDirty;
	bool m_bUseProportionalInsets;
	Color m_clrExpensiveShadow;
	int m_iExpensiveShadowDistance;
};
}
