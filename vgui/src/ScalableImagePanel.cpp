// vgui::ScalableImagePanel: layout keys, loading the texture at layout and painting the nine
// textured cells of the image.
#include "vgui_controls/ScalableImagePanel.h"

#include <cstdio>
#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace
{
const char kImagePrefix[] = "vgui/";

char *CopyString(const char *text)
{
	const size_t length = strlen(text);
	char *copy = new char[length + 1];
	memcpy(copy, text, length + 1);
	return copy;
}
}

namespace vgui
{
DECLARE_BUILD_FACTORY(ScalableImagePanel);

ScalableImagePanel::ScalableImagePanel(Panel *parent, const char *name)
	: Panel(parent, name), m_iSrcCornerHeight(0), m_iSrcCornerWidth(0), m_iCornerHeight(0), m_iCornerWidth(0),
	  m_iTextureID(surface() ? surface()->CreateNewTextureID(false) : -1), m_flCornerWidthPercent(0),
	  m_flCornerHeightPercent(0), m_pszImageName(nullptr), m_pszDrawColorName(nullptr),
	  m_DrawColor(255, 255, 255, 255)
{
}

ScalableImagePanel::~ScalableImagePanel()
{
	delete[] m_pszImageName;
	delete[] m_pszDrawColorName;
	if (surface() && m_iTextureID != -1)
		surface()->DestroyTextureID(m_iTextureID);
}

void ScalableImagePanel::SetImage(const char *imageName)
{
	if (!imageName || !*imageName)
	{
		delete[] m_pszImageName;
		m_pszImageName = nullptr;
		InvalidateLayout();
		return;
	}
	const size_t size = sizeof(kImagePrefix) + strlen(imageName);
	char *path = new char[size];
	V_snprintf(path, static_cast<int>(size), "%s%s", kImagePrefix, imageName);
	if (m_pszImageName && !V_stricmp(m_pszImageName, path))
	{
		delete[] path;
		return;
	}
	delete[] m_pszImageName;
	m_pszImageName = path;
	InvalidateLayout();
}

void ScalableImagePanel::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);

	delete[] m_pszDrawColorName;
	m_pszDrawColorName = nullptr;
	const char *drawColor = inResourceData->GetString("drawcolor", "");
	if (drawColor && *drawColor)
	{
		m_pszDrawColorName = CopyString(drawColor);
		int r = 0, g = 0, b = 0, a = 255;
		if (sscanf(drawColor, "%d %d %d %d", &r, &g, &b, &a) >= 3)
			m_DrawColor = Color(static_cast<unsigned char>(r), static_cast<unsigned char>(g),
			                    static_cast<unsigned char>(b), static_cast<unsigned char>(a));
		else
			m_DrawColor = GetSchemeColor(drawColor, Color(0, 0, 0, 0), scheme()->GetIScheme(GetScheme()));
	}

	m_iSrcCornerHeight = inResourceData->GetInt("src_corner_height", 0);
	m_iSrcCornerWidth = inResourceData->GetInt("src_corner_width", 0);
	m_iCornerHeight = inResourceData->GetInt("draw_corner_height", 0);
	m_iCornerWidth = inResourceData->GetInt("draw_corner_width", 0);
	if (IsProportional())
	{
		m_iCornerHeight = scheme()->GetProportionalScaledValueEx(GetScheme(), m_iCornerHeight);
		m_iCornerWidth = scheme()->GetProportionalScaledValueEx(GetScheme(), m_iCornerWidth);
	}

	SetImage(inResourceData->GetString("image", ""));
	InvalidateLayout();
}

void ScalableImagePanel::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (m_pszDrawColorName)
		outResourceData->SetString("drawcolor", m_pszDrawColorName);
	outResourceData->SetInt("src_corner_height", m_iSrcCornerHeight);
	outResourceData->SetInt("src_corner_width", m_iSrcCornerWidth);
	outResourceData->SetInt("draw_corner_height", m_iCornerHeight);
	outResourceData->SetInt("draw_corner_width", m_iCornerWidth);
	// The name is written as "image" takes it, without the prefix the panel adds, so a saved
	// layout reads back to the same texture.
	if (m_pszImageName)
		outResourceData->SetString("image", m_pszImageName + sizeof(kImagePrefix) - 1);
}

const char *ScalableImagePanel::GetDescription()
{
	static char s_description[1024];
	V_snprintf(s_description, sizeof(s_description),
	           "%s string image, int src_corner_height, int src_corner_width, int draw_corner_height, int "
	           "draw_corner_width",
	           BaseClass::GetDescription());
	return s_description;
}

void ScalableImagePanel::PerformLayout()
{
	if (m_pszImageName)
		surface()->DrawSetTextureFile(m_iTextureID, m_pszImageName, true, false);
	int tw = 0, th = 0;
	surface()->DrawGetTextureSize(m_iTextureID, tw, th);
	m_flCornerWidthPercent = tw > 0 ? static_cast<float>(m_iSrcCornerWidth) / static_cast<float>(tw) : 0.0f;
	m_flCornerHeightPercent = th > 0 ? static_cast<float>(m_iSrcCornerHeight) / static_cast<float>(th) : 0.0f;
}

void ScalableImagePanel::PaintBackground()
{
	int wide, tall;
	GetSize(wide, tall);
	surface()->DrawSetColor(m_DrawColor.r(), m_DrawColor.g(), m_DrawColor.b(), GetAlpha());
	surface()->DrawSetTexture(m_iTextureID);

	float y = 0, v = 0;
	for (int row = 0; row < 3; ++row)
	{
		float height, vSpan;
		if (row == 1)
		{
			height = static_cast<float>(tall - 2 * m_iCornerHeight);
			vSpan = 1.0f - 2.0f * m_flCornerHeightPercent;
			if (height < 0)
				height = 0;
			if (vSpan < 0)
				vSpan = 0;
		}
		else
		{
			height = static_cast<float>(m_iCornerHeight);
			vSpan = m_flCornerHeightPercent;
		}

		float x = 0, u = 0;
		for (int col = 0; col < 3; ++col)
		{
			float width, uSpan;
			if (col == 1)
			{
				width = static_cast<float>(wide - 2 * m_iCornerWidth);
				uSpan = 1.0f - 2.0f * m_flCornerWidthPercent;
				if (width < 0)
					width = 0;
				if (uSpan < 0)
					uSpan = 0;
			}
			else
			{
				width = static_cast<float>(m_iCornerWidth);
				uSpan = m_flCornerWidthPercent;
			}

			Vertex_t cell[4] = {
				Vertex_t(x, y, u, v),
				Vertex_t(x + width, y, u + uSpan, v),
				Vertex_t(x + width, y + height, u + uSpan, v + vSpan),
				Vertex_t(x, y + height, u, v + vSpan),
			};
			surface()->DrawTexturedPolygon(4, cell, true);
			x = static_cast<float>(static_cast<int>(x + width));
			u += uSpan;
		}
		y = static_cast<float>(static_cast<int>(y + height));
		v += vSpan;
	}
	surface()->DrawSetTexture(0);
}
}
