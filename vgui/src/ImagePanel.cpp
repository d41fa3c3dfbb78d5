// vgui::ImagePanel: layout keys, scheme image lookup and the painting of one image, scaled,
// tiled or as it is, over the fill colour.
#include "vgui_controls/ImagePanel.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IBorder.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

using namespace vgui;

DECLARE_BUILD_FACTORY(ImagePanel);

namespace
{
char *CopyText(const char *text)
{
	const size_t len = strlen(text) + 1;
	char *copy = new char[len];
	memcpy(copy, text, len);
	return copy;
}

void FreeText(char *&text)
{
	delete[] text;
	text = nullptr;
}

// size x scale truncated, held inside the int range (a layout may give any scale).
int Scaled(int size, float scale)
{
	const double scaled = static_cast<double>(size) * scale;
	return static_cast<int>(std::clamp(scaled, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// "r g b [a]" (alpha 255 when left out) or, with fewer than three numbers, a scheme colour name.
Color ParseColor(Panel *panel, IScheme *scheme, const char *text, int defaultRgb, Color fallback)
{
	int r = defaultRgb, g = defaultRgb, b = defaultRgb, a = 255;
	const int n = sscanf(text, "%d %d %d %d", &r, &g, &b, &a);
	if (n >= 3)
		return Color(r, g, b, a);
	return panel->GetSchemeColor(text, fallback, scheme);
}
}

ImagePanel::ImagePanel(Panel *parent, const char *name)
	: Panel(parent, name),
	  m_pImage(nullptr),
	  m_pszImageName(nullptr),
	  m_pszFillColorName(nullptr),
	  m_pszDrawColorName(nullptr),
	  m_bScaleImage(false),
	  m_bTileImage(false),
	  m_bTileHorizontally(false),
	  m_bTileVertically(false),
	  m_fScaleAmount(0.0f),
	  m_FillColor(0, 0, 0, 0),
	  m_DrawColor(255, 255, 255, 255)
{
	AddToOverridableColors(&m_FillColor, "fillcolor_override");
	AddToOverridableColors(&m_DrawColor, "drawcolor_override");
	SetImage(static_cast<IImage *>(nullptr));
}

ImagePanel::~ImagePanel()
{
	FreeText(m_pszImageName);
	FreeText(m_pszFillColorName);
	FreeText(m_pszDrawColorName);
}

void ImagePanel::OnSizeChanged(int newWide, int newTall) { BaseClass::OnSizeChanged(newWide, newTall); }

void ImagePanel::SetImage(IImage *image)
{
	m_pImage = image;
	Repaint();
}

void ImagePanel::SetImage(const char *imageName)
{
	if (!imageName)
		return;
	if (m_pszImageName && !V_stricmp(imageName, m_pszImageName))
		return;
	FreeText(m_pszImageName);
	m_pszImageName = CopyText(imageName);
	InvalidateLayout(false, true);
}

IImage *ImagePanel::GetImage() { return m_pImage; }
Color ImagePanel::GetDrawColor() { return m_DrawColor; }
void ImagePanel::SetDrawColor(Color drawColor) { m_DrawColor = drawColor; }

void ImagePanel::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (m_pszImageName && *m_pszImageName)
		SetImage(scheme()->GetImage(m_pszImageName, m_bScaleImage));
}

void ImagePanel::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	FreeText(m_pszImageName);
	FreeText(m_pszFillColorName);
	FreeText(m_pszDrawColorName);

	m_bScaleImage = inResourceData->GetInt("scaleImage", 0) != 0;
	m_fScaleAmount = inResourceData->GetFloat("scaleAmount", 0.0f);
	m_bTileImage = inResourceData->GetInt("tileImage", 0) != 0;
	m_bTileHorizontally = inResourceData->GetInt("tileHorizontally", m_bTileImage) != 0;
	m_bTileVertically = inResourceData->GetInt("tileVertically", m_bTileImage) != 0;

	const char *imageName = inResourceData->GetString("image", "");
	if (imageName && *imageName)
		SetImage(imageName);

	IScheme *pScheme = scheme()->GetIScheme(GetScheme());
	const char *fill = inResourceData->GetString("fillcolor", "");
	if (fill && *fill)
	{
		m_pszFillColorName = CopyText(fill);
		m_FillColor = ParseColor(this, pScheme, fill, 0, Color(0, 0, 0, 0));
	}
	const char *draw = inResourceData->GetString("drawcolor", "");
	if (draw && *draw)
	{
		m_pszDrawColorName = CopyText(draw);
		m_DrawColor = ParseColor(this, pScheme, draw, 255, Color(255, 255, 255, 255));
	}
	const char *border = inResourceData->GetString("border", "");
	if (border && *border && pScheme)
		SetBorder(pScheme->GetBorder(border));

	BaseClass::ApplySettings(inResourceData);
}

void ImagePanel::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (m_pszImageName)
		outResourceData->SetString("image", m_pszImageName);
	if (m_pszFillColorName)
		outResourceData->SetString("fillcolor", m_pszFillColorName);
	if (m_pszDrawColorName)
		outResourceData->SetString("drawcolor", m_pszDrawColorName);
	if (GetBorder())
		outResourceData->SetString("border", GetBorder()->GetName());
	outResourceData->SetInt("scaleImage", m_bScaleImage);
	outResourceData->SetFloat("scaleAmount", m_fScaleAmount);
	outResourceData->SetInt("tileImage", m_bTileImage);
	outResourceData->SetInt("tileHorizontally", m_bTileHorizontally);
	outResourceData->SetInt("tileVertically", m_bTileVertically);
}

const char *ImagePanel::GetDescription()
{
	static char buf[1024];
	V_snprintf(buf, sizeof(buf), "%s, string image, string border, string fillcolor, bool scaleImage",
	           BaseClass::GetDescription());
	return buf;
}

void ImagePanel::PaintBackground()
{
	if (m_FillColor.a() != 0)
	{
		int wide, tall;
		GetSize(wide, tall);
		surface()->DrawSetColor(m_FillColor);
		surface()->DrawFilledRect(0, 0, wide, tall);
	}
	if (!m_pImage)
		return;

	m_pImage->SetColor(GetDrawColor());
	m_pImage->SetPos(0, 0);

	if (m_bScaleImage)
	{
		int imageWide, imageTall;
		m_pImage->GetSize(imageWide, imageTall);
		if (m_fScaleAmount > 0.0f)
		{
			m_pImage->SetSize(Scaled(imageWide, m_fScaleAmount), Scaled(imageTall, m_fScaleAmount));
		}
		else
		{
			int wide, tall;
			GetSize(wide, tall);
			m_pImage->SetSize(wide, tall);
		}
		m_pImage->Paint();
		m_pImage->SetSize(imageWide, imageTall);
		return;
	}

	if (!m_bTileImage && !m_bTileHorizontally && !m_bTileVertically)
	{
		m_pImage->SetColor(GetDrawColor());
		m_pImage->Paint();
		return;
	}

	int wide, tall, imageWide, imageTall;
	GetSize(wide, tall);
	m_pImage->GetSize(imageWide, imageTall);
	if (imageWide <= 0 || imageTall <= 0)
	{
		// Nothing to step by: paint the image once.
		m_pImage->Paint();
		return;
	}
	for (int y = 0; y < tall; y += imageTall)
	{
		for (int x = 0; x < wide; x += imageWide)
		{
			m_pImage->SetPos(x, y);
			m_pImage->Paint();
			if (!m_bTileHorizontally)
				break;
		}
		if (!m_bTileVertically)
			break;
	}
	m_pImage->SetPos(0, 0);
}
