// Interface factory: the module's list of registered interfaces, the exported CreateInterface
// that looks them up by version name, and the loading of other modules by name.
#pragma once

// Factory of a module: version name in, interface out; the return code (may be null) receives
// IFACE_OK or IFACE_FAILED.
typedef void *(*CreateInterfaceFn)(const char *pName, int *pReturnCode);
// Create function of one registration.
typedef void *(*InstantiateInterfaceFn)();

enum
{
	IFACE_OK = 0,
	IFACE_FAILED
};

// One registration, a static object living as long as the module. The constructor pushes it
// on the front of s_pInterfaceRegs, so a later registration of a name hides an earlier one.
class InterfaceReg
{
public:
	InterfaceReg(InstantiateInterfaceFn fn, const char *pName);

	InstantiateInterfaceFn m_CreateFn;
	const char *m_pName;  // not copied
	InterfaceReg *m_pNext;

	static InterfaceReg *s_pInterfaceRegs;
};

#define CREATEINTERFACE_PROCNAME "CreateInterface"

// The module's factory, exported under its plain C name.
extern "C" __attribute__((visibility("default"))) void *CreateInterface(const char *pName, int *pReturnCode);

// Extension forced on every module file name.
#if defined(__APPLE__)
#define DLL_EXT_STRING ".dylib"
#else
#define DLL_EXT_STRING ".so"
#endif

enum Sys_Flags
{
	SYS_NOFLAGS = 0x00,
	SYS_NOLOAD = 0x01,  // only find a module that is already loaded
};

// Opens one module file (extension forced, slashes normalised); the dlopen handle or null.
// The caller closes a returned handle with dlclose.
void *Sys_LoadLibrary(const char *pPath, Sys_Flags flags = SYS_NOFLAGS);

// Opens a module by name: a relative name is tried under the working directory's bin folder
// (or the working directory itself when it is a bin folder or the name starts with "bin/"),
// then as given. A module exporting "BuiltDebug" is refused fatally unless the command line
// holds "-allowdebug" or a debugger is attached.
void *Sys_LoadModule(const char *pModuleName, Sys_Flags flags = SYS_NOFLAGS);

// Loads one named module the first time its factory is wanted; a failed load is not retried.
class CDllDemandLoader
{
public:
	explicit CDllDemandLoader(const char *pchModuleName);  // name not copied
	virtual ~CDllDemandLoader();

	CDllDemandLoader(const CDllDemandLoader &) = delete;
	CDllDemandLoader &operator=(const CDllDemandLoader &) = delete;

	// The module's CreateInterface, or null when it cannot be loaded or exports none.
	CreateInterfaceFn GetFactory();

private:
	const char *m_pchModuleName;
	void *m_hModule;
	bool m_bLoadAttempted;
};
