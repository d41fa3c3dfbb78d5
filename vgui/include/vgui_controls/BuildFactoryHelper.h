// The build-factory registry: every control class a layout file may name registers, at load,
// a function that creates an instance; layout files and the build-mode editor create controls
// by class name through it.
#pragma once

#include "tier1/utlvector.h"

namespace vgui
{
class Panel;

typedef Panel *(*PANELCREATEFUNC)();

class CBuildFactoryHelper
{
public:
	// Registers one class name (compared without regard to case); a second registration of a
	// name is fatal. Called from static initialisers only; the name is not copied.
	CBuildFactoryHelper(const char *className, PANELCREATEFUNC func);

	// A new, unparented panel of the registered class, or null.
	static Panel *InstancePanel(const char *className);
	// Every registered class name, the most recent registration first.
	static void GetFactoryNames(CUtlVector<const char *> &list);

	static CBuildFactoryHelper *m_sHelpers;

private:
	CBuildFactoryHelper *m_pNext;
	PANELCREATEFUNC m_CreateFunc;
	const char *m_pClassName;
};
}

// Registers className with Create_className, which makes `new className()`.
#define DECLARE_BUILD_FACTORY(className)                                                                          \
	static vgui::Panel *Create_##className() { return new className(nullptr, nullptr); }                         \
	static vgui::CBuildFactoryHelper g_##className##_Helper(#className, Create_##className);

// Registers className with Create_className, which passes the given default text.
#define DECLARE_BUILD_FACTORY_DEFAULT_TEXT(className, defaultText)                                               \
	static vgui::Panel *Create_##className() { return new className(nullptr, nullptr, #defaultText); }           \
	static vgui::CBuildFactoryHelper g_##className##_Helper(#className, Create_##className);

// Registers name with a create function of the caller's own.
#define DECLARE_BUILD_FACTORY_CUSTOM(className, createFunc)                                                      \
	static vgui::CBuildFactoryHelper g_##className##_Helper(#className, createFunc);

#define DECLARE_BUILD_FACTORY_CUSTOM_ALIAS(className, factoryName, createFunc)                                   \
	static vgui::CBuildFactoryHelper g_##factoryName##_Helper(#factoryName, createFunc);
