// vgui::CBitmapImagePanel: one scheme image, tinted, stretched over the panel or fitted into it
// with its proportions kept at one of nine alignments; the border goes around the image.
#pragma once

#include "tier1/Color.h"
#include "vgui/IImage.h"
#include "vgui_controls/Label.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class CBitmapImagePanel : public Panel
{
public:
	typedef Panel BaseClass;

	CBitmapImagePanel(Panel *parent, const char *panelName, const char *imageName = nullptr);
	~CBitmapImagePanel() override;

	virtual void setTexture(const char *name, bool hardwareFiltered = false);
	virtual void SetContentAlignment(Label::Alignment alignment);
	virtual void ComputeImagePosition(int &x, int &y, int &w, int &h);

	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void PaintBackground() override;
	void PaintBorder() override;

	IImage *GetImage() const { return m_pImage; }
	Color GetImageColor() const { return m_bgColor; }
	bool IsHardwareFiltered() const { return m_hardwareFiltered; }

private:
	Label::Alignment m_contentAlignment;
	bool m_preserveAspectRatio;
	bool m_hardwareFiltered;
	IImage *m_pImage;
	Color m_bgColor;
	char *m_pszImageName;
	char *m_pszColorName;
};
}
