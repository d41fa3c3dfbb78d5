// vgui::ImagePanel: one image over an optional fill colour, at its natural size, scaled or tiled;
// the image is given directly or by a name the scheme service resolves.
#pragma once

#include "tier1/Color.h"
#include "vgui/IImage.h"
#include "vgui_controls/MessageMap.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class ImagePanel : public Panel
{
	DECLARE_CLASS_SIMPLE(ImagePanel, Panel);

public:
	ImagePanel(Panel *parent, const char *name);
	~ImagePanel() override;

	virtual void SetImage(IImage *image);
	// By name: fetched from the scheme service when the scheme settings are next applied.
	virtual void SetImage(const char *imageName);
	virtual IImage *GetImage();
	virtual Color GetDrawColor();
	virtual void SetDrawColor(Color drawColor);

	void SetFillColor(Color col) { m_FillColor = col; }
	Color GetFillColor() const { return m_FillColor; }
	bool GetTileImage() const { return m_bTileImage; }
	const char *GetImageName() const { return m_pszImageName; }

	void OnSizeChanged(int newWide, int newTall) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void PaintBackground() override;

private:
	IImage *m_pImage;
	char *m_pszImageName;
	char *m_pszFillColorName;
	char *m_pszDrawColorName;
	bool m_bScaleImage;
	bool m_bTileImage;
	bool m_bTileHorizontally;
	bool m_bTileVertically;
	float m_fScaleAmount;
	Color m_FillColor;
	Color m_DrawColor;
};
}
