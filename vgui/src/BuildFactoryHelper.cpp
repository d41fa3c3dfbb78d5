// The build-factory registry: a list of class names and create functions, filled by static
// initialisers and never changed afterwards.
#include "vgui_controls/BuildFactoryHelper.h"

#include "tier0/dbg.h"
#include "tier1/strtools.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
// Zero-initialised before any dynamic initialiser runs, so registrations from other units in
// any order find a valid list.
CBuildFactoryHelper *CBuildFactoryHelper::m_sHelpers = nullptr;

CBuildFactoryHelper::CBuildFactoryHelper(const char *className, PANELCREATEFUNC func)
{
	for (CBuildFactoryHelper *p = m_sHelpers; p; p = p->m_pNext)
		if (!V_stricmp(p->m_pClassName, className))
			Error("CBuildFactoryHelper:  Factory for '%s' already exists!!!!\n", className);

	m_pNext = m_sHelpers;
	m_sHelpers = this;
	m_CreateFunc = func;
	m_pClassName = className;
}

Panel *CBuildFactoryHelper::InstancePanel(const char *className)
{
	if (!className)
		return nullptr;
	for (CBuildFactoryHelper *p = m_sHelpers; p; p = p->m_pNext)
		if (!V_stricmp(p->m_pClassName, className))
			return p->m_CreateFunc ? p->m_CreateFunc() : nullptr;
	return nullptr;
}

void CBuildFactoryHelper::GetFactoryNames(CUtlVector<const char *> &list)
{
	list.RemoveAll();
	for (CBuildFactoryHelper *p = m_sHelpers; p; p = p->m_pNext)
		list.AddToTail(p->m_pClassName);
}

// The panel itself.
static Panel *Create_Panel() { return new Panel(nullptr, nullptr); }
static CBuildFactoryHelper g_Panel_Helper("Panel", Create_Panel);
}
