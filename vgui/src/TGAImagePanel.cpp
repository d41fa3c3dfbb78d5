// vgui::TGAImagePanel and its image cache: asynchronous read, LZMA unpacking, TGA decoding and
// the upload into an engine texture, one step per paint.
#include "vgui_controls/TGAImagePanel.h"

#include <new>

#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/lzmaDecoder.h"
#include "tier1/strtools.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/TGALoader.h"

CUtlVector<TGAImage_t *> g_TGAImageCache;

namespace
{
// Frees the records at exit, before the list itself goes (objects of one file are destroyed in
// reverse order), so leak checkers see none.
struct TGAImageCacheRelease
{
	~TGAImageCacheRelease()
	{
		for (int i = 0; i < g_TGAImageCache.Count(); ++i)
			delete g_TGAImageCache[i];
		g_TGAImageCache.RemoveAll();
	}
} s_TGAImageCacheRelease;

// Largest unpacked file accepted; more than any image the reader takes can need.
const int64_t kMaxUnpackedBytes = 0x20000000;
}

namespace vgui
{
TGAImagePanel::TGAImagePanel(Panel *parent, const char *name) : Panel(parent, name), m_pImage(nullptr)
{
	SetMouseInputEnabled(false);
	SetKeyBoardInputEnabled(false);
	SetPaintBorderEnabled(false);
	SetPaintBackgroundEnabled(false);
}

TGAImagePanel::~TGAImagePanel() = default;

void TGAImagePanel::SetImage(const char *fileName, const char *pathID)
{
	if (!fileName)
		fileName = "";
	if (!pathID)
		pathID = "";
	// Compare as the record holds them: cut to the record's room.
	char file[sizeof(TGAImage_t::m_szFileName)], path[sizeof(TGAImage_t::m_szPathID)];
	V_strncpy(file, fileName, sizeof(file));
	V_strncpy(path, pathID, sizeof(path));
	for (int i = 0; i < g_TGAImageCache.Count(); ++i)
	{
		TGAImage_t *image = g_TGAImageCache[i];
		if (!V_stricmp(image->m_szFileName, file) && !V_stricmp(image->m_szPathID, path))
		{
			m_pImage = image;
			return;
		}
	}
	TGAImage_t *image = new TGAImage_t();
	image->m_iTextureID = -1;
	V_strncpy(image->m_szFileName, file, sizeof(image->m_szFileName));
	V_strncpy(image->m_szPathID, path, sizeof(image->m_szPathID));
	image->m_iWidth = image->m_iHeight = 0;
	image->m_bFailed = image->m_bFinished = image->m_bDecoded = false;
	g_TGAImageCache.AddToTail(image);
	m_pImage = image;
}

void TGAImagePanel::ForceReload(const char *)
{
	if (!m_pImage)
		return;
	m_pImage->m_bFinished = false;
	m_pImage->m_bDecoded = false;
	m_pImage->m_bFailed = false;
}

void TGAImagePanel::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	const char *image = inResourceData->GetString("image", "");
	if (image && *image)
		SetImage(image, "GAME");
	BaseClass::ApplySettings(inResourceData);
}

void TGAImagePanel::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (m_pImage)
		outResourceData->SetString("image", m_pImage->m_szFileName);
}

void TGAImagePanel::Paint()
{
	if (IsPaintedManually())
		return;
	PaintManual();
}

void TGAImagePanel::PaintManual()
{
	LoadImage();
	// A read that ended without data leaves the image finished but without a texture.
	if (!m_pImage || !m_pImage->m_bFinished || m_pImage->m_bFailed || m_pImage->m_iTextureID == -1)
		return;
	int wide, tall;
	GetSize(wide, tall);
	surface()->DrawSetTexture(m_pImage->m_iTextureID);
	surface()->DrawSetColor(255, 255, 255, 255);
	surface()->DrawTexturedRect(0, 0, wide, tall);
}

void TGAImagePanel::LoadImage()
{
	if (!m_pImage || m_pImage->m_bFinished)
		return;
	if (m_AsyncRead.IsErrored())
	{
		m_AsyncRead.Finish();
		m_pImage->m_bFailed = true;
		m_pImage->m_bFinished = true;
		return;
	}
	if (m_AsyncRead.IsLoading())
		return;
	if (!m_AsyncRead.IsLoaded())
	{
		m_AsyncRead.LoadFile(m_pImage->m_szFileName, m_pImage->m_szPathID);
		return;
	}

	const unsigned char *data = m_AsyncRead.GetDataPointer();
	const int bytes = m_AsyncRead.GetBytes();
	if (!data)
	{
		Warning("Error loading TGA! (Data was NULL)\n");
	}
	else if (CLZMA::IsCompressed(data, static_cast<size_t>(bytes)))
	{
		const int64_t actual = CLZMA::GetActualSize(data, static_cast<size_t>(bytes));
		unsigned char *unpacked =
			actual <= kMaxUnpackedBytes ? new (std::nothrow) unsigned char[static_cast<size_t>(actual) + 1] : nullptr;
		if (!unpacked ||
		    CLZMA::Uncompress(data, static_cast<size_t>(bytes), unpacked, static_cast<size_t>(actual)) != actual)
		{
			Warning("Failed to open spawn icon (Error Uncompressing)\n");
			m_AsyncRead.Finish();
			m_pImage->m_bFailed = true;
			m_pImage->m_bFinished = true;
			delete[] unpacked;
			return;
		}
		CUtlBuffer buf(unpacked, static_cast<int>(actual), CUtlBuffer::READ_ONLY);
		LoadTGAData(buf);
		delete[] unpacked;
	}
	else
	{
		CUtlBuffer buf(data, bytes, CUtlBuffer::READ_ONLY);
		LoadTGAData(buf);
	}
	m_AsyncRead.Finish();
	m_pImage->m_bFinished = true;
}

void TGAImagePanel::LoadTGAData(CUtlBuffer &buf)
{
	if (!m_pImage)
		return;
	CUtlMemory<unsigned char, int> pixels;
	int width = 0, height = 0;
	if (TGALoader::LoadRGBA8888(buf, pixels, width, height))
	{
		m_pImage->m_iWidth = width;
		m_pImage->m_iHeight = height;
		m_pImage->m_bDecoded = true;
		if (m_pImage->m_iTextureID == -1)
			m_pImage->m_iTextureID = surface()->CreateNewTextureID(true);
		surface()->DrawSetTextureRGBA(m_pImage->m_iTextureID, pixels.Base(), width, height, false, false);
	}
	else
	{
		m_pImage->m_bFailed = true;
		Warning("Error loading TGA! (LoadRGBA8888 failed)\n");
	}
}
}
