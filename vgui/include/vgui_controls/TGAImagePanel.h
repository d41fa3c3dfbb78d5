// vgui::TGAImagePanel: draws a TGA file (plain or LZMA-packed) stretched over the panel; the file
// is read asynchronously and decoded once into an engine texture shared through a static cache.
#pragma once

#include "menu/AsyncRead.h"
#include "tier1/utlbuffer.h"
#include "tier1/utlvector.h"
#include "vgui_controls/MessageMap.h"
#include "vgui_controls/Panel.h"

// One cached image, kept for the life of the process.
struct TGAImage_t
{
	int m_iTextureID;  // -1 until a texture was made
	char m_szFileName[260];
	char m_szPathID[64];
	int m_iWidth;
	int m_iHeight;
	bool m_bFailed;    // the read or the decode failed
	bool m_bFinished;  // loading is over; no further read starts
	bool m_bDecoded;   // pixels were decoded and uploaded
};

// Every image record in creation order, keyed by file name and path id (compared without case).
extern CUtlVector<TGAImage_t *> g_TGAImageCache;

namespace vgui
{
class TGAImagePanel : public Panel
{
	DECLARE_CLASS_SIMPLE(TGAImagePanel, Panel);

public:
	TGAImagePanel(Panel *parent, const char *name);
	~TGAImagePanel() override;

	// Points the panel at the cached record for the file and path id, making one when needed.
	virtual void SetImage(const char *fileName, const char *pathID);
	virtual void PaintManual();
	// Advances the image's loading by one step; called from every paint.
	virtual void LoadImage();
	// Lets the next paint read and upload the file again.
	virtual void ForceReload(const char *fileName);
	virtual void LoadTGAData(CUtlBuffer &buf);

	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	void Paint() override;

	TGAImage_t *GetImageRecord() const { return m_pImage; }

private:
	CAsyncRead m_AsyncRead;
	TGAImage_t *m_pImage;
};
}
