// The stand-in surface: drawing relative to the current panel, clipping, the alpha
// multiplier, blending into the frame, textures and the draw log, popups and the root panel.
#include <climits>
#include <cmath>
#include <memory>

#include "VGuiMatSurface/IMatSystemSurface.h"
#include "VGuiServices.h"

namespace
{
using SurfaceTest = VGuiServicesTest;

uint32_t Rgba(int r, int g, int b, int a) { return r | (g << 8) | (b << 16) | (static_cast<uint32_t>(a) << 24); }

TEST_F(SurfaceTest, RectanglesAreDrawnRelativeToTheCurrentPanelAndClipped)
{
	vgui::VPANEL p = Make(nullptr, root);
	panels->SetPos(p, 10, 20);
	panels->SetSize(p, 30, 30);
	surface->PushMakeCurrent(p, false);
	surface->DrawSetColor(255, 0, 0, 255);
	surface->DrawFilledRect(-5, -5, 100, 5);
	surface->PopMakeCurrent(p);

	ASSERT_EQ(1u, control->DrawLog().size());
	const VGuiDrawRecord &r = control->DrawLog()[0];
	EXPECT_EQ(VGuiDrawRecord::FilledRect, r.kind);
	EXPECT_EQ(p, r.panel);
	EXPECT_EQ(5, r.x0);
	EXPECT_EQ(15, r.y0);
	EXPECT_EQ(110, r.x1);
	EXPECT_EQ(25, r.y1);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(10, 20));
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(39, 24));
	EXPECT_EQ(0u, control->Pixel(40, 24));  // right of the panel
	EXPECT_EQ(0u, control->Pixel(9, 20));
	EXPECT_EQ(0u, control->Pixel(10, 25));
	EXPECT_EQ(0u, control->Pixel(-1, 0));
}

TEST_F(SurfaceTest, InsetsMoveTheOriginWhenAsked)
{
	vgui::VPANEL p = Make(nullptr, root);
	panels->SetSize(p, 20, 20);
	panels->SetInset(p, 2, 3, 4, 5);
	surface->PushMakeCurrent(p, true);
	surface->DrawSetColor(Color(0, 255, 0, 255));
	surface->DrawFilledRect(0, 0, 50, 50);
	surface->PopMakeCurrent(p);
	EXPECT_EQ(2, control->DrawLog()[0].x0);
	EXPECT_EQ(3, control->DrawLog()[0].y0);
	EXPECT_NE(0u, control->Pixel(15, 14));
	EXPECT_EQ(0u, control->Pixel(16, 14));
	EXPECT_EQ(0u, control->Pixel(15, 15));
}

TEST_F(SurfaceTest, AlphaMultiplierAndBlending)
{
	surface->DrawSetColor(0, 0, 255, 255);
	surface->DrawFilledRect(0, 0, 4, 4);
	surface->DrawSetAlphaMultiplier(0.5f);
	EXPECT_FLOAT_EQ(0.5f, surface->DrawGetAlphaMultiplier());
	surface->DrawSetColor(255, 0, 0, 255);
	surface->DrawFilledRect(0, 0, 2, 2);
	EXPECT_EQ(128, control->DrawLog()[1].a);
	uint32_t mixed = control->Pixel(0, 0);
	EXPECT_EQ(128, static_cast<int>(mixed & 0xFF));
	EXPECT_EQ(127, static_cast<int>((mixed >> 16) & 0xFF));
	EXPECT_EQ(255, static_cast<int>(mixed >> 24));
	surface->DrawSetAlphaMultiplier(1.0f);
}

TEST_F(SurfaceTest, FadedRectanglesRunFromStartToEndAlpha)
{
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawFilledRectFade(0, 0, 11, 1, 255, 0, true);
	surface->DrawFilledRectFade(0, 10, 1, 21, 0, 255, false);
	const VGuiDrawRecord &r = control->DrawLog()[0];
	EXPECT_EQ(VGuiDrawRecord::FadedRect, r.kind);
	EXPECT_EQ(255u, r.alpha0);
	EXPECT_EQ(0u, r.alpha1);
	EXPECT_TRUE(r.horizontal);
	EXPECT_EQ(255u, control->Pixel(0, 0) >> 24);
	EXPECT_EQ(128u, control->Pixel(5, 0) >> 24);
	EXPECT_EQ(0u, control->Pixel(10, 0) >> 24);
	EXPECT_EQ(0u, control->Pixel(0, 10) >> 24);
	EXPECT_EQ(255u, control->Pixel(0, 20) >> 24);
}

TEST_F(SurfaceTest, TexturesComeFromDefinedFilesAndAreTinted)
{
	const unsigned char pixels[] = { 255, 0, 0, 255, 0, 255, 0, 255 };  // 2 x 1: red, green
	control->DefineTexture("vgui/test", 2, 1, pixels);
	int id = surface->CreateNewTextureID();
	EXPECT_TRUE(surface->IsTextureIDValid(id));
	EXPECT_FALSE(surface->IsTextureIDValid(0));
	EXPECT_FALSE(surface->IsTextureIDValid(id + 1));
	int w = -1, t = -1;
	surface->DrawGetTextureSize(id, w, t);
	EXPECT_EQ(0, w);
	surface->DrawSetTextureFile(id, "vgui/test", 0, false);
	surface->DrawGetTextureSize(id, w, t);
	EXPECT_EQ(2, w);
	EXPECT_EQ(1, t);
	EXPECT_EQ(id, surface->DrawGetTextureId("vgui/test"));
	EXPECT_EQ(-1, surface->DrawGetTextureId("vgui/none"));
	char name[6];
	EXPECT_TRUE(surface->DrawGetTextureFile(id, name, sizeof(name)));
	EXPECT_STREQ("vgui/", name);

	surface->DrawSetTexture(id);
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawTexturedRect(0, 0, 4, 2);
	EXPECT_EQ(id, control->DrawLog()[0].texture);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(1, 1));
	EXPECT_EQ(Rgba(0, 255, 0, 255), control->Pixel(2, 0));
	surface->DrawSetColor(255, 255, 255, 0);
	surface->DrawTexturedRect(0, 0, 4, 2);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(1, 1));

	// A file without pixels logs the call and draws nothing.
	int blank = surface->CreateNewTextureID();
	surface->DrawSetTextureFile(blank, "vgui/missing", 0, false);
	surface->DrawSetTexture(blank);
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawTexturedRect(10, 10, 12, 12);
	EXPECT_EQ(0u, control->Pixel(10, 10));
	EXPECT_EQ(3u, control->DrawLog().size());
}

TEST_F(SurfaceTest, LinesAndOutlines)
{
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawLine(0, 0, 3, 3);
	surface->DrawOutlinedRect(10, 10, 13, 13);
	EXPECT_NE(0u, control->Pixel(2, 2));
	EXPECT_EQ(0u, control->Pixel(2, 1));
	EXPECT_NE(0u, control->Pixel(12, 11));
	EXPECT_EQ(0u, control->Pixel(11, 11));
}

// Extreme coordinates cost no more than the visible part and never overflow.
TEST_F(SurfaceTest, HugeShapesDrawOnlyTheirVisiblePart)
{
	const int big = 2000000000;
	vgui::VPANEL p = Make(nullptr, root);
	panels->SetPos(p, 600, 400);
	panels->SetSize(p, 100, 100);
	surface->PushMakeCurrent(p, false);
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawFilledRect(INT_MIN, -big, INT_MAX, big);
	surface->DrawFilledRectFade(-big, 0, big, 1, 0, 255, true);
	surface->DrawOutlinedRect(-big, -big, big, big);
	surface->DrawLine(-big, 10, big, 10);
	surface->DrawLine(5, -big, 5, big);
	int id = surface->CreateNewTextureID();
	control->DefineTexture("vgui/white", 1, 1, nullptr);
	surface->DrawSetTextureFile(id, "vgui/white", 0, false);
	surface->DrawSetTexture(id);
	surface->DrawTexturedRect(-big, -big, big, big);
	surface->PopMakeCurrent(p);
	EXPECT_EQ(6u, control->DrawLog().size());
	EXPECT_EQ(INT_MAX, control->DrawLog()[0].x1);  // held at the int range
	EXPECT_EQ(INT_MIN + 600, control->DrawLog()[0].x0);
	EXPECT_NE(0u, control->Pixel(600, 400));
	EXPECT_NE(0u, control->Pixel(639, 479));
	EXPECT_EQ(0u, control->Pixel(599, 400));
}

TEST_F(SurfaceTest, PaintingVisitsTheTreeThenPopupsInTheirOrder)
{
	RecordingClient *a, *b, *popup1, *popup2, *hidden;
	Make(&a, root);
	vgui::VPANEL pb = Make(&b, root);
	vgui::VPANEL p1 = Make(&popup1);
	vgui::VPANEL p2 = Make(&popup2);
	vgui::VPANEL ph = Make(&hidden, root);
	panels->SetVisible(ph, false);
	surface->CreatePopup(p1, false);
	surface->CreatePopup(p2, false);
	EXPECT_EQ(root, panels->GetParent(p1));
	EXPECT_FALSE(surface->ShouldPaintChildPanel(p1));
	EXPECT_TRUE(surface->ShouldPaintChildPanel(pb));
	surface->MovePopupToBack(p2);

	std::vector<std::string> order;
	control->Paint();
	EXPECT_EQ(1u, a->calls.size());
	EXPECT_EQ(1u, b->calls.size());
	EXPECT_TRUE(hidden->calls.empty());
	EXPECT_EQ(std::vector<std::string>{ "Paint" }, popup1->calls);
	EXPECT_EQ(std::vector<std::string>{ "Paint" }, popup2->calls);
	int w, t;
	surface->GetScreenSize(w, t);
	EXPECT_EQ(640, w);
	control->SetScreenSize(800, 600);
	panels->GetSize(root, w, t);
	EXPECT_EQ(800, w);
	EXPECT_EQ(600, t);
}

TEST_F(SurfaceTest, TexturesTakePixelsAndRegionsInEitherByteOrder)
{
	const unsigned char bgra[] = { 0, 0, 255, 255, 255, 0, 0, 255 };  // 2 x 1: red, blue
	int id = surface->CreateNewTextureID(true);
	surface->DrawSetTextureRGBAEx(id, bgra, 2, 1, VGUI_IMAGE_FORMAT_BGRA8888);
	int w = -1, t = -1;
	surface->DrawGetTextureSize(id, w, t);
	EXPECT_EQ(2, w);
	EXPECT_EQ(1, t);
	surface->DrawSetTexture(id);
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawTexturedRect(0, 0, 2, 1);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(0, 0));
	EXPECT_EQ(Rgba(0, 0, 255, 255), control->Pixel(1, 0));

	// A region partly outside the texture changes only the part inside.
	const unsigned char rgba[] = { 0, 255, 0, 255, 9, 9, 9, 9 };
	surface->DrawUpdateRegionTextureRGBA(id, 1, 0, rgba, 2, 1, 0);
	surface->DrawUpdateRegionTextureRGBA(id, INT_MAX, INT_MAX, rgba, 2, 1, 0);
	surface->DrawTexturedRect(0, 0, 2, 1);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(0, 0));
	EXPECT_EQ(Rgba(0, 255, 0, 255), control->Pixel(1, 0));

	// Each texture with pixels has a material whose base texture has its size.
	IVguiMatInfo *info = surface->DrawGetTextureMatInfoFactory(id);
	ASSERT_NE(nullptr, info);
	EXPECT_NE(nullptr, info->GetMaterial());
	delete info;
	EXPECT_EQ(nullptr, surface->DrawGetTextureMatInfoFactory(surface->CreateNewTextureID()));

	surface->DestroyTextureID(id);
	EXPECT_FALSE(surface->IsTextureIDValid(id));
	EXPECT_EQ(nullptr, surface->DrawGetTextureMatInfoFactory(id));
	surface->DrawSetTextureRGBAEx(id, bgra, 2, 1, VGUI_IMAGE_FORMAT_BGRA8888);
	EXPECT_FALSE(surface->IsTextureIDValid(id));
	EXPECT_NE(id, surface->CreateNewTextureID()) << "ids are not handed out twice";
}
}

namespace
{
TEST_F(SurfaceTest, SubRectanglesShowPartOfTheTexture)
{
	const unsigned char pixels[] = { 255, 0, 0, 255, 0, 255, 0, 255 };  // 2 x 1: red, green
	control->DefineTexture("vgui/pair", 2, 1, pixels);
	int id = surface->CreateNewTextureID();
	surface->DrawSetTextureFile(id, "vgui/pair", 0, false);
	surface->DrawSetTexture(id);
	surface->DrawSetColor(255, 255, 255, 255);
	surface->DrawTexturedSubRect(0, 0, 4, 4, 0.5f, 0.0f, 1.0f, 1.0f);
	EXPECT_EQ(Rgba(0, 255, 0, 255), control->Pixel(0, 0)) << "only the green half";
	EXPECT_EQ(Rgba(0, 255, 0, 255), control->Pixel(3, 3));
	const VGuiDrawRecord &r = control->DrawLog().back();
	EXPECT_EQ(VGuiDrawRecord::TexturedRect, r.kind);
	EXPECT_EQ(0.5f, r.s0);
	EXPECT_EQ(1.0f, r.t1);
	surface->DrawTexturedSubRect(10, 10, 12, 12, NAN, 0.0f, INFINITY, 1.0f);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(10, 10)) << "coordinates that are not numbers read as 0";
	surface->DrawTexturedRect(0, 0, 1, 1);
	EXPECT_EQ(0.0f, control->DrawLog().back().s0);
	EXPECT_EQ(1.0f, control->DrawLog().back().s1) << "a whole texture is 0..1";
}

TEST_F(SurfaceTest, PolygonsWithCornersThatAreNotNumbersDrawNothing)
{
	control->DefineTexture("vgui/white", 2, 2, nullptr);
	int id = surface->CreateNewTextureID();
	surface->DrawSetTextureFile(id, "vgui/white", 0, false);
	surface->DrawSetTexture(id);
	surface->DrawSetColor(255, 255, 255, 255);
	vgui::Vertex_t wild[3] = { { -1e30f, -1e30f, NAN, 0 }, { 1e30f, 0, 0, 0 }, { 0, 1e30f, 0, 0 } };
	surface->DrawTexturedPolygon(3, wild, true);
	vgui::Vertex_t notNumbers[3] = { { NAN, 0, 0, 0 }, { 0, NAN, 0, 0 }, { INFINITY, 5, 0, 0 } };
	surface->DrawTexturedPolygon(3, notNumbers, true);
	vgui::Vertex_t badTexture[3] = { { 0, 0, NAN, NAN }, { 10, 0, INFINITY, 0 }, { 0, 10, 0, 1 } };
	surface->DrawTexturedPolygon(3, badTexture, true);
	EXPECT_EQ(3u, control->DrawLog().size());
	EXPECT_EQ(0, control->DrawLog()[1].x0) << "a corner that is not a number counts as 0";
}

TEST_F(SurfaceTest, CirclesAndMaterialsThroughTheMaterialSurface)
{
	auto *mat = static_cast<IMatSystemSurface *>(EngineInterface(MAT_SYSTEM_SURFACE_INTERFACE_VERSION));
	ASSERT_NE(nullptr, mat);
	surface->DrawSetColor(9, 9, 9, 9);
	mat->DrawColoredCircle(50, 50, 10.0f, 255, 0, 0, 255);
	const VGuiDrawRecord &r = control->DrawLog().back();
	EXPECT_EQ(VGuiDrawRecord::Circle, r.kind);
	EXPECT_EQ(50, r.x0);
	EXPECT_EQ(10.0f, r.radius);
	EXPECT_EQ(255, r.r);
	EXPECT_EQ(Rgba(255, 0, 0, 255), control->Pixel(60, 50)) << "on the outline";
	EXPECT_EQ(0u, control->Pixel(50, 50)) << "not filled";
	surface->DrawFilledRect(0, 0, 1, 1);
	EXPECT_EQ(9, control->DrawLog().back().r) << "the draw colour is left as it was";
	mat->DrawColoredCircle(0, 0, -1.0f, 1, 1, 1, 1);
	mat->DrawColoredCircle(0, 0, 1e30f, 1, 1, 1, 1);
	EXPECT_EQ(4u, control->DrawLog().size());

	int id = surface->CreateNewTextureID();
	mat->DrawSetTextureMaterial(id, nullptr);
	char name[32] = "";
	EXPECT_FALSE(surface->DrawGetTextureFile(id, name, sizeof(name)));
}

TEST_F(SurfaceTest, TextSizeAndCursorVisibility)
{
	vgui::HFont font = surface->CreateFont();
	int w = -1, t = -1;
	surface->GetTextSize(font, L"abc", w, t);
	EXPECT_EQ(0, w);
	EXPECT_EQ(0, t);
	ASSERT_TRUE(surface->SetFontGlyphSet(font, VGUI_STANDIN_FIXED_FONT, 10, 0, 0, 0, 0));
	surface->GetTextSize(font, L"abc", w, t);
	EXPECT_EQ(15, w);
	EXPECT_EQ(10, t);
	surface->GetTextSize(font, nullptr, w, t);
	EXPECT_EQ(0, w);
	EXPECT_TRUE(surface->IsCursorVisible());
	control->SetCursorVisible(false);
	EXPECT_FALSE(surface->IsCursorVisible());
	control->Reset();
	EXPECT_TRUE(surface->IsCursorVisible());
}

using SurfacePopupTest = VGuiServicesTest;

// The key focus goes to the top keyboard popup, so it shows which popup is on top.
TEST_F(SurfacePopupTest, TopmostPopupsStayAboveTheRest)
{
	vgui::VPANEL a = Make(nullptr, root);
	vgui::VPANEL b = Make(nullptr, root);
	vgui::VPANEL c = Make(nullptr, root);
	surface->CreatePopup(a, false);
	surface->CreatePopup(b, false);
	auto top = [&] {
		control->RunFrame();
		return input->GetFocus();
	};
	EXPECT_EQ(b, top());
	panels->SetTopmostPopup(a, true);
	EXPECT_EQ(a, top());
	surface->CreatePopup(c, false);
	EXPECT_EQ(a, top()) << "a new popup opens below the topmost ones";
	surface->MovePopupToFront(b);
	EXPECT_EQ(a, top());
	surface->MovePopupToBack(a);
	EXPECT_EQ(a, top()) << "moved back within the topmost group only";
	panels->SetTopmostPopup(b, true);
	EXPECT_EQ(b, top());
	surface->MovePopupToBack(b);
	EXPECT_EQ(a, top());
	panels->SetTopmostPopup(a, false);
	panels->SetTopmostPopup(b, false);
	EXPECT_EQ(b, top()) << "a cleared popup goes to the front of the others";
	surface->MovePopupToBack(b);
	EXPECT_EQ(a, top());
	// Setting a panel that is not a popup yet only records the switch.
	vgui::VPANEL d = Make(nullptr, root);
	panels->SetTopmostPopup(d, true);
	EXPECT_EQ(a, top());
	surface->CreatePopup(d, false);
	EXPECT_EQ(d, top());
	panels->SetTopmostPopup(0, true);  // no panel: nothing happens
}
}
