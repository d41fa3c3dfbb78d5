// The "surface" library: immediate-mode drawing for menu scripts' paint hooks (rectangles,
// lines, text, textures, materials, polygons, circles), named fonts, and the globals ScrW,
// ScrH and DisableClipping.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "VGuiMatSurface/IMatSystemSurface.h"
#include "lua/ColorConversion.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaMaterial.h"
#include "lua/LuaObject.h"
#include "menu/Fonts.h"
#include "menu/LuaPanel.h"
#include "tier0/dbg.h"
#include "tier1/strtools.h"
#include "tier1/tier3.h"
#include "vgui/ILocalize.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Panel.h"

namespace
{
// A token built from a placeholder phrase, kept so that it is built once.
struct lualocalizesstring_t
{
	char token[64];
	wchar_t text[1024];
};

std::vector<lualocalizesstring_t> &LocalizeCache()
{
	static std::vector<lualocalizesstring_t> *cache = new std::vector<lualocalizesstring_t>();
	return *cache;
}

vgui::HFont gpLastFont = 0;
wchar_t s_DrawTextBuffer[2048];
wchar_t s_TextSizeBuffer[2048];
wchar_t s_LocalizeResult[4096];
const int kMaxPolyVertices = 4096;
vgui::Vertex_t s_PolyVertices[kMaxPolyVertices];
vgui::Vertex_t s_RotatedVertices[4];
int s_MaterialTexture = -1;

int IntArg(ILuaInterface *pLua, int index) { return TruncateToInt(pLua->GetNumber(index)); }

int Channel(double value)
{
	int v = TruncateToInt(value);
	return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// The colour at argument i: a table of r, g, b, a (low 8 bits kept, 255 when missing), or
// numbers limited to 0 .. 255 with alpha 255 unless a fourth number is given.
Color ColourArg(ILuaInterface *pLua, int i)
{
	if (pLua->GetType(i) == LUA_TYPE_TABLE)
	{
		CLuaObject table(i, LUA_TYPE_TABLE);
		return Color(table.GetMemberInt("r", 255) & 0xFF, table.GetMemberInt("g", 255) & 0xFF,
		             table.GetMemberInt("b", 255) & 0xFF, table.GetMemberInt("a", 255) & 0xFF);
	}
	int r = Channel(pLua->CheckNumber(i));
	int g = Channel(pLua->CheckNumber(i + 1));
	int b = Channel(pLua->CheckNumber(i + 2));
	int a = pLua->GetType(i + 3) == LUA_TYPE_NUMBER ? Channel(pLua->GetNumber(i + 3)) : 255;
	return Color(r, g, b, a);
}

void CopyWide(wchar_t *out, size_t room, const wchar_t *text)
{
	size_t n = 0;
	for (; text[n] && n + 1 < room; ++n)
		out[n] = text[n];
	out[n] = L'\0';
}

// A token whose phrase is missing but whose "#@" variant has a "{...}" placeholder gets the
// variant with "< NONE >" in place of the placeholder; such results are cached.
const wchar_t *Localize_Find(const char *token)
{
	if (!token || !g_pVGuiLocalize)
		return nullptr;
	if (const wchar_t *found = g_pVGuiLocalize->Find(token))
		return found;
	for (const lualocalizesstring_t &entry : LocalizeCache())
		if (strcmp(entry.token, token) == 0)
			return entry.text;
	if (!token[0])
		return nullptr;
	char variant[1024];
	V_snprintf(variant, sizeof(variant), "#@%s", token + 1);
	const wchar_t *phrase = g_pVGuiLocalize->Find(variant);
	if (!phrase)
		return nullptr;
	wchar_t text[513];
	CopyWide(text, 513, phrase);
	const wchar_t *close = wcschr(text, L'}');
	if (!close || close == text)
		return nullptr;
	const wchar_t *open = nullptr;
	for (const wchar_t *c = text; c < close; ++c)
		if (*c == L'{')
			open = c;
	if (!open || open == text)
		return nullptr;
	wchar_t before[513];
	size_t beforeLength = static_cast<size_t>(open - text);
	wmemcpy(before, text, beforeLength);
	before[beforeLength] = L'\0';
	swprintf(s_LocalizeResult, sizeof(s_LocalizeResult) / sizeof(wchar_t), L"%ls%ls%ls", before, L"< NONE >",
	         close + 1);
	// Only tokens that fit an entry whole are cached: a cut one would never be found again (a
	// new entry each frame) and would answer for a shorter token that matches the cut.
	if (strlen(token) >= sizeof(lualocalizesstring_t::token))
		return s_LocalizeResult;
	lualocalizesstring_t entry;
	V_strncpy(entry.token, token, sizeof(entry.token));
	CopyWide(entry.text, sizeof(entry.text) / sizeof(wchar_t), s_LocalizeResult);
	LocalizeCache().push_back(entry);
	return s_LocalizeResult;
}

// The wide text to draw or measure: a "#" token's phrase when there is one, else the text.
const wchar_t *ResolveText(const char *text, wchar_t *buffer, int bufferChars)
{
	if (text[0] == '#')
	{
		if (g_pVGuiLocalize)
			if (const wchar_t *phrase = g_pVGuiLocalize->Find(text + 1))
			{
				CopyWide(buffer, static_cast<size_t>(bufferChars), phrase);
				return buffer;
			}
		if (const wchar_t *found = Localize_Find(text))
			return found;
	}
	int bytes = bufferChars * static_cast<int>(sizeof(wchar_t));
	if (g_pVGuiLocalize)
		g_pVGuiLocalize->ConvertANSIToUnicode(text, buffer, bytes);
	else
		V_UTF8ToUnicode(text, buffer, bytes);
	return buffer;
}

void GetScreenSize(int &wide, int &tall)
{
	wide = tall = 0;
	if (g_pVGuiSurface)
		g_pVGuiSurface->GetScreenSize(wide, tall);
}

void SetClippingDisabled(ILuaInterface *pLua)
{
	if (g_pMatSystemSurface)
		g_pMatSystemSurface->DisableClipping(pLua->GetBool(1));
}

LUA_LIBRARY(surface);

LUA_FUNCTION(surface, CreateFont)
{
	const char *name = pLua->CheckString(1);
	if (!name)
		return 0;
	if (pLua->GetType(2) != LUA_TYPE_TABLE)
		pLua->TypeError("table", 2);
	if (!g_pVGuiSurface)
		return 0;
	CLuaObject description(2, LUA_TYPE_TABLE);
	Zorvan::Fonts::FontList &list = Zorvan::Fonts::List();
	auto it = list.find(name);
	if (it == list.end())
	{
		it = list.emplace(name, Zorvan::Fonts::Container()).first;
		it->second.handle = g_pVGuiSurface->CreateFont();
	}
	Zorvan::Fonts::Container &font = it->second;
	font.name = name;
	font.face = description.GetMemberStr("font", "Arial");
	font.tall = description.GetMemberFloat("size", 13.0f);
	font.weight = description.GetMemberFloat("weight", 500.0f);
	font.blur = TruncateToInt(description.GetMemberFloat("blursize", 0.0f));
	font.scanlines = TruncateToInt(description.GetMemberFloat("scanlines", 0.0f));
	static const struct
	{
		const char *key;
		int bit;
		bool byDefault;
	} kFlags[] = {
		{ "italic", Zorvan::Fonts::FLAG_ITALIC, false },       { "underline", Zorvan::Fonts::FLAG_UNDERLINE, false },
		{ "strikeout", Zorvan::Fonts::FLAG_STRIKEOUT, false }, { "symbol", Zorvan::Fonts::FLAG_SYMBOL, false },
		{ "antialias", Zorvan::Fonts::FLAG_ANTIALIAS, true },  { "rotary", Zorvan::Fonts::FLAG_ROTARY, false },
		{ "shadow", Zorvan::Fonts::FLAG_SHADOW, false },       { "additive", Zorvan::Fonts::FLAG_ADDITIVE, false },
		{ "outline", Zorvan::Fonts::FLAG_OUTLINE, false },
	};
	font.flags = 0;
	for (const auto &flag : kFlags)
		if (description.GetMemberBool(flag.key, flag.byDefault))
			font.flags |= flag.bit;
	if (!(font.tall <= 128.0f))
		font.tall = 128.0f;
	else if (font.tall < 4.0f)
		font.tall = 4.0f;
	if (font.face == "Roboto Bk")
		font.face = "Roboto-Black";
	else if (font.face == "Roboto")
		font.face = "Roboto-Regular";
	if (!Zorvan::Fonts::Apply(font))
		pLua->ThrowError("There was an error creating the font!\n");
	g_pVGuiSurface->ResetFontCaches();
	return 0;
}

LUA_FUNCTION(surface, SetDrawColor)
{
	Color colour = ColourArg(pLua, 1);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawSetColor(colour);
	return 0;
}

LUA_FUNCTION(surface, DrawRect)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2), w = IntArg(pLua, 3), h = IntArg(pLua, 4);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawFilledRect(x, y, x + w, y + h);
	return 0;
}

LUA_FUNCTION(surface, DrawOutlinedRect)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2), w = IntArg(pLua, 3), h = IntArg(pLua, 4);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawOutlinedRect(x, y, x + w, y + h);
	return 0;
}

LUA_FUNCTION(surface, DrawLine)
{
	int x0 = IntArg(pLua, 1), y0 = IntArg(pLua, 2), x1 = IntArg(pLua, 3), y1 = IntArg(pLua, 4);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawLine(x0, y0, x1, y1);
	return 0;
}

LUA_FUNCTION(surface, SetTextColor)
{
	Color colour = ColourArg(pLua, 1);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawSetTextColor(colour);
	return 0;
}

LUA_FUNCTION(surface, SetTextPos)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawSetTextPos(x, y);
	return 0;
}

LUA_FUNCTION(surface, DrawText)
{
	const char *text = pLua->GetString(1);
	if (!text || !g_pVGuiSurface)
		return 0;
	const wchar_t *wide = ResolveText(text, s_DrawTextBuffer, 2048);
	g_pVGuiSurface->DrawPrintText(wide, static_cast<int>(wcslen(wide)), 0);
	return 0;
}

LUA_FUNCTION(surface, ScreenWidth)
{
	int wide, tall;
	GetScreenSize(wide, tall);
	pLua->PushNumber(wide);
	return 1;
}

LUA_FUNCTION(surface, ScreenHeight)
{
	int wide, tall;
	GetScreenSize(wide, tall);
	pLua->PushNumber(tall);
	return 1;
}

LUA_FUNCTION(surface, GetTextSize)
{
	if (!gpLastFont)
		return 0;
	const char *text = pLua->GetString(1);
	int wide = 0, tall = 0;
	if (text && g_pVGuiSurface)
		g_pVGuiSurface->GetTextSize(gpLastFont, ResolveText(text, s_TextSizeBuffer, 2048), wide, tall);
	pLua->PushNumber(wide);
	pLua->PushNumber(tall);
	return 2;
}

LUA_FUNCTION(surface, SetFont)
{
	const char *name = pLua->CheckString(1);
	if (!name)
		return 0;
	gpLastFont = Zorvan::Fonts::FindHandle(name);
	if (!gpLastFont)
	{
		// Scheme fonts: the menu base panel's scheme, or the default one before it exists.
		vgui::HScheme scheme = 0;
		if (g_pVGuiSchemeManager)
		{
			vgui::Panel *base = GetZorvBasePanel();
			scheme = base ? base->GetScheme() : g_pVGuiSchemeManager->GetDefaultScheme();
		}
		vgui::IScheme *ischeme = g_pVGuiSchemeManager ? g_pVGuiSchemeManager->GetIScheme(scheme) : nullptr;
		gpLastFont = ischeme ? ischeme->GetFont(name, false) : 0;
		if (!gpLastFont)
			pLua->ErrorFormat("'%s' isn't a valid font\n", name);
	}
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawSetTextFont(gpLastFont);
	return 0;
}

LUA_FUNCTION(surface, GetTextureID)
{
	const char *name = pLua->CheckString(1);
	if (!name || !g_pVGuiSurface)
		return 0;
	int id = g_pVGuiSurface->DrawGetTextureId(name);
	if (id == -1)
	{
		id = g_pVGuiSurface->CreateNewTextureID(false);
		g_pVGuiSurface->DrawSetTextureFile(id, name, false, false);
	}
	pLua->PushNumber(id);
	return 1;
}

LUA_FUNCTION(surface, SetTexture)
{
	int id = IntArg(pLua, 1);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawSetTexture(id);
	return 0;
}

LUA_FUNCTION(surface, SetMaterial)
{
	IMaterial *material = Get_IMaterial(1);
	if (!g_pVGuiSurface || !g_pMatSystemSurface)
		return 0;
	if (s_MaterialTexture == -1)
		s_MaterialTexture = g_pVGuiSurface->CreateNewTextureID(false);
	g_pMatSystemSurface->DrawSetTextureMaterial(s_MaterialTexture, material);
	g_pVGuiSurface->DrawSetTexture(s_MaterialTexture);
	return 0;
}

LUA_FUNCTION(surface, GetTextureSize)
{
	int id = IntArg(pLua, 1);
	int wide = 0, tall = 0;
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawGetTextureSize(id, wide, tall);
	pLua->PushNumber(wide);
	pLua->PushNumber(tall);
	return 2;
}

LUA_FUNCTION(surface, DrawTexturedRect)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2), w = IntArg(pLua, 3), h = IntArg(pLua, 4);
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawTexturedRect(x, y, x + w, y + h);
	return 0;
}

LUA_FUNCTION(surface, DrawTexturedRectRotated)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2), w = IntArg(pLua, 3), h = IntArg(pLua, 4);
	float angle = static_cast<float>(pLua->GetNumber(5)) * static_cast<float>(M_PI) / -180.0f;
	float c = std::cos(angle), s = std::sin(angle);
	const float corners[4][4] = {
		{ -w / 2.0f, -h / 2.0f, 0.0f, 0.0f },
		{ w / 2.0f, -h / 2.0f, 1.0f, 0.0f },
		{ w / 2.0f, h / 2.0f, 1.0f, 1.0f },
		{ -w / 2.0f, h / 2.0f, 0.0f, 1.0f },
	};
	for (int i = 0; i < 4; ++i)
	{
		float dx = corners[i][0], dy = corners[i][1];
		s_RotatedVertices[i] = { x + dx * c - dy * s, y + dx * s + dy * c, corners[i][2], corners[i][3] };
	}
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawTexturedPolygon(4, s_RotatedVertices, true);
	return 0;
}

LUA_FUNCTION(surface, PlaySound)
{
	const char *name = pLua->CheckString(1);
	if (name && g_pVGuiSurface)
		g_pVGuiSurface->PlaySound(name);
	return 0;
}

LUA_FUNCTION(surface, DrawPoly)
{
	if (pLua->GetType(1) != LUA_TYPE_TABLE)
	{
		Warning("Table not table! (type is %s)", pLua->GetTypeNameOf(1));
		return 0;
	}
	CLuaObject points(1, LUA_TYPE_TABLE);
	int count = 0;
	for (int key = 1; key < kMaxPolyVertices; ++key)
	{
		CLuaObject point;
		points.GetMember(static_cast<float>(key), &point);
		if (!point.isTable())
			break;
		s_PolyVertices[count++] = { point.GetMemberFloat("x", 0.0f), point.GetMemberFloat("y", 0.0f),
			                        point.GetMemberFloat("u", 0.0f), point.GetMemberFloat("v", 0.0f) };
	}
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawTexturedPolygon(count, s_PolyVertices, true);
	return 0;
}

LUA_GLOBAL_FUNCTION(ScrW)
{
	int wide, tall;
	GetScreenSize(wide, tall);
	pLua->PushNumber(wide);
	return 1;
}

LUA_GLOBAL_FUNCTION(ScrH)
{
	int wide, tall;
	GetScreenSize(wide, tall);
	pLua->PushNumber(tall);
	return 1;
}

LUA_FUNCTION(surface, DisableClipping)
{
	SetClippingDisabled(pLua);
	return 0;
}

LUA_GLOBAL_FUNCTION(DisableClipping)
{
	SetClippingDisabled(pLua);
	return 0;
}

LUA_FUNCTION(surface, DrawCircle)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2);
	float radius = static_cast<float>(pLua->GetNumber(3));
	Color colour = ColourArg(pLua, 4);
	if (g_pMatSystemSurface)
		g_pMatSystemSurface->DrawColoredCircle(x, y, radius, colour.r(), colour.g(), colour.b(), colour.a());
	return 0;
}

LUA_FUNCTION(surface, DrawTexturedRectUV)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2), w = IntArg(pLua, 3), h = IntArg(pLua, 4);
	float s0 = static_cast<float>(pLua->GetNumber(5)), t0 = static_cast<float>(pLua->GetNumber(6));
	float s1 = static_cast<float>(pLua->GetNumber(7)), t1 = static_cast<float>(pLua->GetNumber(8));
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawTexturedSubRect(x, y, x + w, y + h, s0, t0, s1, t1);
	return 0;
}

LUA_FUNCTION(surface, SetAlphaMultiplier)
{
	float alpha = static_cast<float>(pLua->GetNumber(1));
	if (g_pVGuiSurface)
		g_pVGuiSurface->DrawSetAlphaMultiplier(alpha);
	return 0;
}
}
