// Interface registrations, CreateInterface, and module loading of real test modules.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tier0/icommandline.h"
#include "tier0/standin.h"
#include "tier1/interface.h"

namespace fs = std::filesystem;

namespace
{
int g_HostObject;
int g_FirstDup, g_SecondDup;

void *CreateHost()
{
	return &g_HostObject;
}
void *CreateFirstDup()
{
	return &g_FirstDup;
}
void *CreateSecondDup()
{
	return &g_SecondDup;
}
void *CreateNothing()
{
	return nullptr;
}

InterfaceReg g_HostReg(CreateHost, "Foyerix002");
InterfaceReg g_FirstDupReg(CreateFirstDup, "Dup001");
InterfaceReg g_SecondDupReg(CreateSecondDup, "Dup001");
InterfaceReg g_NothingReg(CreateNothing, "Nothing001");

std::string LoadedPath(void *handle)
{
	link_map *map = nullptr;
	if (!handle || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
		return "";
	return map->l_name;
}

fs::path BuiltModule(const char *name)
{
	return fs::path(ZV_TEST_MODULE_DIR) / (std::string(name) + DLL_EXT_STRING);
}
}

TEST(Interface, CreateInterfaceFindsExactNames)
{
	struct Case
	{
		const char *name;
		void *expected;
		int code;
	};
	const Case cases[] = {
		{"Foyerix002", &g_HostObject, IFACE_OK}, {"foyerix002", nullptr, IFACE_FAILED},
		{"Foyerix00", nullptr, IFACE_FAILED},    {"Dup001", &g_SecondDup, IFACE_OK},  // the later record answers
		{"Nothing001", nullptr, IFACE_OK},       {"", nullptr, IFACE_FAILED},
	};
	for (const Case &c : cases)
	{
		int code = -1;
		EXPECT_EQ(CreateInterface(c.name, &code), c.expected) << c.name;
		EXPECT_EQ(code, c.code) << c.name;
		EXPECT_EQ(CreateInterface(c.name, nullptr), c.expected) << c.name;
	}
}

class ModuleLoading : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char temp[] = "/tmp/zv_modules_XXXXXX";
		ASSERT_NE(mkdtemp(temp), nullptr);
		m_root = temp;
		fs::create_directories(m_root / "bin");
		m_oldCwd = fs::current_path();
		fs::current_path(m_root);
		CommandLine_Tier0()->CreateCmdLine("zvtest");
		Tier0_SetDebugSession(0);
	}
	void TearDown() override
	{
		fs::current_path(m_oldCwd);
		fs::remove_all(m_root);
		Tier0_SetDebugSession(-1);
	}

	// Copies a built module to a path below the test's folder, under the given file name.
	fs::path Place(const char *module, const fs::path &relative)
	{
		fs::path target = m_root / relative;
		fs::create_directories(target.parent_path());
		fs::copy_file(BuiltModule(module), target, fs::copy_options::overwrite_existing);
		return target;
	}

	fs::path m_root;
	fs::path m_oldCwd;
};

TEST_F(ModuleLoading, LibraryPathGetsPlatformExtensionAndSlashes)
{
	fs::path placed = Place("zvtestmodule", "mods/client" DLL_EXT_STRING);
	const std::string wanted = placed.string();
	const std::string stem = (m_root / "mods").string();
	const std::string names[] = {stem + "/client", stem + "/client.dylib", stem + "/client.dll", stem + "\\client"};
	for (const std::string &name : names)
	{
		void *handle = Sys_LoadLibrary(name.c_str());
		ASSERT_NE(handle, nullptr) << name;
		EXPECT_EQ(LoadedPath(handle), wanted) << name;
		dlclose(handle);
	}
}

TEST_F(ModuleLoading, MissingFilesAreQuietOtherFailuresPrinted)
{
	Tier0OutputCapture capture;
	EXPECT_EQ(Sys_LoadLibrary((m_root / "absent").c_str()), nullptr);
	EXPECT_EQ(capture.All(), "");

	std::ofstream(m_root / ("junk" DLL_EXT_STRING)) << "not a module";
	EXPECT_EQ(Sys_LoadLibrary((m_root / "junk").c_str()), nullptr);
	const std::string prefix = " failed to dlopen " + (m_root / ("junk" DLL_EXT_STRING)).string() + " error=";
	EXPECT_EQ(capture.Of(Tier0OutputKind::Msg).rfind(prefix, 0), 0u) << capture.All();
	EXPECT_EQ(capture.All().back(), '\n');
}

TEST_F(ModuleLoading, ModuleNameResolvesAgainstWorkingDirectory)
{
	fs::path inBin = Place("zvtestmodule", "bin/zvtestmodule" DLL_EXT_STRING);
	fs::path inSub = Place("zvtestmodule", "sub/zvtestmodule" DLL_EXT_STRING);
	Place("zvtestmodule", "zvtestmodule" DLL_EXT_STRING);  // present, but bin/ comes first

	struct Case
	{
		fs::path cwd;
		std::string name;
		std::string expected;
	};
	const Case cases[] = {
		{m_root, "zvtestmodule", inBin.string()},
		{m_root, "bin/zvtestmodule", inBin.string()},
		{m_root / "bin", "zvtestmodule", inBin.string()},
		{m_root, "sub/zvtestmodule", "sub/zvtestmodule" DLL_EXT_STRING},  // not in bin/sub: opened as given
		{m_root / "bin", inSub.string(), inSub.string()},                   // absolute
	};
	for (const Case &c : cases)
	{
		fs::current_path(c.cwd);
		void *handle = Sys_LoadModule(c.name.c_str());
		ASSERT_NE(handle, nullptr) << c.name;
		EXPECT_EQ(LoadedPath(handle), c.expected) << c.name;
		dlclose(handle);
	}
}

TEST_F(ModuleLoading, WorkingDirectoryEndingInBinCounts)
{
	fs::path placed = Place("zvtestmodule", "cabin/zvtestmodule" DLL_EXT_STRING);
	fs::current_path(m_root / "cabin");
	void *handle = Sys_LoadModule("zvtestmodule");
	ASSERT_NE(handle, nullptr);
	EXPECT_EQ(LoadedPath(handle), placed.string());
	dlclose(handle);
}

TEST_F(ModuleLoading, ModuleFactoryServesItsOwnRegistrations)
{
	Place("zvtestmodule", "bin/zvtestmodule" DLL_EXT_STRING);
	void *handle = Sys_LoadModule("zvtestmodule");
	ASSERT_NE(handle, nullptr);
	auto factory = reinterpret_cast<CreateInterfaceFn>(dlsym(handle, "CreateInterface"));
	ASSERT_NE(factory, nullptr);
	ASSERT_NE(factory, &CreateInterface);
	int code = -1;
	int *object = static_cast<int *>(factory("TestModuleObject001", &code));
	ASSERT_NE(object, nullptr);
	EXPECT_EQ(*object, 42);
	EXPECT_EQ(code, IFACE_OK);
	EXPECT_EQ(factory("Foyerix002", &code), nullptr);  // the program's records are not the module's
	EXPECT_EQ(code, IFACE_FAILED);
	EXPECT_EQ(CreateInterface("TestModuleObject001", nullptr), nullptr);
	dlclose(handle);
}

TEST_F(ModuleLoading, DebugBuildNeedsAllowDebugOrDebugger)
{
	Place("zvdebugbuild", "bin/zvdebugbuild" DLL_EXT_STRING);
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(Sys_LoadModule("zvdebugbuild"), "Module zvdebugbuild is a debug build");

	const char *commandLines[] = {"zvtest -allowdebug", "zvtest -AllowDebug -other"};
	for (const char *commandLine : commandLines)
	{
		CommandLine_Tier0()->CreateCmdLine(commandLine);
		Tier0OutputCapture capture;
		void *handle = Sys_LoadModule("zvdebugbuild");
		EXPECT_NE(handle, nullptr) << commandLine;
		EXPECT_EQ(capture.Of(Tier0OutputKind::DevWarning), "Module zvdebugbuild is a debug build\n");
		if (handle)
			dlclose(handle);
	}

	CommandLine_Tier0()->CreateCmdLine("zvtest");
	Tier0_SetDebugSession(1);
	Tier0OutputCapture capture;
	void *handle = Sys_LoadModule("zvdebugbuild");
	EXPECT_NE(handle, nullptr);
	EXPECT_EQ(capture.Of(Tier0OutputKind::DevWarning), "Module zvdebugbuild is a debug build\n");
	if (handle)
		dlclose(handle);
}

TEST_F(ModuleLoading, DemandLoaderLoadsOnceAndClosesOnDestruction)
{
	Place("zvtestmodule", "bin/zvtestmodule" DLL_EXT_STRING);
	{
		CDllDemandLoader loader("zvtestmodule");
		CreateInterfaceFn factory = loader.GetFactory();
		ASSERT_NE(factory, nullptr);
		EXPECT_EQ(loader.GetFactory(), factory);
		EXPECT_NE(factory("TestModuleObject001", nullptr), nullptr);
	}

	// A module without a factory is loaded but yields none; destruction closes it.
	fs::path plain = Place("zvplainmodule", "bin/zvplainmodule" DLL_EXT_STRING);
	{
		CDllDemandLoader loader("zvplainmodule");
		EXPECT_EQ(loader.GetFactory(), nullptr);
		void *probe = Sys_LoadLibrary(plain.c_str(), SYS_NOLOAD);
		EXPECT_NE(probe, nullptr);
		if (probe)
			dlclose(probe);
	}
	EXPECT_EQ(Sys_LoadLibrary(plain.c_str(), SYS_NOLOAD), nullptr);
}

TEST_F(ModuleLoading, DemandLoaderDoesNotRetryAFailedLoad)
{
	CDllDemandLoader loader("gameui");
	EXPECT_EQ(loader.GetFactory(), nullptr);
	Place("zvtestmodule", "bin/gameui" DLL_EXT_STRING);  // appears too late
	EXPECT_EQ(loader.GetFactory(), nullptr);
	EXPECT_EQ(loader.GetFactory(), nullptr);

	CDllDemandLoader fresh("gameui");
	EXPECT_NE(fresh.GetFactory(), nullptr);
}
