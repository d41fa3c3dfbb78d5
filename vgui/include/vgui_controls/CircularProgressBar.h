// vgui::CircularProgressBar: a progress bar drawn as a dial, a background image under a
// foreground image revealed as a clockwise pie sweep from twelve o'clock.
#pragma once

#include "tier1/Color.h"
#include "vgui_controls/ProgressBar.h"

namespace vgui
{
enum progress_textures_t
{
	PROGRESS_TEXTURE_FG = 0,
	PROGRESS_TEXTURE_BG = 1,
	NUM_PROGRESS_TEXTURES,
};

class CircularProgressBar : public ProgressBar
{
	DECLARE_CLASS_SIMPLE(CircularProgressBar, ProgressBar);

public:
	CircularProgressBar(Panel *parent, const char *panelName);
	~CircularProgressBar() override;

	// The image's texture path becomes "vgui/" followed by the name; bound when the scheme is
	// applied next.
	void SetImage(const char *imageName, progress_textures_t which);
	// The foreground image over the part fraction of the circle, clockwise from twelve o'clock.
	void DrawCircleSegment(Color c, float fraction);

	int GetTextureId(progress_textures_t which) const { return m_nTextureId[which]; }
	const char *GetImagePath(progress_textures_t which) const { return m_pszImageName[which]; }

	void ApplySettings(KeyValues *inResourceData) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void PaintBackground() override;
	void Paint() override;

private:
	int m_nTextureId[NUM_PROGRESS_TEXTURES];
	char *m_pszImageName[NUM_PROGRESS_TEXTURES];
	int m_lenImageName[NUM_PROGRESS_TEXTURES];
};
}
