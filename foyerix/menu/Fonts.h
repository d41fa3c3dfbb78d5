// The menu's registry of named fonts: each font's description is kept so that every font can
// be rebuilt on the engine surface when the screen size changes.
#pragma once

#include <map>
#include <string>

#include "vgui/VGUI.h"

namespace Zorvan
{
namespace Fonts
{
// Font flag bits set by the description keys of surface.CreateFont.
enum : int
{
	FLAG_ITALIC = 0x001,
	FLAG_UNDERLINE = 0x002,
	FLAG_STRIKEOUT = 0x004,
	FLAG_SYMBOL = 0x008,
	FLAG_ANTIALIAS = 0x010,
	FLAG_ROTARY = 0x040,
	FLAG_SHADOW = 0x080,
	FLAG_ADDITIVE = 0x100,
	FLAG_OUTLINE = 0x200,
};

// One registered font.
struct Container
{
	std::string name;
	std::string face;
	float tall = 0.0f;  // pixels, 4 .. 128
	float weight = 0.0f;
	int flags = 0;
	int blur = 0;
	int scanlines = 0;
	vgui::HFont handle = 0;
};

// Fonts by name, in byte-wise name order; entries are never removed.
using FontList = std::map<std::string, Container>;

FontList &List();

// The handle registered under the name, or 0 (the list is not changed).
vgui::HFont FindHandle(const char *name);
// The name of the first font in name order with the handle, or null.
const char *FindByHandle(vgui::HFont handle);
// Applies the font's description to its handle on the engine surface; false when the surface
// refuses it (or there is no surface).
bool Apply(const Container &font);
// Re-applies every registered font, in name order.
void Refresh();
}
}
