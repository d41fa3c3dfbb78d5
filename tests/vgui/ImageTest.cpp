// vgui::Image's fields and position-relative drawing helpers, and vgui::ImageList ownership.
#include "VGuiFixture.h"
#include "vgui_controls/Image.h"

namespace
{
// A concrete image that exposes the drawing helpers and counts its deletions.
class ProbeImage : public vgui::Image
{
public:
	explicit ProbeImage(int *deleted = nullptr) : m_deleted(deleted) {}
	~ProbeImage() override
	{
		if (m_deleted)
			++*m_deleted;
	}
	void Paint() override {}
	using vgui::Image::DrawFilledRect;
	using vgui::Image::DrawPolyLine;
	using vgui::Image::DrawPrintChar;
	using vgui::Image::DrawTexturedRect;

private:
	int *m_deleted;
};

using ImageTest = VGuiTest;

TEST_F(ImageTest, ANewImageHasNoPlaceNoSizeAndWhite)
{
	ProbeImage image;
	int x = -1, y = -1, w = -1, t = -1;
	image.GetPos(x, y);
	image.GetSize(w, t);
	EXPECT_EQ(0, x + y + w + t);
	EXPECT_EQ(Color(255, 255, 255, 255), image.GetColor());
	image.SetSize(7, 9);
	image.GetContentSize(w, t);
	EXPECT_EQ(7, w);
	EXPECT_EQ(9, t);
}

TEST_F(ImageTest, HelpersDrawRelativeToThePositionExceptTexturedRectangles)
{
	ProbeImage image;
	image.SetPos(10, 20);
	image.DrawFilledRect(1, 2, 3, 4);
	int xs[] = { 0, 5 }, ys[] = { 0, 0 };
	image.DrawPolyLine(xs, ys, 2);
	image.DrawTexturedRect(1, 2, 3, 4);

	EXPECT_EQ(10, xs[0]);  // the caller's points are shifted
	EXPECT_EQ(15, xs[1]);
	EXPECT_EQ(20, ys[1]);
	const auto &log = m_vgui->DrawLog();
	ASSERT_EQ(3u, log.size());
	EXPECT_EQ(VGuiDrawRecord::FilledRect, log[0].kind);
	EXPECT_EQ(11, log[0].x0);
	EXPECT_EQ(24, log[0].y1);
	EXPECT_EQ(VGuiDrawRecord::Line, log[1].kind);
	EXPECT_EQ(10, log[1].x0);
	EXPECT_EQ(15, log[1].x1);
	EXPECT_EQ(VGuiDrawRecord::TexturedRect, log[2].kind);
	EXPECT_EQ(1, log[2].x0);
	EXPECT_EQ(2, log[2].y0);
}

TEST_F(ImageTest, SetColorBecomesTheTextColour)
{
	vgui::HFont font = g_pVGuiSurface->CreateFont();
	ASSERT_TRUE(g_pVGuiSurface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 4, 0, 0, 0, 0));
	g_pVGuiSurface->DrawSetTextFont(font);
	ProbeImage image;
	image.SetColor(Color(1, 2, 3, 255));
	image.SetPos(5, 6);
	image.DrawPrintChar(1, 1, L'x');
	ASSERT_EQ(1u, m_vgui->DrawLog().size());
	EXPECT_EQ(1, m_vgui->DrawLog()[0].r);
	EXPECT_EQ(6, m_vgui->DrawLog()[0].x0);
	EXPECT_EQ(7, m_vgui->DrawLog()[0].y0);
}

TEST_F(ImageTest, AnOwningListDeletesAllButTheReservedEntry)
{
	int deleted = 0;
	ProbeImage *reserved = new ProbeImage(&deleted);
	{
		vgui::ImageList list(true);
		list.SetImageAtIndex(0, reserved);
		EXPECT_EQ(1, list.AddImage(new ProbeImage(&deleted)));
		EXPECT_EQ(2, list.AddImage(new ProbeImage(&deleted)));
		list.SetImageAtIndex(4, new ProbeImage(&deleted));  // index 3 stays empty
		EXPECT_TRUE(list.IsValidIndex(4));
		EXPECT_FALSE(list.IsValidIndex(5));
		EXPECT_FALSE(list.IsValidIndex(-1));
		EXPECT_EQ(nullptr, list.GetImage(3));
	}
	EXPECT_EQ(3, deleted);
	delete reserved;

	deleted = 0;
	ProbeImage kept(&deleted);
	{
		vgui::ImageList list(false);
		list.AddImage(&kept);
	}
	EXPECT_EQ(0, deleted);
}
}
