// Panel settings: animation variables and their type converters, layout settings applied
// from and written to KeyValues, scheme application and overridable colours.
#include <strings.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/utldict.h"
#include "tier0/dbg.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"
#include "vgui_controls/Tooltip.h"

namespace vgui
{
namespace
{
// "char" and "string" animation variables are character buffers of this size.
const int kAnimationStringSize = static_cast<int>(sizeof(PanelAnimationString));

CUtlDict<IPanelAnimationPropertyConverter *> &Converters()
{
	static CUtlDict<IPanelAnimationPropertyConverter *> s_converters;
	return s_converters;
}

// Sums and differences of layout numbers, held inside the int range: a layout file may hold
// any number, and the arithmetic must not overflow.
int Sum(long long a, long long b)
{
	long long v = a + b;
	return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
}

void *VarOf(Panel *panel, const PanelAnimationMapEntry *entry) { return entry->m_pfnLookup(panel); }

// The scheme object of the panel's scheme, or null when the panel has none.
IScheme *SchemeOf(Panel *panel)
{
	HScheme h = panel->GetScheme();
	return h && scheme() ? scheme()->GetIScheme(h) : nullptr;
}

int Scaled(Panel *panel, int value) { return scheme()->GetProportionalScaledValueEx(panel->GetScheme(), value); }
int Normalized(Panel *panel, int value) { return scheme()->GetProportionalNormalizedValueEx(panel->GetScheme(), value); }

// A float as an int, truncated toward zero and held inside the int range.
int TruncToInt(double value)
{
	if (std::isnan(value))
		return 0;
	if (value >= 2147483647.0)
		return 2147483647;
	if (value <= -2147483648.0)
		return -2147483647 - 1;
	return static_cast<int>(value);
}

class FloatConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		kv->SetFloat(entry->name(), *static_cast<float *>(VarOf(panel, entry)));
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<float *>(VarOf(panel, entry)) = kv->GetFloat(entry->name());
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<float *>(VarOf(panel, entry)) = static_cast<float>(atof(entry->defaultvalue()));
	}
};

class IntConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		kv->SetInt(entry->name(), *static_cast<int *>(VarOf(panel, entry)));
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<int *>(VarOf(panel, entry)) = kv->GetInt(entry->name());
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<int *>(VarOf(panel, entry)) = atoi(entry->defaultvalue());
	}
};

class BoolConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		kv->SetInt(entry->name(), *static_cast<bool *>(VarOf(panel, entry)) ? 1 : 0);
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<bool *>(VarOf(panel, entry)) = kv->GetInt(entry->name()) != 0;
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		const char *text = entry->defaultvalue();
		*static_cast<bool *>(VarOf(panel, entry)) = !strcasecmp(text, "true") || atoi(text) != 0;
	}
};

class ColorConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			kv->SetColor(entry->name(), *static_cast<Color *>(VarOf(panel, entry)));
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		IScheme *s = SchemeOf(panel);
		if (!s)
			return;
		const char *text = kv->GetString(entry->name());
		Color *color = static_cast<Color *>(VarOf(panel, entry));
		*color = *text ? s->GetColor(text, Color()) : kv->GetColor(entry->name());
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		if (IScheme *s = SchemeOf(panel))
			*static_cast<Color *>(VarOf(panel, entry)) = s->GetColor(entry->defaultvalue(), Color());
	}
};

class StringConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		char *buffer = static_cast<char *>(VarOf(panel, entry));
		char copy[kAnimationStringSize];
		snprintf(copy, sizeof(copy), "%s", buffer);
		kv->SetString(entry->name(), copy);
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		Copy(static_cast<char *>(VarOf(panel, entry)), kv->GetString(entry->name()));
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		Copy(static_cast<char *>(VarOf(panel, entry)), entry->defaultvalue());
	}

private:
	// Cut to the buffer's size: a longer text must not run past the variable.
	static void Copy(char *buffer, const char *text) { snprintf(buffer, kAnimationStringSize, "%s", text ? text : ""); }
};

class FontConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (IScheme *s = SchemeOf(panel))
			kv->SetString(entry->name(), s->GetFontName(*static_cast<HFont *>(VarOf(panel, entry))));
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (IScheme *s = SchemeOf(panel))
			*static_cast<HFont *>(VarOf(panel, entry)) = s->GetFont(kv->GetString(entry->name()), panel->IsProportional());
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		if (IScheme *s = SchemeOf(panel))
			*static_cast<HFont *>(VarOf(panel, entry)) = s->GetFont(entry->defaultvalue(), panel->IsProportional());
	}
};

class ProportionalIntConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			kv->SetInt(entry->name(), Normalized(panel, *static_cast<int *>(VarOf(panel, entry))));
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			*static_cast<int *>(VarOf(panel, entry)) = Scaled(panel, kv->GetInt(entry->name()));
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			*static_cast<int *>(VarOf(panel, entry)) = Scaled(panel, atoi(entry->defaultvalue()));
	}
};

class ProportionalFloatConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			kv->SetFloat(entry->name(),
			             static_cast<float>(Normalized(panel, TruncToInt(*static_cast<float *>(VarOf(panel, entry))))));
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			*static_cast<float *>(VarOf(panel, entry)) =
			    static_cast<float>(Scaled(panel, TruncToInt(kv->GetFloat(entry->name()))));
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			*static_cast<float *>(VarOf(panel, entry)) =
			    static_cast<float>(Scaled(panel, TruncToInt(atof(entry->defaultvalue()))));
	}
};

// Positions measured from the screen's right or bottom edge ("r"), its centre ("c"), or its
// left or top edge; written back as nothing.
class ProportionalPosConverter : public IPanelAnimationPropertyConverter
{
public:
	explicit ProportionalPosConverter(bool x) : m_bX(x) {}
	void GetData(Panel *, KeyValues *, const PanelAnimationMapEntry *) override {}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			*static_cast<int *>(VarOf(panel, entry)) = ScreenValue(panel, kv->GetString(entry->name()));
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		if (SchemeOf(panel))
			*static_cast<int *>(VarOf(panel, entry)) = ScreenValue(panel, entry->defaultvalue());
	}

private:
	int ScreenValue(Panel *panel, const char *text)
	{
		bool fromEnd = false, fromCentre = false;
		if (*text == 'r' || *text == 'R')
			fromEnd = true, ++text;
		else if (*text == 'c' || *text == 'C')
			fromCentre = true, ++text;
		int value = Scaled(panel, atoi(text));
		int wide = 0, tall = 0;
		surface()->GetScreenSize(wide, tall);
		int size = m_bX ? wide : tall;
		if (fromEnd)
			return Sum(size, -static_cast<long long>(value));
		if (fromCentre)
			return Sum(size / 2, value);
		return value;
	}
	bool m_bX;
};

class TextureIdConverter : public IPanelAnimationPropertyConverter
{
public:
	void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		int id = *static_cast<int *>(VarOf(panel, entry));
		char name[512] = "";
		if (id == -1 || !surface()->DrawGetTextureFile(id, name, sizeof(name)))
			name[0] = '\0';
		kv->SetString(entry->name(), name);
	}
	void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<int *>(VarOf(panel, entry)) = TextureFor(kv->GetString(entry->name()));
	}
	void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) override
	{
		*static_cast<int *>(VarOf(panel, entry)) = TextureFor(entry->defaultvalue());
	}

private:
	static int TextureFor(const char *file)
	{
		if (!file || !*file)
			return -1;
		int id = surface()->DrawGetTextureId(file);
		if (id == -1)
			id = surface()->CreateNewTextureID();
		surface()->DrawSetTextureFile(id, file, 0, true);
		return id;
	}
};

FloatConverter s_FloatConverter;
IntConverter s_IntConverter;
BoolConverter s_BoolConverter;
ColorConverter s_ColorConverter;
StringConverter s_StringConverter;
FontConverter s_FontConverter;
ProportionalIntConverter s_ProportionalIntConverter;
ProportionalFloatConverter s_ProportionalFloatConverter;
ProportionalPosConverter s_ProportionalXPosConverter(true);
ProportionalPosConverter s_ProportionalYPosConverter(false);
TextureIdConverter s_TextureIdConverter;

void *GetVar_m_nPaintBackgroundType(Panel *panel) { return &panel->m_nPaintBackgroundType; }
void *GetVar_m_nBgTextureId1(Panel *panel) { return &panel->m_nBgTextureId1; }
void *GetVar_m_nBgTextureId2(Panel *panel) { return &panel->m_nBgTextureId2; }
void *GetVar_m_nBgTextureId3(Panel *panel) { return &panel->m_nBgTextureId3; }
void *GetVar_m_nBgTextureId4(Panel *panel) { return &panel->m_nBgTextureId4; }
void *GetVar_m_nHorizontalGradient(Panel *panel) { return &panel->m_nHorizontalGradient; }
void *GetVar_m_nVerticalGradient(Panel *panel) { return &panel->m_nVerticalGradient; }
void *GetVar_m_nHorizontalGradientR(Panel *panel) { return &panel->m_nHorizontalGradientR; }
void *GetVar_m_nVerticalGradientR(Panel *panel) { return &panel->m_nVerticalGradientR; }

const char *const kNavKeys[7] = { "navUp", "navDown", "navLeft", "navRight", "navToRelay", "navActivate", "navBack" };
}

IPanelAnimationPropertyConverter *FindPanelAnimationPropertyConverter(const char *typeName)
{
	if (!typeName)
		return nullptr;
	int at = Converters().Find(typeName);
	return at == Converters().InvalidIndex() ? nullptr : Converters()[at];
}

void Panel::AddPropertyConverter(const char *typeName, IPanelAnimationPropertyConverter *converter)
{
	if (Converters().Find(typeName) != Converters().InvalidIndex())
	{
		Msg("Already have converter for type %s, ignoring...\n", typeName);
		return;
	}
	Converters().Insert(typeName, converter);
}

void Panel::InitPropertyConverters()
{
	static bool s_initialized = false;
	if (s_initialized)
		return;
	s_initialized = true;
	AddPropertyConverter("float", &s_FloatConverter);
	AddPropertyConverter("int", &s_IntConverter);
	AddPropertyConverter("Color", &s_ColorConverter);
	AddPropertyConverter("bool", &s_BoolConverter);
	AddPropertyConverter("char", &s_StringConverter);
	AddPropertyConverter("string", &s_StringConverter);
	AddPropertyConverter("HFont", &s_FontConverter);
	AddPropertyConverter("vgui::HFont", &s_FontConverter);
	AddPropertyConverter("proportional_float", &s_ProportionalFloatConverter);
	AddPropertyConverter("proportional_int", &s_ProportionalIntConverter);
	AddPropertyConverter("proportional_xpos", &s_ProportionalXPosConverter);
	AddPropertyConverter("proportional_ypos", &s_ProportionalYPosConverter);
	AddPropertyConverter("textureid", &s_TextureIdConverter);
}

void Panel::AddToAnimationMap(const char *scriptName, const char *type, const char *var, const char *defaultValue,
                              bool array, PANELLOOKUPFUNC func)
{
	vgui::AddToAnimationMap(GetPanelClassName(), scriptName, type, var, defaultValue, array, func);
}

void Panel::RegisterPanelAnimationVars()
{
	static bool s_registered = false;
	if (s_registered)
		return;
	s_registered = true;
	PanelAnimationMap *map = FindOrAddPanelAnimationMap(GetPanelClassName());
	map->pfnClassName = &Panel::GetPanelClassName;
	map->baseMap = nullptr;
	AddToAnimationMap("PaintBackgroundType", "int", "m_nPaintBackgroundType", "0", false, GetVar_m_nPaintBackgroundType);
	AddToAnimationMap("Texture1", "textureid", "m_nBgTextureId1", "vgui/hud/800corner1", false, GetVar_m_nBgTextureId1);
	AddToAnimationMap("Texture2", "textureid", "m_nBgTextureId2", "vgui/hud/800corner2", false, GetVar_m_nBgTextureId2);
	AddToAnimationMap("Texture3", "textureid", "m_nBgTextureId3", "vgui/hud/800corner3", false, GetVar_m_nBgTextureId3);
	AddToAnimationMap("Texture4", "textureid", "m_nBgTextureId4", "vgui/hud/800corner4", false, GetVar_m_nBgTextureId4);
	AddToAnimationMap("HorizGradient", "textureid", "m_nHorizontalGradient", "vgui/gradh", false,
	                  GetVar_m_nHorizontalGradient);
	AddToAnimationMap("VerticalGradient", "textureid", "m_nVerticalGradient", "vgui/gradv", false,
	                  GetVar_m_nVerticalGradient);
	AddToAnimationMap("HorizGradientR", "textureid", "m_nHorizontalGradientR", "vgui/gradhr", false,
	                  GetVar_m_nHorizontalGradientR);
	AddToAnimationMap("VerticalGradientR", "textureid", "m_nVerticalGradientR", "vgui/gradvr", false,
	                  GetVar_m_nVerticalGradientR);
}

PanelAnimationMap *Panel::GetAnimMap()
{
	static PanelAnimationMap *s_map = FindOrAddPanelAnimationMap(GetPanelClassName());
	return s_map;
}

void Panel::InternalInitDefaultValues(PanelAnimationMap *map)
{
	SetFlag(NEEDS_DEFAULT_SETTINGS_APPLIED, false);
	for (; map; map = map->baseMap)
		for (int i = 0; i < map->entries.Count(); ++i)
		{
			const PanelAnimationMapEntry *entry = &map->entries[i];
			if (!entry->type())
				continue;
			if (IPanelAnimationPropertyConverter *converter = FindPanelAnimationPropertyConverter(entry->type()))
				converter->InitFromDefault(this, entry);
		}
}

void Panel::InternalApplySettings(PanelAnimationMap *map, KeyValues *inResourceData)
{
	for (KeyValues *kv = inResourceData->GetFirstSubKey(); kv; kv = kv->GetNextKey())
	{
		const PanelAnimationMapEntry *entry = FindPanelAnimationEntry(kv->GetName(), map);
		if (!entry || !entry->type())
			continue;
		if (IPanelAnimationPropertyConverter *converter = FindPanelAnimationPropertyConverter(entry->type()))
			converter->SetData(this, inResourceData, entry);
	}
}

void Panel::ApplySettings(KeyValues *inResourceData)
{
	if (!inResourceData)
		return;
	if (IsFlag(NEEDS_DEFAULT_SETTINGS_APPLIED))
		InternalInitDefaultValues(GetAnimMap());
	InternalApplySettings(GetAnimMap(), inResourceData);

	_buildModeFlags &= ~(BUILDMODE_SAVE_XPOS_RIGHTALIGNED | BUILDMODE_SAVE_XPOS_CENTERALIGNED |
	                     BUILDMODE_SAVE_YPOS_BOTTOMALIGNED | BUILDMODE_SAVE_YPOS_CENTERALIGNED |
	                     BUILDMODE_SAVE_WIDE_FULL | BUILDMODE_SAVE_TALL_FULL | BUILDMODE_SAVE_PROPORTIONAL_TO_PARENT);

	// The alignment area is the screen (or the override); the full size is the real screen.
	int alignWide = 0, alignTall = 0;
	surface()->GetScreenSize(alignWide, alignTall);
	int fullWide = alignWide, fullTall = alignTall;
	if (surface()->IsScreenSizeOverrideActive())
	{
		surface()->ForceScreenSizeOverride(false, 0, 0);
		surface()->GetScreenSize(fullWide, fullTall);
		surface()->ForceScreenSizeOverride(true, alignWide, alignTall);
	}
	int parentX = 0, parentY = 0;

	if (inResourceData->GetInt("proportionalToParent", 0) == 1)
	{
		_buildModeFlags |= BUILDMODE_SAVE_PROPORTIONAL_TO_PARENT;
		if (VPANEL parent = GetVParent())
		{
			ipanel()->GetPos(parent, parentX, parentY);
			ipanel()->GetSize(parent, alignWide, alignTall);
		}
	}

	int x, y;
	GetPos(x, y);
	if (KeyValues *xpos = inResourceData->FindKey("xpos"))
	{
		const char *text = xpos->GetString();
		if (*text == 'r' || *text == 'R')
			_buildModeFlags |= BUILDMODE_SAVE_XPOS_RIGHTALIGNED, ++text;
		else if (*text == 'c' || *text == 'C')
			_buildModeFlags |= BUILDMODE_SAVE_XPOS_CENTERALIGNED, ++text;
		x = atoi(text);
		if (IsProportional())
			x = scheme()->GetProportionalScaledValueEx(GetScheme(), x);
		if (_buildModeFlags & BUILDMODE_SAVE_XPOS_RIGHTALIGNED)
			x = Sum(alignWide, -static_cast<long long>(x));
		else if (_buildModeFlags & BUILDMODE_SAVE_XPOS_CENTERALIGNED)
			x = Sum(x, alignWide / 2);
	}
	if (KeyValues *ypos = inResourceData->FindKey("ypos"))
	{
		const char *text = ypos->GetString();
		if (*text == 'r' || *text == 'R')
			_buildModeFlags |= BUILDMODE_SAVE_YPOS_BOTTOMALIGNED, ++text;
		else if (*text == 'c' || *text == 'C')
			_buildModeFlags |= BUILDMODE_SAVE_YPOS_CENTERALIGNED, ++text;
		y = atoi(text);
		if (IsProportional())
			y = scheme()->GetProportionalScaledValueEx(GetScheme(), y);
		if (_buildModeFlags & BUILDMODE_SAVE_YPOS_BOTTOMALIGNED)
			y = Sum(alignTall, -static_cast<long long>(y));
		else if (_buildModeFlags & BUILDMODE_SAVE_YPOS_CENTERALIGNED)
			y = Sum(y, alignTall / 2);
	}

	// Title-safe inset, tried out through "panel_test_title_safe".
	bool titleSafe = false;
	int insetX = 0, insetY = 0, viewX = 0, viewY = 0;
	bool splitX = false, splitY = false;
	if (panel_test_title_safe.GetInt() != 0 && inResourceData->FindKey("usetitlesafe"))
	{
		int useTitleSafe = inResourceData->GetInt("usetitlesafe");
		if (useTitleSafe > 0)
		{
			titleSafe = true;
			double fraction = useTitleSafe == 1 ? 0.05 : 0.075;
			insetX = static_cast<int>(fullWide * fraction);
			insetY = static_cast<int>(fullTall * fraction);
			int viewWide, viewTall;
			surface()->GetFullscreenViewport(viewX, viewY, viewWide, viewTall);
			splitX = alignWide != fullWide;
			splitY = alignTall != fullTall;

			if (_buildModeFlags & BUILDMODE_SAVE_XPOS_RIGHTALIGNED)
			{
				if (!(splitX && viewX == parentX))
					x = Sum(x, -static_cast<long long>(insetX));
			}
			else if (!(_buildModeFlags & BUILDMODE_SAVE_XPOS_CENTERALIGNED))
			{
				if (!(splitX && viewX != parentX))
					x = Sum(x, insetX);
			}
			if (_buildModeFlags & BUILDMODE_SAVE_YPOS_BOTTOMALIGNED)
			{
				if (!(splitY && viewY == parentY))
					y = Sum(y, -static_cast<long long>(insetY));
			}
			else if (!(_buildModeFlags & BUILDMODE_SAVE_YPOS_CENTERALIGNED))
			{
				if (!(splitY && viewY != parentY))
					y = Sum(y, insetY);
			}
		}
	}

	for (int i = 0; i < 7; ++i)
	{
		const char *target = inResourceData->GetString(kNavKeys[i], "");
		if (*target && GetVParent())
		{
			m_NavTargets[i].m_Name = target;
			m_NavTargets[i].m_Panel = nullptr;
		}
	}

	SetPos(x, y);

	if (inResourceData->FindKey("zpos"))
		SetZPos(inResourceData->GetInt("zpos"));

	int wide, tall;
	GetSize(wide, tall);
	if (KeyValues *wideKey = inResourceData->FindKey("wide"))
	{
		const char *text = wideKey->GetString();
		if (*text == 'f' || *text == 'F')
			_buildModeFlags |= BUILDMODE_SAVE_WIDE_FULL, ++text;
		wide = atoi(text);
		if (IsProportional())
			wide = scheme()->GetProportionalScaledValueEx(GetScheme(), wide);
		if (_buildModeFlags & BUILDMODE_SAVE_WIDE_FULL)
		{
			wide = Sum(alignWide, -static_cast<long long>(wide));
			if (titleSafe)
			{
				if (!(splitX && viewX != parentX))
					wide = Sum(wide, -static_cast<long long>(insetX));
				if (!(splitX && viewX == parentX))
					wide = Sum(wide, -static_cast<long long>(insetX));
			}
		}
	}
	if (KeyValues *tallKey = inResourceData->FindKey("tall"))
	{
		const char *text = tallKey->GetString();
		if (*text == 'f' || *text == 'F')
			_buildModeFlags |= BUILDMODE_SAVE_TALL_FULL, ++text;
		tall = atoi(text);
		if (IsProportional())
			tall = scheme()->GetProportionalScaledValueEx(GetScheme(), tall);
		if (_buildModeFlags & BUILDMODE_SAVE_TALL_FULL)
		{
			tall = Sum(alignTall, -static_cast<long long>(tall));
			if (titleSafe)
			{
				if (!(splitY && viewY != parentY))
					tall = Sum(tall, -static_cast<long long>(insetY));
				if (!(splitY && viewY == parentY))
					tall = Sum(tall, -static_cast<long long>(insetY));
			}
		}
	}
	SetSize(wide, tall);

	ApplyAutoResizeSettings(inResourceData);

	if (inResourceData->GetInt("IgnoreScheme", 0))
		PerformApplySchemeSettings();

	int visible = inResourceData->GetInt("visible", 1);
	if (visible == 0)
		SetVisible(false);
	else if (visible == 1)
		SetVisible(true);

	SetEnabled(inResourceData->GetInt("enabled", 1) != 0);

	if (inResourceData->GetInt("mouseinputenabled", 1) == 0)
		SetMouseInputEnabled(false);

	SetTabPosition(inResourceData->GetInt("tabPosition", 0));

	const char *tooltip = inResourceData->GetString("tooltiptext", "");
	if (*tooltip)
		GetTooltip()->SetText(tooltip);

	int paintBackground = inResourceData->GetInt("paintbackground", -1);
	if (paintBackground >= 0)
		SetPaintBackgroundEnabled(paintBackground != 0);
	int paintBorder = inResourceData->GetInt("paintborder", -1);
	if (paintBorder >= 0)
		SetPaintBorderEnabled(paintBorder != 0);

	const char *border = inResourceData->GetString("border", "");
	if (*border)
		if (IScheme *s = scheme()->GetIScheme(GetScheme()))
			SetBorder(s->GetBorder(border));

	if (inResourceData->FindKey("fieldName"))
		SetName(inResourceData->GetString("fieldName"));

	m_bForceStereoRenderToFrameBuffer = inResourceData->GetInt("ForceStereoRenderToFrameBuffer", 0) != 0;

	int roundedCorners = inResourceData->GetInt("RoundedCorners", -1);
	if (roundedCorners >= 0)
		m_roundedCorners = static_cast<unsigned char>(roundedCorners);

	const char *pinName = inResourceData->GetString("pin_to_sibling", nullptr);
	PinToSibling(pinName, static_cast<PinCorner_e>(inResourceData->GetInt("pin_corner_to_sibling", 0)),
	             static_cast<PinCorner_e>(inResourceData->GetInt("pin_to_sibling_corner", 0)));

	for (int i = 0; i < m_OverridableColorEntries.Count(); ++i)
	{
		OverridableColorEntry &entry = m_OverridableColorEntries[i];
		KeyValues *kv = inResourceData->FindKey(entry.m_pszScriptName);
		if (!kv)
			continue;
		const char *text = kv->GetString();
		Color color;
		if (text[0] == '.' || isdigit(static_cast<unsigned char>(text[0])))
		{
			float r = 0, g = 0, b = 0, a = 0;
			sscanf(text, "%f %f %f %f", &r, &g, &b, &a);
			color = Color(TruncToInt(r), TruncToInt(g), TruncToInt(b), TruncToInt(a));
		}
		else
			color = GetSchemeColor(text, scheme()->GetIScheme(GetScheme()));
		entry.m_colFromScript = color;
		*entry.m_pColor = color;
		entry.m_bOverridden = true;
	}

	const char *keyboard = inResourceData->GetString("keyboardinputenabled", "");
	if (*keyboard)
		SetKeyBoardInputEnabled(atoi(keyboard) != 0);
}

void Panel::ApplyAutoResizeSettings(KeyValues *inResourceData)
{
	int x, y, wide, tall;
	GetBounds(x, y, wide, tall);
	int parentWide = wide, parentTall = tall;
	if (VPANEL parent = GetVParent())
		ipanel()->GetSize(parent, parentWide, parentTall);

	int mode = inResourceData->GetInt("AutoResize", 0);
	int corner = inResourceData->GetInt("PinCorner", 0);

	int pinX = 0, pinY = 0, unpinX = 0, unpinY = 0;
	int right = Sum(Sum(x, wide), -static_cast<long long>(parentWide));
	int bottom = Sum(Sum(y, tall), -static_cast<long long>(parentTall));
	switch (corner)
	{
	case PIN_TOPLEFT: pinX = x, pinY = y, unpinX = right, unpinY = bottom; break;
	case PIN_TOPRIGHT: pinX = right, pinY = y, unpinX = x, unpinY = bottom; break;
	case PIN_BOTTOMLEFT: pinX = x, pinY = bottom, unpinX = right, unpinY = y; break;
	case PIN_BOTTOMRIGHT: pinX = right, pinY = bottom, unpinX = x, unpinY = y; break;
	default: break;
	}

	struct
	{
		const char *key;
		int *value;
	} offsets[] = { { "PinnedCornerOffsetX", &pinX }, { "PinnedCornerOffsetY", &pinY },
		            { "UnpinnedCornerOffsetX", &unpinX }, { "UnpinnedCornerOffsetY", &unpinY } };
	for (auto &offset : offsets)
	{
		if (!inResourceData->FindKey(offset.key))
			continue;
		int value = inResourceData->GetInt(offset.key);
		*offset.value = IsProportional() ? scheme()->GetProportionalScaledValueEx(GetScheme(), value) : value;
	}

	_pinCornerAndAutoResize = static_cast<unsigned char>((corner & 0x0F) | ((mode & 0x0F) << 4));
	m_nResizeDeltaX = static_cast<short>(pinX);
	m_nResizeDeltaY = static_cast<short>(pinY);
	m_nResizeDeltaX2 = static_cast<short>(mode ? unpinX : 0);
	m_nResizeDeltaY2 = static_cast<short>(mode ? unpinY : 0);
}

void Panel::GetSettings(KeyValues *outResourceData)
{
	if (!outResourceData)
		return;
	outResourceData->SetString("ControlName", GetClassName());
	outResourceData->SetString("fieldName", GetName());

	int screenWide = 0, screenTall = 0;
	surface()->GetScreenSize(screenWide, screenTall);

	int x, y;
	GetPos(x, y);
	if (IsProportional())
	{
		x = scheme()->GetProportionalNormalizedValueEx(GetScheme(), x);
		y = scheme()->GetProportionalNormalizedValueEx(GetScheme(), y);
	}
	char text[32];
	if (_buildModeFlags & BUILDMODE_SAVE_XPOS_RIGHTALIGNED)
	{
		snprintf(text, sizeof(text), "r%d", Sum(screenWide, -static_cast<long long>(x)));
		outResourceData->SetString("xpos", text);
	}
	else if (_buildModeFlags & BUILDMODE_SAVE_XPOS_CENTERALIGNED)
	{
		snprintf(text, sizeof(text), "c%d", Sum(x, -static_cast<long long>(screenWide / 2)));
		outResourceData->SetString("xpos", text);
	}
	else
		outResourceData->SetInt("xpos", x);
	if (_buildModeFlags & BUILDMODE_SAVE_YPOS_BOTTOMALIGNED)
	{
		snprintf(text, sizeof(text), "r%d", Sum(screenTall, -static_cast<long long>(y)));
		outResourceData->SetString("ypos", text);
	}
	else if (_buildModeFlags & BUILDMODE_SAVE_YPOS_CENTERALIGNED)
	{
		snprintf(text, sizeof(text), "c%d", Sum(y, -static_cast<long long>(screenTall / 2)));
		outResourceData->SetString("ypos", text);
	}
	else
		outResourceData->SetInt("ypos", y);

	if (m_pTooltips)
	{
		const char *tip = static_cast<BaseTooltip *>(m_pTooltips)->GetText();
		if (tip && *tip)
			outResourceData->SetString("tooltiptext", tip);
	}

	int wide, tall;
	GetSize(wide, tall);
	if (IsProportional())
	{
		wide = scheme()->GetProportionalNormalizedValueEx(GetScheme(), wide);
		tall = scheme()->GetProportionalNormalizedValueEx(GetScheme(), tall);
	}
	int z = ipanel()->GetZPos(GetVPanel());
	if (z)
		outResourceData->SetInt("zpos", z);
	if (_buildModeFlags & BUILDMODE_SAVE_WIDE_FULL)
	{
		snprintf(text, sizeof(text), "f%d", Sum(screenWide, -static_cast<long long>(wide)));
		outResourceData->SetString("wide", text);
	}
	else
		outResourceData->SetInt("wide", wide);
	outResourceData->SetInt("tall", tall);

	outResourceData->SetInt("AutoResize", GetAutoResize());
	outResourceData->SetInt("PinCorner", GetPinCorner());
	outResourceData->SetInt("RoundedCorners", m_roundedCorners);
	outResourceData->SetString("pin_to_sibling", _pinToSibling ? _pinToSibling : "");
	outResourceData->SetInt("pin_corner_to_sibling", _pinCornerToSibling);
	outResourceData->SetInt("pin_to_sibling_corner", _pinToSiblingCorner);
	outResourceData->SetInt("visible", IsVisible() ? 1 : 0);
	outResourceData->SetInt("enabled", IsEnabled() ? 1 : 0);
	outResourceData->SetInt("tabPosition", GetTabPosition());

	for (int i = 0; i < m_OverridableColorEntries.Count(); ++i)
		if (m_OverridableColorEntries[i].m_bOverridden)
			outResourceData->SetColor(m_OverridableColorEntries[i].m_pszScriptName,
			                          m_OverridableColorEntries[i].m_colFromScript);
}

const char *Panel::GetDescription()
{
	return "string fieldName, int xpos, int ypos, int wide, int tall, bool visible, bool enabled, int tabPosition, "
	       "corner pinCorner, autoresize autoResize, string tooltiptext";
}

void Panel::ApplyUserConfigSettings(KeyValues *) {}
void Panel::GetUserConfigSettings(KeyValues *) {}
bool Panel::HasUserConfigSettings() { return false; }

Color Panel::GetSchemeColor(const char *keyName, IScheme *pScheme)
{
	return GetSchemeColor(keyName, Color(255, 255, 255, 255), pScheme);
}

Color Panel::GetSchemeColor(const char *keyName, Color defaultColor, IScheme *pScheme)
{
	return pScheme ? pScheme->GetColor(keyName, defaultColor) : defaultColor;
}

void Panel::SetOverridableColor(Color *color, const Color &newColor)
{
	for (int i = 0; i < m_OverridableColorEntries.Count(); ++i)
		if (m_OverridableColorEntries[i].m_bOverridden && m_OverridableColorEntries[i].m_pColor == color)
			return;
	*color = newColor;
}

void Panel::AddToOverridableColors(Color *color, const char *scriptName)
{
	m_OverridableColorEntries.AddToTail({ scriptName, color, Color(), false });
}

BaseTooltip *Panel::GetTooltip()
{
	if (!m_pTooltips)
	{
		m_pTooltips = new TextTooltip(this, nullptr);
		m_bToolTipOverridden = false;
	}
	return static_cast<BaseTooltip *>(m_pTooltips);
}

const char *Panel::GetNavTargetName(int index) const
{
	return index >= 0 && index < 7 ? m_NavTargets[index].m_Name.Get() : "";
}

void Panel::ApplySchemeSettings(IScheme *pScheme)
{
	SetFgColor(GetSchemeColor("Panel.FgColor", pScheme));
	SetBgColor(GetSchemeColor("Panel.BgColor", pScheme));
	m_clrDragFrame = GetSchemeColor("DragDrop.DragFrame", Color(255, 255, 255, 192), pScheme);
	m_clrDropFrame = GetSchemeColor("DragDrop.DropFrame", Color(150, 255, 150, 255), pScheme);
	m_infoFont = pScheme ? pScheme->GetFont("DefaultVerySmall") : 0;
	SetFlag(NEEDS_SCHEME_UPDATE, false);
	CallLuaHook("ApplySchemeSettings");
}

void Panel::PerformApplySchemeSettings()
{
	if (g_bPaintingLevelProgress)
		return;
	if (IsFlag(NEEDS_DEFAULT_SETTINGS_APPLIED))
		InternalInitDefaultValues(GetAnimMap());
	if (!IsFlag(NEEDS_SCHEME_UPDATE))
		return;
	IScheme *pScheme = scheme()->GetIScheme(GetScheme());
	if (!pScheme)
		return;
	ApplySchemeSettings(pScheme);
	// Colours from layout settings win over the scheme.
	for (int i = 0; i < m_OverridableColorEntries.Count(); ++i)
		if (m_OverridableColorEntries[i].m_bOverridden)
			*m_OverridableColorEntries[i].m_pColor = m_OverridableColorEntries[i].m_colFromScript;
	UpdateSiblingPin();
}
}
