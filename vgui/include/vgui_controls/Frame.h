// vgui::Frame: the top-level window of the controls: a title bar, resize grips, a caption grip
// that moves it, caption buttons, fading, focus colours and application-modal operation.
#pragma once

#include "vgui_controls/Button.h"
#include "vgui_controls/EditablePanel.h"
#include "vgui_controls/PanelAnimationVar.h"

class KeyValues;

namespace vgui
{
class Menu;
class TextImage;

// A minimise, maximise, tray or close button of the title bar, drawn as a Marlett glyph.
class FrameButton : public Button
{
	DECLARE_CLASS_SIMPLE(FrameButton, Button);

public:
	FrameButton(Panel *parent, const char *panelName, const char *text);
	~FrameButton() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnMousePressed(ButtonCode_t code) override;
	void PerformLayout() override;
	IBorder *GetBorder(bool depressed, bool armed, bool selected, bool keyfocus) override;
	using Panel::GetBorder;
	virtual void SetDisabledLook(bool state);

private:
	IBorder *m_pBorder = nullptr;
	IBorder *m_pDepressedBorder = nullptr;
	IBorder *m_pDisabledBorder = nullptr;
	Color m_EnabledFgColor;
	Color m_EnabledBgColor;
	Color m_DisabledFgColor;
	Color m_DisabledBgColor;
	bool m_bDisabledLook = true;
};

// The icon button at the left of the title bar that opens the system menu.
class FrameSystemButton : public Button
{
	DECLARE_CLASS_SIMPLE(FrameSystemButton, Button);

public:
	FrameSystemButton(Panel *parent, const char *panelName);
	~FrameSystemButton() override;

	void SetEnabled(bool state) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnMousePressed(ButtonCode_t code) override;
	void OnMouseDoublePressed(ButtonCode_t code) override;
	IBorder *GetBorder(bool, bool, bool, bool) override { return nullptr; }
	using Panel::GetBorder;

	void SetMenu(Menu *menu) { m_pMenu = menu; }
	Menu *GetMenu() { return m_pMenu; }
	void SetResponsive(bool state) { m_bResponsive = state; }
	void GetImageSize(int &wide, int &tall);

private:
	IImage *m_pEnabledImage = nullptr;
	IImage *m_pDisabledImage = nullptr;
	Color m_EnabledColor;
	Color m_DisabledColor;
	bool m_bResponsive = true;
	Menu *m_pMenu = nullptr;
};

class Frame : public EditablePanel
{
	DECLARE_CLASS_SIMPLE(Frame, EditablePanel);

public:
	Frame(Panel *parent, const char *panelName, bool showTaskbarIcon = true, bool popup = true);
	~Frame() override;

	void OnChildAdded(VPANEL child) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void ApplyUserConfigSettings(KeyValues *userConfig) override;
	void GetUserConfigSettings(KeyValues *userConfig) override;
	bool HasUserConfigSettings() override { return true; }
	void OnCommand(const char *command) override;
	void OnThink() override;
	void OnMousePressed(ButtonCode_t code) override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void OnKeyTyped(wchar_t unichar) override;
	void OnKeyCodeReleased(ButtonCode_t) override {}
	void OnKeyFocusTicked() override {}
	void PaintBackground() override;
	void PerformLayout() override;
	void OnScreenSizeChanged(int oldwide, int oldtall) override;
	void LoadControlSettings(const char *dialogResourceName, const char *pathID = nullptr,
	                         KeyValues *pPreloadedKeyValues = nullptr, KeyValues *pConditions = nullptr) override;
	void OnClose() override;

	virtual void SetTitle(const char *title, bool surfaceTitle);
	virtual void SetTitle(const wchar_t *title, bool surfaceTitle);
	virtual void Activate();
	virtual void ActivateMinimized();
	MESSAGE_FUNC(Close, "Close");
	MESSAGE_FUNC(CloseModal, "CloseModal");
	virtual void SetDeleteSelfOnClose(bool state) { m_bDeleteSelfOnClose = state; }
	virtual void MoveToCenterOfScreen();
	virtual void SetMoveable(bool state) { m_bMoveable = state; }
	virtual bool IsMoveable() { return m_bMoveable; }
	virtual void SetSizeable(bool state);
	virtual bool IsSizeable() { return m_bSizeable; }
	virtual void SetMenuButtonVisible(bool state);
	virtual void SetMinimizeButtonVisible(bool state);
	virtual void SetMaximizeButtonVisible(bool state);
	virtual void SetMinimizeToSysTrayButtonVisible(bool state);
	virtual void SetCloseButtonVisible(bool state);
	virtual bool IsMinimized() { return m_bMinimized; }
	virtual void FlashWindow();
	virtual void FlashWindowStop();
	virtual Menu *GetSysMenu();
	virtual void SetSysMenu(Menu *menu);
	virtual void SetTitleBarVisible(bool state);
	virtual void SetClipToParent(bool state) { m_bClipToParent = state; }
	virtual bool GetClipToParent() const { return m_bClipToParent; }
	virtual void SetSmallCaption(bool state);
	virtual bool IsSmallCaption() const { return m_bSmallCaption; }
	virtual int GetDraggerSize() { return m_bSmallCaption ? 3 : 5; }
	virtual int GetCornerSize() { return m_bSmallCaption ? 6 : 8; }
	virtual int GetBottomRightSize() { return m_bSmallCaption ? 12 : 18; }
	virtual int GetCaptionHeight() { return m_bSmallCaption ? 12 : 23; }
	virtual void DoModal();
	virtual void OnFinishedClose() {}
	MESSAGE_FUNC(OnMinimize, "Minimize");
	virtual void OnMinimizeToSysTray() {}
	MESSAGE_FUNC(OnCloseFrameButtonPressed, "CloseFrameButtonPressed");
	virtual bool GetDefaultScreenPosition(int &, int &, int &, int &) { return false; }
	virtual void GetClientArea(int &x, int &y, int &wide, int &tall);
	MESSAGE_FUNC_CHARPTR(InternalSetTitle, "SetTitle", text);
	MESSAGE_FUNC(InternalFlashWindow, "FlashWindow");
	MESSAGE_FUNC_PARAMS(OnDialogVariablesChanged, "DialogVariables", dialogVariables);

	void SetMenuButtonResponsive(bool state);
	void PlaceUnderCursor();
	void LayoutProportional(FrameButton *button);
	void OnFrameFocusChanged(bool hasFocus);
	void SetupResizeCursors();

	// Reading back state for the layout and the tests.
	bool HasFrameFocus() const { return m_bHasFocus; }
	bool IsFlashing() const { return m_bFlashing; }
	bool IsFadingOut() const { return m_bFadingOut; }
	bool IsTitleBarVisible() const { return m_bDrawTitleBar; }
	TextImage *GetTitleImage() { return m_pTitle; }

private:
	// Releases the app-modal state if this frame holds it and restores the previous holder.
	void ReleaseModal();

	Color m_TitleBarBgColor;
	Color m_TitleBarDisabledBgColor;
	Color m_TitleBarFgColor;
	Color m_TitleBarDisabledFgColor;
	Color m_InFocusBgColor;
	Color m_OutOfFocusBgColor;
	TextImage *m_pTitle = nullptr;
	Panel *m_pGrips[8] = {};
	Panel *m_pCaptionGrip = nullptr;
	FrameButton *m_pMinimizeButton = nullptr;
	FrameButton *m_pMaximizeButton = nullptr;
	FrameButton *m_pMinimizeToSysTrayButton = nullptr;
	FrameButton *m_pCloseButton = nullptr;
	FrameSystemButton *m_pMenuButton = nullptr;
	Menu *m_pSysMenu = nullptr;
	float m_flTransitionEffectTime = 0.0f;
	float m_flFocusTransitionEffectTime = 0.0f;
	int m_iClientInsetX = 5;
	int m_iClientInsetY = 5;
	int m_iTitleTextInsetX = 28;
	VPANEL m_hPreviousModal = 0;
	HFont m_hCustomTitleFont = 0;
	bool m_bSizeable : 1;
	bool m_bMoveable : 1;
	bool m_bHasFocus : 1;
	bool m_bFlashing : 1;
	bool m_bDrawTitleBar : 1;
	bool m_bPreviouslyVisible : 1;
	bool m_bFadingOut : 1;
	bool m_bDeleteSelfOnClose : 1;
	bool m_bClipToParent : 1;
	bool m_bSmallCaption : 1;
	bool m_bFocusChangePending : 1;
	bool m_bClientInsetXOverridden : 1;
	// The surface of this build keeps no minimised state of its own.
	bool m_bMinimized = false;
	char m_szDescription[512];

	CPanelAnimationVarAliasType(int, m_iTitleTextInsetXOverride, "titletextinsetX", "0", "proportional_int");
	CPanelAnimationVar(int, m_iTitleTextInsetYOverride, "titletextinsetY", "0");
};
}
