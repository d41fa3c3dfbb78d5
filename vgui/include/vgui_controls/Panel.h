// vgui::Panel: the base of every control. A client object bound one-to-one to an engine panel;
// the engine keeps the tree, geometry, visibility and z-order, the panel everything else.
#pragma once

#include "inputsystem/ButtonCode.h"
#include "tier1/Color.h"
#include "tier1/utlstring.h"
#include "tier1/utlvector.h"
#include "vgui/IClientPanel.h"
#include "vgui/VGUI.h"
#include "vgui_controls/KeyBindingMap.h"
#include "vgui_controls/MessageMap.h"
#include "vgui_controls/PHandle.h"
#include "vgui_controls/PanelAnimationVar.h"

class KeyValues;
class CLuaObject;
class CLuaClass;
class ConVar;

// Set while PaintAt paints a panel out of its place.
extern bool g_bPaintingManually;
// Set while the loading progress is painted: no panel thinks or paints.
extern bool g_bPaintingLevelProgress;
// Set while the overlay pass paints the overlay panels.
extern bool m_bDrawingOverlayPanels;
// Whether a screenshot is being taken (never, here).
bool IsTakingScreenshot();
// Paints every visible overlay panel; the menu host calls it once a frame.
void VGUIPaintOverlayPanels();
// "panel_test_title_safe": settings positioning indents by the title-safe margin when set.
extern ConVar panel_test_title_safe;

namespace vgui
{
class IBorder;
class IScheme;
class BaseTooltip;
class BuildGroup;
class Menu;
struct PanelAnimationMap;
struct PanelKeyBindingMap;

enum PinCorner_e
{
	PIN_TOPLEFT = 0,
	PIN_TOPRIGHT,
	PIN_BOTTOMLEFT,
	PIN_BOTTOMRIGHT,
	PIN_CENTER_TOP,
	PIN_CENTER_RIGHT,
	PIN_CENTER_BOTTOM,
	PIN_CENTER_LEFT,
	PIN_LAST,
};

// Drag-and-drop bookkeeping of a panel: as a drag source, as a drop target and the drag
// in flight. The record owns the drag messages until the drag ends.
struct DragDropState_t
{
	DragDropState_t() = default;
	DragDropState_t(const DragDropState_t &) = delete;
	DragDropState_t &operator=(const DragDropState_t &) = delete;
	~DragDropState_t();

	bool m_bDragEnabled = false;
	bool m_bShowHelper = true;
	bool m_bDragging = false;
	bool m_bDragStarted = false;
	int m_nStartTolerance = 8;
	int m_StartPos[2] = { 0, 0 };
	int m_CurrentPos[2] = { 0, 0 };
	CUtlVector<KeyValues *> m_DragData;
	CUtlVector<PHandle> m_DragPanels;
	bool m_bDropEnabled = false;
	float m_flContextMenuDelay = 0.0f;
	PHandle m_hDropTarget;
	unsigned int m_nHoverStartTime = 0;
	bool m_bContextMenuShown = false;
	PHandle m_hContextMenu;
	bool m_bBlockChaining = false;
};

// Marks a base that every control inherits virtually.
class IForceVirtualInheritancePanel
{
};

class Panel;
// Panels with the overlay switch on, in the order they were switched on.
extern CUtlVector<Panel *> g_OverlayPanels;

class Panel : public IClientPanel, virtual public IForceVirtualInheritancePanel
{
public:
	enum
	{
		MARKED_FOR_DELETION = 0x0001,
		NEEDS_REPAINT = 0x0002,
		PAINT_BORDER_ENABLED = 0x0004,
		PAINT_BACKGROUND_ENABLED = 0x0008,
		PAINT_ENABLED = 0x0010,
		POST_CHILD_PAINT_ENABLED = 0x0020,
		AUTODELETE_ENABLED = 0x0040,
		NEEDS_LAYOUT = 0x0080,
		NEEDS_SCHEME_UPDATE = 0x0100,
		NEEDS_DEFAULT_SETTINGS_APPLIED = 0x0200,
		ALLOW_CHAIN_KEYBINDING_TO_PARENT = 0x0400,
		IN_PERFORM_LAYOUT = 0x0800,
		IS_PROPORTIONAL = 0x1000,
		TRIPLE_PRESS_ALLOWED = 0x2000,
	};
	enum
	{
		FLAGS3_SILENT = 0x04,
		FLAGS3_CONSOLE_STYLE = 0x08,
		FLAGS3_FORWARD_CURSOR_MOVES = 0x10,
	};
	enum
	{
		BUILDMODE_EDITABLE = 0x01,
		BUILDMODE_DELETABLE = 0x02,
		BUILDMODE_SAVE_XPOS_RIGHTALIGNED = 0x04,
		BUILDMODE_SAVE_XPOS_CENTERALIGNED = 0x08,
		BUILDMODE_SAVE_YPOS_BOTTOMALIGNED = 0x10,
		BUILDMODE_SAVE_YPOS_CENTERALIGNED = 0x20,
		BUILDMODE_SAVE_WIDE_FULL = 0x40,
		BUILDMODE_SAVE_TALL_FULL = 0x80,
		BUILDMODE_SAVE_PROPORTIONAL_TO_PARENT = 0x100,
	};
	enum AutoResize_e
	{
		AUTORESIZE_NO = 0,
		AUTORESIZE_RIGHT,
		AUTORESIZE_DOWN,
		AUTORESIZE_DOWNANDRIGHT,
	};
	enum
	{
		DOCK_NONE = 0,
		DOCK_FILL = 1,
		DOCK_LEFT = 2,
		DOCK_RIGHT = 3,
		DOCK_TOP = 4,
		DOCK_BOTTOM = 5,
	};

	struct TRectangle
	{
		int x0, y0, x1, y1;
	};

	Panel();
	explicit Panel(Panel *parent);
	Panel(Panel *parent, const char *panelName);

	static const char *GetPanelClassName() { return "Panel"; }
	// Appends a handler to the map of "Panel".
	static void AddToMap(const char *scriptName, MessageFunc_t func, int numParams, int type1, const char *name1,
	                     int type2, const char *name2);
	// Dispatch through the older static tables, for messages no message map handles.
	void OnOldMessage(KeyValues *params, VPANEL ifromPanel);
	static void PreparePanelMap(PanelMap_t *panelMap);

	// Client interface, in the engine's slot order.
	VPANEL GetVPanel() override { return _vpanel; }
	void Think() override;
	void PerformApplySchemeSettings() override;
	void PaintTraverse(bool repaint, bool allowForce = true) override;
	void Repaint() override;
	VPANEL IsWithinTraverse(int x, int y, bool traversePopups) override;
	void GetInset(int &left, int &top, int &right, int &bottom) override;
	void GetClipRect(int &x0, int &y0, int &x1, int &y1) override;
	void OnChildAdded(VPANEL child) override;
	void OnSizeChanged(int newWide, int newTall) override;
	void InternalFocusChanged(bool lost) override;
	bool RequestInfo(KeyValues *outputData) override;
	void RequestFocus(int direction = 0) override;
	bool RequestFocusPrev(VPANEL existingPanel = 0) override;
	bool RequestFocusNext(VPANEL existingPanel = 0) override;
	void OnMessage(const KeyValues *params, VPANEL fromPanel) override;
	VPANEL GetCurrentKeyFocus() override;
	int GetTabPosition() override;
	const char *GetName() override;
	const char *GetClassName() override;
	HScheme GetScheme() override;
	bool IsProportional() override;
	bool IsAutoDeleteSet() override;
	void DeletePanel() override;
	void *QueryInterface(EInterfaceID id) override;
	Panel *GetPanel() override { return this; }
	const char *GetModuleName() override;
	void OnTick() override;

	virtual PanelMessageMap *GetMessageMap();
	virtual PanelAnimationMap *GetAnimMap();
	virtual PanelKeyBindingMap *GetKBMap();
	virtual void GetValueForLua(char *buffer, int bufferSize);
	virtual ~Panel();
	virtual void Init(int x, int y, int wide, int tall);
	virtual void SetVisible(bool state);
	virtual bool IsVisible();
	virtual void PostMessage(VPANEL target, KeyValues *message, float delaySeconds = 0.0f);
	virtual void OnMove();
	virtual Panel *GetParent();
	virtual VPANEL GetVParent();
	virtual void SetParent(Panel *newParent);
	virtual void SetParent(VPANEL newParent);
	virtual bool HasParent(VPANEL potentialParent);
	virtual CUtlVector<VPANEL> &GetChildren();
	virtual void SetAutoDelete(bool state);
	virtual void AddActionSignalTarget(Panel *messageTarget);
	virtual void AddActionSignalTarget(VPANEL messageTarget);
	virtual void RemoveActionSignalTarget(Panel *oldTarget);
	virtual void PostActionSignal(KeyValues *message);
	virtual bool RequestInfoFromChild(const char *childName, KeyValues *outputData);
	virtual void PostMessageToChild(const char *childName, KeyValues *message);
	virtual void PostMessage(Panel *target, KeyValues *message, float delaySeconds = 0.0f);
	virtual bool SetInfo(KeyValues *inputData);
	virtual void SetSilentMode(bool silent);
	virtual void InstallMouseHandler(Panel *handler);
	virtual void SetEnabled(bool state);
	virtual bool IsEnabled();
	virtual bool IsPopup();
	virtual void MoveToFront();
	virtual void MoveToBack();
	virtual void SetBgColor(Color color);
	virtual void SetFgColor(Color color);
	virtual Color GetBgColor();
	virtual Color GetFgColor();
	virtual void SetCursor(HCursor cursor);
	virtual HCursor GetCursor();
	virtual void SetCursorAlwaysVisible(bool visible);
	virtual bool HasFocus();
	virtual void InvalidateLayout(bool layoutNow = false, bool reloadScheme = false);
	virtual void SetTabPosition(int position);
	virtual void SetBorder(IBorder *border);
	virtual IBorder *GetBorder();
	virtual void SetPaintBorderEnabled(bool state);
	virtual void SetPaintBackgroundEnabled(bool state);
	virtual void SetPaintEnabled(bool state);
	virtual void SetPostChildPaintEnabled(bool state);
	virtual void SetPaintBackgroundType(int type);
	virtual void GetPaintSize(int &wide, int &tall);
	virtual void SetBuildGroup(BuildGroup *buildGroup);
	virtual bool IsBuildGroupEnabled();
	virtual bool IsCursorNone();
	virtual bool IsCursorOver();
	virtual void MarkForDeletion();
	virtual bool IsLayoutInvalid();
	virtual Panel *HasHotkey(wchar_t key);
	virtual bool IsOpaque();
	virtual void SetScheme(const char *tag);
	virtual void SetScheme(HScheme scheme);
	virtual Color GetSchemeColor(const char *keyName, IScheme *scheme);
	virtual Color GetSchemeColor(const char *keyName, Color defaultColor, IScheme *scheme);
	virtual void ApplySchemeSettings(IScheme *scheme);
	virtual void ApplySettings(KeyValues *inResourceData);
	virtual void GetSettings(KeyValues *outResourceData);
	virtual const char *GetDescription();
	virtual void ApplyUserConfigSettings(KeyValues *userConfig);
	virtual void GetUserConfigSettings(KeyValues *userConfig);
	virtual bool HasUserConfigSettings();
	virtual void OnCommand(const char *command);
	virtual void OnMouseCaptureLost();
	virtual void OnSetFocus();
	virtual void OnKillFocus();
	virtual void OnDelete();
	virtual void OnThink();
	virtual void OnCursorMoved(int x, int y);
	virtual void OnCursorEntered();
	virtual void OnCursorExited();
	virtual void OnMousePressed(ButtonCode_t code);
	virtual void OnMouseDoublePressed(ButtonCode_t code);
	virtual void OnMouseReleased(ButtonCode_t code);
	virtual void OnMouseWheeled(int delta);
	virtual void SetTriplePressAllowed(bool state);
	virtual bool IsTriplePressAllowed() const;
	virtual void OnMouseTriplePressed(ButtonCode_t code);
	virtual void SetKeyBindingsContext(KeyBindingContextHandle_t handle);
	virtual KeyBindingContextHandle_t GetKeyBindingsContext() const;
	virtual bool IsValidKeyBindingsContext() const;
	virtual bool IsKeyRebound(ButtonCode_t code, int modifiers);
	virtual bool IsKeyOverridden(ButtonCode_t code, int modifiers);
	virtual void AddKeyBinding(const char *bindingName, int keyCode, int modifiers);
	virtual void EditKeyBindings();
	virtual const char *GetKeyBindingsFile() const;
	virtual const char *GetKeyBindingsFilePathID() const;
	virtual void OnKeyCodePressed(ButtonCode_t code);
	virtual void OnKeyCodeTyped(ButtonCode_t code);
	virtual void OnKeyTyped(wchar_t unichar);
	virtual void OnKeyCodeReleased(ButtonCode_t code);
	virtual void OnKeyFocusTicked();
	virtual void OnMouseFocusTicked();
	virtual void PaintBackground();
	virtual void Paint();
	virtual void PaintBorder();
	virtual void PaintBuildOverlay();
	virtual void PostChildPaint();
	virtual void PerformLayout();
	virtual PanelMap_t *GetPanelMap();
	virtual void SetProportional(bool state);
	virtual void SetMouseInputEnabled(bool state);
	virtual void SetKeyBoardInputEnabled(bool state);
	virtual bool IsMouseInputEnabled();
	virtual bool IsKeyBoardInputEnabled();
	virtual void DrawTexturedBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha);
	virtual void DrawBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha, bool hollow = false);
	virtual void DrawBoxFade(int x, int y, int wide, int tall, Color color, float normalizedAlpha, unsigned int alpha0,
	                         unsigned int alpha1, bool horizontal, bool hollow = false);
	virtual void DrawHollowBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha);
	virtual void DrawHollowBox(int x, int y, int wide, int tall, Color color, float normalizedAlpha, int cornerWide,
	                           int cornerTall);
	virtual void SetDragEnabled(bool enabled);
	virtual bool IsDragEnabled() const;
	virtual void SetShowDragHelper(bool enabled);
	virtual void OnDragFailed(CUtlVector<KeyValues *> &msglist);
	virtual void SetBlockDragChaining(bool block);
	virtual bool IsBlockingDragChaining() const;
	virtual int GetDragStartTolerance() const;
	virtual void SetDragSTartTolerance(int nTolerance);
	virtual void SetDropEnabled(bool enabled, float m_flHoverContextTime = 0.0f);
	virtual bool IsDropEnabled() const;
	virtual bool GetDropContextMenu(Menu *menu, CUtlVector<KeyValues *> &msglist);
	virtual void OnDropContextHoverShow(CUtlVector<KeyValues *> &msglist);
	virtual void OnDropContextHoverHide(CUtlVector<KeyValues *> &msglist);
	virtual DragDropState_t *GetDragDropInfo();
	virtual void OnGetAdditionalDragPanels(CUtlVector<Panel *> &dragabbles);
	virtual void OnCreateDragData(KeyValues *msg);
	virtual bool IsDroppable(CUtlVector<KeyValues *> &msglist);
	virtual void OnDraggablePanelPaint();
	virtual void OnDroppablePanelPaint(CUtlVector<KeyValues *> &msglist, CUtlVector<Panel *> &dragPanels);
	virtual void OnPanelDropped(CUtlVector<KeyValues *> &msglist);
	virtual void OnPanelEnteredDroppablePanel(CUtlVector<KeyValues *> &msglist);
	virtual void OnPanelExitedDroppablePanel(CUtlVector<KeyValues *> &msglist);
	virtual Panel *GetDropTarget(CUtlVector<KeyValues *> &msglist);
	virtual Panel *GetDragPanel();
	virtual bool IsBeingDragged();
	virtual HCursor GetDropCursor(CUtlVector<KeyValues *> &msglist);
	virtual bool CanStartDragging(int startx, int starty, int mx, int my);
	virtual void FillRectSkippingPanel(const Color &clr, int x, int y, int w, int h, Panel *skipPanel);
	virtual int GetPaintBackgroundType();
	virtual void GetCornerTextureSize(int &w, int &h);
	virtual void SetSkipChildDuringPainting(Panel *child);
	virtual Panel *NavigateUp();
	virtual Panel *NavigateDown();
	virtual Panel *NavigateLeft();
	virtual Panel *NavigateRight();
	virtual Panel *NavigateActivate();
	virtual Panel *NavigateBack();
	virtual void NavigateTo();
	virtual void NavigateFrom();
	virtual void NavigateToChild(Panel *navigateTo);
	virtual void OnNavigateTo(const char *panelName);
	virtual void OnNavigateFrom(const char *panelName);
	virtual void OnStartDragging();
	virtual void OnContinueDragging();
	virtual void OnFinishDragging(bool mousereleased, ButtonCode_t code, bool aborted = false);
	virtual void DragDropStartDragging();
	virtual void GetDragData(CUtlVector<KeyValues *> &list);
	virtual void CreateDragData();
	virtual void OnRequestFocus(VPANEL subFocus, VPANEL defaultPanel);
	virtual void OnScreenSizeChanged(int oldwide, int oldtall);
	virtual void InternalCursorMoved(int x, int y);
	virtual void InternalCursorEntered();
	virtual void InternalCursorExited();
	virtual void InternalMousePressed(int code);
	virtual void InternalMouseDoublePressed(int code);
	virtual void InternalMouseTriplePressed(int code);
	virtual void InternalMouseReleased(int code);
	virtual void InternalMouseWheeled(int delta);
	virtual void InternalKeyCodePressed(int code);
	virtual void InternalKeyCodeTyped(int code);
	virtual void InternalKeyTyped(int unichar);
	virtual void InternalKeyCodeReleased(int code);
	virtual void InternalKeyFocusTicked();
	virtual void InternalMouseFocusTicked();
	virtual void InternalInvalidateLayout();
	virtual void InternalMove();
	virtual void PaintAt(int x, int y);
	virtual void PaintTraversePublic(bool repaint, bool allowForce);
	virtual void SetDrawOverlay(bool drawOverlay);
	virtual void SetText(const char *text);
	virtual void GetText(char *buffer, int bufferSize);
	virtual bool IsMarkedForDeletion();
	virtual bool IsPaintedManually();
	virtual void SetPaintManually(bool state);
	virtual void DoModal();
	virtual void SetCommand(const char *command);
	virtual bool IsMenu();
	virtual CLuaObject *GetTable();
	virtual bool HasTable();
	virtual int GetCaretPos();
	virtual void SetCaretPos(int pos);
	// Leaves the panel's userdata on the Lua stack (class null: the Panel class).
	virtual void PushForLua(CLuaClass *luaClass = nullptr);
	virtual void OnActivate();
	virtual void OnDeactivate();
	virtual void OnBoundsChanged();
	virtual void OnChildBoundsChanged(Panel *child);
	virtual void SetWorldClicker(bool state);
	virtual bool IsWorldClicker();
	virtual void FreeLua();
	virtual void FreeLuaRecursive();

	// Name.
	void SetName(const char *panelName);

	// Tree.
	int GetChildCount();
	Panel *GetChild(int index);
	Panel *FindChildByName(const char *childName, bool recurseDown = false);
	Panel *FindSiblingByName(const char *siblingName);
	void CallParentFunction(KeyValues *message);
	void OnChildRemoved(Panel *child);

	// Geometry.
	void SetPos(int x, int y);
	void GetPos(int &x, int &y);
	void SetSize(int wide, int tall);
	void GetSize(int &wide, int &tall);
	void SetBounds(int x, int y, int wide, int tall);
	void GetBounds(int &x, int &y, int &wide, int &tall);
	void SetWide(int wide);
	int GetWide();
	void SetTall(int tall);
	int GetTall();
	void SetMinimumSize(int wide, int tall);
	void GetMinimumSize(int &wide, int &tall);
	void SetZPos(int z);
	int GetZPos();
	void LocalToScreen(int &x, int &y);
	void ParentLocalToScreen(int &x, int &y);
	bool IsWithin(int x, int y);

	// Settings and animation variables.
	// Registers the converters of the animation-variable types; later calls do nothing.
	static void InitPropertyConverters();
	// Registers a converter under a type name; a name already present keeps its converter.
	static void AddPropertyConverter(const char *typeName, IPanelAnimationPropertyConverter *converter);
	// Appends an animation variable to the map of "Panel".
	static void AddToAnimationMap(const char *scriptName, const char *type, const char *var,
	                              const char *defaultValue, bool array, PANELLOOKUPFUNC func);
	void InternalInitDefaultValues(PanelAnimationMap *map);
	void InternalApplySettings(PanelAnimationMap *map, KeyValues *inResourceData);
	void ApplyAutoResizeSettings(KeyValues *inResourceData);
	// Assigns a scheme colour unless layout settings have overridden that colour.
	void SetOverridableColor(Color *color, const Color &newColor);
	// Lets layout settings override a colour member under scriptName.
	void AddToOverridableColors(Color *color, const char *scriptName);
	int GetPinCorner() const { return _pinCornerAndAutoResize & 0x0F; }
	int GetAutoResize() const { return (_pinCornerAndAutoResize >> 4) & 0x0F; }
	void GetPinOffset(int &dx, int &dy) const { dx = m_nResizeDeltaX, dy = m_nResizeDeltaY; }
	void GetResizeOffset(int &dx, int &dy) const { dx = m_nResizeDeltaX2, dy = m_nResizeDeltaY2; }
	unsigned short GetBuildModeFlags() const { return _buildModeFlags; }
	bool IsForceStereoRenderToFrameBuffer() const { return m_bForceStereoRenderToFrameBuffer; }
	Color GetDragFrameColor() const { return m_clrDragFrame; }
	Color GetDropFrameColor() const { return m_clrDropFrame; }
	HFont GetInfoFont() const { return m_infoFont; }
	// The panel's text tooltip, made on first use and owned by the panel.
	BaseTooltip *GetTooltip();
	// The name a navigation target was given (0 up, down, left, right, to-relay, activate, back).
	const char *GetNavTargetName(int index) const;
	// Input routing, focus and popups.
	void ScreenToLocal(int &x, int &y);
	void InternalSetCursor();
	// Drag and drop: the drop target under the cursor, and the engine handle of this panel.
	Panel *FindDropTargetPanel();
	void FindDropTargetPanel_R(CUtlVector<VPANEL> &panelList, int x, int y, VPANEL check);
	HPanel ToHandle() const;
	// Navigation searches from the panel the walk began at (null from outside).
	Panel *GetNavUp(Panel *first = nullptr);
	Panel *GetNavDown(Panel *first = nullptr);
	Panel *GetNavLeft(Panel *first = nullptr);
	Panel *GetNavRight(Panel *first = nullptr);
	Panel *GetNavActivate(Panel *first = nullptr);
	Panel *GetNavBack(Panel *first = nullptr);
	Panel *GetNavToRelay(Panel *first = nullptr);
	// The direction the last navigation arrived from (0 up, 1 down, 2 left, 3 right, 5 other).
	int GetLastNavDirection() const { return m_LastNavDirection; }
	void MakePopup(bool showTaskbarIcon = true, bool disabled = false);
	bool IsConsoleStylePanel() const { return (_flags3 & FLAGS3_CONSOLE_STYLE) != 0; }
	void SetConsoleStylePanel(bool state);
	// Whether default cursor moves are passed on to the parent (in its coordinates).
	void SetForwardCursorMovesToParent(bool state);
	bool IsForwardingCursorMovesToParent() const { return (_flags3 & FLAGS3_FORWARD_CURSOR_MOVES) != 0; }

	// Key bindings.
	KeyBindingMap_t *LookupBinding(const char *bindingName);
	KeyBindingMap_t *LookupBindingByKeyCode(ButtonCode_t code, int modifiers);
	void SetAllowKeyBindingChainToParent(bool state);
	bool IsKeyBindingChainToParentAllowed() const;

	// Pinning.
	void PinToSibling(const char *siblingName, PinCorner_e pinOurCorner, PinCorner_e pinSibling);
	void UpdateSiblingPin();

	// Build mode.
	bool IsBuildModeActive();
	void SetBuildModeEditable(bool state);
	bool IsBuildModeEditable();
	void SetBuildModeDeletable(bool state);
	bool IsBuildModeDeletable();

	// Lua side: re-reads the hook functions the panel's Lua table holds.
	void ScanForLuaFunctionChanges();

	// Layout and docking.
	void MakeReadyForUse();
	void InternalPerformLayout();
	void DoDockedLayout();
	void DockLayoutChild(Panel *child, TRectangle &rect);
	int GetDock() const { return m_iDock; }
	void SetDock(unsigned char dock) { m_iDock = dock; }
	void SetDockPadding(int left, int top, int right, int bottom)
	{
		m_iDockPadding[0] = left, m_iDockPadding[1] = top, m_iDockPadding[2] = right, m_iDockPadding[3] = bottom;
	}
	void SetDockMargin(int left, int top, int right, int bottom)
	{
		m_iDockMargin[0] = left, m_iDockMargin[1] = top, m_iDockMargin[2] = right, m_iDockMargin[3] = bottom;
	}
	void GetDockPadding(int &left, int &top, int &right, int &bottom) const;
	void GetDockMargin(int &left, int &top, int &right, int &bottom) const;
	bool IsBoundsChanged() const { return m_bBoundsChanged; }

	// Painting.
	int GetAlpha();
	void SetAlpha(int alpha);
	void SetRoundedCorners(unsigned char cornerFlags) { m_roundedCorners = cornerFlags; }
	unsigned char GetRoundedCorners() const { return m_roundedCorners; }
	bool IsRenderedInScreenshots() const { return m_bRenderInScreenshots; }
	void SetRenderInScreenshots(bool state) { m_bRenderInScreenshots = state; }

	// Corner and gradient textures (texture ids; -1 = not loaded).
	int m_nPaintBackgroundType;
	int m_nBgTextureId1;
	int m_nBgTextureId2;
	int m_nBgTextureId3;
	int m_nBgTextureId4;
	int m_nHorizontalGradient;
	int m_nVerticalGradient;
	int m_nHorizontalGradientR;
	int m_nVerticalGradientR;

	// The panel's Lua table and userdata, and the cached table functions.
	CLuaObject *m_pLuaTable;
	CLuaObject *m_pLuaObject;
	bool m_bDrawOverlay;
	bool m_bNoClipping;
	CLuaObject *m_pLuaAnimationThink;
	CLuaObject *m_pLuaThink;
	CLuaObject *m_pLuaPaint;
	CLuaObject *m_pLuaPaintOver;
	CLuaObject *m_pLuaOnChildRemoved;
	CLuaObject *m_pLuaOnChildAdded;
	void *m_pLuaContainer;

protected:
	void MarkBoundsChanged() { m_bBoundsChanged = true; }
	bool IsFlag(unsigned short flag) const { return (_flags & flag) != 0; }
	void SetFlag(unsigned short flag, bool state) { _flags = state ? (_flags | flag) : (_flags & ~flag); }

	// Calls the Lua table's function of that name with the panel and the given numbers; false
	// when there is none. The boolean it returns lands in result.
	bool CallLuaHook(const char *name, int numArgs = 0, const double *args = nullptr, bool *result = nullptr);
	// Calls a cached hook function (one of m_pLuaThink...) with the panel and the given numbers,
	// under the same conditions as table hooks; false when it did not run.
	bool CallCachedLuaHook(CLuaObject *hook, int numArgs = 0, const double *args = nullptr, bool *result = nullptr);
	// The same with one panel argument ("OnChildAdded", "OnChildRemoved").
	bool CallCachedLuaHook(CLuaObject *hook, Panel *arg);
	// The cached "Paint" or "PaintOver" with the panel's size; true when the hook returned true.
	bool CallLuaPaintHook(CLuaObject *hook, int wide, int tall);

	// Dock settings (set through the Lua layer).
	unsigned char m_iDock;
	int m_iDockPadding[4];
	int m_iDockMargin[4];

private:
	struct NavigationTarget
	{
		CUtlString m_Name;
		PHandle m_Panel;
	};
	struct OverridableColorEntry
	{
		const char *m_pszScriptName;
		Color *m_pColor;
		Color m_colFromScript;
		bool m_bOverridden;
	};

	void Construct();
	// Fills the animation map of "Panel" on the first construction.
	static void RegisterPanelAnimationVars();
	// Whether the modal subtree, if any, lets this panel take input.
	bool ShouldHandleInputMessage();
	// Shift 1, ctrl 2, alt 4, as the keys are held now.
	static int KeyModifiers();
	// Fills the message map of "Panel" on the first construction.
	static void RegisterPanelMaps();
	void PaintBorderNow();
	// The drop cursor and the drop context menu while a started drag hovers over its target.
	void DragDropHoverThink();
	// Resolves one navigation entry (index as in m_NavTargets) to a panel, caching it.
	Panel *ResolveNavTarget(int index);
	// Follows one kind of navigation entry past hidden panels.
	Panel *SearchNav(int index, Panel *first);

	bool m_bPassUnhandledInput;
	int m_LastNavDirection;
	DragDropState_t *m_pDragDrop;
	Color m_clrDragFrame;
	Color m_clrDropFrame;
	void *m_pTooltips;
	bool m_bToolTipOverridden;
	PHandle m_SkipChild;
	unsigned int m_lLastDoublePressTime;
	HFont m_infoFont;
	KeyBindingContextHandle_t m_hKeyBindingsContext;
	VPANEL _vpanel;
	char *_panelName;
	IBorder *_border;
	unsigned short _flags;
	CUtlVector<HPanel> _actionSignalTargetDar;
	CUtlVector<OverridableColorEntry> m_OverridableColorEntries;
	Color _fgColor;
	Color _bgColor;
	HPanel m_hBuildGroup;
	short m_nResizeDeltaX;
	short m_nResizeDeltaY;
	short m_nResizeDeltaX2;
	short m_nResizeDeltaY2;
	HCursor _cursor;
	unsigned short _buildModeFlags;
	unsigned char _pinCornerAndAutoResize;
	unsigned char _tabPosition;
	HScheme m_iScheme;
	unsigned char _flags3;
	char *_pinToSibling;
	unsigned char _pinToSiblingCorner;
	unsigned char _pinCornerToSibling;
	PHandle m_pinSibling;
	NavigationTarget m_NavTargets[7];
	char *m_pszOwnedText;
	PHandle m_hMouseEventHandler;
	bool m_bForceStereoRenderToFrameBuffer;
	float _alpha;
	unsigned char m_roundedCorners;
	bool m_bPaintedManually;
	bool m_bRenderInScreenshots;
	bool m_bBoundsChanged;
	float m_flAlphaOverride;
	bool m_bWorldClicker;
};

// The panel capturing the mouse while it drags (none when the handle is empty).
extern PHandle g_DragDropCapture;
}
