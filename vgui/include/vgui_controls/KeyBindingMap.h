// Key bindings: per-class maps of named bindings (a handler per name) and the keys bound to
// them, one map per class name chained to the base class's map; the contexts that group
// panels sharing a bindings file; and the macros with which a control declares bindings.
#pragma once

#include "tier1/utlsymbol.h"
#include "tier1/utlvector.h"
#include "vgui_controls/MessageMap.h"

namespace vgui
{
class Panel;

typedef unsigned int KeyBindingContextHandle_t;
const KeyBindingContextHandle_t INVALID_KEYBINDINGCONTEXT_HANDLE = 0xFFFFFFFFu;

typedef void (Panel::*KeyBindingFunc_t)();

// One key bound to a binding name, with its modifier mask (shift 1, ctrl 2, alt 4).
struct BoundKey_t
{
	BoundKey_t();
	BoundKey_t(const BoundKey_t &src);
	BoundKey_t &operator=(const BoundKey_t &src);
	~BoundKey_t();

	bool isbuiltinname;  // the name is static text, not owned here
	char *bindingname;
	int keycode;
	int modifiers;
};

// One named binding of a class.
struct KeyBindingMap_t
{
	const char *bindingname;
	KeyBindingFunc_t func;
	int reserved0;
	int reserved1;
	bool passive;  // the key still counts as not consumed after the handler ran
};

struct PanelKeyBindingMap
{
	CUtlVector<KeyBindingMap_t> entries;
	bool processed = false;
	PanelKeyBindingMap *baseMap = nullptr;
	CUtlVector<BoundKey_t> defaultkeys;
	CUtlVector<BoundKey_t> boundkeys;
	const char *(*pfnClassName)() = nullptr;
};

// The key-binding map of a class ("vgui::" before the name and letter case are ignored),
// made on demand; maps live until the process ends.
PanelKeyBindingMap *FindOrAddPanelKeyBindingMap(const char *className);
// Appends a named binding to the class's map.
void AddKeyBindingToMap(const char *className, const char *bindingName, KeyBindingFunc_t func, bool passive);
// Appends a default key of a binding (static name) to the class's map.
void AddDefaultKeyToMap(const char *className, const char *bindingName, int keycode, int modifiers);
}

// Keeps the contexts panels are put into; this program creates none, so lookups fail.
class CKeyBindingsMgr
{
public:
	struct KBContext_t
	{
		vgui::KeyBindingContextHandle_t m_KBHandle = vgui::INVALID_KEYBINDINGCONTEXT_HANDLE;
		CUtlSymbol m_KBFileName;
		CUtlSymbol m_KBPathID;
		CUtlVector<vgui::Panel *> m_Panels;
	};

	CKeyBindingsMgr();
	~CKeyBindingsMgr();

	KBContext_t *Find(vgui::KeyBindingContextHandle_t handle);
	// Refuses unnamed panels (with a warning); an unknown handle or a panel listed already:
	// nothing.
	void AddPanelToContext(vgui::KeyBindingContextHandle_t handle, vgui::Panel *panel);
	// Takes the panel out of the context's list, keeping the order of the others.
	void OnPanelDeleted(vgui::KeyBindingContextHandle_t handle, vgui::Panel *panel);

private:
	struct Contexts;
	Contexts *m_pContexts;
};

extern CKeyBindingsMgr g_KBMgr;

// In the class body of a control that has key bindings (beside DECLARE_CLASS_SIMPLE): its
// key-binding map, chained to the base class's map on the first construction.
#define DECLARE_KEYBINDINGMAP(className)                                                                          \
public:                                                                                                           \
	vgui::PanelKeyBindingMap *GetKBMap() override                                                                 \
	{                                                                                                             \
		static vgui::PanelKeyBindingMap *s_map = vgui::FindOrAddPanelKeyBindingMap(#className);                   \
		return s_map;                                                                                             \
	}                                                                                                             \
                                                                                                                  \
private:                                                                                                          \
	class KBMapChain                                                                                              \
	{                                                                                                             \
	public:                                                                                                       \
		KBMapChain()                                                                                              \
		{                                                                                                         \
			static bool s_chained = false;                                                                        \
			if (s_chained)                                                                                        \
				return;                                                                                           \
			s_chained = true;                                                                                     \
			vgui::PanelKeyBindingMap *map = vgui::FindOrAddPanelKeyBindingMap(#className);                        \
			map->pfnClassName = &className::GetPanelClassName;                                                    \
			map->baseMap = vgui::FindOrAddPanelKeyBindingMap(BaseClass::GetPanelClassName());                     \
		}                                                                                                         \
	};                                                                                                            \
	KBMapChain m_KBMapChain;                                                                                      \
                                                                                                                  \
public:

// Declares a named binding with its handler (run when a bound key is typed).
#define KEYBINDING_FUNC_REGISTER(name, bindingName, passive)                                                      \
	class PanelKeyBindingFunc_##name                                                                              \
	{                                                                                                             \
	public:                                                                                                       \
		PanelKeyBindingFunc_##name()                                                                              \
		{                                                                                                         \
			static bool s_added = false;                                                                          \
			if (s_added)                                                                                          \
				return;                                                                                           \
			s_added = true;                                                                                       \
			vgui::AddKeyBindingToMap(ThisClass::GetPanelClassName(), bindingName,                                \
			                         static_cast<vgui::KeyBindingFunc_t>(&ThisClass::name), passive);             \
		}                                                                                                         \
	};                                                                                                            \
	PanelKeyBindingFunc_##name m_PanelKeyBindingFunc_##name;
#define KEYBINDING_FUNC(name, bindingName)                                                                        \
	KEYBINDING_FUNC_REGISTER(name, bindingName, false)                                                            \
	virtual void name()
#define KEYBINDING_FUNC_PASSIVE(name, bindingName)                                                                \
	KEYBINDING_FUNC_REGISTER(name, bindingName, true)                                                             \
	virtual void name()
