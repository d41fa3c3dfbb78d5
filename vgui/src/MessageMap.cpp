// Message maps and the message side of vgui::Panel: the per-class map dictionary, dispatch of
// messages to handlers (with the older table as fallback), posting, information requests and
// action signals.
#include "vgui_controls/MessageMap.h"

#include <strings.h>

#include <cstring>

#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier0/icommandline.h"
#include "tier1/KeyValues.h"
#include "tier1/classmemorypool.h"
#include "tier1/utlmap.h"
#include "tier1/utlrbtree.h"
#include "vgui/IPanel.h"
#include "vgui/IVGui.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"
#include "vstdlib/IKeyValuesSystem.h"

namespace vgui
{
namespace
{
class CPanelMessageMapDictionary
{
public:
	CPanelMessageMapDictionary() : m_MessageMaps(0, 0, CaselessStringLessThan), m_PanelMessageMapPool(32) {}
	~CPanelMessageMapDictionary()
	{
		for (unsigned short i = m_MessageMaps.FirstInorder(); i != m_MessageMaps.InvalidIndex();
		     i = m_MessageMaps.NextInorder(i))
		{
			delete[] m_MessageMaps.Key(i);
			if (m_MessageMaps[i])
				m_PanelMessageMapPool.Free(m_MessageMaps[i]);
		}
	}

	PanelMessageMap *FindOrAddPanelMessageMap(const char *className)
	{
		const char *name = StripNamespace(className);
		unsigned short at = m_MessageMaps.Find(name);
		if (at != m_MessageMaps.InvalidIndex() && m_MessageMaps[at])
			return m_MessageMaps[at];
		PanelMessageMap *map = m_PanelMessageMapPool.Alloc();
		if (at != m_MessageMaps.InvalidIndex())
		{
			m_MessageMaps[at] = map;
			return map;
		}
		size_t n = strlen(name) + 1;
		char *key = new char[n];
		memcpy(key, name, n);
		m_MessageMaps.Insert(key, map);
		return map;
	}

private:
	static const char *StripNamespace(const char *className)
	{
		if (!className)
			return "";
		return strncasecmp(className, "vgui::", 6) == 0 ? className + 6 : className;
	}

	CUtlMap<const char *, PanelMessageMap *> m_MessageMaps;
	CClassMemoryPool<PanelMessageMap> m_PanelMessageMapPool;
};

CPanelMessageMapDictionary &GetPanelMessageMapDictionary()
{
	static CPanelMessageMapDictionary s_dictionary;
	return s_dictionary;
}

int SymbolOf(const char *text) { return text ? KeyValuesSystem()->GetSymbolForString(text, true) : -1; }

void PrepareItem(MessageMapItem_t &item)
{
	item.nameSymbol = SymbolOf(item.name);
	item.firstParamSymbol = SymbolOf(item.firstParamName);
	item.secondParamSymbol = SymbolOf(item.secondParamName);
}

// The older table of vgui::Panel itself.
MessageMapItem_t s_PanelOldItems[] = {
	{ "RequestFocus", ToMessageFunc(&Panel::RequestFocus), 1, DATATYPE_INT, "direction", 0, nullptr, 0, 0, 0 },
};
PanelMap_t s_PanelOldMap = { s_PanelOldItems, 1, "Panel", nullptr, 0 };

template <class... Args>
void Call(Panel *panel, MessageFunc_t func, Args... args)
{
	CallMessageFunc(panel, func, args...);
}

// The value of one parameter: the sub-key, or the message itself when the sub-key is missing.
struct Param
{
	KeyValues *kv;
	int type;

	int Int() const { return kv->GetInt(nullptr, 0); }
	const char *Str() const { return kv->GetString(nullptr, ""); }
	float Float() const { return kv->GetFloat(nullptr, 0.0f); }
	void *Ptr() const { return kv->GetPtr(nullptr, nullptr); }
	const wchar_t *WStr() const { return kv->GetWString(nullptr, L""); }
	VPANEL Handle() const { return ivgui()->HandleToPanel(static_cast<HPanel>(kv->GetInt(nullptr, 0))); }
};

// Calls a two-parameter handler for the pairs that exist; false for any other pair.
bool CallPair(Panel *panel, MessageFunc_t func, const Param &a, const Param &b)
{
	switch (a.type * 10 + b.type)
	{
	case 22: Call(panel, func, a.Int(), b.Int()); return true;
	case 11: Call(panel, func, a.Str(), b.Str()); return true;
	case 12: Call(panel, func, a.Str(), b.Int()); return true;
	case 21: Call(panel, func, a.Int(), b.Str()); return true;
	case 42: Call(panel, func, a.Ptr(), b.Int()); return true;
	case 47: Call(panel, func, a.Ptr(), b.WStr()); return true;
	case 41: Call(panel, func, a.Ptr(), b.Str()); return true;
	case 91: Call(panel, func, a.Handle(), b.Str()); return true;
	case 97: Call(panel, func, a.Handle(), b.WStr()); return true;
	default: return false;
	}
}
}

PanelMessageMap *FindOrAddPanelMessageMap(const char *className)
{
	return GetPanelMessageMapDictionary().FindOrAddPanelMessageMap(className);
}

void PreparePanelMessageMap(PanelMessageMap *panelMap)
{
	for (; panelMap && !panelMap->processed; panelMap = panelMap->baseMap)
	{
		for (int i = 0; i < panelMap->entries.Count(); ++i)
			PrepareItem(panelMap->entries[i]);
		panelMap->processed = true;
	}
}

void AddToMessageMap(const char *className, const char *scriptName, MessageFunc_t func, int numParams, int type1,
                     const char *name1, int type2, const char *name2)
{
	MessageMapItem_t item = { scriptName, func, numParams, type1, name1, type2, name2, 0, 0, 0 };
	FindOrAddPanelMessageMap(className)->entries.AddToTail(item);
}

// Panel's own maps.

void Panel::AddToMap(const char *scriptName, MessageFunc_t func, int numParams, int type1, const char *name1,
                     int type2, const char *name2)
{
	AddToMessageMap(GetPanelClassName(), scriptName, func, numParams, type1, name1, type2, name2);
}

void Panel::RegisterPanelMaps()
{
	static bool s_registered = false;
	if (s_registered)
		return;
	s_registered = true;

	PanelMessageMap *map = FindOrAddPanelMessageMap(GetPanelClassName());
	map->pfnClassName = &Panel::GetPanelClassName;
	map->baseMap = nullptr;

	const int I = DATATYPE_INT, S = DATATYPE_CONSTCHARPTR;
	AddToMap("Repaint", ToMessageFunc(&Panel::Repaint), 0, 0, nullptr, 0, nullptr);
	AddToMap("Command", ToMessageFunc(&Panel::OnCommand), 1, S, "command", 0, nullptr);
	AddToMap("MouseCaptureLost", ToMessageFunc(&Panel::OnMouseCaptureLost), 0, 0, nullptr, 0, nullptr);
	AddToMap("SetFocus", ToMessageFunc(&Panel::OnSetFocus), 0, 0, nullptr, 0, nullptr);
	AddToMap("KillFocus", ToMessageFunc(&Panel::OnKillFocus), 0, 0, nullptr, 0, nullptr);
	AddToMap("Delete", ToMessageFunc(&Panel::OnDelete), 0, 0, nullptr, 0, nullptr);
	AddToMap("OnCursorMoved", ToMessageFunc(&Panel::OnCursorMoved), 2, I, "x", I, "y");
	AddToMap("OnMouseFocusTicked", ToMessageFunc(&Panel::OnMouseFocusTicked), 0, 0, nullptr, 0, nullptr);
	AddToMap("OnNavigateTo", ToMessageFunc(&Panel::OnNavigateTo), 1, S, "panelName", 0, nullptr);
	AddToMap("OnNavigateFrom", ToMessageFunc(&Panel::OnNavigateFrom), 1, S, "panelName", 0, nullptr);
	AddToMap("OnRequestFocus", ToMessageFunc(&Panel::OnRequestFocus), 2, I, "subFocus", I, "defaultPanel");
	AddToMap("OnScreenSizeChanged", ToMessageFunc(&Panel::OnScreenSizeChanged), 2, I, "oldwide", I, "oldtall");
	AddToMap("CursorMoved", ToMessageFunc(&Panel::InternalCursorMoved), 2, I, "xpos", I, "ypos");
	AddToMap("CursorEntered", ToMessageFunc(&Panel::InternalCursorEntered), 0, 0, nullptr, 0, nullptr);
	AddToMap("CursorExited", ToMessageFunc(&Panel::InternalCursorExited), 0, 0, nullptr, 0, nullptr);
	AddToMap("MousePressed", ToMessageFunc(&Panel::InternalMousePressed), 1, I, "code", 0, nullptr);
	AddToMap("MouseDoublePressed", ToMessageFunc(&Panel::InternalMouseDoublePressed), 1, I, "code", 0, nullptr);
	AddToMap("MouseTriplePressed", ToMessageFunc(&Panel::InternalMouseTriplePressed), 1, I, "code", 0, nullptr);
	AddToMap("MouseReleased", ToMessageFunc(&Panel::InternalMouseReleased), 1, I, "code", 0, nullptr);
	AddToMap("MouseWheeled", ToMessageFunc(&Panel::InternalMouseWheeled), 1, I, "delta", 0, nullptr);
	AddToMap("KeyCodePressed", ToMessageFunc(&Panel::InternalKeyCodePressed), 1, I, "code", 0, nullptr);
	AddToMap("KeyCodeTyped", ToMessageFunc(&Panel::InternalKeyCodeTyped), 1, I, "code", 0, nullptr);
	AddToMap("KeyTyped", ToMessageFunc(&Panel::InternalKeyTyped), 1, I, "unichar", 0, nullptr);
	AddToMap("KeyCodeReleased", ToMessageFunc(&Panel::InternalKeyCodeReleased), 1, I, "code", 0, nullptr);
	AddToMap("KeyFocusTicked", ToMessageFunc(&Panel::InternalKeyFocusTicked), 0, 0, nullptr, 0, nullptr);
	AddToMap("MouseFocusTicked", ToMessageFunc(&Panel::InternalMouseFocusTicked), 0, 0, nullptr, 0, nullptr);
	AddToMap("Invalidate", ToMessageFunc(&Panel::InternalInvalidateLayout), 0, 0, nullptr, 0, nullptr);
	AddToMap("Move", ToMessageFunc(&Panel::InternalMove), 0, 0, nullptr, 0, nullptr);
	AddToMap("activate", ToMessageFunc(&Panel::OnActivate), 0, 0, nullptr, 0, nullptr);
	AddToMap("deactivate", ToMessageFunc(&Panel::OnDeactivate), 0, 0, nullptr, 0, nullptr);
}

PanelMessageMap *Panel::GetMessageMap()
{
	static PanelMessageMap *s_map = FindOrAddPanelMessageMap(GetPanelClassName());
	return s_map;
}

PanelMap_t *Panel::GetPanelMap() { return &s_PanelOldMap; }

const char *Panel::GetClassName()
{
	PanelMessageMap *map = GetMessageMap();
	return map && map->pfnClassName ? map->pfnClassName() : "Panel";
}

void Panel::PreparePanelMap(PanelMap_t *panelMap)
{
	for (; panelMap && !panelMap->processed; panelMap = panelMap->baseMap)
	{
		if (panelMap->baseMap == reinterpret_cast<PanelMap_t *>(1))
			panelMap->baseMap = &s_PanelOldMap;
		for (int i = 0; i < panelMap->dataNumFields; ++i)
			PrepareItem(panelMap->dataDesc[i]);
		panelMap->processed = 1;
	}
}

// Dispatch.

void Panel::OnMessage(const KeyValues *params, VPANEL ifromPanel)
{
	if (!params)
		return;
	KeyValues *message = const_cast<KeyValues *>(params);
	PanelMessageMap *map = GetMessageMap();
	if (map && !map->processed)
		PreparePanelMessageMap(map);

	int symbol = message->GetNameSymbol();
	for (; map; map = map->baseMap)
	{
		for (int i = 0; i < map->entries.Count(); ++i)
		{
			const MessageMapItem_t &item = map->entries[i];
			if (item.nameSymbol != symbol)
				continue;

			KeyValues *first = message->FindKey(item.firstParamSymbol);
			KeyValues *second = message->FindKey(item.secondParamSymbol);
			Param a = { first ? first : message, item.firstParamType };
			Param b = { second ? second : message, item.secondParamType };

			if (item.numParams == 0)
				Call(this, item.func);
			else if (item.numParams == 1)
			{
				switch (item.firstParamType)
				{
				case DATATYPE_CONSTCHARPTR: Call(this, item.func, a.Str()); break;
				case DATATYPE_INT: Call(this, item.func, a.Int()); break;
				case DATATYPE_FLOAT: Call(this, item.func, a.Float()); break;
				case DATATYPE_PTR: Call(this, item.func, a.Ptr()); break;
				case DATATYPE_CONSTWCHARPTR: Call(this, item.func, a.WStr()); break;
				case DATATYPE_UINT64: Call(this, item.func, static_cast<uint64_t>(a.kv->GetUint64(nullptr, 0))); break;
				case DATATYPE_HANDLE: Call(this, item.func, a.Handle()); break;
				case DATATYPE_KEYVALUES:
					Call(this, item.func, item.firstParamName ? static_cast<KeyValues *>(a.Ptr()) : message);
					break;
				default: break;
				}
			}
			else if (item.numParams == 2)
			{
				if (!CallPair(this, item.func, a, b))
					ivgui()->DPrintf("Message '%s', sent to '%s', has invalid parameter types\n", message->GetName(),
					                 GetName());
			}
			return;
		}
	}

	OnOldMessage(message, ifromPanel);
}

void Panel::OnOldMessage(KeyValues *params, VPANEL)
{
	PanelMap_t *map = GetPanelMap();
	if (map && !map->processed)
		PreparePanelMap(map);

	int symbol = params->GetNameSymbol();
	for (; map; map = map->baseMap)
	{
		for (int i = 0; i < map->dataNumFields; ++i)
		{
			const MessageMapItem_t &item = map->dataDesc[i];
			if (item.nameSymbol != symbol)
				continue;
			const char *n1 = item.firstParamName, *n2 = item.secondParamName;
			if (item.numParams == 1)
			{
				switch (item.firstParamType)
				{
				case DATATYPE_CONSTCHARPTR: Call(this, item.func, params->GetString(n1)); break;
				case DATATYPE_INT: Call(this, item.func, params->GetInt(n1)); break;
				case DATATYPE_FLOAT: Call(this, item.func, params->GetFloat(n1)); break;
				case DATATYPE_PTR: Call(this, item.func, params->GetPtr(n1)); break;
				case DATATYPE_BOOL: Call(this, item.func, params->GetInt(n1) != 0); break;
				case DATATYPE_KEYVALUES:
					Call(this, item.func, n1 ? static_cast<KeyValues *>(params->GetPtr(n1)) : params);
					break;
				case DATATYPE_CONSTWCHARPTR: Call(this, item.func, params->GetWString(n1)); break;
				case DATATYPE_HANDLE:
				{
					VPANEL vpanel = ivgui()->HandleToPanel(static_cast<HPanel>(params->GetInt(n1)));
					Call(this, item.func, ipanel()->GetPanel(vpanel, GetModuleName()));
					break;
				}
				default:
					ivgui()->DPrintf("Message '%s', sent to '%s', has an invalid parameter type\n", params->GetName(),
					                 GetName());
					break;
				}
			}
			else if (item.numParams == 2)
			{
				KeyValues *k1 = params->FindKey(n1);
				KeyValues *k2 = params->FindKey(n2);
				Param a = { k1 ? k1 : params, item.firstParamType };
				Param b = { k2 ? k2 : params, item.secondParamType };
				if (!CallPair(this, item.func, a, b))
					ivgui()->DPrintf("Message '%s', sent to '%s', has invalid parameter types\n", params->GetName(),
					                 GetName());
			}
			else
				Call(this, item.func);
			return;
		}
	}

	static int s_vguiMessages = -1;
	if (s_vguiMessages < 0)
		s_vguiMessages = CommandLine_Tier0()->FindParm("-vguimessages") ? 1 : 0;
	if (s_vguiMessages)
		ivgui()->DPrintf("Message '%s' not handled by panel '%s'\n", params->GetName(), GetName());
}

// Posting.

void Panel::PostMessage(VPANEL target, KeyValues *message, float delaySeconds)
{
	ivgui()->PostMessage(target, message, GetVPanel(), delaySeconds);
}

void Panel::PostMessage(Panel *target, KeyValues *message, float delaySeconds)
{
	// A missing target would post to no panel: the engine drops such a message unread.
	ivgui()->PostMessage(target ? target->GetVPanel() : 0, message, GetVPanel(), delaySeconds);
}

void Panel::PostMessageToChild(const char *childName, KeyValues *message)
{
	if (Panel *child = FindChildByName(childName, false))
		PostMessage(child, message);
	else if (message)
		message->deleteThis();
}

// Information requests over the animation-variable map.

namespace
{
// The converter of the animation variable a request names, with its entry; null when the
// panel's map chain has no such variable or its type has no converter.
IPanelAnimationPropertyConverter *AnimationVariable(Panel *panel, KeyValues *data, const PanelAnimationMapEntry *&entry)
{
	PanelAnimationMap *map = panel->GetAnimMap();
	entry = map && data ? FindPanelAnimationEntry(data->GetName(), map) : nullptr;
	return entry && entry->type() ? FindPanelAnimationPropertyConverter(entry->type()) : nullptr;
}
}

bool Panel::RequestInfo(KeyValues *outputData)
{
	const PanelAnimationMapEntry *entry = nullptr;
	if (IPanelAnimationPropertyConverter *converter = AnimationVariable(this, outputData, entry))
	{
		converter->GetData(this, outputData, entry);
		return true;
	}
	if (entry)
		return false;  // a variable of this panel that cannot be read
	if (GetVParent())
		return ipanel()->RequestInfo(GetVParent(), outputData);
	return false;
}

bool Panel::SetInfo(KeyValues *inputData)
{
	const PanelAnimationMapEntry *entry = nullptr;
	IPanelAnimationPropertyConverter *converter = AnimationVariable(this, inputData, entry);
	if (!converter)
		return false;
	converter->SetData(this, inputData, entry);
	return true;
}

bool Panel::RequestInfoFromChild(const char *childName, KeyValues *outputData)
{
	Panel *child = FindChildByName(childName, false);
	return child && child->RequestInfo(outputData);
}

// Action signals.

void Panel::SetSilentMode(bool silent) { _flags3 = silent ? (_flags3 | 0x4) : (_flags3 & ~0x4); }

void Panel::InstallMouseHandler(Panel *handler) { m_hMouseEventHandler = handler; }

void Panel::AddActionSignalTarget(Panel *messageTarget)
{
	if (messageTarget)
		AddActionSignalTarget(messageTarget->GetVPanel());
}

void Panel::AddActionSignalTarget(VPANEL messageTarget)
{
	HPanel target = ivgui()->PanelToHandle(messageTarget);
	if (_actionSignalTargetDar.Find(target) < 0)
		_actionSignalTargetDar.AddToTail(target);
}

void Panel::RemoveActionSignalTarget(Panel *oldTarget)
{
	if (!oldTarget)
		return;
	int at = _actionSignalTargetDar.Find(ivgui()->PanelToHandle(oldTarget->GetVPanel()));
	if (at >= 0)
		_actionSignalTargetDar.Remove(at);
}

void Panel::PostActionSignal(KeyValues *message)
{
	if (!message)
		return;
	if (_flags3 & 0x4)
	{
		message->deleteThis();
		return;
	}
	message->SetPtr("panel", this);

	if (g_Lua && m_pLuaTable && !m_pLuaTable->isNil() && !IsMarkedForDeletion())
	{
		m_pLuaTable->Push();
		g_Lua->PushString("ActionSignal");
		g_Lua->GetTable(-2);
		if (g_Lua->GetType(-1) == LUA_TYPE_FUNCTION)
		{
			PushForLua();
			g_Lua->PushString(message->GetName());
			int args = 2;
			for (KeyValues *kv = message->GetFirstSubKey(); kv; kv = kv->GetNextKey())
			{
				KeyValues::types_t type = kv->GetDataType();
				if (type == KeyValues::TYPE_PTR)
					continue;
				// Integers go over whole: a float would round those above 2^24.
				if (type == KeyValues::TYPE_INT)
					g_Lua->PushNumber(kv->GetInt());
				else if (type == KeyValues::TYPE_FLOAT)
					g_Lua->PushNumber(kv->GetFloat());
				else
					g_Lua->PushString(kv->GetString());
				++args;
			}
			g_Lua->Call(args, 0);
			g_Lua->Pop(1);
		}
		else
			g_Lua->Pop(2);
	}

	for (int i = _actionSignalTargetDar.Count() - 1; i > 0; --i)
	{
		VPANEL target = ivgui()->HandleToPanel(_actionSignalTargetDar[i]);
		if (target)
			ivgui()->PostMessage(target, message->MakeCopy(), GetVPanel());
	}

	VPANEL first = _actionSignalTargetDar.Count() ? ivgui()->HandleToPanel(_actionSignalTargetDar[0]) : 0;
	if (first)
		ivgui()->PostMessage(first, message, GetVPanel());
	else
		message->deleteThis();
}

void Panel::OnCommand(const char *command)
{
	if (command && !strcasecmp(command, "performlayout"))
		InvalidateLayout(false, false);
	else if (command && !strcasecmp(command, "reloadscheme"))
		InvalidateLayout(false, true);
	else
		PostActionSignal(new KeyValues(command ? command : ""));
}
}
