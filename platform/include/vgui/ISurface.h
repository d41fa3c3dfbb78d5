// The engine's drawing surface ("VGUI_Surface030"): drawing in the coordinates of the panel
// made current, textures, the alpha multiplier, popups and the embedded root panel.
#pragma once

#include "tier1/Color.h"
#include "vgui/VGUI.h"

#define VGUI_SURFACE_INTERFACE_VERSION "VGUI_Surface030"

// Image format code of 32-bit pixels stored as blue, green, red, alpha bytes.
#define VGUI_IMAGE_FORMAT_BGRA8888 12

class IMaterial;

// What the surface knows of a texture id's material; the caller deletes it.
class IVguiMatInfo
{
public:
	virtual ~IVguiMatInfo() = default;
	// The material behind the texture (no reference is added).
	virtual IMaterial *GetMaterial() = 0;
};

namespace vgui
{
// One corner of a textured polygon.
struct Vertex_t
{
	struct Pair
	{
		float x, y;
	};
	Vertex_t() : m_Position{ 0, 0 }, m_TexCoord{ 0, 0 } {}
	Vertex_t(float x, float y, float u, float v) : m_Position{ x, y }, m_TexCoord{ u, v } {}
	Pair m_Position;
	Pair m_TexCoord;
};

class ISurface
{
public:
	// Drawing happens relative to the current panel and is clipped to its clip rectangle
	// (shrunk by its inset when useInsets is set); calls nest.
	virtual void PushMakeCurrent(VPANEL panel, bool useInsets) = 0;
	virtual void PopMakeCurrent(VPANEL panel) = 0;

	virtual void DrawSetColor(int r, int g, int b, int a) = 0;
	virtual void DrawSetColor(Color col) = 0;
	virtual void DrawFilledRect(int x0, int y0, int x1, int y1) = 0;
	// Alpha runs from alpha0 to alpha1 across the rectangle, times the colour's own alpha.
	virtual void DrawFilledRectFade(int x0, int y0, int x1, int y1, unsigned int alpha0, unsigned int alpha1,
	                                bool horizontal) = 0;
	virtual void DrawOutlinedRect(int x0, int y0, int x1, int y1) = 0;
	virtual void DrawLine(int x0, int y0, int x1, int y1) = 0;

	// Textures: ids made here, bound to a file name; the size of an unbound id is 0 by 0.
	virtual int CreateNewTextureID(bool procedural = false) = 0;
	virtual void DrawSetTextureFile(int id, const char *filename, int hardwareFilter, bool forceReload) = 0;
	virtual int DrawGetTextureId(const char *filename) = 0;
	virtual bool DrawGetTextureFile(int id, char *filename, int maxlen) = 0;
	virtual bool IsTextureIDValid(int id) = 0;
	virtual void DrawSetTexture(int id) = 0;
	virtual void DrawGetTextureSize(int id, int &wide, int &tall) = 0;
	// The current texture stretched over the rectangle, tinted by the current colour.
	virtual void DrawTexturedRect(int x0, int y0, int x1, int y1) = 0;

	// Multiplies the alpha of everything drawn (0..1).
	virtual void DrawSetAlphaMultiplier(float alpha) = 0;
	virtual float DrawGetAlphaMultiplier() = 0;

	// Painting bookkeeping of the engine's traversal.
	virtual void Invalidate(VPANEL panel) = 0;
	virtual void SwapBuffers(VPANEL panel) = 0;
	virtual bool ShouldPaintChildPanel(VPANEL childPanel) = 0;
	// Lays out the panel's subtree (scheme settings first when forced).
	virtual void SolveTraverse(VPANEL panel, bool forceApplySchemeSettings = false) = 0;

	virtual VPANEL GetEmbeddedPanel() = 0;
	virtual void GetScreenSize(int &wide, int &tall) = 0;
	// Makes the panel a popup: a child of the embedded panel painted above the others.
	virtual void CreatePopup(VPANEL panel, bool minimised, bool showTaskbarIcon = true, bool disabled = false,
	                         bool mouseInput = true, bool kbInput = true) = 0;
	virtual void MovePopupToFront(VPANEL panel) = 0;
	virtual void MovePopupToBack(VPANEL panel) = 0;
	virtual void SetCursor(HCursor cursor) = 0;
	virtual void SetCursorAlwaysVisible(bool visible) = 0;

	// Fonts: a handle made by CreateFont gets its face and pixel height from SetFontGlyphSet
	// (false when no such face can be had). Measures of a font without a face are 0.
	virtual HFont CreateFont() = 0;
	virtual bool SetFontGlyphSet(HFont font, const char *windowsFontName, int tall, int weight, int blur,
	                             int scanlines, int flags) = 0;
	virtual int GetFontTall(HFont font) = 0;
	// The advance of a character (the pixels it takes before the next one starts).
	virtual int GetCharacterWidth(HFont font, int ch) = 0;
	// The width of ch between its neighbours (0 at either end): wide is where the next
	// character starts, abcA where ch itself starts, both counted from the pen position.
	virtual void GetKernedCharWidth(HFont font, wchar_t ch, wchar_t chBefore, wchar_t chAfter, float &wide,
	                                float &abcA) = 0;

	// Text drawing: glyphs in the text colour at the text position, which each printed
	// character moves right by its advance.
	virtual void DrawSetTextFont(HFont font) = 0;
	virtual void DrawSetTextColor(int r, int g, int b, int a) = 0;
	virtual void DrawSetTextColor(Color col) = 0;
	virtual void DrawSetTextPos(int x, int y) = 0;
	virtual void DrawGetTextPos(int &x, int &y) = 0;
	virtual void DrawPrintText(const wchar_t *text, int textLen, int drawType = 0) = 0;
	virtual void DrawUnicodeChar(wchar_t ch, int drawType = 0) = 0;
	// Draws the text queued so far (this surface draws at once: nothing is queued).
	virtual void DrawFlushText() = 0;
	// Lines joining count points, in the current colour.
	virtual void DrawPolyLine(int *px, int *py, int numPoints) = 0;

	// A screen size that GetScreenSize reports in place of the real one while active; returns
	// whether an override was active before.
	virtual bool ForceScreenSizeOverride(bool state, int wide, int tall) = 0;
	virtual bool IsScreenSizeOverrideActive() = 0;
	// Where the full-screen viewport sits on the real screen, and its size.
	virtual void GetFullscreenViewport(int &x, int &y, int &wide, int &tall) = 0;
	// Plays a sound file of the game.
	virtual void PlaySound(const char *fileName) = 0;
	// Works out again whether the mouse cursor shows (after input switches change).
	virtual void CalculateMouseVisible() = 0;

	// Pixels for a texture id: wide x tall RGBA bytes, copied.
	virtual void DrawSetTextureRGBA(int id, const unsigned char *rgba, int wide, int tall, int hardwareFilter,
	                                bool forceReload) = 0;
	// A convex polygon of the current texture in the draw colour; positions in the current
	// panel's pixels, texture coordinates 0..1.
	virtual void DrawTexturedPolygon(int n, Vertex_t *pVertices, bool bClipVertices = true) = 0;
	// Frees a texture id; it is no longer valid afterwards.
	virtual void DestroyTextureID(int id) = 0;

	// Pixels for a texture id: wide x tall pixels in an image format (VGUI_IMAGE_FORMAT_BGRA8888
	// or, for any other code, red, green, blue, alpha bytes), copied.
	virtual void DrawSetTextureRGBAEx(int id, const unsigned char *pixels, int wide, int tall, int imageFormat) = 0;
	// Replaces a wide x tall block of a texture's pixels at (x, y); parts outside are left out.
	virtual void DrawUpdateRegionTextureRGBA(int id, int x, int y, const unsigned char *pixels, int wide, int tall,
	                                         int imageFormat) = 0;
	// The material of a texture id, null when it has none; the caller deletes the answer.
	virtual IVguiMatInfo *DrawGetTextureMatInfoFactory(int id) = 0;
	// The size of the text in the font: the sum of the advances, and the font height.
	virtual void GetTextSize(HFont font, const wchar_t *text, int &wide, int &tall) = 0;
	// The part (s0, t0) .. (s1, t1) of the current texture stretched over the rectangle.
	virtual void DrawTexturedSubRect(int x0, int y0, int x1, int y1, float s0, float t0, float s1, float t1) = 0;
	virtual bool IsCursorVisible() = 0;
	// Forgets glyphs drawn so far, so that redefined fonts draw afresh.
	virtual void ResetFontCaches() = 0;

	// The popups from the bottom (0) to the top; 0 for an index out of range.
	virtual int GetPopupCount() = 0;
	virtual VPANEL GetPopup(int index) = 0;
	// Whether the screen point lies on the surface.
	virtual bool IsWithin(int x, int y) = 0;

protected:
	virtual ~ISurface() = default;
};
}
