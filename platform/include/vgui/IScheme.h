// Schemes ("VGUI_Scheme010"): named colours, settings and borders loaded from scheme files,
// and the proportional scaling of the screen.
#pragma once

#include "tier1/Color.h"
#include "vgui/IBorder.h"
#include "vgui/VGUI.h"

#define VGUI_SCHEME_INTERFACE_VERSION "VGUI_Scheme010"

namespace vgui
{
class IScheme
{
public:
	// A value of the scheme's "BaseSettings" ("" when absent).
	virtual const char *GetResourceString(const char *stringName) = 0;
	// The border of that name, or null.
	virtual IBorder *GetBorder(const char *borderName) = 0;
	// A colour by name: a "Colors" entry, or a "BaseSettings" entry naming one or giving
	// "r g b a"; the default when neither exists.
	virtual Color GetColor(const char *colorName, Color defaultColor) = 0;
	// The font of a "Fonts" entry, its height scaled to the screen when proportional; 0 when
	// the scheme has no such font.
	virtual HFont GetFont(const char *fontName, bool proportional = false) = 0;
	// The name of the "Fonts" entry a font handle of this scheme was made for; "" for others.
	virtual const char *GetFontName(const HFont &font) = 0;

protected:
	virtual ~IScheme() = default;
};

class IImage;

class ISchemeManager
{
public:
	// Loads a scheme file under the tag; the first scheme loaded is the default.
	// 0 when the file cannot be read or is not a scheme.
	virtual HScheme LoadSchemeFromFile(const char *fileName, const char *tag) = 0;
	virtual HScheme GetDefaultScheme() = 0;
	// The scheme of a tag (letter case ignored), 0 when unknown.
	virtual HScheme GetScheme(const char *tag) = 0;
	// The scheme object of a handle; the default scheme's for an unknown handle.
	virtual IScheme *GetIScheme(HScheme scheme) = 0;
	// Proportional scaling from the 640x480 base to the screen height, and back.
	virtual int GetProportionalScaledValue(int normalizedValue) = 0;
	virtual int GetProportionalNormalizedValue(int scaledValue) = 0;
	// The same for panels of a given scheme.
	virtual int GetProportionalScaledValueEx(HScheme scheme, int normalizedValue) = 0;
	virtual int GetProportionalNormalizedValueEx(HScheme scheme, int scaledValue) = 0;

	// The image of a name, owned by the service (the same object for the same name).
	virtual IImage *GetImage(const char *imageName, bool hardwareFiltered) = 0;

protected:
	virtual ~ISchemeManager() = default;
};
}
