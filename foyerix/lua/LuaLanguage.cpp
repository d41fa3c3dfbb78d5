// The "motionsensor" and "language" libraries: the game's motion sensor, and phrases added
// to and looked up in the localisation tables.
#include <cstdint>
#include <cwchar>

#include "IGet.h"
#include "engine/imotionsensor.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaMaterial.h"
#include "materialsystem/imaterial.h"
#include "tier0/dbg.h"
#include "tier0/icommandline.h"
#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "tier1/tier3.h"
#include "vgui/ILocalize.h"

namespace
{
IMotionSensor *MotionSensor() { return get ? get->MotionSensor() : nullptr; }

// Phrases added from Lua; the first addition of a token wins.
KeyValues *AddedPhrases()
{
	static KeyValues *phrases = new KeyValues("LocalizedStrings");
	return phrases;
}

LUA_LIBRARY(motionsensor);

LUA_FUNCTION(motionsensor, IsAvailable)
{
	IMotionSensor *sensor = MotionSensor();
	if (CommandLine_Tier0()->FindParm("-kinectdebug"))
	{
		Msg("motionsesnor - isavailable\n");
		Msg("motionsesnor - G=%x\n", static_cast<unsigned int>(reinterpret_cast<uintptr_t>(get)));
		Msg("motionsesnor - MS=%x\n", static_cast<unsigned int>(reinterpret_cast<uintptr_t>(sensor)));
		if (sensor)
			Msg("num sensors: - %i\n", sensor->GetSensorCount());
		else
			Msg("motionsesnor - returning false\n");
	}
	pLua->PushBool(sensor && sensor->GetSensorCount() > 0);
	return 1;
}

LUA_FUNCTION(motionsensor, Start)
{
	if (IMotionSensor *sensor = MotionSensor())
		sensor->Start();
	return 0;
}

LUA_FUNCTION(motionsensor, GetColourMaterial)
{
	IMotionSensor *sensor = MotionSensor();
	if (!sensor || sensor->GetSensorCount() < 1 || !sensor->IsRunning())
		return 0;
	IMaterial *material = sensor->GetColourMaterial();
	if (!material)
		return 0;
	// The IMaterial userdata's __gc gives this reference back.
	material->IncrementReferenceCount();
	Push_IMaterial(material);
	return 1;
}

LUA_LIBRARY(language);

LUA_FUNCTION(language, Add)
{
	const char *token = pLua->GetString(1, nullptr);
	const char *text = pLua->GetString(2, nullptr);
	if (!token || !text)
		return 0;
	KeyValues *phrases = AddedPhrases();
	if (phrases->FindKey(token))
		return 0;
	phrases->SetString(token, text);
	if (g_pVGuiLocalize)
		g_pVGuiLocalize->AddString(token, const_cast<wchar_t *>(phrases->GetWString(token)), "Zorv_Language_Add.txt");
	return 0;
}

LUA_FUNCTION(language, GetPhrase)
{
	const char *token = pLua->CheckString(1);
	const wchar_t *phrase = g_pVGuiLocalize ? g_pVGuiLocalize->Find(token) : nullptr;
	if (!phrase)
	{
		pLua->PushString(token, 0);
		return 1;
	}
	char text[1024];
	V_wcstostr(phrase, static_cast<int>(wcslen(phrase)), text, sizeof(text));
	pLua->PushString(text, 0);
	return 1;
}
}
