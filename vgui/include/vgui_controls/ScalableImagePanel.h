// vgui::ScalableImagePanel: one texture stretched over the panel as a nine-slice image whose
// corners keep a fixed drawn size while the edges and the centre stretch.
#pragma once

#include "tier1/Color.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class ScalableImagePanel : public Panel
{
	DECLARE_CLASS_SIMPLE(ScalableImagePanel, Panel);

public:
	ScalableImagePanel(Panel *parent, const char *name);
	~ScalableImagePanel() override;

	// Uses the texture "vgui/<name>"; an empty name clears the path. Loaded at the next layout.
	virtual void SetImage(const char *imageName);

	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void PaintBackground() override;
	void PerformLayout() override;

	// The stored texture path ("vgui/..."), or null.
	const char *GetImagePath() const { return m_pszImageName; }
	int GetTextureID() const { return m_iTextureID; }
	Color GetDrawColor() const { return m_DrawColor; }

private:
	int m_iSrcCornerHeight;
	int m_iSrcCornerWidth;
	int m_iCornerHeight;
	int m_iCornerWidth;
	int m_iTextureID;
	float m_flCornerWidthPercent;
	float m_flCornerHeightPercent;
	char *m_pszImageName;
	char *m_pszDrawColorName;
	Color m_DrawColor;
};
}
