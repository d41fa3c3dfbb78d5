// vgui::PanelListPanel: a vertically scrolling list of rows, each an optional label on the left
// and an item panel to its right, in one or more columns. The list owns the row panels it is
// handed and lays them out inside an embedded panel that slides under its scroll bar.
#pragma once

#include "tier1/utllinkedlist.h"
#include "tier1/utlvector.h"
#include "vgui_controls/EditablePanel.h"
#include "vgui_controls/PHandle.h"
#include "vgui_controls/PanelAnimationVar.h"

namespace vgui
{
class ScrollBar;

class PanelListPanel : public EditablePanel
{
	DECLARE_CLASS_SIMPLE(PanelListPanel, EditablePanel);

public:
	PanelListPanel(Panel *parent, const char *panelName);
	~PanelListPanel() override;

	// Re-parents the label (may be null) and the item panel to the list and appends a row;
	// returns the row's item id.
	virtual int AddItem(Panel *labelPanel, Panel *panel);
	virtual Panel *GetItemLabel(int itemID);
	virtual Panel *GetItemPanel(int itemID);
	// Marks the row's panels for deletion and drops the row.
	virtual void RemoveItem(int itemID);
	// Deletes every row's item panel at once (labels stay) and drops every row.
	virtual void DeleteAllItems();
	// The item panel of the row at that display position, or null.
	virtual Panel *GetCellRenderer(int row);
	MESSAGE_FUNC_INT(OnSliderMoved, "ScrollBarSliderMoved", position);

	// Drops every row without touching its panels and scrolls to the top.
	void RemoveAll();
	void MoveScrollBarToTop();
	int GetItemCount() const { return m_SortedItems.Count(); }
	// The item id of the row at that display position, or -1.
	int GetItemIDFromRow(int row) const;
	void SetFirstColumnWidth(int width) { m_iFirstColumnWidth = width; }
	int GetFirstColumnWidth() const { return m_iFirstColumnWidth; }
	void SetNumColumns(int numColumns) { m_iNumColumns = numColumns < 1 ? 1 : numColumns; }
	int GetNumColumns() const { return m_iNumColumns; }
	void SetVerticalBufferPixels(int pixels) { m_iSpaceBetweenItems = pixels; }
	int GetVerticalBufferPixels() const { return m_iSpaceBetweenItems; }
	ScrollBar *GetScrollbar() { return _vbar; }
	Panel *GetEmbedded() { return _embedded; }
	// The height the rows need, gaps included.
	int ComputeVPixelsNeeded();

	void OnSizeChanged(int wide, int tall) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnMouseWheeled(int delta) override;
	void PerformLayout() override;

	// Handles rather than pointers, so a row panel deleted elsewhere reads as absent.
	struct dataitem_s
	{
		PHandle panel;
		PHandle labelPanel;
	};

private:
	CUtlLinkedList<dataitem_s, int> m_DataItems;
	CUtlVector<int> m_SortedItems;
	ScrollBar *_vbar;
	Panel *_embedded;
	int m_iFirstColumnWidth;
	int m_iNumColumns;
	int m_iSpaceBetweenItems;
	CPanelAnimationVar(bool, m_bAutoHideScrollbar, "autohide_scrollbar", "0");
};
}
