// Registries of libraries and global functions, and their installation into a state.
#include "lua/LuaLibrary.h"

#include "lua/LuaObject.h"

CUtlLinkedList<CLuaUser *, unsigned short> *g_LuaUsers = nullptr;

namespace
{
CLuaLibrary *g_pGlobalLuaLibraryFactory = nullptr;

void RemoveUser(CLuaUser *user)
{
	if (!g_LuaUsers)
		return;
	auto i = g_LuaUsers->Head();
	while (i != g_LuaUsers->InvalidIndex())
	{
		auto next = g_LuaUsers->Next(i);
		if ((*g_LuaUsers)[i] == user)
			g_LuaUsers->Remove(i);
		i = next;
	}
}
}

CLuaUser::~CLuaUser()
{
	RemoveUser(this);
}

void CLuaUser::SetUsingLua(bool bOn)
{
	if (m_bUsingLua == bOn)
		return;
	if (!g_LuaUsers)
		g_LuaUsers = new CUtlLinkedList<CLuaUser *, unsigned short>();
	if (bOn)
		g_LuaUsers->AddToTail(this);
	else
		RemoveUser(this);
	m_bUsingLua = bOn;
}

CLuaLibraryFunction::CLuaLibraryFunction(CLuaLibrary &library, const char *name, CFunc function)
	: m_pName(name), m_iUnused(0), m_pFunction(function)
{
	library.Add(this);
}

CLuaLibrary::~CLuaLibrary()
{
	m_Functions.Purge();
}

void CLuaLibrary::Add(CLuaLibraryFunction *pFunction)
{
	m_Functions.AddToTail(pFunction);
	SetUsingLua(true);
}

void CLuaLibrary::InitLibraries(ILuaInterface *pLua)
{
	CLuaTable table(m_pName);
	for (int i = 0; i < m_Functions.Count(); ++i)
		table.SetMember(m_Functions[i]->m_pName, m_Functions[i]->m_pFunction);
	table.UnReference();
}

void CLuaGlobalLibrary::InitLibraries(ILuaInterface *pLua)
{
	for (int i = 0; i < m_Functions.Count(); ++i)
		pLua->Global()->SetMember(m_Functions[i]->m_pName, m_Functions[i]->m_pFunction);
}

CLuaLibrary *GetGlobalLuaLibraryFactory()
{
	if (!g_pGlobalLuaLibraryFactory)
		g_pGlobalLuaLibraryFactory = new CLuaGlobalLibrary();
	return g_pGlobalLuaLibraryFactory;
}

void InitLuaLibraries(ILuaInterface *pLua)
{
	if (!g_LuaUsers)
		return;
	for (auto i = g_LuaUsers->Head(); i != g_LuaUsers->InvalidIndex(); i = g_LuaUsers->Next(i))
		(*g_LuaUsers)[i]->InitLibraries(pLua);
}
