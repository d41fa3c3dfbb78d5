// Painting of vgui::Panel through the stand-in surface: traversal order and conditions, alpha,
// backgrounds, the corner-textured box helpers, borders and PaintAt, asserted on the draw log.
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "vgui/IBorder.h"

namespace
{
// Paints a marker rectangle in its foreground colour and counts what the traversal calls.
class PaintProbe : public vgui::Panel
{
public:
	PaintProbe(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}
	void Paint() override
	{
		++paints;
		vgui::surface()->DrawSetColor(GetFgColor());
		vgui::surface()->DrawFilledRect(1, 1, 2, 2);
	}
	void PostChildPaint() override { ++postChildPaints; }
	int paints = 0, postChildPaints = 0;
};

// A border that logs one 1-pixel line along the top in its colour.
class LineBorder : public vgui::IBorder
{
public:
	explicit LineBorder(bool first) : m_first(first) {}
	void Paint(vgui::VPANEL panel) override
	{
		int w, t;
		g_pVGuiPanel->GetSize(panel, w, t);
		Paint(0, 0, w, t);
	}
	void Paint(int x0, int y0, int x1, int) override
	{
		vgui::surface()->DrawSetColor(9, 9, 9, 255);
		vgui::surface()->DrawFilledRect(x0, y0, x1, y0 + 1);
	}
	void SetInset(int, int, int, int) override {}
	void GetInset(int &l, int &t, int &r, int &b) override { l = 1, t = 2, r = 3, b = 4; }
	const char *GetName() override { return "line"; }
	backgroundtype_e GetBackgroundType() override { return BACKGROUND_ROUNDEDCORNERS; }
	bool PaintFirst() override { return m_first; }

private:
	bool m_first;
};

class PanelPaintTest : public VGuiTest
{
protected:
	// Four 4x4 corner textures.
	void SetCorners(vgui::Panel &panel)
	{
		int *ids[] = { &panel.m_nBgTextureId1, &panel.m_nBgTextureId2, &panel.m_nBgTextureId3, &panel.m_nBgTextureId4 };
		const char *files[] = { "corner1", "corner2", "corner3", "corner4" };
		for (int i = 0; i < 4; ++i)
		{
			m_vgui->DefineTexture(files[i], 4, 4, nullptr);
			*ids[i] = g_pVGuiSurface->CreateNewTextureID();
			g_pVGuiSurface->DrawSetTextureFile(*ids[i], files[i], 0, false);
		}
	}

	// The draw log as "F x0,y0,x1,y1" / "T<id> ..." / "D a0>a1 ..." lines.
	std::vector<std::string> Log()
	{
		std::vector<std::string> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		{
			std::string kind = r.kind == VGuiDrawRecord::FilledRect ? "F"
			                   : r.kind == VGuiDrawRecord::TexturedRect
			                       ? "T" + std::to_string(r.texture)
			                       : r.kind == VGuiDrawRecord::FadedRect
			                             ? "D" + std::to_string(r.alpha0) + ">" + std::to_string(r.alpha1)
			                             : "?";
			out.push_back(kind + " " + std::to_string(r.x0) + "," + std::to_string(r.y0) + "," + std::to_string(r.x1) +
			              "," + std::to_string(r.y1));
		}
		return out;
	}
};

TEST_F(PanelPaintTest, TraversalPaintsBackgroundContentChildrenThenBorder)
{
	PaintProbe *parent = new PaintProbe(nullptr, "parent");
	parent->SetParent(m_root);
	parent->SetBounds(10, 10, 50, 40);
	parent->SetBgColor(Color(0, 0, 255, 255));
	parent->SetFgColor(Color(255, 0, 0, 255));
	LineBorder border(false);
	parent->SetBorder(&border);
	parent->SetPaintBackgroundType(0);  // the border asked for rounded corners
	parent->SetPostChildPaintEnabled(true);
	PaintProbe *child = new PaintProbe(parent, "child");
	child->SetBounds(5, 5, 10, 10);
	child->SetBgColor(Color(0, 255, 0, 255));
	PaintProbe *hidden = new PaintProbe(parent, "hidden");
	hidden->SetVisible(false);

	m_vgui->Paint();
	EXPECT_EQ((std::vector<std::string>{ "F 10,10,60,50", "F 11,11,12,12", "F 15,15,25,25", "F 16,16,17,17",
	                                     "F 10,10,60,11" }),
	          Log());
	EXPECT_EQ(1, parent->postChildPaints);
	EXPECT_EQ(0, hidden->paints);
	EXPECT_EQ(0xFF00FF00u, m_vgui->Pixel(20, 20));
	EXPECT_EQ(0xFFFF0000u, m_vgui->Pixel(59, 49));
	EXPECT_FLOAT_EQ(1.0f, g_pVGuiSurface->DrawGetAlphaMultiplier());

	// A border that paints first comes before the background.
	LineBorder first(true);
	parent->SetBorder(&first);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	EXPECT_EQ("F 10,10,60,11", Log().front());
	parent->SetBorder(nullptr);
	delete parent;
}

TEST_F(PanelPaintTest, BorderSetsTheInsetBackgroundTypeAndPaintSize)
{
	vgui::Panel panel;
	panel.SetSize(40, 30);
	LineBorder border(false);
	panel.SetBorder(&border);
	int l, t, r, b, w, h;
	panel.GetInset(l, t, r, b);
	EXPECT_EQ(1, l);
	EXPECT_EQ(4, b);
	EXPECT_EQ(2, panel.GetPaintBackgroundType());
	panel.GetPaintSize(w, h);
	EXPECT_EQ(36, w);
	EXPECT_EQ(24, h);
	panel.SetBorder(nullptr);
	panel.GetInset(l, t, r, b);
	EXPECT_EQ(0, l + t + r + b);
	EXPECT_EQ(2, panel.GetPaintBackgroundType());
	panel.GetPaintSize(w, h);
	EXPECT_EQ(40, w);
}

TEST_F(PanelPaintTest, AlphaIsClampedAndMultiplied)
{
	struct
	{
		int alpha;
		int painted;
	} cases[] = { { 255, 255 }, { 100, 100 }, { 300, 255 }, { -5, 0 } };
	for (const auto &c : cases)
	{
		SCOPED_TRACE(c.alpha);
		vgui::Panel *panel = NewRootChild("p");
		panel->SetBgColor(Color(1, 2, 3, 255));
		if (c.alpha != 255)
			panel->SetAlpha(c.alpha);
		EXPECT_EQ(c.alpha, panel->GetAlpha());
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		ASSERT_EQ(1u, m_vgui->DrawLog().size());
		EXPECT_EQ(c.painted, m_vgui->DrawLog()[0].a);
		delete panel;
	}

	// A child's alpha multiplies its parent's.
	vgui::Panel *parent = NewRootChild("parent");
	parent->SetAlpha(128);
	parent->SetPaintBackgroundEnabled(false);
	auto *child = new vgui::Panel(parent, "child");
	child->SetBgColor(Color(1, 2, 3, 255));
	child->SetAlpha(128);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	ASSERT_EQ(1u, m_vgui->DrawLog().size());
	EXPECT_EQ(64, m_vgui->DrawLog()[0].a);
	delete parent;
}

TEST_F(PanelPaintTest, RepaintForcesOnePaintOfWhatFollowsTheChildren)
{
	PaintProbe *panel = new PaintProbe(nullptr, "p");
	panel->SetParent(m_root);
	panel->SetPostChildPaintEnabled(true);
	panel->PaintTraverse(false, true);
	EXPECT_EQ(0, panel->postChildPaints);
	EXPECT_EQ(1, panel->paints);
	panel->Repaint();
	panel->PaintTraverse(false, false);
	EXPECT_EQ(0, panel->postChildPaints);
	panel->PaintTraverse(false, true);
	EXPECT_EQ(1, panel->postChildPaints);
	panel->PaintTraverse(false, true);
	EXPECT_EQ(1, panel->postChildPaints);
	delete panel;
}

TEST_F(PanelPaintTest, PanelsThatMustNotPaintDrawNothing)
{
	PaintProbe *offscreen = new PaintProbe(nullptr, "off");
	offscreen->SetParent(m_root);
	offscreen->SetPos(700, 10);
	new PaintProbe(offscreen, "child");
	PaintProbe *overlay = new PaintProbe(nullptr, "overlay");
	overlay->SetParent(m_root);
	overlay->SetDrawOverlay(true);
	PaintProbe *manual = new PaintProbe(nullptr, "manual");
	manual->SetParent(m_root);
	manual->SetPaintManually(true);
	m_vgui->Paint();
	EXPECT_TRUE(m_vgui->DrawLog().empty());

	m_bDrawingOverlayPanels = true;
	overlay->PaintTraverse(true, true);
	m_bDrawingOverlayPanels = false;
	EXPECT_EQ(1, overlay->paints);

	g_bPaintingLevelProgress = true;
	overlay->SetDrawOverlay(false);
	m_vgui->ClearDrawLog();
	m_vgui->Paint();
	g_bPaintingLevelProgress = false;
	EXPECT_TRUE(m_vgui->DrawLog().empty());
	delete offscreen;
	delete overlay;
	delete manual;
}

TEST_F(PanelPaintTest, LuaPaintReturningTrueSkipsOnlyBackgroundAndContent)
{
	ILuaInterface *lua = m_harness->Open();
	ASSERT_NE(nullptr, lua);
	ASSERT_TRUE(lua->RunString("test", "", "over = 0; T = { Paint = function(p, w, h) size = w .. 'x' .. h; return true end,"
	                                       " PaintOver = function() over = over + 1 end }",
	                           true, true));
	PaintProbe *panel = new PaintProbe(nullptr, "p");
	panel->SetParent(m_root);
	panel->SetSize(30, 20);
	panel->m_pLuaTable = new CLuaObject();
	panel->m_pLuaTable->SetFromGlobal("T");
	panel->ScanForLuaFunctionChanges();
	LineBorder border(false);
	panel->SetBorder(&border);
	PaintProbe *child = new PaintProbe(panel, "child");

	m_vgui->Paint();
	EXPECT_EQ(0, panel->paints);
	EXPECT_EQ(1, child->paints);
	CLuaObject over, size;
	over.SetFromGlobal("over");
	size.SetFromGlobal("size");
	EXPECT_EQ(1, over.GetInt());
	EXPECT_STREQ("30x20", size.GetString());
	EXPECT_EQ("F 0,0,30,1", Log().back());
	EXPECT_EQ(0, lua->Top());
	panel->SetBorder(nullptr);
	delete panel;
}

int DrawOutside(lua_State *)
{
	vgui::surface()->DrawSetColor(255, 255, 255, 255);
	vgui::surface()->DrawFilledRect(-5, -5, 0, 0);
	return 0;
}

TEST_F(PanelPaintTest, NoClippingPanelsPaintTheirLuaHooksUnclipped)
{
	ILuaInterface *lua = m_harness->Open();
	ASSERT_NE(nullptr, lua);
	ASSERT_NE(nullptr, g_pMatSystemSurface);
	lua->Global()->SetMember("DrawOutside", &DrawOutside);
	ASSERT_TRUE(lua->RunString("test", "", "T = { PaintOver = function() DrawOutside() end }", true, true));
	vgui::Panel *panel = NewRootChild("p");
	panel->SetBounds(10, 10, 20, 20);
	panel->m_pLuaTable = new CLuaObject();
	panel->m_pLuaTable->SetFromGlobal("T");
	panel->ScanForLuaFunctionChanges();

	m_vgui->Paint();
	EXPECT_EQ(0u, m_vgui->Pixel(5, 5));
	panel->m_bNoClipping = true;
	m_vgui->Paint();
	EXPECT_NE(0u, m_vgui->Pixel(5, 5));
	// Clipping is back on after the hook.
	g_pVGuiSurface->PushMakeCurrent(panel->GetVPanel(), false);
	g_pVGuiSurface->DrawFilledRect(-5, 20, 0, 25);
	g_pVGuiSurface->PopMakeCurrent(panel->GetVPanel());
	EXPECT_EQ(0u, m_vgui->Pixel(5, 32));
	delete panel;
}

TEST_F(PanelPaintTest, BackgroundTypesAndTheirClamp)
{
	vgui::Panel panel;
	panel.SetPaintBackgroundType(7);
	EXPECT_EQ(2, panel.GetPaintBackgroundType());
	panel.SetPaintBackgroundType(-1);
	EXPECT_EQ(0, panel.GetPaintBackgroundType());

	vgui::Panel *p = NewRootChild("p");
	p->SetSize(20, 10);
	p->SetBgColor(Color(10, 20, 30, 200));
	SetCorners(*p);
	struct
	{
		int type;
		const char *first;
		size_t count;
	} cases[] = { { 0, "F 0,0,20,10", 1 }, { 1, "T1 0,0,20,10", 1 }, { 2, "F 4,0,16,4", 7 }, { 3, "D255>255 0,4,4,6", 7 } };
	for (const auto &c : cases)
	{
		SCOPED_TRACE(c.type);
		p->m_nPaintBackgroundType = c.type;
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		ASSERT_EQ(c.count, Log().size());
		EXPECT_EQ(c.first, Log()[0]);
	}
	delete p;
}

TEST_F(PanelPaintTest, DrawBoxCornersFollowTheMaskAndNeedAllTextures)
{
	vgui::Panel panel;
	SetCorners(panel);
	g_pVGuiSurface->PushMakeCurrent(m_root, false);
	panel.DrawBox(0, 0, 20, 12, Color(255, 255, 255, 200), 0.5f);
	EXPECT_EQ((std::vector<std::string>{ "F 4,0,16,4", "F 0,4,20,8", "F 4,8,16,12", "T1 0,0,4,4", "T2 16,0,20,4",
	                                     "T4 0,8,4,12", "T3 16,8,20,12" }),
	          Log());
	EXPECT_EQ(100, m_vgui->DrawLog()[0].a);

	m_vgui->ClearDrawLog();
	panel.SetRoundedCorners(0);
	panel.DrawBox(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f, true);
	EXPECT_EQ((std::vector<std::string>{ "F 4,0,16,4", "F 0,4,4,8", "F 16,4,20,8", "F 4,8,16,12", "F 0,0,4,4",
	                                     "F 16,0,20,4", "F 0,8,4,12", "F 16,8,20,12" }),
	          Log());

	m_vgui->ClearDrawLog();
	panel.DrawHollowBox(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f, 2, 3);
	EXPECT_EQ((std::vector<std::string>{ "F 2,0,18,3", "F 0,3,2,9", "F 18,3,20,9", "F 2,9,18,12", "T1 0,0,2,3",
	                                     "T2 18,0,20,3", "T3 18,9,20,12", "T4 0,9,2,12" }),
	          Log());

	m_vgui->ClearDrawLog();
	panel.m_nBgTextureId3 = -1;
	panel.DrawBox(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f);
	panel.DrawBoxFade(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f, 255, 0, true);
	panel.DrawHollowBox(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f, 2, 2);
	EXPECT_TRUE(Log().empty());
	panel.DrawTexturedBox(1, 2, 3, 4, Color(255, 255, 255, 255), 1.0f);
	EXPECT_EQ(std::vector<std::string>{ "T1 1,2,4,6" }, Log());
	g_pVGuiSurface->PopMakeCurrent(m_root);
}

TEST_F(PanelPaintTest, DrawBoxFadeStripsAndCornerAlphas)
{
	vgui::Panel panel;
	SetCorners(panel);
	g_pVGuiSurface->PushMakeCurrent(m_root, false);
	panel.DrawBoxFade(0, 0, 20, 12, Color(255, 255, 255, 200), 1.0f, 255, 51, true, true);
	EXPECT_EQ((std::vector<std::string>{ "D255>255 0,4,4,8", "D51>51 16,4,20,8", "T1 0,0,4,4", "T4 0,8,4,12",
	                                     "T2 16,0,20,4", "T3 16,8,20,12" }),
	          Log());
	const std::vector<VGuiDrawRecord> &log = m_vgui->DrawLog();
	EXPECT_EQ(200, log[2].a);
	EXPECT_EQ(40, log[4].a);

	m_vgui->ClearDrawLog();
	panel.DrawBoxFade(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f, 0, 255, false, false);
	EXPECT_EQ((std::vector<std::string>{ "D0>0 4,0,16,4", "D0>255 0,4,20,8", "D255>255 4,8,16,12", "T1 0,0,4,4",
	                                     "T2 16,0,20,4", "T3 16,8,20,12", "T4 0,8,4,12" }),
	          Log());

	m_vgui->ClearDrawLog();
	g_pVGuiSurface->DrawSetAlphaMultiplier(0.0f);
	panel.DrawBoxFade(0, 0, 20, 12, Color(255, 255, 255, 255), 1.0f, 0, 255, false, false);
	g_pVGuiSurface->DrawSetAlphaMultiplier(1.0f);
	EXPECT_TRUE(Log().empty());
	g_pVGuiSurface->PopMakeCurrent(m_root);
}

TEST_F(PanelPaintTest, SkippedChildIsLeftOutOfTheBackground)
{
	vgui::Panel *panel = NewRootChild("p");
	panel->SetSize(20, 20);
	panel->SetBgColor(Color(255, 255, 255, 255));
	auto *child = new vgui::Panel(panel, "child");
	child->SetBounds(5, 5, 10, 10);
	child->SetPaintBackgroundEnabled(false);
	panel->SetSkipChildDuringPainting(child);
	m_vgui->Paint();
	EXPECT_EQ((std::vector<std::string>{ "F 0,0,20,5", "F 0,15,20,20", "F 0,5,5,15", "F 15,5,20,15" }), Log());
	EXPECT_EQ(0u, m_vgui->Pixel(10, 10));
	EXPECT_NE(0u, m_vgui->Pixel(4, 10));
	delete panel;
}

TEST_F(PanelPaintTest, OpacityAndBuildOverlay)
{
	vgui::Panel panel;
	panel.SetBgColor(Color(0, 0, 0, 255));
	EXPECT_TRUE(panel.IsOpaque());
	panel.SetBgColor(Color(0, 0, 0, 254));
	EXPECT_FALSE(panel.IsOpaque());
	panel.SetBgColor(Color(0, 0, 0, 255));
	panel.SetPaintBackgroundEnabled(false);
	EXPECT_FALSE(panel.IsOpaque());

	panel.SetSize(10, 8);
	g_pVGuiSurface->PushMakeCurrent(m_root, false);
	panel.PaintBuildOverlay();
	g_pVGuiSurface->PopMakeCurrent(m_root);
	EXPECT_EQ((std::vector<std::string>{ "F 0,0,10,2", "F 0,6,10,8", "F 0,2,2,6", "F 8,2,10,6" }), Log());
}

TEST_F(PanelPaintTest, PaintAtPaintsElsewhereAndPutsEverythingBack)
{
	vgui::Panel *parent = NewRootChild("parent");
	parent->SetBounds(0, 0, 100, 100);
	auto *first = new vgui::Panel(parent, "first");
	auto *target = new PaintProbe(parent, "target");
	auto *last = new vgui::Panel(parent, "last");
	target->SetBounds(5, 6, 10, 10);
	target->SetVisible(false);
	target->SetBgColor(Color(255, 0, 0, 255));

	target->PaintAt(200, 150);
	EXPECT_EQ(1, target->paints);
	EXPECT_EQ("F 200,150,210,160", Log()[0]);
	EXPECT_EQ(parent, target->GetParent());
	EXPECT_FALSE(target->IsVisible());
	int x, y;
	target->GetPos(x, y);
	EXPECT_EQ(5, x);
	EXPECT_EQ(6, y);
	EXPECT_EQ(target, parent->GetChild(1));
	EXPECT_EQ(1, target->GetZPos());
	EXPECT_EQ(2, last->GetZPos());
	EXPECT_EQ(first, parent->GetChild(0));
	EXPECT_FALSE(g_bPaintingManually);
	delete parent;
}
}
