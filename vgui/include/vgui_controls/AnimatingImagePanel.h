// vgui::AnimatingImagePanel: a flip book of images, named by a base name and a running number
// or added one by one, advanced at a fixed frame time on the engine's tick signal.
#pragma once

#include "tier1/utlvector.h"
#include "vgui/IImage.h"
#include "vgui_controls/MessageMap.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class AnimatingImagePanel : public Panel
{
	DECLARE_CLASS_SIMPLE(AnimatingImagePanel, Panel);

public:
	AnimatingImagePanel(Panel *parent, const char *name);
	~AnimatingImagePanel() override;

	virtual void AddImage(IImage *image);
	virtual void LoadAnimation(const char *baseName, int frameCount);
	virtual void StartAnimation();
	virtual void StopAnimation();
	virtual void ResetAnimation(int frame = 0);

	void OnTick() override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void PaintBackground() override;
	void PerformLayout() override;

	int GetCurrentFrame() const { return m_iCurrentImage; }
	int GetFrameCount() const { return m_Frames.Count(); }
	IImage *GetFrame(int index) const { return m_Frames.IsValidIndex(index) ? m_Frames[index] : nullptr; }
	int GetFrameTime() const { return m_iFrameTimeMillis; }
	bool IsAnimating() const { return m_bAnimating; }

private:
	int m_iCurrentImage;
	int m_iNextFrameTime;
	int m_iFrameTimeMillis;
	CUtlVector<IImage *> m_Frames;
	char *m_pImageName;
	bool m_bAnimating;
	bool m_bFiltered;
	bool m_bScaleImage;
};
}
