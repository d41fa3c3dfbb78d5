// Fonts of the stand-in surface: faces found among the system's font files and rendered by
// FreeType, and the built-in fixed-metric test font whose glyphs are solid boxes.
#pragma once

#include <vector>

#include "vgui/VGUI.h"

namespace surfacefonts
{
// A rendered glyph: coverage bytes of its bitmap, placed relative to the pen position on the
// baseline's line (left: from the pen; top: rows above the baseline).
struct Glyph
{
	float advance = 0.0f;
	int wide = 0, tall = 0, left = 0, top = 0;
	std::vector<unsigned char> coverage;
};

vgui::HFont Create();
// Gives the font a face: the built-in test font by its name, else the system face of that
// family (a bold face for weights from 600, an italic one for the italic flag), falling back
// to DejaVu Sans when the family is not installed. False when no face can be had.
bool SetGlyphSet(vgui::HFont font, const char *familyName, int tall, int weight, int flags);
bool IsFixed(vgui::HFont font);
int Tall(vgui::HFont font);
int Ascent(vgui::HFont font);
float Advance(vgui::HFont font, wchar_t ch);
// The pen adjustment between two neighbours (0 without a face, for the test font or at an end).
float Kerning(vgui::HFont font, wchar_t left, wchar_t right);
// The glyph of a face font, or null (test font, no face, or a glyph the face lacks).
const Glyph *Render(vgui::HFont font, wchar_t ch);
// Forgets every font; their handles stop working.
void Reset();
}
