// vgui::CircularProgressBar: its two images, their textures, and the dial drawn as up to eight
// textured triangles, one per octant of the panel's square.
#include "vgui_controls/CircularProgressBar.h"

#include <cmath>
#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

using namespace vgui;

DECLARE_BUILD_FACTORY(CircularProgressBar);

namespace
{
const float kPi = 3.14159265358979f;

// The octants in clockwise order from twelve o'clock, as fractions of the panel's size: the
// angle each starts at, its start and end points on the edge, and the direction along the edge.
struct Octant
{
	float startAngle;
	float startX, startY;
	float endX, endY;
	float dirX, dirY;
};

const Octant kOctants[8] = {
	{ 0.0f, 0.5f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f },
	{ kPi / 4, 1.0f, 0.0f, 1.0f, 0.5f, 0.0f, 1.0f },
	{ kPi / 2, 1.0f, 0.5f, 1.0f, 1.0f, 0.0f, 1.0f },
	{ 3 * kPi / 4, 1.0f, 1.0f, 0.5f, 1.0f, -1.0f, 0.0f },
	{ kPi, 0.5f, 1.0f, 0.0f, 1.0f, -1.0f, 0.0f },
	{ 5 * kPi / 4, 0.0f, 1.0f, 0.0f, 0.5f, 0.0f, -1.0f },
	{ 3 * kPi / 2, 0.0f, 0.5f, 0.0f, 0.0f, 0.0f, -1.0f },
	{ 7 * kPi / 4, 0.0f, 0.0f, 0.5f, 0.0f, 1.0f, 0.0f },
};
}

CircularProgressBar::CircularProgressBar(Panel *parent, const char *panelName) : ProgressBar(parent, panelName)
{
	for (int i = 0; i < NUM_PROGRESS_TEXTURES; ++i)
	{
		m_nTextureId[i] = -1;
		m_pszImageName[i] = nullptr;
		m_lenImageName[i] = 0;
	}
}

CircularProgressBar::~CircularProgressBar()
{
	for (int i = 0; i < NUM_PROGRESS_TEXTURES; ++i)
	{
		if (surface() && m_nTextureId[i] != -1)
		{
			surface()->DestroyTextureID(m_nTextureId[i]);
			m_nTextureId[i] = -1;
		}
		delete[] m_pszImageName[i];
		m_pszImageName[i] = nullptr;
		m_lenImageName[i] = 0;
	}
}

void CircularProgressBar::SetImage(const char *imageName, progress_textures_t which)
{
	if (!imageName || which < 0 || which >= NUM_PROGRESS_TEXTURES)
		return;
	const char *prefix = "vgui/";
	const size_t needed = strlen(imageName) + strlen(prefix) + 1;
	if (!m_pszImageName[which] || static_cast<size_t>(m_lenImageName[which]) < needed)
	{
		delete[] m_pszImageName[which];
		m_pszImageName[which] = new char[needed];
		m_lenImageName[which] = static_cast<int>(needed);
	}
	V_snprintf(m_pszImageName[which], m_lenImageName[which], "%s%s", prefix, imageName);
	InvalidateLayout(false, true);
}

void CircularProgressBar::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	for (int i = 0; i < NUM_PROGRESS_TEXTURES; ++i)
	{
		delete[] m_pszImageName[i];
		m_pszImageName[i] = nullptr;
		m_lenImageName[i] = 0;
	}
	const char *fg = inResourceData->GetString("fg_image", "");
	if (fg && *fg)
		SetImage(fg, PROGRESS_TEXTURE_FG);
	const char *bg = inResourceData->GetString("bg_image", "");
	if (bg && *bg)
		SetImage(bg, PROGRESS_TEXTURE_BG);
	BaseClass::ApplySettings(inResourceData);
}

void CircularProgressBar::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("CircularProgressBar.FgColor", pScheme));
	SetBgColor(GetSchemeColor("CircularProgressBar.BgColor", pScheme));
	SetBorder(nullptr);
	for (int i = 0; i < NUM_PROGRESS_TEXTURES; ++i)
	{
		if (!m_pszImageName[i] || !*m_pszImageName[i])
			continue;
		if (m_nTextureId[i] == -1)
			m_nTextureId[i] = surface()->CreateNewTextureID(false);
		surface()->DrawSetTextureFile(m_nTextureId[i], m_pszImageName[i], true, false);
	}
}

void CircularProgressBar::PaintBackground()
{
	const int texture =
		m_nTextureId[PROGRESS_TEXTURE_BG] != -1 ? m_nTextureId[PROGRESS_TEXTURE_BG] : m_nTextureId[PROGRESS_TEXTURE_FG];
	if (texture == -1)
		return;  // no image: nothing textured
	int wide, tall;
	GetSize(wide, tall);
	surface()->DrawSetTexture(texture);
	surface()->DrawSetColor(GetBgColor());
	surface()->DrawTexturedRect(0, 0, wide, tall);
}

void CircularProgressBar::Paint() { DrawCircleSegment(GetFgColor(), 1.0f - GetProgress()); }

void CircularProgressBar::DrawCircleSegment(Color c, float fraction)
{
	if (m_nTextureId[PROGRESS_TEXTURE_FG] == -1)
		return;
	int w, t;
	GetSize(w, t);
	if (w <= 0 || t <= 0)
		return;  // no area, and no half-size to divide by
	const float wide = static_cast<float>(w), tall = static_cast<float>(t);
	const float halfWide = wide * 0.5f, halfTall = tall * 0.5f;

	surface()->DrawSetTexture(m_nTextureId[PROGRESS_TEXTURE_FG]);
	surface()->DrawSetColor(c);

	const float sweep = fraction * 2 * kPi;
	for (int i = 0; i < 8; ++i)
	{
		const Octant &o = kOctants[i];
		if (!(o.startAngle < sweep))
			continue;
		Vertex_t v[3];
		v[0] = Vertex_t(halfWide, halfTall, 0.5f, 0.5f);
		v[1] = Vertex_t(o.startX * wide, o.startY * tall, o.startX, o.startY);
		const float into = sweep - o.startAngle;
		if (into >= kPi / 4)
		{
			v[2] = Vertex_t(o.endX * wide, o.endY * tall, o.endX, o.endY);
		}
		else
		{
			const bool even = (i % 2) == 0;
			const float tangent = std::tan(even ? into : kPi / 4 - into);
			float dx, dy;
			if (even)
			{
				dx = o.dirX * tangent * halfTall;
				dy = o.dirY * tangent * halfWide;
			}
			else
			{
				dx = o.dirX * (halfWide - halfTall * tangent);
				dy = o.dirY * (halfTall - halfWide * tangent);
			}
			v[2] = Vertex_t(o.startX * wide + dx, o.startY * tall + dy, o.startX + dx / halfWide * 0.5f,
			                o.startY + dy / halfTall * 0.5f);
		}
		surface()->DrawTexturedPolygon(3, v, true);
	}
}
