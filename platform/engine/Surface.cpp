// The stand-in drawing surface ("VGUI_Surface030"): a software renderer into an RGBA frame
// that also logs every drawing call, textures by file name, popups above the tree, and the
// embedded root panel as large as the screen.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "MaterialSystem.h"
#include "SurfaceFonts.h"
#include "VGuiInternal.h"
#include "VGuiMatSurface/IMatSystemSurface.h"
#include "materialsystem/imaterial.h"
#include "tier1/interface.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"

using vgui::VPANEL;

namespace
{
struct Context
{
	VPANEL panel;
	int originX, originY;
	int x0, y0, x1, y1;  // clip rectangle, screen coordinates
};

struct Texture
{
	std::string file;
	int wide = 0, tall = 0;
	std::vector<unsigned char> rgba;
	bool destroyed = false;
	// Name of the material system image made for the texture's material; empty until asked.
	std::string materialImage;
};

// Serial numbers of texture materials: image names are never reused, so a material once made
// keeps its texture for the life of the process.
int s_MaterialSerial = 0;

// Copies one pixel from an image format into red, green, blue, alpha.
void CopyPixel(unsigned char *dest, const unsigned char *src, int imageFormat)
{
	bool bgra = imageFormat == VGUI_IMAGE_FORMAT_BGRA8888;
	dest[0] = bgra ? src[2] : src[0];
	dest[1] = src[1];
	dest[2] = bgra ? src[0] : src[2];
	dest[3] = src[3];
}

class MatInfo final : public IVguiMatInfo
{
public:
	explicit MatInfo(IMaterial *material) : m_material(material) {}
	IMaterial *GetMaterial() override { return m_material; }

private:
	IMaterial *m_material;
};

struct TextureData
{
	int wide, tall;
	std::vector<unsigned char> rgba;
};

int s_ScreenWide = 640, s_ScreenTall = 480;
std::vector<unsigned char> s_Frame(640 * 480 * 4);
std::vector<VGuiDrawRecord> s_Log;
std::vector<Context> s_Contexts;
std::vector<VPANEL> s_Popups;
std::vector<std::string> s_Sounds;
vgui::HCursor s_Cursor = vgui::dc_arrow;
int s_MouseVisibilityChecks = 0;
std::map<std::string, TextureData> s_TextureFiles;
std::vector<Texture> s_Textures(1);  // id 0 is never handed out
unsigned char s_Colour[4] = { 0, 0, 0, 0 };
int s_CurrentTexture = 0;
float s_AlphaMultiplier = 1.0f;
bool s_ClippingDisabled = false;
bool s_CursorVisible = true;
// The screen-size override and the viewport's place on the real screen.
bool s_OverrideActive = false;
int s_OverrideWide = 0, s_OverrideTall = 0;
int s_ViewportX = 0, s_ViewportY = 0;
vgui::HFont s_TextFont = 0;
unsigned char s_TextColour[4] = { 255, 255, 255, 255 };
int s_TextX = 0, s_TextY = 0;  // pen position, coordinates of the current panel

vgui::IPanel *Panels()
{
	static vgui::IPanel *s_panels = static_cast<vgui::IPanel *>(CreateInterface(VGUI_PANEL_INTERFACE_VERSION, nullptr));
	return s_panels;
}

Context Current()
{
	Context c = s_Contexts.empty() ? Context{ 0, 0, 0, 0, 0, s_ScreenWide, s_ScreenTall } : s_Contexts.back();
	if (s_ClippingDisabled)
	{
		c.x0 = c.y0 = 0;
		c.x1 = s_ScreenWide;
		c.y1 = s_ScreenTall;
	}
	return c;
}

unsigned char EffectiveAlpha(int alpha)
{
	float a = alpha * std::clamp(s_AlphaMultiplier, 0.0f, 1.0f);
	return static_cast<unsigned char>(std::clamp(static_cast<int>(a + 0.5f), 0, 255));
}

// a + b, held inside the int range.
int Add(int a, int b)
{
	long long sum = static_cast<long long>(a) + b;
	return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

VGuiDrawRecord Record(VGuiDrawRecord::Kind kind, int x0, int y0, int x1, int y1)
{
	Context c = Current();
	VGuiDrawRecord r{};
	r.kind = kind;
	r.panel = c.panel;
	r.x0 = Add(x0, c.originX);
	r.y0 = Add(y0, c.originY);
	r.x1 = Add(x1, c.originX);
	r.y1 = Add(y1, c.originY);
	r.r = s_Colour[0];
	r.g = s_Colour[1];
	r.b = s_Colour[2];
	r.a = EffectiveAlpha(s_Colour[3]);
	return r;
}

// Source-over blending of one pixel inside the current clip rectangle.
void Blend(int x, int y, int r, int g, int b, int a)
{
	Context c = Current();
	if (a <= 0 || x < c.x0 || x >= c.x1 || y < c.y0 || y >= c.y1 || x < 0 || y < 0 || x >= s_ScreenWide ||
	    y >= s_ScreenTall)
		return;
	unsigned char *p = &s_Frame[(static_cast<size_t>(y) * s_ScreenWide + x) * 4];
	int inv = 255 - a;
	p[0] = static_cast<unsigned char>((r * a + p[0] * inv) / 255);
	p[1] = static_cast<unsigned char>((g * a + p[1] * inv) / 255);
	p[2] = static_cast<unsigned char>((b * a + p[2] * inv) / 255);
	p[3] = static_cast<unsigned char>(a + p[3] * inv / 255);
}

// The part of a screen rectangle that can be drawn: inside the clip rectangle and the frame.
struct Span
{
	int x0, y0, x1, y1;
};

Span Drawable(const VGuiDrawRecord &r)
{
	Context c = Current();
	Span s{ std::max({ r.x0, c.x0, 0 }), std::max({ r.y0, c.y0, 0 }), std::min({ r.x1, c.x1, s_ScreenWide }),
		    std::min({ r.y1, c.y1, s_ScreenTall }) };
	return s;
}

void FillScreenRect(const VGuiDrawRecord &r)
{
	Span s = Drawable(r);
	for (int y = s.y0; y < s.y1; ++y)
		for (int x = s.x0; x < s.x1; ++x)
			Blend(x, y, r.r, r.g, r.b, r.a);
}

class Surface final : public vgui::ISurface
{
public:
	void PushMakeCurrent(VPANEL panel, bool useInsets) override
	{
		Context c{ panel, 0, 0, 0, 0, 0, 0 };
		Panels()->GetAbsPos(panel, c.originX, c.originY);
		Panels()->GetClipRect(panel, c.x0, c.y0, c.x1, c.y1);
		if (useInsets)
		{
			int l, t, r, b, wide, tall;
			Panels()->GetInset(panel, l, t, r, b);
			Panels()->GetSize(panel, wide, tall);
			c.x0 = std::max(c.x0, c.originX + l);
			c.y0 = std::max(c.y0, c.originY + t);
			c.x1 = std::min(c.x1, c.originX + wide - r);
			c.y1 = std::min(c.y1, c.originY + tall - b);
			c.originX += l;
			c.originY += t;
		}
		s_Contexts.push_back(c);
	}
	void PopMakeCurrent(VPANEL panel) override
	{
		if (!s_Contexts.empty())
			s_Contexts.pop_back();
	}

	void DrawSetColor(int r, int g, int b, int a) override
	{
		s_Colour[0] = static_cast<unsigned char>(r);
		s_Colour[1] = static_cast<unsigned char>(g);
		s_Colour[2] = static_cast<unsigned char>(b);
		s_Colour[3] = static_cast<unsigned char>(a);
	}
	void DrawSetColor(Color col) override { DrawSetColor(col.r(), col.g(), col.b(), col.a()); }
	void DrawFilledRect(int x0, int y0, int x1, int y1) override
	{
		VGuiDrawRecord r = Record(VGuiDrawRecord::FilledRect, x0, y0, x1, y1);
		s_Log.push_back(r);
		FillScreenRect(r);
	}
	void DrawFilledRectFade(int x0, int y0, int x1, int y1, unsigned int alpha0, unsigned int alpha1,
	                        bool horizontal) override
	{
		VGuiDrawRecord r = Record(VGuiDrawRecord::FadedRect, x0, y0, x1, y1);
		r.alpha0 = alpha0;
		r.alpha1 = alpha1;
		r.horizontal = horizontal;
		s_Log.push_back(r);
		long long span = horizontal ? static_cast<long long>(r.x1) - r.x0 : static_cast<long long>(r.y1) - r.y0;
		Span s = Drawable(r);
		for (int y = s.y0; y < s.y1; ++y)
			for (int x = s.x0; x < s.x1; ++x)
			{
				long long at = horizontal ? static_cast<long long>(x) - r.x0 : static_cast<long long>(y) - r.y0;
				double t = span > 1 ? static_cast<double>(at) / (span - 1) : 0.0;
				double fade = (alpha0 + (static_cast<double>(alpha1) - alpha0) * t) / 255.0;
				Blend(x, y, r.r, r.g, r.b, static_cast<int>(r.a * std::clamp(fade, 0.0, 1.0) + 0.5));
			}
	}
	void DrawOutlinedRect(int x0, int y0, int x1, int y1) override
	{
		VGuiDrawRecord r = Record(VGuiDrawRecord::OutlinedRect, x0, y0, x1, y1);
		s_Log.push_back(r);
		if (r.x1 <= r.x0 || r.y1 <= r.y0)
			return;
		VGuiDrawRecord edge = r;
		edge.y1 = Add(r.y0, 1);
		FillScreenRect(edge);  // top
		edge.y0 = Add(r.y1, -1);
		edge.y1 = r.y1;
		if (edge.y0 > r.y0)
			FillScreenRect(edge);  // bottom
		edge.y0 = Add(r.y0, 1);
		edge.y1 = Add(r.y1, -1);
		edge.x1 = Add(r.x0, 1);
		FillScreenRect(edge);  // left
		edge.x0 = Add(r.x1, -1);
		edge.x1 = r.x1;
		if (edge.x0 > r.x0)
			FillScreenRect(edge);  // right
	}
	// Steps along the longer axis, only over the part inside the drawable area.
	void DrawLine(int x0, int y0, int x1, int y1) override
	{
		VGuiDrawRecord r = Record(VGuiDrawRecord::Line, x0, y0, x1, y1);
		s_Log.push_back(r);
		long long dx = static_cast<long long>(r.x1) - r.x0, dy = static_cast<long long>(r.y1) - r.y0;
		Context c = Current();
		bool alongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
		long long from = alongX ? std::min(r.x0, r.x1) : std::min(r.y0, r.y1);
		long long to = alongX ? std::max(r.x0, r.x1) : std::max(r.y0, r.y1);
		long long lo = alongX ? std::max(c.x0, 0) : std::max(c.y0, 0);
		long long hi = alongX ? std::min(c.x1, s_ScreenWide) - 1 : std::min(c.y1, s_ScreenTall) - 1;
		for (long long m = std::max(from, lo); m <= std::min(to, hi); ++m)
		{
			long long minorSpan = alongX ? dy : dx, majorSpan = alongX ? dx : dy;
			long long start = alongX ? r.x0 : r.y0, minorStart = alongX ? r.y0 : r.x0;
			double t = majorSpan ? static_cast<double>(m - start) / majorSpan : 0.0;
			long long minor = minorStart + static_cast<long long>(std::floor(t * minorSpan + 0.5));
			if (minor < INT_MIN || minor > INT_MAX)
				continue;
			int px = static_cast<int>(alongX ? m : minor), py = static_cast<int>(alongX ? minor : m);
			Blend(px, py, r.r, r.g, r.b, r.a);
		}
	}

	int CreateNewTextureID(bool) override
	{
		s_Textures.emplace_back();
		return static_cast<int>(s_Textures.size() - 1);
	}
	void DrawSetTextureFile(int id, const char *filename, int, bool forceReload) override
	{
		if (!IsTextureIDValid(id) || !filename)
			return;
		Texture &t = s_Textures[id];
		if (t.file == filename && !forceReload)
			return;
		t.file = filename;
		auto it = s_TextureFiles.find(filename);
		t.wide = it == s_TextureFiles.end() ? 0 : it->second.wide;
		t.tall = it == s_TextureFiles.end() ? 0 : it->second.tall;
		t.rgba = it == s_TextureFiles.end() ? std::vector<unsigned char>() : it->second.rgba;
	}
	int DrawGetTextureId(const char *filename) override
	{
		for (size_t i = 1; filename && i < s_Textures.size(); ++i)
			if (s_Textures[i].file == filename)
				return static_cast<int>(i);
		return -1;
	}
	bool DrawGetTextureFile(int id, char *filename, int maxlen) override
	{
		if (!IsTextureIDValid(id) || !filename || maxlen <= 0 || s_Textures[id].file.empty())
			return false;
		size_t n = std::min(s_Textures[id].file.size(), static_cast<size_t>(maxlen - 1));
		memcpy(filename, s_Textures[id].file.data(), n);
		filename[n] = '\0';
		return true;
	}
	bool IsTextureIDValid(int id) override
	{
		return id > 0 && static_cast<size_t>(id) < s_Textures.size() && !s_Textures[id].destroyed;
	}
	void DrawSetTexture(int id) override { s_CurrentTexture = id; }
	void DrawGetTextureSize(int id, int &wide, int &tall) override
	{
		wide = IsTextureIDValid(id) ? s_Textures[id].wide : 0;
		tall = IsTextureIDValid(id) ? s_Textures[id].tall : 0;
	}
	void DrawTexturedRect(int x0, int y0, int x1, int y1) override
	{
		DrawTexturedSubRect(x0, y0, x1, y1, 0.0f, 0.0f, 1.0f, 1.0f);
	}

	void DrawSetAlphaMultiplier(float alpha) override { s_AlphaMultiplier = alpha; }
	float DrawGetAlphaMultiplier() override { return s_AlphaMultiplier; }

	void Invalidate(VPANEL) override {}
	void SwapBuffers(VPANEL) override {}
	bool ShouldPaintChildPanel(VPANEL childPanel) override { return !Panels()->IsPopup(childPanel); }
	void SolveTraverse(VPANEL panel, bool forceApplySchemeSettings) override
	{
		if (forceApplySchemeSettings)
			vguistandin::ForEachInTree(panel, [](VPANEL p) { Panels()->PerformApplySchemeSettings(p); });
	}

	VPANEL GetEmbeddedPanel() override { return vguistandin::RootPanel(); }
	void GetScreenSize(int &wide, int &tall) override
	{
		if (s_OverrideActive)
		{
			wide = s_OverrideWide;
			tall = s_OverrideTall;
			return;
		}
		vguistandin::GetScreenSize(wide, tall);
	}
	bool ForceScreenSizeOverride(bool state, int wide, int tall) override
	{
		bool was = s_OverrideActive;
		s_OverrideActive = state;
		s_OverrideWide = wide;
		s_OverrideTall = tall;
		return was;
	}
	bool IsScreenSizeOverrideActive() override { return s_OverrideActive; }
	void GetFullscreenViewport(int &x, int &y, int &wide, int &tall) override
	{
		x = s_ViewportX;
		y = s_ViewportY;
		vguistandin::GetScreenSize(wide, tall);
	}
	void CreatePopup(VPANEL panel, bool, bool, bool, bool mouseInput, bool kbInput) override
	{
		if (!vguistandin::IsValidPanel(panel))
			return;
		if (!Panels()->GetParent(panel))
			Panels()->SetParent(panel, GetEmbeddedPanel());
		vguistandin::SetPopup(panel, true);
		Panels()->SetMouseInputEnabled(panel, mouseInput);
		Panels()->SetKeyBoardInputEnabled(panel, kbInput);
		vguistandin::RemovePopup(panel);
		s_Popups.push_back(panel);
		vguistandin::PlacePopup(panel, true);
	}
	void MovePopupToFront(VPANEL panel) override { vguistandin::PlacePopup(panel, true); }
	void MovePopupToBack(VPANEL panel) override { vguistandin::PlacePopup(panel, false); }
	void SetCursor(vgui::HCursor cursor) override { s_Cursor = cursor; }
	void SetCursorAlwaysVisible(bool) override {}

	vgui::HFont CreateFont() override { return surfacefonts::Create(); }
	bool SetFontGlyphSet(vgui::HFont font, const char *windowsFontName, int tall, int weight, int, int,
	                     int flags) override
	{
		return surfacefonts::SetGlyphSet(font, windowsFontName, tall, weight, flags);
	}
	int GetFontTall(vgui::HFont font) override { return surfacefonts::Tall(font); }
	int GetCharacterWidth(vgui::HFont font, int ch) override
	{
		return static_cast<int>(std::floor(surfacefonts::Advance(font, static_cast<wchar_t>(ch)) + 0.5f));
	}
	// The kerning with the character before shifts ch and everything after it.
	void GetKernedCharWidth(vgui::HFont font, wchar_t ch, wchar_t chBefore, wchar_t, float &wide,
	                        float &abcA) override
	{
		abcA = surfacefonts::Kerning(font, chBefore, ch);
		wide = abcA + surfacefonts::Advance(font, ch);
	}

	void DrawSetTextFont(vgui::HFont font) override { s_TextFont = font; }
	void DrawSetTextColor(int r, int g, int b, int a) override
	{
		s_TextColour[0] = static_cast<unsigned char>(r);
		s_TextColour[1] = static_cast<unsigned char>(g);
		s_TextColour[2] = static_cast<unsigned char>(b);
		s_TextColour[3] = static_cast<unsigned char>(a);
	}
	void DrawSetTextColor(Color col) override { DrawSetTextColor(col.r(), col.g(), col.b(), col.a()); }
	void DrawSetTextPos(int x, int y) override
	{
		s_TextX = x;
		s_TextY = y;
	}
	void DrawGetTextPos(int &x, int &y) override
	{
		x = s_TextX;
		y = s_TextY;
	}
	void DrawPrintText(const wchar_t *text, int textLen, int) override
	{
		for (int i = 0; text && i < textLen && text[i]; ++i)
			DrawUnicodeChar(text[i], 0);
	}
	// Logs the character's cell and draws it: the test font fills the cell, a face font blends
	// its glyph's coverage, with the top of the cell at the pen position.
	void DrawUnicodeChar(wchar_t ch, int) override
	{
		int tall = surfacefonts::Tall(s_TextFont);
		if (tall <= 0)
			return;
		float advance = surfacefonts::Advance(s_TextFont, ch);
		int step = static_cast<int>(std::floor(advance + 0.5f));
		VGuiDrawRecord r = Record(VGuiDrawRecord::Glyph, s_TextX, s_TextY, Add(s_TextX, step), Add(s_TextY, tall));
		r.r = s_TextColour[0];
		r.g = s_TextColour[1];
		r.b = s_TextColour[2];
		r.a = EffectiveAlpha(s_TextColour[3]);
		r.character = ch;
		r.font = s_TextFont;
		s_Log.push_back(r);
		s_TextX = Add(s_TextX, step);
		if (ch <= L' ')
			return;
		if (surfacefonts::IsFixed(s_TextFont))
		{
			FillScreenRect(r);
			return;
		}
		const surfacefonts::Glyph *glyph = surfacefonts::Render(s_TextFont, ch);
		if (!glyph)
			return;
		long long left = static_cast<long long>(r.x0) + glyph->left;
		long long top = static_cast<long long>(r.y0) + surfacefonts::Ascent(s_TextFont) - glyph->top;
		for (int y = 0; y < glyph->tall; ++y)
			for (int x = 0; x < glyph->wide; ++x)
			{
				long long px = left + x, py = top + y;
				unsigned char cover = glyph->coverage[static_cast<size_t>(y) * glyph->wide + x];
				if (cover && px >= 0 && py >= 0 && px < s_ScreenWide && py < s_ScreenTall)
					Blend(static_cast<int>(px), static_cast<int>(py), r.r, r.g, r.b, r.a * cover / 255);
			}
	}
	void DrawFlushText() override {}
	void DrawPolyLine(int *px, int *py, int numPoints) override
	{
		for (int i = 1; px && py && i < numPoints; ++i)
			DrawLine(px[i - 1], py[i - 1], px[i], py[i]);
	}

	void DrawSetTextureRGBA(int id, const unsigned char *rgba, int wide, int tall, int, bool) override
	{
		if (!IsTextureIDValid(id) || !rgba || wide <= 0 || tall <= 0)
			return;
		Texture &t = s_Textures[id];
		t.file.clear();
		t.wide = wide;
		t.tall = tall;
		t.rgba.assign(rgba, rgba + static_cast<size_t>(wide) * tall * 4);
	}
	void DrawTexturedPolygon(int n, vgui::Vertex_t *pVertices, bool) override
	{
		if (n < 3 || !pVertices)
			return;
		Context c = Current();
		VGuiDrawRecord r = Record(VGuiDrawRecord::TexturedPolygon, 0, 0, 0, 0);
		r.texture = s_CurrentTexture;
		float minX = pVertices[0].m_Position.x, maxX = minX, minY = pVertices[0].m_Position.y, maxY = minY;
		for (int i = 0; i < n; ++i)
		{
			minX = std::min(minX, pVertices[i].m_Position.x), maxX = std::max(maxX, pVertices[i].m_Position.x);
			minY = std::min(minY, pVertices[i].m_Position.y), maxY = std::max(maxY, pVertices[i].m_Position.y);
			if (i < 8)
			{
				r.vertices[i][0] = pVertices[i].m_Position.x + c.originX;
				r.vertices[i][1] = pVertices[i].m_Position.y + c.originY;
				r.vertices[i][2] = pVertices[i].m_TexCoord.x;
				r.vertices[i][3] = pVertices[i].m_TexCoord.y;
			}
		}
		r.vertexCount = std::min(n, 8);
		auto toInt = [](float f) { return std::isfinite(f) ? static_cast<int>(std::clamp(std::floor(f), -1e9f, 1e9f)) : 0; };
		r.x0 = Add(toInt(minX), c.originX);
		r.y0 = Add(toInt(minY), c.originY);
		r.x1 = Add(toInt(std::ceil(maxX)), c.originX);
		r.y1 = Add(toInt(std::ceil(maxY)), c.originY);
		s_Log.push_back(r);
		if (!IsTextureIDValid(s_CurrentTexture) || r.vertexCount < 3)
			return;
		const Texture &t = s_Textures[s_CurrentTexture];
		if (t.wide <= 0 || t.tall <= 0)
			return;
		// A fan of triangles from the first vertex; pixel centres inside a triangle take the
		// texel at their interpolated coordinate.
		Span span = Drawable(r);
		for (int k = 1; k + 1 < r.vertexCount; ++k)
		{
			const float *a = r.vertices[0], *b = r.vertices[k], *d = r.vertices[k + 1];
			const float area = (b[0] - a[0]) * (d[1] - a[1]) - (d[0] - a[0]) * (b[1] - a[1]);
			if (area == 0.0f || !std::isfinite(area))
				continue;
			for (int y = span.y0; y < span.y1; ++y)
				for (int x = span.x0; x < span.x1; ++x)
				{
					const float px = x + 0.5f, py = y + 0.5f;
					const float w1 = ((d[0] - px) * (a[1] - py) - (a[0] - px) * (d[1] - py)) / area;
					const float w2 = ((a[0] - px) * (b[1] - py) - (b[0] - px) * (a[1] - py)) / area;
					const float w0 = 1.0f - w1 - w2;
					if (w0 < 0 || w1 < 0 || w2 < 0)
						continue;
					const float u = w0 * a[2] + w1 * b[2] + w2 * d[2], v = w0 * a[3] + w1 * b[3] + w2 * d[3];
					if (!std::isfinite(u) || !std::isfinite(v))
						continue;
					const int tu = std::clamp(static_cast<int>(u * t.wide), 0, t.wide - 1);
					const int tv = std::clamp(static_cast<int>(v * t.tall), 0, t.tall - 1);
					const unsigned char *texel = &t.rgba[(static_cast<size_t>(tv) * t.wide + tu) * 4];
					Blend(x, y, texel[0] * r.r / 255, texel[1] * r.g / 255, texel[2] * r.b / 255,
					      texel[3] * r.a / 255);
				}
		}
	}
	void DestroyTextureID(int id) override
	{
		if (!IsTextureIDValid(id))
			return;
		Texture &t = s_Textures[id];
		t = Texture();
		t.destroyed = true;
	}
	void PlaySound(const char *fileName) override { s_Sounds.push_back(fileName ? fileName : ""); }
	void CalculateMouseVisible() override { ++s_MouseVisibilityChecks; }

	void DrawSetTextureRGBAEx(int id, const unsigned char *pixels, int wide, int tall, int imageFormat) override
	{
		if (!IsTextureIDValid(id) || !pixels || wide <= 0 || tall <= 0 || wide > 8192 || tall > 8192)
			return;
		Texture &t = s_Textures[id];
		t.file.clear();
		t.wide = wide;
		t.tall = tall;
		t.rgba.assign(static_cast<size_t>(wide) * static_cast<size_t>(tall) * 4, 0);
		for (size_t i = 0; i < t.rgba.size(); i += 4)
			CopyPixel(&t.rgba[i], pixels + i, imageFormat);
	}
	void DrawUpdateRegionTextureRGBA(int id, int x, int y, const unsigned char *pixels, int wide, int tall,
	                                 int imageFormat) override
	{
		if (!IsTextureIDValid(id) || !pixels || wide <= 0 || tall <= 0)
			return;
		Texture &t = s_Textures[id];
		for (int row = 0; row < tall; ++row)
			for (int col = 0; col < wide; ++col)
			{
				long long tx = static_cast<long long>(x) + col, ty = static_cast<long long>(y) + row;
				if (tx < 0 || ty < 0 || tx >= t.wide || ty >= t.tall)
					continue;
				CopyPixel(&t.rgba[(static_cast<size_t>(ty) * t.wide + static_cast<size_t>(tx)) * 4],
				          pixels + (static_cast<size_t>(row) * wide + col) * 4, imageFormat);
			}
	}
	IVguiMatInfo *DrawGetTextureMatInfoFactory(int id) override
	{
		if (!IsTextureIDValid(id) || s_Textures[id].wide <= 0 || s_Textures[id].tall <= 0)
			return nullptr;
		Texture &t = s_Textures[id];
		if (t.materialImage.empty())
		{
			t.materialImage = "__vgui_texture_" + std::to_string(++s_MaterialSerial);
			enginestandin::AddImage(t.materialImage.c_str(), t.wide, t.tall, t.rgba.data());
		}
		IMaterial *material = enginestandin::MaterialFromImage(t.materialImage.c_str(), "");
		return material ? new MatInfo(material) : nullptr;
	}
	void GetTextSize(vgui::HFont font, const wchar_t *text, int &wide, int &tall) override
	{
		wide = tall = 0;
		int fontTall = surfacefonts::Tall(font);
		if (fontTall <= 0 || !text)
			return;
		long long sum = 0;
		for (const wchar_t *c = text; *c; ++c)
			sum += static_cast<long long>(std::floor(surfacefonts::Advance(font, *c) + 0.5f));
		wide = static_cast<int>(std::min<long long>(sum, INT_MAX));
		tall = fontTall;
	}
	void DrawTexturedSubRect(int x0, int y0, int x1, int y1, float s0, float t0, float s1, float t1) override
	{
		VGuiDrawRecord r = Record(VGuiDrawRecord::TexturedRect, x0, y0, x1, y1);
		r.texture = s_CurrentTexture;
		r.s0 = s0, r.t0 = t0, r.s1 = s1, r.t1 = t1;
		s_Log.push_back(r);
		if (!IsTextureIDValid(s_CurrentTexture))
			return;
		const Texture &t = s_Textures[s_CurrentTexture];
		if (t.wide <= 0 || t.tall <= 0 || r.x1 <= r.x0 || r.y1 <= r.y0)
			return;
		double w = static_cast<double>(r.x1) - r.x0, h = static_cast<double>(r.y1) - r.y0;
		Span s = Drawable(r);
		for (int y = s.y0; y < s.y1; ++y)
			for (int x = s.x0; x < s.x1; ++x)
			{
				double fu = s0 + (static_cast<double>(s1) - s0) * ((x - static_cast<double>(r.x0)) / w);
				double fv = t0 + (static_cast<double>(t1) - t0) * ((y - static_cast<double>(r.y0)) / h);
				fu = std::isfinite(fu) ? fu : 0.0;
				fv = std::isfinite(fv) ? fv : 0.0;
				int u = static_cast<int>(std::clamp(fu * t.wide, 0.0, t.wide - 1.0));
				int v = static_cast<int>(std::clamp(fv * t.tall, 0.0, t.tall - 1.0));
				const unsigned char *texel = &t.rgba[(static_cast<size_t>(v) * t.wide + u) * 4];
				Blend(x, y, texel[0] * r.r / 255, texel[1] * r.g / 255, texel[2] * r.b / 255, texel[3] * r.a / 255);
			}
	}
	bool IsCursorVisible() override { return s_CursorVisible; }
	void ResetFontCaches() override {}
	int GetPopupCount() override { return static_cast<int>(s_Popups.size()); }
	VPANEL GetPopup(int index) override
	{
		return index >= 0 && index < static_cast<int>(s_Popups.size()) ? s_Popups[index] : 0;
	}
	bool IsWithin(int x, int y) override
	{
		int wide = 0, tall = 0;
		vguistandin::GetScreenSize(wide, tall);
		return x >= 0 && y >= 0 && x < wide && y < tall;
	}
};

Surface s_Surface;

void *CreateSurface() { return static_cast<vgui::ISurface *>(&s_Surface); }

InterfaceReg s_SurfaceReg(&CreateSurface, VGUI_SURFACE_INTERFACE_VERSION);

class MatSystemSurface final : public IMatSystemSurface
{
public:
	void DisableClipping(bool disable) override { s_ClippingDisabled = disable; }
	// Logged with its centre and radius; painted as the outline's pixels.
	void DrawColoredCircle(int centerX, int centerY, float radius, int r, int g, int b, int a) override
	{
		unsigned char saved[4];
		memcpy(saved, s_Colour, sizeof(saved));
		s_Surface.DrawSetColor(r, g, b, a);
		VGuiDrawRecord rec = Record(VGuiDrawRecord::Circle, centerX, centerY, centerX, centerY);
		memcpy(s_Colour, saved, sizeof(saved));
		rec.radius = radius;
		s_Log.push_back(rec);
		if (!(radius > 0.0f) || radius > 16384.0f)
			return;
		int steps = std::max(8, static_cast<int>(radius * 8.0f));
		for (int i = 0; i < steps; ++i)
		{
			double angle = 2.0 * M_PI * i / steps;
			double px = std::floor(rec.x0 + radius * std::cos(angle)), py = std::floor(rec.y0 + radius * std::sin(angle));
			if (px >= INT_MIN && px <= INT_MAX && py >= INT_MIN && py <= INT_MAX)
				Blend(static_cast<int>(px), static_cast<int>(py), rec.r, rec.g, rec.b, rec.a);
		}
	}
	// The id shows the material's base texture: this stand-in binds the id to the material's
	// name, so the id has no pixels unless a texture of that name was defined.
	void DrawSetTextureMaterial(int id, IMaterial *material) override
	{
		if (!material || !s_Surface.IsTextureIDValid(id))
			return;
		s_Surface.DrawSetTextureFile(id, material->GetName(), 0, false);
	}
};

MatSystemSurface s_MatSystemSurface;

void *CreateMatSystemSurface() { return static_cast<IMatSystemSurface *>(&s_MatSystemSurface); }

InterfaceReg s_MatSystemSurfaceReg(&CreateMatSystemSurface, MAT_SYSTEM_SURFACE_INTERFACE_VERSION);
}

namespace vguistandin
{
void SetScreenSize(int wide, int tall)
{
	s_ScreenWide = std::clamp(wide, 1, 8192);
	s_ScreenTall = std::clamp(tall, 1, 8192);
	s_Frame.assign(static_cast<size_t>(s_ScreenWide) * s_ScreenTall * 4, 0);
	ResizeRoot(s_ScreenWide, s_ScreenTall);
}

void GetScreenSize(int &wide, int &tall)
{
	wide = s_ScreenWide;
	tall = s_ScreenTall;
}

void PaintFrame()
{
	std::fill(s_Frame.begin(), s_Frame.end(), 0);
	s_Contexts.clear();
	VPANEL root = RootPanel();
	CUtlVector<VPANEL> &children = Panels()->GetChildren(root);
	std::vector<VPANEL> order(children.Base(), children.Base() + children.Count());
	for (VPANEL child : order)
		if (!Panels()->IsPopup(child) && Panels()->IsVisible(child))
			Panels()->PaintTraverse(child, true, true);
	std::vector<VPANEL> popups = s_Popups;
	for (VPANEL popup : popups)
		if (Panels()->IsVisible(popup))
			Panels()->PaintTraverse(popup, true, true);
}

void RemovePopup(VPANEL panel) { s_Popups.erase(std::remove(s_Popups.begin(), s_Popups.end(), panel), s_Popups.end()); }

void PlacePopup(VPANEL panel, bool front)
{
	if (std::find(s_Popups.begin(), s_Popups.end(), panel) == s_Popups.end())
		return;
	RemovePopup(panel);
	bool topmost = IsTopmostPopup(panel);
	// The group of the topmost popups starts at the first of them.
	auto firstTopmost = std::find_if(s_Popups.begin(), s_Popups.end(), [](VPANEL p) { return IsTopmostPopup(p); });
	if (topmost)
		s_Popups.insert(front ? s_Popups.end() : firstTopmost, panel);
	else
		s_Popups.insert(front ? firstTopmost : s_Popups.begin(), panel);
}

const std::vector<VGuiDrawRecord> &SurfaceDrawLog() { return s_Log; }
void SurfaceClearDrawLog() { s_Log.clear(); }

uint32_t SurfacePixel(int x, int y)
{
	if (x < 0 || y < 0 || x >= s_ScreenWide || y >= s_ScreenTall)
		return 0;
	const unsigned char *p = &s_Frame[(static_cast<size_t>(y) * s_ScreenWide + x) * 4];
	return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void SurfaceDefineTexture(const char *fileName, int wide, int tall, const unsigned char *rgba)
{
	if (!fileName || wide <= 0 || tall <= 0 || wide > 4096 || tall > 4096)
		return;
	TextureData data{ wide, tall, std::vector<unsigned char>(static_cast<size_t>(wide) * tall * 4, 255) };
	if (rgba)
		memcpy(data.rgba.data(), rgba, data.rgba.size());
	s_TextureFiles[fileName] = data;
	// Textures already bound to the file see the new pixels.
	for (Texture &t : s_Textures)
		if (t.file == fileName)
		{
			t.wide = wide;
			t.tall = tall;
			t.rgba = data.rgba;
		}
}

const std::vector<VPANEL> &Popups() { return s_Popups; }
const std::vector<std::string> &SoundsPlayed() { return s_Sounds; }
vgui::HCursor SurfaceCursor() { return s_Cursor; }
int MouseVisibilityChecks() { return s_MouseVisibilityChecks; }
void SetCursorVisible(bool visible) { s_CursorVisible = visible; }

void SurfaceReset()
{
	s_Sounds.clear();
	s_Cursor = vgui::dc_arrow;
	s_MouseVisibilityChecks = 0;
	s_Log.clear();
	s_Contexts.clear();
	s_TextureFiles.clear();
	s_Textures.assign(1, Texture());
	s_CurrentTexture = 0;
	s_AlphaMultiplier = 1.0f;
	s_ClippingDisabled = false;
	s_CursorVisible = true;
	memset(s_Colour, 0, sizeof(s_Colour));
	surfacefonts::Reset();
	s_TextFont = 0;
	memset(s_TextColour, 255, sizeof(s_TextColour));
	s_TextX = s_TextY = 0;
	s_OverrideActive = false;
	s_OverrideWide = s_OverrideTall = 0;
	s_ViewportX = s_ViewportY = 0;
	SetScreenSize(640, 480);
}

void SurfaceSetViewportOffset(int x, int y)
{
	s_ViewportX = x;
	s_ViewportY = y;
}
}
