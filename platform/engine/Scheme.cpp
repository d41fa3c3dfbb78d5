// The stand-in scheme manager ("VGUI_Scheme010"): scheme files read through the engine file
// system as key-value text with "Colors", "BaseSettings", "Borders" and "Fonts" blocks; borders
// paint their sides' lines through the surface, fonts are made on the surface when first asked.
#include <strings.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "VGuiInternal.h"
#include "filesystem/IFileSystem.h"
#include "tier1/KeyValues.h"
#include "tier1/interface.h"
#include "vgui/IImage.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"

namespace
{
class Scheme;

struct BorderLine
{
	Color colour;
	int startOffset, endOffset;
};

class Border final : public vgui::IBorder
{
public:
	Border(const char *name, KeyValues *data, Scheme &scheme);

	void Paint(vgui::VPANEL panel) override
	{
		int wide = 0, tall = 0;
		Panels()->GetSize(panel, wide, tall);
		Paint(0, 0, wide, tall);
	}
	void Paint(int x0, int y0, int x1, int y1) override
	{
		vgui::ISurface *surface = Surface();
		for (int side = 0; side < 4; ++side)
			for (size_t i = 0; i < m_lines[side].size(); ++i)
			{
				const BorderLine &line = m_lines[side][i];
				int k = static_cast<int>(i);
				surface->DrawSetColor(line.colour);
				switch (side)
				{
				case 0: surface->DrawFilledRect(x0 + k, y0 + line.startOffset, x0 + k + 1, y1 - line.endOffset); break;
				case 1: surface->DrawFilledRect(x0 + line.startOffset, y0 + k, x1 - line.endOffset, y0 + k + 1); break;
				case 2: surface->DrawFilledRect(x1 - k - 1, y0 + line.startOffset, x1 - k, y1 - line.endOffset); break;
				default: surface->DrawFilledRect(x0 + line.startOffset, y1 - k - 1, x1 - line.endOffset, y1 - k); break;
				}
			}
	}
	void SetInset(int left, int top, int right, int bottom) override
	{
		m_inset[0] = left;
		m_inset[1] = top;
		m_inset[2] = right;
		m_inset[3] = bottom;
	}
	void GetInset(int &left, int &top, int &right, int &bottom) override
	{
		left = m_inset[0];
		top = m_inset[1];
		right = m_inset[2];
		bottom = m_inset[3];
	}
	const char *GetName() override { return m_name.c_str(); }
	backgroundtype_e GetBackgroundType() override { return m_backgroundType; }
	bool PaintFirst() override { return m_paintFirst; }

	static vgui::IPanel *Panels()
	{
		static auto *s_panels = static_cast<vgui::IPanel *>(CreateInterface(VGUI_PANEL_INTERFACE_VERSION, nullptr));
		return s_panels;
	}
	static vgui::ISurface *Surface()
	{
		static auto *s_surface = static_cast<vgui::ISurface *>(CreateInterface(VGUI_SURFACE_INTERFACE_VERSION, nullptr));
		return s_surface;
	}

private:
	std::string m_name;
	int m_inset[4] = { 0, 0, 0, 0 };
	backgroundtype_e m_backgroundType = BACKGROUND_FILLED;
	bool m_paintFirst = false;
	std::vector<BorderLine> m_lines[4];  // left, top, right, bottom
};

bool ParseColour(const char *text, Color &out)
{
	int r = 0, g = 0, b = 0, a = 0;
	int n = text ? sscanf(text, "%d %d %d %d", &r, &g, &b, &a) : 0;
	if (n < 3)
		return false;
	out = Color(r, g, b, n == 4 ? a : 255);
	return true;
}

class Scheme final : public vgui::IScheme
{
public:
	Scheme(const std::string &tag, KeyValues *data) : m_tag(tag), m_data(data)
	{
		KeyValues *borders = m_data ? m_data->FindKey("Borders") : nullptr;
		for (KeyValues *kv = borders ? borders->GetFirstSubKey() : nullptr; kv; kv = kv->GetNextKey())
			if (kv->GetFirstSubKey())
				m_borders.push_back(std::make_unique<Border>(kv->GetName(), kv, *this));
	}
	~Scheme() override
	{
		if (m_data)
			m_data->deleteThis();
	}

	const char *GetResourceString(const char *stringName) override
	{
		KeyValues *base = m_data ? m_data->FindKey("BaseSettings") : nullptr;
		return base && stringName ? base->GetString(stringName, "") : "";
	}
	vgui::IBorder *GetBorder(const char *borderName) override
	{
		if (!borderName)
			return nullptr;
		// A border entry that is a plain value names another border.
		KeyValues *borders = m_data ? m_data->FindKey("Borders") : nullptr;
		for (int hops = 0; hops < 8 && borders; ++hops)
		{
			for (auto &border : m_borders)
				if (!strcasecmp(border->GetName(), borderName))
					return border.get();
			KeyValues *alias = borders->FindKey(borderName);
			if (!alias || alias->GetFirstSubKey())
				return nullptr;
			borderName = alias->GetString(nullptr, "");
		}
		return nullptr;
	}
	Color GetColor(const char *colorName, Color defaultColor) override
	{
		Color out;
		if (!colorName || !m_data)
			return defaultColor;
		KeyValues *colours = m_data->FindKey("Colors");
		if (colours && colours->FindKey(colorName) && ParseColour(colours->GetString(colorName), out))
			return out;
		KeyValues *base = m_data->FindKey("BaseSettings");
		const char *value = base ? base->GetString(colorName, nullptr) : nullptr;
		if (!value)
			return defaultColor;
		if (colours && colours->FindKey(value) && ParseColour(colours->GetString(value), out))
			return out;
		return ParseColour(value, out) ? out : defaultColor;
	}

	// A font entry holds one or more blocks { "name" "tall" "weight" "yres" "lo hi" ... }; the
	// first block whose screen-height range holds the screen's height (or that has none) counts.
	vgui::HFont GetFont(const char *fontName, bool proportional) override
	{
		KeyValues *fonts = m_data && fontName ? m_data->FindKey("Fonts") : nullptr;
		KeyValues *entry = fonts ? fonts->FindKey(fontName) : nullptr;
		if (!entry)
			return 0;
		std::string key = std::string(proportional ? "p:" : "n:") + entry->GetName();
		auto made = m_fonts.find(key);
		if (made != m_fonts.end())
			return made->second;
		int screenWide, screenTall;
		vguistandin::GetScreenSize(screenWide, screenTall);
		KeyValues *chosen = nullptr;
		for (KeyValues *block = entry->GetFirstSubKey(); block && !chosen; block = block->GetNextKey())
		{
			if (!block->GetFirstSubKey())
				continue;
			int lo = 0, hi = 0;
			const char *yres = block->GetString("yres", "");
			if (!*yres || (sscanf(yres, "%d %d", &lo, &hi) == 2 && screenTall >= lo && screenTall <= hi))
				chosen = block;
		}
		if (!chosen)
			return 0;
		int tall = chosen->GetInt("tall", 0);
		if (proportional)
			tall = static_cast<int>(static_cast<long long>(tall) * screenTall / 480);
		vgui::ISurface *surface = Border::Surface();
		vgui::HFont font = surface->CreateFont();
		surface->SetFontGlyphSet(font, chosen->GetString("name", ""), tall, chosen->GetInt("weight", 0),
		                           chosen->GetInt("blur", 0), chosen->GetInt("scanlines", 0),
		                        (chosen->GetInt("italic", 0) ? 0x001 : 0));
		m_fonts[key] = font;
		return font;
	}
	const char *GetFontName(const vgui::HFont &font) override
	{
		for (const auto &made : m_fonts)
			if (font && made.second == font)
				return made.first.c_str() + 2;  // past the "p:" or "n:"
		return "";
	}

	const std::string &Tag() const { return m_tag; }

private:
	std::string m_tag;
	KeyValues *m_data;
	std::map<std::string, vgui::HFont> m_fonts;
	std::vector<std::unique_ptr<Border>> m_borders;
};

Border::Border(const char *name, KeyValues *data, Scheme &scheme) : m_name(name ? name : "")
{
	sscanf(data->GetString("inset", "0 0 0 0"), "%d %d %d %d", &m_inset[0], &m_inset[1], &m_inset[2], &m_inset[3]);
	int type = data->GetInt("backgroundtype", 0);
	m_backgroundType = type == 1 ? BACKGROUND_TEXTURED : type == 2 ? BACKGROUND_ROUNDEDCORNERS : BACKGROUND_FILLED;
	m_paintFirst = data->GetInt("PaintFirst", 0) != 0;
	const char *sides[4] = { "Left", "Top", "Right", "Bottom" };
	for (int side = 0; side < 4; ++side)
	{
		KeyValues *lines = data->FindKey(sides[side]);
		for (KeyValues *line = lines ? lines->GetFirstSubKey() : nullptr; line; line = line->GetNextKey())
		{
			BorderLine l{ scheme.GetColor(line->GetString("color", ""), Color(0, 0, 0, 0)), 0, 0 };
			sscanf(line->GetString("offset", "0 0"), "%d %d", &l.startOffset, &l.endOffset);
			m_lines[side].push_back(l);
		}
	}
}

Scheme s_EmptyScheme("", nullptr);
std::vector<std::unique_ptr<Scheme>> s_Schemes;  // handle = index + 1

// An image the scheme service hands out by name: the texture file of that name, drawn at its
// position and size (the texture's size until one is set) in its colour.
class SchemeImage final : public vgui::IImage
{
public:
	explicit SchemeImage(const char *name) : m_name(name) {}
	void Paint() override
	{
		vgui::ISurface *surface = Surface();
		if (!surface)
			return;
		if (m_texture <= 0 || !surface->IsTextureIDValid(m_texture))
		{
			m_texture = surface->CreateNewTextureID(false);
			surface->DrawSetTextureFile(m_texture, m_name.c_str(), 0, false);
		}
		int wide, tall;
		GetSize(wide, tall);
		surface->DrawSetColor(m_colour);
		surface->DrawSetTexture(m_texture);
		surface->DrawTexturedRect(m_x, m_y, m_x + wide, m_y + tall);
	}
	void SetPos(int x, int y) override
	{
		m_x = x;
		m_y = y;
	}
	void GetContentSize(int &wide, int &tall) override
	{
		wide = tall = 0;
		if (vgui::ISurface *surface = Surface())
		{
			int id = surface->DrawGetTextureId(m_name.c_str());
			if (id <= 0)
			{
				// Bind the file now so the texture's size is known.
				m_texture = surface->CreateNewTextureID(false);
				surface->DrawSetTextureFile(m_texture, m_name.c_str(), 0, false);
				id = m_texture;
			}
			surface->DrawGetTextureSize(id, wide, tall);
		}
	}
	void GetSize(int &wide, int &tall) override
	{
		if (m_wide >= 0)
		{
			wide = m_wide;
			tall = m_tall;
			return;
		}
		GetContentSize(wide, tall);
	}
	void SetSize(int wide, int tall) override
	{
		m_wide = wide;
		m_tall = tall;
	}
	void SetColor(Color col) override { m_colour = col; }
	bool Evict() override { return false; }
	int GetNumFrames() override { return 1; }
	void SetFrame(int) override {}
	vgui::HTexture GetID() override { return static_cast<vgui::HTexture>(m_texture > 0 ? m_texture : 0); }
	void SetRotation(int) override {}

private:
	static vgui::ISurface *Surface()
	{
		return static_cast<vgui::ISurface *>(CreateInterface(VGUI_SURFACE_INTERFACE_VERSION, nullptr));
	}

	std::string m_name;
	int m_texture = 0;
	int m_x = 0, m_y = 0;
	int m_wide = -1, m_tall = -1;
	Color m_colour = Color(255, 255, 255, 255);
};

std::vector<std::unique_ptr<SchemeImage>> s_Images;
std::vector<std::string> s_ImageNames;

class SchemeManager final : public vgui::ISchemeManager
{
public:
	vgui::IImage *GetImage(const char *imageName, bool) override
	{
		if (!imageName)
			return nullptr;
		for (size_t i = 0; i < s_ImageNames.size(); ++i)
			if (!strcasecmp(s_ImageNames[i].c_str(), imageName))
				return s_Images[i].get();
		s_ImageNames.push_back(imageName);
		s_Images.push_back(std::make_unique<SchemeImage>(imageName));
		return s_Images.back().get();
	}

	vgui::HScheme LoadSchemeFromFile(const char *fileName, const char *tag) override
	{
		if (!fileName || !tag)
			return 0;
		if (vgui::HScheme existing = GetScheme(tag))
			return existing;
		auto *fs = static_cast<IFileSystem *>(CreateInterface(FILESYSTEM_INTERFACE_VERSION, nullptr));
		KeyValues *data = new KeyValues("Scheme");
		if (!fs || !data->LoadFromFile(fs, fileName, nullptr))
		{
			data->deleteThis();
			return 0;
		}
		s_Schemes.push_back(std::make_unique<Scheme>(tag, data));
		return s_Schemes.size();
	}
	vgui::HScheme GetDefaultScheme() override { return s_Schemes.empty() ? 0 : 1; }
	vgui::HScheme GetScheme(const char *tag) override
	{
		for (size_t i = 0; tag && i < s_Schemes.size(); ++i)
			if (!strcasecmp(s_Schemes[i]->Tag().c_str(), tag))
				return i + 1;
		return 0;
	}
	vgui::IScheme *GetIScheme(vgui::HScheme scheme) override
	{
		if (scheme >= 1 && scheme <= s_Schemes.size())
			return s_Schemes[scheme - 1].get();
		return s_Schemes.empty() ? &s_EmptyScheme : s_Schemes[0].get();
	}
	int GetProportionalScaledValue(int normalizedValue) override
	{
		int wide, tall;
		vguistandin::GetScreenSize(wide, tall);
		return static_cast<int>(static_cast<long long>(normalizedValue) * tall / 480);
	}
	int GetProportionalNormalizedValue(int scaledValue) override
	{
		int wide, tall;
		vguistandin::GetScreenSize(wide, tall);
		return static_cast<int>(static_cast<long long>(scaledValue) * 480 / (tall > 0 ? tall : 480));
	}
	int GetProportionalScaledValueEx(vgui::HScheme, int normalizedValue) override
	{
		return GetProportionalScaledValue(normalizedValue);
	}
	int GetProportionalNormalizedValueEx(vgui::HScheme, int scaledValue) override
	{
		return GetProportionalNormalizedValue(scaledValue);
	}
};

SchemeManager s_SchemeManager;

void *CreateSchemeManager() { return static_cast<vgui::ISchemeManager *>(&s_SchemeManager); }

InterfaceReg s_SchemeManagerReg(&CreateSchemeManager, VGUI_SCHEME_INTERFACE_VERSION);
}

namespace vguistandin
{
void ResetSchemes()
{
	s_Schemes.clear();
	s_Images.clear();
	s_ImageNames.clear();
}
}
