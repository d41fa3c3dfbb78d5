// Key bindings: the per-class key-binding map dictionary, the bound-key records, the
// binding-context manager, and vgui::Panel's binding lookup and rebinding check.
#include "vgui_controls/KeyBindingMap.h"

#include <strings.h>

#include <cstring>

#include "tier0/dbg.h"
#include "tier1/classmemorypool.h"
#include "tier1/utlmap.h"
#include "tier1/utlrbtree.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
namespace
{
char *CopyName(const char *name)
{
	if (!name)
		return nullptr;
	size_t n = strlen(name) + 1;
	char *copy = new char[n];
	memcpy(copy, name, n);
	return copy;
}

class CPanelKeyBindingMapDictionary
{
public:
	CPanelKeyBindingMapDictionary() : m_MessageMaps(0, 0, CaselessStringLessThan), m_PanelKeyBindingMapPool(32) {}
	~CPanelKeyBindingMapDictionary()
	{
		for (unsigned short i = m_MessageMaps.FirstInorder(); i != m_MessageMaps.InvalidIndex();
		     i = m_MessageMaps.NextInorder(i))
		{
			delete[] m_MessageMaps.Key(i);
			if (m_MessageMaps[i])
				m_PanelKeyBindingMapPool.Free(m_MessageMaps[i]);
		}
	}

	PanelKeyBindingMap *FindOrAddPanelKeyBindingMap(const char *className)
	{
		const char *name = StripNamespace(className);
		unsigned short at = m_MessageMaps.Find(name);
		if (at != m_MessageMaps.InvalidIndex() && m_MessageMaps[at])
			return m_MessageMaps[at];
		PanelKeyBindingMap *map = m_PanelKeyBindingMapPool.Alloc();
		if (at != m_MessageMaps.InvalidIndex())
		{
			m_MessageMaps[at] = map;
			return map;
		}
		m_MessageMaps.Insert(CopyName(name), map);
		return map;
	}

private:
	static const char *StripNamespace(const char *className)
	{
		if (!className)
			return "";
		return strncasecmp(className, "vgui::", 6) == 0 ? className + 6 : className;
	}

	CUtlMap<const char *, PanelKeyBindingMap *> m_MessageMaps;
	// "CPanelKeyBindingMapDictionary::m_PanelKeyBindingMapPool": records 32 to a block.
	CClassMemoryPool<PanelKeyBindingMap> m_PanelKeyBindingMapPool;
};

CPanelKeyBindingMapDictionary &GetPanelKeyBindingMapDictionary()
{
	static CPanelKeyBindingMapDictionary s_dictionary;
	return s_dictionary;
}

bool SameName(const char *a, const char *b) { return a && b && !strcasecmp(a, b); }
}

// Bound keys.

BoundKey_t::BoundKey_t() : isbuiltinname(false), bindingname(nullptr), keycode(KEY_NONE), modifiers(0) {}

BoundKey_t::BoundKey_t(const BoundKey_t &src)
    : isbuiltinname(src.isbuiltinname),
      bindingname(src.isbuiltinname ? src.bindingname : CopyName(src.bindingname)),
      keycode(src.keycode),
      modifiers(src.modifiers)
{
}

BoundKey_t &BoundKey_t::operator=(const BoundKey_t &src)
{
	if (this == &src)
		return *this;
	if (!isbuiltinname)
		delete[] bindingname;
	isbuiltinname = src.isbuiltinname;
	bindingname = src.isbuiltinname ? src.bindingname : CopyName(src.bindingname);
	keycode = src.keycode;
	modifiers = src.modifiers;
	return *this;
}

BoundKey_t::~BoundKey_t()
{
	if (!isbuiltinname)
		delete[] bindingname;
	bindingname = nullptr;
}

// Maps.

PanelKeyBindingMap *FindOrAddPanelKeyBindingMap(const char *className)
{
	return GetPanelKeyBindingMapDictionary().FindOrAddPanelKeyBindingMap(className);
}

void AddKeyBindingToMap(const char *className, const char *bindingName, KeyBindingFunc_t func, bool passive)
{
	KeyBindingMap_t entry = { bindingName, func, 0, 0, passive };
	FindOrAddPanelKeyBindingMap(className)->entries.AddToTail(entry);
}

void AddDefaultKeyToMap(const char *className, const char *bindingName, int keycode, int modifiers)
{
	BoundKey_t key;
	key.isbuiltinname = true;
	key.bindingname = const_cast<char *>(bindingName);
	key.keycode = keycode;
	key.modifiers = modifiers;
	FindOrAddPanelKeyBindingMap(className)->defaultkeys.AddToTail(key);
}

// The panel's side.

PanelKeyBindingMap *Panel::GetKBMap()
{
	static PanelKeyBindingMap *s_map = [] {
		PanelKeyBindingMap *map = FindOrAddPanelKeyBindingMap("Panel");
		map->pfnClassName = &Panel::GetPanelClassName;
		return map;
	}();
	return s_map;
}

void Panel::AddKeyBinding(const char *bindingName, int keyCode, int modifiers)
{
	if (!bindingName)
		return;
	for (PanelKeyBindingMap *map = GetKBMap(); map; map = map->baseMap)
	{
		for (int i = 0; i < map->entries.Count(); ++i)
		{
			if (!SameName(map->entries[i].bindingname, bindingName))
				continue;
			BoundKey_t key;
			key.isbuiltinname = false;
			key.bindingname = CopyName(bindingName);
			key.keycode = keyCode;
			key.modifiers = modifiers;
			map->boundkeys.AddToTail(key);
			return;
		}
	}
}

KeyBindingMap_t *Panel::LookupBinding(const char *bindingName)
{
	for (PanelKeyBindingMap *map = GetKBMap(); map; map = map->baseMap)
		for (int i = 0; i < map->entries.Count(); ++i)
			if (SameName(map->entries[i].bindingname, bindingName))
				return &map->entries[i];
	return nullptr;
}

KeyBindingMap_t *Panel::LookupBindingByKeyCode(ButtonCode_t code, int modifiers)
{
	for (PanelKeyBindingMap *map = GetKBMap(); map; map = map->baseMap)
	{
		for (int i = 0; i < map->boundkeys.Count(); ++i)
		{
			const BoundKey_t &key = map->boundkeys[i];
			if (key.keycode != code || key.modifiers != modifiers)
				continue;
			if (KeyBindingMap_t *binding = LookupBinding(key.bindingname))
				return binding;
		}
	}
	return nullptr;
}

bool Panel::IsKeyRebound(ButtonCode_t code, int modifiers)
{
	if (IsKeyBoardInputEnabled())
	{
		if (KeyBindingMap_t *binding = LookupBindingByKeyCode(code, modifiers))
		{
			VPANEL modal = input()->GetAppModalSurface();
			bool outsideModal = modal && !ipanel()->HasParent(GetVPanel(), modal);
			if (!outsideModal)
			{
				if (binding->func)
					(this->*binding->func)();
				if (!binding->passive)
					return true;
			}
		}
	}
	if (IsKeyBindingChainToParentAllowed())
		if (Panel *parent = GetParent())
			return IsKeyOverridden(code, modifiers) ? false : parent->IsKeyRebound(code, modifiers);
	return false;
}

bool Panel::IsKeyOverridden(ButtonCode_t, int) { return false; }

void Panel::EditKeyBindings() {}

void Panel::SetAllowKeyBindingChainToParent(bool state) { SetFlag(ALLOW_CHAIN_KEYBINDING_TO_PARENT, state); }

bool Panel::IsKeyBindingChainToParentAllowed() const { return IsFlag(ALLOW_CHAIN_KEYBINDING_TO_PARENT); }

void Panel::SetKeyBindingsContext(KeyBindingContextHandle_t handle)
{
	g_KBMgr.AddPanelToContext(handle, this);
	m_hKeyBindingsContext = handle;
}

KeyBindingContextHandle_t Panel::GetKeyBindingsContext() const { return m_hKeyBindingsContext; }

bool Panel::IsValidKeyBindingsContext() const { return m_hKeyBindingsContext != INVALID_KEYBINDINGCONTEXT_HANDLE; }

const char *Panel::GetKeyBindingsFile() const
{
	CKeyBindingsMgr::KBContext_t *context = g_KBMgr.Find(m_hKeyBindingsContext);
	return context ? context->m_KBFileName.String() : "";
}

const char *Panel::GetKeyBindingsFilePathID() const
{
	CKeyBindingsMgr::KBContext_t *context = g_KBMgr.Find(m_hKeyBindingsContext);
	return context ? context->m_KBPathID.String() : nullptr;
}
}

// Binding contexts.

namespace
{
bool KeyBindingContextHandleLessFunc(const CKeyBindingsMgr::KBContext_t &lhs, const CKeyBindingsMgr::KBContext_t &rhs)
{
	return lhs.m_KBHandle < rhs.m_KBHandle;
}
}

struct CKeyBindingsMgr::Contexts
{
	CUtlRBTree<KBContext_t, int> tree{ 0, 0, KeyBindingContextHandleLessFunc };
};

CKeyBindingsMgr g_KBMgr;

CKeyBindingsMgr::CKeyBindingsMgr() : m_pContexts(new Contexts) {}

CKeyBindingsMgr::~CKeyBindingsMgr()
{
	delete m_pContexts;
	m_pContexts = nullptr;
}

CKeyBindingsMgr::KBContext_t *CKeyBindingsMgr::Find(vgui::KeyBindingContextHandle_t handle)
{
	if (!m_pContexts)
		return nullptr;
	KBContext_t search;
	search.m_KBHandle = handle;
	int at = m_pContexts->tree.Find(search);
	return at != m_pContexts->tree.InvalidIndex() ? &m_pContexts->tree[at] : nullptr;
}

void CKeyBindingsMgr::AddPanelToContext(vgui::KeyBindingContextHandle_t handle, vgui::Panel *panel)
{
	if (!panel)
		return;
	const char *name = panel->GetName();
	if (!name || !*name)
	{
		Warning("Can't add Keybindings Context for unnamed panels\n");
		return;
	}
	KBContext_t *context = Find(handle);
	if (!context || context->m_Panels.Find(panel) != context->m_Panels.InvalidIndex())
		return;
	context->m_Panels.AddToTail(panel);
}

void CKeyBindingsMgr::OnPanelDeleted(vgui::KeyBindingContextHandle_t handle, vgui::Panel *panel)
{
	if (KBContext_t *context = Find(handle))
		context->m_Panels.FindAndRemove(panel);
}
