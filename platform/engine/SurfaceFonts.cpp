// Fonts of the stand-in surface: the system's font files are indexed by family once, faces are
// opened through FreeType when first asked for, and glyphs are rendered and kept per font.
#include "SurfaceFonts.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>

namespace
{
const char kFixedName[] = "ZvFixed";  // VGUI_STANDIN_FIXED_FONT
const int kItalicFlag = 0x001;
const int kMaxTall = 512;

struct FaceFile
{
	std::string path;
	long index;
	std::string family;
	bool bold, italic;
};

struct Font
{
	bool fixed = false;
	int tall = 0, ascent = 0;
	FT_Face face = nullptr;
	std::map<wchar_t, std::unique_ptr<surfacefonts::Glyph>> glyphs;
	std::map<wchar_t, bool> missing;

	~Font() { Clear(); }
	void Clear()
	{
		if (face)
			FT_Done_Face(face);
		face = nullptr;
		fixed = false;
		tall = ascent = 0;
		glyphs.clear();
		missing.clear();
	}
};

FT_Library s_Library = nullptr;
bool s_Scanned = false;
std::vector<FaceFile> s_FaceFiles;
std::vector<std::unique_ptr<Font>> s_Fonts;  // handle = index + 1

FT_Library Library()
{
	if (!s_Library && FT_Init_FreeType(&s_Library) != 0)
		s_Library = nullptr;
	return s_Library;
}

bool HasFontExtension(const std::string &name)
{
	size_t dot = name.rfind('.');
	if (dot == std::string::npos)
		return false;
	std::string ext = name.substr(dot + 1);
	return !strcasecmp(ext.c_str(), "ttf") || !strcasecmp(ext.c_str(), "otf") || !strcasecmp(ext.c_str(), "ttc");
}

void ScanFolder(const std::string &folder, int depth)
{
	if (depth > 8)
		return;
	DIR *dir = opendir(folder.c_str());
	if (!dir)
		return;
	while (dirent *entry = readdir(dir))
	{
		std::string name = entry->d_name;
		if (name == "." || name == "..")
			continue;
		std::string path = folder + "/" + name;
		struct stat st;
		if (stat(path.c_str(), &st) != 0)
			continue;
		if (S_ISDIR(st.st_mode))
			ScanFolder(path, depth + 1);
		else if (S_ISREG(st.st_mode) && HasFontExtension(name))
		{
			FT_Face face = nullptr;
			if (FT_New_Face(Library(), path.c_str(), 0, &face) != 0)
				continue;
			long faces = face->num_faces;
			for (long i = 0; i < faces && i < 64; ++i)
			{
				if (i > 0 && FT_New_Face(Library(), path.c_str(), i, &face) != 0)
					break;
				if (face->family_name)
					s_FaceFiles.push_back({ path, i, face->family_name, (face->style_flags & FT_STYLE_FLAG_BOLD) != 0,
					                        (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0 });
				FT_Done_Face(face);
				face = nullptr;
			}
		}
	}
	closedir(dir);
}

// The best face of a family: style matching first, then the plainest.
const FaceFile *FindFace(const char *family, bool bold, bool italic)
{
	if (!s_Scanned)
	{
		s_Scanned = true;
		if (Library())
		{
			ScanFolder("/usr/share/fonts", 0);
			ScanFolder("/usr/local/share/fonts", 0);
		}
		// The same choice on every machine with the same files.
		std::sort(s_FaceFiles.begin(), s_FaceFiles.end(), [](const FaceFile &a, const FaceFile &b) {
			return a.path != b.path ? a.path < b.path : a.index < b.index;
		});
	}
	const FaceFile *best = nullptr;
	int bestScore = -1;
	for (const FaceFile &f : s_FaceFiles)
	{
		if (strcasecmp(f.family.c_str(), family))
			continue;
		int score = (f.bold == bold ? 2 : 0) + (f.italic == italic ? 4 : 0);
		if (score > bestScore)
		{
			best = &f;
			bestScore = score;
		}
	}
	return best;
}

Font *Get(vgui::HFont font)
{
	return font >= 1 && font <= s_Fonts.size() ? s_Fonts[font - 1].get() : nullptr;
}

FT_UInt GlyphIndex(Font &f, wchar_t ch) { return FT_Get_Char_Index(f.face, static_cast<FT_ULong>(ch)); }
}

namespace surfacefonts
{
vgui::HFont Create()
{
	s_Fonts.push_back(std::make_unique<Font>());
	return s_Fonts.size();
}

bool SetGlyphSet(vgui::HFont handle, const char *familyName, int tall, int weight, int flags)
{
	Font *font = Get(handle);
	if (!font || !familyName || tall <= 0 || tall > kMaxTall)
		return false;
	if (!strcasecmp(familyName, kFixedName))
	{
		font->Clear();
		font->fixed = true;
		font->tall = tall;
		font->ascent = tall;
		return true;
	}
	bool bold = weight >= 600, italic = (flags & kItalicFlag) != 0;
	const FaceFile *file = FindFace(familyName, bold, italic);
	if (!file)
		file = FindFace("DejaVu Sans", bold, italic);
	FT_Face face = nullptr;
	if (!file || FT_New_Face(Library(), file->path.c_str(), file->index, &face) != 0)
		return false;
	if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(tall)) != 0)
	{
		FT_Done_Face(face);
		return false;
	}
	font->Clear();
	font->face = face;
	font->ascent = static_cast<int>(std::ceil(face->size->metrics.ascender / 64.0));
	int descent = static_cast<int>(std::ceil(-face->size->metrics.descender / 64.0));
	font->tall = std::max(1, font->ascent + descent);
	return true;
}

bool IsFixed(vgui::HFont handle)
{
	Font *font = Get(handle);
	return font && font->fixed;
}

int Tall(vgui::HFont handle)
{
	Font *font = Get(handle);
	return font ? font->tall : 0;
}

int Ascent(vgui::HFont handle)
{
	Font *font = Get(handle);
	return font ? font->ascent : 0;
}

float Advance(vgui::HFont handle, wchar_t ch)
{
	Font *font = Get(handle);
	if (!font)
		return 0.0f;
	if (font->fixed)
		return static_cast<float>(std::max(1, font->tall / 2));
	const Glyph *glyph = Render(handle, ch);
	return glyph ? glyph->advance : 0.0f;
}

float Kerning(vgui::HFont handle, wchar_t left, wchar_t right)
{
	Font *font = Get(handle);
	if (!font || !font->face || !left || !right || !FT_HAS_KERNING(font->face))
		return 0.0f;
	FT_Vector delta{};
	if (FT_Get_Kerning(font->face, GlyphIndex(*font, left), GlyphIndex(*font, right), FT_KERNING_DEFAULT, &delta) != 0)
		return 0.0f;
	return static_cast<float>(delta.x / 64.0);
}

const Glyph *Render(vgui::HFont handle, wchar_t ch)
{
	Font *font = Get(handle);
	if (!font || !font->face)
		return nullptr;
	auto it = font->glyphs.find(ch);
	if (it != font->glyphs.end())
		return it->second.get();
	if (font->missing.count(ch))
		return nullptr;
	FT_UInt index = GlyphIndex(*font, ch);
	if (FT_Load_Glyph(font->face, index, FT_LOAD_RENDER) != 0 ||
	    font->face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
	{
		font->missing[ch] = true;
		return nullptr;
	}
	FT_GlyphSlot slot = font->face->glyph;
	auto glyph = std::make_unique<Glyph>();
	glyph->advance = static_cast<float>(slot->advance.x / 64.0);
	glyph->wide = static_cast<int>(slot->bitmap.width);
	glyph->tall = static_cast<int>(slot->bitmap.rows);
	glyph->left = slot->bitmap_left;
	glyph->top = slot->bitmap_top;
	glyph->coverage.resize(static_cast<size_t>(glyph->wide) * glyph->tall);
	for (int y = 0; y < glyph->tall; ++y)
	{
		const unsigned char *row = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
		std::copy(row, row + glyph->wide, glyph->coverage.begin() + static_cast<ptrdiff_t>(y) * glyph->wide);
	}
	const Glyph *result = glyph.get();
	font->glyphs[ch] = std::move(glyph);
	return result;
}

void Reset() { s_Fonts.clear(); }
}
