// Message maps: per-class tables that route a vgui message (a KeyValues named after the
// message) to a handler, one map per class name, chained to the base class's map; and the
// macros with which a control declares its class and its handlers.
#pragma once

#include "tier1/utlvector.h"
#include "vgui_controls/PanelAnimationVar.h"

namespace vgui
{
class Panel;

// Parameter types of handlers.
enum DataType_t
{
	DATATYPE_VOID = 0,
	DATATYPE_CONSTCHARPTR = 1,
	DATATYPE_INT = 2,
	DATATYPE_FLOAT = 3,
	DATATYPE_PTR = 4,
	DATATYPE_BOOL = 5,
	DATATYPE_KEYVALUES = 6,
	DATATYPE_CONSTWCHARPTR = 7,
	DATATYPE_UINT64 = 8,
	DATATYPE_HANDLE = 9,
};

typedef void (Panel::*MessageFunc_t)();

// One handler of a class's map; the symbols are filled when the map is prepared.
struct MessageMapItem_t
{
	const char *name;
	MessageFunc_t func;
	int numParams;
	int firstParamType;
	const char *firstParamName;
	int secondParamType;
	const char *secondParamName;
	int nameSymbol;
	int firstParamSymbol;
	int secondParamSymbol;
};

struct PanelMessageMap
{
	CUtlVector<MessageMapItem_t> entries;
	bool processed = false;
	PanelMessageMap *baseMap = nullptr;
	const char *(*pfnClassName)() = nullptr;
};

// The older static table; a base of 1 stands for vgui::Panel's own table.
struct PanelMap_t
{
	MessageMapItem_t *dataDesc;
	int dataNumFields;
	const char *dataClassName;
	PanelMap_t *baseMap;
	int processed;
};

// The map of a class ("vgui::" before the name and letter case are ignored), made on demand.
PanelMessageMap *FindOrAddPanelMessageMap(const char *className);
// Fills the symbols of the map and of the maps below it.
void PreparePanelMessageMap(PanelMessageMap *panelMap);
// Appends a handler to the named class's map.
void AddToMessageMap(const char *className, const char *scriptName, MessageFunc_t func, int numParams, int type1,
                     const char *name1, int type2, const char *name2);

// A handler of a class derived from Panel as a handler of Panel, stored without its parameter
// list; dispatch casts it back to the list its map entry declares.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <class T, class... Args>
MessageFunc_t ToMessageFunc(void (T::*fn)(Args...))
{
	return reinterpret_cast<MessageFunc_t>(static_cast<void (Panel::*)(Args...)>(fn));
}

template <class... Args>
void CallMessageFunc(Panel *panel, MessageFunc_t func, Args... args)
{
	(panel->*reinterpret_cast<void (Panel::*)(Args...)>(func))(args...);
}
#pragma GCC diagnostic pop
}

// In the class body of every control: its base class, its class name and its message map,
// chained to the base class's map on the first construction.
#define DECLARE_CLASS_SIMPLE(className, baseClassName)                                                            \
public:                                                                                                           \
	typedef baseClassName BaseClass;                                                                              \
	typedef className ThisClass;                                                                                  \
	static const char *GetPanelClassName() { return #className; }                                                 \
	static void AddToMap(const char *scriptName, vgui::MessageFunc_t func, int numParams, int type1,             \
	                     const char *name1, int type2, const char *name2)                                        \
	{                                                                                                             \
		vgui::AddToMessageMap(GetPanelClassName(), scriptName, func, numParams, type1, name1, type2, name2);      \
	}                                                                                                             \
	vgui::PanelMessageMap *GetMessageMap() override                                                               \
	{                                                                                                             \
		static vgui::PanelMessageMap *s_map = vgui::FindOrAddPanelMessageMap(GetPanelClassName());               \
		return s_map;                                                                                             \
	}                                                                                                             \
	vgui::PanelAnimationMap *GetAnimMap() override                                                                \
	{                                                                                                             \
		static vgui::PanelAnimationMap *s_animMap = vgui::FindOrAddPanelAnimationMap(GetPanelClassName());       \
		return s_animMap;                                                                                         \
	}                                                                                                             \
                                                                                                                  \
private:                                                                                                          \
	class ClassMapChain                                                                                           \
	{                                                                                                             \
	public:                                                                                                       \
		ClassMapChain()                                                                                           \
		{                                                                                                         \
			static bool s_chained = false;                                                                        \
			if (s_chained)                                                                                        \
				return;                                                                                           \
			s_chained = true;                                                                                     \
			vgui::PanelMessageMap *map = vgui::FindOrAddPanelMessageMap(className::GetPanelClassName());         \
			map->pfnClassName = &className::GetPanelClassName;                                                    \
			map->baseMap = vgui::FindOrAddPanelMessageMap(baseClassName::GetPanelClassName());                   \
			vgui::PanelAnimationMap *animMap = vgui::FindOrAddPanelAnimationMap(className::GetPanelClassName());  \
			animMap->pfnClassName = &className::GetPanelClassName;                                                \
			animMap->baseMap = vgui::FindOrAddPanelAnimationMap(baseClassName::GetPanelClassName());             \
		}                                                                                                         \
	};                                                                                                            \
	ClassMapChain m_ClassMapChain;                                                                                \
                                                                                                                  \
public:

// Registers a handler on the first construction of the class.
#define VGUI_MESSAGE_REGISTER(name, scriptName, numParams, type1, name1, type2, name2)                            \
	class PanelMessageFunc_##name                                                                                 \
	{                                                                                                             \
	public:                                                                                                       \
		PanelMessageFunc_##name()                                                                                 \
		{                                                                                                         \
			static bool s_added = false;                                                                          \
			if (s_added)                                                                                          \
				return;                                                                                           \
			s_added = true;                                                                                       \
			ThisClass::AddToMap(scriptName, vgui::ToMessageFunc(&ThisClass::name), numParams, type1, name1,       \
			                    type2, name2);                                                                   \
		}                                                                                                         \
	};                                                                                                            \
	PanelMessageFunc_##name m_PanelMessageFunc_##name;

#define MESSAGE_FUNC(name, scriptName)                                                                            \
	VGUI_MESSAGE_REGISTER(name, scriptName, 0, 0, nullptr, 0, nullptr)                                            \
	virtual void name()
#define MESSAGE_FUNC_INT(name, scriptName, p1)                                                                    \
	VGUI_MESSAGE_REGISTER(name, scriptName, 1, vgui::DATATYPE_INT, #p1, 0, nullptr)                               \
	virtual void name(int p1)
#define MESSAGE_FUNC_INT_INT(name, scriptName, p1, p2)                                                            \
	VGUI_MESSAGE_REGISTER(name, scriptName, 2, vgui::DATATYPE_INT, #p1, vgui::DATATYPE_INT, #p2)                  \
	virtual void name(int p1, int p2)
#define MESSAGE_FUNC_CHARPTR(name, scriptName, p1)                                                                \
	VGUI_MESSAGE_REGISTER(name, scriptName, 1, vgui::DATATYPE_CONSTCHARPTR, #p1, 0, nullptr)                      \
	virtual void name(const char *p1)
#define MESSAGE_FUNC_PTR(name, scriptName, p1)                                                                    \
	VGUI_MESSAGE_REGISTER(name, scriptName, 1, vgui::DATATYPE_PTR, #p1, 0, nullptr)                               \
	virtual void name(vgui::Panel *p1)
#define MESSAGE_FUNC_HANDLE(name, scriptName, p1)                                                                 \
	VGUI_MESSAGE_REGISTER(name, scriptName, 1, vgui::DATATYPE_HANDLE, #p1, 0, nullptr)                            \
	virtual void name(vgui::VPANEL p1)
#define MESSAGE_FUNC_PARAMS(name, scriptName, p1)                                                                 \
	VGUI_MESSAGE_REGISTER(name, scriptName, 1, vgui::DATATYPE_KEYVALUES, nullptr, 0, nullptr)                     \
	virtual void name(KeyValues *p1)
