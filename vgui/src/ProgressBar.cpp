// vgui::ProgressBar and vgui::ContinuousProgressBar: fraction, layout keys, scheme colours and the
// segmented or solid painting.
#include "vgui_controls/ProgressBar.h"

#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

using namespace vgui;

DECLARE_BUILD_FACTORY(ProgressBar);
DECLARE_BUILD_FACTORY(ContinuousProgressBar);

namespace
{
// Segments sit this far inside the top and bottom edges.
const int kSegmentInset = 4;
}

ProgressBar::ProgressBar(Panel *parent, const char *panelName)
	: Panel(parent, panelName), m_flProgress(0.0f), m_iSegmentGap(4), m_iSegmentWidth(8), m_pszDialogVariable(nullptr)
{
}

ProgressBar::~ProgressBar() { delete[] m_pszDialogVariable; }

void ProgressBar::SetProgress(float progress)
{
	// Equal, or not comparable (NaN): nothing changes.
	if (!(progress != m_flProgress) || progress != progress)
		return;
	if (progress < 0.0f)
		progress = 0.0f;
	if (progress > 1.0f)
		progress = 1.0f;
	m_flProgress = progress;
	Repaint();
}

void ProgressBar::SetSegmentInfo(int gap, int width)
{
	m_iSegmentGap = gap;
	m_iSegmentWidth = width;
}

void ProgressBar::OnDialogVariablesChanged(KeyValues *variables)
{
	if (!m_pszDialogVariable || !variables)
		return;
	const int percent = variables->GetInt(m_pszDialogVariable, -1);
	if (percent >= 0)
		SetProgress(percent / 100.0f);
}

void ProgressBar::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("ProgressBar.FgColor", pScheme));
	SetBgColor(GetSchemeColor("ProgressBar.BgColor", pScheme));
	SetBorder(pScheme ? pScheme->GetBorder("ButtonDepressedBorder") : nullptr);
}

void ProgressBar::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	m_flProgress = inResourceData->GetFloat("progress", 0.0f);
	const char *variable = inResourceData->GetString("variable", "");
	if (variable && *variable)
	{
		delete[] m_pszDialogVariable;
		const size_t len = strlen(variable) + 1;
		m_pszDialogVariable = new char[len];
		memcpy(m_pszDialogVariable, variable, len);
	}
	BaseClass::ApplySettings(inResourceData);
}

void ProgressBar::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	outResourceData->SetFloat("progress", m_flProgress);
	if (m_pszDialogVariable)
		outResourceData->SetString("variable", m_pszDialogVariable);
}

const char *ProgressBar::GetDescription()
{
	static char buf[1024];
	V_snprintf(buf, sizeof(buf), "%s, string progress, string variable", BaseClass::GetDescription());
	return buf;
}

void ProgressBar::PaintBackground()
{
	int wide, tall;
	GetSize(wide, tall);
	surface()->DrawSetColor(GetBgColor());
	surface()->DrawFilledRect(0, 0, wide, tall);
}

void ProgressBar::Paint()
{
	int wide, tall;
	GetSize(wide, tall);
	const int step = m_iSegmentWidth + m_iSegmentGap;
	// A step of zero or less fits no whole segment; a layout fraction outside 0..1 shows
	// at most the segments that fit.
	const int columns = step > 0 ? wide / step : 0;
	float fraction = m_flProgress;
	if (!(fraction > 0.0f))
		fraction = 0.0f;
	if (fraction > 1.0f)
		fraction = 1.0f;
	const int count = static_cast<int>(columns * fraction);

	surface()->DrawSetColor(GetFgColor());
	int x = 0;
	for (int i = 0; i < count; ++i)
	{
		x += m_iSegmentGap;
		surface()->DrawFilledRect(x, kSegmentInset, x + m_iSegmentWidth, tall - kSegmentInset);
		x += m_iSegmentWidth;
	}
}

ContinuousProgressBar::ContinuousProgressBar(Panel *parent, const char *panelName) : ProgressBar(parent, panelName) {}

void ContinuousProgressBar::Paint()
{
	int wide, tall;
	GetSize(wide, tall);
	float fraction = m_flProgress;
	if (!(fraction > 0.0f))
		fraction = 0.0f;
	if (fraction > 1.0f)
		fraction = 1.0f;
	surface()->DrawSetColor(GetFgColor());
	surface()->DrawFilledRect(0, 0, static_cast<int>(wide * fraction), tall);
}
