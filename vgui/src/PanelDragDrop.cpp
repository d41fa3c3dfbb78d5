// Drag and drop of vgui::Panel: drag sources and drop targets, the drag from press to drop,
// the shared full-screen helper popup that draws it, and the drop context menu.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui/ISystem.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
namespace
{
const ButtonCode_t kNoButton = static_cast<ButtonCode_t>(-1);
// The cursor shown while no panel under the cursor takes the drop.
const HCursor kNoDropCursor = 13;
// The helper draws at most this much of a dragged panel's size.
const int kMaxDragBox = 80;
// Bit of the panel flag word: the drag starts when the cursor leaves the panel.
const unsigned short kDragStartsOutsidePanel = 0x4000;

PHandle s_DragDropHelper;

unsigned int NowMilliseconds() { return static_cast<unsigned int>(system()->GetTimeMillis()); }

void DeleteMessages(CUtlVector<KeyValues *> &messages)
{
	for (int i = 0; i < messages.Count(); ++i)
		if (messages[i])
			messages[i]->deleteThis();
	messages.RemoveAll();
}
}

// The full-screen popup that draws every drag in flight above all other panels.
class CDragDropHelperPanel : public Panel
{
	DECLARE_CLASS_SIMPLE(CDragDropHelperPanel, Panel);
	DECLARE_KEYBINDINGMAP(CDragDropHelperPanel);

public:
	struct DragHelperPanel_t
	{
		PHandle m_hPanel;
	};

	CDragDropHelperPanel();
	~CDragDropHelperPanel() override { m_PaintList.Purge(); }

	// The helper never takes the mouse.
	VPANEL IsWithinTraverse(int, int, bool) override { return 0; }
	void PostChildPaint() override;

	void AddPanel(Panel *panel);
	void RemovePanel(Panel *panel);

private:
	CUtlVector<DragHelperPanel_t> m_PaintList;
};

CDragDropHelperPanel::CDragDropHelperPanel() : Panel(nullptr, "DragDropHelper")
{
	SetVisible(true);
	SetPaintEnabled(false);
	SetPaintBackgroundEnabled(false);
	SetMouseInputEnabled(false);
	SetKeyBoardInputEnabled(false);
	ipanel()->SetTopmostPopup(GetVPanel(), true);
	int wide = 0, tall = 0;
	surface()->GetScreenSize(wide, tall);
	SetBounds(0, 0, wide, tall);
	SetPostChildPaintEnabled(true);
	surface()->CreatePopup(GetVPanel(), false, false, false, true, true);
}

void CDragDropHelperPanel::AddPanel(Panel *panel)
{
	if (!panel)
		return;
	surface()->MovePopupToFront(GetVPanel());
	if (Panel *menu = panel->GetDragDropInfo()->m_hContextMenu.Get())
		if (ipanel()->IsPopup(menu->GetVPanel()))
			surface()->MovePopupToFront(menu->GetVPanel());
	for (int i = 0; i < m_PaintList.Count(); ++i)
		if (m_PaintList[i].m_hPanel.Get() == panel)
			return;
	DragHelperPanel_t entry;
	entry.m_hPanel = panel;
	m_PaintList.AddToTail(entry);
}

void CDragDropHelperPanel::RemovePanel(Panel *panel)
{
	for (int i = m_PaintList.Count() - 1; i >= 0; --i)
	{
		if (m_PaintList[i].m_hPanel.Get() == panel)
		{
			m_PaintList.Remove(i);
			return;
		}
	}
}

void CDragDropHelperPanel::PostChildPaint()
{
	bool wasEmpty = m_PaintList.Count() == 0;
	for (int i = m_PaintList.Count() - 1; i >= 0; --i)
	{
		Panel *source = m_PaintList[i].m_hPanel.Get();
		if (!source)
		{
			m_PaintList.Remove(i);
			continue;
		}
		DragDropState_t *drag = source->GetDragDropInfo();
		if (Panel *target = drag->m_hDropTarget.Get())
		{
			CUtlVector<Panel *> dragged;
			for (int j = 0; j < drag->m_DragPanels.Count(); ++j)
				if (Panel *p = drag->m_DragPanels[j].Get())
					dragged.AddToTail(p);
			target->OnDroppablePanelPaint(drag->m_DragData, dragged);
		}
		else
		{
			source->OnDraggablePanelPaint();
		}
	}
	if (wasEmpty)
		MarkForDeletion();
}

namespace
{
CDragDropHelperPanel *Helper() { return static_cast<CDragDropHelperPanel *>(s_DragDropHelper.Get()); }
}

DragDropState_t::~DragDropState_t() { DeleteMessages(m_DragData); }

// Switches and defaults.

void Panel::SetDragEnabled(bool enabled)
{
	if (m_pDragDrop->m_bDragging && !enabled)
		OnFinishDragging(false, kNoButton, false);
	m_pDragDrop->m_bDragEnabled = enabled;
}
bool Panel::IsDragEnabled() const { return m_pDragDrop->m_bDragEnabled; }
void Panel::SetShowDragHelper(bool enabled) { m_pDragDrop->m_bShowHelper = enabled; }
void Panel::OnDragFailed(CUtlVector<KeyValues *> &) {}
void Panel::SetBlockDragChaining(bool block) { m_pDragDrop->m_bBlockChaining = block; }
bool Panel::IsBlockingDragChaining() const { return m_pDragDrop->m_bBlockChaining; }
int Panel::GetDragStartTolerance() const { return m_pDragDrop->m_nStartTolerance; }
void Panel::SetDragSTartTolerance(int nTolerance) { m_pDragDrop->m_nStartTolerance = nTolerance; }
void Panel::SetDropEnabled(bool enabled, float hoverContextTime)
{
	m_pDragDrop->m_bDropEnabled = enabled;
	m_pDragDrop->m_flContextMenuDelay = hoverContextTime;
}
bool Panel::IsDropEnabled() const { return m_pDragDrop->m_bDropEnabled; }
bool Panel::GetDropContextMenu(Menu *, CUtlVector<KeyValues *> &) { return false; }
void Panel::OnDropContextHoverShow(CUtlVector<KeyValues *> &) {}
void Panel::OnDropContextHoverHide(CUtlVector<KeyValues *> &) {}
DragDropState_t *Panel::GetDragDropInfo() { return m_pDragDrop; }
void Panel::OnGetAdditionalDragPanels(CUtlVector<Panel *> &) {}
void Panel::OnCreateDragData(KeyValues *) {}
bool Panel::IsDroppable(CUtlVector<KeyValues *> &) { return false; }
void Panel::OnPanelDropped(CUtlVector<KeyValues *> &) {}
void Panel::OnPanelEnteredDroppablePanel(CUtlVector<KeyValues *> &) {}
void Panel::OnPanelExitedDroppablePanel(CUtlVector<KeyValues *> &) {}
HCursor Panel::GetDropCursor(CUtlVector<KeyValues *> &) { return dc_arrow; }

HPanel Panel::ToHandle() const { return ivgui()->PanelToHandle(_vpanel); }

Panel *Panel::GetDropTarget(CUtlVector<KeyValues *> &msglist)
{
	if (m_pDragDrop->m_bDropEnabled && IsDroppable(msglist))
		return this;
	Panel *parent = GetParent();
	return parent ? parent->GetDropTarget(msglist) : nullptr;
}

Panel *Panel::GetDragPanel()
{
	if (m_pDragDrop->m_bBlockChaining)
		return nullptr;
	if (m_pDragDrop->m_bDragEnabled)
		return this;
	Panel *parent = GetParent();
	return parent ? parent->GetDragPanel() : nullptr;
}

bool Panel::IsBeingDragged()
{
	Panel *capture = g_DragDropCapture.Get();
	if (!capture)
		return false;
	if (capture == this)
		return true;
	if (m_pDragDrop->m_bBlockChaining)
		return false;
	Panel *parent = GetParent();
	return parent ? parent->IsBeingDragged() : false;
}

bool Panel::CanStartDragging(int startx, int starty, int mx, int my)
{
	if (IsFlag(kDragStartsOutsidePanel))
	{
		int x = 0, y = 0, wide = 0, tall = 0;
		ipanel()->GetAbsPos(GetVPanel(), x, y);
		GetSize(wide, tall);
		return mx < x || my < y || mx > x + wide || my > y + tall;
	}
	int tolerance = m_pDragDrop->m_nStartTolerance;
	return std::abs(mx - startx) > tolerance || std::abs(my - starty) > tolerance;
}

// The drag, from press to drop.

void Panel::DragDropStartDragging()
{
	if (Panel *capture = g_DragDropCapture.Get())
	{
		if (ipanel()->HasParent(GetVPanel(), capture->GetVPanel()))
			return;
		bool started = capture->GetDragDropInfo()->m_bDragStarted;
		capture->OnFinishDragging(true, kNoButton, false);
		if (started)
			return;
	}
	Panel *source = GetDragPanel();
	if (!source || !source->GetDragDropInfo())
		return;
	DragDropState_t *drag = source->GetDragDropInfo();
	if (!drag->m_bDragEnabled || drag->m_bDragging)
		return;
	source->OnStartDragging();
}

void Panel::OnStartDragging()
{
	if (!input()->IsMouseDown(MOUSE_LEFT) || !m_pDragDrop->m_bDragEnabled || m_pDragDrop->m_bDragging)
		return;
	g_DragDropCapture = this;
	m_pDragDrop->m_bDragStarted = false;
	m_pDragDrop->m_bDragging = true;
	input()->GetCursorPos(m_pDragDrop->m_StartPos[0], m_pDragDrop->m_StartPos[1]);
	m_pDragDrop->m_CurrentPos[0] = m_pDragDrop->m_StartPos[0];
	m_pDragDrop->m_CurrentPos[1] = m_pDragDrop->m_StartPos[1];
	OnContinueDragging();
}

void Panel::OnContinueDragging()
{
	DragDropState_t *drag = m_pDragDrop;
	if (!drag->m_bDragEnabled || !drag->m_bDragging)
		return;

	int x = 0, y = 0;
	input()->GetCursorPos(x, y);
	drag->m_CurrentPos[0] = x;
	drag->m_CurrentPos[1] = y;

	if (!drag->m_bDragStarted)
	{
		if (!CanStartDragging(drag->m_StartPos[0], drag->m_StartPos[1], x, y))
			return;
		drag->m_bDragStarted = true;
		CreateDragData();
	}

	if (!Helper() && drag->m_bShowHelper)
	{
		CDragDropHelperPanel *helper = new CDragDropHelperPanel();
		s_DragDropHelper = helper;
		helper->SetKeyBoardInputEnabled(false);
		helper->SetMouseInputEnabled(false);
	}
	if (CDragDropHelperPanel *helper = Helper())
		helper->AddPanel(this);

	PHandle oldTarget = drag->m_hDropTarget;
	drag->m_hDropTarget = nullptr;
	Panel *target = nullptr;
	if (Panel *under = FindDropTargetPanel())
		target = under->GetDropTarget(drag->m_DragData);
	surface()->SetCursor(kNoDropCursor);
	if (target)
	{
		bool accepted = target != this ||
		                (drag->m_DragData.Count() > 0 && drag->m_DragData[0]->GetInt("selfDroppable") != 0);
		if (accepted)
		{
			drag->m_hDropTarget = target;
			surface()->SetCursor(target->GetDropCursor(drag->m_DragData));
		}
	}

	if (oldTarget.Get() != drag->m_hDropTarget.Get() || oldTarget.GetHandle() != drag->m_hDropTarget.GetHandle())
	{
		if (Panel *old = oldTarget.Get())
			old->OnPanelExitedDroppablePanel(drag->m_DragData);
		if (Panel *now = drag->m_hDropTarget.Get())
		{
			now->OnPanelEnteredDroppablePanel(drag->m_DragData);
			now->OnDropContextHoverHide(drag->m_DragData);
			drag->m_nHoverStartTime = NowMilliseconds();
			drag->m_bContextMenuShown = false;
		}
		if (Panel *menu = drag->m_hContextMenu.Get())
			menu->MarkForDeletion();
		drag->m_hContextMenu = nullptr;
	}
	// The menu has no items to highlight under the cursor; an open menu simply stays open.
}

void Panel::OnFinishDragging(bool mousereleased, ButtonCode_t, bool aborted)
{
	g_DragDropCapture = nullptr;
	DragDropState_t *drag = m_pDragDrop;
	if (!drag || !drag->m_bDragEnabled || !drag->m_bDragging)
		return;

	int x = 0, y = 0;
	input()->GetCursorPos(x, y);
	drag->m_CurrentPos[0] = x;
	drag->m_CurrentPos[1] = y;
	if (CDragDropHelperPanel *helper = Helper())
		helper->RemovePanel(this);
	drag->m_bDragging = false;

	if (!drag->m_bDragStarted)
		return;

	Panel *target = drag->m_hDropTarget.Get();
	char command[256] = "default";
	// The drop menu carries no items here, so no item picks another command. An open menu
	// goes with the drag however it ends, so that no stray menu stays on screen.
	if (Panel *menu = drag->m_hContextMenu.Get())
		menu->MarkForDeletion();
	drag->m_hContextMenu = nullptr;

	bool deliver = target && !aborted;
	for (int i = 0; i < drag->m_DragData.Count(); ++i)
	{
		KeyValues *msg = drag->m_DragData[i];
		msg->SetString("command", command);
		msg->SetInt("screenx", x);
		msg->SetInt("screeny", y);
		if (deliver)
		{
			int tx = 0, ty = 0;
			ipanel()->GetAbsPos(target->GetVPanel(), tx, ty);
			msg->SetInt("x", x - tx);
			msg->SetInt("y", y - ty);
		}
	}
	if (!deliver)
		OnDragFailed(drag->m_DragData);

	drag->m_bDragStarted = false;
	drag->m_DragPanels.RemoveAll();
	drag->m_hDropTarget = nullptr;
	CUtlVector<KeyValues *> messages;
	for (int i = 0; i < drag->m_DragData.Count(); ++i)
		messages.AddToTail(drag->m_DragData[i]);
	drag->m_DragData.RemoveAll();

	// Only the local list is used from here: the target's handler may delete the source.
	if (deliver)
		target->OnPanelDropped(messages);
	DeleteMessages(messages);
}

void Panel::CreateDragData()
{
	DragDropState_t *drag = m_pDragDrop;
	if (drag->m_DragData.Count() > 0)
		return;
	PHandle self;
	self = this;
	drag->m_DragPanels.AddToTail(self);
	CUtlVector<Panel *> extra;
	OnGetAdditionalDragPanels(extra);
	for (int i = 0; i < extra.Count(); ++i)
	{
		PHandle h;
		h = extra[i];
		drag->m_DragPanels.AddToTail(h);
	}
	for (int i = 0; i < drag->m_DragPanels.Count(); ++i)
	{
		Panel *panel = drag->m_DragPanels[i].Get();
		if (!panel)
			continue;
		KeyValues *msg = new KeyValues("DragDrop");
		msg->SetPtr("panel", panel);
		panel->OnCreateDragData(msg);
		drag->m_DragData.AddToTail(msg);
	}
}

void Panel::GetDragData(CUtlVector<KeyValues *> &list)
{
	list.RemoveAll();
	for (int i = 0; i < m_pDragDrop->m_DragData.Count(); ++i)
		list.AddToTail(m_pDragDrop->m_DragData[i]);
}

// Finding the drop target.

Panel *Panel::FindDropTargetPanel()
{
	CDragDropHelperPanel *helper = Helper();
	if (!helper)
		return nullptr;
	int x = 0, y = 0;
	input()->GetCursorPos(x, y);
	VPANEL embedded = surface()->GetEmbeddedPanel();
	CUtlVector<VPANEL> hits;
	if (surface()->IsCursorVisible() && surface()->IsWithin(x, y))
	{
		for (int i = surface()->GetPopupCount() - 1; i >= 0; --i)
		{
			VPANEL popup = surface()->GetPopup(i);
			if (popup == embedded || popup == helper->GetVPanel() || !ipanel()->IsFullyVisible(popup))
				continue;
			FindDropTargetPanel_R(hits, x, y, popup);
			if (hits.Count() > 0)
				break;
		}
		if (hits.Count() == 0)
			FindDropTargetPanel_R(hits, x, y, embedded);
	}
	for (int i = hits.Count() - 1; i >= 0; --i)
		if (Panel *panel = ipanel()->GetPanel(hits[i], GetModuleName()))
			return panel;
	return nullptr;
}

void Panel::FindDropTargetPanel_R(CUtlVector<VPANEL> &panelList, int x, int y, VPANEL check)
{
	// The helper covers the whole screen as a child of the embedded panel: were it collected,
	// it would be the answer wherever the cursor is.
	Panel *helper = s_DragDropHelper.Get();
	if (!ipanel()->IsVisible(check) || (helper && check == helper->GetVPanel()))
		return;
	Panel *panel = ipanel()->GetPanel(check, GetModuleName());
	// Panels of other modules (and the engine's root) have no modal test of their own here.
	bool takesInput = !panel || panel->ShouldHandleInputMessage();
	if (takesInput && ipanel()->IsWithin(check, x, y))
		panelList.AddToTail(check);
	CUtlVector<VPANEL> children;
	CUtlVector<VPANEL> &live = ipanel()->GetChildren(check);
	for (int i = 0; i < live.Count(); ++i)
		children.AddToTail(live[i]);
	for (int i = 0; i < children.Count(); ++i)
		FindDropTargetPanel_R(panelList, x, y, children[i]);
}

// Default painting of a drag.

void Panel::OnDraggablePanelPaint()
{
	int wide = 0, tall = 0;
	GetSize(wide, tall);
	int w = std::min(wide, kMaxDragBox), h = std::min(tall, kMaxDragBox);
	int x = m_pDragDrop->m_CurrentPos[0] - w / 2;
	int y = m_pDragDrop->m_CurrentPos[1] - h / 2;
	surface()->DrawSetColor(m_clrDragFrame);
	surface()->DrawOutlinedRect(x, y, x + w, y + h);
	if (m_pDragDrop->m_DragPanels.Count() > 1)
	{
		wchar_t count[64];
		std::swprintf(count, 64, L"[ %i ]", m_pDragDrop->m_DragPanels.Count());
		surface()->DrawSetTextColor(m_clrDragFrame);
		surface()->DrawSetTextFont(m_infoFont);
		surface()->DrawSetTextPos(x + 5, y + 2);
		surface()->DrawPrintText(count, static_cast<int>(std::wcslen(count)));
	}
}

void Panel::OnDroppablePanelPaint(CUtlVector<KeyValues *> &, CUtlVector<Panel *> &dragPanels)
{
	if (dragPanels.Count() == 0)
		return;
	int x = 0, y = 0, wide = 0, tall = 0;
	ipanel()->GetAbsPos(GetVPanel(), x, y);
	GetSize(wide, tall);
	surface()->DrawSetColor(m_clrDropFrame);
	surface()->DrawOutlinedRect(x, y, x + wide, y + tall);
	surface()->DrawOutlinedRect(x + 1, y + 1, x + wide - 1, y + tall - 1);
}

// The drop context menu, once the cursor has hovered over the target long enough; called by
// the panel's think while the left button holds a started drag over a live target.
void Panel::DragDropHoverThink()
{
	DragDropState_t *drag = m_pDragDrop;
	Panel *target = drag->m_hDropTarget.Get();
	if (!target)
		return;
	surface()->SetCursor(target->GetDropCursor(drag->m_DragData));
	if (drag->m_bContextMenuShown)
		return;
	float delay = target->GetDragDropInfo()->m_flContextMenuDelay;
	if (delay == 0.0f || (NowMilliseconds() - drag->m_nHoverStartTime) * 0.001f < delay)
		return;

	drag->m_bContextMenuShown = true;
	CUtlVector<KeyValues *> data;
	GetDragData(data);
	int x = 0, y = 0;
	input()->GetCursorPos(x, y);
	if (Panel *old = drag->m_hContextMenu.Get())
		old->MarkForDeletion();
	drag->m_hContextMenu = nullptr;
	Menu *menu = new Menu(target, "DropContext");
	if (target->GetDropContextMenu(menu, data))
	{
		drag->m_hContextMenu = menu;
		menu->SetPos(x, y);
		menu->SetVisible(true);
		menu->MakePopup(true, false);
		menu->SetMouseInputEnabled(true);
		menu->SetKeyBoardInputEnabled(true);
		menu->MoveToFront();
	}
	else
	{
		menu->MarkForDeletion();
	}
	target->OnDropContextHoverShow(data);
}
}
