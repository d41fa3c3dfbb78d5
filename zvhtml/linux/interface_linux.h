// Module functions that only the Linux build of the HTML plug-in carries, beside the interface
// factory of tier1/interface.h (whose CreateInterface, InterfaceReg, Sys_LoadLibrary,
// Sys_LoadModule and CDllDemandLoader this build also compiles itself, in interface_linux.cpp).
#pragma once

#include "tier1/interface.h"

// The handle of a module the process has already loaded, or null (with "DLOPEN Error:" on
// standard output) for one that is not loaded. The extra reference is dropped at once: the
// handle stays valid only as long as the module's own loader keeps it.
void *Sys_OpenModuleHandle(const char *pModuleName);
// dlclose of a non-null handle.
void Sys_ReleaseModule(void *hModule);
// The module's exported "CreateInterface"; null for a null handle or a module without one.
CreateInterfaceFn Sys_ModuleFactory(void *hModule);
// This library's own CreateInterface.
CreateInterfaceFn Sys_OwnFactory();
// "CreateInterface" of a module that is already loaded, found by path.
CreateInterfaceFn Sys_FactoryByPath(const char *pModuleName);
// Loads a module and creates one interface of it; on failure the module is released again and
// *phModule is left as it was.
bool Sys_LoadModuleInterface(const char *pModuleName, const char *pInterfaceVersionName, void **phModule,
                             void **ppInterface);
bool Sys_InDebugSession();
// Always false on Linux.
bool Sys_LaunchedUnderDebugger();
