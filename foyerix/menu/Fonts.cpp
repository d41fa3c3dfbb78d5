// The menu's named-font registry and its rebuilding on the engine surface.
#include "menu/Fonts.h"

#include "tier1/tier3.h"
#include "vgui/ISurface.h"

namespace Zorvan
{
namespace Fonts
{
FontList &List()
{
	static FontList *list = new FontList();
	return *list;
}

vgui::HFont FindHandle(const char *name)
{
	if (!name)
		return 0;
	auto it = List().find(name);
	return it == List().end() ? 0 : it->second.handle;
}

const char *FindByHandle(vgui::HFont handle)
{
	for (const auto &entry : List())
		if (entry.second.handle == handle)
			return entry.first.c_str();
	return nullptr;
}

bool Apply(const Container &font)
{
	if (!g_pVGuiSurface)
		return false;
	return g_pVGuiSurface->SetFontGlyphSet(font.handle, font.face.c_str(), static_cast<int>(font.tall),
	                                       static_cast<int>(font.weight), font.blur, font.scanlines, font.flags);
}

void Refresh()
{
	for (const auto &entry : List())
		Apply(entry.second);
}
}
}
