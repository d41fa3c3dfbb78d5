// Animation variables: named, typed panel properties that layout files and information
// requests read and set by name. One map per panel class (dictionary by class name, chained
// to the base class's map) and the converters between each type and KeyValues.
#pragma once

#include "tier1/classmemorypool.h"
#include "tier1/utlmap.h"
#include "tier1/utlvector.h"

class KeyValues;

namespace vgui
{
class Panel;

// The variable of a "char" or "string" animation variable: text cut to fit.
typedef char PanelAnimationString[256];

// The address of the variable inside the panel.
typedef void *(*PANELLOOKUPFUNC)(Panel *panel);

struct PanelAnimationMapEntry
{
	const char *name() const { return m_pszScriptName; }
	const char *type() const { return m_pszType; }
	const char *defaultvalue() const { return m_pszDefaultValue; }
	bool isarray() const { return m_bArray; }

	const char *m_pszScriptName;
	const char *m_pszVariable;
	const char *m_pszType;
	const char *m_pszDefaultValue;
	bool m_bArray;
	PANELLOOKUPFUNC m_pfnLookup;
};

struct PanelAnimationMap
{
	CUtlVector<PanelAnimationMapEntry> entries;
	PanelAnimationMap *baseMap = nullptr;
	const char *(*pfnClassName)() = nullptr;
};

// The map of a class ("vgui::" before the name and letter case are ignored), made on demand;
// never null for a non-null name.
PanelAnimationMap *FindOrAddPanelAnimationMap(const char *className);
// Appends an entry to the named class's map.
void AddToAnimationMap(const char *className, const char *scriptName, const char *type, const char *var,
                       const char *defaultValue, bool array, PANELLOOKUPFUNC func);
// The first entry of the map chain whose script name matches (letter case ignored), or null.
const PanelAnimationMapEntry *FindPanelAnimationEntry(const char *scriptName, PanelAnimationMap *map);

// One map per class name, kept until the process ends.
class CPanelAnimationDictionary
{
public:
	CPanelAnimationDictionary();
	~CPanelAnimationDictionary();
	CPanelAnimationDictionary(const CPanelAnimationDictionary &) = delete;
	CPanelAnimationDictionary &operator=(const CPanelAnimationDictionary &) = delete;

	PanelAnimationMap *FindOrAddPanelAnimationMap(const char *className);

private:
	struct PanelAnimationMapDictionaryEntry
	{
		PanelAnimationMap *map;
	};

	CClassMemoryPool<PanelAnimationMap> m_PanelAnimationMapPool;
	CUtlMap<const char *, PanelAnimationMapDictionaryEntry> m_AnimationMaps;
};

CPanelAnimationDictionary &GetPanelAnimationDictionary();

// Moves one animation variable between the panel and a KeyValues under its script name, or
// sets it from the entry's default text.
class IPanelAnimationPropertyConverter
{
public:
	virtual void GetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) = 0;
	virtual void SetData(Panel *panel, KeyValues *kv, const PanelAnimationMapEntry *entry) = 0;
	virtual void InitFromDefault(Panel *panel, const PanelAnimationMapEntry *entry) = 0;

protected:
	virtual ~IPanelAnimationPropertyConverter() = default;
};

// The converter registered for a type name, or null.
IPanelAnimationPropertyConverter *FindPanelAnimationPropertyConverter(const char *typeName);
}

// In a control's class body (after DECLARE_CLASS_SIMPLE): a member variable registered in
// the class's animation map under scriptName, with typeAlias naming its converter.
#define CPanelAnimationVarAliasType(type, name, scriptName, defaultValue, typeAlias)                              \
	class PanelAnimationVar_##name                                                                                \
	{                                                                                                             \
	public:                                                                                                       \
		PanelAnimationVar_##name()                                                                                \
		{                                                                                                         \
			static bool s_added = false;                                                                          \
			if (s_added)                                                                                          \
				return;                                                                                           \
			s_added = true;                                                                                       \
			vgui::AddToAnimationMap(ThisClass::GetPanelClassName(), scriptName, typeAlias, #name, defaultValue,   \
			                        false, &ThisClass::GetVar_##name);                                            \
		}                                                                                                         \
	};                                                                                                            \
	PanelAnimationVar_##name m_PanelAnimationVar_##name;                                                          \
	static void *GetVar_##name(vgui::Panel *panel) { return &static_cast<ThisClass *>(panel)->name; }             \
	type name;

#define CPanelAnimationVar(type, name, scriptName, defaultValue)                                                  \
	CPanelAnimationVarAliasType(type, name, scriptName, defaultValue, #type)
