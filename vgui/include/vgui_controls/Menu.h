// vgui::Menu: a pop-up list of command rows (menu items), with separators, a scrolling window
// of rows, placement beside a panel or at the cursor, and closing of open menus on outside presses.
#pragma once

#include "tier1/utllinkedlist.h"
#include "tier1/utlvector.h"
#include "vgui_controls/Label.h"
#include "vgui_controls/Panel.h"

class KeyValues;

namespace vgui
{
class MenuItem;
class ScrollBar;

// The 3-pixel line drawn after a separator's anchor row.
class MenuSeparator : public Panel
{
	DECLARE_CLASS_SIMPLE(MenuSeparator, Panel);

public:
	MenuSeparator(Panel *parent, const char *panelName);
	void ApplySchemeSettings(IScheme *pScheme) override;
	void Paint() override;
};

class Menu : public Panel
{
	DECLARE_CLASS_SIMPLE(Menu, Panel);

public:
	enum MenuDirection_e
	{
		LEFT,
		RIGHT,
		UP,
		DOWN,
		CURSOR,
		ALIGN_WITH_PARENT,
	};
	enum MenuTypeAheadMode
	{
		COMPAT_MODE = 0,
		HOT_KEY_MODE,
		TYPE_AHEAD_MODE,
	};

	Menu(Panel *parent, const char *panelName);
	~Menu() override;

	bool IsMenu() override { return true; }

	virtual void PositionRelativeToPanel(Panel *reference, MenuDirection_e direction, int nAdditionalYOffset = 0,
	                                     bool showMenu = false);

	virtual int AddMenuItem(const char *itemName, const char *itemText, const char *command, Panel *target,
	                        const KeyValues *userData = nullptr);
	virtual int AddMenuItem(const char *itemName, const wchar_t *wszItemText, const char *command, Panel *target,
	                        const KeyValues *userData = nullptr);
	virtual int AddMenuItem(const char *itemName, const char *itemText, KeyValues *message, Panel *target,
	                        const KeyValues *userData = nullptr);
	virtual int AddMenuItem(const char *itemName, const wchar_t *wszItemText, KeyValues *message, Panel *target,
	                        const KeyValues *userData = nullptr);
	virtual int AddMenuItem(const char *itemText, const char *command, Panel *target,
	                        const KeyValues *userData = nullptr);
	virtual int AddMenuItem(const char *itemText, KeyValues *message, Panel *target,
	                        const KeyValues *userData = nullptr);
	virtual int AddMenuItem(const char *itemText, Panel *target, const KeyValues *userData = nullptr);

	virtual int AddCheckableMenuItem(const char *itemName, const char *itemText, const char *command, Panel *target,
	                                 const KeyValues *userData = nullptr);
	virtual int AddCheckableMenuItem(const char *itemName, const wchar_t *wszItemText, const char *command,
	                                 Panel *target, const KeyValues *userData = nullptr);
	virtual int AddCheckableMenuItem(const char *itemName, const char *itemText, KeyValues *message, Panel *target,
	                                 const KeyValues *userData = nullptr);
	virtual int AddCheckableMenuItem(const char *itemName, const wchar_t *wszItemText, KeyValues *message,
	                                 Panel *target, const KeyValues *userData = nullptr);
	virtual int AddCheckableMenuItem(const char *itemText, const char *command, Panel *target,
	                                 const KeyValues *userData = nullptr);
	virtual int AddCheckableMenuItem(const char *itemText, KeyValues *message, Panel *target,
	                                 const KeyValues *userData = nullptr);
	virtual int AddCheckableMenuItem(const char *itemText, Panel *target, const KeyValues *userData = nullptr);

	virtual int AddCascadingMenuItem(const char *itemName, const char *itemText, const char *command, Panel *target,
	                                 Menu *cascadeMenu, const KeyValues *userData = nullptr);
	virtual int AddCascadingMenuItem(const char *itemName, const wchar_t *wszItemText, const char *command,
	                                 Panel *target, Menu *cascadeMenu, const KeyValues *userData = nullptr);
	virtual int AddCascadingMenuItem(const char *itemName, const char *itemText, KeyValues *message, Panel *target,
	                                 Menu *cascadeMenu, const KeyValues *userData = nullptr);
	virtual int AddCascadingMenuItem(const char *itemName, const wchar_t *wszItemText, KeyValues *message,
	                                 Panel *target, Menu *cascadeMenu, const KeyValues *userData = nullptr);
	virtual int AddCascadingMenuItem(const char *itemText, const char *command, Panel *target, Menu *cascadeMenu,
	                                 const KeyValues *userData = nullptr);
	virtual int AddCascadingMenuItem(const char *itemText, KeyValues *message, Panel *target, Menu *cascadeMenu,
	                                 const KeyValues *userData = nullptr);
	virtual int AddCascadingMenuItem(const char *itemText, Panel *target, Menu *cascadeMenu,
	                                 const KeyValues *userData = nullptr);

	// Takes the item as a row; returns its id, or -1 when the item list is full.
	virtual int AddMenuItem(MenuItem *panel);
	virtual void AddSeparator();
	virtual void AddSeparatorAfterItem(int itemID);
	virtual void UpdateMenuItem(int itemID, const char *itemText, KeyValues *message,
	                            const KeyValues *userData = nullptr);
	virtual void UpdateMenuItem(int itemID, const wchar_t *wszItemText, KeyValues *message,
	                            const KeyValues *userData = nullptr);
	virtual void MoveMenuItem(int itemID, int moveBeforeThisItemID);
	virtual bool IsValidMenuID(int itemID);
	virtual int GetInvalidMenuID();
	virtual void SetItemEnabled(const char *itemName, bool state);
	virtual void SetItemEnabled(int itemID, bool state);
	virtual void SetItemVisible(const char *itemName, bool visible);
	virtual void SetItemVisible(int itemID, bool visible);
	virtual void SetFixedWidth(int width);
	virtual void SetMenuItemHeight(int itemHeight);
	virtual int GetMenuItemHeight() const;
	virtual void SetNumberOfVisibleItems(int numItems);
	virtual void SetTypeAheadMode(MenuTypeAheadMode mode);
	virtual int GetTypeAheadMode();
	virtual void ActivateItem(int itemID);
	virtual void SilentActivateItem(int itemID);
	virtual void ActivateItemByRow(int row);
	virtual int GetActiveItem();
	virtual int GetItemCount();
	virtual int GetMenuID(int index);
	virtual void SetFont(HFont font);
	MESSAGE_FUNC_PTR(OnMenuItemSelected, "MenuItemSelected", panel);
	virtual void AddScrollBar();
	virtual void RemoveScrollBar();
	MESSAGE_FUNC(OnSliderMoved, "ScrollBarSliderMoved");
	virtual void LayoutMenuBorder();
	virtual void MakeItemsVisibleInScrollRange(int maxVisibleItems, int nNumPixelsAvailable);
	virtual void MoveAlongMenuItemList(int direction, int loopCount);
	virtual void OnHotKey(wchar_t unichar);
	virtual void OnTypeAhead(wchar_t unichar);
	MESSAGE_FUNC(OnKeyModeSet, "KeyModeSet");
	MESSAGE_FUNC_INT(OnCursorEnteredMenuItem, "CursorEnteredMenuItem", VPanel);
	MESSAGE_FUNC_INT(OnCursorExitedMenuItem, "CursorExitedMenuItem", VPanel);

	// Panel operations it overrides.
	void SetVisible(bool state) override;
	void SetBgColor(Color newColor) override;
	void SetFgColor(Color newColor) override;
	void SetBorder(IBorder *border) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnCommand(const char *command) override;
	void OnKillFocus() override;
	void OnCursorMoved(int x, int y) override;
	void OnMouseWheeled(int delta) override;
	void OnKeyCodePressed(ButtonCode_t code) override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void OnKeyTyped(wchar_t unichar) override;
	void Paint() override;
	void PerformLayout() override;

	void DeleteAllItems();
	void SetMenuItemChecked(int itemID, bool state);
	void SetUseFallbackFont(bool bState, HFont hFallback);
	KeyValues *GetItemUserData(int itemID);
	void GetItemText(int itemID, wchar_t *text, int bufLenInBytes);
	MenuItem *GetMenuItem(int itemID);
	void SetCurrentlyHighlightedItem(int itemID);
	int GetCurrentlyHighlightedItem();
	void ClearCurrentlyHighlightedItem();
	int GetMenuMode();
	void ForceCalculateWidth();
	void CloseOtherMenus(MenuItem *item);
	void SetMenuManaged(bool managed) { m_bUseMenuManager = managed; }
	bool IsScrollBarShown() const { return m_bScrollBarShown; }
	int GetContentWidth() const { return m_iMenuWide; }
	int GetVisibleRowCount() const { return m_VisibleSortedItems.Count(); }
	int GetVisibleRow(int i) const { return m_VisibleSortedItems[i]; }
	ScrollBar *GetScrollBar() const { return m_pScroller; }

	static void PlaceContextMenu(Panel *parent, Menu *menu);

	// Called on every mouse press: hands it to the open-menu manager (g_MenuMgr).
	static void OnInternalMousePressed(Panel *other, ButtonCode_t code);

private:
	int AddTo(MenuItem *item, const char *command, KeyValues *message, Panel *target, const KeyValues *userData);
	void CalculateWidth();
	void LayoutScrollBar();
	void PositionCascadingMenu();
	int ComputeFullMenuHeightWithInsets();
	int UsableHeight();
	void GetWorkspace(int &x, int &y, int &wide, int &tall);
	void SetCurrentlySelectedItem(int itemID);
	bool IsSeparatorAnchor(int itemID) const;
	int CountVisibleItems();

	int m_iMenuItemHeight;
	int m_iFixedWidth = 0;
	int m_iMinimumWidth = 0;
	int m_iNumVisibleLines = -1;
	ScrollBar *m_pScroller = nullptr;
	CUtlLinkedList<MenuItem *, int> m_MenuItems;
	CUtlVector<int> m_VisibleSortedItems;
	CUtlVector<int> m_SortedItems;
	CUtlVector<int> m_Separators;
	CUtlVector<MenuSeparator *> m_SeparatorPanels;
	bool m_bScrollBarShown = false;
	bool m_bUseFallbackFont = false;
	bool m_bSizedForScrollBar = true;  // width dirty
	bool m_bUseMenuManager = true;
	int m_iMenuWide = 0;
	int m_iCurrentlySelectedItemID = -1;
	int m_iInputMode = 0;
	int m_iCheckImageWidth = 0;
	Label::Alignment m_Alignment = Label::a_west;
	Color m_ScrollBarDividerColor;
	int m_iActivatedItem = 0;
	HFont m_hItemFont = 0;
	HFont m_hFallbackItemFont = 0;
	MenuTypeAheadMode m_eTypeAheadMode = COMPAT_MODE;
	wchar_t m_szTypeAheadBuf[256];
	int m_iNumTypeAheadChars = 0;
	double m_fLastTypeAheadTime = 0.0;
};

// Tracks the shown menus in order of showing and closes them all on a press outside them.
class CMenuManager
{
public:
	void AddMenu(Menu *m);
	void RemoveMenu(Menu *m);
	void OnInternalMousePressed(Panel *other, ButtonCode_t code);
	bool IsWithinMenuOrRelative(Panel *menu, int x, int y);
	int MenuCount() const { return m_Menus.Count(); }

private:
	CUtlVector<PHandle> m_Menus;
};

extern CMenuManager g_MenuMgr;
}
