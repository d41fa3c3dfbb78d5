// vgui::CBitmapImagePanel: fetches its image by name from the scheme service, reads and writes
// its layout keys and paints the image and border in the rectangle the alignment gives.
#include "vgui_controls/BitmapImagePanel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IBorder.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

using namespace vgui;

namespace
{
Panel *Create_CBitmapImagePanel() { return new CBitmapImagePanel(nullptr, nullptr, "BitmapImagePanel"); }

const char *const kAlignmentNames[] = { "north-west", "north", "north-east", "west",     "center",
	                                    "east",       "south-west", "south", "south-east" };

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
}

DECLARE_BUILD_FACTORY_CUSTOM(CBitmapImagePanel, Create_CBitmapImagePanel);

CBitmapImagePanel::CBitmapImagePanel(Panel *parent, const char *panelName, const char *imageName)
	: Panel(parent, panelName),
	  m_contentAlignment(Label::a_center),
	  m_preserveAspectRatio(false),
	  m_hardwareFiltered(false),
	  m_pImage(nullptr),
	  m_bgColor(255, 255, 255, 255),
	  m_pszImageName(nullptr),
	  m_pszColorName(nullptr)
{
	SetBounds(0, 0, 100, 100);
	if (imageName && *imageName)
	{
		m_pImage = scheme()->GetImage(imageName, false);
		m_pszImageName = CopyText(imageName);
	}
}

CBitmapImagePanel::~CBitmapImagePanel()
{
	FreeText(m_pszImageName);
	FreeText(m_pszColorName);
}

void CBitmapImagePanel::setTexture(const char *name, bool hardwareFiltered)
{
	m_hardwareFiltered = hardwareFiltered;
	FreeText(m_pszImageName);
	if (name && *name)
	{
		m_pImage = scheme()->GetImage(name, m_hardwareFiltered);
		m_pszImageName = CopyText(name);
	}
	else
	{
		m_pImage = nullptr;
	}
}

void CBitmapImagePanel::SetContentAlignment(Label::Alignment alignment)
{
	m_contentAlignment = alignment;
	Repaint();
}

void CBitmapImagePanel::ComputeImagePosition(int &x, int &y, int &w, int &h)
{
	x = y = w = h = 0;
	if (!m_pImage)
		return;
	int panelWide, panelTall;
	GetSize(panelWide, panelTall);
	if (!m_preserveAspectRatio)
	{
		w = panelWide;
		h = panelTall;
		return;
	}
	int imageWide, imageTall;
	m_pImage->GetSize(imageWide, imageTall);
	if (panelWide <= 0 || panelTall <= 0 || imageWide <= 0 || imageTall <= 0)
	{
		w = panelWide;
		h = panelTall;
		return;
	}
	const double scale = std::min(static_cast<double>(panelWide) / imageWide, static_cast<double>(panelTall) / imageTall);
	w = static_cast<int>(imageWide * scale);
	h = static_cast<int>(imageTall * scale);
	const int alignment = m_contentAlignment;
	if (alignment < 0 || alignment > 8)
		return;
	switch (alignment % 3)
	{
	case 1: x = (panelWide - w) / 2; break;
	case 2: x = panelWide - w; break;
	default: break;
	}
	switch (alignment / 3)
	{
	case 1: y = (panelTall - h) / 2; break;
	case 2: y = panelTall - h; break;
	default: break;
	}
}

void CBitmapImagePanel::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (m_pszColorName)
		m_bgColor = GetSchemeColor(m_pszColorName, m_bgColor, pScheme);
}

void CBitmapImagePanel::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	FreeText(m_pszImageName);
	FreeText(m_pszColorName);

	const char *image = inResourceData->GetString("image", "");
	if (*image)
		setTexture(image, true);

	const char *color = inResourceData->GetString("imagecolor", "");
	if (*color)
	{
		m_pszColorName = CopyText(color);
		InvalidateLayout(false, true);
	}

	const char *alignment = inResourceData->GetString("imageAlignment", "");
	if (*alignment)
	{
		for (int i = 0; i < 9; ++i)
		{
			if (!V_stricmp(alignment, kAlignmentNames[i]))
			{
				SetContentAlignment(static_cast<Label::Alignment>(i));
				break;
			}
		}
	}

	const char *preserve = inResourceData->GetString("preserveAspectRatio", "");
	if (*preserve)
		m_preserveAspectRatio = atoi(preserve) != 0;

	const char *filtered = inResourceData->GetString("filtered", "");
	if (*filtered)
		m_hardwareFiltered = atoi(filtered) != 0;

	BaseClass::ApplySettings(inResourceData);
}

void CBitmapImagePanel::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (m_pszImageName)
		outResourceData->SetString("image", m_pszImageName);
	if (m_pszColorName)
		outResourceData->SetString("imagecolor", m_pszColorName);
	const int alignment = m_contentAlignment;
	outResourceData->SetString("imageAlignment",
	                           alignment >= 0 && alignment <= 8 ? kAlignmentNames[alignment] : "center");
	outResourceData->SetInt("preserveAspectRatio", m_preserveAspectRatio);
	outResourceData->SetInt("filtered", m_hardwareFiltered);
}

const char *CBitmapImagePanel::GetDescription()
{
	static char buf[1024];
	V_snprintf(buf, sizeof(buf),
	           "%s, string image, string imagecolor, alignment imageAlignment, int preserveAspectRatio, int filtered",
	           BaseClass::GetDescription());
	return buf;
}

void CBitmapImagePanel::PaintBackground()
{
	if (!m_pImage)
		return;
	int x, y, w, h;
	ComputeImagePosition(x, y, w, h);
	// The image belongs to the scheme and may be shared: its own size is given back after the
	// paint, so the next fit (here or elsewhere) starts from the true proportions.
	int imageWide, imageTall;
	m_pImage->GetSize(imageWide, imageTall);
	m_pImage->SetPos(x, y);
	m_pImage->SetSize(w, h);
	m_pImage->SetColor(m_bgColor);
	surface()->DrawSetColor(m_bgColor);
	m_pImage->Paint();
	m_pImage->SetSize(imageWide, imageTall);
}

void CBitmapImagePanel::PaintBorder()
{
	int x, y, w, h;
	ComputeImagePosition(x, y, w, h);
	if (IBorder *border = GetBorder())
		border->Paint(x, y, x + w, y + h);
}
