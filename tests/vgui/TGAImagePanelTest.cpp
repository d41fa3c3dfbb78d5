// vgui::TGAImagePanel over the stand-in engine: files read through the asynchronous reader from
// the game folder, plain and LZMA-packed, the shared image cache, the warnings and the drawing.
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "engine/standin.h"
#include "LzmaOneShot.h"
#include "tier0/standin.h"
#include "tier1/KeyValues.h"
#include "vgui_controls/TGAImagePanel.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

// A 2x2 32-bit TGA, top row first: red, green / blue, white.
Bytes QuadTga()
{
	Bytes f = { 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 0x20 };
	const Bytes px = { 0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255 };
	f.insert(f.end(), px.begin(), px.end());
	return f;
}

// The engine's LZMA block: "LZMA", actual size, packed size, 5 property bytes, data.
Bytes Pack(const Bytes &data)
{
	Bytes packed(data.size() * 2 + 1024);
	size_t packedSize = packed.size();
	unsigned char props[LZMA_PROPS_SIZE];
	size_t propsSize = sizeof(props);
	EXPECT_EQ(0, LzmaCompress(packed.data(), &packedSize, data.data(), data.size(), props, &propsSize, 5, 1 << 16, -1,
	                          -1, -1, -1, 1));
	Bytes block = { 'L', 'Z', 'M', 'A' };
	for (uint32_t v : { uint32_t(data.size()), uint32_t(packedSize) })
		for (int i = 0; i < 4; ++i)
			block.push_back(uint8_t(v >> (8 * i)));
	block.insert(block.end(), props, props + LZMA_PROPS_SIZE);
	block.insert(block.end(), packed.begin(), packed.begin() + long(packedSize));
	return block;
}

class TGAImagePanelTest : public VGuiTest
{
protected:
	void TearDown() override
	{
		for (vgui::PHandle &h : m_panels)
			delete h.Get();
		VGuiTest::TearDown();
	}

	void Write(const std::string &name, const Bytes &bytes)
	{
		std::string path = m_harness->gameFolder + "/" + name;
		for (size_t slash = path.find('/', m_harness->gameFolder.size() + 1); slash != std::string::npos;
		     slash = path.find('/', slash + 1))
			mkdir(path.substr(0, slash).c_str(), 0755);
		std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), long(bytes.size()));
	}

	vgui::TGAImagePanel *NewImagePanel(const char *file, const char *pathID = "GAME", int x = 0)
	{
		auto *panel = new vgui::TGAImagePanel(nullptr, "TGAImage");
		panel->SetParent(m_root);
		panel->SetBounds(x, 0, 20, 20);
		m_panels.emplace_back();
		m_panels.back().Set(panel);
		if (file)
			panel->SetImage(file, pathID);
		return panel;
	}

	// Paints, completes the reads the paint started, and paints again.
	void PaintAndRead()
	{
		Frame();
		m_vgui->Paint();
		m_harness->asyncReads->RunAsyncReads();
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
	}

	std::vector<vgui::PHandle> m_panels;

	std::vector<VGuiDrawRecord> Textured()
	{
		std::vector<VGuiDrawRecord> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
			if (r.kind == VGuiDrawRecord::TexturedRect)
				out.push_back(r);
		return out;
	}
};
}

TEST_F(TGAImagePanelTest, DrawsThePlainFileStretchedOverThePanel)
{
	Write("icons/quad.tga", QuadTga());
	vgui::TGAImagePanel *panel = NewImagePanel("icons/quad.tga");
	{
		vgui::TGAImagePanel bare(nullptr, nullptr);
		EXPECT_FALSE(bare.IsMouseInputEnabled());
		EXPECT_FALSE(bare.IsKeyBoardInputEnabled());
	}
	PaintAndRead();

	TGAImage_t *image = panel->GetImageRecord();
	ASSERT_NE(nullptr, image);
	EXPECT_TRUE(image->m_bFinished && image->m_bDecoded);
	EXPECT_FALSE(image->m_bFailed);
	EXPECT_EQ(2, image->m_iWidth);
	std::vector<VGuiDrawRecord> drawn = Textured();
	ASSERT_EQ(1u, drawn.size());
	EXPECT_EQ(image->m_iTextureID, drawn[0].texture);
	EXPECT_EQ(20, drawn[0].x1);
	EXPECT_EQ(20, drawn[0].y1);
	EXPECT_EQ(0xFF0000FFu, m_vgui->Pixel(2, 2));    // red, top left
	EXPECT_EQ(0xFF00FF00u, m_vgui->Pixel(17, 2));   // green, top right
	EXPECT_EQ(0xFFFF0000u, m_vgui->Pixel(2, 17));   // blue, bottom left
	EXPECT_EQ(0xFFFFFFFFu, m_vgui->Pixel(17, 17));  // white
	EXPECT_EQ(0, m_harness->asyncReads->PendingAsyncReads());
	EXPECT_EQ(0, m_harness->asyncReads->AsyncHandles());
}

TEST_F(TGAImagePanelTest, RecordsAreSharedByFileAndPathIgnoringCase)
{
	Write("Shared.tga", QuadTga());
	const int before = g_TGAImageCache.Count();
	vgui::TGAImagePanel *a = NewImagePanel("Shared.tga", "GAME");
	vgui::TGAImagePanel *b = NewImagePanel("SHARED.TGA", "game", 30);
	vgui::TGAImagePanel *c = NewImagePanel("Shared.tga", "MOD", 60);
	EXPECT_EQ(a->GetImageRecord(), b->GetImageRecord());
	EXPECT_NE(a->GetImageRecord(), c->GetImageRecord());
	EXPECT_EQ(before + 2, g_TGAImageCache.Count());

	// The file is found whatever path id the record has; one texture serves both shared panels.
	PaintAndRead();
	std::vector<VGuiDrawRecord> drawn = Textured();
	ASSERT_EQ(3u, drawn.size());
	EXPECT_EQ(drawn[0].texture, drawn[1].texture);
	EXPECT_NE(drawn[0].texture, drawn[2].texture);
}

TEST_F(TGAImagePanelTest, LongNamesAreCutForTheKeyAndTheRead)
{
	// A 259-character path (components under the file system's limit), then 41 more characters.
	std::string name = std::string(120, 'd') + "/" + std::string(120, 'e') + "/";
	name += std::string(259 - name.size() - 4, 'f') + ".tga";
	ASSERT_EQ(259u, name.size());
	Write(name, QuadTga());
	vgui::TGAImagePanel *panel = NewImagePanel((name + std::string(41, 'x')).c_str());
	EXPECT_EQ(name, panel->GetImageRecord()->m_szFileName);
	vgui::TGAImagePanel *same = NewImagePanel((name + "yy").c_str(), "GAME", 30);
	EXPECT_EQ(panel->GetImageRecord(), same->GetImageRecord());
	PaintAndRead();
	EXPECT_TRUE(panel->GetImageRecord()->m_bDecoded);
}

TEST_F(TGAImagePanelTest, PackedFilesAndFailures)
{
	Write("packed.tga", Pack(QuadTga()));
	Bytes corrupt = Pack(QuadTga());
	for (size_t i = 17; i < corrupt.size(); ++i)
		corrupt[i] ^= 0x5A;
	Write("corrupt.tga", corrupt);
	Bytes huge = Pack(QuadTga());
	huge[7] = 0x7F;  // claims about 2 GB unpacked
	Write("huge.tga", huge);
	Write("notatga.tga", Bytes(40, 0));

	struct Case
	{
		const char *file;
		bool decoded, failed;
		const char *warning;
	} const cases[] = {
		{ "packed.tga", true, false, "" },
		{ "corrupt.tga", false, true, "Failed to open spawn icon (Error Uncompressing)\n" },
		{ "huge.tga", false, true, "Failed to open spawn icon (Error Uncompressing)\n" },
		{ "notatga.tga", false, true, "Error loading TGA! (LoadRGBA8888 failed)\n" },
		{ "missing.tga", false, true, "" },
	};
	for (const Case &c : cases)
	{
		vgui::TGAImagePanel *panel = NewImagePanel(c.file);
		Tier0OutputCapture out;
		PaintAndRead();
		Frame();
		m_vgui->Paint();  // a failed read is seen on a later paint
		// Later paints read nothing more and warn no more.
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
		EXPECT_EQ(0, m_harness->asyncReads->PendingAsyncReads()) << c.file;
		TGAImage_t *image = panel->GetImageRecord();
		EXPECT_TRUE(image->m_bFinished) << c.file;
		EXPECT_EQ(c.decoded, image->m_bDecoded) << c.file;
		EXPECT_EQ(c.failed, image->m_bFailed) << c.file;
		EXPECT_EQ(c.warning, out.All()) << c.file;
		EXPECT_EQ(c.decoded ? 1u : 0u, Textured().size()) << c.file;
		delete panel;
	}
}

TEST_F(TGAImagePanelTest, ForceReloadReadsAgainIntoTheSameTexture)
{
	Write("reload.tga", QuadTga());
	vgui::TGAImagePanel *panel = NewImagePanel("reload.tga");
	PaintAndRead();
	const int texture = panel->GetImageRecord()->m_iTextureID;
	EXPECT_EQ(0xFF0000FFu, m_vgui->Pixel(2, 2));

	Bytes grey = { 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 8, 0, 0x80 };
	Write("reload.tga", grey);
	PaintAndRead();
	EXPECT_EQ(0xFF0000FFu, m_vgui->Pixel(2, 2));  // not read again without a reload
	panel->ForceReload(nullptr);
	PaintAndRead();
	EXPECT_EQ(texture, panel->GetImageRecord()->m_iTextureID);
	EXPECT_EQ(0xFF808080u, m_vgui->Pixel(2, 2));
}

TEST_F(TGAImagePanelTest, SettingsNameTheImageInTheGamePath)
{
	vgui::TGAImagePanel *panel = NewImagePanel(nullptr);
	KeyValues *in = new KeyValues("TGAImage");
	in->SetString("image", "settings/one.tga");
	panel->ApplySettings(in);
	in->deleteThis();
	ASSERT_NE(nullptr, panel->GetImageRecord());
	EXPECT_STREQ("settings/one.tga", panel->GetImageRecord()->m_szFileName);
	EXPECT_STREQ("GAME", panel->GetImageRecord()->m_szPathID);

	KeyValues *out = new KeyValues("out");
	panel->GetSettings(out);
	EXPECT_STREQ("settings/one.tga", out->GetString("image"));
	out->deleteThis();

	// Painted manually: the engine's paint leaves it alone.
	panel->SetPaintManually(true);
	Frame();
	m_vgui->Paint();
	EXPECT_EQ(0, m_harness->asyncReads->PendingAsyncReads());
	panel->PaintManual();
	EXPECT_EQ(1, m_harness->asyncReads->PendingAsyncReads());
}
