// vgui::PanelListPanel: rows of label and item panels laid out in columns inside an embedded
// panel whose y position follows the vertical scroll bar.
#include "vgui_controls/PanelListPanel.h"

#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/ScrollBar.h"

namespace vgui
{
namespace
{
// Pixels the content moves per wheel notch.
constexpr int kWheelStep = 24;
}

PanelListPanel::PanelListPanel(Panel *parent, const char *panelName) : EditablePanel(parent, panelName)
{
	SetBounds(0, 0, 100, 100);

	_vbar = new ScrollBar(this, "PanelListPanelVScroll", true);
	_vbar->SetVisible(false);
	_vbar->AddActionSignalTarget(this);

	_embedded = new EditablePanel(this, "PanelListEmbedded");
	_embedded->SetBounds(0, 0, 20, 20);
	_embedded->SetPaintBackgroundEnabled(false);
	_embedded->SetPaintBorderEnabled(false);

	m_iFirstColumnWidth = 100;
	m_iNumColumns = 1;
	m_iSpaceBetweenItems = 5;
	if (IsProportional() && scheme())
		m_iSpaceBetweenItems = scheme()->GetProportionalScaledValueEx(GetScheme(), 5);
}

PanelListPanel::~PanelListPanel()
{
	DeleteAllItems();
}

int PanelListPanel::AddItem(Panel *labelPanel, Panel *panel)
{
	if (labelPanel)
		labelPanel->SetParent(_embedded);
	if (panel)
		panel->SetParent(_embedded);

	int itemID = m_DataItems.AddToTail();
	if (!m_DataItems.IsValidIndex(itemID))
		return -1;
	dataitem_s &item = m_DataItems[itemID];
	item.panel = panel;
	item.labelPanel = labelPanel;
	m_SortedItems.AddToTail(itemID);
	InvalidateLayout();
	return itemID;
}

Panel *PanelListPanel::GetItemLabel(int itemID)
{
	if (!m_DataItems.IsValidIndex(itemID))
		return nullptr;
	return m_DataItems[itemID].labelPanel.Get();
}

Panel *PanelListPanel::GetItemPanel(int itemID)
{
	if (!m_DataItems.IsValidIndex(itemID))
		return nullptr;
	return m_DataItems[itemID].panel.Get();
}

int PanelListPanel::GetItemIDFromRow(int row) const
{
	if (row < 0 || row >= m_SortedItems.Count())
		return -1;
	return m_SortedItems[row];
}

Panel *PanelListPanel::GetCellRenderer(int row)
{
	int itemID = GetItemIDFromRow(row);
	return itemID < 0 ? nullptr : GetItemPanel(itemID);
}

void PanelListPanel::RemoveItem(int itemID)
{
	if (!m_DataItems.IsValidIndex(itemID))
		return;
	dataitem_s &item = m_DataItems[itemID];
	if (Panel *panel = item.panel.Get())
		panel->MarkForDeletion();
	if (Panel *label = item.labelPanel.Get())
		label->MarkForDeletion();
	m_DataItems.Remove(itemID);
	m_SortedItems.FindAndRemove(itemID);
	InvalidateLayout();
}

void PanelListPanel::DeleteAllItems()
{
	for (int i = m_DataItems.Head(); i != m_DataItems.InvalidIndex(); i = m_DataItems.Next(i))
	{
		if (Panel *panel = m_DataItems[i].panel.Get())
			panel->DeletePanel();
	}
	m_DataItems.RemoveAll();
	m_SortedItems.RemoveAll();
	InvalidateLayout();
}

void PanelListPanel::RemoveAll()
{
	m_DataItems.RemoveAll();
	m_SortedItems.RemoveAll();
	_vbar->SetValue(0);
	InvalidateLayout();
}

void PanelListPanel::MoveScrollBarToTop()
{
	_vbar->SetValue(0);
}

int PanelListPanel::ComputeVPixelsNeeded()
{
	int height = 0;
	int rowTallest = 0;
	int seen = 0;
	for (int i = 0; i < m_SortedItems.Count(); ++i)
	{
		Panel *panel = GetItemPanel(m_SortedItems[i]);
		if (!panel)
			continue;
		if (panel->IsLayoutInvalid())
			panel->InvalidateLayout(true);

		int column = seen % m_iNumColumns;
		++seen;
		if (column == 0)
		{
			height += m_iSpaceBetweenItems;
			rowTallest = 0;
		}
		int wide, tall;
		panel->GetSize(wide, tall);
		if (tall > rowTallest)
			rowTallest = tall;
		if (column == m_iNumColumns - 1)
		{
			height += rowTallest;
			rowTallest = 0;
		}
	}
	return height + rowTallest + m_iSpaceBetweenItems;
}

void PanelListPanel::PerformLayout()
{
	int wide, tall;
	GetSize(wide, tall);
	int needed = ComputeVPixelsNeeded();

	_vbar->SetRange(0, needed);
	_vbar->SetRangeWindow(tall);
	_vbar->SetButtonPressedScrollValue(tall / 4);
	int barWide = _vbar->GetWide();
	_vbar->SetPos(wide - 2 - barWide, 0);
	_vbar->SetSize(barWide, tall - 2);

	int top = _vbar->GetValue();
	_embedded->SetPos(0, -top);
	_embedded->SetSize(wide - barWide, needed);
	_vbar->SetVisible(!(m_bAutoHideScrollbar && _embedded->GetTall() <= tall));

	int x0 = m_iSpaceBetweenItems + m_iFirstColumnWidth;
	int columnWide = (wide - 12 - x0 - barWide) / m_iNumColumns;

	// Rows without a live item panel take no place, as in the content height.
	int y = 0;
	int rowTallest = 0;
	int seen = 0;
	for (int i = 0; i < m_SortedItems.Count(); ++i)
	{
		int itemID = m_SortedItems[i];
		Panel *panel = GetItemPanel(itemID);
		if (!panel)
			continue;
		int column = seen % m_iNumColumns;
		++seen;
		if (column == 0)
		{
			y += m_iSpaceBetweenItems;
			rowTallest = 0;
		}
		int panelTall = panel->GetTall();
		if (Panel *label = GetItemLabel(itemID))
			label->SetBounds(0, y, m_iFirstColumnWidth, panelTall);
		panel->SetBounds(x0 + column * columnWide, y, columnWide, panelTall);
		if (panelTall > rowTallest)
			rowTallest = panelTall;
		if (column == m_iNumColumns - 1)
		{
			y += rowTallest;
			rowTallest = 0;
		}
	}
}

void PanelListPanel::OnSizeChanged(int wide, int tall)
{
	BaseClass::OnSizeChanged(wide, tall);
	InvalidateLayout();
	Repaint();
}

void PanelListPanel::OnSliderMoved(int position)
{
	InvalidateLayout();
	Repaint();
}

void PanelListPanel::OnMouseWheeled(int delta)
{
	_vbar->SetValue(_vbar->GetValue() - kWheelStep * delta);
}

void PanelListPanel::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	SetBorder(pScheme->GetBorder("ButtonDepressedBorder"));
	SetBgColor(GetSchemeColor("ListPanel.BgColor", GetBgColor(), pScheme));
}
}
