// The Linux build's module loader over real test modules in a fresh folder: names and
// extensions, the working-directory search, factories and interfaces, the demand loader.
#include "interface_linux.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "tier0/icommandline.h"
#include "tier0/standin.h"

namespace fs = std::filesystem;

namespace
{
int g_Object;
void *CreateObject()
{
	return &g_Object;
}
InterfaceReg g_ObjectReg(CreateObject, "LinuxLoaderObject001");

std::string LoadedPath(void *handle)
{
	link_map *map = nullptr;
	if (!handle || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
		return "";
	return map->l_name;
}

fs::path BuiltModule(const char *name)
{
	return fs::path(ZV_TEST_MODULE_DIR) / (std::string(name) + ".so");
}

class LinuxModuleLoading : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char temp[] = "/tmp/zv_linux_modules_XXXXXX";
		ASSERT_NE(mkdtemp(temp), nullptr);
		m_root = fs::canonical(temp);
		m_oldCwd = fs::current_path();
		fs::current_path(m_root);
		Tier0_SetDebugSession(0);
	}
	void TearDown() override
	{
		fs::current_path(m_oldCwd);
		fs::remove_all(m_root);
		Tier0_SetDebugSession(-1);
	}

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
}

TEST(LinuxInterface, OwnFactoryFindsExactNames)
{
	int code = -1;
	EXPECT_EQ(Sys_OwnFactory()("LinuxLoaderObject001", &code), &g_Object);
	EXPECT_EQ(code, IFACE_OK);
	EXPECT_EQ(CreateInterface("linuxloaderobject001", &code), nullptr);
	EXPECT_EQ(code, IFACE_FAILED);
	EXPECT_EQ(CreateInterface(nullptr, nullptr), nullptr);
	EXPECT_EQ(Sys_ModuleFactory(nullptr), nullptr);
	Sys_ReleaseModule(nullptr);
	EXPECT_FALSE(Sys_LaunchedUnderDebugger());
	Tier0_SetDebugSession(1);
	EXPECT_TRUE(Sys_InDebugSession());
	Tier0_SetDebugSession(0);
	EXPECT_FALSE(Sys_InDebugSession());
	Tier0_SetDebugSession(-1);
}

TEST_F(LinuxModuleLoading, LibraryNamesGetTheSoExtensionAndForwardSlashes)
{
	fs::path foo = Place("zvtestmodule", "foo.so");
	Place("zvtestmodule", "sub/bar.so");
	void *a = Sys_LoadLibrary((m_root / "foo.dll").c_str());
	EXPECT_EQ(LoadedPath(a), foo.string());
	std::string backslashed = m_root.string() + "\\sub\\bar";
	void *b = Sys_LoadLibrary(backslashed.c_str());
	EXPECT_EQ(LoadedPath(b), (m_root / "sub/bar.so").string());
	Sys_ReleaseModule(a);
	Sys_ReleaseModule(b);
	EXPECT_EQ(Sys_LoadLibrary(nullptr), nullptr);
}

TEST_F(LinuxModuleLoading, MissingFilesAreQuietBrokenOnesReported)
{
	Tier0OutputCapture capture;
	EXPECT_EQ(Sys_LoadLibrary((m_root / "absent").c_str()), nullptr);
	EXPECT_EQ(capture.All(), "");
	std::ofstream(m_root / "broken.so") << "not a library";
	EXPECT_EQ(Sys_LoadLibrary((m_root / "broken").c_str()), nullptr);
	std::string text = capture.Of(Tier0OutputKind::Msg);
	EXPECT_EQ(text.rfind(" failed to dlopen " + (m_root / "broken.so").string() + " error=", 0), 0u) << text;
}

TEST_F(LinuxModuleLoading, ModulesAreSearchedUnderTheWorkingDirectorysBin)
{
	fs::path engine = Place("zvtestmodule", "bin/engine.so");
	const struct
	{
		fs::path cwd;
		const char *name;
	} kCases[] = {
		{ "", "engine" },
		{ "bin", "engine" },
		{ "bin/", "engine" },
		{ "", "bin/engine" },
	};
	for (const auto &c : kCases)
	{
		fs::current_path(m_root / c.cwd);
		void *handle = Sys_LoadModule(c.name);
		EXPECT_EQ(LoadedPath(handle), engine.string()) << c.cwd << " " << c.name;
		Sys_ReleaseModule(handle);
	}
	fs::current_path(m_root);
	void *absolute = Sys_LoadModule(engine.c_str());
	EXPECT_EQ(LoadedPath(absolute), engine.string());
	Sys_ReleaseModule(absolute);
	EXPECT_EQ(Sys_LoadModule("nothing_here"), nullptr);
	EXPECT_EQ(Sys_LoadModule(nullptr), nullptr);
}

TEST_F(LinuxModuleLoading, DebugBuildsLoadWithoutATest)
{
	Place("zvdebugbuild", "bin/zvdebugbuild.so");
	Tier0OutputCapture capture;
	void *handle = Sys_LoadModule("zvdebugbuild");
	EXPECT_NE(handle, nullptr);
	EXPECT_EQ(capture.All(), "");
	Sys_ReleaseModule(handle);
}

TEST_F(LinuxModuleLoading, LoadModuleInterfaceKeepsTheModuleOnlyOnSuccess)
{
	Place("zvtestmodule", "bin/zvtestmodule.so");
	Place("zvplainmodule", "bin/zvplainmodule.so");

	void *hModule = nullptr;
	void *pInterface = nullptr;
	ASSERT_TRUE(Sys_LoadModuleInterface("zvtestmodule", "TestModuleObject001", &hModule, &pInterface));
	ASSERT_NE(hModule, nullptr);
	EXPECT_EQ(*static_cast<int *>(pInterface), 42);

	void *untouched = reinterpret_cast<void *>(0x1);
	EXPECT_FALSE(Sys_LoadModuleInterface("zvtestmodule", "Missing001", &untouched, &pInterface));
	EXPECT_EQ(untouched, reinterpret_cast<void *>(0x1));
	EXPECT_EQ(pInterface, nullptr);
	EXPECT_FALSE(Sys_LoadModuleInterface("zvplainmodule", "TestModuleObject001", &untouched, &pInterface));
	EXPECT_FALSE(Sys_LoadModuleInterface("absent", "TestModuleObject001", &untouched, &pInterface));
	EXPECT_EQ(untouched, reinterpret_cast<void *>(0x1));
	EXPECT_TRUE(Sys_LoadModuleInterface("zvtestmodule", "TestModuleObject001", nullptr, nullptr));

	// A loaded module's factory is found by its path; one that is not loaded gives none.
	std::string path = (m_root / "bin/zvtestmodule.so").string();
	CreateInterfaceFn factory = Sys_FactoryByPath(path.c_str());
	ASSERT_NE(factory, nullptr);
	EXPECT_EQ(*static_cast<int *>(factory("TestModuleObject001", nullptr)), 42);
	Sys_ReleaseModule(hModule);  // the load made by the test
	Sys_ReleaseModule(hModule);  // the one left by the call without an out handle

	testing::internal::CaptureStdout();
	EXPECT_EQ(Sys_FactoryByPath((m_root / "bin/zvplainmodule.so").c_str()), nullptr);
	EXPECT_EQ(Sys_OpenModuleHandle(nullptr), nullptr);
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_EQ(out.rfind("DLOPEN Error:", 0), 0u) << out;
}

TEST_F(LinuxModuleLoading, DemandLoaderTriesOnce)
{
	{
		CDllDemandLoader loader("zvtestmodule");
		EXPECT_EQ(loader.GetFactory(), nullptr);
		Place("zvtestmodule", "bin/zvtestmodule.so");
		EXPECT_EQ(loader.GetFactory(), nullptr);  // a failed load is not repeated
	}
	CDllDemandLoader loader("zvtestmodule");
	CreateInterfaceFn factory = loader.GetFactory();
	ASSERT_NE(factory, nullptr);
	EXPECT_EQ(loader.GetFactory(), factory);
	EXPECT_EQ(*static_cast<int *>(factory("TestModuleObject001", nullptr)), 42);
}
