// vgui::Image and vgui::ImageList: defaults, drawing relative to the image position (and the
// textured rectangle that is not), the shifted poly-line points, and which entries an owning
// list deletes.
#include "VGuiFixture.h"
#include "vgui_controls/Image.h"
#include "vgui_controls/ImageList.h"

namespace
{
// Draws one of each operation at fixed local coordinates.
class ProbeImage : public vgui::Image
{
public:
	explicit ProbeImage(int *deleted = nullptr) : m_deleted(deleted) {}
	~ProbeImage() override
	{
		if (m_deleted)
			++*m_deleted;
	}
	void Paint() override
	{
		DrawSetColor(10, 20, 30, 40);
		DrawFilledRect(1, 2, 3, 4);
		DrawOutlinedRect(1, 2, 3, 4);
		DrawLine(1, 2, 3, 4);
		DrawSetTexture(m_texture);
		DrawTexturedRect(1, 2, 3, 4);
		DrawSetTextColor(Color(5, 6, 7, 8));
		DrawPrintText(100, 50, L"ab", 2);
		DrawPrintChar(0, 0, L'z');
	}
	using vgui::Image::DrawPolyLine;
	int m_texture = 0;

private:
	int *m_deleted;
};

class ImageTest : public VGuiTest
{
protected:
	std::vector<VGuiDrawRecord> PaintInPanel(ProbeImage &image)
	{
		vgui::Panel *panel = NewRootChild("host");
		panel->SetBounds(0, 0, 640, 480);
		m_vgui->ClearDrawLog();
		g_pVGuiSurface->PushMakeCurrent(panel->GetVPanel(), false);
		image.Paint();
		g_pVGuiSurface->PopMakeCurrent(panel->GetVPanel());
		std::vector<VGuiDrawRecord> log = m_vgui->DrawLog();
		panel->DeletePanel();
		return log;
	}
};
}

TEST_F(ImageTest, NewImageHasNoPositionNoSizeAndWhiteColour)
{
	ProbeImage image;
	int x = -1, y = -1, w = -1, t = -1;
	image.GetPos(x, y);
	image.GetSize(w, t);
	EXPECT_EQ(0, x);
	EXPECT_EQ(0, y);
	EXPECT_EQ(0, w);
	EXPECT_EQ(0, t);
	EXPECT_EQ(Color(255, 255, 255, 255), image.GetColor());
	EXPECT_FALSE(image.Evict());
	EXPECT_EQ(0, image.GetNumFrames());
	EXPECT_EQ(0u, image.GetID());

	image.SetSize(30, 12);
	image.GetContentSize(w, t);
	EXPECT_EQ(30, w);
	EXPECT_EQ(12, t);
}

TEST_F(ImageTest, DrawsRelativeToItsPositionExceptTexturedRectangles)
{
	ProbeImage image;
	image.SetPos(20, 30);
	std::vector<VGuiDrawRecord> log = PaintInPanel(image);

	struct Expected
	{
		VGuiDrawRecord::Kind kind;
		int x0, y0, x1, y1;
	} expected[] = {
		{ VGuiDrawRecord::FilledRect, 21, 32, 23, 34 },   { VGuiDrawRecord::OutlinedRect, 21, 32, 23, 34 },
		{ VGuiDrawRecord::Line, 21, 32, 23, 34 },         { VGuiDrawRecord::TexturedRect, 1, 2, 3, 4 },
		{ VGuiDrawRecord::Text, 120, 80, 128, 80 },       { VGuiDrawRecord::Text, 128, 80, 136, 80 },
		{ VGuiDrawRecord::Text, 20, 30, 28, 30 },
	};
	ASSERT_EQ(std::size(expected), log.size());
	for (size_t i = 0; i < log.size(); ++i)
	{
		EXPECT_EQ(expected[i].kind, log[i].kind) << i;
		EXPECT_EQ(expected[i].x0, log[i].x0) << i;
		EXPECT_EQ(expected[i].y0, log[i].y0) << i;
		EXPECT_EQ(expected[i].x1, log[i].x1) << i;
		EXPECT_EQ(expected[i].y1, log[i].y1) << i;
	}
	EXPECT_EQ(10, log[0].r);
	EXPECT_EQ(40, log[0].a);
	EXPECT_EQ(L'a', log[4].character);
	EXPECT_EQ(5, log[4].r);
	EXPECT_EQ(8, log[4].a);
	EXPECT_EQ(L'z', log[6].character);
}

TEST_F(ImageTest, SetColorSetsTheTextColourAtOnce)
{
	ProbeImage image;
	image.SetColor(Color(1, 2, 3, 4));
	EXPECT_EQ(Color(1, 2, 3, 4), image.GetColor());
	g_pVGuiSurface->DrawSetTextPos(0, 0);
	g_pVGuiSurface->DrawUnicodeChar(L'q');
	const VGuiDrawRecord &r = m_vgui->DrawLog().back();
	EXPECT_EQ(1, r.r);
	EXPECT_EQ(4, r.a);
}

TEST_F(ImageTest, PolyLineShiftsTheCallersPoints)
{
	ProbeImage image;
	image.SetPos(5, 7);
	int xs[3] = { 0, 10, 10 }, ys[3] = { 0, 0, 10 };
	m_vgui->ClearDrawLog();
	image.DrawPolyLine(xs, ys, 3);
	EXPECT_EQ(5, xs[0]);
	EXPECT_EQ(15, xs[2]);
	EXPECT_EQ(7, ys[0]);
	EXPECT_EQ(17, ys[2]);
	ASSERT_EQ(2u, m_vgui->DrawLog().size());
	EXPECT_EQ(VGuiDrawRecord::PolyLine, m_vgui->DrawLog()[1].kind);
	EXPECT_EQ(15, m_vgui->DrawLog()[1].x0);
	EXPECT_EQ(17, m_vgui->DrawLog()[1].y1);
}

TEST_F(ImageTest, OwningListDeletesEntriesFromIndexOneOnly)
{
	int deleted = 0;
	ProbeImage reserved(&deleted);
	{
		vgui::ImageList list(true);
		list.SetImageAtIndex(0, &reserved);
		EXPECT_EQ(1, list.AddImage(new ProbeImage(&deleted)));
		EXPECT_EQ(2, list.AddImage(new ProbeImage(&deleted)));
		list.SetImageAtIndex(4, nullptr);  // a hole at 3 and an empty 4
		EXPECT_TRUE(list.IsValidIndex(0));
		EXPECT_TRUE(list.IsValidIndex(4));
		EXPECT_FALSE(list.IsValidIndex(5));
		EXPECT_FALSE(list.IsValidIndex(-1));
		EXPECT_EQ(&reserved, list.GetImage(0));
	}
	EXPECT_EQ(2, deleted);

	int kept = 0;
	ProbeImage borrowed(&kept);
	{
		vgui::ImageList list(false);
		list.AddImage(&borrowed);
	}
	EXPECT_EQ(0, kept);
}
