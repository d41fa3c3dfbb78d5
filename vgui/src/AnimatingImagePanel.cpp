// vgui::AnimatingImagePanel: loads its frames through the scheme service, steps through them on
// the tick signal by engine time and paints the current one, stretched or at its own size.
#include "vgui_controls/AnimatingImagePanel.h"

#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

using namespace vgui;

DECLARE_BUILD_FACTORY(AnimatingImagePanel);

AnimatingImagePanel::AnimatingImagePanel(Panel *parent, const char *name)
	: Panel(parent, name),
	  m_iCurrentImage(0),
	  m_iNextFrameTime(0),
	  m_iFrameTimeMillis(100),
	  m_pImageName(nullptr),
	  m_bAnimating(false),
	  m_bFiltered(false),
	  m_bScaleImage(false)
{
	ivgui()->AddTickSignal(GetVPanel(), 0);
}

AnimatingImagePanel::~AnimatingImagePanel()
{
	delete[] m_pImageName;
	m_pImageName = nullptr;
}

void AnimatingImagePanel::AddImage(IImage *image)
{
	m_Frames.AddToTail(image);
	if (image && !m_bScaleImage)
	{
		int wide, tall;
		image->GetSize(wide, tall);
		SetSize(wide, tall);
	}
}

void AnimatingImagePanel::LoadAnimation(const char *baseName, int frameCount)
{
	m_Frames.RemoveAll();
	if (!baseName)
		return;
	// A layout file's frame count is bounded: a hostile one would load images for ever.
	const int kMaxFrames = 4096;
	if (frameCount > kMaxFrames)
		frameCount = kMaxFrames;
	for (int n = 1; n <= frameCount; ++n)
	{
		char name[512];
		V_snprintf(name, sizeof(name), "%s%d", baseName, n);
		AddImage(scheme()->GetImage(name, m_bFiltered));
	}
}

void AnimatingImagePanel::StartAnimation() { m_bAnimating = true; }
void AnimatingImagePanel::StopAnimation() { m_bAnimating = false; }

void AnimatingImagePanel::ResetAnimation(int frame)
{
	m_iCurrentImage = m_Frames.IsValidIndex(frame) ? frame : 0;
	Repaint();
}

void AnimatingImagePanel::OnTick()
{
	if (!m_bAnimating)
		return;
	const int now = static_cast<int>(system()->GetTimeMillis());
	if (now < m_iNextFrameTime)
		return;
	m_iNextFrameTime = now + m_iFrameTimeMillis;
	++m_iCurrentImage;
	if (m_iCurrentImage >= m_Frames.Count() || m_iCurrentImage < 0)
		m_iCurrentImage = 0;
	Repaint();
}

void AnimatingImagePanel::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	BaseClass::ApplySettings(inResourceData);

	if (inResourceData->FindKey("image"))
	{
		const char *imageName = inResourceData->GetString("image", "");
		m_bScaleImage = inResourceData->GetInt("scaleImage", 0) == 1;
		const size_t len = strlen(imageName) + 1;
		char *copy = new char[len];
		memcpy(copy, imageName, len);
		delete[] m_pImageName;
		m_pImageName = copy;
		LoadAnimation(m_pImageName, inResourceData->GetInt("frames", 0));
	}
	m_iFrameTimeMillis = inResourceData->GetInt("anim_framerate", 100);
}

void AnimatingImagePanel::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (m_pImageName)
		outResourceData->SetString("image", m_pImageName);
}

const char *AnimatingImagePanel::GetDescription()
{
	static char buf[1024];
	V_snprintf(buf, sizeof(buf), "%s, string image", BaseClass::GetDescription());
	return buf;
}

void AnimatingImagePanel::PaintBackground()
{
	IImage *image = GetFrame(m_iCurrentImage);
	if (!image)
		return;
	surface()->DrawSetColor(255, 255, 255, 255);
	image->SetPos(0, 0);
	if (m_bScaleImage)
	{
		int imageWide, imageTall;
		image->GetSize(imageWide, imageTall);
		int wide, tall;
		GetSize(wide, tall);
		image->SetSize(wide, tall);
		image->SetColor(Color(255, 255, 255, 255));
		image->Paint();
		image->SetSize(imageWide, imageTall);
	}
	else
	{
		image->Paint();
	}
}

void AnimatingImagePanel::PerformLayout()
{
	BaseClass::PerformLayout();
	Repaint();
}
