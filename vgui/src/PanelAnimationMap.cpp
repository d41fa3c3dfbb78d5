// The animation-map dictionary: one PanelAnimationMap per panel class, found by class name
// without regard to case or a leading "vgui::".
#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "vgui_controls/Panel.h"
#include "vgui_controls/PanelAnimationVar.h"

namespace vgui
{
namespace
{
const char *StripNamespace(const char *className)
{
	return strncasecmp(className, "vgui::", 6) == 0 ? className + 6 : className;
}
}

CPanelAnimationDictionary::CPanelAnimationDictionary()
    : m_PanelAnimationMapPool(32, CUtlMemoryPool::GROW_FAST), m_AnimationMaps(0, 0, CaselessStringLessThan)
{
}

CPanelAnimationDictionary::~CPanelAnimationDictionary()
{
	for (unsigned short i = m_AnimationMaps.FirstInorder(); i != m_AnimationMaps.InvalidIndex();
	     i = m_AnimationMaps.NextInorder(i))
	{
		m_PanelAnimationMapPool.Free(m_AnimationMaps[i].map);
		free(const_cast<char *>(m_AnimationMaps.Key(i)));
	}
	m_AnimationMaps.Purge();
}

PanelAnimationMap *CPanelAnimationDictionary::FindOrAddPanelAnimationMap(const char *className)
{
	if (!className)
		return nullptr;
	const char *name = StripNamespace(className);
	unsigned short at = m_AnimationMaps.Find(name);
	if (at != m_AnimationMaps.InvalidIndex())
		return m_AnimationMaps[at].map;

	Panel::InitPropertyConverters();
	PanelAnimationMap *map = m_PanelAnimationMapPool.Alloc();
	if (!map)
		return nullptr;
	char *key = strdup(name);
	if (!key)
	{
		m_PanelAnimationMapPool.Free(map);
		return nullptr;
	}
	m_AnimationMaps.Insert(key, PanelAnimationMapDictionaryEntry{ map });
	return map;
}

CPanelAnimationDictionary &GetPanelAnimationDictionary()
{
	static CPanelAnimationDictionary s_dictionary;
	return s_dictionary;
}

PanelAnimationMap *FindOrAddPanelAnimationMap(const char *className)
{
	return GetPanelAnimationDictionary().FindOrAddPanelAnimationMap(className);
}

void AddToAnimationMap(const char *className, const char *scriptName, const char *type, const char *var,
                       const char *defaultValue, bool array, PANELLOOKUPFUNC func)
{
	PanelAnimationMap *map = FindOrAddPanelAnimationMap(className);
	if (!map)
		return;
	PanelAnimationMapEntry entry{ scriptName, var, type, defaultValue, array, func };
	map->entries.AddToTail(entry);
}

const PanelAnimationMapEntry *FindPanelAnimationEntry(const char *scriptName, PanelAnimationMap *map)
{
	if (!scriptName)
		return nullptr;
	for (; map; map = map->baseMap)
		for (int i = 0; i < map->entries.Count(); ++i)
			if (map->entries[i].m_pszScriptName && !strcasecmp(map->entries[i].m_pszScriptName, scriptName))
				return &map->entries[i];
	return nullptr;
}
}
