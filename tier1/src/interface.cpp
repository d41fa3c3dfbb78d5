// Interface registrations, the exported CreateInterface, and module loading with dlopen.
#include "tier1/interface.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>

#include "tier0/dbg.h"
#include "tier0/icommandline.h"
#include "tier0/platform.h"
#include "tier1/strtools.h"

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

namespace
{
const int kMaxModulePath = 1024;
}

void *Sys_LoadLibrary(const char *pPath, Sys_Flags flags)
{
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
		if (inBin)
			V_snprintf(path, sizeof(path), "%s/%s", cwd, pModuleName);
		else
			V_snprintf(path, sizeof(path), "%s/bin/%s", cwd, pModuleName);
		handle = Sys_LoadLibrary(path, flags);
		if (!handle)
			handle = Sys_LoadLibrary(pModuleName, flags);
	}
	else
	{
		handle = Sys_LoadLibrary(pModuleName, flags);
	}

	if (handle && dlsym(handle, "BuiltDebug"))
	{
		if (!CommandLine_Tier0()->CheckParm("-allowdebug") && !Plat_IsInDebugSession())
			Error("Module %s is a debug build\n", pModuleName);
		DevWarning("Module %s is a debug build\n", pModuleName);
	}
	return handle;
}

CDllDemandLoader::CDllDemandLoader(const char *pchModuleName)
	: m_pchModuleName(pchModuleName), m_hModule(nullptr), m_bLoadAttempted(false)
{
}

CDllDemandLoader::~CDllDemandLoader()
{
	if (m_hModule)
	{
		dlclose(m_hModule);
		m_hModule = nullptr;
	}
}

CreateInterfaceFn CDllDemandLoader::GetFactory()
{
	if (!m_hModule)
	{
		if (m_bLoadAttempted)
			return nullptr;
		m_bLoadAttempted = true;
		m_hModule = Sys_LoadModule(m_pchModuleName, SYS_NOFLAGS);
		if (!m_hModule)
			return nullptr;
	}
	return reinterpret_cast<CreateInterfaceFn>(dlsym(m_hModule, CREATEINTERFACE_PROCNAME));
}
