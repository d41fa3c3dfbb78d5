// vgui::PanelListPanel over the stand-in engine: row bookkeeping, the column layout inside the
// scrolled embedded panel, wheel scrolling and which row panels each removal deletes.
#include "ControlFixture.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/PHandle.h"
#include "vgui_controls/PanelListPanel.h"
#include "vgui_controls/ScrollBar.h"

namespace
{
class PanelListPanelTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		m_list = Place(new vgui::PanelListPanel(nullptr, "list"), 0, 0, 300, 100);
		m_list->SetScheme(m_scheme);
	}
	vgui::Panel *Row(int tall, const char *name = nullptr)
	{
		auto *panel = new vgui::Panel(nullptr, name);
		panel->SetSize(10, tall);
		return panel;
	}
	static int Y(vgui::Panel *panel)
	{
		int x, y;
		panel->GetPos(x, y);
		return y;
	}
	void Layout()
	{
		m_list->MakeReadyForUse();
		m_list->InvalidateLayout(true);
	}
	void ExpectBounds(vgui::Panel *panel, int x, int y, int w, int t, const char *what)
	{
		int px, py, pw, pt;
		panel->GetBounds(px, py, pw, pt);
		EXPECT_EQ(x, px) << what;
		EXPECT_EQ(y, py) << what;
		EXPECT_EQ(w, pw) << what;
		EXPECT_EQ(t, pt) << what;
	}

	vgui::PanelListPanel *m_list = nullptr;
};

TEST_F(PanelListPanelTest, ConstructionAndEmptyList)
{
	auto *list = new vgui::PanelListPanel(nullptr, "fresh");
	int x, y, w, t;
	list->GetBounds(x, y, w, t);
	EXPECT_EQ(100, w);
	EXPECT_EQ(100, t);
	EXPECT_STREQ("PanelListPanelVScroll", list->GetScrollbar()->GetName());
	EXPECT_TRUE(list->GetScrollbar()->IsVertical());
	EXPECT_FALSE(list->GetScrollbar()->IsVisible());
	EXPECT_STREQ("PanelListEmbedded", list->GetEmbedded()->GetName());
	EXPECT_EQ(100, list->GetFirstColumnWidth());
	EXPECT_EQ(1, list->GetNumColumns());
	EXPECT_EQ(5, list->GetVerticalBufferPixels());
	EXPECT_EQ(nullptr, vgui::CBuildFactoryHelper::InstancePanel("PanelListPanel"));
	list->DeletePanel();

	// An empty list needs only the gap and lays the embedded panel out to it.
	EXPECT_EQ(5, m_list->ComputeVPixelsNeeded());
	Layout();
	int barWide = m_list->GetScrollbar()->GetWide();
	ExpectBounds(m_list->GetEmbedded(), 0, 0, 300 - barWide, 5, "embedded");
	EXPECT_EQ(nullptr, m_list->GetCellRenderer(0));
	EXPECT_EQ(nullptr, m_list->GetItemPanel(0));
	EXPECT_EQ(nullptr, m_list->GetItemLabel(-1));
	EXPECT_NE(nullptr, m_list->GetBorder());
}

TEST_F(PanelListPanelTest, RowsStackInOneColumnBesideTheirLabels)
{
	vgui::Panel *label0 = Row(7, "label0");
	vgui::Panel *row0 = Row(20), *row1 = Row(30), *row2 = Row(10);
	EXPECT_EQ(0, m_list->AddItem(label0, row0));
	int id1 = m_list->AddItem(nullptr, row1);
	EXPECT_EQ(2, m_list->AddItem(nullptr, row2));
	EXPECT_EQ(m_list->GetEmbedded(), row0->GetParent());
	EXPECT_EQ(m_list->GetEmbedded(), label0->GetParent());
	EXPECT_EQ(label0, m_list->GetItemLabel(0));
	EXPECT_EQ(row1, m_list->GetItemPanel(id1));
	EXPECT_EQ(row2, m_list->GetCellRenderer(2));
	EXPECT_EQ(nullptr, m_list->GetCellRenderer(3));
	EXPECT_TRUE(m_list->IsLayoutInvalid());

	// 5 + 20 + 5 + 30 + 5 + 10 + 5.
	EXPECT_EQ(80, m_list->ComputeVPixelsNeeded());
	Layout();
	int barWide = m_list->GetScrollbar()->GetWide();
	int columnWide = (300 - 12 - 105 - barWide);
	ExpectBounds(label0, 0, 5, 100, 20, "label takes the row's height");
	ExpectBounds(row0, 105, 5, columnWide, 20, "row 0");
	ExpectBounds(row1, 105, 30, columnWide, 30, "row 1");
	ExpectBounds(row2, 105, 65, columnWide, 10, "row 2");
	ExpectBounds(m_list->GetEmbedded(), 0, 0, 300 - barWide, 80, "embedded");
	int x, y, w, t;
	m_list->GetScrollbar()->GetBounds(x, y, w, t);
	EXPECT_EQ(300 - 2 - barWide, x);
	EXPECT_EQ(98, t);
	int lo, hi;
	m_list->GetScrollbar()->GetRange(lo, hi);
	EXPECT_EQ(80, hi);
	EXPECT_EQ(100, m_list->GetScrollbar()->GetRangeWindow());
	EXPECT_EQ(25, m_list->GetScrollbar()->GetButtonPressedScrollValue());
	EXPECT_TRUE(m_list->GetScrollbar()->IsVisible());
}

TEST_F(PanelListPanelTest, ColumnsShareARowAndAdvanceByTheTallest)
{
	m_list->SetNumColumns(2);
	vgui::Panel *a = Row(20), *b = Row(35), *c = Row(10);
	m_list->AddItem(nullptr, a);
	m_list->AddItem(nullptr, b);
	m_list->AddItem(nullptr, c);
	// 5 + 35 + 5 + 10 (the unfinished column row) + 5.
	EXPECT_EQ(60, m_list->ComputeVPixelsNeeded());
	Layout();
	int barWide = m_list->GetScrollbar()->GetWide();
	int columnWide = (300 - 12 - 105 - barWide) / 2;
	ExpectBounds(a, 105, 5, columnWide, 20, "column 0");
	ExpectBounds(b, 105 + columnWide, 5, columnWide, 35, "column 1");
	ExpectBounds(c, 105, 45, columnWide, 10, "next row");
}

TEST_F(PanelListPanelTest, WheelAndSliderMoveTheContent)
{
	for (int i = 0; i < 10; ++i)
		m_list->AddItem(nullptr, Row(40));
	Layout();
	Frame();
	m_list->OnMouseWheeled(-1);
	EXPECT_EQ(24, m_list->GetScrollbar()->GetValue());
	Frame(); // the slider's move message reaches the list
	EXPECT_TRUE(m_list->IsLayoutInvalid());
	Layout();
	EXPECT_EQ(-24, Y(m_list->GetEmbedded()));

	m_list->MoveScrollBarToTop();
	EXPECT_EQ(0, m_list->GetScrollbar()->GetValue());
	Layout();
	EXPECT_EQ(0, Y(m_list->GetEmbedded()));
}

TEST_F(PanelListPanelTest, AutoHiddenScrollBarShowsOnlyWhenRowsOverflow)
{
	KeyValues *settings = new KeyValues("list", "autohide_scrollbar", 1);
	m_list->ApplySettings(settings);
	settings->deleteThis();
	m_list->AddItem(nullptr, Row(40));
	Layout();
	EXPECT_FALSE(m_list->GetScrollbar()->IsVisible());
	m_list->AddItem(nullptr, Row(60));
	Layout();
	EXPECT_TRUE(m_list->GetScrollbar()->IsVisible());
}

TEST_F(PanelListPanelTest, RemovalsDeleteWhatTheySay)
{
	vgui::PHandle label, panel, kept, keptLabel;
	label = Row(5);
	panel = Row(10);
	int id = m_list->AddItem(label, panel);
	keptLabel = Row(5);
	kept = Row(10);
	int keptID = m_list->AddItem(keptLabel, kept);

	// RemoveItem marks both of the row's panels; the others keep their place.
	m_list->RemoveItem(id);
	EXPECT_TRUE(panel->IsMarkedForDeletion());
	EXPECT_TRUE(label->IsMarkedForDeletion());
	EXPECT_EQ(nullptr, m_list->GetItemPanel(id));
	EXPECT_EQ(1, m_list->GetItemCount());
	EXPECT_EQ(kept.Get(), m_list->GetCellRenderer(0));
	m_list->RemoveItem(id); // a dead id is ignored
	Frame();
	EXPECT_EQ(nullptr, panel.Get());
	EXPECT_EQ(nullptr, label.Get());

	// RemoveAll forgets the rows but leaves the panels in the list.
	m_list->RemoveAll();
	EXPECT_EQ(0, m_list->GetItemCount());
	EXPECT_EQ(nullptr, m_list->GetItemPanel(keptID));
	ASSERT_NE(nullptr, kept.Get());
	EXPECT_EQ(m_list->GetEmbedded(), kept->GetParent());

	// DeleteAllItems deletes item panels at once and leaves labels alone.
	m_list->AddItem(keptLabel, kept);
	m_list->DeleteAllItems();
	EXPECT_EQ(nullptr, kept.Get());
	ASSERT_NE(nullptr, keptLabel.Get());
	EXPECT_FALSE(keptLabel->IsMarkedForDeletion());
	EXPECT_EQ(0, m_list->GetItemCount());

	// The list deletes its own children with it.
	m_list->AddItem(nullptr, Row(10));
	m_list->DeletePanel();
	Frame();
	EXPECT_EQ(m_baseline, m_vgui->LivePanelCount());
}

TEST_F(PanelListPanelTest, RowsWhosePanelIsGoneTakeNoPlace)
{
	vgui::Panel *first = Row(20), *gone = Row(50), *last = Row(10);
	vgui::Panel *goneLabel = Row(5);
	m_list->AddItem(nullptr, first);
	m_list->AddItem(goneLabel, gone);
	m_list->AddItem(nullptr, last);
	m_list->AddItem(nullptr, nullptr);
	gone->DeletePanel();
	EXPECT_EQ(5 + 20 + 5 + 10 + 5, m_list->ComputeVPixelsNeeded());
	Layout();
	EXPECT_EQ(30, Y(last));
	EXPECT_EQ(nullptr, m_list->GetCellRenderer(1));
	EXPECT_EQ(goneLabel, m_list->GetItemLabel(1));
}
}
