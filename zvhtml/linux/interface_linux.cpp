// The Linux build's interface-factory file: registrations, the exported CreateInterface, and
// module loading through the dynamic loader. Unlike the menu plug-in's loader, a module's debug
// marker is not looked at.
#include "interface_linux.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "tier0/dbg.h"
#include "tier0/platform.h"
#include "tier1/strtools.h"

namespace
{
const int kMaxModulePath = 1024;
}

InterfaceReg *InterfaceReg::s_pInterfaceRegs = nullptr;

InterfaceReg::InterfaceReg(InstantiateInterfaceFn fn, const char *pName) : m_CreateFn(fn), m_pName(pName)
{
	m_pNext = s_pInterfaceRegs;
	s_pInterfaceRegs = this;
}

void *CreateInterface(const char *pName, int *pReturnCode)
{
	for (InterfaceReg *reg = InterfaceReg::s_pInterfaceRegs; reg; reg = reg->m_pNext)
	{
		if (pName && strcmp(reg->m_pName, pName) == 0)
		{
			if (pReturnCode)
				*pReturnCode = IFACE_OK;
			return reg->m_CreateFn();
		}
	}
	if (pReturnCode)
		*pReturnCode = IFACE_FAILED;
	return nullptr;
}

void *Sys_LoadLibrary(const char *pPath, Sys_Flags flags)
{
	if (!pPath)
		return nullptr;
	char path[kMaxModulePath];
	V_strncpy(path, pPath, sizeof(path));
	V_SetExtension(path, DLL_EXT_STRING, sizeof(path));
	V_FixSlashes(path, '/');

	int mode = RTLD_NOW;
	if (flags & SYS_NOLOAD)
		mode |= RTLD_NOLOAD;
	void *handle = dlopen(path, mode);
	if (!handle && !(flags & SYS_NOLOAD))
	{
		// A missing file is the normal case of a search and stays quiet.
		const char *error = dlerror();
		if (error && !strstr(error, "No such file") && !strstr(error, "image not found"))
			Msg(" failed to dlopen %s error=%s\n", path, error);
	}
	return handle;
}

void *Sys_LoadModule(const char *pModuleName, Sys_Flags flags)
{
	if (!pModuleName)
		return nullptr;
	void *handle = nullptr;
	if (!V_IsAbsolutePath(pModuleName))
	{
		char cwd[kMaxModulePath];
		if (!getcwd(cwd, sizeof(cwd)))
			cwd[0] = '\0';
		size_t len = strlen(cwd);
		if (len > 0 && (cwd[len - 1] == '/' || cwd[len - 1] == '\\'))
			cwd[--len] = '\0';
		bool inBin = strncmp(pModuleName, "bin/", 4) == 0 || (len >= 3 && strcmp(cwd + len - 3, "bin") == 0);
		char path[kMaxModulePath];
		V_snprintf(path, sizeof(path), inBin ? "%s/%s" : "%s/bin/%s", cwd, pModuleName);
		handle = Sys_LoadLibrary(path, flags);
	}
	if (!handle)
		handle = Sys_LoadLibrary(pModuleName, flags);
	return handle;
}

void *Sys_OpenModuleHandle(const char *pModuleName)
{
	if (!pModuleName)
		return nullptr;
	// Only a module that is already loaded is looked at: loading one here and dropping the
	// reference at once would unload it again and leave a dead handle.
	void *handle = dlopen(pModuleName, RTLD_NOW | RTLD_NOLOAD);
	if (!handle)
	{
		const char *error = dlerror();
		printf("DLOPEN Error:%s\n", error ? error : "module is not loaded");
		return nullptr;
	}
	dlclose(handle);
	return handle;
}

void Sys_ReleaseModule(void *hModule)
{
	if (hModule)
		dlclose(hModule);
}

CreateInterfaceFn Sys_ModuleFactory(void *hModule)
{
	if (!hModule)
		return nullptr;
	return reinterpret_cast<CreateInterfaceFn>(dlsym(hModule, CREATEINTERFACE_PROCNAME));
}

CreateInterfaceFn Sys_OwnFactory()
{
	return CreateInterface;
}

CreateInterfaceFn Sys_FactoryByPath(const char *pModuleName)
{
	return Sys_ModuleFactory(Sys_OpenModuleHandle(pModuleName));
}

bool Sys_LoadModuleInterface(const char *pModuleName, const char *pInterfaceVersionName, void **phModule,
                             void **ppInterface)
{
	void *hModule = Sys_LoadModule(pModuleName, SYS_NOFLAGS);
	if (!hModule)
		return false;
	void *pInterface = nullptr;
	if (CreateInterfaceFn factory = Sys_ModuleFactory(hModule))
	{
		pInterface = factory(pInterfaceVersionName, nullptr);
		if (ppInterface)
			*ppInterface = pInterface;
	}
	if (pInterface)
	{
		if (phModule)
			*phModule = hModule;
		return true;
	}
	Sys_ReleaseModule(hModule);
	return false;
}

bool Sys_InDebugSession()
{
	return Plat_IsInDebugSession();
}

bool Sys_LaunchedUnderDebugger()
{
	return false;
}

CDllDemandLoader::CDllDemandLoader(const char *pchModuleName)
	: m_pchModuleName(pchModuleName), m_hModule(nullptr), m_bLoadAttempted(false)
{
}

CDllDemandLoader::~CDllDemandLoader()
{
	Sys_ReleaseModule(m_hModule);
	m_hModule = nullptr;
}

CreateInterfaceFn CDllDemandLoader::GetFactory()
{
	if (!m_hModule)
	{
		if (m_bLoadAttempted)
			return nullptr;
		m_bLoadAttempted = true;
		m_hModule = Sys_LoadModule(m_pchModuleName, SYS_NOFLAGS);
	}
	return Sys_ModuleFactory(m_hModule);
}
