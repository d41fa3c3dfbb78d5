// Test plug-in: offers one object under "TestModuleObject001" through an InterfaceReg.
#include "tier1/interface.h"

namespace
{
int g_Object = 42;

void *CreateObject()
{
	return &g_Object;
}

InterfaceReg g_ObjectReg(CreateObject, "TestModuleObject001");
}
