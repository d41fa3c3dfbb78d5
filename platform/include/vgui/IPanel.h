// The engine's panel table ("VGUI_Panel009"): the tree, geometry, visibility and z-order of
// every engine panel, and the calls into a panel's client.
#pragma once

#include "tier1/utlvector.h"
#include "vgui/VGUI.h"

class KeyValues;

#define VGUI_PANEL_INTERFACE_VERSION "VGUI_Panel009"

namespace vgui
{
class IPanel
{
public:
	// Binds the client object that receives the panel's callbacks.
	virtual void Init(VPANEL vguiPanel, IClientPanel *panel) = 0;

	// Position relative to the parent, size, minimum size, z-position; absolute screen position.
	virtual void SetPos(VPANEL vguiPanel, int x, int y) = 0;
	virtual void GetPos(VPANEL vguiPanel, int &x, int &y) = 0;
	virtual void SetSize(VPANEL vguiPanel, int wide, int tall) = 0;
	virtual void GetSize(VPANEL vguiPanel, int &wide, int &tall) = 0;
	virtual void SetMinimumSize(VPANEL vguiPanel, int wide, int tall) = 0;
	virtual void GetMinimumSize(VPANEL vguiPanel, int &wide, int &tall) = 0;
	virtual void SetZPos(VPANEL vguiPanel, int z) = 0;
	virtual int GetZPos(VPANEL vguiPanel) = 0;
	virtual void GetAbsPos(VPANEL vguiPanel, int &x, int &y) = 0;
	// The visible part of the panel in screen coordinates (right and bottom edges outside).
	virtual void GetClipRect(VPANEL vguiPanel, int &x0, int &y0, int &x1, int &y1) = 0;
	virtual void SetInset(VPANEL vguiPanel, int left, int top, int right, int bottom) = 0;
	virtual void GetInset(VPANEL vguiPanel, int &left, int &top, int &right, int &bottom) = 0;

	virtual void SetVisible(VPANEL vguiPanel, bool state) = 0;
	virtual bool IsVisible(VPANEL vguiPanel) = 0;
	virtual void SetEnabled(VPANEL vguiPanel, bool state) = 0;
	virtual bool IsEnabled(VPANEL vguiPanel) = 0;

	// Tree: the new parent takes the panel as its last child (0 detaches).
	virtual void SetParent(VPANEL vguiPanel, VPANEL newParent) = 0;
	virtual VPANEL GetParent(VPANEL vguiPanel) = 0;
	virtual int GetChildCount(VPANEL vguiPanel) = 0;
	virtual VPANEL GetChild(VPANEL vguiPanel, int index) = 0;
	virtual CUtlVector<VPANEL> &GetChildren(VPANEL vguiPanel) = 0;
	// True when potentialParent is the panel itself or one of its ancestors.
	virtual bool HasParent(VPANEL vguiPanel, VPANEL potentialParent) = 0;
	virtual bool IsPopup(VPANEL vguiPanel) = 0;
	virtual void MoveToFront(VPANEL vguiPanel) = 0;
	virtual void MoveToBack(VPANEL vguiPanel) = 0;

	virtual HScheme GetScheme(VPANEL vguiPanel) = 0;
	virtual bool IsProportional(VPANEL vguiPanel) = 0;
	virtual bool IsAutoDeleteSet(VPANEL vguiPanel) = 0;
	virtual void DeletePanel(VPANEL vguiPanel) = 0;
	virtual void SetKeyBoardInputEnabled(VPANEL vguiPanel, bool state) = 0;
	virtual void SetMouseInputEnabled(VPANEL vguiPanel, bool state) = 0;
	virtual bool IsKeyBoardInputEnabled(VPANEL vguiPanel) = 0;
	virtual bool IsMouseInputEnabled(VPANEL vguiPanel) = 0;

	virtual const char *GetName(VPANEL vguiPanel) = 0;
	virtual const char *GetClassName(VPANEL vguiPanel) = 0;

	// Hands a message to the panel's client at once.
	virtual void SendMessage(VPANEL vguiPanel, KeyValues *params, VPANEL fromPanel) = 0;
	virtual void Think(VPANEL vguiPanel) = 0;
	virtual void PerformApplySchemeSettings(VPANEL vguiPanel) = 0;
	virtual void PaintTraverse(VPANEL vguiPanel, bool forceRepaint, bool allowForce = true) = 0;
	virtual void Repaint(VPANEL vguiPanel) = 0;
	virtual VPANEL IsWithinTraverse(VPANEL vguiPanel, int x, int y, bool traversePopups) = 0;
	virtual void OnChildAdded(VPANEL vguiPanel, VPANEL child) = 0;
	virtual void OnSizeChanged(VPANEL vguiPanel, int newWide, int newTall) = 0;
	virtual void InternalFocusChanged(VPANEL vguiPanel, bool lost) = 0;
	// Passes an information request to the panel's client.
	virtual bool RequestInfo(VPANEL vguiPanel, KeyValues *outputData) = 0;
	virtual void RequestFocus(VPANEL vguiPanel, int direction = 0) = 0;
	virtual bool RequestFocusPrev(VPANEL vguiPanel, VPANEL existingPanel) = 0;
	virtual bool RequestFocusNext(VPANEL vguiPanel, VPANEL existingPanel) = 0;
	virtual VPANEL GetCurrentKeyFocus(VPANEL vguiPanel) = 0;
	virtual int GetTabPosition(VPANEL vguiPanel) = 0;

	// The client panel when it belongs to the named module, else null.
	virtual Panel *GetPanel(VPANEL vguiPanel, const char *destinationModule) = 0;
	virtual const char *GetModuleName(VPANEL vguiPanel) = 0;

	// Popup ordering: a popup set topmost stays above the popups that are not.
	virtual void SetTopmostPopup(VPANEL vguiPanel, bool state) = 0;
	// Whether the panel and every parent up to the root are visible.
	virtual bool IsFullyVisible(VPANEL vguiPanel) = 0;
	// Whether the screen point lies inside the panel's clipped rectangle.
	virtual bool IsWithin(VPANEL vguiPanel, int x, int y) = 0;

protected:
	virtual ~IPanel() = default;
};
}
